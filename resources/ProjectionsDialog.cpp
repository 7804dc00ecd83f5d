// The coordinate-system chooser (25219): groups of the projection catalogue in a
// drop-down list, the systems of the chosen group in a list box.
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

const DialogItemTemplate kItems[] = {
    {"Static", IDC_STATIC, "Projection groups", 7, 7, 100, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_PROJECTION_GROUPS, nullptr, 7, 18, 260, 150,
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"Static", IDC_STATIC, "Projections", 7, 37, 100, 8, WS_VISIBLE | SS_LEFT},
    {"ListBox", IDC_PROJECTION_LIST, nullptr, 7, 48, 260, 130,
     WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT},
    {"Button", IDC_VIEW_WKT, "View WKT", 7, 185, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_VIEW_XML, "View XML", 62, 185, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDOK, "OK", 162, 185, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 217, 185, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
};
const DialogTemplate kTemplate = {IDD_PROJECTIONS, "Projections", 0, 0, 274, 206,
                                  DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                  "MS Sans Serif", 8, kItems};
const DialogTemplateRegistration kRegistration(kTemplate);

} // namespace
