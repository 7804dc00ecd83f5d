// The main frame (MainFrm.h).
#include "app/MainFrm.h"

#include "app/HelpDocuments.h"
#include "platform/frames/CDockBar.h"
#include "platform/frames/FrameIds.h"
#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMapEMDIFrame)

BEGIN_MESSAGE_MAP(CMainFrame, CMapEMDIFrame)
    ON_WM_CREATE()
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) { return CMapEMDIFrame::PreCreateWindow(cs); }

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMapEMDIFrame::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndMainBar.GetSafeHwnd() || !m_wndToolBar.GetSafeHwnd())
        return 0;
    // The Main toolbar goes on the Tool toolbar's row, one pixel right of it.
    RecalcLayout();
    CRect rect;
    m_wndToolBar.GetWindowRect(&rect);
    rect.OffsetRect(1, 0);
    const DWORD style = m_wndToolBar.GetBarStyle();
    const UINT side = (style & CBRS_ALIGN_TOP)      ? AFX_IDW_DOCKBAR_TOP
                      : (style & CBRS_ALIGN_BOTTOM) ? AFX_IDW_DOCKBAR_BOTTOM
                      : (style & CBRS_ALIGN_LEFT)   ? AFX_IDW_DOCKBAR_LEFT
                                                    : AFX_IDW_DOCKBAR_RIGHT;
    DockControlBar(&m_wndMainBar, side, &rect);
    return 0;
}

void CMainFrame::OnHelp() { OpenHelpDocument(kGermanManual); }
