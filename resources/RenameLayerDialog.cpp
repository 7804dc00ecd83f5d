// The layer-name dialog (25206): one edit under the group "Enter new name".
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

const DialogItemTemplate kItems[] = {
    {"Button", IDC_STATIC, "Enter new name", 7, 7, 170, 34, WS_VISIBLE | BS_GROUPBOX},
    {"Edit", IDC_LAYER_NAME, "", 15, 20, 154, 13, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {"Button", IDOK, "OK", 72, 48, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 127, 48, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
};
const DialogTemplate kTemplate = {IDD_RENAME_LAYER, "Rename layer", 0, 0, 184, 69,
                                  DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                  "MS Sans Serif", 8, kItems};
const DialogTemplateRegistration kRegistration(kTemplate);

} // namespace
