// Commands on objects that are not plain: Clone and Paste of a polygon with
// holes make new objects with ids of their own; a command whose write fails
// half-way takes back what it made and says why instead of throwing out of
// the window; a second release after an area selection selects nothing twice.
#include "tests/mapwindow/tools/ToolsTestSupport.h"

#include "core/SQLiteDatabase.h"
#include "model/polygons/MapAdvPolygon.h"
#include "resources/resource.h"


namespace tooltest {
namespace {

// A square of 100 map units with a square hole, at (x, y).
CMapAdvPolygon* SquareWithHole(double x, double y)
{
    auto* polygon = new CMapAdvPolygon;
    for (CFloatPoint p : {CFloatPoint(x, y), CFloatPoint(x + 100, y), CFloatPoint(x + 100, y + 100), CFloatPoint(x, y + 100)})
        polygon->AddPoint(p);
    auto* hole = new CMapPolygon;
    for (CFloatPoint p : {CFloatPoint(x + 40, y + 40), CFloatPoint(x + 60, y + 40), CFloatPoint(x + 60, y + 60)})
        hole->AddPoint(p);
    polygon->AddInnerRing(hole);
    return polygon;
}

std::vector<int> AllIds(CMapLayer* layer)
{
    CArray<int, int> ids;
    layer->GetAllIDs(ids, true);
    return std::vector<int>(ids.GetData(), ids.GetData() + ids.GetSize());
}

class CommandFailure : public ToolTest {
protected:
    // Selects everything of the lower layer with a Rectangle Select drag.
    void SelectAll()
    {
        map.SetTool(TOOL_RECT_SELECT);
        Drag({2, 2}, {398, 298});
        map.SetTool(TOOL_SELECT);
    }
};

TEST_F(CommandFailure, CloneAndPasteOfAPolygonWithHolesMakeNewObjects)
{
    const int source = Store(lower, SquareWithHole(100, 100));
    Show();
    SelectAll();
    ASSERT_EQ(map.GetSelectionCount(), 1);

    map.SendMessage(WM_COMMAND, ID_MAP_CLONE_OBJECTS, 0);
    std::vector<int> ids = AllIds(lower);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_TRUE(boxes.Boxes().empty());
    const int clone = ids[0] == source ? ids[1] : ids[0];
    EXPECT_EQ(SelectedIds(lower), std::vector<int>{clone});

    map.CopySelection();
    map.PasteClipboard();
    ids = AllIds(lower);
    ASSERT_EQ(ids.size(), 3u);
    // The paste keeps the hole, 6 pixels (12 map units) right and down.
    auto pasted = Stored(lower, ids.back());
    ASSERT_TRUE(pasted);
    auto* rings = dynamic_cast<CMapAdvPolygon*>(pasted.get());
    ASSERT_TRUE(rings);
    rings->LoadGeometry();
    EXPECT_EQ(rings->GetInnerRingCount(), 1);
    EXPECT_EQ(rings->GetBoundary(), CDoubleRect(112.0, 88.0, 212.0, 188.0));

    // The file holds each object once, and so does the saved index.
    ASSERT_TRUE(model()->SaveMapDatabase());
    EXPECT_EQ(lower->GetIndex().Count(), 3);
    lower->Undo();
    lower->Undo();
    EXPECT_EQ(AllIds(lower), std::vector<int>{source});
}

TEST_F(CommandFailure, ACloneThatFailsHalfWayLeavesNoObjectAndTellsWhy)
{
    StoreRect(lower, 100, 100, 200, 200);
    StorePoints<CMapPolygon>(lower, {{300, 100}, {400, 100}, {400, 200}});
    Show();
    SelectAll();
    ASSERT_EQ(map.GetSelectionCount(), 2);
    // The file refuses the polygon's clone, whichever comes first.
    lower->GetDatabase()->Execute("create temp trigger refuse before insert on _MapGeoData when "
                                  "new.mapeObjectType = 6 begin select raise(abort, 'the disk is full'); end;");
    lower->FinalizeStatements();   // statements prepared before the trigger would not see it
    const std::vector<int> before = AllIds(lower);

    map.SendMessage(WM_COMMAND, ID_MAP_CLONE_OBJECTS, 0);
    EXPECT_EQ(AllIds(lower), before);
    EXPECT_EQ(UndoCount(lower), 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(CString(boxes.Boxes()[0].text).Find("the disk is full"), -1) << boxes.Boxes()[0].text.GetString();
    // The selection is the one the user made.
    EXPECT_EQ(SelectedIds(lower), before);

    // Paste fails alike, and the layer's rows are what they were.
    map.CopySelection();
    map.PasteClipboard();
    EXPECT_EQ(AllIds(lower), before);
    EXPECT_EQ(UndoCount(lower), 0);
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    lower->GetDatabase()->Execute("drop trigger refuse;");
    ASSERT_TRUE(model()->SaveMapDatabase());
    EXPECT_EQ(lower->GetIndex().Count(), 2);
}

TEST_F(CommandFailure, ASecondReleaseAfterAnAreaSelectionSelectsNothingAgain)
{
    StoreRect(lower, 100, 100, 200, 200);
    StoreRect(lower, 300, 100, 400, 200);
    Show();
    for (int tool : {TOOL_RECT_SELECT, TOOL_MARQUEE_SELECT}) {
        SCOPED_TRACE(tool);
        map.SetTool(tool);
        Drag({10, 10}, {390, 290});
        ASSERT_EQ(map.GetSelectionCount(), 2);
        AfxTestMouse(map, WM_LBUTTONUP, 390, 290, 0);
        AfxTestMouse(map, WM_LBUTTONUP, 20, 20, 0);
        AfxTestProcessEvents();
        EXPECT_EQ(map.GetSelectionCount(), 2);

        // Delete and Undo see each object once.
        map.SendMessage(WM_COMMAND, ID_MAP_DELETE_OBJECTS, 0);
        EXPECT_EQ(lower->GetObjectCount(), 0);
        lower->Undo();
        EXPECT_EQ(lower->GetObjectCount(), 2);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_TRUE(lower->GetHistory().CanRedo());
    }
}

TEST_F(CommandFailure, AnObjectIsSelectedOnceWhateverAddsItAgain)
{
    const int id = StoreRect(lower, 100, 100, 200, 200);
    Show();
    SelectAll();
    ASSERT_EQ(map.GetSelectionCount(), 1);
    // A second copy of the same stored object, as a second search makes it.
    CList<CMapObject*, CMapObject*> again;
    again.AddTail(lower->ReadObject(id, FALSE, FALSE));
    again.AddTail(map.GetSelectedObject());
    map.AddToSelection(again);
    ASSERT_EQ(map.GetSelectionCount(), 3);
    map.RemoveRepeatedSelections();
    EXPECT_EQ(SelectedIds(lower), std::vector<int>{id});
}

}
}


namespace tooltest {
namespace {

TEST_F(CommandFailure, ADeleteThatFailsHalfWayKeepsWhatItCouldNotRemoveSelected)
{
    const int rect = StoreRect(lower, 100, 100, 200, 200);
    const int polygon = StorePoints<CMapPolygon>(lower, {{300, 100}, {400, 100}, {400, 200}});
    Show();
    SelectAll();
    ASSERT_EQ(map.GetSelectionCount(), 2);
    // The file refuses to let the polygon's attribute row go.
    lower->GetDatabase()->Execute("create temp trigger keep before delete on _MapMetaData when old.mapeID = "
                                  + CString(std::to_string(polygon).c_str())
                                  + " begin select raise(abort, 'the file is read-only'); end;");
    lower->FinalizeStatements();

    map.SendMessage(WM_COMMAND, ID_MAP_DELETE_OBJECTS, 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(CString(boxes.Boxes()[0].text).Find("the file is read-only"), -1);
    // The polygon keeps both rows, its index entry and its place in the selection.
    EXPECT_NE(Stored(lower, polygon), nullptr);
    const std::vector<int> selected = SelectedIds(lower);
    EXPECT_NE(std::find(selected.begin(), selected.end(), polygon), selected.end());
    EXPECT_EQ(lower->GetDatabase()->QueryInt("select count(*) from _MapMetaData where mapeID = "
                                             + CString(std::to_string(polygon).c_str()) + ";"),
              1);
    // The rectangle was removed before (and comes back with Undo) or was not
    // reached (and is still there, selected): never half of either.
    const bool rectGone = Stored(lower, rect) == nullptr;
    EXPECT_EQ(rectGone, std::find(selected.begin(), selected.end(), rect) == selected.end());
    CArray<int, int> ids;
    lower->GetAllIDs(ids, true);
    EXPECT_EQ(ids.GetSize(), rectGone ? 1 : 2);
    lower->GetDatabase()->Execute("drop trigger keep;");
    lower->FinalizeStatements();
    map.ClearSelection(0);
    EXPECT_EQ(lower->GetHistory().CanUndo(), rectGone);
    if (rectGone)
        lower->Undo();
    EXPECT_NE(Stored(lower, rect), nullptr);
    EXPECT_EQ(lower->GetObjectCount(), 2);
}

}
}
