// The drawing tool tests' fixture: the map window tests' workspace in a shown
// window, input helpers for clicks, drags and double-clicks as the window
// system sends them, the rows of the active layer as stored, and the check
// that the window shows exactly its paint cache (no rubber band left over).
#pragma once

#include "tests/mapwindow/window/MapWindowTestSupport.h"

#include "model/layers/MapObject.h"
#include "model/polygons/MapPointList.h"

#include <memory>

namespace drawtest {

class DrawingToolTest : public mwtest::MapWindowTest {
protected:
    void SetUp() override
    {
        MapWindowTest::SetUp();
        OpenWorkspace();
        layer = map.GetMapModel()->GetLayerAt(0); // "Areas", the active layer
        ASSERT_EQ(map.GetActiveLayer(), layer);
        g_toolState = 0;
    }

    void Down(CPoint p, UINT flags = 0) { AfxTestMouse(map, WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON | flags); }
    void Up(CPoint p, UINT flags = 0) { AfxTestMouse(map, WM_LBUTTONUP, p.x, p.y, flags); }
    void Move(CPoint p, UINT flags = 0) { AfxTestMouse(map, WM_MOUSEMOVE, p.x, p.y, flags); }
    void Click(CPoint p)
    {
        Down(p);
        Up(p);
    }
    // A double-click as the window system sends it: press, release, double-click, release.
    void DoubleClick(CPoint p)
    {
        Click(p);
        AfxTestMouse(map, WM_LBUTTONDBLCLK, p.x, p.y, MK_LBUTTON);
        Up(p);
    }
    // Press, moves in steps to `to` with the button held, release.
    void Drag(CPoint from, CPoint to, UINT flags = 0)
    {
        Down(from, flags);
        for (int i = 1; i <= 4; ++i)
            Move(CPoint(from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4), MK_LBUTTON | flags);
        Up(to, flags);
    }

    int Count() const { return layer->GetObjectCount(); }
    // The object stored under the layer's largest id, read from its row: a new object of the test's
    // own, nodes and texts too (ReadObject never hands out the layer's list).
    std::unique_ptr<CMapObject> Newest()
    {
        return std::unique_ptr<CMapObject>(layer->ReadObject(layer->GetMaxID(), FALSE, FALSE));
    }
    CFloatPoint MapOf(CPoint p) const { return map.ScreenToMapFloat(p); }
    // `box` is the map rectangle of the pixels `topLeft` to `bottomRight`.
    void ExpectBoxOfPixels(const CDoubleRect& box, CPoint topLeft, CPoint bottomRight) const
    {
        const CDoublePoint tl = map.ScreenToMap(topLeft), br = map.ScreenToMap(bottomRight);
        EXPECT_DOUBLE_EQ(box.left, tl.x);
        EXPECT_DOUBLE_EQ(box.top, tl.y);
        EXPECT_DOUBLE_EQ(box.right, br.x);
        EXPECT_DOUBLE_EQ(box.bottom, br.y);
    }

    // Every pixel of the window equals the cached picture of the last paint.
    void ExpectSurfaceIsCache()
    {
        AfxTestProcessEvents();
        const CDibCache& cache = map.GetPaintCache();
        CRect client;
        map.GetClientRect(&client);
        ASSERT_EQ(cache.GetWidth(), client.Width());
        int differing = 0;
        CPoint first(-1, -1);
        for (int y = 0; y < client.Height(); ++y)
            for (int x = 0; x < client.Width(); ++x)
                if (map.GetSurfacePixel(x, y) != cache.GetPixel(x, y) && differing++ == 0)
                    first = CPoint(x, y);
        EXPECT_EQ(differing, 0) << "first at " << first.x << "," << first.y;
    }

    CMapLayer* layer = nullptr;
};

// Vertices of a point-list object.
inline std::vector<CFloatPoint> Vertices(CMapObject* object)
{
    auto* points = static_cast<CMapPointList*>(object);
    points->LoadGeometry();
    std::vector<CFloatPoint> v;
    for (int i = 0; i < points->GetPointCount(); ++i)
        v.push_back(points->GetPoint(i));
    return v;
}

}

namespace drawtest {
inline ::testing::AssertionResult SamePoint(CFloatPoint a, CFloatPoint b)
{
    if (a.x == b.x && a.y == b.y)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ") is not (" << b.x << ", " << b.y << ")";
}
}
