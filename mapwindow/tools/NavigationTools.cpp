// Zoom In, Zoom Out and Move. Zoom and pan change only the view, so nothing is
// recorded for undo and the map is not marked modified. Pixel products are
// worked out in floating point and truncated toward zero.
#include "mapwindow/tools/NavigationTools.h"

#include "mapwindow/MUIMap.h"
#include "core/Settings.h"
#include "platform/wnd/WindowDC.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
CPoint ClientCentre(CMUIMap* map)
{
    CRect client;
    map->GetClientRect(&client);
    return CPoint((client.left + client.right) / 2, (client.top + client.bottom) / 2);
}

// Zooms by `factor` (> 1 magnifies) so that pixel (x, y) comes to the client centre.
void ZoomAbout(CMUIMap* map, double factor, int x, int y, BOOL shiftCaches)
{
    const int height = map->GetViewHeight();
    map->GetMapModel()->SetZoom(map->GetZoom() / factor);
    const CPoint centre = ClientCentre(map);
    map->PanBy((int)std::trunc(x * factor), height - (int)std::trunc((height - y) * factor), centre.x, centre.y,
               shiftCaches, TRUE);
}
}

// ---------------------------------------------------------------- Zoom In
void CZoomInTool::TrackFocusRect(CMUIMap* map, UINT flags, int x, int y)
{
    if (!(flags & MK_LBUTTON))
        return;
    CClientDC dc(map);
    // The figure of the first move was never drawn: an empty rectangle draws nothing.
    if (g_curPoint != g_downPoint)
        DrawFocusRectXor(&dc, g_downPoint.x, g_downPoint.y, g_curPoint.x, g_curPoint.y);
    if (CPoint(x, y) != g_downPoint)
        DrawFocusRectXor(&dc, g_downPoint.x, g_downPoint.y, x, y);
}

void CZoomInTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    TrackFocusRect(map, flags, x, y);
    CMapTool::OnMouseMove(map, flags, x, y);
}

void CZoomInTool::OnLButtonUp(CMUIMap* map, UINT flags, int x, int y)
{
    g_curPoint = CPoint(x, y);
    const double step = g_ZoomSize;
    if (g_curPoint == g_downPoint) {
        ZoomAbout(map, step, g_downPoint.x, g_downPoint.y, FALSE);
    } else {
        CRect band(g_downPoint, g_curPoint);
        band.NormalizeRect();
        const int rx = (band.left + band.right) / 2, ry = (band.top + band.bottom) / 2;
        double factor = step;
        if (band.Width() != 0 && band.Height() != 0) {
            CRect client;
            map->GetClientRect(&client);
            const int whole = std::min(client.Height() / band.Height(), client.Width() / band.Width());
            // A band larger than the window (the pointer left it while captured) gives 0.
            if (whole != 0)
                factor = whole;
        }
        ZoomAbout(map, factor, rx, ry, TRUE);
    }
    map->SetRedrawPending(0);
    map->InvalidateMap(nullptr, FALSE);
    CMapTool::OnLButtonUp(map, flags, x, y);
}

// ---------------------------------------------------------------- Zoom Out
void CZoomOutTool::OnLButtonUp(CMUIMap* map, UINT flags, int x, int y)
{
    g_curPoint = CPoint(x, y);
    ZoomAbout(map, 1.0 / g_ZoomSize, g_downPoint.x, g_downPoint.y, FALSE);
    map->InvalidateMap(nullptr, FALSE);
    CMapTool::OnLButtonUp(map, flags, x, y);
}

// ---------------------------------------------------------------- Move
void CMoveTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    m_dragging = 0;
    CMapTool::OnLButtonDown(map, flags, x, y);
}

void CMoveTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    m_dragging = flags == MK_LBUTTON ? 1 : 0;
    CMapTool::OnMouseMove(map, flags, x, y);
    if (m_dragging && CPoint(x, y) != g_downPoint) {
        // Other views follow at the release, not on every move.
        map->SetInvalidateNotify(0);
        map->InvalidateMap(nullptr, FALSE);
    }
}

void CMoveTool::OnLButtonUp(CMUIMap* map, UINT flags, int x, int y)
{
    g_curPoint = CPoint(x, y);
    // A drag that came back to its start suppressed them too.
    map->SetInvalidateNotify(1);
    if (g_curPoint != g_downPoint) {
        map->PanBy(g_downPoint.x, g_downPoint.y, x, y, TRUE, FALSE);
        map->InvalidateMap(nullptr, FALSE);
    }
    m_dragging = 0;
    CMapTool::OnLButtonUp(map, flags, x, y);
}
