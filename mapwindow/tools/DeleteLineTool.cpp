// Removing one segment of a polyline or polygon. The picked object is the
// tool's own copy, built for the hit test; the pieces keep its style.
#include "mapwindow/tools/DeleteLineTool.h"

#include "mapwindow/MUIMap.h"
#include "mapwindow/tools/ToolEdits.h"
#include "model/layers/MapLayer.h"
#include "model/polygons/MapPolyline.h"
#include "platform/wnd/WindowDC.h"

#include <cmath>
#include <vector>

namespace {
constexpr int kMarkSize = 7;

// A polyline of the picked object's vertices `indices`, with its style.
std::unique_ptr<CMapObject> Piece(CMapPointList* source, const std::vector<int>& indices)
{
    auto line = std::make_unique<CMapPolyline>();
    line->SetStyle(*source->GetStyle());
    for (int i : indices)
        line->AddPoint(source->GetPoint(i));
    return line;
}

std::vector<int> Range(int from, int to)
{
    std::vector<int> indices;
    for (int i = from; i <= to; ++i)
        indices.push_back(i);
    return indices;
}
}

CDeleteLineTool::CDeleteLineTool() : CMapTool(TOOL_DELETE_LINE) {}

CDeleteLineTool::~CDeleteLineTool() = default;

bool CDeleteLineTool::IsPointOnSegment(CPoint p, CPoint a, CPoint b)
{
    if (p.x < std::min(a.x, b.x) || p.x > std::max(a.x, b.x) || p.y < std::min(a.y, b.y) ||
        p.y > std::max(a.y, b.y))
        return false;
    const double dxB = std::fabs((double)b.x - p.x), dyB = std::fabs((double)b.y - p.y);
    const double dxA = std::fabs((double)p.x - a.x), dyA = std::fabs((double)p.y - a.y);
    if (dxB < 0.01 && dxA < 0.01)
        return true;
    // A difference that is not a number (0 / 0, infinity less infinity) counts
    // as a hit: a point on an end of the segment is on it.
    const double slopes = std::fabs(dyB / dxB - dyA / dxA);
    const double inverse = std::fabs(dxB / dyB - dxA / dyA);
    return !(slopes >= 0.1) || !(inverse >= 0.1);
}

void CDeleteLineTool::OnLButtonDown(CMUIMap* map, UINT, int x, int y)
{
    map->ClearSelection(TRUE);
    if (m_pPicked && map != m_pMap)
        Reset();
    if (m_pPicked)
        return;
    std::unique_ptr<CMapObject> object = tooledits::HitActiveLayerObject(map, x, y, MAP_OBJECT_POLYLINE,
                                                                         MAP_OBJECT_POLYGON);
    if (!object)
        return;
    const int type = object->GetType();
    object->LoadGeometry();
    auto* points = static_cast<CMapPointList*>(object.get());
    const int n = points->GetPointCount();
    const bool polygon = type == MAP_OBJECT_POLYGON;
    if ((polygon && n < 3) || (!polygon && n <= 2))
        return;
    const auto device = [&](int i) {
        return points->GetPoint(i).ToDevice(map->GetXOffset(), map->GetYOffset(), map->GetZoom(),
                                            map->GetViewHeight());
    };
    // The closing segment of a polygon is tried last.
    const int segments = polygon ? n : n - 1;
    const CPoint p(x, y);
    for (int i = 0; i < segments; ++i) {
        const int j = (i + 1) % n;
        if (!IsPointOnSegment(p, device(i), device(j)))
            continue;
        m_nStart = i;
        m_nEnd = j;
        CClientDC dc(map);
        for (const CPoint& end : {device(i), device(j)})
            tooledits::DrawInvertMark(&dc, end.x, end.y, kMarkSize);
        m_pPicked = std::move(object);
        m_pMap = map;
        g_toolState = 1;
        return;
    }
}

void CDeleteLineTool::OnLButtonDblClk(CMUIMap* map, UINT, int, int)
{
    const bool own = m_pPicked && map == m_pMap;
    CMapLayer* layer = own ? m_pPicked->GetLayer() : nullptr;
    if (layer && map->IsMapLayer(layer) && layer->IsEditable()) {
        auto* points = static_cast<CMapPointList*>(m_pPicked.get());
        const int n = points->GetPointCount();
        const int s = m_nStart, e = m_nEnd;
        std::vector<std::unique_ptr<CMapObject>> pieces;
        if (m_pPicked->GetType() == MAP_OBJECT_POLYLINE) {
            // A piece of a single vertex is no line and is not made.
            if (s != 0)
                pieces.push_back(Piece(points, Range(0, s)));
            if (e != n - 1)
                pieces.push_back(Piece(points, Range(e, n - 1)));
        } else if (e != 0) {
            std::vector<int> indices = Range(e, n - 1);
            for (int i : Range(0, s))
                indices.push_back(i);
            pieces.push_back(Piece(points, indices));
        } else {
            // The closing segment: the ring opens where it closed.
            pieces.push_back(Piece(points, Range(0, n - 1)));
        }
        std::vector<CMapObject*> added;
        for (const auto& piece : pieces)
            added.push_back(piece.get());
        tooledits::ReplaceObjects(map, layer, {m_pPicked.get()}, added);
    }
    Reset();
    g_toolState = 0;
    map->InvalidateMap(nullptr, FALSE);
    ReleaseCapture();
    g_currentTool = TOOL_SELECT;
    map->UpdateToolCursor();
}

void CDeleteLineTool::Reset()
{
    m_pPicked.reset();
    m_nStart = m_nEnd = -1;
    m_pMap = nullptr;
}

void CDeleteLineTool::Abandon(CMUIMap* map)
{
    if (map == m_pMap && m_pPicked)
        map->InvalidateMap(nullptr, FALSE); // its marks go with the repaint
    Reset();
}
