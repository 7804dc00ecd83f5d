// One entry per kind of object that has a class; codes without one build nothing.
#include "model/MapObjectKinds.h"

#include "core/ObjectTypes.h"
#include "model/MapArc.h"
#include "model/MapImage.h"
#include "model/MapNode.h"
#include "model/MapSpline.h"
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

// One class serves several codes.
template <class Kind, int kType>
CMapObject* CreateOfType()
{
    return new Kind(kType);
}

const ObjectKind kKinds[] = {
    {MAP_OBJECT_ARC, CreateOfType<CMapArc, MAP_OBJECT_ARC>},
    {MAP_OBJECT_CHORD, CreateOfType<CMapArc, MAP_OBJECT_CHORD>},
    {MAP_OBJECT_PIE, CreateOfType<CMapArc, MAP_OBJECT_PIE>},
    {MAP_OBJECT_SPLINE, Create<CMapSpline>},
    {MAP_OBJECT_NODE, Create<CMapNode>},
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
