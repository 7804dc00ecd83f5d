// The "ListBox" window class, and "ComboLBox", the list of a combo box. Items are
// drawn on the surface: plain ones as text, owner-drawn ones by WM_DRAWITEM to the
// parent (to the combo box's parent, with the combo box as the item's window, for a
// combo box's list). LBN_SELCHANGE follows a selection made with the mouse when the
// button is released, one made with the keyboard at once; selections set by
// messages send nothing.
#include "platform/controls/CtlCommon.h"

#include <algorithm>
#include <cstring>

namespace ctl {

namespace {

struct Item {
    std::string text;
    ULONG_PTR data = 0;
    bool selected = false;
    int height = 0; // LBS_OWNERDRAWVARIABLE
};

struct ListState {
    std::vector<Item> items;
    int top = 0;
    int caret = -1;
    int anchor = -1;
    int cur = -1; // single selection
    int itemHeight = 13;
    int wheelRest = 0;
    // mouse
    bool tracking = false;
    std::vector<int> selectionAtDown;
    int curAtDown = -1;
    // combo box list
    HWND combo = nullptr;
    bool armed = false;  // the drop came with the button held down
    bool hot = false;    // the pointer's item becomes the current one
};

States<ListState> g_states;

bool OwnerDraw(DWORD s) { return (s & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
bool Variable(DWORD s) { return (s & LBS_OWNERDRAWVARIABLE) != 0; }
bool HasStrings(DWORD s) { return !OwnerDraw(s) || (s & LBS_HASSTRINGS); }
bool Multi(DWORD s) { return (s & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
bool NoSel(DWORD s) { return (s & LBS_NOSEL) != 0; }
int Count(const ListState& s) { return (int)s.items.size(); }
bool Valid(const ListState& s, int i) { return i >= 0 && i < Count(s); }

// The window that owner-drawn items and notifications belong to.
HWND Owner(HWND h, const ListState& s) { return s.combo ? s.combo : h; }

int HeightOf(HWND h, const ListState& s, int i)
{
    if (Variable(Style(h)) && Valid(s, i) && s.items[(size_t)i].height > 0)
        return s.items[(size_t)i].height;
    return std::max(1, s.itemHeight);
}

int ClientHeight(HWND h) { return Height(Client(h)); }

// Items whose rows lie fully inside the client area, from `top`; at least one.
int FullyVisible(HWND h, const ListState& s, int top)
{
    const int ch = ClientHeight(h);
    int y = 0, n = 0;
    for (int i = top; i < Count(s); ++i) {
        y += HeightOf(h, s, i);
        if (y > ch)
            break;
        ++n;
    }
    if (top >= Count(s))
        n = std::max(1, ch / std::max(1, s.itemHeight));
    return std::max(1, n);
}

int MaxTop(HWND h, const ListState& s)
{
    const int n = Count(s);
    if (n == 0)
        return 0;
    const int ch = ClientHeight(h);
    int y = 0, t = n;
    while (t > 0 && y + HeightOf(h, s, t - 1) <= ch) {
        y += HeightOf(h, s, t - 1);
        --t;
    }
    return std::min(t, n - 1);
}

RECT ItemRect(HWND h, const ListState& s, int i)
{
    const RECT c = Client(h);
    int y = 0;
    if (i >= s.top) {
        for (int k = s.top; k < i; ++k)
            y += HeightOf(h, s, k);
    } else {
        for (int k = i; k < s.top; ++k)
            y -= HeightOf(h, s, k);
    }
    return RECT{c.left, y, c.right, y + HeightOf(h, s, i)};
}

// The item at a client point; -1 below the last item.
int ItemAt(HWND h, const ListState& s, POINT p, bool* outside = nullptr)
{
    const RECT c = Client(h);
    if (outside)
        *outside = !Contains(c, p);
    if (Count(s) == 0)
        return -1;
    if (p.y < 0)
        return std::max(0, s.top - 1);
    int y = 0;
    for (int i = s.top; i < Count(s); ++i) {
        const int hgt = HeightOf(h, s, i);
        if (p.y < y + hgt)
            return i;
        y += hgt;
        if (y > c.bottom)
            return std::min(i + 1, Count(s) - 1);
    }
    if (outside)
        *outside = true;
    return -1;
}

void UpdateScroll(HWND h, const ListState& s)
{
    const DWORD style = Style(h);
    if (!(style & WS_VSCROLL) && !(style & LBS_DISABLENOSCROLL))
        return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | ((style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
    si.nMin = 0;
    si.nMax = std::max(0, Count(s) - 1);
    si.nPage = (UINT)FullyVisible(h, s, s.top);
    si.nPos = s.top;
    ::SetScrollInfo(h, SB_VERT, &si, TRUE);
}

void SetTop(HWND h, ListState& s, int top)
{
    if (!MoveTop(s.top, top, MaxTop(h, s)))
        return;
    UpdateScroll(h, s);
    ::InvalidateRect(h, nullptr, TRUE);
}

void EnsureVisible(HWND h, ListState& s, int i)
{
    if (!Valid(s, i))
        return;
    if (i < s.top) {
        SetTop(h, s, i);
        return;
    }
    int top = s.top;
    while (top < i && i >= top + FullyVisible(h, s, top))
        ++top;
    SetTop(h, s, top);
}

void InvalidateItem(HWND h, const ListState& s, int i)
{
    if (!Valid(s, i))
        return;
    RECT r = ItemRect(h, s, i);
    ::InvalidateRect(h, &r, TRUE);
}

void Changed(HWND h, const ListState& s)
{
    UpdateScroll(h, s);
    ::InvalidateRect(h, nullptr, TRUE);
}

void MeasureDefault(HWND h, ListState& s)
{
    const DWORD style = Style(h);
    const int fontHeight = FontMetrics(Font(h)).height;
    if (!OwnerDraw(style) || !s.combo)
        s.itemHeight = fontHeight;
    if ((style & LBS_OWNERDRAWFIXED) && !s.combo)
        s.itemHeight = (int)SendMeasureItem(h, ODT_LISTBOX, 0, (UINT)fontHeight, 0);
}

std::vector<int> Selection(const ListState& s)
{
    std::vector<int> r;
    for (int i = 0; i < Count(s); ++i)
        if (s.items[(size_t)i].selected)
            r.push_back(i);
    return r;
}

bool IsSelected(HWND h, const ListState& s, int i)
{
    if (!Valid(s, i))
        return false;
    return Multi(Style(h)) ? s.items[(size_t)i].selected : s.cur == i;
}

void SetCur(HWND h, ListState& s, int i)
{
    if (i == s.cur)
        return;
    InvalidateItem(h, s, s.cur);
    s.cur = Valid(s, i) ? i : -1;
    if (s.cur >= 0)
        s.caret = s.cur;
    InvalidateItem(h, s, s.cur);
}

void SetCaret(HWND h, ListState& s, int i)
{
    if (i == s.caret)
        return;
    InvalidateItem(h, s, s.caret);
    s.caret = i;
    InvalidateItem(h, s, s.caret);
}

void SelectOnly(HWND h, ListState& s, int from, int to)
{
    for (int i = 0; i < Count(s); ++i) {
        const bool want = i >= std::min(from, to) && i <= std::max(from, to) && from >= 0;
        if (s.items[(size_t)i].selected != want) {
            s.items[(size_t)i].selected = want;
            InvalidateItem(h, s, i);
        }
    }
}

void Notify(HWND h, const ListState& s, UINT code)
{
    if (s.combo)
        return;
    if (Style(h) & LBS_NOTIFY)
        Command(h, code);
}

// ---------------------------------------------------------------- items

int InsertAt(HWND h, ListState& s, int index, LPARAM lParam)
{
    const DWORD style = Style(h);
    Item item;
    if (HasStrings(style)) {
        item.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    } else {
        item.data = (ULONG_PTR)lParam;
    }
    if (index < 0)
        index = Count(s);
    if (index > Count(s))
        return LB_ERR;
    s.items.insert(s.items.begin() + index, item);
    if (s.cur >= index)
        ++s.cur;
    if (s.caret >= index)
        ++s.caret;
    if (s.anchor >= index)
        ++s.anchor;
    if (Variable(style)) {
        const int def = FontMetrics(Font(h)).height;
        s.items[(size_t)index].height =
            (int)SendMeasureItem(Owner(h, s), s.combo ? ODT_COMBOBOX : ODT_LISTBOX, (UINT)index, (UINT)def,
                                 HasStrings(style) ? 0 : (ULONG_PTR)lParam);
    }
    Changed(h, s);
    return index;
}

int AddString(HWND h, ListState& s, LPARAM lParam)
{
    const DWORD style = Style(h);
    int index = Count(s);
    if ((style & LBS_SORT) && HasStrings(style)) {
        const std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        index = 0;
        while (index < Count(s) && CompareNoCase(s.items[(size_t)index].text, text) <= 0)
            ++index;
    }
    return InsertAt(h, s, index, lParam);
}

int DeleteAt(HWND h, ListState& s, int i)
{
    if (!Valid(s, i))
        return LB_ERR;
    s.items.erase(s.items.begin() + i);
    auto fix = [i](int& v) {
        if (v == i)
            v = -1;
        else if (v > i)
            --v;
    };
    fix(s.cur);
    fix(s.caret);
    fix(s.anchor);
    s.top = std::clamp(s.top, 0, MaxTop(h, s));
    Changed(h, s);
    return Count(s);
}

void Reset(HWND h, ListState& s)
{
    s.items.clear();
    s.top = 0;
    s.cur = s.caret = s.anchor = -1;
    Changed(h, s);
}

int Find(HWND h, const ListState& s, int start, LPARAM lParam, bool exact)
{
    const int n = Count(s);
    if (n == 0)
        return LB_ERR;
    const bool strings = HasStrings(Style(h));
    const std::string text = strings && lParam ? reinterpret_cast<const char*>(lParam) : "";
    if (start < -1 || start >= n)
        start = -1;
    for (int k = 1; k <= n; ++k) {
        const int i = (start + k) % n;
        const Item& it = s.items[(size_t)i];
        if (!strings) {
            if (it.data == (ULONG_PTR)lParam)
                return i;
            continue;
        }
        if (exact ? CompareNoCase(it.text, text) == 0 : StartsWithNoCase(it.text, text))
            return i;
    }
    return LB_ERR;
}

// ---------------------------------------------------------------- painting

void Paint(HWND h, HDC dc, ListState& s)
{
    const DWORD style = Style(h);
    const RECT client = Client(h);
    HBRUSH brush = CtlColor(Owner(h, s), dc, WM_CTLCOLORLISTBOX);
    const COLORREF textColor = ::GetTextColor(dc);
    const bool enabled = Enabled(Owner(h, s));
    const bool focus = HasFocus(h);
    ::SelectObject(dc, Font(h));
    ::SetBkMode(dc, TRANSPARENT);
    ::FillRect(dc, &client, brush);
    const HWND owner = Owner(h, s);
    const UINT ctlType = s.combo ? ODT_COMBOBOX : ODT_LISTBOX;
    if (OwnerDraw(style) && Count(s) == 0 && focus) {
        RECT r{client.left, 0, client.right, s.itemHeight};
        SendDrawItem(owner, ctlType, (UINT)-1, ODA_FOCUS, ODS_FOCUS, dc, r, 0);
        return;
    }
    int y = 0;
    for (int i = s.top; i < Count(s) && y < client.bottom; ++i) {
        const int hgt = HeightOf(h, s, i);
        RECT r{client.left, y, client.right, y + hgt};
        y += hgt;
        const Item& it = s.items[(size_t)i];
        const bool selected = IsSelected(h, s, i);
        const bool caret = focus && i == s.caret;
        if (OwnerDraw(style)) {
            UINT state = 0;
            if (selected)
                state |= ODS_SELECTED;
            if (caret)
                state |= ODS_FOCUS;
            if (!enabled)
                state |= ODS_DISABLED;
            const ULONG_PTR data = it.data;
            SendDrawItem(owner, ctlType, (UINT)i, ODA_DRAWENTIRE, state, dc, r, data);
            continue;
        }
        if (selected) {
            FillSolid(dc, r, SysColor(COLOR_HIGHLIGHT));
            ::SetTextColor(dc, SysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            ::SetTextColor(dc, enabled ? textColor : SysColor(COLOR_GRAYTEXT));
        }
        RECT tr = r;
        tr.left += 2;
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        if (style & LBS_USETABSTOPS)
            format |= DT_EXPANDTABS;
        ::DrawText(dc, it.text.c_str(), (int)it.text.size(), &tr, format);
        if (caret)
            ::DrawFocusRect(dc, &r);
    }
}

// ---------------------------------------------------------------- input

// A new caret position from a navigation key; -1 for keys that do not move it.
int KeyTarget(HWND h, const ListState& s, UINT vk)
{
    const int n = Count(s);
    if (n == 0)
        return -1;
    const int from = s.caret >= 0 ? s.caret : (s.cur >= 0 ? s.cur : -1);
    const int page = std::max(1, FullyVisible(h, s, s.top) - 1);
    switch (vk) {
    case VK_UP: return from < 0 ? 0 : std::max(0, from - 1);
    case VK_DOWN: return from < 0 ? 0 : std::min(n - 1, from + 1);
    case VK_PRIOR: return from < 0 ? 0 : std::max(0, from - page);
    case VK_NEXT: return from < 0 ? 0 : std::min(n - 1, from + page);
    case VK_HOME: return 0;
    case VK_END: return n - 1;
    default: return -1;
    }
}

bool SelectionChangedSince(HWND h, const ListState& s)
{
    if (Multi(Style(h)))
        return Selection(s) != s.selectionAtDown;
    return s.cur != s.curAtDown;
}

void MoveTo(HWND h, ListState& s, int i, bool shift, bool control)
{
    const DWORD style = Style(h);
    if (NoSel(style))
        return;
    if (!Multi(style)) {
        SetCur(h, s, i);
    } else if (style & LBS_EXTENDEDSEL) {
        if (shift) {
            if (s.anchor < 0)
                s.anchor = i;
            SelectOnly(h, s, s.anchor, i);
        } else if (!control) {
            s.anchor = i;
            SelectOnly(h, s, i, i);
        }
        SetCaret(h, s, i);
    } else {
        SetCaret(h, s, i);
    }
    EnsureVisible(h, s, i);
}

void KeyDown(HWND h, const std::shared_ptr<ListState>& sp, UINT vk)
{
    ListState& s = *sp;
    const DWORD style = Style(h);
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool control = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (vk == VK_SPACE && Multi(style) && Valid(s, s.caret)) {
        Item& it = s.items[(size_t)s.caret];
        if (style & LBS_MULTIPLESEL || control) {
            it.selected = !it.selected;
            s.anchor = s.caret;
        } else {
            SelectOnly(h, s, s.caret, s.caret);
        }
        InvalidateItem(h, s, s.caret);
        Notify(h, s, LBN_SELCHANGE);
        return;
    }
    const int target = KeyTarget(h, s, vk);
    if (target < 0)
        return;
    const std::vector<int> before = Selection(s);
    const int curBefore = s.cur;
    MoveTo(h, s, target, shift, control);
    if (::IsWindow(h) && (Multi(style) ? Selection(s) != before : s.cur != curBefore))
        Notify(h, s, LBN_SELCHANGE);
}

void ButtonDown(HWND h, const std::shared_ptr<ListState>& sp, POINT p, UINT keys)
{
    ListState& s = *sp;
    const DWORD style = Style(h);
    if (s.combo && (style & WS_CHILD)) {
        // The always visible list of a simple combo box.
        const int i = ItemAt(h, s, p);
        if (i >= 0) {
            const int old = s.cur;
            SetCur(h, s, i);
            ::SendMessage(s.combo, CBP_LISTSELECT, (WPARAM)old, 0);
        }
        return;
    }
    if (s.combo) {
        bool outside = false;
        const int i = ItemAt(h, s, p, &outside);
        if (outside) {
            ::SendMessage(s.combo, CBP_LISTCLOSE, FALSE, 0);
            return;
        }
        s.armed = true;
        if (i >= 0)
            SetCur(h, s, i);
        return;
    }
    if (::GetFocus() != h)
        ::SetFocus(h);
    if (!::IsWindow(h))
        return;
    s.selectionAtDown = Selection(s);
    s.curAtDown = s.cur;
    const int i = ItemAt(h, s, p);
    if (i >= 0 && !NoSel(style)) {
        if (!Multi(style)) {
            SetCur(h, s, i);
        } else if (style & LBS_MULTIPLESEL) {
            s.items[(size_t)i].selected = !s.items[(size_t)i].selected;
            InvalidateItem(h, s, i);
            SetCaret(h, s, i);
        } else {
            const bool shift = keys & MK_SHIFT, control = keys & MK_CONTROL;
            if (control && !shift) {
                s.items[(size_t)i].selected = !s.items[(size_t)i].selected;
                InvalidateItem(h, s, i);
                s.anchor = i;
            } else if (shift) {
                if (s.anchor < 0)
                    s.anchor = i;
                SelectOnly(h, s, s.anchor, i);
            } else {
                s.anchor = i;
                SelectOnly(h, s, i, i);
            }
            SetCaret(h, s, i);
        }
    }
    s.tracking = true;
    ::SetCapture(h);
}

void MouseMove(HWND h, const std::shared_ptr<ListState>& sp, POINT p)
{
    ListState& s = *sp;
    const DWORD style = Style(h);
    if (s.combo) {
        bool outside = false;
        const int i = ItemAt(h, s, p, &outside);
        if ((s.hot || s.armed) && !outside && i >= 0)
            SetCur(h, s, i);
        return;
    }
    if (!s.tracking || ::GetCapture() != h || NoSel(style))
        return;
    const RECT c = Client(h);
    if (p.y < 0 && s.top > 0)
        SetTop(h, s, s.top - 1);
    else if (p.y >= c.bottom && s.top < MaxTop(h, s))
        SetTop(h, s, s.top + 1);
    const int i = ItemAt(h, s, POINT{p.x, std::clamp<LONG>(p.y, 0, std::max<LONG>(0, c.bottom - 1))});
    if (i < 0)
        return;
    if (!Multi(style)) {
        SetCur(h, s, i);
    } else if (style & LBS_EXTENDEDSEL) {
        if (s.anchor >= 0)
            SelectOnly(h, s, s.anchor, i);
        SetCaret(h, s, i);
    }
}

void ButtonUp(HWND h, const std::shared_ptr<ListState>& sp, POINT p)
{
    ListState& s = *sp;
    if (s.combo) {
        bool outside = false;
        const int i = ItemAt(h, s, p, &outside);
        if (s.armed && !outside && i >= 0) {
            SetCur(h, s, i);
            s.armed = false;
            ::SendMessage(s.combo, CBP_LISTCLOSE, TRUE, 0);
        }
        return;
    }
    if (!s.tracking)
        return;
    s.tracking = false;
    if (::GetCapture() == h)
        ::ReleaseCapture();
    if (::IsWindow(h) && SelectionChangedSince(h, s))
        Notify(h, s, LBN_SELCHANGE);
}

void Scroll(HWND h, ListState& s, UINT code, int thumb)
{
    const int page = std::max(1, FullyVisible(h, s, s.top) - 1);
    ScrollRows(code, s.top, page, thumb, [&](int top) { SetTop(h, s, top); }, [&] { return MaxTop(h, s); });
}

LRESULT CALLBACK ListProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<ListState> sp = g_states.ForMessage(h, message);
    if (!sp || message == WM_NCDESTROY)
        return ::DefWindowProc(h, message, wParam, lParam);
    ListState& s = *sp;
    if (message == WM_NCCREATE) {
        const CREATESTRUCT* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        char cls[32] = {};
        ::GetClassName(h, cls, (int)sizeof cls);
        if (cs && CompareNoCase(cls, KV_COMBOLBOX_CLASS) == 0)
            s.combo = (HWND)cs->lpCreateParams;
    }
    const DWORD style = Style(h);
    switch (message) {
    case WM_CREATE:
        MeasureDefault(h, s);
        UpdateScroll(h, s);
        return 0;
    case WM_SIZE:
        s.top = std::clamp(s.top, 0, MaxTop(h, s));
        UpdateScroll(h, s);
        return 0;
    case WM_SETFONT: {
        const LRESULT r = ::DefWindowProc(h, message, wParam, lParam);
        if (!OwnerDraw(style))
            s.itemHeight = FontMetrics(Font(h)).height;
        Changed(h, s);
        return r;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintMessage(h, wParam, [&](HDC dc) { Paint(h, dc, s); });
    case WM_ENABLE:
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_SETFOCUS:
        InvalidateItem(h, s, s.caret);
        if (OwnerDraw(style) && Count(s) == 0)
            ::InvalidateRect(h, nullptr, TRUE);
        Notify(h, s, LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        InvalidateItem(h, s, s.caret);
        if (OwnerDraw(style) && Count(s) == 0)
            ::InvalidateRect(h, nullptr, TRUE);
        Notify(h, s, LBN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
        ButtonDown(h, sp, PointOf(lParam), (UINT)wParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (s.combo) {
            ButtonDown(h, sp, PointOf(lParam), (UINT)wParam);
            if ((style & WS_CHILD) && ::IsWindow(h))
                ::SendMessage(s.combo, CBP_LISTSELECT, 0, TRUE);
            return 0;
        }
        Notify(h, s, LBN_DBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(h, sp, PointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        ButtonUp(h, sp, PointOf(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (s.tracking && (HWND)lParam != h) {
            s.tracking = false;
            if (SelectionChangedSince(h, s))
                Notify(h, s, LBN_SELCHANGE);
        }
        return 0;
    case WM_MOUSEWHEEL: {
        const int lines = WheelRows(s.wheelRest, wParam);
        if (lines)
            SetTop(h, s, s.top - lines);
        return 0;
    }
    case WM_VSCROLL:
        Scroll(h, s, LOWORD(wParam), (int)(short)HIWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        KeyDown(h, sp, (UINT)wParam);
        return 0;
    case WM_CHAR: {
        const unsigned char c = (unsigned char)wParam;
        if (c < ' ' || !HasStrings(style) || Count(s) == 0)
            return 0;
        const char text[2] = {(char)c, 0};
        const int from = s.caret >= 0 ? s.caret : s.cur;
        const int i = Find(h, s, from, (LPARAM)text, false);
        if (i >= 0) {
            const int curBefore = s.cur;
            const std::vector<int> before = Selection(s);
            MoveTo(h, s, i, false, false);
            if (Multi(style) ? Selection(s) != before : s.cur != curBefore)
                Notify(h, s, LBN_SELCHANGE);
        }
        return 0;
    }
    case WM_SETCURSOR:
        return SetCursorMessage(h, wParam, lParam, IDC_ARROW);

    // ---- items
    case LB_ADDSTRING:
        return AddString(h, s, lParam);
    case LB_INSERTSTRING:
        return InsertAt(h, s, (int)wParam, lParam);
    case LB_DELETESTRING:
        return DeleteAt(h, s, (int)wParam);
    case LB_RESETCONTENT:
        Reset(h, s);
        return 0;
    case LB_GETCOUNT:
        return Count(s);
    case LB_GETTEXT: {
        const int i = (int)wParam;
        if (!Valid(s, i))
            return LB_ERR;
        if (!HasStrings(style)) {
            if (lParam)
                std::memcpy(reinterpret_cast<void*>(lParam), &s.items[(size_t)i].data, sizeof(ULONG_PTR));
            return (LRESULT)sizeof(ULONG_PTR);
        }
        const std::string& t = s.items[(size_t)i].text;
        return CopyText(t, reinterpret_cast<char*>(lParam), (int)t.size() + 1);
    }
    case LB_GETTEXTLEN: {
        const int i = (int)wParam;
        if (!Valid(s, i))
            return LB_ERR;
        return HasStrings(style) ? (LRESULT)s.items[(size_t)i].text.size() : (LRESULT)sizeof(ULONG_PTR);
    }
    case LB_GETITEMDATA:
        if (!Valid(s, (int)wParam))
            return LB_ERR;
        return (LRESULT)s.items[(size_t)wParam].data;
    case LB_SETITEMDATA:
        if (!Valid(s, (int)wParam))
            return LB_ERR;
        s.items[(size_t)wParam].data = (ULONG_PTR)lParam;
        return LB_OKAY;
    case LB_FINDSTRING:
        return Find(h, s, (int)wParam, lParam, false);
    case LB_FINDSTRINGEXACT:
        return Find(h, s, (int)wParam, lParam, true);
    case LB_SELECTSTRING: {
        const int i = Find(h, s, (int)wParam, lParam, false);
        if (i < 0)
            return LB_ERR;
        if (Multi(style)) {
            s.items[(size_t)i].selected = true;
            SetCaret(h, s, i);
            InvalidateItem(h, s, i);
        } else {
            SetCur(h, s, i);
        }
        EnsureVisible(h, s, i);
        return i;
    }
    case LB_INITSTORAGE:
        return Count(s);

    // ---- selection
    case LB_SETCURSEL: {
        if (Multi(style))
            return LB_ERR;
        const int i = (int)wParam;
        if (!Valid(s, i)) {
            SetCur(h, s, -1);
            return LB_ERR;
        }
        SetCur(h, s, i);
        EnsureVisible(h, s, i);
        return i;
    }
    case LB_GETCURSEL:
        if (Multi(style))
            return Valid(s, s.caret) ? s.caret : LB_ERR;
        return Valid(s, s.cur) ? s.cur : LB_ERR;
    case LB_SETSEL: {
        if (!Multi(style))
            return LB_ERR;
        const int i = (int)lParam;
        if (i == -1) {
            for (int k = 0; k < Count(s); ++k)
                s.items[(size_t)k].selected = wParam != 0;
            ::InvalidateRect(h, nullptr, TRUE);
            return LB_OKAY;
        }
        if (!Valid(s, i))
            return LB_ERR;
        s.items[(size_t)i].selected = wParam != 0;
        InvalidateItem(h, s, i);
        return LB_OKAY;
    }
    case LB_GETSEL:
        if (!Valid(s, (int)wParam))
            return LB_ERR;
        return IsSelected(h, s, (int)wParam) ? 1 : 0;
    case LB_GETSELCOUNT:
        if (!Multi(style))
            return LB_ERR;
        return (LRESULT)Selection(s).size();
    case LB_GETSELITEMS: {
        if (!Multi(style))
            return LB_ERR;
        const std::vector<int> sel = Selection(s);
        const int n = std::min((int)wParam, (int)sel.size());
        int* out = reinterpret_cast<int*>(lParam);
        for (int k = 0; k < n && out; ++k)
            out[k] = sel[(size_t)k];
        return n;
    }
    case LB_SELITEMRANGE:
    case LB_SELITEMRANGEEX: {
        if (!Multi(style))
            return LB_ERR;
        int first, last;
        bool select;
        if (message == LB_SELITEMRANGE) {
            select = wParam != 0;
            first = LOWORD(lParam);
            last = HIWORD(lParam);
        } else {
            first = (int)wParam;
            last = (int)lParam;
            select = first <= last;
        }
        for (int k = std::min(first, last); k <= std::max(first, last); ++k)
            if (Valid(s, k))
                s.items[(size_t)k].selected = select;
        ::InvalidateRect(h, nullptr, TRUE);
        return LB_OKAY;
    }
    case LB_SETANCHORINDEX:
        if (!Valid(s, (int)wParam))
            return LB_ERR;
        s.anchor = (int)wParam;
        return LB_OKAY;
    case LB_GETANCHORINDEX:
        return s.anchor;
    case LB_SETCARETINDEX:
        if (!Valid(s, (int)wParam))
            return LB_ERR;
        SetCaret(h, s, (int)wParam);
        if (!lParam)
            EnsureVisible(h, s, (int)wParam);
        return LB_OKAY;
    case LB_GETCARETINDEX:
        return s.caret >= 0 ? s.caret : (Count(s) > 0 ? 0 : LB_ERR);

    // ---- geometry
    case LB_GETTOPINDEX:
        return s.top;
    case LB_SETTOPINDEX:
        if ((int)wParam < 0 || ((int)wParam >= Count(s) && Count(s) > 0))
            return LB_ERR;
        SetTop(h, s, (int)wParam);
        return LB_OKAY;
    case LB_GETITEMRECT: {
        const int i = (int)wParam;
        if (!Valid(s, i) && !(i == 0 && Count(s) == 0))
            return LB_ERR;
        if (RECT* r = reinterpret_cast<RECT*>(lParam))
            *r = ItemRect(h, s, i);
        return 1;
    }
    case LB_SETITEMHEIGHT: {
        const int hgt = std::clamp((int)LOWORD(lParam), 1, 255);
        if (Variable(style)) {
            if (!Valid(s, (int)wParam))
                return LB_ERR;
            s.items[(size_t)wParam].height = hgt;
        } else {
            s.itemHeight = hgt;
        }
        Changed(h, s);
        return LB_OKAY;
    }
    case LB_GETITEMHEIGHT:
        if (Variable(style) && Valid(s, (int)wParam))
            return HeightOf(h, s, (int)wParam);
        return s.itemHeight;
    case LB_ITEMFROMPOINT: {
        bool outside = false;
        int i = ItemAt(h, s, PointOf(lParam), &outside);
        if (i < 0)
            i = std::max(0, Count(s) - 1);
        return MAKELONG(i, outside ? 1 : 0);
    }

    // ---- combo box list
    case CBP_LISTARM:
        s.armed = wParam != 0;
        return 0;
    case CBP_LISTHOT:
        s.hot = wParam != 0;
        if (!s.hot)
            s.armed = false;
        return 0;
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterListBox()
{
    RegisterSurfaceClass(WC_LISTBOX, ListProc);
    RegisterSurfaceClass(KV_COMBOLBOX_CLASS, ListProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_SAVEBITS);
}

} // namespace ctl
