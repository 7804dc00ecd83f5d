// Sentences for the tests: a body with its checksum and CR LF appended.
#pragma once

#include <cstdio>
#include <string>

inline std::string Nmea(const std::string& body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= (unsigned char)c;
    char tail[8];
    snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}
