// Coordinates of a DC: logical to device and back through the mapping mode, the
// window and viewport origins and extents. MM_TEXT maps by offsets alone, so its
// points stay exact integers. Sums are taken in 64 bits and every result is clamped
// to the device coordinate limit, so extreme input lands far off the surface.
#include "platform/gdi/GdiInternal.h"

#include "platform/base/DeviceCoordinates.h"

#include <algorithm>
#include <cmath>

namespace gdi {

double scaleX(const DCState& s) { return s.windowExt.cx ? (double)s.viewportExt.cx / s.windowExt.cx : 1.0; }
double scaleY(const DCState& s) { return s.windowExt.cy ? (double)s.viewportExt.cy / s.windowExt.cy : 1.0; }

QPoint toDevice(const DCState& s, int64_t x, int64_t y)
{
    if (s.mapMode == MM_TEXT)
        return QPoint(ClampDeviceCoordinate(x - s.windowOrg.x + s.viewportOrg.x),
                      ClampDeviceCoordinate(y - s.windowOrg.y + s.viewportOrg.y));
    const QPointF p = toDeviceF(s, (double)x, (double)y);
    return QPoint(RoundDeviceCoordinate(p.x()), RoundDeviceCoordinate(p.y()));
}

QPointF toDeviceF(const DCState& s, double x, double y)
{
    return QPointF((x - s.windowOrg.x) * scaleX(s) + s.viewportOrg.x, (y - s.windowOrg.y) * scaleY(s) + s.viewportOrg.y);
}

QPoint toLogical(const DCState& s, int64_t x, int64_t y)
{
    if (s.mapMode == MM_TEXT)
        return QPoint(ClampDeviceCoordinate((int64_t)x - s.viewportOrg.x + s.windowOrg.x),
                      ClampDeviceCoordinate((int64_t)y - s.viewportOrg.y + s.windowOrg.y));
    const double sx = scaleX(s), sy = scaleY(s);
    return QPoint(RoundDeviceCoordinate((x - s.viewportOrg.x) / sx + s.windowOrg.x),
                  RoundDeviceCoordinate((y - s.viewportOrg.y) / sy + s.windowOrg.y));
}

QRect deviceRect(const DCState& s, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    QPoint a = toDevice(s, x1, y1), b = toDevice(s, x2, y2);
    const int l = std::min(a.x(), b.x()), r = std::max(a.x(), b.x());
    const int t = std::min(a.y(), b.y()), bo = std::max(a.y(), b.y());
    return QRect(l, t, r - l, bo - t);
}

QRegion logicalRegionToDevice(const DCState& s, const QRegion& r)
{
    if (s.mapMode == MM_TEXT) {
        QRegion out = r;
            out.translate(ClampDeviceCoordinate((int64_t)s.viewportOrg.x - s.windowOrg.x),
                      ClampDeviceCoordinate((int64_t)s.viewportOrg.y - s.windowOrg.y));
        return out;
    }
    QRegion out;
    for (const QRect& q : r)
        out += deviceRect(s, q.left(), q.top(), (int64_t)q.left() + q.width(), (int64_t)q.top() + q.height());
    return out;
}

} // namespace gdi
