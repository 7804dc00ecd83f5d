// Coordinate transformation of an object's defining geometry as a whole: every
// point is transformed or none is, so a failure in the middle never leaves an
// object half in one system and half in another. Objects measured on the
// sphere transform a copy of themselves through these steps.
#pragma once

#include "core/DoublePoint.h"
#include "core/DoubleRect.h"
#include "core/FloatPoint.h"

#include <functional>

class OGRCoordinateTransformation;

// 1 when every point was transformed; 0 (points unchanged) when any fails,
// when there is no transformation, or when a result is not finite.
int TransformPoints(OGRCoordinateTransformation* ct, CDoublePoint* points, int count);
// The same for float vertices, transformed in double precision and narrowed.
int TransformPoints(OGRCoordinateTransformation* ct, CFloatPoint* points, int count);
// The box of an axis-parallel ellipse, moved by the ends of its axes: the
// transformed ellipse passes through the transformed axis ends, which keeps
// its length and area where a transformation of the corners would widen it.
// All or nothing, as above; the result is normalised.
int TransformEllipseBox(OGRCoordinateTransformation* ct, CDoubleRect& box);

// `convert` (one of the point's own conversions: unit change or scaling) applied
// to a copy of every point; the copies are taken only when every conversion
// succeeded and gave finite coordinates. 1 then, else 0 with the points unchanged.
int ConvertPoints(CFloatPoint* points, int count, const std::function<int(CFloatPoint&)>& convert);
