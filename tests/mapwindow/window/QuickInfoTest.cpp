// The quick-info tip: the description of the object under the resting pointer
// (type, label, perimeter and area in the map's area unit, vertex count, a
// track's times and satellites), and the balloon that shows it after half a
// second and hides when the pointer moves.
#include "tests/mapwindow/window/MapWindowTestSupport.h"

#include "core/MapField.h"
#include "core/MapUnits.h"
#include "core/Settings.h"
#include "mapwindow/MagnifierWnd.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"

#include <functional>
#include <tuple>
#include <utility>

namespace mwtest {
namespace {

// Maps without a coordinate system: lengths and areas in plain map units.
struct NoCoordinateSystem {
    int saved = g_CoordinationSystem;
    NoCoordinateSystem() { g_CoordinationSystem = -1; }
    ~NoCoordinateSystem() { g_CoordinationSystem = saved; }
};

// The test's map window without a coordinate system (the guard is made before
// the map), with two layers in memory ("Areas" below "Points"), 10 map units per
// pixel from (0, 0).
class QuickInfo : private NoCoordinateSystem, public MapWindowTest {
protected:
    void SetUp() override
    {
        MapWindowTest::SetUp();
        for (const char* name : {"Areas", "Points"})
            map.GetMapModel()->AddLayer(new CMapLayer(name));
        points = map.GetMapModel()->GetLayerAt(1);
        map.GetMapModel()->SetZoom(10);
        map.InvalidateMap(nullptr, FALSE);
        AfxTestProcessEvents();
    }
    void TearDown() override
    {
        g_QuickInfoTool = savedQuickInfo;
        map.ClearSelection(0);
        MapWindowTest::TearDown();
    }
    void SetAreaUnit(int code)
    {
        CMapUnits units = map.GetMapModel()->GetUnits();
        units.SetAreaUnitCode(code);
        map.GetMapModel()->SetUnits(units);
    }
    CMapNode* AddNode(double x, double y)
    {
        auto* node = new CMapNode;
        node->SetPosition(x, y);
        points->AddObject(node, TRUE); // the layer keeps nodes
        return node;
    }

    BOOL savedQuickInfo = g_QuickInfoTool;
    CMapLayer* points = nullptr;
};

TEST_F(QuickInfo, AnAreaShowsPerimeterAreaAndPointsInTheMapsAreaUnit)
{
    CMapPolygon square;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {100.0, 0.0}, {100.0, 100.0}, {0.0, 100.0}})
        square.AddDoublePoint(x, y);
    SetAreaUnit(MAPUNIT_KM);
    EXPECT_EQ(map.GetQuickInfoText(&square),
              CString("Object Name : Polygon\nPerimeter : 0.400 (km)\nArea : 0.010 (km2)\nPoint(s) : 4"));
    SetAreaUnit(MAPUNIT_HECTARE);
    EXPECT_EQ(map.GetQuickInfoText(&square),
              CString("Object Name : Polygon\nPerimeter : 4.000 (hectare)\nArea : 1.000 (hectare)\nPoint(s) : 4"));
    SetAreaUnit(MAPUNIT_M);
    CMapPolyline line;
    line.AddDoublePoint(0, 0);
    line.AddDoublePoint(30, 40);
    EXPECT_EQ(map.GetQuickInfoText(&line), CString("Object Name : Polyline\nPerimeter : 50.000 (m)\nPoint(s) : 2"));
}

TEST_F(QuickInfo, ANodeListsItsAttributesAndTextsHaveNone)
{
    for (const char* name : {"Name", "Depth", "Kind"})
        points->AddField(CMapField(name, FIELD_TYPE_STRING, 20));
    CMapNode* node = AddNode(100, 100);
    node->SetAttributeText(0, "Well");
    node->SetAttributeText(1, "12");
    node->SetAttributeText(2, "deep");
    EXPECT_EQ(map.GetQuickInfoText(node), CString("Object Name : Node\nName : Well\nDepth : 12\nKind : deep\n"));
    EXPECT_EQ(map.GetQuickInfoText(nullptr), CString());
}

TEST_F(QuickInfo, ATrackShowsItsTimesAndMeanSatellitesFromThePointsAtItsVertices)
{
    points->AddField(CMapField("Time", FIELD_TYPE_STRING, 20));
    points->AddField(CMapField("SatelliteView", FIELD_TYPE_STRING, 20));
    CMapPolyline track;
    const char* times[] = {"10:00:00", "10:00:05", "10:00:10"};
    const char* satellites[] = {"5", "6", "7"};
    for (int i = 0; i < 3; ++i) {
        const double x = 500 + 300.0 * i;
        track.AddDoublePoint(x, 1000);
        CMapNode* node = AddNode(x, 1000);
        node->SetAttributeText(0, times[i]);
        node->SetAttributeText(1, satellites[i]);
    }
    EXPECT_EQ(map.GetQuickInfoText(&track),
              CString("Object Name : Polyline\nPerimeter : 600.000 (m)\nPoint(s) : 3\nStartTime : 10:00:00 "
                      "\nEndTime : 10:00:10\nAvg. Satellite Received : 6"));

    CMapPolyline bare; // no recorded points under its vertices
    bare.AddDoublePoint(500, 2500);
    bare.AddDoublePoint(800, 2500);
    EXPECT_EQ(map.GetQuickInfoText(&bare), CString("Object Name : Polyline\nPerimeter : 300.000 (m)\nPoint(s) : 2"));
}

TEST_F(QuickInfo, TheTipAppearsAfterHalfASecondAtRestAndHidesOnTheNextMove)
{
    points->AddField(CMapField("Name", FIELD_TYPE_STRING, 20));
    CMapNode* node = AddNode(1000, 1500);
    node->SetAttributeText(0, "Well");
    points->SetShowTips((void*)1);
    g_QuickInfoTool = TRUE;
    map.SetTool(TOOL_SELECT);
    map.InvalidateMap(nullptr, FALSE);
    AfxTestProcessEvents();
    const CPoint at = Device(1000, 1500);
    CBalloonTip& tip = map.GetBalloonTip();
    ASSERT_NE(tip.GetSafeHwnd(), nullptr);

    AfxTestMouse(map.GetSafeHwnd(), WM_MOUSEMOVE, at.x, at.y);
    AfxTestProcessEvents();
    EXPECT_EQ(tip.GetText(), CString("Object Name : Node\nName : Well\n"));
    EXPECT_FALSE(tip.IsWindowVisible()) << "not before the delay";
    AfxTestRunFor(700);
    EXPECT_TRUE(tip.IsWindowVisible());

    AfxTestMouse(map.GetSafeHwnd(), WM_MOUSEMOVE, at.x + 40, at.y + 40); // off the node
    AfxTestProcessEvents();
    EXPECT_FALSE(tip.IsWindowVisible());
    AfxTestRunFor(700);
    EXPECT_FALSE(tip.IsWindowVisible()) << "no tip for a point the pointer left";

    // Off: the preference, another tool, or a layer that shows no tips.
    for (auto off : {std::function<void()>([] { g_QuickInfoTool = FALSE; }),
                     std::function<void()>([this] { map.SetTool(TOOL_MOVE); }),
                     std::function<void()>([this] { points->SetShowTips(nullptr); })}) {
        g_QuickInfoTool = TRUE;
        map.SetTool(TOOL_SELECT);
        points->SetShowTips((void*)1);
        off();
        AfxTestMouse(map.GetSafeHwnd(), WM_MOUSEMOVE, at.x, at.y);
        AfxTestRunFor(700);
        EXPECT_FALSE(tip.IsWindowVisible());
        AfxTestMouse(map.GetSafeHwnd(), WM_MOUSEMOVE, at.x + 40, at.y + 40);
        AfxTestProcessEvents();
    }
}

}
}

namespace mwtest {
namespace {

TEST_F(MapWindowTest, TheMagnifierStartsOverThePointerAndEndsWithAClickOrAKey)
{
    EXPECT_EQ(map.GetMagnifier(), nullptr);
    map.ShowMagnifier();
    CMagnifierWnd* magnifier = map.GetMagnifier();
    ASSERT_NE(magnifier, nullptr);
    EXPECT_EQ(magnifier->GetWindowSize(), 200);
    EXPECT_EQ(magnifier->GetSourceSize(), 101);
    EXPECT_EQ(magnifier->IsActive(), 1);
    EXPECT_TRUE(magnifier->IsWindowVisible());
    EXPECT_EQ(CWnd::GetCapture(), magnifier);

    // Moving clips the square to the map window's rectangle (400 x 300 at its place).
    CRect bounds;
    map.GetWindowRect(&bounds);
    AfxTestMouse(magnifier->GetSafeHwnd(), WM_MOUSEMOVE, 0, 0);
    AfxTestProcessEvents();
    CRect square;
    magnifier->GetWindowRect(&square);
    EXPECT_GE(square.left, bounds.left);
    EXPECT_GE(square.top, bounds.top);
    EXPECT_LE(square.right, bounds.right);
    EXPECT_LE(square.bottom, bounds.bottom);

    AfxTestMouse(magnifier->GetSafeHwnd(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    AfxTestProcessEvents();
    EXPECT_EQ(magnifier->IsActive(), 0);
    EXPECT_NE(CWnd::GetCapture(), magnifier);

    // Started again, Escape ends it; the same window serves every start.
    map.ShowMagnifier();
    EXPECT_EQ(map.GetMagnifier(), magnifier);
    EXPECT_EQ(magnifier->IsActive(), 1);
    AfxTestKey(magnifier->GetSafeHwnd(), VK_ESCAPE, true);
    AfxTestProcessEvents();
    EXPECT_EQ(magnifier->IsActive(), 0);
}

TEST(Magnifier, SizesAreAtLeastTenAndTheSourceIsOdd)
{
    for (auto [size, source, windowSize, sourceSize] :
         {std::tuple{5, 0, 10, 1}, std::tuple{200, 100, 200, 101}, std::tuple{50, 7, 50, 7}, std::tuple{50, -3, 50, 1}}) {
        CMagnifierWnd magnifier;
        ASSERT_TRUE(magnifier.Create(size, source, nullptr));
        EXPECT_EQ(magnifier.GetWindowSize(), windowSize);
        EXPECT_EQ(magnifier.GetSourceSize(), sourceSize);
        EXPECT_EQ(magnifier.IsActive(), 0);
        magnifier.End(); // not active: nothing
    }
}

}
}
