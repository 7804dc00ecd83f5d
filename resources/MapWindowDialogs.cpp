// The map editor's own dialog templates: the layer chooser (25205) with its
// drop-down list of layers (25060).
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

const DialogItemTemplate kLayerChooserItems[] = {
    {"ComboBox", IDC_LAYER_CHOOSER, nullptr, 7, 7, 150, 80, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"Button", IDOK, "OK", 52, 28, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 107, 28, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
};
const DialogTemplate kLayerChooser = {IDD_LAYER_CHOOSER, "Layer", 0, 0, 164, 49,
                                      DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                      "MS Sans Serif", 8, kLayerChooserItems};
const DialogTemplateRegistration kLayerChooserRegistration(kLayerChooser);

} // namespace
