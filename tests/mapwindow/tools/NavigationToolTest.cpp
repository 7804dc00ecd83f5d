// Zoom In, Zoom Out and Move: the zoom steps by "Zoom Size" or by the whole
// factor that fits a dragged rectangle, the chosen point comes to the centre,
// a pan drag shows the shifted picture without telling other views on every
// move, and none of it changes map data.
#include "tests/mapwindow/tools/ToolsTestSupport.h"

namespace tooltest {
namespace {

class NavigationTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        StoreRect(lower, 100, 100, 200, 200);
        Show();
        savedZoomSize = g_ZoomSize;
        g_ZoomSize = 1.5f;
    }
    void TearDown() override
    {
        g_ZoomSize = savedZoomSize;
        ToolTest::TearDown();
    }
    // The map point now under the client centre (200, 150).
    CDoublePoint Centre() { return map.ScreenToMap(CPoint(200, 150)); }
    float savedZoomSize = 1.5f;
};

TEST_F(NavigationTest, ZoomClicksStepByZoomSizeAndCentreThePixel)
{
    struct Case {
        int tool;
        double zoom;
    };
    for (const Case& c : {Case{TOOL_ZOOM_IN, kZoom / 1.5}, Case{TOOL_ZOOM_OUT, kZoom * 1.5}}) {
        model()->SetZoom(kZoom);
        model()->SetXOffset(0);
        model()->SetYOffset(0);
        map.SetTool(c.tool);
        const CDoublePoint target = map.ScreenToMap(CPoint(60, 90));
        Click({60, 90});
        EXPECT_DOUBLE_EQ(map.GetZoom(), c.zoom) << c.tool;
        EXPECT_NEAR(Centre().x, target.x, 2 * map.GetZoom()) << c.tool;
        EXPECT_NEAR(Centre().y, target.y, 2 * map.GetZoom()) << c.tool;
    }
    EXPECT_FALSE(map.IsModified());
}

TEST_F(NavigationTest, AZoomInDragFitsTheRectangleAtAWholeFactor)
{
    map.SetTool(TOOL_ZOOM_IN);
    // 100 x 50 pixels in 400 x 300: min(300 / 50, 400 / 100) = 4.
    const CDoublePoint target = map.ScreenToMap(CPoint(100, 75));
    Drag({50, 50}, {150, 100});
    EXPECT_DOUBLE_EQ(map.GetZoom(), kZoom / 4);
    EXPECT_NEAR(Centre().x, target.x, 4 * map.GetZoom());
    EXPECT_NEAR(Centre().y, target.y, 4 * map.GetZoom());
    EXPECT_EQ(PixelsOffCache(), 0);

    // A line has no area: the step is Zoom Size.
    Drag({50, 50}, {150, 50});
    EXPECT_DOUBLE_EQ(map.GetZoom(), kZoom / 4 / 1.5);
    EXPECT_EQ(PixelsOffCache(), 0);
}

TEST_F(NavigationTest, AMoveDragShowsTheShiftedPictureAndPansAtTheRelease)
{
    map.SetTool(TOOL_MOVE);
    const CDoublePoint grabbed = map.ScreenToMap(CPoint(75, 225));
    const COLORREF rectColour = map.GetSurfacePixel(75, 225);
    ASSERT_EQ(rectColour, kFill);
    ASSERT_NE(map.GetSurfacePixel(175, 125), kFill);
    host.notices.clear();
    AfxTestMouse(map, WM_LBUTTONDOWN, 75, 225, MK_LBUTTON);
    AfxTestMouse(map, WM_MOUSEMOVE, 175, 125, MK_LBUTTON);
    AfxTestProcessEvents();
    // The picture moved with the pointer, the map was not drawn anew, and
    // other views were not told.
    EXPECT_EQ(map.GetSurfacePixel(175, 125), rectColour);
    const std::vector<int> during = host.Actions();
    EXPECT_EQ(std::count(during.begin(), during.end(), MAPA_MAP_INVALIDATED), 0);
    AfxTestMouse(map, WM_LBUTTONUP, 175, 125, 0);
    AfxTestProcessEvents();
    const CDoublePoint now = map.ScreenToMap(CPoint(175, 125));
    EXPECT_DOUBLE_EQ(now.x, grabbed.x);
    EXPECT_DOUBLE_EQ(now.y, grabbed.y);
    const std::vector<int> after = host.Actions();
    EXPECT_GE(std::count(after.begin(), after.end(), MAPA_MAP_INVALIDATED), 1);
    EXPECT_EQ(map.GetSurfacePixel(175, 125), rectColour);
    EXPECT_EQ(PixelsOffCache(), 0);
    EXPECT_FALSE(map.IsModified());
}

} // namespace
} // namespace tooltest
