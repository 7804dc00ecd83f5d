// Rectangles in map units: unions, normalising, device transforms and the
// 40-byte stored record, written field by field.
#include "core/DoubleRect.h"

#include "core/SphereConstants.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <utility>

namespace {
// Widening of ContainsPoint: the float epsilon.
constexpr double kPointTolerance = 1.1920929e-7;

void PutDouble(BYTE* p, double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        p[i] = (BYTE)(bits >> (8 * i));
}

double GetDouble(const BYTE* p)
{
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= (uint64_t)p[i] << (8 * i);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
}

CDoubleRect::CDoubleRect(float l, float b, float r, float t) : left(l), top(t), right(r), bottom(b)
{
    Normalize();
}

CDoubleRect::CDoubleRect(const CClipVertex& a, const CClipVertex& b)
    : left(a.x), top(b.y), right(b.x), bottom(a.y)
{
    Normalize();
}

void CDoubleRect::InitFromVertices(const CFloatPoint& a, const CFloatPoint& b)
{
    left = a.x;
    bottom = a.y;
    right = b.x;
    top = b.y;
    Normalize();
}

CDoubleRect::CDoubleRect(const RECT& r) : left(r.left), top(r.bottom), right(r.right), bottom(r.top)
{
}

CDoubleRect::Record CDoubleRect::ToRecord() const
{
    Record record;
    WriteRecord(record.data());
    return record;
}

void CDoubleRect::WriteRecord(BYTE* record) const
{
    std::memset(record, 0, kLeftOffset);
    PutDouble(record + kLeftOffset, left);
    PutDouble(record + kTopOffset, top);
    PutDouble(record + kRightOffset, right);
    PutDouble(record + kBottomOffset, bottom);
}

BOOL CDoubleRect::ReadRecord(const void* data, int size)
{
    if (!data || size < kRecordSize)
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(data);
    left = GetDouble(p + kLeftOffset);
    top = GetDouble(p + kTopOffset);
    right = GetDouble(p + kRightOffset);
    bottom = GetDouble(p + kBottomOffset);
    return TRUE;
}

void CDoubleRect::Normalize()
{
    if (left > right)
        std::swap(left, right);
    if (bottom > top)
        std::swap(bottom, top);
}

double CDoubleRect::Height() const
{
    return std::fabs(top - bottom);
}

CFloatPoint CDoubleRect::GetCentre() const
{
    return CFloatPoint((left + right) * 0.5, (top + bottom) * 0.5);
}

CDoubleRect CDoubleRect::Union(const CDoubleRect& other)
{
    CDoubleRect o(other);
    o.Normalize();
    Normalize();
    left = std::min(left, o.left);
    bottom = std::min(bottom, o.bottom);
    right = std::max(right, o.right);
    top = std::max(top, o.top);
    return *this;
}

void CDoubleRect::UnionOrAssign(const CDoubleRect& other)
{
    if (IsNull())
        *this = other;
    else
        Union(other);
}

CDoubleRect CDoubleRect::UnionPoint(const CFloatPoint& pt)
{
    return Union(CDoubleRect((double)pt.x, (double)pt.y, (double)pt.x, (double)pt.y));
}

CDoubleRect CDoubleRect::UnionDoublePoint(const CDoublePoint& pt)
{
    return Union(CDoubleRect(pt.x, pt.y, pt.x, pt.y));
}

BOOL CDoubleRect::ContainsRect(const CDoubleRect& other)
{
    Normalize();
    return EnclosesRect(other);
}

BOOL CDoubleRect::EnclosesRect(const CDoubleRect& other) const
{
    CDoubleRect o(other);
    o.Normalize();
    return o.left > left && o.bottom > bottom && o.right < right && o.top < top;
}

BOOL CDoubleRect::Intersects(const CDoubleRect& other)
{
    CDoubleRect o(other);
    o.Normalize();
    Normalize();
    return o.left <= right && o.right >= left && o.bottom <= top && o.top >= bottom;
}

BOOL CDoubleRect::IntersectsSegment(const CClipVertex& a, const CClipVertex& b)
{
    if ((a.x < left && b.x < left) || (a.x > right && b.x > right) || (a.y < bottom && b.y < bottom)
        || (a.y > top && b.y > top))
        return FALSE;
    return Intersects(CDoubleRect(a.x, a.y, b.x, b.y));
}

BOOL CDoubleRect::ContainsPointWithin(double x, double y) const
{
    return left - kPointTolerance <= x && x <= right + kPointTolerance && bottom - kPointTolerance <= y
        && y <= top + kPointTolerance;
}

void CDoubleRect::Offset(double dx, double dy)
{
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

void CDoubleRect::Inflate(double d)
{
    left -= d;
    bottom -= d;
    right += d;
    top += d;
}

void CDoubleRect::InflateRect(int l, int b, int r, int t)
{
    left -= l;
    bottom -= b;
    right += r;
    top += t;
}

BOOL CDoubleRect::ExceedsLimit(int limit) const
{
    for (double e : {left, top, right, bottom})
        if (e >= limit || e <= -limit)
            return TRUE;
    return FALSE;
}

BOOL CDoubleRect::ExceedsFloatRange() const
{
    for (double e : {left, top, right, bottom})
        if (e > FLT_MAX || !(e >= -FLT_MAX))
            return TRUE;
    return FALSE;
}

RECT CDoubleRect::ClipDeviceRect(const RECT& rect) const
{
    // Two axis-parallel rectangles overlap in the box of their inner edges.
    CDoubleRect device(rect);
    device.Normalize();
    CDoubleRect self(*this);
    self.Normalize();
    const double l = std::max(self.left, device.left);
    const double r = std::min(self.right, device.right);
    const double b = std::max(self.bottom, device.bottom);
    const double t = std::min(self.top, device.top);
    // Written so that a NaN edge fails the test as well.
    if (!(l <= r && b <= t))
        return RECT{0, 0, 0, 0};
    return RECT{(LONG)std::trunc(l), (LONG)std::trunc(b), (LONG)std::trunc(r), (LONG)std::trunc(t)};
}

CRect CDoubleRect::ToDeviceRect(double originX, double originY, double zoom, int height) const
{
    const CPoint first = MapToDevicePoint(left, bottom, originX, originY, zoom, height);
    const CPoint second = MapToDevicePoint(right, top, originX, originY, zoom, height);
    return CRect(first, second);
}

CDoubleRect CDoubleRect::ToDeviceFloatRect(double originX, double originY, double zoom, int height) const
{
    const CFloatPoint first = CDoublePoint(left, bottom).ToDeviceFloat(originX, originY, zoom, height);
    const CFloatPoint second = CDoublePoint(right, top).ToDeviceFloat(originX, originY, zoom, height);
    return CDoubleRect((double)first.x, (double)first.y, (double)second.x, (double)second.y);
}

int CDoubleRect::Transform(OGRCoordinateTransformation* ct)
{
    // Both corners are committed together: a half-transformed boundary would
    // mix two coordinate systems.
    CDoublePoint first(left, bottom);
    if (!first.Transform(ct))
        return 0;
    CDoublePoint second(right, top);
    if (!second.Transform(ct))
        return 0;
    left = first.x;
    bottom = first.y;
    right = second.x;
    top = second.y;
    return 1;
}

int CDoubleRect::LinearToAngular(double a, double b)
{
    for (double* e : {&left, &top, &right, &bottom})
        *e = (*e * a) * kInverseSphereRadius / b;
    return 1;
}

int CDoubleRect::AngularToLinear(double a, double b)
{
    for (double* e : {&left, &top, &right, &bottom})
        *e = kSphereRadius / b * (*e * a);
    return 1;
}

int CDoubleRect::Scale(double f)
{
    for (double* e : {&left, &top, &right, &bottom})
        *e *= f;
    return 1;
}
