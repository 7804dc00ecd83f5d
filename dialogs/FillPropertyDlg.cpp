#include "dialogs/FillPropertyDlg.h"

#include "dialogs/ColorSetFile.h"
#include "dialogs/DialogFont.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(CFillPropertyDlg, CDialog)

BEGIN_MESSAGE_MAP(CFillPropertyDlg, CDialog)
    ON_BN_CLICKED(IDC_COLOR_ADD, OnAdd)
    ON_BN_CLICKED(IDC_COLOR_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_COLOR_LOAD, OnLoad)
    ON_BN_CLICKED(IDC_COLOR_SAVE, OnSave)
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CFillPropertyDlg::CFillPropertyDlg(CWnd* parent) : CDialog(IDD_FILL_PROPERTY, parent) {}

void CFillPropertyDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COLOR_LIST, m_lbColors);
    DDX_Radio(pDX, IDC_FILL_PREDEFINED, m_nFillChoice);
}

void CFillPropertyDlg::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl == IDC_COLOR_LIST)
        lpMeasureItemStruct->itemHeight = 18;
    else
        CDialog::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

BOOL CFillPropertyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDialogWindowFont(m_lbColors);
    for (COLORREF color : m_Colors)
        m_lbColors.AddColor("", color);
    return TRUE;
}

void CFillPropertyDlg::OnAdd()
{
    CColorDialog dialog(RGB(0, 0, 0), 0, this);
    if (dialog.DoModal() == IDOK)
        m_lbColors.AddColor("", dialog.GetColor());
}

void CFillPropertyDlg::OnRemove()
{
    const int selected = m_lbColors.GetCurSel();
    if (selected < 0)
        return;
    m_lbColors.RemoveColor(m_lbColors.GetSelectedColor());
    const int count = m_lbColors.GetCount();
    m_lbColors.SetCurSel(selected < count ? selected : count - 1);
}

void CFillPropertyDlg::OnLoad()
{
    CString extension, filter;
    extension.LoadString(IDS_COLOR_SET_EXTENSION);
    filter.LoadString(IDS_COLOR_SET_FILTER);
    CFileDialog dialog(TRUE, extension, nullptr, OFN_READONLY | OFN_HIDEREADONLY, filter, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_lbColors.ResetContent();
    const CString path = dialog.GetPathName();
    std::vector<COLORREF> colors;
    if (!ReadColorSetFile(path, colors)) {
        AfxMessageBox("The color set file " + path + " cannot be read.", MB_OK | MB_ICONEXCLAMATION, 0);
        return;
    }
    for (COLORREF color : colors)
        m_lbColors.AddColor("", color);
}

void CFillPropertyDlg::OnSave()
{
    CString extension, filter;
    extension.LoadString(IDS_COLOR_SET_EXTENSION);
    filter.LoadString(IDS_COLOR_SET_FILTER);
    CFileDialog dialog(FALSE, extension, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    if (dialog.DoModal() != IDOK)
        return;
    CString path = dialog.GetPathName();
    if (dialog.GetFileExt().IsEmpty())
        path += ".pcs";
    std::vector<COLORREF> colors;
    for (int i = 0; i < m_lbColors.GetCount(); ++i)
        colors.push_back(m_lbColors.GetColor(i));
    if (!WriteColorSetFile(path, colors))
        AfxMessageBox("The color set file " + path + " cannot be written.", MB_OK | MB_ICONEXCLAMATION, 0);
}

void CFillPropertyDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_Colors.clear();
    for (int i = 0; i < m_lbColors.GetCount(); ++i)
        m_Colors.push_back(m_lbColors.GetColor(i));
    EndDialog(IDOK);
}
