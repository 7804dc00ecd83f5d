#include "dialogs/controls/UiDropPaletteWnd.h"

#include "dialogs/controls/UiColorMessages.h"
#include "dialogs/controls/UiPaletteHost.h"

IMPLEMENT_DYNAMIC(CUiDropPaletteWnd, CWnd)

BEGIN_MESSAGE_MAP(CUiDropPaletteWnd, CWnd)
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

CUiDropPaletteWnd::CUiDropPaletteWnd() = default;
CUiDropPaletteWnd::~CUiDropPaletteWnd() = default;

BOOL CUiDropPaletteWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, COLORREF color,
                                    BOOL bPopup)
{
    if (!CreateEx(0, uipalette::HostClass(), "CUiDropPaletteWnd", dwStyle, rect, pParent, nID))
        return FALSE;
    m_notify = pParent;
    m_control = std::make_unique<CUiDropPaletteControl>();
    CRect client;
    GetClientRect(&client);
    m_control->Initialize(this, color, &client, bPopup);
    UpdateWindow();
    return TRUE;
}

BOOL CUiDropPaletteWnd::PreCreateWindow(CREATESTRUCT& cs) { return CWnd::PreCreateWindow(cs); }

void CUiDropPaletteWnd::PreSubclassWindow() { CWnd::PreSubclassWindow(); }

BOOL CUiDropPaletteWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CUiDropPaletteWnd::OnPaint() { uipalette::Paint(*this, m_control.get()); }

void CUiDropPaletteWnd::OnLButtonDown(UINT, CPoint point) { uipalette::LButtonDown(*this, m_control.get(), point); }

void CUiDropPaletteWnd::OnMouseMove(UINT, CPoint point) { uipalette::MouseMove(*this, m_control.get(), point); }

void CUiDropPaletteWnd::OnLButtonUp(UINT, CPoint point)
{
    uipalette::LButtonUp(*this, m_control.get(), point);
    Default();
}

void CUiDropPaletteWnd::OnLButtonDblClk(UINT, CPoint)
{
    SetFocus();
    Default();
}

void CUiDropPaletteWnd::OnMButtonDown(UINT, CPoint)
{
    SetFocus();
    Default();
}

void CUiDropPaletteWnd::OnMButtonUp(UINT, CPoint)
{
    SetFocus();
    Default();
}

void CUiDropPaletteWnd::OnMButtonDblClk(UINT, CPoint)
{
    SetFocus();
    Default();
}

void CUiDropPaletteWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_control)
        m_control->OnKeyDown(nChar, nRepCnt, nFlags);
    Default();
}

UINT CUiDropPaletteWnd::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS; }

void CUiDropPaletteWnd::OnSize(UINT, int, int)
{
    Default();
    uipalette::Size(*this, m_control.get());
}

void CUiDropPaletteWnd::OnCancelMode()
{
    Default();
    if (m_control)
        m_control->OnCancelMode();
}

void CUiDropPaletteWnd::OnSysColorChange() { uipalette::SysColorChange(*this); }

LRESULT CUiDropPaletteWnd::OnColorSelected(WPARAM wParam, LPARAM lParam)
{
    return uipalette::Forward(*this, m_control.get(), m_notify, WM_UI_COLORSELECTED, wParam, lParam);
}

LRESULT CUiDropPaletteWnd::OnColorCancel(WPARAM wParam, LPARAM lParam)
{
    return uipalette::Forward(*this, m_control.get(), m_notify, WM_UI_COLORCANCEL, wParam, lParam);
}

LRESULT CUiDropPaletteWnd::OnColorCustom(WPARAM wParam, LPARAM lParam)
{
    return uipalette::Forward(*this, m_control.get(), m_notify, WM_UI_COLORCUSTOM, wParam, lParam);
}
