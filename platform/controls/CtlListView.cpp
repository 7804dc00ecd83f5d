// The "SysListView32" window class, in report view (other views show as a report
// too): a header child window, rows drawn on the surface, owner data
// (LVS_OWNERDATA: texts asked for with LVN_GETDISPINFO, LVN_ODCACHEHINT before the
// rows are drawn), custom draw (NM_CUSTOMDRAW per item and per subitem, with the
// text and background colours of each cell), check boxes, label editing.
//
// Item states change through one path that tells the parent LVN_ITEMCHANGING
// (which may refuse) and LVN_ITEMCHANGED, whether the user or a message changed
// them. Clicks report NM_CLICK once the press has been handled (the platform's drag
// detection returns at once), NM_RCLICK likewise, NM_DBLCLK on a double click.
#include "platform/controls/CtlCommon.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <unordered_map>

namespace ctl {

namespace {

struct Item {
    std::vector<std::string> texts; // per column
    std::vector<bool> callback;     // the text is asked for with LVN_GETDISPINFO
    std::vector<int> images;        // per column, -1: none
    UINT state = 0;
    LPARAM param = 0;
    int indent = 0;
};

struct ListViewState {
    HWND header = nullptr;
    std::vector<Item> items;
    bool ownerData = false;
    std::vector<UINT> ownerStates;
    std::vector<int> columnSub;
    DWORD exStyle = 0;
    HIMAGELIST images[3] = {};
    COLORREF bk = CLR_DEFAULT;
    COLORREF text = CLR_DEFAULT;
    COLORREF textBk = CLR_DEFAULT;
    int top = 0;
    int scrollX = 0;
    int focused = -1;
    int mark = -1;
    int rowHeight = 16;
    int headerHeight = 0;
    int hintFrom = -1;
    int hintTo = -1;
    int wheelRest = 0;
    HWND edit = nullptr;
    int editItem = -1;
    WNDPROC editProc = nullptr;
    bool layingOut = false;
};

States<ListViewState> g_states;
std::unordered_map<HWND, HWND> g_labelEdits; // label edit -> list view

constexpr int kCheckSize = 13;

int Count(const ListViewState& s) { return s.ownerData ? (int)s.ownerStates.size() : (int)s.items.size(); }
bool Valid(const ListViewState& s, int i) { return i >= 0 && i < Count(s); }
int Columns(const ListViewState& s) { return (int)s.columnSub.size(); }

UINT StateOf(const ListViewState& s, int i)
{
    if (!Valid(s, i))
        return 0;
    return s.ownerData ? s.ownerStates[(size_t)i] : s.items[(size_t)i].state;
}

void StoreState(ListViewState& s, int i, UINT state)
{
    if (s.ownerData)
        s.ownerStates[(size_t)i] = state;
    else
        s.items[(size_t)i].state = state;
}

LPARAM ParamOf(const ListViewState& s, int i) { return !s.ownerData && Valid(s, i) ? s.items[(size_t)i].param : 0; }

COLORREF Resolve(COLORREF c, int sys) { return c == CLR_DEFAULT ? SysColor(sys) : c; }

int ColumnWidth(const ListViewState& s, int c)
{
    HDITEM hd{};
    hd.mask = HDI_WIDTH;
    return ::SendMessage(s.header, HDM_GETITEM, (WPARAM)c, (LPARAM)&hd) ? hd.cxy : 0;
}

int ColumnFormat(const ListViewState& s, int c)
{
    HDITEM hd{};
    hd.mask = HDI_FORMAT;
    ::SendMessage(s.header, HDM_GETITEM, (WPARAM)c, (LPARAM)&hd);
    return hd.fmt;
}

int TotalWidth(const ListViewState& s)
{
    int w = 0;
    for (int c = 0; c < Columns(s); ++c)
        w += ColumnWidth(s, c);
    return w;
}

int ColumnLeft(const ListViewState& s, int c)
{
    int x = -s.scrollX;
    for (int k = 0; k < c; ++k)
        x += ColumnWidth(s, k);
    return x;
}

int PerPage(HWND h, const ListViewState& s)
{
    const RECT c = Client(h);
    return std::max(0, (int)(c.bottom - s.headerHeight) / std::max(1, s.rowHeight));
}

int MaxTop(HWND h, const ListViewState& s) { return std::max(0, Count(s) - std::max(1, PerPage(h, s))); }

RECT RowRect(const ListViewState& s, int i)
{
    const int y = s.headerHeight + (i - s.top) * s.rowHeight;
    const int left = -s.scrollX;
    return RECT{left, y, left + TotalWidth(s), y + s.rowHeight};
}

RECT CellRect(const ListViewState& s, int i, int c)
{
    const RECT row = RowRect(s, i);
    const int x = ColumnLeft(s, c);
    return RECT{x, row.top, x + ColumnWidth(s, c), row.bottom};
}

bool HasChecks(const ListViewState& s) { return (s.exStyle & LVS_EX_CHECKBOXES) != 0; }

int SmallWidth(const ListViewState& s)
{
    int cx = 0, cy = 0;
    return s.images[LVSIL_SMALL] && ImageList_GetIconSize(s.images[LVSIL_SMALL], &cx, &cy) ? cx : 0;
}

// The parts of column 0 of an item: state icon (check box), icon, label.
struct Parts {
    RECT state{};
    RECT icon{};
    RECT label{};
};

Parts PartsOf(const ListViewState& s, int i)
{
    Parts p;
    const RECT cell = CellRect(s, i, 0);
    int x = cell.left + 2;
    if (!s.ownerData && Valid(s, i))
        x += s.items[(size_t)i].indent * std::max(SmallWidth(s), 16);
    if (HasChecks(s)) {
        const int y = cell.top + (Height(cell) - kCheckSize) / 2;
        p.state = RECT{x, y, x + kCheckSize, y + kCheckSize};
        x += kCheckSize + 3;
    }
    const int iw = SmallWidth(s);
    p.icon = RECT{x, cell.top, x + iw, cell.bottom};
    x += iw;
    p.label = RECT{x, cell.top, std::max<LONG>(x, cell.right), cell.bottom};
    return p;
}

void UpdateScroll(HWND h, ListViewState& s)
{
    if (Style(h) & LVS_NOSCROLL)
        return;
    const RECT c = Client(h);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, Count(s) - 1);
    si.nPage = (UINT)std::max(1, PerPage(h, s));
    si.nPos = s.top;
    ::SetScrollInfo(h, SB_VERT, &si, TRUE);
    si.nMax = std::max(0, TotalWidth(s) - 1);
    si.nPage = (UINT)std::max<LONG>(1, c.right);
    si.nPos = s.scrollX;
    ::SetScrollInfo(h, SB_HORZ, &si, TRUE);
}

void Layout(HWND h, ListViewState& s)
{
    if (s.layingOut || !s.header)
        return;
    s.layingOut = true;
    RECT rc = Client(h);
    WINDOWPOS pos{};
    HDLAYOUT layout{&rc, &pos};
    ::SendMessage(s.header, HDM_LAYOUT, 0, (LPARAM)&layout);
    s.headerHeight = (Style(h) & LVS_NOCOLUMNHEADER) ? 0 : pos.cy;
    ::MoveWindow(s.header, 0, 0, Width(Client(h)), s.headerHeight, TRUE);
    const int maxX = std::max(0, TotalWidth(s) - (int)Client(h).right);
    s.scrollX = std::clamp(s.scrollX, 0, maxX);
    s.top = std::clamp(s.top, 0, MaxTop(h, s));
    ::SendMessage(s.header, HDP_SETOFFSET, (WPARAM)s.scrollX, 0);
    UpdateScroll(h, s);
    s.layingOut = false;
}

void Changed(HWND h, ListViewState& s)
{
    Layout(h, s);
    ::InvalidateRect(h, nullptr, TRUE);
}

void MeasureRows(HWND h, ListViewState& s)
{
    int cx = 0, cy = 0;
    const int image = s.images[LVSIL_SMALL] && ImageList_GetIconSize(s.images[LVSIL_SMALL], &cx, &cy) ? cy : 0;
    s.rowHeight = std::max({FontMetrics(Font(h)).height + 3, image + 1, HasChecks(s) ? kCheckSize + 3 : 0});
}

void InvalidateRow(HWND h, const ListViewState& s, int i)
{
    if (!Valid(s, i))
        return;
    RECT r = RowRect(s, i);
    r.left = 0;
    r.right = Client(h).right;
    ::InvalidateRect(h, &r, TRUE);
}

// ---------------------------------------------------------------- texts, images

// `size`: the room the owner may fill when it is asked for the text.
std::string CellText(HWND h, const ListViewState& s, int i, int c, int size = 260)
{
    if (!Valid(s, i) || c < 0)
        return std::string();
    const bool ask = s.ownerData || (c < (int)s.items[(size_t)i].callback.size() && s.items[(size_t)i].callback[(size_t)c]);
    if (!ask) {
        const Item& it = s.items[(size_t)i];
        return c < (int)it.texts.size() ? it.texts[(size_t)c] : std::string();
    }
    std::vector<char> buffer((size_t)std::clamp(size, 1, 1 << 20), '\0');
    NMLVDISPINFO di{};
    di.item.mask = LVIF_TEXT;
    di.item.iItem = i;
    di.item.iSubItem = c;
    di.item.pszText = buffer.data();
    di.item.cchTextMax = (int)buffer.size();
    di.item.lParam = ParamOf(s, i);
    Notify(h, &di.hdr, LVN_GETDISPINFO);
    if (!di.item.pszText || di.item.pszText == LPSTR_TEXTCALLBACK)
        return std::string();
    if (di.item.pszText == buffer.data())
        return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
    return std::string(di.item.pszText);
}

int CellImage(HWND h, const ListViewState& s, int i, int c)
{
    if (!Valid(s, i) || !s.images[LVSIL_SMALL])
        return -1;
    if (c > 0 && !(s.exStyle & LVS_EX_SUBITEMIMAGES))
        return -1;
    int image = -1;
    if (!s.ownerData) {
        const Item& it = s.items[(size_t)i];
        image = c < (int)it.images.size() ? it.images[(size_t)c] : -1;
        if (image != I_IMAGECALLBACK)
            return image;
    }
    NMLVDISPINFO di{};
    di.item.mask = LVIF_IMAGE;
    di.item.iItem = i;
    di.item.iSubItem = c;
    di.item.iImage = -1;
    di.item.lParam = ParamOf(s, i);
    Notify(h, &di.hdr, LVN_GETDISPINFO);
    return di.item.iImage;
}

void EnsureColumns(Item& it, int n)
{
    if ((int)it.texts.size() < n) {
        it.texts.resize((size_t)n);
        it.callback.resize((size_t)n, false);
        it.images.resize((size_t)n, -1);
    }
}

// ---------------------------------------------------------------- states

LRESULT NotifyList(HWND h, UINT code, int item, int sub, UINT newState, UINT oldState, UINT changed, LPARAM param,
                   POINT pt = POINT{0, 0})
{
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.iSubItem = sub;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    nm.ptAction = pt;
    nm.lParam = param;
    return Notify(h, &nm.hdr, code);
}

bool ChangeState(HWND h, ListViewState& s, int i, UINT state, UINT mask)
{
    if (!Valid(s, i))
        return false;
    const UINT old = StateOf(s, i);
    const UINT now = (old & ~mask) | (state & mask);
    if (old == now)
        return true;
    if (NotifyList(h, LVN_ITEMCHANGING, i, 0, now, old, LVIF_STATE, ParamOf(s, i)))
        return false;
    if (!::IsWindow(h) || !Valid(s, i))
        return false;
    StoreState(s, i, now);
    if (now & LVIS_FOCUSED)
        s.focused = i;
    else if (s.focused == i)
        s.focused = -1;
    InvalidateRow(h, s, i);
    NotifyList(h, LVN_ITEMCHANGED, i, 0, now, old, LVIF_STATE, ParamOf(s, i));
    return true;
}

void SetItemState(HWND h, ListViewState& s, int i, UINT state, UINT mask)
{
    if (i == -1) {
        if (s.ownerData) {
            // One notification for all items, as owner data lists report it.
            for (int k = 0; k < Count(s); ++k)
                StoreState(s, k, (StateOf(s, k) & ~mask) | (state & mask));
            if ((mask & LVIS_FOCUSED) && !(state & LVIS_FOCUSED))
                s.focused = -1;
            ::InvalidateRect(h, nullptr, TRUE);
            NotifyList(h, LVN_ITEMCHANGED, -1, 0, state & mask, 0, LVIF_STATE, 0);
            return;
        }
        for (int k = 0; k < Count(s) && ::IsWindow(h); ++k)
            ChangeState(h, s, k, state, mask);
        return;
    }
    if (!Valid(s, i))
        return;
    if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED) && s.focused >= 0 && s.focused != i)
        ChangeState(h, s, s.focused, 0, LVIS_FOCUSED);
    if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED) && (Style(h) & LVS_SINGLESEL))
        for (int k = 0; k < Count(s); ++k)
            if (k != i && (StateOf(s, k) & LVIS_SELECTED))
                ChangeState(h, s, k, 0, LVIS_SELECTED);
    ChangeState(h, s, i, state, mask);
}

int SelectedCount(const ListViewState& s)
{
    int n = 0;
    for (int i = 0; i < Count(s); ++i)
        if (StateOf(s, i) & LVIS_SELECTED)
            ++n;
    return n;
}

void SelectOnly(HWND h, ListViewState& s, int from, int to)
{
    const int lo = std::min(from, to), hi = std::max(from, to);
    for (int i = 0; i < Count(s) && ::IsWindow(h); ++i) {
        const bool want = i >= lo && i <= hi && from >= 0;
        if (((StateOf(s, i) & LVIS_SELECTED) != 0) != want)
            ChangeState(h, s, i, want ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
}

void SetTop(HWND h, ListViewState& s, int top)
{
    if (!MoveTop(s.top, top, MaxTop(h, s)))
        return;
    UpdateScroll(h, s);
    ::InvalidateRect(h, nullptr, TRUE);
}

void EnsureVisible(HWND h, ListViewState& s, int i)
{
    if (!Valid(s, i))
        return;
    const int page = std::max(1, PerPage(h, s));
    int top = s.top;
    if (i < top)
        top = i;
    else if (i >= top + page)
        top = i - page + 1;
    SetTop(h, s, top);
}

void SetScrollX(HWND h, ListViewState& s, int x)
{
    x = std::clamp(x, 0, std::max(0, TotalWidth(s) - (int)Client(h).right));
    if (x == s.scrollX)
        return;
    s.scrollX = x;
    ::SendMessage(s.header, HDP_SETOFFSET, (WPARAM)x, 0);
    UpdateScroll(h, s);
    ::InvalidateRect(h, nullptr, TRUE);
}

// ---------------------------------------------------------------- hit testing

int HitTest(HWND h, const ListViewState& s, POINT p, int* sub, UINT* flags)
{
    *sub = -1;
    *flags = LVHT_NOWHERE;
    const RECT c = Client(h);
    if (p.y < s.headerHeight) {
        *flags = LVHT_ABOVE;
        return -1;
    }
    if (p.y >= c.bottom) {
        *flags = LVHT_BELOW;
        return -1;
    }
    const int i = s.top + (int)(p.y - s.headerHeight) / std::max(1, s.rowHeight);
    for (int col = 0; col < Columns(s); ++col) {
        const RECT cell = CellRect(s, i, col);
        if (p.x >= cell.left && p.x < cell.right)
            *sub = col;
    }
    if (!Valid(s, i))
        return -1;
    if (*sub < 0)
        return -1;
    if (*sub == 0) {
        const Parts parts = PartsOf(s, i);
        if (HasChecks(s) && Contains(parts.state, p))
            *flags = LVHT_ONITEMSTATEICON;
        else if (p.x >= parts.icon.left && p.x < parts.icon.right)
            *flags = LVHT_ONITEMICON;
        else if (p.x >= parts.label.left)
            *flags = LVHT_ONITEMLABEL;
        else
            *flags = LVHT_ONITEMLABEL;
        return i;
    }
    if (s.exStyle & LVS_EX_FULLROWSELECT) {
        *flags = LVHT_ONITEMLABEL;
        return i;
    }
    return -1;
}

// ---------------------------------------------------------------- painting

LRESULT CustomDraw(HWND h, NMLVCUSTOMDRAW& cd, DWORD stage, HDC dc, const RECT& rc)
{
    cd.nmcd.dwDrawStage = stage;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = rc;
    return Notify(h, &cd.nmcd.hdr, NM_CUSTOMDRAW);
}

void DrawCell(HWND h, HDC dc, const ListViewState& s, int i, int c, const RECT& cell, COLORREF text, COLORREF bk,
              bool highlight, bool focus)
{
    const bool fullRow = (s.exStyle & LVS_EX_FULLROWSELECT) != 0;
    RECT fill = cell;
    const Parts parts = c == 0 ? PartsOf(s, i) : Parts{};
    if (c == 0 && !fullRow)
        fill.left = parts.label.left;
    if (highlight && (fullRow || c == 0)) {
        FillSolid(dc, fill, focus ? SysColor(COLOR_HIGHLIGHT) : SysColor(COLOR_BTNFACE));
        text = focus ? SysColor(COLOR_HIGHLIGHTTEXT) : SysColor(COLOR_BTNTEXT);
        if (c == 0 && !fullRow && bk != CLR_NONE) {
            RECT rest{cell.left, cell.top, fill.left, cell.bottom};
            FillSolid(dc, rest, bk);
        }
    } else if (bk != CLR_NONE) {
        FillSolid(dc, cell, bk);
    }
    int x = cell.left + 6;
    if (c == 0) {
        if (HasChecks(s)) {
            RECT box = parts.state;
            const UINT image = (StateOf(s, i) & LVIS_STATEIMAGEMASK) >> 12;
            ::DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (image == 2 ? DFCS_CHECKED : 0));
        }
        x = parts.label.left + 2;
    }
    const int image = CellImage(h, s, i, c);
    int iw = 0, ih = 0;
    if (image >= 0 && s.images[LVSIL_SMALL] && ImageList_GetIconSize(s.images[LVSIL_SMALL], &iw, &ih)) {
        const int ix = c == 0 ? parts.icon.left : cell.left + 2;
        ImageList_Draw(s.images[LVSIL_SMALL], image, dc, ix, cell.top + (Height(cell) - ih) / 2,
                       (highlight && (fullRow || c == 0)) ? ILD_SELECTED : ILD_TRANSPARENT);
        if (c != 0)
            x = cell.left + 2 + iw + 2;
    }
    const std::string t = CellText(h, s, i, c);
    if (t.empty())
        return;
    RECT tr{x, cell.top, cell.right - 6, cell.bottom};
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (c > 0) {
        switch (ColumnFormat(s, c) & LVCFMT_JUSTIFYMASK) {
        case LVCFMT_RIGHT: format |= DT_RIGHT; break;
        case LVCFMT_CENTER: format |= DT_CENTER; break;
        default: break;
        }
    }
    ::SetTextColor(dc, text);
    ::DrawText(dc, t.c_str(), (int)t.size(), &tr, format);
}

void Paint(HWND h, HDC dc, ListViewState& s)
{
    const RECT client = Client(h);
    const COLORREF bk = Resolve(s.bk, COLOR_WINDOW);
    if (s.bk != CLR_NONE)
        FillSolid(dc, client, bk);
    HFONT font = Font(h);
    ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    NMLVCUSTOMDRAW cd{};
    const LRESULT pre = CustomDraw(h, cd, CDDS_PREPAINT, dc, client);
    if (!::IsWindow(h))
        return;
    const int count = Count(s);
    const int last = std::min(count - 1, s.top + PerPage(h, s));
    if (!(pre & CDRF_SKIPDEFAULT)) {
        if (s.ownerData && count > 0 && (s.hintFrom != s.top || s.hintTo != last)) {
            s.hintFrom = s.top;
            s.hintTo = last;
            NMLVCACHEHINT hint{};
            hint.iFrom = s.top;
            hint.iTo = last;
            Notify(h, &hint.hdr, LVN_ODCACHEHINT);
        }
        const bool focus = HasFocus(h);
        const bool showAlways = (Style(h) & LVS_SHOWSELALWAYS) != 0;
        const COLORREF defText = Resolve(s.text, COLOR_WINDOWTEXT);
        const COLORREF defBk = s.textBk == CLR_NONE ? CLR_NONE : Resolve(s.textBk, COLOR_WINDOW);
        for (int i = s.top; i <= last && ::IsWindow(h); ++i) {
            const RECT row = RowRect(s, i);
            const UINT state = StateOf(s, i);
            UINT itemState = 0;
            if (state & LVIS_SELECTED)
                itemState |= CDIS_SELECTED;
            if ((state & LVIS_FOCUSED) && focus)
                itemState |= CDIS_FOCUS;
            cd.nmcd.dwItemSpec = (DWORD_PTR)i;
            cd.nmcd.uItemState = itemState;
            cd.nmcd.lItemlParam = ParamOf(s, i);
            cd.clrText = defText;
            cd.clrTextBk = defBk;
            cd.iSubItem = 0;
            LRESULT itemResult = CDRF_DODEFAULT;
            if (pre & CDRF_NOTIFYITEMDRAW) {
                ::SelectObject(dc, font);
                itemResult = CustomDraw(h, cd, CDDS_ITEMPREPAINT, dc, row);
                if (!::IsWindow(h))
                    return;
            }
            if (itemResult & CDRF_SKIPDEFAULT)
                continue;
            const COLORREF itemText = cd.clrText == CLR_DEFAULT ? defText : cd.clrText;
            const COLORREF itemBk = cd.clrTextBk == CLR_DEFAULT ? Resolve(CLR_DEFAULT, COLOR_WINDOW) : cd.clrTextBk;
            const UINT drawnState = cd.nmcd.uItemState;
            const bool highlight = (drawnState & CDIS_SELECTED) && (focus || showAlways);
            for (int c = 0; c < Columns(s); ++c) {
                const RECT cell = CellRect(s, i, c);
                if (cell.right <= client.left || cell.left >= client.right)
                    continue;
                COLORREF text = itemText, cellBk = itemBk;
                if (itemResult & CDRF_NOTIFYSUBITEMDRAW) {
                    cd.nmcd.uItemState = drawnState;
                    cd.clrText = itemText;
                    cd.clrTextBk = itemBk;
                    cd.iSubItem = c;
                    const LRESULT r = CustomDraw(h, cd, CDDS_ITEMPREPAINT | CDDS_SUBITEM, dc, cell);
                    if (!::IsWindow(h))
                        return;
                    if (r & CDRF_SKIPDEFAULT)
                        continue;
                    text = cd.clrText == CLR_DEFAULT ? defText : cd.clrText;
                    cellBk = cd.clrTextBk == CLR_DEFAULT ? Resolve(CLR_DEFAULT, COLOR_WINDOW) : cd.clrTextBk;
                }
                const int saved = ::SaveDC(dc);
                ::IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
                DrawCell(h, dc, s, i, c, cell, text, cellBk, highlight, focus);
                ::RestoreDC(dc, saved);
            }
            if ((state & LVIS_FOCUSED) && focus) {
                RECT f = (s.exStyle & LVS_EX_FULLROWSELECT) ? row : PartsOf(s, i).label;
                if (!(s.exStyle & LVS_EX_FULLROWSELECT))
                    f.right = CellRect(s, i, 0).right;
                ::DrawFocusRect(dc, &f);
            }
            if (itemResult & CDRF_NOTIFYPOSTPAINT) {
                cd.iSubItem = 0;
                CustomDraw(h, cd, CDDS_ITEMPOSTPAINT, dc, row);
                if (!::IsWindow(h))
                    return;
            }
            ::SelectObject(dc, font);
        }
        if (s.exStyle & LVS_EX_GRIDLINES) {
            HPEN pen = ::CreatePen(PS_SOLID, 1, SysColor(COLOR_BTNFACE));
            HGDIOBJ old = ::SelectObject(dc, pen);
            const int total = TotalWidth(s) - s.scrollX;
            for (int y = s.headerHeight + s.rowHeight - 1; y < client.bottom; y += s.rowHeight) {
                ::MoveToEx(dc, 0, y, nullptr);
                ::LineTo(dc, std::min<LONG>(total, client.right), y);
            }
            for (int c = 0; c < Columns(s); ++c) {
                const int x = ColumnLeft(s, c) + ColumnWidth(s, c) - 1;
                ::MoveToEx(dc, x, s.headerHeight, nullptr);
                ::LineTo(dc, x, client.bottom);
            }
            ::SelectObject(dc, old);
            ::DeleteObject(pen);
        }
    }
    if (pre & CDRF_NOTIFYPOSTPAINT)
        CustomDraw(h, cd, CDDS_POSTPAINT, dc, client);
}

// ---------------------------------------------------------------- label editing

void EndEdit(HWND h, ListViewState& s, bool ok)
{
    if (!s.edit)
        return;
    HWND edit = s.edit;
    const int i = s.editItem;
    s.edit = nullptr;
    s.editItem = -1;
    char buffer[1024] = {};
    ::GetWindowText(edit, buffer, (int)sizeof buffer);
    NMLVDISPINFO di{};
    di.item.mask = LVIF_TEXT;
    di.item.iItem = i;
    di.item.pszText = ok ? buffer : nullptr;
    di.item.cchTextMax = (int)sizeof buffer;
    di.item.lParam = ParamOf(s, i);
    const LRESULT accept = Notify(h, &di.hdr, LVN_ENDLABELEDIT);
    if (ok && accept && ::IsWindow(h) && Valid(s, i) && !s.ownerData) {
        EnsureColumns(s.items[(size_t)i], std::max(1, Columns(s)));
        s.items[(size_t)i].texts[0] = buffer;
        s.items[(size_t)i].callback[0] = false;
        InvalidateRow(h, s, i);
    }
    g_labelEdits.erase(edit);
    ::DestroyWindow(edit);
}

LRESULT CALLBACK LabelEditProc(HWND e, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = g_labelEdits.find(e);
    const HWND list = it == g_labelEdits.end() ? nullptr : it->second;
    std::shared_ptr<ListViewState> sp = list ? g_states.Get(list) : nullptr;
    WNDPROC previous = sp ? sp->editProc : nullptr;
    if (sp && sp->edit == e) {
        switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | ::CallWindowProc(previous, e, message, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                EndEdit(list, *sp, wParam == VK_RETURN);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == '\r' || wParam == 0x1b)
                return 0;
            break;
        case WM_KILLFOCUS: {
            const LRESULT r = ::CallWindowProc(previous, e, message, wParam, lParam);
            EndEdit(list, *sp, true);
            return r;
        }
        default:
            break;
        }
    }
    return ::CallWindowProc(previous ? previous : ::DefWindowProc, e, message, wParam, lParam);
}

HWND BeginEdit(HWND h, ListViewState& s, int i)
{
    EndEdit(h, s, true);
    if (!Valid(s, i) || !::IsWindow(h))
        return nullptr;
    EnsureVisible(h, s, i);
    if (::GetFocus() != h)
        ::SetFocus(h);
    std::string text = CellText(h, s, i, 0);
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back(0);
    NMLVDISPINFO di{};
    di.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    di.item.iItem = i;
    di.item.pszText = buffer.data();
    di.item.cchTextMax = (int)buffer.size();
    di.item.lParam = ParamOf(s, i);
    di.item.state = StateOf(s, i);
    if (Notify(h, &di.hdr, LVN_BEGINLABELEDIT) || !::IsWindow(h) || !Valid(s, i))
        return nullptr;
    RECT r = PartsOf(s, i).label;
    r.right = std::max<LONG>(r.right, r.left + 40);
    HWND edit = ::CreateWindowEx(0, WC_EDIT, text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r.left,
                                 r.top, Width(r), Height(r), h, (HMENU)1, nullptr, nullptr);
    if (!edit)
        return nullptr;
    ::SendMessage(edit, WM_SETFONT, (WPARAM)Font(h), FALSE);
    s.edit = edit;
    s.editItem = i;
    g_labelEdits[edit] = h;
    s.editProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LabelEditProc)));
    ::SendMessage(edit, EM_SETSEL, 0, -1);
    ::SetFocus(edit);
    return edit;
}

// ---------------------------------------------------------------- input

void Activate(HWND h, ListViewState& s, UINT code, int item, int sub, POINT p, UINT keys)
{
    NMITEMACTIVATE nm{};
    nm.iItem = item;
    nm.iSubItem = sub;
    nm.ptAction = p;
    nm.lParam = ParamOf(s, item);
    if (keys & MK_SHIFT)
        nm.uKeyFlags |= LVKF_SHIFT;
    if (keys & MK_CONTROL)
        nm.uKeyFlags |= LVKF_CONTROL;
    Notify(h, &nm.hdr, code);
}

void ToggleCheck(HWND h, ListViewState& s, int i)
{
    const UINT image = (StateOf(s, i) & LVIS_STATEIMAGEMASK) >> 12;
    SetItemState(h, s, i, INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
}

void ClickItem(HWND h, ListViewState& s, int i, UINT keys)
{
    const bool single = (Style(h) & LVS_SINGLESEL) != 0;
    const bool ctrl = (keys & MK_CONTROL) && !single, shift = (keys & MK_SHIFT) && !single;
    if (i < 0) {
        if (!ctrl)
            SelectOnly(h, s, -1, -1);
        return;
    }
    if (shift) {
        if (s.mark < 0)
            s.mark = i;
        SelectOnly(h, s, s.mark, i);
    } else if (ctrl) {
        SetItemState(h, s, i, (StateOf(s, i) & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        s.mark = i;
    } else {
        SelectOnly(h, s, i, i);
        s.mark = i;
    }
    if (::IsWindow(h))
        SetItemState(h, s, i, LVIS_FOCUSED, LVIS_FOCUSED);
}

void ButtonDown(HWND h, const std::shared_ptr<ListViewState>& sp, UINT message, WPARAM keys, POINT p)
{
    ListViewState& s = *sp;
    if (::GetFocus() != h)
        ::SetFocus(h);
    if (!::IsWindow(h))
        return;
    int sub = -1;
    UINT flags = 0;
    const int i = HitTest(h, s, p, &sub, &flags);
    const bool right = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK;
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        if (i >= 0 && (flags & LVHT_ONITEMSTATEICON) && HasChecks(s))
            ToggleCheck(h, s, i);
        else
            ClickItem(h, s, i, (UINT)keys);
    } else if (right && i >= 0 && !(StateOf(s, i) & LVIS_SELECTED)) {
        ClickItem(h, s, i, 0);
    }
    if (!::IsWindow(h))
        return;
    UINT code = 0;
    switch (message) {
    case WM_LBUTTONDOWN: code = NM_CLICK; break;
    case WM_LBUTTONDBLCLK: code = NM_DBLCLK; break;
    case WM_RBUTTONDOWN: code = NM_RCLICK; break;
    case WM_RBUTTONDBLCLK: code = NM_RDBLCLK; break;
    default: return;
    }
    Activate(h, s, code, i, sub, p, (UINT)keys);
}

void KeyDown(HWND h, ListViewState& s, UINT vk)
{
    NMLVKEYDOWN nk{};
    nk.wVKey = (WORD)vk;
    Notify(h, &nk.hdr, LVN_KEYDOWN);
    if (!::IsWindow(h))
        return;
    const int n = Count(s);
    if (n == 0)
        return;
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const int from = s.focused >= 0 ? s.focused : -1;
    const int page = std::max(1, PerPage(h, s) - 1);
    int target;
    switch (vk) {
    case VK_UP: target = from < 0 ? 0 : from - 1; break;
    case VK_DOWN: target = from < 0 ? 0 : from + 1; break;
    case VK_PRIOR: target = from < 0 ? 0 : from - page; break;
    case VK_NEXT: target = from < 0 ? 0 : from + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = n - 1; break;
    case VK_SPACE:
        if (from < 0)
            return;
        if (HasChecks(s))
            ToggleCheck(h, s, from);
        else if (ctrl && !(Style(h) & LVS_SINGLESEL))
            SetItemState(h, s, from, (StateOf(s, from) & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        else
            SetItemState(h, s, from, LVIS_SELECTED, LVIS_SELECTED);
        return;
    case VK_F2:
        if ((Style(h) & LVS_EDITLABELS) && from >= 0)
            BeginEdit(h, s, from);
        return;
    default:
        return;
    }
    target = std::clamp(target, 0, n - 1);
    if (ctrl) {
        SetItemState(h, s, target, LVIS_FOCUSED, LVIS_FOCUSED);
    } else {
        ClickItem(h, s, target, shift ? MK_SHIFT : 0);
    }
    if (::IsWindow(h))
        EnsureVisible(h, s, target);
}

void Scroll(HWND h, ListViewState& s, int bar, UINT code, int thumb)
{
    if (bar == SB_VERT) {
        const int page = std::max(1, PerPage(h, s));
        ScrollRows(code, s.top, page, thumb, [&](int top) { SetTop(h, s, top); }, [&] { return MaxTop(h, s); });
        return;
    }
    const int page = std::max<int>(1, Client(h).right);
    const int line = FontMetrics(Font(h)).aveWidth * 2;
    switch (code) {
    case SB_LINELEFT: SetScrollX(h, s, s.scrollX - line); break;
    case SB_LINERIGHT: SetScrollX(h, s, s.scrollX + line); break;
    case SB_PAGELEFT: SetScrollX(h, s, s.scrollX - page); break;
    case SB_PAGERIGHT: SetScrollX(h, s, s.scrollX + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: SetScrollX(h, s, thumb); break;
    case SB_LEFT: SetScrollX(h, s, 0); break;
    case SB_RIGHT: SetScrollX(h, s, TotalWidth(s)); break;
    default: break;
    }
}

// ---------------------------------------------------------------- items

void ApplyItem(HWND h, ListViewState& s, const LVITEM& in, bool inserting)
{
    Item& it = s.items[(size_t)in.iItem];
    const int c = std::max(0, in.iSubItem);
    EnsureColumns(it, std::max(Columns(s), c + 1));
    if (in.mask & LVIF_TEXT) {
        const bool callback = in.pszText == LPSTR_TEXTCALLBACK;
        it.callback[(size_t)c] = callback;
        it.texts[(size_t)c] = callback || !in.pszText ? std::string() : std::string(in.pszText);
    }
    if (in.mask & LVIF_IMAGE)
        it.images[(size_t)c] = in.iImage;
    if (c == 0) {
        if (in.mask & LVIF_PARAM)
            it.param = in.lParam;
        if (in.mask & LVIF_INDENT)
            it.indent = in.iIndent;
    }
    if ((in.mask & LVIF_STATE) && c == 0) {
        if (inserting)
            it.state = (it.state & ~in.stateMask) | (in.state & in.stateMask);
        else
            SetItemState(h, s, in.iItem, in.state, in.stateMask);
    }
}

int InsertItem(HWND h, ListViewState& s, const LVITEM* in)
{
    if (!in || s.ownerData)
        return -1;
    int i = std::clamp(in->iItem, 0, Count(s));
    const DWORD style = Style(h);
    if ((style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) && (in->mask & LVIF_TEXT) && in->pszText &&
        in->pszText != LPSTR_TEXTCALLBACK) {
        const bool up = style & LVS_SORTASCENDING;
        i = 0;
        while (i < Count(s)) {
            const int c = CompareNoCase(s.items[(size_t)i].texts.empty() ? std::string() : s.items[(size_t)i].texts[0],
                                        in->pszText);
            if (up ? c > 0 : c < 0)
                break;
            ++i;
        }
    }
    Item item;
    EnsureColumns(item, std::max(1, Columns(s)));
    if (HasChecks(s))
        item.state = INDEXTOSTATEIMAGEMASK(1);
    s.items.insert(s.items.begin() + i, item);
    LVITEM copy = *in;
    copy.iItem = i;
    copy.iSubItem = 0;
    ApplyItem(h, s, copy, true);
    const UINT state = s.items[(size_t)i].state;
    for (int* v : {&s.focused, &s.mark, &s.editItem})
        if (*v >= i)
            ++*v;
    if (state & LVIS_FOCUSED) {
        for (int k = 0; k < Count(s); ++k)
            if (k != i)
                s.items[(size_t)k].state &= ~(UINT)LVIS_FOCUSED;
        s.focused = i;
    }
    Changed(h, s);
    NotifyList(h, LVN_INSERTITEM, i, 0, 0, 0, 0, s.items[(size_t)i].param);
    return i;
}

BOOL DeleteItem(HWND h, ListViewState& s, int i)
{
    if (!Valid(s, i) || s.ownerData)
        return FALSE;
    if (s.editItem == i)
        EndEdit(h, s, false);
    if (!::IsWindow(h) || !Valid(s, i))
        return FALSE;
    NotifyList(h, LVN_DELETEITEM, i, 0, 0, 0, 0, s.items[(size_t)i].param);
    if (!::IsWindow(h) || !Valid(s, i))
        return FALSE;
    s.items.erase(s.items.begin() + i);
    for (int* v : {&s.focused, &s.mark, &s.editItem}) {
        if (*v == i)
            *v = -1;
        else if (*v > i)
            --*v;
    }
    Changed(h, s);
    return TRUE;
}

BOOL DeleteAll(HWND h, ListViewState& s)
{
    EndEdit(h, s, false);
    if (s.ownerData) {
        s.ownerStates.clear();
    } else if (!s.items.empty()) {
        const LRESULT quiet = NotifyList(h, LVN_DELETEALLITEMS, -1, 0, 0, 0, 0, 0);
        if (!quiet)
            for (int i = 0; i < Count(s) && ::IsWindow(h); ++i)
                NotifyList(h, LVN_DELETEITEM, i, 0, 0, 0, 0, s.items[(size_t)i].param);
        if (!::IsWindow(h))
            return FALSE;
        s.items.clear();
    }
    s.focused = s.mark = -1;
    s.top = 0;
    s.hintFrom = s.hintTo = -1;
    Changed(h, s);
    return TRUE;
}

BOOL GetItem(HWND h, const ListViewState& s, LVITEM* out)
{
    if (!out || !Valid(s, out->iItem))
        return FALSE;
    const int i = out->iItem, c = std::max(0, out->iSubItem);
    if ((out->mask & LVIF_TEXT) && out->pszText && out->cchTextMax > 0)
        CopyText(CellText(h, s, i, c, out->cchTextMax), out->pszText, out->cchTextMax);
    if (out->mask & LVIF_IMAGE) {
        if (s.ownerData) {
            out->iImage = CellImage(h, s, i, c);
        } else {
            const Item& it = s.items[(size_t)i];
            out->iImage = c < (int)it.images.size() ? it.images[(size_t)c] : -1;
        }
    }
    if (out->mask & LVIF_PARAM)
        out->lParam = ParamOf(s, i);
    if (out->mask & LVIF_STATE)
        out->state = StateOf(s, i) & out->stateMask;
    if (out->mask & LVIF_INDENT)
        out->iIndent = s.ownerData ? 0 : s.items[(size_t)i].indent;
    return TRUE;
}

BOOL SortItems(HWND h, ListViewState& s, LPARAM sortParam, PFNLVCOMPARE compare)
{
    if (!compare || s.ownerData)
        return FALSE;
    EndEdit(h, s, true);
    std::vector<int> order((size_t)Count(s));
    std::iota(order.begin(), order.end(), 0);
    const std::vector<Item> items = s.items;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return compare(items[(size_t)a].param, items[(size_t)b].param, sortParam) < 0;
    });
    for (size_t k = 0; k < order.size(); ++k)
        s.items[k] = items[(size_t)order[k]];
    s.focused = s.mark = -1;
    for (int k = 0; k < Count(s); ++k)
        if (s.items[(size_t)k].state & LVIS_FOCUSED)
            s.focused = k;
    ::InvalidateRect(h, nullptr, TRUE);
    return TRUE;
}

int AutoWidth(HWND h, const ListViewState& s, int c, bool header)
{
    const HFONT font = Font(h);
    int w = 0;
    if (!s.ownerData)
        for (int i = 0; i < Count(s); ++i)
            w = std::max<int>(w, TextExtent(font, CellText(h, s, i, c)).cx);
    w += 12;
    if (c == 0)
        w += (HasChecks(s) ? kCheckSize + 3 : 0) + SmallWidth(s);
    if (header) {
        char text[260] = {};
        HDITEM hd{};
        hd.mask = HDI_TEXT;
        hd.pszText = text;
        hd.cchTextMax = (int)sizeof text;
        ::SendMessage(s.header, HDM_GETITEM, (WPARAM)c, (LPARAM)&hd);
        w = std::max<int>(w, TextExtent(font, text).cx + 12);
        if (c == Columns(s) - 1)
            w = std::max<int>(w, (int)Client(h).right - ColumnLeft(s, c) - s.scrollX);
    }
    return w;
}

// ---------------------------------------------------------------- the window procedure

// The header item of a column's width, text and image, as far as the column's mask names them.
HDITEM HeaderItemOf(const LVCOLUMN& in)
{
    HDITEM hd{};
    if (in.mask & LVCF_WIDTH) {
        hd.mask |= HDI_WIDTH;
        hd.cxy = std::max(0, in.cx);
    }
    if ((in.mask & LVCF_TEXT) && in.pszText) {
        hd.mask |= HDI_TEXT;
        hd.pszText = in.pszText;
    }
    if (in.mask & LVCF_IMAGE) {
        hd.mask |= HDI_IMAGE;
        hd.iImage = in.iImage;
    }
    return hd;
}

LRESULT CALLBACK ListViewProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<ListViewState> sp = g_states.ForMessage(h, message);
    if (!sp || message == WM_NCDESTROY)
        return ::DefWindowProc(h, message, wParam, lParam);
    ListViewState& s = *sp;
    switch (message) {
    case WM_CREATE: {
        const DWORD style = Style(h);
        s.ownerData = (style & LVS_OWNERDATA) != 0;
        DWORD hs = WS_CHILD | HDS_HORZ;
        if (!(style & LVS_NOCOLUMNHEADER))
            hs |= WS_VISIBLE;
        if (!(style & LVS_NOSORTHEADER))
            hs |= HDS_BUTTONS;
        s.header = ::CreateWindowEx(0, WC_HEADER, "", hs, 0, 0, 0, 0, h, (HMENU)0, nullptr, nullptr);
        if (!s.header)
            return -1;
        MeasureRows(h, s);
        Layout(h, s);
        return 0;
    }
    case WM_DESTROY:
        EndEdit(h, s, false);
        if (!s.ownerData && !s.items.empty() && !NotifyList(h, LVN_DELETEALLITEMS, -1, 0, 0, 0, 0, 0))
            for (int i = 0; i < Count(s) && ::IsWindow(h); ++i)
                NotifyList(h, LVN_DELETEITEM, i, 0, 0, 0, 0, s.items[(size_t)i].param);
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_SIZE:
        Layout(h, s);
        return 0;
    case WM_SETFONT: {
        const LRESULT r = ::DefWindowProc(h, message, wParam, lParam);
        ::SendMessage(s.header, WM_SETFONT, wParam, lParam);
        MeasureRows(h, s);
        Changed(h, s);
        return r;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintMessage(h, wParam, [&](HDC dc) { Paint(h, dc, s); });
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        ::InvalidateRect(h, nullptr, FALSE);
        NMHDR nm{};
        Notify(h, &nm, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        ButtonDown(h, sp, message, wParam, PointOf(lParam));
        return 0;
    case WM_MBUTTONDOWN:
        if (::GetFocus() != h)
            ::SetFocus(h);
        return 0;
    case WM_MOUSEWHEEL: {
        const int lines = WheelRows(s.wheelRest, wParam);
        if (lines)
            SetTop(h, s, s.top - lines);
        return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
        EndEdit(h, s, true);
        Scroll(h, s, message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam), (int)(short)HIWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        KeyDown(h, s, (UINT)wParam);
        return 0;
    case WM_CHAR: {
        const unsigned char c = (unsigned char)wParam;
        if (c <= ' ' || s.ownerData || Count(s) == 0)
            return 0;
        const std::string prefix(1, (char)c);
        for (int k = 1; k <= Count(s); ++k) {
            const int i = (std::max(s.focused, -1) + k) % Count(s);
            if (StartsWithNoCase(CellText(h, s, i, 0), prefix)) {
                ClickItem(h, s, i, 0);
                EnsureVisible(h, s, i);
                break;
            }
        }
        return 0;
    }
    case WM_NOTIFY: {
        NMHDR* nm = reinterpret_cast<NMHDR*>(lParam);
        if (!nm || nm->hwndFrom != s.header)
            return ::DefWindowProc(h, message, wParam, lParam);
        if (nm->code == HDN_ITEMCHANGING || nm->code == HDN_BEGINTRACK)
            EndEdit(h, s, true);
        // The parent hears what the header says, as the header's own parent would.
        HWND parent = ::GetParent(h);
        const LRESULT r = parent ? ::SendMessage(parent, WM_NOTIFY, wParam, lParam) : 0;
        if (!::IsWindow(h))
            return r;
        if (nm->code == HDN_ITEMCHANGED) {
            Changed(h, s);
        } else if (nm->code == HDN_ITEMCLICK) {
            const NMHEADER* hd = reinterpret_cast<const NMHEADER*>(lParam);
            NotifyList(h, LVN_COLUMNCLICK, -1, hd->iItem, 0, 0, 0, 0);
        }
        return r;
    }
    case WM_SETCURSOR:
        return SetCursorMessage(h, wParam, lParam, IDC_ARROW);

    // ---- items
    case LVM_GETITEMCOUNT:
        return Count(s);
    case LVM_SETITEMCOUNT: {
        if (!s.ownerData)
            return TRUE;
        const int n = std::max(0, (int)wParam);
        s.ownerStates.resize((size_t)n, 0);
        if (s.focused >= n)
            s.focused = -1;
        if (s.mark >= n)
            s.mark = -1;
        s.hintFrom = s.hintTo = -1;
        if (!(lParam & LVSICF_NOSCROLL))
            s.top = std::clamp(s.top, 0, MaxTop(h, s));
        Changed(h, s);
        return TRUE;
    }
    case LVM_INSERTITEM:
        return InsertItem(h, s, reinterpret_cast<const LVITEM*>(lParam));
    case LVM_DELETEITEM:
        return DeleteItem(h, s, (int)wParam);
    case LVM_DELETEALLITEMS:
        return DeleteAll(h, s);
    case LVM_GETITEM:
        return GetItem(h, s, reinterpret_cast<LVITEM*>(lParam));
    case LVM_SETITEM: {
        const LVITEM* in = reinterpret_cast<const LVITEM*>(lParam);
        if (!in || !Valid(s, in->iItem))
            return FALSE;
        if (s.ownerData) {
            if ((in->mask & LVIF_STATE) && in->iSubItem == 0)
                SetItemState(h, s, in->iItem, in->state, in->stateMask);
            return TRUE;
        }
        ApplyItem(h, s, *in, false);
        InvalidateRow(h, s, in->iItem);
        return TRUE;
    }
    case LVM_GETITEMTEXT: {
        LVITEM* io = reinterpret_cast<LVITEM*>(lParam);
        if (!io || !Valid(s, (int)wParam) || !io->pszText || io->cchTextMax <= 0)
            return 0;
        return CopyText(CellText(h, s, (int)wParam, std::max(0, io->iSubItem), io->cchTextMax), io->pszText,
                        io->cchTextMax);
    }
    case LVM_SETITEMTEXT: {
        const LVITEM* in = reinterpret_cast<const LVITEM*>(lParam);
        if (!in || !Valid(s, (int)wParam) || s.ownerData)
            return FALSE;
        LVITEM copy = *in;
        copy.mask = LVIF_TEXT;
        copy.iItem = (int)wParam;
        ApplyItem(h, s, copy, false);
        InvalidateRow(h, s, (int)wParam);
        return TRUE;
    }
    case LVM_SETITEMSTATE: {
        const LVITEM* in = reinterpret_cast<const LVITEM*>(lParam);
        if (!in || ((int)wParam != -1 && !Valid(s, (int)wParam)))
            return FALSE;
        SetItemState(h, s, (int)wParam, in->state, in->stateMask);
        return TRUE;
    }
    case LVM_GETITEMSTATE:
        return StateOf(s, (int)wParam) & (UINT)lParam;
    case LVM_GETSELECTEDCOUNT:
        return SelectedCount(s);
    case LVM_GETNEXTITEM: {
        const int start = (int)wParam;
        const UINT flags = (UINT)LOWORD(lParam);
        const UINT want = ((flags & LVNI_SELECTED) ? LVIS_SELECTED : 0) | ((flags & LVNI_FOCUSED) ? LVIS_FOCUSED : 0) |
                          ((flags & LVNI_CUT) ? LVIS_CUT : 0) | ((flags & LVNI_DROPHILITED) ? LVIS_DROPHILITED : 0);
        const int step = (flags & (LVNI_ABOVE | LVNI_TOLEFT)) ? -1 : 1;
        for (int i = start < 0 ? (step > 0 ? 0 : -1) : start + step; i >= 0 && i < Count(s); i += step)
            if ((StateOf(s, i) & want) == want)
                return i;
        return -1;
    }
    case LVM_GETSELECTIONMARK:
        return s.mark;
    case LVM_SETSELECTIONMARK: {
        const int old = s.mark;
        s.mark = (int)lParam;
        return old;
    }
    case LVM_SORTITEMS:
        return SortItems(h, s, (LPARAM)wParam, reinterpret_cast<PFNLVCOMPARE>(lParam));
    case LVM_REDRAWITEMS:
        for (int i = (int)wParam; i <= (int)lParam; ++i)
            InvalidateRow(h, s, i);
        return TRUE;
    case LVM_UPDATE:
        InvalidateRow(h, s, (int)wParam);
        return TRUE;

    // ---- geometry
    case LVM_GETITEMRECT: {
        RECT* r = reinterpret_cast<RECT*>(lParam);
        const int i = (int)wParam;
        if (!r || !Valid(s, i))
            return FALSE;
        const int code = r->left;
        const Parts parts = PartsOf(s, i);
        switch (code) {
        case LVIR_ICON: *r = parts.icon; break;
        case LVIR_LABEL: {
            *r = parts.label;
            r->right = CellRect(s, i, 0).right;
            break;
        }
        case LVIR_SELECTBOUNDS:
            *r = (s.exStyle & LVS_EX_FULLROWSELECT) ? RowRect(s, i) : RECT{parts.icon.left, parts.icon.top,
                                                                          CellRect(s, i, 0).right, parts.icon.bottom};
            break;
        default: *r = RowRect(s, i); break;
        }
        return TRUE;
    }
    case LVM_GETSUBITEMRECT: {
        RECT* r = reinterpret_cast<RECT*>(lParam);
        const int i = (int)wParam;
        if (!r || !Valid(s, i) || r->top < 0 || r->top >= std::max(1, Columns(s)))
            return FALSE;
        const int c = r->top, code = r->left;
        if (c == 0) {
            const Parts parts = PartsOf(s, i);
            if (code == LVIR_ICON)
                *r = parts.icon;
            else if (code == LVIR_LABEL)
                *r = RECT{parts.label.left, parts.label.top, CellRect(s, i, 0).right, parts.label.bottom};
            else
                *r = RowRect(s, i); // as on Windows: the bounds of subitem 0 are the whole row
            return TRUE;
        }
        const RECT cell = CellRect(s, i, c);
        const int iw = (s.exStyle & LVS_EX_SUBITEMIMAGES) ? SmallWidth(s) : 0;
        if (code == LVIR_ICON)
            *r = RECT{cell.left, cell.top, cell.left + iw, cell.bottom};
        else if (code == LVIR_LABEL)
            *r = RECT{cell.left + (iw ? iw + 2 : 0), cell.top, cell.right, cell.bottom};
        else
            *r = cell;
        return TRUE;
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
        LVHITTESTINFO* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        int sub = -1;
        UINT flags = 0;
        int i = HitTest(h, s, info->pt, &sub, &flags);
        if (message == LVM_SUBITEMHITTEST && i < 0 && sub > 0) {
            // A subitem hit counts without full-row selection.
            const int row = s.top + (int)(info->pt.y - s.headerHeight) / std::max(1, s.rowHeight);
            if (info->pt.y >= s.headerHeight && Valid(s, row)) {
                i = row;
                flags = LVHT_ONITEMLABEL;
            }
        }
        info->flags = flags;
        info->iItem = i;
        info->iSubItem = message == LVM_SUBITEMHITTEST ? (i >= 0 ? sub : -1) : 0;
        return i;
    }
    case LVM_ENSUREVISIBLE:
        if (!Valid(s, (int)wParam))
            return FALSE;
        EnsureVisible(h, s, (int)wParam);
        return TRUE;
    case LVM_SCROLL:
        SetScrollX(h, s, s.scrollX + (int)wParam);
        SetTop(h, s, s.top + (int)lParam / std::max(1, s.rowHeight));
        return TRUE;
    case LVM_GETTOPINDEX:
        return s.top;
    case LVM_GETCOUNTPERPAGE:
        return PerPage(h, s);
    case LVM_GETORIGIN:
        return FALSE; // report view has no origin
    case LVM_GETVIEWRECT:
        if (RECT* r = reinterpret_cast<RECT*>(lParam)) {
            *r = RECT{-s.scrollX, s.headerHeight - s.top * s.rowHeight, TotalWidth(s) - s.scrollX,
                      s.headerHeight + (Count(s) - s.top) * s.rowHeight};
            return TRUE;
        }
        return FALSE;
    case LVM_GETSTRINGWIDTH:
        return lParam ? TextExtent(Font(h), reinterpret_cast<const char*>(lParam)).cx : 0;

    // ---- columns
    case LVM_INSERTCOLUMN: {
        const LVCOLUMN* in = reinterpret_cast<const LVCOLUMN*>(lParam);
        if (!in)
            return -1;
        const int c = std::clamp((int)wParam, 0, Columns(s));
        HDITEM hd = HeaderItemOf(*in);
        hd.mask |= HDI_FORMAT;
        hd.fmt = HDF_STRING | ((in->mask & LVCF_FMT) ? (in->fmt & LVCFMT_JUSTIFYMASK) : LVCFMT_LEFT);
        if (c == 0)
            hd.fmt = (hd.fmt & ~HDF_JUSTIFYMASK) | HDF_LEFT; // the first column is always left-aligned
        if (in->mask & LVCF_IMAGE)
            hd.fmt |= HDF_IMAGE;
        const int at = (int)::SendMessage(s.header, HDM_INSERTITEM, (WPARAM)c, (LPARAM)&hd);
        if (at < 0)
            return -1;
        s.columnSub.insert(s.columnSub.begin() + at, (in->mask & LVCF_SUBITEM) ? in->iSubItem : at);
        for (Item& it : s.items) {
            EnsureColumns(it, Columns(s) - 1);
            it.texts.insert(it.texts.begin() + at, std::string());
            it.callback.insert(it.callback.begin() + at, false);
            it.images.insert(it.images.begin() + at, -1);
        }
        Changed(h, s);
        return at;
    }
    case LVM_DELETECOLUMN: {
        const int c = (int)wParam;
        if (c < 0 || c >= Columns(s))
            return FALSE;
        EndEdit(h, s, true);
        ::SendMessage(s.header, HDM_DELETEITEM, (WPARAM)c, 0);
        s.columnSub.erase(s.columnSub.begin() + c);
        for (Item& it : s.items) {
            if (c < (int)it.texts.size()) {
                it.texts.erase(it.texts.begin() + c);
                it.callback.erase(it.callback.begin() + c);
                it.images.erase(it.images.begin() + c);
            }
        }
        Changed(h, s);
        return TRUE;
    }
    case LVM_GETCOLUMN: {
        LVCOLUMN* out = reinterpret_cast<LVCOLUMN*>(lParam);
        const int c = (int)wParam;
        if (!out || c < 0 || c >= Columns(s))
            return FALSE;
        HDITEM hd{};
        hd.mask = HDI_WIDTH | HDI_FORMAT | HDI_IMAGE;
        if ((out->mask & LVCF_TEXT) && out->pszText) {
            hd.mask |= HDI_TEXT;
            hd.pszText = out->pszText;
            hd.cchTextMax = out->cchTextMax;
        }
        ::SendMessage(s.header, HDM_GETITEM, (WPARAM)c, (LPARAM)&hd);
        if (out->mask & LVCF_FMT)
            out->fmt = hd.fmt & (LVCFMT_JUSTIFYMASK | LVCFMT_IMAGE | LVCFMT_BITMAP_ON_RIGHT);
        if (out->mask & LVCF_WIDTH)
            out->cx = hd.cxy;
        if (out->mask & LVCF_SUBITEM)
            out->iSubItem = s.columnSub[(size_t)c];
        if (out->mask & LVCF_IMAGE)
            out->iImage = hd.iImage;
        if (out->mask & LVCF_ORDER)
            out->iOrder = c;
        return TRUE;
    }
    case LVM_SETCOLUMN: {
        const LVCOLUMN* in = reinterpret_cast<const LVCOLUMN*>(lParam);
        const int c = (int)wParam;
        if (!in || c < 0 || c >= Columns(s))
            return FALSE;
        HDITEM hd = HeaderItemOf(*in);
        if (in->mask & LVCF_FMT) {
            hd.mask |= HDI_FORMAT;
            hd.fmt = HDF_STRING | (c == 0 ? HDF_LEFT : (in->fmt & LVCFMT_JUSTIFYMASK)) |
                     (in->fmt & (LVCFMT_IMAGE | LVCFMT_BITMAP_ON_RIGHT));
        }
        if (in->mask & LVCF_SUBITEM)
            s.columnSub[(size_t)c] = in->iSubItem;
        ::SendMessage(s.header, HDM_SETITEM, (WPARAM)c, (LPARAM)&hd);
        Changed(h, s);
        return TRUE;
    }
    case LVM_GETCOLUMNWIDTH:
        return (int)wParam >= 0 && (int)wParam < Columns(s) ? ColumnWidth(s, (int)wParam) : 0;
    case LVM_SETCOLUMNWIDTH: {
        const int c = (int)wParam;
        if (c < 0 || c >= Columns(s))
            return FALSE;
        int w = (int)(short)LOWORD(lParam);
        if (w == LVSCW_AUTOSIZE || w == LVSCW_AUTOSIZE_USEHEADER)
            w = AutoWidth(h, s, c, w == LVSCW_AUTOSIZE_USEHEADER);
        HDITEM hd{};
        hd.mask = HDI_WIDTH;
        hd.cxy = std::max(0, w);
        ::SendMessage(s.header, HDM_SETITEM, (WPARAM)c, (LPARAM)&hd);
        Changed(h, s);
        return TRUE;
    }
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(s.header);

    // ---- looks
    case LVM_SETIMAGELIST: {
        const int which = (int)wParam;
        if (which < 0 || which > 2)
            return 0;
        HIMAGELIST old = s.images[which];
        s.images[which] = reinterpret_cast<HIMAGELIST>(lParam);
        MeasureRows(h, s);
        Changed(h, s);
        return reinterpret_cast<LRESULT>(old);
    }
    case LVM_GETIMAGELIST:
        return (int)wParam >= 0 && (int)wParam <= 2 ? reinterpret_cast<LRESULT>(s.images[wParam]) : 0;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD old = s.exStyle;
        const DWORD mask = wParam ? (DWORD)wParam : 0xFFFFFFFFu;
        s.exStyle = (s.exStyle & ~mask) | ((DWORD)lParam & mask);
        if (!(old & LVS_EX_CHECKBOXES) && HasChecks(s))
            for (Item& it : s.items)
                if (!(it.state & LVIS_STATEIMAGEMASK))
                    it.state |= INDEXTOSTATEIMAGEMASK(1);
        MeasureRows(h, s);
        Changed(h, s);
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return s.exStyle;
    case LVM_SETBKCOLOR:
        s.bk = (COLORREF)lParam;
        ::InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    case LVM_GETBKCOLOR:
        return Resolve(s.bk, COLOR_WINDOW);
    case LVM_SETTEXTCOLOR:
        s.text = (COLORREF)lParam;
        ::InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    case LVM_GETTEXTCOLOR:
        return Resolve(s.text, COLOR_WINDOWTEXT);
    case LVM_SETTEXTBKCOLOR:
        s.textBk = (COLORREF)lParam;
        ::InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    case LVM_GETTEXTBKCOLOR:
        return s.textBk == CLR_NONE ? CLR_NONE : Resolve(s.textBk, COLOR_WINDOW);

    // ---- label editing
    case LVM_EDITLABEL:
        if ((int)wParam == -1) {
            EndEdit(h, s, false);
            return 0;
        }
        return reinterpret_cast<LRESULT>(BeginEdit(h, s, (int)wParam));
    case LVM_GETEDITCONTROL:
        return reinterpret_cast<LRESULT>(s.edit);
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterListView() { RegisterSurfaceClass(WC_LISTVIEW, ListViewProc); }

} // namespace ctl
