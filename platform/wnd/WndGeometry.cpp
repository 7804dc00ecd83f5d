// Window geometry: the window and client rectangles, the non-client insets, moving,
// sizing and stacking (SetWindowPos and its WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED /
// WM_SIZE / WM_MOVE), coordinate mapping, and the window's shape. A child's rectangle
// is in its parent's client coordinates, a top-level window's on the screen.
#include "platform/wnd/WndShared.h"

#include "platform/gdi/GdiObjects.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace wnd {

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

namespace {

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

} // namespace

QPoint ClientOrigin(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w ? NcOrigin(w) : QPoint();
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

} // namespace wnd

using namespace wnd;

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
