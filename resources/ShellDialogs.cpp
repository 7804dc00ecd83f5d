// The About box (100) and the splash screen (25410), whose picture is bitmap 25409.
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

const DialogItemTemplate kAboutItems[] = {
    {"Static", IDC_ABOUT_VERSION, "Veltrin Terravue Version 1.04", 40, 10, 200, 20, WS_VISIBLE | SS_LEFT},
    {"Static", IDC_STATIC, "Map editing and GPS field data collection", 40, 36, 200, 8, WS_VISIBLE | SS_LEFT},
    {"Static", IDC_STATIC, "Copyright (C) Veltrin", 40, 48, 200, 8, WS_VISIBLE | SS_LEFT},
    {"Static", IDC_STATIC, "Kolvo powered Applications", 40, 60, 200, 8, WS_VISIBLE | SS_LEFT},
    {"Button", IDOK, "OK", 200, 78, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
};
const DialogTemplate kAbout = {IDD_ABOUTBOX, "About Terravue Desktop", 0, 0, 260, 98,
                               DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                               "MS Sans Serif", 8, kAboutItems};
const DialogTemplateRegistration kAboutRegistration(kAbout);

// The splash screen paints its picture itself over the whole dialog.
const DialogTemplate kSplash = {IDD_SPLASH, "", 0, 0, 425, 258, DS_CENTER | DS_SETFONT | WS_POPUP | WS_BORDER, 0,
                                "MS Sans Serif", 8, {}};
const DialogTemplateRegistration kSplashRegistration(kSplash);

} // namespace
