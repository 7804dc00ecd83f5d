// The "SysTabControl32" window class: one row of tabs above (or, with TCS_BOTTOM,
// below) a display area; arrows scroll the row when the tabs do not fit. A click on
// another tab, or Left / Right, sends TCN_SELCHANGING (a non-zero answer keeps the
// selection) and then TCN_SELCHANGE; TCM_SETCURSEL sends nothing.
#include "platform/controls/CtlCommon.h"

#include <algorithm>
#include <limits>

namespace ctl {

namespace {

struct TabItem {
    std::string text;
    int image = -1;
    LPARAM param = 0;
    DWORD state = 0;
};

struct TabState {
    std::vector<TabItem> items;
    int cur = -1;
    int focus = -1;
    HIMAGELIST images = nullptr;
    int first = 0; // the first tab shown when the row is scrolled
};

States<TabState> g_states;
constexpr int kPad = 6;
constexpr int kArrow = 16;

int Count(const TabState& s) { return (int)s.items.size(); }
bool Valid(const TabState& s, int i) { return i >= 0 && i < Count(s); }
bool Bottom(HWND h) { return (Style(h) & TCS_BOTTOM) != 0; }

int RowHeight(HWND h, const TabState& s)
{
    int cx = 0, cy = 0;
    const int image = s.images && ImageList_GetIconSize(s.images, &cx, &cy) ? cy : 0;
    return std::max(FontMetrics(Font(h)).height, image) + 7;
}

int TabWidth(HWND h, const TabState& s, int i)
{
    int w = TextExtent(Font(h), s.items[(size_t)i].text).cx + 2 * kPad;
    int cx = 0, cy = 0;
    if (s.items[(size_t)i].image >= 0 && s.images && ImageList_GetIconSize(s.images, &cx, &cy))
        w += cx + 3;
    return std::max(w, 2 * kPad);
}

bool Overflows(HWND h, const TabState& s)
{
    int total = 2;
    for (int i = 0; i < Count(s); ++i)
        total += TabWidth(h, s, i);
    return total > Width(Client(h));
}

RECT RowRect(HWND h, const TabState& s)
{
    const RECT c = Client(h);
    const int rh = RowHeight(h, s);
    return Bottom(h) ? RECT{c.left, c.bottom - rh, c.right, c.bottom} : RECT{c.left, c.top, c.right, c.top + rh};
}

RECT ArrowsRect(HWND h, const TabState& s)
{
    const RECT row = RowRect(h, s);
    return RECT{row.right - 2 * kArrow, row.top + 2, row.right, row.bottom - 2};
}

RECT ItemRect(HWND h, const TabState& s, int i)
{
    const RECT row = RowRect(h, s);
    int x = 2;
    for (int k = s.first; k < i && k < Count(s); ++k)
        x += TabWidth(h, s, k);
    if (i < s.first)
        x = -10000;
    const int w = Valid(s, i) ? TabWidth(h, s, i) : 0;
    if (Bottom(h))
        return RECT{x, row.top, x + w, row.bottom - 2};
    return RECT{x, row.top + 2, x + w, row.bottom};
}

RECT DisplayRect(HWND h, const TabState& s, RECT window)
{
    const int rh = RowHeight(h, s);
    if (Bottom(h))
        window.bottom -= rh;
    else
        window.top += rh;
    ::InflateRect(&window, -4, -4);
    return window;
}

int HitTest(HWND h, const TabState& s, POINT p)
{
    // Tabs under the scroll arrows end where the arrows begin.
    const LONG end = Overflows(h, s) ? ArrowsRect(h, s).left : std::numeric_limits<LONG>::max();
    for (int i = s.first; i < Count(s); ++i) {
        RECT r = ItemRect(h, s, i);
        r.right = std::min(r.right, end);
        if (Contains(r, p))
            return i;
    }
    return -1;
}

LRESULT NotifyTab(HWND h, UINT code)
{
    NMHDR nm{};
    return Notify(h, &nm, code);
}

// The user's choice of a tab: TCN_SELCHANGING may refuse it.
void Choose(HWND h, TabState& s, int i)
{
    if (!Valid(s, i) || i == s.cur)
        return;
    if (NotifyTab(h, TCN_SELCHANGING) || !::IsWindow(h))
        return;
    s.cur = i;
    s.focus = i;
    ::InvalidateRect(h, nullptr, TRUE);
    NotifyTab(h, TCN_SELCHANGE);
}

void Paint(HWND h, HDC dc, TabState& s)
{
    const RECT c = Client(h);
    HBRUSH brush = CtlColor(h, dc, WM_CTLCOLORSTATIC);
    ::FillRect(dc, &c, brush);
    RECT body = DisplayRect(h, s, c);
    ::InflateRect(&body, 4, 4);
    ::DrawEdge(dc, &body, EDGE_RAISED, BF_RECT | BF_SOFT);
    ::SelectObject(dc, Font(h));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, SysColor(Enabled(h) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const bool overflow = Overflows(h, s);
    const RECT arrows = ArrowsRect(h, s);
    const int save = ::SaveDC(dc);
    if (overflow)
        ::ExcludeClipRect(dc, arrows.left, arrows.top, arrows.right, arrows.bottom);
    for (int i = s.first; i < Count(s); ++i) {
        RECT r = ItemRect(h, s, i);
        if (r.left >= c.right)
            break;
        const bool selected = i == s.cur;
        if (selected)
            ::InflateRect(&r, 2, 0);
        if (selected) {
            if (Bottom(h))
                r.bottom += 2, r.top -= 2;
            else
                r.top -= 2, r.bottom += 2;
        }
        RECT fill = r;
        ::FillRect(dc, &fill, brush);
        ::DrawEdge(dc, &r, EDGE_RAISED, (Bottom(h) ? BF_BOTTOM : BF_TOP) | BF_LEFT | BF_RIGHT | BF_SOFT);
        RECT content = r;
        content.left += kPad;
        int cx = 0, cy = 0;
        const TabItem& it = s.items[(size_t)i];
        if (it.image >= 0 && s.images && ImageList_GetIconSize(s.images, &cx, &cy)) {
            ImageList_Draw(s.images, it.image, dc, content.left, content.top + (Height(content) - cy) / 2,
                           ILD_TRANSPARENT);
            content.left += cx + 3;
        }
        ::DrawText(dc, it.text.c_str(), (int)it.text.size(), &content, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (selected && HasFocus(h)) {
            RECT f = r;
            ::InflateRect(&f, -3, -3);
            ::DrawFocusRect(dc, &f);
        }
    }
    ::RestoreDC(dc, save);
    if (overflow) {
        RECT left{arrows.left, arrows.top, arrows.left + kArrow, arrows.bottom};
        RECT right{arrows.left + kArrow, arrows.top, arrows.right, arrows.bottom};
        ::DrawFrameControl(dc, &left, DFC_SCROLL, DFCS_SCROLLLEFT | (s.first > 0 ? 0 : DFCS_INACTIVE));
        ::DrawFrameControl(dc, &right, DFC_SCROLL,
                           DFCS_SCROLLRIGHT | (s.first < Count(s) - 1 ? 0 : DFCS_INACTIVE));
    }
}

// The item's fields that the mask names (of its state, the bits in dwStateMask).
void SetFields(TabItem& it, const TCITEM& in)
{
    if ((in.mask & TCIF_TEXT) && in.pszText)
        it.text = in.pszText;
    if (in.mask & TCIF_IMAGE)
        it.image = in.iImage;
    if (in.mask & TCIF_PARAM)
        it.param = in.lParam;
    if (in.mask & TCIF_STATE)
        it.state = (it.state & ~in.dwStateMask) | (in.dwState & in.dwStateMask);
}

LRESULT CALLBACK TabProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<TabState> sp = g_states.ForMessage(h, message);
    if (!sp || message == WM_NCDESTROY)
        return ::DefWindowProc(h, message, wParam, lParam);
    TabState& s = *sp;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintMessage(h, wParam, [&](HDC dc) { Paint(h, dc, s); });
    case WM_SIZE:
    case WM_SETFONT: {
        const LRESULT r = message == WM_SETFONT ? ::DefWindowProc(h, message, wParam, lParam) : 0;
        ::InvalidateRect(h, nullptr, TRUE);
        return r;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ::InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN: {
        const POINT p = PointOf(lParam);
        if (Overflows(h, s) && Contains(ArrowsRect(h, s), p)) {
            const RECT a = ArrowsRect(h, s);
            const int first = p.x < a.left + kArrow ? s.first - 1 : s.first + 1;
            s.first = std::clamp(first, 0, std::max(0, Count(s) - 1));
            ::InvalidateRect(h, nullptr, TRUE);
            return 0;
        }
        const int i = HitTest(h, s, p);
        if (i >= 0 && !(Style(h) & TCS_FOCUSNEVER) && ::GetFocus() != h)
            ::SetFocus(h);
        if (::IsWindow(h))
            Choose(h, s, i);
        if (::IsWindow(h)) {
            NMHDR nm{};
            Notify(h, &nm, NM_CLICK);
        }
        return 0;
    }
    case WM_RBUTTONDOWN: {
        NMHDR nm{};
        Notify(h, &nm, NM_RCLICK);
        return 0;
    }
    case WM_KEYDOWN: {
        NMTCKEYDOWN nk{};
        nk.wVKey = (WORD)wParam;
        Notify(h, &nk.hdr, TCN_KEYDOWN);
        if (!::IsWindow(h))
            return 0;
        if (wParam == VK_LEFT && s.cur > 0)
            Choose(h, s, s.cur - 1);
        else if (wParam == VK_RIGHT && s.cur < Count(s) - 1)
            Choose(h, s, s.cur + 1);
        return 0;
    }
    case WM_SETCURSOR:
        return SetCursorMessage(h, wParam, lParam, IDC_ARROW);
    case TCM_GETITEMCOUNT:
        return Count(s);
    case TCM_INSERTITEM: {
        const TCITEM* in = reinterpret_cast<const TCITEM*>(lParam);
        if (!in || (int)wParam < 0)
            return -1;
        const int i = std::min((int)wParam, Count(s));
        TabItem it;
        SetFields(it, *in);
        s.items.insert(s.items.begin() + i, it);
        if (s.cur >= i)
            ++s.cur;
        if (s.cur < 0)
            s.cur = 0; // the first tab of an empty control becomes the selection
        ::InvalidateRect(h, nullptr, TRUE);
        return i;
    }
    case TCM_DELETEITEM: {
        const int i = (int)wParam;
        if (!Valid(s, i))
            return FALSE;
        s.items.erase(s.items.begin() + i);
        if (s.cur == i)
            s.cur = -1;
        else if (s.cur > i)
            --s.cur;
        if (s.focus >= Count(s))
            s.focus = -1;
        s.first = std::clamp(s.first, 0, std::max(0, Count(s) - 1));
        ::InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    }
    case TCM_DELETEALLITEMS:
        s.items.clear();
        s.cur = s.focus = -1;
        s.first = 0;
        ::InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    case TCM_GETITEM: {
        TCITEM* out = reinterpret_cast<TCITEM*>(lParam);
        const int i = (int)wParam;
        if (!out || !Valid(s, i))
            return FALSE;
        const TabItem& it = s.items[(size_t)i];
        if ((out->mask & TCIF_TEXT) && out->pszText)
            CopyText(it.text, out->pszText, out->cchTextMax);
        if (out->mask & TCIF_IMAGE)
            out->iImage = it.image;
        if (out->mask & TCIF_PARAM)
            out->lParam = it.param;
        if (out->mask & TCIF_STATE)
            out->dwState = it.state & out->dwStateMask;
        return TRUE;
    }
    case TCM_SETITEM: {
        const TCITEM* in = reinterpret_cast<const TCITEM*>(lParam);
        const int i = (int)wParam;
        if (!in || !Valid(s, i))
            return FALSE;
        SetFields(s.items[(size_t)i], *in);
        ::InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    }
    case TCM_GETCURSEL:
        return s.cur;
    case TCM_SETCURSEL: {
        const int old = s.cur;
        if (!Valid(s, (int)wParam))
            return -1;
        s.cur = s.focus = (int)wParam;
        ::InvalidateRect(h, nullptr, TRUE);
        return old;
    }
    case TCM_GETCURFOCUS:
        return s.focus >= 0 ? s.focus : s.cur;
    case TCM_SETCURFOCUS:
        if (Valid(s, (int)wParam))
            Choose(h, s, (int)wParam);
        return 0;
    case TCM_GETITEMRECT: {
        RECT* r = reinterpret_cast<RECT*>(lParam);
        if (!r || !Valid(s, (int)wParam))
            return FALSE;
        *r = ItemRect(h, s, (int)wParam);
        return TRUE;
    }
    case TCM_HITTEST: {
        TCHITTESTINFO* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        const int i = HitTest(h, s, info->pt);
        info->flags = i < 0 ? TCHT_NOWHERE : TCHT_ONITEMLABEL;
        return i;
    }
    case TCM_ADJUSTRECT: {
        RECT* r = reinterpret_cast<RECT*>(lParam);
        if (!r)
            return 0;
        if (wParam) {
            const int rh = RowHeight(h, s);
            ::InflateRect(r, 4, 4);
            if (Bottom(h))
                r->bottom += rh;
            else
                r->top -= rh;
        } else {
            *r = DisplayRect(h, s, *r);
        }
        return 0;
    }
    case TCM_GETROWCOUNT:
        return 1;
    case TCM_SETIMAGELIST: {
        HIMAGELIST old = s.images;
        s.images = reinterpret_cast<HIMAGELIST>(lParam);
        ::InvalidateRect(h, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case TCM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(s.images);
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterTab() { RegisterSurfaceClass(WC_TABCONTROL, TabProc); }

} // namespace ctl
