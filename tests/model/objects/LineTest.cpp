// Lines: the 16-byte end-point record, end points and handles, hit tests and
// drawing in device pixels, also at zooms whose device coordinates leave the
// int range, and rubber bands that erase themselves.
#include "tests/model/objects/DrawingTestSupport.h"
#include "tests/model/objects/LayerTestSupport.h"
#include "tests/model/objects/MercatorTestSupport.h"

#include "core/Settings.h"
#include "model/objects/MapLine.h"
#include "model/polygons/MapPointList.h"
#include "model/polygons/MapPolyline.h"

#include <ogr_spatialref.h>

#include <cmath>
#include <memory>

namespace {

CMapLine* MakeLine(double x1, double y1, double x2, double y2)
{
    CMapLine* line = new CMapLine;
    line->SetPoints(CDoublePoint(x1, y1), CDoublePoint(x2, y2));
    return line;
}

TEST(Line, EndPointsHandlesAndMeasures)
{
    std::unique_ptr<CMapLine> line(MakeLine(0, 0, 3, 4));
    EXPECT_EQ(line->GetType(), MAP_OBJECT_LINE);
    EXPECT_TRUE(line->IsGeometryModified());
    EXPECT_EQ(line->GetHandleCount(), 2);
    EXPECT_EQ(line->GetHandlePoint(3).x, 3.0f);
    EXPECT_EQ(line->GetHandlePoint(-2).x, 0.0f);
    EXPECT_EQ(line->GetHandlePoint(-1).x, 3.0f);
    EXPECT_EQ(line->GetPointCount(), 2);

    CFloatPoint centre(0, 0);
    double radius = 5.0;
    EXPECT_TRUE(line->IsWithinCircle(&centre, &radius));
    radius = 4.9;
    EXPECT_FALSE(line->IsWithinCircle(&centre, &radius));

    double x = -1, y = -1;
    EXPECT_FALSE(line->GetPointAtDistance(-0.5, &x, &y));
    EXPECT_TRUE(line->GetPointAtDistance(5.0, &x, &y));
    EXPECT_DOUBLE_EQ(x, 3.0);
    EXPECT_DOUBLE_EQ(y, 4.0);
    EXPECT_FALSE(line->GetPointAtDistance(6.0, &x, &y));
    EXPECT_DOUBLE_EQ(line->GetLength(nullptr), 5.0);

    CFloatPoint onLine(1.5f, 2.0f), off(3.0f, 0.0f);
    double tolerance = 0.01;
    EXPECT_TRUE(line->IsNearPoint(&onLine, &tolerance));
    EXPECT_FALSE(line->IsNearPoint(&off, &tolerance));
    EXPECT_NEAR(line->GetDistance(off), 2.4, 1e-6);

    line->ReverseDirection(true);
    EXPECT_EQ(line->GetStartPoint().x, 3.0f);
    EXPECT_EQ(line->GetEndPoint().x, 0.0f);
}

TEST(Line, ZeroLengthLineOnTheSphereMeasuresZero)
{
    OGRSpatialReference wgs;
    wgs.SetWellKnownGeogCS("WGS84");
    std::unique_ptr<CMapLine> point(MakeLine(12.5, 47.25, 12.5, 47.25));
    EXPECT_EQ(point->GetLength(&wgs), 0.0);
    std::unique_ptr<CMapLine> degree(MakeLine(0, 0, 0, 1));
    EXPECT_NEAR(degree->GetLength(&wgs), 6370997.0 * 3.141592653589793 / 180.0, 1e-3);
}

// Device pixels equal map units: origin (0, 0), zoom 1 and no flipping.
TEST(Line, HitToleranceIsHalfThePenAndTheSnapDistance)
{
    g_DefaultViewHeight = 0;
    const int snap = g_SnapPoints;
    g_SnapPoints = 2;
    struct Case {
        float penWidth;
        int x, y;
        bool hit;
    };
    // (6, 2) lies 3.6 pixels from the line (0, 0)-(30, 40); (4, 0) 3.2.
    const Case cases[] = {
        {3.0f, 6, 2, false}, {3.4f, 6, 2, true}, {3.0f, 4, 0, true}, {0.0f, 4, 0, false}, {0.0f, 15, 20, true},
    };
    double originX = 0, originY = 0, zoom = 1;
    for (const Case& c : cases) {
        std::unique_ptr<CMapLine> line(MakeLine(0, 0, 30, 40));
        line->GetStyle()->SetPenWidth(c.penWidth);
        EXPECT_EQ(line->HitTest(c.x, c.y, &originX, &originY, &zoom), c.hit) << c.penWidth << " " << c.x;
    }
    g_SnapPoints = snap;
}

// At zoom 1e-6 the ends lie 1e12 pixels away, far past the int range: the
// line keeps its direction instead of running between saturated corners.
TEST(Line, FarZoomKeepsTheDirectionInHitTestsAndDrawing)
{
    double originX = 0, originY = 0, zoom = 1e-6;
    g_DefaultViewHeight = 0;
    std::unique_ptr<CMapLine> line(MakeLine(-1e6, -2e6, 1e6, 2e6));   // device y = 2x
    EXPECT_TRUE(line->HitTest(100, 200, &originX, &originY, &zoom));
    EXPECT_FALSE(line->HitTest(100, 100, &originX, &originY, &zoom));

    Canvas canvas(300, 600);
    g_DefaultViewHeight = 600;
    line->GetStyle()->SetPenWidth(1);
    line->Draw(&canvas.dc, &canvas.client, &originX, &originY, &zoom);
    // Device y = 600 - 2x on the client.
    EXPECT_TRUE(canvas.InkNear(100, 400));
    EXPECT_TRUE(canvas.InkNear(250, 100));
    EXPECT_FALSE(canvas.InkNear(100, 100));
    EXPECT_FALSE(canvas.InkNear(250, 400));
}

TEST(Line, FarEndIsCutToTheClientAreaWidenedByThreePixels)
{
    Canvas canvas(800, 600);
    g_DefaultViewHeight = 600;
    double originX = 0, originY = 0, zoom = 1;
    // Device points (-40000, 100) and (500, 100).
    std::unique_ptr<CMapLine> line(MakeLine(-40000, 500, 500, 500));
    line->Draw(&canvas.dc, &canvas.client, &originX, &originY, &zoom);
    EXPECT_NE(canvas.At(0, 100), Canvas::kWhite);
    EXPECT_NE(canvas.At(499, 100), Canvas::kWhite);
    EXPECT_EQ(canvas.At(500, 100), Canvas::kWhite);   // LineTo leaves out the last pixel
    EXPECT_EQ(canvas.At(300, 99), Canvas::kWhite);

    // Both ends beyond 32767 and the line outside the window: nothing at all.
    Canvas empty(200, 200);
    std::unique_ptr<CMapLine> outside(MakeLine(-50000, -50000, 50000, -49000));
    outside->Draw(&empty.dc, &empty.client, &originX, &originY, &zoom);
    const std::vector<COLORREF> pixels = empty.Snapshot();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), Canvas::kWhite), (long)pixels.size());
}

TEST(Line, RubberBandDrawnTwiceErasesItself)
{
    struct Case {
        double x1, y1, x2, y2, zoom;
    };
    const Case cases[] = {
        {10, 10, 150, 90, 1},
        {-1e6, -2e6, 1e6, 2e6, 1e-6},
        {-50000, 30, 50, 120, 1},
    };
    for (const Case& c : cases) {
        Canvas canvas(200, 200);
        g_DefaultViewHeight = 200;
        canvas.dc.FillSolidRect(40, 40, 60, 60, RGB(0, 0, 255));
        const std::vector<COLORREF> before = canvas.Snapshot();
        std::unique_ptr<CMapLine> line(MakeLine(c.x1, c.y1, c.x2, c.y2));
        double originX = 0, originY = 0, zoom = c.zoom;
        line->DrawTracking(&canvas.dc, &canvas.client, &originX, &originY, &zoom);
        EXPECT_NE(canvas.Snapshot(), before) << c.x1;
        line->DrawTracking(&canvas.dc, &canvas.client, &originX, &originY, &zoom);
        EXPECT_EQ(canvas.Snapshot(), before) << c.x1;
    }
}

TEST(Line, MoveHandleDragsOneEndAsARubberBand)
{
    Canvas canvas(100, 100);
    g_DefaultViewHeight = 100;
    std::unique_ptr<CMapLine> line(MakeLine(10, 90, 50, 90));   // device y 10
    double originX = 0, originY = 0, zoom = 1;
    const std::vector<COLORREF> blank = canvas.Snapshot();
    line->DrawTracking(&canvas.dc, &canvas.client, &originX, &originY, &zoom);
    line->MoveHandle(&canvas.dc, 1, 50, 80, &originX, &originY, &zoom);
    EXPECT_EQ(line->GetStartPoint().x, 10.0f);
    EXPECT_EQ(line->GetEndPoint().x, 50.0f);
    EXPECT_EQ(line->GetEndPoint().y, 20.0f);
    // The old band is gone, the new one is there.
    EXPECT_EQ(canvas.At(30, 10), Canvas::kWhite);
    EXPECT_TRUE(canvas.InkNear(30, 45));
    line->DrawTracking(&canvas.dc, &canvas.client, &originX, &originY, &zoom);
    EXPECT_EQ(canvas.Snapshot(), blank);
}

TEST(Line, CrossingsWithRectanglesAndPointLists)
{
    std::unique_ptr<CMapLine> line(MakeLine(-5, 5, 25, 5));
    std::unique_ptr<CMapPointList> crossings(line->IntersectRect(CDoubleRect(0.0, 0.0, 20.0, 10.0), FALSE));
    ASSERT_EQ(crossings->GetPointCount(), 2);
    EXPECT_EQ(crossings->GetPoint(0).x, 20.0f);   // the right edge is tried before the left
    EXPECT_EQ(crossings->GetPoint(1).x, 0.0f);
    crossings.reset(line->IntersectRect(CDoubleRect(0.0, 0.0, 20.0, 10.0), TRUE));
    EXPECT_EQ(crossings->GetPoint(0).x, 0.0f);

    // A zigzag crossed three times; with insert it gains the crossings as vertices.
    CMapPolyline zigzag;
    for (const auto& p : {CFloatPoint(0, 0), CFloatPoint(4, 10), CFloatPoint(8, 0), CFloatPoint(12, 10)})
        zigzag.AddPoint(p);
    crossings.reset(line->IntersectPointList(&zigzag, TRUE, TRUE));
    ASSERT_EQ(crossings->GetPointCount(), 3);
    EXPECT_FLOAT_EQ(crossings->GetPoint(0).x, 2.0f);
    EXPECT_FLOAT_EQ(crossings->GetPoint(1).x, 6.0f);
    EXPECT_FLOAT_EQ(crossings->GetPoint(2).x, 10.0f);
    ASSERT_EQ(zigzag.GetPointCount(), 7);
    EXPECT_FLOAT_EQ(zigzag.GetPoint(1).x, 2.0f);
    EXPECT_FLOAT_EQ(zigzag.GetPoint(3).x, 6.0f);
    EXPECT_FLOAT_EQ(zigzag.GetPoint(5).x, 10.0f);
}

class LineRows : public LayerFile {};

TEST_F(LineRows, GeometryIsSixteenLittleEndianBytes)
{
    Bytes geo(16);
    MapRecord::PutFloat(geo.data(), 1.5f);
    MapRecord::PutFloat(geo.data() + 4, -2.25f);
    MapRecord::PutFloat(geo.data() + 8, 10.0f);
    MapRecord::PutFloat(geo.data() + 12, 20.5f);
    InsertRow(1, MAP_OBJECT_LINE, std::nullopt, RectRecord(1.5, -2.25, 10, 20.5), geo);
    InsertRow(2, MAP_OBJECT_LINE, std::nullopt, RectRecord(0, 0, 0, 0), Bytes(15, 0xFF));
    CMapLine line, shortRow;
    LoadRow(&line, 1);
    LoadRow(&shortRow, 2);
    EXPECT_EQ(line.GetStartPoint().x, 1.5f);
    EXPECT_EQ(line.GetStartPoint().y, -2.25f);
    EXPECT_EQ(line.GetEndPoint().x, 10.0f);
    EXPECT_EQ(line.GetEndPoint().y, 20.5f);
    EXPECT_EQ(shortRow.GetEndPoint().x, 0.0f);
    EXPECT_FALSE(line.IsGeometryModified());

    // A dragged end is written only when the object is saved.
    Canvas canvas(100, 100);
    double originX = 0, originY = 0, zoom = 1;
    g_DefaultViewHeight = 100;
    line.MoveHandle(&canvas.dc, 1, 40, 70, &originX, &originY, &zoom);
    EXPECT_EQ(Blob("mapeGeoData", 1), geo);
    line.SaveChanges();
    const Bytes stored = *Blob("mapeGeoData", 1);
    ASSERT_EQ(stored.size(), 16u);
    EXPECT_EQ(FloatAt(stored, 0), 1.5f);
    EXPECT_EQ(FloatAt(stored, 8), 40.0f);
    EXPECT_EQ(FloatAt(stored, 12), (float)(line.GetViewHeight() - 70));
    EXPECT_FALSE(line.IsGeometryModified());
}

TEST_F(LineRows, LineDrawnBackwardsIsIndexedAndFoundLikeAnyOther)
{
    // Lines are not the layer's to keep: the test owns this one.
    const std::unique_ptr<CMapLine> line(MakeLine(10, 10, 0, 0));
    layer->AddObject(line.get(), TRUE);
    const CDoubleRect b = line->GetBoundary();
    EXPECT_TRUE(b.left == 0 && b.bottom == 0 && b.right == 10 && b.top == 10);
    EXPECT_EQ(Blob("mapeGeoData", line->GetMapeID())->size(), 16u);
    int found = 0;
    const auto count = [](int, void* context) {
        ++*static_cast<int*>(context);
        return true;
    };
    EXPECT_EQ(layer->GetIndex().Search(CRTree::Rect{4, 4, 6, 6}, count, &found), 1);
    double x = 5, y = 5;
    EXPECT_TRUE(line->ContainsXY(&x, &y));
}

}

namespace {

// Both ends are transformed or neither: a latitude past the pole has no Mercator point.
TEST(Line, TransformMovesBothEndsOrNeither)
{
    std::unique_ptr<OGRCoordinateTransformation> ct = DegreesToMercator();
    ASSERT_TRUE(ct);
    std::unique_ptr<CMapLine> line(MakeLine(0, 0, 1, 1));
    EXPECT_EQ(line->Transform(ct.get()), 1);
    EXPECT_NEAR(line->GetEndPoint().x, 111319.49, 0.1);
    EXPECT_NEAR(line->GetBoundary().top, 111325.14, 0.1);

    std::unique_ptr<CMapLine> toPole(MakeLine(10, 10, 10, 95));
    EXPECT_EQ(toPole->Transform(ct.get()), 0);
    EXPECT_EQ(toPole->GetStartPoint().x, 10.0f);
    EXPECT_EQ(toPole->GetEndPoint().y, 95.0f);
}

}
