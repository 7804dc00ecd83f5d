// Fuzz target: the text object's property record, read and written back.
#include "fuzz/FuzzTarget.h"

#include "model/MapText.h"
#include "platform/testing/FuzzPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartFuzzPlatform();
    CMapText text;
    if (!text.ReadRecord(data, (int)size))
        return 0;
    const CMapText::Record first = text.ToRecord();
    CMapText again;
    FuzzCheck(again.ReadRecord(first.data(), (int)first.size()) != FALSE, "a written text record reads back");
    FuzzCheckSameRecord(first, again.ToRecord(), "text record round trip");
    return 0;
}
