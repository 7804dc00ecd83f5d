// Device coordinates in a bounded range: every conversion from a map position, a zoomed size or any
// other wide or floating value to a device int goes through these helpers. The limit lies far
// beyond any surface, yet sums and differences of a few limited values (a box around a point, a
// handle beside a corner, a text line below another) stay inside int, so extreme or NaN input
// draws clipped or nothing instead of overflowing.
#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>

// The largest device coordinate handed out; its negation is the smallest.
inline constexpr int kDeviceCoordinateLimit = 1 << 28;

// An integer device value (a 64-bit sum, say) clamped into [-limit, limit].
template <class Integer>
    requires std::is_integral_v<Integer>
constexpr int ClampDeviceCoordinate(Integer value)
{
    const int64_t v = (int64_t)value;
    return v > kDeviceCoordinateLimit ? kDeviceCoordinateLimit
                                      : v < -kDeviceCoordinateLimit ? -kDeviceCoordinateLimit : (int)v;
}

// A floating device value truncated toward zero and clamped; NaN counts as far away (the limit),
// off every surface.
inline int ClampDeviceCoordinate(double v)
{
    if (std::isnan(v))
        return kDeviceCoordinateLimit;
    if (v >= kDeviceCoordinateLimit)
        return kDeviceCoordinateLimit;
    if (v <= -kDeviceCoordinateLimit)
        return -kDeviceCoordinateLimit;
    return (int)v;
}

// A floating value rounded half away from zero, then clamped as above.
inline int RoundDeviceCoordinate(double v)
{
    return std::isnan(v) ? kDeviceCoordinateLimit : ClampDeviceCoordinate(std::round(v));
}

// |v| for any int: INT_MIN, whose negation does not exist, gives INT_MAX.
constexpr int Magnitude(int v)
{
    return v >= 0 ? v : v == (-2147483647 - 1) ? 2147483647 : -v;
}
