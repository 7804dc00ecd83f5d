// The data logger's settings dialog (132): the elapse time and the movement
// after which the logger stores a record (each may be disabled), and whether
// to erase the records it holds.
#pragma once

#include "gps/dialogs/NumericEdit.h"

#include "platform/dialogs/CDialog.h"

class CDataloggerSettingsDlg : public CDialog {
public:
    CDataloggerSettingsDlg();

    CString m_strElapse, m_strMovement;   // "0" after OK when disabled
    int m_bDisableElapse = 0;
    int m_bDisableMovement = 0;
    int m_bErase = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnDisableElapse();
    afx_msg void OnDisableMovement();
    DECLARE_MESSAGE_MAP()

private:
    void EnableByCheck(int disabled, CWnd& edit);

    CNumericEdit m_Elapse, m_Movement;
};
