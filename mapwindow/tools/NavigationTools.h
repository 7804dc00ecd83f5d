// The tools that change the view and never the map data: Zoom In (a click
// zooms by the "Zoom Size" step about the pixel, a drag fits the dragged
// rectangle at a whole-number factor), Zoom Out, and Move, which shows a pan by
// shifting the cached picture while the button is held and pans at the release.
#pragma once

#include "mapwindow/MapTool.h"

class CZoomInTool : public CMapTool {
public:
    CZoomInTool() : CMapTool(TOOL_ZOOM_IN) {}
    // The focus rectangle from the button-down pixel follows the pointer.
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonUp(CMUIMap* map, UINT flags, int x, int y) override;
    // The rubber band of the rectangle tools: the focus rectangle from the
    // down pixel to the previous pointer is erased, the one to (x, y) drawn.
    static void TrackFocusRect(CMUIMap* map, UINT flags, int x, int y);
};

class CZoomOutTool : public CMapTool {
public:
    CZoomOutTool() : CMapTool(TOOL_ZOOM_OUT) {}
    // A drag counts as a click at its start.
    void OnLButtonUp(CMUIMap* map, UINT flags, int x, int y) override;
};

class CMoveTool : public CMapTool {
public:
    CMoveTool() : CMapTool(TOOL_MOVE) {}
    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonUp(CMUIMap* map, UINT flags, int x, int y) override;
    bool IsDraggingView() const override { return m_dragging != 0; }
    void ClearDraggingView() override { m_dragging = 0; }
    void Reset() override { m_dragging = 0; }

private:
    // Set while the left button alone is held and the pointer moves; each
    // shifted paint clears it.
    int m_dragging = 0;
};
