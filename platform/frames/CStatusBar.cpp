// CStatusBar (CStatusBar.h): panes, their layout and texts, and their command updates.
#include "platform/frames/CStatusBar.h"

#include "platform/frames/CFrameWnd.h"
#include "platform/frames/FrameInternal.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kPaneInset = 3; // one pixel of edge and two of margin on each side of the text

class CStatusCmdUI : public CCmdUI {
public:
    CStatusBar* bar = nullptr;

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        const UINT style = bar->GetPaneStyle((int)m_nIndex);
        const UINT now = bOn ? (style & ~(UINT)SBPS_DISABLED) : (style | SBPS_DISABLED);
        if (now != style)
            bar->SetPaneStyle((int)m_nIndex, now);
    }
    void SetCheck(int nCheck) override
    {
        const UINT style = bar->GetPaneStyle((int)m_nIndex);
        const UINT now = nCheck ? (style | SBPS_POPOUT) : (style & ~(UINT)SBPS_POPOUT);
        if (now != style)
            bar->SetPaneStyle((int)m_nIndex, now);
    }
    void SetText(LPCTSTR lpszText) override { bar->SetPaneText((int)m_nIndex, lpszText ? lpszText : ""); }
};
} // namespace

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

CStatusBar::CStatusBar()
{
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CreateEx(pParentWnd, 0, dwStyle, nID); }

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, UINT nID)
{
    return CreateBar(nullptr, dwStyle, pParentWnd, nID);
}

CFont* CStatusBar::GetBarFont() const
{
    HFONT font = m_hWnd ? (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0) : nullptr;
    // Before the window exists the GUI font measures, as it will once the bar is created.
    if (!font)
        font = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    return CFont::FromHandle(font);
}

int CStatusBar::TextHeight() const
{
    CClientDC dc(const_cast<CStatusBar*>(this));
    CFont* old = dc.SelectObject(GetBarFont());
    TEXTMETRIC tm{};
    const BOOL ok = dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    return ok && tm.tmHeight > 0 ? (int)tm.tmHeight : 13;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || (nIDCount > 0 && !lpIDArray))
        return FALSE;
    std::vector<Pane> panes((size_t)nIDCount);
    CClientDC dc(this);
    CFont* old = dc.SelectObject(GetBarFont());
    BOOL ok = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = panes[(size_t)i];
        pane.nID = lpIDArray[i];
        if (pane.nID == ID_SEPARATOR) {
            pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pane.nStyle = SBPS_STRETCH | SBPS_NOBORDERS;
            continue;
        }
        if (!frame::HasString(pane.nID)) {
            ok = FALSE;
            break;
        }
        pane.strText = frame::LoadString(pane.nID);
        pane.cxText = dc.GetTextExtent(pane.strText).cx;
    }
    dc.SelectObject(old);
    if (!ok)
        return FALSE;
    m_panes = std::move(panes);
    m_nCount = nIDCount;
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const { return frame::ItemIndexOfID(m_panes, nIDFind); }

UINT CStatusBar::GetItemID(int nIndex) const { return frame::ItemIDAt(m_panes, nIndex); }

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    *lpRect = RECT{0, 0, 0, 0};
    if (nIndex < 0 || nIndex >= (int)m_panes.size() || !m_hWnd)
        return;
    CRect inside; // the borders are the non-client area
    GetClientRect(&inside);
    int fixed = 0;
    int stretch = -1;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (i > 0)
            fixed += m_cxDefaultGap;
        if ((m_panes[i].nStyle & SBPS_STRETCH) && stretch < 0)
            stretch = (int)i;
        else
            fixed += m_panes[i].cxText + 2 * kPaneInset;
    }
    int x = inside.left;
    for (int i = 0; i <= nIndex; ++i) {
        const int width = i == stretch ? std::max(0, (int)inside.Width() - fixed)
                                       : m_panes[(size_t)i].cxText + 2 * kPaneInset;
        if (i == nIndex) {
            *lpRect = RECT{x, inside.top, x + width, inside.bottom};
            return;
        }
        x += width + m_cxDefaultGap;
    }
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= (int)m_panes.size()) {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    const Pane& pane = m_panes[(size_t)nIndex];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= (int)m_panes.size())
        return;
    Pane& pane = m_panes[(size_t)nIndex];
    const bool changed = pane.nID != nID || pane.nStyle != nStyle || pane.cxText != cxWidth;
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = std::max(0, cxWidth);
    if (changed && m_hWnd)
        Invalidate(); // the panes after it move
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_panes.size() ? m_panes[(size_t)nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= (int)m_panes.size() || m_panes[(size_t)nIndex].nStyle == nStyle)
        return;
    const bool relayout = ((m_panes[(size_t)nIndex].nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    m_panes[(size_t)nIndex].nStyle = nStyle;
    if (relayout && m_hWnd)
        Invalidate();
    else
        InvalidatePane(nIndex);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_panes.size() ? m_panes[(size_t)nIndex].strText : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= (int)m_panes.size())
        return FALSE;
    Pane& pane = m_panes[(size_t)nIndex];
    const char* text = lpszNewText ? lpszNewText : "";
    if (pane.strText == text)
        return TRUE;
    pane.strText = text;
    if (bUpdate)
        InvalidatePane(nIndex);
    return TRUE;
}

void CStatusBar::InvalidatePane(int nIndex) { frame::InvalidateItem(this, nIndex); }

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, TRUE);
    const int height = TextHeight() + 4 - inside.Height(); // a pixel of edge and one of margin above and below
    int width = -inside.Width();
    for (size_t i = 0; i < m_panes.size(); ++i)
        width += m_panes[i].cxText + 2 * kPaneInset + (i > 0 ? m_cxDefaultGap : 0);
    if (bStretch && bHorz)
        width = 32767;
    return CSize(width, height);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.bar = this;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_panes.size();
    for (size_t i = 0; i < m_panes.size(); ++i) {
        state.m_nIndex = (UINT)i;
        state.m_nID = m_panes[i].nID;
        // Panes keep their state when nothing handles them.
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::DrawPane(CDC* pDC, int nIndex, const CRect& rect)
{
    const Pane& pane = m_panes[(size_t)nIndex];
    if (!(pane.nStyle & SBPS_NOBORDERS)) {
        const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
        const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        if (pane.nStyle & SBPS_POPOUT)
            pDC->Draw3dRect(&rect, light, shadow);
        else
            pDC->Draw3dRect(&rect, shadow, light);
    }
    if ((pane.nStyle & SBPS_DISABLED) || pane.strText.IsEmpty())
        return;
    CRect text = rect;
    text.DeflateRect(kPaneInset, 1);
    pDC->SaveDC();
    pDC->IntersectClipRect(&text);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->SelectObject(GetBarFont());
    pDC->DrawText(pane.strText, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    pDC->RestoreDC(-1);
}

void CStatusBar::DoPaint(CDC* pDC)
{
    CControlBar::DoPaint(pDC);
    for (int i = 0; i < (int)m_panes.size(); ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        if (!rect.IsRectEmpty())
            DrawPane(pDC, i, rect);
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    Invalidate(); // the stretching pane follows the width
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int index = CommandToIndex(ID_SEPARATOR);
    if (index < 0)
        return FALSE;
    return SetPaneText(index, reinterpret_cast<LPCTSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    char* buffer = reinterpret_cast<char*>(lParam);
    if (!buffer || wParam == 0)
        return 0;
    const CString text = GetPaneText(CommandToIndex(ID_SEPARATOR));
    const size_t n = std::min((size_t)text.GetLength(), (size_t)wParam - 1);
    std::memcpy(buffer, text.GetString(), n);
    buffer[n] = 0;
    return (LRESULT)n;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    return GetPaneText(CommandToIndex(ID_SEPARATOR)).GetLength();
}
