// The Select tool, the default tool of every map window: a click selects the
// object under the pointer (Shift adds one of the same layer), a drag moves the
// selected objects of editable layers, and a drag that starts on a handle of a
// selected object reshapes it. During a drag only XOR outlines are drawn; the
// layer files and the undo history (one entry per layer) change at the release.
#pragma once

#include "mapwindow/MapTool.h"

#include "core/DoubleRect.h"

class CSelectTool : public CMapTool {
public:
    CSelectTool() : CMapTool(TOOL_SELECT) {}
    ~CSelectTool() override;

    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonUp(CMUIMap* map, UINT flags, int x, int y) override;
    void Reset() override;

private:
    // Erases the XOR outlines of the movable selected objects shown at
    // `erase` pixels off their place (none when null) and draws them at `draw`
    // (none when null), on one window context.
    static void DrawMoveOutlines(CMUIMap* map, const CPoint* erase, const CPoint* draw);
    // Moves every movable selected object by the drag and records one entry per layer.
    void CommitMove(CMUIMap* map, CDoubleRect& area);
    void DropCopies();

    // Set at every button-down; cleared by the first move that draws an outline.
    int m_firstMove = 0;
    // Copies taken before a handle drag, given to the history at the release.
    CList<CMapObject*, CMapObject*> m_dragCopies;
};
