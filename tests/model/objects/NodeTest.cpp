// Nodes: the symbol square, drawing the symbol centred on the device point,
// moving without saving, and the 8-byte geometry.
#include "tests/model/objects/LayerTestSupport.h"
#include "tests/model/objects/SurfaceTestSupport.h"

#include "model/objects/MapNode.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/FontDatabase.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <vector>

namespace {

TEST(Node, SymbolSquareHasAnOddSideAroundTheDevicePoint)
{
    struct Case {
        int height;
        CRect square;
    };
    // Node at the view origin, view height 400: device point (0, 400).
    const Case cases[] = {
        {-13, CRect(-6, 394, 7, 407)},
        {12, CRect(-6, 394, 7, 407)},
        {20, CRect(-10, 390, 11, 411)},
        {1, CRect(0, 400, 1, 401)},
    };
    g_DefaultViewHeight = 400;
    for (const Case& c : cases) {
        CMapNode node;
        node.GetStyle()->SetSymbolSize(c.height);
        if (c.height < 0) {   // a stored style may hold a negative height
            LOGFONTW font = node.GetStyle()->GetSymbolFont();
            font.lfHeight = c.height;
            node.GetStyle()->SetSymbol(font, 0, '<');
        }
        double x = 0, y = 0, zoom = 1;
        EXPECT_EQ(node.GetDeviceRect(&x, &y, &zoom), c.square) << c.height;
    }
}

TEST(Node, MoveByShiftsThePositionWithoutSaving)
{
    CMapNode node;
    node.SetPosition(100, 100);
    node.SetFlags(0);
    double scale = 2;
    node.MoveBy(10, 10, &scale);
    EXPECT_FLOAT_EQ(node.GetPosition().x, 120.0f);
    EXPECT_FLOAT_EQ(node.GetPosition().y, 80.0f);
    EXPECT_DOUBLE_EQ(node.GetBoundary().left, 120.0);
    EXPECT_TRUE(node.IsGeometryModified());
    EXPECT_TRUE(node.IsBoundaryModified());
    EXPECT_EQ(node.GetHandleCount(), 0);
}

TEST(Node, GeometryRecordSetsThePositionAndTheBoundary)
{
    // x 1.5, y -2 as little-endian floats.
    const BYTE record[8] = {0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00, 0x00, 0xC0};
    CMapNode node;
    node.SetFlags(0);
    EXPECT_TRUE(node.SetGeometry(record));
    EXPECT_EQ(node.GetPosition().x, 1.5f);
    EXPECT_EQ(node.GetPosition().y, -2.0f);
    EXPECT_TRUE(node.GetBoundary() == CDoubleRect(1.5, -2.0, 1.5, -2.0));
    EXPECT_FALSE(node.IsGeometryModified());
    EXPECT_FALSE(node.SetGeometry(record, 4));
    EXPECT_EQ(node.GetPosition().x, 1.5f);
}

// Where the symbol's ink lands: the centre of its bounding box is the node's
// device point (within the pixel that centring on a whole-pixel grid allows).
TEST(Node, DrawsItsSymbolCentredOnItsDevicePoint)
{
    AfxInitFonts();
    constexpr int kSize = 120;
    struct Case {
        double x, y;
        int symbolSize;
        char symbol;
        COLORREF colour;
    };
    const Case cases[] = {
        {30, 40, 13, '<', RGB(0, 0, 0)},
        {60, 60, 24, '<', RGB(200, 0, 0)},
        {85, 25, 30, 'A', RGB(0, 0, 255)},
        {50, 90, 20, '&', RGB(0, 128, 0)}, // no mnemonic prefix: the symbol is drawn
    };
    g_DefaultViewHeight = kSize;
    for (const Case& c : cases) {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateBitmap(kSize, kSize, 1, 32, nullptr));
        CBitmap* old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, kSize, kSize, RGB(255, 255, 255));

        CMapNode node;
        node.SetPosition(c.x, c.y);
        node.GetStyle()->SetSymbolSize(c.symbolSize);
        node.GetStyle()->SetSymbolChar(c.symbol);
        node.GetStyle()->SetSymbolColor(c.colour);
        double originX = 0, originY = 0, zoom = 1;
        const RECT client{0, 0, kSize, kSize};
        node.Draw(&dc, &client, &originX, &originY, &zoom);
        const CPoint device = CFloatPoint(c.x, c.y).ToDevice(0, 0, 1, kSize);

        int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN, ink = 0;
        for (int py = 0; py < kSize; ++py) {
            for (int px = 0; px < kSize; ++px) {
                if (dc.GetPixel(px, py) == RGB(255, 255, 255))
                    continue;
                ++ink;
                left = std::min(left, px), right = std::max(right, px);
                top = std::min(top, py), bottom = std::max(bottom, py);
            }
        }
        SCOPED_TRACE(c.symbolSize);
        ASSERT_GT(ink, 0);
        EXPECT_NEAR((left + right) / 2.0, device.x, 1.5);
        EXPECT_NEAR((top + bottom) / 2.0, device.y, 1.5);
        // The symbol keeps to its square (a little slack for glyph overhang).
        EXPECT_LE(right - left + 1, c.symbolSize + 4);
        dc.SelectObject(old);
    }
}

// A symbol across the edge of the surface shows exactly the part a wider
// surface shows there; one wholly outside sets no pixel but leaves the text
// colour and background mode as a drawn one does.
TEST(Node, SymbolsAtAndBeyondTheEdgeDrawWhatIsVisible)
{
    AfxInitFonts();
    constexpr int kSize = 60, kShift = 40;
    g_DefaultViewHeight = kSize;
    const auto draw = [](CDC& dc, CBitmap& bitmap, int width, double originX, double x) {
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        EXPECT_TRUE(bitmap.CreateBitmap(width, kSize, 1, 32, nullptr));
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, kSize, RGB(255, 255, 255));
        dc.SetTextColor(RGB(1, 2, 3));
        dc.SetBkMode(OPAQUE);
        CMapNode node;
        node.SetPosition(x, 30);
        node.GetStyle()->SetSymbolSize(24);
        node.GetStyle()->SetSymbolChar('A');
        node.GetStyle()->SetSymbolColor(RGB(200, 0, 0));
        double oy = 0, zoom = 1;
        const RECT client{0, 0, width, kSize};
        node.Draw(&dc, &client, &originX, &oy, &zoom);
    };
    for (double x : {-3.0, 1.0, 4.0, kSize - 3.0}) {
        SCOPED_TRACE(x);
        CDC edge, wide;
        CBitmap edgeBits, wideBits;
        draw(edge, edgeBits, kSize, 0, x);
        draw(wide, wideBits, kSize + 2 * kShift, -kShift, x);
        int ink = 0;
        for (int py = 0; py < kSize; ++py) {
            for (int px = 0; px < kSize; ++px) {
                ASSERT_EQ(edge.GetPixel(px, py), wide.GetPixel(px + kShift, py)) << px << "," << py;
                ink += edge.GetPixel(px, py) != RGB(255, 255, 255);
            }
        }
        EXPECT_GT(ink, 0);
    }
    CDC outside;
    CBitmap outsideBits;
    draw(outside, outsideBits, kSize, 0, -30);
    for (int py = 0; py < kSize; ++py)
        for (int px = 0; px < kSize; ++px)
            ASSERT_EQ(outside.GetPixel(px, py), RGB(255, 255, 255));
    EXPECT_EQ(outside.GetTextColor(), RGB(200, 0, 0));
    EXPECT_EQ(outside.GetBkMode(), TRANSPARENT);
}

// The hit test dismisses far nodes early; it must answer as the test of the
// symbol square does, at ordinary and at extreme origins, zooms, sizes and
// pixels.
TEST(Node, HitTestAnswersAsTheSymbolSquare)
{
    g_DefaultViewHeight = 100;
    int hits = 0, calls = 0;
    for (double zoom : {1.0, 0.37, 1e-6, 1e3, 1e-12}) {
        for (double origin : {0.0, -123.4, 1e9, -1e12}) {
            for (int size : {0, 1, 13, 24, 1 << 21}) {
                for (double device : {3.0, 50.5, -40.0, 3e8}) {
                    CMapNode node;
                    node.SetPosition(origin + device * zoom, origin + 30 * zoom);
                    node.GetStyle()->SetSymbolSize(size);
                    double ox = origin, oy = origin, z = zoom;
                    const CDoubleRect square = node.GetDeviceBoundary(&ox, &oy, &z);
                    const int cx = (int)std::clamp((square.left + square.right) / 2, -1e9, 1e9);
                    const int cy = (int)std::clamp((square.bottom + square.top) / 2, -1e9, 1e9);
                    std::vector<int> xs{INT_MIN, INT_MAX, -(1 << 20), (1 << 20) - 1, 0};
                    for (int d = -size / 2 - 8; d <= size / 2 + 8 && size < 100; ++d)
                        xs.push_back(cx + d);
                    for (int d = -8; d <= 8; ++d)
                        xs.push_back(cx + d);
                    for (int x : xs) {
                        for (int y : {cy - size / 2 - 1, cy, cy + size / 2 + 1, 30}) {
                            const BOOL expected = node.CMapObject::HitTest(x, y, &ox, &oy, &z);
                            ASSERT_EQ(node.HitTest(x, y, &ox, &oy, &z), expected)
                                << zoom << " " << origin << " " << size << " " << device << " " << x << "," << y;
                            hits += expected != FALSE;
                            ++calls;
                        }
                    }
                }
            }
        }
    }
    // Both answers occur often enough for the comparison to mean something.
    EXPECT_GT(hits, calls / 20);
    EXPECT_GT(calls - hits, calls / 20);
}

TEST(Node, SelectedInANonEditableLayerInvertsItsSquareAndRestoresOnTheSecondDraw)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(40, 40, 1, 32, nullptr));
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
    CMapLayer layer("L");
    layer.SetEditable(0);
    CMapNode node;
    node.SetLayer(&layer);
    node.SetPosition(20, 20);
    node.GetStyle()->SetSymbolSize(13);
    g_DefaultViewHeight = 40;
    double x = 0, y = 0, zoom = 1;
    node.DrawSelected(&dc, nullptr, &x, &y, &zoom);
    EXPECT_EQ(dc.GetPixel(20, 20), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(14, 14), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(13, 13), RGB(255, 255, 255));
    node.DrawSelected(&dc, nullptr, &x, &y, &zoom);
    EXPECT_EQ(dc.GetPixel(20, 20), RGB(255, 255, 255));
    dc.SelectObject(old);
}

// Positions, zooms and symbol heights at the edge of their types: the node's device square stays
// within the device range and drawing it (plain, selected, tracking) finishes at once.
TEST(Node, ExtremePositionsZoomsAndSymbolHeightsDrawBounded)
{
    Surface surface(40);
    CDC& dc = surface.dc;
    g_DefaultViewHeight = 40;
    const float nan = std::nanf(""), inf = INFINITY;
    const struct {
        float x, y;
        double zoom;
        int height;
    } cases[] = {{nan, nan, 1, 13}, {inf, -inf, 1, 13}, {3e38f, -3e38f, 1e-30, 13}, {20, 20, 1e-300, 13},
                 {20, 20, 1, INT_MIN}, {20, 20, 1, INT_MAX}, {-3e38f, 3e38f, 1, INT_MIN}};
    for (const auto& c : cases) {
        CMapNode node;
        node.SetPosition(c.x, c.y);
        LOGFONTW font = node.GetStyle()->GetSymbolFont();
        font.lfHeight = c.height;   // as a stored style may hold it
        node.GetStyle()->SetSymbol(font, 0, '<');
        double x = 0, y = 0, zoom = c.zoom;
        const CRect square = node.GetDeviceRect(&x, &y, &zoom);
        EXPECT_LE(std::abs(square.left), 2 * kDeviceCoordinateLimit) << c.x << " " << c.height;
        EXPECT_LE(std::abs(square.bottom), 2 * kDeviceCoordinateLimit) << c.y << " " << c.height;
        const auto start = std::chrono::steady_clock::now();
        node.Draw(&dc, nullptr, &x, &y, &zoom);
        node.DrawSelected(&dc, nullptr, &x, &y, &zoom);
        node.DrawTracking(&dc, nullptr, &x, &y, &zoom);
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0)
            << c.x << "," << c.y << " zoom " << c.zoom << " height " << c.height;
    }
}

class NodeRows : public LayerFile {};

// A node is where its geometry says: the boundary stored beside it (stale, damaged or NaN) does not
// move its symbol or its hit area.
TEST_F(NodeRows, StoredBoundaryDoesNotOverrideThePosition)
{
    Bytes geo(8);
    MapRecord::PutFloat(geo.data(), 4.0f);
    MapRecord::PutFloat(geo.data() + 4, 5.0f);
    const double nan = std::nan("");
    InsertRow(1, MAP_OBJECT_NODE, std::nullopt, RectRecord(nan, nan, nan, nan), geo);
    InsertRow(2, MAP_OBJECT_NODE, std::nullopt, RectRecord(100, 100, 200, 200), geo);
    for (int id : {1, 2}) {
        CMapNode node;
        LoadRow(&node, id);
        EXPECT_DOUBLE_EQ(node.GetBoundary().left, 4.0) << id;
        EXPECT_DOUBLE_EQ(node.GetBoundary().right, 4.0) << id;
        EXPECT_DOUBLE_EQ(node.GetBoundary().bottom, 5.0) << id;
        EXPECT_DOUBLE_EQ(node.GetBoundary().top, 5.0) << id;
    }
}

TEST_F(NodeRows, GeometryIsEightLittleEndianBytes)
{
    Bytes geo(8);
    MapRecord::PutFloat(geo.data(), 1.5f);
    MapRecord::PutFloat(geo.data() + 4, -2.25f);
    InsertRow(1, MAP_OBJECT_NODE, std::nullopt, RectRecord(1.5, -2.25, 1.5, -2.25), geo);
    InsertRow(2, MAP_OBJECT_NODE, std::nullopt, RectRecord(0, 0, 0, 0), Bytes(7, 0xFF));
    CMapNode node, shortRow;
    LoadRow(&node, 1);
    LoadRow(&shortRow, 2);
    EXPECT_FLOAT_EQ(node.GetPosition().x, 1.5f);
    EXPECT_FLOAT_EQ(node.GetPosition().y, -2.25f);
    EXPECT_FLOAT_EQ(shortRow.GetPosition().x, 0.0f);
    EXPECT_FALSE(node.IsGeometryModified());

    double scale = 0.5;
    node.MoveBy(3, -1, &scale);
    EXPECT_EQ(Blob("mapeGeoData", 1), geo);   // moving does not save
    node.SaveChanges();
    const Bytes stored = *Blob("mapeGeoData", 1);
    ASSERT_EQ(stored.size(), 8u);
    EXPECT_FLOAT_EQ(FloatAt(stored, 0), 3.0f);
    EXPECT_FLOAT_EQ(FloatAt(stored, 4), -1.75f);
    EXPECT_FALSE(node.IsGeometryModified());
}

TEST_F(NodeRows, AddedNodesStayInTheLayersListOutsideTheIndex)
{
    CMapNode* node = new CMapNode;
    node->SetPosition(5, 6);
    layer->AddObject(node, TRUE);
    EXPECT_EQ(layer->GetPointObjects().GetCount(), 1);
    EXPECT_EQ(layer->GetIndex().Count(), 0);
    const Bytes stored = *Blob("mapeGeoData", node->GetMapeID());
    EXPECT_FLOAT_EQ(FloatAt(stored, 0), 5.0f);
    EXPECT_EQ(Text("mapeObjectType", node->GetMapeID()), "5");
}

}
