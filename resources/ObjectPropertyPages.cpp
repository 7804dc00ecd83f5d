// The pages of the object property sheet: General (25212), Fill (25211), Line
// (25213), Node (25214) and Data (25221).
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kPage = DS_SETFONT | WS_CHILD | WS_CAPTION;
constexpr DWORD kColorButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr DWORD kReadOnly = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY;

const DialogItemTemplate kFillItems[] = {
    {"Button", IDC_STATIC, "Fill", 7, 7, 200, 70, WS_VISIBLE | BS_GROUPBOX},
    {"Static", IDC_STATIC, "Pattern", 14, 22, 50, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBoxEx32", IDC_STYLE_PATTERN, nullptr, 70, 20, 120, 120, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST},
    {"Static", IDC_STATIC, "Foreground", 14, 40, 50, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_STYLE_FILL_COLOR, "", 70, 38, 60, 13, kColorButton},
    {"Button", IDC_STYLE_FILL_BACKGROUND, "&Background", 14, 58, 52, 10,
     WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
    {"Button", IDC_STYLE_FILL_BKCOLOR, "", 70, 56, 60, 13, kColorButton},
};

const DialogItemTemplate kLineItems[] = {
    {"Button", IDC_STATIC, "Line", 7, 7, 200, 70, WS_VISIBLE | BS_GROUPBOX},
    {"Static", IDC_STATIC, "Style", 14, 22, 50, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBoxEx32", IDC_STYLE_DASH, nullptr, 70, 20, 120, 120, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST},
    {"Static", IDC_STATIC, "Width", 14, 40, 50, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_STYLE_LINE_WIDTH, nullptr, 70, 38, 40, 90, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
     0, "0\n1\n2\n3\n4\n5"},
    {"Static", IDC_STATIC, "Color", 14, 58, 50, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_STYLE_LINE_COLOR, "", 70, 56, 60, 13, kColorButton},
    {"Button", IDC_STATIC, "Arrow", 7, 82, 200, 50, WS_VISIBLE | BS_GROUPBOX},
    {"Static", IDC_STATIC, "Begin Style:", 14, 96, 45, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBoxEx32", IDC_STYLE_ARROW_BEGIN, nullptr, 60, 94, 50, 80, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST},
    {"Static", IDC_STATIC, "End Style:", 114, 96, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBoxEx32", IDC_STYLE_ARROW_END, nullptr, 152, 94, 50, 80, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST},
    {"Static", IDC_STATIC, "Begin Size:", 14, 114, 45, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_STYLE_ARROW_BEGIN_SIZE, nullptr, 60, 112, 50, 80, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN},
    {"Static", IDC_STATIC, "End Size:", 114, 114, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_STYLE_ARROW_END_SIZE, nullptr, 152, 112, 50, 80, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN},
};

const DialogItemTemplate kNodeItems[] = {
    {"Static", IDC_STATIC, "Font", 7, 9, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_STYLE_SYMBOL_FONT, nullptr, 50, 7, 120, 120,
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT},
    {"Static", IDC_STATIC, "Symbol", 7, 27, 40, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_STYLE_SYMBOL, nullptr, 50, 25, 60, 120, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"Static", IDC_STATIC, "Color", 7, 45, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_STYLE_LINE_COLOR, "", 50, 43, 60, 13, kColorButton},
    {"Button", IDC_STATIC, "Type && Size", 7, 62, 200, 34, WS_VISIBLE | BS_GROUPBOX},
    {"ComboBox", IDC_STYLE_SYMBOL_STYLE, nullptr, 14, 75, 70, 80, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0,
     "Regular\nBold\nItalic\nBold Italic"},
    {"ComboBox", IDC_STYLE_SYMBOL_SIZE, nullptr, 90, 75, 40, 100, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
     0, "8\n9\n10\n12\n14\n16\n18\n20\n22"},
};

const DialogItemTemplate kGeneralItems[] = {
    {"Static", IDC_STATIC, "Area", 7, 9, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_OBJECT_AREA, "", 50, 7, 80, 12, kReadOnly},
    {"Static", IDC_OBJECT_UNIT_AREA, "", 134, 9, 90, 8, WS_VISIBLE | SS_LEFT},
    {"Static", IDC_STATIC, "Perimeter", 7, 25, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_OBJECT_PERIMETER, "", 50, 23, 80, 12, kReadOnly},
    {"Static", IDC_OBJECT_UNIT_DISTANCE, "", 134, 25, 90, 8, WS_VISIBLE | SS_LEFT},
    {"Static", IDC_STATIC, "X1, Y1", 7, 41, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_OBJECT_X1, "", 50, 39, 60, 12, kReadOnly},
    {"Edit", IDC_OBJECT_Y1, "", 114, 39, 60, 12, kReadOnly},
    {"Static", IDC_OBJECT_UNIT_XY1, "", 178, 41, 50, 8, WS_VISIBLE | SS_LEFT},
    {"Static", IDC_STATIC, "X2, Y2", 7, 57, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_OBJECT_X2, "", 50, 55, 60, 12, kReadOnly},
    {"Edit", IDC_OBJECT_Y2, "", 114, 55, 60, 12, kReadOnly},
    {"Static", IDC_OBJECT_UNIT_XY2, "", 178, 57, 50, 8, WS_VISIBLE | SS_LEFT},
    {"Static", IDC_STATIC, "Points", 7, 73, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_OBJECT_POINTS, "", 50, 71, 60, 12, kReadOnly},
    {"Static", IDC_STATIC, "Draw by ", 7, 91, 40, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDC_OBJECT_DRAW_BY_LAYER, "Layer", 50, 90, 50, 10,
     WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
    {"Button", IDC_OBJECT_DRAW_BY_OBJECT, "Object", 104, 90, 50, 10, WS_VISIBLE | BS_AUTORADIOBUTTON},
};

const DialogItemTemplate kDataItems[] = {
    {"SysListView32", IDC_OBJECT_DATA_LIST, nullptr, 7, 7, 220, 90,
     WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS},
    {"Button", IDC_OBJECT_DATA_GROUP, "", 7, 100, 220, 30, WS_VISIBLE | BS_GROUPBOX},
    {"Edit", IDC_OBJECT_DATA_VALUE, "", 14, 112, 206, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
};

const DialogTemplate kFill = {IDD_STYLE_FILL, "Fill", 0, 0, 234, 140, kPage, 0, "MS Sans Serif", 8, kFillItems};
const DialogTemplate kLine = {IDD_STYLE_LINE, "Line", 0, 0, 234, 140, kPage, 0, "MS Sans Serif", 8, kLineItems};
const DialogTemplate kNode = {IDD_STYLE_NODE, "Node", 0, 0, 234, 140, kPage, 0, "MS Sans Serif", 8, kNodeItems};
const DialogTemplate kGeneral = {IDD_OBJECT_GENERAL, "General", 0, 0, 234, 140, kPage, 0, "MS Sans Serif", 8,
                                 kGeneralItems};
const DialogTemplate kData = {IDD_OBJECT_DATA, "Data", 0, 0, 234, 140, kPage, 0, "MS Sans Serif", 8, kDataItems};
const DialogTemplateRegistration kFillRegistration(kFill);
const DialogTemplateRegistration kLineRegistration(kLine);
const DialogTemplateRegistration kNodeRegistration(kNode);
const DialogTemplateRegistration kGeneralRegistration(kGeneral);
const DialogTemplateRegistration kDataRegistration(kData);

} // namespace
