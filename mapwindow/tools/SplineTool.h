// The Spline tool: each click adds a control point (marked on the window), the
// smooth curve through them and the pointer follows every move, and a
// double-click stores the spline in the active layer, selects it and brings the
// Select tool back. A click within 2 pixels of a control point adds none.
#pragma once

#include "mapwindow/MapTool.h"

#include <vector>

class CSplineTool : public CMapTool {
public:
    CSplineTool() : CMapTool(TOOL_SPLINE) {}

    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonDblClk(CMUIMap* map, UINT flags, int x, int y) override;
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    // The programmatic path runs the same steps with the button held.
    void BeginAt(CMUIMap* map, int x, int y) override;
    void MoveTo(CMUIMap* map, int x, int y) override;
    void EndAt(CMUIMap* map, int x, int y) override;
    void FinishAt(CMUIMap* map, int x, int y) override;
    void Reset() override;
    void Abandon(CMUIMap* map) override;

    const std::vector<CPoint>& GetControlPoints() const { return m_controlPoints; }
    const std::vector<CPoint>& GetCurvePoints() const { return m_curvePoints; }

    // The rubber curve through `points` in client pixels: each segment of chord
    // (dx, dy) in max(|dx|, |dy|) / 4 steps (at least 1), every point truncated
    // to whole pixels, consecutive segments repeating their common point.
    static std::vector<CPoint> FlattenCurve(const std::vector<CPoint>& points);

private:
    // A control point within 2 pixels in both directions.
    bool IsNearControlPoint(CPoint point) const;
    void DrawCurve(CDC* dc) const;
    void EraseAll(CMUIMap* map);

    std::vector<CPoint> m_controlPoints;
    std::vector<CPoint> m_curvePoints;
    CMUIMap* m_pMap = nullptr;
};
