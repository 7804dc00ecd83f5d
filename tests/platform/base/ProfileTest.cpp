// The profile: where its file lives, strings, integers and binary values read
// back exactly, and deletion.
#include "platform/base/Afx.h"
#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {
// Each test writes a profile file of its own under the test run's configuration folder.
class Profile : public ::testing::Test {
protected:
    void SetUp() override
    {
        Reopen();
        std::filesystem::remove(AfxGetProfilePath().str());
        Reopen();
    }
    // Chooses this test's profile and drops what is cached, so that the next
    // reads come from the file.
    static void Reopen()
    {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        AfxSetProfileKey("Test Vendor Applications", ("Profile " + name).c_str());
    }
};
}

TEST_F(Profile, FileLivesUnderTheKeyInTheConfigurationFolder)
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(AfxGetProfilePath().str(), std::string(config) +
                                             "/Test Vendor Applications/Profile FileLivesUnderTheKeyInTheConfigurationFolder.ini");
    EXPECT_TRUE(AfxWriteProfileString("Settings", "AutoSearchCommPort", "/dev/ttyUSB0"));
    EXPECT_TRUE(std::filesystem::exists(AfxGetProfilePath().str()));
}

TEST_F(Profile, StringsReadBackByteForByte)
{
    const std::vector<std::string> values = {
        "MS Sans Serif, 0, 12",
        "1,16777215,0,16777215,1,1,0,Map Symbols,0,12,60,1",
        "  leading blanks",
        "trailing blanks  ",
        "\"quoted\" and 'single'",
        "a;b=c # not a comment",
        "[Section]",
        "@ByteArray(not bytes)",
        "back\\slash/and/slash",
        "line\nbreak\r\nand\ttab",
        "\xC3\x98 10 mm, \xE6\x97\xA5\xE6\x9C\xAC",
        "\xD8 not UTF-8 \xFF",
        "",
        "true",
        "%41%2F",
    };
    for (size_t i = 0; i < values.size(); ++i) {
        const std::string key = "Key " + std::to_string(i);
        ASSERT_TRUE(AfxWriteProfileString("Settings", key.c_str(), values[i].c_str()));
    }
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "cached" : "from the file");
        for (size_t i = 0; i < values.size(); ++i) {
            const std::string key = "Key " + std::to_string(i);
            EXPECT_EQ(AfxGetProfileString("Settings", key.c_str(), "default").str(), values[i]) << key;
        }
        Reopen();
    }
}

TEST_F(Profile, NamesWithSpacesAndSeparators)
{
    struct Case {
        const char* section;
        const char* entry;
    };
    const Case cases[] = {{"Settings", "Save settings on exit"}, {"Fonts", "Dialog Window"},
                          {"Recent File List", "File1"},     {"a/b", "c\\d"},
                          {"General", "key"},                {"Settings", "50% zoom"}};
    for (const Case& c : cases)
        ASSERT_TRUE(AfxWriteProfileString(c.section, c.entry, (std::string(c.section) + "|" + c.entry).c_str()));
    Reopen();
    for (const Case& c : cases)
        EXPECT_EQ(AfxGetProfileString(c.section, c.entry).str(), std::string(c.section) + "|" + c.entry);
    // Separators are part of the name: no group "a" was made.
    EXPECT_STREQ(AfxGetProfileString("a", "b/c\\d", "none"), "none");
}

TEST_F(Profile, MissingEntriesAndDeletion)
{
    EXPECT_STREQ(AfxGetProfileString("Settings", "Zoom Size", "1.5"), "1.5");
    EXPECT_STREQ(AfxGetProfileString("Settings", "Zoom Size"), "");

    AfxWriteProfileString("Settings", "X", "1");
    AfxWriteProfileString("Settings", "Y", "2");
    AfxWriteProfileString("Fonts", "Map Window", "Arial,0,12");
    EXPECT_TRUE(AfxWriteProfileString("Settings", "X", nullptr));
    EXPECT_STREQ(AfxGetProfileString("Settings", "X", "gone"), "gone");
    EXPECT_STREQ(AfxGetProfileString("Settings", "Y"), "2");
    EXPECT_TRUE(AfxWriteProfileString("Settings", nullptr, nullptr));
    Reopen();
    EXPECT_STREQ(AfxGetProfileString("Settings", "Y", "gone"), "gone");
    EXPECT_STREQ(AfxGetProfileString("Fonts", "Map Window"), "Arial,0,12");
    // An empty value is a value, not a missing entry.
    AfxWriteProfileString("Settings", "Empty", "");
    EXPECT_STREQ(AfxGetProfileString("Settings", "Empty", "default"), "");
}

TEST_F(Profile, Integers)
{
    EXPECT_TRUE(AfxWriteProfileInt("Settings", "X", -1));
    EXPECT_TRUE(AfxWriteProfileInt("Settings", "Y", 1024));
    AfxWriteProfileString("Settings", "Text", "12");
    AfxWriteProfileString("Settings", "Garbage", "12abc");
    Reopen();
    EXPECT_EQ((int)AfxGetProfileInt("Settings", "X", 5), -1);
    EXPECT_EQ(AfxGetProfileInt("Settings", "Y", 5), 1024u);
    EXPECT_STREQ(AfxGetProfileString("Settings", "Y"), "1024");
    EXPECT_EQ(AfxGetProfileInt("Settings", "Text", 5), 12u);
    EXPECT_EQ(AfxGetProfileInt("Settings", "Garbage", 5), 5u);
    EXPECT_EQ((int)AfxGetProfileInt("Settings", "Missing", -1), -1);
}

TEST_F(Profile, Binary)
{
    const std::vector<BYTE> data = {0, 1, 0xFF, 0x80, '\n', ',', 0};
    EXPECT_TRUE(AfxWriteProfileBinary("Settings", "Placement", data.data(), (UINT)data.size()));
    EXPECT_TRUE(AfxWriteProfileBinary("Settings", "Nothing", nullptr, 0));
    Reopen();
    std::vector<BYTE> out;
    EXPECT_TRUE(AfxGetProfileBinary("Settings", "Placement", out));
    EXPECT_EQ(out, data);
    EXPECT_TRUE(AfxGetProfileBinary("Settings", "Nothing", out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(AfxGetProfileBinary("Settings", "Missing", out));
    AfxWriteProfileString("Settings", "Text", "abc");
    EXPECT_FALSE(AfxGetProfileBinary("Settings", "Text", out));
}
