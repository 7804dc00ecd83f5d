// Keyboard focus, mouse capture and the active window, kept in step with Qt's focus,
// grab and activation: WM_SETFOCUS / WM_KILLFOCUS, WM_CAPTURECHANGED and WM_ACTIVATE
// go to the windows concerned, whichever side started the change.
#include "platform/wnd/WndShared.h"

#include <QApplication>

namespace wnd {

void SwitchFocus(HWND to)
{
    const HWND from = g_focus;
    if (from == to)
        return;
    g_focus = to;
    if (from && Find(from))
        ::SendMessage(from, WM_KILLFOCUS, (WPARAM)to, 0);
    if (to && g_focus == to && Find(to))
        ::SendMessage(to, WM_SETFOCUS, (WPARAM)(Find(from) ? from : nullptr), 0);
}

namespace {

void ReleaseGrab(HWND h)
{
    if (Window* w = Find(h))
        if (w->widget && QWidget::mouseGrabber() == w->widget)
            w->widget->releaseMouse();
}

} // namespace

void FocusInByQt(HWND hwnd)
{
    if (g_focus != hwnd && Find(hwnd))
        SwitchFocus(hwnd);
}

void FocusOutByQt(HWND hwnd, bool applicationDeactivated)
{
    if (g_focus != hwnd || !applicationDeactivated)
        return;
    if (HandleOf(QApplication::focusWidget()))
        return; // the new focus window takes it over
    SwitchFocus(nullptr);
}

void RaiseOwnedWindows(HWND owner)
{
    // Stacking is a window system's matter; the offscreen one has none.
    if (QGuiApplication::platformName() == "offscreen")
        return;
    const std::vector<HWND> tops = TopLevels();
    for (HWND h : tops) {
        Window* w = Find(h);
        if (!w || h == owner || w->owner != owner || !w->widget)
            continue;
        if (w->widget->isVisible())
            w->widget->raise();
    }
}

void ActivationByQt(HWND hwnd, bool active)
{
    if (active)
        RaiseOwnedWindows(hwnd);
    if (active) {
        if (g_active == hwnd)
            return;
        const HWND previous = Find(g_active) ? g_active : nullptr;
        g_active = hwnd;
        RaiseTopLevel(hwnd);
        // Qt activates the new window before it deactivates the old one, and by
        // then the old one is no longer the active window: tell it here, first,
        // as Windows does.
        if (previous)
            ::SendMessage(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, ::IsIconic(previous)), (LPARAM)hwnd);
        ::SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, ::IsIconic(hwnd)), (LPARAM)previous);
    } else {
        if (g_active != hwnd)
            return;
        g_active = nullptr;
        const HWND next = WindowOf(QApplication::activeWindow());
        ::SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, ::IsIconic(hwnd)), (LPARAM)next);
    }
}

} // namespace wnd

using namespace wnd;

// ---------------------------------------------------------------- focus, capture, activation

HWND SetFocus(HWND hWnd)
{
    const HWND previous = g_focus;
    if (hWnd && !Find(hWnd))
        return nullptr;
    if (hWnd == g_focus)
        return previous;
    SwitchFocus(hWnd);
    Window* w = Find(hWnd);
    if (w && g_focus == hWnd && w->widget) {
        if (!w->widget->window()->isActiveWindow())
            ::SetActiveWindow(hWnd);
        if ((w = Find(hWnd)) != nullptr && w->widget && g_focus == hWnd)
            w->widget->setFocus(Qt::OtherFocusReason);
    } else if (!hWnd) {
        if (QWidget* f = QApplication::focusWidget())
            if (WindowOf(f))
                f->clearFocus();
    }
    return Find(previous) ? previous : nullptr;
}

HWND GetFocus() { return Find(g_focus) ? g_focus : nullptr; }

HWND SetCapture(HWND hWnd)
{
    const HWND previous = Find(g_capture) ? g_capture : nullptr;
    Window* w = Find(hWnd);
    if (!w || hWnd == g_desktop)
        return previous;
    if (previous == hWnd)
        return previous;
    g_capture = hWnd;
    if (previous)
        ReleaseGrab(previous);
    if (w->widget && w->widget->isVisible())
        w->widget->grabMouse();
    if (previous)
        ::SendMessage(previous, WM_CAPTURECHANGED, 0, (LPARAM)hWnd);
    return previous;
}

BOOL ReleaseCapture()
{
    const HWND old = g_capture;
    g_capture = nullptr;
    if (Find(old)) {
        ReleaseGrab(old);
        ::SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture() { return Find(g_capture) ? g_capture : nullptr; }

BOOL SetForegroundWindow(HWND hWnd)
{
    Window* w = Find(hWnd);
    if (!w || !w->widget)
        return FALSE;
    w->widget->raise();
    ::SetActiveWindow(hWnd);
    return TRUE;
}

HWND GetForegroundWindow() { return ::GetActiveWindow(); }

HWND GetActiveWindow()
{
    if (Find(g_active))
        return g_active;
    return WindowOf(QApplication::activeWindow());
}

HWND SetActiveWindow(HWND hWnd)
{
    const HWND previous = ::GetActiveWindow();
    const HWND top = TopLevelOf(hWnd);
    Window* w = Find(top);
    if (!w || !w->widget || top == g_desktop)
        return previous;
    w->widget->activateWindow();
    if (w->widget->isVisible() && qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::setActiveWindow(w->widget);
    return previous;
}
