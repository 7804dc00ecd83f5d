// The Select tool through a real document: a click selects, Shift adds, a drag
// moves what is stored by (dx * zoom, -dy * zoom) with one undo entry that
// Undo takes back, a click records nothing, a handle drag reshapes, and the
// window shows no outline left over once the drag is done.
#include "tests/mapwindow/tools/ToolsTestSupport.h"

#include "core/MapLabel.h"

namespace tooltest {
namespace {

TEST_F(ToolTest, ADragMovesTheStoredGeometryWithOneUndoEntryThatUndoTakesBack)
{
    const int rect = StoreRect(lower, 100, 100, 200, 200);
    const int square = StorePoints<CMapPolygon>(lower, {{300, 100}, {400, 100}, {400, 200}, {300, 200}});
    Show();
    const CDoubleRect rectBefore = StoredBoundary(lower, rect);
    const CDoubleRect squareBefore = StoredBoundary(lower, square);

    Click({75, 225});
    Click({175, 225}, MK_SHIFT);
    EXPECT_EQ(SelectedIds(lower), (std::vector<int>{rect, square}));
    host.notices.clear();
    // Shift keeps the selection that a press on one of its objects would replace.
    Drag({175, 225}, {185, 220}, MK_SHIFT);

    // 10 pixels right and 5 up: 20 map units right and 10 up.
    EXPECT_EQ(StoredBoundary(lower, rect), Shifted(rectBefore, 20, 10));
    EXPECT_EQ(StoredBoundary(lower, square), Shifted(squareBefore, 20, 10));
    ASSERT_EQ(UndoCount(lower), 1);
    EXPECT_EQ(lower->GetHistory().PeekUndo()->GetObjects().GetCount(), 2);
    EXPECT_TRUE(map.IsModified());
    EXPECT_EQ(PixelsOffCache(), 0) << "an outline of the drag is left on the window";
    // The owner heard of the moving selection.
    const std::vector<int> actions = host.Actions();
    EXPECT_NE(std::find(actions.begin(), actions.end(), MAPA_SELECTION_MOVED), actions.end());

    map.ClearSelection(1);
    lower->Undo();
    EXPECT_EQ(StoredBoundary(lower, rect), rectBefore);
    EXPECT_EQ(StoredBoundary(lower, square), squareBefore);
}

TEST_F(ToolTest, AClickSelectsOnlyAndEmptySpaceClearsTheSelection)
{
    const int rect = StoreRect(lower, 100, 100, 200, 200);
    Show();
    host.notices.clear();
    Click({75, 225});
    EXPECT_EQ(SelectedIds(lower), std::vector<int>{rect});
    EXPECT_EQ(host.Actions().front(), MAPA_SELECTION_CHANGED);
    EXPECT_EQ(UndoCount(lower), 0);
    EXPECT_EQ(StoredBoundary(lower, rect), CDoubleRect(100.0, 100.0, 200.0, 200.0));

    // Shift on empty map keeps the selection; a plain click there clears it.
    Click({380, 20}, MK_SHIFT);
    EXPECT_EQ(map.GetSelectionCount(), 1);
    Click({380, 20});
    EXPECT_EQ(map.GetSelectionCount(), 0);

    // A press of the tool drops the selected labels.
    CMapLabel label;
    map.SelectOverlay(&label, TRUE);
    ASSERT_EQ(map.GetFirstSelectedOverlay(), &label);
    Click({380, 20}, MK_SHIFT);
    EXPECT_EQ(map.GetFirstSelectedOverlay(), nullptr);
    EXPECT_FALSE(label.IsSelected());
}

TEST_F(ToolTest, ShiftAddsOnlyObjectsOfTheSelectedLayer)
{
    StoreRect(lower, 100, 100, 200, 200);
    const int other = StoreRect(upper, 100, 400, 200, 500);
    Show();
    Click({75, 225});
    Click({75, 75}, MK_SHIFT);
    EXPECT_EQ(map.GetSelectionCount(), 1);
    EXPECT_EQ(SelectedIds(upper), std::vector<int>{});
    Click({75, 75});
    EXPECT_EQ(SelectedIds(upper), std::vector<int>{other});
}

TEST_F(ToolTest, ObjectsOfALayerThatIsNotEditableAreSelectedButNotMoved)
{
    const int rect = StoreRect(upper, 100, 400, 200, 500);
    upper->SetEditable(0);
    Show();
    Drag({75, 75}, {95, 95});
    EXPECT_EQ(SelectedIds(upper), std::vector<int>{rect});
    EXPECT_EQ(StoredBoundary(upper, rect), CDoubleRect(100.0, 400.0, 200.0, 500.0));
    EXPECT_EQ(UndoCount(upper), 0);
}

TEST_F(ToolTest, AHandleDragReshapesAndAShiftDragKeepsTheCornerSquare)
{
    const int rect = StoreRect(lower, 100, 100, 200, 200);
    Show();
    Click({75, 225});
    // Handle 4 is the top-right corner, device (100, 200); dragged with Shift
    // towards (130, 160) the rectangle stays a square.
    Drag({100, 200}, {130, 160}, MK_SHIFT);
    const CDoubleRect after = StoredBoundary(lower, rect);
    EXPECT_EQ(after.left, 100.0);
    EXPECT_EQ(after.bottom, 100.0);
    EXPECT_EQ(after.Width(), after.Height());
    EXPECT_GT(after.Width(), 100.0);
    EXPECT_EQ(UndoCount(lower), 1);
    EXPECT_EQ(PixelsOffCache(), 0);

    // A click on a handle changes and records nothing.
    Click({100, 200});
    EXPECT_EQ(UndoCount(lower), 1);
    lower->Undo();
    EXPECT_EQ(StoredBoundary(lower, rect), CDoubleRect(100.0, 100.0, 200.0, 200.0));
}

TEST_F(ToolTest, ADragBackToItsStartMovesNothingAndLeavesNoOutline)
{
    const int rect = StoreRect(lower, 100, 100, 200, 200);
    StoreRect(lower, 300, 100, 400, 200);
    Show();
    Click({75, 225});
    Click({175, 225}, MK_SHIFT);
    AfxTestMouse(map, WM_LBUTTONDOWN, 75, 225, MK_LBUTTON);
    AfxTestMouse(map, WM_MOUSEMOVE, 95, 225, MK_LBUTTON);
    AfxTestMouse(map, WM_MOUSEMOVE, 75, 225, MK_LBUTTON);
    AfxTestMouse(map, WM_LBUTTONUP, 75, 225);
    AfxTestProcessEvents();
    EXPECT_EQ(StoredBoundary(lower, rect), CDoubleRect(100.0, 100.0, 200.0, 200.0));
    EXPECT_EQ(UndoCount(lower), 0);
    EXPECT_EQ(PixelsOffCache(), 0);
}

TEST_F(ToolTest, AMoveOfSeveralObjectsRepaintsTheOldAndNewPlaceOfEach)
{
    const int left = StoreRect(lower, 100, 100, 200, 200);
    const int right = StoreRect(lower, 500, 100, 600, 200);
    Show();
    const COLORREF background = map.GetSurfacePixel(150, 240);
    Click({75, 225});
    Click({275, 225}, MK_SHIFT);
    // Shift held while pressing keeps both selected; released without it, the
    // release repaints only what moved.
    AfxTestMouse(map, WM_LBUTTONDOWN, 275, 225, MK_LBUTTON | MK_SHIFT);
    for (int x = 280; x <= 300; x += 5)
        AfxTestMouse(map, WM_MOUSEMOVE, x, 200, MK_LBUTTON | MK_SHIFT);
    AfxTestMouse(map, WM_LBUTTONUP, 300, 200, 0);
    AfxTestProcessEvents();
    EXPECT_EQ(StoredBoundary(lower, left), CDoubleRect(150.0, 150.0, 250.0, 250.0));
    EXPECT_EQ(StoredBoundary(lower, right), CDoubleRect(550.0, 150.0, 650.0, 250.0));
    EXPECT_EQ(PixelsOffCache(), 0) << "an old place was not repainted";
    // The first rectangle's old lower-left corner is empty map now.
    EXPECT_NE(background, kFill);
    EXPECT_EQ(map.GetSurfacePixel(52, 248), background);
    EXPECT_EQ(map.GetSurfacePixel(80, 220), kFill);
}

} // namespace
} // namespace tooltest
