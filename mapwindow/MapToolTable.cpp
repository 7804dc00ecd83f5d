// The program's tool objects, one per tool number that has a tool. They are made
// on the first lookup, before any tool another part of the program adds, so a
// lookup by number always finds the program's own. A number whose own tool class
// is not in the program yet is served by the base tool: the pointer is captured
// while a button is held and the position text follows it.
#include "mapwindow/MapTool.h"

#include "mapwindow/tools/AreaSelectTools.h"
#include "mapwindow/tools/NavigationTools.h"
#include "mapwindow/tools/SelectTool.h"

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
