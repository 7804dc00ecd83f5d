// Splines from clicked control points. The marks are inverted squares and the
// rubber curve a NOTXOR polyline, each taken away by drawing it again; the curve
// is computed as the stored spline computes its own, from the pixels.
#include "mapwindow/tools/SplineTool.h"

#include "mapwindow/MUIMap.h"
#include "mapwindow/tools/ToolEdits.h"
#include "model/layers/MapLayer.h"
#include "model/objects/MapSpline.h"
#include "model/geometry/SplineCurve.h"
#include "model/geometry/ObjectDrawScope.h"
#include "platform/wnd/WindowDC.h"

#include <cstdlib>
#include <memory>

namespace {
constexpr int kMarkSize = 5;
}

std::vector<CPoint> CSplineTool::FlattenCurve(const std::vector<CPoint>& points)
{
    std::vector<CDoublePoint> control;
    control.reserve(points.size());
    for (const CPoint& p : points)
        control.emplace_back(p.x, p.y);
    std::vector<CDoublePoint> sampled;
    CSplineCurve(control).Sample(sampled, true);
    std::vector<CPoint> curve;
    curve.reserve(sampled.size());
    for (const CDoublePoint& p : sampled)
        curve.emplace_back((int)p.x, (int)p.y);
    return curve;
}

bool CSplineTool::IsNearControlPoint(CPoint point) const
{
    for (const CPoint& c : m_controlPoints)
        if (std::abs(c.x - point.x) <= 2 && std::abs(c.y - point.y) <= 2)
            return true;
    return false;
}

void CSplineTool::DrawCurve(CDC* dc) const
{
    if (m_curvePoints.size() < 2)
        return;
    CTrackingPenScope pen(dc);
    dc->Polyline(m_curvePoints.data(), (int)m_curvePoints.size());
}

void CSplineTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    if (!m_controlPoints.empty() && map != m_pMap)
        Reset(); // a construction of another window does not go on here
    m_pMap = map;
    const CPoint point(x, y);
    if (!IsNearControlPoint(point)) {
        m_controlPoints.push_back(point);
        CClientDC dc(map);
        tooledits::DrawInvertMark(&dc, x, y, kMarkSize);
    }
    CMapTool::OnLButtonDown(map, flags, x, y);
}

void CSplineTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    const CPoint point(x, y);
    if (point != g_curPoint && !m_controlPoints.empty() && map == m_pMap && !IsNearControlPoint(point)) {
        CClientDC dc(map);
        DrawCurve(&dc); // erases the last one
        m_controlPoints.push_back(point);
        m_curvePoints = FlattenCurve(m_controlPoints);
        m_controlPoints.pop_back();
        DrawCurve(&dc);
    }
    CMapTool::OnMouseMove(map, flags, x, y);
}

void CSplineTool::EraseAll(CMUIMap* map)
{
    if (map != m_pMap || !map->GetSafeHwnd())
        return;
    CClientDC dc(map);
    for (const CPoint& c : m_controlPoints)
        tooledits::DrawInvertMark(&dc, c.x, c.y, kMarkSize);
    DrawCurve(&dc);
}

void CSplineTool::OnLButtonDblClk(CMUIMap* map, UINT, int, int)
{
    ReleaseCapture();
    g_toolState = 0;
    const bool drawn = m_curvePoints.size() > 1;
    EraseAll(map);
    CMapLayer* layer = map == m_pMap ? map->GetActiveLayer() : nullptr;
    if (drawn && layer) {
        auto spline = std::make_unique<CMapSpline>();
        std::vector<CFloatPoint> points;
        for (const CPoint& c : m_controlPoints)
            points.push_back(map->ScreenToMapFloat(c));
        spline->SetControlPoints(points);
        spline->RecalcBoundary();
        if (tooledits::AddNewObject(map, layer, spline.get()))
            map->SelectObject(spline.release(), TRUE, TRUE);
    }
    Reset();
    g_currentTool = TOOL_SELECT;
    map->UpdateToolCursor();
}

void CSplineTool::BeginAt(CMUIMap* map, int x, int y)
{
    OnLButtonDown(map, MK_LBUTTON, x, y);
}

void CSplineTool::MoveTo(CMUIMap* map, int x, int y)
{
    OnMouseMove(map, MK_LBUTTON, x, y);
}

void CSplineTool::EndAt(CMUIMap* map, int x, int y)
{
    CMapTool::OnLButtonUp(map, MK_LBUTTON, x, y);
}

void CSplineTool::FinishAt(CMUIMap* map, int x, int y)
{
    OnLButtonDblClk(map, MK_LBUTTON, x, y);
}

void CSplineTool::Reset()
{
    m_controlPoints.clear();
    m_curvePoints.clear();
    m_pMap = nullptr;
}

void CSplineTool::Abandon(CMUIMap* map)
{
    EraseAll(map);
    Reset();
}
