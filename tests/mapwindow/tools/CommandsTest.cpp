// The map window's commands: the internal clipboard (Copy, Paste offset by 6
// and then 12 pixels, Cut), Clone and Delete recorded in each object's own
// layer, Break and Make Polygon, which leave no removed object selected, and
// the context menu that picks tools and shows what applies.
#include "tests/mapwindow/tools/ToolsTestSupport.h"

#include "platform/wnd/CMenu.h"
#include "resources/resource.h"

#include <map>

namespace tooltest {
namespace {

std::vector<CFloatPoint> PointsOf(CMapObject* object)
{
    std::vector<CFloatPoint> points;
    auto* list = static_cast<CMapPointList*>(object);
    list->LoadGeometry();
    for (int i = 0; i < list->GetPointCount(); ++i)
        points.push_back(list->GetPoint(i));
    return points;
}

bool SamePoints(const std::vector<CFloatPoint>& a, const std::vector<CFloatPoint>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].x != b[i].x || a[i].y != b[i].y)
            return false;
    return true;
}

// The stored objects of a layer other than those in `known`.
std::vector<int> NewIds(CMapLayer* layer, const std::vector<int>& known)
{
    CArray<int, int> ids;
    layer->GetAllIDs(ids, true);
    std::vector<int> fresh;
    for (INT_PTR i = 0; i < ids.GetSize(); ++i)
        if (std::find(known.begin(), known.end(), ids[i]) == known.end())
            fresh.push_back(ids[i]);
    return fresh;
}

TEST_F(ToolTest, PastesLandSixThenTwelvePixelsFromTheCopyAndCopyStartsAgain)
{
    const int rect = StoreRect(lower, 100, 100, 200, 200);
    Show();
    Click({75, 225});
    map.CopySelection();
    ASSERT_TRUE(map.CanPaste());

    map.PasteClipboard();
    const std::vector<int> first = NewIds(lower, {rect});
    ASSERT_EQ(first.size(), 1u);
    // 6 pixels right and down at zoom 2: 12 map units right and 12 down.
    EXPECT_EQ(StoredBoundary(lower, first[0]), CDoubleRect(112.0, 88.0, 212.0, 188.0));
    EXPECT_EQ(SelectedIds(lower), first);
    EXPECT_EQ(UndoCount(lower), 1);

    map.PasteClipboard();
    const std::vector<int> second = NewIds(lower, {rect, first[0]});
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(StoredBoundary(lower, second[0]), CDoubleRect(124.0, 76.0, 224.0, 176.0));

    map.CopySelection();
    EXPECT_EQ(map.GetPasteOffset(), 0);

    // Any list of objects can be copied; an empty one empties the clipboard.
    map.CopyToClipboard(*map.GetSelectionList());
    EXPECT_TRUE(map.CanPaste());
    map.CopyToClipboard(CList<CMapObject*, CMapObject*>());
    EXPECT_FALSE(map.CanPaste());
    EXPECT_EQ(map.GetPasteOffset(), 0);

    // Undo takes the second paste out of the file again.
    map.ClearSelection(0);
    lower->Undo();
    EXPECT_EQ(Stored(lower, second[0]), nullptr);
    EXPECT_NE(Stored(lower, first[0]), nullptr);
}

TEST_F(ToolTest, PasteWithoutAnActiveLayerDoesNothing)
{
    StoreRect(lower, 100, 100, 200, 200);
    Show();
    Click({75, 225});
    map.CopySelection();
    lower->SetEditable(0);
    upper->SetEditable(0);
    map.PasteClipboard();
    EXPECT_EQ(map.GetPasteOffset(), 0);
    EXPECT_EQ(lower->GetObjectCount(), 1);
}

TEST_F(ToolTest, CutCopiesThenDeletesAndPastingBringsItBack)
{
    const int rect = StoreRect(lower, 100, 100, 200, 200);
    Show();
    Click({75, 225});
    map.CutSelection();
    EXPECT_EQ(Stored(lower, rect), nullptr);
    EXPECT_EQ(UndoCount(lower), 1);
    map.PasteClipboard();
    EXPECT_EQ(lower->GetObjectCount(), 1);
}

TEST_F(ToolTest, CloneAndDeleteOfASelectionAcrossLayersRecordInEachLayer)
{
    const int rect = StoreRect(lower, 100, 100, 200, 200);
    const int other = StoreRect(upper, 100, 400, 200, 500);
    Show();
    map.SetTool(TOOL_RECT_SELECT);
    Drag({40, 40}, {120, 260});
    ASSERT_EQ(map.GetSelectionCount(), 2);

    map.SendMessage(WM_COMMAND, ID_MAP_CLONE_OBJECTS, 0);
    const std::vector<int> lowerClones = NewIds(lower, {rect}), upperClones = NewIds(upper, {other});
    ASSERT_EQ(lowerClones.size(), 1u);
    ASSERT_EQ(upperClones.size(), 1u);
    EXPECT_EQ(SelectedIds(lower), lowerClones);
    EXPECT_EQ(SelectedIds(upper), upperClones);
    EXPECT_EQ(UndoCount(lower), 1);
    EXPECT_EQ(UndoCount(upper), 1);

    map.SendMessage(WM_COMMAND, ID_MAP_DELETE_OBJECTS, 0);
    EXPECT_EQ(map.GetSelectionCount(), 0);
    EXPECT_EQ(lower->GetObjectCount(), 1);
    EXPECT_EQ(upper->GetObjectCount(), 1);
    // Each layer gets its own clone back; then the clones go again.
    for (CMapLayer* layer : {lower, upper}) {
        EXPECT_EQ(UndoCount(layer), 2);
        layer->Undo();
        EXPECT_EQ(layer->GetObjectCount(), 2);
        layer->Undo();
        EXPECT_EQ(layer->GetObjectCount(), 1);
    }
}

TEST_F(ToolTest, BreakOpensAPolygonAtItsHandleAndCutsAPolylineInTwo)
{
    const int square = StorePoints<CMapPolygon>(lower, {{300, 100}, {400, 100}, {400, 200}, {300, 200}});
    Show();
    Click({175, 225});
    Click({200, 250}); // handle 1
    ASSERT_NE(map.GetSelectedObject(), nullptr);
    ASSERT_EQ(map.GetSelectedObject()->GetActiveHandle(), 1);
    map.SendMessage(WM_COMMAND, ID_MAP_BREAK_POLY, 0);
    EXPECT_EQ(Stored(lower, square), nullptr);
    EXPECT_EQ(map.GetSelectionCount(), 0);
    const std::vector<int> opened = NewIds(lower, {});
    ASSERT_EQ(opened.size(), 1u);
    auto ring = Stored(lower, opened[0]);
    EXPECT_EQ(ring->GetType(), MAP_OBJECT_POLYLINE);
    EXPECT_TRUE(SamePoints(PointsOf(ring.get()), {{400, 100}, {400, 200}, {300, 200}, {300, 100}, {400, 100}}));
    EXPECT_TRUE(map.IsModified());

    // The polyline of five vertices, at its end vertex: nothing; at vertex 2: two of three.
    map.ClearSelection(0);
    const int line = opened[0];
    Click({200, 225});
    ASSERT_NE(map.GetSelectedObject(), nullptr);
    map.SetActiveHandle(map.GetSelectedObject(), 0);
    map.SendMessage(WM_COMMAND, ID_MAP_BREAK_POLY, 0);
    EXPECT_NE(Stored(lower, line), nullptr);
    map.SetActiveHandle(map.GetSelectedObject(), 2);
    map.SendMessage(WM_COMMAND, ID_MAP_BREAK_POLY, 0);
    EXPECT_EQ(Stored(lower, line), nullptr);
    EXPECT_EQ(map.GetSelectionCount(), 0);
    const std::vector<int> pieces = NewIds(lower, {});
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_TRUE(SamePoints(PointsOf(Stored(lower, pieces[0]).get()), {{400, 100}, {400, 200}, {300, 200}}));
    EXPECT_TRUE(SamePoints(PointsOf(Stored(lower, pieces[1]).get()), {{300, 200}, {300, 100}, {400, 100}}));
}

TEST_F(ToolTest, MakePolygonTurnsEverySelectedPolylineIntoAPolygon)
{
    const int a = StorePoints<CMapPolyline>(lower, {{100, 100}, {200, 100}, {200, 200}});
    const int b = StorePoints<CMapPolyline>(lower, {{300, 100}, {400, 100}, {400, 200}});
    Show();
    map.SetTool(TOOL_RECT_SELECT);
    Drag({40, 190}, {210, 260});
    ASSERT_EQ(SelectedIds(lower), (std::vector<int>{a, b}));
    map.SendMessage(WM_COMMAND, ID_MAP_MAKE_POLYGON, 0);
    EXPECT_EQ(map.GetSelectionCount(), 0);
    EXPECT_EQ(Stored(lower, a), nullptr);
    EXPECT_EQ(Stored(lower, b), nullptr);
    const std::vector<int> made = NewIds(lower, {});
    ASSERT_EQ(made.size(), 2u);
    for (int id : made) {
        auto polygon = Stored(lower, id);
        EXPECT_EQ(polygon->GetType(), MAP_OBJECT_POLYGON);
        EXPECT_EQ(polygon->GetPointCount(), 3);
    }
}

TEST_F(ToolTest, TheContextMenuPicksToolsAndShowsWhatApplies)
{
    StorePoints<CMapPolygon>(lower, {{300, 100}, {400, 100}, {400, 200}, {300, 200}});
    Show();
    Click({175, 225});
    Click({200, 250}); // a vertex handle of the polygon becomes active

    struct Seen {
        UINT state;
        CString text;
    };
    std::map<UINT, Seen> seen;
    UINT choice = 0;
    const PopupMenuHandler previous = AfxSetPopupMenuHandler([&](const PopupMenuRequest& request) {
        for (int i = 0; i < GetMenuItemCount(request.menu); ++i) {
            const UINT id = GetMenuItemID(request.menu, i);
            char text[64] = {};
            GetMenuString(request.menu, (UINT)i, text, sizeof(text), MF_BYPOSITION);
            seen[id] = {GetMenuState(request.menu, (UINT)i, MF_BYPOSITION), text};
        }
        return choice;
    });
    // "Chord" shares the Arc item's id, so it picks the Arc tool.
    choice = ID_MAP_DRAW_ARC;
    map.SendMessage(WM_CONTEXTMENU, (WPARAM)map.GetSafeHwnd(), MAKELPARAM(10, 10));
    AfxTestProcessEvents();
    EXPECT_EQ(map.GetTool(), 20);
    EXPECT_TRUE(seen[ID_MAP_TOOL_SELECT].state & MF_CHECKED);
    EXPECT_FALSE(seen[ID_MAP_CLONE_OBJECTS].state & MF_GRAYED);
    EXPECT_FALSE(seen[ID_MAP_BREAK_POLY].state & MF_GRAYED);
    EXPECT_EQ(seen[ID_MAP_BREAK_POLY].text, CString("break polygon"));
    EXPECT_TRUE(seen[ID_MAP_MAKE_POLYGON].state & MF_GRAYED);

    // Without an active layer the drawing items are off and do nothing.
    lower->SetEditable(0);
    upper->SetEditable(0);
    map.SetTool(TOOL_SELECT);
    choice = ID_MAP_DRAW_LINE;
    map.SendMessage(WM_CONTEXTMENU, (WPARAM)map.GetSafeHwnd(), MAKELPARAM(10, 10));
    AfxTestProcessEvents();
    EXPECT_TRUE(seen[ID_MAP_DRAW_LINE].state & MF_GRAYED);
    EXPECT_FALSE(seen[ID_MAP_TOOL_ZOOM_IN].state & MF_GRAYED);
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);
    AfxSetPopupMenuHandler(previous);
}

} // namespace
} // namespace tooltest
