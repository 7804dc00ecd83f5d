// The map window as the user meets it: a workspace made by the test drawn where
// its objects lie, the extent fitted, the wheel zooming and panning, the pointer's
// position text, and the notifications its owner receives, in order.
#include "tests/mapwindow/window/MapWindowTestSupport.h"

#include "core/Settings.h"

#include <ogr_spatialref.h>

#include <cmath>

namespace mwtest {
namespace {

bool InkNear(const CMUIMap& map, CPoint p, COLORREF colour, int radius)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (map.GetSurfacePixel(p.x + dx, p.y + dy) == colour)
                return true;
    return false;
}

TEST_F(MapWindowTest, AnOpenedWorkspaceIsDrawnWhereItsObjectsLie)
{
    OpenWorkspace();
    ASSERT_EQ(map.GetMapModel()->GetLayerCount(), 2);
    EXPECT_EQ(map.GetViewHeight(), 300);
    // Inside the upper half of the pie, and inside its lower (missing) half.
    EXPECT_EQ(map.GetSurfacePixel(Device(500, 800).x, Device(500, 800).y), kPieColour);
    EXPECT_EQ(map.GetSurfacePixel(Device(500, 200).x, Device(500, 200).y), GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(InkNear(map, Device(2000, 900), kNodeColour, 8));
    EXPECT_FALSE(InkNear(map, Device(1500, 200), kNodeColour, 8));
    EXPECT_FALSE(map.IsDirty());

    // A repaint without invalidation copies the cache: the picture stays.
    map.Invalidate(FALSE);
    AfxTestProcessEvents();
    EXPECT_EQ(map.GetSurfacePixel(Device(500, 800).x, Device(500, 800).y), kPieColour);
}

TEST_F(MapWindowTest, ZoomToExtentFitsAndCentresTheExtent)
{
    OpenWorkspace();
    CDoubleRect extent = map.GetMapModel()->GetExtent();
    extent.Normalize();
    ASSERT_GT(extent.Width(), 0);
    const double zoom = std::max(extent.Width() / 400, extent.Height() / 300);
    EXPECT_DOUBLE_EQ(map.GetZoom(), zoom);
    EXPECT_DOUBLE_EQ(map.GetXOffset(), extent.left + (extent.Width() - 400 * zoom) / 2);
    EXPECT_DOUBLE_EQ(map.GetYOffset(), extent.bottom + (extent.Height() - 300 * zoom) / 2);

    // Again with the same zoom: only the extent's centre moves to the client centre.
    map.PanBy(0, 0, 37, -21, FALSE, TRUE);
    host.notices.clear();
    map.ZoomToExtent(nullptr);
    EXPECT_DOUBLE_EQ(map.GetZoom(), zoom);
    const CPoint centre = Device((extent.left + extent.right) / 2, (extent.top + extent.bottom) / 2);
    EXPECT_NEAR(centre.x, 200, 1);
    EXPECT_NEAR(centre.y, 150, 1);
    EXPECT_EQ(host.Actions(), (std::vector<int>{MAPA_VIEW_ORIGIN, MAPA_MAP_INVALIDATED}));
}

// A map window is fitted to the extent before its frame has its final size
// (its client area still empty); the sizes that follow before the first
// drawing fit it again, and the whole extent is drawn inside the window.
TEST_F(MapWindowTest, AFitMadeBeforeTheWindowHasItsSizeFollowsTheSizeUntilDrawn)
{
    Host frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr));
    CMUIMap fresh;
    ASSERT_TRUE(fresh.Create(CRect(0, 0, 0, 0), &frame, IDC_MAP_WINDOW, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
    fresh.LoadWorkspace(MakeWorkspace(folder));
    fresh.ZoomToExtent(nullptr); // counts the empty client area as 600 x 400
    CDoubleRect extent = fresh.GetMapModel()->GetExtent();
    extent.Normalize();
    ASSERT_GT(extent.Width(), 1.875 * extent.Height()) << "600 x 380 and 600 x 320 keep the zoom of 600 x 400";

    fresh.MoveWindow(0, 0, 600, 380, FALSE);
    fresh.MoveWindow(0, 0, 600, 320, FALSE);
    frame.ShowWindow(SW_SHOW);
    AfxTestProcessEvents();
    ASSERT_EQ(fresh.GetViewHeight(), 320);
    const auto device = [&](double x, double y) {
        return CFloatPoint(x, y).ToDevice(fresh.GetXOffset(), fresh.GetYOffset(), fresh.GetZoom(), 320);
    };
    for (const CPoint corner : {device(extent.left, extent.top), device(extent.right, extent.bottom)}) {
        EXPECT_GE(corner.x, 0);
        EXPECT_LE(corner.x, 600);
        EXPECT_GE(corner.y, 0);
        EXPECT_LE(corner.y, 320);
    }
    const CPoint centre = device((extent.left + extent.right) / 2, (extent.top + extent.bottom) / 2);
    EXPECT_NEAR(centre.x, 300, 1);
    EXPECT_NEAR(centre.y, 160, 1);

    // Once drawn, a resize keeps the map's bottom-left where it is.
    const double x = fresh.GetXOffset(), y = fresh.GetYOffset(), zoom = fresh.GetZoom();
    fresh.MoveWindow(0, 0, 400, 200, FALSE);
    AfxTestProcessEvents();
    EXPECT_EQ(fresh.GetXOffset(), x);
    EXPECT_EQ(fresh.GetYOffset(), y);
    EXPECT_EQ(fresh.GetZoom(), zoom);

    // So does a view set after a fit that was not drawn yet.
    fresh.ZoomToExtent(nullptr);
    fresh.SetViewOrigin(10, 20);
    fresh.MoveWindow(0, 0, 600, 320, FALSE);
    EXPECT_EQ(fresh.GetXOffset(), 10);
    EXPECT_EQ(fresh.GetYOffset(), 20);
    fresh.DestroyWindow();
    frame.DestroyWindow();
}

TEST_F(MapWindowTest, AnEmptyMapOrAWindowWithoutAreaIsNotZoomed)
{
    map.ZoomToExtent(nullptr);
    EXPECT_EQ(map.GetZoom(), 1.0);
    OpenWorkspace();
    const double zoom = map.GetZoom();
    const RECT flat = {0, 0, 100, 0};
    map.ZoomToExtent(&flat);
    EXPECT_EQ(map.GetZoom(), zoom);
}

TEST_F(MapWindowTest, ScreenToMapCountsYUpFromTheViewHeight)
{
    OpenWorkspace();
    const CDoublePoint bottomLeft = map.ScreenToMap(CPoint(0, 300));
    EXPECT_DOUBLE_EQ(bottomLeft.x, map.GetXOffset());
    EXPECT_DOUBLE_EQ(bottomLeft.y, map.GetYOffset());
    const CDoublePoint topLeft = map.ScreenToMap(CPoint(0, 0));
    EXPECT_DOUBLE_EQ(topLeft.y, map.GetYOffset() + 300 * map.GetZoom());
    const CPoint back = Device(map.ScreenToMap(CPoint(123, 45)).x, map.ScreenToMap(CPoint(123, 45)).y);
    EXPECT_EQ(back, CPoint(123, 45));
}

TEST_F(MapWindowTest, CtrlWheelZoomsAboutTheCentreAndShiftWheelPans)
{
    OpenWorkspace();
    double zoom = map.GetZoom();
    const CDoublePoint centre = map.ScreenToMap(CPoint(200, 150));
    host.notices.clear();

    AfxTestWheel(map, 50, 60, 120, MK_CONTROL);
    AfxTestProcessEvents();
    EXPECT_DOUBLE_EQ(map.GetZoom(), zoom / g_ZoomSize);
    EXPECT_NEAR(map.ScreenToMap(CPoint(200, 150)).x, centre.x, map.GetZoom());
    EXPECT_NEAR(map.ScreenToMap(CPoint(200, 150)).y, centre.y, map.GetZoom());
    EXPECT_EQ(host.Actions(), (std::vector<int>{MAPA_VIEW_ORIGIN, MAPA_MAP_INVALIDATED, MAPA_MAP_INVALIDATED}));
    // The map is drawn at the new scale: the pie is still where the transform puts it.
    EXPECT_EQ(map.GetSurfacePixel(Device(500, 800).x, Device(500, 800).y), kPieColour);

    AfxTestWheel(map, 50, 60, -120, MK_CONTROL);
    EXPECT_DOUBLE_EQ(map.GetZoom(), zoom);
    zoom = map.GetZoom();

    // Shift: up and down by the delta in pixels; Ctrl + Shift: sideways.
    const double x = map.GetXOffset(), y = map.GetYOffset();
    AfxTestWheel(map, 50, 60, 120, MK_SHIFT);
    EXPECT_DOUBLE_EQ(map.GetYOffset(), y + 120 * zoom);
    EXPECT_DOUBLE_EQ(map.GetXOffset(), x);
    AfxTestWheel(map, 50, 60, -120, MK_SHIFT | MK_CONTROL);
    EXPECT_DOUBLE_EQ(map.GetXOffset(), x + 120 * zoom);

    // Without keys the wheel leaves the view alone.
    const double y2 = map.GetYOffset();
    AfxTestWheel(map, 50, 60, 120, 0);
    EXPECT_EQ(map.GetZoom(), zoom);
    EXPECT_EQ(map.GetYOffset(), y2);
}

TEST_F(MapWindowTest, CtrlWheelOnAMapWithoutLayersDoesNothing)
{
    AfxTestWheel(map, 50, 60, 120, MK_CONTROL);
    EXPECT_EQ(map.GetZoom(), 1.0);
}

TEST_F(MapWindowTest, PointerMovesShowThePositionWithDecimalsOfTheZoom)
{
    OpenWorkspace();
    g_currentTool = TOOL_SELECT;
    CMapUnits units = map.GetMapModel()->GetUnits();
    units.SetCoordUnitCode(MAPUNIT_M);
    map.GetMapModel()->SetUnits(units);
    struct Case {
        double zoom;
        const char* expected;
    };
    // Map units per pixel against the decimals: log10(1 / zoom), at least 0.
    // The pixel (50, 100) lies 50 pixels right of and 200 - 400 pixels above the origin.
    for (const Case& c : {Case{20, "Position: 1000m,-4000m"}, Case{0.5, "Position: 25m,-100m"},
                          Case{0.004, "Position: 0.20m,-0.80m"}}) {
        map.GetMapModel()->SetZoom(c.zoom);
        map.GetMapModel()->SetXOffset(0);
        map.GetMapModel()->SetYOffset(-400 * c.zoom);
        host.notices.clear();
        AfxTestMouse(map, WM_MOUSEMOVE, 50, 100);
        AfxTestProcessEvents();
        EXPECT_EQ(CString(map.GetStatusText()), CString(c.expected)) << c.zoom;
        EXPECT_EQ(host.Actions(), std::vector<int>{MAPA_MOUSE_MOVED});
    }
}

TEST_F(MapWindowTest, AnAngularUnitOnAProjectedMapHasNoPosition)
{
    OpenWorkspace();
    CMapModel* model = map.GetMapModel();
    auto* utm = new OGRSpatialReference;
    ASSERT_EQ(utm->importFromEPSG(32633), OGRERR_NONE); // projected, in metres
    model->SetSpatialReference(utm, 32633);
    CMapUnits units = model->GetUnits();
    units.SetCoordUnitCode(MAPUNIT_DEGREE);
    model->SetUnits(units);
    AfxTestMouse(map, WM_MOUSEMOVE, 50, 100);
    EXPECT_EQ(CString(map.GetStatusText()), CString("Position: n/a"));
}

}
}
