// Fuzz target: the image object's property record (style, header fields, control points), read
// and written back.
#include "fuzz/FuzzTarget.h"

#include "model/objects/MapImage.h"
#include "platform/testing/FuzzPlatform.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartFuzzPlatform();
    CMapImage image;
    if (!image.ReadPropertyRecord(data, (int)size))
        return 0;
    const std::vector<BYTE> first = image.GetPropertyColumn();
    CMapImage again;
    FuzzCheck(again.ReadPropertyRecord(first.data(), (int)first.size()) != FALSE, "a written image record reads back");
    const std::vector<BYTE> second = again.GetPropertyColumn();
    FuzzCheck(first == second, "image record round trip");
    return 0;
}
