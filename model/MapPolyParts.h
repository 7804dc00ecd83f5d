// The two multi-part kinds as part lists: a polypolygon (type 8) of polygon
// parts, some of them holes, and a polypolyline (type 9) of polyline parts.
// Here they hold, add, take out and walk their parts, which is what the
// polygon's clipping and splitting hand back; their own drawing, storage and
// measuring are not built yet, so the layer's factory does not build them.
#pragma once

#include "model/MapMultiPart.h"

class CMapPolyPolygon : public CMapMultiPart {
public:
    CMapPolyPolygon() { m_nType = MAP_OBJECT_POLYPOLYGON; }
};

class CMapPolyPolyline : public CMapMultiPart {
public:
    CMapPolyPolyline() { m_nType = MAP_OBJECT_POLYPOLYLINE; }
};
