// The MDI client window on Qt's MDI area. The client keeps the activation order
// of its children itself (the active child first) and tells them with
// WM_MDIACTIVATE; the Qt area only shows the sub-windows and reports the user's
// clicks on them. An MDI child frame is a surface widget inside a QMdiSubWindow,
// which draws the child's caption and border.
#include "platform/frames/CMDIFrameWnd.h"
#include "platform/wnd/CMenu.h"
#include "platform/frames/FrameInternal.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WndInternal.h"
#include "platform/wnd/WndWidget.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QPointer>

#include <algorithm>
#include <map>
#include <vector>

namespace frame {

namespace {

struct ClientState {
    QPointer<QMdiArea> area;
    std::vector<HWND> order; // the children, the active one first
    HWND active = nullptr;
    bool syncing = false;    // Qt reports the activation we asked for
    bool destroying = false;
};

std::map<HWND, ClientState>& Clients()
{
    static std::map<HWND, ClientState> clients;
    return clients;
}

std::map<HWND, QPointer<QMdiSubWindow>>& SubWindows()
{
    static std::map<HWND, QPointer<QMdiSubWindow>> subs;
    return subs;
}

ClientState* StateOf(HWND client)
{
    auto it = Clients().find(client);
    return it == Clients().end() ? nullptr : &it->second;
}

QMdiSubWindow* SubOf(HWND child)
{
    auto it = SubWindows().find(child);
    return it == SubWindows().end() ? nullptr : it->second.data();
}

HWND ChildOf(HWND client, const QMdiSubWindow* sub)
{
    for (const auto& [child, s] : SubWindows())
        if (s == sub && ::GetParent(child) == client)
            return child;
    return nullptr;
}

void SetStyleBits(HWND child, DWORD set, DWORD clear)
{
    const DWORD style = (DWORD)::GetWindowLongPtr(child, GWL_STYLE);
    const DWORD now = (style | set) & ~clear;
    if (now != style)
        ::SetWindowLongPtr(child, GWL_STYLE, (LONG_PTR)now);
}

void UpdateMainTitle(HWND client)
{
    if (auto* frame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(client))))
        frame->OnUpdateFrameTitle(TRUE);
}

// Makes `child` (or nobody) the active child; `old` hears that it lost the activation.
void Activate(HWND client, HWND child)
{
    ClientState* state = StateOf(client);
    if (!state || (child && std::find(state->order.begin(), state->order.end(), child) == state->order.end()))
        return;
    const HWND old = state->active;
    if (child) {
        std::erase(state->order, child);
        state->order.insert(state->order.begin(), child);
    }
    state->active = child;
    if (state->area) {
        state->syncing = true;
        QMdiSubWindow* sub = child ? SubOf(child) : nullptr;
        if (sub && !sub->isHidden())
            state->area->setActiveSubWindow(sub);
        state->syncing = false;
    }
    if (old == child)
        return;
    if (old && ::IsWindow(old))
        ::SendMessage(old, WM_MDIACTIVATE, (WPARAM)old, (LPARAM)child);
    if (child && ::IsWindow(child) && (state = StateOf(client)) != nullptr && state->active == child)
        ::SendMessage(child, WM_MDIACTIVATE, (WPARAM)old, (LPARAM)child);
}

// A sub-window's close box asks the child frame to close, as its system menu would.
class SubWindowFilter : public QObject {
public:
    explicit SubWindowFilter(HWND child, QObject* parent) : QObject(parent), m_child(child) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            event->ignore();
            if (::IsWindow(m_child))
                ::PostMessage(m_child, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        }
        return false;
    }

private:
    HWND m_child;
};

// Arranges the visible, not minimized sub-windows in rows (horizontal) or columns.
void Tile(ClientState& state, bool horizontal)
{
    if (!state.area)
        return;
    std::vector<QMdiSubWindow*> subs;
    for (HWND child : state.order)
        if (QMdiSubWindow* sub = SubOf(child); sub && !sub->isHidden() && !sub->isMinimized())
            subs.push_back(sub);
    if (subs.empty())
        return;
    const QRect area = state.area->viewport()->rect();
    const int n = (int)subs.size();
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = subs[(size_t)i];
        if (sub->isMaximized())
            sub->showNormal();
        if (horizontal) {
            const int top = area.height() * i / n, bottom = area.height() * (i + 1) / n;
            sub->setGeometry(0, top, area.width(), bottom - top);
        } else {
            const int left = area.width() * i / n, right = area.width() * (i + 1) / n;
            sub->setGeometry(left, 0, right - left, area.height());
        }
    }
}

// Cascades the visible, not minimized sub-windows from the area's top-left, each
// one caption lower and further right than the one below it, the active one on
// top; each keeps the area's size less the steps, and never less than half of it
// (Qt's own cascade sizes them by their size hints, which a surface has not).
void Cascade(ClientState& state)
{
    if (!state.area)
        return;
    std::vector<QMdiSubWindow*> subs;
    for (auto it = state.order.rbegin(); it != state.order.rend(); ++it)
        if (QMdiSubWindow* sub = SubOf(*it); sub && !sub->isHidden() && !sub->isMinimized())
            subs.push_back(sub);
    if (subs.empty())
        return;
    const QRect area = state.area->viewport()->rect();
    const int step = std::max(16, subs.front()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, subs.front()));
    const int n = (int)subs.size();
    const int width = std::max(area.width() / 2, area.width() - step * (n - 1));
    const int height = std::max(area.height() / 2, area.height() - step * (n - 1));
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = subs[(size_t)i];
        if (sub->isMaximized())
            sub->showNormal();
        const int x = std::min(step * i, std::max(0, area.width() - width));
        const int y = std::min(step * i, std::max(0, area.height() - height));
        sub->setGeometry(x, y, width, height);
        sub->raise();
    }
}

void ArrangeIcons(ClientState& state)
{
    if (!state.area)
        return;
    const QRect area = state.area->viewport()->rect();
    int x = 0;
    for (HWND child : state.order)
        if (QMdiSubWindow* sub = SubOf(child); sub && !sub->isHidden() && sub->isMinimized()) {
            sub->move(x, area.height() - sub->height());
            x += sub->width();
        }
}

LRESULT ClientProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ClientState* state = StateOf(hWnd);
    switch (message) {
    case WM_MDIACTIVATE:
        Activate(hWnd, (HWND)wParam);
        return 0;
    case WM_MDIGETACTIVE: {
        const HWND active = state ? state->active : nullptr;
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = active && MdiIsMaximized(active);
        return (LRESULT)active;
    }
    case WM_MDINEXT: {
        if (!state || state->order.size() < 2)
            return 0;
        HWND from = wParam ? (HWND)wParam : state->active;
        if (from != state->active)
            return 0;
        if (lParam) {
            Activate(hWnd, state->order.back());
        } else {
            Activate(hWnd, state->order[1]);
            if ((state = StateOf(hWnd)) != nullptr && std::find(state->order.begin(), state->order.end(), from) !=
                                                            state->order.end()) {
                std::erase(state->order, from);
                state->order.push_back(from); // the one left goes to the bottom
            }
        }
        return 0;
    }
    case WM_MDIMAXIMIZE:
        if (QMdiSubWindow* sub = SubOf((HWND)wParam)) {
            sub->showMaximized();
            SetStyleBits((HWND)wParam, WS_MAXIMIZE, WS_MINIMIZE);
            UpdateMainTitle(hWnd);
        }
        return 0;
    case WM_MDIRESTORE:
        if (QMdiSubWindow* sub = SubOf((HWND)wParam)) {
            sub->showNormal();
            SetStyleBits((HWND)wParam, 0, WS_MAXIMIZE | WS_MINIMIZE);
            UpdateMainTitle(hWnd);
        }
        return 0;
    case WM_MDICASCADE:
        if (state)
            Cascade(*state);
        return TRUE;
    case WM_MDITILE:
        if (state)
            Tile(*state, (wParam & MDITILE_HORIZONTAL) != 0);
        return TRUE;
    case WM_MDIICONARRANGE:
        if (state)
            ArrangeIcons(*state);
        return 0;
    case WM_MDIDESTROY:
        if (::GetParent((HWND)wParam) == hWnd)
            ::DestroyWindow((HWND)wParam);
        return 0;
    case WM_MDISETMENU: {
        const HWND frame = ::GetParent(hWnd);
        const HMENU old = ::GetMenu(frame);
        if (wParam && (HMENU)wParam != old)
            ::SetMenu(frame, (HMENU)wParam);
        return (LRESULT)old;
    }
    case WM_MDIREFRESHMENU:
        return (LRESULT)::GetMenu(::GetParent(hWnd));
    case WM_DESTROY:
        if (state)
            state->destroying = true;
        break;
    case WM_NCDESTROY:
        Clients().erase(hWnd);
        break;
    default:
        break;
    }
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

QWidget* ClientFactory(HWND hwnd, const CREATESTRUCT&, QWidget* parent)
{
    auto* area = new QMdiArea(parent);
    area->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    // A click never moves the keyboard focus to the client or a child's frame:
    // the focus stays in (or goes to, through the child's activation) the view.
    area->setFocusPolicy(Qt::NoFocus);
    area->viewport()->setFocusPolicy(Qt::NoFocus);
    ClientState& state = Clients()[hwnd];
    state = ClientState{};
    state.area = area;
    QObject::connect(area, &QMdiArea::subWindowActivated, area, [hwnd](QMdiSubWindow* sub) {
        ClientState* s = StateOf(hwnd);
        // A null sub-window only means the application lost the focus.
        if (!s || s->syncing || s->destroying || !sub)
            return;
        const HWND child = ChildOf(hwnd, sub);
        if (child && child != s->active)
            Activate(hwnd, child);
    });
    return area;
}

QWidget* ChildFactory(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* area = qobject_cast<QMdiArea*>(parent);
    ClientState* state = StateOf(cs.hwndParent);
    if (!area || !state)
        return nullptr; // an MDI child lives in an MDI client
    auto* inner = new wnd::SurfaceWidget(hwnd, nullptr, Qt::Widget);
    auto* sub = new QMdiSubWindow;
    sub->setFocusPolicy(Qt::NoFocus);
    sub->setWidget(inner);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWindowTitle(QString::fromUtf8(cs.lpszName ? cs.lpszName : ""));
    area->addSubWindow(sub);
    sub->hide();
    sub->installEventFilter(new SubWindowFilter(hwnd, sub));
    QObject::connect(sub, &QMdiSubWindow::windowStateChanged, sub,
                     [hwnd](Qt::WindowStates, Qt::WindowStates now) {
                         if (!::IsWindow(hwnd))
                             return;
                         SetStyleBits(hwnd, (now & Qt::WindowMaximized) ? WS_MAXIMIZE : 0,
                                      (now & Qt::WindowMaximized) ? 0 : WS_MAXIMIZE);
                         SetStyleBits(hwnd, (now & Qt::WindowMinimized) ? WS_MINIMIZE : 0,
                                      (now & Qt::WindowMinimized) ? 0 : WS_MINIMIZE);
                         UpdateMainTitle(::GetParent(hwnd));
                     });
    // Outer size: as asked, else three quarters of the area; cascaded below the earlier children.
    QSize size(cs.cx, cs.cy);
    if (cs.cx == CW_USEDEFAULT || cs.cx <= 0 || cs.cy <= 0) {
        QSize room = area->viewport()->size();
        if (room.width() < 200 || room.height() < 150)
            room = QSize(640, 480);
        size = QSize(std::max(200, room.width() * 3 / 4), std::max(150, room.height() * 3 / 4));
    }
    sub->resize(size);
    if (cs.x != CW_USEDEFAULT) {
        sub->move(cs.x, cs.y);
    } else {
        const int step = 24 * (int)(state->order.size() % 8);
        sub->move(step, step);
    }
    SubWindows()[hwnd] = sub;
    state->order.push_back(hwnd);
    return inner;
}

LPCTSTR RegisterOnce(const char* name, WNDPROC proc, HBRUSH background, wnd::WidgetFactory factory)
{
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    if (::RegisterClass(&wc))
        wnd::SetClassWidgetFactory(name, std::move(factory));
    return name;
}

} // namespace

LPCTSTR MdiClientClass()
{
    static const LPCTSTR name = RegisterOnce("MDIClient", ClientProc, (HBRUSH)(UINT_PTR)(COLOR_APPWORKSPACE + 1),
                                             ClientFactory);
    return name;
}

LPCTSTR MdiChildClass()
{
    static const LPCTSTR name = RegisterOnce("AfxMDIChildFrame", ::DefWindowProc,
                                             (HBRUSH)(UINT_PTR)(COLOR_WINDOW + 1), ChildFactory);
    return name;
}

void MdiChildDestroying(HWND child)
{
    const HWND client = ::GetParent(child);
    ClientState* state = StateOf(client);
    QPointer<QMdiSubWindow> sub = SubOf(child);
    SubWindows().erase(child);
    if (!state)
        return;
    std::erase(state->order, child);
    if (!state->destroying) {
        if (sub && state->area) {
            state->syncing = true;
            sub->hide();
            state->area->removeSubWindow(sub);
            sub->deleteLater();
            state->syncing = false;
        }
        if (state->active == child) {
            // The child next in line takes over; the one going hears it first.
            const HWND next = state->order.empty() ? nullptr : state->order.front();
            state->active = nullptr;
            ::SendMessage(child, WM_MDIACTIVATE, (WPARAM)child, (LPARAM)next);
            if (next)
                Activate(client, next);
        }
    } else if (state->active == child) {
        state->active = nullptr;
    }
}

void MdiSyncChildGeometry(HWND child)
{
    QMdiSubWindow* sub = SubOf(child);
    QWidget* inner = wnd::WidgetOf(child);
    if (!sub || !inner)
        return;
    sub->ensurePolished();
    if (QLayout* layout = sub->layout()) {
        layout->invalidate();
        layout->activate();
    } else {
        inner->setGeometry(sub->contentsRect());
    }
}

void MdiMoveChild(HWND child, WINDOWPOS* pos)
{
    QMdiSubWindow* sub = SubOf(child);
    if (!sub || !pos)
        return;
    if (!(pos->flags & SWP_NOSIZE))
        sub->resize(std::max(0, pos->cx), std::max(0, pos->cy));
    if (!(pos->flags & SWP_NOMOVE))
        sub->move(pos->x, pos->y);
    pos->flags |= SWP_NOMOVE | SWP_NOSIZE;
}

void MdiSetChildTitle(HWND child, const char* title)
{
    if (QMdiSubWindow* sub = SubOf(child))
        sub->setWindowTitle(QString::fromUtf8(title ? title : ""));
}

void MdiShowChild(HWND child, bool show)
{
    if (QMdiSubWindow* sub = SubOf(child))
        sub->setVisible(show);
}

bool MdiIsMaximized(HWND child)
{
    QMdiSubWindow* sub = SubOf(child);
    return sub ? sub->isMaximized() : false;
}

} // namespace frame
