// A vertex of two 32-bit floats in map units: the stored geometry of every
// object is a run of these, 8 bytes each, x first, little-endian.
#pragma once

#include "platform/base/Afx.h"

class OGRCoordinateTransformation;

class CFloatPoint {
public:
    float x = 0.0f;
    float y = 0.0f;

    CFloatPoint() = default;
    CFloatPoint(double px, double py) : x((float)px), y((float)py) {}
    explicit CFloatPoint(const POINT& p) : x((float)p.x), y((float)p.y) {}

    // Device pixel of this map point: see MapToDevicePoint (core/DoublePoint.h).
    CPoint ToDevice(double originX, double originY, double zoom, int height) const;
    // The same integers as floats, for callers that test them against the
    // 16-bit device range before drawing.
    CFloatPoint ToDeviceFloat(double originX, double originY, double zoom, int height) const;
    // True when |x| or |y| is strictly greater than `limit`.
    BOOL ExceedsLimit(double limit) const;

    // 1 on success; on failure (or without a transformation) 0, point unchanged.
    int Transform(OGRCoordinateTransformation* ct);
    // a: linear unit in metres, b: angular unit in radians. Each product is
    // stored as a float, so the conversion rounds twice.
    int LinearToAngular(double a, double b);
    // a: angular unit in radians, b: linear unit in metres.
    int AngularToLinear(double a, double b);
    int Scale(double f);

    CFloatPoint Subtract(const CFloatPoint& other) const;
};
static_assert(sizeof(CFloatPoint) == 8, "stored vertices are two 32-bit floats");
