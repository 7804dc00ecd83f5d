// What every fuzz target defines, and the checks they share: a finding aborts, so that libFuzzer
// (and the replay driver) report it with the input that made it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Aborts with `what` when `ok` is false.
inline void FuzzCheck(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz finding: %s\n", what);
        std::abort();
    }
}

// A record's reader and writer agree: what was read, written and read again writes the same bytes.
template <class Record>
void FuzzCheckSameRecord(const Record& first, const Record& second, const char* what)
{
    FuzzCheck(std::memcmp(first.data(), second.data(), first.size()) == 0, what);
}
