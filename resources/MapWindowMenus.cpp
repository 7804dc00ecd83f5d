// The map window's context menu (25267): its one popup "&Map" picks tools and
// runs the commands on the selection. The Chord item shares the Arc item's id.
#include "platform/base/ResourceMenus.h"
#include "resources/resource.h"

namespace {

constexpr UINT S = 0x0000;   // MF_STRING
constexpr UINT POP = 0x0010; // MF_POPUP
constexpr UINT END = kMenuEnd;

const ResourceMenuItem kMapContextMenu[] = {
    {POP, 0, "&Map"},
    {S, ID_MAP_TOOL_SELECT, "&Select"},
    {S, ID_MAP_TOOL_RECT_SELECT, "&Rectangle Select"},
    {S, ID_MAP_TOOL_MARQUEE_SELECT, "Mar&quee Select"},
    {S, ID_MAP_TOOL_POLYGON_SELECT, "&Polygon Select"},
    {S, ID_MAP_TOOL_ZOOM_IN, "Zoom &In"},
    {S, ID_MAP_TOOL_ZOOM_OUT, "Zoom &Out"},
    {S, ID_MAP_TOOL_MOVE, "&Move"},
    {S, ID_MAP_TOOL_RULE, "R&ule"},
    {S, ID_MAP_DRAW_LINE, "&Line"},
    {S, ID_MAP_DRAW_RECTANGLE, "Rectan&gle"},
    {S, ID_MAP_DRAW_ROUNDRECT, "R&ound rectangle"},
    {S, ID_MAP_DRAW_POLYGON, "&Polygon"},
    {S, ID_MAP_DRAW_POLYLINE, "Pol&yline"},
    {S, ID_MAP_DRAW_ELLIPSE, "&Ellipse"},
    {S, ID_MAP_DRAW_NODE, "&Node"},
    {S, ID_MAP_DRAW_TEXT, "&Text"},
    {S, ID_MAP_DRAW_IMAGE, "&Image"},
    {S, ID_MAP_DRAW_ARC, "&Arc"},
    {S, ID_MAP_DRAW_ARC, "&Chord"},
    {S, ID_MAP_DRAW_PIE, "&Pie"},
    {S, ID_MAP_DRAW_SPLINE, "&Spline"},
    {S, ID_MAP_LABEL_PROPERTIES, "La&bel Properties..."},
    {S, ID_MAP_OBJECT_PROPERTIES, "&Object Properties..."},
    {S, ID_MAP_CLONE_OBJECTS, "&Clone objects"},
    {S, ID_MAP_DELETE_OBJECTS, "&Delete objects"},
    {S, ID_MAP_NEW_LAYER, "&New Layer"},
    {S, ID_MAP_LAYER_CONTROL, "Layer &Control..."},
    {S, ID_MAP_BREAK_POLY, "Break Poly...."},
    {S, ID_MAP_MAKE_POLYGON, "Make Polygon"},
    {END, 0, nullptr},
};

const ResourceMenu kMenu = {IDR_MAP_CONTEXT_MENU, kMapContextMenu};
const ResourceMenuRegistration kMenuRegistration(kMenu);

} // namespace
