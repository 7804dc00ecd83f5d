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
    FuzzCheck(first.size() == second.size() && std::memcmp(first.data(), second.data(), first.size()) == 0, what);
}

// Reads `value` from the input with its ReadRecord(data, size, extra...); when that takes it, checks
// that the record it writes (ToRecord) reads back into the same record. False when not read.
template <class Value, class... Extra>
bool FuzzReadRecord(Value& value, const uint8_t* data, size_t size, const char* what, const Extra&... extra)
{
    if (!value.ReadRecord(data, (int)size, extra...))
        return false;
    const auto first = value.ToRecord();
    Value again;
    FuzzCheck(again.ReadRecord(first.data(), (int)first.size(), extra...) != 0, what);
    FuzzCheckSameRecord(first, again.ToRecord(), what);
    return true;
}
