// The "msctls_trackbar32" window class. The parent hears every move as WM_HSCROLL
// (WM_VSCROLL for TBS_VERT) with a TB_ code and the control as lParam: TB_LINEUP /
// TB_LINEDOWN, TB_PAGEUP / TB_PAGEDOWN, TB_TOP / TB_BOTTOM from keys and clicks
// beside the thumb, TB_THUMBTRACK while the thumb is dragged and TB_THUMBPOSITION
// when it is released (with the position in the high word), then TB_ENDTRACK.
#include "platform/controls/CtlCommon.h"

#include <algorithm>
#include <set>

namespace ctl {

namespace {

struct TrackState {
    int min = 0;
    int max = 100;
    int pos = 0;
    int line = 1;
    int page = -1;   // -1: a fifth of the range
    int freq = 1;
    std::set<int> ticks; // set with TBM_SETTIC
    bool dragging = false;
    int dragOffset = 0;
    bool paging = false;
    UINT keyDown = 0;
};

States<TrackState> g_states;

bool Vertical(HWND h) { return (Style(h) & TBS_VERT) != 0; }
int Page(const TrackState& s) { return s.page >= 0 ? s.page : std::max(1, (s.max - s.min) / 5); }

RECT Channel(HWND h)
{
    const RECT c = Client(h);
    const int thumbHalf = 5;
    if (Vertical(h)) {
        const int x = (Style(h) & TBS_LEFT) ? c.right - 12 : c.left + 8;
        return RECT{x, c.top + thumbHalf + 3, x + 4, c.bottom - thumbHalf - 3};
    }
    const DWORD style = Style(h);
    int y = c.top + 8;
    if ((style & TBS_TOP) && !(style & TBS_BOTH))
        y = c.bottom - 12;
    else if (style & TBS_BOTH)
        y = (c.top + c.bottom) / 2 - 2;
    return RECT{c.left + thumbHalf + 3, y, c.right - thumbHalf - 3, y + 4};
}

int PixelOf(HWND h, const TrackState& s, int pos)
{
    const RECT ch = Channel(h);
    const int span = std::max(1, s.max - s.min);
    if (Vertical(h))
        return ch.top + (int)((long long)(pos - s.min) * Height(ch) / span);
    return ch.left + (int)((long long)(pos - s.min) * Width(ch) / span);
}

int PosOf(HWND h, const TrackState& s, int pixel)
{
    const RECT ch = Channel(h);
    const int length = std::max<int>(1, Vertical(h) ? Height(ch) : Width(ch));
    const int from = Vertical(h) ? ch.top : ch.left;
    const long long v = (long long)(pixel - from) * (s.max - s.min);
    const int pos = s.min + (int)((v + (v >= 0 ? length / 2 : -length / 2)) / length);
    return std::clamp(pos, s.min, s.max);
}

RECT Thumb(HWND h, const TrackState& s)
{
    const RECT c = Client(h);
    const RECT ch = Channel(h);
    const int at = PixelOf(h, s, s.pos);
    if (Vertical(h))
        return RECT{ch.left - 6, at - 5, ch.right + 6, at + 5};
    return RECT{at - 5, std::max<LONG>(c.top, ch.top - 8), at + 5, std::min<LONG>(c.bottom, ch.bottom + 8)};
}

std::set<int> AllTicks(HWND h, const TrackState& s)
{
    std::set<int> r;
    if (Style(h) & TBS_NOTICKS)
        return r;
    r.insert(s.min);
    r.insert(s.max);
    if ((Style(h) & TBS_AUTOTICKS) && s.freq > 0)
        for (int v = s.min; v <= s.max; v += s.freq)
            r.insert(v);
    for (int t : s.ticks)
        r.insert(t);
    return r;
}

void Send(HWND h, UINT code, int pos = 0)
{
    if (HWND parent = ::GetParent(h))
        ::SendMessage(parent, Vertical(h) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, (WORD)(SHORT)pos), (LPARAM)h);
}

void SetPos(HWND h, TrackState& s, int pos)
{
    pos = std::clamp(pos, s.min, s.max);
    if (pos == s.pos)
        return;
    s.pos = pos;
    ::InvalidateRect(h, nullptr, TRUE);
}

void Paint(HWND h, HDC dc, const TrackState& s)
{
    const RECT c = Client(h);
    HBRUSH brush = CtlColor(h, dc, WM_CTLCOLORSTATIC);
    ::FillRect(dc, &c, brush);
    RECT ch = Channel(h);
    ::DrawEdge(dc, &ch, EDGE_SUNKEN, BF_RECT);
    const DWORD style = Style(h);
    HPEN pen = ::CreatePen(PS_SOLID, 1, SysColor(COLOR_BTNTEXT));
    HGDIOBJ old = ::SelectObject(dc, pen);
    const RECT thumbRect = Thumb(h, s);
    for (int t : AllTicks(h, s)) {
        const int at = PixelOf(h, s, t);
        if (Vertical(h)) {
            ::MoveToEx(dc, thumbRect.right + 2, at, nullptr);
            ::LineTo(dc, thumbRect.right + 5, at);
        } else {
            const bool top = (style & TBS_TOP) || (style & TBS_BOTH);
            const bool bottom = !(style & TBS_TOP) || (style & TBS_BOTH);
            if (top) {
                ::MoveToEx(dc, at, thumbRect.top - 4, nullptr);
                ::LineTo(dc, at, thumbRect.top - 1);
            }
            if (bottom) {
                ::MoveToEx(dc, at, thumbRect.bottom + 1, nullptr);
                ::LineTo(dc, at, thumbRect.bottom + 4);
            }
        }
    }
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
    if (!(style & TBS_NOTHUMB)) {
        RECT t = thumbRect;
        FillSolid(dc, t, SysColor(s.dragging ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE));
        ::DrawEdge(dc, &t, EDGE_RAISED, BF_RECT);
    }
    if (HasFocus(h)) {
        RECT f = c;
        ::DrawFocusRect(dc, &f);
    }
}

void Key(HWND h, TrackState& s, UINT vk)
{
    UINT code;
    int pos = s.pos;
    switch (vk) {
    case VK_LEFT:
    case VK_UP: code = TB_LINEUP; pos -= s.line; break;
    case VK_RIGHT:
    case VK_DOWN: code = TB_LINEDOWN; pos += s.line; break;
    case VK_PRIOR: code = TB_PAGEUP; pos -= Page(s); break;
    case VK_NEXT: code = TB_PAGEDOWN; pos += Page(s); break;
    case VK_HOME: code = TB_TOP; pos = s.min; break;
    case VK_END: code = TB_BOTTOM; pos = s.max; break;
    default: return;
    }
    s.keyDown = vk;
    SetPos(h, s, pos);
    Send(h, code);
}

LRESULT CALLBACK TrackProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<TrackState> sp = g_states.ForMessage(h, message);
    if (!sp || message == WM_NCDESTROY)
        return ::DefWindowProc(h, message, wParam, lParam);
    TrackState& s = *sp;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintMessage(h, wParam, [&](HDC dc) { Paint(h, dc, s); });
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SIZE:
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
        if (::GetFocus() != h)
            ::SetFocus(h);
        if (!::IsWindow(h))
            return 0;
        const POINT p = PointOf(lParam);
        const RECT thumb = Thumb(h, s);
        const int along = Vertical(h) ? p.y : p.x;
        const int at = PixelOf(h, s, s.pos);
        ::SetCapture(h);
        if (Contains(thumb, p)) {
            s.dragging = true;
            s.dragOffset = along - at;
            ::InvalidateRect(h, nullptr, FALSE);
            return 0;
        }
        s.paging = true;
        if (along < at) {
            SetPos(h, s, s.pos - Page(s));
            Send(h, TB_PAGEUP);
        } else {
            SetPos(h, s, s.pos + Page(s));
            Send(h, TB_PAGEDOWN);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (s.dragging && ::GetCapture() == h) {
            const POINT p = PointOf(lParam);
            const int pos = PosOf(h, s, (Vertical(h) ? p.y : p.x) - s.dragOffset);
            if (pos != s.pos) {
                SetPos(h, s, pos);
                Send(h, TB_THUMBTRACK, s.pos);
            }
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
        if (message == WM_CAPTURECHANGED && (HWND)lParam == h)
            return 0;
        const bool dragged = s.dragging, paged = s.paging;
        s.dragging = s.paging = false;
        if (message == WM_LBUTTONUP && ::GetCapture() == h)
            ::ReleaseCapture();
        if (dragged) {
            ::InvalidateRect(h, nullptr, FALSE);
            Send(h, TB_THUMBPOSITION, s.pos);
        }
        if ((dragged || paged) && ::IsWindow(h))
            Send(h, TB_ENDTRACK);
        return 0;
    }
    case WM_KEYDOWN:
        Key(h, s, (UINT)wParam);
        return 0;
    case WM_KEYUP:
        if (s.keyDown && s.keyDown == (UINT)wParam) {
            s.keyDown = 0;
            Send(h, TB_ENDTRACK);
        }
        return 0;
    case WM_SETCURSOR:
        return SetCursorMessage(h, wParam, lParam, IDC_ARROW);
    case TBM_GETPOS:
        return s.pos;
    case TBM_SETPOS:
        SetPos(h, s, (int)lParam);
        return 0;
    case TBM_GETRANGEMIN:
        return s.min;
    case TBM_GETRANGEMAX:
        return s.max;
    case TBM_SETRANGE:
        s.min = (SHORT)LOWORD(lParam);
        s.max = std::max(s.min, (int)(SHORT)HIWORD(lParam));
        s.pos = std::clamp(s.pos, s.min, s.max);
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case TBM_SETRANGEMIN:
        s.min = (int)lParam;
        s.max = std::max(s.max, s.min);
        s.pos = std::clamp(s.pos, s.min, s.max);
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case TBM_SETRANGEMAX:
        s.max = std::max((int)lParam, s.min);
        s.pos = std::clamp(s.pos, s.min, s.max);
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case TBM_SETTICFREQ:
        s.freq = std::max(1, (int)wParam);
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case TBM_SETTIC:
        if ((int)lParam < s.min || (int)lParam > s.max)
            return FALSE;
        s.ticks.insert((int)lParam);
        ::InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    case TBM_CLEARTICS:
        s.ticks.clear();
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case TBM_GETNUMTICS:
        return (LRESULT)AllTicks(h, s).size();
    case TBM_GETTIC: {
        const int i = (int)wParam;
        if (i < 0 || i >= (int)s.ticks.size())
            return -1;
        return *std::next(s.ticks.begin(), i);
    }
    case TBM_GETTICPOS: {
        const int i = (int)wParam;
        if (i < 0 || i >= (int)s.ticks.size())
            return -1;
        return PixelOf(h, s, *std::next(s.ticks.begin(), i));
    }
    case TBM_SETPAGESIZE: {
        const int old = Page(s);
        s.page = (int)lParam;
        return old;
    }
    case TBM_GETPAGESIZE:
        return Page(s);
    case TBM_SETLINESIZE: {
        const int old = s.line;
        s.line = (int)lParam;
        return old;
    }
    case TBM_GETLINESIZE:
        return s.line;
    case TBM_GETTHUMBRECT:
        if (RECT* r = reinterpret_cast<RECT*>(lParam))
            *r = Thumb(h, s);
        return 0;
    case TBM_GETCHANNELRECT:
        if (RECT* r = reinterpret_cast<RECT*>(lParam))
            *r = Channel(h);
        return 0;
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterTrackbar() { RegisterSurfaceClass(TRACKBAR_CLASS, TrackProc); }

} // namespace ctl
