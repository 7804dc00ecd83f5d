// The names of the type codes, in code order; any other code is "Invalid".
#include "core/ObjectTypes.h"

#include <iterator>

namespace {
// The names are the program's own texts, spelling included.
const char* const kTypeNames[] = {
    "Rectangel",    "Rounded Rectangel", "Ellipse",        "Arc",  "Line",  "Node",
    "Polygon",      "Polyline",          "PolyPolygon",    "PolyPolyline",  "AdvPolygon",
    "PolyAdvPolygon", "Text",            "Image",          "Chord", "Pie",  "Spline",
};
static_assert(std::size(kTypeNames) == MAP_OBJECT_SPLINE + 1);
}

bool IsObjectTypeValid(int code)
{
    return code >= MAP_OBJECT_RECTANGLE && code <= MAP_OBJECT_SPLINE;
}

const char* GetObjectTypeName(int code)
{
    return IsObjectTypeValid(code) ? kTypeNames[code] : "Invalid";
}
