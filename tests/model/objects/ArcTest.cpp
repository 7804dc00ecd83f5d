// Arcs, chords and pies: the whole-degree approximation, measures, handles,
// hit tests, the 56-byte record and drawing at ordinary and extreme zooms.
#include "tests/model/objects/LayerTestSupport.h"
#include "tests/model/objects/SurfaceTestSupport.h"

#include "core/Measure.h"
#include "model/objects/MapArc.h"

#include <ogr_spatialref.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

namespace {

constexpr double kPi = 3.141592653589793;

CFloatPoint Direction(double degrees, double distance = 1000.0)
{
    return CFloatPoint(distance * std::cos(degrees * kPi / 180), distance * std::sin(degrees * kPi / 180));
}

std::unique_ptr<CMapArc> MakeArc(int type, CDoubleRect ellipse, CFloatPoint start, CFloatPoint end)
{
    auto arc = std::make_unique<CMapArc>(type);
    CArcGeometry g;
    g.start = start;
    g.end = end;
    g.ellipse = ellipse;
    arc->SetGeometry(g);
    return arc;
}

std::vector<CFloatPoint> Points(CMapArc& arc)
{
    CArray<CFloatPoint, CFloatPoint&> a;
    arc.GetArcPoints(a, TRUE);
    return std::vector<CFloatPoint>(a.GetData(), a.GetData() + a.GetSize());
}

TEST(Arc, ApproximationHasOneVertexPerWholeDegreeFromStartToEnd)
{
    struct Case {
        int type;
        double startDeg, endDeg;
        size_t count;
        int firstDeg, lastDeg;
    };
    // Half degrees, so that truncation towards zero is not at the mercy of rounding.
    const Case cases[] = {
        {MAP_OBJECT_ARC, 350.5, 10.5, 20, -9, 10},    // through 0
        {MAP_OBJECT_ARC, 10.5, 350.5, 342, 10, 351},  // the long way round
        {MAP_OBJECT_ARC, 45.5, 45.5, 361, 45, 405},   // same direction: the whole ellipse
        {MAP_OBJECT_CHORD, 100.5, 200.5, 102, 100, 201},   // 200.5 is -159.5: truncated to -159
        {MAP_OBJECT_PIE, 350.5, 10.5, 21, -9, 10},    // and the centre last
    };
    const CDoubleRect ellipse(-100.0, -100.0, 100.0, 100.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.startDeg);
        auto arc = MakeArc(c.type, ellipse, Direction(c.startDeg), Direction(c.endDeg));
        const std::vector<CFloatPoint> v = Points(*arc);
        ASSERT_EQ(v.size(), c.count);
        EXPECT_FLOAT_EQ(v.front().x, (float)(CosDegrees(c.firstDeg) * 100));
        EXPECT_FLOAT_EQ(v.front().y, (float)(SinDegrees(c.firstDeg) * 100));
        const CFloatPoint last = c.type == MAP_OBJECT_PIE ? v[v.size() - 2] : v.back();
        EXPECT_FLOAT_EQ(last.x, (float)(CosDegrees(c.lastDeg) * 100));
        EXPECT_FLOAT_EQ(last.y, (float)(SinDegrees(c.lastDeg) * 100));
        if (c.type == MAP_OBJECT_PIE) {
            EXPECT_EQ(v.back().x, 0.0f);
            EXPECT_EQ(v.back().y, 0.0f);
        }
    }
}

TEST(Arc, ParametricAngleOfAFlattenedEllipseIsNotThePolarAngle)
{
    // (1, 1) on the ellipse (-2, -1, 2, 1) lies at parameter atan2(2, 1) = 63.43 degrees.
    auto arc = MakeArc(MAP_OBJECT_ARC, CDoubleRect(-2.0, -1.0, 2.0, 1.0), CFloatPoint(1, 1), CFloatPoint(-2, 0));
    EXPECT_NEAR(arc->ParametricAngle(CFloatPoint(1, 1)) * 180 / kPi, 63.43, 0.01);
    const std::vector<CFloatPoint> v = Points(*arc);
    EXPECT_FLOAT_EQ(v.front().x, (float)(CosDegrees(63) * 2));
    EXPECT_FLOAT_EQ(v.front().y, (float)SinDegrees(63));
    EXPECT_EQ(v.size(), 180u - 63u + 1u);
}

TEST(Arc, QuarterOfTheUnitCircleMeasuresAsItsFigure)
{
    struct Case {
        int type;
        double length, area;
    };
    const Case cases[] = {
        {MAP_OBJECT_ARC, kPi / 2, 0.0},
        {MAP_OBJECT_CHORD, kPi / 2 + std::sqrt(2.0), kPi / 4 - 0.5},
        {MAP_OBJECT_PIE, kPi / 2 + 2.0, kPi / 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        auto arc = MakeArc(c.type, CDoubleRect(-1.0, -1.0, 1.0, 1.0), CFloatPoint(1, 0), CFloatPoint(0, 1));
        EXPECT_EQ(Points(*arc).size(), c.type == MAP_OBJECT_PIE ? 92u : 91u);
        EXPECT_NEAR(arc->GetLength(nullptr), c.length, 1e-3);
        EXPECT_NEAR(arc->GetArea(nullptr), c.area, 1e-3);
    }
}

TEST(Arc, EndHandlesLieOnTheEllipseAndTheCentreHasADefinedDirection)
{
    auto arc = MakeArc(MAP_OBJECT_ARC, CDoubleRect(-2.0, -1.0, 2.0, 1.0), CFloatPoint(1000, 1000),
                       CFloatPoint(0, 0));
    const CFloatPoint h4 = arc->GetHandlePoint(4);
    EXPECT_NEAR(h4.x * h4.x / 4 + h4.y * h4.y, 1.0, 1e-5);
    EXPECT_GT(h4.x, 0.0f);
    // The end at the centre: the point at parameter angle 0, not a division by zero.
    const CFloatPoint h5 = arc->GetHandlePoint(5);
    EXPECT_FLOAT_EQ(h5.x, 2.0f);
    EXPECT_FLOAT_EQ(h5.y, 0.0f);
    EXPECT_EQ(arc->GetHandlePoint(-1).x, h5.x);   // negative remainders are the end
    EXPECT_EQ(arc->GetHandlePoint(2).x, 2.0f);    // top-right corner
    EXPECT_EQ(arc->GetHandlePoint(2).y, 1.0f);

    // A new arc: an empty ellipse with both ends at its centre.
    CMapArc empty;
    const CFloatPoint h = empty.GetHandlePoint(4);
    EXPECT_TRUE(std::isfinite(h.x) && std::isfinite(h.y));
    for (const CFloatPoint& p : Points(empty))
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}

TEST(Arc, HitTestIsInsideTheFigureForChordsAndPiesAndNearTheCurveForArcs)
{
    g_DefaultViewHeight = 200;   // device (x, 200 - y) at zoom 1
    struct Case {
        int type;
        bool onCurve, inChordSegment, inPieOnly, outside;
    };
    const Case cases[] = {
        {MAP_OBJECT_ARC, true, false, false, false},
        {MAP_OBJECT_CHORD, true, true, false, false},
        {MAP_OBJECT_PIE, true, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        auto arc = MakeArc(c.type, CDoubleRect(0.0, 0.0, 100.0, 100.0), CFloatPoint(100, 50), CFloatPoint(50, 100));
        double ox = 0, oy = 0, zoom = 1;
        const auto hit = [&](double x, double y) { return (bool)arc->HitTest((int)x, (int)(200 - y), &ox, &oy, &zoom); };
        EXPECT_EQ(hit(85, 85), c.onCurve);
        EXPECT_EQ(hit(80, 78), c.inChordSegment);
        EXPECT_EQ(hit(60, 60), c.inPieOnly);
        EXPECT_EQ(hit(20, 20), c.outside);
    }
}

TEST(Arc, TransformMovesEndPointsAndEllipseTogether)
{
    OGRSpatialReference utm, wgs;
    utm.importFromEPSG(32633);
    wgs.importFromEPSG(4326);
    utm.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    wgs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> ct(OGRCreateCoordinateTransformation(&utm, &wgs));
    ASSERT_TRUE(ct);
    auto arc = MakeArc(MAP_OBJECT_ARC, CDoubleRect(499000.0, 4999000.0, 501000.0, 5001000.0),
                       CFloatPoint(501000, 5000000), CFloatPoint(500000, 5001000));
    ASSERT_EQ(arc->Transform(ct.get()), 1);
    const CDoubleRect e = arc->GetEllipseRect();
    EXPECT_NEAR((e.left + e.right) / 2, 15.0, 1e-6);     // the zone's central meridian
    EXPECT_NEAR((e.top + e.bottom) / 2, 45.1, 0.1);
    EXPECT_EQ(arc->GetBoundary(), e);
    EXPECT_TRUE(arc->IsGeometryModified());
    // The directions survive: still about a quarter from east to north.
    EXPECT_NEAR((double)Points(*arc).size(), 91.0, 1.0);
    // Without a transformation nothing moves.
    const CDoubleRect before = arc->GetEllipseRect();
    EXPECT_EQ(arc->Transform(nullptr), 0);
    EXPECT_EQ(arc->GetEllipseRect(), before);
}

// ---------------------------------------------------------------- drawing

void SetSolidStyle(CMapObject& object, COLORREF pen, COLORREF brush)
{
    CMapStyle* style = object.GetStyle();
    style->SetPenStyle(MAPPEN_SOLID);
    style->SetPenWidth(1);
    style->SetPenColor(pen);
    style->SetBrushStyle(MAPBRUSH_SOLID);
    style->SetBrushColor(brush);
}

bool InkNear(Surface& s, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (s.Inked(x + dx, y + dy))
                return true;
    return false;
}

// The quarter from 0 to 90 degrees of the circle through device (10, 10) to
// (110, 110), drawn on a fresh surface.
std::unique_ptr<CMapArc> DrawQuarter(Surface& s, int type)
{
    g_DefaultViewHeight = 120;
    auto arc = MakeArc(type, CDoubleRect(10.0, 10.0, 110.0, 110.0), CFloatPoint(200, 60), CFloatPoint(60, 200));
    SetSolidStyle(*arc, RGB(0, 0, 0), RGB(255, 0, 0));
    double ox = 0, oy = 0, zoom = 1;
    const RECT client = s.Client();
    arc->Draw(&s.dc, &client, &ox, &oy, &zoom);
    return arc;
}

TEST(ArcDrawing, QuarterArcAndPieDrawWhereTheApproximationLies)
{
    Surface a(120);
    DrawQuarter(a, MAP_OBJECT_ARC);
    EXPECT_TRUE(InkNear(a, 95, 25));    // 45 degrees: up and right on the screen
    EXPECT_FALSE(InkNear(a, 25, 95));   // 225 degrees is not part of it
    EXPECT_FALSE(a.Inked(75, 45));      // an arc is not filled

    Surface p(120);
    auto pie = DrawQuarter(p, MAP_OBJECT_PIE);
    EXPECT_EQ(p.dc.GetPixel(75, 45), RGB(255, 0, 0));
    EXPECT_EQ(p.dc.GetPixel(45, 75), RGB(255, 255, 255));

    // The rubber band drawn twice leaves nothing behind.
    Surface t(120);
    double ox = 0, oy = 0, zoom = 1;
    const RECT client = t.Client();
    pie->DrawTracking(&t.dc, &client, &ox, &oy, &zoom);
    EXPECT_GT(t.InkCount(), 0);
    pie->DrawTracking(&t.dc, &client, &ox, &oy, &zoom);
    EXPECT_EQ(t.InkCount(), 0);
}

// An upper half of a circle so large that its top runs straight across the
// view at device y = 60: the figure is clipped to the view in bounded time.
TEST(ArcDrawing, HugeFiguresDrawClippedInBoundedTime)
{
    g_DefaultViewHeight = 120;
    for (double radius : {2.0e4, 5.0e4, 1.0e9, 1.0e15}) {
        for (int type : {MAP_OBJECT_ARC, MAP_OBJECT_PIE}) {
            SCOPED_TRACE(radius);
            SCOPED_TRACE(type);
            Surface s(120);
            const double cy = 60.0 - radius;
            auto arc = MakeArc(type, CDoubleRect(60.0 - radius, cy - radius, 60.0 + radius, 60.0),
                               CFloatPoint(60.0 + 2 * radius, cy), CFloatPoint(60.0 - 2 * radius, cy));
            SetSolidStyle(*arc, RGB(0, 0, 0), RGB(255, 0, 0));
            double ox = 0, oy = 0, zoom = 1;
            const RECT client = s.Client();
            const auto begin = std::chrono::steady_clock::now();
            arc->Draw(&s.dc, &client, &ox, &oy, &zoom);
            EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2));
            EXPECT_TRUE(InkNear(s, 5, 60));
            EXPECT_TRUE(InkNear(s, 60, 60));
            EXPECT_TRUE(InkNear(s, 115, 60));
            EXPECT_FALSE(s.Inked(60, 30));
            EXPECT_EQ(s.dc.GetPixel(60, 90) == RGB(255, 0, 0), type == MAP_OBJECT_PIE);
        }
    }
}

TEST(ArcDrawing, CoordinatesThatAreNotFiniteDrawNothing)
{
    g_DefaultViewHeight = 120;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const CDoubleRect ellipses[] = {CDoubleRect(nan, 0.0, 100.0, 100.0), CDoubleRect(0.0, 0.0, inf, 100.0),
                                    CDoubleRect(-inf, -inf, inf, inf)};
    for (const CDoubleRect& e : ellipses) {
        for (int type : {MAP_OBJECT_ARC, MAP_OBJECT_CHORD, MAP_OBJECT_PIE}) {
            Surface s(60);
            auto arc = MakeArc(type, e, CFloatPoint(1, 0), CFloatPoint(0, 1));
            SetSolidStyle(*arc, RGB(0, 0, 0), RGB(255, 0, 0));
            double ox = 0, oy = 0, zoom = 1;
            const RECT client = s.Client();
            arc->Draw(&s.dc, &client, &ox, &oy, &zoom);
            arc->DrawTracking(&s.dc, &client, &ox, &oy, &zoom);
            EXPECT_EQ(s.InkCount(), 0) << type;
        }
    }
}

// ---------------------------------------------------------------- rows

double DoubleAt(const Bytes& b, size_t offset)
{
    double v;
    std::memcpy(&v, b.data() + offset, 8);   // archives and records are little-endian on this host
    return v;
}

class ArcRows : public LayerFile {};

TEST_F(ArcRows, GeometryIsTheFiftySixByteRecord)
{
    auto arc = MakeArc(MAP_OBJECT_CHORD, CDoubleRect(-1.5, -2.5, 3.5, 4.5), CFloatPoint(1.25f, -0.5f),
                       CFloatPoint(-3.0f, 2.0f));
    layer->AddObject(arc.get(), TRUE);
    const Bytes stored = *Blob("mapeGeoData", arc->GetMapeID());
    ASSERT_EQ(stored.size(), 56u);
    EXPECT_EQ(FloatAt(stored, 0), 1.25f);
    EXPECT_EQ(FloatAt(stored, 4), -0.5f);
    EXPECT_EQ(FloatAt(stored, 8), -3.0f);
    EXPECT_EQ(FloatAt(stored, 12), 2.0f);
    EXPECT_EQ(Bytes(stored.begin() + 16, stored.begin() + 24), Bytes(8, 0));
    EXPECT_EQ(DoubleAt(stored, 24), -1.5);   // left
    EXPECT_EQ(DoubleAt(stored, 32), 4.5);    // top
    EXPECT_EQ(DoubleAt(stored, 40), 3.5);    // right
    EXPECT_EQ(DoubleAt(stored, 48), -2.5);   // bottom
    EXPECT_EQ(Text("mapeObjectType", arc->GetMapeID()), "14");

    // A move is written as the same record.
    double scale = 0.5;
    arc->MoveBy(2, 4, &scale);
    const Bytes moved = *Blob("mapeGeoData", arc->GetMapeID());
    EXPECT_EQ(FloatAt(moved, 0), 2.25f);
    EXPECT_EQ(FloatAt(moved, 4), -2.5f);
    EXPECT_EQ(DoubleAt(moved, 24), -0.5);
    EXPECT_EQ(DoubleAt(moved, 48), -4.5);
    EXPECT_FALSE(arc->IsGeometryModified());
}

TEST_F(ArcRows, ReadingIgnoresTheReservedBytesAndKeepsGeometryForShortRecords)
{
    CArcGeometry g;
    g.start = CFloatPoint(1, 2);
    g.end = CFloatPoint(3, 4);
    g.ellipse = CDoubleRect(-10.0, -20.0, 10.0, 20.0);
    const CArcGeometry::Record record = g.ToRecord();
    Bytes geo(record.begin(), record.end());
    Scribble(geo, 16, 8);
    InsertRow(1, MAP_OBJECT_PIE, std::nullopt, RectRecord(-10, -20, 10, 20), geo);
    InsertRow(2, MAP_OBJECT_PIE, std::nullopt, RectRecord(5, 6, 7, 8), Bytes(geo.begin(), geo.begin() + 55));
    CMapArc pie(MAP_OBJECT_PIE), shortRow(MAP_OBJECT_PIE);
    LoadRow(&pie, 1);
    LoadRow(&shortRow, 2);
    CArcGeometry read;
    pie.GetGeometry(read);
    CArcGeometry copy;
    copy.Assign(read);
    EXPECT_EQ(copy.ToRecord(), read.ToRecord());
    EXPECT_EQ(read.start.x, 1.0f);
    EXPECT_EQ(read.end.y, 4.0f);
    EXPECT_EQ(read.ellipse, g.ellipse);
    EXPECT_EQ(shortRow.GetEllipseRect(), CDoubleRect());
    EXPECT_EQ(shortRow.GetBoundary(), CDoubleRect(5.0, 6.0, 7.0, 8.0));
}

TEST_F(ArcRows, CornerHandleThatChangesNothingWritesNothing)
{
    // Without a map the view height is the one last recorded, set here.
    layer->ClearMap();
    g_DefaultViewHeight = 200;
    auto arc = MakeArc(MAP_OBJECT_ARC, CDoubleRect(0.0, 0.0, 100.0, 100.0), CFloatPoint(100, 50),
                       CFloatPoint(50, 100));
    layer->AddObject(arc.get(), TRUE);
    Surface s(200);
    double ox = 0, oy = 0, zoom = 1;
    // Handle 2 is the top-right corner, at device (100, 100).
    arc->MoveHandle(&s.dc, 2, 100, 100, &ox, &oy, &zoom);
    EXPECT_EQ(s.InkCount(), 0);   // the rubber band erased itself
    EXPECT_FALSE(arc->IsGeometryModified());
    arc->MoveHandle(&s.dc, 2, 120, 90, &ox, &oy, &zoom);
    EXPECT_EQ(arc->GetEllipseRect(), CDoubleRect(0.0, 0.0, 120.0, 110.0));
    const Bytes stored = *Blob("mapeGeoData", arc->GetMapeID());
    EXPECT_EQ(DoubleAt(stored, 40), 120.0);
    EXPECT_EQ(DoubleAt(stored, 32), 110.0);
    EXPECT_GT(s.InkCount(), 0);   // the new rubber band
}


TEST_F(ArcRows, ACornerDraggedPastTheOppositeEdgeKeepsTheEllipseAsDrawn)
{
    layer->ClearMap();
    g_DefaultViewHeight = 200;
    auto arc = MakeArc(MAP_OBJECT_ARC, CDoubleRect(0.0, 0.0, 100.0, 100.0), CFloatPoint(100, 50),
                       CFloatPoint(50, 100));
    layer->AddObject(arc.get(), TRUE);
    Surface s(200);
    double ox = 0, oy = 0, zoom = 1;
    // The top-right corner goes past the left edge, and the drag goes on.
    arc->SetActiveHandle(2);
    arc->MoveHandle(&s.dc, arc->GetActiveHandle(), -50, 100, &ox, &oy, &zoom);
    EXPECT_EQ(arc->GetEllipseRect(), CDoubleRect(-50.0, 0.0, 0.0, 100.0));
    EXPECT_EQ(arc->GetActiveHandle(), 3);
    arc->MoveHandle(&s.dc, arc->GetActiveHandle(), -60, 100, &ox, &oy, &zoom);
    EXPECT_EQ(arc->GetEllipseRect(), CDoubleRect(-60.0, 0.0, 0.0, 100.0));
    EXPECT_EQ(arc->GetBoundary(), arc->GetEllipseRect());

    // It measures, hits and shows its handles as an arc made on that ellipse.
    auto drawn = MakeArc(MAP_OBJECT_ARC, CDoubleRect(-60.0, 0.0, 0.0, 100.0), CFloatPoint(100, 50),
                         CFloatPoint(50, 100));
    EXPECT_DOUBLE_EQ(arc->GetLength(nullptr), drawn->GetLength(nullptr));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(arc->GetHandlePoint(i).x, drawn->GetHandlePoint(i).x) << i;
        EXPECT_EQ(arc->GetHandlePoint(i).y, drawn->GetHandlePoint(i).y) << i;
    }
    const std::vector<CFloatPoint> a = Points(*arc), b = Points(*drawn);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].x, b[i].x) << i;
        EXPECT_EQ(a[i].y, b[i].y) << i;
    }
    double hx = 0, hy = 0, hz = 1;
    const CPoint onCurve = a[a.size() / 2].ToDevice(0, 0, 1, 200);
    EXPECT_TRUE(arc->HitTest(onCurve.x, onCurve.y, &hx, &hy, &hz));
    const Bytes stored = *Blob("mapeGeoData", arc->GetMapeID());
    EXPECT_EQ(DoubleAt(stored, 24), -60.0);   // left
    EXPECT_EQ(DoubleAt(stored, 40), 0.0);     // right
}

}
