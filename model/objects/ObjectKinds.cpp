// The kinds of object with a class, registered with the layers' kind table when
// the program starts (the model links this folder whole for it). One class may
// serve several codes.
#include "model/layers/MapObjectKinds.h"

#include "core/ObjectTypes.h"
#include "model/polygons/MapAdvPolygon.h"
#include "model/objects/MapArc.h"
#include "model/objects/MapImage.h"
#include "model/objects/MapLine.h"
#include "model/objects/MapNode.h"
#include "model/polygons/MapPolyAdvPolygon.h"
#include "model/polygons/MapPolyParts.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "model/objects/MapRectangle.h"
#include "model/objects/MapSpline.h"
#include "model/objects/MapText.h"

namespace {
template <class Kind>
CMapObject* Create()
{
    return new Kind;
}

template <class Kind, int kType>
CMapObject* CreateOfType()
{
    return new Kind(kType);
}

template <class Kind>
void Plain(int type, ObjectKindCreator create)
{
    RegisterPlainObjectKind(type, create, typeid(Kind));
}

[[maybe_unused]] const bool g_Registered = [] {
    Plain<CMapRectangle>(MAP_OBJECT_RECTANGLE, CreateOfType<CMapRectangle, MAP_OBJECT_RECTANGLE>);
    Plain<CMapRectangle>(MAP_OBJECT_ROUNDRECT, CreateOfType<CMapRectangle, MAP_OBJECT_ROUNDRECT>);
    Plain<CMapRectangle>(MAP_OBJECT_ELLIPSE, CreateOfType<CMapRectangle, MAP_OBJECT_ELLIPSE>);
    Plain<CMapArc>(MAP_OBJECT_ARC, CreateOfType<CMapArc, MAP_OBJECT_ARC>);
    Plain<CMapLine>(MAP_OBJECT_LINE, Create<CMapLine>);
    Plain<CMapArc>(MAP_OBJECT_CHORD, CreateOfType<CMapArc, MAP_OBJECT_CHORD>);
    Plain<CMapArc>(MAP_OBJECT_PIE, CreateOfType<CMapArc, MAP_OBJECT_PIE>);
    Plain<CMapSpline>(MAP_OBJECT_SPLINE, Create<CMapSpline>);
    Plain<CMapNode>(MAP_OBJECT_NODE, Create<CMapNode>);
    Plain<CMapPolygon>(MAP_OBJECT_POLYGON, Create<CMapPolygon>);
    Plain<CMapPolyline>(MAP_OBJECT_POLYLINE, Create<CMapPolyline>);
    Plain<CMapPolyPolygon>(MAP_OBJECT_POLYPOLYGON, Create<CMapPolyPolygon>);
    Plain<CMapPolyPolyline>(MAP_OBJECT_POLYPOLYLINE, Create<CMapPolyPolyline>);
    Plain<CMapAdvPolygon>(MAP_OBJECT_ADVPOLYGON, Create<CMapAdvPolygon>);
    Plain<CMapPolyAdvPolygon>(MAP_OBJECT_POLYADVPOLYGON, Create<CMapPolyAdvPolygon>);
    Plain<CMapText>(MAP_OBJECT_TEXT, Create<CMapText>);
    Plain<CMapImage>(MAP_OBJECT_IMAGE, Create<CMapImage>);
    return true;
}();
}
