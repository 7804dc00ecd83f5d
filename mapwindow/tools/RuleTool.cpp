// Measuring along clicked points. The chain belongs to the window it was
// started in; the rubber segment is erased by drawing it again, and the texts
// are built with the unit's name as text, never as part of a format.
#include "mapwindow/tools/RuleTool.h"

#include "mapwindow/MUIMap.h"
#include "core/MapUnits.h"
#include "core/Measure.h"
#include "core/Settings.h"
#include "model/layers/MapModel.h"
#include "platform/wnd/WindowDC.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

CRuleTool::CRuleTool() : CMapTool(TOOL_RULE) {}

CRuleTool::~CRuleTool() = default;

const OGRSpatialReference* CRuleTool::Reference(CMUIMap* map) const
{
    CMapModel* model = map->GetMapModel();
    if (model->GetUnits().GetUseSpherical() && model->GetGeographicReference())
        return model->GetGeographicReference();
    return model->GetSpatialReference();
}

double CRuleTool::Distance(CMUIMap* map, CPoint a, CPoint b) const
{
    CDoublePoint p = map->ScreenToMap(a), q = map->ScreenToMap(b);
    if (m_pTransform) {
        p.Transform(m_pTransform.get());
        q.Transform(m_pTransform.get());
    }
    return MapDistance(p, q, Reference(map));
}

void CRuleTool::AddPoint(CMUIMap* map, CPoint point)
{
    if (m_Points.empty())
        m_pTransform.reset(map->GetMapModel()->CreateGeographicTransform());
    m_Points.push_back(point);
    const size_t n = m_Points.size();
    if (n > 2)
        m_dTotal += Distance(map, m_Points[n - 3], m_Points[n - 2]);
    if (n > 1)
        m_dSegment = Distance(map, m_Points[n - 2], m_Points[n - 1]);
}

void CRuleTool::MoveLastPoint(CMUIMap* map, CPoint point)
{
    const size_t n = m_Points.size();
    m_Points[n - 1] = point;
    m_dSegment = Distance(map, m_Points[n - 2], m_Points[n - 1]);
}

CPoint CRuleTool::Constrain(UINT flags, CPoint point) const
{
    if (!(flags & MK_SHIFT) || m_Points.size() < 2)
        return point;
    const CPoint fixed = m_Points[m_Points.size() - 2];
    if (std::abs(point.y - fixed.y) >= std::abs(point.x - fixed.x))
        point.x = fixed.x;
    else
        point.y = fixed.y;
    return point;
}

void CRuleTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    CMapTool::OnLButtonDown(map, flags, x, y);
    if (!m_Points.empty() && map != m_pMap)
        Clear(); // the chain of another window ends there
    m_pMap = map;
    if (m_Points.empty())
        AddPoint(map, CPoint(x, y));
    // The segment shown so far stays on the window as a fixed one.
    m_Band.Keep();
    AddPoint(map, Constrain(flags, CPoint(x, y)));
}

CString CRuleTool::FormatDistances(double segment, double total, int decimals, const CString& unit,
                                   bool spherical)
{
    const CString suffix = unit + (spherical ? "(spherical)" : "(cartesian)");
    CString segmentText, totalText;
    segmentText.Format("%.*f", decimals, segment);
    totalText.Format("%.*f", decimals, total);
    return "Distance = " + segmentText + suffix + ", Total = " + totalText + suffix;
}

void CRuleTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    if (m_Points.size() <= 1 || map != m_pMap) {
        CMapTool::OnMouseMove(map, flags, x, y);
        return;
    }
    const CPoint point = Constrain(flags, CPoint(x, y));
    MoveLastPoint(map, point);
    {
        CClientDC dc(map);
        m_Band.Show(&dc, m_Points[m_Points.size() - 2], point, (COLORREF)g_RuleColor);
    }
    g_curPoint = point;
    g_lastToolWindow = map;

    CMapModel* model = map->GetMapModel();
    const CMapUnits& units = model->GetUnits();
    CString unit;
    const double factor = units.GetDistanceUnit(unit, Reference(map));
    const double scale = map->GetZoom() * factor;
    const int decimals = scale > 0 ? std::max(0, (int)std::floor(std::log10(1.0 / scale))) : 0;
    map->SetStatusText(FormatDistances(m_dSegment * factor, (m_dTotal + m_dSegment) * factor, decimals, unit,
                                       units.GetUseSpherical() != 0));
}

void CRuleTool::OnLButtonDblClk(CMUIMap* map, UINT, int, int)
{
    ReleaseCapture();
    if (map == m_pMap)
        map->InvalidateMap(nullptr, FALSE); // the chain's lines go with the repaint
    Clear();
}

void CRuleTool::Clear()
{
    m_Points.clear();
    m_Points.shrink_to_fit();
    m_dTotal = m_dSegment = 0;
    m_pTransform.reset();
    m_Band.Keep();
    m_pMap = nullptr;
}

void CRuleTool::Abandon(CMUIMap* map)
{
    // A chain left for another tool stays until the next paint; it ends here,
    // since the other tool may repaint under its lines.
    if (map && map == m_pMap && !m_Points.empty())
        map->InvalidateMap(nullptr, FALSE);
    Clear();
}
