// Fuzz target: the 20-byte map units record, read and written back.
#include "fuzz/FuzzTarget.h"

#include "core/MapUnits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMapUnits units;
    if (!units.ReadRecord(data, (int)size))
        return 0;
    const CMapUnits::Record first = units.ToRecord();
    CMapUnits again;
    FuzzCheck(again.ReadRecord(first.data(), (int)first.size()) != FALSE, "written units read back");
    FuzzCheckSameRecord(first, again.ToRecord(), "units record round trip");
    return 0;
}
