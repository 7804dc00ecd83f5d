// The menus of the main frame: 128 while no document is open, 129 with a
// document; and their accelerator tables (129 adds Ctrl+Y and Shift+F1).
#include "platform/base/ResourceMenus.h"
#include "platform/frames/FrameIds.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

#include <iterator>

namespace {

constexpr UINT S = 0x0000;      // MF_STRING
constexpr UINT SEP = 0x0800;    // MF_SEPARATOR
constexpr UINT POP = 0x0010;    // MF_POPUP
constexpr UINT END = kMenuEnd;

const ResourceMenuItem kMainFrameMenu[] = {
    {POP, 0, "&File"},
    {S, ID_FILE_NEW, "&New\tCtrl+N"},
    {S, ID_FILE_OPEN, "&Open...\tCtrl+O"},
    {S, ID_FRAME_EXPORT_SHAPE, "Export Layer To Shape File"},
    {SEP, 0, nullptr},
    {S, ID_FILE_PRINT_SETUP, "P&rint Setup..."},
    {SEP, 0, nullptr},
    {S, ID_FILE_MRU_FILE1, "Recent File"},
    {SEP, 0, nullptr},
    {S, ID_APP_EXIT, "E&xit"},
    {END, 0, nullptr},
    {POP, 0, "&View"},
    {S, ID_VIEW_TOOLBAR, "&Toolbar"},
    {S, ID_VIEW_STATUS_BAR, "&Status Bar"},
    {END, 0, nullptr},
    {POP, 0, "&Help"},
    {S, ID_APP_ABOUT, "&About Terravue Desktop..."},
    {END, 0, nullptr},
};

const ResourceMenuItem kDocumentMenu[] = {
    {POP, 0, "&File"},
    {S, ID_FILE_NEW, "&New\tCtrl+N"},
    {S, ID_FILE_OPEN, "&Open...\tCtrl+O"},
    {S, ID_FILE_CLOSE, "&Close"},
    {S, ID_FILE_SAVE, "&Save All\tCtrl+S"},
    {SEP, 0, nullptr},
    {S, ID_LOAD_LAYER, "&Load Layer"},
    {SEP, 0, nullptr},
    {S, ID_FILE_PRINT, "&Print...\tCtrl+P"},
    {S, ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
    {S, ID_FILE_PRINT_SETUP, "P&rint Setup..."},
    {SEP, 0, nullptr},
    {S, ID_PREFERENCES, "Pr&eferences..."},
    {SEP, 0, nullptr},
    {S, ID_FILE_MRU_FILE1, "Recent File"},
    {SEP, 0, nullptr},
    {S, ID_APP_EXIT, "E&xit"},
    {END, 0, nullptr},
    {POP, 0, "&Edit"},
    {S, ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
    {S, ID_EDIT_REDO, "&Redo\tCtrl+Y"},
    {SEP, 0, nullptr},
    {S, ID_EDIT_COPY, "&Copy\tCtrl+C"},
    {S, ID_EDIT_PASTE, "&Paste\tCtrl+V"},
    {S, ID_EDIT_CUT, "Cu&t\tCtrl+X"},
    {END, 0, nullptr},
    {POP, 0, "&View"},
    {POP, 0, "&Toolbars"},
    {S, ID_VIEW_TOOLBAR, "&Standard Toolbar"},
    {S, ID_VIEW_MAIN_TOOLBAR, "&Main Toolbar"},
    {S, ID_VIEW_MAP_TOOLBAR, "M&ap Toolbar"},
    {S, ID_VIEW_DRAWING_TOOLBAR, "&Drawing Toolbar"},
    {SEP, ID_VIEW_TOOLBARS_SEPARATOR, nullptr},
    {END, 0, nullptr},
    {S, ID_VIEW_STATUS_BAR, "&Status Bar"},
    {S, ID_VIEW_INFO_TOOL, "&Info Tool"},
    {S, ID_VIEW_QUICK_INFO, "&Quick Info"},
    {SEP, 0, nullptr},
    {S, ID_VIEW_ENTIRE_MAP, "View &Entire Map"},
    {S, ID_VIEW_MAP_LOCATOR, "Map&Locator"},
    {END, 0, nullptr},
    {POP, 0, "&Object"},
    {S, ID_OBJECT_PROPERTIES, "&Properties..."},
    {S, ID_OBJECT_DELETE, "&Delete"},
    {S, ID_OBJECT_CLONE, "&Clone"},
    {SEP, 0, nullptr},
    {S, ID_OBJECT_DELETE_HANDLE, "Delete &Handle"},
    {S, ID_OBJECT_ADD_HANDLE, "&Add Handle"},
    {END, 0, nullptr},
    {POP, 0, "&Layer"},
    {S, ID_NEW_LAYER, "&New Layer"},
    {S, ID_LAYER_CONTROL, "Layer &Control..."},
    {S, ID_BROWSE_DATA, "&Browse Data"},
    {S, ID_LAYER_STRUCTURE, "Layer &Structure..."},
    {SEP, 0, nullptr},
    {POP, 0, "&Import Layer"},
    {S, ID_IMPORT_GPS_LOG, "&GPS data log"},
    {S, ID_IMPORT_SHAPE, "&Shape File..."},
    {S, ID_IMPORT_PDB, "&handheld PDB file"},
    {END, 0, nullptr},
    {S, ID_EXPORT_SHAPE, "&Export Layer To Shape File"},
    {END, 0, nullptr},
    {POP, 0, "&Map"},
    {POP, 0, "&Tool"},
    {S, ID_TOOL_SELECT, "&Select"},
    {S, ID_TOOL_RECT_SELECT, "&Rectangle Select"},
    {S, ID_TOOL_MARQUEE_SELECT, "M&arquee Select"},
    {S, ID_TOOL_POLYGON_SELECT, "&Polygon Select"},
    {SEP, 0, nullptr},
    {S, ID_TOOL_ZOOM_IN, "Zoom &In"},
    {S, ID_TOOL_ZOOM_OUT, "Zoom &Out"},
    {S, ID_TOOL_MOVE, "&Move"},
    {S, ID_TOOL_RULE, "R&ule"},
    {END, 0, nullptr},
    {POP, 0, "&Drawing"},
    {S, ID_DRAW_LINE, "&Line"},
    {S, ID_DRAW_RECTANGLE, "&Rectangle"},
    {S, ID_DRAW_ROUNDRECT, "R&ound rectangle"},
    {S, ID_DRAW_POLYGON, "&Polygon"},
    {S, ID_DRAW_POLYLINE, "Pol&yline"},
    {S, ID_DRAW_ELLIPSE, "&Ellipse"},
    {S, ID_DRAW_NODE, "&Node"},
    {S, ID_DRAW_TEXT, "&Text"},
    {S, ID_DRAW_IMAGE, "&Image"},
    {S, ID_OBJECT_ADD_HANDLE, "&Add handle"},
    {S, ID_DRAW_ARC, "Ar&c"},
    {S, ID_DRAW_CHORD, "C&hord"},
    {S, ID_DRAW_PIE, "Pi&e"},
    {S, ID_DRAW_SPLINE, "&Spline"},
    {S, ID_DRAW_JOIN_POLYLINE, "&Join Polyline"},
    {S, ID_DRAW_SPLIT_POLYGON, "Sp&lit Polygon"},
    {S, ID_DRAW_DELETE_LINE, "&Delete Line"},
    {END, 0, nullptr},
    {SEP, 0, nullptr},
    {S, ID_MAP_PROPERTIES, "&Properties..."},
    {S, ID_MAP_OPTION, "&Option"},
    {END, 0, nullptr},
    {POP, 0, "&GPS Device"},
    {S, ID_GPS_SERIAL, "&Serial Port Conn..."},
    {S, ID_GPS_TRINE, "&Emtac Trine Conn..."},
    {SEP, 0, nullptr},
    {S, ID_DRAW_LAYER_FROM_GPS_LOG, "&Draw Layer From GPS Log..."},
    {END, 0, nullptr},
    {POP, 0, "&Window"},
    {S, ID_WINDOW_NEW, "&New Window"},
    {S, ID_WINDOW_CASCADE, "&Cascade"},
    {S, ID_WINDOW_TILE_HORZ, "&Tile"},
    {S, ID_WINDOW_ARRANGE, "&Arrange Icons"},
    {END, 0, nullptr},
    {POP, 0, "&Help"},
    {S, ID_HELP_FINDER, "&Help Topics"},
    {SEP, 0, nullptr},
    {S, ID_APP_ABOUT, "&About"},
    {END, 0, nullptr},
};

const ResourceMenu kMenus[] = {
    {IDR_MAINFRAME, kMainFrameMenu},
    {IDR_KOLVOTYPE, kDocumentMenu},
};
const ResourceMenuRegistration kMainFrameMenuRegistration(kMenus[0]);
const ResourceMenuRegistration kDocumentMenuRegistration(kMenus[1]);

constexpr BYTE V = FVIRTKEY;

const ACCEL kDocumentKeys[] = {
    {V | FCONTROL, 'C', ID_EDIT_COPY},
    {V | FCONTROL, VK_INSERT, ID_EDIT_COPY},
    {V | FCONTROL, 'V', ID_EDIT_PASTE},
    {V | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
    {V | FCONTROL, 'X', ID_EDIT_CUT},
    {V | FSHIFT, VK_DELETE, ID_EDIT_CUT},
    {V | FCONTROL, 'Z', ID_EDIT_UNDO},
    {V | FALT, VK_BACK, ID_EDIT_UNDO},
    {V | FCONTROL, 'N', ID_FILE_NEW},
    {V | FCONTROL, 'O', ID_FILE_OPEN},
    {V | FCONTROL, 'P', ID_FILE_PRINT},
    {V | FCONTROL, 'S', ID_FILE_SAVE},
    {V, VK_F1, ID_HELP},
    {V, VK_F6, ID_NEXT_PANE},
    {V | FSHIFT, VK_F6, ID_PREV_PANE},
    // Only with a document:
    {V | FCONTROL, 'Y', ID_EDIT_REDO},
    {V | FSHIFT, VK_F1, ID_CONTEXT_HELP},
};
// The frame's table is the document's without its last two entries.
const ResourceAccelerators kMainFrameKeys = {IDR_MAINFRAME, std::span(kDocumentKeys).first(std::size(kDocumentKeys) - 2)};
const ResourceAccelerators kDocumentKeyTable = {IDR_KOLVOTYPE, kDocumentKeys};
const ResourceAcceleratorRegistration kMainFrameKeysRegistration(kMainFrameKeys);
const ResourceAcceleratorRegistration kDocumentKeysRegistration(kDocumentKeyTable);

} // namespace
