// All-or-nothing transformation of point runs and of ellipse boxes.
#include "core/GeometryTransform.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <vector>

int TransformPoints(OGRCoordinateTransformation* ct, CDoublePoint* points, int count)
{
    if (!ct || count < 0 || (count > 0 && !points))
        return 0;
    if (count == 0)
        return 1;
    std::vector<double> x(count), y(count);
    for (int i = 0; i < count; ++i)
        x[i] = points[i].x, y[i] = points[i].y;
    std::vector<int> ok(count, 0);
    if (!ct->Transform(count, x.data(), y.data(), nullptr, ok.data()))
        return 0;
    for (int i = 0; i < count; ++i) {
        if (!ok[i] || !std::isfinite(x[i]) || !std::isfinite(y[i]))
            return 0;
    }
    for (int i = 0; i < count; ++i)
        points[i] = CDoublePoint(x[i], y[i]);
    return 1;
}

int TransformPoints(OGRCoordinateTransformation* ct, CFloatPoint* points, int count)
{
    if (count < 0 || (count > 0 && !points))
        return 0;
    std::vector<CDoublePoint> wide(count);
    for (int i = 0; i < count; ++i)
        wide[i] = CDoublePoint(points[i].x, points[i].y);
    if (!TransformPoints(ct, wide.data(), count))
        return 0;
    // A finite double beyond float range would be stored as an infinity.
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite((float)wide[i].x) || !std::isfinite((float)wide[i].y))
            return 0;
    }
    for (int i = 0; i < count; ++i)
        points[i] = CFloatPoint(wide[i].x, wide[i].y);
    return 1;
}

int ConvertPoints(CFloatPoint* points, int count, const std::function<int(CFloatPoint&)>& convert)
{
    if (count < 0 || (count > 0 && !points))
        return 0;
    std::vector<CFloatPoint> copy(points, points + count);
    for (CFloatPoint& p : copy) {
        if (!convert(p) || !std::isfinite(p.x) || !std::isfinite(p.y))
            return 0;
    }
    std::copy(copy.begin(), copy.end(), points);
    return 1;
}

int TransformEllipseBox(OGRCoordinateTransformation* ct, CDoubleRect& box)
{
    const double cx = (box.left + box.right) * 0.5, cy = (box.top + box.bottom) * 0.5;
    // Left, right, bottom and top ends of the axes.
    CDoublePoint ends[4] = {{box.left, cy}, {box.right, cy}, {cx, box.bottom}, {cx, box.top}};
    if (!TransformPoints(ct, ends, 4))
        return 0;
    CDoubleRect moved(ends[0].x, ends[2].y, ends[1].x, ends[3].y);
    moved.Normalize();
    box = moved;
    return 1;
}
