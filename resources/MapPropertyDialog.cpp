// The map's units, measuring mode, rotation and coordinate system (25220).
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

const DialogItemTemplate kItems[] = {
    {"Button", IDC_STATIC, "Units", 7, 4, 170, 62, WS_VISIBLE | BS_GROUPBOX},
    {"Static", IDC_STATIC, "Coordinate", 14, 17, 50, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_COORDINATE_UNIT, nullptr, 70, 15, 100, 90, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"Static", IDC_STATIC, "Distance", 14, 33, 50, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_DISTANCE_UNIT, nullptr, 70, 31, 100, 90, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"Static", IDC_STATIC, "Area", 14, 49, 50, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_AREA_UNIT, nullptr, 70, 47, 100, 90, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"Button", IDC_STATIC, "Measuring", 184, 4, 80, 62, WS_VISIBLE | BS_GROUPBOX},
    {"Button", IDC_SPHERICAL, "Spherical", 192, 20, 65, 10, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
    {"Button", IDC_CARTESIAN, "Cartesian", 192, 38, 65, 10, WS_VISIBLE | BS_AUTORADIOBUTTON},
    {"Button", IDC_STATIC, "Rotation", 7, 70, 257, 34, WS_VISIBLE | BS_GROUPBOX},
    {"Static", IDC_STATIC, "Rotate", 14, 85, 24, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_ROTATE, "", 40, 83, 50, 13, WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_GROUP | ES_AUTOHSCROLL},
    {"Static", IDC_STATIC, "X_Center", 97, 85, 32, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_X_CENTER, "", 130, 83, 50, 13, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {"Static", IDC_STATIC, "Y_Center", 185, 85, 32, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_Y_CENTER, "", 218, 83, 42, 13, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {"Button", IDC_MAP_PROJECTION, "Projection", 7, 112, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDOK, "OK", 159, 112, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 214, 112, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
};
const DialogTemplate kTemplate = {IDD_MAP_PROPERTY, "Map Property", 0, 0, 271, 133,
                                  DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                  "MS Sans Serif", 8, kItems};
const DialogTemplateRegistration kRegistration(kTemplate);

} // namespace
