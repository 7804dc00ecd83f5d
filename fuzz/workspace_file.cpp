// Fuzz target: the workspace loader. The input is written as a workspace file and loaded into a map
// window's model, the way a user opens one; layers it names but that are missing are reported.
#include "fuzz/FuzzTarget.h"

#include "mapwindow/MUIMap.h"
#include "platform/testing/FuzzPlatform.h"

#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartFuzzPlatform();
    const std::string path = FuzzScratchFolder() + "/fuzzed.kws";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), (std::streamsize)size);
    CMUIMap map;
    map.LoadWorkspace(CString(path.c_str()));
    return 0;
}
