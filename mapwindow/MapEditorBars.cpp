// The bars both map editor frames share (MapEditorBars.h).
#include "mapwindow/MapEditorBars.h"

#include "core/Settings.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <iterator>

namespace mapeditor {

BOOL CreateStatusBar(CFrameWnd& frame, CStatusBar& bar)
{
    static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_POSITION, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                       ID_INDICATOR_SCRL};
    return bar.Create(&frame, 0x50008200, AFX_IDW_STATUS_BAR) &&
           bar.SetIndicators(kIndicators, (int)std::size(kIndicators));
}

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

BOOL FinishEditorFrame(CFrameWnd& frame, std::initializer_list<CToolBar*> toolBars, CToolBar& tool,
                       CToolBar& drawing, std::unique_ptr<CObjectInfoFrame>& info, LPCTSTR infoTitle,
                       CBrowseDataBar& browse)
{
    for (CToolBar* bar : {&tool, &drawing})
        for (int i = 0; i < 4 && i < bar->GetCount(); ++i)
            bar->SetButtonStyle(i, bar->GetButtonStyle(i) | TBBS_CHECKGROUP);

    info = std::make_unique<CObjectInfoFrame>();
    if (!info->CreateToolWindow(infoTitle, &frame))
        return FALSE;
    if (g_ShowInfoTool)
        info->ShowWindow(SW_SHOW);

    frame.EnableDocking(CBRS_ALIGN_ANY);
    for (CToolBar* bar : toolBars) {
        bar->EnableDocking(CBRS_ALIGN_ANY);
        frame.DockControlBar(bar);
    }

    // A Browse Data bar that cannot be made is left out; the frame works without it.
    if (browse.Create("Browse Data", &frame, ID_BROWSE_DATA, 0x50002800)) {
        browse.SetBarStyle(browse.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
        browse.EnableDocking(CBRS_ALIGN_ANY);
        frame.DockControlBar(&browse, AFX_IDW_DOCKBAR_BOTTOM);
        frame.ShowControlBar(&browse, FALSE, FALSE);
    }
    return TRUE;
}

void ToggleBrowseDataBar(CFrameWnd& frame, CBrowseDataBar& browse, CMUIMap* map)
{
    if (!browse.GetSafeHwnd())
        return;
    const BOOL visible = browse.IsVisible();
    if (!visible)
        browse.RefreshTabs(map);
    frame.ShowControlBar(&browse, !visible, FALSE);
}

void ShowBrowseDataBar(CFrameWnd& frame, CBrowseDataBar& browse, BOOL show)
{
    if (browse.GetSafeHwnd())
        frame.ShowControlBar(&browse, show, FALSE);
}

void UpdateBrowseDataBar(CBrowseDataBar& browse, CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(browse.GetSafeHwnd() && browse.IsVisible() ? 1 : 0);
}

void ToggleInfoTool(CObjectInfoFrame* info)
{
    if (info && info->GetSafeHwnd())
        info->ShowWindow(info->IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void UpdateInfoTool(CObjectInfoFrame* info, CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(info && info->GetSafeHwnd() && info->IsWindowVisible() ? 1 : 0);
}

} // namespace mapeditor
