// Arcs, chords and pies from four clicks. The construction's rubber figures
// are drawn in NOTXOR and taken away by drawing them again; a change of tool
// drops the construction with them, since the next tool moves the shared
// down pixel the third click's ray depends on.
#include "mapwindow/tools/ArcTool.h"

#include "mapwindow/MUIMap.h"
#include "mapwindow/tools/ToolEdits.h"
#include "model/objects/MapArc.h"
#include "model/layers/MapLayer.h"
#include "model/geometry/ObjectDrawScope.h"
#include "platform/wnd/WindowDC.h"

#include <memory>

namespace {
// Cyan, so that the figure stands apart from the grey band of its ellipse.
constexpr COLORREF kFigureColour = RGB(0x00, 0xFF, 0xFF);

int FigureType(int number)
{
    return number == TOOL_CHORD ? MAP_OBJECT_CHORD : number == TOOL_PIE ? MAP_OBJECT_PIE : MAP_OBJECT_ARC;
}
}

void CArcTool::DrawFigure(CDC* dc, CPoint start, CPoint end)
{
    CRopPenScope pen(dc, PS_SOLID, kFigureColour, R2_NOTXORPEN);
    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
    switch (m_nTool) {
    case TOOL_CHORD:
        dc->Chord(&m_rcEllipse, start, end);
        break;
    case TOOL_PIE:
        dc->Pie(&m_rcEllipse, start, end);
        break;
    default:
        dc->Arc(&m_rcEllipse, start, end);
        break;
    }
    dc->SelectObject(oldBrush);
}

void CArcTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    const CPoint point(x, y);
    if (point != g_curPoint && map == m_pMap) {
        CClientDC dc(map);
        if (m_nClicks == 1) {
            if (m_bEllipseShown)
                DrawXorEllipse(&dc, m_rcShownEllipse);
            m_rcEllipse = CRect(point, g_downPoint);
            m_rcEllipse.NormalizeRect();
            DrawXorEllipse(&dc, m_rcEllipse);
            m_bEllipseShown = true;
            m_rcShownEllipse = m_rcEllipse;
        } else if (m_nClicks == 3) {
            if (m_bFigureShown)
                DrawFigure(&dc, m_ShownStart, m_ShownEnd);
            DrawFigure(&dc, g_downPoint, point);
            m_bFigureShown = true;
            m_ShownStart = g_downPoint;
            m_ShownEnd = point;
        }
    }
    CMapTool::OnMouseMove(map, flags, x, y);
}

void CArcTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    if (m_nClicks > 0 && map != m_pMap)
        Reset(); // a construction of another window does not go on here
    m_pMap = map;
    if (++m_nClicks < 4) {
        CMapTool::OnLButtonDown(map, flags, x, y);
        return;
    }
    m_nClicks = 0;
    HideBands(map);
    Store(map);
    ReleaseCapture();
    g_toolState = 0;
    g_currentTool = TOOL_SELECT;
    map->UpdateToolCursor();
    // Held until its own button-up.
    CMapTool::OnLButtonDown(map, flags, x, y);
}

void CArcTool::Store(CMUIMap* map)
{
    CMapLayer* layer = map->GetActiveLayer();
    if (!layer)
        return;
    auto arc = std::make_unique<CMapArc>(FigureType(m_nTool));
    CArcGeometry geometry;
    // The fourth click is the first point, the third the second.
    geometry.start = map->ScreenToMapFloat(g_curPoint);
    geometry.end = map->ScreenToMapFloat(g_downPoint);
    const CDoublePoint topLeft = map->ScreenToMap(m_rcEllipse.TopLeft());
    const CDoublePoint bottomRight = map->ScreenToMap(m_rcEllipse.BottomRight());
    geometry.ellipse = CDoubleRect(topLeft.x, bottomRight.y, bottomRight.x, topLeft.y);
    geometry.ellipse.Normalize();
    arc->SetGeometry(geometry);
    arc->SetBoundary(geometry.ellipse);
    if (!tooledits::AddNewObject(map, layer, arc.get()))
        return;
    map->SelectObject(arc.release(), TRUE, TRUE);
}

void CArcTool::HideBands(CMUIMap* map)
{
    if ((m_bEllipseShown || m_bFigureShown) && map->GetSafeHwnd()) {
        CClientDC dc(map);
        if (m_bEllipseShown)
            DrawXorEllipse(&dc, m_rcShownEllipse);
        if (m_bFigureShown)
            DrawFigure(&dc, m_ShownStart, m_ShownEnd);
    }
    m_bEllipseShown = m_bFigureShown = false;
}

void CArcTool::Reset()
{
    m_nClicks = 0;
    m_bEllipseShown = m_bFigureShown = false;
    m_pMap = nullptr;
}

void CArcTool::Abandon(CMUIMap* map)
{
    if (map == m_pMap && m_nClicks > 0)
        HideBands(map);
    Reset();
}
