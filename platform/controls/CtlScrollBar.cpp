// The "ScrollBar" window class (SBS_HORZ, SBS_VERT). A scroll bar does not move
// itself: it reports to its parent (WM_HSCROLL / WM_VSCROLL with SB_ codes and
// itself as lParam) and its owner sets the position. Holding the mouse on an arrow
// or beside the thumb repeats the step; dragging the thumb reports SB_THUMBTRACK
// and, when released, SB_THUMBPOSITION with the position reached; SB_ENDSCROLL ends
// every action.
#include "platform/controls/CtlCommon.h"

#include <algorithm>

namespace ctl {

namespace {

enum Part { None, ArrowLow, PageLow, ThumbPart, PageHigh, ArrowHigh };

struct ScrollState {
    int min = 0;
    int max = 100;
    int page = 0;
    int pos = 0;
    int trackPos = 0;
    UINT arrowsDisabled = 0;
    Part pressed = None;
    bool dragging = false;
    int dragOffset = 0;
    UINT keyDown = 0;
};

States<ScrollState> g_states;
constexpr UINT_PTR kRepeat = 1;

bool Vertical(HWND h) { return (Style(h) & SBS_VERT) != 0; }
int Top(const ScrollState& s) { return std::max(s.min, s.max - std::max(s.page - 1, 0)); }

int Length(HWND h) { return Vertical(h) ? Height(Client(h)) : Width(Client(h)); }
int Thickness(HWND h) { return Vertical(h) ? Width(Client(h)) : Height(Client(h)); }
int ArrowSize(HWND h) { return std::min(Thickness(h), Length(h) / 2); }

// The thumb's start and size along the bar.
void ThumbSpan(HWND h, const ScrollState& s, int pos, int* start, int* size)
{
    const int arrow = ArrowSize(h);
    const int track = std::max(0, Length(h) - 2 * arrow);
    const int range = s.max - s.min + 1;
    int thumb = s.page > 0 && range > 0 ? track * s.page / range : Thickness(h);
    thumb = std::clamp(thumb, std::min(8, track), track);
    const int movable = Top(s) - s.min;
    const int room = track - thumb;
    *size = thumb;
    *start = arrow + (movable > 0 ? (int)((long long)(pos - s.min) * room / movable) : 0);
}

RECT Along(HWND h, int from, int to)
{
    const RECT c = Client(h);
    return Vertical(h) ? RECT{c.left, from, c.right, to} : RECT{from, c.top, to, c.bottom};
}

Part PartAt(HWND h, const ScrollState& s, POINT p)
{
    const int at = Vertical(h) ? p.y : p.x;
    const int arrow = ArrowSize(h), length = Length(h);
    if (at < arrow)
        return ArrowLow;
    if (at >= length - arrow)
        return ArrowHigh;
    int start, size;
    ThumbSpan(h, s, s.dragging ? s.trackPos : s.pos, &start, &size);
    if (at < start)
        return PageLow;
    if (at >= start + size)
        return PageHigh;
    return ThumbPart;
}

void Send(HWND h, UINT code, int pos = 0)
{
    if (HWND parent = ::GetParent(h))
        ::SendMessage(parent, Vertical(h) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, (WORD)(SHORT)pos), (LPARAM)h);
}

UINT CodeOf(Part part)
{
    switch (part) {
    case ArrowLow: return SB_LINEUP;
    case ArrowHigh: return SB_LINEDOWN;
    case PageLow: return SB_PAGEUP;
    case PageHigh: return SB_PAGEDOWN;
    default: return SB_ENDSCROLL;
    }
}

void Paint(HWND h, HDC dc, const ScrollState& s)
{
    const bool enabled = Enabled(h) && Top(s) > s.min;
    HBRUSH brush = CtlColor(h, dc, WM_CTLCOLORSCROLLBAR);
    const RECT c = Client(h);
    ::FillRect(dc, &c, brush);
    const int arrow = ArrowSize(h), length = Length(h);
    RECT low = Along(h, 0, arrow), high = Along(h, length - arrow, length);
    const bool vertical = Vertical(h);
    UINT lowState = (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | (s.pressed == ArrowLow ? DFCS_PUSHED : 0);
    UINT highState = (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | (s.pressed == ArrowHigh ? DFCS_PUSHED : 0);
    if (!enabled || (s.arrowsDisabled & ESB_DISABLE_LTUP))
        lowState |= DFCS_INACTIVE;
    if (!enabled || (s.arrowsDisabled & ESB_DISABLE_RTDN))
        highState |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &low, DFC_SCROLL, lowState);
    ::DrawFrameControl(dc, &high, DFC_SCROLL, highState);
    if (!enabled)
        return;
    int start, size;
    ThumbSpan(h, s, s.dragging ? s.trackPos : s.pos, &start, &size);
    RECT thumb = Along(h, start, start + size);
    FillSolid(dc, thumb, SysColor(COLOR_BTNFACE));
    ::DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
}

void Step(HWND h, ScrollState& s)
{
    if (s.pressed == None || s.pressed == ThumbPart)
        return;
    if (s.pressed == PageLow || s.pressed == PageHigh) {
        POINT p;
        ::GetCursorPos(&p);
        ::ScreenToClient(h, &p);
        if (PartAt(h, s, p) != s.pressed)
            return; // the thumb has reached the pointer
    }
    Send(h, CodeOf(s.pressed));
}

LRESULT CALLBACK ScrollProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<ScrollState> sp = g_states.ForMessage(h, message);
    if (!sp || message == WM_NCDESTROY)
        return ::DefWindowProc(h, message, wParam, lParam);
    ScrollState& s = *sp;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintMessage(h, wParam, [&](HDC dc) { Paint(h, dc, s); });
    case WM_SIZE:
    case WM_ENABLE:
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (!Enabled(h) || Top(s) <= s.min)
            return 0;
        if ((Style(h) & WS_TABSTOP) && ::GetFocus() != h)
            ::SetFocus(h);
        const POINT p = PointOf(lParam);
        s.pressed = PartAt(h, s, p);
        ::SetCapture(h);
        if (s.pressed == ThumbPart) {
            int start, size;
            ThumbSpan(h, s, s.pos, &start, &size);
            s.dragging = true;
            s.trackPos = s.pos;
            s.dragOffset = (Vertical(h) ? p.y : p.x) - start;
        } else {
            Send(h, CodeOf(s.pressed));
            if (::IsWindow(h))
                ::SetTimer(h, kRepeat, 400, nullptr);
        }
        ::InvalidateRect(h, nullptr, FALSE);
        return 0;
    }
    case WM_TIMER:
        if (wParam == kRepeat) {
            ::SetTimer(h, kRepeat, 50, nullptr);
            Step(h, s);
            return 0;
        }
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_MOUSEMOVE:
        if (s.dragging && ::GetCapture() == h) {
            const POINT p = PointOf(lParam);
            int start, size;
            ThumbSpan(h, s, s.min, &start, &size);
            const int room = Length(h) - 2 * ArrowSize(h) - size;
            const int along = (Vertical(h) ? p.y : p.x) - s.dragOffset - ArrowSize(h);
            const int movable = Top(s) - s.min;
            int pos = room > 0 ? s.min + (int)(((long long)along * movable + room / 2) / room) : s.min;
            pos = std::clamp(pos, s.min, Top(s));
            if (pos != s.trackPos) {
                s.trackPos = pos;
                ::InvalidateRect(h, nullptr, FALSE);
                Send(h, SB_THUMBTRACK, pos);
            }
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
        if (message == WM_CAPTURECHANGED && (HWND)lParam == h)
            return 0;
        if (s.pressed == None)
            return 0;
        const bool dragged = s.dragging;
        s.pressed = None;
        s.dragging = false;
        ::KillTimer(h, kRepeat);
        if (message == WM_LBUTTONUP && ::GetCapture() == h)
            ::ReleaseCapture();
        ::InvalidateRect(h, nullptr, FALSE);
        if (dragged)
            Send(h, SB_THUMBPOSITION, s.trackPos);
        if (::IsWindow(h))
            Send(h, SB_ENDSCROLL);
        return 0;
    }
    case WM_KEYDOWN: {
        UINT code;
        switch (wParam) {
        case VK_LEFT:
        case VK_UP: code = SB_LINEUP; break;
        case VK_RIGHT:
        case VK_DOWN: code = SB_LINEDOWN; break;
        case VK_PRIOR: code = SB_PAGEUP; break;
        case VK_NEXT: code = SB_PAGEDOWN; break;
        case VK_HOME: code = SB_TOP; break;
        case VK_END: code = SB_BOTTOM; break;
        default: return 0;
        }
        s.keyDown = (UINT)wParam;
        Send(h, code);
        return 0;
    }
    case WM_KEYUP:
        if (s.keyDown == (UINT)wParam && s.keyDown) {
            s.keyDown = 0;
            Send(h, SB_ENDSCROLL);
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETCURSOR:
        return SetCursorMessage(h, wParam, lParam, IDC_ARROW);
    case SBM_SETPOS: {
        const int old = s.pos;
        s.pos = std::clamp((int)wParam, s.min, Top(s));
        if (lParam && s.pos != old)
            ::InvalidateRect(h, nullptr, FALSE);
        return old;
    }
    case SBM_GETPOS:
        return s.pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        const int old = s.pos;
        s.min = (int)wParam;
        s.max = std::max((int)lParam, s.min);
        s.page = std::min(s.page, s.max - s.min + 1);
        s.pos = std::clamp(s.pos, s.min, Top(s));
        if (message == SBM_SETRANGEREDRAW)
            ::InvalidateRect(h, nullptr, FALSE);
        return old;
    }
    case SBM_GETRANGE:
        if (LPINT low = reinterpret_cast<LPINT>(wParam))
            *low = s.min;
        if (LPINT high = reinterpret_cast<LPINT>(lParam))
            *high = s.max;
        return 0;
    case SBM_SETSCROLLINFO: {
        const SCROLLINFO* si = reinterpret_cast<const SCROLLINFO*>(lParam);
        if (!si)
            return s.pos;
        if (si->fMask & SIF_RANGE) {
            s.min = si->nMin;
            s.max = std::max(si->nMax, si->nMin);
        }
        if (si->fMask & SIF_PAGE)
            s.page = (int)std::min<UINT>(si->nPage, (UINT)(s.max - s.min + 1));
        if (si->fMask & SIF_POS)
            s.pos = si->nPos;
        s.pos = std::clamp(s.pos, s.min, Top(s));
        if (wParam)
            ::InvalidateRect(h, nullptr, FALSE);
        return s.pos;
    }
    case SBM_GETSCROLLINFO: {
        SCROLLINFO* si = reinterpret_cast<SCROLLINFO*>(lParam);
        if (!si)
            return FALSE;
        if (si->fMask & SIF_RANGE) {
            si->nMin = s.min;
            si->nMax = s.max;
        }
        if (si->fMask & SIF_PAGE)
            si->nPage = (UINT)s.page;
        if (si->fMask & SIF_POS)
            si->nPos = s.pos;
        if (si->fMask & SIF_TRACKPOS)
            si->nTrackPos = s.dragging ? s.trackPos : s.pos;
        return TRUE;
    }
    case SBM_ENABLE_ARROWS:
        s.arrowsDisabled = (UINT)wParam;
        ::InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterScrollBar() { RegisterSurfaceClass(WC_SCROLLBAR, ScrollProc); }

} // namespace ctl
