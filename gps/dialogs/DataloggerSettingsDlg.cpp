// The settings dialog: Disable switches its edit off, OK checks the ranges
// and asks before an erase.
#include "gps/dialogs/DataloggerSettingsDlg.h"

#include "platform/base/MessageBox.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CDataloggerSettingsDlg, CDialog)
    ON_BN_CLICKED(IDC_DL_DISABLE_ELAPSE, OnDisableElapse)
    ON_BN_CLICKED(IDC_DL_DISABLE_MOVEMENT, OnDisableMovement)
END_MESSAGE_MAP()

CDataloggerSettingsDlg::CDataloggerSettingsDlg() : CDialog(IDD_DATALOGGER_SETTINGS, nullptr) {}

void CDataloggerSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DL_ELAPSE, m_Elapse);
    DDX_Control(pDX, IDC_DL_MOVEMENT, m_Movement);
    DDX_Text(pDX, IDC_DL_ELAPSE, m_strElapse);
    DDX_Text(pDX, IDC_DL_MOVEMENT, m_strMovement);
    DDX_Check(pDX, IDC_DL_DISABLE_ELAPSE, m_bDisableElapse);
    DDX_Check(pDX, IDC_DL_DISABLE_MOVEMENT, m_bDisableMovement);
    DDX_Check(pDX, IDC_DL_ERASE, m_bErase);
}

BOOL CDataloggerSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    OnDisableElapse();
    OnDisableMovement();
    return TRUE;
}

void CDataloggerSettingsDlg::EnableByCheck(int disabled, CWnd& edit)
{
    edit.EnableWindow(!disabled);
    if (!disabled)
        edit.SetFocus();
}

void CDataloggerSettingsDlg::OnDisableElapse()
{
    UpdateData(TRUE);
    EnableByCheck(m_bDisableElapse, m_Elapse);
}

void CDataloggerSettingsDlg::OnDisableMovement()
{
    UpdateData(TRUE);
    EnableByCheck(m_bDisableMovement, m_Movement);
}

void CDataloggerSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    auto inRange = [](const CString& text, long long high) {
        const long long v = strtoll(text, nullptr, 10);
        return v >= 1 && v <= high;
    };
    if (m_bDisableElapse) {
        m_strElapse = "0";
    } else if (!inRange(m_strElapse, 65535)) {
        MessageBox("Valid elapse time interval range: 1-65535", "ERROR: Invalid elapse time interval", MB_OK);
        m_Elapse.SetFocus();
        return;
    }
    if (m_bDisableMovement) {
        m_strMovement = "0";
    } else if (!inRange(m_strMovement, 65536)) {
        AfxMessageBox("Valid movement interval range: 1-65536", MB_OK);
        m_Movement.SetFocus();
        return;
    }
    if (m_bErase && MessageBox("All data in the datalogger will be deleted. Are you sure you want to do this?",
                               "Erase datalogger?", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDNO) {
        m_bErase = 0;
        CheckDlgButton(IDC_DL_ERASE, BST_UNCHECKED);
    }
    EndDialog(IDOK);
}
