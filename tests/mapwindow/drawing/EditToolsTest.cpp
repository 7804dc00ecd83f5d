// The editing tools on stored polygons and polylines: a vertex inserted, a
// polygon cut along a drawn line, polylines joined or closed, a segment
// removed; each change reaches the layer file, undo takes it back, and the
// window is clean afterwards.
#include "tests/mapwindow/drawing/DrawingToolsTestSupport.h"

#include "mapwindow/tools/DeleteLineTool.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"

#include <algorithm>

namespace drawtest {
namespace {

class EditToolTest : public DrawingToolTest {
protected:
    // Stores a polygon or polyline through the pixels given and returns its id.
    int Store(CMapPointList* object, std::initializer_list<CPoint> pixels)
    {
        for (const CPoint& p : pixels) {
            const CDoublePoint m = map.ScreenToMap(p);
            object->AddDoublePoint(m.x, m.y);
        }
        layer->AddObject(object, TRUE);
        const int id = object->GetMapeID();
        delete object;
        map.InvalidateMap(nullptr, FALSE);
        AfxTestProcessEvents();
        return id;
    }
    std::unique_ptr<CMapObject> Read(int id) { return std::unique_ptr<CMapObject>(layer->ReadObject(id, FALSE, FALSE)); }
    // The stored objects of `type` other than those of ids below `firstNew`.
    std::vector<std::vector<CFloatPoint>> NewOfType(int type, int firstNew)
    {
        std::vector<std::vector<CFloatPoint>> found;
        CArray<int, int> ids;
        layer->GetAllIDs(ids, true);
        for (int i = 0; i < ids.GetSize(); ++i) {
            if (ids[i] < firstNew)
                continue;
            auto object = Read(ids[i]);
            if (object && object->GetType() == type)
                found.push_back(Vertices(object.get()));
        }
        return found;
    }
    std::vector<CFloatPoint> MapPoints(std::initializer_list<CPoint> pixels)
    {
        std::vector<CFloatPoint> v;
        for (const CPoint& p : pixels)
            v.push_back(MapOf(p));
        return v;
    }
    static bool Same(const std::vector<CFloatPoint>& a, const std::vector<CFloatPoint>& b)
    {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](CFloatPoint p, CFloatPoint q) { return SamePoint(p, q); });
    }
};

TEST_F(EditToolTest, NewHandleInsertsAVertexAsOneUndoableChange)
{
    const int id = Store(new CMapPolyline, {CPoint(100, 250), CPoint(300, 250)});
    map.SelectObject(Read(id).release(), TRUE, TRUE);
    map.SetTool(TOOL_ADD_HANDLE);
    Click(CPoint(200, 250));
    EXPECT_EQ(Vertices(Read(id).get()).size(), 3u);
    EXPECT_EQ(map.GetTool(), TOOL_ADD_HANDLE);
    layer->Undo();
    EXPECT_EQ(Vertices(Read(id).get()).size(), 2u);

    // An object of a locked layer is left alone; without a selection Select comes back.
    layer->SetEditable(0);
    map.SelectObject(Read(id).release(), TRUE, TRUE);
    Click(CPoint(200, 250));
    EXPECT_EQ(Vertices(Read(id).get()).size(), 2u);
    layer->SetEditable(1);
    map.ClearSelection(TRUE);
    Click(CPoint(200, 250));
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);
}

TEST_F(EditToolTest, SplitCutsAPolygonAlongTheDrawnLineAndUndoRestoresIt)
{
    const int id = Store(new CMapPolygon, {CPoint(100, 120), CPoint(300, 120), CPoint(300, 220), CPoint(100, 220)});
    const int firstNew = id + 1;
    map.SetTool(TOOL_SPLIT_POLYGON);
    Click(CPoint(200, 150)); // picks the polygon
    Move(CPoint(200, 80));
    Click(CPoint(200, 80)); // the line starts outside
    Move(CPoint(200, 280));
    DoubleClick(CPoint(200, 280)); // and ends outside
    EXPECT_EQ(Read(id), nullptr);
    EXPECT_EQ(NewOfType(MAP_OBJECT_POLYGON, firstNew).size(), 2u);
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);
    ExpectSurfaceIsCache();

    // One undo takes the pieces away, the next puts the polygon back.
    layer->Undo();
    EXPECT_EQ(NewOfType(MAP_OBJECT_POLYGON, firstNew).size(), 0u);
    layer->Undo();
    ASSERT_NE(Read(id), nullptr);
    EXPECT_EQ(Vertices(Read(id).get()).size(), 4u);
}

TEST_F(EditToolTest, SplitKeepsThePolygonWhenAnEndOfTheLineLiesInside)
{
    const int id = Store(new CMapPolygon, {CPoint(100, 120), CPoint(300, 120), CPoint(300, 220), CPoint(100, 220)});
    const int count = Count();
    map.SetTool(TOOL_SPLIT_POLYGON);
    Click(CPoint(200, 150));
    Click(CPoint(200, 80));
    DoubleClick(CPoint(200, 180)); // inside
    EXPECT_NE(Read(id), nullptr);
    EXPECT_EQ(Count(), count);
    ExpectSurfaceIsCache();
}

TEST_F(EditToolTest, SplitAndJoinDoNotGoOnFromAnEarlierTool)
{
    // A polygon picked and a line begun, then another tool in between: the
    // double-click that follows starts afresh and cuts nothing.
    const int polygon = Store(new CMapPolygon, {CPoint(100, 120), CPoint(300, 120), CPoint(300, 220), CPoint(100, 220)});
    map.SetTool(TOOL_SPLIT_POLYGON);
    Click(CPoint(200, 150));
    Click(CPoint(200, 80));
    map.SetTool(TOOL_SELECT);
    map.SetTool(TOOL_SPLIT_POLYGON);
    DoubleClick(CPoint(200, 280));
    EXPECT_NE(Read(polygon), nullptr);

    // One end picked, then another tool: a double-click on a second line's end
    // is a first pick again and joins nothing.
    const int a = Store(new CMapPolyline, {CPoint(60, 250), CPoint(120, 230)});
    const int b = Store(new CMapPolyline, {CPoint(160, 240), CPoint(220, 260)});
    const int count = Count();
    map.SetTool(TOOL_JOIN_POLYLINE);
    Click(CPoint(120, 230));
    map.SetTool(TOOL_SELECT);
    g_currentTool = TOOL_JOIN_POLYLINE; // even without the window's reset of the shared state
    g_toolState = 2;
    DoubleClick(CPoint(160, 240));
    EXPECT_EQ(Count(), count);
    EXPECT_NE(Read(a), nullptr);
    EXPECT_NE(Read(b), nullptr);
    ExpectSurfaceIsCache();
}

TEST_F(EditToolTest, JoinConnectsThePickedEndsAndBothEndsOfOneLineMakeAPolygon)
{
    const int a = Store(new CMapPolyline, {CPoint(60, 250), CPoint(120, 230)});
    const int b = Store(new CMapPolyline, {CPoint(160, 240), CPoint(220, 260)});
    map.SetTool(TOOL_JOIN_POLYLINE);
    Click(CPoint(120, 230)); // a's end a2
    Move(CPoint(140, 235));
    Move(CPoint(160, 240));
    DoubleClick(CPoint(160, 240)); // b's start b1
    EXPECT_EQ(Read(a), nullptr);
    EXPECT_EQ(Read(b), nullptr);
    auto joined = NewOfType(MAP_OBJECT_POLYLINE, b + 1);
    ASSERT_EQ(joined.size(), 1u);
    EXPECT_TRUE(Same(joined[0], MapPoints({CPoint(60, 250), CPoint(120, 230), CPoint(160, 240), CPoint(220, 260)})));
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);
    ExpectSurfaceIsCache();
    layer->Undo();
    layer->Undo();
    EXPECT_NE(Read(a), nullptr);
    EXPECT_NE(Read(b), nullptr);

    const int c = Store(new CMapPolyline, {CPoint(60, 100), CPoint(160, 100), CPoint(110, 40)});
    map.SetTool(TOOL_JOIN_POLYLINE);
    Click(CPoint(60, 100));
    DoubleClick(CPoint(110, 40));
    EXPECT_EQ(Read(c), nullptr);
    auto polygons = NewOfType(MAP_OBJECT_POLYGON, c + 1);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_TRUE(Same(polygons[0], MapPoints({CPoint(60, 100), CPoint(160, 100), CPoint(110, 40)})));
}

TEST_F(EditToolTest, DeleteLineRemovesThePickedSegment)
{
    struct Case {
        bool polygon;
        CPoint pick; // a pixel of the segment as drawn
        std::vector<std::vector<CPoint>> pieces;
    };
    const CPoint p0(60, 200), p1(140, 200), p2(220, 200), p3(300, 200);
    const CPoint a(100, 60), b(100, 140), c(200, 140), d(200, 60);
    const int lineY = Device(MapOf(p0).x, MapOf(p0).y).y;
    const int leftX = Device(MapOf(a).x, MapOf(a).y).x, topY = Device(MapOf(a).x, MapOf(a).y).y;
    const Case cases[] = {
        {false, CPoint(100, lineY), {{p1, p2, p3}}},     // segment 0: one piece 1..3
        {false, CPoint(180, lineY), {{p0, p1}, {p2, p3}}}, // the middle: two pieces
        {true, CPoint(leftX, 100), {{b, c, d, a}}},       // (A, B) gives B, C, D, A
        {true, CPoint(150, topY), {{a, b, c, d}}},        // the closing segment (D, A)
    };
    for (const Case& k : cases) {
        const int id = k.polygon ? Store(new CMapPolygon, {a, b, c, d}) : Store(new CMapPolyline, {p0, p1, p2, p3});
        map.SetTool(TOOL_DELETE_LINE);
        DoubleClick(k.pick);
        EXPECT_EQ(Read(id), nullptr);
        auto pieces = NewOfType(MAP_OBJECT_POLYLINE, id + 1);
        ASSERT_EQ(pieces.size(), k.pieces.size());
        for (size_t i = 0; i < pieces.size(); ++i) {
            std::vector<CFloatPoint> expected;
            for (const CPoint& p : k.pieces[i])
                expected.push_back(MapOf(p));
            EXPECT_TRUE(Same(pieces[i], expected)) << k.pick.x << "," << k.pick.y << " piece " << i;
        }
        ExpectSurfaceIsCache();
        layer->Undo();
        layer->Undo();
        EXPECT_NE(Read(id), nullptr);
        // The tidy state for the next case: the original gone again.
        std::unique_ptr<CMapObject> original = Read(id);
        layer->RemoveObject(original.get());
    }
}

TEST(DeleteLineSegment, PointsOnAndOffASegment)
{
    struct Case {
        CPoint p, a, b;
        bool on;
    };
    for (const Case& c : {Case{CPoint(5, 5), CPoint(0, 0), CPoint(10, 10), true},
                          Case{CPoint(5, 6), CPoint(0, 0), CPoint(10, 10), false},
                          Case{CPoint(0, 0), CPoint(0, 0), CPoint(10, 10), true},  // an end
                          Case{CPoint(3, 7), CPoint(3, 0), CPoint(3, 10), true},   // vertical
                          Case{CPoint(11, 11), CPoint(0, 0), CPoint(10, 10), false}, // outside the box
                          Case{CPoint(6, 0), CPoint(0, 0), CPoint(10, 0), true}})  // horizontal
        EXPECT_EQ(CDeleteLineTool::IsPointOnSegment(c.p, c.a, c.b), c.on) << c.p.x << "," << c.p.y;
}

}
}
