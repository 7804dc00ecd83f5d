// The layer data structure dialog (25207): the layer chooser, the field list and
// the name, type and width of the field selected in it.
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

const DialogItemTemplate kItems[] = {
    {"Button", IDC_STATIC, "Layers", 7, 4, 236, 30, WS_VISIBLE | BS_GROUPBOX},
    {"ComboBox", IDC_LAYER_CHOOSER, nullptr, 14, 15, 222, 90, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"SysListView32", IDC_FIELD_LIST, nullptr, 7, 40, 236, 100,
     WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS},
    {"Static", IDC_STATIC, "Name", 7, 149, 30, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_FIELD_NAME, "", 40, 147, 90, 13, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {"Static", IDC_STATIC, "Type", 137, 149, 20, 8, WS_VISIBLE | SS_LEFT},
    {"ComboBox", IDC_FIELD_TYPE, nullptr, 160, 147, 83, 80, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
     0, "STRING\nSHORT\nINTEGER\nDOUBLE\nBOOL"},
    {"Static", IDC_STATIC, "Width", 7, 167, 30, 8, WS_VISIBLE | SS_LEFT},
    {"Edit", IDC_FIELD_WIDTH, "", 40, 165, 40, 13, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {"Button", IDC_FIELD_ADD, "&Add", 7, 188, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDC_FIELD_REMOVE, "&Remove", 62, 188, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"Button", IDOK, "OK", 138, 188, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 193, 188, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
};
const DialogTemplate kTemplate = {IDD_LAYER_STRUCTURE, "Layer data structure", 0, 0, 250, 209,
                                  DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                  "MS Sans Serif", 8, kItems};
const DialogTemplateRegistration kRegistration(kTemplate);

} // namespace
