// The "Fonts" page of the preferences (25209): a category list, face, size and
// style, and the sample drawn at (200, 160) of the page.
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

const DialogItemTemplate kItems[] = {
    {"Static", IDC_STATIC, "Category", 7, 7, 80, 8, WS_VISIBLE | SS_LEFT},
    {"ListBox", IDC_PREF_FONT_CATEGORY, nullptr, 7, 18, 90, 70,
     WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY},
    {"Static", IDC_STATIC, "Font", 105, 7, 60, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_PREF_FONT_FACE, nullptr, 105, 18, 110, 120,
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT},
    {"Static", IDC_STATIC, "Size", 105, 37, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_PREF_SIZE, nullptr, 105, 48, 50, 100, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 0,
     "8\n9\n10\n12\n14\n16\n18\n20\n22"},
    {"Static", IDC_STATIC, "Style", 160, 37, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_PREF_FONT_STYLE, nullptr, 160, 48, 55, 80, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0,
     "Regular\nBold\nItalic\nBold Italic"},
    {"Button", IDC_STATIC, "Sample", 105, 90, 140, 40, WS_VISIBLE | BS_GROUPBOX},
    {"Button", IDC_PREF_RESET_ALL, "Reset &All", 7, 140, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
};
const DialogTemplate kTemplate = {IDD_PREF_FONTS, "Fonts", 0, 0, 252, 160, DS_SETFONT | WS_CHILD | WS_CAPTION, 0,
                                  "MS Sans Serif", 8, kItems};
const DialogTemplateRegistration kRegistration(kTemplate);

} // namespace
