// The tools that select every object inside a figure drawn on the map, in all
// visible, selectable layers at once: Rectangle Select (a dragged rectangle),
// Marquee Select (a circle around the button-down pixel) and Polygon Select
// (vertices clicked one by one, closed by a double-click).
#pragma once

#include "mapwindow/MapTool.h"

#include <vector>

class CMapLayer;

class CRectSelectTool : public CMapTool {
public:
    CRectSelectTool() : CRectSelectTool(TOOL_RECT_SELECT) {}
    // The selection goes at the button-down; the release selects.
    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonUp(CMUIMap* map, UINT flags, int x, int y) override;

protected:
    explicit CRectSelectTool(int number) : CMapTool(number) {}
    // Runs `select` on every visible, selectable layer, bottom first; then every
    // selected object carries its selected flag, the owner hears of the change
    // and the whole map is repainted.
    template <class Select> static void SelectInLayers(CMUIMap* map, const Select& select);
};

class CMarqueeSelectTool : public CRectSelectTool {
public:
    CMarqueeSelectTool() : CRectSelectTool(TOOL_MARQUEE_SELECT) {}
    // The circle around the down pixel follows the pointer.
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonUp(CMUIMap* map, UINT flags, int x, int y) override;
};

class CPolygonSelectTool : public CRectSelectTool {
public:
    CPolygonSelectTool() : CRectSelectTool(TOOL_POLYGON_SELECT) {}
    // Each click adds a vertex and shows the closed polygon of the vertices so far.
    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    // The capture stays until the double-click.
    void OnLButtonUp(CMUIMap*, UINT, int, int) override {}
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override { CMapTool::OnMouseMove(map, flags, x, y); }
    // Selects inside the polygon of three or more vertices; with fewer the
    // vertices stay and the polygon can be continued.
    void OnLButtonDblClk(CMUIMap* map, UINT flags, int x, int y) override;
    void Reset() override
    {
        m_points.clear();
        m_pMap = nullptr;
    }
    // The rubber polygon of an unfinished selection goes with a repaint of its window.
    void Abandon(CMUIMap* map) override;
    // The edges that turn the shown polygon of points[0..n-2] into that of
    // points[0..n-1], drawn in XOR (two points: their segment).
    static void DrawXorPolygon(CDC* dc, const CPoint* points, int count);

private:
    std::vector<CPoint> m_points;
    // The window the vertices were clicked in.
    CMUIMap* m_pMap = nullptr;
};
