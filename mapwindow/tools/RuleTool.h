// The Rule tool: measures along a chain of clicked points. The segment to the
// pointer is shown as a rubber line, the status text reads its length and the
// chain's total in the map's distance unit (on the sphere when the map's units
// say so), and a double-click ends the chain. It changes no map data.
#pragma once

#include "mapwindow/MapTool.h"
#include "mapwindow/tools/ToolEdits.h"

#include <memory>
#include <vector>

class OGRCoordinateTransformation;
class OGRSpatialReference;

class CRuleTool : public CMapTool {
public:
    CRuleTool();
    ~CRuleTool() override;

    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonDblClk(CMUIMap* map, UINT flags, int x, int y) override;
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    void Abandon(CMUIMap* map) override;

    // Map distances before the unit's factor.
    double GetTotal() const { return m_dTotal; }
    double GetSegment() const { return m_dSegment; }
    const std::vector<CPoint>& GetPoints() const { return m_Points; }

    // "Distance = ..., Total = ..." of a segment and a total already in the unit,
    // each with `decimals` decimals and followed by the unit's name and mode.
    static CString FormatDistances(double segment, double total, int decimals, const CString& unit, bool spherical);

private:
    // Appends the pixel: the rubber point before it becomes fixed and counts.
    void AddPoint(CMUIMap* map, CPoint point);
    void MoveLastPoint(CMUIMap* map, CPoint point);
    double Distance(CMUIMap* map, CPoint a, CPoint b) const;
    // The reference distances are measured in: the map's geographic system
    // when it measures on the sphere, else its own.
    const OGRSpatialReference* Reference(CMUIMap* map) const;
    // Shift keeps the segment from the last fixed point horizontal or vertical.
    CPoint Constrain(UINT flags, CPoint point) const;
    void Clear();

    std::vector<CPoint> m_Points;
    double m_dTotal = 0;
    double m_dSegment = 0;
    std::unique_ptr<OGRCoordinateTransformation> m_pTransform;
    CMUIMap* m_pMap = nullptr;
    tooledits::CRubberLine m_Band;
};
