// Painting: each window's retained surface (the whole window, with the client area
// as a view into it), the update region, WM_NCPAINT / WM_ERASEBKGND / WM_PAINT and
// when they are sent, and invalidation. A WM_PAINT that validates nothing clears the
// region, so a window is never asked to paint the same region for ever.
#include "platform/wnd/WndShared.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WndWidget.h"

#include <QCoreApplication>
#include <QPainter>

namespace wnd {

HBRUSH RealBrush(HBRUSH brush)
{
    // A class background may be a system colour index plus one.
    const UINT_PTR v = (UINT_PTR)brush;
    if (v > 0 && v <= 31)
        return GetSysColorBrush((int)v - 1);
    return brush;
}

namespace {

QColor BackgroundColor(const Window* w)
{
    HBRUSH b = w->cls ? RealBrush(w->cls->background) : nullptr;
    LOGBRUSH lb{};
    if (b && ::GetObject(b, sizeof(lb), &lb) && lb.lbStyle == BS_SOLID)
        return QColor(GetRValue(lb.lbColor), GetGValue(lb.lbColor), GetBValue(lb.lbColor));
    return QColor(Qt::white);
}

} // namespace

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

void ShownByQt(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (w && !w->parent)
        RaiseOwnedWindows(hwnd);
    w = Find(hwnd);
    if (w && w->ncDirty)
        PaintNonClient(hwnd);
    if ((w = Find(hwnd)) != nullptr && !w->update.isEmpty())
        SchedulePaint(hwnd);
}

} // namespace wnd

using namespace wnd;

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
