// The preference sheet as "Preferences..." opens it: its three pages, the
// General page's units, slider and coordinate system, and the New Object page,
// whose defaults reach the next new object and the profile.
#include <gtest/gtest.h>

#include "core/MapStyle.h"
#include "core/Settings.h"
#include "dialogs/MUIApp.h"
#include "dialogs/PrefSheet.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "dialogs/controls/UiColorMessages.h"
#include "model/projections/ProjectionCatalogue.h"
#include "platform/base/Profile.h"
#include "platform/controls/CButton.h"
#include "platform/controls/CSliderCtrl.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/wnd/WindowDC.h"
#include "platform/wnd/WndTestInput.h"
#include "resources/resource.h"
#include "tests/support/TempFolder.h"

#include <cpl_conv.h>
#include <ogr_spatialref.h>

#include <fstream>
#include <functional>
#include <string>

namespace {

std::string Wkt(int epsg)
{
    OGRSpatialReference srs;
    srs.importFromEPSG(epsg);
    char* wkt = nullptr;
    srs.exportToWkt(&wkt);
    std::string text = wkt ? wkt : "";
    CPLFree(wkt);
    return text;
}

std::string Entry(int code, const char* title) { return "EPSG=" + std::to_string(code) + "\nTITLE=" + title + "\n" + Wkt(code) + "\n"; }

CString Text(CWnd& page, int id)
{
    CString s;
    page.GetDlgItem(id)->GetWindowText(s);
    return s;
}

void Click(CWnd& page, int id)
{
    page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)page.GetDlgItem(id)->m_hWnd);
}

// Every global the sheet may change, to be given back after each test.
struct SavedSettings {
    int code = g_CoordinationSystem, snap = g_SnapPoints, rule = g_RuleColor, distance = g_DistanceUnit,
        area = g_AreaUnit, coord = g_CoordinateUnit, spherical = g_UseSpherical, gridW = g_DefaultGridWidth,
        gridH = g_DefaultGridHeight;
    float zoom = g_ZoomSize;
    BOOL info = g_ShowInfoTool, store = g_StoreWorkspaceAutomatically, save = g_SaveSettingsOnExit;
    int brushStyle = g_NewObjectBrushStyle, brushColor = g_NewObjectBrushColor, bkOpaque = g_NewObjectBkOpaque,
        bkColor = g_NewObjectBkColor, penStyle = g_NewObjectPenStyle, penColor = g_NewObjectPenColor,
        symbolColor = g_NewObjectSymbolColor;
    BYTE penWidth = g_NewObjectPenWidth, symbolStyle = g_NewObjectSymbolFontStyle, symbolSize = g_NewObjectSymbolSize,
         symbolChar = g_NewObjectSymbolChar;
    CString symbolFont = g_NewObjectSymbolFontName;

    ~SavedSettings()
    {
        g_CoordinationSystem = code, g_SnapPoints = snap, g_RuleColor = rule, g_DistanceUnit = distance;
        g_AreaUnit = area, g_CoordinateUnit = coord, g_UseSpherical = spherical, g_DefaultGridWidth = gridW;
        g_DefaultGridHeight = gridH, g_ZoomSize = zoom, g_ShowInfoTool = info, g_StoreWorkspaceAutomatically = store;
        g_SaveSettingsOnExit = save, g_NewObjectBrushStyle = brushStyle, g_NewObjectBrushColor = brushColor;
        g_NewObjectBkOpaque = bkOpaque, g_NewObjectBkColor = bkColor, g_NewObjectPenStyle = penStyle;
        g_NewObjectPenColor = penColor, g_NewObjectSymbolColor = symbolColor, g_NewObjectPenWidth = penWidth;
        g_NewObjectSymbolFontStyle = symbolStyle, g_NewObjectSymbolSize = symbolSize;
        g_NewObjectSymbolChar = symbolChar, g_NewObjectSymbolFontName = symbolFont;
    }
};

class PrefSheet : public ::testing::Test {
protected:
    PrefSheet() : m_folder("kvprefs") {}

    void SetUp() override
    {
        const CString path = m_folder.File("Projections.dat");
        std::ofstream(path.GetString()) << "MAX_GRP=2\nMAX_EPSG=900000\nGROUP=Geographic\nGROUP_ID=1\n"
                                        << Entry(4326, "WGS 84") << "GROUP=UTM\nGROUP_ID=2\n"
                                        << Entry(32632, "WGS 84 / UTM zone 32N");
        m_savedPath = g_ProjectionCatalogPath;
        g_ProjectionCatalogPath = path;
        g_CoordinationSystem = 32632;
        g_ZoomSize = 1.5f;
        g_UseSpherical = 1;
        g_CoordinateUnit = 1;
        for (CTextFont** font : {&g_MapWindowFont, &g_InfoWindowFont, &g_DataWindowFont, &g_DialogWindowFont,
                                 &g_ReportWindowFont})
            if (!*font)
                *font = new CTextFont("MS Sans Serif", 0, 12);
    }
    void TearDown() override { g_ProjectionCatalogPath = m_savedPath; }

    // "Preferences..." through the application's command, answered by `act`
    // with the sheet on page `page`.
    void RunPreferences(int page, const std::function<int(CPrefSheet&, CWnd&)>& act)
    {
        CMUIApp app;
        DialogAnswerer answers;
        answers.Then([&](CWnd& w) {
            auto& sheet = dynamic_cast<CPrefSheet&>(w);
            EXPECT_TRUE(sheet.SetActivePage(page));
            return act(sheet, *sheet.GetActivePage());
        });
        EXPECT_TRUE(app.OnCmdMsg(ID_PREFERENCES, CN_COMMAND, nullptr, nullptr));
        ASSERT_EQ(answers.Dialogs().size(), 1u);
        EXPECT_STREQ(answers.Dialogs()[0].caption, "Preferences...");
    }

    SavedSettings m_saved;
    testsupport::TempFolder m_folder;
    CString m_savedPath;
};

TEST_F(PrefSheet, PagesComeInOrderAndAppliedZoomAndUnitsReachTheGlobals)
{
    RunPreferences(0, [](CPrefSheet& sheet, CWnd& page) {
        EXPECT_EQ(sheet.GetPageCount(), 3);
        EXPECT_EQ(sheet.GetPage(0), &sheet.m_GeneralPage);
        EXPECT_EQ(sheet.GetPage(1), &sheet.m_FontPage);
        EXPECT_EQ(sheet.GetPage(2), &sheet.m_NewObjectPage);
        auto* slider = static_cast<CSliderCtrl*>(page.GetDlgItem(IDC_PREF_ZOOM_SIZE));
        EXPECT_EQ(slider->GetPos(), 150);
        // A projected system: both radios enabled, showing the preference.
        EXPECT_TRUE(page.GetDlgItem(IDC_PREF_CARTESIAN)->IsWindowEnabled());
        EXPECT_EQ(static_cast<CButton*>(page.GetDlgItem(IDC_PREF_SPHERICAL))->GetCheck(), BST_CHECKED);
        EXPECT_STREQ(Text(page, IDC_PREF_COORD_UNIT), "meters");
        slider->SetPos(275);
        auto& general = dynamic_cast<CPrefGeneralPage&>(page);
        general.m_distanceUnits.SetCurSel(3); // "Kilometers"
        page.GetDlgItem(IDC_PREF_SNAP_POINTS)->SetWindowText("5");
        return DialogAnswerer::Press(sheet, IDOK);
    });
    EXPECT_FLOAT_EQ(g_ZoomSize, 2.75f);
    EXPECT_EQ(g_DistanceUnit, 4);
    EXPECT_EQ(g_SnapPoints, 5);
    EXPECT_EQ(g_UseSpherical, 1);
    EXPECT_EQ(g_CoordinateUnit, 1);
}

TEST_F(PrefSheet, ApplyWritesTheGlobalsAndCancelAfterItKeepsThem)
{
    g_DefaultGridWidth = 250;
    RunPreferences(0, [](CPrefSheet& sheet, CWnd& page) {
        page.GetDlgItem(IDC_PREF_GRID_WIDTH)->SetWindowText("400"); // marks the page changed
        sheet.SendMessage(WM_COMMAND, ID_APPLY_NOW, 0);
        EXPECT_EQ(g_DefaultGridWidth, 400);
        EXPECT_FALSE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
        return DialogAnswerer::Press(sheet, IDCANCEL);
    });
    EXPECT_EQ(g_DefaultGridWidth, 400);
}

TEST_F(PrefSheet, ResetAllThenCancelLeavesTheGlobals)
{
    g_SnapPoints = 9;
    g_DistanceUnit = 6;
    RunPreferences(0, [](CPrefSheet& sheet, CWnd& page) {
        Click(page, IDC_PREF_RESET_ALL);
        EXPECT_STREQ(Text(page, IDC_PREF_SNAP_POINTS), "2");
        EXPECT_STREQ(Text(page, IDC_PREF_DISTANCE_UNIT), "Meters");
        return DialogAnswerer::Press(sheet, IDCANCEL);
    });
    EXPECT_EQ(g_SnapPoints, 9);
    EXPECT_EQ(g_DistanceUnit, 6);
}

TEST_F(PrefSheet, AGeographicSystemOffersAnglesAndForcesSpherical)
{
    g_CoordinationSystem = 4326;
    g_UseSpherical = 0;
    g_CoordinateUnit = 1; // metres: no such item now
    RunPreferences(0, [](CPrefSheet& sheet, CWnd& page) {
        auto& general = dynamic_cast<CPrefGeneralPage&>(page);
        EXPECT_EQ(general.m_coordUnits.GetCount(), 2);
        EXPECT_EQ(static_cast<CButton*>(page.GetDlgItem(IDC_PREF_SPHERICAL))->GetCheck(), BST_CHECKED);
        EXPECT_FALSE(page.GetDlgItem(IDC_PREF_CARTESIAN)->IsWindowEnabled());
        return DialogAnswerer::Press(sheet, IDOK);
    });
    EXPECT_EQ(g_UseSpherical, 1);
    EXPECT_EQ(g_CoordinateUnit, -1); // a list without a selection
}

TEST_F(PrefSheet, TheProjectionChosenFillsTheCoordinateUnitsForTheNewSystem)
{
    g_CoordinationSystem = 4326;
    g_CoordinateUnit = 11;
    int asked = -1;
    CPrefGeneralPage::SetProjectionChooser([&](int& code, OGRSpatialReference** system, CWnd*) -> INT_PTR {
        asked = code;
        code = 32632;
        g_CoordinationSystem = 32632; // the dialog stores the choice itself
        *system = CProjectionCatalogue::CreateSpatialReference(32632);
        return IDOK;
    });
    RunPreferences(0, [](CPrefSheet& sheet, CWnd& page) {
        auto& general = dynamic_cast<CPrefGeneralPage&>(page);
        EXPECT_EQ(general.m_coordUnits.GetCount(), 2); // geographic: angles only
        EXPECT_TRUE(page.GetDlgItem(IDC_PREF_PROJECTION)->IsWindowEnabled());
        Click(page, IDC_PREF_PROJECTION);
        EXPECT_EQ(general.m_coordUnits.GetCount(), 10); // projected: angles and lengths
        EXPECT_STREQ(Text(page, IDC_PREF_COORD_UNIT), "meters"); // the unit of the new system
        EXPECT_TRUE(page.GetDlgItem(IDC_PREF_CARTESIAN)->IsWindowEnabled());
        return DialogAnswerer::Press(sheet, IDOK);
    });
    CPrefGeneralPage::SetProjectionChooser(nullptr);
    EXPECT_EQ(asked, 4326);
    EXPECT_EQ(g_CoordinationSystem, 32632);
    EXPECT_EQ(g_CoordinateUnit, 1);
}

void Pick(CWnd& page, int id, COLORREF color)
{
    auto* button = dynamic_cast<CUiDropColorButton*>(CWnd::FromHandlePermanent(page.GetDlgItem(id)->m_hWnd));
    ASSERT_NE(button, nullptr);
    button->SetColor(color);
    page.SendMessage(WM_UI_COLORSELECTED, (WPARAM)color, (LPARAM)id);
}

TEST_F(PrefSheet, NewObjectDefaultsReachTheNextObjectAndTheProfile)
{
    g_NewObjectPenWidth = 3;
    RunPreferences(2, [](CPrefSheet& sheet, CWnd& page) {
        auto& objects = dynamic_cast<CPrefDefaultPropertyPage&>(page);
        EXPECT_STREQ(Text(page, IDC_PREF_PEN_WIDTH), "3");
        // A width of 0 (one pixel) stays 0 when the field is left.
        objects.m_widthCombo.SetFocus();
        objects.m_widthCombo.SetWindowText("0");
        objects.m_sizeCombo.SetFocus();
        AfxTestProcessEvents();
        EXPECT_STREQ(Text(page, IDC_PREF_PEN_WIDTH), "0");
        objects.m_patternList.SetCurSel(6);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PREF_PATTERN, CBN_SELCHANGE),
                         (LPARAM)objects.m_patternList.m_hWnd);
        Pick(page, IDC_PREF_FILL_COLOR, RGB(250, 200, 0));
        // What the user sees: the sample polygon filled with the new colour.
        page.UpdateWindow();
        AfxTestProcessEvents();
        CClientDC dc(&page);
        int yellow = 0;
        const CRect sample = CPrefDefaultPropertyPage::SampleRect();
        for (int y = sample.top; y < sample.bottom; ++y)
            for (int x = sample.left; x < sample.right; ++x)
                yellow += dc.GetPixel(x, y) == RGB(250, 200, 0) ? 1 : 0;
        EXPECT_GT(yellow, 50);
        return DialogAnswerer::Press(sheet, IDOK);
    });
    EXPECT_EQ(g_NewObjectPenWidth, 0);
    EXPECT_EQ(g_NewObjectBrushStyle, 6);
    EXPECT_EQ(g_NewObjectBrushColor, (int)RGB(250, 200, 0));

    const CMapStyle next; // a new object's style
    EXPECT_FLOAT_EQ(next.GetPenWidth(), 0.0f);
    EXPECT_EQ(next.GetBrushStyle(), 6);
    EXPECT_EQ(next.GetBrushColor(), RGB(250, 200, 0));

    AfxWriteProfileString("Settings", nullptr, nullptr);
    CMUIApp app;
    app.SaveSettings();
    const CString stored = AfxGetProfileString("Settings", "New Object");
    EXPECT_EQ(stored.Find("6,51450,"), 0) << stored.GetString(); // brush style and colour first
    app.LoadSettings();
}

TEST_F(PrefSheet, ALineColourChosenStaysWhenTheSheetIsCancelled)
{
    g_NewObjectPenColor = 0;
    g_NewObjectPenWidth = 1;
    RunPreferences(2, [](CPrefSheet& sheet, CWnd& page) {
        Pick(page, IDC_PREF_PEN_COLOR, RGB(0, 0, 200));
        page.GetDlgItem(IDC_PREF_PEN_WIDTH)->SetWindowText("4");
        Click(page, IDC_PREF_RESET_ALL); // the width of the default string
        EXPECT_STREQ(Text(page, IDC_PREF_PEN_WIDTH), "1");
        return DialogAnswerer::Press(sheet, IDCANCEL);
    });
    EXPECT_EQ(g_NewObjectPenColor, (int)RGB(0, 0, 200));
    EXPECT_EQ(g_NewObjectPenWidth, 1);
}

} // namespace
