// 64-bit device rectangles from double ones: values beyond the 64-bit range
// saturate and NaN reads as 0, as the plain cast would be undefined.
#include "core/Int64Rect.h"

#include "core/DoubleRect.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {
int64_t Truncate(double v)
{
    // 2^63 is exact as a double; anything at or past it (and NaN) would make
    // the conversion undefined.
    constexpr double kLimit = 9223372036854775808.0;
    if (std::isnan(v))
        return 0;
    if (v >= kLimit)
        return std::numeric_limits<int64_t>::max();
    if (v < -kLimit)
        return std::numeric_limits<int64_t>::min();
    return (int64_t)v;
}
}

CInt64Rect::CInt64Rect(const CDoubleRect& r)
    : left(Truncate(r.left)), top(Truncate(r.top)), right(Truncate(r.right)), bottom(Truncate(r.bottom))
{
}

void CInt64Rect::Normalize()
{
    if (left > right)
        std::swap(left, right);
    if (bottom > top)
        std::swap(bottom, top);
}

BOOL CInt64Rect::Contains(const CInt64Rect& other)
{
    if (bottom > top)
        std::swap(bottom, top);
    CInt64Rect o(other);
    o.Normalize();
    return o.left >= left && o.bottom >= bottom && o.right <= right && o.top <= top;
}
