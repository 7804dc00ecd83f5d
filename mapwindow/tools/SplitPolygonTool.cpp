// Cutting a polygon along a drawn line. The polygon and the line are the
// tool's own copies; the cut replaces the stored polygon by its pieces, and the
// whole map is repainted afterwards, which takes away the marks and lines.
#include "mapwindow/tools/SplitPolygonTool.h"

#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/polygons/MapPolyParts.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "platform/wnd/WindowDC.h"

#include <vector>

namespace {
constexpr int kMarkSize = 7;
}

CSplitPolygonTool::CSplitPolygonTool() : CMapTool(TOOL_SPLIT_POLYGON) {}

CSplitPolygonTool::~CSplitPolygonTool() = default;

void CSplitPolygonTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    CMapTool::OnLButtonDown(map, flags, x, y);
    map->ClearSelection(TRUE);
    if (m_pPolygon && map == m_pMap) {
        m_bLineHasVertex = true;
        const CFloatPoint p = map->ScreenToMapFloat(CPoint(x, y));
        m_pLine->AddPoint(p);
        m_Band.Keep(); // the segment up to this click stays as part of the line
        return;
    }
    Reset();
    std::unique_ptr<CMapObject> hit = tooledits::HitActiveLayerObject(map, x, y, MAP_OBJECT_POLYGON);
    if (!hit)
        return;
    m_pPolygon.reset(static_cast<CMapPolygon*>(hit.release()));
    m_pPolygon->LoadGeometry();
    {
        CClientDC dc(map);
        for (int i = 0; i < m_pPolygon->GetPointCount(); ++i) {
            const CPoint p = m_pPolygon->GetPoint(i).ToDevice(map->GetXOffset(), map->GetYOffset(), map->GetZoom(),
                                                              map->GetViewHeight());
            tooledits::DrawInvertMark(&dc, p.x, p.y, kMarkSize);
        }
    }
    m_pMap = map;
    g_toolState = 2;
    m_pLine = std::make_unique<CMapPolyline>();
    m_bLineHasVertex = false;
}

void CSplitPolygonTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    if (m_bLineHasVertex && map == m_pMap) {
        CClientDC dc(map);
        m_Band.Show(&dc, g_downPoint, CPoint(x, y), kBandColour);
    }
    CMapTool::OnMouseMove(map, flags, x, y);
}

bool CSplitPolygonTool::Cut(CMUIMap* map, int x, int y)
{
    if (!m_pPolygon || !m_pLine || m_pLine->GetPointCount() == 0 || map != m_pMap)
        return false;
    CMapLayer* layer = m_pPolygon->GetLayer();
    if (!layer || !map->IsMapLayer(layer) || !layer->IsEditable())
        return false;
    // Both ends of the line must lie outside, or the line cuts nothing off.
    CDoublePoint last = map->ScreenToMap(CPoint(x, y));
    const CFloatPoint first = m_pLine->GetPoint(0);
    double fx = first.x, fy = first.y;
    if (m_pPolygon->ContainsXY(&last.x, &last.y) || m_pPolygon->ContainsXY(&fx, &fy))
        return false;
    std::unique_ptr<CMapPolyPolygon> pieces(m_pPolygon->SplitByLine(m_pLine.get()));
    if (!pieces || pieces->GetPartCount() < 2)
        return false;
    std::vector<std::unique_ptr<CMapObject>> owned;
    std::vector<CMapObject*> added;
    for (POSITION pos = pieces->GetHeadPartPosition(); pos;) {
        CMapObject* piece = pieces->GetNextPart(pos)->Clone(nullptr);
        piece->SetParent(nullptr);
        piece->SetMapeID(-1);
        owned.emplace_back(piece);
        added.push_back(piece);
    }
    return tooledits::ReplaceObjects(map, layer, {m_pPolygon.get()}, added);
}

void CSplitPolygonTool::OnLButtonDblClk(CMUIMap* map, UINT, int x, int y)
{
    ReleaseCapture();
    g_currentTool = TOOL_SELECT;
    map->UpdateToolCursor();
    const bool own = map == m_pMap && m_pPolygon;
    Cut(map, x, y);
    Reset();
    g_toolState = 0;
    if (own)
        map->InvalidateMap(nullptr, FALSE);
}

void CSplitPolygonTool::Reset()
{
    m_pPolygon.reset();
    m_pLine.reset();
    m_bLineHasVertex = false;
    m_Band.Keep();
    m_pMap = nullptr;
}

void CSplitPolygonTool::Abandon(CMUIMap* map)
{
    if (map == m_pMap && m_pPolygon)
        map->InvalidateMap(nullptr, FALSE); // its marks and lines go with the repaint
    Reset();
}
