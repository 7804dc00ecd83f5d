// The keys every tool shares: arrows nudge the editable selection by the snap
// distance, one undo entry per press; Delete removes the active vertex or, after
// Yes, the selection, recorded as soon as it happens in each object's own layer.
#include "tests/mapwindow/tools/ToolsTestSupport.h"

#include "model/objects/MapArc.h"
#include "model/polygons/MapPolyPolyline.h"

namespace tooltest {
namespace {

TEST_F(ToolTest, ArrowKeysNudgeBySnapDistanceOneEntryPerPress)
{
    g_SnapPoints = 3;
    const int rect = StoreRect(lower, 100, 100, 200, 200);
    Show();
    Click({75, 225});
    const CDoubleRect before = StoredBoundary(lower, rect);
    struct Case {
        UINT key;
        double dx, dy;
    };
    // 3 pixels at zoom 2: 6 map units; screen down is map down.
    const Case cases[] = {{VK_RIGHT, 6, 0}, {VK_LEFT, -6, 0}, {VK_UP, 0, 6}, {VK_DOWN, 0, -6}};
    int entries = 0;
    for (const Case& c : cases) {
        AfxTestKeyStroke(map, c.key);
        AfxTestProcessEvents();
        EXPECT_EQ(StoredBoundary(lower, rect), Shifted(before, c.dx, c.dy)) << c.key;
        EXPECT_EQ(UndoCount(lower), ++entries) << c.key;
        lower->Undo();
        EXPECT_EQ(StoredBoundary(lower, rect), before) << c.key;
        // The selection holds a copy that moved too; take a fresh one.
        map.ClearSelection(0);
        Click({75, 225});
        entries = UndoCount(lower);
    }
}

TEST_F(ToolTest, KeysDoNothingWhileTheMouseIsCapturedOrForAReadOnlySelection)
{
    const int rect = StoreRect(upper, 100, 400, 200, 500);
    Show();
    Click({75, 75});
    AfxTestMouse(map, WM_LBUTTONDOWN, 75, 75, MK_LBUTTON);
    AfxTestKeyStroke(map, VK_RIGHT);
    AfxTestMouse(map, WM_LBUTTONUP, 75, 75, 0);
    upper->SetEditable(0);
    AfxTestKeyStroke(map, VK_RIGHT);
    ModalRecorder yes({IDYES});
    AfxTestKeyStroke(map, VK_DELETE);
    AfxTestProcessEvents();
    EXPECT_EQ(StoredBoundary(upper, rect), CDoubleRect(100.0, 400.0, 200.0, 500.0));
    EXPECT_TRUE(yes.Boxes().empty());
    EXPECT_EQ(UndoCount(upper), 0);
}

TEST_F(ToolTest, DeleteOnAnActiveVertexFollowsTheKindsRules)
{
    const int square = StorePoints<CMapPolygon>(lower, {{300, 100}, {400, 100}, {400, 200}, {300, 200}});
    const int line = StorePoints<CMapPolyline>(lower, {{500, 100}, {600, 200}});
    Show();
    ModalRecorder answers({IDNO});

    // Four points: the vertex goes at once, without a question.
    Click({175, 225});
    Click({200, 250}); // handle 1, the vertex (400, 100)
    ASSERT_NE(map.GetSelectedObject(), nullptr);
    ASSERT_EQ(map.GetSelectedObject()->GetActiveHandle(), 1);
    AfxTestKey(map, VK_DELETE, true);
    auto stored = Stored(lower, square);
    ASSERT_EQ(stored->GetPointCount(), 3);
    const CFloatPoint second = static_cast<CMapPolygon*>(stored.get())->GetPoint(1);
    EXPECT_EQ(second.x, 400.0f);
    EXPECT_EQ(second.y, 200.0f);
    EXPECT_EQ(UndoCount(lower), 1) << "recorded before the key is released";
    AfxTestKey(map, VK_DELETE, false);
    EXPECT_TRUE(answers.Boxes().empty());

    // Three points left: the whole object is asked for; No keeps it.
    map.ClearSelection(0);
    Click({160, 210});
    Click({150, 250});
    ASSERT_NE(map.GetSelectedObject(), nullptr);
    ASSERT_NE(map.GetSelectedObject()->GetActiveHandle(), -1);
    AfxTestKeyStroke(map, VK_DELETE);
    ASSERT_EQ(answers.Boxes().size(), 1u);
    EXPECT_EQ(answers.Boxes()[0].text, CString("Do you want to delete the entire object?"));
    EXPECT_EQ(Stored(lower, square)->GetPointCount(), 3);

    // A two-point polyline cannot lose a vertex either; Yes removes it, and
    // the entry is there before the key-up.
    ModalRecorder yes({IDYES});
    map.ClearSelection(0);
    Click({300, 200});
    Click({250, 250});
    ASSERT_NE(map.GetSelectedObject(), nullptr);
    ASSERT_EQ(map.GetSelectedObject()->GetActiveHandle(), 0);
    AfxTestKey(map, VK_DELETE, true);
    EXPECT_EQ(Stored(lower, line), nullptr);
    EXPECT_EQ(UndoCount(lower), 2);
    EXPECT_EQ(map.GetSelectionCount(), 0);
    AfxTestKey(map, VK_DELETE, false);
    lower->Undo();
    EXPECT_EQ(Stored(lower, line)->GetPointCount(), 2);
}

// A polyline of several parts loses a vertex of a part that keeps two, a short
// part as a whole, and asks for the whole object only when one short part is left.
TEST_F(ToolTest, DeleteOnAVertexOfAPolylineOfSeveralParts)
{
    auto* lines = new CMapPolyPolyline;
    auto* first = new CMapPolyline;
    for (const CFloatPoint& p : {CFloatPoint(500, 100), CFloatPoint(600, 100), CFloatPoint(600, 200)})
        first->AddPoint(p);
    auto* second = new CMapPolyline;
    for (const CFloatPoint& p : {CFloatPoint(500, 300), CFloatPoint(600, 300)})
        second->AddPoint(p);
    lines->AddPart(first);
    lines->AddPart(second);
    const int id = Store(lower, lines);
    Show();
    ModalRecorder answers({IDNO});
    auto pick = [&](CPoint onLine, CPoint handle) {
        map.ClearSelection(0);
        Click(onLine);
        Click(handle);
        ASSERT_NE(map.GetSelectedObject(), nullptr);
        ASSERT_NE(map.GetSelectedObject()->GetActiveHandle(), -1);
    };

    // The corner (600, 100) of the three-point part.
    pick({275, 250}, {300, 250});
    host.notices.clear();
    AfxTestKeyStroke(map, VK_DELETE);
    EXPECT_EQ(Stored(lower, id)->GetPointCount(), 4);
    const std::vector<int> actions = host.Actions();
    EXPECT_NE(std::find(actions.begin(), actions.end(), MAPA_VERTEX_REMOVED), actions.end());
    EXPECT_EQ(UndoCount(lower), 1);

    // The two-point part goes as a whole: one part of two points is left.
    pick({275, 150}, {250, 150});
    AfxTestKeyStroke(map, VK_DELETE);
    EXPECT_EQ(Stored(lower, id)->GetPointCount(), 2);
    EXPECT_TRUE(answers.Boxes().empty());

    // Now the only part cannot shrink: the whole object is asked for, No keeps it.
    pick({275, 225}, {250, 250});
    AfxTestKeyStroke(map, VK_DELETE);
    ASSERT_EQ(answers.Boxes().size(), 1u);
    EXPECT_EQ(answers.Boxes()[0].text, CString("Do you want to delete the entire object?"));
    EXPECT_EQ(Stored(lower, id)->GetPointCount(), 2);
    lower->Undo();
    lower->Undo();
    EXPECT_EQ(Stored(lower, id)->GetPointCount(), 5);
}

TEST_F(ToolTest, DeleteOnAPieHandleDoesNothingAndWithoutHandleAsksForTheObject)
{
    auto* pie = new CMapArc(MAP_OBJECT_PIE);
    CArcGeometry g;
    g.ellipse = CDoubleRect(100.0, 400.0, 300.0, 600.0);
    g.start = CFloatPoint(400, 500);
    g.end = CFloatPoint(0, 500);
    pie->SetGeometry(g);
    const int id = Store(upper, pie);
    Show();
    Click({100, 30});
    ASSERT_EQ(SelectedIds(upper), std::vector<int>{id});
    ModalRecorder yes({IDYES});
    map.SetActiveHandle(map.GetSelectedObject(), 0);
    ASSERT_EQ(map.GetSelectedObject()->GetActiveHandle(), 0);
    AfxTestKeyStroke(map, VK_DELETE);
    EXPECT_TRUE(yes.Boxes().empty());
    EXPECT_EQ(UndoCount(upper), 0);
    map.SetActiveHandle(map.GetSelectedObject(), -1);
    AfxTestKeyStroke(map, VK_DELETE);
    EXPECT_EQ(yes.Boxes().size(), 1u);
    EXPECT_EQ(Stored(upper, id), nullptr);
    upper->Undo();
    EXPECT_NE(Stored(upper, id), nullptr);
}

} // namespace
} // namespace tooltest
