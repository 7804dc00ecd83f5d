#include "dialogs/MapPropertyDlg.h"

#include "core/MapUnits.h"
#include "dialogs/CoordinateUnitChoice.h"
#include "dialogs/ProjectionDlg.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapWindowLink.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

#include <ogr_spatialref.h>

IMPLEMENT_DYNAMIC(CMapPropertyDlg, CDialog)

BEGIN_MESSAGE_MAP(CMapPropertyDlg, CDialog)
    ON_BN_CLICKED(IDC_MAP_PROJECTION, OnProjection)
END_MESSAGE_MAP()

namespace {

const UnitItem kLinearUnits[] = {{"Meters", 1}, {"Centimeters", 2}, {"Millimeters", 3}, {"Kilometers", 4},
                                 {"Inches", 5}, {"Feets", 6},       {"Miles", 7},       {"hectare", 8}};
const UnitItem kAreaUnits[] = {{"Square meters", 1}, {"Square centimeters", 2}, {"Square millimeters", 3},
                               {"Square kilometers", 4}, {"Square inches", 5}, {"Square feets", 6},
                               {"Square miles", 7}, {"hectare", 8}};

void SelectCode(CComboBox& combo, int code)
{
    for (int i = 0; i < combo.GetCount(); ++i) {
        if ((int)combo.GetItemData(i) == code) {
            combo.SetCurSel(i);
            return;
        }
    }
}

// The code of the selected item; `keep` when nothing is selected, so that an
// empty list does not turn the map's unit into -1.
int SelectedCode(const CComboBox& combo, int keep)
{
    const int index = combo.GetCurSel();
    return index >= 0 ? (int)combo.GetItemData(index) : keep;
}

} // namespace

CMapPropertyDlg::CMapPropertyDlg(CMapDocumentLink* document)
    : CDialog(IDD_MAP_PROPERTY, document && document->GetMapWindowLink() ? document->GetMapWindowLink()->GetLinkWindow()
                                                                          : nullptr),
      m_pDocument(document)
{
    if (CMapModel* map = document ? document->GetDocumentMapModel() : nullptr) {
        m_dRotation = map->GetRotation();
        m_dCenterX = map->GetRotationCentreX();
        m_dCenterY = map->GetRotationCentreY();
        m_nCode = map->GetProjectionCode();
    }
}

CMapPropertyDlg::~CMapPropertyDlg() { delete m_pSpatialReference; }

void CMapPropertyDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COORDINATE_UNIT, m_cbCoordinateUnit);
    DDX_Control(pDX, IDC_DISTANCE_UNIT, m_cbDistanceUnit);
    DDX_Control(pDX, IDC_AREA_UNIT, m_cbAreaUnit);
    DDX_Text(pDX, IDC_ROTATE, m_dRotation);
    DDV_MinMaxDouble(pDX, m_dRotation, 0, 360);
    DDX_Text(pDX, IDC_X_CENTER, m_dCenterX);
    DDX_Text(pDX, IDC_Y_CENTER, m_dCenterY);
}

BOOL CMapPropertyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AddUnitItems(m_cbDistanceUnit, kLinearUnits);
    AddUnitItems(m_cbAreaUnit, kAreaUnits);
    CMapModel* map = m_pDocument ? m_pDocument->GetDocumentMapModel() : nullptr;
    if (!map)
        return TRUE;
    const CMapUnits& units = map->GetUnits();
    CheckRadioButton(IDC_SPHERICAL, IDC_CARTESIAN, units.GetUseSpherical() ? IDC_SPHERICAL : IDC_CARTESIAN);
    SelectCode(m_cbDistanceUnit, units.GetDistanceUnitCode());
    SelectCode(m_cbAreaUnit, units.GetAreaUnitCode());
    FillCoordinateUnits(nullptr);
    SelectCode(m_cbCoordinateUnit, units.GetCoordUnitCode());
    return TRUE;
}

void CMapPropertyDlg::FillCoordinateUnits(const OGRSpatialReference* srs)
{
    m_cbCoordinateUnit.ResetContent();
    CMapModel* map = m_pDocument ? m_pDocument->GetDocumentMapModel() : nullptr;
    if (!srs && map)
        srs = map->GetSpatialReference();
    if (!srs)
        return;
    AddCoordinateUnits(m_cbCoordinateUnit, *srs, kLinearUnits);
    SetMeasuringChoice(*this, IDC_SPHERICAL, IDC_CARTESIAN, *srs);
}

void CMapPropertyDlg::OnProjection()
{
    CProjectionDlg dialog(&m_pSpatialReference, &m_nCode);
    if (dialog.DoModal() != IDOK)
        return;
    FillCoordinateUnits(m_pSpatialReference);
    SelectCode(m_cbCoordinateUnit, GuessUnitCode(m_pSpatialReference));
}

void CMapPropertyDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CMapModel* map = m_pDocument ? m_pDocument->GetDocumentMapModel() : nullptr;
    if (map) {
        map->SetRotation(m_dRotation);
        map->SetRotationCentre(m_dCenterX, m_dCenterY);
        CMapUnits units = map->GetUnits();
        units.SetDistanceUnitCode(SelectedCode(m_cbDistanceUnit, units.GetDistanceUnitCode()));
        units.SetAreaUnitCode(SelectedCode(m_cbAreaUnit, units.GetAreaUnitCode()));
        units.SetCoordUnitCode(SelectedCode(m_cbCoordinateUnit, units.GetCoordUnitCode()));
        units.SetUseSpherical(IsDlgButtonChecked(IDC_SPHERICAL) == BST_CHECKED);
        map->SetUnits(units);
        if (m_pSpatialReference) {
            CMapWindowLink* window = m_pDocument->GetMapWindowLink();
            if (window)
                window->ClearSelection(1);
            map->SetSpatialReference(m_pSpatialReference, m_nCode);
            m_pSpatialReference = nullptr;
            if (window)
                window->InvalidateMap(nullptr, TRUE);
        }
    }
    EndDialog(IDOK);
}

void CMapPropertyDlg::OnCancel()
{
    delete m_pSpatialReference;
    m_pSpatialReference = nullptr;
    EndDialog(IDCANCEL);
}
