// The catalogue the build writes next to the programs: found where the program
// looks for it, and every entry of it usable.
#include "tests/model/projections/ProjectionTestSupport.h"

#include <climits>
#include <cstdlib>
#include <set>
#include <sstream>

using namespace projtest;

namespace {

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

    ModalRecorder m_boxes;

private:
    CString m_savedPath;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(GeneratedCatalogue, LiesNextToTheProgram)
{
    const std::string text = Shipped();
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(std::string(g_ProjectionCatalogPath), (program.parent_path() / "Projections.dat").string());
    EXPECT_FALSE(text.empty());
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(GeneratedCatalogue, EveryEntryImportsAndFitsOnALine)
{
    const std::vector<std::string> lines = Lines(Shipped());
    ASSERT_GT(lines.size(), 2u);
    ASSERT_EQ(lines[0].rfind("MAX_GRP=", 0), 0u);
    ASSERT_EQ(lines[1].rfind("MAX_EPSG=", 0), 0u);
    const int maxGroup = std::atoi(lines[0].c_str() + 8);
    const int maxCode = std::atoi(lines[1].c_str() + 9);

    std::set<int> codes, groups;
    for (size_t i = 2; i < lines.size(); ++i) {
        EXPECT_LT(lines[i].size() + 1, (size_t)CProjectionCatalogue::kLineSize) << "line " << i + 1;
        if (lines[i].rfind("GROUP_ID=", 0) == 0)
            groups.insert(std::atoi(lines[i].c_str() + 9));
        if (lines[i].rfind("EPSG=", 0) != 0)
            continue;
        const int code = std::atoi(lines[i].c_str() + 5);
        ASSERT_LT(i + 2, lines.size());
        EXPECT_EQ(lines[i + 1].rfind("TITLE=", 0), 0u) << code;
        EXPECT_TRUE(codes.insert(code).second) << "twice: " << code;
        OGRSpatialReference srs;
        EXPECT_EQ(srs.importFromWkt(lines[i + 2].c_str()), OGRERR_NONE) << code;
        OGRSpatialReference expected;
        expected.importFromEPSG(code);
        EXPECT_TRUE(srs.IsSame(&expected)) << code;
    }
    for (int code : {4326, 4258, 4803, 3857, 32601, 32660, 32701, 32760, 25832, 25833, 27700, 31466, 31469, 2056,
                     21781, 2180, 3035, 26910, 26919})
        EXPECT_TRUE(codes.count(code)) << code;
    EXPECT_GT(maxCode, *codes.rbegin());
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(*groups.rbegin(), maxGroup);
    EXPECT_EQ(*groups.begin(), 1);
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(GeneratedCatalogue, TheDefaultSystemsAreReadThroughTheCatalogue)
{
    Shipped();
    for (int code : {4326, 4803}) {
        std::unique_ptr<OGRSpatialReference> srs(CProjectionCatalogue::CreateSpatialReference(code));
        ASSERT_NE(srs, nullptr) << code;
        EXPECT_TRUE(srs->IsGeographic());
        EXPECT_EQ(CProjectionCatalogue::GetGroupID(code), 1);
    }

    // A copy, so that the shipped file is never appended to.
    TempFolder folder;
    const CString copy = folder.File("Projections.dat");
    WriteText(copy, ReadText(g_ProjectionCatalogPath));
    g_ProjectionCatalogPath = copy;
    const std::string before = ReadText(copy);
    for (int code : {32632, 25833, 3857}) {
        OGRSpatialReference srs;
        srs.importFromEPSG(code);
        EXPECT_EQ(CProjectionCatalogue::FindCode(&srs), code);
    }
    EXPECT_EQ(ReadText(copy), before);
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

} // namespace
