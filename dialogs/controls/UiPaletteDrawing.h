// Drawing shared by the two palette controls and their cells: the 16 border
// styles, the etched separator, the "Custom..." strip with its optional swatch,
// and the selection frame of a rectangle.
#pragma once

#include "platform/base/CRect.h"
#include "platform/base/CString.h"

class CDC;

// Border `style` 1 to 16 on `rect` (other numbers draw nothing). Styles 1 to 4
// draw on a copy; styles 5 to 16 move `rect` inwards by the pixels they draw.
void UiDrawPaletteBorder(CDC* pDC, RECT* rect, int style);

// The etched line over the separator rectangle (its bottom raised by 2).
void UiDrawPaletteSeparator(CDC* pDC, const RECT& separator);

// The "Custom..." strip: `hitRect` becomes the strip, shortened on the right to
// leave room for a swatch of `color` when `swatch` is set. `text` is drawn in
// black, centred, with the font selected in the DC.
void UiDrawPaletteCustom(CDC* pDC, RECT* hitRect, const RECT& customRect, const CString& text, BOOL swatch,
                         COLORREF color);

// White 2 x 2 inside `rect` deflated by 1, black 1 x 1 inside it inflated by 1:
// the frame of a selected rectangular cell and of the pressed "Custom..." strip.
void UiDrawPaletteSelectionFrame(CDC* pDC, const RECT& rect);
