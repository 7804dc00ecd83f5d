// Polylines: drawing the open chain through the device-point cache, the hit
// test on the line, vertex insertion and the length.
#include "model/polygons/MapPolyline.h"

#include "core/Measure.h"
#include "core/Settings.h"
#include "model/layers/MapModel.h"
#include "model/geometry/ObjectDrawScope.h"
#include "platform/gdi/CDC.h"

#include <memory>

CMapPolyline::CMapPolyline()
{
    m_nType = MAP_OBJECT_POLYLINE;
}

BOOL CMapPolyline::GetPointAtDistance(double d, double* x, double* y)
{
    return PointAtDistance(d, x, y);
}

int CMapPolyline::InsertVertex(int x, int y, double* originX, double* originY, double* zoom)
{
    return InsertVertexNearEdge(x, y, *originX, *originY, *zoom, 2);
}

void CMapPolyline::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    DrawCachedPoints(pDC, client, originX, originY, zoom);
}

void CMapPolyline::DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    if (IsLayerEditable()) {
        DrawHandles(pDC, client, originX, originY, zoom);
        return;
    }
    CPen pen;
    CreateMapPen(pen);
    CPen* oldPen = pen.GetSafeHandle() ? pDC->SelectObject(&pen) : nullptr;
    const int oldRop = pDC->SetROP2(R2_NOTXORPEN);
    BuildDevicePoints(pDC, client, originX, originY, zoom);
    // Edge by edge, so that the XOR outline crosses itself without gaps.
    for (int c = 0; c < m_Cache.GetChunkCount(); ++c) {
        const CDevicePointArray* chunk = m_Cache.GetChunk(c);
        for (int i = 1; i < chunk->GetCount(); ++i) {
            pDC->MoveTo(chunk->GetAt(i - 1));
            pDC->LineTo(chunk->GetAt(i));
        }
    }
    if (oldPen)
        pDC->SelectObject(oldPen);
    else if (pen.GetSafeHandle())
        pDC->SelectStockObject(NULL_PEN);
    pDC->SetROP2(oldRop);
    pen.DeleteObject();
}

BOOL CMapPolyline::HitTest(int x, int y, double* originX, double* originY, double* zoom)
{
    const POINT p{x, y};
    const double snap = (double)g_SnapPoints * g_SnapPoints;
    bool cached = false;
    for (int c = 0; c < m_Cache.GetChunkCount(); ++c) {
        const CDevicePointArray* chunk = m_Cache.GetChunk(c);
        if (chunk->GetCount() == 0)
            continue;
        cached = true;
        if (DevicePointNearPolyline(chunk->GetCount(), chunk->GetData(), p, snap))
            return TRUE;
    }
    if (cached)
        return FALSE;
    const CFloatPoint mapPoint = DeviceToMap(x, y, *originX, *originY, *zoom);
    const double e = MapTolerance(*zoom);
    const int attached = AttachGeometry();
    const BOOL near = PointNearPolyline(m_nCount, m_pPoints, mapPoint, e * e);
    if (attached)
        DetachGeometry();
    return near;
}

CMapObject* CMapPolyline::Clone(CMapLayer* target)
{
    return CloneInto(new CMapPolyline, target);
}

double CMapPolyline::GetPlanarLength() const
{
    return m_nCount < 2 ? 0.0 : ChainLength(false);
}

double CMapPolyline::GetSphericalLength() const
{
    return m_nCount <= 1 ? 0.0 : ChainLength(true);
}

double CMapPolyline::GetLength(OGRSpatialReference* srs)
{
    return MeasureVertices([&] { return MeasuresOnSphere(srs) ? GetSphericalLength() : GetPlanarLength(); });
}

void CMapPolyline::DrawTracking(CDC* pDC, const RECT*, double*, double*, double*)
{
    CTrackingPenScope band(pDC);
    m_Cache.DrawAll(pDC, FALSE);
}
