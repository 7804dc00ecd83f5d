// The four toolbars of the map editor frame: the command of every button in the
// order of its picture (resources/ToolbarPictures.cpp); 0 is a separator.
#include "platform/base/ResourceToolbars.h"
#include "platform/frames/FrameIds.h"
#include "resources/resource.h"

#include <iterator>

namespace {

const WORD kStandardButtons[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT, ID_EDIT_COPY,
                                 ID_EDIT_PASTE, 0, ID_FILE_PRINT, ID_APP_ABOUT};
const WORD kMainButtons[] = {ID_LAYER_CONTROL, ID_BROWSE_DATA, ID_LAYER_STRUCTURE, ID_OBJECT_PROPERTIES};
const WORD kDrawingButtons[] = {ID_DRAW_LINE, ID_DRAW_RECTANGLE, ID_DRAW_ROUNDRECT, ID_DRAW_POLYGON,
                                ID_DRAW_ELLIPSE, ID_DRAW_POLYLINE, ID_DRAW_NODE, ID_DRAW_TEXT,
                                ID_DRAW_IMAGE, ID_OBJECT_ADD_HANDLE, ID_DRAW_ARC, ID_DRAW_CHORD,
                                ID_DRAW_PIE, ID_DRAW_SPLINE, ID_DRAW_JOIN_POLYLINE, ID_DRAW_SPLIT_POLYGON,
                                ID_DRAW_DELETE_LINE};
const WORD kToolButtons[] = {ID_TOOL_SELECT, ID_TOOL_RECT_SELECT, ID_TOOL_MARQUEE_SELECT, ID_TOOL_POLYGON_SELECT,
                             ID_TOOL_ZOOM_IN, ID_TOOL_ZOOM_OUT, ID_TOOL_MOVE, ID_TOOL_RULE,
                             ID_VIEW_ENTIRE_MAP, ID_VIEW_MAGNIFIER, ID_VIEW_MAP_LOCATOR};

const ResourceToolbar kStandard = {16, 15, (int)std::size(kStandardButtons), kStandardButtons};
const ResourceToolbar kMain = {16, 15, (int)std::size(kMainButtons), kMainButtons};
const ResourceToolbar kDrawing = {18, 16, (int)std::size(kDrawingButtons), kDrawingButtons};
const ResourceToolbar kTool = {18, 16, (int)std::size(kToolButtons), kToolButtons};

const ResourceToolbarRegistration kStandardRegistration(IDR_MAINFRAME, kStandard);
const ResourceToolbarRegistration kMainRegistration(IDR_TOOLBAR_MAIN, kMain);
const ResourceToolbarRegistration kDrawingRegistration(IDR_TOOLBAR_DRAWING, kDrawing);
const ResourceToolbarRegistration kToolRegistration(IDR_TOOLBAR_TOOL, kTool);

} // namespace
