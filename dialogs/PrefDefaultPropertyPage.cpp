// The New Object page. Every control change goes into the page's style at
// once and redraws the sample; only OK copies the style into the globals.
#include "dialogs/PrefDefaultPropertyPage.h"

#include "core/MapStyle.h"
#include "core/Settings.h"
#include "core/Utilities.h"
#include "dialogs/DefaultColorExchange.h"
#include "dialogs/StylePageLists.h"
#include "dialogs/controls/TextFont.h"
#include "dialogs/controls/UiColorMessages.h"
#include "model/objects/MapLine.h"
#include "model/objects/MapNode.h"
#include "model/layers/MapObject.h"
#include "model/polygons/MapPolygon.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <cstdlib>

IMPLEMENT_DYNCREATE(CPrefDefaultPropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CPrefDefaultPropertyPage, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_PREF_PATTERN, OnPatternChanged)
    ON_BN_CLICKED(IDC_PREF_FILL_BACKGROUND, OnBackgroundClicked)
    ON_CBN_SELCHANGE(IDC_PREF_DASH, OnDashChanged)
    ON_CBN_SELCHANGE(IDC_PREF_SYMBOL_FONT, OnFontChanged)
    ON_CBN_SELCHANGE(IDC_PREF_FONT_STYLE, OnFontStyleChanged)
    ON_CBN_SELCHANGE(IDC_PREF_SYMBOL, OnSymbolChanged)
    ON_NOTIFY(CFontSizeCombo::NOTIFY_SELCHANGE, IDC_PREF_PEN_WIDTH, OnWidthNotify)
    ON_NOTIFY(CFontSizeCombo::NOTIFY_KILLFOCUS, IDC_PREF_PEN_WIDTH, OnWidthNotify)
    ON_NOTIFY(CFontSizeCombo::NOTIFY_SELCHANGE, IDC_PREF_SIZE, OnSizeNotify)
    ON_NOTIFY(CFontSizeCombo::NOTIFY_KILLFOCUS, IDC_PREF_SIZE, OnSizeNotify)
    ON_MESSAGE(WM_UI_COLORSELECTED, OnColorSelected)
    ON_BN_CLICKED(IDC_PREF_RESET_ALL, OnResetAll)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CPrefDefaultPropertyPage::CPrefDefaultPropertyPage()
    : CPropertyPage(IDD_PREF_NEW_OBJECT), m_pStyle(std::make_unique<CMapStyle>())
{
}

CPrefDefaultPropertyPage::~CPrefDefaultPropertyPage() = default;

void CPrefDefaultPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREF_PEN_WIDTH, m_widthCombo);
    DDX_Control(pDX, IDC_PREF_SIZE, m_sizeCombo);
    DDX_Control(pDX, IDC_PREF_SYMBOL_FONT, m_fontCombo);
    DDX_Control(pDX, IDC_PREF_SYMBOL, m_symbolCombo);
    DDX_Control(pDX, IDC_PREF_DASH, m_dashList);
    DDX_Control(pDX, IDC_PREF_PATTERN, m_patternList);
    DDX_Control(pDX, IDC_PREF_FILL_BKCOLOR, m_bkColorButton);
    DDX_Control(pDX, IDC_PREF_FILL_COLOR, m_brushColorButton);
    DDX_Control(pDX, IDC_PREF_SYMBOL_COLOR, m_symbolColorButton);
    DDX_Control(pDX, IDC_PREF_PEN_COLOR, m_penColorButton);
    DDX_CBIndex(pDX, IDC_PREF_PATTERN, m_nPattern);
    DDX_Check(pDX, IDC_PREF_FILL_BACKGROUND, m_bBackground);
    DDX_CBIndex(pDX, IDC_PREF_DASH, m_nDash);
    DDX_CBString(pDX, IDC_PREF_PEN_WIDTH, m_strWidth);
    DDX_CBIndex(pDX, IDC_PREF_SYMBOL_FONT, m_nFont);
    DDX_CBIndex(pDX, IDC_PREF_SYMBOL, m_nSymbol);
    DDX_CBString(pDX, IDC_PREF_SIZE, m_strSize);
    DDX_CBIndex(pDX, IDC_PREF_FONT_STYLE, m_nFontStyle);
    DDX_DefaultColor(pDX, IDC_PREF_FILL_COLOR, g_NewObjectBrushColor);
    DDX_DefaultColor(pDX, IDC_PREF_FILL_BKCOLOR, g_NewObjectBkColor);
    DDX_DefaultColor(pDX, IDC_PREF_PEN_COLOR, g_NewObjectPenColor);
    DDX_DefaultColor(pDX, IDC_PREF_SYMBOL_COLOR, g_NewObjectSymbolColor);
}

BOOL CPrefDefaultPropertyPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    FillStyleList(m_patternList, m_patternImages, IDB_STYLE_PATTERNS, 16, kPatternNames, kPatternCount);
    FillStyleList(m_dashList, m_dashImages, IDB_STYLE_DASHES, 32, kDashNames, kDashCount);
    m_symbolCombo.ResetContent();
    for (int code = 0; code < 256; ++code) {
        const char16_t text[2] = {(char16_t)code, 0};
        m_symbolCombo.AddString(code == 0 ? CString() : CString::FromUtf16(text, 1));
    }
    // A line width of 0 is a one-pixel line, not a size to refuse.
    m_widthCombo.SetSizeRange(0, 99);
    m_widthCombo.LimitText(2);
    m_sizeCombo.LimitText(2);
    m_strWidth = "1";

    m_symbolFont = std::make_unique<CTextFont>(g_NewObjectSymbolFontName);
    m_symbolFont->SetTextColor((COLORREF)g_NewObjectSymbolColor);

    m_nPattern = g_NewObjectBrushStyle;
    m_bBackground = g_NewObjectBkOpaque;
    m_nDash = g_NewObjectPenStyle;
    m_strWidth.Format("%d", g_NewObjectPenWidth);
    m_nFont = m_fontCombo.FindStringExact(-1, g_NewObjectSymbolFontName);
    m_nSymbol = g_NewObjectSymbolChar;
    m_nFontStyle = g_NewObjectSymbolFontStyle;
    m_strSize.Format("%d", g_NewObjectSymbolSize);
    m_nBeginArrow = g_NewObjectBeginArrowStyle;
    m_nEndArrow = g_NewObjectEndArrowStyle;
    // The exchange loads the four buttons from their globals.
    UpdateData(FALSE);
    RefreshSymbolFont();
    RepaintSample();
    return TRUE;
}

void CPrefDefaultPropertyPage::RefreshSymbolFont()
{
    if (m_nFont < 0 || !m_symbolFont)
        return;
    CString face;
    m_fontCombo.GetLBText(m_nFont, face);
    m_symbolFont->SetFaceName(face);
    m_symbolFont->SetTextColor(m_symbolColorButton.GetColor());
    m_symbolCombo.SetFont(m_symbolFont.get());
    m_symbolCombo.Invalidate();
}

void CPrefDefaultPropertyPage::OnPatternChanged()
{
    UpdateData(TRUE);
    m_pStyle->SetBrushStyle(m_nPattern);
    RepaintSample();
}

void CPrefDefaultPropertyPage::OnBackgroundClicked()
{
    UpdateData(TRUE);
    m_pStyle->SetBkOpaque(m_bBackground);
    RepaintSample();
}

void CPrefDefaultPropertyPage::OnDashChanged()
{
    UpdateData(TRUE);
    m_pStyle->SetPenStyle(m_nDash);
    RepaintSample();
}

void CPrefDefaultPropertyPage::OnFontChanged()
{
    UpdateData(TRUE);
    if (m_nFont >= 0) {
        CString face;
        m_fontCombo.GetLBText(m_nFont, face);
        m_pStyle->SetSymbolFontName(face);
    }
    RefreshSymbolFont();
    RepaintSample();
}

void CPrefDefaultPropertyPage::OnFontStyleChanged()
{
    UpdateData(TRUE);
    if (m_nFontStyle >= 0)
        m_pStyle->SetSymbolFontStyle(m_nFontStyle);
    RefreshSymbolFont();
    RepaintSample();
}

void CPrefDefaultPropertyPage::OnSymbolChanged()
{
    UpdateData(TRUE);
    if (m_nSymbol >= 0)
        m_pStyle->SetSymbolChar((char)(BYTE)m_nSymbol);
    RefreshSymbolFont();
    RepaintSample();
}

CString CPrefDefaultPropertyPage::ComboText(CFontSizeCombo& combo, NMHDR* header)
{
    // A chosen item is in the list before it reaches the edit field.
    CString text;
    const int item = combo.GetCurSel();
    if (header->code == CFontSizeCombo::NOTIFY_SELCHANGE && item >= 0)
        combo.GetLBText(item, text);
    else
        combo.GetWindowText(text);
    return text;
}

void CPrefDefaultPropertyPage::OnWidthNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    UpdateData(TRUE);
    m_strWidth = ComboText(m_widthCombo, pNMHDR);
    m_pStyle->SetPenWidth((float)std::atoi(m_strWidth));
    RepaintSample();
}

void CPrefDefaultPropertyPage::OnSizeNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    UpdateData(TRUE);
    m_strSize = ComboText(m_sizeCombo, pNMHDR);
    if (!m_strSize.IsEmpty())
        m_pStyle->SetSymbolSize(std::atoi(m_strSize));
    RefreshSymbolFont();
    RepaintSample();
}

LRESULT CPrefDefaultPropertyPage::OnColorSelected(WPARAM wParam, LPARAM lParam)
{
    const COLORREF color = (COLORREF)wParam;
    switch ((int)lParam) {
    case IDC_PREF_FILL_COLOR:
        m_pStyle->SetBrushColor(color);
        break;
    case IDC_PREF_FILL_BKCOLOR:
        m_pStyle->SetBkColor(color);
        break;
    case IDC_PREF_PEN_COLOR:
        UpdateData(TRUE);
        m_pStyle->SetPenColor(color);
        break;
    case IDC_PREF_SYMBOL_COLOR:
        UpdateData(TRUE);
        m_pStyle->SetSymbolColor(color);
        RefreshSymbolFont();
        break;
    default:
        return 0;
    }
    RepaintSample();
    return 0;
}

void CPrefDefaultPropertyPage::ShowStyle()
{
    m_nPattern = m_pStyle->GetBrushStyle();
    m_bBackground = m_pStyle->IsBkOpaque() ? TRUE : FALSE;
    m_nDash = m_pStyle->GetPenStyle();
    m_strWidth.Format("%d", (int)m_pStyle->GetPenWidth());
    m_nFont = m_fontCombo.FindStringExact(-1, m_pStyle->GetSymbolFontName());
    m_nSymbol = (BYTE)m_pStyle->GetSymbolChar();
    m_nFontStyle = m_pStyle->GetSymbolFontStyle();
    m_strSize.Format("%d", std::abs(m_pStyle->GetSymbolSize()));
    UpdateData(FALSE);
    m_brushColorButton.SetColor(m_pStyle->GetBrushColor());
    m_bkColorButton.SetColor(m_pStyle->GetBkColor());
    m_penColorButton.SetColor(m_pStyle->GetPenColor());
    m_symbolColorButton.SetColor(m_pStyle->GetSymbolColor());
    RefreshSymbolFont();
    RepaintSample();
}

void CPrefDefaultPropertyPage::OnResetAll()
{
    CString value;
    value.LoadString(IDS_DEFAULT_NEW_OBJECT);
    m_pStyle->SetBrushStyle(GetCommaFieldBool(value, 0));
    m_pStyle->SetBrushColor((COLORREF)GetCommaFieldInt(value, 1));
    m_pStyle->SetBkOpaque(GetCommaFieldBool(value, 2));
    m_pStyle->SetBkColor((COLORREF)GetCommaFieldInt(value, 3));
    m_pStyle->SetPenStyle(GetCommaFieldBool(value, 4));
    m_pStyle->SetPenWidth((float)GetCommaFieldBool(value, 5));
    m_pStyle->SetPenColor((COLORREF)GetCommaFieldInt(value, 6));
    m_pStyle->SetSymbolFontName(ExtractCommaField(value, 7));
    m_pStyle->SetSymbolFontStyle(GetCommaFieldBool(value, 8));
    m_pStyle->SetSymbolSize(GetCommaFieldBool(value, 9));
    m_pStyle->SetSymbolChar((char)GetCommaFieldBool(value, 10));
    m_pStyle->SetSymbolColor((COLORREF)GetCommaFieldInt(value, 11));
    ShowStyle();
}

void CPrefDefaultPropertyPage::OnPaint()
{
    CPaintDC dc(this);
    CRect page;
    GetClientRect(&page);
    // Objects outside a map turn map y into device y by the height of the view
    // they are drawn in: the page's, for every kind alike, so a sample point
    // (x, y) of the page is the map point (x, height - y) at zoom 1. The
    // drawing stays inside the sample area.
    const int height = page.Height();
    const int savedHeight = g_DefaultViewHeight;
    g_DefaultViewHeight = height;
    CMapPolygon polygon;
    for (const POINT& p : {POINT{235, 135}, POINT{290, 135}, POINT{290, 177}, POINT{235, 197}})
        polygon.AddPoint(CFloatPoint((float)p.x, (float)(height - p.y)));
    CMapLine line;
    line.SetPoints(CDoublePoint(310, height - 155), CDoublePoint(370, height - 155));
    CMapNode node;
    node.SetPosition(310, height - 180);
    for (CMapObject* object : {static_cast<CMapObject*>(&polygon), static_cast<CMapObject*>(&line),
                               static_cast<CMapObject*>(&node)})
        object->SetStyle(*m_pStyle);
    const int saved = dc.SaveDC();
    const CRect area = SampleRect();
    dc.IntersectClipRect(area);
    double originX = 0, originY = 0, zoom = 1.0;
    const RECT client = page;
    polygon.Draw(&dc, &client, &originX, &originY, &zoom);
    line.Draw(&dc, &client, &originX, &originY, &zoom);
    node.Draw(&dc, &client, &originX, &originY, &zoom);
    dc.RestoreDC(saved);
    g_DefaultViewHeight = savedHeight;
}

void CPrefDefaultPropertyPage::OnOK()
{
    const CMapStyle& s = *m_pStyle;
    g_NewObjectBrushStyle = s.GetBrushStyle();
    g_NewObjectBrushColor = (int)s.GetBrushColor();
    g_NewObjectBkColor = (int)s.GetBkColor();
    g_NewObjectBkOpaque = s.IsBkOpaque() ? 1 : 0;
    g_NewObjectPenColor = (int)s.GetPenColor();
    g_NewObjectPenStyle = s.GetPenStyle();
    g_NewObjectBeginArrowStyle = s.GetBeginArrowStyle();
    g_NewObjectEndArrowStyle = s.GetEndArrowStyle();
    g_NewObjectPenWidth = (BYTE)(int)s.GetPenWidth();
    g_NewObjectSymbolColor = (int)s.GetSymbolColor();
    g_NewObjectSymbolFontName = s.GetSymbolFontName();
    g_NewObjectSymbolChar = (BYTE)s.GetSymbolChar();
    g_NewObjectSymbolFontStyle = (BYTE)s.GetSymbolFontStyle();
    g_NewObjectSymbolSize = (BYTE)std::abs(s.GetSymbolSize());
    CPropertyPage::OnOK();
}
