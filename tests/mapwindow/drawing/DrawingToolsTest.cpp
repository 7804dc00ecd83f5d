// The drawing tools driven through the map window with synthetic input on a
// real workspace: what a drag, a click or a double-click stores in the layer
// file, the undo entry it leaves, the return to the Select tool, and a window
// that shows no rubber band once the tool is done.
#include "tests/mapwindow/drawing/DrawingToolsTestSupport.h"

#include "model/objects/MapLine.h"
#include "model/polygons/MapPolygon.h"
#include "model/objects/MapRectangle.h"
#include "model/objects/MapText.h"

namespace drawtest {
namespace {

TEST_F(DrawingToolTest, ALineDragStoresItsEndsFromThePixelsAndOneUndoEntry)
{
    const int before = Count();
    map.SetTool(TOOL_LINE);
    Drag(CPoint(50, 60), CPoint(170, 120));
    EXPECT_EQ(Count(), before + 1);
    auto line = Newest();
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->GetType(), MAP_OBJECT_LINE);
    EXPECT_TRUE(SamePoint(static_cast<CMapLine*>(line.get())->GetStartPoint(), MapOf(CPoint(50, 60))));
    EXPECT_TRUE(SamePoint(static_cast<CMapLine*>(line.get())->GetEndPoint(), MapOf(CPoint(170, 120))));
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    ExpectSurfaceIsCache();

    // One undo entry, which takes the line out of the file again.
    EXPECT_EQ(layer->GetHistory().GetUndoCount(), 1);
    const int id = layer->GetMaxID();
    layer->Undo();
    EXPECT_EQ(Count(), before);
    std::unique_ptr<CMapObject> gone(layer->ReadObject(id, FALSE, FALSE));
    EXPECT_EQ(gone, nullptr);
}

TEST_F(DrawingToolTest, ShiftKeepsADraggedLineAxisParallel)
{
    struct Case {
        CPoint to;
        bool horizontal;
    };
    for (const Case& c : {Case{CPoint(200, 90), true}, Case{CPoint(120, 220), false}}) {
        map.SetTool(TOOL_LINE);
        Drag(CPoint(100, 100), c.to, MK_SHIFT);
        auto line = Newest();
        ASSERT_NE(line, nullptr);
        ASSERT_EQ(line->GetType(), MAP_OBJECT_LINE);
        const CFloatPoint s = static_cast<CMapLine*>(line.get())->GetStartPoint();
        const CFloatPoint e = static_cast<CMapLine*>(line.get())->GetEndPoint();
        EXPECT_TRUE(SamePoint(s, MapOf(CPoint(100, 100))));
        const CPoint end = c.horizontal ? CPoint(c.to.x, 100) : CPoint(100, c.to.y);
        EXPECT_TRUE(SamePoint(e, MapOf(end))) << c.to.x << "," << c.to.y;
        ExpectSurfaceIsCache();
    }
}

TEST_F(DrawingToolTest, RectangleKindsStoreTheNormalisedDraggedBox)
{
    for (const auto& [tool, type] : {std::pair{TOOL_RECTANGLE, MAP_OBJECT_RECTANGLE},
                                     std::pair{TOOL_ROUND_RECT, MAP_OBJECT_ROUNDRECT},
                                     std::pair{TOOL_ELLIPSE, MAP_OBJECT_ELLIPSE}}) {
        map.SetTool(tool);
        // Dragged from the bottom right up to the top left.
        Drag(CPoint(300, 200), CPoint(180, 90));
        auto shape = Newest();
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->GetType(), type);
        ExpectBoxOfPixels(shape->GetBoundary(), CPoint(180, 90), CPoint(300, 200));
        EXPECT_EQ(map.GetTool(), TOOL_SELECT);
        ExpectSurfaceIsCache();
    }
}

TEST_F(DrawingToolTest, ABareClickStoresNothingAndReturnsToSelect)
{
    const int before = Count();
    for (int tool : {TOOL_LINE, TOOL_RECTANGLE, TOOL_ELLIPSE}) {
        map.SetTool(tool);
        Click(CPoint(120, 120));
        EXPECT_EQ(Count(), before) << tool;
        EXPECT_EQ(map.GetSelectionCount(), 0) << tool;
        EXPECT_EQ(map.GetTool(), TOOL_SELECT) << tool;
        EXPECT_EQ(CWnd::GetCapture(), nullptr) << tool;
    }
    EXPECT_EQ(layer->GetHistory().GetUndoCount(), 0);
    ExpectSurfaceIsCache();
}

TEST_F(DrawingToolTest, PolygonClicksAndADoubleClickStoreTheClickedVertices)
{
    const CPoint a(60, 60), b(200, 80), c(150, 200);
    map.SetTool(TOOL_POLYGON);
    Click(a);
    Move(b);
    Click(b);
    Move(c);
    DoubleClick(c);
    auto polygon = Newest();
    ASSERT_NE(polygon, nullptr);
    ASSERT_EQ(polygon->GetType(), MAP_OBJECT_POLYGON);
    const std::vector<CFloatPoint> v = Vertices(polygon.get());
    ASSERT_EQ(v.size(), 3u);
    EXPECT_TRUE(SamePoint(v[0], MapOf(a)));
    EXPECT_TRUE(SamePoint(v[1], MapOf(b)));
    EXPECT_TRUE(SamePoint(v[2], MapOf(c)));
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(layer->GetHistory().GetUndoCount(), 1);
    ExpectSurfaceIsCache();
}

TEST_F(DrawingToolTest, APolylineDoubleClickedAtOnceKeepsTwoPointsAndAShortPolygonIsDropped)
{
    const CPoint a(80, 80);
    map.SetTool(TOOL_POLYLINE);
    Click(a);
    DoubleClick(a);
    auto line = Newest();
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->GetType(), MAP_OBJECT_POLYLINE);
    const std::vector<CFloatPoint> v = Vertices(line.get());
    ASSERT_EQ(v.size(), 2u);
    EXPECT_TRUE(SamePoint(v[0], MapOf(a)));
    EXPECT_TRUE(SamePoint(v[1], MapOf(a)));

    // A double-click as the very first input leaves two points: nothing is
    // stored and the tool stays for another try.
    const int before = Count();
    map.SetTool(TOOL_POLYGON);
    AfxTestMouse(map, WM_LBUTTONDBLCLK, 90, 90, MK_LBUTTON);
    Up(CPoint(90, 90));
    Down(CPoint(90, 90));
    AfxTestMouse(map, WM_LBUTTONDBLCLK, 90, 90, MK_LBUTTON);
    Up(CPoint(90, 90));
    EXPECT_EQ(Count(), before);
    EXPECT_EQ(map.GetTool(), TOOL_POLYGON);
    EXPECT_EQ(map.GetSelectionCount(), 0);
}

TEST_F(DrawingToolTest, APolygonToolDoesNotWorkOnAStateOrObjectAnotherToolLeft)
{
    // A stored polygon, selected with a vertex active as a handle drag leaves it.
    auto* stored = new CMapPolygon;
    for (const auto& [x, y] : {std::pair{100.0, 100.0}, std::pair{400.0, 100.0}, std::pair{250.0, 400.0}})
        stored->AddDoublePoint(x, y);
    layer->AddObject(stored, TRUE);
    const int id = stored->GetMapeID();
    map.SelectObject(stored, TRUE, TRUE);
    stored->SetActiveHandle(2);
    g_toolState = 2;
    g_currentTool = TOOL_POLYGON; // made current without the window's reset

    Move(CPoint(300, 40));
    Click(CPoint(300, 40));
    std::unique_ptr<CMapObject> reread(layer->ReadObject(id, FALSE, FALSE));
    ASSERT_NE(reread, nullptr);
    const std::vector<CFloatPoint> v = Vertices(reread.get());
    ASSERT_EQ(v.size(), 3u);
    EXPECT_TRUE(SamePoint(v[2], CFloatPoint(250.0, 400.0)));
    // The click started a new polygon of its own instead.
    CMapObject* started = map.GetSelectedObject();
    ASSERT_NE(started, nullptr);
    EXPECT_NE(started->GetMapeID(), id);
    EXPECT_EQ(started->GetPointCount(), 2);

    // Leaving the tool drops the unfinished polygon and its rubber lines.
    Move(CPoint(320, 80));
    map.SetTool(TOOL_SELECT);
    EXPECT_EQ(map.GetSelectionCount(), 0);
    ExpectSurfaceIsCache();
}

TEST_F(DrawingToolTest, NodesAndTextsAreStoredAtTheClickAndSelected)
{
    map.SetTool(TOOL_NODE);
    Click(CPoint(210, 140));
    auto node = Newest();
    ASSERT_NE(node, nullptr);
    ASSERT_EQ(node->GetType(), MAP_OBJECT_NODE);
    EXPECT_TRUE(SamePoint(static_cast<CMapNode*>(node.get())->GetPosition(), MapOf(CPoint(210, 140))));
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);
    ASSERT_NE(map.GetSelectedObject(), nullptr);
    EXPECT_EQ(map.GetSelectedObject()->GetMapeID(), node->GetMapeID());

    map.GetMapModel()->SetZoom(2.0);
    map.SetTool(TOOL_TEXT);
    Click(CPoint(100, 100));
    auto text = Newest();
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->GetType(), MAP_OBJECT_TEXT);
    EXPECT_EQ(static_cast<CMapText*>(text.get())->GetText(), "Text");
    // The default box of 29 x 18 units, at 2 map units per pixel.
    const CDoubleRect box = text->GetBoundary();
    EXPECT_DOUBLE_EQ(box.Width(), 58.0);
    EXPECT_DOUBLE_EQ(box.Height(), 36.0);
    EXPECT_EQ(layer->GetHistory().GetUndoCount(), 2);
}

TEST_F(DrawingToolTest, WithoutAnActiveLayerNoToolCreatesAnything)
{
    for (int i = 0; i < map.GetMapModel()->GetLayerCount(); ++i)
        map.GetMapModel()->GetLayerAt(i)->SetEditable(0);
    ASSERT_EQ(map.GetActiveLayer(), nullptr);
    const int before = Count();
    // The programmatic path does not pass the window's check of the button.
    map.StartToolAt(100, 100, TOOL_NODE);
    CMapTool* line = CMapTool::FindTool(TOOL_LINE);
    line->BeginAt(&map, 100, 100);
    line->MoveTo(&map, 150, 150);
    line->EndAt(&map, 150, 150);
    EXPECT_EQ(Count(), before);
    EXPECT_EQ(map.GetSelectionCount(), 0);
    ExpectSurfaceIsCache();
}

}
}
