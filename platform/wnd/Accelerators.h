// Keyboard accelerators: a table loaded from the registered resources, and the
// translation of a key-down into the table's command. Frames translate in their
// PreTranslateMessage, before the key reaches the focus window.
#pragma once

#include "platform/base/ResourceMenus.h"
#include "platform/wnd/Messages.h"

// The registered table of `lpTableName` (MAKEINTRESOURCE of its id); null when
// there is none. Tables are resource data: nothing to free.
HACCEL LoadAccelerators(HINSTANCE hInstance, LPCTSTR lpTableName);
// A WM_KEYDOWN / WM_SYSKEYDOWN whose key and Shift, Ctrl and Alt state match an
// entry sends WM_COMMAND (notification code 1) with the entry's command to
// `hWnd` and returns 1; anything else returns 0.
int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg);
