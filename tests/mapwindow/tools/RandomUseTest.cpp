// Random use of a map window: seeded sessions of synthetic mouse and key
// events over every tool, with Clone, Delete, Copy, Paste, Undo and Redo in
// between, on a map of objects of many kinds (a polygon with holes among
// them). Whatever the order, no exception leaves the window, an object is
// selected at most once, each layer indexes each of its rows once, and the
// saved map opens again with what was there. KV_RANDOM_USE_EVENTS and
// KV_RANDOM_USE_SESSIONS set the events per session and the sessions (a short
// run by default, as in CI; seeds 1, 2, 3 ...).
#include "tests/mapwindow/tools/ToolsTestSupport.h"

#include "core/SQLiteDatabase.h"
#include "model/polygons/MapAdvPolygon.h"
#include "model/objects/MapArc.h"
#include "model/objects/MapNode.h"
#include "model/polygons/MapPolyParts.h"
#include "model/objects/MapSpline.h"
#include "platform/testing/DialogAnswerer.h"
#include "resources/resource.h"
#include "tests/model/layers/LayerFileMaps.h"

#include <cstdlib>
#include <random>
#include <set>
#include <sqlite3.h>

namespace tooltest {
namespace {

constexpr int kTools[] = {TOOL_ZOOM_IN,       TOOL_ZOOM_OUT,      TOOL_MOVE,        TOOL_INFO,       TOOL_SELECT,
                          TOOL_RECT_SELECT,   TOOL_RULE,          TOOL_LINE,        TOOL_RECTANGLE,  TOOL_ROUND_RECT,
                          TOOL_POLYGON,       TOOL_POLYLINE,      TOOL_ELLIPSE,     TOOL_ADD_POINT,  TOOL_NODE,
                          TOOL_TEXT,          TOOL_IMAGE,         TOOL_ADD_HANDLE,  TOOL_MARQUEE_SELECT,
                          TOOL_POLYGON_SELECT, TOOL_ARC,          TOOL_CHORD,       TOOL_PIE,        TOOL_SPLINE,
                          TOOL_SPLIT_POLYGON, TOOL_JOIN_POLYLINE, TOOL_DELETE_LINE};

int Setting(const char* name, int fallback)
{
    const char* text = std::getenv(name);
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : fallback;
}

// The rows of a layer's file that its index must hold: all but nodes and texts.
long long IndexedRows(CMapLayer* layer)
{
    return layer->GetDatabase()->QueryInt64("select count(*) from _MapGeoData where mapeObjectType not in (5, 12);");
}

class RandomUse : public ToolTest {
protected:
    void Populate()
    {
        auto* holes = new CMapAdvPolygon;
        for (CFloatPoint p : {CFloatPoint(100, 300), CFloatPoint(300, 300), CFloatPoint(300, 500), CFloatPoint(100, 500)})
            holes->AddPoint(p);
        auto* hole = new CMapPolygon;
        for (CFloatPoint p : {CFloatPoint(150, 350), CFloatPoint(200, 350), CFloatPoint(200, 400)})
            hole->AddPoint(p);
        holes->AddInnerRing(hole);
        Store(lower, holes);
        StoreRect(lower, 400, 100, 500, 200);
        StorePoints<CMapPolygon>(lower, {{550, 100}, {700, 120}, {650, 250}});
        StorePoints<CMapPolyline>(lower, {{50, 50}, {300, 80}, {500, 40}, {750, 90}});
        auto* spline = new CMapSpline;
        spline->SetControlPoints({CFloatPoint(400, 400), CFloatPoint(500, 500), CFloatPoint(600, 420)});
        Store(lower, spline);
        auto* pie = new CMapArc(MAP_OBJECT_PIE);
        CArcGeometry g;
        g.ellipse = CDoubleRect(600.0, 500.0, 750.0, 350.0);
        g.start = CFloatPoint(750, 425);
        g.end = CFloatPoint(675, 500);
        pie->SetGeometry(g);
        Store(lower, pie);
        auto* parts = new CMapPolyPolyline;
        for (int k = 0; k < 2; ++k) {
            auto* part = new CMapPolyline;
            part->AddPoint(CFloatPoint(100 + 200 * k, 550));
            part->AddPoint(CFloatPoint(180 + 200 * k, 590));
            parts->AddPart(part);
        }
        Store(lower, parts);
        auto* node = new CMapNode;
        node->SetPosition(700, 550);
        Store(upper, node);
        StoreRect(upper, 250, 150, 350, 250);
    }

    // The invariants that hold after every event.
    void Check(const char* after)
    {
        std::set<std::pair<CMapLayer*, int>> seen;
        for (POSITION pos = map.GetFirstSelectedPosition(); pos;) {
            CMapObject* object = map.GetNextSelected(pos);
            if (object->GetMapeID() < 0)
                continue;
            ASSERT_TRUE(seen.insert({object->GetLayer(), object->GetMapeID()}).second)
                << "selected twice: id " << object->GetMapeID() << " after " << after;
        }
        for (CMapLayer* layer : {lower, upper}) {
            CArray<int, int> ids;
            layer->GetAllIDs(ids, true);
            for (INT_PTR i = 1; i < ids.GetSize(); ++i)
                ASSERT_NE(ids[i], ids[i - 1]) << "indexed twice after " << after;
            ASSERT_EQ(layer->GetIndex().Count(), IndexedRows(layer)) << "index and rows disagree after " << after;
        }
        for (const MessageBoxRequest& box : boxes.Boxes())
            ASSERT_EQ(CString(box.text).Find("constraint"), -1) << box.text.GetString() << " after " << after;
    }

    CPoint RandomPoint(std::mt19937& random)
    {
        return CPoint(std::uniform_int_distribution<int>(0, 399)(random), std::uniform_int_distribution<int>(0, 299)(random));
    }

    void Step(std::mt19937& random, std::string& what)
    {
        const int kind = std::uniform_int_distribution<int>(0, 99)(random);
        CMapLayer* active = map.GetActiveLayer();
        if (kind < 8) {
            const int tool = kTools[std::uniform_int_distribution<size_t>(0, std::size(kTools) - 1)(random)];
            what = "tool " + std::to_string(tool);
            map.SetTool(tool);
        } else if (kind < 55) {
            const CPoint from = RandomPoint(random), to = RandomPoint(random);
            const int moves = std::uniform_int_distribution<int>(0, 3)(random);
            what = "drag " + std::to_string(moves);
            AfxTestMouse(map, WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
            for (int i = 1; i <= moves; ++i)
                AfxTestMouse(map, WM_MOUSEMOVE, from.x + (to.x - from.x) * i / moves,
                             from.y + (to.y - from.y) * i / moves, MK_LBUTTON);
            if (std::uniform_int_distribution<int>(0, 9)(random) > 0)
                AfxTestMouse(map, WM_LBUTTONUP, to.x, to.y, 0);
        } else if (kind < 62) {
            const CPoint at = RandomPoint(random);
            what = "double click";
            AfxTestMouse(map, WM_LBUTTONDBLCLK, at.x, at.y, MK_LBUTTON);
            AfxTestMouse(map, WM_LBUTTONUP, at.x, at.y, 0);
        } else if (kind < 68) {
            const CPoint at = RandomPoint(random);
            what = "release";
            AfxTestMouse(map, kind < 65 ? WM_LBUTTONUP : WM_MOUSEMOVE, at.x, at.y, 0);
        } else if (kind < 74) {
            static const UINT keys[] = {VK_DELETE, VK_ESCAPE, VK_RETURN, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_BACK};
            const UINT key = keys[std::uniform_int_distribution<size_t>(0, std::size(keys) - 1)(random)];
            what = "key " + std::to_string(key);
            AfxTestKeyStroke(map, key);
        } else if (kind < 79) {
            what = "clone";
            map.SendMessage(WM_COMMAND, ID_MAP_CLONE_OBJECTS, 0);
        } else if (kind < 84) {
            what = "delete";
            map.SendMessage(WM_COMMAND, ID_MAP_DELETE_OBJECTS, 0);
        } else if (kind < 88) {
            what = "copy";
            map.CopySelection();
        } else if (kind < 92) {
            what = "paste";
            map.PasteClipboard();
        } else if (active) {
            // As the document's Undo and Redo do it.
            const bool undo = kind < 97;
            what = undo ? "undo" : "redo";
            map.ClearSelection(1);
            undo ? active->Undo() : active->Redo();
            map.InvalidateMap(nullptr, FALSE);
        }
        AfxTestProcessEvents();
    }
};

TEST_F(RandomUse, SeededSessionsOverEveryToolKeepTheMapSound)
{
    DialogAnswerer dialogs;   // every dialog a tool opens is cancelled
    Populate();
    Show();
    const int events = Setting("KV_RANDOM_USE_EVENTS", 600), sessions = Setting("KV_RANDOM_USE_SESSIONS", 3);
    for (unsigned seed = 1; seed <= (unsigned)sessions; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        std::string what;
        for (int i = 0; i < events; ++i) {
            Step(random, what);
            Check(what.c_str());
            if (HasFatalFailure())
                return;
        }
        AfxTestMouse(map, WM_LBUTTONUP, 0, 0, 0);
        map.SetTool(TOOL_SELECT);
    }

    // What the map holds now is what a new map reads from the saved files.
    map.ClearSelection(0);
    const int lowerCount = lower->GetObjectCount(), upperCount = upper->GetObjectCount();
    ASSERT_TRUE(model()->SaveMapDatabase());
    layerfile::LetFilesGo(*model());
    CMUIMap reopened;
    reopened.LoadWorkspace(folder.File("tools.kwz"));
    ASSERT_EQ(reopened.GetMapModel()->GetLayerCount(), 2);
    EXPECT_EQ(reopened.GetMapModel()->GetLayerAt(0)->GetObjectCount(), lowerCount);
    EXPECT_EQ(reopened.GetMapModel()->GetLayerAt(1)->GetObjectCount(), upperCount);
}

}
}
