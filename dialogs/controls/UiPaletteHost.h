// The window that hosts a palette control, written once for either palette
// (CUiDropColorPaletteWnd and CUiDropPaletteWnd are its two faces). A host owns
// its control from Create on, passes it mouse input only while it holds the
// capture (from a left press on it), paints it through a memory bitmap, and
// passes the control's colour messages on to its notify window: the control posts
// to the host, the host posts again. A pop-up host hides itself once it has.
// The template has no class record: each face records CWnd as its base.
#pragma once

#include "dialogs/controls/UiColorGlobals.h"
#include "dialogs/controls/UiColorMessages.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/CWnd.h"
#include "platform/wnd/WindowDC.h"

#include <memory>

template <class Control>
class CUiPaletteHostWnd : public CWnd {
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override { return CWnd::PreCreateWindow(cs); }

    Control* GetControl() const { return m_control.get(); }
    CWnd* GetNotifyWnd() const { return m_notify; }

protected:
    // Creates the window named `windowName` (`pParent` is the parent of a child
    // or the owner of a pop-up, and receives the colour messages) and its palette
    // over the client area. FALSE when the window cannot be made.
    BOOL CreateHost(LPCTSTR windowName, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, COLORREF color,
                    BOOL bPopup);
    void PreSubclassWindow() override { CWnd::PreSubclassWindow(); }

    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT, CPoint) { FocusAndDefault(); }
    afx_msg void OnMButtonDown(UINT, CPoint) { FocusAndDefault(); }
    afx_msg void OnMButtonUp(UINT, CPoint) { FocusAndDefault(); }
    afx_msg void OnMButtonDblClk(UINT, CPoint) { FocusAndDefault(); }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS; }
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnCancelMode();
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnColorSelected(WPARAM wParam, LPARAM lParam) { return Forward(WM_UI_COLORSELECTED, wParam, lParam); }
    afx_msg LRESULT OnColorCancel(WPARAM wParam, LPARAM lParam) { return Forward(WM_UI_COLORCANCEL, wParam, lParam); }
    afx_msg LRESULT OnColorCustom(WPARAM wParam, LPARAM lParam) { return Forward(WM_UI_COLORCUSTOM, wParam, lParam); }

    DECLARE_MESSAGE_MAP()

    std::unique_ptr<Control> m_control;
    CWnd* m_notify = nullptr;

private:
    void FocusAndDefault()
    {
        SetFocus();
        Default();
    }
    LRESULT Forward(UINT message, WPARAM wParam, LPARAM lParam);
};

BEGIN_TEMPLATE_MESSAGE_MAP(CUiPaletteHostWnd, Control, CWnd)
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

template <class Control>
BOOL CUiPaletteHostWnd<Control>::CreateHost(LPCTSTR windowName, DWORD dwStyle, const RECT& rect, CWnd* pParent,
                                            UINT nID, COLORREF color, BOOL bPopup)
{
    // Double clicks, the arrow cursor, no background, no icon.
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!CreateEx(0, windowClass, windowName, dwStyle, rect, pParent, nID))
        return FALSE;
    m_notify = pParent;
    m_control = std::make_unique<Control>();
    CRect client;
    GetClientRect(&client);
    m_control->Initialize(this, color, &client, bPopup);
    UpdateWindow();
    return TRUE;
}

template <class Control>
void CUiPaletteHostWnd<Control>::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    if (m_control)
        m_control->Draw(&memory);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

template <class Control>
void CUiPaletteHostWnd<Control>::OnMouseMove(UINT, CPoint point)
{
    if (m_control && CWnd::GetCapture() == this)
        m_control->OnMouseMove(0, point.x, point.y);
}

template <class Control>
void CUiPaletteHostWnd<Control>::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetCapture();
    SetFocus();
    OnMouseMove(nFlags, point);
}

template <class Control>
void CUiPaletteHostWnd<Control>::OnLButtonUp(UINT, CPoint point)
{
    if (CWnd::GetCapture() == this)
        ::ReleaseCapture();
    if (m_control)
        m_control->OnLButtonUp(0, point.x, point.y);
    Default();
}

template <class Control>
void CUiPaletteHostWnd<Control>::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_control)
        m_control->OnKeyDown(nChar, nRepCnt, nFlags);
    Default();
}

template <class Control>
void CUiPaletteHostWnd<Control>::OnSize(UINT, int, int)
{
    Default();
    if (!m_control)
        return;
    CRect client;
    GetClientRect(&client);
    m_control->SetControlRect(client);
    m_control->Relayout();
}

template <class Control>
void CUiPaletteHostWnd<Control>::OnCancelMode()
{
    Default();
    if (m_control)
        m_control->OnCancelMode();
}

template <class Control>
void CUiPaletteHostWnd<Control>::OnSysColorChange()
{
    UiColorGlobals().Refresh();
    Invalidate(TRUE);
}

template <class Control>
LRESULT CUiPaletteHostWnd<Control>::Forward(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_notify && m_notify->GetSafeHwnd())
        m_notify->PostMessage(message, wParam, lParam);
    if (m_control && m_control->IsPopup())
        ShowWindow(SW_HIDE);
    return 0;
}
