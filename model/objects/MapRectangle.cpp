// Rectangles, rounded rectangles and ellipses: distances to the outline,
// drawing cut to the client area at far zooms, hit tests in doubles, corner
// snapping and measuring.
#include "model/objects/MapRectangle.h"

#include "core/GeometryTransform.h"
#include "core/MapStyle.h"
#include "core/Measure.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/polygons/MapPolygon.h"
#include "model/geometry/ObjectDrawScope.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <ogr_spatialref.h>

#include <cmath>

namespace {
// The graphics interface's coordinates are 16-bit.
constexpr int kDeviceLimit = 32767;
// Corner ellipse of a rounded rectangle, pixels.
constexpr int kRoundCorner = 10;
constexpr double kQuarterPi = 0.785398163397448279;

RECT Widened(const RECT& r, int dx, int dy)
{
    return RECT{r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}

// Distance from a point (relative to the centre) to the ellipse of semi-axes a
// (along x) and b (along y); -1 when the iteration does not converge.
double EllipseDistance(double x, double y, double a, double b)
{
    if (std::fabs(a - b) < 1e-8)
        return std::fabs(std::sqrt(x * x + y * y) - a);
    x = std::fabs(x);
    y = std::fabs(y);
    if (x < 1e-8)
        x = 0.0;
    if (y < 1e-8)
        y = 0.0;
    if (a < b) {
        std::swap(a, b);
        std::swap(x, y);
    }
    if (x == 0.0)
        return std::fabs(y - b);
    if (y != 0.0) {
        // Newton's method on the parameter t of the nearest point (a·G, b·J).
        double t = b * (y - b);
        for (int step = 0; step < 32; ++step) {
            const double f = 1.0 / (t + a * a);
            const double g = a * x * f;
            const double i = 1.0 / (t + b * b);
            const double j = b * y * i;
            double m = g * g + j * j - 1.0;
            if (m < 1e-8)
                return std::sqrt((a * g - x) * (a * g - x) + (b * j - y) * (b * j - y));
            m = m / (2.0 * (i * j * j + f * g * g));
            if (m < 1e-8)
                return std::sqrt((a * g - x) * (a * g - x) + (b * j - y) * (b * j - y));
            t += m;
        }
        return -1.0;
    }
    if (x >= a - b * b / a)
        return std::fabs(x - a);
    const double e = x * a * a / (a * a - b * b);
    const double f = b * std::sqrt(std::fabs(1.0 - (e / a) * (e / a)));
    return std::sqrt((e - x) * (e - x) + f * f);
}
}

CMapRectangle::CMapRectangle(int type)
{
    m_nType = (type >= MAP_OBJECT_RECTANGLE && type <= MAP_OBJECT_ELLIPSE) ? type : MAP_OBJECT_RECTANGLE;
}

void CMapRectangle::SetRect(double left, double bottom, double right, double top)
{
    CDoubleRect rect(left, bottom, right, top);
    rect.Normalize();
    // The index entry moves once, here, and the new boundary is marked for the row.
    m_dwFlags &= ~kIndexStale;
    if (!MoveBoundaryTo(rect))
        return;
    CMapObject::UpdateLayerBounds();
}

BOOL CMapRectangle::IsNearPoint(CFloatPoint* pt, double* tolerance)
{
    const CDoubleRect& b = m_rcBoundary;
    const CFloatPoint tl = b.GetTopLeft(), tr = b.GetTopRight(), bl = b.GetBottomLeft(), br = b.GetBottomRight();
    const CFloatPoint edges[4][2] = {{tl, tr}, {br, tr}, {br, bl}, {bl, tl}};
    for (const auto& edge : edges) {
        if (PointSegmentDistance(*pt, edge[0], edge[1]) <= *tolerance)
            return TRUE;
    }
    return FALSE;
}

void CMapRectangle::GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points)
{
    const CDoubleRect& b = m_rcBoundary;
    if (GetType() != MAP_OBJECT_ELLIPSE) {
        for (CFloatPoint p : {b.GetBottomLeft(), b.GetBottomRight(), b.GetTopRight(), b.GetTopLeft()})
            points.Add(p);
        return;
    }
    const double cx = (b.left + b.right) / 2, cy = (b.bottom + b.top) / 2;
    const double a = b.Width() / 2, h = b.Height() / 2;
    for (int i = 0; i < 360; ++i) {
        const double s = SinDegrees(i), c = CosDegrees(i);
        // The distance from the centre to the ellipse in the direction i is 1/m.
        const double m = std::sqrt(s * s / (h * h) + c * c / (a * a));
        CFloatPoint p(c / m + cx, s / m + cy);
        points.Add(p);
    }
}

double CMapRectangle::GetDistance(CFloatPoint pt)
{
    const CDoubleRect& b = m_rcBoundary;
    if (GetType() != MAP_OBJECT_ELLIPSE) {
        const CFloatPoint ring[4] = {b.GetBottomLeft(), b.GetBottomRight(), b.GetTopRight(), b.GetTopLeft()};
        return PointPolylineDistance(pt, ring, 4, TRUE);
    }
    return EllipseDistance(pt.x - (b.left + b.right) / 2, pt.y - (b.bottom + b.top) / 2, b.Width() / 2,
                           b.Height() / 2);
}

CDoubleRect CMapRectangle::GetDeviceBoundary(double* originX, double* originY, double* zoom)
{
    const int height = GetViewHeight();
    const CDoublePoint first = MapToDeviceXY(m_rcBoundary.left, m_rcBoundary.bottom, *originX, *originY, *zoom, height);
    const CDoublePoint second = MapToDeviceXY(m_rcBoundary.right, m_rcBoundary.top, *originX, *originY, *zoom, height);
    CDoubleRect d(first.x, first.y, second.x, second.y);
    d.Normalize();
    return d;
}

void CMapRectangle::DrawFigure(CDC* pDC, const RECT& client, double originX, double originY, double zoom,
                               int marginX, int marginY, int ellipseX, int ellipseY)
{
    const CDoubleRect device = GetDeviceBoundary(&originX, &originY, &zoom);
    const bool inRange = !device.ExceedsLimit(kDeviceLimit);
    RECT rect;
    if (inRange) {
        // bottom is the smaller device y: the RECT's top.
        rect = RECT{(LONG)device.left, (LONG)device.bottom, (LONG)device.right, (LONG)device.top};
    } else {
        rect = device.ClipDeviceRect(Widened(client, marginX, marginY));
        if (rect.right <= rect.left || rect.bottom <= rect.top)
            return;
    }
    switch (GetType()) {
    case MAP_OBJECT_ROUNDRECT:
        pDC->RoundRect(rect.left, rect.top, rect.right, rect.bottom, kRoundCorner, kRoundCorner);
        break;
    case MAP_OBJECT_ELLIPSE:
        if (inRange) {
            pDC->Ellipse(&rect);
            m_DevicePoints.Empty();
        } else if (!device.ExceedsFloatRange()) {
            ClipEllipse(Widened(client, ellipseX, ellipseY), device, m_DevicePoints);
            m_DevicePoints.Draw(pDC, TRUE);
        }
        break;
    default:
        pDC->Rectangle(&rect);
        break;
    }
}

void CMapRectangle::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CStyleDrawScope pens(pDC, GetStyle(), true);
    DrawFigure(pDC, VisibleDeviceArea(pDC, client), *originX, *originY, *zoom, 5, 5, 15, 15);
}

void CMapRectangle::DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    const RECT wide = Widened(VisibleDeviceArea(pDC, client), 4, 4);
    if (IsLayerEditable()) {
        DrawHandles(pDC, &wide, originX, originY, zoom);
        return;
    }
    CMapStyle* selection = GetMapStyle();
    if (!selection)
        return;
    CStyleDrawScope pens(pDC, selection, true);
    DrawFigure(pDC, wide, *originX, *originY, *zoom, 3, 3, 5, 5);
}

void CMapRectangle::DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CTrackingPenScope band(pDC);
    DrawFigure(pDC, VisibleDeviceArea(pDC, client), *originX, *originY, *zoom, 505, 405, 505, 405);
}

BOOL CMapRectangle::HitTest(int x, int y, double* originX, double* originY, double* zoom)
{
    const CDoubleRect d = GetDeviceBoundary(originX, originY, zoom);
    const double width = d.Width(), height = d.Height();
    if (width == 0.0 || height == 0.0)
        return FALSE;
    if (GetType() != MAP_OBJECT_ELLIPSE)
        return d.ContainsPoint(CDoublePoint(x, y));
    // The ellipse equation in doubles at every zoom: no device outline from an
    // earlier draw, of this object or any other, takes part.
    const double cx = (d.left + d.right) * 0.5;
    const double cy = (d.bottom + d.top) * 0.5;
    const double dx = x - cx, dy = y - cy;
    return 4.0 * dx * dx / (width * width) + 4.0 * dy * dy / (height * height) <= 1.0;
}

BOOL CMapRectangle::HitTestDeviceRect(int x, int y, double* originX, double* originY, double* zoom,
                                      CFloatPoint* corner, int margin)
{
    CDoubleRect d = GetDeviceBoundary(originX, originY, zoom);
    d.Inflate(margin);
    if (!d.ContainsXY(x, y))
        return FALSE;
    if (GetType() == MAP_OBJECT_ELLIPSE)
        return FALSE;
    // Device corners as ToDeviceRect gives them: `top` is the device y of the
    // map bottom. Differences in doubles: far corners do not overflow.
    const int height = GetViewHeight();
    const CDoubleRect& b = m_rcBoundary;
    const CDoublePoint first = MapToDeviceXY(b.left, b.bottom, *originX, *originY, *zoom, height);
    const CDoublePoint second = MapToDeviceXY(b.right, b.top, *originX, *originY, *zoom, height);
    const auto near = [margin](double a, double v) { return std::fabs(a - v) <= margin; };
    CFloatPoint snapped;
    if (near(x, first.x) && near(y, first.y))
        snapped = b.GetBottomLeft();
    else if (near(x, second.x) && near(y, first.y))
        snapped = b.GetBottomRight();
    else if (near(x, second.x) && near(y, second.y))
        snapped = b.GetTopRight();
    else if (near(x, first.x) && near(y, second.y))
        snapped = b.GetTopLeft();
    else
        return FALSE;
    if (corner)
        *corner = snapped;
    return TRUE;
}

CMapObject* CMapRectangle::Clone(CMapLayer* target)
{
    CMapRectangle* clone = new CMapRectangle(m_nType);
    CopyInto(clone, *GetStyle());
    return PlaceClone(clone, target);
}

void CMapRectangle::MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom)
{
    ChangeTracked(pDC, originX, originY, zoom,
                  [&] { CMapObject::MoveHandle(pDC, handle, x, y, originX, originY, zoom); });
}

int CMapRectangle::BoundaryChanged(const CDoubleRect& converted)
{
    CDoubleRect rect = converted;
    rect.Normalize();
    if (!std::isfinite(rect.left) || !std::isfinite(rect.right) || !std::isfinite(rect.bottom)
        || !std::isfinite(rect.top))
        return 0;
    m_dwFlags |= kIndexStale | kGeometryModified;
    SetBoundary(rect);
    CMapObject::UpdateLayerBounds();
    return 1;
}

int CMapRectangle::Transform(OGRCoordinateTransformation* ct)
{
    // An ellipse moves by the ends of its axes, which keeps its size where the
    // corners of its box would widen it.
    CDoubleRect rect = m_rcBoundary;
    const int done = GetType() == MAP_OBJECT_ELLIPSE ? TransformEllipseBox(ct, rect) : rect.Transform(ct);
    return done ? BoundaryChanged(rect) : 0;
}

int CMapRectangle::LinearToAngular(double* a, double* b, int)
{
    CDoubleRect rect = m_rcBoundary;
    return rect.LinearToAngular(*a, *b) ? BoundaryChanged(rect) : 0;
}

int CMapRectangle::AngularToLinear(double* a, double* b)
{
    CDoubleRect rect = m_rcBoundary;
    return rect.AngularToLinear(*a, *b) ? BoundaryChanged(rect) : 0;
}

int CMapRectangle::Scale(double* factor)
{
    CDoubleRect rect = m_rcBoundary;
    return rect.Scale(*factor) ? BoundaryChanged(rect) : 0;
}

std::unique_ptr<CMapPolygon> CMapRectangle::MakeOutlinePolygon() const
{
    auto polygon = std::make_unique<CMapPolygon>();
    if (GetType() == MAP_OBJECT_ELLIPSE)
        polygon->MakeEllipse(&m_rcBoundary);
    else
        polygon->MakeRectangle(&m_rcBoundary);
    return polygon;
}

CMapObject* CMapRectangle::CreateMeasuringCopy()
{
    return MakeOutlinePolygon().release();
}

double CMapRectangle::GetLength(OGRSpatialReference* srs)
{
    srs = MeasureReference(srs);
    // The perimeter of the outline polygon, on the sphere for a geographic map.
    return MakeOutlinePolygon()->GetLength(srs);
}

double CMapRectangle::GetArea(OGRSpatialReference* srs)
{
    srs = MeasureReference(srs);
    if (srs && srs->IsGeographic())
        return MakeOutlinePolygon()->GetArea(srs);
    // Planar: the figure itself; the rounded corners are not deducted.
    const CDoubleRect& b = m_rcBoundary;
    const double area = std::fabs(b.Width() * b.Height());
    return GetType() == MAP_OBJECT_ELLIPSE ? std::fabs(area * kQuarterPi) : area;
}

BOOL CMapRectangle::IsSameBoundary(CMapObject* other)
{
    return m_rcBoundary == other->GetBoundary();
}

BOOL CMapRectangle::DiffersBoundary(CMapObject* other)
{
    return m_rcBoundary != other->GetBoundary();
}
