// The Delete Line tool: a click picks one segment of a polyline or polygon of
// the active layer, and the double-click removes it: a polyline falls into the
// pieces on either side, a polygon opens into one polyline. The change is one
// undoable replacement, and the Select tool comes back.
#pragma once

#include "mapwindow/MapTool.h"

#include <memory>

class CDeleteLineTool : public CMapTool {
public:
    CDeleteLineTool();
    ~CDeleteLineTool() override;

    // No capture: the base button-down is not run.
    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonDblClk(CMUIMap* map, UINT flags, int x, int y) override;
    void Reset() override;
    void Abandon(CMUIMap* map) override;

    // Whether pixel `p` lies on the segment from `a` to `b`: inside their
    // bounding box, and along the segment's slope within 0.1 either way.
    static bool IsPointOnSegment(CPoint p, CPoint a, CPoint b);

private:
    CMUIMap* m_pMap = nullptr;
    std::unique_ptr<CMapObject> m_pPicked;
    int m_nStart = -1;
    int m_nEnd = -1;
};
