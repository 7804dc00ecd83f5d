// Loading and saving the preferences: a missing key takes its string-table
// default, every global written is read back the same, and a save replaces the
// profile in one atomic write.
#include "dialogs/MUIApp.h"

#include "core/Utilities.h"
#include "core/Settings.h"
#include "dialogs/PrefSheet.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "resources/resource.h"

#include <cmath>
#include <cstdlib>

namespace {

const char kFonts[] = "Fonts";
const char kSettings[] = "Settings";

struct FontSetting {
    const char* key;
    UINT defaultId;
    CTextFont** font;
};

const FontSetting kFontSettings[] = {
    {"Map Window", IDS_DEFAULT_MAP_WINDOW_FONT, &g_MapWindowFont},
    {"Info Window", IDS_DEFAULT_INFO_WINDOW_FONT, &g_InfoWindowFont},
    {"Data Window", IDS_DEFAULT_DATA_WINDOW_FONT, &g_DataWindowFont},
    {"Dialog Window", IDS_DEFAULT_DIALOG_WINDOW_FONT, &g_DialogWindowFont},
    {"Report Window", IDS_DEFAULT_REPORT_WINDOW_FONT, &g_ReportWindowFont},
};

CString DefaultText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

const char* Flag(BOOL value) { return value ? "T" : "F"; }

// The zoom step the preference page offers (its slider runs from 100 % to 500 %). Anything else a
// hand-edited profile holds (nothing, zero, a negative, NaN, infinity, 1e300) would stop the zoom
// tools or blow the zoom up: it takes the default.
float ZoomSizeOf(const CString& text)
{
    const double v = std::atof(text);
    if (!(v >= 1.0 && v <= 5.0))
        return (float)std::atof(DefaultText(IDS_DEFAULT_ZOOM_SIZE));
    return (float)v;
}

} // namespace

BEGIN_MESSAGE_MAP(CMUIApp, CWinApp)
    ON_COMMAND(ID_PREFERENCES, OnPreferences)
END_MESSAGE_MAP()

CMUIApp::CMUIApp() : CWinApp(nullptr) {}

BOOL CMUIApp::InitInstance()
{
    LoadSettings();
    return TRUE;
}

int CMUIApp::ExitInstance()
{
    if (g_SaveSettingsOnExit)
        SaveSettings();
    return CWinApp::ExitInstance();
}

void CMUIApp::LoadSettings()
{
    for (const FontSetting& s : kFontSettings) {
        const CString value = GetProfileString(kFonts, s.key, DefaultText(s.defaultId));
        // A second load replaces the fonts rather than leaking them.
        delete *s.font;
        *s.font =
            new CTextFont(ExtractCommaField(value, 0), GetCommaFieldBool(value, 1), GetCommaFieldBool(value, 2));
        // The font keeps the height it was saved with: cutting it to its low byte
        // would turn a saved 300 into 44. Only nonsense falls back to the low byte.
        const LONG height = GetCommaFieldInt(value, 2);
        if (height > 255 && height <= 0x7FFF)
            (*s.font)->SetHeight((int)height);
    }

    // The design initialises OLE here; nothing on this platform needs it.

    auto text = [this](const char* key, UINT defaultId) {
        return GetProfileString(kSettings, key, DefaultText(defaultId));
    };
    auto number = [&](const char* key, UINT defaultId) { return (int)AtolClamped32(text(key, defaultId)); };
    auto flag = [&](const char* key, UINT defaultId) -> BOOL { return text(key, defaultId) == "T"; };

    g_CoordinationSystem = number("Coordination System", IDS_DEFAULT_COORDINATION_SYSTEM);
    g_ZoomSize = ZoomSizeOf(text("Zoom Size", IDS_DEFAULT_ZOOM_SIZE));
    g_SnapPoints = number("Snap Points", IDS_DEFAULT_SNAP_POINTS);
    g_RuleColor = number("Rule Color", IDS_DEFAULT_RULE_COLOR);
    g_DistanceUnit = number("Distance Unit", IDS_DEFAULT_DISTANCE_UNIT);
    g_AreaUnit = number("Area Unit", IDS_DEFAULT_AREA_UNIT);
    g_CoordinateUnit = number("Coordinate Unit", IDS_DEFAULT_COORDINATE_UNIT);
    g_UseSpherical = number("Use Spherical", IDS_DEFAULT_USE_SPHERICAL);
    g_ShowInfoTool = flag("Show Info Tool", IDS_DEFAULT_SHOW_INFO_TOOL);
    g_StoreWorkspaceAutomatically = flag("Store Workspace Automatically", IDS_DEFAULT_STORE_WORKSPACE);
    g_SaveSettingsOnExit = flag("Save settings on exit", IDS_DEFAULT_SAVE_SETTINGS_ON_EXIT);
    g_DefaultGridWidth = number("Default Grid Width", IDS_DEFAULT_GRID_WIDTH);
    g_DefaultGridHeight = number("Default Grid Height", IDS_DEFAULT_GRID_HEIGHT);

    const CString newObject = text("New Object", IDS_DEFAULT_NEW_OBJECT);
    g_NewObjectBrushStyle = GetCommaFieldBool(newObject, 0);
    g_NewObjectBrushColor = (int)GetCommaFieldInt(newObject, 1);
    g_NewObjectBkOpaque = GetCommaFieldBool(newObject, 2);
    g_NewObjectBkColor = (int)GetCommaFieldInt(newObject, 3);
    g_NewObjectPenStyle = GetCommaFieldBool(newObject, 4);
    g_NewObjectPenWidth = GetCommaFieldBool(newObject, 5);
    g_NewObjectPenColor = (int)GetCommaFieldInt(newObject, 6);
    g_NewObjectSymbolFontName = ExtractCommaField(newObject, 7);
    g_NewObjectSymbolFontStyle = GetCommaFieldBool(newObject, 8);
    g_NewObjectSymbolSize = GetCommaFieldBool(newObject, 9);
    g_NewObjectSymbolChar = GetCommaFieldBool(newObject, 10);
    g_NewObjectSymbolColor = (int)GetCommaFieldInt(newObject, 11);
    g_NewObjectBeginArrowStyle = GetCommaFieldBool(newObject, 12);
    g_NewObjectEndArrowStyle = GetCommaFieldBool(newObject, 13);

    g_QuickInfoTool = flag("Quick Info Tool", IDS_DEFAULT_QUICK_INFO_TOOL);
}

void CMUIApp::SaveSettings()
{
    // One write of the whole profile: a kill during the save leaves the old settings or the new.
    CProfileWriteGroup group;
    for (const FontSetting& s : kFontSettings) {
        CTextFont*& font = *s.font;
        // A font that was never loaded, or already saved, has nothing to write.
        if (!font)
            continue;
        CString value;
        value.Format("%s,%d,%d", font->GetFaceName().GetString(), font->GetStyle(), font->GetHeight());
        WriteProfileString(kFonts, s.key, value);
        delete font;
        font = nullptr;
    }

    CString value;
    auto writeNumber = [&](const char* key, int number) {
        value.Format("%d", number);
        WriteProfileString(kSettings, key, value);
    };

    WriteProfileString(kSettings, "Quick Info Tool", Flag(g_QuickInfoTool));
    writeNumber("Coordination System", g_CoordinationSystem);
    value.Format("%f", (double)g_ZoomSize);
    WriteProfileString(kSettings, "Zoom Size", value);
    writeNumber("Snap Points", g_SnapPoints);
    writeNumber("Rule Color", g_RuleColor);
    writeNumber("Distance Unit", g_DistanceUnit);
    writeNumber("Area Unit", g_AreaUnit);
    writeNumber("Coordinate Unit", g_CoordinateUnit);
    writeNumber("Use Spherical", g_UseSpherical);
    WriteProfileString(kSettings, "Show Info Tool", Flag(g_ShowInfoTool));
    WriteProfileString(kSettings, "Store Workspace Automatically", Flag(g_StoreWorkspaceAutomatically));
    WriteProfileString(kSettings, "Save settings on exit", Flag(g_SaveSettingsOnExit));
    writeNumber("Default Grid Width", g_DefaultGridWidth);
    writeNumber("Default Grid Height", g_DefaultGridHeight);

    value.Format("%d,%d,%d,%d,%d,%d,%d,%s,%d,%d,%d,%d,%d,%d", g_NewObjectBrushStyle, g_NewObjectBrushColor,
                 g_NewObjectBkOpaque, g_NewObjectBkColor, g_NewObjectPenStyle, (int)g_NewObjectPenWidth,
                 g_NewObjectPenColor, g_NewObjectSymbolFontName.GetString(), (int)g_NewObjectSymbolFontStyle,
                 (int)g_NewObjectSymbolSize, (int)g_NewObjectSymbolChar, g_NewObjectSymbolColor,
                 g_NewObjectBeginArrowStyle, g_NewObjectEndArrowStyle);
    WriteProfileString(kSettings, "New Object", value);
}

void CMUIApp::OnPreferences()
{
    CPrefSheet sheet("Preferences...", nullptr, 0);
    sheet.DoModal();
}
