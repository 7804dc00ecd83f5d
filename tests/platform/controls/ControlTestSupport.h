// A parent window that records what its controls send it: commands, notifications,
// owner-draw and measure requests, colour requests and scroll messages.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/wnd/CWnd.h"
#include "platform/wnd/WindowDC.h"
#include "platform/controls/CommCtrl.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WndTestInput.h"

#include <functional>
#include <string>
#include <vector>

struct Event {
    UINT message = 0;
    int id = 0;
    UINT code = 0;   // WM_COMMAND / WM_NOTIFY code; scroll code for WM_xSCROLL
    int item = 0;    // owner-draw item, notification item, scroll position
    UINT action = 0; // owner-draw action / custom-draw stage
    UINT state = 0;  // owner-draw state / list-view new state
    HWND from = nullptr;
};

class ParentWnd : public CWnd {
public:
    ParentWnd();
    ~ParentWnd() override;

    std::vector<Event> events;
    // Acts on a WM_COMMAND after recording it.
    std::function<void(int id, UINT code)> onCommand;
    // Answers WM_NOTIFY before the default processing; return false to leave it to it.
    std::function<bool(NMHDR*, LRESULT*)> onNotify;
    // Draws owner-drawn items (after recording them).
    std::function<void(DRAWITEMSTRUCT*)> onDrawItem;
    // The item height that WM_MEASUREITEM answers (0: leaves the proposal).
    UINT measureHeight = 0;
    // A brush that WM_CTLCOLORxxx answers (null: the default).
    HBRUSH ctlBrush = nullptr;
    COLORREF ctlText = CLR_INVALID;

    void Clear() { events.clear(); }
    // The codes of the recorded commands or notifications of a control, in order.
    std::vector<UINT> Codes(UINT message, int id = -1) const;
    int Count(UINT message, UINT code, int id = -1) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Pumps the queue and the pending paints.
void Pump();
// The surface colour at a client point of a window, as COLORREF.
COLORREF Pixel(HWND h, int x, int y);
// Mouse clicks and keys, delivered as the windowing system would.
void Click(HWND h, int x, int y, UINT keys = 0);
void DoubleClick(HWND h, int x, int y);
void Key(HWND h, UINT vk, const char* text = nullptr, UINT keys = 0);
void TypeText(HWND h, const char* text);
