// One entry per kind of object that has a class; codes without one build nothing.
#include "model/MapObjectKinds.h"

#include "core/ObjectTypes.h"
#include "model/MapAdvPolygon.h"
#include "model/MapArc.h"
#include "model/MapImage.h"
#include "model/MapLine.h"
#include "model/MapNode.h"
#include "model/MapPolyAdvPolygon.h"
#include "model/MapPolyParts.h"
#include "model/MapPolygon.h"
#include "model/MapPolyline.h"
#include "model/MapRectangle.h"
#include "model/MapSpline.h"
#include "model/MapText.h"

#include <array>

namespace {
struct ObjectKind {
    int type;
    CMapObject* (*create)();
};

template <class Kind>
CMapObject* Create()
{
    return new Kind;
}

// One class serves several codes.
template <class Kind, int kType>
CMapObject* CreateOfType()
{
    return new Kind(kType);
}

const ObjectKind kKinds[] = {
    {MAP_OBJECT_RECTANGLE, CreateOfType<CMapRectangle, MAP_OBJECT_RECTANGLE>},
    {MAP_OBJECT_ROUNDRECT, CreateOfType<CMapRectangle, MAP_OBJECT_ROUNDRECT>},
    {MAP_OBJECT_ELLIPSE, CreateOfType<CMapRectangle, MAP_OBJECT_ELLIPSE>},
    {MAP_OBJECT_ARC, CreateOfType<CMapArc, MAP_OBJECT_ARC>},
    {MAP_OBJECT_LINE, Create<CMapLine>},
    {MAP_OBJECT_CHORD, CreateOfType<CMapArc, MAP_OBJECT_CHORD>},
    {MAP_OBJECT_PIE, CreateOfType<CMapArc, MAP_OBJECT_PIE>},
    {MAP_OBJECT_SPLINE, Create<CMapSpline>},
    {MAP_OBJECT_NODE, Create<CMapNode>},
    {MAP_OBJECT_POLYGON, Create<CMapPolygon>},
    {MAP_OBJECT_POLYLINE, Create<CMapPolyline>},
    {MAP_OBJECT_POLYPOLYGON, Create<CMapPolyPolygon>},
    {MAP_OBJECT_POLYPOLYLINE, Create<CMapPolyPolyline>},
    {MAP_OBJECT_ADVPOLYGON, Create<CMapAdvPolygon>},
    {MAP_OBJECT_POLYADVPOLYGON, Create<CMapPolyAdvPolygon>},
    {MAP_OBJECT_TEXT, Create<CMapText>},
    {MAP_OBJECT_IMAGE, Create<CMapImage>},
};

constexpr int kObjectTypeCount = MAP_OBJECT_SPLINE + 1;

// The registered creators, one slot per type code; filled from the table.
std::array<ObjectKindCreator, kObjectTypeCount>& Creators()
{
    static std::array<ObjectKindCreator, kObjectTypeCount> creators = [] {
        std::array<ObjectKindCreator, kObjectTypeCount> table{};
        for (const ObjectKind& kind : kKinds)
            table[(size_t)kind.type] = kind.create;
        return table;
    }();
    return creators;
}
}

CMapObject* CreateObjectOfKind(int type)
{
    if (type < 0 || type >= kObjectTypeCount)
        return nullptr;
    const ObjectKindCreator create = Creators()[(size_t)type];
    return create ? create() : nullptr;
}

ObjectKindCreator RegisterObjectKind(int type, ObjectKindCreator create)
{
    if (type < 0 || type >= kObjectTypeCount)
        return nullptr;
    const ObjectKindCreator previous = Creators()[(size_t)type];
    Creators()[(size_t)type] = create;
    return previous;
}
