// The Fonts page. Its entries hold what the user chose; the fonts themselves
// change only at OK or Apply.
#include "dialogs/PrefFontPage.h"

#include "core/Utilities.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <cstdlib>

namespace {

struct Category {
    const char* name;
    UINT defaultId;
};

const Category kCategoryTable[CPrefFontPage::kCategories] = {
    {"Map Window", IDS_DEFAULT_MAP_WINDOW_FONT},     {"Info Window", IDS_DEFAULT_INFO_WINDOW_FONT},
    {"Data Window", IDS_DEFAULT_DATA_WINDOW_FONT},   {"Dialog Window", IDS_DEFAULT_DIALOG_WINDOW_FONT},
    {"Report Window", IDS_DEFAULT_REPORT_WINDOW_FONT},
};

} // namespace

IMPLEMENT_DYNCREATE(CPrefFontPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CPrefFontPage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_PREF_FONT_CATEGORY, OnCategorySelected)
    ON_CBN_SELCHANGE(IDC_PREF_FONT_FACE, OnFaceSelected)
    ON_CBN_SELCHANGE(IDC_PREF_FONT_STYLE, OnStyleSelected)
    ON_NOTIFY(CFontSizeCombo::NOTIFY_SELCHANGE, IDC_PREF_SIZE, OnSizeNotify)
    ON_NOTIFY(CFontSizeCombo::NOTIFY_KILLFOCUS, IDC_PREF_SIZE, OnSizeNotify)
    ON_BN_CLICKED(IDC_PREF_RESET_ALL, OnResetAll)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CPrefFontPage::CPrefFontPage() : CPropertyPage(IDD_PREF_FONTS)
{
    for (int i = 0; i < kCategories; ++i)
        m_entries[i].category = kCategoryTable[i].name;
}

CTextFont** CPrefFontPage::FontOf(int i)
{
    static CTextFont** const fonts[kCategories] = {&g_MapWindowFont, &g_InfoWindowFont, &g_DataWindowFont,
                                                    &g_DialogWindowFont, &g_ReportWindowFont};
    return fonts[i];
}

void CPrefFontPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREF_SIZE, m_sizeCombo);
    DDX_Control(pDX, IDC_PREF_FONT_FACE, m_faceCombo);
    DDX_Control(pDX, IDC_PREF_FONT_CATEGORY, m_categoryList);
    DDX_CBIndex(pDX, IDC_PREF_FONT_STYLE, m_nStyle);
    DDX_LBIndex(pDX, IDC_PREF_FONT_CATEGORY, m_nCategory);
}

BOOL CPrefFontPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    for (int i = 0; i < kCategories; ++i) {
        if (const CTextFont* font = *FontOf(i)) {
            m_entries[i].face = font->GetFaceName();
            m_entries[i].height = font->GetHeight();
            m_entries[i].style = font->GetStyle();
        }
        m_categoryList.AddString(m_entries[i].category);
    }
    // Three characters: a window font may be 300 high, and the store keeps that.
    m_sizeCombo.LimitText(3);
    m_sizeCombo.SetSizeRange(1, 999);
    return TRUE;
}

void CPrefFontPage::OnCategorySelected()
{
    UpdateData(TRUE);
    if (m_nCategory >= 0) {
        const Entry& e = m_entries[m_nCategory];
        m_faceCombo.SetCurSel(m_faceCombo.FindStringExact(-1, e.face));
        CString size;
        size.Format("%d", e.height);
        const int item = m_sizeCombo.FindStringExact(-1, size);
        if (item >= 0)
            m_sizeCombo.SetCurSel(item);
        else {
            m_sizeCombo.SetCurSel(-1);
            m_sizeCombo.SetWindowText(size);
        }
        m_nStyle = e.style;
        UpdateData(FALSE);
    }
    InvalidateRect(SampleRect());
}

void CPrefFontPage::OnFaceSelected()
{
    UpdateData(TRUE);
    const int face = m_faceCombo.GetCurSel();
    if (m_nCategory >= 0 && face >= 0) {
        CString text;
        m_faceCombo.GetLBText(face, text);
        m_entries[m_nCategory].face = text;
    }
    InvalidateRect(SampleRect());
    SetModified(TRUE);
}

void CPrefFontPage::OnStyleSelected()
{
    UpdateData(TRUE);
    if (m_nCategory >= 0 && m_nStyle >= 0)
        m_entries[m_nCategory].style = m_nStyle;
    InvalidateRect(SampleRect());
}

void CPrefFontPage::OnSizeNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_nCategory < 0)
        return;
    CString text;
    // A selection is in the list before it reaches the edit field.
    const int item = m_sizeCombo.GetCurSel();
    if (pNMHDR->code == CFontSizeCombo::NOTIFY_SELCHANGE && item >= 0)
        m_sizeCombo.GetLBText(item, text);
    else
        m_sizeCombo.GetWindowText(text);
    m_entries[m_nCategory].height = std::atoi(text);
    InvalidateRect(SampleRect());
}

void CPrefFontPage::OnResetAll()
{
    for (int i = 0; i < kCategories; ++i) {
        CString value;
        value.LoadString(kCategoryTable[i].defaultId);
        m_entries[i].face = ExtractCommaField(value, 0);
        m_entries[i].style = GetCommaFieldBool(value, 1);
        m_entries[i].height = GetCommaFieldBool(value, 2);
    }
    InvalidateRect(SampleRect());
    SetModified(TRUE);
}

void CPrefFontPage::OnPaint()
{
    CPaintDC dc(this);
    CTextFont font;
    if (m_faceCombo.m_hWnd && m_faceCombo.GetCurSel() >= 0) {
        UpdateData(TRUE);
        CString face;
        m_faceCombo.GetLBText(m_faceCombo.GetCurSel(), face);
        CString size;
        m_sizeCombo.GetWindowText(size);
        font.SetFaceName(face);
        font.SetStyle(m_nStyle >= 0 ? m_nStyle : 0);
        font.SetHeight(std::atoi(size));
        font.SetWidth(0);
    }
    const int saved = dc.SaveDC();
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    const CRect sample = SampleRect();
    dc.TextOut(sample.left, sample.top, m_strSample);
    dc.RestoreDC(saved);
}

void CPrefFontPage::OnOK()
{
    UpdateData(TRUE);
    for (int i = 0; i < kCategories; ++i) {
        CTextFont* font = *FontOf(i);
        if (!font)
            continue;
        font->SetFaceName(m_entries[i].face);
        font->SetHeight(m_entries[i].height);
        font->SetStyle(m_entries[i].style);
    }
    CPropertyPage::OnOK();
}
