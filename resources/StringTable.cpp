// The system's strings by identifier, registered with the platform's string table.
// Each id appears once (a second entry is a registry conflict, not an override).
#include "platform/base/ResourceStrings.h"
#include "platform/frames/FrameIds.h"
#include "resources/resource.h"

namespace {

const ResourceString kStrings[] = {
    {IDS_DEFAULT_AREA_UNIT, "1"},
    {IDS_DEFAULT_SAVE_SETTINGS_ON_EXIT, "T"},
    {IDS_DEFAULT_STORE_WORKSPACE, "T"},
    {IDS_DEFAULT_COORDINATION_SYSTEM, "4803"},
    {IDS_DEFAULT_MAP_WINDOW_FONT, "MS Sans Serif, 0, 12"},
    {IDS_DEFAULT_INFO_WINDOW_FONT, "MS Sans Serif, 0, 12"},
    {IDS_DEFAULT_DATA_WINDOW_FONT, "MS Sans Serif, 0, 12"},
    {IDS_DEFAULT_DIALOG_WINDOW_FONT, "MS Sans Serif, 0, 12"},
    {IDS_DEFAULT_REPORT_WINDOW_FONT, "MS Sans Serif, 0, 12"},
    {IDS_DEFAULT_DISTANCE_UNIT, "1"},
    {IDS_DEFAULT_GRID_HEIGHT, "250"},
    {IDS_DEFAULT_GRID_WIDTH, "250"},
    {IDS_DEFAULT_NEW_OBJECT, "1,16777215,0,16777215,1,1,0,Map Symbols,0,12,60,1"},
    {IDS_DEFAULT_RULE_COLOR, "0"},
    {IDS_DEFAULT_SHOW_INFO_TOOL, "T"},
    {IDS_DEFAULT_SNAP_POINTS, "2"},
    {IDS_DEFAULT_ZOOM_SIZE, "1.5"},
    {IDS_PROJECTION_MISMATCH,
     "The layer being imported has different projection then existing map. Please, import it to another map"},
    {IDS_LIBRARY_NOT_IN_REGISTRY, "The Terravue  Library not found in the registry."},
    {IDS_DEFAULT_COORDINATE_UNIT, "11"},
    {IDS_DEFAULT_USE_SPHERICAL, "1"},
    {IDS_DEFAULT_QUICK_INFO_TOOL, "T"},

    // The map window's questions and item texts.
    {IDS_DELETE_ENTIRE_OBJECT, "Do you want to delete the entire object?"},
    {IDS_DELETE_SELECTED_OBJECTS, "Do you want to delete the selected objects?"},
    {IDS_BREAK_POLYLINE, "break polyline"},
    {IDS_BREAK_POLYGON, "break polygon"},

    // The layer and map dialogs.
    {IDS_SAVE_FIELD_CHANGES, "Data has been changed. Do you want to save changes?"},
    {IDS_COLOR_SET_FILTER, "Predefined color set (*.pcs)|*.pcs|All files (*.*)|*.*||"},
    {IDS_COLOR_SET_EXTENSION, "*.pcs"},
    {IDS_REMOVE_LAYER, "Do you really want to remove this layer?"},
    {IDS_COLUMN_VISIBLE, "Visible"},
    {IDS_COLUMN_LABELLING, "Labelling"},
    {IDS_COLUMN_OVERRIDE, "Override Properties"},
    {IDS_COLUMN_EDITABLE, "Editable"},
    {IDS_COLUMN_SELECTABLE, "Selectable"},
    {IDS_SAMPLE_LABEL, "Sample label"},
    {IDS_COLUMN_SHOW_AREA, "Show Area"},
    {IDS_COLUMN_DATA_VIEW, "Data View"},

    // The application, its frame and its document type.
    {AFX_IDS_APP_TITLE, "Terravue Desktop"},
    {IDR_MAINFRAME, "Terravue Desktop"},
    {IDR_KOLVOTYPE,
     "\nVeltrin Terravue\nVeltrin Terravue\n(*.kwz)\n.kwz\nVeltrinTerravue.Document\nVeltrin Terravue Document"},
    {IDS_CANNOT_CREATE_MAP, "Can not create new map"},
    {IDS_WORKSPACE_FILTER, "Terravue Workspace files (*.kwz)|*.kwz||"},
    {IDS_WORKSPACE_EXTENSION, "*.kwz"},
    {IDS_TOOLBAR_MAIN, "Main"},
    {IDS_TOOLBAR_DRAWING, "Drawing"},
    {IDS_TOOLBAR_TOOL, "Tool"},
    {IDS_INFO_TOOL, "Info Tool"},
    {ID_INDICATOR_POSITION, "Position:"},
    {ID_DRAW_LAYER_FROM_GPS_LOG, "Draw layer from GPS datalogger"},
};

const StringTableRegistration kRegistration(kStrings);

} // namespace
