// Polygons and polylines built click by click: the first click leaves two
// vertices (the fixed one and the rubber one that follows the pointer), each
// further click fixes the rubber vertex, and the double-click drops the
// duplicate its own first click made and stores what is left.
#include "mapwindow/tools/PolygonTool.h"

#include "mapwindow/MUIMap.h"
#include "mapwindow/tools/ToolEdits.h"
#include "model/geometry/DevicePointCache.h"
#include "model/layers/MapLayer.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "platform/wnd/WindowDC.h"

CMapPointList* CPolygonTool::CreateObject() const
{
    return new CMapPolygon;
}

CMapPointList* CPolylineTool::CreateObject() const
{
    return new CMapPolyline;
}

CMapPointList* CPolygonTool::Started(CMUIMap* map) const
{
    return m_pStarted && map == m_pMap && map->GetSelectedObject() == m_pStarted ? m_pStarted : nullptr;
}

void CPolygonTool::AddVertex(CMapPointList* object, const CDoublePoint& p)
{
    object->AddDoublePoint(p.x, p.y);
    object->SetActiveHandle(object->GetHandleCount() - 1);
}

void CPolygonTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    CMapTool::OnLButtonDown(map, flags, x, y);
    if (g_toolState == 1)
        g_toolState = 0;
    const CDoublePoint p = map->ScreenToMap(CPoint(x, y));
    if (CMapPointList* object = Started(map); object && g_toolState == 2) {
        AddVertex(object, p);
        return;
    }
    // A new object; whatever else is selected is let go.
    if (CMapObject* other = map->GetSelectedObject()) {
        map->SetActiveHandle(other, -1);
        map->ClearSelection(TRUE);
    }
    if (!map->GetActiveLayer()) {
        g_toolState = 0;
        return;
    }
    CMapPointList* object = CreateObject();
    object->AddDoublePoint(p.x, p.y);
    map->SelectObject(object, TRUE, TRUE);
    map->SetModified(1);
    g_toolState = 2;
    map->NotifyParent(MAPA_OBJECT_ADDED, object, 0);
    m_pMap = map;
    m_pStarted = object;
    AddVertex(object, p);
}

void CPolygonTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    if (CMapPointList* object = Started(map); object && g_toolState == 2) {
        double xOff = map->GetXOffset(), yOff = map->GetYOffset(), zoom = map->GetZoom();
        CClientDC dc(map);
        object->MoveHandle(&dc, object->GetActiveHandle(), x, y, &xOff, &yOff, &zoom);
        map->NotifyParent(MAPA_OBJECT_RESIZED, object, 0);
        map->SetModified(1);
    }
    CMapTool::OnMouseMove(map, flags, x, y);
}

void CPolygonTool::Discard(CMUIMap* map, CMapPointList* object)
{
    map->DeselectObject(object, TRUE);
    delete object;
    m_pStarted = nullptr;
    map->SetModified(1);
}

void CPolygonTool::OnLButtonDblClk(CMUIMap* map, UINT, int, int)
{
    ReleaseCapture();
    g_toolState = 0;
    CMapPointList* object = Started(map);
    if (!object)
        return;
    if (object->GetPointCount() < 3) {
        // Too few points for the kind: dropped, and the tool stays to try again.
        Discard(map, object);
        return;
    }
    const double xOff = map->GetXOffset(), yOff = map->GetYOffset(), zoom = map->GetZoom();
    const int height = map->GetViewHeight();
    const int last = object->GetPointCount() - 1;
    if (object->GetPoint(last).ToDevice(xOff, yOff, zoom, height) ==
        object->GetPoint(last - 1).ToDevice(xOff, yOff, zoom, height)) {
        object->DeletePoint(last);
        map->NotifyParent(MAPA_VERTEX_REMOVED, object, 0);
        if (ClearsHandleOnTrim())
            map->SetActiveHandle(object, -1);
    }
    // Drawn again from its vertices at the next paint.
    if (CDevicePointCache* cache = object->GetDeviceCache())
        cache->SetZoom(-1.0);
    m_pStarted = nullptr;
    CMapLayer* layer = map->GetActiveLayer();
    if (!layer || !tooledits::AddNewObject(map, layer, object)) {
        map->DeselectObject(object, TRUE);
        delete object;
        map->InvalidateMap(nullptr, FALSE);
    }
    g_currentTool = TOOL_SELECT;
    map->UpdateToolCursor();
}

void CPolygonTool::Reset()
{
    m_pStarted = nullptr;
    m_pMap = nullptr;
}

void CPolygonTool::Abandon(CMUIMap* map)
{
    if (CMapPointList* object = Started(map)) {
        // Its rubber lines go with a repaint.
        Discard(map, object);
        map->InvalidateMap(nullptr, FALSE);
    }
    Reset();
}
