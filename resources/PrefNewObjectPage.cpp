// The "New Object" page of the preferences (25210): fill, line and node groups
// and the sample area at page pixels (220, 120) to (400, 200).
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kColorButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

const DialogItemTemplate kItems[] = {
    {"Button", IDC_STATIC, "Fill", 7, 4, 130, 58, WS_VISIBLE | BS_GROUPBOX},
    {"Static", IDC_STATIC, "Pattern", 12, 16, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBoxEx32", IDC_PREF_PATTERN, nullptr, 55, 14, 78, 120, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST},
    {"Static", IDC_STATIC, "Foreground", 12, 32, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_PREF_FILL_COLOR, "", 55, 30, 50, 13, kColorButton},
    {"Button", IDC_PREF_FILL_BACKGROUND, "&Background", 12, 48, 42, 10, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
    {"Button", IDC_PREF_FILL_BKCOLOR, "", 55, 46, 50, 13, kColorButton},
    {"Button", IDC_STATIC, "Line", 7, 64, 130, 58, WS_VISIBLE | BS_GROUPBOX},
    {"Static", IDC_STATIC, "Style", 12, 76, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBoxEx32", IDC_PREF_DASH, nullptr, 55, 74, 78, 120, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST},
    {"Static", IDC_STATIC, "Width", 12, 92, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_PREF_PEN_WIDTH, nullptr, 55, 90, 30, 90, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 0,
     "0\n1\n2\n3\n4\n5"},
    {"Static", IDC_STATIC, "Color", 12, 108, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_PREF_PEN_COLOR, "", 55, 106, 50, 13, kColorButton},
    {"Button", IDC_STATIC, "Node", 142, 4, 130, 68, WS_VISIBLE | BS_GROUPBOX},
    {"Static", IDC_STATIC, "Font", 147, 15, 30, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_PREF_SYMBOL_FONT, nullptr, 180, 13, 88, 120,
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT},
    {"Static", IDC_STATIC, "Symbol", 147, 28, 30, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_PREF_SYMBOL, nullptr, 180, 26, 40, 120, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"Static", IDC_STATIC, "Size", 147, 41, 30, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_PREF_SIZE, nullptr, 180, 39, 30, 100, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 0,
     "8\n9\n10\n12\n14\n16\n18\n20\n22"},
    {"ComboBox", IDC_PREF_FONT_STYLE, nullptr, 214, 39, 54, 80, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0,
     "Regular\nBold\nItalic\nBold Italic"},
    {"Static", IDC_STATIC, "Color", 147, 54, 30, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_PREF_SYMBOL_COLOR, "", 180, 52, 50, 13, kColorButton},
    {"Button", IDC_PREF_RESET_ALL, "Reset &All", 7, 128, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
};
const DialogTemplate kTemplate = {IDD_PREF_NEW_OBJECT, "New Object", 0, 0, 280, 150, DS_SETFONT | WS_CHILD | WS_CAPTION,
                                  0, "MS Sans Serif", 8, kItems};
const DialogTemplateRegistration kRegistration(kTemplate);

} // namespace
