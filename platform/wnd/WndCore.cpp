// Window records, classes, creation and destruction, the default window procedure,
// geometry, visibility, styles, focus, capture, activation, timers, painting and the
// standard scroll bars.
#include "platform/wnd/WndInternal.h"

#include "platform/gdi/CDC.h"
#include "platform/wnd/CMenu.h"
#include "platform/wnd/CWinThread.h"
#include "platform/base/Clock.h"
#include "platform/base/Exceptions.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WndWidget.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace wnd {

namespace {

// The registries outlive every static object: CWnd objects destroyed at exit may still look their windows up.
std::unordered_map<HWND, std::unique_ptr<Window>>& Windows()
{
    static auto* windows = new std::unordered_map<HWND, std::unique_ptr<Window>>;
    return *windows;
}

std::unordered_map<const QWidget*, HWND>& Widgets()
{
    static auto* widgets = new std::unordered_map<const QWidget*, HWND>;
    return *widgets;
}

std::unordered_map<std::string, std::shared_ptr<WndClass>>& Classes()
{
    static auto* classes = new std::unordered_map<std::string, std::shared_ptr<WndClass>>;
    return *classes;
}

// Top-level windows in creation order.
std::vector<HWND>& TopLevels()
{
    static auto* list = new std::vector<HWND>;
    return *list;
}

// Handles are never reused: a stale handle names no window.
uintptr_t g_nextHandle = 0x200000;
HWND g_focus = nullptr;
HWND g_capture = nullptr;
HWND g_active = nullptr;
HWND g_desktop = nullptr;

std::string Key(LPCSTR name)
{
    std::string k = name ? name : "";
    for (char& c : k)
        c = (char)std::tolower((unsigned char)c);
    return k;
}

bool IsChildStyle(DWORD style) { return (style & WS_CHILD) != 0; }

// The window's frame is ours to draw: child windows and popups without a caption.
bool DrawnFrame(DWORD style)
{
    return IsChildStyle(style) || ((style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION);
}

QMargins StandardInsets(DWORD style, DWORD exStyle)
{
    int b = 0;
    if (DrawnFrame(style)) {
        if (style & WS_THICKFRAME)
            b = GetSystemMetrics(SM_CXFRAME);
        else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
            b = GetSystemMetrics(SM_CXDLGFRAME);
        else if (style & WS_BORDER)
            b = GetSystemMetrics(SM_CXBORDER);
    }
    if (exStyle & WS_EX_CLIENTEDGE)
        b += 2;
    if (exStyle & WS_EX_STATICEDGE)
        b += 1;
    QMargins m(b, b, b, b);
    if (style & WS_VSCROLL)
        m.setRight(m.right() + GetSystemMetrics(SM_CXVSCROLL));
    if (style & WS_HSCROLL)
        m.setBottom(m.bottom() + GetSystemMetrics(SM_CYHSCROLL));
    return m;
}

QRect ToQ(const RECT& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }
RECT ToR(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

QRect ScreenRect()
{
    if (QScreen* s = QGuiApplication::primaryScreen())
        return s->geometry();
    return QRect(0, 0, 1024, 768);
}

QSize ClientSize(const Window* w)
{
    if (!w->widget)
        return w->handle == g_desktop ? ScreenRect().size() : QSize(0, 0);
    const QSize s = w->widget->size().shrunkBy(w->nc);
    return QSize(std::max(0, s.width()), std::max(0, s.height()));
}

QPoint NcOrigin(const Window* w) { return QPoint(w->nc.left(), w->nc.top()); }

// The window rectangle: in the parent's client coordinates for a child, else on the screen.
QRect RelativeRect(const Window* w)
{
    if (!w->widget)
        return w->handle == g_desktop ? ScreenRect() : QRect();
    QRect g = w->widget->geometry();
    if (IsChildStyle(w->style)) {
        if (const Window* p = Find(w->parent))
            g.translate(-NcOrigin(p));
    }
    return g;
}

void SetRelativeRect(Window* w, const QRect& r)
{
    if (!w->widget)
        return;
    QRect g(r.topLeft(), QSize(std::max(0, r.width()), std::max(0, r.height())));
    if (IsChildStyle(w->style)) {
        if (const Window* p = Find(w->parent))
            g.translate(NcOrigin(p));
    }
    w->applyingGeometry = true;
    w->widget->setGeometry(g);
    w->applyingGeometry = false;
}

HWND TopLevelOf(HWND h)
{
    Window* w = Find(h);
    while (w && IsChildStyle(w->style) && Find(w->parent)) {
        h = w->parent;
        w = Find(h);
    }
    return h;
}

bool IsSelfOrDescendant(HWND ancestor, HWND h)
{
    for (Window* w = Find(h); w; w = IsChildStyle(w->style) ? Find(w->parent) : nullptr)
        if (w->handle == ancestor)
            return true;
    return false;
}

std::vector<HWND>* SiblingList(Window* w)
{
    if (IsChildStyle(w->style)) {
        Window* p = Find(w->parent);
        return p ? &p->children : nullptr;
    }
    return &TopLevels();
}

HBRUSH RealBrush(HBRUSH brush)
{
    // A class background may be a system colour index plus one.
    const UINT_PTR v = (UINT_PTR)brush;
    if (v > 0 && v <= 31)
        return GetSysColorBrush((int)v - 1);
    return brush;
}

QColor BackgroundColor(const Window* w)
{
    HBRUSH b = w->cls ? RealBrush(w->cls->background) : nullptr;
    LOGBRUSH lb{};
    if (b && ::GetObject(b, sizeof(lb), &lb) && lb.lbStyle == BS_SOLID)
        return QColor(GetRValue(lb.lbColor), GetGValue(lb.lbColor), GetBValue(lb.lbColor));
    return QColor(Qt::white);
}

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

void ReleaseGrab(HWND h)
{
    if (Window* w = Find(h))
        if (w->widget && QWidget::mouseGrabber() == w->widget)
            w->widget->releaseMouse();
}

LRESULT CallProc(Window* w, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND h = w->handle;
    WNDPROC proc = w->proc;
    return proc ? proc(h, message, wParam, lParam) : ::DefWindowProc(h, message, wParam, lParam);
}

void SendSizeMove(Window* w, bool moved, bool sized)
{
    const HWND h = w->handle;
    const QRect r = RelativeRect(w);
    WINDOWPOS pos{h, nullptr, r.x(), r.y(), r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE};
    if (!moved)
        pos.flags |= SWP_NOMOVE;
    if (!sized)
        pos.flags |= SWP_NOSIZE;
    w->lastReported = r;
    w->reported = true;
    ::SendMessage(h, WM_WINDOWPOSCHANGED, 0, (LPARAM)&pos);
}

// The client size changed from `before`: the surface follows and the uncovered parts are invalid.
void ClientResized(Window* w, QSize before)
{
    ResizeSurface(w);
    const QSize now = ClientSize(w);
    if (now == before)
        return;
    const UINT cs = w->cls ? w->cls->style : 0;
    if (((cs & CS_HREDRAW) && now.width() != before.width()) || ((cs & CS_VREDRAW) && now.height() != before.height())) {
        ::InvalidateRect(w->handle, nullptr, TRUE);
        return;
    }
    QRegion exposed(QRect(QPoint(0, 0), now));
    exposed -= QRect(QPoint(0, 0), before);
    if (!exposed.isEmpty()) {
        w->update += exposed;
        w->erase = true;
        SchedulePaint(w->handle);
    }
}

void CreateScrollBar(Window* w, int bar)
{
    ScrollState& s = w->scroll[bar];
    s.bar = new QScrollBar(bar == SB_VERT ? Qt::Vertical : Qt::Horizontal, w->widget);
    s.bar->setFocusPolicy(Qt::NoFocus);
    const HWND h = w->handle;
    QScrollBar* sb = s.bar;
    QObject::connect(sb, &QAbstractSlider::actionTriggered, sb, [h, bar, sb](int action) {
        Window* win = Find(h);
        if (!win)
            return;
        int code;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
        case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
        default: return;
        }
        if (code == SB_THUMBTRACK) {
            win->scroll[bar].trackPos = sb->sliderPosition();
            ScrollBarAction(h, bar, code, win->scroll[bar].trackPos);
            return;
        }
        // The window decides where the thumb goes: SetScrollPos moves it.
        sb->setSliderPosition(win->scroll[bar].pos);
        ScrollBarAction(h, bar, code, 0);
        if (Find(h))
            ScrollBarAction(h, bar, SB_ENDSCROLL, 0);
    });
    QObject::connect(sb, &QAbstractSlider::sliderReleased, sb, [h, bar]() {
        Window* win = Find(h);
        if (!win)
            return;
        ScrollBarAction(h, bar, SB_THUMBPOSITION, win->scroll[bar].trackPos);
        if ((win = Find(h)) != nullptr) {
            ScrollBarAction(h, bar, SB_ENDSCROLL, 0);
            if ((win = Find(h)) != nullptr && win->scroll[bar].bar)
                win->scroll[bar].bar->setSliderPosition(win->scroll[bar].pos);
        }
    });
}

void SyncScrollBar(Window* w, int bar)
{
    ScrollState& s = w->scroll[bar];
    if (!s.bar)
        return;
    const QSignalBlocker block(s.bar);
    const int top = std::max(s.min, s.max - std::max(s.page - 1, 0));
    s.bar->setRange(s.min, top);
    s.bar->setPageStep(std::max(1, s.page));
    s.bar->setSingleStep(1);
    s.bar->setValue(s.pos);
    s.bar->setEnabled(!s.disabled && top > s.min);
}

void DestroyTree(HWND h, std::vector<QPointer<QWidget>>& roots, bool root)
{
    Window* w = Find(h);
    if (!w)
        return;
    w->destroying = true;
    if (root && w->widget)
        roots.push_back(w->widget);
    ::SendMessage(h, WM_DESTROY, 0, 0);
    if ((w = Find(h)) == nullptr)
        return;
    const std::vector<HWND> children = w->children;
    for (HWND c : children)
        DestroyTree(c, roots, false);
    if ((w = Find(h)) == nullptr)
        return;
    ::SendMessage(h, WM_NCDESTROY, 0, 0);
    if ((w = Find(h)) == nullptr)
        return;

    for (auto& [id, timer] : w->timers)
        if (w->bridge && timer.qtId)
            w->bridge->killTimer(timer.qtId);
    w->timers.clear();
    PurgeQueue(h);
    DetachWindowDCs(h);
    if (std::vector<HWND>* siblings = SiblingList(w))
        std::erase(*siblings, h);
    if (w->permanent) {
        WndAccess::SetHandle(w->permanent, nullptr);
        w->permanent = nullptr;
    }
    if (w->temporary)
        WndAccess::SetHandle(w->temporary.get(), nullptr);
    if (w->sysMenu)
        ::DestroyMenu(w->sysMenu);
    if (w->bridge) {
        w->bridge->Detach();
        if (w->widget)
            w->widget->removeEventFilter(w->bridge);
        for (const QPointer<QWidget>& sub : w->inputWidgets)
            if (sub)
                sub->removeEventFilter(w->bridge);
    }
    for (auto it = Widgets().begin(); it != Widgets().end();)
        it = it->second == h ? Widgets().erase(it) : std::next(it);
    if (g_focus == h)
        g_focus = nullptr;
    if (g_active == h)
        g_active = nullptr;
    if (g_capture == h)
        g_capture = nullptr;
    std::unique_ptr<Window> record = std::move(Windows()[h]);
    Windows().erase(h);
    // The temporary wrapper goes with the record; its handle is already cleared.
}

} // namespace

// ---------------------------------------------------------------- lookups

Window* Find(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    auto it = Windows().find(hwnd);
    return it == Windows().end() ? nullptr : it->second.get();
}

HWND HandleOf(const QWidget* widget)
{
    auto it = Widgets().find(widget);
    return it == Widgets().end() ? nullptr : it->second;
}

HWND WindowOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget())
        if (HWND h = HandleOf(widget))
            return h;
    return nullptr;
}

QWidget* WidgetOf(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w ? w->widget.data() : nullptr;
}

QPoint ClientOrigin(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w ? NcOrigin(w) : QPoint();
}

QImage* SurfaceOf(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return nullptr;
    ResizeSurface(w);
    return &w->surface;
}

void SurfaceChanged(HWND hwnd, const QRect& clientRect)
{
    Window* w = Find(hwnd);
    if (w && w->widget && w->surfaceWidget)
        w->widget->update(clientRect.translated(NcOrigin(w)));
}

QRect WindowRectOnScreen(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return QRect();
    if (!w->widget)
        return w->handle == g_desktop ? ScreenRect() : QRect();
    return QRect(w->widget->mapToGlobal(QPoint(0, 0)), w->widget->size());
}

QRect ClientRectOnScreen(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return QRect();
    if (!w->widget)
        return w->handle == g_desktop ? ScreenRect() : QRect();
    return QRect(w->widget->mapToGlobal(NcOrigin(w)), ClientSize(w));
}

HWND DesktopHandle()
{
    if (!g_desktop) {
        auto w = std::make_unique<Window>();
        g_nextHandle += 16;
        w->handle = reinterpret_cast<HWND>(g_nextHandle);
        w->style = WS_VISIBLE | WS_POPUP;
        w->surfaceWidget = false;
        w->created = true;
        g_desktop = w->handle;
        Windows().emplace(g_desktop, std::move(w));
    }
    return g_desktop;
}

bool SetClassWidgetFactory(LPCSTR className, WidgetFactory factory)
{
    auto it = Classes().find(Key(className));
    if (it == Classes().end())
        return false;
    it->second->factory = std::move(factory);
    return true;
}

void AddInputWidget(HWND hwnd, QWidget* subWidget)
{
    Window* w = Find(hwnd);
    if (!w || !w->bridge || !subWidget)
        return;
    subWidget->installEventFilter(w->bridge);
    subWidget->setMouseTracking(true);
    subWidget->setAttribute(Qt::WA_NoMousePropagation);
    w->inputWidgets.push_back(subWidget);
    Widgets()[subWidget] = hwnd;
}

// ---------------------------------------------------------------- surfaces and painting

void ResizeSurface(Window* w)
{
    const QSize client = ClientSize(w);
    const bool framed = w->surfaceWidget && w->widget;
    const QSize whole = framed ? w->widget->size() : client;
    const QPoint origin = framed ? NcOrigin(w) : QPoint();
    const bool same = !w->full.isNull() && w->full.size() == whole && w->surface.size() == client &&
                      (client.isEmpty() || w->surface.constBits() == w->full.constBits() + origin.y() * w->full.bytesPerLine() + origin.x() * 4);
    if (same || (whole.isEmpty() && w->full.isNull()))
        return;
    // The client content stays where the client area is, even when the frame changes.
    const QImage oldClient = w->surface.copy();
    QImage full(whole, QImage::Format_RGB32);
    full.fill(BackgroundColor(w));
    QImage view;
    if (!client.isEmpty())
        view = QImage(full.bits() + origin.y() * full.bytesPerLine() + origin.x() * 4, client.width(), client.height(),
                      full.bytesPerLine(), QImage::Format_RGB32);
    if (!oldClient.isNull() && !view.isNull()) {
        QPainter p(&view);
        p.drawImage(0, 0, oldClient);
    }
    w->full = std::move(full);
    w->surface = std::move(view);
    w->update &= QRect(QPoint(0, 0), client);
    if (w->update.isEmpty())
        w->erase = false;
    if (!w->nc.isNull())
        w->ncDirty = true;
}

QImage* WindowSurfaceOf(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return nullptr;
    SurfaceOf(hwnd);
    return &w->full;
}

void WindowSurfaceChanged(HWND hwnd, const QRect& windowRect)
{
    Window* w = Find(hwnd);
    if (w && w->widget && w->surfaceWidget)
        w->widget->update(windowRect);
}

void PaintNonClient(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w || !w->widget || !w->surfaceWidget)
        return;
    if (w->nc.isNull()) {
        w->ncDirty = false;
        return;
    }
    if (!::IsWindowVisible(hwnd) || !w->redraw || w->destroying) {
        w->ncDirty = true;
        return;
    }
    w->ncDirty = false;
    ::SendMessage(hwnd, WM_NCPAINT, 1, 0);
    if ((w = Find(hwnd)) != nullptr && w->widget)
        w->widget->update();
}

void SchedulePaint(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w || w->paintPosted || !w->bridge || w->update.isEmpty())
        return;
    w->paintPosted = true;
    QCoreApplication::postEvent(w->bridge, new QEvent(Bridge::PaintRequestType()), Qt::LowEventPriority);
}

void PaintNow(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return;
    w->paintPosted = false;
    if (w->ncDirty && ::IsWindowVisible(hwnd))
        PaintNonClient(hwnd);
    if ((w = Find(hwnd)) == nullptr || w->update.isEmpty() || !w->redraw || !::IsWindowVisible(hwnd) ||
        w->destroying)
        return;
    const int before = w->beginPaints;
    ::SendMessage(hwnd, WM_PAINT, 0, 0);
    if ((w = Find(hwnd)) == nullptr)
        return;
    if (w->beginPaints == before) {
        // Nothing validated the region: Windows would ask again forever.
        w->update = QRegion();
        w->erase = false;
    } else if (!w->update.isEmpty()) {
        SchedulePaint(hwnd); // invalidated again while painting
    }
}

void ApplyNonClient(Window* w)
{
    const HWND h = w->handle;
    const QSize before = ClientSize(w);
    if (w->surfaceWidget && w->widget) {
        const QRect r = RelativeRect(w);
        RECT rc = ToR(r);
        const RECT window = rc;
        ::SendMessage(h, WM_NCCALCSIZE, FALSE, (LPARAM)&rc);
        if ((w = Find(h)) == nullptr)
            return;
        w->nc = QMargins(std::max(0, (int)(rc.left - window.left)), std::max(0, (int)(rc.top - window.top)),
                         std::max(0, (int)(window.right - rc.right)), std::max(0, (int)(window.bottom - rc.bottom)));
    } else {
        w->nc = QMargins();
    }
    UpdateScrollBars(w);
    ClientResized(w, before);
    if (w->widget)
        w->widget->update();
    if (w->created && ClientSize(w) != before)
        SendSizeMove(w, false, true);
    if (Find(h))
        PaintNonClient(h);
}

void UpdateScrollBars(Window* w)
{
    if (!w->widget)
        return;
    for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
        const bool wanted = w->surfaceWidget && (w->style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL));
        ScrollState& s = w->scroll[bar];
        if (wanted && !s.bar)
            CreateScrollBar(w, bar);
        if (!wanted && s.bar) {
            s.bar->hide();
            s.bar->deleteLater();
            s.bar = nullptr;
        }
        if (!s.bar)
            continue;
        const QRect client = w->widget->rect().marginsRemoved(w->nc);
        if (bar == SB_VERT)
            s.bar->setGeometry(client.right() + 1, client.top(), GetSystemMetrics(SM_CXVSCROLL), client.height());
        else
            s.bar->setGeometry(client.left(), client.bottom() + 1, client.width(), GetSystemMetrics(SM_CYHSCROLL));
        SyncScrollBar(w, bar);
        s.bar->show();
    }
}

void ScrollBarAction(HWND hwnd, int bar, int code, int pos)
{
    ::SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, (WORD)pos), 0);
}

void ClientSizeChangedByQt(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w || w->applyingGeometry || !w->created || w->destroying)
        return;
    const QRect now = RelativeRect(w);
    if (w->reported && now == w->lastReported)
        return;
    const QSize before = w->lastReported.size().shrunkBy(w->nc);
    const bool moved = !w->reported || now.topLeft() != w->lastReported.topLeft();
    const bool sized = !w->reported || now.size() != w->lastReported.size();
    UpdateScrollBars(w);
    ClientResized(w, QSize(std::max(0, before.width()), std::max(0, before.height())));
    SendSizeMove(w, moved, sized);
    if (sized && Find(hwnd))
        PaintNonClient(hwnd);
}

void ShownByQt(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (w && w->ncDirty)
        PaintNonClient(hwnd);
    if ((w = Find(hwnd)) != nullptr && !w->update.isEmpty())
        SchedulePaint(hwnd);
}

void WindowStateChangedByQt(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w || !w->widget)
        return;
    // The window manager minimises and maximises windows too: the styles follow.
    const Qt::WindowStates state = w->widget->windowState();
    w->style &= ~(DWORD)(WS_MINIMIZE | WS_MAXIMIZE);
    if (state & Qt::WindowMinimized)
        w->style |= WS_MINIMIZE;
    else if (state & Qt::WindowMaximized)
        w->style |= WS_MAXIMIZE;
}

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

void ActivationByQt(HWND hwnd, bool active)
{
    if (active) {
        if (g_active == hwnd)
            return;
        const HWND previous = Find(g_active) ? g_active : nullptr;
        g_active = hwnd;
        ::SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, ::IsIconic(hwnd)), (LPARAM)previous);
    } else {
        if (g_active != hwnd)
            return;
        g_active = nullptr;
        const HWND next = WindowOf(QApplication::activeWindow());
        ::SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, ::IsIconic(hwnd)), (LPARAM)next);
    }
}

// ---------------------------------------------------------------- creation

CREATESTRUCT MakeCreateStruct(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx,
                              int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    CREATESTRUCT cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.cy = cy;
    cs.cx = cx;
    cs.y = y;
    cs.x = x;
    cs.style = (LONG)style;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    return cs;
}

HWND CreateWindowFor(CWnd* attach, const CREATESTRUCT& csIn, bool* attached)
{
    if (attached)
        *attached = false;
    CREATESTRUCT cs = csIn;
    auto clsIt = Classes().find(Key(cs.lpszClass));
    if (clsIt == Classes().end())
        return nullptr;
    std::shared_ptr<WndClass> cls = clsIt->second;
    DWORD style = (DWORD)cs.style;
    HWND parent = nullptr;
    HWND owner = nullptr;
    if (style & WS_CHILD) {
        parent = cs.hwndParent;
        if (!Find(parent) || parent == g_desktop)
            return nullptr;
    } else {
        owner = cs.hwndParent && cs.hwndParent != g_desktop ? TopLevelOf(cs.hwndParent) : nullptr;
        if (!(style & WS_POPUP))
            style |= WS_CAPTION | WS_CLIPSIBLINGS; // an overlapped window always has a caption
    }
    const bool visible = (style & WS_VISIBLE) != 0;
    style &= ~(DWORD)WS_VISIBLE;
    cs.style = (LONG)style;

    auto record = std::make_unique<Window>();
    Window* w = record.get();
    g_nextHandle += 16;
    const HWND h = reinterpret_cast<HWND>(g_nextHandle);
    w->handle = h;
    w->cls = cls;
    w->proc = cls->proc;
    w->style = style;
    w->exStyle = cs.dwExStyle;
    w->parent = parent;
    w->owner = owner;
    if (style & WS_CHILD)
        w->id = (UINT_PTR)cs.hMenu;
    else
        w->menu = ::IsMenu(cs.hMenu) ? cs.hMenu : nullptr;
    w->text = cs.lpszName ? cs.lpszName : "";
    Windows().emplace(h, std::move(record));
    if (attach) {
        w->permanent = attach;
        WndAccess::SetHandle(attach, h);
        if (!WndAccess::Super(attach))
            WndAccess::SetSuper(attach, cls->proc);
        w->proc = AfxWndProc;
    }

    // The widget.
    QWidget* parentWidget = parent ? WidgetOf(parent) : owner ? WidgetOf(owner) : nullptr;
    QWidget* widget = nullptr;
    if (cls->factory) {
        widget = cls->factory(h, cs, parentWidget);
        w->surfaceWidget = dynamic_cast<SurfaceWidget*>(widget) != nullptr;
    } else {
        Qt::WindowFlags flags = Qt::Widget;
        if (!(style & WS_CHILD)) {
            if (DrawnFrame(style))
                flags = (owner ? Qt::Tool : Qt::Window) | Qt::FramelessWindowHint;
            else if (cs.dwExStyle & WS_EX_TOOLWINDOW)
                flags = Qt::Tool;
            else
                flags = owner ? Qt::Dialog : Qt::Window;
            if (cs.dwExStyle & WS_EX_TOPMOST)
                flags |= Qt::WindowStaysOnTopHint;
        }
        widget = new SurfaceWidget(h, parentWidget, flags);
    }
    if (!widget) {
        Windows().erase(h);
        if (attach)
            WndAccess::SetHandle(attach, nullptr);
        return nullptr;
    }
    w->widget = widget;
    Widgets()[widget] = h;
    w->bridge = new Bridge(h, widget);
    widget->installEventFilter(w->bridge);
    if (!w->surfaceWidget) {
        widget->setMouseTracking(true);
        widget->setAttribute(Qt::WA_NoMousePropagation);
    }
    if (parent)
        Find(parent)->children.push_back(h);
    else
        TopLevels().push_back(h);
    widget->setVisible(false);

    // Geometry: CW_USEDEFAULT lets the platform choose for top-level windows.
    int x = cs.x, y = cs.y, cx = cs.cx, cy = cs.cy;
    if (!(style & WS_CHILD)) {
        const QRect screen = ScreenRect();
        if (x == CW_USEDEFAULT) {
            x = screen.left() + 40;
            y = screen.top() + 40;
        }
        if (cx == CW_USEDEFAULT) {
            cx = std::min(800, screen.width() * 3 / 4);
            cy = std::min(600, screen.height() * 3 / 4);
        }
        widget->setWindowTitle(QString::fromUtf8(w->text.c_str()));
    } else {
        if (x == CW_USEDEFAULT)
            x = y = 0;
        if (cx == CW_USEDEFAULT)
            cx = cy = 0;
    }
    SetRelativeRect(w, QRect(x, y, cx, cy));

    if (attached)
        *attached = attach != nullptr;
    if (!::SendMessage(h, WM_NCCREATE, 0, (LPARAM)&cs)) {
        ::DestroyWindow(h);
        return nullptr;
    }
    if ((w = Find(h)) == nullptr)
        return nullptr;
    ApplyNonClient(w);
    if ((w = Find(h)) == nullptr)
        return nullptr;
    if (::SendMessage(h, WM_CREATE, 0, (LPARAM)&cs) == -1) {
        ::DestroyWindow(h);
        return nullptr;
    }
    if ((w = Find(h)) == nullptr)
        return nullptr;
    w->created = true;
    {
        const QRect r = RelativeRect(w);
        const QSize client = ClientSize(w);
        w->lastReported = r;
        w->reported = true;
        const UINT type = (style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        ::SendMessage(h, WM_SIZE, type, MAKELPARAM(client.width(), client.height()));
        if ((w = Find(h)) == nullptr)
            return nullptr;
        const QPoint origin = r.topLeft() + NcOrigin(w);
        ::SendMessage(h, WM_MOVE, 0, MAKELPARAM(origin.x(), origin.y()));
        if ((w = Find(h)) == nullptr)
            return nullptr;
    }
    // A new window has everything to paint.
    ::InvalidateRect(h, nullptr, TRUE);
    if (visible)
        ::ShowWindow(h, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    return Find(h) ? h : nullptr;
}

} // namespace wnd

using namespace wnd;

// ---------------------------------------------------------------- classes

ATOM RegisterClass(const WNDCLASS* lpWndClass)
{
    if (!lpWndClass || !lpWndClass->lpszClassName || !*lpWndClass->lpszClassName)
        return 0;
    const std::string key = Key(lpWndClass->lpszClassName);
    if (Classes().count(key))
        return 0;
    auto cls = std::make_shared<WndClass>();
    cls->name = lpWndClass->lpszClassName;
    cls->style = lpWndClass->style;
    cls->proc = lpWndClass->lpfnWndProc ? lpWndClass->lpfnWndProc : ::DefWindowProc;
    cls->icon = lpWndClass->hIcon;
    cls->cursor = lpWndClass->hCursor;
    cls->background = lpWndClass->hbrBackground;
    Classes().emplace(key, std::move(cls));
    static ATOM next = 0xC000;
    return next++;
}

BOOL UnregisterClass(LPCSTR lpClassName, HINSTANCE)
{
    return Classes().erase(Key(lpClassName)) ? TRUE : FALSE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR lpClassName, WNDCLASS* lpWndClass)
{
    auto it = Classes().find(Key(lpClassName));
    if (it == Classes().end())
        return FALSE;
    if (lpWndClass) {
        *lpWndClass = WNDCLASS{};
        lpWndClass->style = it->second->style;
        lpWndClass->lpfnWndProc = it->second->proc;
        lpWndClass->hIcon = it->second->icon;
        lpWndClass->hCursor = it->second->cursor;
        lpWndClass->hbrBackground = it->second->background;
        lpWndClass->lpszClassName = it->second->name.c_str();
    }
    return TRUE;
}

int GetClassName(HWND hWnd, LPSTR lpClassName, int nMaxCount)
{
    Window* w = Find(hWnd);
    if (!w || !w->cls || !lpClassName || nMaxCount <= 0)
        return 0;
    const size_t n = std::min(w->cls->name.size(), (size_t)nMaxCount - 1);
    w->cls->name.copy(lpClassName, n);
    lpClassName[n] = 0;
    return (int)n;
}

// ---------------------------------------------------------------- creation and destruction

HWND CreateWindowEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    return CreateWindowFor(nullptr, MakeCreateStruct(dwExStyle, lpClassName, lpWindowName, dwStyle, x, y, nWidth, nHeight,
                                                     hWndParent, hMenu, hInstance, lpParam));
}

BOOL DestroyWindow(HWND hWnd)
{
    Window* w = Find(hWnd);
    if (!w || hWnd == g_desktop)
        return FALSE;
    if (w->destroying)
        return TRUE;
    w->destroying = true;
    // Owned windows go first.
    const std::vector<HWND> tops = TopLevels();
    for (HWND t : tops)
        if (Window* tw = Find(t))
            if (tw->owner == hWnd)
                ::DestroyWindow(t);
    if ((w = Find(hWnd)) == nullptr)
        return TRUE;
    if (g_capture && IsSelfOrDescendant(hWnd, g_capture))
        ::ReleaseCapture();
    if (g_focus && IsSelfOrDescendant(hWnd, g_focus))
        SwitchFocus(nullptr);
    if ((w = Find(hWnd)) == nullptr)
        return TRUE;
    if (w->widget)
        w->widget->hide();
    std::vector<QPointer<QWidget>> roots;
    DestroyTree(hWnd, roots, true);
    // The widget may be in the middle of delivering the event that led here.
    for (const QPointer<QWidget>& widget : roots)
        if (widget)
            widget->deleteLater();
    return TRUE;
}

BOOL IsWindow(HWND hWnd) { return Find(hWnd) != nullptr; }

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = Find(hWnd);
    if (!w)
        return 0;
    return CallProc(w, message, wParam, lParam);
}

LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!lpPrevWndFunc)
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    return lpPrevWndFunc(hWnd, message, wParam, lParam);
}

// ---------------------------------------------------------------- the default window procedure

namespace {

bool IsInput(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}

LRESULT DefaultCtlColor(UINT message, WPARAM wParam)
{
    HDC dc = (HDC)wParam;
    const bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const int back = window ? COLOR_WINDOW : COLOR_BTNFACE;
    if (dc) {
        ::SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, GetSysColor(back));
    }
    return (LRESULT)GetSysColorBrush(back);
}

} // namespace

LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = Find(hWnd);
    if (!w)
        return 0;
    if (IsInput(message) && message != WM_RBUTTONUP && DeliverNativeInput(hWnd, message))
        return 0;
    const bool child = IsChildStyle(w->style) && Find(w->parent);
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_NCCALCSIZE:
        if (lParam) {
            RECT* r = reinterpret_cast<RECT*>(lParam); // rgrc[0] of NCCALCSIZE_PARAMS too
            const QMargins m = StandardInsets(w->style, w->exStyle);
            r->left += m.left();
            r->top += m.top();
            r->right = std::max(r->left, r->right - m.right());
            r->bottom = std::max(r->top, r->bottom - m.bottom());
        }
        return 0;
    case WM_NCHITTEST: {
        const QPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        const QRect client = ClientRectOnScreen(hWnd);
        if (client.contains(p))
            return HTCLIENT;
        const QRect window = WindowRectOnScreen(hWnd);
        if (!window.contains(p))
            return HTNOWHERE;
        if ((w->style & WS_VSCROLL) && p.x() > client.right() && p.y() >= client.top() && p.y() <= client.bottom())
            return HTVSCROLL;
        if ((w->style & WS_HSCROLL) && p.y() > client.bottom() && p.x() >= client.left() && p.x() <= client.right())
            return HTHSCROLL;
        return HTBORDER;
    }
    case WM_SETCURSOR: {
        if (child && ::SendMessage(w->parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if ((w = Find(hWnd)) == nullptr)
            return FALSE;
        const int hit = (SHORT)LOWORD(lParam);
        if (hit == HTCLIENT) {
            if (w->cls && w->cls->cursor) {
                ::SetCursor(w->cls->cursor);
                return TRUE;
            }
            return FALSE;
        }
        if (hit == HTERROR) {
            const UINT mouse = HIWORD(lParam);
            if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN)
                ::MessageBeep(0);
            return FALSE;
        }
        ::SetCursor(StandardCursor(32512));
        return TRUE;
    }
    case WM_MOUSEACTIVATE:
        if (child) {
            const LRESULT r = ::SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r)
                return r;
        }
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && !(g_focus && IsSelfOrDescendant(hWnd, g_focus)))
            ::SetFocus(hWnd);
        return 0;
    case WM_ERASEBKGND: {
        HBRUSH brush = w->cls ? RealBrush(w->cls->background) : nullptr;
        if (!brush || !wParam)
            return 0;
        RECT clip;
        if (::GetClipBox((HDC)wParam, &clip) == ERROR)
            return 0;
        ::FillRect((HDC)wParam, &clip, brush);
        return 1;
    }
    case WM_NCPAINT: {
        if (!w->surfaceWidget || w->nc.isNull())
            return 0;
        QImage* full = WindowSurfaceOf(hWnd);
        if (!full || full->isNull())
            return 0;
        const QRect all = full->rect();
        QPainter p(full);
        p.setClipRegion(QRegion(all) - QRegion(all.marginsRemoved(w->nc)));
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        p.fillRect(all, QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
        DrawStandardFrame(p, w, all);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        ::DestroyWindow(hWnd);
        return 0;
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (w->widget && w->widget->isWindow())
            w->widget->setWindowTitle(QString::fromUtf8(w->text.c_str()));
        return TRUE;
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || wParam == 0)
            return 0;
        const size_t n = std::min(w->text.size(), (size_t)wParam - 1);
        w->text.copy(buffer, n);
        buffer[n] = 0;
        return (LRESULT)n;
    }
    case WM_GETTEXTLENGTH:
        return (LRESULT)w->text.size();
    case WM_SETFONT: {
        w->font = (HFONT)wParam;
        QFont font;
        if (!w->surfaceWidget && w->widget && w->font && GdiGetFont(w->font, &font))
            w->widget->setFont(font);
        if (LOWORD(lParam))
            ::InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    }
    case WM_GETFONT:
        return (LRESULT)w->font;
    case WM_SETREDRAW:
        w->redraw = wParam != 0;
        if (!w->surfaceWidget && w->widget)
            w->widget->setUpdatesEnabled(w->redraw);
        if (w->redraw && !w->update.isEmpty())
            SchedulePaint(hWnd);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pos)
            return 0;
        const QRect r = RelativeRect(w);
        const QSize client = ClientSize(w);
        const QPoint origin = r.topLeft() + NcOrigin(w);
        if (!(pos->flags & SWP_NOSIZE)) {
            const UINT type = ::IsIconic(hWnd) ? SIZE_MINIMIZED : ::IsZoomed(hWnd) ? SIZE_MAXIMIZED : SIZE_RESTORED;
            ::SendMessage(hWnd, WM_SIZE, type, MAKELPARAM(client.width(), client.height()));
        }
        if (!(pos->flags & SWP_NOMOVE) && Find(hWnd))
            ::SendMessage(hWnd, WM_MOVE, 0, MAKELPARAM(origin.x(), origin.y()));
        return 0;
    }
    case WM_RBUTTONUP:
        if (DeliverNativeInput(hWnd, message))
            return 0;
        if (w->surfaceWidget) {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::ClientToScreen(hWnd, &p);
            ::SendMessage(hWnd, WM_CONTEXTMENU, (WPARAM)hWnd, MAKELPARAM(p.x, p.y));
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_APPS && w->surfaceWidget)
            ::SendMessage(hWnd, WM_CONTEXTMENU, (WPARAM)hWnd, (LPARAM)-1);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000) && w->surfaceWidget)
            ::SendMessage(hWnd, WM_CONTEXTMENU, (WPARAM)hWnd, (LPARAM)-1);
        return 0;
    case WM_CONTEXTMENU:
        if (child)
            ::SendMessage(w->parent, WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (child)
            return ::SendMessage(w->parent, WM_MOUSEWHEEL, wParam, lParam);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: ::SendMessage(hWnd, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ::ShowWindow(hWnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ::ShowWindow(hWnd, SW_MAXIMIZE); break;
        case SC_RESTORE: ::ShowWindow(hWnd, SW_RESTORE); break;
        default: break;
        }
        return 0;
    case WM_CANCELMODE:
        if (g_capture == hWnd)
            ::ReleaseCapture();
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return DefaultCtlColor(message, wParam);
    case WM_GETMINMAXINFO:
    default:
        return 0;
    }
}

// ---------------------------------------------------------------- longs

LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex)
{
    Window* w = Find(hWnd);
    if (!w)
        return 0;
    switch (nIndex) {
    case GWL_STYLE: return (LONG_PTR)(LONG)w->style;
    case GWL_EXSTYLE: return (LONG_PTR)(LONG)w->exStyle;
    case GWLP_ID: return (LONG_PTR)w->id;
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_USERDATA: return w->userData;
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(IsChildStyle(w->style) ? w->parent : w->owner);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(AfxGetInstanceHandle());
    default: return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR value)
{
    Window* w = Find(hWnd);
    if (!w)
        return 0;
    switch (nIndex) {
    case GWL_STYLE: {
        const DWORD old = w->style;
        DWORD now = (DWORD)value;
        if (IsChildStyle(old) != IsChildStyle(now))
            now = (now & ~(DWORD)WS_CHILD) | (old & WS_CHILD); // parentage changes only through SetParent
        w->style = now;
        if (w->widget && ((old ^ now) & WS_VISIBLE))
            w->widget->setVisible((now & WS_VISIBLE) != 0);
        if (w->widget && ((old ^ now) & WS_DISABLED) && (IsChildStyle(now) || !w->surfaceWidget))
            w->widget->setEnabled(!(now & WS_DISABLED));
        return (LONG_PTR)(LONG)old;
    }
    case GWL_EXSTYLE: {
        const DWORD old = w->exStyle;
        w->exStyle = (DWORD)value;
        return (LONG_PTR)(LONG)old;
    }
    case GWLP_ID: {
        const UINT_PTR old = w->id;
        w->id = (UINT_PTR)value;
        return (LONG_PTR)old;
    }
    case GWLP_WNDPROC: {
        WNDPROC old = w->proc;
        w->proc = reinterpret_cast<WNDPROC>(value);
        return reinterpret_cast<LONG_PTR>(old);
    }
    case GWLP_USERDATA: {
        const LONG_PTR old = w->userData;
        w->userData = value;
        return old;
    }
    default:
        return 0;
    }
}

UINT_PTR GetClassLongPtr(HWND hWnd, int nIndex)
{
    Window* w = Find(hWnd);
    if (!w || !w->cls)
        return 0;
    switch (nIndex) {
    case GCL_STYLE: return w->cls->style;
    case GCLP_HCURSOR: return reinterpret_cast<UINT_PTR>(w->cls->cursor);
    case GCLP_HBRBACKGROUND: return reinterpret_cast<UINT_PTR>(w->cls->background);
    case GCLP_HICON: return reinterpret_cast<UINT_PTR>(w->cls->icon);
    case GCLP_WNDPROC: return reinterpret_cast<UINT_PTR>(w->cls->proc);
    default: return 0;
    }
}

UINT_PTR SetClassLongPtr(HWND hWnd, int nIndex, LONG_PTR value)
{
    Window* w = Find(hWnd);
    if (!w || !w->cls)
        return 0;
    const UINT_PTR old = GetClassLongPtr(hWnd, nIndex);
    switch (nIndex) {
    case GCL_STYLE: w->cls->style = (UINT)value; break;
    case GCLP_HCURSOR: w->cls->cursor = reinterpret_cast<HCURSOR>(value); break;
    case GCLP_HBRBACKGROUND: w->cls->background = reinterpret_cast<HBRUSH>(value); break;
    case GCLP_HICON: w->cls->icon = reinterpret_cast<HICON>(value); break;
    case GCLP_WNDPROC: w->cls->proc = reinterpret_cast<WNDPROC>(value); break;
    default: return 0;
    }
    return old;
}

// ---------------------------------------------------------------- parents, owners, siblings

HWND GetParent(HWND hWnd)
{
    Window* w = Find(hWnd);
    if (!w)
        return nullptr;
    if (IsChildStyle(w->style))
        return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent)
{
    Window* w = Find(hWndChild);
    Window* p = Find(hWndNewParent);
    if (!w || !IsChildStyle(w->style) || !p || hWndNewParent == g_desktop || IsSelfOrDescendant(hWndChild, hWndNewParent))
        return nullptr;
    const HWND old = w->parent;
    if (old == hWndNewParent)
        return old;
    const QRect r = RelativeRect(w);
    if (std::vector<HWND>* siblings = SiblingList(w))
        std::erase(*siblings, hWndChild);
    w->parent = hWndNewParent;
    p->children.push_back(hWndChild);
    if (w->widget && p->widget) {
        w->widget->setParent(p->widget);
        SetRelativeRect(w, r);
        w->widget->setVisible((w->style & WS_VISIBLE) != 0);
    }
    return old;
}

HWND GetAncestor(HWND hWnd, UINT gaFlags)
{
    Window* w = Find(hWnd);
    if (!w)
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT: return IsChildStyle(w->style) ? w->parent : DesktopHandle();
    case GA_ROOT: return TopLevelOf(hWnd);
    case GA_ROOTOWNER: {
        HWND h = TopLevelOf(hWnd);
        while (Window* t = Find(h)) {
            if (!t->owner)
                break;
            h = TopLevelOf(t->owner);
        }
        return h;
    }
    default: return nullptr;
    }
}

HWND GetWindow(HWND hWnd, UINT uCmd)
{
    Window* w = Find(hWnd);
    if (!w)
        return nullptr;
    if (uCmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    if (uCmd == GW_OWNER)
        return IsChildStyle(w->style) ? nullptr : w->owner;
    std::vector<HWND>* siblings = SiblingList(w);
    if (!siblings || siblings->empty())
        return nullptr;
    auto it = std::find(siblings->begin(), siblings->end(), hWnd);
    switch (uCmd) {
    case GW_HWNDFIRST: return siblings->front();
    case GW_HWNDLAST: return siblings->back();
    case GW_HWNDNEXT: return (it == siblings->end() || it + 1 == siblings->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == siblings->end() || it == siblings->begin()) ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hWnd)
{
    if (!hWnd)
        return TopLevels().empty() ? nullptr : TopLevels().front();
    return ::GetWindow(hWnd, GW_CHILD);
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    Window* w = Find(hDlg);
    if (!w)
        return nullptr;
    for (HWND c : w->children)
        if (Window* cw = Find(c))
            if (cw->id == (UINT_PTR)(UINT)nIDDlgItem)
                return c;
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    Window* w = Find(hWnd);
    return w && IsChildStyle(w->style) ? (int)w->id : 0;
}

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    Window* d = Find(hDlg);
    if (!d || d->children.empty())
        return nullptr;
    const std::vector<HWND>& list = d->children;
    const int n = (int)list.size();
    int start = (int)(std::find(list.begin(), list.end(), hCtl) - list.begin());
    if (start >= n)
        start = bPrevious ? 0 : n - 1;
    for (int step = 1; step <= n; ++step) {
        const int i = ((bPrevious ? start - step : start + step) % n + n) % n;
        Window* c = Find(list[(size_t)i]);
        if (c && (c->style & WS_TABSTOP) && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED))
            return list[(size_t)i];
    }
    return hCtl;
}

BOOL IsChild(HWND hWndParent, HWND hWnd)
{
    if (!hWndParent || hWndParent == hWnd)
        return FALSE;
    return IsSelfOrDescendant(hWndParent, hWnd);
}

HWND GetDesktopWindow() { return DesktopHandle(); }

HWND WindowFromPoint(POINT point)
{
    QWidget* widget = QApplication::widgetAt(QPoint(point.x, point.y));
    return WindowOf(widget);
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT point)
{
    Window* w = Find(hWndParent);
    if (!w)
        return nullptr;
    const QPoint p(point.x, point.y);
    for (HWND c : w->children)
        if (Window* cw = Find(c))
            if (RelativeRect(cw).contains(p))
                return c;
    return QRect(QPoint(0, 0), ClientSize(w)).contains(p) ? hWndParent : nullptr;
}

// ---------------------------------------------------------------- visibility and state

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    Window* w = Find(hWnd);
    if (!w || !w->widget)
        return FALSE;
    const BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool show = nCmdShow != SW_HIDE;
    if (show != (bool)wasVisible) {
        ::SendMessage(hWnd, WM_SHOWWINDOW, show, 0);
        if ((w = Find(hWnd)) == nullptr || !w->widget)
            return wasVisible;
    }
    QWidget* widget = w->widget;
    const bool top = widget->isWindow();
    bool activate = false;
    switch (nCmdShow) {
    case SW_HIDE:
        w->style &= ~(DWORD)WS_VISIBLE;
        widget->hide();
        return wasVisible;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        w->style = (w->style | WS_VISIBLE | WS_MINIMIZE) & ~(DWORD)WS_MAXIMIZE;
        if (top)
            widget->showMinimized();
        else
            widget->show();
        break;
    case SW_SHOWMAXIMIZED:
        w->style = (w->style | WS_VISIBLE | WS_MAXIMIZE) & ~(DWORD)WS_MINIMIZE;
        if (top)
            widget->showMaximized();
        else
            widget->show();
        activate = top;
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        w->style |= WS_VISIBLE;
        widget->setAttribute(Qt::WA_ShowWithoutActivating, true);
        widget->show();
        widget->setAttribute(Qt::WA_ShowWithoutActivating, false);
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        if (top && (w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
            widget->showNormal();
        else
            widget->show();
        w->style = (w->style | WS_VISIBLE) & ~(DWORD)(WS_MINIMIZE | WS_MAXIMIZE);
        activate = top;
        break;
    default:
        w->style |= WS_VISIBLE;
        widget->show();
        activate = top;
        break;
    }
    if (!wasVisible && (w = Find(hWnd)) != nullptr) {
        if (w->ncDirty)
            PaintNonClient(hWnd);
        ::InvalidateRect(hWnd, nullptr, TRUE);
    }
    if (activate && Find(hWnd))
        ::SetActiveWindow(hWnd);
    return wasVisible;
}

BOOL IsWindowVisible(HWND hWnd)
{
    for (Window* w = Find(hWnd); w; w = IsChildStyle(w->style) ? Find(w->parent) : nullptr)
        if (!(w->style & WS_VISIBLE))
            return FALSE;
    return Find(hWnd) != nullptr;
}

BOOL IsIconic(HWND hWnd)
{
    Window* w = Find(hWnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd)
{
    Window* w = Find(hWnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    Window* w = Find(hWnd);
    if (!w)
        return FALSE;
    const BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
    if ((bEnable != 0) == !wasDisabled)
        return wasDisabled;
    if (bEnable) {
        w->style &= ~(DWORD)WS_DISABLED;
    } else {
        ::SendMessage(hWnd, WM_CANCELMODE, 0, 0);
        if ((w = Find(hWnd)) == nullptr)
            return wasDisabled;
        w->style |= WS_DISABLED;
        if (g_capture && IsSelfOrDescendant(hWnd, g_capture))
            ::ReleaseCapture();
        if (g_focus && IsSelfOrDescendant(hWnd, g_focus))
            SwitchFocus(nullptr);
    }
    if ((w = Find(hWnd)) == nullptr)
        return wasDisabled;
    // A disabled top-level window must not disable its owned windows, which Qt
    // would do: its input is refused by the message code instead.
    if (w->widget && (IsChildStyle(w->style) || !w->surfaceWidget))
        w->widget->setEnabled(bEnable != 0);
    ::SendMessage(hWnd, WM_ENABLE, bEnable, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    Window* w = Find(hWnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

// ---------------------------------------------------------------- geometry

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags)
{
    Window* w = Find(hWnd);
    if (!w || !w->widget)
        return FALSE;
    const QRect current = RelativeRect(w);
    WINDOWPOS pos{hWnd, hWndInsertAfter, x, y, cx, cy, uFlags};
    if (uFlags & SWP_NOMOVE) {
        pos.x = current.x();
        pos.y = current.y();
    }
    if (uFlags & SWP_NOSIZE) {
        pos.cx = current.width();
        pos.cy = current.height();
    }
    if (!(uFlags & SWP_NOSIZE) && !IsChildStyle(w->style) && (w->style & (WS_THICKFRAME | WS_CAPTION))) {
        const QRect screen = ScreenRect();
        MINMAXINFO mmi{};
        mmi.ptMaxSize = POINT{screen.width(), screen.height()};
        mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        mmi.ptMaxTrackSize = POINT{32767, 32767};
        ::SendMessage(hWnd, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
        pos.cx = std::clamp(pos.cx, (int)mmi.ptMinTrackSize.x, std::max((int)mmi.ptMinTrackSize.x, (int)mmi.ptMaxTrackSize.x));
        pos.cy = std::clamp(pos.cy, (int)mmi.ptMinTrackSize.y, std::max((int)mmi.ptMinTrackSize.y, (int)mmi.ptMaxTrackSize.y));
    }
    if (!(uFlags & SWP_NOSENDCHANGING))
        ::SendMessage(hWnd, WM_WINDOWPOSCHANGING, 0, (LPARAM)&pos);
    if ((w = Find(hWnd)) == nullptr || !w->widget)
        return FALSE;
    const QSize clientBefore = ClientSize(w);
    const QRect target(pos.x, pos.y, std::max(0, pos.cx), std::max(0, pos.cy));
    const bool moved = !(pos.flags & SWP_NOMOVE) && target.topLeft() != current.topLeft();
    const bool sized = !(pos.flags & SWP_NOSIZE) && target.size() != current.size();
    if (moved || sized)
        SetRelativeRect(w, QRect(moved ? target.topLeft() : current.topLeft(), sized ? target.size() : current.size()));
    if (pos.flags & SWP_FRAMECHANGED) {
        const bool wasCreated = w->created;
        w->created = false; // one WM_SIZE, sent below
        ApplyNonClient(w);
        if ((w = Find(hWnd)) == nullptr)
            return TRUE;
        w->created = wasCreated;
    } else {
        UpdateScrollBars(w);
    }
    if (!(pos.flags & SWP_NOREDRAW))
        ClientResized(w, clientBefore);
    else
        ResizeSurface(w);

    if (!(pos.flags & SWP_NOZORDER)) {
        std::vector<HWND>* siblings = SiblingList(w);
        HWND after = pos.hwndInsertAfter;
        if (after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
            if (!IsChildStyle(w->style)) {
                const bool topmost = after == HWND_TOPMOST;
                if (topmost)
                    w->exStyle |= WS_EX_TOPMOST;
                else
                    w->exStyle &= ~(DWORD)WS_EX_TOPMOST;
                if (topmost != (bool)(w->widget->windowFlags() & Qt::WindowStaysOnTopHint)) {
                    const bool visible = w->widget->isVisible();
                    w->widget->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
                    if (visible) {
                        w->widget->setAttribute(Qt::WA_ShowWithoutActivating, (pos.flags & SWP_NOACTIVATE) != 0);
                        w->widget->show();
                        w->widget->setAttribute(Qt::WA_ShowWithoutActivating, false);
                    }
                }
            }
            after = HWND_TOP;
        }
        if (siblings) {
            std::erase(*siblings, hWnd);
            if (after == HWND_TOP) {
                siblings->insert(siblings->begin(), hWnd);
                w->widget->raise();
            } else if (after == HWND_BOTTOM) {
                siblings->push_back(hWnd);
                w->widget->lower();
            } else {
                auto it = std::find(siblings->begin(), siblings->end(), after);
                if (it == siblings->end()) {
                    siblings->insert(siblings->begin(), hWnd);
                } else {
                    siblings->insert(it + 1, hWnd);
                    if (QWidget* other = WidgetOf(after))
                        if (other->parentWidget() == w->widget->parentWidget())
                            w->widget->stackUnder(other);
                }
            }
        }
    }
    if ((pos.flags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE)) {
        w->style |= WS_VISIBLE;
        w->widget->setAttribute(Qt::WA_ShowWithoutActivating, (pos.flags & SWP_NOACTIVATE) != 0);
        w->widget->show();
        w->widget->setAttribute(Qt::WA_ShowWithoutActivating, false);
        if (!(pos.flags & SWP_NOREDRAW))
            ::InvalidateRect(hWnd, nullptr, TRUE);
    } else if ((pos.flags & SWP_HIDEWINDOW) && (w->style & WS_VISIBLE)) {
        w->style &= ~(DWORD)WS_VISIBLE;
        w->widget->hide();
    }

    const bool clientSized = ClientSize(w) != clientBefore;
    if ((sized || (pos.flags & SWP_SHOWWINDOW)) && !(pos.flags & SWP_NOREDRAW)) {
        PaintNonClient(hWnd);
        if ((w = Find(hWnd)) == nullptr)
            return TRUE;
    }
    WINDOWPOS changed = pos;
    const QRect now = RelativeRect(w);
    changed.x = now.x();
    changed.y = now.y();
    changed.cx = now.width();
    changed.cy = now.height();
    changed.flags = pos.flags & ~(UINT)(SWP_NOMOVE | SWP_NOSIZE);
    if (!moved)
        changed.flags |= SWP_NOMOVE;
    if (!sized && !clientSized)
        changed.flags |= SWP_NOSIZE;
    w->lastReported = now;
    w->reported = true;
    ::SendMessage(hWnd, WM_WINDOWPOSCHANGED, 0, (LPARAM)&changed);
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    return ::SetWindowPos(hWnd, nullptr, x, y, nWidth, nHeight,
                          SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    if (!lpRect || !Find(hWnd))
        return FALSE;
    *lpRect = ToR(WindowRectOnScreen(hWnd));
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    Window* w = Find(hWnd);
    if (!lpRect || !w)
        return FALSE;
    const QSize s = ClientSize(w);
    *lpRect = RECT{0, 0, s.width(), s.height()};
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    if (!lpPoint || !Find(hWnd))
        return FALSE;
    const QPoint o = ClientRectOnScreen(hWnd).topLeft();
    lpPoint->x += o.x();
    lpPoint->y += o.y();
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    if (!lpPoint || !Find(hWnd))
        return FALSE;
    const QPoint o = ClientRectOnScreen(hWnd).topLeft();
    lpPoint->x -= o.x();
    lpPoint->y -= o.y();
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    const QPoint from = hWndFrom ? ClientRectOnScreen(hWndFrom).topLeft() : QPoint();
    const QPoint to = hWndTo ? ClientRectOnScreen(hWndTo).topLeft() : QPoint();
    const QPoint d = from - to;
    for (UINT i = 0; i < cPoints; ++i) {
        lpPoints[i].x += d.x();
        lpPoints[i].y += d.y();
    }
    return MAKELONG((WORD)(SHORT)d.x(), (WORD)(SHORT)d.y());
}

BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL, DWORD dwExStyle)
{
    if (!lpRect)
        return FALSE;
    const QMargins m = StandardInsets(dwStyle & ~(DWORD)(WS_VSCROLL | WS_HSCROLL), dwExStyle);
    lpRect->left -= m.left();
    lpRect->top -= m.top();
    lpRect->right += m.right();
    lpRect->bottom += m.bottom();
    return TRUE;
}

BOOL BringWindowToTop(HWND hWnd)
{
    Window* w = Find(hWnd);
    if (!w)
        return FALSE;
    ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (!IsChildStyle(w->style))
        ::SetActiveWindow(hWnd);
    return TRUE;
}

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

// ---------------------------------------------------------------- text, menus

BOOL SetWindowText(HWND hWnd, LPCSTR lpString)
{
    return Find(hWnd) ? (BOOL)::SendMessage(hWnd, WM_SETTEXT, 0, (LPARAM)(lpString ? lpString : "")) : FALSE;
}

int GetWindowText(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    if (!lpString || nMaxCount <= 0)
        return 0;
    lpString[0] = 0;
    return (int)::SendMessage(hWnd, WM_GETTEXT, (WPARAM)nMaxCount, (LPARAM)lpString);
}

int GetWindowTextLength(HWND hWnd) { return (int)::SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0); }

BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCSTR lpString)
{
    return ::SetWindowText(::GetDlgItem(hDlg, nIDDlgItem), lpString);
}

UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPSTR lpString, int nMaxCount)
{
    return (UINT)::GetWindowText(::GetDlgItem(hDlg, nIDDlgItem), lpString, nMaxCount);
}

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    HWND b = ::GetDlgItem(hDlg, nIDButton);
    if (!b)
        return FALSE;
    ::SendMessage(b, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    return (UINT)::SendMessage(::GetDlgItem(hDlg, nIDButton), BM_GETCHECK, 0, 0);
}

LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(::GetDlgItem(hDlg, nIDDlgItem), Msg, wParam, lParam);
}

HMENU GetMenu(HWND hWnd)
{
    Window* w = Find(hWnd);
    return w && !IsChildStyle(w->style) && ::IsMenu(w->menu) ? w->menu : nullptr;
}

namespace {

MenuBarPresenter& Presenter()
{
    static auto* presenter = new MenuBarPresenter;
    return *presenter;
}

} // namespace

void wnd::SetMenuBarPresenter(MenuBarPresenter presenter) { Presenter() = std::move(presenter); }

BOOL SetMenu(HWND hWnd, HMENU hMenu)
{
    Window* w = Find(hWnd);
    if (!w || IsChildStyle(w->style) || (hMenu && !::IsMenu(hMenu)))
        return FALSE;
    w->menu = hMenu;
    if (Presenter())
        Presenter()(hWnd, hMenu);
    return TRUE;
}

BOOL DrawMenuBar(HWND hWnd)
{
    Window* w = Find(hWnd);
    if (!w || IsChildStyle(w->style))
        return FALSE;
    if (Presenter())
        Presenter()(hWnd, ::IsMenu(w->menu) ? w->menu : nullptr);
    return TRUE;
}

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    Window* w = Find(hWnd);
    if (!w || IsChildStyle(w->style))
        return nullptr;
    if (bRevert) {
        if (w->sysMenu)
            ::DestroyMenu(w->sysMenu);
        w->sysMenu = nullptr;
        return nullptr;
    }
    if (!::IsMenu(w->sysMenu)) {
        HMENU m = ::CreatePopupMenu();
        ::AppendMenu(m, MF_STRING, SC_RESTORE, "&Restore");
        ::AppendMenu(m, MF_STRING, SC_MOVE, "&Move");
        ::AppendMenu(m, MF_STRING, SC_SIZE, "&Size");
        ::AppendMenu(m, MF_STRING, SC_MINIMIZE, "Mi&nimize");
        ::AppendMenu(m, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
        ::AppendMenu(m, MF_SEPARATOR, 0, nullptr);
        ::AppendMenu(m, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
        w->sysMenu = m;
    }
    return w->sysMenu;
}

// ---------------------------------------------------------------- focus, capture

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

// ---------------------------------------------------------------- timers

namespace {

// Timers without a window call their procedure directly.
class ThreadTimers : public QObject {
public:
    std::map<UINT_PTR, std::pair<int, TIMERPROC>> timers;

protected:
    void timerEvent(QTimerEvent* event) override
    {
        for (const auto& [id, t] : timers)
            if (t.first == event->timerId()) {
                if (t.second)
                    t.second(nullptr, WM_TIMER, id, GetTickCount());
                return;
            }
    }
};

ThreadTimers* TheThreadTimers()
{
    static ThreadTimers* timers = QCoreApplication::instance() ? new ThreadTimers : nullptr;
    return timers;
}

} // namespace

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    const int ms = (int)std::clamp<UINT>(uElapse, 10, 0x7FFFFFFF);
    if (!hWnd) {
        ThreadTimers* tt = TheThreadTimers();
        if (!tt || !lpTimerFunc)
            return 0;
        auto it = tt->timers.find(nIDEvent);
        if (it != tt->timers.end()) {
            tt->killTimer(it->second.first);
        } else {
            static UINT_PTR next = 0x7F00;
            nIDEvent = ++next;
        }
        tt->timers[nIDEvent] = {tt->startTimer(ms), lpTimerFunc};
        return nIDEvent;
    }
    Window* w = Find(hWnd);
    if (!w || !w->bridge)
        return 0;
    Timer& t = w->timers[nIDEvent];
    if (t.qtId)
        w->bridge->killTimer(t.qtId);
    t.qtId = w->bridge->startTimer(ms);
    t.proc = lpTimerFunc;
    return nIDEvent ? nIDEvent : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    if (!hWnd) {
        ThreadTimers* tt = TheThreadTimers();
        if (!tt)
            return FALSE;
        auto it = tt->timers.find(uIDEvent);
        if (it == tt->timers.end())
            return FALSE;
        tt->killTimer(it->second.first);
        tt->timers.erase(it);
        return TRUE;
    }
    Window* w = Find(hWnd);
    if (!w)
        return FALSE;
    auto it = w->timers.find(uIDEvent);
    if (it == w->timers.end())
        return FALSE;
    if (w->bridge)
        w->bridge->killTimer(it->second.qtId);
    w->timers.erase(it);
    PurgeTimer(hWnd, uIDEvent);
    return TRUE;
}

// ---------------------------------------------------------------- invalidation

namespace {

// Applies an update-region change to the window and, as Windows does when the window
// does not clip its children, to the children it covers.
void ChangeUpdate(HWND hWnd, const QRegion& region, bool invalidate, bool erase, bool allChildren, bool noChildren)
{
    Window* w = Find(hWnd);
    if (!w)
        return;
    const QRegion r = region & QRect(QPoint(0, 0), ClientSize(w));
    if (invalidate) {
        if (!r.isEmpty()) {
            w->update += r;
            if (erase)
                w->erase = true;
            SchedulePaint(hWnd);
            if (!w->surfaceWidget && w->widget)
                w->widget->update(r); // a control's widget paints itself
        }
    } else {
        w->update -= r;
        if (w->update.isEmpty())
            w->erase = false;
    }
    const bool children = allChildren || (!noChildren && !(w->style & WS_CLIPCHILDREN));
    if (!children)
        return;
    const std::vector<HWND> list = w->children;
    for (HWND c : list) {
        Window* cw = Find(c);
        if (!cw || !(cw->style & WS_VISIBLE))
            continue;
        const QRect cr = RelativeRect(cw);
        const QRegion part = r & cr;
        if (part.isEmpty())
            continue;
        const QPoint offset = cr.topLeft() + NcOrigin(cw);
        ChangeUpdate(c, part.translated(-offset), invalidate, erase, allChildren, noChildren);
    }
}

QRegion ClientRegion(HWND hWnd, LPCRECT rect)
{
    Window* w = Find(hWnd);
    const QRect client(QPoint(0, 0), w ? ClientSize(w) : QSize());
    return rect ? QRegion(ToQ(*rect) & client) : QRegion(client);
}

} // namespace

BOOL InvalidateRect(HWND hWnd, LPCRECT lpRect, BOOL bErase)
{
    if (!hWnd) {
        const std::vector<HWND> tops = TopLevels();
        for (HWND t : tops)
            ::InvalidateRect(t, nullptr, bErase);
        return TRUE;
    }
    if (!Find(hWnd))
        return FALSE;
    ChangeUpdate(hWnd, ClientRegion(hWnd, lpRect), true, bErase != 0, false, false);
    return TRUE;
}

BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase)
{
    if (!Find(hWnd))
        return FALSE;
    QRegion region;
    if (!hRgn)
        region = ClientRegion(hWnd, nullptr);
    else if (!GdiGetRegion(hRgn, &region))
        return FALSE;
    ChangeUpdate(hWnd, region, true, bErase != 0, false, false);
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, LPCRECT lpRect)
{
    if (!Find(hWnd))
        return FALSE;
    ChangeUpdate(hWnd, ClientRegion(hWnd, lpRect), false, false, false, false);
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd)
{
    if (!Find(hWnd))
        return FALSE;
    PaintNow(hWnd);
    return TRUE;
}

namespace {

void SendEraseNow(HWND hWnd)
{
    Window* w = Find(hWnd);
    if (!w || !w->erase || w->update.isEmpty())
        return;
    w->erase = false;
    const QRegion clip = w->update;
    CDC dc;
    dc.AttachSurface(SurfaceOf(hWnd), &clip);
    ::SendMessage(hWnd, WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
    dc.DetachSurface();
    SurfaceChanged(hWnd, clip.boundingRect());
}

void UpdateTree(HWND hWnd, bool children, bool eraseOnly)
{
    if (eraseOnly)
        SendEraseNow(hWnd);
    else
        PaintNow(hWnd);
    Window* w = Find(hWnd);
    if (!w || !children)
        return;
    const std::vector<HWND> list = w->children;
    for (HWND c : list)
        UpdateTree(c, children, eraseOnly);
}

} // namespace

BOOL RedrawWindow(HWND hWnd, LPCRECT lprcUpdate, HRGN hrgnUpdate, UINT flags)
{
    if (!hWnd)
        hWnd = DesktopHandle();
    Window* w = Find(hWnd);
    if (!w)
        return FALSE;
    QRegion region;
    if (hrgnUpdate) {
        if (!GdiGetRegion(hrgnUpdate, &region))
            return FALSE;
    } else {
        region = ClientRegion(hWnd, lprcUpdate);
    }
    const bool all = flags & RDW_ALLCHILDREN;
    const bool none = flags & RDW_NOCHILDREN;
    if (flags & RDW_INVALIDATE)
        ChangeUpdate(hWnd, region, true, (flags & RDW_ERASE) != 0, all, none);
    else if (flags & RDW_VALIDATE)
        ChangeUpdate(hWnd, region, false, false, all, none);
    if (flags & RDW_FRAME)
        PaintNonClient(hWnd);
    const bool children = all || (!none && !(w->style & WS_CLIPCHILDREN));
    if (flags & RDW_UPDATENOW)
        UpdateTree(hWnd, children, false);
    else if (flags & RDW_ERASENOW)
        UpdateTree(hWnd, children, true);
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase)
{
    Window* w = Find(hWnd);
    if (!w)
        return FALSE;
    if (bErase)
        SendEraseNow(hWnd);
    if ((w = Find(hWnd)) == nullptr)
        return FALSE;
    const QRect r = w->update.boundingRect();
    if (lpRect)
        *lpRect = r.isEmpty() ? RECT{0, 0, 0, 0} : ToR(r);
    return !r.isEmpty();
}

BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    Window* w = Find(hWnd);
    if (!w)
        return FALSE;
    QImage* surface = SurfaceOf(hWnd);
    const QRect client(QPoint(0, 0), ClientSize(w));
    const QRect source = lpRect ? ToQ(*lpRect) & client : client;
    const QRect clip = lpClipRect ? ToQ(*lpClipRect) & client : client;
    const QRect moved = source.translated(XAmount, YAmount) & clip;
    if (surface && !surface->isNull() && !moved.isEmpty()) {
        const QImage copy = surface->copy(source);
        QPainter p(surface);
        p.setClipRect(clip);
        p.drawImage(source.topLeft() + QPoint(XAmount, YAmount), copy);
    }
    // The pending update region moves with the pixels; what was uncovered is invalid.
    const QRegion pending = w->update & source;
    w->update -= pending;
    w->update += pending.translated(XAmount, YAmount) & clip;
    QRegion uncovered = QRegion(source & clip) - QRegion(moved);
    if (!uncovered.isEmpty()) {
        w->update += uncovered;
        w->erase = true;
    }
    if (!w->update.isEmpty())
        SchedulePaint(hWnd);
    SurfaceChanged(hWnd, clip);
    if (!lpRect) {
        const std::vector<HWND> children = w->children;
        for (HWND c : children)
            if (Window* cw = Find(c)) {
                const QRect r = RelativeRect(cw);
                ::SetWindowPos(c, nullptr, r.x() + XAmount, r.y() + YAmount, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
    }
    return TRUE;
}

int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw)
{
    Window* w = Find(hWnd);
    if (!w || !w->widget)
        return 0;
    QRegion region;
    if (hRgn && GdiGetRegion(hRgn, &region))
        w->widget->setMask(region);
    else
        w->widget->clearMask();
    if (hRgn)
        ::DeleteObject(hRgn); // the window owns the region from now on
    if (bRedraw)
        w->widget->update();
    return 1;
}

// ---------------------------------------------------------------- scroll bars

namespace {

bool ValidBar(int nBar) { return nBar == SB_HORZ || nBar == SB_VERT; }

void SetBarVisible(Window* w, int bar, bool show)
{
    const DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (((w->style & bit) != 0) == show)
        return;
    if (show)
        w->style |= bit;
    else
        w->style &= ~bit;
    ApplyNonClient(w);
}

} // namespace

int SetScrollInfo(HWND hWnd, int nBar, LPCSCROLLINFO lpsi, BOOL)
{
    Window* w = Find(hWnd);
    if (!w || !lpsi || !ValidBar(nBar))
        return 0;
    ScrollState& s = w->scroll[nBar];
    if (lpsi->fMask & SIF_RANGE) {
        s.min = lpsi->nMin;
        s.max = lpsi->nMax;
    }
    if (lpsi->fMask & SIF_PAGE)
        s.page = (int)std::min<UINT>(lpsi->nPage, (UINT)std::max(0, s.max - s.min + 1));
    if (lpsi->fMask & SIF_POS)
        s.pos = lpsi->nPos;
    const int top = std::max(s.min, s.max - std::max(s.page - 1, 0));
    s.pos = std::clamp(s.pos, s.min, top);
    if (lpsi->fMask & (SIF_RANGE | SIF_PAGE)) {
        // A bar with nothing to scroll disappears, unless it is to stay disabled.
        const bool scrollable = s.max > s.min && (s.page == 0 || s.max - s.min + 1 > s.page);
        s.disabled = !scrollable && (lpsi->fMask & SIF_DISABLENOSCROLL);
        if (w->surfaceWidget)
            SetBarVisible(w, nBar, scrollable || (lpsi->fMask & SIF_DISABLENOSCROLL));
        if ((w = Find(hWnd)) == nullptr)
            return 0;
    }
    SyncScrollBar(w, nBar);
    return w->scroll[nBar].pos;
}

BOOL GetScrollInfo(HWND hWnd, int nBar, LPSCROLLINFO lpsi)
{
    Window* w = Find(hWnd);
    if (!w || !lpsi || !ValidBar(nBar))
        return FALSE;
    const ScrollState& s = w->scroll[nBar];
    if (lpsi->fMask & SIF_RANGE) {
        lpsi->nMin = s.min;
        lpsi->nMax = s.max;
    }
    if (lpsi->fMask & SIF_PAGE)
        lpsi->nPage = (UINT)s.page;
    if (lpsi->fMask & SIF_POS)
        lpsi->nPos = s.pos;
    if (lpsi->fMask & SIF_TRACKPOS)
        lpsi->nTrackPos = s.trackPos;
    return TRUE;
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw)
{
    Window* w = Find(hWnd);
    if (!w || !ValidBar(nBar))
        return 0;
    const int old = w->scroll[nBar].pos;
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, nPos, 0};
    ::SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return old;
}

int GetScrollPos(HWND hWnd, int nBar)
{
    Window* w = Find(hWnd);
    return w && ValidBar(nBar) ? w->scroll[nBar].pos : 0;
}

BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE, nMinPos, nMaxPos, 0, 0, 0};
    return Find(hWnd) && ValidBar(nBar) ? (::SetScrollInfo(hWnd, nBar, &si, bRedraw), TRUE) : FALSE;
}

BOOL GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos)
{
    Window* w = Find(hWnd);
    if (!w || !ValidBar(nBar))
        return FALSE;
    if (lpMinPos)
        *lpMinPos = w->scroll[nBar].min;
    if (lpMaxPos)
        *lpMaxPos = w->scroll[nBar].max;
    return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow)
{
    Window* w = Find(hWnd);
    if (!w)
        return FALSE;
    if (wBar == SB_BOTH || wBar == SB_HORZ)
        SetBarVisible(w, SB_HORZ, bShow != 0);
    if ((w = Find(hWnd)) != nullptr && (wBar == SB_BOTH || wBar == SB_VERT))
        SetBarVisible(w, SB_VERT, bShow != 0);
    return TRUE;
}
