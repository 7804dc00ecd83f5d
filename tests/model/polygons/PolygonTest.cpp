// Polygons and polylines: measures in the plane and on the sphere, the
// containment and hit tests, vertex insertion, points along the outline,
// splitting, clipping, and drawing on a memory surface.
#include "tests/model/polygons/PointListTestSupport.h"

#include "core/Settings.h"
#include "model/layers/MapLayer.h"
#include "model/polygons/MapPolyParts.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"

#include <ogr_spatialref.h>

#include <cmath>
#include <memory>

namespace {
constexpr double kPi = 3.141592653589793;

OGRSpatialReference Geographic()
{
    OGRSpatialReference srs;
    srs.SetWellKnownGeogCS("WGS84");
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

double Great(double lon1, double lat1, double lon2, double lat2)
{
    const double k = kPi / 180;
    const double c = std::sin(lat1 * k) * std::sin(lat2 * k)
        + std::cos(lat1 * k) * std::cos(lat2 * k) * std::cos((lon1 - lon2) * k);
    return 6370997.0 * std::acos(std::min(1.0, c));
}

class View : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_DefaultViewHeight = 100;
        m_nSnap = g_SnapPoints;
        g_SnapPoints = 3;
    }
    void TearDown() override { g_SnapPoints = m_nSnap; }
    RECT client{0, 0, 100, 100};
    double x0 = 0, y0 = 0, zoom = 1;
    int m_nSnap = 0;
};
}

// ---------------------------------------------------------------- measures
TEST(PolygonMeasure, UnitSquareInThePlane)
{
    CMapPolygon square;
    FillPoints(square, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    EXPECT_DOUBLE_EQ(square.GetArea(nullptr), 1.0);
    EXPECT_DOUBLE_EQ(square.GetLength(nullptr), 4.0);
    CMapPolyline open;
    FillPoints(open, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    EXPECT_DOUBLE_EQ(open.GetLength(nullptr), 3.0);
    EXPECT_DOUBLE_EQ(open.GetArea(nullptr), 0.0);
}

// On a geographic map lengths run on the sphere of 6370997 m and areas on the
// one of 6378249 m; a repeated vertex (common in GPS tracks) adds nothing and
// never turns the whole into NaN.
TEST(PolygonMeasure, OneDegreeSquareOnTheSphereWithRepeatedVertices)
{
    OGRSpatialReference srs = Geographic();
    CMapPolygon square;
    FillPoints(square, {{0, 0}, {0, 0}, {1, 0}, {1, 1}, {1, 1}, {0, 1}});
    const double perimeter = Great(0, 0, 1, 0) + Great(1, 0, 1, 1) + Great(1, 1, 0, 1) + Great(0, 1, 0, 0);
    EXPECT_NEAR(square.GetLength(&srs), perimeter, 1e-6 * perimeter);
    // The band between the equator and 1 degree north, one degree wide.
    const double r = 6378249.0;
    const double band = r * r * (kPi / 180) * std::sin(kPi / 180);
    EXPECT_NEAR(square.GetArea(&srs), band, 2e-3 * band);

    CMapPolyline track;
    FillPoints(track, {{0, 0}, {0, 0}, {1, 0}, {1, 0}});
    EXPECT_NEAR(track.GetLength(&srs), Great(0, 0, 1, 0), 1e-6);
    EXPECT_FALSE(std::isnan(track.GetLength(&srs)));

    CMapPolygon meridian;
    FillPoints(meridian, {{5, 0}, {5, 10}, {5, 20}, {5, 10}});
    EXPECT_DOUBLE_EQ(meridian.GetArea(&srs), 0.0);
}

TEST(PolygonMeasure, PointsAlongTheOutline)
{
    struct Case {
        bool polygon;
        double d;
        bool found;
        double x, y;
    };
    const Case cases[] = {
        {true, 0, true, 0, 0},   {true, 5, true, 4, 1},    {true, 15, true, 0, 1},
        {true, 16, false, 0, 0}, {false, 0, true, 0, 0},   {false, 9.5, true, 2.5, 4},
        {false, 12, false, 0, 0},
    };
    for (const Case& c : cases) {
        CMapPolygon polygon;
        CMapPolyline line;
        CMapPointList& object = c.polygon ? (CMapPointList&)polygon : (CMapPointList&)line;
        FillPoints(object, {{0, 0}, {4, 0}, {4, 4}, {0, 4}});
        double x = -1, y = -1;
        SCOPED_TRACE(c.d);
        EXPECT_EQ(object.GetPointAtDistance(c.d, &x, &y) != FALSE, c.found);
        if (c.found) {
            EXPECT_DOUBLE_EQ(x, c.x);
            EXPECT_DOUBLE_EQ(y, c.y);
        }
    }
    CMapPolyline single;
    single.AddDoublePoint(1, 1);
    double x, y;
    EXPECT_FALSE(single.GetPointAtDistance(0, &x, &y));
    EXPECT_DOUBLE_EQ(single.GetLength(nullptr), 0.0);
}

TEST(PolygonMeasure, LabelPointIsTheMeanOfTheVertices)
{
    CMapPolygon polygon;
    FillPoints(polygon, {{0, 0}, {6, 0}, {6, 3}});
    EXPECT_FLOAT_EQ(polygon.GetLabelPoint().x, 4.0f);
    EXPECT_FLOAT_EQ(polygon.GetLabelPoint().y, 1.0f);
    EXPECT_FLOAT_EQ(CMapPolygon().GetLabelPoint().x, 0.0f);
}

// ---------------------------------------------------------------- containment
TEST(PolygonContains, CrossingNumberWithPointsLevelWithVertices)
{
    // A ring with a local minimum at (5, 0) and a local maximum at (5, 10).
    CMapPolygon ring;
    FillPoints(ring, {{0, 2}, {5, 0}, {10, 2}, {10, 8}, {5, 10}, {0, 8}});
    struct Case {
        double x, y;
        bool inside;
    };
    const Case cases[] = {{5, 5, true},  {1, 0, false}, {5, 0.5, true}, {-1, 2, false},
                          {1, 2, true},  {9, 8, true},  {11, 5, false}, {5, 9.5, true}};
    for (const Case& c : cases) {
        double x = c.x, y = c.y;
        EXPECT_EQ(ring.ContainsXY(&x, &y) != FALSE, c.inside) << c.x << "," << c.y;
        EXPECT_EQ(ring.IsPointInside(CFloatPoint(c.x, c.y)) != FALSE, c.inside) << c.x << "," << c.y;
    }
}

TEST(PolygonContains, RectangleInsideOnlyWhenNoEdgeEntersIt)
{
    // A U whose notch reaches down between x = 4 and 6 to y = 4.
    CMapPolygon u;
    FillPoints(u, {{0, 0}, {10, 0}, {10, 10}, {6, 10}, {6, 4}, {4, 4}, {4, 10}, {0, 10}});
    const CDoubleRect inside(1.0, 1.0, 3.0, 3.0), overNotch(1.0, 5.0, 9.0, 9.0), partly(8.0, 8.0, 12.0, 9.0);
    EXPECT_TRUE(u.ContainsRectangle(&inside));
    EXPECT_FALSE(u.ContainsRectangle(&overNotch));
    EXPECT_FALSE(u.ContainsRectangle(&partly));
}

// ---------------------------------------------------------------- editing at the cursor
TEST_F(View, InsertVertexTakesTheFirstNearEdgeClosingEdgeFirst)
{
    CMapPolygon polygon;
    FillPoints(polygon, {{10, 10}, {50, 10}, {50, 50}, {10, 50}});
    // Device (10, 70) is map (10, 30): on the closing edge.
    EXPECT_TRUE(polygon.InsertVertex(10, 70, &x0, &y0, &zoom));
    EXPECT_EQ(PointsOf(polygon).back(), XY(10, 30));
    EXPECT_TRUE(polygon.AreDevicePointsStale());
    EXPECT_TRUE(polygon.InsertVertex(30, 91, &x0, &y0, &zoom));
    EXPECT_EQ(PointsOf(polygon)[1], XY(30, 9));
    EXPECT_FALSE(polygon.InsertVertex(30, 60, &x0, &y0, &zoom));

    CMapPolyline line;
    FillPoints(line, {{10, 10}, {50, 10}});
    EXPECT_FALSE(line.InsertVertex(58, 90, &x0, &y0, &zoom));   // beyond the last vertex
    EXPECT_TRUE(line.InsertVertex(30, 90, &x0, &y0, &zoom));
    EXPECT_EQ(PointsOf(line), (std::vector<XY>{{10, 10}, {30, 10}, {50, 10}}));
    CMapPolyline single;
    single.AddDoublePoint(10, 10);
    EXPECT_EQ(single.InsertVertex(10, 90, &x0, &y0, &zoom), 0);
}

// ---------------------------------------------------------------- hit tests
TEST_F(View, PolygonHitsOnlyInsideItsCachedRing)
{
    CMapPolygon polygon;
    FillPoints(polygon, {{10, 10}, {50, 10}, {50, 50}, {10, 50}});
    // Never drawn: no device points, no hit anywhere.
    EXPECT_FALSE(polygon.HitTest(30, 70, &x0, &y0, &zoom));
    EXPECT_FALSE(CMapPolygon().HitTest(0, 0, &x0, &y0, &zoom));
    polygon.BuildDevicePoints(nullptr, &client, &x0, &y0, &zoom);
    EXPECT_TRUE(polygon.HitTest(30, 70, &x0, &y0, &zoom));
    EXPECT_FALSE(polygon.HitTest(70, 70, &x0, &y0, &zoom));
}

TEST_F(View, PolylineHitUsesThePenWidthOnlyWithoutCachedPoints)
{
    CMapPolyline line;
    FillPoints(line, {{10, 50}, {90, 50}});
    line.GetStyle()->SetPenWidth(10.0f);
    // 7 pixels off: within half the pen (5) plus the snap distance (3).
    EXPECT_TRUE(line.HitTest(50, 57, &x0, &y0, &zoom));
    line.BuildDevicePoints(nullptr, &client, &x0, &y0, &zoom);
    EXPECT_FALSE(line.HitTest(50, 57, &x0, &y0, &zoom));
    EXPECT_TRUE(line.HitTest(50, 53, &x0, &y0, &zoom));
}

// ---------------------------------------------------------------- building shapes
TEST(PolygonShapes, EllipseOfSixtyFourVerticesFromPiOverSixteen)
{
    CMapPolygon ellipse;
    const CDoubleRect box(0.0, 0.0, 40.0, 20.0);
    ellipse.MakeEllipse(&box);
    ASSERT_EQ(ellipse.GetPointCount(), 64);
    const CFloatPoint first = ellipse.GetPoint(0);
    EXPECT_NEAR(std::atan2(first.y - 10.0, first.x - 20.0), kPi / 16, 1e-6);
    for (const XY& p : PointsOf(ellipse))
        EXPECT_NEAR((p.first - 20) * (p.first - 20) / 400 + (p.second - 10) * (p.second - 10) / 100, 1.0, 1e-5);
    CMapPolygon rectangle;
    rectangle.MakeRectangle(&box);
    EXPECT_EQ(PointsOf(rectangle), (std::vector<XY>{{0, 0}, {40, 0}, {40, 20}, {0, 20}}));
}

TEST(PolygonShapes, ClippedToARectangleGivesOnePolygonPerPiece)
{
    CMapPolygon u;
    FillPoints(u, {{0, 0}, {10, 0}, {10, 10}, {6, 10}, {6, 4}, {4, 4}, {4, 10}, {0, 10}});
    const CDoubleRect top(-1.0, 6.0, 11.0, 12.0);
    std::unique_ptr<CMapPolyPolygon> pieces(u.ClipToRectangle(&top));
    ASSERT_EQ(pieces->GetPartCount(), 2);
    double area = 0;
    for (POSITION pos = pieces->GetHeadPartPosition(); pos;)
        area += static_cast<CMapPolygon*>(pieces->GetNextPart(pos))->GetArea(nullptr);
    EXPECT_DOUBLE_EQ(area, 32.0);
    const CDoubleRect away(20.0, 20.0, 30.0, 30.0);
    EXPECT_EQ(std::unique_ptr<CMapPolyPolygon>(u.ClipToRectangle(&away))->GetPartCount(), 0);
}

TEST(PolygonSplit, StraightCutGivesTheTwoHalves)
{
    CMapPolygon square;
    FillPoints(square, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    CMapPolyline cut;
    FillPoints(cut, {{4, -5}, {4, 15}});
    std::unique_ptr<CMapPolyPolygon> parts(square.SplitByLine(&cut));
    ASSERT_EQ(parts->GetPartCount(), 2);
    std::vector<double> areas;
    for (POSITION pos = parts->GetHeadPartPosition(); pos;) {
        auto* part = static_cast<CMapPolygon*>(parts->GetNextPart(pos));
        areas.push_back(part->GetArea(nullptr));
        EXPECT_EQ(part->GetPointCount(), 4);
    }
    std::sort(areas.begin(), areas.end());
    EXPECT_DOUBLE_EQ(areas[0], 40.0);
    EXPECT_DOUBLE_EQ(areas[1], 60.0);
    EXPECT_EQ(square.GetPointCount(), 4);   // the polygon itself is left as it was
}

TEST(PolygonSplit, ACutSnappedToAVertexWhereTheLineBendsCountsThatCrossingOnce)
{
    CMapPolygon square;
    FillPoints(square, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    // Bent on the vertex (0, 0) and leaving through (10, 6): once crossing the
    // far edge, once bent on it too.
    for (auto points : {std::initializer_list<XY>{{-5, -2}, {0, 0}, {15, 9}},
                        std::initializer_list<XY>{{-5, -2}, {0, 0}, {10, 6}, {15, 6}}}) {
        CMapPolyline cut;
        FillPoints(cut, points);
        std::unique_ptr<CMapPolyPolygon> parts(square.SplitByLine(&cut));
        ASSERT_EQ(parts->GetPartCount(), 2) << points.size();
        std::vector<double> areas;
        for (POSITION pos = parts->GetHeadPartPosition(); pos;)
            areas.push_back(static_cast<CMapPolygon*>(parts->GetNextPart(pos))->GetArea(nullptr));
        std::sort(areas.begin(), areas.end());
        EXPECT_DOUBLE_EQ(areas[0], 30.0);
        EXPECT_DOUBLE_EQ(areas[1], 70.0);
    }
}

TEST(PolygonSplit, LineThatDoesNotCrossTwiceLeavesOnePart)
{
    CMapPolygon square;
    FillPoints(square, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    for (auto points : {std::initializer_list<XY>{{5, 5}, {5, 15}}, std::initializer_list<XY>{{20, 0}, {20, 9}}}) {
        CMapPolyline cut;
        FillPoints(cut, points);
        std::unique_ptr<CMapPolyPolygon> parts(square.SplitByLine(&cut));
        ASSERT_EQ(parts->GetPartCount(), 1);
        EXPECT_EQ(PointsOf(*static_cast<CMapPolygon*>(parts->GetFirstPart())), PointsOf(square));
    }
}

TEST(PolygonSplit, RingCutAtTwoVerticesIntoTwoOpenLines)
{
    CMapPolygon square;
    FillPoints(square, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    std::unique_ptr<CMapPolyPolyline> halves(square.SplitRingAt(CFloatPoint(10, 0), CFloatPoint(0, 10), FALSE));
    ASSERT_TRUE(halves);
    ASSERT_EQ(halves->GetPartCount(), 2);
    auto* first = static_cast<CMapPolyline*>(halves->GetFirstPart());
    auto* second = static_cast<CMapPolyline*>(halves->GetLastPart());
    EXPECT_EQ(PointsOf(*first), (std::vector<XY>{{10, 0}, {10, 10}, {0, 10}}));
    EXPECT_EQ(PointsOf(*second), (std::vector<XY>{{0, 10}, {0, 0}, {10, 0}}));
    EXPECT_FALSE(square.SplitRingAt(CFloatPoint(5, 5), CFloatPoint(0, 10), FALSE));
}

// ---------------------------------------------------------------- drawing
TEST_F(View, PolygonFillsWithItsBrushAndOutlinesWithItsPen)
{
    CMapPolygon polygon;
    FillPoints(polygon, {{10, 10}, {50, 10}, {50, 50}, {10, 50}});
    CMapStyle* style = polygon.GetStyle();
    style->SetPenColor(RGB(255, 0, 0));
    style->SetPenWidth(0.0f);
    style->SetBrushStyle(MAPBRUSH_SOLID);
    style->SetBrushColor(RGB(0, 0, 255));
    Surface surface(100);
    polygon.Draw(&surface.dc, &client, &x0, &y0, &zoom);
    EXPECT_EQ(surface.dc.GetPixel(30, 70), RGB(0, 0, 255));
    EXPECT_EQ(surface.dc.GetPixel(10, 70), RGB(255, 0, 0));
    EXPECT_EQ(surface.dc.GetPixel(30, 50), RGB(255, 0, 0));
    EXPECT_EQ(surface.dc.GetPixel(60, 70), RGB(255, 255, 255));
    EXPECT_EQ(surface.dc.GetPixel(30, 30), RGB(255, 255, 255));
}

TEST_F(View, PolylineDrawsItsPenAlongTheChainOnly)
{
    CMapPolyline line;
    FillPoints(line, {{10, 10}, {50, 10}, {50, 50}});
    line.GetStyle()->SetPenColor(RGB(0, 128, 0));
    line.GetStyle()->SetPenWidth(0.0f);
    line.GetStyle()->SetBrushStyle(MAPBRUSH_SOLID);
    Surface surface(100);
    line.Draw(&surface.dc, &client, &x0, &y0, &zoom);
    EXPECT_EQ(surface.dc.GetPixel(30, 90), RGB(0, 128, 0));
    EXPECT_EQ(surface.dc.GetPixel(50, 70), RGB(0, 128, 0));
    EXPECT_EQ(surface.dc.GetPixel(40, 70), RGB(255, 255, 255));   // nothing filled
    EXPECT_EQ(surface.dc.GetPixel(30, 70), RGB(255, 255, 255));   // no closing edge
}

// The rubber bands and the dragged vertex draw in NOTXOR: twice is nothing.
TEST_F(View, RubberBandsEraseExactly)
{
    CMapPolygon polygon;
    FillPoints(polygon, {{10, 10}, {60, 15}, {40, 70}, {15, 40}});
    CMapPolyline line;
    FillPoints(line, {{5, 5}, {90, 30}, {20, 80}});
    polygon.BuildDevicePoints(nullptr, &client, &x0, &y0, &zoom);
    line.BuildDevicePoints(nullptr, &client, &x0, &y0, &zoom);
    Surface surface(100);
    CGdiObject* oldBrush = surface.dc.SelectStockObject(NULL_BRUSH);
    for (CMapObject* object : {(CMapObject*)&polygon, (CMapObject*)&line}) {
        object->DrawTracking(&surface.dc, &client, &x0, &y0, &zoom);
        EXPECT_GT(surface.CountNot(RGB(255, 255, 255)), 50);
        object->DrawTracking(&surface.dc, &client, &x0, &y0, &zoom);
        EXPECT_EQ(surface.CountNot(RGB(255, 255, 255)), 0);
    }
    surface.dc.SelectObject(oldBrush);

    // Dragging vertex 2 of the polygon: each move erases the band of the
    // previous one, so going back shows exactly what the first move showed.
    const auto pixels = [&] {
        std::vector<COLORREF> all;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                all.push_back(surface.dc.GetPixel(x, y));
        return all;
    };
    polygon.MoveHandle(&surface.dc, 2, 45, 25, &x0, &y0, &zoom);
    const std::vector<COLORREF> first = pixels();
    polygon.MoveHandle(&surface.dc, 2, 50, 20, &x0, &y0, &zoom);
    EXPECT_NE(pixels(), first);
    polygon.MoveHandle(&surface.dc, 2, 45, 25, &x0, &y0, &zoom);
    EXPECT_EQ(pixels(), first);
    EXPECT_EQ(PointsOf(polygon)[2], XY(45, 75));
}

TEST_F(View, SelectedHandlesInvertSquaresAndTheActiveOneAgain)
{
    CMapLayer layer("L");
    CMapPolyline line;
    line.SetLayer(&layer);
    FillPoints(line, {{20, 20}, {70, 70}});
    line.SetActiveHandle(1);
    line.BuildDevicePoints(nullptr, &client, &x0, &y0, &zoom);
    Surface surface(100);
    line.DrawSelected(&surface.dc, &client, &x0, &y0, &zoom);
    EXPECT_EQ(surface.dc.GetPixel(20, 80), RGB(0, 0, 0));
    EXPECT_EQ(surface.dc.GetPixel(23, 83), RGB(0, 0, 0));
    EXPECT_EQ(surface.dc.GetPixel(24, 84), RGB(255, 255, 255));
    EXPECT_EQ(surface.dc.GetPixel(70, 30), RGB(255, 255, 255));   // inverted twice
    EXPECT_EQ(surface.dc.GetPixel(73, 33), RGB(0, 0, 0));
    line.DrawSelected(&surface.dc, &client, &x0, &y0, &zoom);
    EXPECT_EQ(surface.CountNot(RGB(255, 255, 255)), 0);
}
