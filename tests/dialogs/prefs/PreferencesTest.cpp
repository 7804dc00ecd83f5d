// The preferences through the profile: defaults of an empty profile, flags,
// fonts, the "New Object" fields, bad numbers, a save and load round trip, and
// saves killed at any moment or meeting a stale lock.
#include <gtest/gtest.h>

#include "dialogs/MUIApp.h"
#include "core/Settings.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"


#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

void DeleteFonts()
{
    for (CTextFont** font : {&g_MapWindowFont, &g_InfoWindowFont, &g_DataWindowFont, &g_DialogWindowFont,
                             &g_ReportWindowFont}) {
        delete *font;
        *font = nullptr;
    }
}

// Values no profile default has, so that a global the loader forgets shows up.
void ScrambleGlobals()
{
    g_CoordinationSystem = -7;
    g_ZoomSize = -7.0f;
    g_SnapPoints = g_RuleColor = g_DistanceUnit = g_AreaUnit = g_CoordinateUnit = g_UseSpherical = -7;
    g_ShowInfoTool = g_StoreWorkspaceAutomatically = g_SaveSettingsOnExit = g_QuickInfoTool = -7;
    g_DefaultGridWidth = g_DefaultGridHeight = -7;
    g_NewObjectBrushStyle = g_NewObjectBrushColor = g_NewObjectBkOpaque = g_NewObjectBkColor = -7;
    g_NewObjectPenStyle = g_NewObjectPenColor = g_NewObjectSymbolColor = -7;
    g_NewObjectBeginArrowStyle = g_NewObjectEndArrowStyle = -7;
    g_NewObjectPenWidth = g_NewObjectSymbolFontStyle = g_NewObjectSymbolSize = g_NewObjectSymbolChar = 99;
    g_NewObjectSymbolFontName = "scrambled";
}

class Preferences : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxWriteProfileString("Fonts", nullptr, nullptr);
        AfxWriteProfileString("Settings", nullptr, nullptr);
        DeleteFonts();
        ScrambleGlobals();
    }
    void TearDown() override
    {
        DeleteFonts();
        g_SaveSettingsOnExit = TRUE;
    }

    static void Put(const char* key, const char* value) { AfxWriteProfileString("Settings", key, value); }
    static CString Get(const char* section, const char* key) { return AfxGetProfileString(section, key, "<none>"); }

    CMUIApp m_app;
};

struct FontExpectation {
    CTextFont** font;
    const char* face;
    int style;
    int height;
};

void ExpectFont(const FontExpectation& e)
{
    ASSERT_NE(*e.font, nullptr);
    EXPECT_STREQ((*e.font)->GetFaceName(), e.face);
    EXPECT_EQ((*e.font)->GetStyle(), e.style);
    EXPECT_EQ((*e.font)->GetHeight(), e.height);
}

TEST_F(Preferences, EmptyProfileYieldsTheDefaults)
{
    EXPECT_TRUE(m_app.InitInstance());

    for (CTextFont** font : {&g_MapWindowFont, &g_InfoWindowFont, &g_DataWindowFont, &g_DialogWindowFont,
                             &g_ReportWindowFont})
        ExpectFont({font, "MS Sans Serif", 0, 12});

    EXPECT_FLOAT_EQ(g_ZoomSize, 1.5f);
    const std::vector<std::pair<const char*, int>> numbers = {
        {"Coordination System", g_CoordinationSystem},
        {"Snap Points", g_SnapPoints},
        {"Rule Color", g_RuleColor},
        {"Distance Unit", g_DistanceUnit},
        {"Area Unit", g_AreaUnit},
        {"Coordinate Unit", g_CoordinateUnit},
        {"Use Spherical", g_UseSpherical},
        {"Show Info Tool", g_ShowInfoTool},
        {"Store Workspace Automatically", g_StoreWorkspaceAutomatically},
        {"Save settings on exit", g_SaveSettingsOnExit},
        {"Default Grid Width", g_DefaultGridWidth},
        {"Default Grid Height", g_DefaultGridHeight},
        {"Quick Info Tool", g_QuickInfoTool},
        {"brush style", g_NewObjectBrushStyle},
        {"brush colour", g_NewObjectBrushColor},
        {"background opaque", g_NewObjectBkOpaque},
        {"background colour", g_NewObjectBkColor},
        {"pen style", g_NewObjectPenStyle},
        {"pen width", g_NewObjectPenWidth},
        {"pen colour", g_NewObjectPenColor},
        {"symbol style", g_NewObjectSymbolFontStyle},
        {"symbol size", g_NewObjectSymbolSize},
        {"symbol char", g_NewObjectSymbolChar},
        {"symbol colour", g_NewObjectSymbolColor},
        {"begin arrow", g_NewObjectBeginArrowStyle},
        {"end arrow", g_NewObjectEndArrowStyle},
    };
    const int expected[] = {4803, 2, 0, 1, 1, 11, 1, TRUE, TRUE, TRUE, 250, 250, TRUE,
                            1, 16777215, 0, 16777215, 1, 1, 0, 0, 12, 60, 1, 0, 0};
    ASSERT_EQ(numbers.size(), std::size(expected));
    for (size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(numbers[i].second, expected[i]) << numbers[i].first;
    EXPECT_STREQ(g_NewObjectSymbolFontName, "Map Symbols");
}

TEST_F(Preferences, FlagsAreTrueOnlyForExactlyT)
{
    const std::pair<const char*, BOOL> cases[] = {
        {"T", TRUE}, {"t", FALSE}, {"True", FALSE}, {"TRUE", FALSE}, {"T ", FALSE}, {"F", FALSE}, {"", FALSE},
    };
    const std::pair<const char*, BOOL*> flags[] = {
        {"Show Info Tool", &g_ShowInfoTool},
        {"Store Workspace Automatically", &g_StoreWorkspaceAutomatically},
        {"Save settings on exit", &g_SaveSettingsOnExit},
        {"Quick Info Tool", &g_QuickInfoTool},
    };
    for (const auto& [text, value] : cases) {
        for (const auto& [key, global] : flags) {
            SCOPED_TRACE(testing::Message() << key << " = \"" << text << "\"");
            Put(key, text);
            m_app.LoadSettings();
            EXPECT_EQ(*global, value);
        }
    }
}

TEST_F(Preferences, FontValuesKeepHeightsAndKnownStyles)
{
    struct Case {
        const char* stored;
        const char* face;
        int style;
        int height;
    };
    const Case cases[] = {
        {"Arial,2,300", "Arial", 2, 300},         // heights above a byte survive
        {"Arial,2,70000", "Arial", 2, 112},       // nonsense keeps its low byte
        {"Arial,4,10", "Arial", 0, 10},           // unknown style reads as regular
        {"Arial,257,10", "Arial", 1, 10},         // style 257 keeps its low byte
        {"Times New Roman, 3, 20", "Times New Roman", 3, 20},
        {" Courier New,1", " Courier New", 1, 0}, // face untrimmed, missing height 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        AfxWriteProfileString("Fonts", "Info Window", c.stored);
        m_app.LoadSettings();
        ExpectFont({&g_InfoWindowFont, c.face, c.style, c.height});
        ExpectFont({&g_ReportWindowFont, "MS Sans Serif", 0, 12});
    }
}

TEST_F(Preferences, NewObjectFieldsByIndex)
{
    // Short list: missing fields read as empty text.
    Put("New Object", "300,255,1");
    m_app.LoadSettings();
    EXPECT_EQ(g_NewObjectBrushStyle, 44);
    EXPECT_EQ(g_NewObjectBrushColor, 255);
    EXPECT_EQ(g_NewObjectBkOpaque, 1);
    for (int value : {g_NewObjectBkColor, g_NewObjectPenStyle, (int)g_NewObjectPenWidth, g_NewObjectPenColor,
                      (int)g_NewObjectSymbolFontStyle, (int)g_NewObjectSymbolSize, (int)g_NewObjectSymbolChar,
                      g_NewObjectSymbolColor, g_NewObjectBeginArrowStyle, g_NewObjectEndArrowStyle})
        EXPECT_EQ(value, 0);
    EXPECT_STREQ(g_NewObjectSymbolFontName, "");

    // Long list: colours whole, the rest low bytes, extra fields ignored.
    Put("New Object", "2,65280,1,8421504,3,260,16711680,Wingdings,258,20,511,12345678,1,257,99,98");
    m_app.LoadSettings();
    const int expected[] = {2, 65280, 1, 8421504, 3, 4, 16711680, 2, 20, 255, 12345678, 1, 1};
    const int actual[] = {g_NewObjectBrushStyle, g_NewObjectBrushColor, g_NewObjectBkOpaque,
                          g_NewObjectBkColor, g_NewObjectPenStyle, g_NewObjectPenWidth,
                          g_NewObjectPenColor, g_NewObjectSymbolFontStyle, g_NewObjectSymbolSize,
                          g_NewObjectSymbolChar, g_NewObjectSymbolColor, g_NewObjectBeginArrowStyle,
                          g_NewObjectEndArrowStyle};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "field " << (i < 7 ? i : i + 1);
    EXPECT_STREQ(g_NewObjectSymbolFontName, "Wingdings");
}

TEST_F(Preferences, UnparsableNumbersReadAsZero)
{
    Put("Coordination System", "abc");
    Put("Snap Points", "");
    m_app.LoadSettings();
    EXPECT_EQ(g_CoordinationSystem, 0);
    EXPECT_EQ(g_SnapPoints, 0);
}

// The zoom step must be one the preference page can show (100 % to 500 %): anything else would stop
// or invert the zoom tools, or blow the zoom up.
TEST_F(Preferences, ZoomSizeOutsideThePagesRangeTakesTheDefault)
{
    const std::pair<const char*, float> cases[] = {
        {"x1.5", 1.5f}, {"0", 1.5f}, {"-2", 1.5f},  {"0.5", 1.5f}, {"5.5", 1.5f}, {"nan", 1.5f},
        {"inf", 1.5f},  {"1e300", 1.5f}, {"1", 1.0f}, {"2.75", 2.75f}, {"5", 5.0f},
    };
    for (const auto& [text, expected] : cases) {
        Put("Zoom Size", text);
        m_app.LoadSettings();
        EXPECT_EQ(g_ZoomSize, expected) << text;
    }
}

TEST_F(Preferences, SaveThenLoadReproducesEveryGlobal)
{
    m_app.LoadSettings();
    g_MapWindowFont->SetFaceName("Arial");
    g_MapWindowFont->SetStyle(3);
    g_MapWindowFont->SetHeight(16);
    g_InfoWindowFont->SetWeight(600);   // bold from 500 on
    g_DataWindowFont->SetItalic(TRUE);
    g_ReportWindowFont->SetHeight(300); // written and read back in full
    g_CoordinationSystem = 31467;
    g_ZoomSize = 1.2345678f;
    g_SnapPoints = 5;
    g_RuleColor = 0x0000FF;
    g_DistanceUnit = 4;
    g_AreaUnit = 7;
    g_CoordinateUnit = 3;
    g_UseSpherical = 0;
    g_ShowInfoTool = FALSE;
    g_StoreWorkspaceAutomatically = FALSE;
    g_SaveSettingsOnExit = TRUE;
    g_DefaultGridWidth = 300;
    g_DefaultGridHeight = 120;
    g_NewObjectBrushStyle = 7;
    g_NewObjectBrushColor = 0x123456;
    g_NewObjectBkOpaque = 1;
    g_NewObjectBkColor = 0x654321;
    g_NewObjectPenStyle = 3;
    g_NewObjectPenWidth = 200;
    g_NewObjectPenColor = 0xABCDEF;
    g_NewObjectSymbolFontName = "Map Symbols";
    g_NewObjectSymbolFontStyle = 3;
    g_NewObjectSymbolSize = 24;
    g_NewObjectSymbolChar = 230;
    g_NewObjectSymbolColor = 0x0000FF;
    g_NewObjectBeginArrowStyle = 2;
    g_NewObjectEndArrowStyle = 5;
    g_QuickInfoTool = FALSE;

    m_app.SaveSettings();
    EXPECT_EQ(g_MapWindowFont, nullptr);
    EXPECT_EQ(g_ReportWindowFont, nullptr);

    const std::pair<const char*, const char*> stored[] = {
        {"Map Window", "Arial,3,16"},
        {"Info Window", "MS Sans Serif,1,12"},
        {"Data Window", "MS Sans Serif,2,12"},
        {"Dialog Window", "MS Sans Serif,0,12"},
        {"Report Window", "MS Sans Serif,0,300"},
    };
    for (const auto& [key, text] : stored)
        EXPECT_STREQ(Get("Fonts", key), text) << key;
    EXPECT_STREQ(Get("Settings", "Zoom Size"), "1.234568");
    EXPECT_STREQ(Get("Settings", "Show Info Tool"), "F");
    EXPECT_STREQ(Get("Settings", "Rule Color"), "255");
    EXPECT_STREQ(Get("Settings", "New Object"),
                 "7,1193046,1,6636321,3,200,11259375,Map Symbols,3,24,230,255,2,5");

    ScrambleGlobals();
    m_app.LoadSettings();
    ExpectFont({&g_MapWindowFont, "Arial", 3, 16});
    ExpectFont({&g_InfoWindowFont, "MS Sans Serif", 1, 12});
    ExpectFont({&g_DataWindowFont, "MS Sans Serif", 2, 12});
    ExpectFont({&g_DialogWindowFont, "MS Sans Serif", 0, 12});
    ExpectFont({&g_ReportWindowFont, "MS Sans Serif", 0, 300});
    EXPECT_EQ(g_CoordinationSystem, 31467);
    EXPECT_EQ(g_ZoomSize, 1.234568f);
    const int expected[] = {5, 0x0000FF, 4, 7, 3, 0, FALSE, FALSE, TRUE, 300, 120, FALSE,
                            7, 0x123456, 1, 0x654321, 3, 200, 0xABCDEF, 3, 24, 230, 0x0000FF, 2, 5};
    const int actual[] = {g_SnapPoints, g_RuleColor, g_DistanceUnit, g_AreaUnit, g_CoordinateUnit,
                          g_UseSpherical, g_ShowInfoTool, g_StoreWorkspaceAutomatically, g_SaveSettingsOnExit,
                          g_DefaultGridWidth, g_DefaultGridHeight, g_QuickInfoTool,
                          g_NewObjectBrushStyle, g_NewObjectBrushColor, g_NewObjectBkOpaque,
                          g_NewObjectBkColor, g_NewObjectPenStyle, g_NewObjectPenWidth, g_NewObjectPenColor,
                          g_NewObjectSymbolFontStyle, g_NewObjectSymbolSize, g_NewObjectSymbolChar,
                          g_NewObjectSymbolColor, g_NewObjectBeginArrowStyle, g_NewObjectEndArrowStyle};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "value " << i;
    EXPECT_STREQ(g_NewObjectSymbolFontName, "Map Symbols");
}

std::string ProfileBytes()
{
    std::ifstream file(AfxGetProfilePath().GetString(), std::ios::binary);
    if (!file)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST_F(Preferences, ExitWritesOnlyWhenSaveOnExitIsSet)
{
    m_app.LoadSettings();
    g_SaveSettingsOnExit = FALSE;
    g_SnapPoints = 9;
    const std::string before = ProfileBytes();
    m_app.ExitInstance();
    EXPECT_EQ(ProfileBytes(), before);
    EXPECT_STREQ(Get("Settings", "Snap Points"), "<none>");
    EXPECT_NE(g_DialogWindowFont, nullptr);   // not saved, so not deleted

    g_SaveSettingsOnExit = TRUE;
    m_app.ExitInstance();
    EXPECT_STREQ(Get("Settings", "Snap Points"), "9");
    EXPECT_STREQ(Get("Settings", "Save settings on exit"), "T");
    EXPECT_STREQ(Get("Fonts", "Dialog Window"), "MS Sans Serif,0,12");
    EXPECT_EQ(g_DialogWindowFont, nullptr);
}

void SetProfileBytes(const std::string& bytes)
{
    std::ofstream(AfxGetProfilePath().GetString(), std::ios::binary | std::ios::trunc) << bytes;
}

// Saves the preferences in a child process and kills it `delayUs` microseconds after the save
// starts (never, when negative); answers how long the save took, from its start to the child's end.
std::chrono::microseconds SaveInChild(CMUIApp& app, long delayUs)
{
    int ready[2];
    if (pipe(ready) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        g_CoordinationSystem = 4326;
        g_SnapPoints = 8;
        g_RuleColor = 0x00FF00;
        g_DefaultGridWidth = 640;
        g_NewObjectSymbolFontName = "Changed";
        const char go = 1;
        if (write(ready[1], &go, 1) != 1)
            _exit(2);
        app.SaveSettings();
        _exit(0);
    }
    close(ready[1]);
    char go = 0;
    const bool started = read(ready[0], &go, 1) == 1;
    const auto start = std::chrono::steady_clock::now();
    if (started && delayUs >= 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
        kill(child, SIGKILL);
    }
    close(ready[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
}

// A kill at any moment of the save leaves the old profile or the new one, whole: never some
// settings of each.
TEST_F(Preferences, SaveKilledAtAnyMomentLeavesTheOldOrTheNewProfile)
{
    m_app.LoadSettings();
    m_app.SaveSettings();
    m_app.LoadSettings();
    const std::string before = ProfileBytes();
    // The kills spread over the shortest of a few whole saves, so that they land inside the save.
    long took = LONG_MAX;
    std::string after;
    for (int i = 0; i < 3; ++i) {
        SetProfileBytes(before);
        took = std::min(took, (long)SaveInChild(m_app, -1).count());
        after = ProfileBytes();
    }
    ASSERT_NE(before, after);
    constexpr int kKills = 20;
    int mixed = 0;
    for (int i = 0; i < kKills; ++i) {
        SetProfileBytes(before);
        SaveInChild(m_app, took * i / kKills);
        const std::string left = ProfileBytes();
        if (left != before && left != after)
            ++mixed;
    }
    EXPECT_EQ(mixed, 0) << "of " << kKills << " kills";
    SetProfileBytes(before);
}

// The empty lock file a kill leaves beside the profile is cleared within a moment, not after the
// 30 s QSettings would wait for it.
TEST_F(Preferences, StaleLockFileDoesNotHoldUpASave)
{
    const std::string lock = std::string(AfxGetProfilePath().GetString()) + ".lock";
    std::ofstream(lock, std::ios::trunc).close();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(AfxWriteProfileString("Settings", "Snap Points", "6"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_STREQ(Get("Settings", "Snap Points"), "6");
}

} // namespace
