// The default window procedure: what a window does with the messages its own
// procedure leaves to ::DefWindowProc (frames, cursors, activation, erasing, text,
// fonts, context menus, system commands, control colours).
#include "platform/wnd/WndShared.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WndWidget.h"

#include <QPainter>

#include <algorithm>

using namespace wnd;

namespace {

bool IsInput(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}

LRESULT DefaultCtlColor(UINT message, WPARAM wParam)
{
    HDC dc = (HDC)wParam;
    const bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const int back = window ? COLOR_WINDOW : COLOR_BTNFACE;
    if (dc) {
        ::SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, GetSysColor(back));
    }
    return (LRESULT)GetSysColorBrush(back);
}

} // namespace

LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = Find(hWnd);
    if (!w)
        return 0;
    if (IsInput(message) && message != WM_RBUTTONUP && DeliverNativeInput(hWnd, message))
        return 0;
    const bool child = IsChildStyle(w->style) && Find(w->parent);
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_NCCALCSIZE:
        if (lParam) {
            RECT* r = reinterpret_cast<RECT*>(lParam); // rgrc[0] of NCCALCSIZE_PARAMS too
            const QMargins m = StandardInsets(w->style, w->exStyle);
            r->left += m.left();
            r->top += m.top() + (child ? 0 : MenuBarHeight(hWnd));
            r->right = std::max(r->left, r->right - m.right());
            r->bottom = std::max(r->top, r->bottom - m.bottom());
        }
        return 0;
    case WM_NCHITTEST: {
        const QPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        const QRect client = ClientRectOnScreen(hWnd);
        if (client.contains(p))
            return HTCLIENT;
        const QRect window = WindowRectOnScreen(hWnd);
        if (!window.contains(p))
            return HTNOWHERE;
        if ((w->style & WS_VSCROLL) && p.x() > client.right() && p.y() >= client.top() && p.y() <= client.bottom())
            return HTVSCROLL;
        if ((w->style & WS_HSCROLL) && p.y() > client.bottom() && p.x() >= client.left() && p.x() <= client.right())
            return HTHSCROLL;
        return HTBORDER;
    }
    case WM_SETCURSOR: {
        if (child && ::SendMessage(w->parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if ((w = Find(hWnd)) == nullptr)
            return FALSE;
        const int hit = (SHORT)LOWORD(lParam);
        if (hit == HTCLIENT) {
            if (w->cls && w->cls->cursor) {
                ::SetCursor(w->cls->cursor);
                return TRUE;
            }
            return FALSE;
        }
        if (hit == HTERROR) {
            const UINT mouse = HIWORD(lParam);
            if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN)
                ::MessageBeep(0);
            return FALSE;
        }
        ::SetCursor(StandardCursor(32512));
        return TRUE;
    }
    case WM_MOUSEACTIVATE:
        if (child) {
            const LRESULT r = ::SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r)
                return r;
        }
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && !(g_focus && IsSelfOrDescendant(hWnd, g_focus)))
            ::SetFocus(hWnd);
        return 0;
    case WM_ERASEBKGND: {
        HBRUSH brush = w->cls ? RealBrush(w->cls->background) : nullptr;
        if (!brush || !wParam)
            return 0;
        RECT clip;
        if (::GetClipBox((HDC)wParam, &clip) == ERROR)
            return 0;
        ::FillRect((HDC)wParam, &clip, brush);
        return 1;
    }
    case WM_NCPAINT: {
        if (!w->surfaceWidget || w->nc.isNull())
            return 0;
        QImage* full = WindowSurfaceOf(hWnd);
        if (!full || full->isNull())
            return 0;
        const QRect all = full->rect();
        QPainter p(full);
        p.setClipRegion(QRegion(all) - QRegion(all.marginsRemoved(w->nc)));
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        p.fillRect(all, QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
        DrawStandardFrame(p, w, all);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        ::DestroyWindow(hWnd);
        return 0;
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (w->widget && w->widget->isWindow())
            w->widget->setWindowTitle(QString::fromUtf8(w->text.c_str()));
        return TRUE;
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || wParam == 0)
            return 0;
        const size_t n = std::min(w->text.size(), (size_t)wParam - 1);
        w->text.copy(buffer, n);
        buffer[n] = 0;
        return (LRESULT)n;
    }
    case WM_GETTEXTLENGTH:
        return (LRESULT)w->text.size();
    case WM_SETFONT: {
        w->font = (HFONT)wParam;
        QFont font;
        if (!w->surfaceWidget && w->widget && w->font && GdiGetFont(w->font, &font))
            w->widget->setFont(font);
        if (LOWORD(lParam))
            ::InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    }
    case WM_GETFONT:
        return (LRESULT)w->font;
    case WM_SETREDRAW:
        w->redraw = wParam != 0;
        if (!w->surfaceWidget && w->widget)
            w->widget->setUpdatesEnabled(w->redraw);
        if (w->redraw && !w->update.isEmpty())
            SchedulePaint(hWnd);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pos)
            return 0;
        const QRect r = RelativeRect(w);
        const QSize client = ClientSize(w);
        const QPoint origin = r.topLeft() + NcOrigin(w);
        if (!(pos->flags & SWP_NOSIZE)) {
            const UINT type = ::IsIconic(hWnd) ? SIZE_MINIMIZED : ::IsZoomed(hWnd) ? SIZE_MAXIMIZED : SIZE_RESTORED;
            ::SendMessage(hWnd, WM_SIZE, type, MAKELPARAM(client.width(), client.height()));
        }
        if (!(pos->flags & SWP_NOMOVE) && Find(hWnd))
            ::SendMessage(hWnd, WM_MOVE, 0, MAKELPARAM(origin.x(), origin.y()));
        return 0;
    }
    case WM_RBUTTONUP:
        if (DeliverNativeInput(hWnd, message))
            return 0;
        if (w->surfaceWidget) {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::ClientToScreen(hWnd, &p);
            ::SendMessage(hWnd, WM_CONTEXTMENU, (WPARAM)hWnd, MAKELPARAM(p.x, p.y));
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_APPS && w->surfaceWidget)
            ::SendMessage(hWnd, WM_CONTEXTMENU, (WPARAM)hWnd, (LPARAM)-1);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000)) {
            if (w->surfaceWidget)
                ::SendMessage(hWnd, WM_CONTEXTMENU, (WPARAM)hWnd, (LPARAM)-1);
        } else if (wParam == VK_F10) {
            ::SendMessage(TopLevelOf(hWnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
        }
        return 0;
    case WM_SYSCHAR:
        // Alt+letter: the top-level window's menu bar opens the popup of that mnemonic.
        if (wParam > ' ' && wParam < 0x7f)
            ::SendMessage(TopLevelOf(hWnd), WM_SYSCOMMAND, SC_KEYMENU, (LPARAM)wParam);
        return 0;
    case WM_CONTEXTMENU:
        if (child)
            ::SendMessage(w->parent, WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (child)
            return ::SendMessage(w->parent, WM_MOUSEWHEEL, wParam, lParam);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: ::SendMessage(hWnd, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ::ShowWindow(hWnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ::ShowWindow(hWnd, SW_MAXIMIZE); break;
        case SC_RESTORE: ::ShowWindow(hWnd, SW_RESTORE); break;
        case SC_KEYMENU: OpenMenuBarByKey(hWnd, (char)lParam); break;
        default: break;
        }
        return 0;
    case WM_CANCELMODE:
        if (g_capture == hWnd)
            ::ReleaseCapture();
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return DefaultCtlColor(message, wParam);
    case WM_GETMINMAXINFO:
    default:
        return 0;
    }
}
