// The profile texts that an empty profile's defaults are saved as, key by key,
// and that loading them and saving again writes the same texts.
#include <gtest/gtest.h>

#include "dialogs/MUIApp.h"
#include "core/Settings.h"
#include "dialogs/controls/TextFont.h"

#include <string>
#include <utility>

namespace {

const std::pair<const char*, const char*> kFonts[] = {
    {"Map Window", "MS Sans Serif,0,12"},    {"Info Window", "MS Sans Serif,0,12"},
    {"Data Window", "MS Sans Serif,0,12"},   {"Dialog Window", "MS Sans Serif,0,12"},
    {"Report Window", "MS Sans Serif,0,12"},
};

const std::pair<const char*, const char*> kSettings[] = {
    {"Quick Info Tool", "T"},
    {"Coordination System", "4803"},
    {"Zoom Size", "1.500000"},
    {"Snap Points", "2"},
    {"Rule Color", "0"},
    {"Distance Unit", "1"},
    {"Area Unit", "1"},
    {"Coordinate Unit", "11"},
    {"Use Spherical", "1"},
    {"Show Info Tool", "T"},
    {"Store Workspace Automatically", "T"},
    {"Save settings on exit", "T"},
    {"Default Grid Width", "250"},
    {"Default Grid Height", "250"},
    // The default list has 12 fields; the arrow styles are written as 0.
    {"New Object", "1,16777215,0,16777215,1,1,0,Map Symbols,0,12,60,1,0,0"},
};

void ExpectProfile()
{
    for (const auto& [key, text] : kFonts)
        EXPECT_EQ(std::string(AfxGetProfileString("Fonts", key, "<none>")), text) << key;
    for (const auto& [key, text] : kSettings)
        EXPECT_EQ(std::string(AfxGetProfileString("Settings", key, "<none>")), text) << key;
}

TEST(PreferencesProfile, DefaultsAreSavedAsExactTextsAndSurviveARoundTrip)
{
    AfxWriteProfileString("Fonts", nullptr, nullptr);
    AfxWriteProfileString("Settings", nullptr, nullptr);
    CMUIApp app;
    app.LoadSettings();
    app.SaveSettings();
    ExpectProfile();

    app.LoadSettings();
    EXPECT_FLOAT_EQ(g_ZoomSize, 1.5f);
    app.SaveSettings();
    ExpectProfile();
}

} // namespace
