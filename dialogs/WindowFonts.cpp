// The window fonts start out absent: nothing may use them before the settings
// are loaded.
#include "dialogs/WindowFonts.h"

CTextFont* g_MapWindowFont = nullptr;
CTextFont* g_InfoWindowFont = nullptr;
CTextFont* g_DataWindowFont = nullptr;
CTextFont* g_DialogWindowFont = nullptr;
CTextFont* g_ReportWindowFont = nullptr;
