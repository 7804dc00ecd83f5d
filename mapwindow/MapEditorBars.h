// What both map editor frames do alike with their bars: the status bar's
// position pane, the info tool window and the Browse Data bar.
#pragma once

#include "mapwindow/BrowseDataBar.h"
#include "mapwindow/InfoToolFrame.h"
#include "platform/frames/CFrameWnd.h"
#include "platform/frames/CStatusBar.h"

#include <memory>

class CMUIMap;

namespace mapeditor {

// The status bar with the separator, position and keyboard panes; FALSE when it fails.
BOOL CreateStatusBar(CFrameWnd& frame, CStatusBar& bar);
// Pane `pane` becomes the position pane, as wide as `text` in the bar's font, showing it.
void SetStatusPaneToText(CStatusBar& bar, int pane, LPCTSTR text);
// The info tool window, shown when "Show Info Tool" is on; FALSE when it fails.
BOOL CreateInfoTool(CFrameWnd& frame, std::unique_ptr<CObjectInfoFrame>& info, LPCTSTR infoTitle);
// The Browse Data bar, docked at the bottom and hidden (its creation failing leaves it out).
void DockBrowseDataBar(CFrameWnd& frame, CBrowseDataBar& browse);
void ToggleBrowseDataBar(CFrameWnd& frame, CBrowseDataBar& browse, CMUIMap* map);
void ShowBrowseDataBar(CFrameWnd& frame, CBrowseDataBar& browse, BOOL show);
void UpdateBrowseDataBar(CBrowseDataBar& browse, CCmdUI* pCmdUI);
void ToggleInfoTool(CObjectInfoFrame* info);
void UpdateInfoTool(CObjectInfoFrame* info, CCmdUI* pCmdUI);

} // namespace mapeditor
