// Object type codes, stored in the mapeObjectType column of a layer; they pick
// the class the layer's factory builds. Any stored code outside 0..16 reads as
// the invalid type 100. CMapObject's GetTypeName and IsTypeValid forward here.
#pragma once

enum MapObjectType : int {
    MAP_OBJECT_RECTANGLE = 0,
    MAP_OBJECT_ROUNDRECT = 1,
    MAP_OBJECT_ELLIPSE = 2,
    MAP_OBJECT_ARC = 3,
    MAP_OBJECT_LINE = 4,
    MAP_OBJECT_NODE = 5,
    MAP_OBJECT_POLYGON = 6,
    MAP_OBJECT_POLYLINE = 7,
    MAP_OBJECT_POLYPOLYGON = 8,
    MAP_OBJECT_POLYPOLYLINE = 9,
    MAP_OBJECT_ADVPOLYGON = 10,
    MAP_OBJECT_POLYADVPOLYGON = 11,
    MAP_OBJECT_TEXT = 12,
    MAP_OBJECT_IMAGE = 13,
    MAP_OBJECT_CHORD = 14,
    MAP_OBJECT_PIE = 15,
    MAP_OBJECT_SPLINE = 16,
    MAP_OBJECT_INVALID = 100,
};

// True exactly for 0..16.
bool IsObjectTypeValid(int code);
// The name the program shows for a type ("Rectangel", ...); "Invalid" for any
// other code.
const char* GetObjectTypeName(int code);
