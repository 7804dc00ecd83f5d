// The frame tests' helpers: a test strip, rectangles of children, pixels and
// the idle update of command states.
#include "FrameTestSupport.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"

std::vector<std::string> g_log;

const COLORREF kStripColors[3] = {RGB(0, 0, 255), RGB(0, 128, 0), RGB(0, 0, 0)};

TestStrip::TestStrip()
{
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int image = x / 16, ix = x % 16;
            const bool block = ix >= 3 && ix < 13 && y >= 3 && y < 12;
            const COLORREF c = kStripColors[image];
            pixels[y * kWidth + x] =
                block ? ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c) : 0xC0C0C0;
        }
}

HBITMAP TestStrip::MakeBitmap() const
{
    CBitmap bitmap;
    bitmap.CreateBitmap(kWidth, kHeight, 1, 32, pixels);
    return (HBITMAP)bitmap.Detach();
}

CRect RectIn(CWnd* parent, CWnd* child)
{
    CRect rect;
    child->GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    return rect;
}

COLORREF PixelAt(CWnd* wnd, CPoint pt)
{
    for (;;) {
        CWnd* hit = nullptr;
        for (HWND c = ::GetWindow(wnd->GetSafeHwnd(), GW_CHILD); c && !hit; c = ::GetWindow(c, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(c))
                continue;
            CWnd* child = CWnd::FromHandle(c);
            if (RectIn(wnd, child).PtInRect(pt))
                hit = child;
        }
        if (!hit) {
            // Window coordinates: the pixel may lie in the window's frame.
            CRect window, client;
            wnd->GetWindowRect(&window);
            client = CRect(pt, CSize(0, 0));
            wnd->ClientToScreen(&client);
            CWindowDC dc(wnd);
            return dc.GetPixel(client.left - window.left, client.top - window.top);
        }
        wnd->MapWindowPoints(hit, &pt, 1);
        wnd = hit;
    }
}

void IdleUpdate(CWnd* mainWnd)
{
    mainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    mainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}
