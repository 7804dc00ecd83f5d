// Test support: the editor inside an edit-like control (edit, rich edit, date-time
// picker) as the user meets it: pointer input straight at the editor, and what the
// control shows on screen.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

// Whether the control's editor is a one-line editor.
bool EditorIsSingleLine(HWND hwnd);
// The editor's height in pixels; 0 without an editor.
int EditorHeight(HWND hwnd);
// A double click of the left button on the editor itself at editor point (x, y), as
// the user's pointer gives it; false without an editor.
bool DoubleClickEditor(HWND hwnd, int x, int y);
// The font the editor shows its text in.
struct EditorFontFacts {
    CString family;
    int pixelSize = 0; // -1 where the font is sized in points
    bool bold = false;
};
// False without an editor.
bool GetEditorFont(HWND hwnd, EditorFontFacts* out);

// The fields of a date-time picker's editor.
enum class DateField { Year, Month, Day, Hour, Minute, Second };
// Puts the picker's editor in `field`, as a click into that field would; false
// without a date-time editor or without that field in its format.
bool SelectDateField(HWND hwnd, DateField field);

// Whether the control shows its window surface instead of the editor (a class
// derived from the control paints it).
bool ShowsSurface(HWND hwnd);
// The colour the control shows on screen at window point (x, y) (from the window's
// top-left corner), grabbed from what it renders; CLR_INVALID for other windows or
// outside it.
COLORREF ShownPixel(HWND hwnd, int x, int y);
