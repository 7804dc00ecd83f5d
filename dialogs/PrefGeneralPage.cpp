#include "dialogs/PrefGeneralPage.h"

#include "core/MapUnits.h"
#include "core/Settings.h"
#include "dialogs/CoordinateUnitChoice.h"
#include "dialogs/DefaultColorExchange.h"
#include "model/projections/ProjectionCatalogue.h"
#include "platform/controls/CButton.h"
#include "platform/controls/CSliderCtrl.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

#include <cstdlib>
#include <memory>
#include <ogr_spatialref.h>

namespace {

CPrefGeneralPage::ProjectionChooser& Chooser()
{
    static CPrefGeneralPage::ProjectionChooser chooser;
    return chooser;
}

const UnitItem kDistanceUnits[] = {{"Meters", 1}, {"Centimeters", 2}, {"Millimeters", 3}, {"Kilometers", 4},
                                   {"Inches", 5}, {"Feet", 6},        {"Miles", 7},       {"hectare", 8}};
const UnitItem kAreaUnits[] = {{"Square meters", 1}, {"Square centimeters", 2}, {"Square millimeters", 3},
                               {"Square kilometers", 4}, {"Square inches", 5},  {"Square feet", 6},
                               {"Square miles", 7},      {"hectare", 8}};
const UnitItem kLinearUnits[] = {{"meters", 1}, {"centimeters", 2}, {"Millimeters", 3}, {"Kilometers", 4},
                                 {"Inches", 5}, {"Feet", 6},        {"Miles", 7},       {"hectare", 8}};

int DefaultNumber(UINT id)
{
    CString text;
    text.LoadString(id);
    return std::atoi(text);
}

BOOL DefaultFlag(UINT id)
{
    CString text;
    text.LoadString(id);
    return text == "T";
}

} // namespace

IMPLEMENT_DYNCREATE(CPrefGeneralPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CPrefGeneralPage, CPropertyPage)
    ON_BN_CLICKED(IDC_PREF_RESET_ALL, OnResetAll)
    ON_BN_CLICKED(IDC_PREF_PROJECTION, OnProjection)
    ON_EN_CHANGE(IDC_PREF_GRID_WIDTH, OnChanged)
    ON_EN_CHANGE(IDC_PREF_GRID_HEIGHT, OnChanged)
    ON_CBN_SELCHANGE(IDC_PREF_COORD_UNIT, OnChanged)
    ON_CBN_SELCHANGE(IDC_PREF_DISTANCE_UNIT, OnChanged)
    ON_CBN_SELCHANGE(IDC_PREF_AREA_UNIT, OnChanged)
END_MESSAGE_MAP()

void CPrefGeneralPage::SetProjectionChooser(ProjectionChooser chooser) { Chooser() = std::move(chooser); }

CPrefGeneralPage::CPrefGeneralPage() : CPropertyPage(IDD_PREF_GENERAL), m_nCode(g_CoordinationSystem) {}

void CPrefGeneralPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREF_COORD_UNIT, m_coordUnits);
    DDX_Control(pDX, IDC_PREF_DISTANCE_UNIT, m_distanceUnits);
    DDX_Control(pDX, IDC_PREF_AREA_UNIT, m_areaUnits);
    DDX_Control(pDX, IDC_PREF_RULE_COLOR, m_ruleColor);
    DDX_Slider(pDX, IDC_PREF_ZOOM_SIZE, m_nZoom);
    DDX_DefaultColor(pDX, IDC_PREF_RULE_COLOR, g_RuleColor);
    DDX_Check(pDX, IDC_PREF_STORE_WORKSPACE, m_bStoreWorkspace);
    DDX_Check(pDX, IDC_PREF_SHOW_INFO_TOOL, m_bShowInfoTool);
    DDX_Text(pDX, IDC_PREF_GRID_WIDTH, m_nGridWidth);
    DDX_Text(pDX, IDC_PREF_GRID_HEIGHT, m_nGridHeight);
    DDX_Text(pDX, IDC_PREF_SNAP_POINTS, m_nSnapPoints);
    DDX_Check(pDX, IDC_PREF_SAVE_SETTINGS, m_bSaveSettings);
}

void CPrefGeneralPage::SelectByData(CComboBox& list, int data)
{
    list.SetCurSel(-1);
    for (int i = 0; i < list.GetCount(); ++i)
        if ((int)list.GetItemData(i) == data) {
            list.SetCurSel(i);
            return;
        }
}

int CPrefGeneralPage::SelectedData(CComboBox& list)
{
    const int item = list.GetCurSel();
    return item >= 0 ? (int)list.GetItemData(item) : -1;
}

void CPrefGeneralPage::FillCoordinateUnits(OGRSpatialReference* system)
{
    std::unique_ptr<OGRSpatialReference> owned(system ? system
                                                      : CProjectionCatalogue::CreateSpatialReference(m_nCode));
    m_coordUnits.ResetContent();
    if (!owned)
        return;
    AddCoordinateUnits(m_coordUnits, *owned, kLinearUnits);
    SelectByData(m_coordUnits, g_CoordinateUnit);
    SetMeasuringChoice(*this, IDC_PREF_SPHERICAL, IDC_PREF_CARTESIAN, *owned);
}

BOOL CPrefGeneralPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    AddUnitItems(m_distanceUnits, kDistanceUnits);
    AddUnitItems(m_areaUnits, kAreaUnits);
    SelectByData(m_distanceUnits, g_DistanceUnit);
    SelectByData(m_areaUnits, g_AreaUnit);
    static_cast<CSliderCtrl*>(GetDlgItem(IDC_PREF_ZOOM_SIZE))->SetRange(100, 500);
    m_nZoom = (int)(g_ZoomSize * 100);
    m_bSaveSettings = g_SaveSettingsOnExit;
    m_bStoreWorkspace = g_StoreWorkspaceAutomatically;
    m_bShowInfoTool = g_ShowInfoTool;
    m_nCode = g_CoordinationSystem;
    m_nSnapPoints = g_SnapPoints;
    m_nGridWidth = g_DefaultGridWidth;
    m_nGridHeight = g_DefaultGridHeight;
    CheckRadioButton(IDC_PREF_SPHERICAL, IDC_PREF_CARTESIAN, g_UseSpherical ? IDC_PREF_SPHERICAL : IDC_PREF_CARTESIAN);
    FillCoordinateUnits(nullptr);
    UpdateData(FALSE);
    GetDlgItem(IDC_PREF_PROJECTION)->EnableWindow(Chooser() != nullptr);
    return TRUE;
}

void CPrefGeneralPage::Apply()
{
    UpdateData(TRUE);
    g_SaveSettingsOnExit = m_bSaveSettings;
    g_StoreWorkspaceAutomatically = m_bStoreWorkspace;
    g_ShowInfoTool = m_bShowInfoTool;
    g_RuleColor = (int)m_ruleColor.GetColor();
    g_ZoomSize = (float)(m_nZoom * 0.01);
    g_CoordinationSystem = m_nCode;
    g_DistanceUnit = SelectedData(m_distanceUnits);
    g_AreaUnit = SelectedData(m_areaUnits);
    g_CoordinateUnit = SelectedData(m_coordUnits);
    g_SnapPoints = m_nSnapPoints;
    g_DefaultGridWidth = m_nGridWidth;
    g_DefaultGridHeight = m_nGridHeight;
    g_UseSpherical = static_cast<CButton*>(GetDlgItem(IDC_PREF_SPHERICAL))->GetCheck() == BST_CHECKED ? 1 : 0;
    SetModified(FALSE);
}

void CPrefGeneralPage::OnOK()
{
    Apply();
    CPropertyPage::OnOK();
}

void CPrefGeneralPage::OnChanged() { SetModified(TRUE); }

void CPrefGeneralPage::OnResetAll()
{
    m_nCode = DefaultNumber(IDS_DEFAULT_COORDINATION_SYSTEM);
    CString zoom;
    zoom.LoadString(IDS_DEFAULT_ZOOM_SIZE);
    m_nZoom = (int)(std::atof(zoom) * 100);
    m_nSnapPoints = DefaultNumber(IDS_DEFAULT_SNAP_POINTS);
    m_bShowInfoTool = DefaultFlag(IDS_DEFAULT_SHOW_INFO_TOOL);
    m_bStoreWorkspace = DefaultFlag(IDS_DEFAULT_STORE_WORKSPACE);
    m_bSaveSettings = DefaultFlag(IDS_DEFAULT_SAVE_SETTINGS_ON_EXIT);
    m_nGridWidth = DefaultNumber(IDS_DEFAULT_GRID_WIDTH);
    m_nGridHeight = DefaultNumber(IDS_DEFAULT_GRID_HEIGHT);
    // Loading the controls shows the rule colour's global; the default goes
    // into the button after it, and into the global only when the page is applied.
    UpdateData(FALSE);
    m_ruleColor.SetColor((COLORREF)DefaultNumber(IDS_DEFAULT_RULE_COLOR));
    m_ruleColor.Invalidate(FALSE);
    SelectByData(m_distanceUnits, DefaultNumber(IDS_DEFAULT_DISTANCE_UNIT));
    SelectByData(m_areaUnits, DefaultNumber(IDS_DEFAULT_AREA_UNIT));
    FillCoordinateUnits(nullptr);
    SelectByData(m_coordUnits, DefaultNumber(IDS_DEFAULT_COORDINATE_UNIT));
}

void CPrefGeneralPage::OnProjection()
{
    if (!Chooser())
        return;
    OGRSpatialReference* system = nullptr;
    if (Chooser()(m_nCode, &system, this) != IDOK) {
        delete system;
        return;
    }
    if (!system)
        system = CProjectionCatalogue::CreateSpatialReference(m_nCode);
    const int unit = GuessUnitCode(system);
    FillCoordinateUnits(system);
    if (unit >= 0)
        SelectByData(m_coordUnits, unit);
    SetModified(TRUE);
}
