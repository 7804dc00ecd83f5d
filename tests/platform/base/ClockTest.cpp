// The platform clock: scaled and real waits, file and system times, local
// calendar fields.
#include "platform/base/Afx.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {
double RealMs(const std::chrono::steady_clock::time_point& since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

struct ScaleGuard {
    explicit ScaleGuard(double scale) { AfxSetTestClockScale(scale); }
    ~ScaleGuard() { AfxSetTestClockScale(1.0); }
};
}

TEST(Clock, ScaledWaitsKeepTheTickCountInStep)
{
    const DWORD before = GetTickCount();
    ScaleGuard guard(0.01);
    EXPECT_LT(GetTickCount() - before, 1000u);   // the count neither jumps nor runs back
    const auto start = std::chrono::steady_clock::now();
    const DWORD t0 = GetTickCount();
    Sleep(2000);
    const DWORD waited = GetTickCount() - t0;
    const double real = RealMs(start);
    EXPECT_LT(real, 1000.0);
    EXPECT_GE(waited, 1990u);
    EXPECT_LE(waited, (DWORD)(real * 100 + 10));
    AfxSetTestClockScale(0);   // refused: the scale stays
    const auto start2 = std::chrono::steady_clock::now();
    Sleep(1000);
    EXPECT_LT(RealMs(start2), 500.0);
}

TEST(Clock, RealScaleWaitsInFull)
{
    const auto start = std::chrono::steady_clock::now();
    const DWORD t0 = GetTickCount();
    Sleep(30);
    EXPECT_GE(RealMs(start), 30.0);
    EXPECT_GE(GetTickCount() - t0, 29u);
}

TEST(Clock, FileTimesAndSystemTimes)
{
    struct Case {
        SYSTEMTIME st;
        ULONGLONG ticks;
    };
    const Case cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, 0ULL},
        {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ULL},
        {{2000, 2, 2, 29, 23, 59, 59, 999}, 125963423999990000ULL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.st.wYear);
        FILETIME ft;
        ASSERT_TRUE(SystemTimeToFileTime(&c.st, &ft));
        EXPECT_EQ(((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime, c.ticks);
        SYSTEMTIME back;
        ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
        EXPECT_EQ(back.wYear, c.st.wYear);
        EXPECT_EQ(back.wMonth, c.st.wMonth);
        EXPECT_EQ(back.wDay, c.st.wDay);
        EXPECT_EQ(back.wDayOfWeek, c.st.wDayOfWeek);
        EXPECT_EQ(back.wHour, c.st.wHour);
        EXPECT_EQ(back.wMilliseconds, c.st.wMilliseconds);
    }
    FILETIME ft;
    const SYSTEMTIME feb29{2001, 2, 0, 29, 0, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToFileTime(&feb29, &ft));
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_TRUE(SystemTimeToFileTime(&now, &ft));
}

TEST(Clock, CalendarTimeFieldsAreLocal)
{
    const CTime t(2005, 8, 24, 12, 34, 56);
    EXPECT_EQ(t.GetYear(), 2005);
    EXPECT_EQ(t.GetMonth(), 8);
    EXPECT_EQ(t.GetDay(), 24);
    EXPECT_EQ(t.GetDayOfWeek(), 4);   // a Wednesday
    EXPECT_STREQ(t.Format("%H:%M:%S"), "12:34:56");
    const CTimeSpan span = CTime(2005, 8, 25, 14, 37, 0) - t;
    EXPECT_EQ(span.GetDays(), 1);
    EXPECT_EQ(span.GetHours(), 2);
    EXPECT_EQ(span.GetMinutes(), 2);
    EXPECT_EQ(span.GetSeconds(), 4);
    EXPECT_STREQ(CTime(0).FormatGmt("%Y-%m-%d"), "1970-01-01");
}
