// The two multi-part kinds of polygons and polylines, for the code that hands
// them back (splitting, clipping, the boolean operations).
#pragma once

#include "model/polygons/MapPolyPolygon.h"
#include "model/polygons/MapPolyPolyline.h"
