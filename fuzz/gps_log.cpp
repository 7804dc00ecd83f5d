// Fuzz target: the GPS log import and the log viewer's reading. The input is written as a log file, read
// for the viewer and for the import, and drawn into a map of one layer, the way a user imports one:
// every position kept lies on the earth, and the import makes no more nodes than the log has fixes.
#include "fuzz/FuzzTarget.h"

#include "gps/dialogs/GpsLog.h"
#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "platform/testing/FuzzPlatform.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartFuzzPlatform();
    const std::string folder = FuzzScratchFolder();
    const std::string log = folder + "/fuzzed.nmea";
    std::ofstream(log, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), (std::streamsize)size);

    std::vector<GpsLogPosition> positions;
    ReadGpsLogPositions(log.c_str(), positions);
    for (const GpsLogPosition& p : positions)
        FuzzCheck(std::fabs(p.latitude) <= 90 && std::fabs(p.longitude) <= 180, "a shown position lies on the earth");
    std::vector<CNmeaFix> fixes;
    ReadGpsLogFixes(log.c_str(), fixes);

    const std::string workspace = folder + "/map.kwz";
    std::filesystem::remove(workspace);
    std::filesystem::remove(folder + "/Track.klz");
    {
        CMUIMap writer;
        writer.GetMapModel()->AddLayer(new CMapLayer("Track"));
        FuzzCheck(writer.SaveWorkspace(workspace.c_str()), "the workspace is written");
    }
    CWnd host;
    host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr);
    {
        CMUIMap map;
        map.Create(CRect(0, 0, 400, 300), &host, 200, WS_CHILD | WS_VISIBLE);
        map.LoadWorkspace(workspace.c_str());
        CMapLayer* layer = map.GetMapModel()->GetLayerAt(0);
        const GpsLogImportResult result = ImportGpsLog(map, layer, log.c_str());
        FuzzCheck(result.nodes <= (int)fixes.size(), "no more nodes than fixes");
        map.DestroyWindow();
    }
    host.DestroyWindow();
    return 0;
}
