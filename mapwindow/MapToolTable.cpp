// The program's tool objects, one per tool number that has a tool. They are made
// on the first lookup, before any tool another part of the program adds, so a
// lookup by number always finds the program's own. A number whose own tool class
// is not in the program yet is served by the base tool: the pointer is captured
// while a button is held and the position text follows it.
#include "mapwindow/MapTool.h"

#include "mapwindow/tools/AreaSelectTools.h"
#include "mapwindow/tools/NavigationTools.h"
#include "mapwindow/tools/SelectTool.h"
#include "mapwindow/tools/AddHandleTool.h"
#include "mapwindow/tools/ArcTool.h"
#include "mapwindow/tools/DeleteLineTool.h"
#include "mapwindow/tools/JoinPolylineTool.h"
#include "mapwindow/tools/NodeTool.h"
#include "mapwindow/tools/PolygonTool.h"
#include "mapwindow/tools/RuleTool.h"
#include "mapwindow/tools/ShapeTool.h"
#include "mapwindow/tools/SplineTool.h"
#include "mapwindow/tools/SplitPolygonTool.h"

#include <memory>
#include <vector>

namespace {
std::unique_ptr<CMapTool> MakeTool(int number)
{
    switch (number) {
    case TOOL_ZOOM_IN:
        return std::make_unique<CZoomInTool>();
    case TOOL_ZOOM_OUT:
        return std::make_unique<CZoomOutTool>();
    case TOOL_MOVE:
        return std::make_unique<CMoveTool>();
    case TOOL_SELECT:
        return std::make_unique<CSelectTool>();
    case TOOL_RECT_SELECT:
        return std::make_unique<CRectSelectTool>();
    case TOOL_MARQUEE_SELECT:
        return std::make_unique<CMarqueeSelectTool>();
    case TOOL_POLYGON_SELECT:
        return std::make_unique<CPolygonSelectTool>();
    case TOOL_RULE:
        return std::make_unique<CRuleTool>();
    case TOOL_LINE:
    case TOOL_RECTANGLE:
    case TOOL_ROUND_RECT:
    case TOOL_ELLIPSE:
        return std::make_unique<CShapeTool>(number);
    case TOOL_POLYGON:
        return std::make_unique<CPolygonTool>();
    case TOOL_POLYLINE:
        return std::make_unique<CPolylineTool>();
    case TOOL_NODE:
        return std::make_unique<CNodeTool>();
    case TOOL_TEXT:
        return std::make_unique<CTextTool>();
    case TOOL_ADD_HANDLE:
        return std::make_unique<CAddHandleTool>();
    case TOOL_ARC:
    case TOOL_CHORD:
    case TOOL_PIE:
        return std::make_unique<CArcTool>(number);
    case TOOL_SPLINE:
        return std::make_unique<CSplineTool>();
    case TOOL_SPLIT_POLYGON:
        return std::make_unique<CSplitPolygonTool>();
    case TOOL_JOIN_POLYLINE:
        return std::make_unique<CJoinPolylineTool>();
    case TOOL_DELETE_LINE:
        return std::make_unique<CDeleteLineTool>();
    default:
        return std::make_unique<CMapTool>(number);
    }
}
}

void RegisterProgramTools()
{
    static const std::vector<std::unique_ptr<CMapTool>> tools = [] {
        std::vector<std::unique_ptr<CMapTool>> made;
        for (int number = 0; number <= TOOL_LAST; ++number) {
            // Info and Insert Point have no tool; 24 and 25 are never current.
            if (number == TOOL_INFO || number == TOOL_ADD_POINT || number == 24 || number == 25)
                continue;
            made.push_back(MakeTool(number));
        }
        return made;
    }();
}
