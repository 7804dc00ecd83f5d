// The "Fill property" dialog (25202): predefined colours or random ones, and the
// owner-drawn list of the predefined set with its buttons.
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

const DialogItemTemplate kItems[] = {
    {"Button", IDC_STATIC, "Fill random", 7, 4, 180, 38, WS_VISIBLE | BS_GROUPBOX},
    {"Button", IDC_FILL_PREDEFINED, "Using &predefined colors", 14, 15, 120, 10,
     WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
    {"Button", IDC_FILL_RANDOM, "&Random", 14, 28, 120, 10, WS_VISIBLE | BS_AUTORADIOBUTTON},
    {"ListBox", IDC_COLOR_LIST, nullptr, 7, 48, 120, 100,
     WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_GROUP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY
         | LBS_NOINTEGRALHEIGHT},
    {"Button", IDC_COLOR_ADD, "&Add", 134, 48, 53, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_COLOR_REMOVE, "Remo&ve", 134, 66, 53, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_COLOR_LOAD, "&Load", 134, 84, 53, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_COLOR_SAVE, "&Save", 134, 102, 53, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDOK, "&OK", 77, 155, 53, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "&Cancel", 134, 155, 53, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
};
const DialogTemplate kTemplate = {IDD_FILL_PROPERTY, "Fill property", 0, 0, 194, 176,
                                  DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                  "MS Sans Serif", 8, kItems};
const DialogTemplateRegistration kRegistration(kTemplate);

} // namespace
