// The "ComboBox" window class. The items live in the combo box's list (a
// "ComboLBox" window: a pop-up shown below the combo box for CBS_DROPDOWN and
// CBS_DROPDOWNLIST, a child below the edit for CBS_SIMPLE); CBS_DROPDOWN and
// CBS_SIMPLE have an "Edit" child with id 1001.
//
// The window takes the height of its selection field; the height it was created
// or sized with becomes the height of the dropped list (as on Windows, where a
// template's combo box height includes its list).
//
// Notifications: CBN_SELCHANGE when the user changes the selection (keys, a click
// in the list, the wheel); closing the list sends CBN_SELCHANGE (if the selection
// changed), CBN_SELENDOK and CBN_CLOSEUP, or CBN_SELENDCANCEL and CBN_CLOSEUP;
// CBN_EDITUPDATE / CBN_EDITCHANGE follow the user's changes in the edit (not
// WM_SETTEXT or a selection); CBN_SETFOCUS / CBN_KILLFOCUS when the focus enters or
// leaves the combo box and its edit.
#include "platform/controls/CtlCommon.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstring>

namespace ctl {

namespace {

struct ComboState {
    HWND list = nullptr;
    HWND edit = nullptr;
    DWORD type = CBS_DROPDOWN;
    bool dropped = false;
    int droppedHeight = 100;
    int fieldHeight = 15;
    int droppedWidth = 0;
    int selAtDrop = -1;
    bool focus = false;
    int settingText = 0;
};

States<ComboState> g_states;

constexpr int kEdge = 2; // the sunken edge around the field

int FaceHeight(const ComboState& s) { return s.fieldHeight + 2 * kEdge + 2; }
int CurSel(const ComboState& s) { return s.list ? (int)::SendMessage(s.list, LB_GETCURSEL, 0, 0) : CB_ERR; }
int Count(const ComboState& s) { return s.list ? (int)::SendMessage(s.list, LB_GETCOUNT, 0, 0) : 0; }

std::string ItemText(const ComboState& s, int i)
{
    const int n = (int)::SendMessage(s.list, LB_GETTEXTLEN, (WPARAM)i, 0);
    if (n < 0)
        return std::string();
    std::string t((size_t)n + 1, '\0');
    ::SendMessage(s.list, LB_GETTEXT, (WPARAM)i, (LPARAM)t.data());
    t.resize(std::strlen(t.c_str()));
    return t;
}

bool OwnerDraw(HWND h) { return (Style(h) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }

RECT ButtonRect(HWND h, const ComboState& s)
{
    const RECT rc = Client(h);
    const int cx = ::GetSystemMetrics(SM_CXVSCROLL);
    return RECT{rc.right - kEdge - cx, kEdge, rc.right - kEdge, std::min<LONG>(rc.bottom, FaceHeight(s)) - kEdge};
}

RECT FieldRect(HWND h, const ComboState& s)
{
    const RECT rc = Client(h);
    RECT f{kEdge + 1, kEdge + 1, rc.right - kEdge - 1, FaceHeight(s) - kEdge - 1};
    if (s.type != CBS_SIMPLE)
        f.right = ButtonRect(h, s).left - 1;
    return f;
}

void Layout(HWND h, ComboState& s)
{
    const RECT rc = Client(h);
    if (s.edit) {
        const RECT f = FieldRect(h, s);
        ::MoveWindow(s.edit, f.left, f.top, Width(f), Height(f), TRUE);
    }
    if (s.type == CBS_SIMPLE && s.list) {
        const int top = FaceHeight(s);
        ::MoveWindow(s.list, 0, top, Width(rc), std::max<LONG>(0, rc.bottom - top), TRUE);
    }
}

void FitHeight(HWND h, ComboState& s)
{
    if (s.type == CBS_SIMPLE)
        return;
    const RECT rc = Client(h);
    RECT wr;
    ::GetWindowRect(h, &wr);
    if (Height(rc) != FaceHeight(s))
        ::SetWindowPos(h, nullptr, 0, 0, Width(wr), FaceHeight(s) + (Height(wr) - Height(rc)),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetEditText(ComboState& s, const std::string& text, bool selectAll)
{
    if (!s.edit)
        return;
    ++s.settingText;
    ::SetWindowText(s.edit, text.c_str());
    --s.settingText;
    if (selectAll)
        ::SendMessage(s.edit, EM_SETSEL, 0, -1);
}

// The field shows the selection.
void Sync(HWND h, ComboState& s)
{
    const int cur = CurSel(s);
    if (s.edit)
        SetEditText(s, cur >= 0 ? ItemText(s, cur) : std::string(), HasFocus(s.edit));
    ::InvalidateRect(h, nullptr, FALSE);
}

void SelectIndex(HWND h, ComboState& s, int i, bool notify)
{
    const int old = CurSel(s);
    ::SendMessage(s.list, LB_SETCURSEL, (WPARAM)i, 0);
    if (s.dropped)
        s.selAtDrop = CurSel(s);
    Sync(h, s);
    if (notify && CurSel(s) != old && ::IsWindow(h))
        Command(h, CBN_SELCHANGE);
}

RECT DropRect(HWND h, const ComboState& s)
{
    RECT wr;
    ::GetWindowRect(h, &wr);
    const int itemHeight = std::max(1, (int)::SendMessage(s.list, LB_GETITEMHEIGHT, 0, 0));
    int items = 0;
    const int n = Count(s);
    for (int i = 0; i < n; ++i)
        items += (int)::SendMessage(s.list, LB_GETITEMHEIGHT, (WPARAM)i, 0);
    if (n == 0)
        items = itemHeight;
    const int border = 2 * ::GetSystemMetrics(SM_CYBORDER);
    int height = std::max(s.droppedHeight - Height(wr), itemHeight + border);
    height = std::min(height, items + border);
    const int width = std::max<int>(s.droppedWidth, Width(wr));
    int top = wr.bottom;
    QScreen* screen = QGuiApplication::primaryScreen();
    const int screenBottom = screen ? screen->geometry().bottom() + 1 : 1 << 20;
    if (top + height > screenBottom && wr.top - height >= 0)
        top = wr.top - height;
    return RECT{wr.left, top, wr.left + width, top + height};
}

void DropDown(HWND h, ComboState& s, bool byMouse)
{
    if (s.dropped || s.type == CBS_SIMPLE || !s.list)
        return;
    Command(h, CBN_DROPDOWN);
    if (!::IsWindow(h) || s.dropped)
        return;
    const RECT r = DropRect(h, s);
    s.selAtDrop = CurSel(s);
    s.dropped = true;
    ::SendMessage(s.list, CBP_LISTARM, byMouse, 0);
    ::SendMessage(s.list, CBP_LISTHOT, TRUE, 0);
    ::SetWindowPos(s.list, HWND_TOP, r.left, r.top, Width(r), Height(r), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (s.selAtDrop >= 0)
        ::SendMessage(s.list, LB_SETCURSEL, (WPARAM)s.selAtDrop, 0);
    ::SetCapture(s.list);
    ::InvalidateRect(h, nullptr, FALSE);
}

void CloseUp(HWND h, ComboState& s, bool ok)
{
    if (!s.dropped)
        return;
    s.dropped = false;
    ::SendMessage(s.list, CBP_LISTHOT, FALSE, 0);
    if (::GetCapture() == s.list)
        ::ReleaseCapture();
    ::ShowWindow(s.list, SW_HIDE);
    ::InvalidateRect(h, nullptr, FALSE);
    const int now = CurSel(s);
    if (!ok) {
        if (now != s.selAtDrop)
            ::SendMessage(s.list, LB_SETCURSEL, (WPARAM)s.selAtDrop, 0);
        Command(h, CBN_SELENDCANCEL);
        if (::IsWindow(h))
            Command(h, CBN_CLOSEUP);
        return;
    }
    const bool changed = now != s.selAtDrop;
    if (changed) {
        Sync(h, s);
        Command(h, CBN_SELCHANGE);
    }
    if (::IsWindow(h))
        Command(h, CBN_SELENDOK);
    if (::IsWindow(h))
        Command(h, CBN_CLOSEUP);
}

void FocusLost(HWND h, ComboState& s, HWND to)
{
    if (!s.focus || (to && (to == h || to == s.edit || to == s.list)))
        return;
    if (s.dropped)
        CloseUp(h, s, false);
    if (!::IsWindow(h))
        return;
    s.focus = false;
    ::InvalidateRect(h, nullptr, FALSE);
    Command(h, CBN_KILLFOCUS);
}

void FocusGained(HWND h, ComboState& s)
{
    if (s.focus)
        return;
    s.focus = true;
    ::InvalidateRect(h, nullptr, FALSE);
    Command(h, CBN_SETFOCUS);
}

int ListPage(const ComboState& s)
{
    const int itemHeight = std::max(1, (int)::SendMessage(s.list, LB_GETITEMHEIGHT, 0, 0));
    RECT r;
    ::GetClientRect(s.list, &r);
    const int visible = s.dropped ? Height(r) / itemHeight : (s.droppedHeight - FaceHeight(s)) / itemHeight;
    return std::max(1, visible - 1);
}

bool HandleKey(HWND h, ComboState& s, UINT vk, bool alt)
{
    if ((vk == VK_F4 && !alt) || (alt && (vk == VK_DOWN || vk == VK_UP))) {
        if (s.dropped)
            CloseUp(h, s, true);
        else
            DropDown(h, s, false);
        return true;
    }
    if (alt)
        return false;
    if (vk == VK_RETURN || vk == VK_ESCAPE) {
        if (!s.dropped)
            return false;
        CloseUp(h, s, vk == VK_RETURN);
        return true;
    }
    const int n = Count(s);
    const int cur = CurSel(s);
    int target;
    switch (vk) {
    case VK_UP: target = cur < 0 ? 0 : cur - 1; break;
    case VK_DOWN: target = cur < 0 ? 0 : cur + 1; break;
    case VK_PRIOR: target = cur < 0 ? 0 : cur - ListPage(s); break;
    case VK_NEXT: target = cur < 0 ? 0 : cur + ListPage(s); break;
    case VK_HOME:
        if (s.edit)
            return false;
        target = 0;
        break;
    case VK_END:
        if (s.edit)
            return false;
        target = n - 1;
        break;
    default: return false;
    }
    if (n == 0)
        return true;
    SelectIndex(h, s, std::clamp(target, 0, n - 1), true);
    return true;
}

void Paint(HWND h, HDC dc, ComboState& s)
{
    const RECT rc = Client(h);
    const bool enabled = Enabled(h);
    HBRUSH brush = CtlColor(h, dc, WM_CTLCOLOREDIT);
    const COLORREF textColor = ::GetTextColor(dc);
    RECT face{0, 0, rc.right, std::min<LONG>(rc.bottom, FaceHeight(s))};
    if (s.type == CBS_SIMPLE) {
        ::FillRect(dc, &face, brush);
        ::DrawEdge(dc, &face, EDGE_SUNKEN, BF_RECT);
        return;
    }
    ::FillRect(dc, &face, brush);
    ::DrawEdge(dc, &face, EDGE_SUNKEN, BF_RECT);
    RECT button = ButtonRect(h, s);
    ::DrawFrameControl(dc, &button, DFC_SCROLL,
                       DFCS_SCROLLCOMBOBOX | (s.dropped ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
    if (s.type != CBS_DROPDOWNLIST)
        return;
    const RECT field = FieldRect(h, s);
    const int cur = CurSel(s);
    const bool highlight = s.focus && !s.dropped;
    if (OwnerDraw(h)) {
        UINT state = ODS_COMBOBOXEDIT;
        if (highlight)
            state |= ODS_SELECTED | ODS_FOCUS;
        if (!enabled)
            state |= ODS_DISABLED;
        const ULONG_PTR data = cur >= 0 ? (ULONG_PTR)::SendMessage(s.list, LB_GETITEMDATA, (WPARAM)cur, 0) : 0;
        SendDrawItem(h, ODT_COMBOBOX, (UINT)cur, ODA_DRAWENTIRE, state, dc, field, data);
        return;
    }
    ::SelectObject(dc, Font(h));
    ::SetBkMode(dc, TRANSPARENT);
    if (highlight) {
        FillSolid(dc, field, SysColor(COLOR_HIGHLIGHT));
        ::SetTextColor(dc, SysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        ::SetTextColor(dc, enabled ? textColor : SysColor(COLOR_GRAYTEXT));
    }
    if (cur >= 0) {
        const std::string text = ItemText(s, cur);
        RECT tr = field;
        tr.left += 2;
        ::DrawText(dc, text.c_str(), (int)text.size(), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (highlight)
        ::DrawFocusRect(dc, &field);
}

void Create(HWND h, ComboState& s, const CREATESTRUCT* cs)
{
    const DWORD style = Style(h);
    s.type = style & 3;
    if (s.type == 0)
        s.type = CBS_SIMPLE;
    s.droppedHeight = cs ? cs->cy : 100;
    const int fontHeight = FontMetrics(Font(h)).height;
    int itemHeight = fontHeight;
    s.fieldHeight = fontHeight + 2;
    if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        s.fieldHeight = (int)SendMeasureItem(h, ODT_COMBOBOX, (UINT)-1, (UINT)fontHeight, 0);
        if (style & CBS_OWNERDRAWFIXED)
            itemHeight = (int)SendMeasureItem(h, ODT_COMBOBOX, 0, (UINT)fontHeight, 0);
    }
    DWORD lb = LBS_COMBOBOX | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (style & CBS_SORT)
        lb |= LBS_SORT;
    if (style & CBS_HASSTRINGS)
        lb |= LBS_HASSTRINGS;
    if (style & CBS_OWNERDRAWFIXED)
        lb |= LBS_OWNERDRAWFIXED;
    if (style & CBS_OWNERDRAWVARIABLE)
        lb |= LBS_OWNERDRAWVARIABLE;
    if (style & CBS_DISABLENOSCROLL)
        lb |= LBS_DISABLENOSCROLL;
    const RECT rc = Client(h);
    if (s.type == CBS_SIMPLE)
        s.list = ::CreateWindowEx(WS_EX_CLIENTEDGE, KV_COMBOLBOX_CLASS, "", WS_CHILD | WS_VISIBLE | lb, 0,
                                  FaceHeight(s), Width(rc), std::max<LONG>(0, rc.bottom - FaceHeight(s)), h,
                                  (HMENU)1000, nullptr, (LPVOID)h);
    else
        s.list = ::CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, KV_COMBOLBOX_CLASS, "", WS_POPUP | WS_BORDER | lb,
                                  0, 0, Width(rc), 100, h, nullptr, nullptr, (LPVOID)h);
    if (s.list)
        ::SendMessage(s.list, LB_SETITEMHEIGHT, 0, MAKELPARAM(itemHeight, 0));
    if (s.type != CBS_DROPDOWNLIST) {
        DWORD es = WS_CHILD | WS_VISIBLE | ES_LEFT;
        if (style & CBS_AUTOHSCROLL)
            es |= ES_AUTOHSCROLL;
        if (style & CBS_UPPERCASE)
            es |= ES_UPPERCASE;
        if (style & CBS_LOWERCASE)
            es |= ES_LOWERCASE;
        const RECT f = FieldRect(h, s);
        s.edit = ::CreateWindowEx(0, WC_EDIT, cs && cs->lpszName ? cs->lpszName : "", es, f.left, f.top, Width(f),
                                  Height(f), h, (HMENU)1001, nullptr, nullptr);
    }
    FitHeight(h, s);
    Layout(h, s);
}

LRESULT CALLBACK ComboProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<ComboState> sp = g_states.ForMessage(h, message);
    if (!sp || message == WM_NCDESTROY)
        return ::DefWindowProc(h, message, wParam, lParam);
    ComboState& s = *sp;
    switch (message) {
    case WM_CREATE:
        Create(h, s, reinterpret_cast<const CREATESTRUCT*>(lParam));
        return s.list ? 0 : -1;
    case WM_DESTROY:
        if (s.list && s.type != CBS_SIMPLE) {
            HWND list = s.list;
            s.list = nullptr;
            ::DestroyWindow(list);
        }
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_WINDOWPOSCHANGING: {
        WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (pos && s.type != CBS_SIMPLE && !(pos->flags & SWP_NOSIZE)) {
            RECT wr, rc;
            ::GetWindowRect(h, &wr);
            ::GetClientRect(h, &rc);
            const int frame = Height(wr) - Height(rc);
            if (pos->cy != FaceHeight(s) + frame) {
                s.droppedHeight = pos->cy;
                pos->cy = FaceHeight(s) + frame;
            }
        }
        return 0;
    }
    case WM_SIZE:
        Layout(h, s);
        return 0;
    case WM_SETFONT: {
        const LRESULT r = ::DefWindowProc(h, message, wParam, lParam);
        if (s.edit)
            ::SendMessage(s.edit, WM_SETFONT, wParam, lParam);
        if (s.list)
            ::SendMessage(s.list, WM_SETFONT, wParam, FALSE);
        if (!OwnerDraw(h)) {
            const int fh = FontMetrics(Font(h)).height;
            s.fieldHeight = fh + 2;
            if (s.list)
                ::SendMessage(s.list, LB_SETITEMHEIGHT, 0, MAKELPARAM(fh, 0));
        }
        FitHeight(h, s);
        Layout(h, s);
        ::InvalidateRect(h, nullptr, TRUE);
        return r;
    }
    case WM_ENABLE:
        if (s.edit)
            ::EnableWindow(s.edit, (BOOL)wParam);
        if (s.list && s.type == CBS_SIMPLE)
            ::EnableWindow(s.list, (BOOL)wParam);
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintMessage(h, wParam, [&](HDC dc) { Paint(h, dc, s); });
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (s.dropped && msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_SETFOCUS:
        if (s.edit) {
            ::SetFocus(s.edit);
            return 0;
        }
        FocusGained(h, s);
        return 0;
    case WM_KILLFOCUS:
        if (!s.edit)
            FocusLost(h, s, (HWND)wParam);
        return 0;
    case WM_CANCELMODE:
        CloseUp(h, s, false);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        HWND target = s.edit ? s.edit : h;
        if (::GetFocus() != target)
            ::SetFocus(target);
        if (!::IsWindow(h))
            return 0;
        const POINT p = PointOf(lParam);
        if (s.type == CBS_DROPDOWNLIST || (s.type == CBS_DROPDOWN && Contains(ButtonRect(h, s), p))) {
            if (s.dropped)
                CloseUp(h, s, true);
            else
                DropDown(h, s, true);
        }
        return 0;
    }
    case WM_MOUSEWHEEL:
        if (s.dropped) {
            ::SendMessage(s.list, WM_MOUSEWHEEL, wParam, lParam);
        } else if (s.focus) {
            const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
            HandleKey(h, s, delta > 0 ? VK_UP : VK_DOWN, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (!HandleKey(h, s, (UINT)wParam, false))
            return ::DefWindowProc(h, message, wParam, lParam);
        return 0;
    case WM_SYSKEYDOWN:
        if (!HandleKey(h, s, (UINT)wParam, true))
            return ::DefWindowProc(h, message, wParam, lParam);
        return 0;
    case WM_CHAR: {
        const unsigned char c = (unsigned char)wParam;
        if (s.edit || c < ' ' || Count(s) == 0)
            return 0;
        const char text[2] = {(char)c, 0};
        const int i = (int)::SendMessage(s.list, LB_FINDSTRING, (WPARAM)CurSel(s), (LPARAM)text);
        if (i >= 0)
            SelectIndex(h, s, i, true);
        return 0;
    }
    case WM_COMMAND:
        if ((HWND)lParam == s.edit && s.edit) {
            switch (HIWORD(wParam)) {
            case EN_SETFOCUS:
                FocusGained(h, s);
                break;
            case EN_KILLFOCUS:
                FocusLost(h, s, ::GetFocus());
                break;
            case EN_UPDATE:
                if (!s.settingText)
                    Command(h, CBN_EDITUPDATE);
                break;
            case EN_CHANGE:
                if (!s.settingText) {
                    Command(h, CBN_EDITCHANGE);
                    if (s.dropped && ::IsWindow(h)) {
                        char buffer[512] = {};
                        ::GetWindowText(s.edit, buffer, (int)sizeof buffer);
                        const int i = (int)::SendMessage(s.list, LB_FINDSTRING, (WPARAM)-1, (LPARAM)buffer);
                        if (i >= 0)
                            ::SendMessage(s.list, LB_SETCURSEL, (WPARAM)i, 0);
                    }
                }
                break;
            default:
                break;
            }
        }
        return 0;
    case CBP_EDITKEY:
        return HandleKey(h, s, (UINT)wParam, lParam != 0) ? TRUE : FALSE;
    case CBP_LISTCLOSE:
        CloseUp(h, s, wParam != 0);
        return 0;
    case CBP_LISTSELECT:
        if (lParam) {
            Command(h, CBN_DBLCLK);
            return 0;
        }
        if (s.edit && ::GetFocus() != s.edit)
            ::SetFocus(s.edit);
        if (::IsWindow(h)) {
            Sync(h, s);
            if (CurSel(s) != (int)wParam)
                Command(h, CBN_SELCHANGE);
        }
        return 0;
    case WM_SETCURSOR:
        return SetCursorMessage(h, wParam, lParam, IDC_ARROW);

    // ---- text
    case WM_GETTEXT:
        if (s.edit)
            return ::SendMessage(s.edit, WM_GETTEXT, wParam, lParam);
        if (CurSel(s) < 0)
            return CopyText(std::string(), reinterpret_cast<char*>(lParam), (int)wParam);
        return CopyText(ItemText(s, CurSel(s)), reinterpret_cast<char*>(lParam), (int)wParam);
    case WM_GETTEXTLENGTH:
        if (s.edit)
            return ::SendMessage(s.edit, WM_GETTEXTLENGTH, 0, 0);
        return CurSel(s) < 0 ? 0 : (LRESULT)ItemText(s, CurSel(s)).size();
    case WM_SETTEXT:
        if (s.edit) {
            SetEditText(s, lParam ? reinterpret_cast<const char*>(lParam) : "", false);
            return TRUE;
        } else {
            const int i = (int)::SendMessage(s.list, LB_FINDSTRINGEXACT, (WPARAM)-1, lParam);
            if (i < 0)
                return CB_ERR;
            SelectIndex(h, s, i, false);
            return TRUE;
        }

    // ---- items: kept by the list
    case CB_ADDSTRING:
        return ::SendMessage(s.list, LB_ADDSTRING, 0, lParam);
    case CB_INSERTSTRING:
        return ::SendMessage(s.list, LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
        const LRESULT r = ::SendMessage(s.list, LB_DELETESTRING, wParam, 0);
        ::InvalidateRect(h, nullptr, FALSE);
        return r;
    }
    case CB_RESETCONTENT:
        ::SendMessage(s.list, LB_RESETCONTENT, 0, 0);
        SetEditText(s, std::string(), false);
        ::InvalidateRect(h, nullptr, FALSE);
        return CB_OKAY;
    case CB_GETCOUNT:
        return Count(s);
    case CB_GETCURSEL:
        return CurSel(s);
    case CB_SETCURSEL: {
        const int i = (int)wParam;
        SelectIndex(h, s, i, false);
        return i >= 0 && i < Count(s) ? i : CB_ERR;
    }
    case CB_SELECTSTRING: {
        const int i = (int)::SendMessage(s.list, LB_FINDSTRING, wParam, lParam);
        if (i < 0)
            return CB_ERR;
        SelectIndex(h, s, i, false);
        return i;
    }
    case CB_GETLBTEXT:
        return ::SendMessage(s.list, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN:
        return ::SendMessage(s.list, LB_GETTEXTLEN, wParam, 0);
    case CB_FINDSTRING:
        return ::SendMessage(s.list, LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT:
        return ::SendMessage(s.list, LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_GETITEMDATA:
        return ::SendMessage(s.list, LB_GETITEMDATA, wParam, 0);
    case CB_SETITEMDATA:
        return ::SendMessage(s.list, LB_SETITEMDATA, wParam, lParam);
    case CB_GETTOPINDEX:
        return ::SendMessage(s.list, LB_GETTOPINDEX, 0, 0);
    case CB_SETTOPINDEX:
        return ::SendMessage(s.list, LB_SETTOPINDEX, wParam, 0) == LB_ERR ? CB_ERR : CB_OKAY;
    case CB_INITSTORAGE:
        return ::SendMessage(s.list, LB_INITSTORAGE, wParam, lParam);
    case CB_SETITEMHEIGHT:
        if ((int)wParam == -1) {
            s.fieldHeight = std::max(1, (int)LOWORD(lParam));
            FitHeight(h, s);
            Layout(h, s);
            ::InvalidateRect(h, nullptr, TRUE);
            return CB_OKAY;
        }
        return ::SendMessage(s.list, LB_SETITEMHEIGHT, wParam, lParam);
    case CB_GETITEMHEIGHT:
        if ((int)wParam == -1)
            return s.fieldHeight;
        return ::SendMessage(s.list, LB_GETITEMHEIGHT, wParam, 0);

    // ---- the drop-down
    case CB_SHOWDROPDOWN:
        if (wParam)
            DropDown(h, s, false);
        else
            CloseUp(h, s, true);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return s.dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT:
        if (RECT* r = reinterpret_cast<RECT*>(lParam)) {
            if (s.type == CBS_SIMPLE)
                ::GetWindowRect(s.list, r);
            else
                *r = DropRect(h, s);
        }
        return TRUE;
    case CB_SETDROPPEDWIDTH:
        s.droppedWidth = (int)wParam;
        return s.droppedWidth;
    case CB_GETDROPPEDWIDTH: {
        RECT wr;
        ::GetWindowRect(h, &wr);
        return std::max<int>(s.droppedWidth, Width(wr));
    }

    // ---- the edit
    case CB_LIMITTEXT:
        if (!s.edit)
            return CB_ERR;
        ::SendMessage(s.edit, EM_LIMITTEXT, wParam, 0);
        return TRUE;
    case CB_GETEDITSEL:
        if (!s.edit)
            return CB_ERR;
        return ::SendMessage(s.edit, EM_GETSEL, wParam, lParam);
    case CB_SETEDITSEL:
        if (!s.edit)
            return CB_ERR;
        ::SendMessage(s.edit, EM_SETSEL, (WPARAM)(int)(short)LOWORD(lParam), (LPARAM)(int)(short)HIWORD(lParam));
        return TRUE;
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
        if (s.edit)
            return ::SendMessage(s.edit, message, wParam, lParam);
        return 0;
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterComboBox() { RegisterSurfaceClass(WC_COMBOBOX, ComboProc); }

} // namespace ctl
