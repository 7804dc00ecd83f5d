// The honeycomb palette: where its cells go, their colours and the keyboard walk
// in index order.
#include <gtest/gtest.h>

#include "ColourTestSupport.h"
#include "dialogs/controls/UiColorGlobals.h"
#include "dialogs/controls/UiDropPaletteControl.h"
#include "platform/gdi/CDC.h"
#include "platform/testing/SurfaceProbe.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// First cell of ring n: the cell right of the centre.
int RingStart(int n) { return 1 + 3 * n * (n - 1); }

CPoint Centre(CUiColorCellObj& cell)
{
    RECT r;
    cell.GetRect(&r);
    return CRect(r).CenterPoint();
}

class HoneycombFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.CreateAt(10, 10, 200, 330)); }

    void Init(COLORREF color, const RECT& rect)
    {
        m_palette.Initialize(&m_host, color, &rect, FALSE);
    }

    std::vector<ColourMessage> Posted()
    {
        AfxTestProcessEvents();
        return m_host.received;
    }

    ColourRecorder m_host;
    CUiDropPaletteControl m_palette;
};

TEST_F(HoneycombFixture, TallAreaCentresTheHoneycombSquareAboveTheGreyRow)
{
    // 200 x 330: the area above the bottom 30 pixels is 200 x 300, its centred
    // square (0, 50)-(200, 250), the cell size 200 / 13 + 1 = 16.
    Init(kBlack, CRect(0, 0, 200, 330));
    RECT centre;
    m_palette.Cell(0).GetRect(&centre);
    EXPECT_EQ(CRect(centre), CRect(92, 142, 108, 159));
    EXPECT_EQ(Centre(m_palette.Cell(RingStart(1))), Centre(m_palette.Cell(0)) + CSize(16, 0));
    EXPECT_EQ(Centre(m_palette.Cell(RingStart(6))), Centre(m_palette.Cell(0)) + CSize(96, 0));
    RECT none;
    m_palette.Cell(CUiDropPaletteControl::kNoGeometryCell).GetRect(&none);
    EXPECT_TRUE(CRect(none).IsRectNull());

    // The grey row is the ninth row of a 16 x 9 grid over (5, 5)-(195, 301).
    RECT first, last;
    m_palette.Cell(128).GetRect(&first);
    m_palette.Cell(143).GetRect(&last);
    EXPECT_EQ(CRect(first), CRect(5, 5 + 8 * 296 / 9, 5 + 190 / 16, 5 + 296));
    EXPECT_EQ(last.right, 195);
}

TEST_F(HoneycombFixture, ColoursRunFromWhiteThroughRingsToGreys)
{
    Init(kBlack, CRect(0, 0, 200, 330));
    EXPECT_EQ(m_palette.Cell(0).GetColor(), kWhite);
    EXPECT_EQ(m_palette.Cell(RingStart(1)).GetColor(), RGB(255, 233, 233)); // hue 0, lightness 0.957
    EXPECT_EQ(m_palette.Cell(RingStart(6)).GetColor(), RGB(123, 0, 0));     // hue 0, lightness 0.243
    EXPECT_EQ(m_palette.Cell(127).GetColor(), UiColorGlobals().face);
    EXPECT_EQ(m_palette.Cell(128).GetColor(), RGB(240, 240, 240));
    EXPECT_EQ(m_palette.Cell(142).GetColor(), RGB(30, 30, 30));
    EXPECT_EQ(m_palette.Cell(143).GetColor(), kBlack);
    EXPECT_EQ(UiHslToRgb(120, 0.5, 1.0), RGB(0, 255, 0));
    EXPECT_EQ(UiHslToRgb(-120, 0.5, 1.0), RGB(0, 0, 255));
    EXPECT_EQ(UiHslToRgb(77, 0.4, 0.0), RGB(102, 102, 102));

    // What a user sees: the colours where the cells are.
    TestSurface s(200, 330);
    CDC dc;
    s.AttachTo(dc);
    m_palette.Draw(&dc);
    const CPoint c0 = Centre(m_palette.Cell(0)), r1 = Centre(m_palette.Cell(RingStart(1)));
    EXPECT_EQ(s.GetPixel(c0.x, c0.y), kWhite);
    EXPECT_EQ(s.GetPixel(r1.x, r1.y), RGB(255, 233, 233));
    // The selected black cell carries a white frame inside its edge.
    RECT black;
    m_palette.Cell(143).GetRect(&black);
    EXPECT_EQ(s.GetPixel((black.left + black.right) / 2, black.top + 1), kWhite);
}

TEST_F(HoneycombFixture, SelectedWhiteHexagonGetsATwoPixelBlackFrame)
{
    Init(kWhite, CRect(0, 0, 200, 330));
    TestSurface s(200, 330);
    CDC dc;
    s.AttachTo(dc);
    m_palette.Draw(&dc);
    // Across the centre row from the left side: 2 black pixels, then white.
    RECT r;
    m_palette.Cell(0).GetRect(&r);
    const int y = (r.top + r.bottom) / 2;
    auto blackRun = [&] {
        int x = r.left;
        while (x < r.right && s.GetPixel(x, y) != kBlack)
            ++x;
        int run = 0;
        while (x + run < r.right && s.GetPixel(x + run, y) == kBlack)
            ++run;
        return run;
    };
    EXPECT_EQ(blackRun(), 2);
    EXPECT_EQ(s.GetPixel(r.left + 2, y), kWhite);

    // A red cell's frame is 1 black pixel.
    m_palette.SelectColor(m_palette.Cell(RingStart(1)).GetColor());
    m_palette.Draw(&dc);
    m_palette.Cell(RingStart(1)).GetRect(&r);
    EXPECT_EQ(blackRun(), 1);

    // A colour no cell holds selects none and shows in the swatch.
    m_palette.SelectColor(RGB(3, 4, 5));
    m_palette.Draw(&dc);
    EXPECT_EQ(blackRun(), 0);
    const RECT custom = m_palette.GetCustomRect();
    EXPECT_EQ(s.GetPixel(custom.right - 10, (custom.top + custom.bottom) / 2), RGB(3, 4, 5));
}

TEST_F(HoneycombFixture, ArrowKeysWalkInIndexOrderAndReportEachStep)
{
    Init(kBlack, CRect(0, 0, 200, 330));
    m_palette.OnKeyDown(VK_RIGHT, 1, 0); // 143 -> 0
    m_palette.OnKeyDown(VK_UP, 1, 0);    // 0 -> 143
    m_palette.SelectColor(m_palette.Cell(126).GetColor());
    m_palette.OnKeyDown(VK_DOWN, 1, 0); // 126 -> 127, the face colour
    m_palette.OnKeyDown(VK_RETURN, 1, 0); // not a pop-up: nothing
    m_palette.OnKeyDown('A', 1, 0);
    const std::vector<ColourMessage> expected = {
        {WM_UI_COLORSELECTED, kWhite, 0},
        {WM_UI_COLORSELECTED, kBlack, 0},
        {WM_UI_COLORSELECTED, UiColorGlobals().face, 0},
    };
    EXPECT_EQ(Posted(), expected);
    EXPECT_EQ(m_palette.GetCurrentColor(), UiColorGlobals().face);
}

} // namespace
