// Planar and spherical measuring, point-to-outline distances and hit tests,
// whole-degree trigonometry. Map units unless a function works on device
// pixels; on a geographic map x is the longitude and y the latitude, in degrees.
#pragma once

#include "platform/base/Afx.h"

#include "core/ClipVertex.h"
#include "core/DoublePoint.h"
#include "core/FloatPoint.h"

#include <cstdint>

class OGRSpatialReference;

// Great-circle distance in metres when `ref` is geographic (points in
// degrees), else the Euclidean distance in map units.
double MapDistance(const CDoublePoint& a, const CDoublePoint& b, const OGRSpatialReference* ref);
// Great-circle distance in metres on the sphere of radius 6370997 m; longitude
// x and latitude y in radians.
double SphericalDistance(double x1, double y1, double x2, double y2);
// Area of a ring given in degrees, in square metres on the sphere of radius
// 6378249 m; 0 for fewer than 3 points.
double SphericalRingArea(const CFloatPoint* ring, int count);
// Shoelace area of a ring, closing edge included, whatever its orientation.
double PlanarRingArea(const CFloatPoint* ring, int count);

// Sum of MapDistance over consecutive vertices, and from the last back to the
// first when `closed`: metres on a geographic reference, else map units.
double PathLength(const CFloatPoint* vertices, int count, bool closed, const OGRSpatialReference* ref);
// SphericalRingArea on a geographic reference, else PlanarRingArea.
double RingArea(const CFloatPoint* ring, int count, const OGRSpatialReference* ref);

// Cosine and sine of whole degrees, from one table of cos 0..90 rounded to six
// decimals, so that every turn by whole degrees gives the same figures.
double CosDegrees(int degrees);
double SinDegrees(int degrees);

double FloatPointDistance(CFloatPoint a, CFloatPoint b);
// Distance from P to the segment AB (to the nearer end beyond either end).
double PointSegmentDistance(const CFloatPoint& p, const CFloatPoint& a, const CFloatPoint& b);
double PointSegmentDistanceSquared(CFloatPoint p, CFloatPoint a, CFloatPoint b);
// Smallest distance from P to the segments of a vertex chain, and to the
// closing segment when `closed`; -1 for no vertices; a single vertex measures
// the distance to it.
double PointPolylineDistance(const CFloatPoint& p, const CFloatPoint* vertices, int count, BOOL closed);

// Device-pixel hit tests against a squared tolerance.
bool DevicePointNearSegment(POINT p, POINT a, POINT b, double squaredTolerance);
// Segments between consecutive points only, no closing segment.
bool DevicePointNearPolyline(int count, const POINT* points, POINT p, double squaredTolerance);
// Squared pixel distance, in 64 bits: it exceeds 32 bits past 46340 pixels.
// Saturates at INT64_MAX for points near opposite ends of the int range.
int64_t SquaredDeviceDistance(POINT a, POINT b);

// The point at distance d from S towards E; false (outputs untouched) when d
// exceeds the segment's length or the segment has none.
bool PointAlongSegment(CFloatPoint s, CFloatPoint e, double d, double& x, double& y);
// The same with the outputs passed by address; false for a null output.
inline bool PointAlongSegment(CFloatPoint s, CFloatPoint e, double d, double* x, double* y)
{
    return x && y && PointAlongSegment(s, e, d, *x, *y);
}
// Rotates p about the origin by -angle (radians).
void RotatePoint(CDoublePoint& p, double angle);
// True when P lies within tol of the segment AB, ends extended by tol with
// square caps.
bool IsPointNearSegment(CClipVertex p, CClipVertex a, CClipVertex b, double tolerance);
// Angle at p0 from p1 to p2 in radians, not reduced to any range.
double AngleBetween(POINT p0, POINT p1, POINT p2);
double AbsValue(double v);
// Non-zero winding test against the closed ring; a point exactly on an edge
// may fall either way.
bool PointInPolygon(int count, const CFloatPoint* vertices, CFloatPoint p);
// Squared distance to any segment between consecutive vertices within the
// squared tolerance; no closing segment; false for fewer than 2 vertices.
bool PointNearPolyline(int count, const CFloatPoint* vertices, CFloatPoint p, double squaredTolerance);
