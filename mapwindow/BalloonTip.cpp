// The balloon tip (BalloonTip.h). Its outline is a rounded body with a tail at
// the lower right whose tip touches the anchor; the tip is hidden whenever the
// pointer is no longer at the anchor, and hiding drops an appearance still
// pending, so a tip never shows up for a point the pointer has left.
#include "mapwindow/BalloonTip.h"

#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CBalloonTip, CWnd)

BEGIN_MESSAGE_MAP(CBalloonTip, CWnd)
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
constexpr int kMarginX = 12;
constexpr int kMarginY = 10;
constexpr int kTailHeight = 25;
}

CBalloonTip::CBalloonTip()
{
    m_strClassName = AfxRegisterWndClass(0);
}

CBalloonTip::~CBalloonTip()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CBalloonTip::Create(CWnd* parent)
{
    if (!CreateEx(0, m_strClassName, "", WS_POPUP, 0, 0, 0, 0, parent ? parent->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    LOGFONTA font{};
    if (CFont* gui = CFont::FromHandle((HFONT)GetStockObject(DEFAULT_GUI_FONT)))
        gui->GetLogFont(&font);
    m_Font.CreateFontIndirect(&font);
    return TRUE;
}

void CBalloonTip::AddTool(CWnd* window, const CString& text, HICON icon)
{
    if (window && window->GetSafeHwnd())
        m_Tools[window->GetSafeHwnd()] = Tool{text, icon};
}

void CBalloonTip::Show(const CString& text, const POINT* point)
{
    if (point)
        m_ptAnchor = *point;
    else
        GetCursorPos(&m_ptAnchor);
    m_strText = text;
    if (m_hWnd)
        m_nTimer = SetTimer(kShowTimer, (UINT)m_nShowDelay);
}

void CBalloonTip::SetIcon(HICON icon)
{
    m_hIcon = icon;
    // The platform's icons carry no hot spot to size them by: an icon takes no room.
    m_nIconWidth = m_nIconHeight = 0;
    if (m_hWnd && IsWindowVisible())
        RedrawWindow();
}

void CBalloonTip::RelayEvent(MSG* msg)
{
    if (!msg || msg->message != WM_MOUSEMOVE)
        return;
    CPoint cursor;
    GetCursorPos(&cursor);
    if (cursor == m_ptAnchor)
        return;
    const auto tool = m_Tools.find(::WindowFromPoint(cursor));
    if (tool != m_Tools.end()) {
        SetIcon(tool->second.icon);
        Show(tool->second.text, &cursor);
    }
    if (cursor != m_ptAnchor)
        Hide();
}

void CBalloonTip::Hide()
{
    if (!m_hWnd)
        return;
    KillTimer(kShowTimer);
    KillTimer(kHideTimer);
    ShowWindow(SW_HIDE);
}

CSize CBalloonTip::MeasureBody()
{
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_Font);
    CRect text(0, 0, 0, 0);
    dc.DrawText(m_strText, &text, DT_CALCRECT);
    dc.SelectObject(old);
    text.InflateRect(kMarginX, kMarginY);
    if (m_hIcon)
        text.right += m_nIconWidth + 5;
    return CSize(text.Width(), std::max((int)text.Height(), m_nIconHeight));
}

void CBalloonTip::MakeRegion(CRgn& region, int w, int h)
{
    region.CreateRectRgn(0, 0, w, h + kTailHeight);
    CRgn body, tail;
    body.CreateRoundRectRgn(0, 0, w, h, 12, 10);
    const POINT corners[3] = {{w - 12, h - 10}, {w - 12, h + 15}, {w - 37, h - 10}};
    tail.CreatePolygonRgn(corners, 3, ALTERNATE);
    region.CombineRgn(&body, &tail, RGN_OR);
}

void CBalloonTip::OnTimer(UINT_PTR id)
{
    if (id == kShowTimer) {
        KillTimer(kShowTimer);
        const CSize body = MeasureBody();
        CRgn region;
        MakeRegion(region, body.cx, body.cy);
        SetWindowRgn((HRGN)region.Detach(), TRUE);
        SetWindowPos(&wndTopMost, m_ptAnchor.x - body.cx + kMarginX, m_ptAnchor.y - (body.cy + kTailHeight) + kMarginY,
                     body.cx, body.cy + kTailHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        m_nTimer = SetTimer(kHideTimer, 500);
        return;
    }
    if (id == kHideTimer) {
        CPoint cursor;
        GetCursorPos(&cursor);
        if (cursor != m_ptAnchor)
            Hide();
        return;
    }
    CWnd::OnTimer(id);
}

void CBalloonTip::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const CSize body(client.Width(), client.Height() - kTailHeight);
    CRgn region;
    MakeRegion(region, body.cx, body.cy);
    CBrush window(GetSysColor(COLOR_WINDOW)), highlight(GetSysColor(COLOR_BTNHIGHLIGHT)),
        frame(GetSysColor(COLOR_WINDOWTEXT));
    dc.FillRgn(&region, &window);
    dc.FrameRgn(&region, &highlight, 3, 3);
    dc.FrameRgn(&region, &frame, 1, 1);
    CFont* old = dc.SelectObject(&m_Font);
    dc.SetBkMode(TRANSPARENT);
    CRect text = client;
    text.left += kMarginX + (m_hIcon ? m_nIconWidth + 5 : 0);
    text.top += kMarginY;
    dc.DrawText(m_strText, &text, 0);
    dc.SelectObject(old);
}

void CBalloonTip::OnDestroy()
{
    KillTimer(kShowTimer);
    KillTimer(kHideTimer);
    m_Font.DeleteObject();
    CWnd::OnDestroy();
}
