// The catalogue file: its readers, the lists they fill, the lookup of a system's
// code and the rewrite that appends or replaces an entry.
#include "tests/model/projections/ProjectionTestSupport.h"

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <memory>
#include <utility>

using namespace projtest;

namespace {

class Catalogue : public CatalogueTest {};

TEST_F(Catalogue, GroupsAreListedInFileOrderWithTheirIds)
{
    // A GROUP= line without its id adds nothing, and the line after it is still read.
    Write(TwoGroups() + "GROUP=Broken\nGROUP=Last \t\nGROUP_ID=9\n" + Entry(4258, "ETRS89", Wkt(4258)));
    Controls controls;
    controls.PutStale();
    CProjectionCatalogue::FillGroupCombo(controls.Combo());
    EXPECT_EQ(controls.ComboItems(), (Items{{"Geographic", 1}, {"UTM", 7}, {"Last", 9}}));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(Catalogue, ProjectionListsStopWhereTheEntriesEnd)
{
    const std::string head = "MAX_GRP=3\nMAX_EPSG=900000\nGROUP=G\nGROUP_ID=3\n";
    const std::string a = Entry(4326, "WGS 84  ", "GEOGCS[\"a\"]");
    const std::string b = Entry(4803, "Lisbon", "GEOGCS[\"b\"]");
    const struct {
        const char* name;
        std::string file;
        int group;
        Items expected;
    } cases[] = {
        {"whole group", head + a + b + "GROUP=H\nGROUP_ID=4\n" + Entry(1, "next group", "X"), 3,
         {{"WGS 84", 4326}, {"Lisbon", 4803}}},
        {"code 0 ends the list", head + a + Entry(0, "zero", "X") + b, 3, {{"WGS 84", 4326}}},
        {"a missing TITLE= ends the list", head + a + "EPSG=4803\nLisbon\nX\n" + b, 3, {{"WGS 84", 4326}}},
        {"an entry cut off by the end of the file", head + a + "EPSG=4803\nTITLE=Lisbon\n", 3, {{"WGS 84", 4326}}},
        {"another group", head + a, 4, {}},
        {"a GROUP_ID= inside a definition line does not count", head + a + "x GROUP_ID=5\n", 5, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.file);
        Controls controls;
        controls.PutStale();
        CProjectionCatalogue::FillProjectionList(c.group, controls.List());
        EXPECT_EQ(controls.ListItems(), c.expected);
    }
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(Catalogue, DefinitionsAndGroupsByCode)
{
    Write(TwoGroups() + "GROUP=Cut\nGROUP_ID=8\nEPSG=2056\nTITLE=CH1903+ / LV95\n");
    const struct {
        int code;
        int found;
        int group;
        std::string definition;
    } cases[] = {
        {4326, 1, 1, Wkt(4326) + "\n"},
        {4803, 1, 1, Wkt(4803) + "\n"},
        {32632, 1, 7, Wkt(32632) + "\n"},
        {2056, 0, 8, ""},   // the definition line is missing
        {3857, 0, -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        CProjectionCatalogue::LineBuffer definition = {};
        EXPECT_EQ(CProjectionCatalogue::GetDefinition(c.code, definition), c.found);
        if (c.found) {
            EXPECT_EQ(std::string(definition), c.definition);
        }
        EXPECT_EQ(CProjectionCatalogue::GetGroupID(c.code), c.group);
        std::unique_ptr<OGRSpatialReference> srs(CProjectionCatalogue::CreateSpatialReference(c.code));
        ASSERT_EQ(srs != nullptr, c.found == 1);
        if (srs) {
            OGRSpatialReference expected;
            expected.importFromEPSG(c.code);
        expected.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
            EXPECT_TRUE(srs->IsSame(&expected));
            EXPECT_EQ(srs->GetAxisMappingStrategy(), OAMS_TRADITIONAL_GIS_ORDER);
        }
    }
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(Catalogue, AMissingFileIsReportedByEveryReaderButTheGroupLookup)
{
    g_ProjectionCatalogPath = m_folder.File("none/Projections.dat");
    Controls controls;
    controls.PutStale();
    CProjectionCatalogue::FillGroupCombo(controls.Combo());
    CProjectionCatalogue::FillProjectionList(1, controls.List());
    EXPECT_TRUE(controls.ComboItems().empty());
    EXPECT_TRUE(controls.ListItems().empty());
    CProjectionCatalogue::LineBuffer definition = {};
    EXPECT_EQ(CProjectionCatalogue::GetDefinition(4326, definition), 0);
    EXPECT_EQ(CProjectionCatalogue::GetGroupID(4326), -1);
    OGRSpatialReference srs;
    srs.importFromEPSG(4326);
    EXPECT_EQ(CProjectionCatalogue::FindCode(&srs), -1);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>(4, kCatalogueMissing));
    EXPECT_FALSE(std::filesystem::exists(g_ProjectionCatalogPath.GetString()));
}

TEST_F(Catalogue, AKnownSystemIsFoundAndTheFileLeftAsItWas)
{
    const std::string before = TwoGroups();
    Write(before);
    for (int code : {4326, 4803, 32632}) {
        SCOPED_TRACE(code);
        OGRSpatialReference srs;
        srs.importFromEPSG(code);   // authority axis order: the mapping does not matter
        EXPECT_EQ(CProjectionCatalogue::FindCode(&srs), code);
    }
    EXPECT_EQ(Read(), before);
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"Projections.dat"});
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(Catalogue, AnUnknownSystemIsAppendedAsAGroupOfItsOwn)
{
    // Broken definitions on the way are skipped, not taken for a match.
    const std::string before = TwoGroups() + "GROUP=Bad\nGROUP_ID=2\n" + Entry(5, "bad", "PROJCS[broken");
    Write(before);
    OGRSpatialReference swiss;
    swiss.importFromEPSG(2056);
    EXPECT_EQ(CProjectionCatalogue::FindCode(&swiss), 900001);

    const std::string wkt = Wkt(2056);
    const std::string body = before.substr(before.find("GROUP="));
    EXPECT_EQ(Read(), "MAX_GRP=8\nMAX_EPSG=900001\n" + body + "GROUP=CH1903+ / LV95\nGROUP_ID=8\n" +
                          Entry(900001, "CH1903+ / LV95", wkt));
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"Projections.dat"});

    // Found again from now on; a second unknown system continues the counters.
    EXPECT_EQ(CProjectionCatalogue::FindCode(&swiss), 900001);
    EXPECT_EQ(CProjectionCatalogue::GetGroupID(900001), 8);
    OGRSpatialReference mercator;
    mercator.importFromEPSG(3857);
    EXPECT_EQ(CProjectionCatalogue::FindCode(&mercator), 900002);
    EXPECT_EQ(Read().substr(0, 27), "MAX_GRP=9\nMAX_EPSG=900002\nG");
    EXPECT_EQ(CProjectionCatalogue::GetGroupID(900002), 9);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(Catalogue, TheSameSystemInOtherUnitsIsAnotherSystemAppendedOnce)
{
    // WKT prints the US survey foot's factor one bit off: the entry must still
    // be found again, not appended anew by every lookup.
    const struct {
        const char* unit;
        double factor;
    } cases[] = {{SRS_UL_FOOT, CPLAtof(SRS_UL_FOOT_CONV)}, {SRS_UL_US_FOOT, 1200.0 / 3937.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unit);
        Write(TwoGroups());
        OGRSpatialReference feet;
        feet.importFromEPSG(32632);
        feet.SetLinearUnitsAndUpdateParameters(c.unit, c.factor);
        EXPECT_EQ(CProjectionCatalogue::FindCode(&feet), 900001);
        const std::string appended = Read();
        EXPECT_EQ(CProjectionCatalogue::FindCode(&feet), 900001);
        EXPECT_EQ(Read(), appended);
    }
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(Catalogue, TitlesComeFromTheFirstQuotedName)
{
    const struct {
        const char* definition;
        const char* title;
    } cases[] = {
        {"PROJCS[\"WGS 84 / UTM zone 32N\",GEOGCS[\"WGS 84\"]]", "WGS 84 / UTM zone 32N\n"},
        {"LOCAL_CS[plain]", "\n"},
        {"GEOGCS[\"unterminated\n", "unterminated\n"},
        {"", "\n"},
    };
    for (const auto& c : cases) {
        CProjectionCatalogue::LineBuffer title;
        CProjectionCatalogue::GetTitleFromWkt(c.definition, title);
        EXPECT_EQ(std::string(title), c.title) << c.definition;
    }
    // A name as long as a line still leaves room for the line end.
    const std::string longName = "GEOGCS[\"" + std::string(2000, 'n') + "\"]";
    CProjectionCatalogue::LineBuffer title;
    CProjectionCatalogue::GetTitleFromWkt(longName.c_str(), title);
    EXPECT_EQ(std::strlen(title), (size_t)CProjectionCatalogue::kLineSize - 1);
    EXPECT_EQ(title[CProjectionCatalogue::kLineSize - 2], '\n');
}

TEST_F(Catalogue, ADefinitionWithoutQuotesGivesAnEmptyTitleAndGroupName)
{
    Write("MAX_GRP=1\nMAX_EPSG=10\nGROUP=A\nGROUP_ID=1\n" + Entry(4326, "WGS 84", "W"));
    EXPECT_TRUE(CProjectionCatalogue::WriteEntry(2, 11, "LOCAL_CS[plain]", nullptr, nullptr));
    EXPECT_EQ(Read(), "MAX_GRP=2\nMAX_EPSG=11\nGROUP=A\nGROUP_ID=1\n" + Entry(4326, "WGS 84", "W") +
                          "GROUP=\nGROUP_ID=2\n" + Entry(11, "", "LOCAL_CS[plain]"));
}

TEST_F(Catalogue, AnEntryOfTheSameGroupAndCodeIsReplaced)
{
    const std::string group2 = "GROUP=B\nGROUP_ID=2\n" + Entry(7, "old", "OLD") + Entry(8, "keep", "KEEP");
    Write("MAX_GRP=5\nMAX_EPSG=900\nGROUP=A\nGROUP_ID=1\n" + Entry(7, "other group", "A7") + group2 +
          "stray line\n");
    EXPECT_TRUE(CProjectionCatalogue::WriteEntry(2, 7, "NEW[\"x\"]\n", "New title\n", "ignored"));
    // The counters never go down; a line outside any group is not copied.
    EXPECT_EQ(Read(), "MAX_GRP=5\nMAX_EPSG=900\nGROUP=A\nGROUP_ID=1\n" + Entry(7, "other group", "A7") +
                          "GROUP=B\nGROUP_ID=2\n" + Entry(7, "New title", "NEW[\"x\"]") +
                          Entry(8, "keep", "KEEP"));
}

TEST_F(Catalogue, ALineTooLongForTheReadersBreaksItsEntryButSurvivesARewrite)
{
    const std::string longDefinition = "GEOGCS[\"long\"," + std::string(1200, 'x') + "]";
    const std::string file = "MAX_GRP=1\nMAX_EPSG=900000\nGROUP=A\nGROUP_ID=1\n" + Entry(4326, "WGS 84", Wkt(4326)) +
                             Entry(77, "Long", longDefinition) + Entry(4803, "Lisbon (Lisbon)", Wkt(4803));
    Write(file);

    CProjectionCatalogue::LineBuffer definition = {};
    ASSERT_EQ(CProjectionCatalogue::GetDefinition(77, definition), 1);
    EXPECT_EQ(std::string(definition), longDefinition.substr(0, CProjectionCatalogue::kLineSize - 1));
    EXPECT_EQ(std::unique_ptr<OGRSpatialReference>(CProjectionCatalogue::CreateSpatialReference(77)), nullptr);
    Controls controls;
    CProjectionCatalogue::FillProjectionList(1, controls.List());
    EXPECT_EQ(controls.ListItems(), (Items{{"WGS 84", 4326}, {"Long", 77}}));

    EXPECT_TRUE(CProjectionCatalogue::WriteEntry(2, 900001, "LOCAL_CS[\"n\"]", nullptr, nullptr));
    EXPECT_EQ(Read(), "MAX_GRP=2\nMAX_EPSG=900001\n" + file.substr(file.find("GROUP=")) + "GROUP=n\nGROUP_ID=2\n" +
                          Entry(900001, "n", "LOCAL_CS[\"n\"]"));
}

TEST_F(Catalogue, AFailedRewriteLeavesTheOldFile)
{
    const std::string before = TwoGroups();
    Write(before);

    // Files may not grow past 100 bytes while the rewrite runs: the new
    // catalogue cannot be completed.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    OGRSpatialReference swiss;
    swiss.importFromEPSG(2056);
    const int code = CProjectionCatalogue::FindCode(&swiss);
    const BOOL written = CProjectionCatalogue::WriteEntry(3, 900005, "LOCAL_CS[\"n\"]", nullptr, nullptr);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(code, -1);
    EXPECT_FALSE(written);
    EXPECT_EQ(Read(), before);
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"Projections.dat"});
    ASSERT_EQ(BoxTexts().size(), 2u);
    EXPECT_NE(BoxTexts()[0].find("Projections.dat"), std::string::npos);
}

TEST_F(Catalogue, AnEntryTooLongForTheReadersIsNeverWritten)
{
    Write(TwoGroups());
    OGRSpatialReference srs;
    srs.importFromProj4("+proj=tmerc +lon_0=9 +k=0.9996 +x_0=123456 +datum=WGS84 +units=m");
    srs.SetProjCS(std::string(1000, 'n').c_str());
    // Every lookup would append it again, since none could read it back.
    EXPECT_EQ(CProjectionCatalogue::FindCode(&srs), -1);
    EXPECT_EQ(CProjectionCatalogue::FindCode(&srs), -1);
    EXPECT_EQ(CProjectionCatalogue::AppendSystem(&srs, -1, -1), -1);
    const std::string longLine(CProjectionCatalogue::kLineSize - 1, 'x');
    EXPECT_FALSE(CProjectionCatalogue::WriteEntry(8, 900001, longLine.c_str(), "t", "g"));
    EXPECT_FALSE(CProjectionCatalogue::WriteEntry(8, 900001, "LOCAL_CS[\"n\"]", longLine.c_str(), "g"));
    EXPECT_EQ(Read(), TwoGroups());
    // The longest line that reads back whole is written.
    EXPECT_TRUE(CProjectionCatalogue::WriteEntry(8, 900001, longLine.substr(1).c_str(), "t", "g"));
    EXPECT_NE(Read().find("\n" + longLine.substr(1) + "\n"), std::string::npos);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST(CatalogueText, TrimLineEndKeepsTheFirstCharacter)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"name  \n", "name"}, {"name\r\n", "name"}, {"a b \t \n", "a b"}, {"\n", "\n"}, {" ", " "}, {"", ""},
    };
    for (const auto& c : cases) {
        char text[32];
        std::strcpy(text, c.in);
        CProjectionCatalogue::TrimLineEnd(text);
        EXPECT_STREQ(text, c.out) << '"' << c.in << '"';
    }
}

} // namespace
