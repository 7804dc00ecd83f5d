// Checks of stored geometry and boundaries against the layouts of the kinds.
#include "model/geometry/StoredGeometry.h"

#include "core/DoubleRect.h"
#include "core/MapStyle.h"
#include "core/ObjectTypes.h"

#include <cmath>
#include <cstring>

namespace {
constexpr int kRecordSize = 8;
constexpr int kArcSize = 56;
constexpr int kLineSize = 16;

double GetDouble(const BYTE* p)
{
    unsigned long long bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

CFloatPoint RecordAt(const BYTE* data, int i)
{
    return CFloatPoint(MapRecord::GetFloat(data + i * kRecordSize), MapRecord::GetFloat(data + i * kRecordSize + 4));
}

bool FiniteFloats(const BYTE* data, int count)
{
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(MapRecord::GetFloat(data + 4 * i)))
            return false;
    }
    return true;
}

// Which separators a kind's runs may be joined by.
struct RunRules {
    bool hole;
    bool part;
};

const char* RunsFault(const BYTE* data, int count, RunRules rules)
{
    if (count < 1)
        return "the geometry holds no vertex";
    if (!FiniteFloats(data, 2 * count))
        return "a coordinate is not a finite number";
    bool afterSeparator = true;   // nothing may open with a separator
    for (int i = 0; i < count; ++i) {
        const CFloatPoint p = RecordAt(data, i);
        const bool hole = IsHoleSeparator(p), part = IsPartSeparator(p);
        if (!hole && !part) {
            afterSeparator = false;
            continue;
        }
        if ((hole && !rules.hole) || (part && !rules.part))
            return "a separator that this kind does not store";
        if (afterSeparator)
            return "a part or ring without vertices";
        afterSeparator = true;
    }
    return afterSeparator ? "a part or ring without vertices" : nullptr;
}
}

const char* FindStoredGeometryFault(int type, const void* blob, int size)
{
    const BYTE* data = static_cast<const BYTE*>(blob);
    if (!data || size < 0)
        size = 0;
    const int records = size / kRecordSize;
    switch (type) {
    case MAP_OBJECT_ARC:
    case MAP_OBJECT_CHORD:
    case MAP_OBJECT_PIE: {
        if (size != kArcSize)
            return "the arc record is not 56 bytes long";
        if (!FiniteFloats(data, 4))
            return "an end point is not a finite number";
        // The figure is approximated in floats: an ellipse beyond their range has no outline.
        for (int at = 24; at < kArcSize; at += 8) {
            if (!std::isfinite((float)GetDouble(data + at)))
                return "the ellipse is not finite";
        }
        return nullptr;
    }
    case MAP_OBJECT_LINE:
        if (size != kLineSize)
            return "the line record is not 16 bytes long";
        return FiniteFloats(data, 4) ? nullptr : "an end point is not a finite number";
    case MAP_OBJECT_POLYGON:
    case MAP_OBJECT_POLYLINE:
        return FiniteFloats(data, 2 * records) ? nullptr : "a vertex is not a finite number";
    case MAP_OBJECT_SPLINE:
        if (records < 2)
            return "a spline needs two control points";
        if (records > kMaxSplineControlPoints)
            return "the spline has more control points than can be evaluated";
        return FiniteFloats(data, 2 * records) ? nullptr : "a control point is not a finite number";
    case MAP_OBJECT_POLYPOLYGON:
    case MAP_OBJECT_POLYADVPOLYGON:
        return RunsFault(data, records, {true, true});
    case MAP_OBJECT_POLYPOLYLINE:
        return RunsFault(data, records, {false, true});
    case MAP_OBJECT_ADVPOLYGON:
        return RunsFault(data, records, {true, false});
    default:
        return nullptr;
    }
}

bool IsIndexableRect(double left, double top, double right, double bottom)
{
    for (double v : {left, top, right, bottom}) {
        if (!std::isfinite((float)v))
            return false;
    }
    return true;
}

const char* FindStoredBoundaryFault(const void* data, int size)
{
    CDoubleRect rect;
    if (!rect.ReadRecord(data, size))
        return "the boundary is missing";
    if (!IsIndexableRect(rect.left, rect.top, rect.right, rect.bottom))
        return "the boundary is not finite";
    return nullptr;
}
