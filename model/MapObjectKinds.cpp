// One entry per kind of object that has a class; codes without one build nothing.
#include "model/MapObjectKinds.h"

#include "core/ObjectTypes.h"
#include "model/MapImage.h"
#include "model/MapLine.h"
#include "model/MapNode.h"
#include "model/MapPolygon.h"
#include "model/MapPolyline.h"
#include "model/MapRectangle.h"
#include "model/MapText.h"

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

// One class for several type codes: the code goes to its constructor.
template <class Kind, int Type>
CMapObject* CreateTyped()
{
    return new Kind(Type);
}

const ObjectKind kKinds[] = {
    {MAP_OBJECT_RECTANGLE, CreateTyped<CMapRectangle, MAP_OBJECT_RECTANGLE>},
    {MAP_OBJECT_ROUNDRECT, CreateTyped<CMapRectangle, MAP_OBJECT_ROUNDRECT>},
    {MAP_OBJECT_ELLIPSE, CreateTyped<CMapRectangle, MAP_OBJECT_ELLIPSE>},
    {MAP_OBJECT_LINE, Create<CMapLine>},
    {MAP_OBJECT_NODE, Create<CMapNode>},
    {MAP_OBJECT_POLYGON, Create<CMapPolygon>},
    {MAP_OBJECT_POLYLINE, Create<CMapPolyline>},
    {MAP_OBJECT_TEXT, Create<CMapText>},
    {MAP_OBJECT_IMAGE, Create<CMapImage>},
};
}

CMapObject* CreateObjectOfKind(int type)
{
    for (const ObjectKind& kind : kKinds) {
        if (kind.type == type)
            return kind.create();
    }
    return nullptr;
}
