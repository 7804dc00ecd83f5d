// The fonts of the five window categories, process-wide like the other
// preferences (core/Settings.h) but of the dialogs' own font class, so they live
// here. CMUIApp::LoadSettings creates them and SaveSettings deletes them.
#pragma once

class CTextFont;

extern CTextFont* g_MapWindowFont;
extern CTextFont* g_InfoWindowFont;
extern CTextFont* g_DataWindowFont;
extern CTextFont* g_DialogWindowFont;
extern CTextFont* g_ReportWindowFont;
