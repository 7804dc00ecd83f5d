// Fuzz target: the 20-byte map units record, read and written back.
#include "fuzz/FuzzTarget.h"

#include "core/MapUnits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMapUnits units;
    FuzzReadRecord(units, data, size, "units record round trip");
    return 0;
}
