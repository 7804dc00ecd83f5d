// Scrolling: the standard scroll bars of WS_HSCROLL / WS_VSCROLL windows (Qt scroll bars
// placed in the non-client area, reporting WM_HSCROLL / WM_VSCROLL), their ranges and
// positions, and ScrollWindow, which moves the surface's pixels and the update region.
// The window decides where a thumb goes: a bar shows the position SetScrollPos set.
#include "platform/wnd/WndShared.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace wnd {

namespace {

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

} // namespace

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

} // namespace wnd

using namespace wnd;

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
