// The GPS Data window (130): port and baud rate, the receiver's time, position,
// motion and satellites, the data logger's buttons and the status line; the
// data logger's Download (131) and settings (132) dialogs; the GPS log viewer
// (25402).
#include "platform/base/DialogTemplates.h"
#include "platform/controls/CommCtrl.h"
#include "platform/wnd/Messages.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
constexpr DWORD kValue = WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCombo = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

const char kPorts[] = "COM1\nCOM2\nCOM3\nCOM4\nCOM5\nCOM6\nCOM7\nCOM8\nCOM9\nCOM10\nCOM11\nCOM12\nCOM13\nCOM14\n"
                      "COM15\nCOM16\nCOM17\nCOM18\nCOM19\nCOM20\nCOM21\nCOM22\nCOM23\nCOM24\nCOM25\nCOM26\n"
                      "COM27\nCOM28\nCOM29\nCOM30\nCOM31\nCOM32";
const char kRates[] = "1200\n2400\n4800\n9600\n14400\n19200\n38400\n57600\n115200";

const DialogItemTemplate kGpsDataItems[] = {
    {"Static", IDC_STATIC, "Port", 7, 9, 40, 8, kLabel},
    {"ComboBox", IDC_GPS_PORT, nullptr, 50, 7, 60, 120, kCombo, 0, kPorts},
    {"Static", IDC_GPS_BAUD_LABEL, "Baud Rate", 118, 9, 40, 8, kLabel},
    {"ComboBox", IDC_GPS_BAUD_RATE, nullptr, 160, 7, 60, 120, kCombo, 0, kRates},
    {"Button", IDC_GPS_OPEN_PORT, "&Open Port", 228, 6, 60, 14, kButton},
    {"Button", IDC_GPS_CLOSE_PORT, "&Close Port", 292, 6, 60, 14, kButton},
    {"Button", IDC_GPS_TRINE, "Emtac Trine GPS Receiver", 228, 6, 124, 14, kButton},

    {"Static", IDC_STATIC, "UTC Time", 7, 32, 60, 8, kLabel},
    {"Edit", IDC_GPS_UTC_TIME, "", 70, 30, 70, 12, kValue},
    {"Static", IDC_STATIC, "Local Time", 7, 48, 60, 8, kLabel},
    {"Edit", IDC_GPS_LOCAL_TIME, "", 70, 46, 70, 12, kValue},
    {"Static", IDC_STATIC, "Date", 7, 64, 60, 8, kLabel},
    {"Edit", IDC_GPS_DATE, "", 70, 62, 70, 12, kValue},
    {"Static", IDC_STATIC, "Latitude (Deg)", 7, 80, 60, 8, kLabel},
    {"Edit", IDC_GPS_LATITUDE, "", 70, 78, 70, 12, kValue},
    {"Static", IDC_STATIC, "Longitude (Deg)", 7, 96, 60, 8, kLabel},
    {"Edit", IDC_GPS_LONGITUDE, "", 70, 94, 70, 12, kValue},
    {"Static", IDC_STATIC, "Altitude", 7, 112, 60, 8, kLabel},
    {"Edit", IDC_GPS_ALTITUDE, "", 70, 110, 70, 12, kValue},

    {"Static", IDC_STATIC, "Speed(Knots)", 160, 32, 75, 8, kLabel},
    {"Edit", IDC_GPS_SPEED_KNOTS, "", 240, 30, 70, 12, kValue},
    {"Static", IDC_STATIC, "Speed(Km/hr)", 160, 48, 75, 8, kLabel},
    {"Edit", IDC_GPS_SPEED_KMH, "", 240, 46, 70, 12, kValue},
    {"Static", IDC_STATIC, "True Course (Deg)", 160, 64, 75, 8, kLabel},
    {"Edit", IDC_GPS_TRUE_COURSE, "", 240, 62, 70, 12, kValue},
    {"Static", IDC_STATIC, "Mag. Variation(deg)", 160, 80, 75, 8, kLabel},
    {"Edit", IDC_GPS_VARIATION, "", 240, 78, 70, 12, kValue},
    {"Static", IDC_STATIC, "Ref. Station ID", 160, 96, 75, 8, kLabel},
    {"Edit", IDC_GPS_STATION, "", 240, 94, 70, 12, kValue},
    {"Static", IDC_STATIC, "Num Satellites", 160, 112, 75, 8, kLabel},
    {"Edit", IDC_GPS_SATELLITES, "", 240, 110, 70, 12, kValue},

    {"SysAnimate32", IDC_GPS_ANIMATION, nullptr, 320, 30, 32, 32, 0},
    {"Button", IDC_GPS_TRINE_DOWNLOAD, "Download Emtac Trine Data", 7, 132, 110, 14, kButton},
    {"Button", IDC_GPS_TRINE_SETTINGS, "Dataloger Setting", 122, 132, 80, 14, kButton},
    {"Button", IDC_GPS_CLOSE, "Close", 292, 132, 60, 14, kButton},
    {"Static", IDC_GPS_STATUS, "Ready", 7, 152, 345, 8, kLabel},
};
const DialogTemplate kGpsData = {IDD_GPS_DATA, "GPS Data", 0, 0, 360, 166,
                                 DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                                 "MS Sans Serif", 8, kGpsDataItems};
const DialogTemplateRegistration kGpsDataRegistration(kGpsData);

constexpr DWORD kEdit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kPicker = WS_VISIBLE | WS_TABSTOP | DTS_RIGHTALIGN;

const DialogItemTemplate kDownloadItems[] = {
    {"Static", IDC_DL_RECORD_COUNT, "", 7, 7, 226, 8, kLabel},
    {"Static", IDC_STATIC, "&Type:", 7, 24, 40, 8, kLabel},
    {"ComboBox", IDC_DL_TYPE, nullptr, 50, 22, 100, 80, kCombo, 0,
     "All\nRecord Number\nBefore Date\nAfter Date\nBetween Dates"},
    {"Static", IDC_STATIC, "&From:", 7, 42, 40, 8, kLabel},
    {"Edit", IDC_DL_FROM, "", 50, 40, 60, 12, kEdit},
    {"Static", IDC_STATIC, "&To:", 120, 42, 20, 8, kLabel},
    {"Edit", IDC_DL_TO, "", 143, 40, 60, 12, kEdit},
    {"Static", IDC_STATIC, "&After:", 7, 60, 40, 8, kLabel},
    {DATETIMEPICK_CLASS, IDC_DL_AFTER, nullptr, 50, 58, 183, 12, kPicker},
    {"Static", IDC_STATIC, "&Before:", 7, 78, 40, 8, kLabel},
    {DATETIMEPICK_CLASS, IDC_DL_BEFORE, nullptr, 50, 76, 183, 12, kPicker},
    {"Button", IDOK, "&OK", 127, 98, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 183, 98, 50, 14, kButton},
};
const DialogTemplate kDownload = {IDD_DATALOGGER_DOWNLOAD, "Datalogger Download", 0, 0, 240, 118,
                                  DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                  "MS Sans Serif", 8, kDownloadItems};
const DialogTemplateRegistration kDownloadRegistration(kDownload);

constexpr DWORD kCheck = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

const DialogItemTemplate kSettingsItems[] = {
    {"Static", IDC_STATIC, "&Elapse Time (1-65535 sec):", 7, 9, 100, 8, kLabel},
    {"Edit", IDC_DL_ELAPSE, "", 110, 7, 60, 12, kEdit},
    {"Button", IDC_DL_DISABLE_ELAPSE, "Disable", 178, 8, 50, 10, kCheck},
    {"Static", IDC_STATIC, "&Movement (1-65536 m):", 7, 27, 100, 8, kLabel},
    {"Edit", IDC_DL_MOVEMENT, "", 110, 25, 60, 12, kEdit},
    {"Button", IDC_DL_DISABLE_MOVEMENT, "Disable", 178, 26, 50, 10, kCheck},
    {"Button", IDC_DL_ERASE, "E&rase Existing Data", 7, 46, 120, 10, kCheck},
    {"Button", IDOK, "OK", 122, 64, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 178, 64, 50, 14, kButton},
};
const DialogTemplate kSettings = {IDD_DATALOGGER_SETTINGS, "Datenlogger Einstellungen", 0, 0, 235, 84,
                                  DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                  "MS Sans Serif", 8, kSettingsItems};
const DialogTemplateRegistration kSettingsRegistration(kSettings);

const DialogItemTemplate kViewImportItems[] = {
    {"Edit", IDC_VIEW_IMPORT_PREVIEW, "", 7, 7, 251, 223, WS_VISIBLE | WS_BORDER | ES_READONLY},
    {WC_LISTVIEW, IDC_VIEW_IMPORT_LIST, nullptr, 261, 7, 149, 222,
     WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA},
    {"Button", IDOK, "OK", 7, 232, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 360, 232, 50, 14, kButton},
};
const DialogTemplate kViewImport = {IDD_VIEW_DATA_IMPORT, "View Data Import", 0, 0, 417, 253,
                                    DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                    "MS Sans Serif", 8, kViewImportItems};
const DialogTemplateRegistration kViewImportRegistration(kViewImport);

} // namespace
