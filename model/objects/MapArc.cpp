// Arcs, chords and pies: the 56-byte geometry, the whole-degree approximation
// used for hit tests, outlines and measures, and drawing that stays defined
// at any zoom (primitives for small device figures, clipped curves beyond).
#include "model/objects/MapArc.h"

#include "core/DeviceClip.h"
#include "core/GeometryTransform.h"
#include "core/Measure.h"
#include "core/SQLiteStatement.h"
#include "core/Settings.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/geometry/StoredGeometry.h"
#include "model/geometry/ObjectDrawScope.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kRadiansToDegrees = 57.29577951308232;
constexpr double kTwoPi = 6.283185307179586;

// Whole degrees of an angle in radians, truncated towards zero; an angle that
// is not finite (an ellipse or point that is not) counts as 0.
int WholeDegrees(double radians)
{
    const double degrees = radians * kRadiansToDegrees;
    return std::isfinite(degrees) ? (int)degrees : 0;
}

enum class Figure { Arc, Chord, Pie, Ellipse };

Figure FigureOfType(int type)
{
    switch (type) {
    case MAP_OBJECT_CHORD: return Figure::Chord;
    case MAP_OBJECT_PIE: return Figure::Pie;
    default: return Figure::Arc;
    }
}

bool WithinPrimitiveLimit(double v)
{
    return std::fabs(v) <= kDevicePrimitiveLimit;
}
}

// ---------------------------------------------------------------- record
CArcGeometry::Record CArcGeometry::ToRecord() const
{
    Record r{};
    MapRecord::PutFloat(r.data() + kStartOffset, start.x);
    MapRecord::PutFloat(r.data() + kStartOffset + 4, start.y);
    MapRecord::PutFloat(r.data() + kEndOffset, end.x);
    MapRecord::PutFloat(r.data() + kEndOffset + 4, end.y);
    ellipse.WriteRecord(r.data() + kEllipseOffset);
    return r;
}

BOOL CArcGeometry::ReadRecord(const void* data, int size)
{
    if (!data || size < kRecordSize)
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(data);
    start = CFloatPoint(MapRecord::GetFloat(p + kStartOffset), MapRecord::GetFloat(p + kStartOffset + 4));
    end = CFloatPoint(MapRecord::GetFloat(p + kEndOffset), MapRecord::GetFloat(p + kEndOffset + 4));
    return ellipse.ReadRecord(p + kEllipseOffset, CDoubleRect::kRecordSize);
}

// ---------------------------------------------------------------- geometry
CMapArc::CMapArc(int type)
{
    m_nType = type;
}

void CMapArc::SetGeometry(const CArcGeometry& geometry)
{
    m_Start = geometry.start;
    m_End = geometry.end;
    m_Ellipse = geometry.ellipse;
    SetBoundary(m_Ellipse);
}

void CMapArc::GetGeometry(CArcGeometry& geometry) const
{
    geometry.start = m_Start;
    geometry.end = m_End;
    geometry.ellipse = m_Ellipse;
}

void CMapArc::SetEllipseRect(CDoubleRect rect)
{
    m_Ellipse = rect;
    SetBoundary(m_Ellipse);
}

double CMapArc::ParametricAngle(CFloatPoint pt) const
{
    const double cx = (m_Ellipse.left + m_Ellipse.right) / 2, cy = (m_Ellipse.top + m_Ellipse.bottom) / 2;
    const double a = (m_Ellipse.right - m_Ellipse.left) / 2, b = (m_Ellipse.top - m_Ellipse.bottom) / 2;
    return std::atan2((pt.y - cy) * a, (pt.x - cx) * b);
}

CFloatPoint CMapArc::EllipsePoint(CFloatPoint pt) const
{
    const double cx = (m_Ellipse.left + m_Ellipse.right) / 2, cy = (m_Ellipse.top + m_Ellipse.bottom) / 2;
    const double a = (m_Ellipse.right - m_Ellipse.left) / 2, b = (m_Ellipse.top - m_Ellipse.bottom) / 2;
    const double dx = pt.x - cx, dy = pt.y - cy;
    const double d = b * b * dx * dx + a * a * dy * dy;
    if (d > 0.0 && std::isfinite(d)) {
        const double t = a * b / std::sqrt(d);
        return CFloatPoint(cx + dx * t, cy + dy * t);
    }
    // The centre has no direction: it stands for angle 0, as its parametric
    // angle atan2(0, 0) does.
    if (dx == 0.0 && dy == 0.0)
        return CFloatPoint(cx + a, cy);
    return CFloatPoint(cx, cy);
}

std::vector<CFloatPoint> CMapArc::ArcPoints()
{
    std::vector<CFloatPoint> points;
    const double a = m_Ellipse.Width() * 0.5, b = m_Ellipse.Height() * 0.5;
    const CFloatPoint c = m_Ellipse.GetCentre();
    const int s = WholeDegrees(ParametricAngle(m_Start));
    int e = WholeDegrees(ParametricAngle(m_End));
    if (s >= e)
        e += 360;
    points.reserve(e - s + 2);
    for (int i = s; i <= e; ++i)
        points.emplace_back(CosDegrees(i) * a + c.x, SinDegrees(i) * b + c.y);
    if (m_nType == MAP_OBJECT_PIE)
        points.push_back(c);
    return points;
}

void CMapArc::GetArcPoints(CArray<CFloatPoint, CFloatPoint&>& points, BOOL clear)
{
    if (clear)
        points.RemoveAll();
    for (CFloatPoint& p : ArcPoints())
        points.Add(p);
}

// ---------------------------------------------------------------- tests on the approximation
BOOL CMapArc::IsNearPoint(CFloatPoint* pt, double* tolerance)
{
    const std::vector<CFloatPoint> v = ArcPoints();
    return PointPolylineDistance(*pt, v.data(), (int)v.size(), IsClosedFigure()) <= *tolerance;
}

void CMapArc::GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points)
{
    GetArcPoints(points, FALSE);
    if (IsClosedFigure() && points.GetSize() > 0) {
        CFloatPoint first = points[0];
        points.Add(first);
    }
}

BOOL CMapArc::IsWithinDeviceCircle(CPoint centre, double radius)
{
    CMapModel* map = GetMap();
    if (!map)
        return FALSE;
    const double zoom = map->GetZoom();
    const CDoublePoint p = DeviceToMap(centre.x, centre.y, map->GetXOffset(), map->GetYOffset(), zoom);
    CFloatPoint c(p.x, p.y);
    double r = radius * zoom;
    return IsWithinCircle(&c, &r);
}

BOOL CMapArc::IsWithinCircle(CFloatPoint* centre, double* radius)
{
    const double limit = *radius * *radius;
    for (const CFloatPoint& v : ArcPoints()) {
        const double dx = (double)v.x - centre->x, dy = (double)v.y - centre->y;
        if (dx * dx + dy * dy > limit)
            return FALSE;
    }
    return TRUE;
}

BOOL CMapArc::IsInsidePolygon(const CFloatPoint* ring, int count)
{
    for (const CFloatPoint& v : ArcPoints()) {
        if (!PointInPolygon(count, ring, v))
            return FALSE;
    }
    return TRUE;
}

BOOL CMapArc::HitTest(int x, int y, double* originX, double* originY, double* zoom)
{
    const CDoublePoint m = DeviceToMap(x, y, *originX, *originY, *zoom);
    const CFloatPoint p(m.x, m.y);
    const std::vector<CFloatPoint> v = ArcPoints();
    switch (m_nType) {
    case MAP_OBJECT_ARC: {
        const double tolerance = (GetStyle()->GetPenWidth() * 0.5 + g_SnapPoints) * *zoom;
        return PointNearPolyline((int)v.size(), v.data(), p, tolerance * tolerance);
    }
    case MAP_OBJECT_CHORD:
    case MAP_OBJECT_PIE:
        return PointInPolygon((int)v.size(), v.data(), p);
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------- drawing
namespace {
// A point in the direction `dx`, `dy` (device pixels, y down) from the centre,
// at `reach` from it: a primitive needs only the direction of its end points,
// and the point stays in its coordinate range however far the map point lies.
POINT DirectionPoint(double cx, double cy, double dx, double dy, double reach)
{
    const double length = std::hypot(dx, dy);
    if (!(length > 0.0) || !std::isfinite(length))
        return POINT{(LONG)std::lround(cx + reach), (LONG)std::lround(cy)};
    return POINT{(LONG)std::lround(cx + dx / length * reach), (LONG)std::lround(cy + dy / length * reach)};
}

void DrawDeviceFigure(CDC* pDC, Figure figure, const CDoublePoint& corner1, const CDoublePoint& corner2,
                      double startAngle, double sweep, const CDoublePoint& startDir, const CDoublePoint& endDir,
                      const DeviceClipRect& clip)
{
    const double l = std::fmin(corner1.x, corner2.x), r = std::fmax(corner1.x, corner2.x);
    const double t = std::fmin(corner1.y, corner2.y), b = std::fmax(corner1.y, corner2.y);
    if (!std::isfinite(l) || !std::isfinite(r) || !std::isfinite(t) || !std::isfinite(b))
        return;
    if (!clip.MeetsBox(l, t, r, b))
        return;
    const double cx = (l + r) / 2, cy = (t + b) / 2;
    if (WithinPrimitiveLimit(l) && WithinPrimitiveLimit(r) && WithinPrimitiveLimit(t) &&
        WithinPrimitiveLimit(b)) {
        const RECT box{(LONG)l, (LONG)t, (LONG)r, (LONG)b};
        const double reach = (r - l) + (b - t) + 2;
        const POINT s = DirectionPoint(cx, cy, startDir.x, startDir.y, reach);
        const POINT e = DirectionPoint(cx, cy, endDir.x, endDir.y, reach);
        switch (figure) {
        case Figure::Arc: pDC->Arc(&box, s, e); break;
        case Figure::Chord: pDC->Chord(&box, s, e); break;
        case Figure::Pie: pDC->Pie(&box, s, e); break;
        case Figure::Ellipse: pDC->Ellipse(&box); break;
        }
        return;
    }
    std::vector<CDoublePoint> curve;
    SampleVisibleEllipseArc(cx, cy, (r - l) / 2, (b - t) / 2, startAngle, sweep, clip, curve);
    if (figure == Figure::Arc) {
        std::vector<std::vector<POINT>> runs;
        ClipDevicePolyline(curve, clip, runs);
        for (const std::vector<POINT>& run : runs)
            pDC->Polyline(run.data(), (int)run.size());
        return;
    }
    if (figure == Figure::Pie)
        curve.emplace_back(cx, cy);
    const std::vector<POINT> ring = ClipDeviceRing(curve, clip);
    if (!ring.empty())
        pDC->Polygon(ring.data(), (int)ring.size());
}
}

void CMapArc::DrawFigure(CDC* pDC, const RECT* client, double originX, double originY, double zoom)
{
    const int height = GetViewHeight();
    const CDoublePoint bottomLeft = MapToDeviceXY(m_Ellipse.left, m_Ellipse.bottom, originX, originY, zoom, height);
    const CDoublePoint topRight = MapToDeviceXY(m_Ellipse.right, m_Ellipse.top, originX, originY, zoom, height);
    // Directions from the centre in device pixels (y down), from the map
    // points themselves: their device positions may lie beyond any range.
    const CFloatPoint c = m_Ellipse.GetCentre();
    const CDoublePoint startDir(((double)m_Start.x - c.x) / zoom, -((double)m_Start.y - c.y) / zoom);
    const CDoublePoint endDir(((double)m_End.x - c.x) / zoom, -((double)m_End.y - c.y) / zoom);

    const double from = ParametricAngle(m_Start);
    double sweep = ParametricAngle(m_End) - from;
    if (!(sweep > 0.0))
        sweep += kTwoPi;
    const Figure figure = FigureOfType(m_nType);
    const int margin = 4 + (int)std::clamp(GetStyle()->GetPenWidth(), 0.0f, 256.0f);
    const DeviceClipRect clip = DeviceClipRect::Around(VisibleDeviceArea(pDC, client), margin);
    DrawDeviceFigure(pDC, figure, bottomLeft, topRight, from, sweep, startDir, endDir, clip);
}

void CMapArc::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CStyleDrawScope scope(pDC, UsesLayerStyle() ? nullptr : GetStyle(), true);
    DrawFigure(pDC, client, *originX, *originY, *zoom);
}

void CMapArc::DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    RECT widened = VisibleDeviceArea(pDC, client);
    InflateRect(&widened, 4, 4);
    if (IsLayerEditable()) {
        {
            CRopPenScope pen(pDC, PS_DASHDOT, RGB(0, 255, 64), R2_NOTXORPEN);
            const int height = GetViewHeight();
            const CDoublePoint bl = MapToDeviceXY(m_Ellipse.left, m_Ellipse.bottom, *originX, *originY, *zoom, height);
            const CDoublePoint tr = MapToDeviceXY(m_Ellipse.right, m_Ellipse.top, *originX, *originY, *zoom, height);
            const DeviceClipRect clip = DeviceClipRect::Around(widened, 4);
            DrawDeviceFigure(pDC, Figure::Ellipse, bl, tr, 0.0, kTwoPi, CDoublePoint(), CDoublePoint(), clip);
        }
        DrawHandles(pDC, &widened, originX, originY, zoom);
        return;
    }
    CStyleDrawScope scope(pDC, GetMapStyle(), true);
    DrawFigure(pDC, client, *originX, *originY, *zoom);
}

void CMapArc::DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CTrackingPenScope scope(pDC);
    DrawFigure(pDC, client, *originX, *originY, *zoom);
}

// ---------------------------------------------------------------- handles and moves
int CMapArc::GetHandleCount()
{
    return 6;
}

CFloatPoint CMapArc::GetHandlePoint(int index)
{
    switch (index % 6) {
    case 0: return m_Ellipse.GetBottomLeft();
    case 1: return m_Ellipse.GetBottomRight();
    case 2: return m_Ellipse.GetTopRight();
    case 3: return m_Ellipse.GetTopLeft();
    case 4: return EllipsePoint(m_Start);
    default: return EllipsePoint(m_End);
    }
}

int CMapArc::HitTestHandle(int x, int y, double* originX, double* originY, double* zoom)
{
    const int handle = CMapObject::HitTestHandle(x, y, originX, originY, zoom);
    if (handle != -1)
        return handle;
    const int height = GetViewHeight();
    for (int i = 4; i <= 5; ++i) {
        const CPoint p = GetHandlePoint(i).ToDevice(*originX, *originY, *zoom, height);
        if (std::abs((long long)x - p.x) <= 3 && std::abs((long long)y - p.y) <= 3)
            return i;
    }
    return -1;
}

void CMapArc::MoveBy(int dx, int dy, double* zoom)
{
    const CDoublePoint m = MoveOffset(dx, dy, *zoom);
    m_Start = CFloatPoint(m_Start.x + m.x, m_Start.y + m.y);
    m_End = CFloatPoint(m_End.x + m.x, m_End.y + m.y);
    m_Ellipse.Offset(m.x, m.y);
    CommitGeometryMove(m_Ellipse);
}

void CMapArc::MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom)
{
    ChangeTracked(pDC, originX, originY, zoom, [&] {
        if (handle >= 0 && handle <= 3) {
            CMapObject::MoveHandle(pDC, 2 * handle, x, y, originX, originY, zoom);
            // A corner dragged past the opposite edge turns the ellipse inside
            // out: it is kept normalised (as it is drawn), and the drag goes on
            // with the corner that the dragged one has become.
            CDoubleRect ellipse = m_rcBoundary;
            const bool flipX = ellipse.left > ellipse.right, flipY = ellipse.bottom > ellipse.top;
            if (flipX || flipY) {
                ellipse.Normalize();
                int corner = handle;
                if (flipX)
                    corner ^= 1;   // bottom-left and bottom-right, top-right and top-left
                if (flipY)
                    corner = 3 - corner;   // bottom-left and top-left, bottom-right and top-right
                SetActiveHandle(corner);
            }
            if (ellipse != m_Ellipse || m_rcBoundary != ellipse) {
                m_Ellipse = ellipse;
                CommitGeometryMove(m_Ellipse);
            }
        } else if (handle == 4 || handle == 5) {
            const CDoublePoint m = DeviceToMap(x, y, *originX, *originY, *zoom);
            if (handle == 4)
                SetFirstEndPoint(CFloatPoint(m.x, m.y));
            else
                SetSecondEndPoint(CFloatPoint(m.x, m.y));
            m_dwFlags |= kGeometryModified;
            SaveChanges();
        }
    });
}

int CMapArc::Transform(OGRCoordinateTransformation* ct)
{
    CDoubleRect ellipse = m_Ellipse;
    CFloatPoint ends[2] = {m_Start, m_End};
    if (!TransformEllipseBox(ct, ellipse) || !TransformPoints(ct, ends, 2))
        return 0;
    TakeConverted(ellipse, ends);
    return 1;
}

void CMapArc::TakeConverted(const CDoubleRect& ellipse, const CFloatPoint (&ends)[2])
{
    m_Start = ends[0];
    m_End = ends[1];
    m_dwFlags |= kIndexStale | kGeometryModified;
    SetEllipseRect(ellipse);
    UpdateLayerBounds();
}

int CMapArc::ConvertGeometry(const std::function<int(CFloatPoint&)>& convertPoint,
                             const std::function<int(CDoubleRect&)>& convertRect)
{
    CDoubleRect ellipse = m_Ellipse;
    CFloatPoint ends[2] = {m_Start, m_End};
    if (!convertRect(ellipse) || !std::isfinite(ellipse.left) || !std::isfinite(ellipse.right)
        || !std::isfinite(ellipse.bottom) || !std::isfinite(ellipse.top) || !ConvertPoints(ends, 2, convertPoint))
        return 0;
    ellipse.Normalize();
    TakeConverted(ellipse, ends);
    return 1;
}

int CMapArc::LinearToAngular(double* a, double* b, int)
{
    return ConvertGeometry([&](CFloatPoint& p) { return p.LinearToAngular(*a, *b); },
                           [&](CDoubleRect& r) { return r.LinearToAngular(*a, *b); });
}

int CMapArc::AngularToLinear(double* a, double* b)
{
    return ConvertGeometry([&](CFloatPoint& p) { return p.AngularToLinear(*a, *b); },
                           [&](CDoubleRect& r) { return r.AngularToLinear(*a, *b); });
}

int CMapArc::Scale(double* factor)
{
    return ConvertGeometry([&](CFloatPoint& p) { return p.Scale(*factor); },
                           [&](CDoubleRect& r) { return r.Scale(*factor); });
}

CMapObject* CMapArc::Clone(CMapLayer* target)
{
    CMapArc* clone = new CMapArc(m_nType);
    CopyInto(clone, *GetStyle());
    clone->m_Start = m_Start;
    clone->m_End = m_End;
    clone->m_Ellipse = m_Ellipse;
    clone->m_rcBoundary = m_Ellipse;
    return PlaceClone(clone, target);
}

// ---------------------------------------------------------------- row
void CMapArc::BindGeometryColumn(CSQLiteStatement& stmt, int index) const
{
    CArcGeometry geometry;
    GetGeometry(geometry);
    const CArcGeometry::Record record = geometry.ToRecord();
    stmt.BindBlob(index, record.data(), CArcGeometry::kRecordSize, SQLITE_TRANSIENT);
}

void CMapArc::SaveChanges()
{
    SaveGeometryColumn([this](CSQLiteStatement& stmt) { BindGeometryColumn(stmt, 0); });
    CMapObject::SaveChanges();
}

void CMapArc::LoadFromRow(CSQLiteStatement* stmt)
{
    CArcGeometry geometry;
    const void* data = stmt->ColumnBlob(5);
    const int size = data ? stmt->ColumnBytes(5) : 0;
    // A record its kind cannot hold leaves the figure as it was.
    if (!FindStoredGeometryFault(m_nType, data, size) && geometry.ReadRecord(data, size))
        SetGeometry(geometry);
    CMapObject::LoadFromRow(stmt);
}

// ---------------------------------------------------------------- measures
double CMapArc::GetLength(OGRSpatialReference* srs)
{
    const std::vector<CFloatPoint> v = ArcPoints();
    return PathLength(v.data(), (int)v.size(), IsClosedFigure(), MeasureReference(srs));
}

double CMapArc::GetArea(OGRSpatialReference* srs)
{
    if (m_nType == MAP_OBJECT_ARC)
        return 0.0;
    const std::vector<CFloatPoint> v = ArcPoints();
    return RingArea(v.data(), (int)v.size(), MeasureReference(srs));
}
