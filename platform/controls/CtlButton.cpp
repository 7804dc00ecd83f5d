// The "Button" window class.
#include "platform/controls/CtlCommon.h"

namespace ctl {

namespace {

struct ButtonState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;   // drawn pressed
    bool tracking = false; // the left button went down on it and it holds the capture
    bool spaceDown = false;
};

States<ButtonState> g_states;

DWORD TypeOf(HWND h) { return Style(h) & BS_TYPEMASK; }

bool IsCheckType(DWORD t) { return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE; }
bool IsRadioType(DWORD t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }
bool IsThreeState(DWORD t) { return t == BS_3STATE || t == BS_AUTO3STATE; }

void UpdateRegion(HWND h)
{
    if (TypeOf(h) != BS_GROUPBOX) {
        ::SetWindowRgn(h, nullptr, FALSE);
        return;
    }
    const RECT rc = Client(h);
    const Metrics m = FontMetrics(Font(h));
    RECT frame = rc;
    frame.top += m.height / 2;
    RECT caption{rc.left, rc.top, rc.right, rc.top + m.height};
    SetFrameRegion(h, frame, 2, &caption);
}

ULONG_PTR OwnerState(HWND h, const ButtonState& s)
{
    UINT state = 0;
    if (s.pushed)
        state |= ODS_SELECTED;
    if (HasFocus(h))
        state |= ODS_FOCUS;
    if (!Enabled(h))
        state |= ODS_DISABLED;
    return state;
}

void DrawOwner(HWND h, HDC dc, UINT action, const ButtonState& s)
{
    SendDrawItem(h, ODT_BUTTON, 0, action, (UINT)OwnerState(h, s), dc, Client(h), 0);
}

// Text placement of the BS_LEFT ... BS_VCENTER bits, with a default for the button kind.
UINT TextFormat(DWORD style, UINT defaultHorz)
{
    UINT format = 0;
    switch (style & BS_CENTER) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    case BS_CENTER: format |= DT_CENTER; break;
    default: format |= defaultHorz; break;
    }
    if (style & BS_MULTILINE) {
        format |= DT_WORDBREAK;
    } else {
        format |= DT_SINGLELINE;
        switch (style & BS_VCENTER) {
        case BS_TOP: format |= DT_TOP; break;
        case BS_BOTTOM: format |= DT_BOTTOM; break;
        default: format |= DT_VCENTER; break;
        }
    }
    return format;
}

void DrawLabel(HWND h, HDC dc, RECT rc, UINT format, bool focusRect)
{
    const std::string text = Text(h);
    ::SelectObject(dc, Font(h));
    ::SetBkMode(dc, TRANSPARENT);
    if (!Enabled(h))
        ::SetTextColor(dc, SysColor(COLOR_GRAYTEXT));
    if (!text.empty())
        ::DrawText(dc, text.c_str(), (int)text.size(), &rc, format);
    if (focusRect && !text.empty()) {
        RECT calc = rc;
        ::DrawText(dc, text.c_str(), (int)text.size(), &calc, format | DT_CALCRECT);
        // DT_CALCRECT keeps the top left; place the box as the text was placed.
        const int w = Width(calc), hgt = Height(calc);
        RECT box = calc;
        if (format & DT_CENTER)
            box.left = rc.left + (Width(rc) - w) / 2;
        else if (format & DT_RIGHT)
            box.left = rc.right - w;
        if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
            box.top = rc.top + (Height(rc) - hgt) / 2;
        else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
            box.top = rc.bottom - hgt;
        box.right = box.left + w;
        box.bottom = box.top + hgt;
        ::InflateRect(&box, 1, 1);
        ::IntersectRect(&box, &box, &rc);
        ::DrawFocusRect(dc, &box);
    }
}

void Paint(HWND h, HDC dc, const ButtonState& s)
{
    const DWORD style = Style(h);
    const DWORD type = style & BS_TYPEMASK;
    const RECT rc = Client(h);
    if (type == BS_OWNERDRAW) {
        DrawOwner(h, dc, ODA_DRAWENTIRE, s);
        return;
    }
    const bool focus = HasFocus(h);
    if (type == BS_GROUPBOX) {
        HBRUSH brush = CtlColor(h, dc, WM_CTLCOLORSTATIC);
        const HFONT font = Font(h);
        const Metrics m = FontMetrics(font);
        RECT frame = rc;
        frame.top += m.height / 2;
        ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        const std::string text = Text(h);
        if (!text.empty()) {
            const SIZE ext = TextExtent(font, text);
            RECT label{rc.left + 8, rc.top, std::min<LONG>(rc.left + 8 + ext.cx + 4, rc.right - 2), rc.top + m.height};
            ::FillRect(dc, &label, brush);
            label.left += 2;
            DrawLabel(h, dc, label, DT_LEFT | DT_SINGLELINE | DT_TOP, false);
        }
        return;
    }
    if (IsCheckType(type) || IsRadioType(type)) {
        HBRUSH brush = CtlColor(h, dc, WM_CTLCOLORSTATIC);
        ::FillRect(dc, &rc, brush);
        const int box = 13;
        const bool leftText = (style & BS_LEFTTEXT) != 0;
        RECT boxRect;
        boxRect.left = leftText ? rc.right - box : rc.left;
        boxRect.right = boxRect.left + box;
        switch (style & BS_VCENTER) {
        case BS_TOP: boxRect.top = rc.top; break;
        case BS_BOTTOM: boxRect.top = rc.bottom - box; break;
        default: boxRect.top = rc.top + (Height(rc) - box) / 2; break;
        }
        boxRect.bottom = boxRect.top + box;
        UINT state = IsRadioType(type) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
        if (s.check == BST_CHECKED)
            state |= DFCS_CHECKED;
        else if (s.check == BST_INDETERMINATE && IsThreeState(type))
            state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (s.pushed)
            state |= DFCS_PUSHED;
        if (!Enabled(h))
            state |= DFCS_INACTIVE;
        if (style & BS_FLAT)
            state |= DFCS_FLAT;
        ::DrawFrameControl(dc, &boxRect, DFC_BUTTON, state);
        RECT textRect = rc;
        if (leftText)
            textRect.right = boxRect.left - 4;
        else
            textRect.left = boxRect.right + 4;
        DrawLabel(h, dc, textRect, TextFormat(style, leftText ? DT_RIGHT : DT_LEFT), focus);
        return;
    }
    // Push buttons.
    CtlColor(h, dc, WM_CTLCOLORBTN);
    RECT r = rc;
    if (type == BS_DEFPUSHBUTTON) {
        ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        ::InflateRect(&r, -1, -1);
    }
    UINT state = DFCS_BUTTONPUSH;
    if (s.pushed || (s.check == BST_CHECKED && (style & BS_PUSHLIKE)))
        state |= DFCS_PUSHED;
    if (!Enabled(h))
        state |= DFCS_INACTIVE;
    if (style & BS_FLAT)
        state |= DFCS_FLAT;
    RECT face = r;
    ::DrawFrameControl(dc, &face, DFC_BUTTON, state);
    RECT textRect = r;
    ::InflateRect(&textRect, -3, -2);
    if (state & DFCS_PUSHED)
        ::OffsetRect(&textRect, 1, 1);
    ::SetTextColor(dc, SysColor(COLOR_BTNTEXT));
    DrawLabel(h, dc, textRect, TextFormat(style, DT_CENTER), false);
    if (focus) {
        RECT f = r;
        ::InflateRect(&f, -3, -3);
        ::DrawFocusRect(dc, &f);
    }
}

void Redraw(HWND h, const std::shared_ptr<ButtonState>& s, UINT action)
{
    if (TypeOf(h) == BS_OWNERDRAW) {
        if (!::IsWindowVisible(h))
            return;
        ClientDCScope dc(h);
        if (dc.dc())
            DrawOwner(h, dc.dc(), action, *s);
        return;
    }
    ::InvalidateRect(h, nullptr, FALSE);
}

void SetPushed(HWND h, const std::shared_ptr<ButtonState>& s, bool pushed)
{
    if (s->pushed == pushed)
        return;
    s->pushed = pushed;
    Redraw(h, s, ODA_SELECT);
}

// The first window of the radio group that holds h: back to a sibling with WS_GROUP.
HWND GroupStart(HWND h)
{
    HWND start = h;
    while (!(Style(start) & WS_GROUP)) {
        HWND prev = ::GetWindow(start, GW_HWNDPREV);
        if (!prev)
            break;
        start = prev;
    }
    return start;
}

void CheckAutoRadio(HWND h)
{
    ::SendMessage(h, BM_SETCHECK, BST_CHECKED, 0);
    HWND start = GroupStart(h);
    for (HWND c = start; c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (c != start && (Style(c) & WS_GROUP))
            break;
        if (c == h)
            continue;
        const UINT code = (UINT)::SendMessage(c, WM_GETDLGCODE, 0, 0);
        if ((code & DLGC_RADIOBUTTON) && (Style(c) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            ::SendMessage(c, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void Click(HWND h, const std::shared_ptr<ButtonState>& s)
{
    switch (TypeOf(h)) {
    case BS_AUTOCHECKBOX:
        ::SendMessage(h, BM_SETCHECK, s->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
        break;
    case BS_AUTO3STATE:
        ::SendMessage(h, BM_SETCHECK, (s->check + 1) % 3, 0);
        break;
    case BS_AUTORADIOBUTTON:
        CheckAutoRadio(h);
        break;
    default:
        break;
    }
    if (::IsWindow(h))
        Command(h, BN_CLICKED);
}

UINT DialogCode(HWND h)
{
    switch (TypeOf(h)) {
    case BS_PUSHBUTTON:
    case BS_PUSHBOX:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}

LRESULT CALLBACK ButtonProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<ButtonState> s = g_states.ForMessage(h, message);
    if (!s || message == WM_NCDESTROY)
        return ::DefWindowProc(h, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        UpdateRegion(h);
        return 0;
    case WM_SIZE:
        UpdateRegion(h);
        return 0;
    case WM_SETFONT: {
        const LRESULT r = ::DefWindowProc(h, message, wParam, lParam);
        UpdateRegion(h);
        return r;
    }
    case WM_NCHITTEST:
        if (TypeOf(h) == BS_GROUPBOX)
            return HTTRANSPARENT;
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_GETDLGCODE:
        return DialogCode(h);
    case WM_SETTEXT: {
        const LRESULT r = ::DefWindowProc(h, message, wParam, lParam);
        ::InvalidateRect(h, nullptr, TRUE);
        return r;
    }
    case WM_ENABLE:
        ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintMessage(h, wParam, [&](HDC dc) { Paint(h, dc, *s); });
    case WM_SETFOCUS:
        Redraw(h, s, ODA_FOCUS);
        if (Style(h) & BS_NOTIFY)
            Command(h, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s->spaceDown = false;
        if (s->tracking) {
            s->tracking = false;
            if (::GetCapture() == h)
                ::ReleaseCapture();
        }
        s->pushed = false;
        Redraw(h, s, ODA_FOCUS);
        if (::IsWindow(h) && (Style(h) & BS_NOTIFY))
            Command(h, BN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDBLCLK: {
        const DWORD type = TypeOf(h);
        if (IsRadioType(type) || type == BS_OWNERDRAW || type == BS_USERBUTTON || (Style(h) & BS_NOTIFY)) {
            Command(h, BN_DOUBLECLICKED);
            return 0;
        }
        [[fallthrough]];
    }
    case WM_LBUTTONDOWN:
        if (TypeOf(h) == BS_GROUPBOX)
            return 0;
        if (::GetFocus() != h)
            ::SetFocus(h);
        if (!::IsWindow(h))
            return 0;
        s->tracking = true;
        ::SetCapture(h);
        SetPushed(h, s, true);
        return 0;
    case WM_MOUSEMOVE:
        if (s->tracking && ::GetCapture() == h)
            SetPushed(h, s, Contains(Client(h), PointOf(lParam)));
        return 0;
    case WM_LBUTTONUP: {
        if (!s->tracking)
            return 0;
        s->tracking = false;
        const bool click = s->pushed && Contains(Client(h), PointOf(lParam));
        if (::GetCapture() == h)
            ::ReleaseCapture();
        SetPushed(h, s, false);
        if (click && ::IsWindow(h))
            Click(h, s);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (s->tracking && (HWND)lParam != h) {
            s->tracking = false;
            SetPushed(h, s, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && TypeOf(h) != BS_GROUPBOX) {
            if (!(lParam & (1 << 30)) || !s->spaceDown) {
                s->spaceDown = true;
                SetPushed(h, s, true);
            }
            return 0;
        }
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_KEYUP:
        if (wParam == VK_SPACE && s->spaceDown) {
            s->spaceDown = false;
            const bool click = s->pushed;
            SetPushed(h, s, false);
            if (click && ::IsWindow(h))
                Click(h, s);
            return 0;
        }
        return ::DefWindowProc(h, message, wParam, lParam);
    case WM_CHAR:
        if (wParam == ' ')
            return 0;
        return ::DefWindowProc(h, message, wParam, lParam);
    case BM_GETCHECK:
        return IsCheckType(TypeOf(h)) || IsRadioType(TypeOf(h)) ? s->check : BST_UNCHECKED;
    case BM_SETCHECK: {
        const DWORD type = TypeOf(h);
        if (!IsCheckType(type) && !IsRadioType(type) && !(Style(h) & BS_PUSHLIKE))
            return 0;
        UINT check = (UINT)wParam;
        if (check == BST_INDETERMINATE && !IsThreeState(type))
            check = BST_CHECKED;
        else if (check > BST_INDETERMINATE)
            check = BST_CHECKED;
        if (IsRadioType(type)) {
            // A checked radio button is where Tab enters its group.
            SetStyleBits(h, WS_TABSTOP, check == BST_CHECKED);
        }
        if (check != s->check) {
            s->check = check;
            ::InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    }
    case BM_GETSTATE: {
        UINT state = s->check;
        if (s->pushed)
            state |= BST_PUSHED;
        if (HasFocus(h))
            state |= BST_FOCUS;
        return state;
    }
    case BM_SETSTATE:
        SetPushed(h, s, wParam != 0);
        return 0;
    case BM_SETSTYLE: {
        const DWORD style = (Style(h) & ~(DWORD)BS_TYPEMASK) | ((DWORD)wParam & BS_TYPEMASK);
        ::SetWindowLongPtr(h, GWL_STYLE, (LONG_PTR)(LONG)style);
        UpdateRegion(h);
        if (LOWORD(lParam))
            ::InvalidateRect(h, nullptr, TRUE);
        return 0;
    }
    case BM_CLICK:
        if (!Enabled(h))
            return 0;
        ::SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        if (::IsWindow(h))
            ::SendMessage(h, WM_LBUTTONUP, 0, 0);
        return 0;
    case BM_GETIMAGE:
    case BM_SETIMAGE:
        return 0; // images on buttons are not drawn
    case WM_SETCURSOR:
        return SetCursorMessage(h, wParam, lParam, IDC_ARROW);
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterButton() { RegisterSurfaceClass(WC_BUTTON, ButtonProc); }

} // namespace ctl
