// The Split Polygon tool: a click picks a polygon of the active layer, further
// clicks draw a cutting line, and the double-click cuts the polygon into its
// pieces when both ends of the line lie outside it. The cut is one undoable
// replacement. The tool works only on what it picked itself.
#pragma once

#include "mapwindow/MapTool.h"
#include "mapwindow/tools/ToolEdits.h"

#include <memory>

class CMapPolygon;
class CMapPolyline;

class CSplitPolygonTool : public CMapTool {
public:
    CSplitPolygonTool();
    ~CSplitPolygonTool() override;

    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonDblClk(CMUIMap* map, UINT flags, int x, int y) override;
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    void Reset() override;
    void Abandon(CMUIMap* map) override;

private:
    // Cuts the picked polygon along the line; true when it was replaced.
    bool Cut(CMUIMap* map, int x, int y);

    CMUIMap* m_pMap = nullptr;
    std::unique_ptr<CMapPolygon> m_pPolygon;
    std::unique_ptr<CMapPolyline> m_pLine;
    bool m_bLineHasVertex = false;
    tooledits::CRubberLine m_Band;
};
