// Splines: control points stored as a run of float pairs, the curve evaluated
// anew for every use, drawing and hit tests bounded by what can be seen.
#include "model/objects/MapSpline.h"

#include "core/GeometryTransform.h"
#include "core/Measure.h"
#include "core/SQLiteStatement.h"
#include "core/Settings.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/geometry/ObjectDrawScope.h"
#include "model/geometry/SplineCurve.h"
#include "model/geometry/StoredGeometry.h"
#include "platform/gdi/CDC.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

CMapSpline::CMapSpline()
{
    m_nType = MAP_OBJECT_SPLINE;
}

void CMapSpline::SetControlPoints(const std::vector<CFloatPoint>& points)
{
    m_Points.RemoveAll();
    for (CFloatPoint p : points)
        m_Points.Add(p);
    RecalcBoundary();
}

std::vector<CDoublePoint> CMapSpline::CurveSamples() const
{
    std::vector<CDoublePoint> control;
    control.reserve((size_t)m_Points.GetSize());
    for (INT_PTR i = 0; i < m_Points.GetSize(); ++i)
        control.emplace_back(m_Points[i].x, m_Points[i].y);
    std::vector<CDoublePoint> curve;
    CSplineCurve(control, CSplineCurve::kMaxMapCurvePoints).Sample(curve, false);
    // Control points near the float range overflow the float evaluation
    // (inf - inf is NaN): such a curve is evaluated in doubles.
    if (std::any_of(curve.begin(), curve.end(),
                    [](const CDoublePoint& p) { return !std::isfinite(p.x) || !std::isfinite(p.y); }))
        CSplineCurveT<double>(control, CSplineCurve::kMaxMapCurvePoints).Sample(curve, false);
    return curve;
}

std::vector<CFloatPoint> CMapSpline::GetCurvePoints() const
{
    const std::vector<CDoublePoint> curve = CurveSamples();
    std::vector<CFloatPoint> points;
    points.reserve(curve.size());
    for (const CDoublePoint& p : curve)
        points.emplace_back(p.x, p.y);
    return points;
}

void CMapSpline::RecalcBoundary()
{
    if (m_Points.IsEmpty())
        return;
    const std::vector<CFloatPoint> curve = GetCurvePoints();
    CDoubleRect box(curve[0].x, curve[0].y, curve[0].x, curve[0].y);
    for (const CFloatPoint& p : curve)
        box.UnionPoint(p);
    SetBoundary(box);
}

void CMapSpline::GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points)
{
    const std::vector<CFloatPoint> curve = GetCurvePoints();
    points.SetSize((INT_PTR)curve.size());
    for (size_t i = 0; i < curve.size(); ++i)
        points[(INT_PTR)i] = curve[i];
}

// ---------------------------------------------------------------- containment
BOOL CMapSpline::IsWithinDeviceCircle(CPoint centre, double radius)
{
    if (m_Points.IsEmpty())
        return TRUE;
    CMapModel* map = GetMap();
    if (!map)
        return FALSE;
    const double zoom = map->GetZoom();
    const CDoublePoint p = DeviceToMap(centre.x, centre.y, map->GetXOffset(), map->GetYOffset(), zoom);
    const double limit = radius * radius * zoom * zoom;
    for (INT_PTR i = 0; i < m_Points.GetSize(); ++i) {
        const double dx = m_Points[i].x - p.x, dy = m_Points[i].y - p.y;
        if (dx * dx + dy * dy > limit)
            return FALSE;
    }
    return TRUE;
}

BOOL CMapSpline::IsWithinCircle(CFloatPoint* centre, double* radius)
{
    if (CMapObject::IsWithinCircle(centre, radius))
        return TRUE;
    const double limit = *radius * *radius;
    for (INT_PTR i = 0; i < m_Points.GetSize(); ++i) {
        const double dx = (double)m_Points[i].x - centre->x, dy = (double)m_Points[i].y - centre->y;
        if (dx * dx + dy * dy > limit)
            return FALSE;
    }
    return TRUE;
}

BOOL CMapSpline::IsInsidePolygon(const CFloatPoint* ring, int count)
{
    for (INT_PTR i = 0; i < m_Points.GetSize(); ++i) {
        if (!PointInPolygon(count, ring, m_Points[i]))
            return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------- device curve
std::vector<CDoublePoint> CMapSpline::DeviceCurve(double originX, double originY, double zoom,
                                                  const DeviceClipRect& clip) const
{
    const int height = GetViewHeight();
    std::vector<CDoublePoint> control;
    bool small = true;
    for (INT_PTR i = 0; i < m_Points.GetSize(); ++i) {
        const CDoublePoint d = MapToDeviceXY(m_Points[i].x, m_Points[i].y, originX, originY, zoom, height);
        if (!std::isfinite(d.x) || !std::isfinite(d.y))
            return {};
        small = small && std::fabs(d.x) <= kDevicePrimitiveLimit && std::fabs(d.y) <= kDevicePrimitiveLimit;
        control.push_back(d);
    }
    std::vector<CDoublePoint> curve;
    // Within the device range the curve is sampled as defined, one step per
    // 4 pixels; beyond it that rule would follow the figure's size, so the
    // curve is refined only where it meets the clip.
    if (small)
        CSplineCurve(control).Sample(curve, true);
    else
        CSplineCurveT<double>(control).SampleVisible(clip, curve);
    return curve;
}

void CMapSpline::DrawCurve(CDC* pDC, const RECT* client, double originX, double originY, double zoom)
{
    if (m_Points.GetSize() < 2)
        return;
    const int margin = 4 + (int)std::clamp(GetStyle()->GetPenWidth(), 0.0f, 256.0f);
    const DeviceClipRect clip = DeviceClipRect::Around(VisibleDeviceArea(pDC, client), margin);
    std::vector<std::vector<POINT>> runs;
    ClipDevicePolyline(DeviceCurve(originX, originY, zoom, clip), clip, runs);
    for (const std::vector<POINT>& run : runs)
        pDC->Polyline(run.data(), (int)run.size());
}

void CMapSpline::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    if (m_Points.GetSize() < 2)
        return;
    CStyleDrawScope scope(pDC, UsesLayerStyle() ? nullptr : GetStyle(), false);
    DrawCurve(pDC, client, *originX, *originY, *zoom);
}

void CMapSpline::DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    RECT widened = VisibleDeviceArea(pDC, client);
    InflateRect(&widened, 4, 4);
    if (IsLayerEditable()) {
        DrawHandles(pDC, &widened, originX, originY, zoom);
        return;
    }
    CStyleDrawScope scope(pDC, GetMapStyle(), false);
    DrawCurve(pDC, &widened, *originX, *originY, *zoom);
}

void CMapSpline::DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CTrackingPenScope scope(pDC);
    DrawCurve(pDC, client, *originX, *originY, *zoom);
}

BOOL CMapSpline::HitTest(int x, int y, double* originX, double* originY, double* zoom)
{
    if (m_Points.GetSize() < 2)
        return FALSE;
    const double tolerance = GetStyle()->GetPenWidth() * 0.5 + g_SnapPoints;
    const RECT around{x, y, x, y};
    const int margin = 2 + (int)std::ceil(std::clamp(tolerance, 0.0, 1.0e6));
    const DeviceClipRect clip = DeviceClipRect::Around(around, margin);
    std::vector<std::vector<POINT>> runs;
    ClipDevicePolyline(DeviceCurve(*originX, *originY, *zoom, clip), clip, runs);
    for (const std::vector<POINT>& run : runs) {
        if (DevicePointNearPolyline((int)run.size(), run.data(), POINT{x, y}, tolerance * tolerance))
            return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------- handles and moves
int CMapSpline::GetHandleCount()
{
    return (int)m_Points.GetSize();
}

CFloatPoint CMapSpline::GetHandlePoint(int index)
{
    const int count = (int)m_Points.GetSize();
    if (count == 0)
        return CFloatPoint();
    return m_Points[((index % count) + count) % count];
}

int CMapSpline::HitTestHandle(int x, int y, double* originX, double* originY, double* zoom)
{
    const int height = GetViewHeight();
    for (INT_PTR i = 0; i < m_Points.GetSize(); ++i) {
        const CPoint p = m_Points[i].ToDevice(*originX, *originY, *zoom, height);
        if (std::abs((long long)x - p.x) <= 3 && std::abs((long long)y - p.y) <= 3)
            return (int)i;
    }
    return -1;
}

void CMapSpline::MoveBy(int dx, int dy, double* zoom)
{
    const CDoublePoint m = MoveOffset(dx, dy, *zoom);
    for (INT_PTR i = 0; i < m_Points.GetSize(); ++i)
        m_Points[i] = CFloatPoint(m_Points[i].x + m.x, m_Points[i].y + m.y);
    CDoubleRect moved = m_rcBoundary;
    moved.Offset(m.x, m.y);
    CommitGeometryMove(moved);
}

void CMapSpline::MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom)
{
    ChangeTracked(pDC, originX, originY, zoom, [&] {
        if (handle < 0 || handle >= m_Points.GetSize())
            return;
        const CDoublePoint m = DeviceToMap(x, y, *originX, *originY, *zoom);
        const CFloatPoint moved(m.x, m.y);
        if (m_Points[handle].x == moved.x && m_Points[handle].y == moved.y)
            return;
        m_Points[handle] = moved;
        m_dwFlags |= kIndexStale;
        RecalcBoundary();
        m_dwFlags |= kGeometryModified;
        SaveChanges();
    });
}

int CMapSpline::Transform(OGRCoordinateTransformation* ct)
{
    std::vector<CFloatPoint> points(m_Points.GetData(), m_Points.GetData() + m_Points.GetSize());
    if (!TransformPoints(ct, points.data(), (int)points.size()))
        return 0;
    m_dwFlags |= kIndexStale | kGeometryModified;
    SetControlPoints(points);
    UpdateLayerBounds();
    return 1;
}

int CMapSpline::ConvertControlPoints(const std::function<int(CFloatPoint&)>& convert)
{
    std::vector<CFloatPoint> points(m_Points.GetData(), m_Points.GetData() + m_Points.GetSize());
    if (!ConvertPoints(points.data(), (int)points.size(), convert))
        return 0;
    m_dwFlags |= kIndexStale | kGeometryModified;
    SetControlPoints(points);
    UpdateLayerBounds();
    return 1;
}

int CMapSpline::LinearToAngular(double* a, double* b, int)
{
    return ConvertControlPoints([&](CFloatPoint& p) { return p.LinearToAngular(*a, *b); });
}

int CMapSpline::AngularToLinear(double* a, double* b)
{
    return ConvertControlPoints([&](CFloatPoint& p) { return p.AngularToLinear(*a, *b); });
}

int CMapSpline::Scale(double* factor)
{
    return ConvertControlPoints([&](CFloatPoint& p) { return p.Scale(*factor); });
}

CMapObject* CMapSpline::Clone(CMapLayer* target)
{
    CMapSpline* clone = new CMapSpline;
    CopyInto(clone, *GetStyle());
    if (!m_Points.IsEmpty()) {
        clone->m_Points.SetSize(m_Points.GetSize());
        for (INT_PTR i = 0; i < m_Points.GetSize(); ++i)
            clone->m_Points[i] = m_Points[i];
        clone->RecalcBoundary();
    }
    return PlaceClone(clone, target);
}

// ---------------------------------------------------------------- row
std::vector<BYTE> CMapSpline::GeometryRecord() const
{
    std::vector<BYTE> record((size_t)m_Points.GetSize() * kPointSize);
    for (INT_PTR i = 0; i < m_Points.GetSize(); ++i) {
        MapRecord::PutFloat(record.data() + i * kPointSize, m_Points[i].x);
        MapRecord::PutFloat(record.data() + i * kPointSize + 4, m_Points[i].y);
    }
    return record;
}

void CMapSpline::BindGeometryColumn(CSQLiteStatement& stmt, int index) const
{
    const std::vector<BYTE> record = GeometryRecord();
    if (!record.empty())
        stmt.BindBlob(index, record.data(), (int)record.size(), SQLITE_TRANSIENT);
}

void CMapSpline::SaveChanges()
{
    SaveGeometryColumn([this](CSQLiteStatement& stmt) { BindGeometryColumn(stmt, 0); });
    CMapObject::SaveChanges();
}

void CMapSpline::LoadFromRow(CSQLiteStatement* stmt)
{
    CMapObject::LoadFromRow(stmt);
    const BYTE* data = static_cast<const BYTE*>(stmt->ColumnBlob(5));
    const int size = stmt->ColumnBytes(5);
    // A record its kind cannot hold (fewer than two control points among
    // them) keeps the control points as they were.
    if (FindStoredGeometryFault(MAP_OBJECT_SPLINE, data, data ? size : 0))
        return;
    m_Points.SetSize(size / kPointSize);
    for (INT_PTR i = 0; i < m_Points.GetSize(); ++i)
        m_Points[i] = CFloatPoint(MapRecord::GetFloat(data + i * kPointSize),
                                  MapRecord::GetFloat(data + i * kPointSize + 4));
    RecalcBoundary();
}

// ---------------------------------------------------------------- measures
double CMapSpline::GetLength(OGRSpatialReference* srs)
{
    // Measured on the samples as computed: a curve that swings beyond the
    // float range still has a length.
    const std::vector<CDoublePoint> curve = CurveSamples();
    const OGRSpatialReference* reference = MeasureReference(srs);
    double length = 0.0;
    for (size_t i = 1; i < curve.size(); ++i)
        length += MapDistance(curve[i - 1], curve[i], reference);
    return length;
}
