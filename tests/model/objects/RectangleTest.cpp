// Rectangles, rounded rectangles and ellipses: distances to the outline,
// measures in the plane and on the sphere, hit tests that need no earlier
// drawing, corner snapping, and the pixels they draw, also at zooms whose
// device coordinates leave the int range.
#include "tests/model/objects/DrawingTestSupport.h"
#include "tests/model/objects/LayerTestSupport.h"
#include "tests/model/objects/MercatorTestSupport.h"

#include "model/layers/MapObjectKinds.h"
#include "model/objects/MapRectangle.h"

#include <ogr_spatialref.h>

#include <cmath>
#include <memory>

namespace {

constexpr double kPi = 3.141592653589793;

std::unique_ptr<CMapRectangle> MakeFigure(int type, double left, double bottom, double right, double top)
{
    auto figure = std::make_unique<CMapRectangle>(type);
    figure->SetRect(left, bottom, right, top);
    return figure;
}

TEST(Rectangle, TypeCodesOutsideTheFamilyMakeRectangles)
{
    EXPECT_EQ(CMapRectangle(7).GetType(), MAP_OBJECT_RECTANGLE);
    EXPECT_EQ(CMapRectangle(MAP_OBJECT_ELLIPSE).GetType(), MAP_OBJECT_ELLIPSE);
    for (int type : {MAP_OBJECT_RECTANGLE, MAP_OBJECT_ROUNDRECT, MAP_OBJECT_ELLIPSE}) {
        std::unique_ptr<CMapObject> made(CreateObjectOfKind(type));
        ASSERT_NE(dynamic_cast<CMapRectangle*>(made.get()), nullptr);
        EXPECT_EQ(made->GetType(), type);
    }
    // SetRect normalises.
    const CDoubleRect b = MakeFigure(0, 4, 3, 1, 0)->GetBoundary();
    EXPECT_TRUE(b.left == 1 && b.bottom == 0 && b.right == 4 && b.top == 3);
}

TEST(Rectangle, DistanceToTheOutline)
{
    struct Case {
        int type;
        CDoubleRect rect;
        CFloatPoint point;
        double distance;
    };
    const Case cases[] = {
        {2, CDoubleRect(0.0, 0.0, 4.0, 2.0), CFloatPoint(5, 1), 1.0},
        {2, CDoubleRect(0.0, 0.0, 4.0, 2.0), CFloatPoint(2, 1), 1.0},   // the centre: the minor semi-axis
        {2, CDoubleRect(0.0, 0.0, 4.0, 2.0), CFloatPoint(2, 3), 1.0},
        {2, CDoubleRect(0.0, 0.0, 4.0, 2.0), CFloatPoint(2, 1.5f), 0.5},
        {2, CDoubleRect(0.0, 0.0, 2.0, 4.0), CFloatPoint(1, 2), 1.0},    // taller than wide
        {2, CDoubleRect(-3.0, -3.0, 3.0, 3.0), CFloatPoint(0, 0), 3.0},  // a circle: the radius
        {2, CDoubleRect(-3.0, -3.0, 3.0, 3.0), CFloatPoint(6, 8), 7.0},
        // Off both axes: the nearest point of x²/16 + y²/4 = 1 to (4, 2).
        {2, CDoubleRect(-4.0, -2.0, 4.0, 2.0), CFloatPoint(4, 2), 1.115560},
        {0, CDoubleRect(0.0, 0.0, 4.0, 2.0), CFloatPoint(2, 1), 1.0},
        {1, CDoubleRect(0.0, 0.0, 4.0, 2.0), CFloatPoint(7, 6), 5.0},
    };
    for (const Case& c : cases) {
        auto figure = MakeFigure(c.type, c.rect.left, c.rect.bottom, c.rect.right, c.rect.top);
        EXPECT_NEAR(figure->GetDistance(c.point), c.distance, 1e-4) << c.type << " " << c.point.x << "," << c.point.y;
    }
}

TEST(Rectangle, OutlinePointsAndNearEdges)
{
    CArray<CFloatPoint, CFloatPoint&> points;
    MakeFigure(2, 0, 0, 4, 2)->GetOutlinePoints(points);
    ASSERT_EQ(points.GetSize(), 360);
    EXPECT_FLOAT_EQ(points[0].x, 4.0f);
    EXPECT_FLOAT_EQ(points[0].y, 1.0f);
    EXPECT_NEAR(points[90].x, 2.0, 1e-5);
    EXPECT_NEAR(points[90].y, 2.0, 1e-5);
    points.RemoveAll();
    MakeFigure(1, 0, 0, 4, 2)->GetOutlinePoints(points);
    ASSERT_EQ(points.GetSize(), 4);
    EXPECT_TRUE(points[2].x == 4.0f && points[2].y == 2.0f);

    auto big = MakeFigure(0, 0, 0, 100, 100);
    CFloatPoint onLeft(0, 50), centre(50, 50);
    double tolerance = 0.5;
    EXPECT_TRUE(big->IsNearPoint(&onLeft, &tolerance));
    EXPECT_FALSE(big->IsNearPoint(&centre, &tolerance));
}

TEST(Rectangle, PlanarMeasures)
{
    struct Case {
        int type;
        double length, area;
    };
    // 3 x 4; the ellipse's perimeter is that of its 64-point outline polygon,
    // within 0.2 % of the true one (about 11.05).
    const Case cases[] = {{0, 14.0, 12.0}, {1, 14.0, 12.0}, {2, 11.05, 3.0 * kPi}};
    for (const Case& c : cases) {
        auto figure = MakeFigure(c.type, 0, 0, 3, 4);
        EXPECT_NEAR(figure->GetLength(nullptr), c.length, c.type == 2 ? 0.025 : 1e-9) << c.type;
        EXPECT_NEAR(figure->GetArea(nullptr), c.area, 1e-9) << c.type;
    }
}

TEST(Rectangle, MeasuresOnTheSphere)
{
    OGRSpatialReference wgs;
    wgs.SetWellKnownGeogCS("WGS84");
    wgs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const double degree = 6370997.0 * kPi / 180.0;
    // One degree square at the equator.
    auto square = MakeFigure(0, 0, 0, 1, 1);
    EXPECT_NEAR(square->GetLength(&wgs), 4 * degree, 0.001 * 4 * degree);
    EXPECT_NEAR(square->GetArea(&wgs), 6378249.0 * 6378249.0 * (kPi / 180) * (kPi / 180), 0.01 * 1.2e10);

    // A projected map measures lengths on a geographic copy of the outline:
    // 1000 Mercator metres at 60 degrees north are about 500 metres on the
    // ground (not 1000 metres read as degrees, nor the plane's 1000).
    CMapModel model;
    OGRSpatialReference* mercator = new OGRSpatialReference;
    ASSERT_EQ(mercator->importFromEPSG(3857), OGRERR_NONE);
    model.SetSpatialReference(mercator, 3857);
    CMapLayer* layer = new CMapLayer("L");
    model.AddLayer(layer);
    for (int type : {MAP_OBJECT_RECTANGLE, MAP_OBJECT_ELLIPSE}) {
        auto figure = MakeFigure(type, 0, 8399738, 1000, 8400738);
        figure->SetLayer(layer);
        int mode = 1;
        const double length = figure->MeasureLength(&mode);
        EXPECT_EQ(mode, 1);
        const double ground = type == MAP_OBJECT_ELLIPSE ? 500.0 * kPi : 2000.0;
        EXPECT_NEAR(length, ground, 0.01 * ground) << type;
        figure->SetLayer(nullptr);
    }
}

// Views in which device pixels equal map units (origin 0, zoom 1, no flip),
// and one zoomed so far in that the figure is 2e12 pixels wide.
TEST(Rectangle, HitTestsNeedNoEarlierDrawing)
{
    g_DefaultViewHeight = 0;
    struct Case {
        int type;
        CDoubleRect rect;
        double zoom;
        int x, y;
        bool hit;
    };
    const Case cases[] = {
        {0, CDoubleRect(10.0, 10.0, 10.0, 50.0), 1, 10, 20, false},   // no width
        {1, CDoubleRect(10.0, 10.0, 10.0, 50.0), 1, 10, 20, false},
        {2, CDoubleRect(10.0, 10.0, 90.0, 10.0), 1, 50, 10, false},   // no height
        {0, CDoubleRect(10.0, 10.0, 90.0, 50.0), 1, 50, 30, true},
        {0, CDoubleRect(10.0, 10.0, 90.0, 50.0), 1, 95, 30, false},
        {2, CDoubleRect(10.0, 10.0, 90.0, 50.0), 1, 50, 30, true},
        {2, CDoubleRect(10.0, 10.0, 90.0, 50.0), 1, 12, 12, false},   // inside the box, outside the ellipse
        // A circle of radius 1e12 pixels centred at (0, -1e12): its top
        // crosses y = 0.
        {2, CDoubleRect(-1e6, -2e6, 1e6, 0.0), 1e-6, 300, -5, true},
        {2, CDoubleRect(-1e6, -2e6, 1e6, 0.0), 1e-6, 300, 5, false},
        {0, CDoubleRect(-1e6, -2e6, 1e6, 0.0), 1e-6, 300, -5, true},
    };
    for (const Case& c : cases) {
        auto figure = MakeFigure(c.type, c.rect.left, c.rect.bottom, c.rect.right, c.rect.top);
        double originX = 0, originY = 0, zoom = c.zoom;
        EXPECT_EQ(figure->HitTest(c.x, c.y, &originX, &originY, &zoom), c.hit) << c.type << " " << c.x << "," << c.y;
    }

    // Another ellipse's clipped drawing leaves this one's answers as they were.
    Canvas canvas(400, 300);
    g_DefaultViewHeight = 300;
    auto drawn = MakeFigure(2, -1e6, -2e6, 1e6, 0.0002);
    auto fresh = MakeFigure(2, -1e6, -2e6, 1e6, 0.0002);
    double originX = 0, originY = 0, zoom = 1e-6;
    drawn->Draw(&canvas.dc, &canvas.client, &originX, &originY, &zoom);
    EXPECT_GT(drawn->GetDevicePoints().GetCount(), 0);
    EXPECT_EQ(fresh->GetDevicePoints().GetCount(), 0);
    EXPECT_TRUE(fresh->HitTest(200, 150, &originX, &originY, &zoom));
    EXPECT_FALSE(fresh->HitTest(200, 50, &originX, &originY, &zoom));
}

TEST(Rectangle, HitTestDeviceRectSnapsToCorners)
{
    g_DefaultViewHeight = 100;
    double originX = 0, originY = 0, zoom = 1;
    // Device corners: (10, 90) for the map's (left, bottom), (60, 40) for (right, top).
    struct Case {
        int x, y;
        bool snapped;
        CFloatPoint corner;
    };
    const Case cases[] = {
        {12, 88, true, CFloatPoint(10, 10)},
        {58, 92, true, CFloatPoint(60, 10)},
        {61, 41, true, CFloatPoint(60, 60)},
        {9, 39, true, CFloatPoint(10, 60)},
        {35, 65, false, CFloatPoint()},
        {80, 80, false, CFloatPoint()},
    };
    for (const Case& c : cases) {
        auto rect = MakeFigure(0, 10, 10, 60, 60);
        CFloatPoint corner(-1, -1);
        EXPECT_EQ(rect->HitTestDeviceRect(c.x, c.y, &originX, &originY, &zoom, &corner, 3), c.snapped) << c.x;
        if (c.snapped) {
            EXPECT_TRUE(corner.x == c.corner.x && corner.y == c.corner.y) << c.x << ": " << corner.x << "," << corner.y;
        }
    }
    CFloatPoint corner;
    EXPECT_FALSE(MakeFigure(2, 10, 10, 60, 60)->HitTestDeviceRect(12, 88, &originX, &originY, &zoom, &corner, 3));
}

void SetSolidStyle(CMapRectangle& figure)
{
    CMapStyle* style = figure.GetStyle();
    style->SetBrushStyle(MAPBRUSH_SOLID);
    style->SetBrushColor(RGB(255, 0, 0));
    style->SetPenStyle(MAPPEN_SOLID);
    style->SetPenColor(RGB(0, 0, 255));
    style->SetPenWidth(1);
}

TEST(Rectangle, DrawsFillAndOutlinePixels)
{
    constexpr COLORREF kFill = RGB(255, 0, 0), kPen = RGB(0, 0, 255), kWhite = Canvas::kWhite;
    double originX = 0, originY = 0, zoom = 1;
    g_DefaultViewHeight = 100;
    struct Probe {
        int x, y;
        COLORREF colour;
    };
    struct Case {
        int type;
        std::vector<Probe> probes;
    };
    // The map box (10, 10)-(90, 70) is the device box (10, 30)-(90, 90); GDI
    // leaves out its right and bottom edges.
    const Case cases[] = {
        {0, {{10, 30, kPen}, {50, 30, kPen}, {10, 60, kPen}, {88, 60, kFill}, {50, 60, kFill}, {89, 60, kPen},
             {90, 60, kWhite}, {50, 89, kPen}, {50, 90, kWhite}, {9, 60, kWhite}}},
        {1, {{50, 60, kFill}, {50, 30, kPen}, {10, 30, kWhite}, {89, 89, kWhite}}},
        {2, {{50, 60, kFill}, {50, 30, kPen}, {10, 60, kPen}, {12, 32, kWhite}, {88, 88, kWhite}}},
    };
    for (const Case& c : cases) {
        Canvas canvas(100, 100);
        auto figure = MakeFigure(c.type, 10, 10, 90, 70);
        SetSolidStyle(*figure);
        figure->Draw(&canvas.dc, &canvas.client, &originX, &originY, &zoom);
        for (const Probe& p : c.probes)
            EXPECT_EQ(canvas.At(p.x, p.y), p.colour) << "type " << c.type << " at " << p.x << "," << p.y;
    }
}

// Zoomed in until the figures are 2e12 pixels across: the rectangle fills the
// client area without its cut edges showing, the ellipse fills exactly the
// part of the client area it covers.
TEST(Rectangle, FarZoomDrawsTheVisiblePartOnly)
{
    constexpr COLORREF kFill = RGB(255, 0, 0);
    double originX = 0, originY = 0, zoom = 1e-6;
    g_DefaultViewHeight = 200;

    Canvas rectCanvas(200, 200);
    auto rect = MakeFigure(0, -1e6, -1e6, 1e6, 1e6);
    SetSolidStyle(*rect);
    rect->Draw(&rectCanvas.dc, &rectCanvas.client, &originX, &originY, &zoom);
    const std::vector<COLORREF> pixels = rectCanvas.Snapshot();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kFill), (long)pixels.size());

    // A circle of radius 1e12 pixels whose top runs along device y 100.
    Canvas ellipseCanvas(200, 200);
    auto ellipse = MakeFigure(2, -1e6, -2e6 + 1e-4, 1e6, 1e-4);
    SetSolidStyle(*ellipse);
    ellipse->Draw(&ellipseCanvas.dc, &ellipseCanvas.client, &originX, &originY, &zoom);
    EXPECT_EQ(ellipseCanvas.At(100, 95), Canvas::kWhite);
    EXPECT_EQ(ellipseCanvas.At(5, 20), Canvas::kWhite);
    EXPECT_EQ(ellipseCanvas.At(100, 105), kFill);
    EXPECT_EQ(ellipseCanvas.At(5, 195), kFill);
    EXPECT_EQ(ellipseCanvas.At(195, 150), kFill);
}

TEST(Rectangle, RubberBandDrawnTwiceErasesItself)
{
    struct Case {
        int type;
        double zoom;
        CDoubleRect rect;
        bool visible;   // a rectangle around the whole view shows no edge
    };
    const Case cases[] = {
        {0, 1, CDoubleRect(10.0, 10.0, 150.0, 90.0), true},
        {1, 1, CDoubleRect(10.0, 10.0, 150.0, 90.0), true},
        {2, 1, CDoubleRect(10.0, 10.0, 150.0, 90.0), true},
        {0, 1e-6, CDoubleRect(-1e6, -1e6, 1e6, 1e6), false},
        {0, 1e-6, CDoubleRect(-1e6, -1e6, 1e6, 1e-4), true},
        {2, 1e-6, CDoubleRect(-1e6, -2e6 + 1e-4, 1e6, 1e-4), true},
    };
    for (const Case& c : cases) {
        Canvas canvas(200, 200);
        g_DefaultViewHeight = 200;
        canvas.dc.FillSolidRect(40, 40, 60, 60, RGB(0, 0, 255));
        const std::vector<COLORREF> before = canvas.Snapshot();
        auto figure = MakeFigure(c.type, c.rect.left, c.rect.bottom, c.rect.right, c.rect.top);
        double originX = 0, originY = 0, zoom = c.zoom;
        figure->DrawTracking(&canvas.dc, &canvas.client, &originX, &originY, &zoom);
        EXPECT_EQ(canvas.Snapshot() != before, c.visible) << c.type << " " << c.zoom;
        figure->DrawTracking(&canvas.dc, &canvas.client, &originX, &originY, &zoom);
        EXPECT_EQ(canvas.Snapshot(), before) << c.type << " " << c.zoom;
    }
}

class RectangleRows : public LayerFile {};

TEST_F(RectangleRows, StoresNoGeometryAndMovesItsIndexEntry)
{
    const auto ellipse = std::make_unique<CMapRectangle>(MAP_OBJECT_ELLIPSE);
    ellipse->SetRect(0, 0, 10, 5);
    layer->AddObject(ellipse.get(), TRUE);
    const int id = ellipse->GetMapeID();
    EXPECT_FALSE(Blob("mapeGeoData", id).has_value());
    EXPECT_EQ(Text("mapeObjectType", id), "2");

    CMapRectangle loaded(MAP_OBJECT_ELLIPSE);
    LoadRow(&loaded, id);
    const CDoubleRect b = loaded.GetBoundary();
    EXPECT_TRUE(b.left == 0 && b.bottom == 0 && b.right == 10 && b.top == 5);

    int found = 0;
    const auto count = [](int, void* context) {
        ++*static_cast<int*>(context);
        return true;
    };
    ellipse->SetIndexStale();
    ellipse->SetRect(100, 100, 120, 110);
    EXPECT_EQ(layer->GetIndex().Search(CRTree::Rect{1, 1, 2, 2}, count, &found), 0);
    EXPECT_EQ(layer->GetIndex().Search(CRTree::Rect{105, 105, 106, 106}, count, &found), 1);
    EXPECT_EQ(layer->GetIndex().Count(), 1);
    ellipse->SaveChanges();
    CDoubleRect stored;
    const Bytes record = *Blob("mapeBoundary", id);
    ASSERT_TRUE(stored.ReadRecord(record.data(), (int)record.size()));
    EXPECT_TRUE(stored.left == 100 && stored.top == 110);
}

TEST(Rectangle, TransformMovesTheBoundary)
{
    std::unique_ptr<OGRCoordinateTransformation> ct = DegreesToMercator();
    ASSERT_TRUE(ct);
    auto figure = MakeFigure(0, 0, 0, 1, 1);
    EXPECT_EQ(figure->Transform(ct.get()), 1);
    const CDoubleRect b = figure->GetBoundary();
    EXPECT_NEAR(b.right, 111319.49, 0.1);
    EXPECT_NEAR(b.top, 111325.14, 0.1);
    EXPECT_EQ(b.left, 0.0);
}

}

namespace {

// Handles millions of pixels off the view are neither drawn nor hit; the one
// in view still is.
TEST(Rectangle, FarHandlesStayOutOfTheViewAndOutOfIntRange)
{
    Canvas canvas(100, 100);
    g_DefaultViewHeight = 100;
    CMapLayer layer("L");
    layer.SetEditable(1);
    auto figure = MakeFigure(0, -1e6, -1e6, 50e-6, 50e-6);   // top-right corner at device (50, 50)
    figure->SetLayer(&layer);
    double originX = 0, originY = 0, zoom = 1e-6;
    EXPECT_EQ(figure->HitTestHandle(50, 50, &originX, &originY, &zoom), 4);
    EXPECT_EQ(figure->HitTestHandle(10, 90, &originX, &originY, &zoom), -1);
    figure->DrawSelected(&canvas.dc, &canvas.client, &originX, &originY, &zoom);
    EXPECT_EQ(canvas.At(50, 50), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(47, 47), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(44, 44), Canvas::kWhite);
    figure->SetLayer(nullptr);
}

}
