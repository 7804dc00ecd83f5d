// The catalogue the build writes next to the programs: found where the program
// looks for it, whole, complete against the installed EPSG registry, listed in
// groups, and usable for the lookups a map makes.
#include "tests/model/projections/ProjectionTestSupport.h"

#include <ogr_srs_api.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>

using namespace projtest;

namespace {

struct ShippedEntry {
    int code = 0;
    int group = 0;
    std::string title;
    std::string definition;
};

struct ShippedCatalogue {
    int maxGroup = 0;
    int maxCode = 0;
    std::map<int, std::string> groups;   // by id
    std::vector<ShippedEntry> entries;
};

class GeneratedCatalogue : public ::testing::Test {
protected:
    GeneratedCatalogue() : m_savedPath(g_ProjectionCatalogPath) {}
    ~GeneratedCatalogue() override { g_ProjectionCatalogPath = m_savedPath; }

    // The catalogue beside this test program, as the program finds it.
    static std::string Shipped()
    {
        g_ProjectionCatalogPath.Empty();
        CProjectionCatalogue::InitPath();
        return ReadText(g_ProjectionCatalogPath);
    }

    // The shipped catalogue parsed line by line, each line checked against the
    // format and the readers' line limit as it is read.
    static ShippedCatalogue Parse()
    {
        std::istringstream in(Shipped());
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            EXPECT_LT(line.size() + 1, (size_t)CProjectionCatalogue::kLineSize) << "line " << lines.size() + 1;
            lines.push_back(line);
        }
        ShippedCatalogue catalogue;
        EXPECT_GT(lines.size(), 2u);
        if (lines.size() < 2)
            return catalogue;
        EXPECT_EQ(lines[0].rfind("MAX_GRP=", 0), 0u);
        EXPECT_EQ(lines[1].rfind("MAX_EPSG=", 0), 0u);
        catalogue.maxGroup = std::atoi(lines[0].c_str() + 8);
        catalogue.maxCode = std::atoi(lines[1].c_str() + 9);
        int group = 0;
        for (size_t i = 2; i < lines.size();) {
            if (lines[i].rfind("GROUP=", 0) == 0) {
                EXPECT_LT(i + 1, lines.size());
                EXPECT_EQ(lines[i + 1].rfind("GROUP_ID=", 0), 0u) << "line " << i + 2;
                group = std::atoi(lines[i + 1].c_str() + 9);
                EXPECT_TRUE(catalogue.groups.emplace(group, lines[i].substr(6)).second) << "group id twice: " << group;
                i += 2;
                continue;
            }
            EXPECT_EQ(lines[i].rfind("EPSG=", 0), 0u) << "line " << i + 1;
            EXPECT_LT(i + 2, lines.size());
            EXPECT_EQ(lines[i + 1].rfind("TITLE=", 0), 0u) << "line " << i + 2;
            if (i + 2 >= lines.size())
                break;
            catalogue.entries.push_back({std::atoi(lines[i].c_str() + 5), group, lines[i + 1].substr(6), lines[i + 2]});
            i += 3;
        }
        return catalogue;
    }

    ModalRecorder m_boxes;

private:
    CString m_savedPath;
};

TEST_F(GeneratedCatalogue, LiesNextToTheProgram)
{
    const std::string text = Shipped();
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(std::string(g_ProjectionCatalogPath), (program.parent_path() / "Projections.dat").string());
    EXPECT_FALSE(text.empty());
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(GeneratedCatalogue, HoldsEveryCurrentSystemOfTheRegistryThatFitsOnALine)
{
    const ShippedCatalogue catalogue = Parse();

    // Groups are numbered 1 to MAX_GRP, each with a name of its own and entries.
    std::set<std::string> names;
    std::map<int, int> sizes;
    for (const ShippedEntry& entry : catalogue.entries)
        ++sizes[entry.group];
    int expectedId = 1;
    for (const auto& [id, name] : catalogue.groups) {
        EXPECT_EQ(id, expectedId++);
        EXPECT_FALSE(name.empty()) << id;
        EXPECT_TRUE(names.insert(name).second) << "group name twice: " << name;
        EXPECT_GT(sizes[id], 0) << name;
    }
    EXPECT_EQ((int)catalogue.groups.size(), catalogue.maxGroup);

    // Each code once, titled with the system's name, below the appended codes.
    std::set<int> codes;
    for (const ShippedEntry& entry : catalogue.entries) {
        EXPECT_TRUE(codes.insert(entry.code).second) << "twice: " << entry.code;
        CProjectionCatalogue::LineBuffer name;
        CProjectionCatalogue::GetTitleFromWkt(entry.definition.c_str(), name);
        EXPECT_EQ(entry.title + "\n", std::string(name)) << entry.code;
        EXPECT_LT(entry.code, catalogue.maxCode);
    }

    // The registry's current geographic 2D and projected systems: each one is
    // listed, or its definition is too long for a catalogue line; no other.
    int count = 0;
    OSRCRSInfo** list = OSRGetCRSInfoListFromDatabase("EPSG", nullptr, &count);
    std::set<int> current;
    size_t leftOut = 0;
    for (int i = 0; i < count; ++i) {
        const OSRCRSInfo& info = *list[i];
        if (info.bDeprecated ||
            (info.eType != OSR_CRS_TYPE_GEOGRAPHIC_2D && info.eType != OSR_CRS_TYPE_PROJECTED))
            continue;
        const int code = std::atoi(info.pszCode);
        current.insert(code);
        if (codes.count(code))
            continue;
        ++leftOut;
        EXPECT_GT(Wkt(code).size(), (size_t)CProjectionCatalogue::kLineSize - 2) << "missing: " << code;
    }
    OSRDestroyCRSInfoList(list);
    for (int code : codes)
        EXPECT_TRUE(current.count(code)) << "deprecated or of another kind: " << code;
    EXPECT_GT(codes.size(), 5000u);
    EXPECT_LT(leftOut, codes.size() / 50);

    // A sample of the definitions reads back as the registry's system.
    for (size_t i = 0; i < catalogue.entries.size(); i += 97) {
        const ShippedEntry& entry = catalogue.entries[i];
        OGRSpatialReference srs, expected;
        ASSERT_EQ(srs.importFromWkt(entry.definition.c_str()), OGRERR_NONE) << entry.code;
        ASSERT_EQ(expected.importFromEPSG(entry.code), OGRERR_NONE) << entry.code;
        EXPECT_TRUE(srs.IsSame(&expected)) << entry.code;
    }
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(GeneratedCatalogue, ListsGroupsOfADatumWithTheirSystemsInTitleOrder)
{
    Shipped();
    Controls controls;
    CProjectionCatalogue::FillGroupCombo(controls.Combo());
    const Items groups = controls.ComboItems();
    const auto idOf = [&](const std::string& name) {
        for (const auto& [text, id] : groups)
            if (text == name)
                return id;
        return -1;
    };
    const auto listOf = [&](int group) {
        CProjectionCatalogue::FillProjectionList(group, controls.List());
        return controls.ListItems();
    };
    const auto position = [](const Items& items, const std::pair<std::string, int>& item) {
        return std::find(items.begin(), items.end(), item) - items.begin();
    };

    const struct {
        int code;
        const char* group;
        const char* title;
    } cases[] = {
        {4326, "WGS 84", "WGS 84"},
        {32632, "WGS 84", "WGS 84 / UTM zone 32N"},
        {4803, "Lisbon (Lisbon)", "Lisbon (Lisbon)"},
        {31467, "DHDN", "DHDN / 3-degree Gauss-Kruger zone 3"},
        {25832, "ETRS89", "ETRS89 / UTM zone 32N"},
        {2263, "NAD83", "NAD83 / New York Long Island (ftUS)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const int group = idOf(c.group);
        ASSERT_NE(group, -1);
        EXPECT_EQ(CProjectionCatalogue::GetGroupID(c.code), group);
        const Items items = listOf(group);
        EXPECT_LT(position(items, {c.title, c.code}), (long)items.size());
    }

    // The geographic system first, then the projected ones, numbers in order.
    const Items wgs84 = listOf(idOf("WGS 84"));
    ASSERT_FALSE(wgs84.empty());
    EXPECT_EQ(wgs84.front(), (std::pair<std::string, int>{"WGS 84", 4326}));
    EXPECT_LT(position(wgs84, {"WGS 84 / UTM zone 2N", 32602}), position(wgs84, {"WGS 84 / UTM zone 10N", 32610}));
    EXPECT_LT(position(wgs84, {"WGS 84 / UTM zone 10N", 32610}), position(wgs84, {"WGS 84 / UTM zone 32N", 32632}));
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(GeneratedCatalogue, SystemsBuiltFromTheirCodesAreFoundAndAnUnknownOneAppendedOnce)
{
    Shipped();
    // A copy, so that the shipped file is never appended to.
    TempFolder folder;
    const CString copy = folder.File("Projections.dat");
    WriteText(copy, ReadText(g_ProjectionCatalogPath));
    g_ProjectionCatalogPath = copy;
    const std::string before = ReadText(copy);

    for (int code : {4326, 4803, 31467, 32632, 2263}) {
        SCOPED_TRACE(code);
        std::unique_ptr<OGRSpatialReference> read(CProjectionCatalogue::CreateSpatialReference(code));
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->GetAxisMappingStrategy(), OAMS_TRADITIONAL_GIS_ORDER);
        OGRSpatialReference built;   // with the registry's axis order, which the lookup ignores
        built.importFromEPSG(code);
        EXPECT_EQ(CProjectionCatalogue::FindCode(&built), code);
        built.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        EXPECT_TRUE(read->IsSame(&built));
    }
    EXPECT_EQ(ReadText(copy), before);

    // A system of no registry (its unit factor is one that WKT rounds): appended
    // once as a group of its own, found by every later lookup.
    OGRSpatialReference local;
    local.importFromProj4("+proj=tmerc +lat_0=0 +lon_0=10.5 +k=0.9996 +x_0=250000 +y_0=0 +ellps=GRS80 +units=us-ft");
    char* wkt = nullptr;
    local.exportToWkt(&wkt);
    const std::string definition = wkt;
    CPLFree(wkt);
    CProjectionCatalogue::LineBuffer title;
    CProjectionCatalogue::GetTitleFromWkt(definition.c_str(), title);
    CProjectionCatalogue::TrimLineEnd(title);
    const std::string group = std::to_string(std::atoi(before.c_str() + 8) + 1);
    const std::string expected = "MAX_GRP=" + group + "\nMAX_EPSG=900001\n" + before.substr(before.find("GROUP=")) +
                                 "GROUP=" + title + "\nGROUP_ID=" + group + "\n" + Entry(900001, title, definition);
    for (int lookup = 0; lookup < 2; ++lookup) {
        EXPECT_EQ(CProjectionCatalogue::FindCode(&local), 900001);
        EXPECT_TRUE(ReadText(copy) == expected) << "lookup " << lookup;
    }
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

} // namespace

namespace {

// The criterion of a lookup: the same system in the same linear units, to the
// precision WKT keeps, whatever the axis order of the data.
bool SameSystem(const OGRSpatialReference& a, const OGRSpatialReference& b)
{
    const char* const options[] = {"IGNORE_DATA_AXIS_TO_SRS_AXIS_MAPPING=YES", nullptr};
    const double ua = a.GetLinearUnits(), ub = b.GetLinearUnits();
    return a.IsSame(&b, options) && std::fabs(ua - ub) <= 1e-12 * std::max(std::fabs(ua), std::fabs(ub));
}

std::unique_ptr<OGRSpatialReference> Imported(const std::string& wkt)
{
    auto srs = std::make_unique<OGRSpatialReference>();
    if (srs->importFromWkt(wkt.c_str()) != OGRERR_NONE)
        return nullptr;
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

std::string ExportedWkt(const OGRSpatialReference& srs)
{
    char* wkt = nullptr;
    srs.exportToWkt(&wkt);
    std::string text = wkt ? wkt : "";
    CPLFree(wkt);
    return text;
}

// A copy of the shipped catalogue that lookups may append to.
class CatalogueCopy : public GeneratedCatalogue {
protected:
    CatalogueCopy()
    {
        m_shipped = Shipped();
        m_catalogue = ParseShipped();
        m_copy = m_folder.File("Projections.dat");
        Restore();
    }
    static ShippedCatalogue ParseShipped() { return Parse(); }
    void Restore()
    {
        WriteText(m_copy, m_shipped);
        g_ProjectionCatalogPath = m_copy;
    }
    size_t PositionOf(int code) const
    {
        for (size_t i = 0; i < m_catalogue.entries.size(); ++i)
            if (m_catalogue.entries[i].code == code)
                return i;
        return m_catalogue.entries.size();
    }
    // The code found is the system's own or that of an earlier entry of the same system.
    void ExpectOwnOrEarlierIdentical(int code, int found)
    {
        SCOPED_TRACE(code);
        const size_t own = PositionOf(code), at = PositionOf(found);
        ASSERT_LT(at, m_catalogue.entries.size()) << "found " << found;
        EXPECT_LE(at, own);
        if (at != own) {
            auto a = Imported(m_catalogue.entries[own].definition), b = Imported(m_catalogue.entries[at].definition);
            ASSERT_TRUE(a && b);
            EXPECT_TRUE(SameSystem(*a, *b)) << found;
        }
    }

    // The answer of a scan that compares every entry in file order: the first
    // entry of the system itself, else of its one-line form read back; -1 for none.
    int Scan(const OGRSpatialReference& query)
    {
        if (m_stored.empty())
            for (const ShippedEntry& entry : m_catalogue.entries)
                m_stored.push_back(Imported(entry.definition));
        for (size_t i = 0; i < m_stored.size(); ++i)
            if (m_stored[i] && SameSystem(*m_stored[i], query))
                return m_catalogue.entries[i].code;
        const auto readBack = Imported(ExportedWkt(query));
        for (size_t i = 0; readBack && i < m_stored.size(); ++i)
            if (m_stored[i] && SameSystem(*m_stored[i], *readBack))
                return m_catalogue.entries[i].code;
        return -1;
    }

    TempFolder m_folder;
    std::vector<std::unique_ptr<OGRSpatialReference>> m_stored;
    std::string m_shipped;
    ShippedCatalogue m_catalogue;
    CString m_copy;
};

// Systems whose registry form says more than one-line WKT can (a quote in a
// datum name, a zoned grid, a spherical method variant) are found as stored.
TEST_F(CatalogueCopy, SystemsBuiltFromTheRegistryAreFoundEvenWhereWktSaysLess)
{
    for (int code : {4266, 26632, 26692, 9311, 32600, 32700}) {
        OGRSpatialReference built;
        ASSERT_EQ(built.importFromEPSG(code), OGRERR_NONE) << code;
        ExpectOwnOrEarlierIdentical(code, CProjectionCatalogue::FindCode(&built));
    }
    EXPECT_EQ(ReadText(m_copy), m_shipped);
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(CatalogueCopy, EveryShippedSystemIsFoundUnderItsCodeOrAnEarlierIdenticalOne)
{
    for (const ShippedEntry& entry : m_catalogue.entries) {
        OGRSpatialReference built;
        ASSERT_EQ(built.importFromEPSG(entry.code), OGRERR_NONE) << entry.code;
        ExpectOwnOrEarlierIdentical(entry.code, CProjectionCatalogue::FindCode(&built));
        std::unique_ptr<OGRSpatialReference> read(CProjectionCatalogue::CreateSpatialReference(entry.code));
        ASSERT_NE(read, nullptr) << entry.code;
        ExpectOwnOrEarlierIdentical(entry.code, CProjectionCatalogue::FindCode(read.get()));
        if (HasFailure())
            break;
    }
    EXPECT_EQ(ReadText(m_copy), m_shipped);
}

// The lookup compares only a few candidates; its answer must be the one of a
// scan that compares every entry in file order.
TEST_F(CatalogueCopy, LookupsAgreeWithAScanOfEveryEntry)
{
    const auto scan = [this](const OGRSpatialReference& query) { return Scan(query); };

    std::mt19937 random(20261211u);
    std::uniform_int_distribution<size_t> pick(0, m_catalogue.entries.size() - 1);
    for (int round = 0; round < 12; ++round) {
        const ShippedEntry& entry = m_catalogue.entries[pick(random)];
        std::vector<std::unique_ptr<OGRSpatialReference>> queries;
        queries.push_back(Imported(entry.definition));
        auto registry = std::make_unique<OGRSpatialReference>();
        registry->importFromEPSG(entry.code);
        queries.push_back(std::move(registry));
        // Near misses: the same system in other units, a parameter moved a little.
        auto feet = Imported(entry.definition);
        if (feet->IsProjected())
            feet->SetLinearUnits("US survey foot", 0.304800609601219);
        queries.push_back(std::move(feet));
        auto moved = Imported(entry.definition);
        if (moved->IsProjected())
            moved->SetNormProjParm(SRS_PP_FALSE_EASTING, moved->GetNormProjParm(SRS_PP_FALSE_EASTING, 0) + 0.5);
        else
            moved->SetGeogCS("moved", "moved", "moved", moved->GetSemiMajor() + 0.5, moved->GetInvFlattening());
        queries.push_back(std::move(moved));

        for (size_t q = 0; q < queries.size(); ++q) {
            SCOPED_TRACE(std::to_string(entry.code) + " query " + std::to_string(q));
            const int expected = scan(*queries[q]);
            const int found = CProjectionCatalogue::FindCode(queries[q].get());
            if (expected != -1)
                EXPECT_EQ(found, expected);
            else
                EXPECT_GT(found, m_catalogue.maxCode);   // appended
            Restore();
        }
    }
}

// A lookup repeated for a system, or for the same object changed in between,
// answers as the first lookup of that system would: answers kept from earlier
// lookups belong to the system, not to the object that asked.
TEST_F(CatalogueCopy, RepeatedLookupsFollowTheSystemAsItChanges)
{
    struct Step {
        const char* what;
        void (*change)(OGRSpatialReference&);
    };
    struct Case {
        int code;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {32633,
         {{"as built", nullptr},
          {"zone 32", [](OGRSpatialReference& srs) { srs.SetNormProjParm(SRS_PP_CENTRAL_MERIDIAN, 9); }},
          {"zone 33 again", [](OGRSpatialReference& srs) { srs.SetNormProjParm(SRS_PP_CENTRAL_MERIDIAN, 15); }}}},
        {4326,
         {{"as built", nullptr},
          {"NAD83", [](OGRSpatialReference& srs) { srs.SetWellKnownGeogCS("NAD83"); }},
          {"WGS 84 again", [](OGRSpatialReference& srs) { srs.SetWellKnownGeogCS("WGS84"); }}}},
        // A third axis: the lookup writes another form of WKT than the tree holds.
        {4979, {{"as built", nullptr}}},
        {2056, {{"as built", nullptr}, {"US survey feet", [](OGRSpatialReference& srs) {
                     srs.SetLinearUnits("US survey foot", 0.304800609601219);
                 }}}},
    };
    for (const Case& c : cases) {
        OGRSpatialReference srs;
        ASSERT_EQ(srs.importFromEPSG(c.code), OGRERR_NONE) << c.code;
        for (const Step& step : c.steps) {
            SCOPED_TRACE(std::to_string(c.code) + " " + step.what);
            if (step.change)
                step.change(srs);
            const int expected = Scan(srs);
            // Twice: the second answer comes from what the first one kept.
            const std::string shipped = ReadText(m_copy);
            const int first = CProjectionCatalogue::FindCode(&srs);
            if (expected != -1)
                EXPECT_EQ(first, expected);
            else if (first != -1)
                EXPECT_GT(first, m_catalogue.maxCode);   // appended
            else
                EXPECT_EQ(ReadText(m_copy), shipped);    // cannot be stored to be found again
            const std::string before = ReadText(m_copy);
            EXPECT_EQ(CProjectionCatalogue::FindCode(&srs), first);
            EXPECT_EQ(ReadText(m_copy), before);
        }
        Restore();
    }
}

// A rewrite keeps what the catalogue knew of the definitions it still holds;
// an entry whose definition it replaced answers with the new one only.
TEST_F(CatalogueCopy, ARewriteAnswersWithTheDefinitionsItWrote)
{
    OGRSpatialReference zone33, zone32;
    ASSERT_EQ(zone33.importFromEPSG(32633), OGRERR_NONE);
    ASSERT_EQ(zone32.importFromEPSG(32632), OGRERR_NONE);
    const int group33 = CProjectionCatalogue::GetGroupID(32633);
    ASSERT_NE(group33, -1);
    // Known before the rewrite: the zone's import, its key and its answer.
    ASSERT_EQ(CProjectionCatalogue::FindCode(&zone33), Scan(zone33));
    std::unique_ptr<OGRSpatialReference> before(CProjectionCatalogue::CreateSpatialReference(32633));
    ASSERT_NE(before, nullptr);
    ASSERT_TRUE(SameSystem(*before, zone33));

    // Entry 32633 now holds zone 32.
    CProjectionCatalogue::LineBuffer definition32;
    ASSERT_EQ(CProjectionCatalogue::GetDefinition(32632, definition32), 1);
    ASSERT_TRUE(CProjectionCatalogue::WriteEntry(group33, 32633, definition32, nullptr, nullptr));

    std::unique_ptr<OGRSpatialReference> after(CProjectionCatalogue::CreateSpatialReference(32633));
    ASSERT_NE(after, nullptr);
    EXPECT_TRUE(SameSystem(*after, zone32));
    EXPECT_FALSE(SameSystem(*after, zone33));
    // Zone 33 is no longer in the catalogue: it is appended; zone 32 is found
    // under its own code or the replaced entry, whichever comes first.
    const int found33 = CProjectionCatalogue::FindCode(&zone33);
    EXPECT_GT(found33, m_catalogue.maxCode);
    const int found32 = CProjectionCatalogue::FindCode(&zone32);
    EXPECT_TRUE(found32 == 32632 || found32 == 32633) << found32;
    std::unique_ptr<OGRSpatialReference> foundSystem(CProjectionCatalogue::CreateSpatialReference(found32));
    ASSERT_NE(foundSystem, nullptr);
    EXPECT_TRUE(SameSystem(*foundSystem, zone32));
}

} // namespace
