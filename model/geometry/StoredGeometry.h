// The checks a stored row passes before any kind reads it: its mapeGeoData
// against the layout of its kind, and its mapeBoundary. A row that fails is
// refused as a whole (its layer leaves it out and says so); the readers of the
// kinds run the same check, so that a row that reaches them some other way is
// never read past its end or into a state its kind cannot hold.
//
// Layouts (8-byte records of two little-endian IEEE floats unless stated):
//   arc, chord, pie (3, 14, 15)  exactly 56 bytes: start, end, reserved, ellipse
//                                (doubles within the float range)
//   line (4)                     exactly 16 bytes: start, end
//   polygon, polyline (6, 7)     vertices; a trailing remainder of < 8 bytes is ignored
//   spline (16)                  2 to kMaxSplineControlPoints control points
//   multi-part (8, 9, 10, 11)    at least one record; runs of vertices joined by
//                                separator records (StoredRuns.h), none first,
//                                none last, never two in a row; 9 knows only
//                                the part separator, 10 only the hole separator
// Every coordinate is finite. The other kinds store no geometry checked here.
#pragma once

#include "platform/base/Afx.h"

#include "core/FloatPoint.h"

#include <cfloat>

// Bytes of one stored vertex record.
constexpr int kStoredVertexSize = 8;

// A device extent that reaches this many pixels is cut to a window before a
// vertex list is drawn.
constexpr int kDeviceExtentLimit = 0x7fff;

// The separator records of the multi-part layout (StoredRuns.h).
enum class RunSeparator { None, Hole, Part };

inline bool IsHoleSeparator(const CFloatPoint& p)
{
    return p.x == FLT_MIN && p.y == FLT_MIN;
}

inline bool IsPartSeparator(const CFloatPoint& p)
{
    return p.x == FLT_MAX && p.y == FLT_MAX;
}

inline bool IsRunSeparator(const CFloatPoint& p)
{
    return IsHoleSeparator(p) || IsPartSeparator(p);
}

// Control points a spline may have: beyond this a row is taken as damaged
// (a curve is evaluated whole for every use).
constexpr int kMaxSplineControlPoints = 1 << 20;

// Null when `data` (`size` bytes, null for NULL) is a sound mapeGeoData of an
// object of `type`, else why it is not, in words for the user.
const char* FindStoredGeometryFault(int type, const void* data, int size);

// Null when the boundary record is present and every edge is finite in the
// float range the spatial index holds, else why not.
const char* FindStoredBoundaryFault(const void* data, int size);

// Whether every edge of the rectangle is finite as a 32-bit float.
bool IsIndexableRect(double left, double top, double right, double bottom);
