// The report list's comparison. Every rule parses the whole text, so "12abc" is
// neither a number nor a date and falls through to the byte comparison.
#include "dialogs/controls/ReportListCompare.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

template <typename T>
int Sign(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Reads 1 to `maxDigits` digits at `p`; false when there are none.
bool ReadNumber(const char*& p, int maxDigits, int& value)
{
    int n = 0;
    value = 0;
    while (n < maxDigits && std::isdigit((unsigned char)*p)) {
        value = value * 10 + (*p - '0');
        ++p;
        ++n;
    }
    return n > 0;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

double DayNumber(int y, int m, int d)
{
    // Days from 1 March of year 0, a count that orders every calendar day.
    const int yy = m <= 2 ? y - 1 : y;
    const int mm = m <= 2 ? m + 9 : m - 3;
    return 365.0 * yy + yy / 4 - yy / 100 + yy / 400 + (153 * mm + 2) / 5 + d - 1;
}

bool ValidDate(int y, int m, int d) { return y >= 100 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m); }

// "hh:mm[:ss]" up to the end of the text; seconds of the day.
bool ReadTime(const char*& p, double& seconds)
{
    int h = 0, mi = 0, s = 0;
    if (!ReadNumber(p, 2, h) || *p != ':')
        return false;
    ++p;
    if (!ReadNumber(p, 2, mi))
        return false;
    if (*p == ':') {
        ++p;
        if (!ReadNumber(p, 2, s))
            return false;
    }
    if (h > 23 || mi > 59 || s > 59)
        return false;
    seconds = h * 3600.0 + mi * 60.0 + s;
    return true;
}

bool ReadDate(const char*& p, int& y, int& m, int& d)
{
    int a = 0, b = 0, c = 0;
    if (!ReadNumber(p, 4, a))
        return false;
    const char sep = *p;
    if (sep != '-' && sep != '/' && sep != '.')
        return false;
    ++p;
    if (!ReadNumber(p, 2, b) || *p != sep)
        return false;
    ++p;
    if (!ReadNumber(p, 4, c))
        return false;
    if (a >= 100) { // year first
        y = a, m = b, d = c;
    } else if (sep == '/') { // month/day/year
        m = a, d = b, y = c;
    } else { // day.month.year or day-month-year
        d = a, m = b, y = c;
    }
    return ValidDate(y, m, d);
}

} // namespace

bool ParseReportHex(const char* text, uint32_t& value)
{
    if (!text || !*text)
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long v = std::strtoull(text, &end, 16);
    if (*end != '\0' || end == text)
        return false;
    // As a 32-bit strtoul: a negative text wraps, a value too large saturates.
    const char* digits = text;
    while (std::isspace((unsigned char)*digits))
        ++digits;
    if (*digits != '-' && (errno == ERANGE || v > 0xFFFFFFFFull))
        value = 0xFFFFFFFFu;
    else
        value = (uint32_t)v;
    return true;
}

bool ParseReportDecimal(const char* text, double& value)
{
    if (!text || !*text)
        return false;
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (end == text)
        return false;
    if (*end == '%')
        ++end;
    if (*end != '\0')
        return false;
    value = v;
    return true;
}

bool ParseReportDate(const char* text, double& value)
{
    if (!text)
        return false;
    const char* p = text;
    while (*p == ' ')
        ++p;
    if (!*p)
        return false;
    int y = 0, m = 0, d = 0;
    double seconds = 0;
    const char* q = p;
    if (ReadDate(q, y, m, d)) {
        while (*q == ' ')
            ++q;
        if (*q && !ReadTime(q, seconds))
            return false;
        value = DayNumber(y, m, d) * 86400.0 + seconds;
    } else {
        // A time alone is a time of the first day.
        q = p;
        if (!ReadTime(q, seconds))
            return false;
        value = seconds;
    }
    while (*q == ' ')
        ++q;
    return *q == '\0';
}

int CompareReportTexts(const char* a, const char* b)
{
    a = a ? a : "";
    b = b ? b : "";
    uint32_t ha = 0, hb = 0;
    if (ParseReportHex(a, ha) && ParseReportHex(b, hb))
        return Sign(ha, hb);
    double da = 0, db = 0;
    if (ParseReportDecimal(a, da) && ParseReportDecimal(b, db))
        return Sign(da, db);
    if (ParseReportDate(a, da) && ParseReportDate(b, db))
        return Sign(da, db);
    const int c = std::strcmp(a, b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
