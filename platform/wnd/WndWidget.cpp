// The Qt side of a window (WndWidget.h): the surface widget with its standard frame, and the bridge
// from Qt events to messages.
#include "platform/wnd/WndWidget.h"

#include "platform/gdi/GdiObjects.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QTimerEvent>
#include <QWheelEvent>

namespace wnd {

namespace {

QColor SysColor(int index)
{
    const COLORREF c = GetSysColor(index);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Two-colour edge one pixel wide along the rectangle; shrinks it.
void Edge(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.setPen(topLeft);
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.setPen(bottomRight);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    r.adjust(1, 1, -1, -1);
}

// Whether the Qt event of an input message for `target` goes back to the widget it came from: only
// the window's own widget, and not a surface it draws itself.
bool ReturnsNativeEvent(HWND target, HWND self)
{
    Window* tw = Find(target);
    return tw && !tw->surfaceWidget && target == self;
}

// Queues an input message and works the queue off unless a peek loop does. With `native`, the receiver
// gets a copy of the Qt event when the message `deliverOn` reaches the default handling.
void QueueInput(const MSG& msg, bool native, QWidget* receiver, const QEvent* event, UINT deliverOn,
                std::string chars)
{
    std::shared_ptr<NativeInput> input;
    if (native) {
        input = std::make_shared<NativeInput>();
        input->receiver = receiver;
        input->event.reset(event->clone());
        input->deliverOn = deliverOn;
    }
    EnqueueInput(msg, std::move(input), std::move(chars));
    if (!PeekModeActive() && !RoutingHeldInput())
        DrainQueue();
}

// How to make a window-system input event again for its top-level window to route; empty
// for events that are not input.
std::function<std::unique_ptr<QEvent>(QWindow*)> Remaker(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const auto* e = static_cast<QMouseEvent*>(event);
        return [type = e->type(), global = e->globalPosition(), button = e->button(), buttons = e->buttons(),
                modifiers = e->modifiers(), device = e->pointingDevice(), time = e->timestamp()](QWindow* window) {
            const QPointF at = global - QPointF(window->mapToGlobal(QPoint(0, 0)));
            auto made = std::make_unique<QMouseEvent>(type, at, at, global, button, buttons, modifiers, device);
            made->setTimestamp(time);
            return std::unique_ptr<QEvent>(std::move(made));
        };
    }
    case QEvent::Wheel: {
        const auto* e = static_cast<QWheelEvent*>(event);
        return [global = e->globalPosition(), pixels = e->pixelDelta(), angle = e->angleDelta(),
                buttons = e->buttons(), modifiers = e->modifiers(), phase = e->phase(), inverted = e->inverted(),
                source = e->source(), device = e->pointingDevice(), time = e->timestamp()](QWindow* window) {
            const QPointF at = global - QPointF(window->mapToGlobal(QPoint(0, 0)));
            auto made = std::make_unique<QWheelEvent>(at, global, pixels, angle, buttons, modifiers, phase, inverted,
                                                      source, device);
            made->setTimestamp(time);
            return std::unique_ptr<QEvent>(std::move(made));
        };
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        std::shared_ptr<QEvent> key(event->clone());
        return [key](QWindow*) { return std::unique_ptr<QEvent>(key->clone()); };
    }
    default:
        return {};
    }
}

} // namespace

void DrawStandardFrame(QPainter& p, const Window* w, const QRect& all)
{
    QRect r = all;
    const DWORD style = w->style;
    const bool drawnFrame = (style & WS_CHILD) || ((style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION);
    if (drawnFrame) {
        if ((style & WS_THICKFRAME) || (style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME)) {
            const int width = (style & WS_THICKFRAME) ? GetSystemMetrics(SM_CXFRAME) : GetSystemMetrics(SM_CXDLGFRAME);
            p.fillRect(r, SysColor(COLOR_BTNFACE));
            Edge(p, r, SysColor(COLOR_3DLIGHT), SysColor(COLOR_3DDKSHADOW));
            Edge(p, r, SysColor(COLOR_BTNHIGHLIGHT), SysColor(COLOR_BTNSHADOW));
            r.adjust(width - 2, width - 2, 2 - width, 2 - width);
        } else if (style & WS_BORDER) {
            Edge(p, r, SysColor(COLOR_WINDOWFRAME), SysColor(COLOR_WINDOWFRAME));
        }
    }
    if (w->exStyle & WS_EX_CLIENTEDGE) {
        Edge(p, r, SysColor(COLOR_BTNSHADOW), SysColor(COLOR_BTNHIGHLIGHT));
        Edge(p, r, SysColor(COLOR_3DDKSHADOW), SysColor(COLOR_3DLIGHT));
    }
    if (w->exStyle & WS_EX_STATICEDGE)
        Edge(p, r, SysColor(COLOR_BTNSHADOW), SysColor(COLOR_BTNHIGHLIGHT));
    if ((style & WS_VSCROLL) && (style & WS_HSCROLL)) {
        const QRect client = all.marginsRemoved(w->nc);
        p.fillRect(QRect(client.right() + 1, client.bottom() + 1, GetSystemMetrics(SM_CXVSCROLL),
                         GetSystemMetrics(SM_CYHSCROLL)),
                   SysColor(COLOR_BTNFACE));
    }
}

namespace {

UINT MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

// A window that is disabled, or lies in a disabled parent, gets no input.
bool InputAllowed(HWND h)
{
    for (; h; h = (GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD) ? ::GetParent(h) : nullptr)
        if (GetWindowLongPtr(h, GWL_STYLE) & WS_DISABLED)
            return false;
    return true;
}

HWND TopLevelOf(HWND h)
{
    while (h && (GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD) && ::GetParent(h))
        h = ::GetParent(h);
    return h;
}

// The native event being handed to a control's widget: Qt may propagate it to
// the parent widgets when the control ignores it, which Windows never does.
const QEvent* g_delivering = nullptr;

} // namespace

// ---------------------------------------------------------------- SurfaceWidget

SurfaceWidget::SurfaceWidget(HWND hwnd, QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags), m_hwnd(hwnd)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_NoMousePropagation);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void SurfaceWidget::paintEvent(QPaintEvent* event)
{
    Window* w = Find(m_hwnd);
    if (!w)
        return;
    QPainter p(this);
    p.setClipRegion(event->region());
    if (!w->full.isNull())
        p.drawImage(0, 0, w->full);
}

// ---------------------------------------------------------------- Bridge

Bridge::Bridge(HWND hwnd, QWidget* widget) : QObject(widget), m_hwnd(hwnd) {}

QEvent::Type Bridge::PaintRequestType()
{
    static const QEvent::Type type = (QEvent::Type)QEvent::registerEventType();
    return type;
}

void Bridge::customEvent(QEvent* event)
{
    if (event->type() != PaintRequestType() || !m_hwnd)
        return;
    // The request stays pending until it arrives: paints done at once meanwhile (UpdateWindow)
    // post no second one.
    if (Window* w = Find(m_hwnd))
        w->paintPosted = false;
    PaintNow(m_hwnd);
}

void Bridge::timerEvent(QTimerEvent* event)
{
    Window* w = Find(m_hwnd);
    if (!w)
        return;
    for (const auto& [id, timer] : w->timers) {
        if (timer.qtId == event->timerId()) {
            EnqueueTimer(m_hwnd, id, timer.proc);
            if (!PeekModeActive())
                DrainQueue();
            return;
        }
    }
}

bool Bridge::eventFilter(QObject* watched, QEvent* event)
{
    if (event == g_delivering)
        return false;
    const QEvent::Type type = event->type();
    const bool input = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                       type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove || type == QEvent::Wheel ||
                       type == QEvent::KeyPress || type == QEvent::KeyRelease;
    if (input && g_delivering && g_delivering->type() == type)
        return true; // propagated from a control that ignored it
    Window* w = Find(m_hwnd);
    QWidget* receiver = qobject_cast<QWidget*>(watched);
    if (!w || !receiver)
        return input;
    if (input && event->spontaneous() && MustHoldInput()) {
        QWindow* window = receiver->window()->windowHandle();
        if (auto make = Remaker(event); window && make) {
            HoldInput(window, std::move(make));
            return true;
        }
    }
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return Mouse(receiver, static_cast<QMouseEvent*>(event));
    case QEvent::Wheel:
        return Wheel(receiver, static_cast<QWheelEvent*>(event));
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return Key(receiver, static_cast<QKeyEvent*>(event));
    case QEvent::ShortcutOverride:
        // Keys reach the window; accelerators are the message loop's business.
        if (w->surfaceWidget) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return DropFiles(m_hwnd, event);
    case QEvent::ContextMenu:
        // A surface window has its WM_CONTEXTMENU from the right button-up.
        return w->surfaceWidget;
    case QEvent::FocusIn:
        if (receiver == w->widget || !w->surfaceWidget)
            FocusInByQt(m_hwnd);
        return false;
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason)
            FocusOutByQt(m_hwnd, reason == Qt::ActiveWindowFocusReason);
        return false;
    }
    case QEvent::Resize:
    case QEvent::Move:
        if (receiver == w->widget)
            ClientSizeChangedByQt(m_hwnd);
        return false;
    case QEvent::Show:
        if (receiver == w->widget)
            ShownByQt(m_hwnd);
        return false;
    case QEvent::WindowStateChange:
        if (receiver == w->widget && receiver->isWindow())
            WindowStateChangedByQt(m_hwnd);
        return false;
    case QEvent::Close:
        if (receiver == w->widget && receiver->isWindow()) {
            event->ignore();
            ::SendMessage(m_hwnd, WM_CLOSE, 0, 0);
            return true;
        }
        return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (receiver == w->widget && receiver->isWindow())
            ActivationByQt(m_hwnd, type == QEvent::WindowActivate);
        return false;
    default:
        return false;
    }
}

bool Bridge::Mouse(QWidget* receiver, QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    SetCursorPosition(global, !event->spontaneous());
    const QEvent::Type type = event->type();
    int button = 0; // 0 left, 1 right, 2 middle
    if (type != QEvent::MouseMove) {
        switch (event->button()) {
        case Qt::LeftButton: button = 0; break;
        case Qt::RightButton: button = 1; break;
        case Qt::MiddleButton: button = 2; break;
        default: return true;
        }
    }
    const UINT flags = MouseKeyFlags(event->buttons(), event->modifiers());
    HWND target = m_hwnd;
    HWND capture = ::GetCapture();
    int hit = HTCLIENT;
    if (capture) {
        target = capture;
    } else {
        if (!InputAllowed(target))
            return true;
        hit = (int)::SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(global.x(), global.y()));
        while (hit == HTTRANSPARENT && (GetWindowLongPtr(target, GWL_STYLE) & WS_CHILD) && ::GetParent(target)) {
            target = ::GetParent(target);
            hit = (int)::SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(global.x(), global.y()));
        }
        if (!Find(target))
            return true;
    }
    const bool client = hit == HTCLIENT;
    UINT message;
    if (type == QEvent::MouseMove) {
        message = WM_MOUSEMOVE;
    } else {
        static const UINT down[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
        static const UINT up[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
        static const UINT dbl[3] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
        if (type == QEvent::MouseButtonRelease)
            message = up[button];
        else if (type == QEvent::MouseButtonDblClick && (GetClassLongPtr(target, GCL_STYLE) & CS_DBLCLKS))
            message = dbl[button];
        else
            message = down[button];
    }
    const bool buttonDown = message != WM_MOUSEMOVE && message != WM_LBUTTONUP && message != WM_RBUTTONUP &&
                            message != WM_MBUTTONUP;
    if (!client)
        message -= WM_MOUSEMOVE - WM_NCMOUSEMOVE;
    NoteMouseWindow(target);

    if (!capture) {
        if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || buttonDown)
            ::SendMessage(target, WM_SETCURSOR, (WPARAM)target, MAKELPARAM(hit, message));
        if (buttonDown && Find(target)) {
            HWND top = TopLevelOf(target);
            RaiseOwnedWindows(top, false);
            if ((GetWindowLongPtr(target, GWL_STYLE) & WS_CHILD) || ::GetActiveWindow() != top) {
                const LRESULT r = ::SendMessage(target, WM_MOUSEACTIVATE, (WPARAM)top, MAKELPARAM(hit, message));
                if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && ::GetActiveWindow() != top && Find(top))
                    ::SetActiveWindow(top);
                if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT)
                    return true;
            }
        }
        if (!Find(target))
            return true;
    }

    MSG msg{};
    msg.hwnd = target;
    msg.message = message;
    if (client) {
        const QPoint origin = ClientRectOnScreen(target).topLeft();
        msg.wParam = flags;
        msg.lParam = MAKELPARAM(global.x() - origin.x(), global.y() - origin.y());
    } else {
        msg.wParam = (WPARAM)hit;
        msg.lParam = MAKELPARAM(global.x(), global.y());
    }
    msg.time = MessageTime();
    msg.pt = POINT{global.x(), global.y()};
    NoteInputState(msg, event->modifiers(), event->buttons());
    QueueInput(msg, ReturnsNativeEvent(target, m_hwnd), receiver, event, message, std::string());
    return true;
}

bool Bridge::Wheel(QWidget* receiver, QWheelEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    SetCursorPosition(global, !event->spontaneous());
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return true;
    HWND target = ::GetCapture() ? ::GetCapture() : m_hwnd;
    if (!InputAllowed(target))
        return true;
    MSG msg{};
    msg.hwnd = target;
    msg.message = WM_MOUSEWHEEL;
    msg.wParam = MAKEWPARAM(MouseKeyFlags(event->buttons(), event->modifiers()), (WORD)(short)delta);
    msg.lParam = MAKELPARAM(global.x(), global.y());
    msg.time = MessageTime();
    msg.pt = POINT{global.x(), global.y()};
    NoteInputState(msg, event->modifiers(), event->buttons());
    QueueInput(msg, ReturnsNativeEvent(target, m_hwnd), receiver, event, WM_MOUSEWHEEL, std::string());
    return true;
}

bool Bridge::Key(QWidget* receiver, QKeyEvent* event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->isAutoRepeat())
        return true; // Windows repeats key-downs only
    Window* w = Find(m_hwnd);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const UINT vk = VirtualKeyOf(event->key(), modifiers);
    if (vk == 0 && event->text().isEmpty())
        return w->surfaceWidget;
    if (!InputAllowed(m_hwnd))
        return true;
    const bool alt = (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier);
    const bool sys = alt || vk == VK_F10 || (vk == VK_MENU && press);
    UINT message = press ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    DWORD lParam = 1;
    lParam |= (DWORD)(event->nativeScanCode() & 0xFF) << 16;
    if (IsExtendedKey(event->key(), modifiers))
        lParam |= 1u << 24;
    if (alt)
        lParam |= 1u << 29;
    if (!press || event->isAutoRepeat())
        lParam |= 1u << 30;
    if (!press)
        lParam |= 1u << 31;

    std::string chars;
    if (press) {
        QByteArray text = event->text().toUtf8();
        for (char c : text)
            if (c != 0x7f)
                chars += c;
        if (chars.empty()) {
            // One control character per key; assigned as a character, not a
            // literal, which g++ 12 at -O3 mistakes for an overlapping copy.
            char control = 0;
            if (vk == VK_RETURN)
                control = '\r';
            else if (vk == VK_ESCAPE)
                control = '\x1b';
            else if (vk == VK_TAB)
                control = '\t';
            else if (vk == VK_BACK)
                control = '\b';
            else if (vk == VK_SPACE)
                control = ' ';
            else if ((modifiers & Qt::ControlModifier) && vk >= 'A' && vk <= 'Z')
                control = (char)(vk - 'A' + 1);
            if (control)
                chars.push_back(control);
        }
    }
    MSG msg{};
    msg.hwnd = m_hwnd;
    msg.message = message;
    msg.wParam = vk;
    msg.lParam = (LPARAM)lParam;
    msg.time = MessageTime();
    POINT cursor;
    ::GetCursorPos(&cursor);
    msg.pt = cursor;
    NoteKey(vk, press);
    NoteInputState(msg, modifiers, QApplication::mouseButtons());
    const UINT deliverOn = chars.empty() ? message : (sys ? WM_SYSCHAR : WM_CHAR);
    QueueInput(msg, !w->surfaceWidget, receiver, event, deliverOn, std::move(chars));
    return true;
}

// Hands a control's widget the Qt event of an input message (see WndQueue.cpp).
void DeliverToWidget(NativeInput& native)
{
    if (native.delivered || !native.receiver || !native.event)
        return;
    native.delivered = true;
    const QEvent* previous = g_delivering;
    g_delivering = native.event.get();
    QCoreApplication::sendEvent(native.receiver, native.event.get());
    g_delivering = previous;
}

} // namespace wnd
