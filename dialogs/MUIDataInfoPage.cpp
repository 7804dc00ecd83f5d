// The Data page. Each list item carries the index of the attribute value it
// shows, so that a sorted list still writes every value to its own field.
#include "dialogs/MUIDataInfoPage.h"

#include "core/MapFieldValue.h"
#include "dialogs/MUIPropertySheet.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

#include <vector>

IMPLEMENT_DYNCREATE(CMUIDataInfoPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CMUIDataInfoPage, CPropertyPage)
    ON_NOTIFY(NM_CLICK, IDC_OBJECT_DATA_LIST, OnListClick)
    ON_EN_CHANGE(IDC_OBJECT_DATA_VALUE, OnValueChanged)
END_MESSAGE_MAP()

CMUIDataInfoPage::CMUIDataInfoPage() : CPropertyPage(IDD_OBJECT_DATA) {}

void CMUIDataInfoPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OBJECT_DATA_GROUP, m_groupBox);
    DDX_Control(pDX, IDC_OBJECT_DATA_LIST, m_list);
    DDX_Text(pDX, IDC_OBJECT_DATA_VALUE, m_strValue);
}

BOOL CMUIDataInfoPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_groupBox.SetWindowText("");
    if (g_DialogWindowFont) {
        m_list.SetFont(g_DialogWindowFont);
        GetDlgItem(IDC_OBJECT_DATA_VALUE)->SetFont(g_DialogWindowFont);
    }
    m_list.SetGridLines(TRUE);
    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, "", LVCFMT_LEFT, 100);
    m_list.InsertColumn(1, "", LVCFMT_LEFT, client.Width() - 100);

    CMUIPropertySheet* sheet = StyleSheetOf(this);
    const CMapObject* object = sheet ? sheet->GetObject() : nullptr;
    if (object) {
        int index = 0;
        for (POSITION pos = object->GetFirstAttributePosition(); pos; ++index) {
            const CMapFieldValue value = object->GetNextAttribute(pos);
            const int item = m_list.InsertItem(index, value.GetField().GetName());
            m_list.SetItemText(item, 1, value.GetValueText());
            m_list.SetItemData(item, (DWORD_PTR)index);
        }
    }
    m_bEditable = object && object->GetLayer() && object->GetLayer()->IsEditable();
    GetDlgItem(IDC_OBJECT_DATA_VALUE)->EnableWindow(FALSE);
    m_list.SetItemBkColor(-1, 0, RGB(0, 0x80, 0xff), TRUE);
    return TRUE;
}

void CMUIDataInfoPage::OnListClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    *pResult = 0;
    const int item = m_list.GetFirstItem(CReportListCtrl::ITEM_SELECTED);
    GetDlgItem(IDC_OBJECT_DATA_VALUE)->EnableWindow(m_bEditable && item >= 0);
    if (item != m_nCurrent) {
        m_nCurrent = item;
        m_strValue = item >= 0 ? m_list.GetItemText(item, 1) : CString();
        m_groupBox.SetWindowText(item >= 0 ? m_list.GetItemText(item, 0) : CString());
        UpdateData(FALSE);
    }
}

void CMUIDataInfoPage::OnValueChanged()
{
    UpdateData(TRUE);
    if (m_nCurrent >= 0)
        m_list.SetItemText(m_nCurrent, 1, m_strValue);
}

void CMUIDataInfoPage::OnOK()
{
    CMUIPropertySheet* sheet = StyleSheetOf(this);
    CMapObject* object = sheet ? sheet->GetObject() : nullptr;
    if (object && m_bEditable) {
        // The texts the list shows, by the index of the value each item carries.
        std::vector<CString> shown((size_t)object->GetAttributeCount());
        std::vector<bool> present(shown.size(), false);
        for (int item = 0; item < m_list.GetItemCount(); ++item) {
            const size_t index = (size_t)m_list.GetItemData(item);
            if (index < shown.size()) {
                shown[index] = m_list.GetItemText(item, 1);
                present[index] = true;
            }
        }
        int index = 0;
        for (POSITION pos = object->GetFirstAttributePosition(); pos; ++index) {
            const CMapFieldValue value = object->GetNextAttribute(pos);
            if (present[(size_t)index] && value.GetValueText() != shown[(size_t)index]) {
                sheet->SetDataChanged(TRUE);
                object->SetAttributeText(index, shown[(size_t)index]);
            }
        }
    }
    CPropertyPage::OnOK();
}
