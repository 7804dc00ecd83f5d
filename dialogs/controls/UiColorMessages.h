// Window messages private to the colour controls (the drop-down colour button,
// its pop-up, the palette hosts and the More Colors dialog). wParam carries the
// colour; lParam is 0 from a palette and the control id from a button.
#pragma once

#include "platform/wnd/Messages.h"

#define WM_UI_COLORSELECTED 1244 // a colour was chosen
#define WM_UI_COLORCANCEL 1245   // the choice ended without a new choice
#define WM_UI_COLORCUSTOM 1246   // the palette's "Custom..." entry was pressed
#define WM_UI_COLORCHANGED 1247  // a button's colour now differs from the one it had
