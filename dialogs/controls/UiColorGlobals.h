// The system colours and display depth that every colour control draws with. One
// record per process, filled on first use and refreshed whenever a colour window
// sees WM_SYSCOLORCHANGE, so that all palettes repaint with the same colours.
#pragma once

#include "platform/base/WinTypes.h"

struct CUiColorGlobals {
    COLORREF face = 0;        // COLOR_BTNFACE
    COLORREF shadow = 0;      // COLOR_BTNSHADOW
    COLORREF darkShadow = 0;  // COLOR_3DDKSHADOW
    COLORREF shadow2 = 0;     // COLOR_BTNSHADOW again: the border styles 5 to 16 use this copy
    COLORREF highlight2 = 0;  // COLOR_BTNHIGHLIGHT
    COLORREF light = 0;       // COLOR_3DLIGHT
    COLORREF frame = 0;       // always black: never taken from the system
    COLORREF caption = 0;     // COLOR_ACTIVECAPTION
    COLORREF windowFrame = 0; // COLOR_WINDOWFRAME
    int bitsPerPixel = 0;     // of the whole screen

    // Reads the system colours and the screen's depth into the record.
    void Refresh();
};

// The process's record; filled before it is first returned.
CUiColorGlobals& UiColorGlobals();
