// The kind table: the class built for each stored type code that has one. The
// layer's object factory builds through it, so adding a kind of object touches
// the kind's own class, this table and the type codes (core/ObjectTypes.h) only.
#pragma once

class CMapObject;

// A new object of the class of `type`, without a layer; null for a code that has
// no class. The caller owns the object.
CMapObject* CreateObjectOfKind(int type);

// Makes `create` the class of `type` (null takes the entry out) and returns the
// creator it replaces. Kinds built outside this folder (and tests' own kinds)
// register here; the table's entries are the defaults.
using ObjectKindCreator = CMapObject* (*)();
ObjectKindCreator RegisterObjectKind(int type, ObjectKindCreator create);
