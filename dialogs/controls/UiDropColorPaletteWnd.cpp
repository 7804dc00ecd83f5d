#include "dialogs/controls/UiDropColorPaletteWnd.h"

#include "dialogs/controls/UiColorMessages.h"
#include "dialogs/controls/UiPaletteHost.h"

IMPLEMENT_DYNAMIC(CUiDropColorPaletteWnd, CWnd)
IMPLEMENT_DYNAMIC(CUiDropColorButtonPopup, CUiDropColorPaletteWnd)

BEGIN_MESSAGE_MAP(CUiDropColorPaletteWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_MBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_SIZE()
    ON_WM_CANCELMODE()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_UI_COLORSELECTED, OnColorSelected)
    ON_MESSAGE(WM_UI_COLORCANCEL, OnColorCancel)
    ON_MESSAGE(WM_UI_COLORCUSTOM, OnColorCustom)
END_MESSAGE_MAP()

CUiDropColorPaletteWnd::CUiDropColorPaletteWnd() = default;
CUiDropColorPaletteWnd::~CUiDropColorPaletteWnd() = default;

BOOL CUiDropColorPaletteWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, COLORREF color,
                                    BOOL bPopup)
{
    if (!CreateEx(0, uipalette::HostClass(), "CUiDropColorPaletteWnd", dwStyle, rect, pParent, nID))
        return FALSE;
    m_notify = pParent;
    m_control = std::make_unique<CUiDropColorPaletteControl>();
    CRect client;
    GetClientRect(&client);
    m_control->Initialize(this, color, &client, bPopup);
    UpdateWindow();
    return TRUE;
}

BOOL CUiDropColorPaletteWnd::PreCreateWindow(CREATESTRUCT& cs) { return CWnd::PreCreateWindow(cs); }

void CUiDropColorPaletteWnd::PreSubclassWindow() { CWnd::PreSubclassWindow(); }

BOOL CUiDropColorPaletteWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CUiDropColorPaletteWnd::OnPaint() { uipalette::Paint(*this, m_control.get()); }

void CUiDropColorPaletteWnd::OnLButtonDown(UINT, CPoint point) { uipalette::LButtonDown(*this, m_control.get(), point); }

void CUiDropColorPaletteWnd::OnMouseMove(UINT, CPoint point) { uipalette::MouseMove(*this, m_control.get(), point); }

void CUiDropColorPaletteWnd::OnLButtonUp(UINT, CPoint point)
{
    uipalette::LButtonUp(*this, m_control.get(), point);
    Default();
}

void CUiDropColorPaletteWnd::OnLButtonDblClk(UINT, CPoint)
{
    SetFocus();
    Default();
}

void CUiDropColorPaletteWnd::OnMButtonDown(UINT, CPoint)
{
    SetFocus();
    Default();
}

void CUiDropColorPaletteWnd::OnMButtonUp(UINT, CPoint)
{
    SetFocus();
    Default();
}

void CUiDropColorPaletteWnd::OnMButtonDblClk(UINT, CPoint)
{
    SetFocus();
    Default();
}

void CUiDropColorPaletteWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_control)
        m_control->OnKeyDown(nChar, nRepCnt, nFlags);
    Default();
}

UINT CUiDropColorPaletteWnd::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS; }

void CUiDropColorPaletteWnd::OnSize(UINT, int, int)
{
    Default();
    uipalette::Size(*this, m_control.get());
}

void CUiDropColorPaletteWnd::OnCancelMode()
{
    Default();
    if (m_control)
        m_control->OnCancelMode();
}

void CUiDropColorPaletteWnd::OnSysColorChange() { uipalette::SysColorChange(*this); }

LRESULT CUiDropColorPaletteWnd::OnColorSelected(WPARAM wParam, LPARAM lParam)
{
    return uipalette::Forward(*this, m_control.get(), m_notify, WM_UI_COLORSELECTED, wParam, lParam);
}

LRESULT CUiDropColorPaletteWnd::OnColorCancel(WPARAM wParam, LPARAM lParam)
{
    return uipalette::Forward(*this, m_control.get(), m_notify, WM_UI_COLORCANCEL, wParam, lParam);
}

LRESULT CUiDropColorPaletteWnd::OnColorCustom(WPARAM wParam, LPARAM lParam)
{
    return uipalette::Forward(*this, m_control.get(), m_notify, WM_UI_COLORCUSTOM, wParam, lParam);
}

// ---------------------------------------------------------------- the drop-down pop-up

BEGIN_MESSAGE_MAP(CUiDropColorButtonPopup, CUiDropColorPaletteWnd)
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

BOOL CUiDropColorButtonPopup::CreatePopup(DWORD dwStyle, const RECT* pAnchor, CWnd* pNotify, COLORREF color,
                                         int width, int height, int)
{
    CRect r(0, 0, width, height);
    ::AdjustWindowRectEx(&r, dwStyle | WS_POPUP, FALSE, 0);
    r.OffsetRect(-r.left, -r.top);
    const int w = r.Width(), h = r.Height();
    RECT work{};
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);

    int x, y;
    if (dwStyle & DROP_BELOW) {
        x = pAnchor->left;
        y = pAnchor->bottom;
        if (pAnchor->bottom + h >= work.bottom)
            y = pAnchor->top - h;
        if (pAnchor->left + w >= work.right)
            x = pAnchor->right - w;
    } else {
        x = pAnchor->right;
        y = pAnchor->bottom;
        if (pAnchor->right + w >= work.right)
            x = pAnchor->left - w;
        if (pAnchor->bottom + h >= work.bottom)
            y = pAnchor->top - h;
    }
    r.OffsetRect(x, y);
    if (!Create(dwStyle | WS_POPUP, r, pNotify, 0, color, TRUE))
        return FALSE;
    SetFocus();
    return TRUE;
}

void CUiDropColorButtonPopup::OnActivate(UINT nState, CWnd*, BOOL)
{
    Default();
    // A pop-up that is already hidden has ended its choice (hiding it is what
    // deactivated it): choosing again would report the choice twice, and turn
    // an Escape into a cancellation followed by a selection.
    if (nState == WA_INACTIVE && m_control && IsWindowVisible())
        m_control->EndSelection(m_control->GetCurrentColor(), 0);
}
