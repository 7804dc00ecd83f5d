// A time zone for the tests of UTC times: for its life the process runs in a
// zone one hour east of UTC whose daylight saving begins today at 02:00 local
// time, so that 02:30 is no local time today; the zone before comes back after.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace testsupport {

class DaylightSavingZone {
public:
    DaylightSavingZone()
    {
        const char* old = getenv("TZ");
        m_hadZone = old != nullptr;
        m_saved = old ? old : "";
        const time_t now = time(nullptr);
        struct tm utc {};
        gmtime_r(&now, &utc);
        // Zero-based days of the year, leap days counted: POSIX's plain "n" rule.
        char zone[64];
        snprintf(zone, sizeof zone, "XST-1XDT,%d/2,%d/3", utc.tm_yday, (utc.tm_yday + 100) % 365);
        setenv("TZ", zone, 1);
        tzset();
    }
    ~DaylightSavingZone()
    {
        if (m_hadZone)
            setenv("TZ", m_saved.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    DaylightSavingZone(const DaylightSavingZone&) = delete;
    DaylightSavingZone& operator=(const DaylightSavingZone&) = delete;

private:
    bool m_hadZone = false;
    std::string m_saved;
};

} // namespace testsupport
