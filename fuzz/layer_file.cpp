// Fuzz target: a layer loader. The input is written as a layer file and opened into a map, the way
// a user opens one; whatever the bytes, opening ends with the layer read, refused or an error.
#include "fuzz/FuzzTarget.h"

#include "core/SQLiteException.h"
#include "model/layers/MapModel.h"
#include "platform/testing/FuzzPlatform.h"

#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartFuzzPlatform();
    const std::string path = FuzzScratchFolder() + "/fuzzed.klz";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), (std::streamsize)size);
    CMapModel map;
    try {
        map.OpenLayer(CString(path.c_str()), nullptr);
    } catch (const CSQLiteException&) {
        // A clean error is a fine answer to a damaged file.
    }
    return 0;
}
