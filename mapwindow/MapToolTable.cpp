// The program's tool objects, one per tool number that has a tool. They are made
// on the first lookup, before any tool another part of the program adds, so a
// lookup by number always finds the program's own. A number whose own tool class
// is not in the program yet is served by the base tool: the pointer is captured
// while a button is held and the position text follows it.
#include "mapwindow/MapTool.h"

#include <memory>
#include <vector>

void RegisterProgramTools()
{
    static const std::vector<std::unique_ptr<CMapTool>> tools = [] {
        std::vector<std::unique_ptr<CMapTool>> made;
        for (int number = 0; number <= TOOL_LAST; ++number) {
            // Info and Insert Point have no tool; 24 and 25 are never current.
            if (number == TOOL_INFO || number == TOOL_ADD_POINT || number == 24 || number == 25)
                continue;
            made.push_back(std::make_unique<CMapTool>(number));
        }
        return made;
    }();
}
