#include "dialogs/controls/UiDropColorButton.h"

#include "dialogs/controls/MoreColorsDlg.h"
#include "dialogs/controls/UiColorMessages.h"
#include "dialogs/controls/UiDropColorPaletteWnd.h"
#include "platform/base/Exceptions.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"

#include <algorithm>
#include <cstdio>

IMPLEMENT_DYNCREATE(CUiDropColorButton, CButton)

BEGIN_MESSAGE_MAP(CUiDropColorButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_UI_COLORSELECTED, OnColorSelected)
    ON_MESSAGE(WM_UI_COLORCANCEL, OnColorCancel)
    ON_MESSAGE(WM_UI_COLORCUSTOM, OnColorCustom)
END_MESSAGE_MAP()

CUiDropColorButton::CUiDropColorButton() = default;

CUiDropColorButton::~CUiDropColorButton()
{
    m_popup.reset();
    if (GetSafeHwnd())
        DestroyWindow();
}

COLORREF CUiDropColorButton::GetColor() const { return m_color; }

void CUiDropColorButton::SetColor(COLORREF color) { m_color = color; }

void CUiDropColorButton::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
    Layout();
}

int CUiDropColorButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CButton::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Created rather than attached to a dialog's control: owner-drawn all the same.
    ModifyStyle(0, BS_OWNERDRAW);
    Layout();
    return 0;
}

void CUiDropColorButton::Layout()
{
    if (!m_notify)
        m_notify = GetParent();
    const int e = ::GetSystemMetrics(SM_CXEDGE), f = ::GetSystemMetrics(SM_CYEDGE);
    const int w = std::max(5 * e, ::GetSystemMetrics(SM_CXHTHUMB));
    const int h = std::max(5 * f, ::GetSystemMetrics(SM_CYVTHUMB));
    const int s = std::max(w, h);

    CRect window;
    GetWindowRect(&window);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&window);
    window.right = window.left + std::max(window.Width(), 2 * (s + e));
    window.bottom = window.top + s + 2 * f;
    MoveWindow(&window, TRUE);

    const CRect client(0, 0, window.Width(), window.Height());
    m_arrowRect.SetRect(client.right - s - e, client.top + f, client.right - e, client.bottom - f);
}

void CUiDropColorButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    UINT state = lpDrawItemStruct->itemState;
    if (m_dropped)
        state |= ODS_SELECTED;
    const bool focused = (state & ODS_FOCUS) != 0;
    const bool active = m_dropped || focused;
    const int e = ::GetSystemMetrics(SM_CXEDGE), f = ::GetSystemMetrics(SM_CYEDGE);

    CRect arrow = m_arrowRect;
    UINT arrowState = DFCS_SCROLLDOWN;
    if (state & ODS_SELECTED)
        arrowState |= DFCS_PUSHED;
    if (state & ODS_DISABLED)
        arrowState |= DFCS_INACTIVE;
    pDC->DrawFrameControl(&arrow, DFC_SCROLL, arrowState);

    CRect field = lpDrawItemStruct->rcItem;
    pDC->DrawEdge(&field, EDGE_SUNKEN, BF_RECT);
    field.DeflateRect(e, f);
    field.right -= m_arrowRect.Width();
    pDC->FillSolidRect(&field, active ? ::GetSysColor(COLOR_ACTIVECAPTION) : RGB(255, 255, 255));
    field.DeflateRect(2, 0);

    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(&field);
    field.DeflateRect(2, 2);
    pDC->FillSolidRect(&field, GetColor());
    CBrush frame(active ? RGB(255, 255, 255) : RGB(0, 0, 0));
    pDC->FrameRect(&field, &frame);
    if (active)
        pDC->DrawFocusRect(&field);
    pDC->RestoreDC(saved);
}

BOOL CUiDropColorButton::OnEraseBkgnd(CDC*) { return TRUE; }

void CUiDropColorButton::OnPaint()
{
    // Painted into a memory bitmap by the button's own procedure (which reaches
    // DrawItem) and copied, so that the field never flickers through the frame colour.
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(&client, ::GetSysColor(COLOR_WINDOWFRAME));
    DefWindowProc(WM_PAINT, (WPARAM)memory.GetSafeHdc(), 0);
    const CRect box = dc.m_ps.rcPaint;
    dc.BitBlt(box.left, box.top, box.Width(), box.Height(), &memory, box.left, box.top, SRCCOPY);
    memory.SelectObject(old);
}

UINT CUiDropColorButton::OnGetDlgCode() { return DLGC_BUTTON | DLGC_WANTARROWS; }

void CUiDropColorButton::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_SPACE || nChar == VK_DOWN) {
        OpenPopup();
        return;
    }
    Default();
}

void CUiDropColorButton::OnClicked() { OpenPopup(); }

void CUiDropColorButton::OpenPopup()
{
    m_dropped = TRUE;
    CRect anchor;
    GetWindowRect(&anchor);
    m_popup.reset();
    m_popupOpen = FALSE;
    m_popup = std::make_unique<CUiDropColorButtonPopup>();
    if (m_popup->CreatePopup(WS_POPUP | WS_VISIBLE | CUiDropColorButtonPopup::DROP_BELOW, &anchor, this, m_color,
                             m_popupWidth, m_popupHeight, 0)) {
        m_popupOpen = TRUE;
    } else {
        // No pop-up will answer: do not stay pressed.
        m_popup.reset();
        m_dropped = FALSE;
    }
    Invalidate(FALSE);
}

void CUiDropColorButton::ClosePopup(COLORREF color)
{
    if (!m_popupOpen)
        return;
    SetColor(color);
    m_popup.reset();
    m_popupOpen = FALSE;
}

void CUiDropColorButton::Notify(UINT message, COLORREF color)
{
    if (m_notify && m_notify->GetSafeHwnd())
        m_notify->SendMessage(message, (WPARAM)color, (LPARAM)GetDlgCtrlID());
}

void CUiDropColorButton::EndChoice(COLORREF color, COLORREF old)
{
    ClosePopup(color);
    Notify(WM_UI_COLORSELECTED, color);
    if (color != old)
        Notify(WM_UI_COLORCHANGED, color);
    Invalidate(FALSE);
}

LRESULT CUiDropColorButton::OnColorSelected(WPARAM wParam, LPARAM)
{
    const COLORREF color = (COLORREF)wParam;
    m_dropped = FALSE;
    EndChoice(color, m_color);
    return 1;
}

LRESULT CUiDropColorButton::OnColorCancel(WPARAM wParam, LPARAM)
{
    const COLORREF color = (COLORREF)wParam;
    m_dropped = FALSE;
    ClosePopup(color);
    Notify(WM_UI_COLORCANCEL, color);
    Invalidate(FALSE);
    return 1;
}

LRESULT CUiDropColorButton::OnColorCustom(WPARAM wParam, LPARAM)
{
    const COLORREF color = (COLORREF)wParam;
    m_dropped = FALSE;
    const COLORREF old = m_color;
    COLORREF chosen = color;
    {
        CMoreColorsDlg dlg(nullptr);
        dlg.m_color = color;
        if (dlg.DoModal() == IDOK) {
            chosen = dlg.m_color;
            SetColor(chosen);
        }
    }
    EndChoice(chosen, old);
    return 1;
}

void DDX_DropColorButton(CDataExchange* pDX, int nIDC, COLORREF& value)
{
    const HWND hwnd = pDX->PrepareCtrl(nIDC);
    auto* button = dynamic_cast<CUiDropColorButton*>(CWnd::FromHandlePermanent(hwnd));
    if (!button) {
        std::fprintf(stderr, "data exchange: control %d is not attached to a drop-down colour button\n", nIDC);
        AfxThrowNotSupportedException();
    }
    if (pDX->m_bSaveAndValidate) {
        value = button->GetColor();
    } else {
        button->SetColor(value);
        button->Invalidate(FALSE); // a dialog may load new colours while it shows
    }
}
