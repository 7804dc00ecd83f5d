// What a screen DC reads: the application's visible windows stacked as the user
// sees them (a new window on top, an activated one raised with the windows it owns).
#include <gtest/gtest.h>

#include "platform/gdi/CDC.h"
#include "platform/wnd/CWnd.h"
#include "platform/wnd/WindowDC.h"
#include "platform/wnd/WndTestInput.h"

namespace {

// A top-level window filled with one colour.
class Solid : public CWnd {
public:
    BOOL Make(COLORREF color, int x, int y, CWnd* owner = nullptr)
    {
        if (!CreateEx(0, AfxRegisterWndClass(0), "solid", WS_POPUP | WS_VISIBLE, x, y, 60, 60,
                      owner ? owner->GetSafeHwnd() : nullptr, nullptr))
            return FALSE;
        CClientDC dc(this);
        dc.FillSolidRect(CRect(0, 0, 60, 60), color);
        return TRUE;
    }
};

COLORREF ScreenPixel(int x, int y)
{
    const HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

TEST(Screen, ReadsTheWindowsInTheOrderTheyAreStacked)
{
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 255, 0);
    Solid older, newer;
    ASSERT_TRUE(older.Make(red, 100, 100));
    ASSERT_TRUE(newer.Make(blue, 130, 130));
    AfxTestProcessEvents();
    EXPECT_EQ(ScreenPixel(110, 110), red);
    EXPECT_EQ(ScreenPixel(140, 140), blue); // the newer window lies on the older one

    // A window the older one owns, then the older one activated: owner raised,
    // its owned window still above it.
    Solid owned;
    ASSERT_TRUE(owned.Make(green, 150, 150, &older));
    older.SetFocus();
    AfxTestProcessEvents();
    EXPECT_EQ(ScreenPixel(140, 140), red);
    EXPECT_EQ(ScreenPixel(155, 155), green);
    EXPECT_EQ(ScreenPixel(185, 135), blue);
    EXPECT_EQ(ScreenPixel(5, 5), RGB(0, 0, 0)); // the desktop
}

} // namespace
