// Coordinates of a DC: logical to device and back through the mapping mode, the
// window and viewport origins and extents. MM_TEXT maps by offsets alone, so its
// points stay exact integers.
#include "platform/gdi/GdiInternal.h"

#include <algorithm>
#include <cmath>

namespace gdi {

double scaleX(const DCState& s) { return s.windowExt.cx ? (double)s.viewportExt.cx / s.windowExt.cx : 1.0; }
double scaleY(const DCState& s) { return s.windowExt.cy ? (double)s.viewportExt.cy / s.windowExt.cy : 1.0; }

QPoint toDevice(const DCState& s, int x, int y)
{
    if (s.mapMode == MM_TEXT)
        return QPoint(x - s.windowOrg.x + s.viewportOrg.x, y - s.windowOrg.y + s.viewportOrg.y);
    const QPointF p = toDeviceF(s, x, y);
    return QPoint((int)std::lround(p.x()), (int)std::lround(p.y()));
}

QPointF toDeviceF(const DCState& s, double x, double y)
{
    return QPointF((x - s.windowOrg.x) * scaleX(s) + s.viewportOrg.x, (y - s.windowOrg.y) * scaleY(s) + s.viewportOrg.y);
}

QPoint toLogical(const DCState& s, int x, int y)
{
    if (s.mapMode == MM_TEXT)
        return QPoint(x - s.viewportOrg.x + s.windowOrg.x, y - s.viewportOrg.y + s.windowOrg.y);
    const double sx = scaleX(s), sy = scaleY(s);
    return QPoint((int)std::lround((x - s.viewportOrg.x) / sx + s.windowOrg.x),
                  (int)std::lround((y - s.viewportOrg.y) / sy + s.windowOrg.y));
}

QRect deviceRect(const DCState& s, int x1, int y1, int x2, int y2)
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
        out.translate(s.viewportOrg.x - s.windowOrg.x, s.viewportOrg.y - s.windowOrg.y);
        return out;
    }
    QRegion out;
    for (const QRect& q : r)
        out += deviceRect(s, q.left(), q.top(), q.left() + q.width(), q.top() + q.height());
    return out;
}

} // namespace gdi
