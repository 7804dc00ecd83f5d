// The view transform of the map window: pixels to map points, the view origin,
// panning, fitting the extent (again at each resize until the fitted map is
// drawn), and the wheel with Shift (pan up and down),
// Ctrl + Shift (pan sideways) and Ctrl (zoom about the client centre).
#include "mapwindow/MUIMap.h"

#include "mapwindow/MapTool.h"
#include "core/Settings.h"

#include <algorithm>
#include <cmath>

CDoublePoint CMUIMap::ScreenToMap(CPoint point) const
{
    const double zoom = m_MapModel.GetZoom();
    return CDoublePoint(point.x * zoom + m_MapModel.GetXOffset(),
                        (m_MapModel.GetViewHeight() - point.y) * zoom + m_MapModel.GetYOffset());
}

CFloatPoint CMUIMap::ScreenToMapFloat(CPoint point) const
{
    const CDoublePoint p = ScreenToMap(point);
    return CFloatPoint((float)p.x, (float)p.y);
}

void CMUIMap::SetViewOrigin(double x, double y)
{
    m_bFitPending = false;
    m_MapModel.SetXOffset(x);
    m_MapModel.SetYOffset(y);
    NotifyParent(MAPA_VIEW_ORIGIN, this, 0);
    InvalidateMap(nullptr, FALSE);
}

void CMUIMap::PanBy(int x1, int y1, int x2, int y2, BOOL shiftSelection, BOOL notify)
{
    m_bFitPending = false;
    const int dx = x2 - x1, dy = y2 - y1;
    if (shiftSelection)
        m_MapModel.NotifyOverlays(dx, dy);
    const double zoom = m_MapModel.GetZoom();
    const double x = m_MapModel.GetXOffset() - dx * zoom;
    const double y = m_MapModel.GetYOffset() + dy * zoom;
    if (notify) {
        SetViewOrigin(x, y);
    } else {
        m_MapModel.SetXOffset(x);
        m_MapModel.SetYOffset(y);
    }
}

void CMUIMap::ZoomToExtent(const RECT* rect)
{
    // The client area the next drawing covers; a window without one counts as 600 x 400.
    CRect client;
    if (m_hWnd)
        GetClientRect(&client);
    if (client.IsRectEmpty())
        client = CRect(0, 0, 600, 400);
    CRect target = client;
    if (rect)
        target = *rect;
    else
        m_MapModel.RecalcExtent();
    CDoubleRect extent = m_MapModel.GetExtent();
    extent.Normalize();
    if (extent.Width() == 0 || extent.Height() == 0 || target.Width() <= 0 || target.Height() <= 0)
        return;
    const double zoom = std::max(extent.Width() / target.Width(), extent.Height() / target.Height());
    if (zoom != m_MapModel.GetZoom()) {
        m_MapModel.SetZoom(zoom);
        SetViewOrigin(extent.left + (extent.Width() - target.Width() * zoom) / 2,
                      extent.bottom + (extent.Height() - target.Height() * zoom) / 2);
    } else {
        // Pixels count from the height the next drawing has, not the last one's:
        // the window may have been resized (or never drawn) since.
        const CPoint from = extent.GetCentre().ToDevice(m_MapModel.GetXOffset(), m_MapModel.GetYOffset(), zoom,
                                                        client.Height());
        PanBy(from.x, from.y, (target.left + target.right) / 2, (target.top + target.bottom) / 2, TRUE, TRUE);
    }
    // A fit to the client area follows the window's size until the map is drawn:
    // a view fitted before its frame has its final size is fitted again.
    m_bFitPending = !rect && m_hWnd;
}

BOOL CMUIMap::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    const bool shift = (flags & MK_SHIFT) != 0, control = (flags & MK_CONTROL) != 0;
    if (shift) {
        SetCursorOf(CURSOR_MOVE);
        if (delta != 0) {
            if (control)
                PanBy(point.x, point.y, point.x + delta, point.y, TRUE, FALSE);
            else
                PanBy(point.x, point.y, point.x, point.y + delta, TRUE, FALSE);
        }
        InvalidateMap(nullptr, FALSE);
    } else if (control) {
        if (m_MapModel.GetLayerCount() > 0) {
            const double step = g_ZoomSize;
            const double factor = delta > 0 ? step : 1.0 / step;
            SetCursorOf(delta > 0 ? CURSOR_ZOOM_IN : CURSOR_ZOOM_OUT);
            m_MapModel.SetZoom(m_MapModel.GetZoom() / factor);
            CRect client;
            GetClientRect(&client);
            const int cx = (client.left + client.right) / 2, cy = (client.top + client.bottom) / 2;
            const int height = m_MapModel.GetViewHeight();
            PanBy((int)std::trunc(cx * factor), height - (int)std::trunc(factor * (height - cy)), cx, cy, TRUE,
                  TRUE);
            InvalidateMap(nullptr, FALSE);
        }
    } else {
        UpdateToolCursor();
    }
    return CWnd::OnMouseWheel(flags, delta, point);
}
