// Joining polylines end to end. The picked polylines are the tool's own copies,
// built for the hit test; the result takes the first one's style, and the
// repaint after the double-click takes away the marks and the joint's line.
#include "mapwindow/tools/JoinPolylineTool.h"

#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "platform/wnd/WindowDC.h"

namespace {
constexpr int kMarkSize = 7;

// Appends the vertices of `from` to `to`, last to first when `reversed`.
void AppendVertices(CMapPointList* to, const CMapPointList* from, bool reversed)
{
    const int n = const_cast<CMapPointList*>(from)->GetPointCount();
    for (int i = 0; i < n; ++i)
        to->AddPoint(from->GetPoint(reversed ? n - 1 - i : i));
}
}

CJoinPolylineTool::CJoinPolylineTool() : CMapTool(TOOL_JOIN_POLYLINE) {}

CJoinPolylineTool::~CJoinPolylineTool() = default;

void CJoinPolylineTool::OnLButtonDown(CMUIMap* map, UINT, int x, int y)
{
    map->ClearSelection(TRUE);
    if (m_nStage != kIdle && map != m_pMap)
        Reset();
    std::unique_ptr<CMapObject> hit = tooledits::HitActiveLayerObject(map, x, y, MAP_OBJECT_POLYLINE);
    if (!hit)
        return;
    std::unique_ptr<CMapPolyline> line(static_cast<CMapPolyline*>(hit.release()));
    line->LoadGeometry();
    double xOff = map->GetXOffset(), yOff = map->GetYOffset(), zoom = map->GetZoom();
    const int handle = line->HitTestHandle(x, y, &xOff, &yOff, &zoom);
    line->SetActiveHandle(handle);
    const int n = line->GetPointCount();
    if (n == 0 || (handle != 0 && handle != n - 1) || m_nStage == kJoined)
        return;
    {
        CClientDC dc(map);
        tooledits::DrawInvertMark(&dc, x, y, kMarkSize);
    }
    m_pMap = map;
    if (m_nStage == kIdle) {
        // The picked end comes last, where the next polyline joins.
        m_pJoined = std::make_unique<CMapPolyline>();
        m_pJoined->SetStyle(*line->GetStyle());
        AppendVertices(m_pJoined.get(), line.get(), handle == 0);
        m_nFirstID = line->GetMapeID();
        m_Sources.push_back(std::move(line));
        m_nStage = kFirstPicked;
        g_toolState = 2;
        g_downPoint = m_FirstEnd = CPoint(x, y);
        return;
    }
    if (line->GetMapeID() == m_nFirstID) {
        // Both ends of one polyline: it closes into a polygon.
        m_pPolygon = std::make_unique<CMapPolygon>();
        m_pPolygon->SetStyle(*line->GetStyle());
        AppendVertices(m_pPolygon.get(), line.get(), false);
        m_pJoined.reset();
    } else {
        // The picked end comes first, so the joint is one new segment.
        AppendVertices(m_pJoined.get(), line.get(), handle != 0);
        m_Sources.push_back(std::move(line));
    }
    m_Band.Keep(); // the joint stays drawn until the repaint
    m_nFirstID = -1;
    m_nStage = kJoined;
    g_toolState = 1;
    g_curPoint = CPoint(x, y);
}

void CJoinPolylineTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    if (m_nStage == kFirstPicked && map == m_pMap) {
        CClientDC dc(map);
        m_Band.Show(&dc, m_FirstEnd, CPoint(x, y), kBandColour);
    }
    CMapTool::OnMouseMove(map, flags, x, y);
}

void CJoinPolylineTool::OnLButtonDblClk(CMUIMap* map, UINT, int, int)
{
    const bool own = map == m_pMap && m_nStage != kIdle;
    CMapLayer* layer = map->GetActiveLayer();
    CMapObject* result = m_pJoined ? static_cast<CMapObject*>(m_pJoined.get()) : m_pPolygon.get();
    if (own && m_nStage == kJoined && layer && result) {
        std::vector<CMapObject*> removed;
        for (const auto& source : m_Sources)
            removed.push_back(source.get());
        tooledits::ReplaceObjects(map, layer, removed, {result});
    }
    // After one pick only, the half-built line is dropped.
    Reset();
    g_toolState = 0;
    if (own)
        map->InvalidateMap(nullptr, FALSE);
    ReleaseCapture();
    g_currentTool = TOOL_SELECT;
    map->UpdateToolCursor();
}

void CJoinPolylineTool::Reset()
{
    m_Sources.clear();
    m_pJoined.reset();
    m_pPolygon.reset();
    m_nFirstID = -1;
    m_nStage = kIdle;
    m_Band.Keep();
    m_pMap = nullptr;
}

void CJoinPolylineTool::Abandon(CMUIMap* map)
{
    if (map == m_pMap && m_nStage != kIdle)
        map->InvalidateMap(nullptr, FALSE); // its marks and lines go with the repaint
    Reset();
}
