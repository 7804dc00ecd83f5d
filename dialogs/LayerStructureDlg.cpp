#include "dialogs/LayerStructureDlg.h"

#include "core/SQLiteException.h"
#include "core/Utilities.h"
#include "dialogs/DialogFont.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapNotify.h"
#include "model/layers/MapWindowLink.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

#include <algorithm>
#include <set>
#include <string>

IMPLEMENT_DYNAMIC(CLayerStructureDlg, CDialog)

BEGIN_MESSAGE_MAP(CLayerStructureDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_LAYER_CHOOSER, OnLayerSelected)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_FIELD_LIST, OnFieldChanged)
    ON_EN_CHANGE(IDC_FIELD_NAME, OnNameChanged)
    ON_CBN_SELCHANGE(IDC_FIELD_TYPE, OnTypeSelected)
    ON_EN_CHANGE(IDC_FIELD_WIDTH, OnWidthChanged)
    ON_BN_CLICKED(IDC_FIELD_ADD, OnAdd)
    ON_BN_CLICKED(IDC_FIELD_REMOVE, OnRemove)
END_MESSAGE_MAP()

namespace {
// Index 0 of the type combo; the width counts only for it.
const char* const kStringType = "STRING";
}

CLayerStructureDlg::CLayerStructureDlg(CMapWindowLink* map, CMapLayer* layer, CWnd* parent)
    : CDialog(IDD_LAYER_STRUCTURE, parent), m_pMap(map), m_pStartLayer(layer)
{
}

void CLayerStructureDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LAYER_CHOOSER, m_cbLayers);
    DDX_Control(pDX, IDC_FIELD_TYPE, m_cbType);
    DDX_Control(pDX, IDC_FIELD_LIST, m_lcFields);
    DDX_Text(pDX, IDC_FIELD_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 50);
    DDX_CBIndex(pDX, IDC_FIELD_TYPE, m_nType);
    DDX_Text(pDX, IDC_FIELD_WIDTH, m_nWidth);
}

BOOL CLayerStructureDlg::OnInitDialog()
{
    m_bFilling = true;
    CDialog::OnInitDialog();
    SetDialogWindowFont(m_cbLayers);
    SetDialogWindowFont(m_lcFields);
    if (CWnd* name = GetDlgItem(IDC_FIELD_NAME))
        SetDialogWindowFont(*name);
    SetDialogWindowFont(m_cbType);
    if (CWnd* width = GetDlgItem(IDC_FIELD_WIDTH))
        SetDialogWindowFont(*width);
    if (CEdit* name = static_cast<CEdit*>(GetDlgItem(IDC_FIELD_NAME)))
        name->LimitText(50);

    if (m_pMap) {
        CMapModel* model = m_pMap->GetMapModel();
        for (POSITION pos = model->GetFirstLayerPosition(); pos;) {
            CMapLayer* layer = model->GetNextLayer(pos);
            const int index = m_cbLayers.AddString(layer->GetName());
            m_cbLayers.SetItemDataPtr(index, layer);
            if (layer == m_pStartLayer)
                m_cbLayers.SetCurSel(index);
        }
    }
    m_lcFields.SetExtendedStyle(m_lcFields.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_lcFields.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    m_lcFields.InsertColumn(1, "Type", LVCFMT_LEFT, 60);
    m_lcFields.InsertColumn(2, "Width", LVCFMT_LEFT, 40);
    m_bModified = 0;
    if (!m_pStartLayer && m_cbLayers.GetCount() > 0)
        m_cbLayers.SetCurSel(0);
    EnableFieldControls(-1);
    m_bFilling = false;
    OnLayerSelected();
    return TRUE;
}

int CLayerStructureDlg::SelectedItem() const { return m_lcFields.GetNextItem(-1, LVNI_SELECTED); }

void CLayerStructureDlg::EnableFieldControls(int item)
{
    const bool added = item >= 0 && m_lcFields.GetItemData(item) == kNewField;
    if (CWnd* name = GetDlgItem(IDC_FIELD_NAME))
        name->EnableWindow(added);
    m_cbType.EnableWindow(added);
    if (CWnd* width = GetDlgItem(IDC_FIELD_WIDTH))
        width->EnableWindow(added && m_cbType.GetCurSel() == 0);
}

void CLayerStructureDlg::OnLayerSelected()
{
    const int index = m_cbLayers.GetCurSel();
    if (index < 0)
        return;
    auto* layer = static_cast<CMapLayer*>(m_cbLayers.GetItemDataPtr(index));
    if (layer == m_pLayer)
        return;
    if (!ApplyChanges()) {
        // The refused changes stay on view with the layer they belong to.
        for (int i = 0; i < m_cbLayers.GetCount(); ++i) {
            if (m_cbLayers.GetItemDataPtr(i) == m_pLayer)
                m_cbLayers.SetCurSel(i);
        }
        return;
    }
    ShowFields(layer);
}

void CLayerStructureDlg::ShowFields(CMapLayer* layer)
{
    m_bFilling = true;
    m_lcFields.DeleteAllItems();
    if (layer) {
        for (int i = 0; i < layer->GetFieldCount(); ++i) {
            const CMapField& field = layer->GetField(i);
            const int item = m_lcFields.InsertItem(i, field.GetName());
            m_lcFields.SetItemText(item, 1, field.GetTypeName());
            if (field.GetTypeName() == kStringType) {
                CString width;
                width.Format("%d", field.GetWidth());
                m_lcFields.SetItemText(item, 2, width);
            }
            m_lcFields.SetItemData(item, (DWORD_PTR)item);
        }
    }
    m_strName.Empty();
    SetDlgItemText(IDC_FIELD_NAME, "");
    SetDlgItemText(IDC_FIELD_WIDTH, "");
    EnableFieldControls(-1);
    m_Removed.clear();
    m_bModified = 0;
    m_pLayer = layer;
    m_bFilling = false;
}

void CLayerStructureDlg::OnFieldChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (m_bFilling || !(change->uChanged & LVIF_STATE) || !(change->uNewState & LVIS_SELECTED))
        return;
    const int item = change->iItem;
    m_bFilling = true;
    const int type = m_cbType.FindStringExact(-1, m_lcFields.GetItemText(item, 1));
    m_cbType.SetCurSel(type);
    m_nType = type;
    m_strName = m_lcFields.GetItemText(item, 0);
    m_nWidth = atoi(m_lcFields.GetItemText(item, 2));
    SetDlgItemText(IDC_FIELD_NAME, m_strName);
    CString width;
    width.Format("%d", m_nWidth);
    SetDlgItemText(IDC_FIELD_WIDTH, width);
    EnableFieldControls(item);
    m_bFilling = false;
}

void CLayerStructureDlg::OnNameChanged()
{
    const int item = SelectedItem();
    if (m_bFilling || item < 0 || m_lcFields.GetItemData(item) != kNewField)
        return;
    GetDlgItemText(IDC_FIELD_NAME, m_strName);
    m_lcFields.SetItemText(item, 0, m_strName);
    m_bModified = 1;
}

void CLayerStructureDlg::OnTypeSelected()
{
    m_nType = m_cbType.GetCurSel();
    const int item = SelectedItem();
    if (m_bFilling || item < 0 || m_lcFields.GetItemData(item) != kNewField) {
        EnableFieldControls(item);
        return;
    }
    CString type;
    m_cbType.GetLBText(m_nType, type);
    m_lcFields.SetItemText(item, 1, type);
    const bool text = m_nType == 0;
    m_lcFields.SetItemText(item, 2, text ? "0" : "");
    m_bFilling = true;
    m_nWidth = 0;
    SetDlgItemText(IDC_FIELD_WIDTH, text ? "0" : "");
    m_bFilling = false;
    EnableFieldControls(item);
    m_bModified = 1;
}

void CLayerStructureDlg::OnWidthChanged()
{
    const int item = SelectedItem();
    if (m_bFilling || item < 0 || m_lcFields.GetItemData(item) != kNewField)
        return;
    CString text;
    GetDlgItemText(IDC_FIELD_WIDTH, text);
    m_nWidth = atoi(text);
    CString width;
    width.Format("%d", m_nWidth);
    m_lcFields.SetItemText(item, 2, width);
    m_bModified = 1;
}

void CLayerStructureDlg::OnAdd()
{
    if (!m_pLayer)
        return;
    const int item = m_lcFields.InsertItem(m_lcFields.GetItemCount(), "Field1");
    m_lcFields.SetItemText(item, 1, kStringType);
    m_lcFields.SetItemText(item, 2, "20");
    m_lcFields.SetItemData(item, kNewField);
    m_lcFields.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_lcFields.EnsureVisible(item, FALSE);
    if (auto* name = static_cast<CEdit*>(GetDlgItem(IDC_FIELD_NAME))) {
        GotoDlgCtrl(name);
        name->SetSel(0, -1);
    }
    m_bModified = 1;
}

void CLayerStructureDlg::OnRemove()
{
    const int item = SelectedItem();
    if (item < 0)
        return;
    const DWORD_PTR data = m_lcFields.GetItemData(item);
    if (data != kNewField)
        m_Removed.push_back((int)data);
    m_bFilling = true;
    m_lcFields.DeleteItem(item);
    SetDlgItemText(IDC_FIELD_NAME, "");
    SetDlgItemText(IDC_FIELD_WIDTH, "");
    m_bFilling = false;
    EnableFieldControls(SelectedItem());
    m_bModified = 1;
}

CString CLayerStructureDlg::CheckNewFields() const
{
    // Column names compare without regard to case in SQL.
    std::set<std::string> columns;
    auto take = [&columns](CString name) -> CString {
        if (name.IsEmpty())
            return "A field needs a name.";
        CMapLayer::MakeFieldNameSafe(name);
        CString key = name;
        key.MakeUpper();
        if (!columns.insert(key.GetString()).second) {
            CString message;
            message.Format("The field \"%s\" would have the column name of another field. Please choose another "
                           "name.",
                           name.GetString());
            return message;
        }
        return CString();
    };
    for (int i = 0; i < m_pLayer->GetFieldCount(); ++i) {
        if (std::find(m_Removed.begin(), m_Removed.end(), i) != m_Removed.end())
            continue;
        CString refused = take(m_pLayer->GetField(i).GetName());
        if (!refused.IsEmpty())
            return refused;
    }
    for (int item = 0; item < m_lcFields.GetItemCount(); ++item) {
        if (m_lcFields.GetItemData(item) != kNewField)
            continue;
        CString refused = take(m_lcFields.GetItemText(item, 0));
        if (!refused.IsEmpty())
            return refused;
    }
    return CString();
}

BOOL CLayerStructureDlg::ApplyChanges()
{
    if (!m_pLayer || !m_bModified)
        return TRUE;
    if (MessageBoxFromIdYesNo(IDS_SAVE_FIELD_CHANGES, 0) != IDYES) {
        m_bModified = 0;
        return TRUE;
    }
    const CString refused = CheckNewFields();
    if (!refused.IsEmpty()) {
        AfxMessageBox(refused, MB_OK | MB_ICONEXCLAMATION, 0);
        return FALSE;
    }

    CMapLayer* layer = m_pLayer;
    const CString oldColumns = layer->GetMetaDataColumns();
    std::vector<CMapField> kept;
    for (int i = 0; i < layer->GetFieldCount(); ++i)
        kept.push_back(layer->GetField(i));

    // Highest index first, so that the lower ones stay valid.
    std::vector<int> removed = m_Removed;
    std::sort(removed.begin(), removed.end());
    for (auto it = removed.rbegin(); it != removed.rend(); ++it)
        layer->RemoveField(*it);
    for (int item = 0; item < m_lcFields.GetItemCount(); ++item) {
        if (m_lcFields.GetItemData(item) != kNewField)
            continue;
        CMapField field(m_lcFields.GetItemText(item, 0), FIELD_TYPE_STRING, atoi(m_lcFields.GetItemText(item, 2)));
        field.TypeFromName(m_lcFields.GetItemText(item, 1));
        layer->AddField(field);
    }

    const CString newColumns = layer->GetMetaDataColumns();
    CString copied("mapeID");
    for (const CMapField& field : kept) {
        if (!layer->HasField(field))
            continue;
        CString name = field.GetName();
        CMapLayer::MakeFieldNameSafe(name);
        copied += "," + name;
    }
    try {
        layer->RebuildMetaDataTable(oldColumns, copied, newColumns);
    } catch (const CSQLiteException& e) {
        AfxMessageBox(e.GetMessage(), MB_OK | MB_ICONEXCLAMATION, 0);
    }

    m_bModified = 0;
    if (m_pMap) {
        m_pMap->SetModified(1);
        m_pMap->NotifyParent(MAPA_LAYER_BUILT, layer, 0);
    }
    ShowFields(layer);
    return TRUE;
}

void CLayerStructureDlg::OnOK()
{
    if (!ApplyChanges())
        return;
    EndDialog(IDOK);
}
