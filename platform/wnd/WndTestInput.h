// Synthetic input for tests: the Qt events that the platform turns into mouse and
// key messages, delivered to a window's widget as the windowing system would, and
// a way to let the event loop run. Tests of any folder drive windows with these
// without touching Qt.
#pragma once

#include "platform/wnd/Messages.h"

// `message`: WM_MOUSEMOVE or a button's WM_xBUTTONDOWN / UP / DBLCLK, at client
// point (x, y); `keyFlags`: the MK_* state after the event (buttons held, Shift, Ctrl).
void AfxTestMouse(HWND hwnd, UINT message, int x, int y, UINT keyFlags = 0);
// A left click at screen point (x, y) that the window system has queued for the top-level
// window of `hwnd`: it arrives when the event loop next runs, and the window beneath the
// point that gets it is found then.
void AfxTestQueueSystemClick(HWND hwnd, int x, int y);
// A wheel turn of `delta` (120 per notch) with the pointer at client point (x, y).
void AfxTestWheel(HWND hwnd, int x, int y, int delta, UINT keyFlags = 0);
// A key press or release; `text` is what the key types (null: nothing); `keyFlags`
// MK_SHIFT / MK_CONTROL, `alt` the Alt key.
void AfxTestKey(HWND hwnd, UINT vk, bool down, const char* text = nullptr, UINT keyFlags = 0, bool alt = false);
// Press and release, typing `text`.
void AfxTestKeyStroke(HWND hwnd, UINT vk, const char* text = nullptr, UINT keyFlags = 0);
// Runs the event loop until queued messages, posted events and pending paints are done.
void AfxTestProcessEvents();
// Runs the event loop for about `ms` milliseconds (timers fire meanwhile).
void AfxTestRunFor(int ms);
