// Fuzz target: the text object's property record, read and written back.
#include "fuzz/FuzzTarget.h"

#include "model/objects/MapText.h"
#include "platform/testing/FuzzPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartFuzzPlatform();
    CMapText text;
    FuzzReadRecord(text, data, size, "text record round trip");
    return 0;
}
