// What the GPS tests of the application share: a map window over a workspace of
// one empty layer "Track", the layer's point objects and their attributes, the
// real receiver logs of the test data, and the fixes a log states, read on the
// log's own terms rather than through the program's parser.
#pragma once

#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "platform/wnd/WndTestInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace gpstest {

// Saves a workspace of one empty layer "Track" at `path`.
inline void WriteTrackWorkspace(const CString& path)
{
    CMUIMap writer;
    writer.GetMapModel()->AddLayer(new CMapLayer("Track"));
    ASSERT_TRUE(writer.SaveWorkspace(path));
}

// `host` becomes a shown 400 x 300 pop-up and `map` a child window over all of
// it that has loaded the workspace `path`.
inline void ShowInHost(CWnd& host, CMUIMap& map, const CString& path)
{
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    ASSERT_TRUE(map.Create(CRect(0, 0, 0, 0), &host, 200, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
    map.MoveWindow(0, 0, 400, 300, FALSE);
    host.ShowWindow(SW_SHOW);
    map.LoadWorkspace(path);
}

// The layer's point objects in list order.
inline std::vector<CMapObject*> PointObjects(CMapLayer* layer)
{
    std::vector<CMapObject*> objects;
    POSITION pos = layer->GetPointObjects().GetHeadPosition();
    while (pos)
        objects.push_back(layer->GetPointObjects().GetNext(pos));
    return objects;
}

// The object's value of the field `name`; "<none>" when its layer has no such field.
inline CString Attribute(CMapObject* o, const char* name)
{
    const int index = o->GetLayer()->FindField(name);
    return index >= 0 ? o->GetAttributeText(index) : CString("<none>");
}

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The receiver logs (*.nmea) of the test data, in name order.
inline std::vector<std::filesystem::path> RealLogs()
{
    std::vector<std::filesystem::path> logs;
    const std::filesystem::path dir = std::filesystem::path(KV_TEST_DATA_DIR) / "nmea";
    std::error_code error;
    for (const auto& e : std::filesystem::directory_iterator(dir, error))
        if (e.path().extension() == ".nmea")
            logs.push_back(e.path());
    std::sort(logs.begin(), logs.end());
    return logs;
}

struct Fix {
    double lat, lon; // signed decimal degrees: south and west negative
};

// Every fix that a GGA, GLL or RMC line of `log` (with a five-letter address)
// states with both hemispheres and a right checksum.
inline std::vector<Fix> FixesOf(const std::string& log)
{
    std::vector<Fix> fixes;
    std::istringstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t star = line.find('*');
        if (line.size() < 7 || line[0] != '$' || star == std::string::npos || star + 3 > line.size())
            continue;
        unsigned char sum = 0;
        for (size_t i = 1; i < star; ++i)
            sum ^= (unsigned char)line[i];
        if (strtoul(line.substr(star + 1, 2).c_str(), nullptr, 16) != sum)
            continue;
        std::vector<std::string> f;
        std::stringstream fields(line.substr(1, star - 1));
        for (std::string item; std::getline(fields, item, ',');)
            f.push_back(item);
        if (f.empty() || f[0].size() != 5)
            continue;
        const std::string m = f[0].substr(2);
        const size_t at = m == "GGA" ? 2 : m == "GLL" ? 1 : m == "RMC" ? 3 : 0;
        if (!at || f.size() < at + 4 || (f[at + 1] != "N" && f[at + 1] != "S") || (f[at + 3] != "E" && f[at + 3] != "W"))
            continue;
        auto deg = [](const std::string& s) {
            const double v = atof(s.c_str());
            return std::floor(v / 100) + std::fmod(v, 100.0) / 60;
        };
        fixes.push_back({deg(f[at]) * (f[at + 1] == "S" ? -1 : 1), deg(f[at + 2]) * (f[at + 3] == "W" ? -1 : 1)});
    }
    return fixes;
}

} // namespace gpstest
