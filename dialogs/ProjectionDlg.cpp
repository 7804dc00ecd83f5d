#include "dialogs/ProjectionDlg.h"

#include "core/Settings.h"
#include "model/projections/ProjectionCatalogue.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

#include <ogr_spatialref.h>

IMPLEMENT_DYNAMIC(CProjectionDlg, CDialog)

BEGIN_MESSAGE_MAP(CProjectionDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_PROJECTION_GROUPS, OnGroupSelected)
END_MESSAGE_MAP()

CProjectionDlg::CProjectionDlg(OGRSpatialReference** slot, int* code)
    : CDialog(IDD_PROJECTIONS, nullptr), m_ppSpatialReference(slot), m_pCode(code)
{
}

void CProjectionDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROJECTION_GROUPS, m_cbGroups);
    DDX_Control(pDX, IDC_PROJECTION_LIST, m_lbProjections);
}

BOOL CProjectionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Each fill reads the catalogue once, whatever the number of its systems.
    CProjectionCatalogue::FillGroupCombo(m_cbGroups.GetSafeHwnd());
    const int code = m_pCode ? *m_pCode : -1;
    const int group = CProjectionCatalogue::GetGroupID(code);
    CProjectionCatalogue::FillProjectionList(group, m_lbProjections.GetSafeHwnd());
    for (int i = 0; i < m_cbGroups.GetCount(); ++i) {
        if ((int)m_cbGroups.GetItemData(i) == group) {
            m_cbGroups.SetCurSel(i);
            break;
        }
    }
    for (int i = 0; i < m_lbProjections.GetCount(); ++i) {
        if ((int)m_lbProjections.GetItemData(i) == code) {
            m_lbProjections.SetCurSel(i);
            break;
        }
    }
    return TRUE;
}

void CProjectionDlg::OnGroupSelected()
{
    const int index = m_cbGroups.GetCurSel();
    if (index < 0)
        return;
    CProjectionCatalogue::FillProjectionList((int)m_cbGroups.GetItemData(index), m_lbProjections.GetSafeHwnd());
    if (m_lbProjections.GetCount() > 0)
        m_lbProjections.SetCurSel(0);
}

void CProjectionDlg::OnOK()
{
    const int item = m_lbProjections.GetCurSel();
    const int code = item >= 0 ? (int)m_lbProjections.GetItemData(item) : -1;
    CProjectionCatalogue::LineBuffer definition;
    if (item < 0 || (m_pCode && code == *m_pCode) || !CProjectionCatalogue::GetDefinition(code, definition)) {
        EndDialog(IDCANCEL);
        return;
    }
    if (m_ppSpatialReference) {
        delete *m_ppSpatialReference;
        *m_ppSpatialReference = nullptr;
        CProjectionCatalogue::TrimLineEnd(definition);
        auto* srs = new OGRSpatialReference;
        if (srs->importFromWkt(definition) != OGRERR_NONE) {
            delete srs;
            AfxMessageBox("This projection is not supported", MB_OK, 0);
            return;
        }
        srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        *m_ppSpatialReference = srs;
    }
    if (m_pCode)
        *m_pCode = code;
    g_CoordinationSystem = code;
    EndDialog(IDOK);
}
