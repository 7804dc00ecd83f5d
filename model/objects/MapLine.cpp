// Lines: the 16-byte end-point record, drawing cut to a window around the
// client area, device hit tests in doubles, and the rubber band of a dragged end.
#include "model/objects/MapLine.h"

#include "core/ClipEdgeList.h"
#include "core/ClipSegments.h"
#include "core/GeometryTransform.h"
#include "core/MapStyle.h"
#include "core/Measure.h"
#include "core/SQLiteStatement.h"
#include "core/Settings.h"
#include "model/polygons/ClipPolygon.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/polygons/MapPointList.h"
#include "model/geometry/ObjectDrawScope.h"
#include "model/geometry/StoredGeometry.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <sqlite3.h>

#include <cmath>
#include <utility>

namespace {
// Beyond this the graphics interface's 16-bit coordinates no longer hold.
constexpr double kDeviceLimit = 32767.0;
// Margins of the drawing window around the client area: a little for drawing,
// generously for rubber bands, so that a small scroll keeps them whole.
constexpr int kDrawMargin = 3;
constexpr int kTrackingMarginX = 500;
constexpr int kTrackingMarginY = 400;

bool WithinDeviceLimit(const CDoublePoint& p)
{
    // NaN fails too.
    return std::fabs(p.x) <= kDeviceLimit && std::fabs(p.y) <= kDeviceLimit;
}

// Distance from P to the segment AB in doubles: device coordinates of far
// zooms need more digits than a float has.
double DeviceSegmentDistance(double px, double py, const CDoublePoint& a, const CDoublePoint& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t = (px - a.x) * dx + (py - a.y) * dy;
    if (t <= 0.0)
        return std::hypot(px - a.x, py - a.y);
    const double length2 = dx * dx + dy * dy;
    if (t >= length2)
        return std::hypot(px - b.x, py - b.y);
    const double f = t / length2;
    return std::hypot(px - (a.x + dx * f), py - (a.y + dy * f));
}

CDoublePoint ToDouble(const CFloatPoint& p)
{
    return CDoublePoint(p.x, p.y);
}
}

CMapLine::CMapLine()
{
    m_nType = MAP_OBJECT_LINE;
}

void CMapLine::SetPoints(const CDoublePoint& start, const CDoublePoint& end)
{
    m_Start = CFloatPoint(start.x, start.y);
    m_End = CFloatPoint(end.x, end.y);
    PointsChanged();
}

int CMapLine::PointsChanged()
{
    m_dwFlags |= kIndexStale | kGeometryModified;
    UpdateLayerBounds();
    return 1;
}

BOOL CMapLine::SetGeometry(const void* record, int size)
{
    if (!record || size < kGeometrySize)
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(record);
    m_Start = CFloatPoint(MapRecord::GetFloat(p + kStartXOffset), MapRecord::GetFloat(p + kStartYOffset));
    m_End = CFloatPoint(MapRecord::GetFloat(p + kEndXOffset), MapRecord::GetFloat(p + kEndYOffset));
    return TRUE;
}

void CMapLine::WriteGeometry(BYTE* record) const
{
    MapRecord::PutFloat(record + kStartXOffset, m_Start.x);
    MapRecord::PutFloat(record + kStartYOffset, m_Start.y);
    MapRecord::PutFloat(record + kEndXOffset, m_End.x);
    MapRecord::PutFloat(record + kEndYOffset, m_End.y);
}

std::unique_ptr<CClipPolygon> CMapLine::CrossRect(const CDoublePoint& s, const CDoublePoint& e,
                                                  const CDoubleRect& window, bool sort)
{
    auto crossings = std::make_unique<CClipPolygon>();
    const auto spans = [](double a, double v, double b) { return (a >= v && v >= b) || (a <= v && v <= b); };
    // A segment running along an edge divides by zero there and finds nothing.
    const auto horizontal = [&](double y) {
        if (!spans(s.y, y, e.y))
            return;
        const double x = (e.x - s.x) / (e.y - s.y) * (y - s.y) + s.x;
        if (window.left <= x && x <= window.right)
            crossings->AddVertex(CClipVertex(x, y));
    };
    const auto vertical = [&](double x) {
        if (!spans(s.x, x, e.x))
            return;
        const double y = (e.y - s.y) / (e.x - s.x) * (x - s.x) + s.y;
        if (window.bottom <= y && y <= window.top)
            crossings->AddVertex(CClipVertex(x, y));
    };
    horizontal(window.bottom);
    vertical(window.right);
    horizontal(window.top);
    vertical(window.left);

    if (sort && crossings->GetPointCount() > 1) {
        CClipEdgeList byDistance;
        for (POSITION pos = crossings->GetHeadPosition(); pos;)
            AddByDistance(byDistance, s, crossings->GetNext(pos));
        crossings = std::make_unique<CClipPolygon>();
        for (POSITION pos = byDistance.GetHeadPosition(); pos;)
            crossings->AddVertex(byDistance.GetNext(pos).vertex);
    }
    return crossings;
}

void CMapLine::AddByDistance(CClipEdgeList& list, const CDoublePoint& from, const CClipVertex& v)
{
    // Equal distances keep the order in which the points were found.
    list.InsertSorted(CClipEdge(MapDistance(from, CDoublePoint(v.x, v.y), nullptr), v));
}

CMapPointList* CMapLine::IntersectRect(const CDoubleRect& window, BOOL sort)
{
    const std::unique_ptr<CClipPolygon> crossings = CrossRect(ToDouble(m_Start), ToDouble(m_End), window, sort);
    CMapPointList* result = new CMapPointList;
    result->CopyFromClipPolygon(crossings.get());
    return result;
}

CMapPointList* CMapLine::IntersectPointList(CMapPointList* object, BOOL sort, BOOL insert)
{
    object->LoadGeometry();
    const CClipVertex start(m_Start), end(m_End);
    CClipEdgeList found;
    for (int i = 1; i < object->GetPointCount(); ++i) {
        const CClipVertex a(object->GetPoint(i - 1)), b(object->GetPoint(i));
        const CClipVertex v = IntersectSegments(a, b, start, end);
        if (IsNoClipVertex(v))
            continue;
        found.AddTail(CClipEdge(0.0, v));
        const bool isVertex = (v.x == a.x && v.y == a.y) || (v.x == b.x && v.y == b.y);
        if (insert && !isVertex) {
            const double xy[2] = {v.x, v.y};
            object->InsertPointAt(i, xy);
            ++i;   // past the new vertex: its segment to b starts on the line
        }
    }
    CMapPointList* result = new CMapPointList;
    if (sort && found.GetCount() > 1) {
        CClipEdgeList byDistance;
        for (POSITION pos = found.GetHeadPosition(); pos;)
            AddByDistance(byDistance, ToDouble(m_Start), found.GetNext(pos).vertex);
        found.RemoveAll();
        found.AddTail(&byDistance);
    }
    for (POSITION pos = found.GetHeadPosition(); pos;) {
        const CClipVertex v = found.GetNext(pos).vertex;
        result->AddDoublePoint(v.x, v.y);
    }
    return result;
}

bool CMapLine::DeviceEnds(const RECT& client, double originX, double originY, double zoom, int marginX,
                          int marginY, POINT& start, POINT& end) const
{
    const int height = client.bottom - client.top;
    const CDoublePoint s = MapToDeviceXY(m_Start.x, m_Start.y, originX, originY, zoom, height);
    const CDoublePoint e = MapToDeviceXY(m_End.x, m_End.y, originX, originY, zoom, height);
    if (WithinDeviceLimit(s) && WithinDeviceLimit(e)) {
        start = POINT{(LONG)s.x, (LONG)s.y};
        end = POINT{(LONG)e.x, (LONG)e.y};
        return true;
    }
    const RECT wide{client.left - marginX, client.top - marginY, client.right + marginX, client.bottom + marginY};
    const CDoubleRect window(wide);
    const std::unique_ptr<CClipPolygon> crossings = CrossRect(s, e, window, false);
    if (crossings->GetPointCount() == 0)
        return false;
    const CClipVertex first = crossings->GetHeadVertex();
    CDoublePoint to;
    if (crossings->GetPointCount() > 1) {
        const CClipVertex last = crossings->GetTailVertex();
        to = CDoublePoint(last.x, last.y);
    } else {
        to = window.ContainsPoint(s) ? s : e;
        // A line that only touches the window: its far end may be anywhere.
        if (!window.ContainsPoint(to))
            return false;
    }
    // Every point used lies in the window, so the conversions are defined.
    start = POINT{(LONG)first.x, (LONG)first.y};
    end = POINT{(LONG)to.x, (LONG)to.y};
    return true;
}

void CMapLine::DrawDeviceLine(CDC* pDC, const RECT& client, double originX, double originY, double zoom,
                              int marginX, int marginY) const
{
    POINT start, end;
    if (!DeviceEnds(client, originX, originY, zoom, marginX, marginY, start, end))
        return;
    pDC->MoveTo(start);
    pDC->LineTo(end);
}

BOOL CMapLine::IsNearPoint(CFloatPoint* pt, double* tolerance)
{
    return PointSegmentDistance(*pt, m_Start, m_End) <= *tolerance;
}

void CMapLine::GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points)
{
    points.Add(m_Start);
    points.Add(m_End);
}

BOOL CMapLine::IsWithinDeviceCircle(CPoint centre, double radius)
{
    CMapModel* map = GetMap();
    if (!map)
        return FALSE;
    const int height = GetViewHeight();
    for (const CFloatPoint& p : {m_Start, m_End}) {
        const CDoublePoint d = MapToDeviceXY(p.x, p.y, map->GetXOffset(), map->GetYOffset(), map->GetZoom(), height);
        if (!(std::hypot(d.x - centre.x, d.y - centre.y) <= radius))
            return FALSE;
    }
    return TRUE;
}

BOOL CMapLine::IsWithinCircle(CFloatPoint* centre, double* radius)
{
    const double limit = *radius * *radius;
    for (const CFloatPoint& p : {m_Start, m_End}) {
        const double dx = (double)p.x - centre->x, dy = (double)p.y - centre->y;
        if (dx * dx + dy * dy > limit)
            return FALSE;
    }
    return TRUE;
}

BOOL CMapLine::GetPointAtDistance(double d, double* x, double* y)
{
    if (d < 0.0)
        return FALSE;
    return PointAlongSegment(m_Start, m_End, d, *x, *y);
}

void CMapLine::ReverseDirection(bool reverse)
{
    if (reverse)
        std::swap(m_Start, m_End);
}

double CMapLine::GetDistance(CFloatPoint pt)
{
    return PointSegmentDistance(pt, m_Start, m_End);
}

void CMapLine::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    // With the layer's pens selected by the layer, the line selects none.
    CStyleDrawScope pens(pDC, UsesLayerStyle() ? nullptr : GetStyle(), false);
    DrawDeviceLine(pDC, VisibleDeviceArea(pDC, client), *originX, *originY, *zoom, kDrawMargin, kDrawMargin);
}

void CMapLine::DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    const RECT visible = VisibleDeviceArea(pDC, client);
    if (IsLayerEditable()) {
        const RECT wide{visible.left - 4, visible.top - 4, visible.right + 4, visible.bottom + 4};
        DrawHandles(pDC, &wide, originX, originY, zoom);
        return;
    }
    CMapStyle* selection = GetMapStyle();
    if (!selection)
        return;
    CPen pen;
    selection->CreatePen(pen);
    CPen* old = pDC->SelectObject(&pen);
    DrawDeviceLine(pDC, visible, *originX, *originY, *zoom, kDrawMargin, kDrawMargin);
    if (old)
        pDC->SelectObject(old);
    else
        pDC->SelectStockObject(NULL_PEN);
    pen.DeleteObject();
}

BOOL CMapLine::HitTest(int x, int y, double* originX, double* originY, double* zoom)
{
    const int height = GetViewHeight();
    const CDoublePoint s = MapToDeviceXY(m_Start.x, m_Start.y, *originX, *originY, *zoom, height);
    const CDoublePoint e = MapToDeviceXY(m_End.x, m_End.y, *originX, *originY, *zoom, height);
    const double d = DeviceSegmentDistance(x, y, s, e);
    return GetStyle()->GetPenWidth() * 0.5 + g_SnapPoints >= d;
}

void CMapLine::UpdateLayerBounds()
{
    CDoubleRect box((double)m_Start.x, (double)m_Start.y, (double)m_End.x, (double)m_End.y);
    box.Normalize();
    if (box == m_rcBoundary)
        return;
    SetBoundary(box);
    CMapObject::UpdateLayerBounds();
}

CMapObject* CMapLine::Clone(CMapLayer* target)
{
    CMapLine* clone = new CMapLine;
    CopyInto(clone, *GetStyle());
    clone->m_Start = m_Start;
    clone->m_End = m_End;
    return PlaceClone(clone, target);
}

CFloatPoint CMapLine::GetHandlePoint(int index)
{
    return (index & 1) ? m_End : m_Start;
}

void CMapLine::MoveBy(int dx, int dy, double* zoom)
{
    const CDoublePoint offset = MoveOffset(dx, dy, *zoom);
    for (CFloatPoint* p : {&m_Start, &m_End})
        *p = CFloatPoint(p->x + offset.x, p->y + offset.y);
    PointsChanged();
    SaveChanges();
}

void CMapLine::MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom)
{
    if (handle != 0 && handle != 1)
        return;
    CTrackingPenScope band(pDC);
    // The same window as DrawTracking, so that the old band erases exactly.
    RECT visible = VisibleDeviceArea(pDC, nullptr);
    const int height = GetViewHeight();
    visible.bottom = visible.top + height;
    DrawDeviceLine(pDC, visible, *originX, *originY, *zoom, kTrackingMarginX, kTrackingMarginY);
    const CDoublePoint moved = DeviceToMap(x, y, *originX, *originY, *zoom);
    (handle == 0 ? m_Start : m_End) = CFloatPoint(moved.x, moved.y);
    PointsChanged();
    DrawDeviceLine(pDC, visible, *originX, *originY, *zoom, kTrackingMarginX, kTrackingMarginY);
}

int CMapLine::Transform(OGRCoordinateTransformation* ct)
{
    CFloatPoint ends[2] = {m_Start, m_End};
    if (!TransformPoints(ct, ends, 2))
        return 0;
    m_Start = ends[0];
    m_End = ends[1];
    return PointsChanged();
}

int CMapLine::LinearToAngular(double* a, double* b, int)
{
    CFloatPoint ends[2] = {m_Start, m_End};
    if (!ConvertPoints(ends, 2, [&](CFloatPoint& p) { return p.LinearToAngular(*a, *b); }))
        return 0;
    m_Start = ends[0];
    m_End = ends[1];
    return PointsChanged();
}

int CMapLine::AngularToLinear(double* a, double* b)
{
    CFloatPoint ends[2] = {m_Start, m_End};
    if (!ConvertPoints(ends, 2, [&](CFloatPoint& p) { return p.AngularToLinear(*a, *b); }))
        return 0;
    m_Start = ends[0];
    m_End = ends[1];
    return PointsChanged();
}

int CMapLine::Scale(double* factor)
{
    CFloatPoint ends[2] = {m_Start, m_End};
    if (!ConvertPoints(ends, 2, [&](CFloatPoint& p) { return p.Scale(*factor); }))
        return 0;
    m_Start = ends[0];
    m_End = ends[1];
    return PointsChanged();
}

BOOL CMapLine::IsInsidePolygon(const CFloatPoint* ring, int count)
{
    return PointInPolygon(count, ring, m_Start) && PointInPolygon(count, ring, m_End);
}

void CMapLine::BindGeometryColumn(CSQLiteStatement& stmt, int index) const
{
    BYTE record[kGeometrySize];
    WriteGeometry(record);
    stmt.BindBlob(index, record, kGeometrySize, SQLITE_TRANSIENT);
}

void CMapLine::SaveChanges()
{
    SaveGeometryColumn([this](CSQLiteStatement& stmt) { BindGeometryColumn(stmt, 0); });
    CMapObject::SaveChanges();
}

void CMapLine::LoadFromRow(CSQLiteStatement* stmt)
{
    // A NULL or short geometry leaves the end points as they were.
    const void* data = stmt->ColumnBlob(5);
    const int size = data ? stmt->ColumnBytes(5) : 0;
    // A record its kind cannot hold leaves the ends as they were.
    if (!FindStoredGeometryFault(MAP_OBJECT_LINE, data, size))
        SetGeometry(data, size);
    CMapObject::LoadFromRow(stmt);
}

double CMapLine::GetLength(OGRSpatialReference* srs)
{
    srs = MeasureReference(srs);
    return MapDistance(ToDouble(m_Start), ToDouble(m_End), srs);
}

void CMapLine::DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CTrackingPenScope band(pDC);
    DrawDeviceLine(pDC, VisibleDeviceArea(pDC, client), *originX, *originY, *zoom, kTrackingMarginX,
                   kTrackingMarginY);
}
