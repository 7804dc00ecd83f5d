// The templates of the dialog tests, registered as the program's own are.
#include "DialogTestSupport.h"

namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
constexpr DWORD kPageStyle = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;

const DialogItemTemplate kEditItems[] = {
    {WC_STATIC, IDC_STATIC, "Value:", 7, 9, 40, 8, WS_VISIBLE | SS_LEFT},
    {WC_EDIT, IDC_VALUE, "", 50, 7, 120, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {WC_EDIT, IDC_DISABLED, "", 50, 23, 120, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_DISABLED},
    {WC_COMBOBOX, IDC_LIST, "", 50, 39, 120, 60, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
     "Alpha\nBeta\nGamma"},
    {WC_BUTTON, IDOK, "OK", 66, 60, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {WC_BUTTON, IDCANCEL, "Cancel", 120, 60, 50, 14, WS_VISIBLE | WS_TABSTOP},
};
const DialogTemplate kEdit = {IDD_TEST_EDIT, "Edit Test", 0, 0, 180, 80, kDialogStyle, 0, "MS Sans Serif", 8,
                              kEditItems};
const DialogTemplateRegistration kEditRegistration(kEdit);

const DialogItemTemplate kExchangeItems[] = {
    {WC_EDIT, IDC_X_EDIT, "", 7, 7, 100, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {WC_BUTTON, IDC_X_CHECK, "Check", 7, 22, 60, 10, WS_VISIBLE | WS_TABSTOP | BS_AUTO3STATE},
    {WC_BUTTON, IDC_X_RADIO1, "One", 7, 35, 40, 10, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
    {WC_STATIC, IDC_STATIC, "a label inside the group", 50, 35, 60, 8, WS_VISIBLE},
    {WC_BUTTON, IDC_X_RADIO2, "Two", 7, 47, 40, 10, WS_VISIBLE | BS_AUTORADIOBUTTON},
    {WC_BUTTON, IDC_X_RADIO3, "Three", 7, 59, 40, 10, WS_VISIBLE | BS_AUTORADIOBUTTON},
    {WC_BUTTON, IDC_X_NEXTGROUP, "Other group", 7, 71, 60, 10, WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON},
    {WC_COMBOBOX, IDC_X_DROPLIST, "", 120, 7, 80, 60, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0,
     "Meters\nKilometers\nMiles"},
    {WC_COMBOBOX, IDC_X_DROPDOWN, "", 120, 22, 80, 60, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN, 0,
     "8\n10\n12\n14"},
    {WC_LISTBOX, IDC_X_LISTBOX, "", 120, 40, 80, 40, WS_VISIBLE | WS_TABSTOP | WS_BORDER | LBS_NOTIFY, 0,
     "red\ngreen\nblue"},
    {TRACKBAR_CLASS, IDC_X_SLIDER, "", 7, 85, 120, 15, WS_VISIBLE | WS_TABSTOP},
    {WC_BUTTON, IDOK, "OK", 150, 90, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
};
const DialogTemplate kExchange = {IDD_TEST_EXCHANGE, "Exchange", 0, 0, 210, 110, kDialogStyle, 0, nullptr, 0,
                                  kExchangeItems};
const DialogTemplateRegistration kExchangeRegistration(kExchange);

const DialogItemTemplate kBadItems[] = {
    {WC_STATIC, IDC_STATIC, "before", 7, 7, 40, 8, WS_VISIBLE},
    {"NoSuchWindowClass", 1500, "", 7, 20, 40, 8, WS_VISIBLE},
    {WC_BUTTON, IDOK, "OK", 7, 40, 50, 14, WS_VISIBLE | WS_TABSTOP},
};
const DialogTemplate kBad = {IDD_TEST_BADCLASS, "Bad", 0, 0, 100, 60, kDialogStyle, 0, nullptr, 0, kBadItems};
const DialogTemplateRegistration kBadRegistration(kBad);
const DialogTemplate kNoFail = {IDD_TEST_NOFAIL, "No fail", 0, 0, 100, 60, kDialogStyle | DS_NOFAILCREATE, 0,
                                nullptr, 0, kBadItems};
const DialogTemplateRegistration kNoFailRegistration(kNoFail);

const DialogItemTemplate kPage1Items[] = {
    {WC_STATIC, IDC_STATIC, "Width:", 7, 9, 30, 8, WS_VISIBLE},
    {WC_EDIT, IDC_PAGE_EDIT, "", 40, 7, 60, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER},
};
const DialogTemplate kPage1 = {IDD_TEST_PAGE1, "First", 0, 0, 150, 80, kPageStyle, 0, "MS Sans Serif", 8,
                               kPage1Items};
const DialogTemplateRegistration kPage1Registration(kPage1);

const DialogItemTemplate kPage2Items[] = {
    {WC_BUTTON, IDC_X_CHECK, "Check", 7, 7, 60, 10, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
};
const DialogTemplate kPage2 = {IDD_TEST_PAGE2, "Second", 0, 0, 200, 100, kPageStyle, 0, "MS Sans Serif", 8,
                               kPage2Items};
const DialogTemplateRegistration kPage2Registration(kPage2);

const DialogItemTemplate kPage3Items[] = {
    {WC_EDIT, IDC_PAGE_EDIT, "", 7, 7, 60, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER},
    {WC_BUTTON, IDC_PAGE_BUTTON, "Reset &All", 7, 25, 60, 14, WS_VISIBLE | WS_TABSTOP},
};
const DialogTemplate kPage3 = {IDD_TEST_PAGE3, "Third", 0, 0, 120, 60, kPageStyle, 0, "MS Sans Serif", 8,
                               kPage3Items};
const DialogTemplateRegistration kPage3Registration(kPage3);

} // namespace
