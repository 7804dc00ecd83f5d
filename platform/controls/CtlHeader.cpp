// The "SysHeader32" window class: the column header of a list view. A click on an
// item of an HDS_BUTTONS header sends HDN_ITEMCLICK when the button is released over
// it; dragging a divider resizes the item on its left (HDN_BEGINTRACK, HDN_TRACK and
// HDN_ITEMCHANGING / HDN_ITEMCHANGED on each step, HDN_ENDTRACK).
#include "platform/controls/CtlCommon.h"

#include <algorithm>

namespace ctl {

namespace {

struct HeaderItem {
    std::string text;
    int width = 0;
    int fmt = HDF_LEFT | HDF_STRING;
    LPARAM lParam = 0;
    int image = 0;
    HBITMAP bitmap = nullptr;
};

struct HeaderState {
    std::vector<HeaderItem> items;
    HIMAGELIST images = nullptr;
    int offset = 0;
    int pressed = -1;
    bool pressedInside = false;
    int tracking = -1;
    int trackStartX = 0;
    int trackStartWidth = 0;
};

States<HeaderState> g_states;
constexpr int kDivider = 4;

int Count(const HeaderState& s) { return (int)s.items.size(); }
bool Valid(const HeaderState& s, int i) { return i >= 0 && i < Count(s); }

RECT ItemRect(HWND h, const HeaderState& s, int i)
{
    int x = -s.offset;
    for (int k = 0; k < i && k < Count(s); ++k)
        x += s.items[(size_t)k].width;
    const RECT c = Client(h);
    return RECT{x, 0, x + (Valid(s, i) ? s.items[(size_t)i].width : 0), c.bottom};
}

// The item under x, and whether x is on the divider at its right edge.
int HitTest(HWND h, const HeaderState& s, POINT p, bool* divider)
{
    *divider = false;
    // The last of several dividers at one place wins, so a column dragged to zero width can be widened again.
    for (int i = Count(s) - 1; i >= 0; --i) {
        const RECT r = ItemRect(h, s, i);
        if (p.x >= r.right - kDivider && p.x <= r.right + kDivider) {
            *divider = true;
            return i;
        }
    }
    for (int i = 0; i < Count(s); ++i) {
        const RECT r = ItemRect(h, s, i);
        if (p.x >= r.left && p.x < r.right)
            return i;
    }
    return -1;
}

LRESULT SendHeaderNotify(HWND h, UINT code, int item, int button, HDITEM* pitem)
{
    NMHEADER nm{};
    nm.iItem = item;
    nm.iButton = button;
    nm.pitem = pitem;
    return Notify(h, &nm.hdr, code);
}

// Applies `in` to item i, telling the parent before and after; FALSE when it refused.
BOOL SetItem(HWND h, HeaderState& s, int i, const HDITEM& in)
{
    if (!Valid(s, i))
        return FALSE;
    HDITEM copy = in;
    if (SendHeaderNotify(h, HDN_ITEMCHANGING, i, 0, &copy))
        return FALSE;
    if (!::IsWindow(h) || !Valid(s, i))
        return FALSE;
    HeaderItem& it = s.items[(size_t)i];
    if (in.mask & HDI_WIDTH)
        it.width = std::max(0, in.cxy);
    if ((in.mask & HDI_TEXT) && in.pszText != LPSTR_TEXTCALLBACK)
        it.text = in.pszText ? in.pszText : "";
    if (in.mask & HDI_FORMAT)
        it.fmt = in.fmt;
    if (in.mask & HDI_LPARAM)
        it.lParam = in.lParam;
    if (in.mask & HDI_IMAGE)
        it.image = in.iImage;
    if (in.mask & HDI_BITMAP)
        it.bitmap = in.hbm;
    ::InvalidateRect(h, nullptr, TRUE);
    SendHeaderNotify(h, HDN_ITEMCHANGED, i, 0, &copy);
    return TRUE;
}

void Paint(HWND h, HDC dc, HeaderState& s)
{
    const RECT client = Client(h);
    FillSolid(dc, client, SysColor(COLOR_BTNFACE));
    ::SelectObject(dc, Font(h));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, SysColor(Enabled(h) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    int right = -s.offset;
    for (int i = 0; i < Count(s); ++i) {
        RECT r = ItemRect(h, s, i);
        right = r.right;
        if (r.right <= client.left || r.left >= client.right || r.right <= r.left)
            continue;
        const HeaderItem& it = s.items[(size_t)i];
        const bool down = s.pressed == i && s.pressedInside;
        RECT frame = r;
        ::DrawEdge(dc, &frame, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT | BF_ADJUST);
        RECT content{frame.left + 4, frame.top, frame.right - 4, frame.bottom};
        if (down)
            ::OffsetRect(&content, 1, 1);
        int imgW = 0, imgH = 0;
        const bool image = (it.fmt & HDF_IMAGE) && s.images && it.image >= 0 &&
                           it.image < ImageList_GetImageCount(s.images) &&
                           ImageList_GetIconSize(s.images, &imgW, &imgH);
        const int save = ::SaveDC(dc);
        ::IntersectClipRect(dc, frame.left, frame.top, frame.right, frame.bottom);
        if (image) {
            const int y = content.top + (Height(content) - imgH) / 2;
            if (it.fmt & HDF_BITMAP_ON_RIGHT) {
                const std::string& t = it.text;
                const SIZE ext = TextExtent(Font(h), t);
                int x = content.left + std::min<int>(ext.cx + 6, std::max(0, Width(content) - imgW));
                if ((it.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT)
                    x = content.right - imgW;
                ImageList_Draw(s.images, it.image, dc, x, y, ILD_TRANSPARENT);
                if ((it.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT)
                    content.right -= imgW + 6;
                else
                    content.right = std::min<LONG>(content.right, x - 2);
            } else {
                ImageList_Draw(s.images, it.image, dc, content.left, y, ILD_TRANSPARENT);
                content.left += imgW + 4;
            }
        }
        if (!it.text.empty()) {
            UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
            switch (it.fmt & HDF_JUSTIFYMASK) {
            case HDF_RIGHT: format |= DT_RIGHT; break;
            case HDF_CENTER: format |= DT_CENTER; break;
            default: break;
            }
            ::DrawText(dc, it.text.c_str(), (int)it.text.size(), &content, format);
        }
        ::RestoreDC(dc, save);
    }
    if (right < client.right) {
        RECT rest{std::max<LONG>(right, client.left), client.top, client.right, client.bottom};
        ::DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
}

LRESULT CALLBACK HeaderProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<HeaderState> sp = g_states.ForMessage(h, message);
    if (!sp || message == WM_NCDESTROY)
        return ::DefWindowProc(h, message, wParam, lParam);
    HeaderState& s = *sp;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintMessage(h, wParam, [&](HDC dc) { Paint(h, dc, s); });
    case WM_SETCURSOR: {
        POINT p;
        ::GetCursorPos(&p);
        ::ScreenToClient(h, &p);
        bool divider = false;
        if ((SHORT)LOWORD(lParam) == HTCLIENT && ((HitTest(h, s, p, &divider) >= 0 && divider) || s.tracking >= 0)) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        return SetCursorMessage(h, wParam, lParam, IDC_ARROW);
    }
    case WM_LBUTTONDOWN: {
        const POINT p = PointOf(lParam);
        bool divider = false;
        const int i = HitTest(h, s, p, &divider);
        if (i < 0)
            return 0;
        if (divider) {
            if (SendHeaderNotify(h, HDN_BEGINTRACK, i, 0, nullptr) || !::IsWindow(h))
                return 0;
            s.tracking = i;
            s.trackStartX = p.x;
            s.trackStartWidth = s.items[(size_t)i].width;
            ::SetCapture(h);
        } else if (Style(h) & HDS_BUTTONS) {
            s.pressed = i;
            s.pressedInside = true;
            ::SetCapture(h);
            ::InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    }
    case WM_MOUSEMOVE: {
        const POINT p = PointOf(lParam);
        if (s.tracking >= 0 && ::GetCapture() == h) {
            HDITEM item{};
            item.mask = HDI_WIDTH;
            item.cxy = std::max(0, s.trackStartWidth + (int)(p.x - s.trackStartX));
            if (!SendHeaderNotify(h, HDN_TRACK, s.tracking, 0, &item) && ::IsWindow(h))
                SetItem(h, s, s.tracking, item);
        } else if (s.pressed >= 0) {
            const bool inside = Contains(ItemRect(h, s, s.pressed), p);
            if (inside != s.pressedInside) {
                s.pressedInside = inside;
                ::InvalidateRect(h, nullptr, FALSE);
            }
        }
        return 0;
    }
    case WM_LBUTTONUP: {
        if (s.tracking >= 0) {
            const int i = s.tracking;
            s.tracking = -1;
            if (::GetCapture() == h)
                ::ReleaseCapture();
            HDITEM item{};
            item.mask = HDI_WIDTH;
            item.cxy = Valid(s, i) ? s.items[(size_t)i].width : 0;
            SendHeaderNotify(h, HDN_ENDTRACK, i, 0, &item);
            return 0;
        }
        if (s.pressed >= 0) {
            const int i = s.pressed;
            const bool click = Contains(ItemRect(h, s, i), PointOf(lParam));
            s.pressed = -1;
            if (::GetCapture() == h)
                ::ReleaseCapture();
            ::InvalidateRect(h, nullptr, FALSE);
            if (click && ::IsWindow(h))
                SendHeaderNotify(h, HDN_ITEMCLICK, i, 0, nullptr);
        }
        return 0;
    }
    case WM_LBUTTONDBLCLK: {
        bool divider = false;
        const int i = HitTest(h, s, PointOf(lParam), &divider);
        if (i >= 0)
            SendHeaderNotify(h, divider ? HDN_DIVIDERDBLCLICK : HDN_ITEMDBLCLICK, i, 0, nullptr);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != h && (s.pressed >= 0 || s.tracking >= 0)) {
            s.pressed = s.tracking = -1;
            ::InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    case HDM_GETITEMCOUNT:
        return Count(s);
    case HDM_INSERTITEM: {
        const HDITEM* in = reinterpret_cast<const HDITEM*>(lParam);
        if (!in)
            return -1;
        int i = std::clamp((int)wParam, 0, Count(s));
        HeaderItem it;
        if (in->mask & HDI_WIDTH)
            it.width = std::max(0, in->cxy);
        if ((in->mask & HDI_TEXT) && in->pszText && in->pszText != LPSTR_TEXTCALLBACK)
            it.text = in->pszText;
        if (in->mask & HDI_FORMAT)
            it.fmt = in->fmt;
        if (in->mask & HDI_LPARAM)
            it.lParam = in->lParam;
        if (in->mask & HDI_IMAGE)
            it.image = in->iImage;
        if (in->mask & HDI_BITMAP)
            it.bitmap = in->hbm;
        s.items.insert(s.items.begin() + i, it);
        ::InvalidateRect(h, nullptr, TRUE);
        return i;
    }
    case HDM_DELETEITEM:
        if (!Valid(s, (int)wParam))
            return FALSE;
        s.items.erase(s.items.begin() + (int)wParam);
        ::InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    case HDM_GETITEM: {
        HDITEM* out = reinterpret_cast<HDITEM*>(lParam);
        const int i = (int)wParam;
        if (!out || !Valid(s, i))
            return FALSE;
        const HeaderItem& it = s.items[(size_t)i];
        if (out->mask & HDI_WIDTH)
            out->cxy = it.width;
        if ((out->mask & HDI_TEXT) && out->pszText)
            CopyText(it.text, out->pszText, out->cchTextMax);
        if (out->mask & HDI_FORMAT)
            out->fmt = it.fmt;
        if (out->mask & HDI_LPARAM)
            out->lParam = it.lParam;
        if (out->mask & HDI_IMAGE)
            out->iImage = it.image;
        if (out->mask & HDI_BITMAP)
            out->hbm = it.bitmap;
        if (out->mask & HDI_ORDER)
            out->iOrder = i;
        return TRUE;
    }
    case HDM_SETITEM: {
        const HDITEM* in = reinterpret_cast<const HDITEM*>(lParam);
        return in ? SetItem(h, s, (int)wParam, *in) : FALSE;
    }
    case HDM_GETITEMRECT: {
        RECT* r = reinterpret_cast<RECT*>(lParam);
        if (!r || !Valid(s, (int)wParam))
            return FALSE;
        *r = ItemRect(h, s, (int)wParam);
        return TRUE;
    }
    case HDM_SETIMAGELIST: {
        HIMAGELIST old = s.images;
        s.images = reinterpret_cast<HIMAGELIST>(lParam);
        ::InvalidateRect(h, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case HDM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(s.images);
    case HDM_LAYOUT: {
        HDLAYOUT* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        if (!layout || !layout->prc || !layout->pwpos)
            return FALSE;
        const int height = (Style(h) & HDS_HIDDEN) ? 0 : FontMetrics(Font(h)).height + 6;
        RECT* rc = layout->prc;
        *layout->pwpos = WINDOWPOS{h, nullptr, rc->left, rc->top, rc->right - rc->left, height,
                                   SWP_NOZORDER | SWP_NOACTIVATE};
        rc->top += height;
        return TRUE;
    }
    case HDM_HITTEST: {
        HDHITTESTINFO* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        bool divider = false;
        info->iItem = HitTest(h, s, info->pt, &divider);
        info->flags = info->iItem < 0 ? HHT_NOWHERE : divider ? HHT_ONDIVIDER : HHT_ONHEADER;
        return info->iItem;
    }
    case HDP_SETOFFSET:
        if (s.offset != (int)wParam) {
            s.offset = (int)wParam;
            ::InvalidateRect(h, nullptr, TRUE);
        }
        return 0;
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterHeader() { RegisterSurfaceClass(WC_HEADER, HeaderProc); }

} // namespace ctl
