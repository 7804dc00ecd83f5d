// What the window files (WndCore, WndDefProc, WndFocus, WndGeometry, WndPaint, WndScroll,
// WndTimers) share: the list of top-level windows, the focus, capture, activation and
// desktop handles, and the helpers on window records that more than one of them needs.
// Private to the window layer.
#pragma once

#include "platform/wnd/WndInternal.h"

#include <QColor>
#include <QMargins>
#include <QRect>

#include <vector>

namespace wnd {

// Top-level windows in z-order, the top one first: a new window starts on top,
// and activation raises a window with the windows it owns above it.
std::vector<HWND>& TopLevels();
// Moves a top-level window to the top, then the windows it owns above it.
void RaiseTopLevel(HWND h);

// The window with the keyboard focus, the one capturing the mouse, the active top-level
// window and the desktop's pseudo window; null for none. Stale handles may remain until
// looked up: compare them with Find.
extern HWND g_focus;
extern HWND g_capture;
extern HWND g_active;
extern HWND g_desktop;

inline bool IsChildStyle(DWORD style) { return (style & WS_CHILD) != 0; }
// RECT (right and bottom out) <-> QRect (right and bottom in).
inline QRect ToQ(const RECT& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }
inline RECT ToR(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// The tree (WndCore.cpp).
HWND TopLevelOf(HWND h);
bool IsSelfOrDescendant(HWND ancestor, HWND h);
// The list `w` is kept in: its parent's children, or the top-level windows.
std::vector<HWND>* SiblingList(Window* w);

// Geometry (WndGeometry.cpp).
// The window's frame is ours to draw: child windows and popups without a caption.
bool DrawnFrame(DWORD style);
// The non-client insets of the standard frame, edges and scroll bars of a style.
QMargins StandardInsets(DWORD style, DWORD exStyle);
QRect ScreenRect();
QSize ClientSize(const Window* w);
QPoint NcOrigin(const Window* w);
// The window rectangle: in the parent's client coordinates for a child, else on the screen.
QRect RelativeRect(const Window* w);
void SetRelativeRect(Window* w, const QRect& r);

// Painting (WndPaint.cpp).
// A class background brush, which may be a system colour index plus one.
HBRUSH RealBrush(HBRUSH brush);
// The client size changed from `before`: the surface follows and the uncovered parts are invalid.
void ClientResized(Window* w, QSize before);

// Focus (WndFocus.cpp): moves the focus, sending WM_KILLFOCUS and WM_SETFOCUS.
void SwitchFocus(HWND to);

} // namespace wnd
