// Sentences for the tests, with a checksum computed here rather than by the
// program: "$" + body + "*" + the checksum, and CR LF unless `crlf` is false.
#pragma once

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

} // namespace testsupport
