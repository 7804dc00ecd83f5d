#include "dialogs/MUIPropertyFillPage.h"

#include "core/Settings.h"
#include "dialogs/DefaultColorExchange.h"
#include "dialogs/MUIPropertySheet.h"
#include "dialogs/StylePageLists.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CMUIPropertyFillPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CMUIPropertyFillPage, CPropertyPage)
END_MESSAGE_MAP()

CMUIPropertyFillPage::CMUIPropertyFillPage() : CPropertyPage(IDD_STYLE_FILL) {}

void CMUIPropertyFillPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STYLE_PATTERN, m_patternList);
    DDX_Control(pDX, IDC_STYLE_FILL_COLOR, m_foreground);
    DDX_Control(pDX, IDC_STYLE_FILL_BKCOLOR, m_background);
    DDX_CBIndex(pDX, IDC_STYLE_PATTERN, m_nPattern);
    DDX_Check(pDX, IDC_STYLE_FILL_BACKGROUND, m_bBackground);
    DDX_DefaultColor(pDX, IDC_STYLE_FILL_COLOR, g_NewObjectBrushColor);
    DDX_DefaultColor(pDX, IDC_STYLE_FILL_BKCOLOR, g_NewObjectBkColor);
}

BOOL CMUIPropertyFillPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    FillStyleList(m_patternList, m_images, IDB_STYLE_PATTERNS, 16, kPatternNames, kPatternCount);
    if (CMUIPropertySheet* sheet = StyleSheetOf(this)) {
        const CMapStyle* style = sheet->GetStyle();
        m_brushColor = style->GetBrushColor();
        m_bkColor = style->GetBkColor();
        m_bBackground = style->IsBkOpaque() ? TRUE : FALSE;
        m_nPattern = style->GetBrushStyle();
    }
    UpdateData(FALSE);
    m_foreground.SetColor(m_brushColor);
    m_background.SetColor(m_bkColor);
    const BOOL editable = StylePageEditable(this);
    for (int id : {IDC_STYLE_PATTERN, IDC_STYLE_FILL_COLOR, IDC_STYLE_FILL_BKCOLOR, IDC_STYLE_FILL_BACKGROUND})
        GetDlgItem(id)->EnableWindow(editable);
    return TRUE;
}

void CMUIPropertyFillPage::OnOK()
{
    CMUIPropertySheet* sheet = StyleSheetOf(this);
    if (sheet) {
        m_bkColor = m_background.GetColor();
        m_brushColor = m_foreground.GetColor();
        CMapStyle* style = sheet->GetStyle();
        style->SetBkColor(m_bkColor);
        style->SetBrushColor(m_brushColor);
        // A pattern outside the list (a style code the list does not know) is kept.
        if (m_nPattern >= 0 && m_nPattern < kPatternCount)
            style->SetBrushStyle(m_nPattern);
        style->SetBkOpaque(m_bBackground);
    }
    CPropertyPage::OnOK();
}
