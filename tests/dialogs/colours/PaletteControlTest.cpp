// The 48-colour palette: its pop-up layout, what it draws, its keyboard walk and
// the mouse choices it posts to its host.
#include <gtest/gtest.h>

#include "ColourTestSupport.h"
#include "dialogs/controls/UiColorGlobals.h"
#include "dialogs/controls/UiDropColorPaletteControl.h"
#include "platform/gdi/CDC.h"
#include "platform/testing/SurfaceProbe.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

class PaletteFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateAt(10, 10, 200, 150));
        Init(kRed, TRUE);
    }

    void Init(COLORREF color, BOOL popup)
    {
        const RECT rect{0, 0, 200, 150};
        m_palette.Initialize(&m_host, color, &rect, popup);
    }

    TestSurface Render()
    {
        TestSurface surface(200, 150, RGB(1, 2, 3));
        CDC dc;
        surface.AttachTo(dc);
        m_palette.Draw(&dc);
        return surface;
    }

    CPoint CellCentre(int index)
    {
        RECT r;
        m_palette.Cell(index).GetRect(&r);
        return CRect(r).CenterPoint();
    }

    std::vector<ColourMessage> Posted()
    {
        AfxTestProcessEvents();
        return m_host.received;
    }

    ColourRecorder m_host;
    CUiDropColorPaletteControl m_palette;
};

TEST_F(PaletteFixture, PopupLayoutLeavesRoomForCaptionSeparatorAndCustomStrip)
{
    EXPECT_EQ(CRect(m_palette.GetGridRect()), CRect(8, 14, 192, 118));
    EXPECT_EQ(CRect(m_palette.GetSeparatorRect()), CRect(8, 120, 192, 124));
    EXPECT_EQ(CRect(m_palette.GetCustomRect()), CRect(8, 124, 192, 142));
    const int heights[6] = {17, 17, 18, 17, 17, 18};
    int top = 14;
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 8; ++column) {
            RECT r;
            m_palette.Cell(row * 8 + column).GetRect(&r);
            EXPECT_EQ(CRect(r), CRect(8 + 23 * column, top, 31 + 23 * column, top + heights[row]))
                << "cell " << row * 8 + column;
        }
        top += heights[row];
    }

    const TestSurface s = Render();
    EXPECT_EQ(s.GetPixel(100, 7), UiColorGlobals().caption);
    EXPECT_EQ(s.GetPixel(100, 12), UiColorGlobals().face);
    // The etched separator: a shadow line over a white one.
    EXPECT_EQ(s.GetPixel(100, 120), UiColorGlobals().shadow);
    EXPECT_EQ(s.GetPixel(100, 121), kWhite);
    // The raised border: white at the top left, black at the bottom right.
    EXPECT_EQ(s.GetPixel(0, 0), kWhite);
    EXPECT_EQ(s.GetPixel(199, 149), kBlack);
}

TEST_F(PaletteFixture, CellsShowTheirColoursAndTheSelectionFrame)
{
    const TestSurface s = Render();
    const std::pair<int, COLORREF> cells[] = {
        {0, kWhite}, {7, RGB(255, 192, 255)}, {17, kRed}, {26, RGB(255, 128, 0)}, {40, kBlack}, {47, RGB(64, 0, 64)},
    };
    for (auto [index, color] : cells) {
        const CPoint c = CellCentre(index);
        EXPECT_EQ(s.GetPixel(c.x, c.y), color) << "cell " << index;
    }
    // Cell 18's inner rectangle is framed in the shadow colour.
    RECT orange;
    m_palette.Cell(18).GetRect(&orange);
    EXPECT_EQ(s.GetPixel(orange.left + 1, orange.top + 5), UiColorGlobals().shadow2);

    // The selected red cell (31, 48)-(54, 66): white 2 pixels inside, black 1 outside.
    RECT red;
    m_palette.Cell(17).GetRect(&red);
    EXPECT_EQ(CRect(red), CRect(31, 48, 54, 66));
    EXPECT_EQ(s.GetPixel(40, 49), kWhite);
    EXPECT_EQ(s.GetPixel(40, 50), kWhite);
    EXPECT_EQ(s.GetPixel(40, 51), kRed);
    EXPECT_EQ(s.GetPixel(40, 47), kBlack);
    EXPECT_EQ(s.GetPixel(54, 55), kBlack);
    // With the selection on a cell, the strip shows no swatch.
    EXPECT_EQ(m_palette.GetCustomHitRect().right, 192);
}

TEST_F(PaletteFixture, ColourOfNoCellShowsInTheCustomSwatch)
{
    const COLORREF teal = RGB(10, 120, 130);
    m_palette.SelectColor(teal);
    const TestSurface s = Render();
    EXPECT_EQ(m_palette.GetCurrentColor(), teal);
    EXPECT_EQ(m_palette.GetCustomHitRect().right, 192 - 23);
    // The swatch (171, 124)-(192, 142) deflated by 4, framed in the shadow colour.
    EXPECT_EQ(s.GetPixel(181, 133), teal);
    EXPECT_EQ(s.GetPixel(175, 133), UiColorGlobals().shadow);
    // No cell carries a selection frame: the red cell's edge is its plain frame.
    EXPECT_EQ(s.GetPixel(40, 49), UiColorGlobals().shadow2);
}

struct KeyCase {
    int from;
    UINT key;
    int to;
};

TEST_F(PaletteFixture, ArrowKeysWalkTheGridAndWrap)
{
    const KeyCase cases[] = {
        {47, VK_RIGHT, 0}, {7, VK_RIGHT, 8}, {9, VK_RIGHT, 10}, {0, VK_LEFT, 0}, {8, VK_LEFT, 7},
        {3, VK_UP, 43},    {19, VK_UP, 11},  {45, VK_DOWN, 5},  {5, VK_DOWN, 13},
    };
    for (const KeyCase& c : cases) {
        m_palette.SelectColor(m_palette.Cell(c.from).GetColor());
        m_palette.OnKeyDown(c.key, 1, 0);
        EXPECT_EQ(m_palette.GetCurrentColor(), m_palette.Cell(c.to).GetColor())
            << "from " << c.from << " key " << c.key;
    }
    // A colour of no cell walks from cell 0; arrows post nothing.
    m_palette.SelectColor(RGB(1, 1, 1));
    m_palette.OnKeyDown(VK_RIGHT, 1, 0);
    EXPECT_EQ(m_palette.GetCurrentColor(), m_palette.Cell(1).GetColor());
    EXPECT_TRUE(Posted().empty());
}

TEST_F(PaletteFixture, EnterEscapeAndTabEndTheChoiceInAPopup)
{
    m_palette.OnKeyDown(VK_DOWN, 1, 0); // red -> (192, 0, 0)
    m_palette.OnKeyDown(VK_RETURN, 1, 0);
    EXPECT_FALSE(m_host.IsWindowVisible());
    m_host.ShowWindow(SW_SHOWNA);
    m_palette.OnKeyDown(VK_ESCAPE, 1, 0);
    m_host.ShowWindow(SW_SHOWNA);
    m_palette.OnKeyDown(VK_TAB, 1, 0);
    const std::vector<ColourMessage> expected = {
        {WM_UI_COLORSELECTED, RGB(192, 0, 0), 0},
        {WM_UI_COLORCANCEL, RGB(192, 0, 0), 0},
        {WM_UI_COLORCUSTOM, RGB(192, 0, 0), 0},
    };
    EXPECT_EQ(Posted(), expected);
    EXPECT_FALSE(m_host.IsWindowVisible());
}

TEST_F(PaletteFixture, WithoutPopupEnterAndEscapeDoNothing)
{
    Init(kRed, FALSE);
    EXPECT_EQ(CRect(m_palette.GetGridRect()).top, 4); // no caption stripe
    m_palette.OnKeyDown(VK_RETURN, 1, 0);
    m_palette.OnKeyDown(VK_ESCAPE, 1, 0);
    EXPECT_TRUE(Posted().empty());
    EXPECT_TRUE(m_host.IsWindowVisible());
}

TEST_F(PaletteFixture, DragSelectsAndOnlyAReleaseOnACellOrTheStripChooses)
{
    // Pressed on cell 0, dragged over cell 9, released outside everything.
    const CPoint c0 = CellCentre(0), c9 = CellCentre(9);
    m_palette.OnMouseMove(MK_LBUTTON, c0.x, c0.y);
    m_palette.OnMouseMove(MK_LBUTTON, c9.x, c9.y);
    m_palette.OnLButtonUp(0, 196, 5);
    EXPECT_EQ(m_palette.GetCurrentColor(), m_palette.Cell(9).GetColor());
    EXPECT_TRUE(Posted().empty());
    EXPECT_TRUE(m_host.IsWindowVisible());

    // Released over cell 40: black is chosen and the pop-up's host hides.
    const CPoint c40 = CellCentre(40);
    m_palette.OnMouseMove(MK_LBUTTON, c40.x, c40.y);
    m_palette.OnLButtonUp(0, c40.x, c40.y);
    EXPECT_EQ(Posted(), (std::vector<ColourMessage>{{WM_UI_COLORSELECTED, kBlack, 0}}));
    EXPECT_FALSE(m_host.IsWindowVisible());
}

TEST_F(PaletteFixture, PressedStripIsHotAndReleaseOnItAsksForCustom)
{
    m_palette.OnMouseMove(MK_LBUTTON, 100, 130);
    EXPECT_TRUE(m_palette.IsCustomHot());
    const TestSurface hot = Render();
    EXPECT_EQ(hot.GetPixel(100, 125), kWhite); // 2-pixel white frame inside the strip
    EXPECT_EQ(hot.GetPixel(100, 123), kBlack); // black frame just outside it
    m_palette.OnLButtonUp(0, 100, 130);
    EXPECT_FALSE(m_palette.IsCustomHot());
    EXPECT_EQ(Posted(), (std::vector<ColourMessage>{{WM_UI_COLORCUSTOM, kRed, 0}}));
    EXPECT_FALSE(m_host.IsWindowVisible());
}

} // namespace
