// Segment/segment and segment/rectangle intersection.
#include "core/ClipSegments.h"

#include "core/DoubleRect.h"

#include <cfloat>
#include <utility>

CClipVertex NoClipVertex()
{
    return CClipVertex(DBL_MAX, DBL_MAX);
}

bool IsNoClipVertex(const CClipVertex& v)
{
    return v.x == DBL_MAX && v.y == DBL_MAX;
}

namespace {
bool SamePoint(const CClipVertex& a, const CClipVertex& b)
{
    return a.x == b.x && a.y == b.y;
}
}

CClipVertex IntersectSegments(const CClipVertex& a1, const CClipVertex& a2, const CClipVertex& b1,
                              const CClipVertex& b2)
{
    if ((SamePoint(a1, b1) && SamePoint(a2, b2)) || (SamePoint(a1, b2) && SamePoint(a2, b1)))
        return NoClipVertex();
    if (SamePoint(a1, b1) || SamePoint(a1, b2))
        return a1;
    if (SamePoint(a2, b1) || SamePoint(a2, b2))
        return a2;

    CDoubleRect boxA(a1, a2);
    const CDoubleRect boxB(b1, b2);
    if (!boxA.Intersects(boxB))
        return NoClipVertex();

    const double dxa = a2.x - a1.x, dya = a2.y - a1.y;
    const double dxb = b2.x - b1.x, dyb = b2.y - b1.y;
    const double d = dyb * dxa - dxb * dya;
    if (d == 0)
        return NoClipVertex();
    const double t = (dxb * (a1.y - b1.y) - dyb * (a1.x - b1.x)) / d;
    const CClipVertex point(a1.x + t * dxa, a1.y + t * dya);
    // Rounding may put the point of nearly parallel lines beyond the ends.
    if (boxA.ContainsPoint(point) && boxB.ContainsPoint(point))
        return point;
    return NoClipVertex();
}

CClipVertex IntersectSegmentWithRect(const CClipVertex& p1, const CClipVertex& p2, const CDoubleRect& rect,
                                     CClipVertex& second)
{
    CDoubleRect r(rect);
    r.Normalize();
    second = NoClipVertex();
    CClipVertex result = NoClipVertex();
    int found = 0;
    auto take = [&](double x, double y) {
        if (found++ == 0)
            second = CClipVertex(x, y);
        else
            result = CClipVertex(x, y);
    };
    // A horizontal edge at `y`; a segment along it divides by zero, and the
    // NaN that follows passes no comparison.
    auto horizontal = [&](double y) {
        if ((p1.y >= y && y >= p2.y) || (p1.y <= y && y <= p2.y)) {
            const double x = p1.x + (p2.x - p1.x) / (p2.y - p1.y) * (y - p1.y);
            if (r.left <= x && x <= r.right)
                take(x, y);
        }
    };
    auto vertical = [&](double x) {
        if ((p1.x >= x && x >= p2.x) || (p1.x <= x && x <= p2.x)) {
            const double y = p1.y + (p2.y - p1.y) / (p2.x - p1.x) * (x - p1.x);
            if (r.bottom <= y && y <= r.top)
                take(x, y);
        }
    };
    horizontal(r.bottom);
    if (found < 2)
        vertical(r.right);
    if (found < 2)
        horizontal(r.top);
    if (found < 2)
        vertical(r.left);

    if (found == 2) {
        auto distance = [&](const CClipVertex& v) {
            return (v.x - p1.x) * (v.x - p1.x) + (v.y - p1.y) * (v.y - p1.y);
        };
        if (distance(result) < distance(second))
            std::swap(result, second);
    }
    return result;
}
