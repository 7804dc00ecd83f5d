// The label options (25215): the label field and font, the frame line and the
// colours, and the preview whose sample the dialog draws at (240, 100) pixels,
// inside the "Preview" group.
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

const DialogItemTemplate kItems[] = {
    {"Button", IDC_STATIC, "Label with field ", 7, 4, 136, 88, WS_VISIBLE | BS_GROUPBOX},
    {"ComboBox", IDC_LABEL_FIELD, nullptr, 14, 16, 122, 90, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"Button", IDC_LABEL_FONT, "Font", 14, 34, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_LABEL_ROTATE, "&Rotate label with line", 14, 54, 122, 10,
     WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
    {"Static", IDC_STATIC, "Label Offset", 14, 72, 44, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_LABEL_OFFSET, "", 60, 70, 30, 13, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {"Static", IDC_STATIC, "points", 94, 72, 30, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_STATIC, "Display Properties", 7, 96, 136, 62, WS_VISIBLE | BS_GROUPBOX},
    {"Button", IDC_LABEL_LINE, "&Line", 14, 109, 60, 10, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
    {"Button", IDC_LABEL_LINE_COLOR, "", 90, 107, 40, 12, WS_VISIBLE | WS_TABSTOP},
    {"Static", IDC_STATIC, "Foreground", 14, 125, 60, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_LABEL_FOREGROUND_COLOR, "", 90, 123, 40, 12, WS_VISIBLE | WS_TABSTOP},
    {"Button", IDC_LABEL_BACKGROUND, "&Background", 14, 141, 60, 10, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
    {"Button", IDC_LABEL_BACKGROUND_COLOR, "", 90, 139, 40, 12, WS_VISIBLE | WS_TABSTOP},
    {"Button", IDC_LABEL_PREVIEW, "Preview", 150, 4, 133, 88, WS_VISIBLE | BS_GROUPBOX},
    {"Button", IDOK, "OK", 172, 144, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 233, 144, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
};
const DialogTemplate kTemplate = {IDD_LABEL_OPTIONS, "Label options", 0, 0, 290, 165,
                                  DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                  "MS Sans Serif", 8, kItems};
const DialogTemplateRegistration kRegistration(kTemplate);

} // namespace
