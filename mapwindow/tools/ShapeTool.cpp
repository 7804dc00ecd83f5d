// Shapes drawn by dragging: the object exists from the button-down as the only
// selected object, the drag shows a rubber band drawn so that drawing it again
// erases it, and the button-up stores the object from the down and last pixels.
#include "mapwindow/tools/ShapeTool.h"

#include "mapwindow/MUIMap.h"
#include "mapwindow/tools/ToolEdits.h"
#include "model/layers/MapLayer.h"
#include "model/objects/MapLine.h"
#include "model/objects/MapRectangle.h"
#include "platform/wnd/WindowDC.h"

#include <algorithm>

namespace {
int RectangleType(int number)
{
    switch (number) {
    case TOOL_RECTANGLE:
        return MAP_OBJECT_RECTANGLE;
    case TOOL_ROUND_RECT:
        return MAP_OBJECT_ROUNDRECT;
    case TOOL_ELLIPSE:
        return MAP_OBJECT_ELLIPSE;
    default:
        return -1;
    }
}
}

CMapObject* CShapeTool::Started(CMUIMap* map) const
{
    return m_pStarted && map == m_pMap && map->GetSelectedObject() == m_pStarted ? m_pStarted : nullptr;
}

void CShapeTool::Start(CMUIMap* map, int number, CPoint point)
{
    CMapLayer* layer = map->GetActiveLayer();
    if (!layer)
        return;
    const CDoublePoint p = map->ScreenToMap(point);
    CMapObject* object = nullptr;
    if (number == TOOL_LINE) {
        auto* line = new CMapLine;
        line->SetPoints(p, p);
        // The end point follows the pointer, so Shift keeps the line axis-parallel.
        line->SetActiveHandle(1);
        object = line;
    } else if (const int type = RectangleType(number); type >= 0) {
        auto* rect = new CMapRectangle(type);
        rect->SetRect(p.x, p.y, p.x, p.y);
        object = rect;
    } else {
        return;
    }
    g_toolState = 2;
    map->SetModified(1);
    map->NotifyParent(MAPA_OBJECT_ADDED, object, 0);
    object->SetLayer(layer);
    map->SelectObject(object, TRUE, TRUE);
    m_pMap = map;
    m_pStarted = object;
    m_bBandShown = false;
}

void CShapeTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    CMapTool::OnLButtonDown(map, flags, x, y);
    Start(map, m_nTool, CPoint(x, y));
}

void CShapeTool::BeginAt(CMUIMap* map, int x, int y)
{
    CMapTool::BeginAt(map, x, y);
    Start(map, TOOL_LINE, CPoint(x, y));
}

void CShapeTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    CMapTool::OnMouseMove(map, flags, x, y);
    if ((flags & MK_LBUTTON) && Started(map))
        ShowBand(map, m_nTool, g_curPoint);
}

void CShapeTool::MoveTo(CMUIMap* map, int x, int y)
{
    if (Started(map))
        ShowBand(map, TOOL_LINE, CPoint(x, y));
    CMapTool::MoveTo(map, x, y);
}

void CShapeTool::OnLButtonUp(CMUIMap* map, UINT, int, int)
{
    Finish(map, m_nTool);
    ReleaseCapture();
}

void CShapeTool::EndAt(CMUIMap* map, int, int)
{
    Finish(map, TOOL_LINE);
    g_toolState = 0;
}

void CShapeTool::Finish(CMUIMap* map, int number)
{
    CMapObject* object = Started(map);
    HideBand(map);
    m_pStarted = nullptr;
    if (object) {
        CMapLayer* layer = map->GetActiveLayer();
        bool stored = false;
        if (layer && g_curPoint != g_downPoint) {
            const CDoublePoint d = map->ScreenToMap(g_downPoint), c = map->ScreenToMap(g_curPoint);
            object->SetLayer(layer);
            if (number == TOOL_LINE)
                static_cast<CMapLine*>(object)->SetPoints(d, c);
            else
                static_cast<CMapRectangle*>(object)->SetRect(std::min(d.x, c.x), std::min(d.y, c.y),
                                                             std::max(d.x, c.x), std::max(d.y, c.y));
            stored = tooledits::AddNewObject(map, layer, object);
        }
        if (!stored) {
            // A click, or nothing to store it in: the object never had rows.
            map->DeselectObject(object, TRUE);
            delete object;
        }
    }
    g_toolState = 0;
    g_currentTool = TOOL_SELECT;
    map->UpdateToolCursor();
}

void CShapeTool::ShowBand(CMUIMap* map, int number, CPoint to)
{
    CClientDC dc(map);
    if (m_bBandShown)
        DrawBand(&dc, m_nBandTool, m_BandFrom, m_BandTo);
    DrawBand(&dc, number, g_downPoint, to);
    m_bBandShown = true;
    m_nBandTool = number;
    m_BandFrom = g_downPoint;
    m_BandTo = to;
}

void CShapeTool::HideBand(CMUIMap* map)
{
    if (!m_bBandShown)
        return;
    m_bBandShown = false;
    if (map != m_pMap || !map->GetSafeHwnd())
        return;
    CClientDC dc(map);
    DrawBand(&dc, m_nBandTool, m_BandFrom, m_BandTo);
}

void CShapeTool::DrawBand(CDC* dc, int number, CPoint from, CPoint to)
{
    if (number == TOOL_LINE) {
        DrawXorLine(dc, from.x, from.y, to.x, to.y, kBandColour, PS_SOLID);
    } else if (number == TOOL_ELLIPSE) {
        CRect rect(from, to);
        rect.NormalizeRect();
        DrawXorEllipse(dc, rect);
    } else {
        DrawFocusRectXor(dc, from.x, from.y, to.x, to.y);
    }
}

void CShapeTool::Reset()
{
    m_pStarted = nullptr;
    m_pMap = nullptr;
    m_bBandShown = false;
}

void CShapeTool::Abandon(CMUIMap* map)
{
    if (CMapObject* object = Started(map)) {
        HideBand(map);
        map->DeselectObject(object, TRUE);
        delete object;
    }
    Reset();
}
