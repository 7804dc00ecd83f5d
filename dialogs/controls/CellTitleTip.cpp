#include "dialogs/controls/CellTitleTip.h"

#include "platform/base/Clock.h"
#include "platform/base/Exceptions.h"
#include "platform/wnd/CWinThread.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"

namespace {
const char kClassName[] = "LayerTitleTip";
}

BEGIN_MESSAGE_MAP(CCellTitleTip, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CCellTitleTip::CCellTitleTip() : m_dwDblClickMsecs(::GetDoubleClickTime())
{
    WNDCLASS probe{};
    if (GetClassInfo(AfxGetInstanceHandle(), kClassName, &probe))
        return;
    WNDCLASS wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_INFOBK + 1);
    wc.lpszClassName = kClassName;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
}

CCellTitleTip::~CCellTitleTip()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CCellTitleTip::Create(CWnd* parent)
{
    if (m_bCreated)
        return TRUE;
    m_pParent = parent;
    m_bCreated = CreateEx(WS_EX_TOOLWINDOW, kClassName, nullptr, WS_POPUP | WS_BORDER, 0, 0, 0, 0,
                          parent ? parent->GetSafeHwnd() : nullptr, nullptr);
    return m_bCreated;
}

BOOL CCellTitleTip::DestroyWindow()
{
    m_bCreated = FALSE;
    return m_hWnd ? CWnd::DestroyWindow() : FALSE;
}

void CCellTitleTip::Show(const CRect& titleRect, const CString& text, int xOffset, const CRect* hoverRect,
                         const LOGFONT* logFont, COLORREF textColor, COLORREF backColor)
{
    if (!m_bCreated && !Create(m_pParent))
        return;
    if (titleRect.IsRectEmpty() || IsWindowVisible() || !m_pParent)
        return;
    m_rectHover = hoverRect ? *hoverRect : titleRect;
    m_rectHover.right++;
    m_rectHover.bottom++;
    m_pParent->ClientToScreen(&m_rectHover);
    ScreenToClient(&m_rectHover);
    // A tip over a window in the background would take what the user types elsewhere.
    if (!::GetFocus())
        return;

    m_strText = " " + text + " ";
    CClientDC dc(this);
    CFont font;
    CFont* oldFont = nullptr;
    if (logFont && font.CreateFontIndirect(logFont))
        oldFont = dc.SelectObject(&font);
    else if (CFont* parentFont = m_pParent->GetFont())
        oldFont = dc.SelectObject(parentFont);
    const CSize size = dc.GetTextExtent(m_strText);
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    if (oldFont)
        dc.SelectObject(oldFont);
    if (size.cx + metrics.tmOverhang + xOffset + titleRect.left + xOffset <= titleRect.right - xOffset)
        return; // the cell shows it all

    m_bHasFont = false;
    if (logFont) {
        m_LogFont = *logFont;
        m_bHasFont = true;
    } else if (CFont* parentFont = m_pParent->GetFont()) {
        m_bHasFont = parentFont->GetLogFont(&m_LogFont) != 0;
    }
    m_crText = textColor;
    m_crBack = backColor;
    CRect place(titleRect.left + xOffset, titleRect.top, 0, 0);
    m_pParent->ClientToScreen(&place);
    SetWindowPos(&wndTop, place.left, place.top, size.cx + metrics.tmOverhang + xOffset, titleRect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    UpdateWindow();
    SetCapture();
}

void CCellTitleTip::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_crBack != kNoColor ? m_crBack : ::GetSysColor(COLOR_INFOBK));
    CFont font;
    CFont* oldFont = nullptr;
    if (m_bHasFont && font.CreateFontIndirect(&m_LogFont))
        oldFont = dc.SelectObject(&font);
    dc.SetTextColor(m_crText != kNoColor ? m_crText : ::GetSysColor(COLOR_INFOTEXT));
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(0, 0, m_strText);
    if (oldFont)
        dc.SelectObject(oldFont);
}

void CCellTitleTip::Hide()
{
    if (!m_hWnd)
        return;
    if (GetCapture() == this)
        ReleaseCapture();
    ShowWindow(SW_HIDE);
}

void CCellTitleTip::ForwardMouse(UINT clientMessage, UINT ncMessage, WPARAM flags, POINT screen, bool post)
{
    CWnd* target = WindowFromPoint(screen);
    if (!target)
        return;
    if (target == this)
        target = m_pParent;
    if (!target)
        return;
    LRESULT hit = target->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    // A window that lets the point through (a static) hands it to its parent.
    while (hit == HTTRANSPARENT && (target->GetStyle() & WS_CHILD) && target->GetParent()) {
        target = target->GetParent();
        hit = target->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    }
    UINT message = ncMessage;
    WPARAM wParam = (WPARAM)hit;
    POINT point = screen;
    if (hit == HTCLIENT) {
        target->ScreenToClient(&point);
        message = clientMessage;
        wParam = flags;
    }
    if (post)
        target->PostMessage(message, wParam, MAKELPARAM(point.x, point.y));
    else
        target->SendMessage(message, wParam, MAKELPARAM(point.x, point.y));
}

void CCellTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_rectHover.PtInRect(point))
        return;
    Hide();
    ClientToScreen(&point);
    ForwardMouse(WM_MOUSEMOVE, WM_NCMOUSEMOVE, nFlags, point, false);
}

BOOL CCellTitleTip::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParent)
            m_pParent->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        UINT message = pMsg->message;
        UINT ncMessage = message == WM_LBUTTONDOWN   ? WM_NCLBUTTONDOWN
                         : message == WM_RBUTTONDOWN ? WM_NCRBUTTONDOWN
                                                     : WM_NCMBUTTONDOWN;
        if (message == WM_LBUTTONDOWN) {
            const DWORD now = ::GetTickCount();
            if (m_dwLastLButtonDown != (DWORD)-1 && now - m_dwLastLButtonDown <= m_dwDblClickMsecs) {
                message = WM_LBUTTONDBLCLK;
                ncMessage = WM_NCLBUTTONDBLCLK;
            }
            m_dwLastLButtonDown = now;
        }
        Hide();
        POINT screen = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
        ::ClientToScreen(pMsg->hwnd, &screen);
        if (!WindowFromPoint(screen))
            return CWnd::PreTranslateMessage(pMsg);
        ForwardMouse(message, ncMessage, pMsg->wParam, screen, true);
        return TRUE;
    }
    default:
        break;
    }
    if (::GetFocus())
        return CWnd::PreTranslateMessage(pMsg);
    Hide();
    return TRUE;
}
