// The "Data" page of an object's sheet: the object's attribute values in a
// report list (field name, value); a click chooses a value, the edit below
// changes it, and OK writes every value whose text changed to its own field.
#pragma once

#include "dialogs/controls/ReportListCtrl.h"
#include "platform/controls/CButton.h"
#include "platform/dialogs/CPropertyPage.h"

class CMUIDataInfoPage : public CPropertyPage {
    DECLARE_DYNCREATE(CMUIDataInfoPage)
public:
    CMUIDataInfoPage();

    CButton m_groupBox;
    CReportListCtrl m_list;
    CString m_strValue;
    int m_nCurrent = -1;
    BOOL m_bEditable = FALSE;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnValueChanged();
    DECLARE_MESSAGE_MAP()
};
