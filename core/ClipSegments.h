// Intersections of segments with segments and with rectangles, for the
// clipping engine and the drawing code. A missing point is the "none" vertex:
// both coordinates the largest double, flag word 0.
#pragma once

#include "core/ClipVertex.h"

class CDoubleRect;

// The vertex that stands for "no point".
CClipVertex NoClipVertex();
bool IsNoClipVertex(const CClipVertex& v);

// The point where segment a1-a2 meets segment b1-b2. Segments sharing an end
// point give that end point (with its flags) even when collinear; the same
// segment twice, parallel segments and segments that miss give "none".
CClipVertex IntersectSegments(const CClipVertex& a1, const CClipVertex& a2, const CClipVertex& b1,
                              const CClipVertex& b2);

// Up to two points where segment p1-p2 crosses the edges of `rect` (taken
// normalised), tried in the order bottom, right, top, left. With two points
// `second` receives the one nearer to p1 and the result the farther one; with
// one point `second` holds it and the result is "none". A segment running
// along an edge finds nothing on that edge; one through a corner finds the
// corner twice.
CClipVertex IntersectSegmentWithRect(const CClipVertex& p1, const CClipVertex& p2, const CDoubleRect& rect,
                                     CClipVertex& second);
