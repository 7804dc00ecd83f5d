// A point of two doubles in map units, used for transformations.
#pragma once

#include "platform/base/Afx.h"
#include "platform/base/DeviceCoordinates.h"

#include <cmath>
#include <cstdint>

class OGRCoordinateTransformation;
class CFloatPoint;

// World-to-device transform shared by every drawing routine. The offset from
// the origin in pixels, |value - origin| / zoom, is rounded half up and then
// given back its sign, so offsets round half away from zero symmetrically about
// the origin. With height > 0 the origin lies on the bottom edge of a client
// area that many pixels high and map y grows upwards; with height <= 0 y is not
// flipped. zoom is map units per pixel. Results beyond kDeviceCoordinateLimit, NaN and infinite
// positions or zooms saturate at that limit, so callers may add a few device lengths to a result.
// Inline: a drawing converts every vertex it draws through it.
inline CPoint MapToDevicePoint(double x, double y, double originX, double originY, double zoom, int height)
{
    // A non-negative offset rounded half up; NaN and values past the device
    // limit saturate, as the cast would otherwise be undefined. Below the
    // limit the whole part is the cast, so no floor is called per point.
    const auto roundOffset = [](double d) -> long long {
        if (!(d < (double)kDeviceCoordinateLimit))
            return kDeviceCoordinateLimit;
        long long r = (long long)d;
        if (d - (double)r >= 0.5)
            ++r;
        return r;
    };
    const long long dx = roundOffset(std::fabs((x - originX) / zoom));
    const long long dy = roundOffset(std::fabs((y - originY) / zoom));
    const long long devX = x >= originX ? dx : -dx;
    long long devY;
    if (height > 0)
        devY = y >= originY ? height - dy : height + dy;
    else
        devY = y >= originY ? dy : -dy;
    return CPoint(ClampDeviceCoordinate((int64_t)devX), ClampDeviceCoordinate((int64_t)devY));
}

class CDoublePoint;
// The same transform in doubles, without saturating: at far zooms device
// positions leave the int range, and figures computed from them are clipped
// (core/DeviceClip.h) before any conversion to int. NaN stays NaN.
CDoublePoint MapToDeviceXY(double x, double y, double originX, double originY, double zoom, int height);

class CDoublePoint {
public:
    double x = 0.0;
    double y = 0.0;

    CDoublePoint() = default;
    CDoublePoint(double px, double py) : x(px), y(py) {}

    CPoint ToDevice(double originX, double originY, double zoom, int height) const
    {
        return MapToDevicePoint(x, y, originX, originY, zoom, height);
    }
    CFloatPoint ToDeviceFloat(double originX, double originY, double zoom, int height) const;

    // 1 on success; on failure (or without a transformation) 0, point unchanged.
    int Transform(OGRCoordinateTransformation* ct);
    int LinearToAngular(double a, double b);
    int AngularToLinear(double a, double b);
    int Scale(double f);
};
