// A colour picker exchanged with one of the process-wide default colours, so
// that confirming a dialog makes the picked colour the default of the styles
// made later. The defaults of new objects are kept as ints, the text defaults
// as COLORREFs.
#pragma once

#include "dialogs/controls/UiDropColorButton.h"

inline void DDX_DefaultColor(CDataExchange* pDX, int nIDC, int& global)
{
    COLORREF color = (COLORREF)global;
    DDX_DropColorButton(pDX, nIDC, color);
    global = (int)color;
}

inline void DDX_DefaultColor(CDataExchange* pDX, int nIDC, COLORREF& global) { DDX_DropColorButton(pDX, nIDC, global); }
