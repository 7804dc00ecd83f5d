// The user's copy of the catalogue beside the profile: appended systems go
// there when the installed file may not be replaced, later reads take it, and
// when no file can be written the lookup fails with a message and nothing lost.
#include "tests/model/projections/ProjectionTestSupport.h"

#include <sys/stat.h>

using namespace projtest;

namespace {

const char* const kCannotWrite = "Can not write the projection catalogue ";

class UserCopy : public CatalogueTest {
protected:
    UserCopy()
        : m_profile(m_folder.Path() + "/config"),
          m_userCopy((m_folder.Path() + "/config/Kolvo powered Applications/Projections.dat").c_str())
    {
    }

    // Makes `path` read-only until the test ends (even the superuser then
    // leaves it alone); the folder must be removable afterwards.
    void MakeReadOnly(const std::string& path)
    {
        struct stat info {};
        ASSERT_EQ(stat(path.c_str(), &info), 0) << path;
        m_readOnly.emplace_back(path, info.st_mode & 07777);
        ASSERT_EQ(chmod(path.c_str(), S_ISDIR(info.st_mode) ? 0555 : 0444), 0);
    }
    ~UserCopy() override
    {
        for (auto it = m_readOnly.rbegin(); it != m_readOnly.rend(); ++it)
            chmod(it->first.c_str(), it->second);
    }

    static int FindCodeOf(int epsg)
    {
        OGRSpatialReference srs;
        srs.importFromEPSG(epsg);
        return CProjectionCatalogue::FindCode(&srs);
    }
    // The catalogue of TwoGroups after CH1903+ / LV95 was appended to it.
    static std::string WithSwiss()
    {
        const std::string before = TwoGroups();
        return "MAX_GRP=8\nMAX_EPSG=900001\n" + before.substr(before.find("GROUP=")) +
               "GROUP=CH1903+ / LV95\nGROUP_ID=8\n" + Entry(900001, "CH1903+ / LV95", Wkt(2056));
    }
    static bool HasTemporaryFiles(const std::filesystem::path& folder)
    {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            if (entry.path().filename().string().find("tempfile_") != std::string::npos)
                return true;
        return false;
    }

    ProfileFolder m_profile;
    CString m_userCopy;

private:
    std::vector<std::pair<std::string, mode_t>> m_readOnly;
};

TEST_F(UserCopy, AppendingToACatalogueThatMayNotBeReplacedWritesTheUsersCopy)
{
    const struct {
        const char* name;
        bool readOnlyFolder;
    } cases[] = {{"read-only file", false}, {"read-only folder", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = m_folder.Path() + "/" + c.name;
        std::filesystem::create_directory(folder);
        const CString installed = (folder + "/Projections.dat").c_str();
        std::filesystem::remove(m_userCopy.GetString());
        WriteText(installed, TwoGroups());
        MakeReadOnly(c.readOnlyFolder ? folder : installed.str());
        g_ProjectionCatalogPath = installed;

        EXPECT_EQ(FindCodeOf(2056), 900001);
        EXPECT_EQ(ReadText(installed), TwoGroups());
        EXPECT_EQ(g_ProjectionCatalogPath.str(), m_userCopy.str());
        EXPECT_EQ(ReadText(m_userCopy), WithSwiss());
        // The copy is its owner's to extend again.
        const auto permissions = std::filesystem::status(m_userCopy.GetString()).permissions();
        EXPECT_NE(permissions & std::filesystem::perms::owner_write, std::filesystem::perms::none);

        // Found there from now on, and the next system continues its counters.
        EXPECT_EQ(FindCodeOf(2056), 900001);
        EXPECT_EQ(FindCodeOf(3857), 900002);
        EXPECT_EQ(ReadText(installed), TwoGroups());
        EXPECT_EQ(ReadText(m_userCopy).substr(0, 26), "MAX_GRP=9\nMAX_EPSG=900002\n");
        EXPECT_FALSE(HasTemporaryFiles(folder));
        EXPECT_FALSE(HasTemporaryFiles(std::filesystem::path(m_userCopy.GetString()).parent_path()));
    }
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(UserCopy, ReadsPreferTheUsersCopyOnceItExists)
{
    g_ProjectionCatalogPath.Empty();
    CProjectionCatalogue::InitPath();
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(std::string(g_ProjectionCatalogPath), (program.parent_path() / "Projections.dat").string());

    std::filesystem::create_directories(std::filesystem::path(m_userCopy.GetString()).parent_path());
    WriteText(m_userCopy, WithSwiss());
    g_ProjectionCatalogPath.Empty();
    CProjectionCatalogue::LineBuffer definition = {};
    EXPECT_EQ(CProjectionCatalogue::GetDefinition(900001, definition), 1);
    EXPECT_EQ(g_ProjectionCatalogPath.str(), m_userCopy.str());
    EXPECT_EQ(std::string(definition), Wkt(2056) + "\n");
    EXPECT_EQ(CProjectionCatalogue::GetGroupID(900001), 8);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(UserCopy, AUserCopyMadeByAnotherRunIsTheOneExtended)
{
    // This run took the installed file before another run wrote the copy.
    WriteText(m_catalogue, TwoGroups());
    MakeReadOnly(m_catalogue.str());
    std::filesystem::create_directories(std::filesystem::path(m_userCopy.GetString()).parent_path());
    WriteText(m_userCopy, WithSwiss());

    EXPECT_EQ(FindCodeOf(2056), 900001);
    EXPECT_EQ(ReadText(m_userCopy), WithSwiss());
    // Not 900001 a second time, and the copy keeps the other run's entry.
    EXPECT_EQ(FindCodeOf(3857), 900002);
    const std::string copy = ReadText(m_userCopy);
    EXPECT_EQ(copy.substr(0, 26), "MAX_GRP=9\nMAX_EPSG=900002\n");
    EXPECT_NE(copy.find(Entry(900001, "CH1903+ / LV95", Wkt(2056))), std::string::npos);
    EXPECT_EQ(ReadText(m_catalogue), TwoGroups());
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(UserCopy, WhenNoFileCanBeWrittenTheLookupFailsWithAMessageAndNothingLost)
{
    const std::filesystem::path profileFolder = std::filesystem::path(m_userCopy.GetString()).parent_path();
    const struct {
        const char* name;
        bool catalogueIsUserCopy;
    } cases[] = {
        // The profile's folder is taken by a file: no copy can be made there.
        {"installed file read-only, no folder for the copy", false},
        {"the user's copy itself read-only", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(profileFolder);
        CString catalogue = m_catalogue;
        if (c.catalogueIsUserCopy) {
            std::filesystem::create_directories(profileFolder);
            catalogue = m_userCopy;
        } else {
            std::filesystem::create_directories(profileFolder.parent_path());
            WriteText(profileFolder.string().c_str(), "not a folder");
        }
        WriteText(catalogue, TwoGroups());
        MakeReadOnly(catalogue.str());
        g_ProjectionCatalogPath = catalogue;
        m_boxes.Clear();

        EXPECT_EQ(FindCodeOf(2056), -1);
        EXPECT_EQ(FindCodeOf(2056), -1);
        EXPECT_FALSE(CProjectionCatalogue::WriteEntry(9, 900009, "LOCAL_CS[\"n\"]", nullptr, nullptr));
        const std::vector<std::string> boxes = BoxTexts();
        ASSERT_EQ(boxes.size(), 3u);
        for (const std::string& box : boxes)
            EXPECT_EQ(box.rfind(kCannotWrite, 0), 0u) << box;
        EXPECT_EQ(ReadText(catalogue), TwoGroups());
        EXPECT_EQ(g_ProjectionCatalogPath.str(), catalogue.str());
        EXPECT_FALSE(HasTemporaryFiles(m_folder.Path()));
        if (c.catalogueIsUserCopy)
            EXPECT_FALSE(HasTemporaryFiles(profileFolder));
        else
            EXPECT_EQ(ReadText(profileFolder.string().c_str()), "not a folder");
    }
}

} // namespace
