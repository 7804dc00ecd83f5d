// Polygons: filling and outlining through the device-point cache, the
// containment and hit tests, vertex insertion, measures, and the shapes built
// for measuring rectangles and ellipses. Device arithmetic runs in 64 bits:
// products of device coordinates overflow 32 bits at far zooms.
#include "model/polygons/MapPolygon.h"

#include "core/Measure.h"
#include "model/polygons/ClipPolygon.h"
#include "model/layers/MapModel.h"
#include "model/polygons/MapMultiPart.h"
#include "model/polygons/MapPolyParts.h"
#include "model/geometry/ObjectDrawScope.h"
#include "platform/gdi/CDC.h"

#include <cmath>
#include <cstdint>
#include <memory>

namespace {
// Non-zero winding number of (x, y) over the closed ring of device points.
int DeviceWinding(const CDevicePointArray& ring, int x, int y)
{
    const int n = ring.GetCount();
    int winding = 0;
    for (int i = 0; i < n; ++i) {
        const POINT s = ring.GetAt(i), e = ring.GetAt((i + 1) % n);
        const int64_t c = ((int64_t)e.x - s.x) * ((int64_t)y - s.y) - ((int64_t)e.y - s.y) * ((int64_t)x - s.x);
        if (s.y <= y && y < e.y) {
            if (c > 0)
                ++winding;
        } else if (e.y <= y && y < s.y) {
            if (c < 0)
                --winding;
        }
    }
    return winding;
}
}

CMapPolygon::CMapPolygon()
{
    m_nType = MAP_OBJECT_POLYGON;
}

BOOL CMapPolygon::GetPointAtDistance(double d, double* x, double* y)
{
    return PointAtDistance(d, x, y);
}

int CMapPolygon::InsertVertex(int x, int y, double* originX, double* originY, double* zoom)
{
    return InsertVertexNearEdge(x, y, *originX, *originY, *zoom, 1);
}

void CMapPolygon::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    DrawCachedPoints(pDC, client, originX, originY, zoom);
}

BOOL CMapPolygon::ContainsXY(double* x, double* y)
{
    if (!CMapObject::ContainsXY(x, y))
        return FALSE;
    const int attached = AttachGeometry();
    const double px = *x, py = *y;
    int crossings = 0;
    for (int i = 0; i < m_nCount; ++i) {
        const CFloatPoint& prev = m_pPoints[(i + m_nCount - 1) % m_nCount];
        const CFloatPoint& cur = m_pPoints[i];
        if ((prev.y > py && cur.y <= py) || (cur.y > py && prev.y <= py)) {
            if ((((double)prev.x - px) * ((double)cur.y - py) - ((double)cur.x - px) * ((double)prev.y - py))
                    / ((double)cur.y - prev.y)
                > 0)
                ++crossings;
        }
    }
    if (attached)
        DetachGeometry();
    return (crossings & 1) != 0;
}

void CMapPolygon::DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    if (IsLayerEditable()) {
        DrawHandles(pDC, client, originX, originY, zoom);
        return;
    }
    CMapStyle* mapStyle = GetMapStyle();
    CStyleDrawScope selection(pDC, mapStyle, true);
    BuildDevicePoints(pDC, client, originX, originY, zoom);
    m_Cache.DrawAll(pDC, TRUE);
}

BOOL CMapPolygon::HitTest(int x, int y, double*, double*, double*)
{
    // The cached pieces of a clipped polygon are separate rings: inside any one is a hit.
    for (int c = 0; c < m_Cache.GetChunkCount(); ++c) {
        const CDevicePointArray* ring = m_Cache.GetChunk(c);
        if (ring->GetCount() > 0 && DeviceWinding(*ring, x, y) != 0)
            return TRUE;
    }
    return FALSE;
}

CMapObject* CMapPolygon::Clone(CMapLayer* target)
{
    return CloneInto(new CMapPolygon, target);
}

CFloatPoint CMapPolygon::GetLabelPoint()
{
    const int attached = AttachGeometry();
    double sx = 0.0, sy = 0.0;
    for (int i = 0; i < m_nCount; ++i) {
        sx += m_pPoints[i].x;
        sy += m_pPoints[i].y;
    }
    const CFloatPoint mean = m_nCount > 0 ? CFloatPoint(sx / m_nCount, sy / m_nCount) : CFloatPoint();
    if (attached)
        DetachGeometry();
    return mean;
}

double CMapPolygon::GetPlanarPerimeter() const
{
    return m_nCount < 2 ? 0.0 : ChainLength(false);
}

double CMapPolygon::GetSphericalPerimeter() const
{
    return m_nCount <= 2 ? 0.0 : ChainLength(true);
}

double CMapPolygon::GetPlanarArea() const
{
    return m_nCount < 3 ? 0.0 : PlanarRingArea(m_pPoints, m_nCount);
}

double CMapPolygon::GetSphericalArea() const
{
    return m_nCount < 3 ? 0.0 : SphericalRingArea(m_pPoints, m_nCount);
}

double CMapPolygon::GetLength(OGRSpatialReference* srs)
{
    return MeasureVertices([&] { return MeasuresOnSphere(srs) ? GetSphericalPerimeter() : GetPlanarPerimeter(); });
}

double CMapPolygon::GetArea(OGRSpatialReference* srs)
{
    return MeasureVertices([&] { return MeasuresOnSphere(srs) ? GetSphericalArea() : GetPlanarArea(); });
}

void CMapPolygon::DrawTracking(CDC* pDC, const RECT*, double*, double*, double*)
{
    CTrackingPenScope band(pDC);
    m_Cache.DrawAll(pDC, TRUE);
}

BOOL CMapPolygon::ContainsFloatPoint(const CFloatPoint* pt)
{
    double x = pt->x, y = pt->y;
    return ContainsXY(&x, &y);
}

BOOL CMapPolygon::ContainsAllPoints(CMapPointList* other)
{
    const int attached = AttachGeometry();
    BOOL all = TRUE;
    for (int i = 0; i < other->GetPointCount() && all; ++i) {
        const CFloatPoint p = other->GetPoint(i);
        all = ContainsFloatPoint(&p);
    }
    if (attached)
        DetachGeometry();
    return all;
}

void CMapPolygon::DrawCachedOutline(CDC* pDC)
{
    m_Cache.DrawOutlineAll(pDC);
}

CMapPolyPolygon* CMapPolygon::ClipToRectangle(const CDoubleRect* rect)
{
    CClipPolygon ring;
    ring.SetFromObjectNear(this, *rect);
    std::unique_ptr<CMapMultiPart> pieces(ring.ClipToRect(*rect, MAP_OBJECT_POLYGON));
    auto* result = new CMapPolyPolygon;
    if (pieces) {
        for (POSITION pos = pieces->GetHeadPartPosition(); pos;) {
            auto* polygon = new CMapPolygon;
            polygon->CopyFromClipPolygon(static_cast<CClipPolygon*>(pieces->GetNextPart(pos)));
            result->AddPart(polygon);
        }
    }
    return result;
}

BOOL CMapPolygon::ContainsRectangle(const CDoubleRect* rect)
{
    const CFloatPoint corners[4] = {rect->GetBottomLeft(), rect->GetBottomRight(), rect->GetTopRight(),
                                    rect->GetTopLeft()};
    for (const CFloatPoint& corner : corners) {
        if (!ContainsFloatPoint(&corner))
            return FALSE;
    }
    CClipPolygon ring;
    ring.SetFromObject(this, FALSE);
    if (ring.GetPointCount() > 0)
        ring.AddVertex(ring.GetHeadVertex());
    std::unique_ptr<CClipPolygon> crossings(ring.IntersectWithRect(*rect, FALSE));
    return !crossings || crossings->GetPointCount() == 0;
}

void CMapPolygon::MakeRectangle(const CDoubleRect* rect)
{
    RemoveAllPoints();
    AddPoint(rect->GetBottomLeft());
    AddPoint(rect->GetBottomRight());
    AddPoint(rect->GetTopRight());
    AddPoint(rect->GetTopLeft());
    SetGeometryLoaded();
}

void CMapPolygon::MakeEllipse(const CDoubleRect* rect)
{
    constexpr double kPi = 3.141592653589793;
    RemoveAllPoints();
    const CFloatPoint centre = rect->GetCentre();
    const double w = rect->Width(), h = rect->Height();
    for (int k = 1; k <= 64; ++k) {
        const double a = (k + 1) * kPi / 32;
        const double s = std::sin(a), c = std::cos(a);
        const double r = 1.0 / (2.0 * std::sqrt(s * s / (h * h) + c * c / (w * w)));
        AddDoublePoint(centre.x + r * c, centre.y + r * s);
    }
    SetGeometryLoaded();
}
