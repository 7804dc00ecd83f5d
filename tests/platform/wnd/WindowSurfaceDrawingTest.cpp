// GDI pixel rules on a real window's surface, drawn through a client DC outside
// WM_PAINT as rubber bands and trackers are.
#include "platform/wnd/CWnd.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"
#include "platform/wnd/WndTestInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kSize = 64;

class WindowSurface : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)GetStockObject(WHITE_BRUSH)), "gdi",
                                 WS_POPUP | WS_VISIBLE, 30, 30, kSize, kSize, nullptr, nullptr));
        AfxTestProcessEvents();
        ASSERT_EQ(wnd.GetSurfacePixel(kSize / 2, kSize / 2), kWhite);
    }
    void TearDown() override { wnd.DestroyWindow(); }

    std::vector<COLORREF> Snapshot() const
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                pixels.push_back(wnd.GetSurfacePixel(x, y));
        return pixels;
    }

    CWnd wnd;
};

TEST_F(WindowSurface, RectangleTouchesOnlyPixelsZeroToNine)
{
    CClientDC dc(&wnd);
    CBrush grey(RGB(128, 128, 128));
    dc.SelectObject(&grey);
    dc.Rectangle(0, 0, 10, 10);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool edge = x == 0 || x == 9 || y == 0 || y == 9;
            const COLORREF expected = x > 9 || y > 9 ? kWhite : edge ? RGB(0, 0, 0) : RGB(128, 128, 128);
            ASSERT_EQ(wnd.GetSurfacePixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(WindowSurface, NotXorFiguresDrawnTwiceLeaveTheSurfaceIdentical)
{
    const std::pair<const char*, std::function<void(CDC&)>> figures[] = {
        {"line", [](CDC& dc) { dc.MoveTo(2, 50); dc.LineTo(60, 3); }},
        {"rectangle", [](CDC& dc) { dc.Rectangle(5, 7, 40, 33); }},
        {"ellipse", [](CDC& dc) { dc.Ellipse(9, 4, 58, 49); }},
    };
    // Some colour underneath, so that inverting a white pixel is not the only case.
    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(20, 20, 30, 30, RGB(40, 160, 90));
    }
    for (const auto& [name, draw] : figures) {
        const std::vector<COLORREF> before = Snapshot();
        CClientDC dc(&wnd);
        CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
        dc.SelectObject(&pen);
        dc.SelectStockObject(NULL_BRUSH);
        dc.SetROP2(R2_NOTXORPEN);
        draw(dc);
        EXPECT_NE(Snapshot(), before) << name;
        draw(dc);
        EXPECT_EQ(Snapshot(), before) << name;
    }
}

// Cells of the 8 x 8 hatches, top row first, from the device origin: '#' the
// hatch colour, '.' the background colour.
TEST_F(WindowSurface, HatchedBrushesFillTheWindowsCells)
{
    const std::pair<int, const char*> hatches[] = {
        {HS_HORIZONTAL, "........"
                        "........"
                        "........"
                        "########"
                        "........"
                        "........"
                        "........"
                        "........"},
        {HS_VERTICAL, "....#..."
                      "....#..."
                      "....#..."
                      "....#..."
                      "....#..."
                      "....#..."
                      "....#..."
                      "....#..."},
        {HS_FDIAGONAL, "#......."
                       ".#......"
                       "..#....."
                       "...#...."
                       "....#..."
                       ".....#.."
                       "......#."
                       ".......#"},
        {HS_BDIAGONAL, ".......#"
                       "......#."
                       ".....#.."
                       "....#..."
                       "...#...."
                       "..#....."
                       ".#......"
                       "#......."},
        {HS_CROSS, "....#..."
                   "....#..."
                   "....#..."
                   "########"
                   "....#..."
                   "....#..."
                   "....#..."
                   "....#..."},
        {HS_DIAGCROSS, "#......#"
                       ".#....#."
                       "..#..#.."
                       "...##..."
                       "...##..."
                       "..#..#.."
                       ".#....#."
                       "#......#"},
    };
    constexpr COLORREF kHatch = RGB(200, 0, 0), kBack = RGB(0, 0, 220);
    for (const auto& [style, cell] : hatches) {
        CClientDC dc(&wnd);
        CBrush brush(style, kHatch);
        dc.SelectObject(&brush);
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(kBack);
        const RECT r{0, 0, 24, 24};
        dc.FillRect(&r, &brush);
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                ASSERT_EQ(wnd.GetSurfacePixel(x, y), cell[(y % 8) * 8 + x % 8] == '#' ? kHatch : kBack)
                    << "style " << style << " at " << x << "," << y;
    }
}

} // namespace
