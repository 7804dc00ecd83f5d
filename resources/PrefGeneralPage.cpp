// The "General" page of the preferences (25208).
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kList = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kNumber = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_NUMBER;
constexpr DWORD kCheck = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

const DialogItemTemplate kItems[] = {
    {"Static", IDC_STATIC, "Coor Unit", 7, 9, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_PREF_COORD_UNIT, nullptr, 50, 7, 80, 100, kList},
    {"Static", IDC_STATIC, "Dist. Unit", 7, 25, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_PREF_DISTANCE_UNIT, nullptr, 50, 23, 80, 100, kList},
    {"Static", IDC_STATIC, "Area Unit", 7, 41, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_PREF_AREA_UNIT, nullptr, 50, 39, 80, 100, kList},
    {"Static", IDC_STATIC, "Zoom size", 7, 58, 40, 8, WS_VISIBLE | SS_LEFT},
    {"msctls_trackbar32", IDC_PREF_ZOOM_SIZE, nullptr, 50, 56, 80, 14, WS_VISIBLE | WS_TABSTOP},
    {"Static", IDC_STATIC, "100%", 50, 71, 20, 8, WS_VISIBLE | SS_LEFT},
    {"Static", IDC_STATIC, "500%", 112, 71, 20, 8, WS_VISIBLE | SS_LEFT},
    {"Static", IDC_STATIC, "Rule color", 7, 86, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_PREF_RULE_COLOR, "", 50, 84, 50, 13, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW},
    {"Static", IDC_STATIC, "Snap Points", 7, 104, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_PREF_SNAP_POINTS, "", 50, 102, 30, 12, kNumber},
    {"Button", IDC_PREF_STORE_WORKSPACE, "Store &workspace", 140, 7, 90, 10, kCheck},
    {"Button", IDC_PREF_SHOW_INFO_TOOL, "Show &info. tool", 140, 21, 90, 10, kCheck},
    {"Button", IDC_PREF_SAVE_SETTINGS, "&Save settings", 140, 35, 90, 10, kCheck},
    {"Button", IDC_STATIC, "Default grid size (in meters)", 140, 50, 110, 44, WS_VISIBLE | BS_GROUPBOX},
    {"Static", IDC_STATIC, "Width", 146, 63, 30, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_PREF_GRID_WIDTH, "", 180, 61, 50, 12, kNumber},
    {"Static", IDC_STATIC, "Height", 146, 78, 30, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_PREF_GRID_HEIGHT, "", 180, 76, 50, 12, kNumber},
    {"Button", IDC_STATIC, "Dist/Area using", 140, 96, 110, 30, WS_VISIBLE | BS_GROUPBOX},
    {"Button", IDC_PREF_SPHERICAL, "Spherical", 146, 109, 48, 10,
     WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
    {"Button", IDC_PREF_CARTESIAN, "Cartersian", 196, 109, 50, 10, WS_VISIBLE | BS_AUTORADIOBUTTON},
    {"Button", IDC_PREF_PROJECTION, "&Projection", 7, 128, 60, 14, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON},
    {"Button", IDC_PREF_RESET_ALL, "Reset &All", 72, 128, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
};
const DialogTemplate kTemplate = {IDD_PREF_GENERAL, "General", 0, 0, 260, 150, DS_SETFONT | WS_CHILD | WS_CAPTION, 0,
                                  "MS Sans Serif", 8, kItems};
const DialogTemplateRegistration kRegistration(kTemplate);

} // namespace
