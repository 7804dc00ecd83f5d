// Synthetic input for tests (WndTestInput.h): Qt events delivered to a window's widget as the
// windowing system would.
#include "platform/wnd/WndTestInput.h"

#include "platform/wnd/WndInternal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <QWheelEvent>
#include <QWindow>

namespace {

Qt::KeyboardModifiers Modifiers(UINT keyFlags, bool alt = false)
{
    Qt::KeyboardModifiers m;
    if (keyFlags & MK_SHIFT)
        m |= Qt::ShiftModifier;
    if (keyFlags & MK_CONTROL)
        m |= Qt::ControlModifier;
    if (alt)
        m |= Qt::AltModifier;
    return m;
}

Qt::MouseButtons Buttons(UINT keyFlags)
{
    Qt::MouseButtons b;
    if (keyFlags & MK_LBUTTON)
        b |= Qt::LeftButton;
    if (keyFlags & MK_RBUTTON)
        b |= Qt::RightButton;
    if (keyFlags & MK_MBUTTON)
        b |= Qt::MiddleButton;
    return b;
}

int QtKeyOf(UINT vk)
{
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key_A + (int)(vk - 'A');
    if (vk >= '0' && vk <= '9')
        return Qt::Key_0 + (int)(vk - '0');
    if (vk >= VK_F1 && vk <= VK_F24)
        return Qt::Key_F1 + (int)(vk - VK_F1);
    switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_APPS: return Qt::Key_Menu;
    case VK_OEM_PLUS: return Qt::Key_Plus;
    case VK_OEM_MINUS: return Qt::Key_Minus;
    case VK_OEM_COMMA: return Qt::Key_Comma;
    case VK_OEM_PERIOD: return Qt::Key_Period;
    default: return 0;
    }
}

void Send(QWidget* widget, QEvent* event) { QCoreApplication::sendEvent(widget, event); }

} // namespace

void AfxTestMouse(HWND hwnd, UINT message, int x, int y, UINT keyFlags)
{
    QWidget* widget = wnd::WidgetOf(hwnd);
    if (!widget)
        return;
    const QPointF local = QPointF(wnd::ClientOrigin(hwnd) + QPoint(x, y));
    const QPointF global = QPointF(widget->mapToGlobal(local.toPoint()));
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    switch (message) {
    case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::LeftButton; break;
    case WM_LBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::LeftButton; break;
    case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::LeftButton; break;
    case WM_RBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::RightButton; break;
    case WM_RBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::RightButton; break;
    case WM_RBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::RightButton; break;
    case WM_MBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::MiddleButton; break;
    case WM_MBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::MiddleButton; break;
    case WM_MBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::MiddleButton; break;
    default: break;
    }
    QMouseEvent event(type, local, global, button, Buttons(keyFlags), Modifiers(keyFlags));
    Send(widget, &event);
}

void AfxTestQueueSystemClick(HWND hwnd, int x, int y)
{
    QWidget* widget = wnd::WidgetOf(hwnd);
    QWindow* window = widget ? widget->window()->windowHandle() : nullptr;
    if (!window)
        return;
    // Each event is made when it is delivered, as the window system's are.
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMetaObject::invokeMethod(
            window,
            [window, type, x, y]() {
                const QPointF global(x, y);
                const QPointF local = window->mapFromGlobal(global.toPoint());
                QMouseEvent event(type, local, local, global, Qt::LeftButton,
                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(window, &event);
            },
            Qt::QueuedConnection);
    }
}

void AfxTestWheel(HWND hwnd, int x, int y, int delta, UINT keyFlags)
{
    QWidget* widget = wnd::WidgetOf(hwnd);
    if (!widget)
        return;
    const QPointF local = QPointF(wnd::ClientOrigin(hwnd) + QPoint(x, y));
    const QPointF global = QPointF(widget->mapToGlobal(local.toPoint()));
    QWheelEvent event(local, global, QPoint(), QPoint(0, delta), Buttons(keyFlags), Modifiers(keyFlags),
                      Qt::NoScrollPhase, false);
    Send(widget, &event);
}

void AfxTestKey(HWND hwnd, UINT vk, bool down, const char* text, UINT keyFlags, bool alt)
{
    QWidget* widget = wnd::WidgetOf(hwnd);
    if (!widget)
        return;
    QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, QtKeyOf(vk), Modifiers(keyFlags, alt),
                    down && text ? QString::fromUtf8(text) : QString());
    Send(widget, &event);
}

void AfxTestKeyStroke(HWND hwnd, UINT vk, const char* text, UINT keyFlags)
{
    AfxTestKey(hwnd, vk, true, text, keyFlags);
    AfxTestKey(hwnd, vk, false, nullptr, keyFlags);
}

void AfxTestProcessEvents()
{
    for (int i = 0; i < 8; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    // Without a running loop Qt would keep destroyed windows' widgets until the end.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void AfxTestRunFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    AfxTestProcessEvents();
}
