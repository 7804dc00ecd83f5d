// The New Handle tool: each click inserts a vertex into the selected object on
// its segment under the pointer, as one undoable change. Without a selection
// the Select tool comes back.
#pragma once

#include "mapwindow/MapTool.h"

class CAddHandleTool : public CMapTool {
public:
    CAddHandleTool() : CMapTool(TOOL_ADD_HANDLE) {}

    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
};
