// The map editor's single-document frame (MapEFrame.h). Its toolbars have their
// show/hide commands as window ids, so the frame's bar commands serve them.
#include "mapwindow/MapEFrame.h"

#include "core/Settings.h"
#include "mapwindow/MapEMDIFrame.h"
#include "resources/resource.h"

#include <iterator>

IMPLEMENT_DYNCREATE(CMapEFrame, CFrameWnd)

namespace {
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_POSITION, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                            ID_INDICATOR_SCRL};
constexpr DWORD kToolBarStyle = 0x504028BC;
}

BEGIN_MESSAGE_MAP(CMapEFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_VIEW_INFO_TOOL, OnViewInfoTool)
    ON_UPDATE_COMMAND_UI(ID_VIEW_INFO_TOOL, OnUpdateViewInfoTool)
END_MESSAGE_MAP()

CMapEFrame::CMapEFrame() = default;
CMapEFrame::~CMapEFrame() = default;

BOOL CMapEFrame::PreCreateWindow(CREATESTRUCT& cs) { return CFrameWnd::PreCreateWindow(cs); }

int CMapEFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndStatusBar.Create(this, 0x50008200, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, (int)std::size(kIndicators)))
        return -1;
    struct Bar {
        CToolBar& bar;
        UINT id;
        UINT resource;
    };
    const Bar bars[] = {{m_wndMainBar, ID_VIEW_MAIN_TOOLBAR, IDR_TOOLBAR_MAIN},
                        {m_wndToolBar, ID_VIEW_MAP_TOOLBAR, IDR_TOOLBAR_TOOL},
                        {m_wndDrawingBar, ID_VIEW_DRAWING_TOOLBAR, IDR_TOOLBAR_DRAWING}};
    for (const Bar& b : bars)
        if (!b.bar.Create(this, kToolBarStyle, b.id) || !b.bar.LoadToolBar(b.resource))
            return 0;
    for (CToolBar* bar : {&m_wndToolBar, &m_wndDrawingBar})
        for (int i = 0; i < 4 && i < bar->GetCount(); ++i)
            bar->SetButtonStyle(i, bar->GetButtonStyle(i) | TBBS_CHECKGROUP);

    m_pInfoTool = std::make_unique<CObjectInfoFrame>();
    if (!m_pInfoTool->CreateToolWindow("Info Tool", this))
        return -1;
    if (g_ShowInfoTool)
        m_pInfoTool->ShowWindow(SW_SHOW);

    EnableDocking(CBRS_ALIGN_ANY);
    for (const Bar& b : bars) {
        b.bar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&b.bar);
    }
    if (m_wndBrowseData.Create("Browse Data", this, ID_BROWSE_DATA, 0x50002800)) {
        m_wndBrowseData.SetBarStyle(m_wndBrowseData.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
        m_wndBrowseData.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndBrowseData, AFX_IDW_DOCKBAR_BOTTOM);
        ShowControlBar(&m_wndBrowseData, FALSE, FALSE);
    }
    return 0;
}

void CMapEFrame::SetStatusPaneText(int pane, LPCTSTR text) { SetStatusPaneToText(m_wndStatusBar, pane, text); }

void CMapEFrame::ToggleBrowseDataBar(CMUIMap* map)
{
    if (!m_wndBrowseData.GetSafeHwnd())
        return;
    const BOOL visible = m_wndBrowseData.IsVisible();
    if (!visible)
        m_wndBrowseData.RefreshTabs(map);
    ShowControlBar(&m_wndBrowseData, !visible, FALSE);
}

void CMapEFrame::OnUpdateBrowseDataBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndBrowseData.GetSafeHwnd() && m_wndBrowseData.IsVisible() ? 1 : 0);
}

void CMapEFrame::ShowBrowseDataBar(BOOL show)
{
    if (m_wndBrowseData.GetSafeHwnd())
        ShowControlBar(&m_wndBrowseData, show, FALSE);
}

void CMapEFrame::OnViewInfoTool()
{
    if (m_pInfoTool && m_pInfoTool->GetSafeHwnd())
        m_pInfoTool->ShowWindow(m_pInfoTool->IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void CMapEFrame::OnUpdateViewInfoTool(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_pInfoTool && m_pInfoTool->GetSafeHwnd() && m_pInfoTool->IsWindowVisible() ? 1 : 0);
}
