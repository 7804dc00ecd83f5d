// The platform clock, Sleep and the tick count, and calendar time (Clock.h): waits and ticks follow
// the test scale, calendar time is always real.
#include "platform/base/Clock.h"
#include "platform/base/Threads.h"

#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <time.h>

namespace {
using Ms = std::chrono::duration<double, std::milli>;

struct ScaledClock {
    std::mutex mutex;
    double scale = 1.0;
    double anchorReal = -1.0;   // real milliseconds at the last change of scale
    double anchorTick = 0.0;    // scaled milliseconds at that moment

    static double RealNow()
    {
        // The monotonic clock counts from boot, so the tick count is large from
        // the start as on Windows, and never jumps with the wall clock.
        return std::chrono::duration_cast<Ms>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
    double TickAt(double real) const { return anchorReal < 0 ? real : anchorTick + (real - anchorReal) / scale; }
};

ScaledClock& Clock()
{
    static ScaledClock clock;
    return clock;
}

// Days since 1 January 1601 (the epoch of FILETIME) of a proleptic Gregorian date.
LONGLONG DaysFrom1601(int y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const LONGLONG era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = (unsigned)(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const LONGLONG fromEpoch1970 = era * 146097 + (LONGLONG)doe - 719468;
    return fromEpoch1970 + 134774;   // 1601-01-01 is 134774 days before 1970-01-01
}

void CivilFrom1601(LONGLONG days, int& y, unsigned& m, unsigned& d)
{
    const LONGLONG z = days - 134774 + 719468;
    const LONGLONG era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = (unsigned)(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = (int)(yoe + era * 400) + (m <= 2);
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && LeapYear(y) ? 29 : days[m - 1];
}

void FromTm(const struct tm& t, WORD ms, SYSTEMTIME* st)
{
    st->wYear = (WORD)(t.tm_year + 1900);
    st->wMonth = (WORD)(t.tm_mon + 1);
    st->wDayOfWeek = (WORD)t.tm_wday;
    st->wDay = (WORD)t.tm_mday;
    st->wHour = (WORD)t.tm_hour;
    st->wMinute = (WORD)t.tm_min;
    st->wSecond = (WORD)t.tm_sec;
    st->wMilliseconds = ms;
}

void Now(SYSTEMTIME* st, bool local)
{
    if (!st)
        return;
    struct timespec ts;
    ::clock_gettime(CLOCK_REALTIME, &ts);
    struct tm t;
    if (local)
        ::localtime_r(&ts.tv_sec, &t);
    else
        ::gmtime_r(&ts.tv_sec, &t);
    FromTm(t, (WORD)(ts.tv_nsec / 1000000), st);
}

CString Strftime(const char* format, const struct tm& t)
{
    if (!format || !*format)
        return CString();
    // strftime gives 0 for a result that does not fit and for an empty result:
    // grow a few times, then take the empty result as the answer.
    for (size_t size = 256; size <= 65536; size *= 4) {
        std::vector<char> buf(size);
        const size_t n = std::strftime(buf.data(), size, format, &t);
        if (n > 0)
            return CString(buf.data(), (int)n);
    }
    return CString();
}
}

void Sleep(DWORD ms)
{
    AfxThreadSuspensionPoint();
    double scale;
    {
        ScaledClock& c = Clock();
        std::lock_guard lock(c.mutex);
        scale = c.scale;
    }
    if (ms == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(Ms(ms * scale));
}

DWORD AfxScaledWait(DWORD ms)
{
    ScaledClock& c = Clock();
    std::lock_guard lock(c.mutex);
    return (DWORD)(ms * c.scale + 0.5);
}

DWORD GetTickCount()
{
    ScaledClock& c = Clock();
    std::lock_guard lock(c.mutex);
    return (DWORD)(ULONGLONG)c.TickAt(ScaledClock::RealNow());
}

void AfxSetTestClockScale(double scale)
{
    if (!(scale > 0))
        return;
    ScaledClock& c = Clock();
    std::lock_guard lock(c.mutex);
    const double real = ScaledClock::RealNow();
    c.anchorTick = c.TickAt(real);
    c.anchorReal = real;
    c.scale = scale;
}

void GetLocalTime(SYSTEMTIME* st) { Now(st, true); }

void GetSystemTime(SYSTEMTIME* st) { Now(st, false); }

BOOL SystemTimeToFileTime(const SYSTEMTIME* st, FILETIME* ft)
{
    if (!st || !ft)
        return FALSE;
    if (st->wYear < 1601 || st->wYear > 30827 || st->wMonth < 1 || st->wMonth > 12 || st->wDay < 1 ||
        st->wDay > DaysInMonth(st->wYear, st->wMonth) || st->wHour > 23 || st->wMinute > 59 || st->wSecond > 59 ||
        st->wMilliseconds > 999)
        return FALSE;
    const ULONGLONG days = (ULONGLONG)DaysFrom1601(st->wYear, st->wMonth, st->wDay);
    const ULONGLONG ms =
        ((days * 24 + st->wHour) * 60 + st->wMinute) * 60000ULL + st->wSecond * 1000ULL + st->wMilliseconds;
    const ULONGLONG ticks = ms * 10000ULL;
    ft->dwLowDateTime = (DWORD)ticks;
    ft->dwHighDateTime = (DWORD)(ticks >> 32);
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* ft, SYSTEMTIME* st)
{
    if (!ft || !st)
        return FALSE;
    const ULONGLONG ticks = ((ULONGLONG)ft->dwHighDateTime << 32) | ft->dwLowDateTime;
    if (ticks >= 0x8000000000000000ULL)
        return FALSE;
    ULONGLONG ms = ticks / 10000ULL;
    const LONGLONG days = (LONGLONG)(ms / 86400000ULL);
    ms %= 86400000ULL;
    int y;
    unsigned m, d;
    CivilFrom1601(days, y, m, d);
    st->wYear = (WORD)y;
    st->wMonth = (WORD)m;
    st->wDay = (WORD)d;
    st->wDayOfWeek = (WORD)((days + 1) % 7);   // 1 January 1601 was a Monday
    st->wHour = (WORD)(ms / 3600000ULL);
    st->wMinute = (WORD)(ms / 60000ULL % 60);
    st->wSecond = (WORD)(ms / 1000ULL % 60);
    st->wMilliseconds = (WORD)(ms % 1000ULL);
    return TRUE;
}

// ---------------------------------------------------------------------------- CTime

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst)
{
    struct tm t;
    std::memset(&t, 0, sizeof t);
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = dst;
    m_time = std::mktime(&t);
}

CTime::CTime(const SYSTEMTIME& st, int dst)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, dst)
{
}

CTime CTime::GetCurrentTime() { return CTime(std::time(nullptr)); }

struct tm CTime::Local() const
{
    struct tm t;
    std::memset(&t, 0, sizeof t);
    ::localtime_r(&m_time, &t);
    return t;
}

int CTime::GetYear() const { return Local().tm_year + 1900; }
int CTime::GetMonth() const { return Local().tm_mon + 1; }
int CTime::GetDay() const { return Local().tm_mday; }
int CTime::GetHour() const { return Local().tm_hour; }
int CTime::GetMinute() const { return Local().tm_min; }
int CTime::GetSecond() const { return Local().tm_sec; }
int CTime::GetDayOfWeek() const { return Local().tm_wday + 1; }

CString CTime::Format(const char* format) const { return Strftime(format, Local()); }

CString CTime::FormatGmt(const char* format) const
{
    struct tm t;
    std::memset(&t, 0, sizeof t);
    ::gmtime_r(&m_time, &t);
    return Strftime(format, t);
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    const struct tm t = Local();
    if (t.tm_year + 1900 < 1601 || t.tm_year + 1900 > 30827)
        return FALSE;
    FromTm(t, 0, &st);
    return TRUE;
}
