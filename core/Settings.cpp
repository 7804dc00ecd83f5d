// The preference values before any profile is read.
#include "core/Settings.h"

// Defaults are those of the string table's default texts, so a program that
// never loaded a profile behaves like one that loaded an empty profile.
int g_CoordinationSystem = 4803;
float g_ZoomSize = 1.5f;
int g_SnapPoints = 2;
int g_RuleColor = 0;
int g_DistanceUnit = 1;
int g_AreaUnit = 1;
int g_CoordinateUnit = 11;
int g_UseSpherical = 1;
BOOL g_ShowInfoTool = TRUE;
BOOL g_StoreWorkspaceAutomatically = TRUE;
BOOL g_SaveSettingsOnExit = TRUE;
int g_DefaultGridWidth = 250;
int g_DefaultGridHeight = 250;

int g_NewObjectBrushStyle = 1;
int g_NewObjectBrushColor = 16777215;
int g_NewObjectBkOpaque = 0;
int g_NewObjectBkColor = 16777215;
int g_NewObjectPenStyle = 1;
BYTE g_NewObjectPenWidth = 1;
int g_NewObjectPenColor = 0;
BYTE g_NewObjectSymbolFontStyle = 0;
BYTE g_NewObjectSymbolSize = 12;
BYTE g_NewObjectSymbolChar = 60;
int g_NewObjectSymbolColor = 1;
int g_NewObjectBeginArrowStyle = 0;
int g_NewObjectEndArrowStyle = 0;

BOOL g_QuickInfoTool = TRUE;

COLORREF g_DefaultTextColor = RGB(0, 0, 0);
COLORREF g_DefaultTextBkColor = RGB(255, 255, 255);
