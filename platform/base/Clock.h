// The platform clock. Fixed waits and the tick count run on one clock that
// tests may speed up (a scale of 0.01 makes Sleep(1000) wait 10 ms while the
// tick count still advances by about 1000); the program always runs at scale 1.
// Calendar time (GetLocalTime, CTime) is always the real time.
#pragma once

#include "platform/base/CString.h"

#include <ctime>

void Sleep(DWORD ms);
// Milliseconds on the scaled clock; wraps around after 2^32 like the Windows count.
DWORD GetTickCount();
// Real waits take `scale` times their nominal length; the tick count runs
// 1/scale times as fast. A scale that is not positive is refused.
void AfxSetTestClockScale(double scale);
// The real length of a wait of `ms` nominal milliseconds on the scaled clock
// (window timers run on it too, so that a test does not wait out a splash screen).
DWORD AfxScaledWait(DWORD ms);

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;       // 1 = January
    WORD wDayOfWeek;   // 0 = Sunday
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
typedef SYSTEMTIME* LPSYSTEMTIME;
static_assert(sizeof(SYSTEMTIME) == 16);

// 100-nanosecond intervals since 1 January 1601.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
typedef FILETIME* LPFILETIME;

void GetLocalTime(SYSTEMTIME* st);
void GetSystemTime(SYSTEMTIME* st);
// FALSE for fields out of range (month 13, day 31 of April, ...).
BOOL SystemTimeToFileTime(const SYSTEMTIME* st, FILETIME* ft);
BOOL FileTimeToSystemTime(const FILETIME* ft, SYSTEMTIME* st);

class CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(time_t seconds) : m_span(seconds) {}
    CTimeSpan(LONG days, int hours, int minutes, int seconds)
        : m_span(((time_t)days * 24 * 3600) + (time_t)hours * 3600 + (time_t)minutes * 60 + seconds)
    {
    }

    LONGLONG GetDays() const { return m_span / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_span / 3600; }
    LONG GetHours() const { return (LONG)(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_span / 60; }
    LONG GetMinutes() const { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_span; }
    LONG GetSeconds() const { return (LONG)(m_span - GetTotalMinutes() * 60); }
    time_t GetTimeSpan() const { return m_span; }

    friend auto operator<=>(const CTimeSpan&, const CTimeSpan&) = default;
    CTimeSpan operator+(CTimeSpan o) const { return CTimeSpan(m_span + o.m_span); }
    CTimeSpan operator-(CTimeSpan o) const { return CTimeSpan(m_span - o.m_span); }

private:
    time_t m_span = 0;
};

// Calendar time in seconds since 1970; the broken-down fields are local time.
class CTime {
public:
    CTime() = default;
    CTime(time_t t) : m_time(t) {}
    // Local time; `dst` -1 lets the C library decide about daylight saving.
    // Out-of-range fields are normalised as mktime does.
    CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
    CTime(const SYSTEMTIME& st, int dst = -1);

    static CTime GetCurrentTime();

    time_t GetTime() const { return m_time; }
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday
    // strftime of the local (GMT) time.
    CString Format(const char* format) const;
    CString FormatGmt(const char* format) const;
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;

    friend auto operator<=>(const CTime&, const CTime&) = default;
    CTimeSpan operator-(CTime o) const { return CTimeSpan(m_time - o.m_time); }
    CTime operator+(CTimeSpan s) const { return CTime(m_time + s.GetTimeSpan()); }
    CTime operator-(CTimeSpan s) const { return CTime(m_time - s.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan s)
    {
        m_time += s.GetTimeSpan();
        return *this;
    }
    CTime& operator-=(CTimeSpan s)
    {
        m_time -= s.GetTimeSpan();
        return *this;
    }

private:
    struct tm Local() const;

    time_t m_time = 0;
};
