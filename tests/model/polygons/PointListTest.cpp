// The point-list base: vertex editing and joining, the geometry BLOB in a
// layer file (owned, borrowed, saved), and the device-point cache.
#include "tests/model/objects/LayerTestSupport.h"
#include "tests/model/polygons/PointListTestSupport.h"

#include "model/layers/MapObjectKinds.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "model/layers/RowStatements.h"
#include "platform/base/MessageBox.h"

#include <cmath>
#include <cstring>

namespace {
Bytes GeometryBlob(std::initializer_list<XY> points)
{
    Bytes blob;
    for (const XY& p : points) {
        BYTE b[8];
        MapRecord::PutFloat(b, (float)p.first);
        MapRecord::PutFloat(b + 4, (float)p.second);
        blob.insert(blob.end(), b, b + 8);
    }
    return blob;
}
}

// ---------------------------------------------------------------- editing
TEST(PointList, AppendingSetsThenWidensTheBoundary)
{
    CMapPolyline line;
    line.AddDoublePoint(3, 4);
    EXPECT_EQ(line.GetBoundary(), CDoubleRect(3.0, 4.0, 3.0, 4.0));
    EXPECT_EQ(line.GetCapacity(), 20);
    line.AddDoublePoint(-1, 9);
    EXPECT_EQ(line.GetBoundary(), CDoubleRect(-1.0, 4.0, 3.0, 9.0));
    EXPECT_TRUE(line.IsGeometryLoaded());
    EXPECT_TRUE(line.IsGeometryModified());
    for (int i = 0; i < 19; ++i)
        line.AddDoublePoint(i, i);
    EXPECT_EQ(line.GetCapacity(), 40);
}

TEST(PointList, DeletingOutsideTheVerticesChangesNothing)
{
    CMapPolyline line;
    FillPoints(line, {{0, 0}, {5, 5}, {10, 0}});
    EXPECT_FALSE(line.DeletePoint(-1));
    EXPECT_FALSE(line.DeletePoint(3));
    EXPECT_EQ(line.GetPointCount(), 3);
    EXPECT_TRUE(line.DeletePoint(1));
    EXPECT_EQ(PointsOf(line), (std::vector<XY>{{0, 0}, {10, 0}}));
    EXPECT_EQ(line.GetBoundary(), CDoubleRect(0.0, 0.0, 10.0, 0.0));
}

TEST(PointList, RemoveDuplicatePointsTakesOneOfEachPairPerStep)
{
    struct Case {
        std::initializer_list<XY> in;
        std::vector<XY> out;
    };
    const Case cases[] = {
        {{{1, 1}, {1, 1}, {1, 1}, {2, 2}}, {{1, 1}, {1, 1}, {2, 2}}},
        {{{1, 1}, {1, 1}, {2, 2}}, {{1, 1}, {2, 2}}},
        {{{1, 1}, {2, 2}}, {{1, 1}, {2, 2}}},
    };
    for (const Case& c : cases) {
        CMapPolyline line;
        FillPoints(line, c.in);
        line.RemoveDuplicatePoints();
        EXPECT_EQ(PointsOf(line), c.out);
    }
}

TEST(PointList, JoinAtEndsJoinsAtTheFirstSharedEndInTestOrder)
{
    struct Case {
        const char* name;
        std::initializer_list<XY> a, b;
        bool joined;
        std::vector<XY> out;
    };
    const Case cases[] = {
        {"first-first", {{1, 0}, {2, 0}}, {{1, 0}, {0, 0}}, true, {{0, 0}, {1, 0}, {2, 0}}},
        {"last-first", {{0, 0}, {1, 0}}, {{1, 0}, {2, 0}}, true, {{0, 0}, {1, 0}, {2, 0}}},
        {"first-last", {{1, 0}, {2, 0}}, {{-1, 0}, {0, 0}, {1, 0}}, true, {{-1, 0}, {0, 0}, {1, 0}, {2, 0}}},
        {"last-last", {{0, 0}, {1, 0}}, {{2, 0}, {1, 0}}, true, {{0, 0}, {1, 0}, {2, 0}}},
        {"none", {{0, 0}, {1, 0}}, {{5, 5}, {6, 6}}, false, {{0, 0}, {1, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMapPolyline a, b;
        FillPoints(a, c.a);
        FillPoints(b, c.b);
        EXPECT_EQ(a.JoinAtEnds(&b) != FALSE, c.joined);
        EXPECT_EQ(PointsOf(a), c.out);
    }
}

TEST(PointList, InsertAndPrependLeaveTheFlagsToTheCaller)
{
    CMapPolyline line;
    FillPoints(line, {{0, 0}, {10, 0}});
    line.SetFlags(CMapObject::kGeometryLoaded);
    const double xy[2] = {5, 0};
    line.InsertPointAt(1, xy);
    line.PrependPoint(CFloatPoint(-5, 0));
    EXPECT_EQ(PointsOf(line), (std::vector<XY>{{-5, 0}, {0, 0}, {5, 0}, {10, 0}}));
    EXPECT_FALSE(line.IsIndexStale());
    EXPECT_FALSE(line.IsGeometryModified());
    EXPECT_DOUBLE_EQ(line.GetBoundary().left, -5.0);
}

TEST(PointList, SameGeometryComparesStoredBytes)
{
    CMapPolyline a, b;
    FillPoints(a, {{0.0, 1}});
    FillPoints(b, {{-0.0, 1}});
    EXPECT_FALSE(a.IsSameGeometry(&b));
    EXPECT_TRUE(a.DiffersGeometry(&b));
    CMapPolyline c;
    FillPoints(c, {{0.0, 1}});
    EXPECT_TRUE(a.IsSameGeometry(&c));
}

TEST(PointList, CloneOwnsACopyAndKeepsTheIdWithoutTarget)
{
    CMapPolygon polygon;
    FillPoints(polygon, {{0, 0}, {4, 0}, {4, 3}});
    polygon.SetMapeID(12);
    std::unique_ptr<CMapObject> clone(polygon.Clone(nullptr));
    auto* copy = dynamic_cast<CMapPolygon*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetMapeID(), 12);
    EXPECT_EQ(PointsOf(*copy), PointsOf(polygon));
    EXPECT_NE(copy->GetPoints(), polygon.GetPoints());
    EXPECT_EQ(copy->GetBoundary(), polygon.GetBoundary());
    std::unique_ptr<CMapObject> line(CMapPolyline().Clone(nullptr));
    EXPECT_EQ(line->GetType(), MAP_OBJECT_POLYLINE);
}

// A polygon's ring closes from its last vertex to its first; a polyline's
// chain does not.
TEST(PointList, QueriesOnTheVerticesCloseOnlyRings)
{
    CMapPolygon polygon;
    CMapPolyline line;
    for (CMapPointList* object : {(CMapPointList*)&polygon, (CMapPointList*)&line})
        FillPoints(*object, {{0, 0}, {10, 0}, {10, 10}});
    CFloatPoint onClosingEdge(5, 5.5);
    double tolerance = 1;
    EXPECT_TRUE(polygon.IsNearPoint(&onClosingEdge, &tolerance));
    EXPECT_FALSE(line.IsNearPoint(&onClosingEdge, &tolerance));
    EXPECT_NEAR(polygon.GetDistance(onClosingEdge), 0.5 / std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(line.GetDistance(onClosingEdge), 5.0, 1e-6);

    CArray<CFloatPoint, CFloatPoint&> ring, chain;
    polygon.GetOutlinePoints(ring);
    line.GetOutlinePoints(chain);
    EXPECT_EQ(ring.GetSize(), 4);
    EXPECT_EQ(chain.GetSize(), 3);

    CFloatPoint centre(7, 3);
    double radius = 7.7;   // every vertex is within, the boundary corner (0, 10) is not
    EXPECT_TRUE(line.IsWithinCircle(&centre, &radius));
    radius = 7.5;
    EXPECT_FALSE(line.IsWithinCircle(&centre, &radius));

    const CFloatPoint around[4] = {CFloatPoint(-1, -1), CFloatPoint(11, -1), CFloatPoint(11, 11), CFloatPoint(-1, 11)};
    EXPECT_TRUE(line.IsInsidePolygon(around, 4));
    const CFloatPoint left[3] = {CFloatPoint(-1, -1), CFloatPoint(6, -1), CFloatPoint(-1, 11)};
    EXPECT_FALSE(line.IsInsidePolygon(left, 3));

    line.ReverseDirection(true);
    EXPECT_EQ(PointsOf(line), (std::vector<XY>{{10, 10}, {10, 0}, {0, 0}}));
}

TEST(PointList, KindTableBuildsPolygonsAndPolylines)
{
    std::unique_ptr<CMapObject> polygon(CreateObjectOfKind(MAP_OBJECT_POLYGON));
    std::unique_ptr<CMapObject> polyline(CreateObjectOfKind(MAP_OBJECT_POLYLINE));
    EXPECT_NE(dynamic_cast<CMapPolygon*>(polygon.get()), nullptr);
    EXPECT_NE(dynamic_cast<CMapPolyline*>(polyline.get()), nullptr);
}

// ---------------------------------------------------------------- the geometry in a layer file
class PointListRows : public LayerFile {
protected:
    void TearDown() override
    {
        g_LayerQueryStatement.Finalize();
        g_CurrentRowStatement.Finalize();
    }

    void InsertLine(int id, const Bytes& geo)
    {
        InsertRow(id, MAP_OBJECT_POLYLINE, StyleRecord(CMapStyle()), RectRecord(0, 0, 1, 1), geo);
    }
};

TEST_F(PointListRows, GeometryBlobLoadsAsWholeVertices)
{
    struct Case {
        Bytes geo;
        int count;
    };
    Bytes twelve = GeometryBlob({{1.5, -2}});
    twelve.insert(twelve.end(), {1, 2, 3, 4});
    const Case cases[] = {{Bytes{}, 0}, {twelve, 1}, {GeometryBlob({{1, 2}, {3, 4}}), 2}};
    int id = 1;
    for (const Case& c : cases) {
        InsertLine(id, c.geo);
        CMapPolyline line;
        LoadRow(&line, id++);
        line.LoadGeometry();
        EXPECT_EQ(line.GetPointCount(), c.count);
        EXPECT_EQ(line.GetCapacity(), c.count + 20);
        EXPECT_TRUE(line.IsGeometryLoaded());
    }
}

TEST_F(PointListRows, SavedGeometryIsLittleEndianFloatPairs)
{
    auto* line = new CMapPolyline;
    FillPoints(*line, {{1.25, -2.5}, {1e6, 3}});
    layer->AddObject(line, TRUE);
    const int id = line->GetMapeID();
    EXPECT_EQ(*Blob("mapeGeoData", id), GeometryBlob({{1.25, -2.5}, {1e6, 3}}));

    CMapPolyline stored;
    LoadRow(&stored, id);
    stored.AddDoublePoint(7, 8);   // fetches the stored vertices before appending
    stored.SaveChanges();
    EXPECT_EQ(*Blob("mapeGeoData", id), GeometryBlob({{1.25, -2.5}, {1e6, 3}, {7, 8}}));
    delete line;
}

TEST_F(PointListRows, UnstoredObjectSavesNothing)
{
    CMapPolygon polygon;
    polygon.SetLayer(layer);
    FillPoints(polygon, {{0, 0}, {1, 0}, {1, 1}});
    polygon.GetStyle()->SetModified(true);
    polygon.SaveChanges();
    EXPECT_TRUE(polygon.GetStyle()->IsModified());
    EXPECT_EQ(Db()->QueryInt("select count(*) from _MapGeoData;"), 0);
}

// A load while another object borrows its geometry through the shared row
// statement reads this object's own row, so a save keeps the stored vertices.
TEST_F(PointListRows, LoadWhileAnotherObjectBorrowsReadsItsOwnRow)
{
    InsertLine(1, GeometryBlob({{1, 1}, {2, 2}}));
    InsertLine(2, GeometryBlob({{5, 5}, {6, 6}, {7, 7}}));
    CMapPolyline borrower, editor;
    LoadRow(&borrower, 1);
    LoadRow(&editor, 2);
    ASSERT_EQ(borrower.AttachGeometry(), 1);
    EXPECT_TRUE(borrower.IsGeometryBorrowed());
    EXPECT_EQ(PointsOf(borrower), (std::vector<XY>{{1, 1}, {2, 2}}));

    editor.LoadGeometry();
    EXPECT_EQ(PointsOf(editor), (std::vector<XY>{{5, 5}, {6, 6}, {7, 7}}));
    editor.SaveChanges();
    EXPECT_EQ(*Blob("mapeGeoData", 2), GeometryBlob({{5, 5}, {6, 6}, {7, 7}}));

    // A borrowed geometry is never written; ending the borrow drops it.
    borrower.SaveChanges();
    borrower.DetachGeometry();
    EXPECT_EQ(borrower.GetPointCount(), 0);
    EXPECT_TRUE(g_CurrentRowStatement.IsEmpty());
}

TEST_F(PointListRows, BorrowingInALayerLoopStepsToTheRowAndStopsAtTheEnd)
{
    InsertLine(1, GeometryBlob({{1, 1}}));
    InsertLine(2, GeometryBlob({{2, 2}, {3, 3}}));
    Db()->Prepare("select * from _MapGeoData order by mapeID;", g_LayerQueryStatement);
    ASSERT_EQ(g_LayerQueryStatement.Step(), SQLITE_ROW);

    CMapPolyline second;
    second.SetLayer(layer);
    second.SetMapeID(2);
    ASSERT_EQ(second.AttachGeometry(), 1);
    EXPECT_EQ(PointsOf(second), (std::vector<XY>{{2, 2}, {3, 3}}));
    second.DetachGeometry();

    // An id the loop does not hold ends the search at the last row instead
    // of starting the statement over and over.
    CMapPolyline absent;
    absent.SetLayer(layer);
    absent.SetMapeID(9);
    EXPECT_EQ(absent.AttachGeometry(), 0);
    EXPECT_EQ(absent.GetPointCount(), 0);
    EXPECT_FALSE(absent.IsGeometryBorrowed());
}

TEST_F(PointListRows, ObjectWithoutItsRowDrawsNothing)
{
    CMapPolyline orphan;
    orphan.SetLayer(layer);
    orphan.SetMapeID(5);
    ASSERT_EQ(orphan.AttachGeometry(), 1);
    EXPECT_EQ(orphan.GetPointCount(), 0);
    orphan.DetachGeometry();
}

// The map's paint builds each object from its row and draws it with the
// vertices borrowed from the row its query stands on.
TEST_F(PointListRows, MapPaintDrawsStoredPolygonsAndPolylines)
{
    auto* polygon = new CMapPolygon;
    FillPoints(*polygon, {{10, 10}, {40, 10}, {40, 40}, {10, 40}});
    polygon->GetStyle()->SetBrushStyle(MAPBRUSH_SOLID);
    polygon->GetStyle()->SetBrushColor(RGB(0, 0, 255));
    polygon->GetStyle()->SetPenColor(RGB(255, 0, 0));
    polygon->GetStyle()->SetPenWidth(0.0f);
    layer->AddObject(polygon, TRUE);
    auto* line = new CMapPolyline;
    FillPoints(*line, {{60, 20}, {90, 20}});
    line->GetStyle()->SetPenColor(RGB(0, 128, 0));
    line->GetStyle()->SetPenWidth(0.0f);
    layer->AddObject(line, TRUE);
    delete polygon;
    delete line;

    Surface surface(100);
    RECT client = surface.Client();
    double x0 = 0, y0 = 0, zoom = 1;
    model.Draw(&surface.dc, &client, &x0, &y0, &zoom);
    EXPECT_EQ(surface.dc.GetPixel(25, 75), RGB(0, 0, 255));
    EXPECT_EQ(surface.dc.GetPixel(10, 75), RGB(255, 0, 0));
    EXPECT_EQ(surface.dc.GetPixel(75, 80), RGB(0, 128, 0));
    EXPECT_EQ(surface.dc.GetPixel(50, 50), RGB(255, 255, 255));
    EXPECT_TRUE(g_LayerQueryStatement.IsEmpty());
}

// ---------------------------------------------------------------- the device-point cache
class DevicePoints : public ::testing::Test {
protected:
    void SetUp() override { g_DefaultViewHeight = 100; }
    RECT client{0, 0, 100, 100};
    double x0 = 0, y0 = 0, zoom = 1;
};

TEST_F(DevicePoints, VerticesWithinOnePixelStepCollapseToOne)
{
    CMapPolyline line;
    FillPoints(line, {{10, 10}, {10.5, 10.2}, {10.9, 10.9}, {11, 11}});
    line.BuildDevicePoints(nullptr, &client, &x0, &y0, &zoom);
    ASSERT_EQ(line.GetDeviceCache()->GetChunkCount(), 1);
    EXPECT_EQ(line.GetDeviceCache()->GetPointCount(), 1);
    EXPECT_EQ(line.GetDeviceCache()->GetChunk(0)->GetAt(0).x, 10);
    EXPECT_EQ(line.GetDeviceCache()->GetChunk(0)->GetAt(0).y, 90);
}

TEST_F(DevicePoints, RebuildsOnlyWhenStaleOrZoomed)
{
    CMapPolyline line;
    FillPoints(line, {{10, 10}, {20, 20}});
    line.BuildDevicePoints(nullptr, &client, &x0, &y0, &zoom);
    const double moved[2] = {30, 30};
    line.SetPoint(1, moved);
    line.BuildDevicePoints(nullptr, &client, &x0, &y0, &zoom);
    EXPECT_EQ(line.GetDeviceCache()->GetChunk(0)->GetAt(1).x, 20);
    line.InvalidateDevicePoints();
    line.BuildDevicePoints(nullptr, &client, &x0, &y0, &zoom);
    EXPECT_EQ(line.GetDeviceCache()->GetChunk(0)->GetAt(1).x, 30);
    double half = 0.5;
    line.CheckDeviceZoom(&half);
    EXPECT_EQ(line.GetDeviceCache()->GetPointCount(), 0);
    line.BuildDevicePoints(nullptr, &client, &x0, &y0, &half);
    EXPECT_EQ(line.GetDeviceCache()->GetChunk(0)->GetAt(1).x, 60);
}

TEST_F(DevicePoints, ShiftAndHeightChangeMoveTheCachedPoints)
{
    CMapPolygon polygon;
    FillPoints(polygon, {{10, 10}, {20, 10}, {20, 20}});
    polygon.BuildDevicePoints(nullptr, &client, &x0, &y0, &zoom);
    CMapObject* object = &polygon;
    object->ShiftDevicePoints(5, -3);
    EXPECT_EQ(polygon.GetDeviceCache()->GetChunk(0)->GetAt(0).x, 15);
    EXPECT_EQ(polygon.GetDeviceCache()->GetChunk(0)->GetAt(0).y, 87);
    EXPECT_EQ(polygon.GetDeviceCache()->GetDeviceRect().left, 15);
    object->AdjustDeviceHeight(110);
    EXPECT_EQ(polygon.GetDeviceCache()->GetChunk(0)->GetAt(0).y, 97);
}

TEST_F(DevicePoints, HandleSquaresLeaveOutTheirRightAndBottomEdges)
{
    CMapPolyline line;
    FillPoints(line, {{10, 10}, {50, 50}});
    struct Case {
        int x, y, handle;
    };
    const Case cases[] = {{10, 90, 0}, {7, 90, 0}, {13, 90, -1}, {10, 87, 0}, {10, 93, -1}, {50, 50, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(line.HitTestHandle(c.x, c.y, &x0, &y0, &zoom), c.handle) << c.x << "," << c.y;
}

// At a zoom where the object spans far beyond the 16-bit device range, the
// cache holds only the pieces in a window around the client area.
TEST_F(DevicePoints, FarZoomKeepsOnlyThePiecesNearTheView)
{
    CMapPolyline line;
    FillPoints(line, {{-1e6, 0.05}, {1e6, 0.05}, {1e6, 1e6}});
    double fine = 0.001;
    line.BuildDevicePoints(nullptr, &client, &x0, &y0, &fine);
    const CDevicePointCache* cache = line.GetDeviceCache();
    ASSERT_TRUE(cache->IsClipped());
    ASSERT_GE(cache->GetPointCount(), 2);
    for (int c = 0; c < cache->GetChunkCount(); ++c) {
        for (int i = 0; i < cache->GetChunk(c)->GetCount(); ++i) {
            const POINT p = cache->GetChunk(c)->GetAt(i);
            EXPECT_GE(p.x, -500);
            EXPECT_LE(p.x, 600);
        }
    }
    Surface surface(100);
    line.Draw(&surface.dc, &client, &x0, &y0, &fine);
    EXPECT_NE(surface.dc.GetPixel(50, 50), RGB(255, 255, 255));

    // A small scroll reuses the shifted pieces.
    double scrolledY = 0.1;
    line.ShiftDevicePoints(0, 100);
    line.BuildDevicePoints(nullptr, &client, &x0, &scrolledY, &fine);
    EXPECT_EQ(cache->GetDeviceRect().top, -300);
    // Scrolled 2000 pixels up the line lies below the window: it is cut again,
    // nothing is kept and nothing of the old pieces is drawn.
    double farY = 2.0;
    line.ShiftDevicePoints(0, 1900);
    line.BuildDevicePoints(nullptr, &client, &x0, &farY, &fine);
    EXPECT_EQ(cache->GetDeviceRect().top, -400);
    EXPECT_EQ(cache->GetPointCount(), 0);
}

// Long chunks are drawn as a path; the result is the same figure.
TEST(DevicePointArray, LongChunksDrawTheSameFilledFigure)
{
    for (const int count : {CDevicePointArray::kPathThreshold - 1, CDevicePointArray::kPathThreshold}) {
        CDevicePointArray ring;
        ring.Reserve(count);
        // A square 10..50 walked point by point along its four sides.
        const int side = count / 4;
        for (int i = 0; i < count; ++i) {
            const int s = std::min(i / side, 3), k = i - s * side;
            const int len = s == 3 ? count - 3 * side : side;
            const int t = 40 * k / len;
            const POINT corners[4] = {{10 + t, 10}, {50, 10 + t}, {50 - t, 50}, {10, 50 - t}};
            ring.Append(corners[s]);
        }
        Surface surface(60);
        CBrush brush(RGB(0, 0, 255));
        CBrush* old = surface.dc.SelectObject(&brush);
        ring.Draw(&surface.dc, TRUE);
        surface.dc.SelectObject(old);
        SCOPED_TRACE(count);
        EXPECT_EQ(surface.dc.GetPixel(30, 30), RGB(0, 0, 255));
        EXPECT_EQ(surface.dc.GetPixel(10, 30), RGB(0, 0, 0));
        EXPECT_EQ(surface.dc.GetPixel(5, 30), RGB(255, 255, 255));
    }
}
