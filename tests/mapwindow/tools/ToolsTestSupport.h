// The tool tests' fixture: a 400 x 300 map window over a workspace of two
// layers whose objects the test places, at zoom 2 with the origin at (0, 0), so
// that client pixel (x, y) is map point (2x, 2(300 - y)). Helpers drag the
// pointer, read what a layer file holds, and compare the window surface with
// the picture ordinary repaints copy.
#pragma once

#include "tests/mapwindow/window/MapWindowTestSupport.h"

#include "core/Settings.h"
#include "mapwindow/DibCache.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "model/objects/MapRectangle.h"
#include "platform/gdi/CDC.h"
#include "platform/testing/SurfaceProbe.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace tooltest {

using mwtest::MapWindowTest;

// `r` moved by (dx, dy) map units.
inline CDoubleRect Shifted(CDoubleRect r, double dx, double dy)
{
    r.Offset(dx, dy);
    return r;
}

class ToolTest : public MapWindowTest {
protected:
    static constexpr double kZoom = 2.0;

    void SetUp() override
    {
        MapWindowTest::SetUp();
        const CString path = folder.File("tools.kwz");
        {
            CMUIMap writer;
            for (const char* name : {"Lower", "Upper"})
                writer.GetMapModel()->AddLayer(new CMapLayer(name));
            ASSERT_TRUE(writer.SaveWorkspace(path));
        }
        map.LoadWorkspace(path);
        ASSERT_EQ(model()->GetLayerCount(), 2);
        lower = model()->GetLayerAt(0);
        upper = model()->GetLayerAt(1);
        // Opening keeps only the first layer editable; these tests edit both.
        upper->SetEditable(1);
        model()->SetZoom(kZoom);
        model()->SetXOffset(0);
        model()->SetYOffset(0);
        savedSnap = g_SnapPoints;
        g_SnapPoints = 2;
        map.SetTool(TOOL_SELECT);
    }
    void TearDown() override
    {
        g_SnapPoints = savedSnap;
        map.SetTool(TOOL_SELECT);
        map.ClearSelection(0);
        MapWindowTest::TearDown();
    }

    CMapModel* model() { return map.GetMapModel(); }

    // Stores an object in `layer` and returns its id; the layer keeps the row.
    int Store(CMapLayer* layer, CMapObject* object)
    {
        layer->AddObject(object, TRUE);
        const int id = object->GetMapeID();
        if (!CMapLayer::IsPointObjectType(object->GetType()))
            delete object;
        return id;
    }
    static constexpr COLORREF kFill = RGB(200, 0, 0);
    // A rectangle filled with kFill.
    int StoreRect(CMapLayer* layer, double l, double b, double r, double t)
    {
        auto* rect = new CMapRectangle(MAP_OBJECT_RECTANGLE);
        rect->SetRect(l, b, r, t);
        rect->GetStyle()->SetBrushStyle(MAPBRUSH_SOLID);
        rect->GetStyle()->SetBrushColor(kFill);
        return Store(layer, rect);
    }
    template <class Kind> int StorePoints(CMapLayer* layer, std::vector<CFloatPoint> points)
    {
        auto* object = new Kind;
        for (const CFloatPoint& p : points)
            object->AddPoint(p);
        return Store(layer, object);
    }
    // Draws the map once so that the view height is known.
    void Show()
    {
        map.InvalidateMap(nullptr, FALSE);
        AfxTestProcessEvents();
    }

    // The object as its row holds it (the caller owns it), or null.
    std::unique_ptr<CMapObject> Stored(CMapLayer* layer, int id)
    {
        return std::unique_ptr<CMapObject>(layer->ReadObject(id, FALSE, FALSE));
    }
    CDoubleRect StoredBoundary(CMapLayer* layer, int id)
    {
        auto object = Stored(layer, id);
        return object ? object->GetBoundary() : CDoubleRect();
    }
    int UndoCount(CMapLayer* layer) { return layer->GetHistory().GetUndoCount(); }

    // A left-button drag with `steps` pointer moves between the two pixels.
    void Drag(CPoint from, CPoint to, UINT extra = 0, int steps = 4)
    {
        AfxTestMouse(map, WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON | extra);
        for (int i = 1; i <= steps; ++i)
            AfxTestMouse(map, WM_MOUSEMOVE, from.x + (to.x - from.x) * i / steps,
                         from.y + (to.y - from.y) * i / steps, MK_LBUTTON | extra);
        AfxTestMouse(map, WM_LBUTTONUP, to.x, to.y, extra);
        AfxTestProcessEvents();
    }
    void Click(CPoint at, UINT extra = 0)
    {
        AfxTestMouse(map, WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON | extra);
        AfxTestMouse(map, WM_LBUTTONUP, at.x, at.y, extra);
        AfxTestProcessEvents();
    }

    // The ids of the selected objects of `layer`.
    std::vector<int> SelectedIds(CMapLayer* layer)
    {
        std::vector<int> ids;
        for (POSITION pos = map.GetFirstSelectedPosition(); pos;) {
            CMapObject* object = map.GetNextSelected(pos);
            if (object->GetLayer() == layer)
                ids.push_back(object->GetMapeID());
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    // The number of client pixels where the window shows something else than its cached picture.
    int PixelsOffCache()
    {
        const CDibCache& cache = map.GetPaintCache();
        CRect client;
        map.GetClientRect(&client);
        if (!cache.HasBitmap() || cache.GetWidth() != client.Width() || cache.GetHeight() != client.Height())
            return -1;
        TestSurface picture(client.Width(), client.Height());
        CDC dc;
        picture.AttachTo(dc);
        cache.Blit(&dc, 0, 0);
        int differing = 0;
        for (int y = 0; y < client.Height(); ++y)
            for (int x = 0; x < client.Width(); ++x)
                differing += map.GetSurfacePixel(x, y) != picture.GetPixel(x, y);
        return differing;
    }

    CMapLayer* lower = nullptr;
    CMapLayer* upper = nullptr;
    int savedSnap = 2;
};

} // namespace tooltest
