// Rectangle, Marquee and Polygon Select. The layers search their own objects
// and add the hits to the map's selection directly, so the selection may span
// layers. Layers that are hidden or not selectable are left out: what the user
// cannot see or pick is never selected behind their back. Every rubber band is
// drawn in XOR and the release repaints the whole map, which takes it away.
#include "mapwindow/tools/AreaSelectTools.h"

#include "mapwindow/MUIMap.h"
#include "mapwindow/tools/NavigationTools.h"
#include "core/FloatPoint.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapObject.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"

#include <cmath>

namespace {
double PixelDistance(CPoint a, CPoint b)
{
    return std::hypot((double)(a.x - b.x), (double)(a.y - b.y));
}

// The square around `centre` that a circle of radius `r` is inscribed in.
CRect CircleBox(CPoint centre, int r)
{
    return CRect(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
}

// The map rectangle spanned by two client pixels, normalised.
CDoubleRect MapRect(CMUIMap* map, CPoint a, CPoint b)
{
    const CDoublePoint p = map->ScreenToMap(a), q = map->ScreenToMap(b);
    CDoubleRect rect(p.x, p.y, q.x, q.y);
    rect.Normalize();
    return rect;
}

void EndSelection(CMUIMap* map)
{
    map->InvalidateMap(nullptr, FALSE);
    ReleaseCapture();
}
}

template <class Select> void CRectSelectTool::SelectInLayers(CMUIMap* map, const Select& select)
{
    CMapModel* model = map->GetMapModel();
    for (POSITION pos = model->GetFirstLayerPosition(); pos;) {
        CMapLayer* layer = model->GetNextLayer(pos);
        if (layer->IsVisible() && layer->IsSelectable())
            select(layer);
    }
    map->RemoveRepeatedSelections();
    for (POSITION pos = map->GetFirstSelectedPosition(); pos;)
        map->GetNextSelected(pos)->Select();
    map->NotifyParent(MAPA_SELECTION_CHANGED, nullptr, 0);
    EndSelection(map);
}

// ---------------------------------------------------------------- Rectangle Select
bool CRectSelectTool::TakePress()
{
    const bool pressed = m_pressed;
    m_pressed = false;
    return pressed;
}

void CRectSelectTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    map->ClearSelection(0);
    m_pressed = true;
    CMapTool::OnLButtonDown(map, flags, x, y);
}

void CRectSelectTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    CZoomInTool::TrackFocusRect(map, flags, x, y);
    CMapTool::OnMouseMove(map, flags, x, y);
}

void CRectSelectTool::OnLButtonUp(CMUIMap* map, UINT, int x, int y)
{
    if (!TakePress() || CPoint(x, y) == g_downPoint) {
        EndSelection(map);
        return;
    }
    CRect device(g_downPoint, CPoint(x, y));
    device.NormalizeRect();
    const CDoubleRect rect = MapRect(map, g_downPoint, CPoint(x, y));
    SelectInLayers(map, [&](CMapLayer* layer) { layer->SelectInRect(rect, device); });
}

// ---------------------------------------------------------------- Marquee Select
void CMarqueeSelectTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    if (flags & MK_LBUTTON) {
        CClientDC dc(map);
        // A circle of radius 0 was never drawn, so it is not erased either.
        if (const int before = (int)PixelDistance(g_downPoint, g_curPoint); before > 0)
            DrawXorEllipse(&dc, CircleBox(g_downPoint, before));
        if (const int now = (int)PixelDistance(g_downPoint, CPoint(x, y)); now > 0)
            DrawXorEllipse(&dc, CircleBox(g_downPoint, now));
    }
    CMapTool::OnMouseMove(map, flags, x, y);
}

void CMarqueeSelectTool::OnLButtonUp(CMUIMap* map, UINT, int x, int y)
{
    if (!TakePress() || CPoint(x, y) == g_downPoint) {
        EndSelection(map);
        return;
    }
    const CPoint centre = g_downPoint;
    const double r = PixelDistance(CPoint(x, y), centre);
    // The map rectangle of the circle's square, worked out from the exact radius.
    const double zoom = map->GetZoom(), height = map->GetViewHeight();
    CDoubleRect rect((centre.x - r) * zoom + map->GetXOffset(), (height - (centre.y + r)) * zoom + map->GetYOffset(),
                     (centre.x + r) * zoom + map->GetXOffset(), (height - (centre.y - r)) * zoom + map->GetYOffset());
    rect.Normalize();
    CRect device((int)(centre.x - r), (int)(centre.y - r), (int)(centre.x + r), (int)(centre.y + r));
    device.NormalizeRect();
    SelectInLayers(map, [&](CMapLayer* layer) { layer->SelectInCircle(rect, device, centre, r); });
}

// ---------------------------------------------------------------- Polygon Select
void CPolygonSelectTool::DrawXorPolygon(CDC* dc, const CPoint* p, int count)
{
    const auto line = [dc](CPoint a, CPoint b) { DrawXorLine(dc, a.x, a.y, b.x, b.y, kBandColour, PS_SOLID); };
    if (count == 2) {
        line(p[0], p[1]);
    } else if (count == 3) {
        line(p[0], p[2]);
        line(p[2], p[1]);
    } else if (count >= 4) {
        line(p[0], p[count - 2]);
        line(p[count - 2], p[count - 1]);
        line(p[count - 1], p[0]);
    }
}

void CPolygonSelectTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    if (!m_points.empty() && map != m_pMap)
        Reset(); // a polygon of another window does not go on here
    m_pMap = map;
    m_points.push_back(CPoint(x, y));
    if (m_points.size() >= 2) {
        CClientDC dc(map);
        DrawXorPolygon(&dc, m_points.data(), (int)m_points.size());
    }
    g_toolState = 2;
    CMapTool::OnLButtonDown(map, flags, x, y);
}

void CPolygonSelectTool::Abandon(CMUIMap* map)
{
    if (map == m_pMap && m_points.size() >= 2)
        map->InvalidateMap(nullptr, FALSE);
    Reset();
}

void CPolygonSelectTool::OnLButtonDblClk(CMUIMap* map, UINT, int, int)
{
    map->ClearSelection(0);
    CMapModel* model = map->GetMapModel();
    if (model->GetLayerCount() > 0 && m_points.size() < 3)
        return;
    std::vector<CFloatPoint> points;
    CDoubleRect rect;
    for (const CPoint& p : m_points) {
        points.push_back(map->ScreenToMapFloat(p));
        if (points.size() == 1)
            rect = CDoubleRect(points[0].x, points[0].y, points[0].x, points[0].y);
        else
            rect.UnionPoint(points.back());
    }
    rect.Normalize();
    m_points.clear();
    m_pMap = nullptr;
    g_toolState = 0;
    SelectInLayers(map, [&](CMapLayer* layer) {
        if (points.size() >= 3)
            layer->SelectInPolygon(rect, points.data(), (int)points.size());
    });
}
