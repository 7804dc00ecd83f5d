// The "ComboBoxEx32" window class: a combo box child (id 1001 of its own, owner
// drawn by this window) whose items show an image of the image list before their
// text. CB_ messages go to the child; its notifications reach this window's parent
// as this window's own.
#include "platform/controls/CtlCommon.h"

#include <algorithm>

namespace ctl {

namespace {

struct ExItem {
    std::string text;
    int image = -1;
    int selectedImage = -1;
    int overlay = -1;
    int indent = 0;
    LPARAM param = 0;
};

struct ExState {
    HWND combo = nullptr;
    std::vector<ExItem> items;
    HIMAGELIST images = nullptr;
    DWORD exStyle = 0;
};

States<ExState> g_states;

int Count(const ExState& s) { return (int)s.items.size(); }
bool Valid(const ExState& s, int i) { return i >= 0 && i < Count(s); }

int ItemHeight(HWND h, const ExState& s)
{
    int cx = 0, cy = 0;
    const int image = s.images && ImageList_GetIconSize(s.images, &cx, &cy) ? cy : 0;
    return std::max(FontMetrics(Font(h)).height, image) + 2;
}

void Resize(HWND h, ExState& s)
{
    if (!s.combo)
        return;
    const int hgt = ItemHeight(h, s);
    ::SendMessage(s.combo, CB_SETITEMHEIGHT, (WPARAM)-1, hgt);
    ::SendMessage(s.combo, CB_SETITEMHEIGHT, 0, hgt);
    RECT combo;
    ::GetWindowRect(s.combo, &combo);
    const RECT c = Client(h);
    // The combo box keeps its list height; this window takes the combo box's height.
    RECT wr;
    ::GetWindowRect(h, &wr);
    const int frame = Height(wr) - Height(c);
    if (Height(c) != Height(combo))
        ::SetWindowPos(h, nullptr, 0, 0, Width(wr), Height(combo) + frame, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DrawItem(HWND h, ExState& s, const DRAWITEMSTRUCT* dis)
{
    HDC dc = dis->hDC;
    RECT r = dis->rcItem;
    const int i = (int)dis->itemID;
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    const bool field = (dis->itemState & ODS_COMBOBOXEDIT) != 0;
    FillSolid(dc, r, SysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (!Valid(s, i)) {
        if (dis->itemState & ODS_FOCUS)
            ::DrawFocusRect(dc, &r);
        return;
    }
    const ExItem& it = s.items[(size_t)i];
    int x = r.left + 2 + (field ? 0 : it.indent * 10);
    int cx = 0, cy = 0;
    if (s.images && ImageList_GetIconSize(s.images, &cx, &cy)) {
        const int image = selected && it.selectedImage >= 0 ? it.selectedImage : it.image;
        if (image >= 0)
            ImageList_Draw(s.images, image, dc, x, r.top + (Height(r) - cy) / 2, ILD_TRANSPARENT);
        x += cx + 4;
    }
    ::SelectObject(dc, Font(h));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, SysColor((dis->itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                : selected                      ? COLOR_HIGHLIGHTTEXT
                                                                : COLOR_WINDOWTEXT));
    RECT tr{x, r.top, r.right, r.bottom};
    ::DrawText(dc, it.text.c_str(), (int)it.text.size(), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (dis->itemState & ODS_FOCUS)
        ::DrawFocusRect(dc, &r);
}

// The item's fields that the mask names, but its text.
void SetFields(ExItem& it, const COMBOBOXEXITEM& in)
{
    if (in.mask & CBEIF_IMAGE)
        it.image = in.iImage;
    if (in.mask & CBEIF_SELECTEDIMAGE)
        it.selectedImage = in.iSelectedImage;
    if (in.mask & CBEIF_OVERLAY)
        it.overlay = in.iOverlay;
    if (in.mask & CBEIF_INDENT)
        it.indent = in.iIndent;
    if (in.mask & CBEIF_LPARAM)
        it.param = in.lParam;
}

int Insert(ExState& s, const COMBOBOXEXITEM* in)
{
    if (!in)
        return -1;
    const int i = in->iItem < 0 ? Count(s) : (int)std::min<INT_PTR>(in->iItem, Count(s));
    ExItem it;
    if ((in->mask & CBEIF_TEXT) && in->pszText && in->pszText != LPSTR_TEXTCALLBACK)
        it.text = in->pszText;
    SetFields(it, *in);
    s.items.insert(s.items.begin() + i, it);
    ::SendMessage(s.combo, CB_INSERTSTRING, (WPARAM)i, (LPARAM)it.text.c_str());
    return i;
}

LRESULT CALLBACK ComboExProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<ExState> sp = g_states.ForMessage(h, message);
    if (!sp || message == WM_NCDESTROY)
        return ::DefWindowProc(h, message, wParam, lParam);
    ExState& s = *sp;
    switch (message) {
    case WM_CREATE: {
        const CREATESTRUCT* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        const DWORD style = Style(h);
        DWORD cb = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | (style & 3);
        if ((style & 3) == 0)
            cb |= CBS_DROPDOWNLIST;
        s.combo = ::CreateWindowEx(0, WC_COMBOBOX, "", cb, 0, 0, cs ? cs->cx : 100, cs ? cs->cy : 100, h, (HMENU)1001,
                                   nullptr, nullptr);
        if (!s.combo)
            return -1;
        Resize(h, s);
        return 0;
    }
    case WM_SIZE:
        if (s.combo) {
            RECT combo;
            ::GetWindowRect(s.combo, &combo);
            ::MoveWindow(s.combo, 0, 0, LOWORD(lParam), Height(combo), TRUE);
        }
        return 0;
    case WM_SETFONT: {
        const LRESULT r = ::DefWindowProc(h, message, wParam, lParam);
        ::SendMessage(s.combo, WM_SETFONT, wParam, lParam);
        Resize(h, s);
        return r;
    }
    case WM_ENABLE:
        ::EnableWindow(s.combo, (BOOL)wParam);
        return 0;
    case WM_SETFOCUS:
        ::SetFocus(s.combo);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MEASUREITEM: {
        MEASUREITEMSTRUCT* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mis)
            mis->itemHeight = (UINT)ItemHeight(h, s);
        return TRUE;
    }
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (dis && dis->hwndItem == s.combo)
            DrawItem(h, s, dis);
        return TRUE;
    }
    case WM_COMMAND:
        if ((HWND)lParam == s.combo && s.combo)
            return Command(h, HIWORD(wParam));
        return 0;
    case WM_GETDLGCODE:
        return ::SendMessage(s.combo, WM_GETDLGCODE, wParam, lParam);
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_SETTEXT:
        return ::SendMessage(s.combo, message, wParam, lParam);
    case CBEM_INSERTITEM:
        return Insert(s, reinterpret_cast<const COMBOBOXEXITEM*>(lParam));
    case CBEM_DELETEITEM: {
        const int i = (int)wParam;
        if (!Valid(s, i))
            return CB_ERR;
        s.items.erase(s.items.begin() + i);
        return ::SendMessage(s.combo, CB_DELETESTRING, wParam, 0);
    }
    case CBEM_GETITEM: {
        COMBOBOXEXITEM* out = reinterpret_cast<COMBOBOXEXITEM*>(lParam);
        if (!out)
            return FALSE;
        const int i = out->iItem == -1 ? (int)::SendMessage(s.combo, CB_GETCURSEL, 0, 0) : (int)out->iItem;
        if (!Valid(s, i))
            return FALSE;
        const ExItem& it = s.items[(size_t)i];
        if ((out->mask & CBEIF_TEXT) && out->pszText)
            CopyText(it.text, out->pszText, out->cchTextMax);
        if (out->mask & CBEIF_IMAGE)
            out->iImage = it.image;
        if (out->mask & CBEIF_SELECTEDIMAGE)
            out->iSelectedImage = it.selectedImage;
        if (out->mask & CBEIF_OVERLAY)
            out->iOverlay = it.overlay;
        if (out->mask & CBEIF_INDENT)
            out->iIndent = it.indent;
        if (out->mask & CBEIF_LPARAM)
            out->lParam = it.param;
        return TRUE;
    }
    case CBEM_SETITEM: {
        const COMBOBOXEXITEM* in = reinterpret_cast<const COMBOBOXEXITEM*>(lParam);
        if (!in)
            return FALSE;
        const int i = in->iItem == -1 ? (int)::SendMessage(s.combo, CB_GETCURSEL, 0, 0) : (int)in->iItem;
        if (!Valid(s, i))
            return FALSE;
        ExItem& it = s.items[(size_t)i];
        if ((in->mask & CBEIF_TEXT) && in->pszText) {
            it.text = in->pszText;
            const int sel = (int)::SendMessage(s.combo, CB_GETCURSEL, 0, 0);
            const LRESULT data = ::SendMessage(s.combo, CB_GETITEMDATA, (WPARAM)i, 0);
            ::SendMessage(s.combo, CB_DELETESTRING, (WPARAM)i, 0);
            ::SendMessage(s.combo, CB_INSERTSTRING, (WPARAM)i, (LPARAM)it.text.c_str());
            ::SendMessage(s.combo, CB_SETITEMDATA, (WPARAM)i, data);
            if (sel == i)
                ::SendMessage(s.combo, CB_SETCURSEL, (WPARAM)i, 0);
        }
        SetFields(it, *in);
        ::InvalidateRect(s.combo, nullptr, FALSE);
        return TRUE;
    }
    case CBEM_SETIMAGELIST: {
        HIMAGELIST old = s.images;
        s.images = reinterpret_cast<HIMAGELIST>(lParam);
        Resize(h, s);
        ::InvalidateRect(s.combo, nullptr, FALSE);
        return reinterpret_cast<LRESULT>(old);
    }
    case CBEM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(s.images);
    case CBEM_GETCOMBOCONTROL:
        return reinterpret_cast<LRESULT>(s.combo);
    case CBEM_GETEDITCONTROL:
        return reinterpret_cast<LRESULT>(::GetDlgItem(s.combo, 1001));
    case CBEM_SETEXTENDEDSTYLE: {
        const DWORD old = s.exStyle;
        const DWORD mask = wParam ? (DWORD)wParam : 0xFFFFFFFFu;
        s.exStyle = (s.exStyle & ~mask) | ((DWORD)lParam & mask);
        return old;
    }
    case CBEM_GETEXTENDEDSTYLE:
        return s.exStyle;
    case CB_RESETCONTENT:
        s.items.clear();
        return ::SendMessage(s.combo, message, wParam, lParam);
    case CB_GETITEMDATA:
        return Valid(s, (int)wParam) ? (LRESULT)s.items[(size_t)wParam].param : CB_ERR;
    case CB_SETITEMDATA:
        if (!Valid(s, (int)wParam))
            return CB_ERR;
        s.items[(size_t)wParam].param = lParam;
        return CB_OKAY;
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        COMBOBOXEXITEM item{};
        item.mask = CBEIF_TEXT;
        item.iItem = message == CB_ADDSTRING ? -1 : (INT_PTR)(int)wParam;
        item.pszText = reinterpret_cast<LPSTR>(lParam);
        return Insert(s, &item);
    }
    default:
        if (message >= CB_GETEDITSEL && message <= CB_INITSTORAGE)
            return ::SendMessage(s.combo, message, wParam, lParam);
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterComboBoxEx() { RegisterSurfaceClass(WC_COMBOBOXEX, ComboExProc); }

} // namespace ctl
