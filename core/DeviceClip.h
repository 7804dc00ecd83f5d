// Clipping of figures computed in device pixels as doubles, before they become
// the int points a CDC draws: at far zooms a figure's device coordinates leave
// the int range (or are not finite), and only the part near the visible area
// may reach the drawing layer. The results hold only points inside the clip
// rectangle, so converting them to int is always defined.
#pragma once

#include "platform/base/Afx.h"

#include "core/DoublePoint.h"

#include <vector>

// Device coordinates up to which figures go to the device context's own
// primitives (the 16-bit range of the graphics interface, where its curves stay
// within a pixel); figures beyond are sampled where visible and clipped here.
constexpr double kDevicePrimitiveLimit = 32767.0;

// A device rectangle, y growing downwards: left <= right, top <= bottom.
struct DeviceClipRect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    // `visible` widened by `margin` pixels on every side: a margin wider than
    // the pen keeps the cut edges of a figure out of sight.
    static DeviceClipRect Around(const RECT& visible, int margin);
    bool ContainsXY(double x, double y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    // True when the box spanned by the two corners (any order) meets this rectangle.
    bool MeetsBox(double x1, double y1, double x2, double y2) const;
};

// The parts of the polyline inside the clip rectangle, each a run of at least
// two points, rounded to whole pixels. A segment with an end that is not finite
// is left out.
void ClipDevicePolyline(const std::vector<CDoublePoint>& points, const DeviceClipRect& clip,
                        std::vector<std::vector<POINT>>& runs);
// The closed ring cut to the clip rectangle (Sutherland-Hodgman): where the ring
// leaves the rectangle its outline runs along the rectangle's edge. Empty when
// any vertex is not finite or nothing of the ring is inside.
std::vector<POINT> ClipDeviceRing(const std::vector<CDoublePoint>& ring, const DeviceClipRect& clip);

// Appends the device points of the elliptic arc (cx + rx cos t, cy - ry sin t)
// for t from `from` over `sweep` radians (counter-clockwise on the screen):
// the curve is refined only where it can meet the clip rectangle, until it
// departs from its chords by less than a quarter pixel, so the point count
// follows the visible part, not the ellipse's size. The first point is
// appended too. Nothing for a sweep or a coordinate that is not finite.
// Where the doubles cannot tell the pieces apart (an ellipse of 10^30 pixels,
// whose points are far coarser than one pixel) the refinement stops at a
// bound on the points, so that no figure takes longer than a fine one.
void SampleVisibleEllipseArc(double cx, double cy, double rx, double ry, double from, double sweep,
                             const DeviceClipRect& clip, std::vector<CDoublePoint>& out);
