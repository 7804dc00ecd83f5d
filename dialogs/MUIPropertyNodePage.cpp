#include "dialogs/MUIPropertyNodePage.h"

#include "core/MapStyle.h"
#include "core/Settings.h"
#include "dialogs/DefaultColorExchange.h"
#include "dialogs/MUIPropertySheet.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "dialogs/controls/UiColorMessages.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

#include <cstdlib>

IMPLEMENT_DYNCREATE(CMUIPropertyNodePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CMUIPropertyNodePage, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_STYLE_SYMBOL_FONT, OnFontNameChanged)
    ON_MESSAGE(WM_UI_COLORSELECTED, OnColorSelected)
END_MESSAGE_MAP()

CMUIPropertyNodePage::CMUIPropertyNodePage() : CPropertyPage(IDD_STYLE_NODE)
{
    m_symbol.font = LOGFONTW{};
    m_symbol.font.lfHeight = 13;
    m_symbol.font.lfWidth = 9;
    m_symbol.font.lfCharSet = 1;
    SetLogFontFaceName(m_symbol.font, "Map Symbols");
    m_symbol.color = 0;
    m_symbol.character = 60;
}

CMUIPropertyNodePage::~CMUIPropertyNodePage() = default;

void CMUIPropertyNodePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STYLE_SYMBOL_FONT, m_fontCombo);
    DDX_Control(pDX, IDC_STYLE_LINE_COLOR, m_colorButton);
    DDX_Control(pDX, IDC_STYLE_SYMBOL, m_symbolList);
    DDX_CBIndex(pDX, IDC_STYLE_SYMBOL, m_nChar);
    DDX_CBIndex(pDX, IDC_STYLE_SYMBOL_FONT, m_nFontName);
    DDX_CBIndex(pDX, IDC_STYLE_SYMBOL_STYLE, m_nStyle);
    DDX_CBString(pDX, IDC_STYLE_SYMBOL_SIZE, m_strSize);
    DDX_DefaultColor(pDX, IDC_STYLE_LINE_COLOR, g_NewObjectSymbolColor);
}

BOOL CMUIPropertyNodePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    for (int id : {IDC_STYLE_SYMBOL_FONT, IDC_STYLE_SYMBOL_STYLE, IDC_STYLE_SYMBOL_SIZE, IDC_STYLE_SYMBOL})
        if (g_DialogWindowFont)
            GetDlgItem(id)->SetFont(g_DialogWindowFont);
    static_cast<CComboBox*>(GetDlgItem(IDC_STYLE_SYMBOL_SIZE))->LimitText(3);

    if (CMUIPropertySheet* sheet = StyleSheetOf(this)) {
        const CMapStyle* style = sheet->GetStyle();
        m_symbol = {style->GetSymbolFont(), style->GetSymbolColor(), style->GetSymbolCharW()};
    }
    LOGFONTA font{};
    LogFontWToA(m_symbol.font, font);
    m_symbolFont = std::make_unique<CTextFont>(font);
    m_nChar = (BYTE)(m_symbol.character > 255 ? '?' : m_symbol.character);
    m_strSize.Format("%d", std::abs((int)m_symbol.font.lfHeight));
    m_nStyle = (m_symbol.font.lfItalic ? 2 : 0) + (m_symbol.font.lfWeight >= FW_MEDIUM ? 1 : 0);
    m_nFontName = m_fontCombo.FindString(-1, GetLogFontFaceName(m_symbol.font));

    m_symbolList.ResetContent();
    for (int code = 0; code < 256; ++code) {
        const char16_t text[2] = {(char16_t)code, 0};
        m_symbolList.AddString(code == 0 ? CString() : CString::FromUtf16(text, 1));
    }
    UpdateData(FALSE);
    RefreshSymbolFont();
    m_colorButton.SetColor(m_symbol.color);
    return TRUE;
}

void CMUIPropertyNodePage::RefreshSymbolFont()
{
    UpdateData(TRUE);
    if (m_nFontName >= 0 && m_symbolFont) {
        CString face;
        m_fontCombo.GetLBText(m_nFontName, face);
        m_symbolFont->SetFaceName(face);
        m_symbolList.SetFont(m_symbolFont.get());
        m_symbolList.Invalidate();
    }
}

void CMUIPropertyNodePage::OnFontNameChanged() { RefreshSymbolFont(); }

LRESULT CMUIPropertyNodePage::OnColorSelected(WPARAM wParam, LPARAM lParam)
{
    if ((int)lParam == IDC_STYLE_LINE_COLOR)
        m_symbol.color = (COLORREF)wParam;
    return 0;
}

void CMUIPropertyNodePage::OnOK()
{
    m_symbol.color = m_colorButton.GetColor();
    UpdateData(TRUE);
    LOGFONTW font = m_symbol.font;
    int height = std::abs(std::atoi(m_strSize));
    font.lfHeight = height == 0 ? 13 : height;
    font.lfWidth = 0;
    font.lfWeight = (m_nStyle == 1 || m_nStyle == 3) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (m_nStyle == 2 || m_nStyle == 3) ? 1 : 0;
    if (m_nFontName >= 0) {
        CString face;
        m_fontCombo.GetLBText(m_nFontName, face);
        SetLogFontFaceName(font, face);
    }
    const WCHAR character = m_nChar >= 0 ? (WCHAR)(BYTE)m_nChar : m_symbol.character;
    if (CMUIPropertySheet* sheet = StyleSheetOf(this))
        sheet->GetStyle()->SetSymbol(font, m_symbol.color, character);
    CPropertyPage::OnOK();
}
