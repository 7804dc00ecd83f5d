// The control tests' parent window and synthetic input: clicks, keys and typing
// through the platform's test input, and pixels of a control's surface.
#include "ControlTestSupport.h"

#include <cstring>

ParentWnd::ParentWnd()
{
    AfxRegisterControlClasses();
    CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, nullptr, (HBRUSH)(COLOR_BTNFACE + 1)), "Parent",
             WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 480, 360, nullptr, nullptr);
}

ParentWnd::~ParentWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

std::vector<UINT> ParentWnd::Codes(UINT message, int id) const
{
    std::vector<UINT> r;
    for (const Event& e : events)
        if (e.message == message && (id < 0 || e.id == id))
            r.push_back(e.code);
    return r;
}

int ParentWnd::Count(UINT message, UINT code, int id) const
{
    int n = 0;
    for (const Event& e : events)
        if (e.message == message && e.code == code && (id < 0 || e.id == id))
            ++n;
    return n;
}

LRESULT ParentWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    Event e;
    e.message = message;
    switch (message) {
    case WM_COMMAND:
        e.id = LOWORD(wParam);
        e.code = HIWORD(wParam);
        e.from = (HWND)lParam;
        events.push_back(e);
        if (onCommand)
            onCommand(e.id, e.code);
        break;
    case WM_NOTIFY: {
        NMHDR* nm = reinterpret_cast<NMHDR*>(lParam);
        e.id = (int)nm->idFrom;
        e.code = nm->code;
        e.from = nm->hwndFrom;
        if (nm->code == NM_CUSTOMDRAW) {
            const NMCUSTOMDRAW* cd = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
            e.action = cd->dwDrawStage;
            e.item = (int)cd->dwItemSpec;
            e.state = cd->uItemState;
        } else if (nm->code == LVN_ITEMCHANGED || nm->code == LVN_ITEMCHANGING) {
            const NMLISTVIEW* lv = reinterpret_cast<NMLISTVIEW*>(lParam);
            e.item = lv->iItem;
            e.state = lv->uNewState;
        }
        events.push_back(e);
        LRESULT result = 0;
        if (onNotify && onNotify(nm, &result))
            return result;
        break;
    }
    case WM_DRAWITEM: {
        DRAWITEMSTRUCT* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        e.id = (int)dis->CtlID;
        e.code = dis->CtlType;
        e.item = (int)dis->itemID;
        e.action = dis->itemAction;
        e.state = dis->itemState;
        e.from = dis->hwndItem;
        events.push_back(e);
        if (onDrawItem) {
            onDrawItem(dis);
            return TRUE;
        }
        break;
    }
    case WM_MEASUREITEM: {
        MEASUREITEMSTRUCT* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        e.id = (int)mis->CtlID;
        e.code = mis->CtlType;
        e.item = (int)mis->itemID;
        events.push_back(e);
        if (measureHeight) {
            mis->itemHeight = measureHeight;
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        e.from = (HWND)lParam;
        e.id = ::GetDlgCtrlID(e.from);
        events.push_back(e);
        if (ctlBrush) {
            if (ctlText != CLR_INVALID)
                ::SetTextColor((HDC)wParam, ctlText);
            return (LRESULT)ctlBrush;
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        e.code = LOWORD(wParam);
        e.item = (int)(short)HIWORD(wParam);
        e.from = (HWND)lParam;
        e.id = e.from ? ::GetDlgCtrlID(e.from) : 0;
        events.push_back(e);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void Pump()
{
    AfxTestProcessEvents();
}

COLORREF Pixel(HWND h, int x, int y)
{
    Pump();
    CWnd* w = CWnd::FromHandle(h);
    return w ? w->GetSurfacePixel(x, y) : CLR_INVALID;
}

void Click(HWND h, int x, int y, UINT keys)
{
    AfxTestMouse(h, WM_LBUTTONDOWN, x, y, keys | MK_LBUTTON);
    AfxTestMouse(h, WM_LBUTTONUP, x, y, keys);
    Pump();
}

void DoubleClick(HWND h, int x, int y)
{
    AfxTestMouse(h, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    AfxTestMouse(h, WM_LBUTTONUP, x, y, 0);
    AfxTestMouse(h, WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
    AfxTestMouse(h, WM_LBUTTONUP, x, y, 0);
    Pump();
}

void Key(HWND h, UINT vk, const char* text, UINT keys)
{
    AfxTestKey(h, vk, true, text, keys);
    AfxTestKey(h, vk, false, nullptr, keys);
    Pump();
}

void TypeText(HWND h, const char* text)
{
    for (const char* p = text; *p; ++p) {
        const char c = *p;
        const char s[2] = {c, 0};
        UINT vk = 0;
        if (c >= 'a' && c <= 'z')
            vk = (UINT)('A' + (c - 'a'));
        else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            vk = (UINT)c;
        else if (c == ' ')
            vk = VK_SPACE;
        else if (c == '-')
            vk = VK_OEM_MINUS;
        else if (c == '.')
            vk = VK_OEM_PERIOD;
        AfxTestKey(h, vk, true, s, (c >= 'A' && c <= 'Z') ? MK_SHIFT : 0);
        AfxTestKey(h, vk, false, nullptr, 0);
    }
    Pump();
}
