// The Join Polyline tool: a click on an end of one polyline of the active layer
// and a click on an end of another join them at those ends into one polyline;
// both ends of the same polyline close it into a polygon. The double-click
// stores the result in place of its sources as one undoable replacement, and
// the Select tool comes back. The tool works only on what it picked itself.
#pragma once

#include "mapwindow/MapTool.h"
#include "mapwindow/tools/ToolEdits.h"

#include <memory>
#include <vector>

class CMapPolygon;
class CMapPolyline;

class CJoinPolylineTool : public CMapTool {
public:
    CJoinPolylineTool();
    ~CJoinPolylineTool() override;

    // No capture: the base button-down is not run.
    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonDblClk(CMUIMap* map, UINT flags, int x, int y) override;
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    void Reset() override;
    void Abandon(CMUIMap* map) override;

private:
    enum Stage { kIdle = 0, kJoined = 1, kFirstPicked = 2 };

    CMUIMap* m_pMap = nullptr;
    int m_nStage = kIdle;
    std::vector<std::unique_ptr<CMapPolyline>> m_Sources;
    int m_nFirstID = -1;
    CPoint m_FirstEnd;
    std::unique_ptr<CMapPolyline> m_pJoined;
    std::unique_ptr<CMapPolygon> m_pPolygon;
    tooledits::CRubberLine m_Band;
};
