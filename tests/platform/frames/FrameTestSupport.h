// Shared pieces of the frame tests: a log of who handled what, a toolbar bitmap
// strip with known colours, and pixel reading through the windows stacked at a
// point, as the screen would show them.
#pragma once

#include "platform/frames/CFrameWnd.h"
#include "platform/gdi/CDC.h"
#include "platform/frames/CWinApp.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WndTestInput.h"

#include <string>
#include <vector>

extern std::vector<std::string> g_log;

// Three 16 x 15 images on the toolbar face colour (0xC0C0C0): a blue, a dark green
// and a black 10 x 9 block in the middle of each.
struct TestStrip {
    static constexpr int kWidth = 48;
    static constexpr int kHeight = 15;
    DWORD pixels[kWidth * kHeight];
    TestStrip();
    HBITMAP MakeBitmap() const;
};
extern const COLORREF kStripColors[3];

// The pixel of the topmost visible window at `pt` (client coordinates of `wnd`),
// read from that window's image, frame included.
COLORREF PixelAt(CWnd* wnd, CPoint pt);
// `child`'s window rectangle in `parent`'s client coordinates.
CRect RectIn(CWnd* parent, CWnd* child);
// Runs the idle update the application runs when its queue is empty.
void IdleUpdate(CWnd* mainWnd);
