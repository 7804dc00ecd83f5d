// Rectangle, Marquee and Polygon Select pick the objects inside their figure
// in every visible, selectable layer; what is then nudged, moved or deleted is
// recorded in each object's own layer, so Undo puts it back in its own file;
// and no rubber band is left on the window afterwards.
#include "tests/mapwindow/tools/ToolsTestSupport.h"

#include "model/objects/MapNode.h"

namespace tooltest {
namespace {

class AreaSelectTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        rect = StoreRect(lower, 100, 100, 200, 200);         // device (50..100, 200..250)
        square = StorePoints<CMapPolygon>(lower, {{300, 100}, {400, 100}, {400, 200}, {300, 200}}); // (150..200)
        upperRect = StoreRect(upper, 100, 400, 200, 500);    // device (50..100, 50..100)
        auto* point = new CMapNode;
        point->SetPosition(600, 450);                        // device (300, 75)
        node = Store(upper, point);
        Show();
    }
    int rect = 0, square = 0, upperRect = 0, node = 0;
};

TEST_F(AreaSelectTest, RectangleSelectTakesObjectsOfSeveralLayersAndLeavesNoBand)
{
    map.SetTool(TOOL_RECT_SELECT);
    host.notices.clear();
    Drag({40, 40}, {120, 260});
    EXPECT_EQ(SelectedIds(lower), std::vector<int>{rect});
    EXPECT_EQ(SelectedIds(upper), std::vector<int>{upperRect});
    EXPECT_EQ(host.Actions().back() == MAPA_MAP_INVALIDATED || host.Actions().back() == MAPA_SELECTION_CHANGED,
              true);
    EXPECT_EQ(PixelsOffCache(), 0);

    // A click clears the selection and selects nothing.
    Click({40, 40});
    EXPECT_EQ(map.GetSelectionCount(), 0);
    EXPECT_EQ(PixelsOffCache(), 0);
    EXPECT_EQ(map.GetTool(), TOOL_RECT_SELECT);
}

TEST_F(AreaSelectTest, HiddenOrUnselectableLayersAreNotSearched)
{
    upper->SetVisible(0);
    map.SetTool(TOOL_RECT_SELECT);
    Drag({40, 40}, {120, 260});
    EXPECT_EQ(SelectedIds(upper), std::vector<int>{});
    upper->SetVisible(1);
    lower->SetSelectable(0);
    Drag({40, 40}, {120, 260});
    EXPECT_EQ(SelectedIds(lower), std::vector<int>{});
    EXPECT_EQ(SelectedIds(upper), std::vector<int>{upperRect});
}

TEST_F(AreaSelectTest, MarqueeSelectTakesWhatLiesInTheCircleNodesIncluded)
{
    map.SetTool(TOOL_MARQUEE_SELECT);
    // Centre on the node, released 50 pixels right of it: the node is inside,
    // the rectangles are far outside.
    Drag({300, 75}, {350, 75});
    EXPECT_EQ(SelectedIds(upper), std::vector<int>{node});
    EXPECT_EQ(SelectedIds(lower), std::vector<int>{});
    EXPECT_EQ(PixelsOffCache(), 0);

    // A circle around the lower square of radius 40 holds it (its corners lie 36 away).
    Drag({175, 225}, {175, 265});
    EXPECT_EQ(SelectedIds(lower), std::vector<int>{square});
    EXPECT_EQ(PixelsOffCache(), 0);
}

TEST_F(AreaSelectTest, PolygonSelectClosesAtTheDoubleClickAndNeedsThreeVertices)
{
    map.SetTool(TOOL_POLYGON_SELECT);
    const auto press = [&](CPoint p) {
        AfxTestMouse(map, WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
        AfxTestMouse(map, WM_LBUTTONUP, p.x, p.y, 0);
    };
    // Two vertices and a double-click: nothing yet, the polygon goes on.
    press({40, 190});
    press({210, 190});
    AfxTestMouse(map, WM_LBUTTONDBLCLK, 210, 190, MK_LBUTTON);
    EXPECT_EQ(map.GetSelectionCount(), 0);
    // The quadrilateral (40, 190) (210, 190) (210, 260) (40, 260) holds both
    // lower objects; the first click of the double-click adds the fourth vertex.
    press({210, 260});
    press({40, 260});
    AfxTestMouse(map, WM_LBUTTONDBLCLK, 40, 260, MK_LBUTTON);
    AfxTestMouse(map, WM_LBUTTONUP, 40, 260, 0);
    AfxTestProcessEvents();
    EXPECT_EQ(SelectedIds(lower), (std::vector<int>{rect, square}));
    EXPECT_EQ(SelectedIds(upper), std::vector<int>{});
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(PixelsOffCache(), 0);
}

TEST_F(AreaSelectTest, AnUnfinishedPolygonLeavesNoRubberWhenTheToolChanges)
{
    map.SetTool(TOOL_POLYGON_SELECT);
    for (CPoint p : {CPoint(40, 190), CPoint(210, 190), CPoint(210, 260)}) {
        AfxTestMouse(map, WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
        AfxTestMouse(map, WM_LBUTTONUP, p.x, p.y, 0);
    }
    ASSERT_GT(PixelsOffCache(), 0);   // the rubber polygon is shown
    map.SetTool(TOOL_RECT_SELECT);
    AfxTestProcessEvents();
    EXPECT_EQ(PixelsOffCache(), 0);

    // Back to Polygon Select: a new polygon starts, none of the old vertices stays.
    map.SetTool(TOOL_POLYGON_SELECT);
    for (CPoint p : {CPoint(40, 40), CPoint(120, 40), CPoint(120, 120), CPoint(40, 120)}) {
        AfxTestMouse(map, WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
        AfxTestMouse(map, WM_LBUTTONUP, p.x, p.y, 0);
    }
    AfxTestMouse(map, WM_LBUTTONDBLCLK, 40, 120, MK_LBUTTON);
    AfxTestMouse(map, WM_LBUTTONUP, 40, 120, 0);
    AfxTestProcessEvents();
    EXPECT_EQ(SelectedIds(lower), std::vector<int>{});
    EXPECT_EQ(SelectedIds(upper), std::vector<int>{upperRect});
    EXPECT_EQ(PixelsOffCache(), 0);
}

TEST_F(AreaSelectTest, EditsOfASelectionAcrossLayersGoToEachLayersOwnHistory)
{
    map.SetTool(TOOL_RECT_SELECT);
    Drag({40, 40}, {320, 260});
    ASSERT_EQ(SelectedIds(lower), (std::vector<int>{rect, square}));
    ASSERT_EQ(SelectedIds(upper), (std::vector<int>{upperRect, node}));

    AfxTestKeyStroke(map, VK_RIGHT);
    EXPECT_EQ(StoredBoundary(lower, rect).left, 104.0);
    EXPECT_EQ(StoredBoundary(upper, upperRect).left, 104.0);
    // The node the layer keeps moved, and so did its row.
    EXPECT_EQ(upper->LoadObject(node, FALSE)->GetBoundary().left, 604.0);
    EXPECT_EQ(StoredBoundary(upper, node).left, 604.0);
    EXPECT_EQ(UndoCount(lower), 1);
    EXPECT_EQ(UndoCount(upper), 1);
    EXPECT_EQ(lower->GetHistory().PeekUndo()->GetObjects().GetCount(), 2);
    EXPECT_EQ(upper->GetHistory().PeekUndo()->GetObjects().GetCount(), 2);

    ModalRecorder yes({IDYES});
    AfxTestKeyStroke(map, VK_DELETE);
    ASSERT_EQ(yes.Boxes().size(), 1u);
    EXPECT_EQ(yes.Boxes()[0].text, CString("Do you want to delete the selected objects?"));
    EXPECT_EQ(lower->GetObjectCount() + upper->GetObjectCount(), 0);
    EXPECT_EQ(UndoCount(lower), 2);
    EXPECT_EQ(UndoCount(upper), 2);

    // Each layer gets its own objects back, where the nudge left them.
    lower->Undo();
    upper->Undo();
    EXPECT_EQ(lower->GetObjectCount(), 2);
    EXPECT_EQ(upper->GetObjectCount(), 2);
    EXPECT_EQ(StoredBoundary(lower, rect).left, 104.0);
    EXPECT_EQ(StoredBoundary(upper, upperRect).left, 104.0);
}

} // namespace
} // namespace tooltest
