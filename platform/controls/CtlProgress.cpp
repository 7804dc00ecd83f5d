// The "msctls_progress32" window class: blocks (or one smooth bar with PBS_SMOOTH)
// filling the part of the range up to the position.
#include "platform/controls/CtlCommon.h"

#include <algorithm>

namespace ctl {

namespace {

struct ProgressState {
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
    COLORREF bar = CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT;
};

States<ProgressState> g_states;

// A position outside the range wraps round: stepping past the end starts over.
int Wrap(const ProgressState& s, int pos)
{
    const int span = s.high - s.low;
    if (span <= 0)
        return s.low;
    if (pos > s.high)
        return s.low + (pos - s.high) % span;
    if (pos < s.low)
        return s.high - (s.low - pos) % span;
    return pos;
}

int SetPos(HWND h, ProgressState& s, int pos)
{
    const int old = s.pos;
    s.pos = std::clamp(pos, s.low, std::max(s.low, s.high));
    if (s.pos != old)
        ::InvalidateRect(h, nullptr, FALSE);
    return old;
}

void Paint(HWND h, HDC dc, const ProgressState& s)
{
    RECT c = Client(h);
    FillSolid(dc, c, s.back == CLR_DEFAULT ? SysColor(COLOR_BTNFACE) : s.back);
    ::DrawEdge(dc, &c, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    ::InflateRect(&c, -1, -1);
    const int span = std::max(1, s.high - s.low);
    const bool vertical = (Style(h) & PBS_VERTICAL) != 0;
    const int length = vertical ? Height(c) : Width(c);
    const int filled = (int)((long long)(s.pos - s.low) * length / span);
    const COLORREF color = s.bar == CLR_DEFAULT ? SysColor(COLOR_HIGHLIGHT) : s.bar;
    if (Style(h) & PBS_SMOOTH) {
        RECT r = vertical ? RECT{c.left, c.bottom - filled, c.right, c.bottom} : RECT{c.left, c.top, c.left + filled, c.bottom};
        FillSolid(dc, r, color);
        return;
    }
    const int block = std::max(2, (vertical ? Width(c) : Height(c)) * 2 / 3);
    for (int at = 0; at < filled; at += block + 2) {
        const int end = std::min(at + block, length);
        RECT r = vertical ? RECT{c.left, c.bottom - end, c.right, c.bottom - at} : RECT{c.left + at, c.top, c.left + end, c.bottom};
        FillSolid(dc, r, color);
    }
}

LRESULT CALLBACK ProgressProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<ProgressState> sp = g_states.ForMessage(h, message);
    if (!sp || message == WM_NCDESTROY)
        return ::DefWindowProc(h, message, wParam, lParam);
    ProgressState& s = *sp;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintMessage(h, wParam, [&](HDC dc) { Paint(h, dc, s); });
    case WM_SIZE:
        ::InvalidateRect(h, nullptr, FALSE);
        return 0;
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
        const LRESULT old = MAKELONG(s.low, s.high);
        if (message == PBM_SETRANGE) {
            s.low = LOWORD(lParam);
            s.high = HIWORD(lParam);
        } else {
            s.low = (int)wParam;
            s.high = (int)lParam;
        }
        s.pos = std::clamp(s.pos, std::min(s.low, s.high), std::max(s.low, s.high));
        ::InvalidateRect(h, nullptr, FALSE);
        return old;
    }
    case PBM_GETRANGE:
        if (PBRANGE* r = reinterpret_cast<PBRANGE*>(lParam)) {
            r->iLow = s.low;
            r->iHigh = s.high;
        }
        return wParam ? s.low : s.high;
    case PBM_SETPOS:
        return SetPos(h, s, (int)wParam);
    case PBM_GETPOS:
        return s.pos;
    case PBM_DELTAPOS:
        return SetPos(h, s, s.pos + (int)wParam);
    case PBM_SETSTEP: {
        const int old = s.step;
        s.step = (int)wParam;
        return old;
    }
    case PBM_GETSTEP:
        return s.step;
    case PBM_STEPIT:
        return SetPos(h, s, Wrap(s, s.pos + s.step));
    case PBM_SETBARCOLOR: {
        const COLORREF old = s.bar;
        s.bar = (COLORREF)lParam;
        ::InvalidateRect(h, nullptr, FALSE);
        return old;
    }
    case PBM_SETBKCOLOR: {
        const COLORREF old = s.back;
        s.back = (COLORREF)lParam;
        ::InvalidateRect(h, nullptr, FALSE);
        return old;
    }
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterProgress() { RegisterSurfaceClass(PROGRESS_CLASS, ProgressProc); }

} // namespace ctl
