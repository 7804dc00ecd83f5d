// The Projections and Map Property dialogs on a catalogue of the test's own:
// choosing a system, the units it allows, what OK hands to the map, and a
// catalogue of thousands of systems opening at once.
#include "core/Settings.h"
#include "dialogs/MapPropertyDlg.h"
#include "dialogs/ProjectionDlg.h"
#include "model/projections/ProjectionCatalogue.h"
#include "platform/controls/CComboBox.h"
#include "platform/controls/CListBox.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "resources/resource.h"
#include "tests/dialogs/layers/LayerDialogsTestSupport.h"

#include <cpl_conv.h>
#include <ogr_spatialref.h>

#include <chrono>
#include <fstream>

using namespace layertest;

namespace {

std::string Wkt(int epsg)
{
    OGRSpatialReference srs;
    EXPECT_EQ(srs.importFromEPSG(epsg), OGRERR_NONE);
    char* wkt = nullptr;
    srs.exportToWkt(&wkt);
    std::string text = wkt ? wkt : "";
    CPLFree(wkt);
    return text;
}

std::string Entry(int code, const std::string& title, const std::string& definition)
{
    return "EPSG=" + std::to_string(code) + "\nTITLE=" + title + "\n" + definition + "\n";
}

// Group "Geographic" (1): 4326; group "UTM" (7): 32632, 32633; group "Broken"
// (2): 55, which does not import.
class Projections : public ::testing::Test {
protected:
    Projections()
        : folder("kvmapprop"), savedPath(g_ProjectionCatalogPath), savedSystem(g_CoordinationSystem),
          savedSpherical(g_UseSpherical)
    {
        g_ProjectionCatalogPath = folder.File("Projections.dat");
        std::ofstream(g_ProjectionCatalogPath.GetString(), std::ios::binary)
            << "MAX_GRP=7\nMAX_EPSG=900000\nGROUP=Geographic\nGROUP_ID=1\n" + Entry(4326, "WGS 84", Wkt(4326))
                   + "GROUP=UTM\nGROUP_ID=7\n" + Entry(32632, "WGS 84 / UTM zone 32N", Wkt(32632))
                   + Entry(32633, "WGS 84 / UTM zone 33N", Wkt(32633)) + "GROUP=Broken\nGROUP_ID=2\n"
                   + Entry(55, "Broken", "PROJCS[\"broken\"");
        g_CoordinationSystem = 32632;
    }
    ~Projections() override
    {
        g_ProjectionCatalogPath = savedPath;
        g_CoordinationSystem = savedSystem;
        g_UseSpherical = savedSpherical;
    }

    // Selects the group and then the system as the user does, with the keyboard.
    static void Choose(CWnd& dlg, int groupIndex, int systemIndex)
    {
        auto& groups = *static_cast<CComboBox*>(Item(dlg, IDC_PROJECTION_GROUPS));
        groups.SetFocus();
        while (groups.GetCurSel() > groupIndex)
            Key(groups.GetSafeHwnd(), VK_UP);
        while (groups.GetCurSel() < groupIndex)
            Key(groups.GetSafeHwnd(), VK_DOWN);
        auto& list = *static_cast<CListBox*>(Item(dlg, IDC_PROJECTION_LIST));
        list.SetFocus();
        while (list.GetCurSel() < systemIndex)
            Key(list.GetSafeHwnd(), VK_DOWN);
    }

    testsupport::TempFolder folder;
    CString savedPath;
    int savedSystem;
    int savedSpherical;
    ModalRecorder boxes;
    DialogAnswerer answers;
};

TEST_F(Projections, TheCurrentSystemIsShownAndChoosingItAgainIsACancel)
{
    OGRSpatialReference* slot = nullptr;
    int code = 32633;
    answers.Then([](CWnd& dlg) {
        auto& groups = *static_cast<CComboBox*>(Item(dlg, IDC_PROJECTION_GROUPS));
        auto& list = *static_cast<CListBox*>(Item(dlg, IDC_PROJECTION_LIST));
        EXPECT_EQ(groups.GetCount(), 3);
        EXPECT_EQ((int)groups.GetItemData(groups.GetCurSel()), 7);
        EXPECT_EQ(list.GetCount(), 2);
        EXPECT_EQ((int)list.GetItemData(list.GetCurSel()), 32633);
        return ClickButton(dlg, IDOK);
    });
    CProjectionDlg dialog(&slot, &code);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(code, 32633);
    EXPECT_EQ(g_CoordinationSystem, 32632);
}

TEST_F(Projections, AChosenSystemFillsTheSlotAndBecomesTheDefault)
{
    OGRSpatialReference* slot = new OGRSpatialReference; // replaced, not leaked
    int code = 32633;
    answers.Then([](CWnd& dlg) {
        Choose(dlg, 0, 0);
        return ClickButton(dlg, IDOK);
    });
    CProjectionDlg dialog(&slot, &code);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_NE(slot, nullptr);
    EXPECT_TRUE(slot->IsGeographic());
    EXPECT_EQ(slot->GetAxisMappingStrategy(), OAMS_TRADITIONAL_GIS_ORDER);
    EXPECT_EQ(code, 4326);
    EXPECT_EQ(g_CoordinationSystem, 4326);
    delete slot;
}

TEST_F(Projections, ASystemThatDoesNotImportIsRefusedAndTheDialogStays)
{
    OGRSpatialReference* slot = nullptr;
    int code = 4326;
    answers.Then([](CWnd& dlg) {
        Choose(dlg, 2, 0);
        EXPECT_EQ(ClickButton(dlg, IDOK), -1);
        return ClickButton(dlg, IDCANCEL);
    });
    CProjectionDlg dialog(&slot, &code);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "This projection is not supported");
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(code, 4326);
}

TEST_F(Projections, ThousandsOfSystemsOpenAtOnce)
{
    // One group of 6000 systems with definitions of a real size: one query per
    // row would read this 4 MB file 6000 times.
    const std::string definition = Wkt(32632);
    {
        std::ofstream out(g_ProjectionCatalogPath.GetString(), std::ios::binary | std::ios::trunc);
        out << "MAX_GRP=1\nMAX_EPSG=900000\nGROUP=Many\nGROUP_ID=1\n";
        for (int code = 100000; code < 106000; ++code)
            out << Entry(code, "System " + std::to_string(code), definition);
    }
    OGRSpatialReference* slot = nullptr;
    int code = 105999;
    const auto start = std::chrono::steady_clock::now();
    double shownAfter = 0;
    answers.Then([&](CWnd& dlg) {
        shownAfter = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        auto& list = *static_cast<CListBox*>(Item(dlg, IDC_PROJECTION_LIST));
        EXPECT_EQ(list.GetCount(), 6000);
        EXPECT_EQ(list.GetCurSel(), 5999);
        return ClickButton(dlg, IDCANCEL);
    });
    CProjectionDlg dialog(&slot, &code);
    dialog.DoModal();
    RecordProperty("open_seconds", std::to_string(shownAfter));
    EXPECT_LT(shownAfter, 3.0);
}

class MapProperty : public Projections {
protected:
    // The document is made after the catalogue: its map takes 32632.
    std::unique_ptr<FakeDocument> document = std::make_unique<FakeDocument>();
    CMapModel& Map() { return document->window.model; }
};

TEST_F(MapProperty, TheMapsUnitsAreShownAndOkStoresTheChosenOnes)
{
    ASSERT_EQ(Map().GetProjectionCode(), 32632);
    CMapUnits units = Map().GetUnits();
    units.SetDistanceUnitCode(4);
    units.SetAreaUnitCode(8);
    Map().SetUnits(units);
    answers.Then([](CWnd& dlg) {
        auto& distance = *static_cast<CComboBox*>(Item(dlg, IDC_DISTANCE_UNIT));
        auto& area = *static_cast<CComboBox*>(Item(dlg, IDC_AREA_UNIT));
        auto& coordinate = *static_cast<CComboBox*>(Item(dlg, IDC_COORDINATE_UNIT));
        CString text;
        distance.GetLBText(distance.GetCurSel(), text);
        EXPECT_EQ(text, "Kilometers");
        area.GetLBText(area.GetCurSel(), text);
        EXPECT_EQ(text, "hectare");
        EXPECT_EQ(coordinate.GetCount(), 10) << "a projected system: angles and lengths";
        distance.SetFocus();
        Key(distance.GetSafeHwnd(), VK_DOWN); // Inches
        TypeInto(dlg, IDC_ROTATE, "30");
        TypeInto(dlg, IDC_X_CENTER, "100");
        Click(dlg, IDC_CARTESIAN);
        return ClickButton(dlg, IDOK);
    });
    CMapPropertyDlg dialog(document.get());
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(Map().GetUnits().GetDistanceUnitCode(), 5);
    EXPECT_EQ(Map().GetUnits().GetAreaUnitCode(), 8);
    EXPECT_EQ(Map().GetUnits().GetUseSpherical(), 0);
    EXPECT_DOUBLE_EQ(Map().GetRotation(), 30);
    EXPECT_DOUBLE_EQ(Map().GetRotationCentreX(), 100);
    EXPECT_EQ(Map().GetProjectionCode(), 32632) << "no system chosen";
    EXPECT_EQ(document->window.invalidated, 0);
}

TEST_F(MapProperty, AGeographicSystemLimitsTheUnitsAndReachesTheMapOnOk)
{
    answers.Then([](CWnd& dlg) {
        Click(dlg, IDC_MAP_PROJECTION);
        auto& coordinate = *static_cast<CComboBox*>(Item(dlg, IDC_COORDINATE_UNIT));
        EXPECT_EQ(coordinate.GetCount(), 2);
        CString text;
        coordinate.GetLBText(coordinate.GetCurSel(), text);
        EXPECT_EQ(text, "Degree");
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SPHERICAL), (UINT)BST_CHECKED);
        EXPECT_FALSE(Item(dlg, IDC_CARTESIAN)->IsWindowEnabled());
        return ClickButton(dlg, IDOK);
    });
    answers.Then([](CWnd& projections) {
        Choose(projections, 0, 0);
        return ClickButton(projections, IDOK);
    });
    CMapPropertyDlg dialog(document.get());
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(Map().GetProjectionCode(), 4326);
    ASSERT_NE(Map().GetSpatialReference(), nullptr);
    EXPECT_TRUE(Map().GetSpatialReference()->IsGeographic());
    EXPECT_EQ(Map().GetUnits().GetCoordUnitCode(), 11);
    EXPECT_EQ(Map().GetUnits().GetUseSpherical(), 1);
    EXPECT_EQ(g_CoordinationSystem, 4326);
    EXPECT_EQ(document->window.cleared, 1);
    EXPECT_EQ(document->window.invalidated, 1);
}

TEST_F(MapProperty, CancelDropsAChosenSystemAndARotationOutOfRangeIsRefused)
{
    answers.Then([](CWnd& dlg) {
        Click(dlg, IDC_MAP_PROJECTION);
        TypeInto(dlg, IDC_ROTATE, "400");
        EXPECT_EQ(ClickButton(dlg, IDOK), -1) << "the range check keeps the dialog open";
        return ClickButton(dlg, IDCANCEL);
    });
    answers.Then([](CWnd& projections) {
        Choose(projections, 0, 0);
        return ClickButton(projections, IDOK);
    });
    CMapPropertyDlg dialog(document.get());
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(Map().GetProjectionCode(), 32632);
    EXPECT_DOUBLE_EQ(Map().GetRotation(), 0);
    EXPECT_EQ(dialog.m_pSpatialReference, nullptr);
}

TEST_F(MapProperty, AMapWithoutASystemKeepsItsCoordinateUnit)
{
    g_CoordinationSystem = -1;
    document = std::make_unique<FakeDocument>();
    ASSERT_EQ(Map().GetSpatialReference(), nullptr);
    CMapUnits units = Map().GetUnits();
    units.SetCoordUnitCode(1);
    Map().SetUnits(units);
    answers.Then([](CWnd& dlg) {
        EXPECT_EQ(static_cast<CComboBox*>(Item(dlg, IDC_COORDINATE_UNIT))->GetCount(), 0);
        return ClickButton(dlg, IDOK);
    });
    CMapPropertyDlg dialog(document.get());
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(Map().GetUnits().GetCoordUnitCode(), 1) << "an empty list stores no -1";
}

} // namespace
