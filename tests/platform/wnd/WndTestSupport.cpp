// The window tests' recording window: every handler it receives is written to
// a call log in order.
#include "WndTestSupport.h"

#include <cstdarg>
#include <cstdio>

void CallLog::Add(const char* format, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    lines.emplace_back(buffer);
}

std::vector<std::string> CallLog::With(const std::string& prefix) const
{
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0)
            out.push_back(l);
    return out;
}

BEGIN_MESSAGE_MAP(RecordingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_CHAR()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_WM_CONTEXTMENU()
    ON_WM_CLOSE()
    ON_WM_SHOWWINDOW()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

BOOL RecordingWnd::CreatePopup(int x, int y, int cx, int cy, UINT classStyle, HBRUSH background, DWORD style,
                               DWORD exStyle)
{
    LPCTSTR cls = AfxRegisterWndClass(classStyle, ::LoadCursor(nullptr, IDC_ARROW), background);
    return CreateEx(exStyle, cls, m_name.c_str(), style, x, y, cx, cy, nullptr, nullptr);
}

BOOL RecordingWnd::CreateChild(CWnd* parent, const RECT& rect, UINT id, UINT classStyle, HBRUSH background,
                               DWORD style, DWORD exStyle)
{
    LPCTSTR cls = AfxRegisterWndClass(classStyle, ::LoadCursor(nullptr, IDC_ARROW), background);
    return CreateEx(exStyle, cls, m_name.c_str(), style, rect, parent, id);
}

void RecordingWnd::Log(const char* format, ...)
{
    char buffer[200];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    m_log.Add("%s:%s", m_name.c_str(), buffer);
}

void RecordingWnd::PostNcDestroy()
{
    m_log.Add("%s:PostNcDestroy", m_name.c_str());
    if (m_deleteOnNcDestroy) {
        if (m_deleted)
            *m_deleted = true;
        delete this;
    }
}

int RecordingWnd::OnCreate(LPCREATESTRUCT cs)
{
    Log("Create %s", cs && cs->lpszName ? cs->lpszName : "");
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    return m_createResult;
}

void RecordingWnd::OnDestroy()
{
    Log("Destroy");
    CWnd::OnDestroy();
}

void RecordingWnd::OnNcDestroy()
{
    Log("NcDestroy");
    CWnd::OnNcDestroy();
}

void RecordingWnd::OnPaint()
{
    CPaintDC dc(this);
    const RECT& r = dc.m_ps.rcPaint;
    Log("Paint %d,%d,%d,%d erase=%d", (int)r.left, (int)r.top, (int)r.right, (int)r.bottom, (int)dc.m_ps.fErase);
    if (m_paintColor != CLR_INVALID) {
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, m_paintColor); // the paint DC clips this to the update region
    }
}

BOOL RecordingWnd::OnEraseBkgnd(CDC* dc)
{
    Log("EraseBkgnd");
    if (m_eraseResult != -1)
        return m_eraseResult;
    return CWnd::OnEraseBkgnd(dc);
}

void RecordingWnd::OnSize(UINT type, int cx, int cy)
{
    Log("Size %u %d %d", type, cx, cy);
    CWnd::OnSize(type, cx, cy);
}

void RecordingWnd::OnMove(int x, int y)
{
    Log("Move %d %d", x, y);
    CWnd::OnMove(x, y);
}

void RecordingWnd::OnTimer(UINT_PTR id)
{
    Log("Timer %u", (unsigned)id);
    CWnd::OnTimer(id);
}

void RecordingWnd::OnLButtonDown(UINT flags, CPoint p)
{
    Log("LButtonDown %u %d %d", flags, (int)p.x, (int)p.y);
    CWnd::OnLButtonDown(flags, p);
}

void RecordingWnd::OnLButtonUp(UINT flags, CPoint p)
{
    Log("LButtonUp %u %d %d", flags, (int)p.x, (int)p.y);
    CWnd::OnLButtonUp(flags, p);
}

void RecordingWnd::OnLButtonDblClk(UINT flags, CPoint p)
{
    Log("LButtonDblClk %u %d %d", flags, (int)p.x, (int)p.y);
    CWnd::OnLButtonDblClk(flags, p);
}

void RecordingWnd::OnRButtonDown(UINT flags, CPoint p)
{
    Log("RButtonDown %u %d %d", flags, (int)p.x, (int)p.y);
    CWnd::OnRButtonDown(flags, p);
}

void RecordingWnd::OnRButtonUp(UINT flags, CPoint p)
{
    Log("RButtonUp %u %d %d", flags, (int)p.x, (int)p.y);
    CWnd::OnRButtonUp(flags, p);
}

void RecordingWnd::OnMButtonDown(UINT flags, CPoint p)
{
    Log("MButtonDown %u %d %d", flags, (int)p.x, (int)p.y);
    CWnd::OnMButtonDown(flags, p);
}

void RecordingWnd::OnMouseMove(UINT flags, CPoint p)
{
    Log("MouseMove %u %d %d", flags, (int)p.x, (int)p.y);
    CWnd::OnMouseMove(flags, p);
}

BOOL RecordingWnd::OnMouseWheel(UINT flags, short delta, CPoint p)
{
    Log("MouseWheel %u %d %d %d", flags, (int)delta, (int)p.x, (int)p.y);
    return CWnd::OnMouseWheel(flags, delta, p);
}

void RecordingWnd::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    Log("KeyDown %u %u %04x", ch, repeat, flags);
    CWnd::OnKeyDown(ch, repeat, flags);
}

void RecordingWnd::OnKeyUp(UINT ch, UINT repeat, UINT flags)
{
    Log("KeyUp %u %u %04x", ch, repeat, flags);
    CWnd::OnKeyUp(ch, repeat, flags);
}

void RecordingWnd::OnChar(UINT ch, UINT repeat, UINT flags)
{
    Log("Char %u %u", ch, repeat);
    CWnd::OnChar(ch, repeat, flags);
}

void RecordingWnd::OnSetFocus(CWnd* old)
{
    Log("SetFocus %s", old ? "other" : "none");
    CWnd::OnSetFocus(old);
}

void RecordingWnd::OnKillFocus(CWnd* next)
{
    Log("KillFocus %s", next ? "other" : "none");
    CWnd::OnKillFocus(next);
}

void RecordingWnd::OnCaptureChanged(CWnd* wnd)
{
    Log("CaptureChanged %s", wnd ? "other" : "none");
    CWnd::OnCaptureChanged(wnd);
}

void RecordingWnd::OnContextMenu(CWnd* wnd, CPoint p)
{
    Log("ContextMenu %s %d %d", wnd == this ? "self" : "child", (int)p.x, (int)p.y);
}

void RecordingWnd::OnClose()
{
    Log("Close");
    CWnd::OnClose();
}

void RecordingWnd::OnShowWindow(BOOL show, UINT status)
{
    Log("ShowWindow %d", (int)show);
    CWnd::OnShowWindow(show, status);
}

void RecordingWnd::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    Log("VScroll %u %u", code, pos);
    CWnd::OnVScroll(code, pos, bar);
}
