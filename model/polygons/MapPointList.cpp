// Point-list objects: vertex editing, joining, measuring against the vertex
// chain, moving and converting. Every change of the vertices that the
// boundary depends on keeps the boundary their bounding box.
#include "model/polygons/MapPointList.h"

#include "core/GeometryTransform.h"
#include "core/Measure.h"
#include "core/Settings.h"
#include "model/polygons/ClipPolygon.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "model/geometry/ObjectDrawScope.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <cstring>

namespace {
bool SamePoint(const CFloatPoint& a, const CFloatPoint& b)
{
    return a.x == b.x && a.y == b.y;
}
}

CMapPointList::CMapPointList() = default;

CMapPointList::~CMapPointList()
{
    UnloadGeometry();
}

// ---------------------------------------------------------------- the array
void CMapPointList::Reserve(int capacity)
{
    if (m_pPoints && m_Borrow == BorrowSource::None) {
        // The vector grows geometrically underneath, so that recording a
        // track point by point costs no copy of the whole array per 20 points.
        if ((size_t)capacity > m_Owned.size())
            m_Owned.resize((size_t)capacity);
        m_pPoints = m_Owned.data();
        return;
    }
    // A borrowed array is copied: the owned one never points into a row.
    const int count = m_pPoints ? m_nCount : 0;
    std::vector<CFloatPoint> grown((size_t)std::max(capacity, count));
    if (count > 0)
        std::copy(m_pPoints, m_pPoints + count, grown.begin());
    EndBorrow();
    m_Owned.swap(grown);
    m_pPoints = m_Owned.data();
    m_nCount = count;
}

void CMapPointList::GrowIfFull()
{
    // A stored object whose vertices were never fetched fetches them first:
    // an edit on an empty array would save over the stored geometry.
    if (!m_pPoints && m_nMapeID >= 0 && m_pLayer)
        LoadGeometry();
    const bool owned = m_pPoints && m_Borrow == BorrowSource::None;
    if (!owned)
        Reserve(m_nCount + kGrowBy);
    else if (m_nCount >= GetCapacity())
        Reserve(GetCapacity() + kGrowBy);
}

void CMapPointList::AppendPoint(CFloatPoint pt)
{
    GrowIfFull();
    m_dwFlags |= kGeometryLoaded;
    OwnedPoints()[m_nCount++] = pt;
    m_dwFlags |= kIndexStale;
    if (m_nCount == 1)
        SetBoundary(CDoubleRect(pt.x, pt.y, pt.x, pt.y));
    else
        ExtendBoundaryByPoint(pt);
    m_dwFlags |= kGeometryModified;
}

void CMapPointList::InsertPointAt(int index, const double xy[2])
{
    GrowIfFull();
    CFloatPoint* points = OwnedPoints();
    std::memmove(points + index + 1, points + index, sizeof(CFloatPoint) * (size_t)(m_nCount - index));
    points[index] = CFloatPoint(xy[0], xy[1]);
    ++m_nCount;
}

void CMapPointList::PrependPoint(CFloatPoint pt)
{
    GrowIfFull();
    m_dwFlags |= kGeometryLoaded;
    CFloatPoint* points = OwnedPoints();
    std::memmove(points + 1, points, sizeof(CFloatPoint) * (size_t)m_nCount);
    points[0] = pt;
    ++m_nCount;
    if (m_nCount == 1)
        SetBoundary(CDoubleRect(pt.x, pt.y, pt.x, pt.y));
    else
        ExtendBoundaryByPoint(pt);
}

BOOL CMapPointList::DeletePoint(int index)
{
    LoadGeometry();
    if (index < 0 || index >= m_nCount)
        return FALSE;
    CFloatPoint* points = OwnedPoints();
    std::memmove(points + index, points + index + 1, sizeof(CFloatPoint) * (size_t)(m_nCount - index - 1));
    --m_nCount;
    m_dwFlags |= kIndexStale;
    RecomputeBoundary();
    m_dwFlags |= kGeometryModified;
    return TRUE;
}

void CMapPointList::RemoveFirstPoint()
{
    LoadGeometry();
    if (m_nCount == 0)
        return;
    CFloatPoint* points = OwnedPoints();
    std::memmove(points, points + 1, sizeof(CFloatPoint) * (size_t)(m_nCount - 1));
    --m_nCount;
    m_dwFlags |= kIndexStale;
    RecomputeBoundary();
}

void CMapPointList::RemoveLastPoint()
{
    LoadGeometry();
    if (m_nCount == 0)
        return;
    --m_nCount;
    m_dwFlags |= kIndexStale;
    RecomputeBoundary();
}

CFloatPoint CMapPointList::GetFirstPoint()
{
    LoadGeometry();
    return m_nCount > 0 ? m_pPoints[0] : CFloatPoint();
}

CFloatPoint CMapPointList::GetLastPoint()
{
    LoadGeometry();
    return m_nCount > 0 ? m_pPoints[m_nCount - 1] : CFloatPoint();
}

void CMapPointList::SetPoint(int index, const double xy[2])
{
    LoadGeometry();
    OwnedPoints()[index] = CFloatPoint(xy[0], xy[1]);
    m_dwFlags |= kIndexStale;
    RecomputeBoundary();
}

int CMapPointList::FindPoint(float x, float y)
{
    const int attached = AttachGeometry();
    int found = -1;
    for (int i = 0; i < m_nCount && found < 0; ++i) {
        if (m_pPoints[i].x == x && m_pPoints[i].y == y)
            found = i;
    }
    if (attached)
        DetachGeometry();
    return found;
}

int CMapPointList::RemoveDuplicatePoints()
{
    LoadGeometry();
    CFloatPoint* points = OwnedPoints();
    for (int i = 0; i < m_nCount - 1; ++i) {
        if (SamePoint(points[i], points[i + 1])) {
            std::memmove(points + i, points + i + 1, sizeof(CFloatPoint) * (size_t)(m_nCount - i - 1));
            --m_nCount;
        }
    }
    return 0;
}

void CMapPointList::AppendPoints(CMapPointList* other)
{
    other->LoadGeometry();
    if (other->m_nCount < 1)
        return;
    LoadGeometry();
    const bool wasEmpty = m_nCount == 0;
    if (m_nCount + other->m_nCount > GetCapacity())
        Reserve(m_nCount + other->m_nCount);
    std::copy(other->m_pPoints, other->m_pPoints + other->m_nCount, OwnedPoints() + m_nCount);
    m_nCount += other->m_nCount;
    m_dwFlags |= kGeometryLoaded;
    if (wasEmpty)
        m_rcBoundary = other->m_rcBoundary;
    else
        m_rcBoundary.Union(other->m_rcBoundary);
}

void CMapPointList::CopyPointsAndStyle(CMapPointList* source)
{
    AppendPoints(source);
    SetStyle(*source->GetStyle());
}

void CMapPointList::CopyFromClipPolygon(CClipPolygon* source)
{
    RemoveAllPoints();
    Reserve(GetCapacity() + source->GetPointCount() + kGrowBy);
    for (POSITION pos = source->GetHeadPosition(); pos;) {
        const CClipVertex v = source->GetNext(pos);
        AddPoint(CFloatPoint(v.x, v.y));
    }
    SetStyle(*source->GetStyle());
    m_rcBoundary = source->GetBoundary();
}

void CMapPointList::DrawAsClosedLine(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CMapPolyline line;
    line.CopyPointsAndStyle(this);
    line.AddPoint(GetFirstPoint());
    line.Draw(pDC, client, originX, originY, zoom);
}

BOOL CMapPointList::JoinAtEnds(CMapPointList* other)
{
    LoadGeometry();
    other->LoadGeometry();
    if (m_nCount < 1 || other->m_nCount < 1)
        return FALSE;
    const CFloatPoint first = m_pPoints[0], last = m_pPoints[m_nCount - 1];
    const CFloatPoint* theirs = other->m_pPoints;
    const int n = other->m_nCount;
    if (SamePoint(first, theirs[0])) {
        RemoveFirstPoint();
        for (int i = 0; i < n; ++i)
            PrependPoint(theirs[i]);
    } else if (SamePoint(last, theirs[0])) {
        RemoveLastPoint();
        AppendPoints(other);
    } else if (SamePoint(first, theirs[n - 1])) {
        RemoveFirstPoint();
        for (int i = n - 1; i >= 0; --i)
            PrependPoint(theirs[i]);
    } else if (SamePoint(last, theirs[n - 1])) {
        RemoveLastPoint();
        for (int i = n - 1; i >= 0; --i)
            AddPoint(theirs[i]);
    } else {
        return FALSE;
    }
    return TRUE;
}

void CMapPointList::RecomputeBoundary()
{
    CDoubleRect box;
    for (int i = 0; i < m_nCount; ++i) {
        const CFloatPoint& p = m_pPoints[i];
        if (i == 0)
            box = CDoubleRect(p.x, p.y, p.x, p.y);
        else
            box.UnionPoint(p);
    }
    if (box == m_rcBoundary)
        return;
    SetBoundary(box);
    CMapObject::UpdateLayerBounds();
}

BOOL CMapPointList::IsSameGeometry(CMapPointList* other)
{
    // Raw bytes: 0.0 and -0.0 differ, as they do in the stored BLOB.
    return m_nCount == other->m_nCount
        && (m_nCount == 0 || std::memcmp(m_pPoints, other->m_pPoints, sizeof(CFloatPoint) * (size_t)m_nCount) == 0);
}

// ---------------------------------------------------------------- virtual operations
BOOL CMapPointList::IsNearPoint(CFloatPoint* pt, double* tolerance)
{
    const int attached = AttachGeometry();
    BOOL near = FALSE;
    for (int i = 1; i < m_nCount && !near; ++i)
        near = PointSegmentDistance(*pt, m_pPoints[i - 1], m_pPoints[i]) <= *tolerance;
    if (!near && IsClosedRing() && m_nCount >= 1)
        near = PointSegmentDistance(*pt, m_pPoints[m_nCount - 1], m_pPoints[0]) <= *tolerance;
    if (attached)
        DetachGeometry();
    return near;
}

void CMapPointList::GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points)
{
    const int attached = AttachGeometry();
    for (int i = 0; i < m_nCount; ++i) {
        CFloatPoint p = m_pPoints[i];
        points.Add(p);
    }
    if (IsClosedRing() && m_nCount > 0) {
        CFloatPoint p = m_pPoints[0];
        points.Add(p);
    }
    if (attached)
        DetachGeometry();
}

BOOL CMapPointList::IsWithinCircle(CFloatPoint* centre, double* radius)
{
    if (CMapObject::IsWithinCircle(centre, radius))
        return TRUE;
    const int attached = AttachGeometry();
    const double limit = *radius * *radius;
    BOOL within = TRUE;
    for (int i = 0; i < m_nCount && within; ++i) {
        const double dx = (double)m_pPoints[i].x - centre->x, dy = (double)m_pPoints[i].y - centre->y;
        within = dx * dx + dy * dy <= limit;
    }
    if (attached)
        DetachGeometry();
    return within;
}

void CMapPointList::ReverseDirection(bool reverse)
{
    if (!reverse || !m_pPoints || m_nCount < 2)
        return;
    LoadGeometry();
    std::reverse(OwnedPoints(), OwnedPoints() + m_nCount);
}

double CMapPointList::GetDistance(CFloatPoint pt)
{
    const int attached = IsGeometryLoaded() ? 0 : AttachGeometry();
    const double d = PointPolylineDistance(pt, m_pPoints, m_nCount, IsClosedRing());
    if (attached)
        DetachGeometry();
    return d;
}

void CMapPointList::UpdateLayerBounds()
{
    RecomputeBoundary();
}

CMapObject* CMapPointList::CloneInto(CMapPointList* clone, CMapLayer* target)
{
    CopyInto(clone, *GetStyle());
    const int attached = AttachGeometry();
    clone->Reserve(m_nCount + kGrowBy);
    if (m_nCount > 0)
        std::copy(m_pPoints, m_pPoints + m_nCount, clone->OwnedPoints());
    clone->m_nCount = m_nCount;
    if (attached)
        DetachGeometry();
    // The copy owns its vertices, wherever the original's came from.
    clone->m_dwFlags = (clone->m_dwFlags & ~kGeometryBorrowed) | kGeometryLoaded;
    return PlaceClone(clone, target);
}

CMapObject* CMapPointList::Clone(CMapLayer* target)
{
    return CloneInto(new CMapPolygon, target);
}

CFloatPoint CMapPointList::GetHandlePoint(int index)
{
    if (m_nCount <= 0 || !m_pPoints)
        return CFloatPoint();
    return m_pPoints[((index % m_nCount) + m_nCount) % m_nCount];
}

void CMapPointList::MoveBy(int dx, int dy, double* zoom)
{
    const double mx = dx * *zoom, my = -dy * *zoom;
    LoadGeometry();
    CFloatPoint* points = OwnedPoints();
    for (int i = 0; i < m_nCount; ++i) {
        points[i].x = (float)(points[i].x + mx);
        points[i].y = (float)(points[i].y + my);
    }
    ShiftDevicePoints(dx, dy);
    m_dwFlags |= kIndexStale | kGeometryModified;
    CDoubleRect moved = m_rcBoundary;
    moved.Offset(mx, my);
    SetBoundary(moved);
    CMapObject::UpdateLayerBounds();
    SaveChanges();
}

void CMapPointList::GatherVertices(std::vector<CFloatPoint>& vertices)
{
    LoadGeometry();
    vertices.insert(vertices.end(), m_pPoints, m_pPoints + m_nCount);
}

void CMapPointList::ScatterVertices(const std::vector<CFloatPoint>& vertices, size_t& at)
{
    std::copy(vertices.begin() + (std::ptrdiff_t)at, vertices.begin() + (std::ptrdiff_t)at + m_nCount, OwnedPoints());
    at += (size_t)m_nCount;
    m_dwFlags |= kIndexStale | kGeometryModified;
    InvalidateDevicePoints();
    RecomputeBoundary();
}

template <class Convert> int CMapPointList::ConvertVertices(const Convert& convert)
{
    std::vector<CFloatPoint> vertices;
    GatherVertices(vertices);
    if (!convert(vertices.data(), (int)vertices.size()))
        return 0;
    size_t at = 0;
    ScatterVertices(vertices, at);
    // A composite's boundary covers its rings too.
    UpdateLayerBounds();
    return 1;
}

int CMapPointList::Transform(OGRCoordinateTransformation* ct)
{
    return ConvertVertices([&](CFloatPoint* points, int count) { return TransformPoints(ct, points, count); });
}

int CMapPointList::LinearToAngular(double* a, double* b, int)
{
    return ConvertVertices([&](CFloatPoint* points, int count) {
        return ConvertPoints(points, count, [&](CFloatPoint& p) { return p.LinearToAngular(*a, *b); });
    });
}

int CMapPointList::AngularToLinear(double* a, double* b)
{
    return ConvertVertices([&](CFloatPoint* points, int count) {
        return ConvertPoints(points, count, [&](CFloatPoint& p) { return p.AngularToLinear(*a, *b); });
    });
}

int CMapPointList::Scale(double* factor)
{
    return ConvertVertices([&](CFloatPoint* points, int count) {
        return ConvertPoints(points, count, [&](CFloatPoint& p) { return p.Scale(*factor); });
    });
}

BOOL CMapPointList::IsInsidePolygon(const CFloatPoint* ring, int count)
{
    if (CMapObject::IsInsidePolygon(ring, count))
        return TRUE;
    const int attached = IsGeometryLoaded() ? 0 : AttachGeometry();
    BOOL inside = TRUE;
    for (int i = 0; i < m_nCount && inside; ++i)
        inside = PointInPolygon(count, ring, m_pPoints[i]);
    if (attached)
        DetachGeometry();
    return inside;
}

// ---------------------------------------------------------------- helpers of the kinds
CFloatPoint CMapPointList::DeviceToMap(int x, int y, double originX, double originY, double zoom) const
{
    return CFloatPoint(x * zoom + originX, (GetViewHeight() - y) * zoom + originY);
}

double CMapPointList::MapTolerance(double zoom) const
{
    return (GetStyle()->GetPenWidth() * 0.5 + g_SnapPoints) * zoom;
}

bool CMapPointList::MeasuresOnSphere(OGRSpatialReference* srs) const
{
    if (!srs) {
        CMapModel* map = GetMap();
        srs = map ? map->GetSpatialReference() : nullptr;
    }
    return srs && srs->IsGeographic();
}

double CMapPointList::ChainLength(bool spherical) const
{
    constexpr double kDegreesToRadians = 0.017453292519943295;
    const auto edge = [&](const CFloatPoint& p, const CFloatPoint& q) {
        if (!spherical)
            return MapDistance(CDoublePoint(p.x, p.y), CDoublePoint(q.x, q.y), nullptr);
        // Clamped inside: two equal vertices measure 0, not NaN.
        return SphericalDistance(p.x * kDegreesToRadians, p.y * kDegreesToRadians, q.x * kDegreesToRadians,
                                 q.y * kDegreesToRadians);
    };
    double sum = 0.0;
    for (int i = 1; i < m_nCount; ++i)
        sum += edge(m_pPoints[i - 1], m_pPoints[i]);
    if (IsClosedRing() && m_nCount > 1)
        sum += edge(m_pPoints[m_nCount - 1], m_pPoints[0]);
    return sum;
}

BOOL CMapPointList::PointAtDistance(double d, double* x, double* y) const
{
    if (!m_pPoints || m_nCount == 0)
        return FALSE;
    const int edges = IsClosedRing() ? m_nCount : m_nCount - 1;
    for (int i = 0; i < edges; ++i) {
        const CFloatPoint& a = m_pPoints[i];
        const CFloatPoint& b = m_pPoints[(i + 1) % m_nCount];
        const double length = FloatPointDistance(a, b);
        if (d >= length) {
            d -= length;
            continue;
        }
        return PointAlongSegment(a, b, d, *x, *y) ? TRUE : FALSE;
    }
    return FALSE;
}

int CMapPointList::FindEdgeNear(const CFloatPoint& p, double tolerance) const
{
    const CClipVertex point(p);
    if (IsClosedRing() && m_nCount >= 1
        && IsPointNearSegment(point, CClipVertex(m_pPoints[m_nCount - 1]), CClipVertex(m_pPoints[0]), tolerance))
        return m_nCount;
    for (int i = 0; i + 1 < m_nCount; ++i) {
        if (IsPointNearSegment(point, CClipVertex(m_pPoints[i]), CClipVertex(m_pPoints[i + 1]), tolerance))
            return i + 1;
    }
    return -1;
}

int CMapPointList::InsertVertexNearEdge(int x, int y, double originX, double originY, double zoom, int minimum)
{
    const CFloatPoint p = DeviceToMap(x, y, originX, originY, zoom);
    const double tolerance = MapTolerance(zoom);
    LoadGeometry();
    if (m_nCount < minimum)
        return 0;
    const int at = FindEdgeNear(p, tolerance);
    if (at < 0)
        return 0;
    if (at == m_nCount) {
        AddPoint(p);
    } else {
        const double xy[2] = {p.x, p.y};
        InsertPointAt(at, xy);
    }
    InvalidateDevicePoints();
    return 1;
}

void CMapPointList::DrawCachedPoints(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CMapObject::Draw(pDC, client, originX, originY, zoom);
    CStyleDrawScope selection(pDC, UsesLayerStyle() ? nullptr : GetStyle(), IsClosedRing());
    BuildDevicePoints(pDC, client, originX, originY, zoom);
    m_Cache.DrawAll(pDC, IsClosedRing());
}

double CMapPointList::MeasureVertices(const std::function<double()>& measure)
{
    const int attached = AttachGeometry();
    const double value = measure();
    if (attached)
        DetachGeometry();
    return value;
}
