// The message handling that both palette host windows share, written once for
// either palette control. A host passes mouse input to its control only while it
// holds the capture (from a left press on it), paints the control through a
// memory bitmap, and passes the control's colour messages on to its notify
// window: the control posts to the host, the host posts again.
#pragma once

#include "dialogs/controls/UiColorGlobals.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/CWnd.h"
#include "platform/wnd/WindowDC.h"

namespace uipalette {

// What Create registers: double clicks, the arrow cursor, no background, no icon.
inline LPCTSTR HostClass() { return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr); }

template <class Control>
void Paint(CWnd& host, Control* control)
{
    CPaintDC dc(&host);
    CRect client;
    host.GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    if (control)
        control->Draw(&memory);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

template <class Control>
void MouseMove(CWnd& host, Control* control, CPoint point)
{
    if (control && CWnd::GetCapture() == &host)
        control->OnMouseMove(0, point.x, point.y);
}

template <class Control>
void LButtonDown(CWnd& host, Control* control, CPoint point)
{
    host.SetCapture();
    host.SetFocus();
    MouseMove(host, control, point);
}

template <class Control>
void LButtonUp(CWnd& host, Control* control, CPoint point)
{
    if (CWnd::GetCapture() == &host)
        ::ReleaseCapture();
    if (control)
        control->OnLButtonUp(0, point.x, point.y);
}

template <class Control>
void Size(CWnd& host, Control* control)
{
    if (!control)
        return;
    CRect client;
    host.GetClientRect(&client);
    control->SetControlRect(client);
    control->Relayout();
}

inline void SysColorChange(CWnd& host)
{
    UiColorGlobals().Refresh();
    host.Invalidate(TRUE);
}

template <class Control>
LRESULT Forward(CWnd& host, Control* control, CWnd* notify, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (notify && notify->GetSafeHwnd())
        notify->PostMessage(message, wParam, lParam);
    if (control && control->IsPopup())
        host.ShowWindow(SW_HIDE);
    return 0;
}

} // namespace uipalette
