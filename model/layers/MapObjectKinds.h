// The kind table: the class built for each stored type code that has one. The
// layer's object factory builds through it; the kinds themselves (model/objects)
// fill it when the program starts, so adding a kind of object touches the
// kind's own class, its registration and the type codes (core/ObjectTypes.h) only.
#pragma once

#include <typeinfo>

class CMapObject;

// A new object of the class of `type`, without a layer; null for a code that has
// no class. The caller owns the object.
CMapObject* CreateObjectOfKind(int type);

// Makes `create` the class of `type` (null takes the entry out) and returns the
// creator it replaces. Tests' own kinds register here for a while.
using ObjectKindCreator = CMapObject* (*)();
ObjectKindCreator RegisterObjectKind(int type, ObjectKindCreator create);

// Makes `create` the class of `type` and `plain` the code's own class: the one
// whose drawing, hit test and stored layout the layer's fast paths (the row
// painter, the node hit index) may assume. Only the kinds' own registration calls it.
void RegisterPlainObjectKind(int type, ObjectKindCreator create, const std::type_info& plain);

// The code's own class, or null for a code without one. An object whose class
// is another (a kind registered in its place, a subclass) takes the general paths.
const std::type_info* PlainClassOfKind(int type);

// Whether `object` is of its code's own class.
bool IsPlainObjectOfKind(const CMapObject& object, int type);
