// The map editor's MDI main frame (MapEMDIFrame.h). A failed base creation,
// status bar or info tool window fails the frame; a toolbar that cannot be made
// leaves the frame without the bars after it.
#include "mapwindow/MapEMDIFrame.h"

#include "core/Settings.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <iterator>

IMPLEMENT_DYNCREATE(CMapEMDIFrame, CMDIFrameWnd)

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_POSITION, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                            ID_INDICATOR_SCRL};
// Child, visible, docked at the top, gripper, tool tips, fly-by help, dynamic size.
constexpr DWORD kToolBarStyle = 0x5040283C;
constexpr DWORD kStatusBarStyle = 0x50008200;
constexpr DWORD kBrowseBarStyle = 0x50002800;

CString Text(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

void SetStatusPaneToText(CStatusBar& bar, int pane, LPCTSTR text)
{
    CWindowDC dc(&bar);
    CFont* font = bar.GetFont();
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int width = dc.GetTextExtent(text ? text : "").cx - tm.tmOverhang;
    if (old)
        dc.SelectObject(old);
    bar.SetPaneInfo(pane, ID_INDICATOR_POSITION, SBPS_NORMAL, width);
    bar.SetPaneText(pane, text, TRUE);
}

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
    if (!m_wndStatusBar.Create(this, kStatusBarStyle, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, (int)std::size(kIndicators)))
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
    // The first four tools of each tool bar are one choice.
    for (CToolBar* bar : {&m_wndToolBar, &m_wndDrawingBar})
        for (int i = 0; i < 4 && i < bar->GetCount(); ++i)
            bar->SetButtonStyle(i, bar->GetButtonStyle(i) | TBBS_CHECKGROUP);

    m_pInfoTool = std::make_unique<CObjectInfoFrame>();
    if (!m_pInfoTool->CreateToolWindow(Text(IDS_INFO_TOOL), this))
        return -1;
    if (g_ShowInfoTool)
        m_pInfoTool->ShowWindow(SW_SHOW);

    EnableDocking(CBRS_ALIGN_ANY);
    for (const Bar& b : bars) {
        b.bar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&b.bar);
    }

    if (m_wndBrowseData.Create("Browse Data", this, ID_BROWSE_DATA, kBrowseBarStyle)) {
        m_wndBrowseData.SetBarStyle(m_wndBrowseData.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
        m_wndBrowseData.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndBrowseData, AFX_IDW_DOCKBAR_BOTTOM);
        ShowControlBar(&m_wndBrowseData, FALSE, FALSE);
    }
    return 0;
}

void CMapEMDIFrame::SetStatusPaneText(int pane, LPCTSTR text) { SetStatusPaneToText(m_wndStatusBar, pane, text); }

void CMapEMDIFrame::ToggleBrowseDataBar(CMUIMap* map)
{
    if (!m_wndBrowseData.GetSafeHwnd())
        return;
    const BOOL visible = m_wndBrowseData.IsVisible();
    if (!visible)
        m_wndBrowseData.RefreshTabs(map);
    ShowControlBar(&m_wndBrowseData, !visible, FALSE);
}

void CMapEMDIFrame::OnUpdateBrowseDataBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndBrowseData.GetSafeHwnd() && m_wndBrowseData.IsVisible() ? 1 : 0);
}

void CMapEMDIFrame::ShowBrowseDataBar(BOOL show)
{
    if (m_wndBrowseData.GetSafeHwnd())
        ShowControlBar(&m_wndBrowseData, show, FALSE);
}

void CMapEMDIFrame::ToggleBar(CControlBar& bar)
{
    if (bar.GetSafeHwnd())
        ShowControlBar(&bar, (bar.GetStyle() & WS_VISIBLE) == 0, FALSE);
}

void CMapEMDIFrame::OnViewInfoTool()
{
    if (!m_pInfoTool || !m_pInfoTool->GetSafeHwnd())
        return;
    m_pInfoTool->ShowWindow(m_pInfoTool->IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void CMapEMDIFrame::OnUpdateViewInfoTool(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_pInfoTool && m_pInfoTool->GetSafeHwnd() && m_pInfoTool->IsWindowVisible() ? 1 : 0);
}

void CMapEMDIFrame::OnViewMainBar() { ToggleBar(m_wndMainBar); }
void CMapEMDIFrame::OnUpdateViewMainBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck((m_wndMainBar.GetStyle() & WS_VISIBLE) != 0); }
void CMapEMDIFrame::OnViewToolBar() { ToggleBar(m_wndToolBar); }
void CMapEMDIFrame::OnUpdateViewToolBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck((m_wndToolBar.GetStyle() & WS_VISIBLE) != 0); }
void CMapEMDIFrame::OnViewDrawingBar() { ToggleBar(m_wndDrawingBar); }
void CMapEMDIFrame::OnUpdateViewDrawingBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck((m_wndDrawingBar.GetStyle() & WS_VISIBLE) != 0);
}
