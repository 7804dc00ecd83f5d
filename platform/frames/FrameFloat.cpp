// The tool window a floating control bar lives in: as small as its bars, and closing it hides the
// bars instead of destroying them.
#include "platform/frames/FrameInternal.h"

#include <vector>

namespace frame {

IMPLEMENT_DYNAMIC(FloatFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(FloatFrame, CFrameWnd)
    ON_WM_CLOSE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

FloatFrame::FloatFrame() = default;
FloatFrame::~FloatFrame() = default;

BOOL FloatFrame::Create(CFrameWnd* pDockSite, DWORD dwStyle)
{
    m_pDockSite = pDockSite;
    if (!CFrameWnd::Create(nullptr, "", WS_POPUP | WS_CAPTION | WS_SYSMENU, CRect(0, 0, 100, 40), pDockSite, nullptr,
                           WS_EX_TOOLWINDOW))
        return FALSE;
    const DWORD side = (dwStyle & CBRS_ALIGN_ANY) ? (dwStyle & CBRS_ALIGN_ANY) : CBRS_ALIGN_TOP;
    if (!m_wndDockBar.Create(this, side, AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

void FloatFrame::RecalcLayout(BOOL)
{
    if (!m_hWnd || !m_wndDockBar.m_hWnd || m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_bDelayedLayout = FALSE;
    // The window wraps its bars.
    const CSize size = m_wndDockBar.CalcFixedLayout(FALSE, TRUE);
    CRect window(0, 0, std::max(1, (int)size.cx), std::max(1, (int)size.cy));
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndDockBar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndDockBar.LayoutBars(size.cx, TRUE);
    m_bInRecalcLayout = FALSE;
}

void FloatFrame::OnClose()
{
    // Closing the window hides its bars; docking them again brings them back.
    std::vector<CControlBar*> bars;
    if (m_pDockSite)
        for (CControlBar* bar : m_pDockSite->GetControlBars())
            if (bar->m_pDockBar == &m_wndDockBar)
                bars.push_back(bar);
    for (CControlBar* bar : bars)
        m_pDockSite->ShowControlBar(bar, FALSE, FALSE);
    ShowWindow(SW_HIDE);
}

} // namespace frame

namespace frame {

// The window is as small as its bars, below the usual minimum of captioned windows.
void FloatFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) { lpMMI->ptMinTrackSize = POINT{1, 1}; }

} // namespace frame
