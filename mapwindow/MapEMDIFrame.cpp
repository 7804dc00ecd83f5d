// The map editor's MDI main frame (MapEMDIFrame.h). A failed base creation,
// status bar or info tool window fails the frame; a toolbar that cannot be made
// leaves the frame without the bars after it.
#include "mapwindow/MapEMDIFrame.h"

#include "mapwindow/MapEditorBars.h"
#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CMapEMDIFrame, CMDIFrameWnd)

namespace {

// Child, visible, docked at the top, gripper, tool tips, fly-by help, dynamic size.
constexpr DWORD kToolBarStyle = 0x5040283C;

CString Text(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CMapEMDIFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_VIEW_INFO_TOOL, OnViewInfoTool)
    ON_UPDATE_COMMAND_UI(ID_VIEW_INFO_TOOL, OnUpdateViewInfoTool)
    ON_COMMAND(ID_VIEW_MAIN_TOOLBAR, OnViewMainBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_MAIN_TOOLBAR, OnUpdateViewMainBar)
    ON_COMMAND(ID_VIEW_MAP_TOOLBAR, OnViewToolBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_MAP_TOOLBAR, OnUpdateViewToolBar)
    ON_COMMAND(ID_VIEW_DRAWING_TOOLBAR, OnViewDrawingBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_DRAWING_TOOLBAR, OnUpdateViewDrawingBar)
END_MESSAGE_MAP()

CMapEMDIFrame::CMapEMDIFrame() = default;
CMapEMDIFrame::~CMapEMDIFrame() = default;

BOOL CMapEMDIFrame::PreCreateWindow(CREATESTRUCT& cs) { return CMDIFrameWnd::PreCreateWindow(cs); }

int CMapEMDIFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!mapeditor::CreateStatusBar(*this, m_wndStatusBar))
        return -1;

    struct Bar {
        CToolBar& bar;
        UINT resource;
        UINT title;
    };
    const Bar bars[] = {{m_wndStandardBar, IDR_MAINFRAME, 0},
                        {m_wndMainBar, IDR_TOOLBAR_MAIN, IDS_TOOLBAR_MAIN},
                        {m_wndToolBar, IDR_TOOLBAR_TOOL, IDS_TOOLBAR_TOOL},
                        {m_wndDrawingBar, IDR_TOOLBAR_DRAWING, IDS_TOOLBAR_DRAWING}};
    for (const Bar& b : bars) {
        if (!b.bar.CreateEx(this, TBSTYLE_FLAT, kToolBarStyle, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
            !b.bar.LoadToolBar(b.resource))
            return 0;
        if (b.title)
            b.bar.SetWindowText(Text(b.title));
    }
    return mapeditor::FinishEditorFrame(*this, {&m_wndStandardBar, &m_wndMainBar, &m_wndToolBar, &m_wndDrawingBar},
                                        m_wndToolBar, m_wndDrawingBar, m_pInfoTool, Text(IDS_INFO_TOOL),
                                        m_wndBrowseData)
               ? 0
               : -1;
}

void CMapEMDIFrame::SetStatusPaneText(int pane, LPCTSTR text) { mapeditor::SetStatusPaneToText(m_wndStatusBar, pane, text); }

void CMapEMDIFrame::ToggleBrowseDataBar(CMUIMap* map) { mapeditor::ToggleBrowseDataBar(*this, m_wndBrowseData, map); }

void CMapEMDIFrame::OnUpdateBrowseDataBar(CCmdUI* pCmdUI) { mapeditor::UpdateBrowseDataBar(m_wndBrowseData, pCmdUI); }

void CMapEMDIFrame::ShowBrowseDataBar(BOOL show) { mapeditor::ShowBrowseDataBar(*this, m_wndBrowseData, show); }

void CMapEMDIFrame::ToggleBar(CControlBar& bar)
{
    if (bar.GetSafeHwnd())
        ShowControlBar(&bar, (bar.GetStyle() & WS_VISIBLE) == 0, FALSE);
}

void CMapEMDIFrame::OnViewInfoTool() { mapeditor::ToggleInfoTool(m_pInfoTool.get()); }

void CMapEMDIFrame::OnUpdateViewInfoTool(CCmdUI* pCmdUI) { mapeditor::UpdateInfoTool(m_pInfoTool.get(), pCmdUI); }

void CMapEMDIFrame::UpdateBar(CControlBar& bar, CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck((bar.GetStyle() & WS_VISIBLE) != 0);
}

void CMapEMDIFrame::OnViewMainBar() { ToggleBar(m_wndMainBar); }
void CMapEMDIFrame::OnUpdateViewMainBar(CCmdUI* pCmdUI) { UpdateBar(m_wndMainBar, pCmdUI); }
void CMapEMDIFrame::OnViewToolBar() { ToggleBar(m_wndToolBar); }
void CMapEMDIFrame::OnUpdateViewToolBar(CCmdUI* pCmdUI) { UpdateBar(m_wndToolBar, pCmdUI); }
void CMapEMDIFrame::OnViewDrawingBar() { ToggleBar(m_wndDrawingBar); }
void CMapEMDIFrame::OnUpdateViewDrawingBar(CCmdUI* pCmdUI) { UpdateBar(m_wndDrawingBar, pCmdUI); }
