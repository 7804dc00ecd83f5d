// Float vertices: device transforms, limits, unit conversions and coordinate
// transformations, which change a point only when they succeed.
#include "core/FloatPoint.h"

#include "core/DoublePoint.h"
#include "core/SphereConstants.h"

#include <ogr_spatialref.h>

#include <cmath>

CPoint CFloatPoint::ToDevice(double originX, double originY, double zoom, int height) const
{
    return MapToDevicePoint(x, y, originX, originY, zoom, height);
}

CFloatPoint CFloatPoint::ToDeviceFloat(double originX, double originY, double zoom, int height) const
{
    const CPoint p = ToDevice(originX, originY, zoom, height);
    return CFloatPoint((double)p.x, (double)p.y);
}

BOOL CFloatPoint::ExceedsLimit(double limit) const
{
    return std::fabs(x) > limit || std::fabs(y) > limit;
}

int CFloatPoint::Transform(OGRCoordinateTransformation* ct)
{
    double tx = x, ty = y;
    if (!ct || !ct->Transform(1, &tx, &ty, nullptr))
        return 0;
    x = (float)tx;
    y = (float)ty;
    return 1;
}

int CFloatPoint::LinearToAngular(double a, double b)
{
    x = (float)(x * a);
    x = (float)(x * kInverseSphereRadius / b);
    y = (float)(y * a);
    y = (float)(y * kInverseSphereRadius / b);
    return 1;
}

int CFloatPoint::AngularToLinear(double a, double b)
{
    x = (float)(x * a);
    x = (float)(kSphereRadius / b * x);
    y = (float)(y * a);
    y = (float)(kSphereRadius / b * y);
    return 1;
}

int CFloatPoint::Scale(double f)
{
    x = (float)(x * f);
    y = (float)(y * f);
    return 1;
}

CFloatPoint CFloatPoint::Subtract(const CFloatPoint& other) const
{
    CFloatPoint d;
    d.x = x - other.x;
    d.y = y - other.y;
    return d;
}
