// CControlBar (CControlBar.h): bar windows, their layout in the frame, docking and floating, and
// idle command updates.
#include "platform/frames/CControlBar.h"

#include "platform/frames/CDockBar.h"
#include "platform/frames/CFrameWnd.h"
#include "platform/frames/FrameInternal.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"

#include <algorithm>

namespace {
constexpr int kBorderLine = 2; // CBRS_BORDER_* lines
constexpr int kGripper = 8;    // the gripper's stripe, gaps included
} // namespace

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() { Unregister(); }

LPCTSTR CControlBar::BarClassName()
{
    // Bars repaint whole on every size change: their items are laid out on the width.
    static const LPCTSTR name = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                    ::LoadCursor(nullptr, IDC_ARROW),
                                                    (HBRUSH)(UINT_PTR)(COLOR_BTNFACE + 1));
    return name;
}

BOOL CControlBar::CreateBar(LPCTSTR lpszClassName, DWORD dwStyle, CWnd* pParentWnd, UINT nID, LPCTSTR lpszTitle)
{
    if (!pParentWnd || !pParentWnd->GetSafeHwnd())
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD windowStyle = (dwStyle & ~(DWORD)CBRS_ALL) | WS_CHILD;
    return CWnd::CreateEx(0, lpszClassName ? lpszClassName : BarClassName(), lpszTitle, windowStyle,
                          CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // A bar belongs to the frame it is created in, however it was created: the frame
    // lays it out, and its commands go there.
    CWnd* parent = GetParent();
    CFrameWnd* site = dynamic_cast<CFrameWnd*>(parent);
    if (!site)
        site = AfxGetParentFrame(this);
    SetOwner(site ? static_cast<CWnd*>(site) : parent);
    m_pDockSite = site;
    if (site)
        site->AddControlBar(this);
    // Bars, like the controls they stand for, have the GUI font from the start.
    if (!::SendMessage(m_hWnd, WM_GETFONT, 0, 0))
        ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    return 0;
}

void CControlBar::Unregister()
{
    if (m_pDockBar) {
        CDockBar* dock = m_pDockBar;
        m_pDockBar = nullptr;
        dock->RemoveControlBar(this);
    }
    if (m_pDockSite) {
        CFrameWnd* site = m_pDockSite;
        m_pDockSite = nullptr;
        site->RemoveControlBar(this);
    }
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = std::max(0, cxLeft);
    m_cyTopBorder = std::max(0, cyTop);
    m_cxRightBorder = std::max(0, cxRight);
    m_cyBottomBorder = std::max(0, cyBottom);
    RecalcNonClient();
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    dwStyle &= CBRS_ALL;
    if (dwStyle == m_dwStyle)
        return;
    const DWORD old = m_dwStyle;
    m_dwStyle = dwStyle;
    OnBarStyleChange(old, dwStyle);
    // Done here rather than in OnBarStyleChange, which derived bars replace.
    RecalcNonClient();
}

void CControlBar::RecalcNonClient()
{
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL CControlBar::IsHorzBar() const
{
    return (m_dwStyle & (CBRS_ORIENT_HORZ | CBRS_FLOATING)) || !(m_dwStyle & CBRS_ORIENT_VERT);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD)
{
    if (m_hWnd)
        Invalidate();
}

void CControlBar::EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY; }

BOOL CControlBar::IsVisible() const { return m_hWnd && (GetStyle() & WS_VISIBLE) != 0; }

CFrameWnd* CControlBar::GetDockingFrame() const
{
    if (IsFloating() && m_pDockBar)
        if (CFrameWnd* floating = dynamic_cast<CFrameWnd*>(m_pDockBar->GetParent()))
            return floating;
    return m_pDockSite;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += kBorderLine;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += kBorderLine;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= kBorderLine;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= kBorderLine;
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER) {
        if (bHorz)
            rect.left += kGripper;
        else
            rect.top += kGripper;
    }
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
}

void CControlBar::RepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (!lpLayout || !lpLayout->hDWP || !hWnd)
        return;
    CRect current;
    ::GetWindowRect(hWnd, &current);
    HWND parent = ::GetParent(hWnd);
    POINT tl{current.left, current.top};
    ::ScreenToClient(parent, &tl);
    current.OffsetRect(tl.x - current.left, tl.y - current.top);
    if (current == CRect(lpRect))
        return;
    ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const DWORD style = GetStyle();
    if (!layout || !(style & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY))
        return 0;
    CRect rect(layout->rect);
    const CSize avail = rect.Size();
    DWORD mode = layout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        mode |= LM_HORZ | LM_MRUWIDTH;
    else if (m_dwStyle & CBRS_ORIENT_HORZ)
        mode |= LM_HORZ | LM_HORZDOCK;
    else
        mode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, mode);
    size.cx = std::max(0, std::min((int)size.cx, (int)avail.cx));
    size.cy = std::max(0, std::min((int)size.cy, (int)avail.cy));
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            layout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            layout->rect.bottom -= size.cy;
        }
        rect.bottom = rect.top + size.cy;
        rect.right = rect.left + size.cx;
    } else {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            layout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            layout->rect.right -= size.cx;
        }
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
    }
    RepositionWindow(layout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CFrameWnd* target = dynamic_cast<CFrameWnd*>(GetOwner());
    if (!target)
        target = AfxGetParentFrame(this);
    if (target)
        OnUpdateCmdUI(target, (BOOL)wParam);
    return 0;
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (m_dwStyle & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, light);
        rect.top += kBorderLine;
    }
    if (m_dwStyle & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, shadow);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, light);
        rect.bottom -= kBorderLine;
    }
    if (m_dwStyle & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), shadow);
        pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), light);
        rect.left += kBorderLine;
    }
    if (m_dwStyle & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), shadow);
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), light);
        rect.right -= kBorderLine;
    }
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (IsHorzBar())
        pDC->Draw3dRect(rect.left + 2, rect.top + m_cyTopBorder, 3, rect.Height() - m_cyTopBorder - m_cyBottomBorder,
                        light, shadow);
    else
        pDC->Draw3dRect(rect.left + m_cxLeftBorder, rect.top + 2, rect.Width() - m_cxLeftBorder - m_cxRightBorder, 3,
                        light, shadow);
}

void CControlBar::DoPaint(CDC*) {}

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!lpncsp)
        return;
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, IsHorzBar());
    // Not clamped: the insets must come out right even for a window still smaller than them.
    RECT& r = lpncsp->rgrc[0];
    r.left += inside.left;
    r.top += inside.top;
    r.right += inside.right;
    r.bottom += inside.bottom;
}

void CControlBar::EraseNonClient()
{
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);
    dc.FillSolidRect(&window, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(&dc, window);
    DrawGripper(&dc, window);
}

void CControlBar::OnNcPaint() { EraseNonClient(); }

LRESULT CControlBar::OnNcHitTest(CPoint) { return HTCLIENT; }

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CControlBar::OnDestroy()
{
    Unregister();
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}
