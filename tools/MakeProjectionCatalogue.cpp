// Writes the shipped projection catalogue "Projections.dat" from the EPSG
// registry of the installed PROJ/GDAL.
//
//   MakeProjectionCatalogue <output file>...
//
// Every output gets the same text. Definitions are one-line WKT1 as GDAL exports
// it; the program reads catalogue lines with a buffer of 1000 bytes, so a
// system whose definition does not fit on such a line is left out (and named on
// stderr). A system that does not import is left out too, unless it is one the
// program relies on (WGS 84, and Lisbon 4803, the default of new maps): then
// the build fails.
#include <cpl_conv.h>
#include <cpl_error.h>
#include <ogr_spatialref.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {
// The reader's line buffer: a line with its line end must fit in 999 bytes.
constexpr size_t kMaxDefinitionLength = 998;

// Codes of systems the program appends itself continue from here; it lies
// above every EPSG code (the registry's codes of coordinate systems stay below
// 100000), so an appended system never takes the code of a listed one.
constexpr int kAppendedCodeBase = 900000;

const std::set<int> kRequired = {4326, 4803};

struct Group {
    std::string name;
    std::vector<int> codes;
};

std::vector<int> Range(int first, int last)
{
    std::vector<int> codes;
    for (int code = first; code <= last; ++code)
        codes.push_back(code);
    return codes;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Group> Groups()
{
    return {
        {"Geographic coordinate systems",
         {4326, 4258, 4803, 4322, 4269, 4267, 4617, 4674, 4230, 4231, 4277, 4314, 4312, 4313, 4289, 4275, 4171,
          4807, 4806, 4265, 4149, 4150, 4121, 4124, 4619, 4123, 4284, 4179, 4274, 4283, 4202, 4203, 4167,
          4612, 4301, 4490, 4148, 4152, 4190}},
        {"World", {3857, 3395, 4087, 3832}},
        {"UTM zones WGS 84, northern hemisphere", Range(32601, 32660)},
        {"UTM zones WGS 84, southern hemisphere", Range(32701, 32760)},
        {"Europe ETRS89", Join({3035, 3034}, Range(25828, 25838))},
        {"Germany", {31466, 31467, 31468, 31469, 4647, 5650, 3068}},
        {"Austria", {31254, 31255, 31256, 31257, 31258, 31287, 3416}},
        {"Switzerland and Liechtenstein", {2056, 21781}},
        {"United Kingdom and Ireland", {27700, 29902, 29903, 2157}},
        {"France, Benelux", {2154, 27572, 27571, 27573, 28992, 31370, 3812, 2169}},
        {"Poland, Czechia, Slovakia, Hungary", {2180, 2176, 2177, 2178, 2179, 5514, 23700}},
        {"Portugal and Spain", {3763, 20790, 20791, 27492, 23029, 23030, 23031}},
        {"Italy, Greece, Balkans", {3003, 3004, 2100, 3765, 3794, 3844}},
        {"Nordic and Baltic countries", {3006, 3021, 3067, 25884, 3346, 3059, 3301, 5105}},
        {"North America NAD83", Join(Range(26910, 26919), {5070, 3978, 6350})},
        {"Australia and New Zealand", Join(Range(28349, 28356), {3577, 2193})},
        {"Asia, Africa and South America", {2039, 3826, 2326, 3414, 5179, 31983, 31982, 22185, 2053, 32735}},
    };
}

struct Entry {
    int code;
    std::string title;
    std::string definition;
};

// True when the entry was made; `reason` says why not.
bool MakeEntry(int code, Entry& entry, std::string& reason)
{
    OGRSpatialReference srs;
    if (srs.importFromEPSG(code) != OGRERR_NONE) {
        reason = "not in the EPSG registry of this PROJ";
        return false;
    }
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    char* wkt = nullptr;
    const OGRErr exported = srs.exportToWkt(&wkt);
    const std::string definition = wkt ? wkt : "";
    CPLFree(wkt);
    if (exported != OGRERR_NONE || definition.empty()) {
        reason = "no WKT1 form";
        return false;
    }
    if (definition.find_first_of("\r\n") != std::string::npos) {
        reason = "WKT of more than one line";
        return false;
    }
    if (definition.size() > kMaxDefinitionLength) {
        reason = "definition of " + std::to_string(definition.size()) + " characters does not fit on one line";
        return false;
    }
    OGRSpatialReference check;
    if (check.importFromWkt(definition.c_str()) != OGRERR_NONE) {
        reason = "its WKT does not import again";
        return false;
    }
    const char* name = srs.GetName();
    entry = {code, name ? name : "", definition};
    return true;
}

bool WriteAtomically(const std::string& path, const std::string& text)
{
    std::error_code error;
    const std::filesystem::path target(path);
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), error);
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " <output file>...\n";
        return 2;
    }
    CPLPushErrorHandler(CPLQuietErrorHandler);

    const std::vector<Group> groups = Groups();
    std::ostringstream body;
    std::set<int> written;
    int groupId = 0;
    bool failed = false;
    for (const Group& group : groups) {
        std::vector<Entry> entries;
        for (int code : group.codes) {
            if (written.count(code))
                continue;
            Entry entry;
            std::string reason;
            if (!MakeEntry(code, entry, reason)) {
                std::cerr << "MakeProjectionCatalogue: EPSG:" << code << " left out: " << reason << "\n";
                if (kRequired.count(code))
                    failed = true;
                continue;
            }
            written.insert(code);
            entries.push_back(entry);
        }
        if (entries.empty())
            continue;
        body << "GROUP=" << group.name << "\n" << "GROUP_ID=" << ++groupId << "\n";
        for (const Entry& entry : entries)
            body << "EPSG=" << entry.code << "\n" << "TITLE=" << entry.title << "\n" << entry.definition << "\n";
    }
    if (failed) {
        std::cerr << "MakeProjectionCatalogue: a system the program needs is missing\n";
        return 1;
    }

    const std::string text = "MAX_GRP=" + std::to_string(groupId) + "\n" + "MAX_EPSG=" +
                             std::to_string(kAppendedCodeBase) + "\n" + body.str();
    for (int i = 1; i < argc; ++i) {
        if (!WriteAtomically(argv[i], text)) {
            std::cerr << "MakeProjectionCatalogue: cannot write " << argv[i] << "\n";
            return 1;
        }
    }
    return 0;
}
