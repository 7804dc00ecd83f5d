// Splines: the tangent system and sampling, the boundary of the curve, the
// stored control points, handles, and drawing and hit tests at any zoom.
#include "tests/model/objects/LayerTestSupport.h"
#include "tests/model/objects/SurfaceTestSupport.h"

#include "model/objects/MapSpline.h"
#include "model/geometry/SplineCurve.h"

#include <ogr_spatialref.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double kPi = 3.141592653589793;

std::vector<CDoublePoint> Sampled(const std::vector<CDoublePoint>& control, bool truncate = true)
{
    std::vector<CDoublePoint> out;
    CSplineCurve(control).Sample(out, truncate);
    return out;
}

std::unique_ptr<CMapSpline> MakeSpline(const std::vector<CFloatPoint>& points)
{
    auto spline = std::make_unique<CMapSpline>();
    spline->SetControlPoints(points);
    return spline;
}

TEST(SplineCurve, TwoPointsHaveTheTangentsOfTenJacobiIterations)
{
    const CSplineCurve curve({{0, 0}, {40, 0}});
    // 40 + 20 * (-1/2)^10, the iteration approaching the exact tangent 40.
    EXPECT_EQ(curve.TangentX(0), 40.01953125f);
    EXPECT_EQ(curve.TangentX(1), 40.01953125f);
    EXPECT_EQ(curve.EndTangentX(0), 40.01953125f);
    EXPECT_EQ(curve.TangentY(0), 0.0f);
    const std::vector<CDoublePoint> points = Sampled({{0, 0}, {40, 0}});
    ASSERT_EQ(points.size(), 11u);
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(points[i].y, 0.0);
        EXPECT_NEAR(points[i].x, 4.0 * i, 1.0);
    }
    EXPECT_EQ(points.back().x, 40.0);
}

TEST(SplineCurve, EachSegmentTakesOneStepPerFourUnitsOfItsLargerDifference)
{
    struct Case {
        std::vector<CDoublePoint> control;
        size_t count;
    };
    const Case cases[] = {
        {{{0, 0}, {3, 2}}, 2},                   // k = 0 becomes 1: the two ends only
        {{{0, 0}, {40, 0}, {40, 8}}, 11 + 3},    // the middle control point twice
        {{{0, 0}, {-17, 9}}, 5},                 // truncated differences, any sign
        {{{0, 0}, {0, 0}, {40, 0}}, 11},         // a repeated point is passed once
        {{{5, 5}, {5, 5}}, 1},                   // nothing to join: the point itself
        {{}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        const std::vector<CDoublePoint> points = Sampled(c.control);
        ASSERT_EQ(points.size(), c.count);
        for (const CDoublePoint& p : points)
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
    const std::vector<CDoublePoint> three = Sampled({{0, 0}, {40, 0}, {40, 8}});
    EXPECT_EQ(three[10].x, 40.0);
    EXPECT_EQ(three[11].x, 40.0);
    EXPECT_EQ(three[11].y, 0.0);
}

TEST(SplineCurve, VastOrBrokenCoordinatesStayBounded)
{
    const double inf = std::numeric_limits<double>::infinity();
    // Differences past any step count, and ones that are not finite.
    EXPECT_LE(CSplineCurve({{0, 0}, {3.0e38, 0}}).GetPointCount(), CSplineCurve::kMaxSegmentSteps + 1);
    EXPECT_EQ(CSplineCurve({{0, 0}, {inf, 0}}).GetPointCount(), 2);
    // Chords whose squares underflow give no ratio: they weigh equally.
    const std::vector<CDoublePoint> tiny = Sampled({{0, 0}, {1e-30, 0}, {2e-30, 1e-30}}, false);
    for (const CDoublePoint& p : tiny)
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}

TEST(SplineCurve, TheWholeCurveKeepsToItsBoundWhateverTheSegmentsAsk)
{
    // 20 000 segments of 300 km, each asking for the most steps a segment may take.
    std::vector<CDoublePoint> control;
    for (int i = 0; i <= 20000; ++i)
        control.emplace_back(300000.0 * i, i % 2 ? 300000.0 : 0.0);
    EXPECT_LE(CSplineCurve(control).GetPointCount(), CSplineCurve::kMaxCurvePoints);
    const CSplineCurve bounded(control, CSplineCurve::kMaxMapCurvePoints);
    EXPECT_LE(bounded.GetPointCount(), CSplineCurve::kMaxMapCurvePoints);
    EXPECT_GE(bounded.GetPointCount(), 2 * 20000);
    // A bound that leaves room spreads it over the segments as their lengths ask.
    const CSplineCurve few({{0, 0}, {400000, 0}, {400040, 0}}, 1000);
    std::vector<CDoublePoint> points;
    few.Sample(points, false);
    EXPECT_LE((long long)points.size(), 1000);
    EXPECT_GT(points.size(), 900u);
    EXPECT_EQ(points.back().x, 400040.0);
}

TEST(Spline, ALongSplineInMetresLoadsWithABoundedCurve)
{
    std::vector<CFloatPoint> control;
    for (int i = 0; i < 1000; ++i)
        control.emplace_back(300000.0f * (float)i, i % 2 ? 300000.0f : 0.0f);
    const auto start = std::chrono::steady_clock::now();
    auto spline = MakeSpline(control);
    CArray<CFloatPoint, CFloatPoint&> points;
    spline->GetOutlinePoints(points);
    EXPECT_LE(points.GetSize(), CSplineCurve::kMaxMapCurvePoints);
    EXPECT_GT(spline->GetLength(nullptr), 999 * 300000.0);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 2.0);
}

TEST(Spline, BoundaryHoldsTheCurveNotJustTheControlPoints)
{
    // The curve leaves (0, 0) heading down before it turns up towards (40, 40).
    auto spline = MakeSpline({{0, 0}, {40, 0}, {40, 40}});
    const CDoubleRect b = spline->GetBoundary();
    EXPECT_LT(b.bottom, -0.5);
    EXPECT_GE(b.right, 40.0);
    EXPECT_EQ(b.top, 40.0);
    EXPECT_EQ(b.left, 0.0);
}

TEST(Spline, HandlesAreTheControlPointsModuloTheirCount)
{
    auto spline = MakeSpline({{1, 1}, {2, 2}, {3, 3}});
    EXPECT_EQ(spline->GetHandleCount(), 3);
    EXPECT_EQ(spline->GetHandlePoint(5).x, 3.0f);
    EXPECT_EQ(spline->GetHandlePoint(-1).x, 3.0f);
    CMapSpline empty;
    EXPECT_EQ(empty.GetHandlePoint(2).x, 0.0f);
    EXPECT_EQ(empty.GetHandleCount(), 0);
}

TEST(Spline, OutlineReplacesWhatTheArrayHeld)
{
    auto spline = MakeSpline({{0, 0}, {40, 0}});
    CArray<CFloatPoint, CFloatPoint&> outline;
    for (int i = 0; i < 50; ++i) {
        CFloatPoint p(-1, -1);
        outline.Add(p);
    }
    spline->GetOutlinePoints(outline);
    ASSERT_EQ(outline.GetSize(), 11);
    EXPECT_EQ(outline[0].x, 0.0f);
    EXPECT_EQ(outline[10].x, 40.0f);
}

TEST(Spline, LengthOnAGeographicReferenceSumsGreatCircleSegments)
{
    OGRSpatialReference wgs;
    wgs.importFromEPSG(4326);
    wgs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    // Along the equator from 0 to 40 degrees: 11 curve points, 10 segments on
    // the equator, whose lengths add up to 40 degrees of arc.
    auto spline = MakeSpline({{0, 0}, {40, 0}});
    EXPECT_EQ(spline->GetCurvePoints().size(), 11u);
    EXPECT_NEAR(spline->GetLength(&wgs), 6370997.0 * 40 * kPi / 180, 1e-3);
    EXPECT_NEAR(spline->GetLength(nullptr), 40.0, 1e-4);
}

// ---------------------------------------------------------------- drawing

TEST(SplineDrawing, DrawsTheCurveAndHitsNearIt)
{
    g_DefaultViewHeight = 100;
    Surface s(100);
    auto spline = MakeSpline({{10, 50}, {90, 50}});
    spline->GetStyle()->SetPenStyle(MAPPEN_SOLID);
    spline->GetStyle()->SetPenColor(RGB(0, 0, 0));
    spline->GetStyle()->SetPenWidth(1);
    double ox = 0, oy = 0, zoom = 1;
    const RECT client = s.Client();
    spline->Draw(&s.dc, &client, &ox, &oy, &zoom);
    EXPECT_TRUE(s.Inked(50, 50));
    EXPECT_FALSE(s.Inked(50, 40));
    EXPECT_TRUE(spline->HitTest(50, 52, &ox, &oy, &zoom));
    EXPECT_FALSE(spline->HitTest(50, 60, &ox, &oy, &zoom));

    // Fewer than two control points draw nothing.
    Surface t(100);
    auto single = MakeSpline({{50, 50}});
    single->Draw(&t.dc, &client, &ox, &oy, &zoom);
    EXPECT_EQ(t.InkCount(), 0);
    EXPECT_FALSE(single->HitTest(50, 50, &ox, &oy, &zoom));
}

// Control points a trillion pixels apart: sampling one step per 4 pixels would
// take 10^11 points; the curve is refined only where the view sees it.
TEST(SplineDrawing, FarZoomSamplesOnlyWhatTheViewShows)
{
    g_DefaultViewHeight = 100;
    for (double far : {1.0e5, 1.0e12, 1.0e30}) {
        SCOPED_TRACE(far);
        Surface s(100);
        auto spline = MakeSpline({{-far, 50}, {50, 50}, {far, 50}});
        spline->GetStyle()->SetPenStyle(MAPPEN_SOLID);
        spline->GetStyle()->SetPenColor(RGB(0, 0, 0));
        spline->GetStyle()->SetPenWidth(1);
        double ox = 0, oy = 0, zoom = 1;
        const RECT client = s.Client();
        const auto begin = std::chrono::steady_clock::now();
        spline->Draw(&s.dc, &client, &ox, &oy, &zoom);
        EXPECT_TRUE(spline->HitTest(20, 50, &ox, &oy, &zoom));
        EXPECT_FALSE(spline->HitTest(20, 70, &ox, &oy, &zoom));
        EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2));
        EXPECT_TRUE(s.Inked(5, 50));
        EXPECT_TRUE(s.Inked(95, 50));
        EXPECT_FALSE(s.Inked(50, 30));
    }
}

TEST(SplineDrawing, ControlPointsThatAreNotFiniteDrawNothing)
{
    g_DefaultViewHeight = 100;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (CFloatPoint bad : {CFloatPoint(nan, 10), CFloatPoint(10, inf)}) {
        Surface s(100);
        auto spline = MakeSpline({{10, 10}, bad, {90, 90}});
        double ox = 0, oy = 0, zoom = 1;
        const RECT client = s.Client();
        spline->Draw(&s.dc, &client, &ox, &oy, &zoom);
        spline->DrawTracking(&s.dc, &client, &ox, &oy, &zoom);
        EXPECT_EQ(s.InkCount(), 0);
        EXPECT_FALSE(spline->HitTest(10, 90, &ox, &oy, &zoom));
    }
}

// ---------------------------------------------------------------- rows

class SplineRows : public LayerFile {};

TEST_F(SplineRows, ControlPointsAreStoredAsFloatPairs)
{
    auto spline = MakeSpline({{1.5f, -2.0f}, {40.0f, 0.25f}});
    layer->AddObject(spline.get(), TRUE);
    const Bytes stored = *Blob("mapeGeoData", spline->GetMapeID());
    ASSERT_EQ(stored.size(), 16u);
    EXPECT_EQ(FloatAt(stored, 0), 1.5f);
    EXPECT_EQ(FloatAt(stored, 4), -2.0f);
    EXPECT_EQ(FloatAt(stored, 8), 40.0f);
    EXPECT_EQ(FloatAt(stored, 12), 0.25f);

    // Without a map the view height is the one last recorded, set here.
    layer->ClearMap();
    g_DefaultViewHeight = 100;
    Surface s(100);
    double ox = 0, oy = 0, zoom = 1;
    spline->MoveHandle(&s.dc, 1, 60, 90, &ox, &oy, &zoom);   // map (60, 10)
    const Bytes moved = *Blob("mapeGeoData", spline->GetMapeID());
    EXPECT_EQ(FloatAt(moved, 8), 60.0f);
    EXPECT_EQ(FloatAt(moved, 12), 10.0f);
    EXPECT_FALSE(spline->IsGeometryModified());
    spline->MoveHandle(&s.dc, 7, 0, 0, &ox, &oy, &zoom);     // no such handle: nothing changes
    EXPECT_EQ(*Blob("mapeGeoData", spline->GetMapeID()), moved);
}

TEST_F(SplineRows, TheCountIsTheLengthOverEightAndShortRecordsKeepThePoints)
{
    Bytes geo(20, 0);
    MapRecord::PutFloat(geo.data(), 0.0f);
    MapRecord::PutFloat(geo.data() + 8, 40.0f);
    Scribble(geo, 16, 4);
    InsertRow(1, MAP_OBJECT_SPLINE, std::nullopt, RectRecord(0, 0, 40, 0), geo);
    InsertRow(2, MAP_OBJECT_SPLINE, std::nullopt, RectRecord(1, 2, 3, 4), Bytes(7, 0xFF));
    CMapSpline spline, shortRow;
    LoadRow(&spline, 1);
    LoadRow(&shortRow, 2);
    ASSERT_EQ(spline.GetHandleCount(), 2);
    EXPECT_EQ(spline.GetHandlePoint(1).x, 40.0f);
    EXPECT_EQ(spline.GetBoundary(), CDoubleRect(0.0, 0.0, 40.0, 0.0));
    EXPECT_EQ(shortRow.GetHandleCount(), 0);
    EXPECT_EQ(shortRow.GetBoundary(), CDoubleRect(1.0, 2.0, 3.0, 4.0));
}

}
