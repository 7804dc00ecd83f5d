// Text Properties (25216) and Label Properties (25203): one layout, two sets of ids.
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

struct Ids {
    int text, font, x, y, angle, line, lineColor, foreground, background, backgroundColor;
};

#define TEXT_PROPERTY_ITEMS(I)                                                                                     \
    {                                                                                                              \
        {"Button", IDC_STATIC, "Text", 7, 4, 190, 86, WS_VISIBLE | BS_GROUPBOX},                                   \
        {"Edit", I.text, "", 14, 16, 176, 50,                                                                      \
         WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL},        \
        {"Button", I.font, "&Font", 140, 70, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},                     \
        {"Button", IDC_STATIC, "Position", 7, 94, 190, 46, WS_VISIBLE | BS_GROUPBOX},                              \
        {"Static", IDC_STATIC, "X:", 14, 108, 14, 8, WS_VISIBLE | SS_LEFT},                                        \
        {"Edit", I.x, "", 30, 106, 70, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},                  \
        {"Static", IDC_STATIC, "Y:", 104, 108, 14, 8, WS_VISIBLE | SS_LEFT},                                       \
        {"Edit", I.y, "", 118, 106, 70, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},                 \
        {"Static", IDC_STATIC, "Angle:", 14, 124, 24, 8, WS_VISIBLE | SS_LEFT},                                    \
        {"Edit", I.angle, "", 40, 122, 40, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},             \
        {"Button", IDC_STATIC, "Display Property", 7, 144, 190, 62, WS_VISIBLE | BS_GROUPBOX},                     \
        {"Button", I.line, "&Line", 14, 158, 60, 10, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},                   \
        {"Button", I.lineColor, "", 110, 156, 60, 13, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW},                     \
        {"Static", IDC_STATIC, "Foreground", 14, 174, 60, 8, WS_VISIBLE | SS_LEFT},                                \
        {"Button", I.foreground, "", 110, 172, 60, 13, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW},                    \
        {"Button", I.background, "&Background", 14, 190, 60, 10, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},       \
        {"Button", I.backgroundColor, "", 110, 188, 60, 13, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW},               \
        {"Button", IDOK, "OK", 204, 7, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},                        \
        {"Button", IDCANCEL, "Cancel", 204, 25, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},                  \
    }

constexpr Ids kText = {IDC_TEXTPROP_TEXT,       IDC_TEXTPROP_FONT,       IDC_TEXTPROP_X,
                       IDC_TEXTPROP_Y,          IDC_TEXTPROP_ANGLE,      IDC_TEXTPROP_LINE,
                       IDC_TEXTPROP_LINE_COLOR, IDC_TEXTPROP_FOREGROUND, IDC_TEXTPROP_BACKGROUND,
                       IDC_TEXTPROP_BACKGROUND_COLOR};
constexpr Ids kLabel = {IDC_LABELPROP_TEXT,       IDC_LABELPROP_FONT,       IDC_LABELPROP_X,
                        IDC_LABELPROP_Y,          IDC_LABELPROP_ANGLE,      IDC_LABELPROP_LINE,
                        IDC_LABELPROP_LINE_COLOR, IDC_LABELPROP_FOREGROUND, IDC_LABELPROP_BACKGROUND,
                        IDC_LABELPROP_BACKGROUND_COLOR};

const DialogItemTemplate kTextItems[] = TEXT_PROPERTY_ITEMS(kText);
const DialogItemTemplate kLabelItems[] = TEXT_PROPERTY_ITEMS(kLabel);

const DialogTemplate kTextProperties = {IDD_TEXT_PROPERTIES, "Text Properties", 0, 0, 261, 213,
                                        DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                        "MS Sans Serif", 8, kTextItems};
const DialogTemplate kLabelProperties = {IDD_LABEL_PROPERTIES, "Label Properties", 0, 0, 261, 213,
                                         DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                         "MS Sans Serif", 8, kLabelItems};
const DialogTemplateRegistration kTextRegistration(kTextProperties);
const DialogTemplateRegistration kLabelRegistration(kLabelProperties);

} // namespace
