// The About box (AboutDlg.h).
#include "app/AboutDlg.h"

#include "resources/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_versionFont.CreatePointFont(160, "arial");
    if (CWnd* version = GetDlgItem(IDC_ABOUT_VERSION))
        version->SetFont(&m_versionFont);
    return TRUE;
}
