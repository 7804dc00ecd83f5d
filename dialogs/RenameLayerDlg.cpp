#include "dialogs/RenameLayerDlg.h"

#include "dialogs/DialogFont.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(CRenameLayerDlg, CDialog)

CRenameLayerDlg::CRenameLayerDlg(const CString& name, CWnd* parent)
    : CDialog(IDD_RENAME_LAYER, parent), m_strName(name)
{
}

void CRenameLayerDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LAYER_NAME, m_edName);
    DDX_Text(pDX, IDC_LAYER_NAME, m_strName);
}

BOOL CRenameLayerDlg::OnInitDialog()
{
    const bool naming = m_strName.IsEmpty();
    CDialog::OnInitDialog();
    SetDialogWindowFont(m_edName);
    if (naming)
        SetWindowText("Add new layer");
    return TRUE;
}

void CRenameLayerDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strName.IsEmpty())
        return;
    EndDialog(IDOK);
}
