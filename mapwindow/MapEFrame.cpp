// The map editor's single-document frame (MapEFrame.h). Its toolbars have their
// show/hide commands as window ids, so the frame's bar commands serve them.
#include "mapwindow/MapEFrame.h"

#include "mapwindow/MapEditorBars.h"
#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CMapEFrame, CFrameWnd)

namespace {
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
    if (!mapeditor::CreateStatusBar(*this, m_wndStatusBar))
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
    return mapeditor::FinishEditorFrame(*this, {&m_wndMainBar, &m_wndToolBar, &m_wndDrawingBar}, m_wndToolBar,
                                        m_wndDrawingBar, m_pInfoTool, "Info Tool", m_wndBrowseData)
               ? 0
               : -1;
}

void CMapEFrame::SetStatusPaneText(int pane, LPCTSTR text) { mapeditor::SetStatusPaneToText(m_wndStatusBar, pane, text); }

void CMapEFrame::ToggleBrowseDataBar(CMUIMap* map) { mapeditor::ToggleBrowseDataBar(*this, m_wndBrowseData, map); }

void CMapEFrame::OnUpdateBrowseDataBar(CCmdUI* pCmdUI) { mapeditor::UpdateBrowseDataBar(m_wndBrowseData, pCmdUI); }

void CMapEFrame::ShowBrowseDataBar(BOOL show) { mapeditor::ShowBrowseDataBar(*this, m_wndBrowseData, show); }

void CMapEFrame::OnViewInfoTool() { mapeditor::ToggleInfoTool(m_pInfoTool.get()); }

void CMapEFrame::OnUpdateViewInfoTool(CCmdUI* pCmdUI) { mapeditor::UpdateInfoTool(m_pInfoTool.get(), pCmdUI); }
