// Writes the shipped projection catalogue "Projections.dat" from the EPSG
// registry of the installed PROJ database, read through GDAL.
//
//   MakeProjectionCatalogue <output file>...
//
// Every output gets the same text: each geographic 2D and projected system that
// the registry does not mark deprecated, as one-line WKT1 the way GDAL exports
// it, titled with the system's name. The program reads catalogue lines with a
// buffer of 1000 bytes, so a system whose definition does not fit on such a line
// is left out (counted on stdout). Systems are grouped by the geographic system
// they are based on (its datum), which also starts their names: "WGS 84" holds
// WGS 84 itself, its UTM zones and the other projections on it. Groups follow in
// name order; in a group the geographic systems come first, then the projected
// ones, each in title order with numbers compared as numbers (zone 2 before
// zone 10). The build fails when a system the program relies on is missing
// (WGS 84, and Lisbon 4803, the default of new maps).
#include <cpl_conv.h>
#include <cpl_error.h>
#include <ogr_spatialref.h>
#include <ogr_srs_api.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {
// The reader's line buffer: a line with its line end must fit in 999 bytes.
constexpr size_t kMaxLineLength = 998;

// Codes of systems the program appends itself continue from here; it lies
// above every EPSG code (the registry's codes of coordinate systems stay below
// 100000), so an appended system never takes the code of a listed one.
constexpr int kAppendedCodeBase = 900000;

const std::set<int> kRequired = {4326, 4803};

struct Entry {
    int code = 0;
    bool geographic = false;
    std::string title;
    std::string group;
    std::string definition;
};

// The registry's codes of the systems the catalogue lists, in registry order.
std::vector<int> ListedCodes()
{
    int count = 0;
    OSRCRSInfo** list = OSRGetCRSInfoListFromDatabase("EPSG", nullptr, &count);
    std::vector<int> codes;
    for (int i = 0; i < count; ++i) {
        const OSRCRSInfo& info = *list[i];
        if (info.bDeprecated)
            continue;
        if (info.eType != OSR_CRS_TYPE_GEOGRAPHIC_2D && info.eType != OSR_CRS_TYPE_PROJECTED)
            continue;
        char* end = nullptr;
        const long code = std::strtol(info.pszCode, &end, 10);
        if (end != info.pszCode && *end == '\0' && code > 0 && code < kAppendedCodeBase)
            codes.push_back((int)code);
    }
    OSRDestroyCRSInfoList(list);
    return codes;
}

// The entry of `code`, or nothing when its definition cannot be a catalogue line.
std::optional<Entry> MakeEntry(int code)
{
    OGRSpatialReference srs;
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (srs.importFromEPSG(code) != OGRERR_NONE)
        return std::nullopt;
    char* wkt = nullptr;
    const OGRErr exported = srs.exportToWkt(&wkt);
    Entry entry;
    entry.definition = wkt ? wkt : "";
    CPLFree(wkt);
    if (exported != OGRERR_NONE || entry.definition.empty() || entry.definition.size() > kMaxLineLength ||
        entry.definition.find_first_of("\r\n") != std::string::npos)
        return std::nullopt;
    // What the program will do with the line: it must import again.
    OGRSpatialReference check;
    check.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (check.importFromWkt(entry.definition.c_str()) != OGRERR_NONE)
        return std::nullopt;
    entry.code = code;
    entry.geographic = srs.IsGeographic();
    const char* name = srs.GetName();
    entry.title = name ? name : "";
    // The GEOGCS node of a projected system, or the root of a geographic one.
    const char* base = srs.GetAttrValue("GEOGCS");
    entry.group = base && *base ? base : entry.title;
    return entry;
}

// The entries of `codes`, made on a few threads (each gets a PROJ context of
// its own from GDAL); slots of codes left out stay empty.
std::vector<std::optional<Entry>> MakeEntries(const std::vector<int>& codes)
{
    std::vector<std::optional<Entry>> entries(codes.size());
    const size_t workers = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4);
    std::vector<std::future<void>> running;
    for (size_t w = 0; w < workers; ++w)
        running.push_back(std::async(std::launch::async, [&, w] {
            CPLPushErrorHandler(CPLQuietErrorHandler);
            for (size_t i = w; i < codes.size(); i += workers)
                entries[i] = MakeEntry(codes[i]);
            CPLPopErrorHandler();
        }));
    for (auto& worker : running)
        worker.get();
    return entries;
}

// Case-insensitive order in which runs of digits compare by their value.
bool NaturalLess(const std::string& a, const std::string& b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned char x = a[i], y = b[j];
        if (std::isdigit(x) && std::isdigit(y)) {
            size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit((unsigned char)a[ei]))
                ++ei;
            while (ej < b.size() && std::isdigit((unsigned char)b[ej]))
                ++ej;
            // Leading zeros do not count; then the longer run is the larger number.
            size_t si = i, sj = j;
            while (si + 1 < ei && a[si] == '0')
                ++si;
            while (sj + 1 < ej && b[sj] == '0')
                ++sj;
            if (ei - si != ej - sj)
                return ei - si < ej - sj;
            const int c = a.compare(si, ei - si, b, sj, ej - sj);
            if (c != 0)
                return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        const int lx = std::tolower(x), ly = std::tolower(y);
        if (lx != ly)
            return lx < ly;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return a < b;
}

struct GroupLess {
    bool operator()(const std::string& a, const std::string& b) const { return NaturalLess(a, b); }
};

bool EntryLess(const Entry& a, const Entry& b)
{
    if (a.geographic != b.geographic)
        return a.geographic;
    if (a.title != b.title)
        return NaturalLess(a.title, b.title);
    return a.code < b.code;
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

    const std::vector<int> codes = ListedCodes();
    std::map<std::string, std::vector<Entry>, GroupLess> groups;
    std::set<int> written;
    size_t leftOut = 0;
    for (std::optional<Entry>& entry : MakeEntries(codes)) {
        if (!entry) {
            ++leftOut;
            continue;
        }
        if (!written.insert(entry->code).second)
            continue;
        groups[entry->group].push_back(std::move(*entry));
    }
    for (int code : kRequired) {
        if (!written.count(code)) {
            std::cerr << "MakeProjectionCatalogue: EPSG:" << code << ", which the program needs, is missing\n";
            return 1;
        }
    }

    std::ostringstream text;
    text << "MAX_GRP=" << groups.size() << "\n"
         << "MAX_EPSG=" << std::max(kAppendedCodeBase, *written.rbegin()) << "\n";
    int groupId = 0;
    for (auto& [name, entries] : groups) {
        std::sort(entries.begin(), entries.end(), EntryLess);
        text << "GROUP=" << name << "\n" << "GROUP_ID=" << ++groupId << "\n";
        for (const Entry& entry : entries)
            text << "EPSG=" << entry.code << "\n" << "TITLE=" << entry.title << "\n" << entry.definition << "\n";
    }
    for (int i = 1; i < argc; ++i) {
        if (!WriteAtomically(argv[i], text.str())) {
            std::cerr << "MakeProjectionCatalogue: cannot write " << argv[i] << "\n";
            return 1;
        }
    }
    std::cout << "Projections.dat: " << written.size() << " systems in " << groups.size() << " groups; " << leftOut
              << " left out (no definition that fits on a catalogue line)\n";
    return 0;
}
