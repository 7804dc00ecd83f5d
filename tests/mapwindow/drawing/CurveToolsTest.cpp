// The arc, chord, pie and spline tools and the rule: what four clicks or a
// chain of clicks store, the flattened rubber curve, the 2-pixel rule of
// control points, the measured texts, and a clean window afterwards.
#include "tests/mapwindow/drawing/DrawingToolsTestSupport.h"

#include "mapwindow/tools/ArcTool.h"
#include "mapwindow/tools/RuleTool.h"
#include "mapwindow/tools/SplineTool.h"
#include "model/objects/MapArc.h"
#include "model/objects/MapSpline.h"

#include <ogr_spatialref.h>

#include <cmath>

namespace drawtest {
namespace {

TEST_F(DrawingToolTest, FourClicksStoreAnArcChordOrPieInTheSpannedBox)
{
    for (const auto& [tool, type] : {std::pair{TOOL_ARC, MAP_OBJECT_ARC}, std::pair{TOOL_CHORD, MAP_OBJECT_CHORD},
                                     std::pair{TOOL_PIE, MAP_OBJECT_PIE}}) {
        map.SetTool(tool);
        Click(CPoint(100, 100));
        Move(CPoint(150, 150));
        Move(CPoint(200, 180));
        Click(CPoint(200, 180));
        Click(CPoint(150, 100));
        Move(CPoint(180, 120));
        Move(CPoint(200, 140));
        Click(CPoint(200, 140));
        auto arc = Newest();
        ASSERT_NE(arc, nullptr);
        ASSERT_EQ(arc->GetType(), type);
        CArcGeometry g;
        static_cast<CMapArc*>(arc.get())->GetGeometry(g);
        EXPECT_TRUE(SamePoint(g.start, MapOf(CPoint(200, 140))));
        EXPECT_TRUE(SamePoint(g.end, MapOf(CPoint(150, 100))));
        ExpectBoxOfPixels(g.ellipse, CPoint(100, 100), CPoint(200, 180));
        EXPECT_EQ(map.GetTool(), TOOL_SELECT);
        ASSERT_NE(map.GetSelectedObject(), nullptr);
        EXPECT_EQ(map.GetSelectedObject()->GetMapeID(), arc->GetMapeID());
        ExpectSurfaceIsCache();
    }
}

TEST_F(DrawingToolTest, AnArcConstructionLeftForAnotherToolIsDroppedWithItsBand)
{
    const int before = Count();
    map.SetTool(TOOL_ARC);
    Click(CPoint(100, 100));
    Move(CPoint(200, 180));
    map.SetTool(TOOL_SELECT);
    ExpectSurfaceIsCache();
    map.SetTool(TOOL_ARC);
    for (const CPoint& p : {CPoint(50, 50), CPoint(60, 60), CPoint(70, 70)})
        Click(p);
    EXPECT_EQ(Count(), before); // three clicks of a new construction store nothing
    EXPECT_EQ(static_cast<CArcTool*>(CMapTool::FindTool(TOOL_ARC))->GetClicks(), 3);
}

TEST_F(DrawingToolTest, SplineCurvesFlattenOneStepPerFourPixels)
{
    // A chord of (10, 3) pixels: 2 steps, 3 points; (3, 1): 1 step, 2 points.
    EXPECT_EQ(CSplineTool::FlattenCurve({CPoint(0, 0), CPoint(10, 3)}).size(), 3u);
    EXPECT_EQ(CSplineTool::FlattenCurve({CPoint(0, 0), CPoint(3, 1)}).size(), 2u);
    const std::vector<CPoint> curve = CSplineTool::FlattenCurve({CPoint(0, 0), CPoint(40, 0), CPoint(40, 40)});
    ASSERT_EQ(curve.size(), 22u);
    EXPECT_EQ(curve.front(), CPoint(0, 0));
    EXPECT_EQ(curve[10], CPoint(40, 0)); // segments repeat their common point
    EXPECT_EQ(curve[11], CPoint(40, 0));
    EXPECT_EQ(curve.back(), CPoint(40, 40));
}

TEST_F(DrawingToolTest, ASplineIsStoredThroughItsClickedControlPoints)
{
    map.SetTool(TOOL_SPLINE);
    auto* tool = static_cast<CSplineTool*>(CMapTool::FindTool(TOOL_SPLINE));
    Click(CPoint(60, 200));
    Click(CPoint(62, 198)); // within 2 pixels: no control point
    EXPECT_EQ(tool->GetControlPoints().size(), 1u);
    Click(CPoint(63, 200)); // 3 pixels away: one more
    EXPECT_EQ(tool->GetControlPoints().size(), 2u);
    Move(CPoint(150, 80));
    Click(CPoint(150, 80));
    Move(CPoint(250, 160));
    DoubleClick(CPoint(250, 160));

    auto spline = Newest();
    ASSERT_NE(spline, nullptr);
    ASSERT_EQ(spline->GetType(), MAP_OBJECT_SPLINE);
    const auto& points = static_cast<CMapSpline*>(spline.get())->GetControlPoints();
    ASSERT_EQ(points.GetSize(), 4);
    const CPoint clicked[] = {CPoint(60, 200), CPoint(63, 200), CPoint(150, 80), CPoint(250, 160)};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(SamePoint(points[i], MapOf(clicked[i]))) << i;
    EXPECT_TRUE(tool->GetControlPoints().empty());
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);
    ExpectSurfaceIsCache();

    // A double-click before any curve was drawn stores nothing.
    const int before = Count();
    map.SetTool(TOOL_SPLINE);
    DoubleClick(CPoint(100, 100));
    EXPECT_EQ(Count(), before);
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);
    ExpectSurfaceIsCache();
}

TEST_F(DrawingToolTest, TheRuleSumsTheFixedSegmentsAndShowsTheRubberOne)
{
    // A projected map measured on the flat map: lengths in map units.
    auto* srs = new OGRSpatialReference;
    ASSERT_EQ(srs->importFromEPSG(32633), OGRERR_NONE);
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    map.GetMapModel()->SetSpatialReference(srs, 32633);
    CMapUnits units = map.GetMapModel()->GetUnits();
    units.SetUseSpherical(0);
    map.GetMapModel()->SetUnits(units);

    auto* rule = static_cast<CRuleTool*>(CMapTool::FindTool(TOOL_RULE));
    map.SetTool(TOOL_RULE);
    const double zoom = map.GetZoom();
    Click(CPoint(50, 50));
    Move(CPoint(80, 90)); // 30, 40: 50 pixels
    EXPECT_NEAR(rule->GetSegment(), 50 * zoom, 1e-6);
    EXPECT_NEAR(rule->GetTotal(), 0.0, 1e-9);
    EXPECT_NE(map.GetStatusText().Find("Distance = "), -1);
    Click(CPoint(80, 90));
    Move(CPoint(80, 150));
    Click(CPoint(80, 150));
    Move(CPoint(100, 150), MK_SHIFT);
    Move(CPoint(110, 157), MK_SHIFT); // Shift keeps it horizontal: 30 pixels
    EXPECT_NEAR(rule->GetTotal(), 110 * zoom, 1e-6);
    EXPECT_NEAR(rule->GetSegment(), 30 * zoom, 1e-6);
    EXPECT_EQ(rule->GetPoints().back(), CPoint(110, 150));
    DoubleClick(CPoint(110, 150));
    EXPECT_TRUE(rule->GetPoints().empty());
    ExpectSurfaceIsCache();
    EXPECT_EQ(Count(), 1); // nothing stored: the pie
}

TEST_F(DrawingToolTest, RuleTextsKeepTheUnitAsText)
{
    EXPECT_EQ(CRuleTool::FormatDistances(12.345, 56.781, 2, "m", true),
              "Distance = 12.35m(spherical), Total = 56.78m(spherical)");
    EXPECT_EQ(CRuleTool::FormatDistances(3, 4, 0, "%s%n", false),
              "Distance = 3%s%n(cartesian), Total = 4%s%n(cartesian)");
}

}
}
