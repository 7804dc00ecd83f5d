// Distances and areas, planar or on the sphere, hit tests against outlines and
// whole-degree trigonometry from a table, so that the quadrant angles are exact.
#include "core/Measure.h"

#include "core/DoubleRect.h"
#include "core/SphereConstants.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr double kRadiansToDegrees = 57.29577951308232;
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
// 6378249^2 * pi / 180: the spherical excess is summed in degrees.
constexpr double kAreaFactor = 710035898834.6094;

// cos(i degrees), i = 0..90, rounded to six decimals.
constexpr float kCosTable[91] = {
    1.0f, 0.999848f, 0.999391f, 0.99863f, 0.997564f, 0.996195f, 0.994522f, 0.992546f, 0.990268f,
    0.987688f, 0.984808f, 0.981627f, 0.978148f, 0.97437f, 0.970296f, 0.965926f, 0.961262f,
    0.956305f, 0.951057f, 0.945519f, 0.939693f, 0.93358f, 0.927184f, 0.920505f, 0.913545f,
    0.906308f, 0.898794f, 0.891007f, 0.882948f, 0.87462f, 0.866025f, 0.857167f, 0.848048f,
    0.838671f, 0.829038f, 0.819152f, 0.809017f, 0.798636f, 0.788011f, 0.777146f, 0.766044f,
    0.75471f, 0.743145f, 0.731354f, 0.71934f, 0.707107f, 0.694658f, 0.681998f, 0.669131f,
    0.656059f, 0.642788f, 0.62932f, 0.615661f, 0.601815f, 0.587785f, 0.573576f, 0.559193f,
    0.544639f, 0.529919f, 0.515038f, 0.5f, 0.48481f, 0.469472f, 0.45399f, 0.438371f, 0.422618f,
    0.406737f, 0.390731f, 0.374607f, 0.358368f, 0.34202f, 0.325568f, 0.309017f, 0.292372f,
    0.275637f, 0.258819f, 0.241922f, 0.224951f, 0.207912f, 0.190809f, 0.173648f, 0.156434f,
    0.139173f, 0.121869f, 0.104528f, 0.087156f, 0.069756f, 0.052336f, 0.034899f, 0.017452f, 0.0f
};

double Length(double dx, double dy)
{
    return std::sqrt(dx * dx + dy * dy);
}

// Squared distance from P to the segment AB on float points; differences are
// narrowed to float before they are squared.
double SegmentDistanceSquared(const CFloatPoint& p, const CFloatPoint& a, const CFloatPoint& b)
{
    const CFloatPoint d = b.Subtract(a);
    const CFloatPoint ap = p.Subtract(a);
    const double t = (double)ap.x * d.x + (double)ap.y * d.y;
    if (t <= 0.0)
        return (double)ap.x * ap.x + (double)ap.y * ap.y;
    const double l = (double)d.x * d.x + (double)d.y * d.y;
    if (t >= l) {
        const CFloatPoint bp = p.Subtract(b);
        return (double)bp.x * bp.x + (double)bp.y * bp.y;
    }
    const double u = t / l;
    const CFloatPoint foot(a.x + d.x * u, a.y + d.y * u);
    const CFloatPoint fp = p.Subtract(foot);
    return (double)fp.x * fp.x + (double)fp.y * fp.y;
}

double DeviceSegmentDistanceSquared(POINT p, POINT a, POINT b)
{
    const double dx = (double)b.x - a.x, dy = (double)b.y - a.y;
    const double px = (double)p.x - a.x, py = (double)p.y - a.y;
    const double t = px * dx + py * dy;
    if (t <= 0.0)
        return px * px + py * py;
    const double l = dx * dx + dy * dy;
    if (t >= l) {
        const double qx = (double)p.x - b.x, qy = (double)p.y - b.y;
        return qx * qx + qy * qy;
    }
    const double u = t / l;
    const double fx = (double)p.x - (a.x + dx * u), fy = (double)p.y - (a.y + dy * u);
    return fx * fx + fy * fy;
}
}

double MapDistance(const CDoublePoint& a, const CDoublePoint& b, const OGRSpatialReference* ref)
{
    if (ref && ref->IsGeographic())
        return SphericalDistance(a.x * kDegreesToRadians, a.y * kDegreesToRadians, b.x * kDegreesToRadians,
                                 b.y * kDegreesToRadians);
    return Length(a.x - b.x, a.y - b.y);
}

double SphericalDistance(double x1, double y1, double x2, double y2)
{
    // Rounding can push the cosine of a tiny angle past 1, where acos gives NaN.
    const double c = std::sin(y1) * std::sin(y2) + std::cos(y1) * std::cos(y2) * std::cos(x1 - x2);
    return kSphereRadius * std::acos(std::clamp(c, -1.0, 1.0));
}

double SphericalRingArea(const CFloatPoint* ring, int count)
{
    if (!ring || count < 3)
        return 0.0;
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        const CFloatPoint& p1 = ring[i];
        const CFloatPoint& p2 = ring[(i + 1) % count];
        const double lam1 = p1.x * kDegreesToRadians, phi1 = p1.y * kDegreesToRadians;
        const double lam2 = p2.x * kDegreesToRadians, phi2 = p2.y * kDegreesToRadians;
        if (lam1 == lam2)
            continue;
        const double h = (1.0 - std::cos(phi2 - phi1)) / 2.0
            + std::cos(phi1) * std::cos(phi2) * (1.0 - std::cos(lam2 - lam1)) / 2.0;
        const double c = h > 1.0 ? kPi : 2.0 * std::asin(std::sqrt(h));
        const double a = kHalfPi - phi2;
        const double b = kHalfPi - phi1;
        const double s = (a + b + c) / 2.0;
        const double excess = std::fabs(4.0
                                        * std::atan(std::sqrt(std::fabs(std::tan(s / 2.0) * std::tan((s - a) / 2.0)
                                                                        * std::tan((s - b) / 2.0)
                                                                        * std::tan((s - c) / 2.0)))))
            * kRadiansToDegrees;
        sum += lam2 >= lam1 ? excess : -excess;
    }
    return std::fabs(sum) * kAreaFactor;
}

double PlanarRingArea(const CFloatPoint* ring, int count)
{
    if (!ring || count <= 0)
        return 0.0;
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        const CFloatPoint& p1 = ring[i];
        const CFloatPoint& p2 = ring[(i + 1) % count];
        sum += ((double)p1.y + p2.y) * ((double)p2.x - p1.x);
    }
    return std::fabs(sum) / 2.0;
}

double PathLength(const CFloatPoint* vertices, int count, bool closed, const OGRSpatialReference* ref)
{
    if (!vertices || count < 2)
        return 0.0;
    const auto distance = [ref](const CFloatPoint& a, const CFloatPoint& b) {
        return MapDistance(CDoublePoint(a.x, a.y), CDoublePoint(b.x, b.y), ref);
    };
    double sum = 0.0;
    for (int i = 1; i < count; ++i)
        sum += distance(vertices[i - 1], vertices[i]);
    if (closed)
        sum += distance(vertices[count - 1], vertices[0]);
    return sum;
}

double RingArea(const CFloatPoint* ring, int count, const OGRSpatialReference* ref)
{
    return ref && ref->IsGeographic() ? SphericalRingArea(ring, count) : PlanarRingArea(ring, count);
}

double CosDegrees(int degrees)
{
    const int a = std::abs(degrees % 360);
    if (a >= 270)
        return kCosTable[360 - a];
    if (a >= 180)
        return -kCosTable[a - 180];
    if (a >= 90)
        return -kCosTable[180 - a];
    return kCosTable[a];
}

double SinDegrees(int degrees)
{
    // Reduced first so that 90 - a cannot overflow.
    return CosDegrees(90 - degrees % 360);
}

double FloatPointDistance(CFloatPoint a, CFloatPoint b)
{
    return Length((double)a.x - b.x, (double)a.y - b.y);
}

double PointSegmentDistance(const CFloatPoint& p, const CFloatPoint& a, const CFloatPoint& b)
{
    return std::sqrt(SegmentDistanceSquared(p, a, b));
}

double PointSegmentDistanceSquared(CFloatPoint p, CFloatPoint a, CFloatPoint b)
{
    return SegmentDistanceSquared(p, a, b);
}

double PointPolylineDistance(const CFloatPoint& p, const CFloatPoint* vertices, int count, BOOL closed)
{
    if (!vertices || count <= 0)
        return -1.0;
    if (count == 1)
        return PointSegmentDistance(p, vertices[0], vertices[0]);
    double best = PointSegmentDistance(p, vertices[0], vertices[1]);
    for (int i = 1; i + 1 < count; ++i)
        best = std::min(best, PointSegmentDistance(p, vertices[i], vertices[i + 1]));
    if (closed)
        best = std::min(best, PointSegmentDistance(p, vertices[count - 1], vertices[0]));
    return best;
}

bool DevicePointNearSegment(POINT p, POINT a, POINT b, double squaredTolerance)
{
    return DeviceSegmentDistanceSquared(p, a, b) <= squaredTolerance;
}

bool DevicePointNearPolyline(int count, const POINT* points, POINT p, double squaredTolerance)
{
    if (!points)
        return false;
    for (int i = 0; i + 1 < count; ++i)
        if (DevicePointNearSegment(p, points[i], points[i + 1], squaredTolerance))
            return true;
    return false;
}

int64_t SquaredDeviceDistance(POINT a, POINT b)
{
    // Each axis differs by less than 2^32, so its square fits in 64 unsigned
    // bits; only the sum can pass the signed range, and then it saturates.
    const int64_t dx = (int64_t)a.x - b.x;
    const int64_t dy = (int64_t)a.y - b.y;
    const uint64_t sx = (uint64_t)(dx < 0 ? -dx : dx) * (uint64_t)(dx < 0 ? -dx : dx);
    const uint64_t sy = (uint64_t)(dy < 0 ? -dy : dy) * (uint64_t)(dy < 0 ? -dy : dy);
    constexpr uint64_t kMax = (uint64_t)INT64_MAX;
    if (sx > kMax || sy > kMax - sx)
        return INT64_MAX;
    return (int64_t)(sx + sy);
}

bool PointAlongSegment(CFloatPoint s, CFloatPoint e, double d, double& x, double& y)
{
    const double dx = (double)e.x - s.x, dy = (double)e.y - s.y;
    const double length = Length(dx, dy);
    if (length == 0.0 || d > length)
        return false;
    const double u = d / length;
    x = s.x + dx * u;
    y = s.y + dy * u;
    return true;
}

void RotatePoint(CDoublePoint& p, double angle)
{
    const double r = Length(p.x, p.y);
    const double phi = std::atan2(p.y, p.x) - angle;
    p.x = r * std::cos(phi);
    p.y = r * std::sin(phi);
}

bool IsPointNearSegment(CClipVertex p, CClipVertex a, CClipVertex b, double tolerance)
{
    const double theta = std::atan2(b.y - a.y, b.x - a.x);
    CDoublePoint rp(p.x, p.y), ra(a.x, a.y), rb(b.x, b.y);
    RotatePoint(rp, theta);
    RotatePoint(ra, theta);
    RotatePoint(rb, theta);
    CDoubleRect zone(ra.x - tolerance, std::min(ra.y, rb.y) - tolerance, rb.x + tolerance,
                     std::max(ra.y, rb.y) + tolerance);
    zone.Normalize();
    return zone.ContainsPoint(rp);
}

double AngleBetween(POINT p0, POINT p1, POINT p2)
{
    return std::atan2((double)p2.y - p0.y, (double)p2.x - p0.x) - std::atan2((double)p1.y - p0.y, (double)p1.x - p0.x);
}

double AbsValue(double v)
{
    return std::fabs(v);
}

bool PointInPolygon(int count, const CFloatPoint* vertices, CFloatPoint p)
{
    if (!vertices || count <= 0)
        return false;
    int winding = 0;
    for (int i = 0; i < count; ++i) {
        const CFloatPoint& a = vertices[i];
        const CFloatPoint& b = vertices[(i + 1) % count];
        const double side = ((double)b.x - a.x) * ((double)p.y - a.y) - ((double)p.x - a.x) * ((double)b.y - a.y);
        if (a.y <= p.y) {
            if (b.y > p.y && side > 0.0)
                ++winding;
        } else if (b.y <= p.y && side < 0.0) {
            --winding;
        }
    }
    return winding != 0;
}

bool PointNearPolyline(int count, const CFloatPoint* vertices, CFloatPoint p, double squaredTolerance)
{
    if (!vertices || count < 2)
        return false;
    for (int i = 0; i + 1 < count; ++i)
        if (SegmentDistanceSquared(p, vertices[i], vertices[i + 1]) <= squaredTolerance)
            return true;
    return false;
}
