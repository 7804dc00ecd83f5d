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
#include <cctype>
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

// Every fix that `log` states as a peer tool reads it (the rules by which
// summarise.py wrote tests/data/nmea/INDEX.md): a sentence is the text from a
// "$" up to the next "$", "!", CR or LF; it counts when "*" and two hex digits
// that match end it (blanks may follow); a fix is a GGA, GLL or RMC of a
// five-letter address with both values and both hemisphere letters.
inline std::vector<Fix> FixesOf(const std::string& log)
{
    std::vector<Fix> fixes;
    for (size_t at = log.find('$'); at != std::string::npos; at = log.find('$', at + 1)) {
        const size_t end = log.find_first_of("$!\r\n", at + 1);
        std::string s = log.substr(at, end == std::string::npos ? std::string::npos : end - at);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
            s.pop_back();
        const size_t star = s.find('*');
        if (star == std::string::npos || star + 3 != s.size() || !isxdigit((unsigned char)s[star + 1]) ||
            !isxdigit((unsigned char)s[star + 2]))
            continue;
        unsigned char sum = 0;
        for (size_t i = 1; i < star; ++i)
            sum ^= (unsigned char)s[i];
        if (strtoul(s.substr(star + 1, 2).c_str(), nullptr, 16) != sum)
            continue;
        std::vector<std::string> f;
        const std::string body = s.substr(1, star - 1);
        size_t from = 0;
        for (size_t comma = body.find(','); ; comma = body.find(',', from)) {
            f.push_back(body.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
            if (comma == std::string::npos)
                break;
            from = comma + 1;
        }
        if (f[0].size() != 5)
            continue;
        const std::string m = f[0].substr(2);
        const size_t lat = m == "GGA" ? 2 : m == "GLL" ? 1 : m == "RMC" ? 3 : 0;
        if (!lat || f.size() < lat + 4 || f[lat].empty() || f[lat + 2].empty() ||
            (f[lat + 1] != "N" && f[lat + 1] != "S") || (f[lat + 3] != "E" && f[lat + 3] != "W"))
            continue;
        auto deg = [](const std::string& text) {
            const double v = atof(text.c_str());
            return std::floor(v / 100) + std::fmod(v, 100.0) / 60;
        };
        fixes.push_back({deg(f[lat]) * (f[lat + 1] == "S" ? -1 : 1), deg(f[lat + 2]) * (f[lat + 3] == "W" ? -1 : 1)});
    }
    return fixes;
}

} // namespace gpstest
