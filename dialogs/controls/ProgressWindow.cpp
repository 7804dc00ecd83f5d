// The progress window. Every operation but BeginModal does nothing (or returns
// the stored position) while the window does not exist.
#include "dialogs/controls/ProgressWindow.h"

#include "platform/controls/CButton.h"
#include "platform/base/Profile.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/CWinThread.h"
#include "platform/wnd/WindowDC.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace {

const char kSettings[] = "Settings";

// The Cancel control in the area the layout keeps for it; owned by the window.
class CProgressCancelButton : public CButton {
public:
    void PostNcDestroy() override { delete this; }
};

} // namespace

BEGIN_MESSAGE_MAP(CProgressWindow, CWnd)
    ON_WM_ERASEBKGND()
    ON_COMMAND(CProgressWindow::ID_CANCEL, OnCancelCommand)
END_MESSAGE_MAP()

CProgressWindow::CProgressWindow(CWnd* owner, LPCTSTR caption, BOOL smooth)
{
    if (caption)
        m_caption = caption;
    Create(owner, m_caption, smooth);
}

CProgressWindow::~CProgressWindow()
{
    DestroyWindow();
    m_font.DeleteObject();
}

BOOL CProgressWindow::Create(CWnd* owner, LPCTSTR caption, BOOL smooth)
{
    if (m_hWnd)
        return TRUE;
    if (caption)
        m_caption = caption;
    LPCTSTR windowClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_OWNDC, LoadCursor(nullptr, IDC_APPSTARTING),
                                              GetSysColorBrush(COLOR_BTNFACE));
    if (!m_font.GetSafeHandle()) {
        NONCLIENTMETRICS metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        m_font.CreateFontIndirect(&metrics.lfMessageFont);
    }
    if (!owner)
        owner = AfxGetMainWnd();
    if (!CreateEx(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, windowClass, m_caption, WS_POPUP | WS_CAPTION, 0, 0, 390, 130,
                  owner ? owner->m_hWnd : nullptr, nullptr))
        return FALSE;
    if (!m_label.Create("", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, CRect(0, 0, 10, 10), this,
                        ID_LABEL) ||
        !m_bar.Create(WS_CHILD | WS_VISIBLE | (smooth ? PBS_SMOOTH : 0), CRect(0, 0, 10, 10), this, ID_BAR)) {
        CWnd::DestroyWindow();
        return FALSE;
    }
    m_label.SetFont(&m_font);
    auto* cancel = new CProgressCancelButton;
    if (cancel->Create(m_cancelText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 10, 10), this, ID_CANCEL))
        cancel->SetFont(&m_font);
    else
        delete cancel;
    Layout(m_labelLines, 390);
    if (m_rememberPosition)
        RestorePosition();
    else
        CenterWindow();
    Show();
    return TRUE;
}

void CProgressWindow::Layout(int lines, int width)
{
    CRect label(10, 10, width - 20, 120);
    CString probe = "M";
    for (int i = 1; i < lines; ++i)
        probe += "\nM";
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_font);
    dc.DrawText(probe, &label, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP);
    const CSize cancelText = dc.GetTextExtent(m_cancelText + "  ");
    dc.SelectObject(old);
    label.right = label.left + width;

    const int cancelWidth = cancelText.cx + 4 * GetSystemMetrics(SM_CXEDGE);
    const int cancelHeight = cancelText.cy + 3 * GetSystemMetrics(SM_CYEDGE);
    const CRect cancel(label.right - cancelWidth, label.bottom + 10, label.right, label.bottom + 10 + cancelHeight);
    const CRect bar(label.left, cancel.top + GetSystemMetrics(SM_CYEDGE), cancel.left - 10,
                    cancel.bottom - GetSystemMetrics(SM_CYEDGE));

    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    const int frameX = window.Width() - client.Width();
    const int frameY = window.Height() - client.Height();
    SetWindowPos(nullptr, 0, 0, label.Width() + 20 + frameX, label.Height() + cancelHeight + 30 + frameY,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bar.MoveWindow(bar);
    m_label.MoveWindow(label);
    if (CWnd* button = GetDlgItem(ID_CANCEL))
        button->MoveWindow(cancel);
}

void CProgressWindow::RestorePosition()
{
    const int x = (int)AfxGetProfileInt(kSettings, "X", -1);
    const int y = (int)AfxGetProfileInt(kSettings, "Y", -1);
    if (x < 0 || x >= GetSystemMetrics(SM_CXSCREEN) || y < 0 || y >= GetSystemMetrics(SM_CYSCREEN))
        CenterWindow();
    else
        SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CProgressWindow::SavePosition()
{
    if (!m_hWnd)
        return;
    CRect window;
    GetWindowRect(&window);
    AfxWriteProfileInt(kSettings, "X", window.left);
    AfxWriteProfileInt(kSettings, "Y", window.top);
}

BOOL CProgressWindow::BeginModal(LPCTSTR caption, BOOL smooth)
{
    if (!m_hWnd && !Create(AfxGetMainWnd(), caption, smooth))
        return FALSE;
    // Climb while the next window up exists and is enabled; disable the last.
    CWnd* top = this;
    for (;;) {
        CWnd* up = top->GetParent();
        if (!up)
            up = top->GetOwner();
        if (!up || !up->m_hWnd || !up->IsWindowEnabled())
            break;
        top = up;
    }
    if (top != this) {
        top->EnableWindow(FALSE);
        m_disabled = top;
    }
    EnableWindow(TRUE);
    m_modal = TRUE;
    return TRUE;
}

void CProgressWindow::SetRange(int lower, int upper, int step)
{
    if (!m_hWnd)
        return;
    m_bar.SetRange32(lower, upper);
    m_lower = lower;
    m_upper = upper;
    m_step = step;
    m_bar.SetStep(step);
}

int CProgressWindow::SetPos(int pos)
{
    if (!m_hWnd)
        return m_position;
    Show();
    m_position = pos;
    const int percent =
        m_upper > m_lower ? (int)std::trunc((double)(pos - m_lower) * 100.0 / (double)(m_upper - m_lower) + 0.5) : 0;
    if (percent != m_percentShown) {
        m_percentShown = percent;
        CString caption;
        caption.Format("%s [%d%%]", m_caption.GetString(), percent);
        SetWindowText(caption);
    }
    return m_bar.SetPos(pos);
}

int CProgressWindow::StepIt()
{
    if (!m_hWnd)
        return m_position;
    Show();
    return SetPos(m_position + m_step);
}

void CProgressWindow::SetText(LPCTSTR format, ...)
{
    if (!m_hWnd)
        return;
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    m_label.SetWindowText(buffer);
}

void CProgressWindow::Show()
{
    if (!m_hWnd || IsWindowVisible())
        return;
    ModifyStyle(0, WS_VISIBLE);
    ShowWindow(SW_SHOWNA);
    RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
}

void CProgressWindow::Hide()
{
    if (!m_hWnd || !IsWindowVisible())
        return;
    ShowWindow(SW_HIDE);
    ModifyStyle(WS_VISIBLE, 0);
}

void CProgressWindow::PumpMessages(BOOL escapeCancels)
{
    if (!m_hWnd)
        return;
    if (m_modal && ::GetFocus() != m_hWnd)
        SetFocus();
    CWinThread* thread = AfxGetThread();
    MSG msg{};
    while (!m_cancelled && PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (escapeCancels && msg.message == WM_CHAR && msg.wParam == 27)
            Cancel();
        if (!(thread ? thread->PumpMessage() : AfxPumpMessage())) {
            PostQuitMessage(0);
            break;
        }
    }
}

void CProgressWindow::Cancel()
{
    if (m_rememberPosition)
        SavePosition();
    m_cancelled = TRUE;
    Hide();
    if (m_modal && m_hWnd)
        PostMessage(WM_CLOSE);
    if (CWnd* main = AfxGetMainWnd())
        main->SetForegroundWindow();
}

void CProgressWindow::OnCancelCommand() { Cancel(); }

BOOL CProgressWindow::OnEraseBkgnd(CDC* pDC)
{
    CRect clip;
    pDC->GetClipBox(&clip);
    CBrush face(GetSysColor(COLOR_BTNFACE));
    CBrush* old = pDC->SelectObject(&face);
    pDC->PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), PATCOPY);
    pDC->SelectObject(old);
    return TRUE;
}

BOOL CProgressWindow::DestroyWindow()
{
    if (m_rememberPosition && m_hWnd)
        SavePosition();
    if (m_modal) {
        m_modal = FALSE;
        if (m_disabled && m_disabled->m_hWnd)
            m_disabled->EnableWindow(TRUE);
        m_disabled = nullptr;
    }
    if (!m_hWnd)
        return FALSE;
    return CWnd::DestroyWindow();
}
