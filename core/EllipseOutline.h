// The device outline of the visible part of an ellipse too large for the
// graphics interface's 16-bit coordinates. The visible part is the overlap of
// the ellipse and a small visible rectangle, a convex figure, so its outline is
// the covered corners of the rectangle, the points where the ellipse crosses
// the rectangle's border and points along the arcs in between, taken in angular
// order. The point count follows the window, not the ellipse; all arithmetic
// on the ellipse's own (possibly huge) coordinates is done in doubles and only
// points inside the visible rectangle are converted to int.
#pragma once

#include "platform/base/Afx.h"

#include "core/DoubleRect.h"

#include <vector>

// Fills `out` (emptied first) with the closed outline of the part of the
// ellipse inscribed in `ellipse` (device pixels, any orientation) that lies
// within `visible`. Empty when nothing of it is visible, an axis is 0 or an
// edge is not finite.
void ClipEllipse(const RECT& visible, const CDoubleRect& ellipse, std::vector<POINT>& out);
