// Sentences for the tests, with a checksum computed here rather than by the
// program: "$" + body + "*" + the checksum, and CR LF unless `crlf` is false;
// and the position fields of signed decimal degrees.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

namespace testsupport {

inline std::string Nmea(const std::string& body, bool crlf = true)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= (unsigned char)c;
    char tail[8];
    snprintf(tail, sizeof tail, "*%02X", sum);
    return "$" + body + tail + (crlf ? "\r\n" : "");
}

// Signed degrees as NMEA's "ddmm.mmmm,H" (dddmm.mmmm for a `width` of 3).
inline std::string DegreesMinutes(double v, int width, char positive, char negative)
{
    const double a = std::fabs(v);
    const int d = (int)a;
    char buf[40];
    snprintf(buf, sizeof buf, "%0*d%07.4f,%c", width, d, (a - d) * 60, v < 0 ? negative : positive);
    return buf;
}
inline std::string Latitude(double v) { return DegreesMinutes(v, 2, 'N', 'S'); }
inline std::string Longitude(double v) { return DegreesMinutes(v, 3, 'E', 'W'); }

} // namespace testsupport
