// The map model: its layer list and extent, its view rectangle, drawing the
// visible layers bottom to top, the overview, and the view height that every
// device transform of the map's objects counts from.
#include "core/Settings.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapNode.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/FontDatabase.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/testing/ModalRecorder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class TempFolder : public testsupport::TempFolder {
public:
    TempFolder() : testsupport::TempFolder("kvmap") {}
};

// Maps without a coordinate system, so that no catalogue is read.
class MapModelTest : public ::testing::Test {
protected:
    MapModelTest() : m_savedSystem(g_CoordinationSystem) { g_CoordinationSystem = -1; }
    ~MapModelTest() override { g_CoordinationSystem = m_savedSystem; }

    static CMapLayer* AddBoundsLayer(CMapModel& map, const char* name, const CDoubleRect& bounds)
    {
        auto* layer = new CMapLayer(name);
        layer->SetBounds(bounds);
        map.AddLayer(layer);
        return layer;
    }

    // A layer opened on a file of its own, holding one node of `colour` at (x, y).
    CMapNode* AddNodeLayer(CMapModel& map, const char* name, double x, double y, COLORREF colour)
    {
        auto* layer = new CMapLayer(name);
        map.AddLayer(layer);
        const CString path = folder.File((std::string(name) + ".klz").c_str());
        EXPECT_EQ(map.CreateLayerDatabase(path, layer), 1);
        EXPECT_TRUE(map.OpenLayer(path, layer));
        auto* node = new CMapNode;
        node->SetPosition(x, y);
        node->GetStyle()->SetSymbolSize(15);
        node->GetStyle()->SetSymbolChar('n');
        node->GetStyle()->SetSymbolColor(colour);
        layer->AddObject(node, TRUE);
        return node;
    }

    static std::vector<std::string> Names(const CMapModel& map)
    {
        std::vector<std::string> names;
        for (POSITION pos = map.GetFirstLayerPosition(); pos;)
            names.push_back(map.GetNextLayer(pos)->GetName().GetString());
        return names;
    }

    TempFolder folder;
    ModalRecorder boxes;

private:
    int m_savedSystem;
};

// A 32-bit surface filled white.
class Surface {
public:
    Surface(int width, int height) : client{0, 0, width, height}
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(width, height, 1, 32, nullptr);
        m_old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    }
    ~Surface() { dc.SelectObject(m_old); }

    CDC dc;
    CBitmap bitmap;
    RECT client;

private:
    CBitmap* m_old = nullptr;
};

TEST_F(MapModelTest, TheExtentFollowsTheLayerList)
{
    CMapModel map;
    CMapLayer* a = AddBoundsLayer(map, "A", CDoubleRect(1.0, 1.0, 3.0, 3.0));
    EXPECT_EQ(map.GetExtent(), CDoubleRect(1.0, 1.0, 3.0, 3.0));
    // A layer without bounds after one with bounds stretches the extent to (0, 0).
    CMapLayer* b = AddBoundsLayer(map, "B", CDoubleRect());
    EXPECT_EQ(map.GetExtent(), CDoubleRect(0.0, 0.0, 3.0, 3.0));
    // Reversed edges are normalised.
    CMapLayer* c = AddBoundsLayer(map, "C", CDoubleRect(-2.0, 6.0, 0.5, 5.0));
    EXPECT_EQ(map.GetExtent(), CDoubleRect(-2.0, 0.0, 3.0, 6.0));

    map.RemoveLayer(a);
    EXPECT_EQ(a->GetMap(), nullptr);
    // As the first layer, the one without bounds is passed over by the next.
    EXPECT_EQ(Names(map), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(map.GetExtent(), CDoubleRect(-2.0, 5.0, 0.5, 6.0));
    map.RemoveLayer(a);   // no longer in the list: ignored
    map.RemoveLayer(b);
    map.RemoveLayer(c);
    EXPECT_EQ(map.GetLayerCount(), 0);
    EXPECT_TRUE(map.GetExtent().IsNull());
    delete a;
    delete b;
    delete c;
}

TEST_F(MapModelTest, SwappingExchangesTwoLayersOfTheMapOnly)
{
    CMapModel map, other;
    CMapLayer* a = AddBoundsLayer(map, "A", CDoubleRect());
    CMapLayer* b = AddBoundsLayer(map, "B", CDoubleRect());
    CMapLayer* c = AddBoundsLayer(map, "C", CDoubleRect());
    CMapLayer* stranger = AddBoundsLayer(other, "X", CDoubleRect());
    EXPECT_FALSE(map.SwapLayers(a, a));
    EXPECT_FALSE(map.SwapLayers(a, nullptr));
    EXPECT_FALSE(map.SwapLayers(nullptr, b));
    EXPECT_FALSE(map.SwapLayers(a, stranger));
    EXPECT_EQ(Names(map), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(map.SwapLayers(c, a));
    EXPECT_EQ(Names(map), (std::vector<std::string>{"C", "B", "A"}));
    EXPECT_EQ(map.GetLayerIndex(a), 2);
    EXPECT_EQ(map.GetFirstLayer(), c);
    // Top to bottom.
    std::vector<CMapLayer*> down;
    for (POSITION pos = map.GetLastLayerPosition(); pos;)
        down.push_back(map.GetPrevLayer(pos));
    EXPECT_EQ(down, (std::vector<CMapLayer*>{a, b, c}));
}

TEST_F(MapModelTest, TheViewRectangleIsTheClientAreaWidenedByTwoPixels)
{
    CMapModel map;
    EXPECT_EQ(map.GetViewHeight(), -1);
    map.SetZoom(0.5);
    map.SetClientRect(RECT{0, 0, 200, 100});
    map.UpdateViewRect(10, 20);
    RECT* stored = map.GetClientRect();
    EXPECT_EQ(stored->right, 200);
    EXPECT_EQ(map.GetViewRect(), CDoubleRect(9.0, 19.0, 111.0, 71.0));
    EXPECT_EQ(map.GetViewHeight(), 100);

    CDoublePoint corners[4];
    EXPECT_EQ(map.GetRotatedViewRect(corners), map.GetViewRect());
    const CDoublePoint unrotated[4] = {{9, 19}, {111, 19}, {111, 71}, {9, 71}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(corners[i].x, unrotated[i].x);
        EXPECT_EQ(corners[i].y, unrotated[i].y);
    }
    // A quarter turn about the map origin: (x, y) becomes (-y, x), and the
    // rectangle bounds the view together with the turned corners.
    map.SetRotation(M_PI / 2);
    const CDoubleRect turned = map.GetRotatedViewRect(corners);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(corners[i].x, -unrotated[i].y, 1e-9);
        EXPECT_NEAR(corners[i].y, unrotated[i].x, 1e-9);
    }
    EXPECT_NEAR(turned.left, -71, 1e-9);
    EXPECT_NEAR(turned.bottom, 9, 1e-9);
    EXPECT_NEAR(turned.right, 111, 1e-9);
    EXPECT_NEAR(turned.top, 111, 1e-9);
    EXPECT_EQ(map.GetRotatedViewRect(), turned);
}

TEST_F(MapModelTest, VisibleLayersDrawBottomToTop)
{
    AfxInitFonts();
    const COLORREF red = RGB(220, 0, 0), blue = RGB(0, 0, 220);
    struct Case {
        bool swap, hideTop;
        COLORREF seen;
    };
    const Case cases[] = {
        {false, false, blue},
        {true, false, red},
        {false, true, red},
        {true, true, blue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "swap " << c.swap << " hide " << c.hideTop);
        CMapModel map;
        CMapNode* bottom = AddNodeLayer(map, "Bottom", 50, 40, red);
        CMapNode* top = AddNodeLayer(map, "Top", 50, 40, blue);
        if (c.swap)
            map.SwapLayers(bottom->GetLayer(), top->GetLayer());
        if (c.hideTop)
            map.GetLastLayer()->SetVisible(0);
        Surface surface(100, 80);
        double x = 0, y = 0, zoom = 1;
        map.Draw(&surface.dc, &surface.client, &x, &y, &zoom);
        // (50, 40) lies at device (50, 80 - 40).
        EXPECT_EQ(surface.dc.GetPixel(50, 40), c.seen);
        map.RemoveLayer(bottom->GetLayer());
        map.RemoveLayer(top->GetLayer());
        delete bottom->GetLayer();
        delete top->GetLayer();
        std::filesystem::remove(folder.File("Bottom.klz").GetString());
        std::filesystem::remove(folder.File("Top.klz").GetString());
    }
}

// Nodes draw and hit-test at the height of the surface the map was drawn on,
// whatever height an earlier window recorded for objects without a map.
TEST_F(MapModelTest, ObjectsOfAMapHitTestAtTheHeightItWasDrawnAt)
{
    AfxInitFonts();
    g_DefaultViewHeight = 500;
    CMapModel map;
    CMapNode* node = AddNodeLayer(map, "Points", 30, 20, RGB(0, 0, 0));
    double x = 0, y = 0, zoom = 1;

    Surface surface(120, 80);
    map.Draw(&surface.dc, &surface.client, &x, &y, &zoom);
    EXPECT_EQ(map.GetViewHeight(), 80);
    EXPECT_TRUE(node->HitTest(30, 60, &x, &y, &zoom));
    EXPECT_FALSE(node->HitTest(30, 20, &x, &y, &zoom));
    EXPECT_NE(surface.dc.GetPixel(30, 60), RGB(255, 255, 255));

    // The view rectangle of another client area moves the height with it.
    map.SetZoom(zoom);
    map.SetClientRect(RECT{0, 0, 120, 200});
    map.UpdateViewRect(x, y);
    EXPECT_TRUE(node->HitTest(30, 180, &x, &y, &zoom));
    EXPECT_FALSE(node->HitTest(30, 60, &x, &y, &zoom));
}

TEST_F(MapModelTest, TheOverviewLeavesTheMapsViewAsItWas)
{
    AfxInitFonts();
    CMapModel map;
    AddNodeLayer(map, "Points", 40, 40, RGB(0, 0, 200));
    double x = 0, y = 0, zoom = 1;
    Surface window(100, 100);
    map.Draw(&window.dc, &window.client, &x, &y, &zoom);
    const CDoubleRect view = map.GetViewRect();

    Surface overview(60, 30);
    double ox = 0, oy = 0, ozoom = 2;
    map.DrawLocator(&overview.dc, &overview.client, &ox, &oy, &ozoom);
    // Drawn at the overview's own height: (40, 40) / 2 lies at device (20, 30 - 20).
    EXPECT_EQ(overview.dc.GetPixel(20, 10), RGB(0, 0, 200));
    EXPECT_EQ(map.GetViewHeight(), 100);
    EXPECT_EQ(map.GetClientRect()->bottom, 100);
    EXPECT_EQ(map.GetViewRect(), view);

    // A hidden layer is in neither drawing.
    map.GetFirstLayer()->SetVisible(0);
    Surface hidden(60, 30);
    map.DrawLocator(&hidden.dc, &hidden.client, &ox, &oy, &ozoom);
    EXPECT_EQ(hidden.dc.GetPixel(20, 10), RGB(255, 255, 255));
}

}
