// The More Colors dialog (26000): the honeycomb goes over the hidden frame 26008,
// the preview swatch is owner-drawn, the eye-dropper is the "Select..." static.
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

const DialogItemTemplate kMoreColorsItems[] = {
    {"Button", IDOK, "&OK", 242, 7, 80, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "&Cancel", 242, 25, 80, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Static", IDC_STATIC, "", 242, 46, 80, 1, WS_VISIBLE | SS_ETCHEDHORZ},
    {"Static", IDC_MORE_COLORS_PALETTE, "", 7, 7, 226, 203, SS_BLACKFRAME},
    {"Static", IDC_STATIC, "RGB:", 242, 56, 22, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_MORE_COLORS_RGB, "", 266, 54, 56, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_READONLY},
    {"Button", IDC_MORE_COLORS_CUSTOM, "&Custom...", 242, 92, 80, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Static", IDC_STATIC, "&New:", 242, 116, 30, 8, WS_VISIBLE | SS_LEFT},
    {"Static", IDC_STATIC, "C&urrent:", 242, 150, 30, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_MORE_COLORS_PREVIEW, "", 276, 112, 46, 48, WS_VISIBLE | BS_OWNERDRAW},
    {"Static", IDC_STATIC, "&Hex:", 242, 74, 22, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_MORE_COLORS_HEX, "", 266, 72, 56, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_READONLY},
    {"Static", IDC_MORE_COLORS_SELECT, "Select...", 242, 172, 80, 18, WS_VISIBLE},
};
const DialogTemplate kMoreColors = {IDD_MORE_COLORS, "More Colors", 0, 0, 329, 217,
                                    DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                    "MS Sans Serif", 8, kMoreColorsItems};
const DialogTemplateRegistration kMoreColorsRegistration(kMoreColors);

} // namespace
