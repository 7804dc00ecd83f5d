// The system's strings by identifier. Add entries in ascending order of id.
#include "platform/base/ResourceStrings.h"
#include "resources/resource.h"

#include <algorithm>
#include <iterator>

namespace {
struct StringEntry {
    UINT id;
    const char* text;
};

// Sorted by id; FindResourceString searches it by halving.
const StringEntry kStrings[] = {
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
    {0xFFFFFFFFu, nullptr}, // sentinel: keeps the table non-empty
};
}

const char* FindResourceString(UINT id)
{
    const auto end = std::end(kStrings) - 1;
    const auto it = std::lower_bound(std::begin(kStrings), end, id,
                                     [](const StringEntry& e, UINT key) { return e.id < key; });
    return (it != end && it->id == id) ? it->text : nullptr;
}
