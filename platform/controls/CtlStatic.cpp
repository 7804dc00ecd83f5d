// The "Static" window class.
#include "platform/controls/CtlCommon.h"

namespace ctl {

namespace {

bool IsFrameType(DWORD type)
{
    return type == SS_BLACKFRAME || type == SS_GRAYFRAME || type == SS_WHITEFRAME || type == SS_ETCHEDFRAME;
}

void UpdateRegion(HWND h)
{
    const DWORD type = Style(h) & SS_TYPEMASK;
    if (IsFrameType(type))
        SetFrameRegion(h, Client(h), type == SS_ETCHEDFRAME ? 2 : 1, nullptr);
}

UINT TextFormat(DWORD style)
{
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE: format |= DT_LEFT | DT_SINGLELINE; break;
    case SS_LEFTNOWORDWRAP: format |= DT_LEFT; break;
    default: format |= DT_LEFT | DT_WORDBREAK; break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format = (format & ~(UINT)DT_WORDBREAK) | DT_VCENTER | DT_SINGLELINE;
    switch (style & SS_WORDELLIPSIS) {
    case SS_ENDELLIPSIS: format |= DT_END_ELLIPSIS; break;
    case SS_PATHELLIPSIS: format |= DT_PATH_ELLIPSIS; break;
    case SS_WORDELLIPSIS: format |= DT_WORD_ELLIPSIS; break;
    default: break;
    }
    return format;
}

void Paint(HWND h, HDC dc)
{
    const DWORD style = Style(h);
    const DWORD type = style & SS_TYPEMASK;
    RECT rc = Client(h);
    HBRUSH brush = CtlColor(h, dc, WM_CTLCOLORSTATIC);
    switch (type) {
    case SS_OWNERDRAW:
        SendDrawItem(h, ODT_STATIC, 0, ODA_DRAWENTIRE, Enabled(h) ? 0 : ODS_DISABLED, dc, rc, 0);
        return;
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: {
        const int color = type == SS_BLACKRECT ? COLOR_WINDOWFRAME : type == SS_GRAYRECT ? COLOR_BTNSHADOW
                                                                                          : COLOR_BTNHIGHLIGHT;
        FillSolid(dc, rc, SysColor(color));
        return;
    }
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: {
        const int color = type == SS_BLACKFRAME ? COLOR_WINDOWFRAME : type == SS_GRAYFRAME ? COLOR_BTNSHADOW
                                                                                            : COLOR_BTNHIGHLIGHT;
        ::FrameRect(dc, &rc, ::GetSysColorBrush(color));
        return;
    }
    case SS_ETCHEDHORZ:
        ::FillRect(dc, &rc, brush);
        ::DrawEdge(dc, &rc, EDGE_ETCHED, BF_TOP);
        return;
    case SS_ETCHEDVERT:
        ::FillRect(dc, &rc, brush);
        ::DrawEdge(dc, &rc, EDGE_ETCHED, BF_LEFT);
        return;
    case SS_ETCHEDFRAME:
        ::DrawEdge(dc, &rc, EDGE_ETCHED, BF_RECT);
        return;
    case SS_ICON:
    case SS_BITMAP:
        ::FillRect(dc, &rc, brush);
        return;
    default:
        break;
    }
    ::FillRect(dc, &rc, brush);
    if (style & SS_SUNKEN) {
        ::DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    const std::string text = Text(h);
    if (text.empty())
        return;
    ::SelectObject(dc, Font(h));
    ::SetBkMode(dc, TRANSPARENT);
    if (!Enabled(h))
        ::SetTextColor(dc, SysColor(COLOR_GRAYTEXT));
    ::DrawText(dc, text.c_str(), (int)text.size(), &rc, TextFormat(style));
}

LRESULT CALLBACK StaticProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        UpdateRegion(h);
        return 0;
    case WM_SIZE:
        UpdateRegion(h);
        return 0;
    case WM_STYLECHANGED:
        UpdateRegion(h);
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_NCHITTEST:
        if (!(Style(h) & SS_NOTIFY))
            return HTTRANSPARENT;
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_LBUTTONDOWN:
        if (Style(h) & SS_NOTIFY)
            Command(h, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (Style(h) & SS_NOTIFY)
            Command(h, STN_DBLCLK);
        return 0;
    case WM_ENABLE:
        if (Style(h) & SS_NOTIFY)
            Command(h, wParam ? STN_ENABLE : STN_DISABLE);
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_SETTEXT: {
        const LRESULT r = ::DefWindowProc(h, message, wParam, lParam);
        ::InvalidateRect(h, nullptr, TRUE);
        return r;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintMessage(h, wParam, [&](HDC dc) { Paint(h, dc); });
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_SETCURSOR:
        return SetCursorMessage(h, wParam, lParam, IDC_ARROW);
    case STM_SETICON:
    case STM_GETICON:
    case STM_SETIMAGE:
    case STM_GETIMAGE:
        return 0; // images in statics are not drawn
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterStatic() { RegisterSurfaceClass(WC_STATIC, StaticProc); }

} // namespace ctl
