// Double points: transforms into device pixels (rounded half up, saturating
// instead of overflowing) and the conversions between linear and angular units.
#include "core/DoublePoint.h"

#include "core/FloatPoint.h"
#include "core/SphereConstants.h"

#include <ogr_spatialref.h>

#include <climits>
#include <cmath>

namespace {
double RoundHalfUp(double d)
{
    double r = std::floor(d);
    if (d - r >= 0.5)
        r += 1.0;
    return r;
}
}


CDoublePoint MapToDeviceXY(double x, double y, double originX, double originY, double zoom, int height)
{
    const double dx = RoundHalfUp(std::fabs((x - originX) / zoom));
    const double dy = RoundHalfUp(std::fabs((y - originY) / zoom));
    const double devX = x >= originX ? dx : -dx;
    double devY;
    if (height > 0)
        devY = y >= originY ? height - dy : height + dy;
    else
        devY = y >= originY ? dy : -dy;
    return CDoublePoint(devX, devY);
}

CFloatPoint CDoublePoint::ToDeviceFloat(double originX, double originY, double zoom, int height) const
{
    const CPoint p = ToDevice(originX, originY, zoom, height);
    return CFloatPoint((double)p.x, (double)p.y);
}

int CDoublePoint::Transform(OGRCoordinateTransformation* ct)
{
    double tx = x, ty = y;
    if (!ct || !ct->Transform(1, &tx, &ty, nullptr))
        return 0;
    x = tx;
    y = ty;
    return 1;
}

int CDoublePoint::LinearToAngular(double a, double b)
{
    x = (x * a) * kInverseSphereRadius / b;
    y = (y * a) * kInverseSphereRadius / b;
    return 1;
}

int CDoublePoint::AngularToLinear(double a, double b)
{
    x = kSphereRadius / b * (x * a);
    y = kSphereRadius / b * (y * a);
    return 1;
}

int CDoublePoint::Scale(double f)
{
    x *= f;
    y *= f;
    return 1;
}
