// What both map editor frames do alike with their bars: the status bar's
// position pane, the info tool window and the Browse Data bar.
#pragma once

#include "mapwindow/BrowseDataBar.h"
#include "mapwindow/InfoToolFrame.h"
#include "platform/frames/CFrameWnd.h"
#include "platform/frames/CStatusBar.h"
#include "platform/frames/CToolBar.h"

#include <initializer_list>

#include <memory>

class CMUIMap;

namespace mapeditor {

// The status bar with the separator, position and keyboard panes; FALSE when it fails.
BOOL CreateStatusBar(CFrameWnd& frame, CStatusBar& bar);
// Pane `pane` becomes the position pane, as wide as `text` in the bar's font, showing it.
void SetStatusPaneToText(CStatusBar& bar, int pane, LPCTSTR text);
// The steps after the toolbars: the first four tools of the Tool and Drawing
// bars become one choice; the info tool window is made (shown when "Show Info
// Tool" is on); `toolBars` dock at the top and the Browse Data bar, hidden, at
// the bottom. FALSE when the info tool window fails, which fails the frame.
BOOL FinishEditorFrame(CFrameWnd& frame, std::initializer_list<CToolBar*> toolBars, CToolBar& tool,
                       CToolBar& drawing, std::unique_ptr<CObjectInfoFrame>& info, LPCTSTR infoTitle,
                       CBrowseDataBar& browse);
void ToggleBrowseDataBar(CFrameWnd& frame, CBrowseDataBar& browse, CMUIMap* map);
void ShowBrowseDataBar(CFrameWnd& frame, CBrowseDataBar& browse, BOOL show);
void UpdateBrowseDataBar(CBrowseDataBar& browse, CCmdUI* pCmdUI);
void ToggleInfoTool(CObjectInfoFrame* info);
void UpdateInfoTool(CObjectInfoFrame* info, CCmdUI* pCmdUI);

} // namespace mapeditor
