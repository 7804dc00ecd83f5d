// Input reaching the current tool: buttons only inside the drawn map area, but a
// release always reaches the tool that holds the capture; keys and moves always;
// a tool change resets the shared state; drawing tools need an active layer; and
// the selection knows an object by layer and id.
#include "tests/mapwindow/window/MapWindowTestSupport.h"

#include "core/MapLabel.h"
#include "model/objects/MapLine.h"
#include "model/polygons/MapPolyline.h"
#include "model/objects/MapRectangle.h"
#include "platform/wnd/CWinThread.h"

#include <utility>

namespace mwtest {
namespace {

constexpr int kFreeNumber = 24; // the program has no tool of this number

TEST_F(MapWindowTest, EveryMessageReachesTheCurrentToolAndAReleaseOutsideTheCaptor)
{
    OpenWorkspace();
    RecordingTool tool(kFreeNumber);
    map.SetTool(kFreeNumber);
    tool.calls.clear();

    AfxTestMouse(map, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    EXPECT_EQ(CWnd::GetCapture(), &map);
    AfxTestMouse(map, WM_MOUSEMOVE, 900, 100, MK_LBUTTON);
    // Released far outside the view: the tool holding the capture still hears it.
    AfxTestMouse(map, WM_LBUTTONUP, 900, 100, 0);
    AfxTestKeyStroke(map, VK_LEFT);
    AfxTestProcessEvents();
    EXPECT_EQ(tool.calls, (std::vector<std::string>{"down", "move", "up", "key 37"}));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // A press outside the map area of the last drawing does not reach it.
    tool.calls.clear();
    map.MoveWindow(0, 0, 400, 600, FALSE); // grown, not repainted yet
    AfxTestMouse(map, WM_LBUTTONDOWN, 100, 500, MK_LBUTTON);
    AfxTestMouse(map, WM_LBUTTONUP, 100, 500, 0);
    EXPECT_EQ(tool.calls, std::vector<std::string>{});
}

TEST_F(MapWindowTest, ANumberWithoutAToolStillReportsPointerMoves)
{
    OpenWorkspace();
    map.SetTool(TOOL_INFO);
    host.notices.clear();
    AfxTestMouse(map, WM_MOUSEMOVE, 10, 10);
    const CString first(map.GetStatusText());
    EXPECT_EQ(first.Find("Position: "), 0) << first.GetString();
    AfxTestMouse(map, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    AfxTestMouse(map, WM_LBUTTONUP, 10, 10, 0);
    // Clicks do nothing; every move still reports where the pointer is.
    AfxTestMouse(map, WM_MOUSEMOVE, 200, 150);
    AfxTestProcessEvents();
    const CString second(map.GetStatusText());
    EXPECT_EQ(second.Find("Position: "), 0) << second.GetString();
    EXPECT_NE(second, first);
    EXPECT_EQ(host.Actions(), (std::vector<int>{MAPA_MOUSE_MOVED, MAPA_MOUSE_MOVED}));
    EXPECT_EQ(map.GetSelectionCount(), 0);
}

TEST_F(MapWindowTest, ChangingTheToolResetsTheSharedStateAndTheToolsWork)
{
    OpenWorkspace();
    RecordingTool tool(kFreeNumber);
    map.SetTool(kFreeNumber);
    AfxTestMouse(map, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    g_toolState = 2; // the tool is in the middle of something
    tool.calls.clear();
    map.SetTool(TOOL_SELECT);
    EXPECT_EQ(g_toolState, 0);
    EXPECT_EQ(tool.calls, std::vector<std::string>{"reset"});
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);

    // Each tool shows its own cursor over the window.
    for (const auto& [tool, cursor] : {std::pair{TOOL_MOVE, CURSOR_MOVE}, std::pair{TOOL_MARQUEE_SELECT,
                                       CURSOR_AREA_SELECT}, std::pair{TOOL_LINE, CURSOR_DEFAULT}}) {
        map.SetTool(tool);
        HCURSOR expected = LoadCursor(AfxGetInstanceHandle(), MAKEINTRESOURCE(cursor));
        ASSERT_NE(expected, nullptr);
        EXPECT_EQ((HCURSOR)GetClassLongPtr(map, GCLP_HCURSOR), expected) << tool;
    }
}

TEST_F(MapWindowTest, DrawingToolsDoNotStartWithoutAnActiveLayer)
{
    OpenWorkspace();
    ASSERT_TRUE(map.HasActiveLayer());
    map.SetTool(TOOL_LINE);
    AfxTestMouse(map, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    EXPECT_EQ(CWnd::GetCapture(), &map);
    AfxTestMouse(map, WM_LBUTTONUP, 100, 100, 0);

    for (POSITION pos = map.GetMapModel()->GetFirstLayerPosition(); pos;)
        map.GetMapModel()->GetNextLayer(pos)->SetEditable(0);
    EXPECT_EQ(map.GetActiveLayer(), nullptr);
    map.SetTool(TOOL_LINE); // the click brought the Select tool back
    AfxTestMouse(map, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    // Navigation tools need none.
    map.SetTool(TOOL_SELECT);
    AfxTestMouse(map, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    EXPECT_EQ(CWnd::GetCapture(), &map);
    AfxTestMouse(map, WM_LBUTTONUP, 100, 100, 0);
}

TEST_F(MapWindowTest, StartToolAtMakesSelectCurrentAndBeginsTheTool)
{
    map.SetTool(TOOL_MOVE);
    map.StartToolAt(12, 34, TOOL_NODE);
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);
    EXPECT_EQ(g_downPoint, CPoint(12, 34));
    EXPECT_EQ(g_curPoint, CPoint(12, 34));
}

// An object that counts its deletions, as a copy built from a row would be.
class Copy : public CMapObject {
public:
    Copy(CMapLayer* layer, int id, int* deleted) : m_deleted(deleted)
    {
        m_nType = MAP_OBJECT_RECTANGLE;
        SetLayer(layer);
        SetMapeID(id);
    }
    ~Copy() override { ++*m_deleted; }

private:
    int* m_deleted;
};

TEST_F(MapWindowTest, TheSelectionKnowsAnObjectByLayerAndId)
{
    OpenWorkspace();
    CMapLayer* areas = map.GetMapModel()->GetLayerAt(0);
    CMapLayer* points = map.GetMapModel()->GetLayerAt(1);
    int deleted = 0;
    host.notices.clear();
    auto* first = new Copy(areas, 1, &deleted);
    auto* again = new Copy(areas, 1, &deleted); // the same stored object, built anew
    auto* other = new Copy(areas, 2, &deleted);
    ASSERT_EQ(map.SelectObject(first, FALSE, TRUE), 1);
    ASSERT_EQ(map.SelectObject(other, FALSE, TRUE), 1);
    first->SetActiveHandle(3);
    ASSERT_EQ(map.SelectObject(again, FALSE, TRUE), 1);
    EXPECT_EQ(map.GetSelectionCount(), 2);
    EXPECT_EQ(map.GetSelectedObject(), again);
    EXPECT_EQ(again->GetActiveHandle(), 3);
    EXPECT_EQ(deleted, 1); // the older copy went
    EXPECT_EQ(map.FindSelected(areas, 1), again);

    // Another layer's object is refused while the selection is not cleared first.
    Copy foreign(points, 1, &deleted);
    EXPECT_EQ(map.SelectObject(&foreign, FALSE, FALSE), 0);
    EXPECT_EQ(map.GetSelectionCount(), 2);

    // Deselecting through yet another copy removes the selected one.
    Copy probe(areas, 2, &deleted);
    map.DeselectObject(&probe, 1);
    EXPECT_EQ(map.GetSelectionCount(), 1);
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(host.Actions(), (std::vector<int>{600, 600, 600}));
    map.ClearSelection(0);
    EXPECT_EQ(deleted, 3);
}

}
}

namespace mwtest {
namespace {

// Dragging a handle with Shift held: a rectangle's corner keeps it square, a
// line's end makes it horizontal or vertical; a side handle is not constrained.
TEST_F(MapWindowTest, ShiftConstrainsADraggedHandle)
{
    OpenWorkspace();
    map.SetTool(TOOL_SELECT);
    CMapLayer* areas = map.GetMapModel()->GetLayerAt(0);
    auto* rect = new CMapRectangle;
    rect->SetLayer(areas);
    rect->SetRect(0, 0, 500, 500);
    ASSERT_EQ(map.SelectObject(rect, TRUE, FALSE), 1);
    const CPoint fixed = Device(0, 0); // handle 0, opposite the dragged corner 4
    const UINT drag = MK_LBUTTON | MK_SHIFT;

    rect->SetActiveHandle(4);
    AfxTestMouse(map, WM_MOUSEMOVE, fixed.x + 60, fixed.y - 20, drag);
    EXPECT_EQ(g_curPoint, CPoint(fixed.x + 60, fixed.y - 60));
    rect->SetActiveHandle(1); // a side: free
    AfxTestMouse(map, WM_MOUSEMOVE, fixed.x + 60, fixed.y - 20, drag);
    EXPECT_EQ(g_curPoint, CPoint(fixed.x + 60, fixed.y - 20));
    rect->SetActiveHandle(4); // without Shift: free
    AfxTestMouse(map, WM_MOUSEMOVE, fixed.x + 60, fixed.y - 20, MK_LBUTTON);
    EXPECT_EQ(g_curPoint, CPoint(fixed.x + 60, fixed.y - 20));

    auto* line = new CMapLine;
    line->SetLayer(areas);
    line->SetPoints(CDoublePoint(0, 0), CDoublePoint(300, 100));
    ASSERT_EQ(map.SelectObject(line, TRUE, FALSE), 1);
    line->SetActiveHandle(1); // the end moves, the start stays
    AfxTestMouse(map, WM_MOUSEMOVE, fixed.x + 50, fixed.y - 10, drag);
    EXPECT_EQ(g_curPoint, CPoint(fixed.x + 50, fixed.y));
    AfxTestMouse(map, WM_MOUSEMOVE, fixed.x + 10, fixed.y - 50, drag);
    EXPECT_EQ(g_curPoint, CPoint(fixed.x, fixed.y - 50));
    map.ClearSelection(0);
}

}
}

namespace mwtest {
namespace {

// Labels are selected on their own: selecting one clears the objects, every
// change is told with 501, and an object selected later drops the labels.
TEST_F(MapWindowTest, LabelSelectionHasItsOwnListAndNotifications)
{
    OpenWorkspace();
    CMapLayer* areas = map.GetMapModel()->GetLayerAt(0);
    int deleted = 0;
    ASSERT_EQ(map.SelectObject(new Copy(areas, 1, &deleted), FALSE, FALSE), 1);
    CMapLabel first, second; // corners of a label not drawn yet lie at (0, 0)
    host.notices.clear();
    map.SelectOverlay(&first, FALSE);
    EXPECT_EQ(map.GetSelectionCount(), 0);
    EXPECT_EQ(deleted, 1);
    map.SelectOverlay(&second, FALSE);
    map.SelectOverlay(&second, FALSE); // already selected: nothing more
    EXPECT_EQ(map.GetFirstSelectedOverlay(), &second);
    EXPECT_TRUE(first.IsSelected() && second.IsSelected());
    ASSERT_EQ(host.notices.size(), 2u);
    EXPECT_EQ(host.notices[0].action, 501);
    EXPECT_EQ(host.notices[0].object, nullptr);

    int corner = 7;
    EXPECT_EQ(map.HitTestOverlayCorner(1, 1, corner), &second);
    EXPECT_EQ(corner, 0);
    EXPECT_EQ(map.HitTestOverlayCorner(50, 50, corner), nullptr);
    EXPECT_EQ(corner, -1);

    host.notices.clear();
    map.SelectOverlay(&first, TRUE); // the others go first
    EXPECT_FALSE(second.IsSelected());
    EXPECT_EQ(map.GetFirstSelectedOverlay(), &first);
    POSITION pos = map.GetFirstOverlayPosition();
    ASSERT_NE(pos, nullptr);
    map.GetNextOverlay(pos);
    EXPECT_EQ(pos, nullptr);
    ASSERT_EQ(host.notices.size(), 3u); // both deselected, then the one selected
    EXPECT_EQ(host.notices[0].action, 501);
    EXPECT_EQ(host.notices[0].object, &second); // deselected: the label is the object
    EXPECT_EQ(host.notices[0].value, 0);
    EXPECT_EQ(host.notices[1].object, &first);
    EXPECT_EQ(host.notices[2].object, nullptr);

    ASSERT_EQ(map.SelectObject(new Copy(areas, 2, &deleted), FALSE, FALSE), 1);
    EXPECT_EQ(map.GetFirstSelectedOverlay(), nullptr);
    EXPECT_FALSE(first.IsSelected());
    map.ClearSelection(0);
}

// A GPS track grows by the map points of pixels.
TEST_F(MapWindowTest, AppendTrackPointAddsTheMapPointAndMarksTheMapChanged)
{
    OpenWorkspace();
    map.SetModified(0);
    CMapPolyline track;
    CMapTool::AppendTrackPoint(&map, 40, 60, &track);
    ASSERT_EQ(track.GetPointCount(), 1);
    const CDoublePoint expected = map.ScreenToMap(CPoint(40, 60));
    EXPECT_FLOAT_EQ(track.GetPoint(0).x, (float)expected.x);
    EXPECT_FLOAT_EQ(track.GetPoint(0).y, (float)expected.y);
    EXPECT_EQ(map.IsModified(), 1);
    EXPECT_EQ(g_downPoint, CPoint(40, 60));
    EXPECT_EQ(g_curPoint, CPoint(40, 60));
    g_currentTool = TOOL_MOVE;
    CMapTool::FindTool(TOOL_SELECT)->SelectDefaultTool();
    EXPECT_EQ(map.GetTool(), TOOL_SELECT);
}

}
}
