// The process-wide preferences. They start with the defaults of the preference
// store, are filled from the profile at start-up (CMUIApp::LoadSettings) and are
// read directly by the map objects, layers and windows. Plain values only: the
// window fonts, of the dialogs' font class, are in dialogs/WindowFonts.h.
#pragma once

#include "platform/base/Afx.h"
#include "core/Utilities.h"   // g_NewObjectSymbolFontName

extern int g_CoordinationSystem;        // EPSG code of new maps
extern float g_ZoomSize;                // zoom step factor
extern int g_SnapPoints;                // hit and snap tolerance, pixels
extern int g_RuleColor;                 // COLORREF of the measuring line
extern int g_DistanceUnit;              // unit codes of new maps (core/MapUnits.h)
extern int g_AreaUnit;
extern int g_CoordinateUnit;
extern int g_UseSpherical;
extern BOOL g_ShowInfoTool;
extern BOOL g_StoreWorkspaceAutomatically;
extern BOOL g_SaveSettingsOnExit;
extern int g_DefaultGridWidth;
extern int g_DefaultGridHeight;

// The "New Object" preference: the style of new objects (core/MapStyle.h).
// Fields of the range 0-255 keep only the low byte of what the profile holds.
extern int g_NewObjectBrushStyle;
extern int g_NewObjectBrushColor;       // COLORREF
extern int g_NewObjectBkOpaque;
extern int g_NewObjectBkColor;          // COLORREF
extern int g_NewObjectPenStyle;
extern BYTE g_NewObjectPenWidth;
extern int g_NewObjectPenColor;         // COLORREF
// g_NewObjectSymbolFontName: core/Utilities.h
extern BYTE g_NewObjectSymbolFontStyle; // 0 regular, 1 bold, 2 italic, 3 bold italic
extern BYTE g_NewObjectSymbolSize;
extern BYTE g_NewObjectSymbolChar;
extern int g_NewObjectSymbolColor;      // COLORREF
extern int g_NewObjectBeginArrowStyle;
extern int g_NewObjectEndArrowStyle;

extern BOOL g_QuickInfoTool;

// Text colours of new styles; not stored in the profile, changed by the label
// and text dialogs.
extern COLORREF g_DefaultTextColor;
extern COLORREF g_DefaultTextBkColor;
