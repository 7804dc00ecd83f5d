// The layer's queries on random layers against answers worked out by brute
// force: the rectangle selection (which objects, in which order, the layer's
// own nodes and new objects with their values), read in one query, in
// batches and from the whole table; and the hit test, whose nodes are found
// through an index of their positions, against a walk of every node, also
// after the nodes moved, changed size or took the layer's style.
#include "tests/model/layers/LayersTestSupport.h"

#include "core/Settings.h"

#include <random>

namespace {

class FastQueries : public LayerTest {
protected:
    std::vector<CMapField> Fields() const override { return {CMapField("Name", FIELD_TYPE_STRING, 20)}; }

    struct Box {
        int id;
        CDoubleRect rect;
    };

    // A box with integer corners (exact as floats) and its id as its value.
    int AddValuedBox(double l, double b, double r, double t)
    {
        std::unique_ptr<TestBox> box(new TestBox(l, b, r, t));
        box->SetLayer(layer);
        box->AddAttribute(CMapFieldValue(layer->GetField(0)));
        layer->AddObject(box.get(), FALSE);
        const int id = box->GetMapeID();
        boxes.push_back({id, box->GetBoundary()});
        return id;
    }
    CMapNode* AddValuedNode(double x, double y, int symbolSize)
    {
        CMapNode* node = AddNode(x, y);
        CMapStyle style = *node->GetStyle();
        style.SetSymbolSize(symbolSize);
        node->SetStyle(style);
        return node;
    }
    std::vector<int> SelectionOrder() const
    {
        std::vector<int> ids;
        for (POSITION pos = model->GetSelectedObjects().GetHeadPosition(); pos;)
            ids.push_back(model->GetSelectedObjects().GetNext(pos)->GetMapeID());
        return ids;
    }
    void ClearSelection()
    {
        CList<CMapObject*, CMapObject*>& selection = model->GetSelectedObjects();
        while (!selection.IsEmpty()) {
            CMapObject* object = selection.RemoveHead();
            if (!CMapLayer::IsPointObjectType(object->GetType()))
                delete object;
        }
    }
    // Shows map (0, 0) to (100 * zoom, 100 * zoom) on the 100 x 100 client.
    void View(double zoom)
    {
        model->SetZoom(zoom);
        model->UpdateViewRect(0, 0);
    }

    // What a rectangle selection must give: every box wholly inside the map
    // rectangle and every node whose device square lies inside the device
    // rectangle, put at the head one by one in ascending id order.
    std::vector<int> ExpectedSelection(const CDoubleRect& rect, const RECT& device)
    {
        std::vector<int> ids;
        for (const Box& b : boxes) {
            if (b.rect.left >= rect.left && b.rect.right <= rect.right && b.rect.bottom >= rect.bottom
                && b.rect.top <= rect.top)
                ids.push_back(b.id);
        }
        double x = model->GetXOffset(), y = model->GetYOffset(), zoom = model->GetZoom();
        for (POSITION pos = layer->GetPointObjects().GetHeadPosition(); pos;) {
            CMapObject* node = layer->GetPointObjects().GetNext(pos);
            const CRect r = node->GetDeviceRect(&x, &y, &zoom);
            if (PtInRect(&device, CPoint(r.left, r.top)) && PtInRect(&device, CPoint(r.right, r.bottom)))
                ids.push_back(node->GetMapeID());
        }
        std::sort(ids.rbegin(), ids.rend());
        return ids;
    }
    void CheckSelection(const CDoubleRect& rect, const RECT& device)
    {
        ClearSelection();
        layer->SelectInRect(rect, device);
        EXPECT_EQ(SelectionOrder(), ExpectedSelection(rect, device));
        for (POSITION pos = model->GetSelectedObjects().GetHeadPosition(); pos;) {
            CMapObject* object = model->GetSelectedObjects().GetNext(pos);
            if (CMapLayer::IsPointObjectType(object->GetType())) {
                EXPECT_NE(layer->GetPointObjects().Find(object), nullptr) << "a node must be the layer's own";
            } else {
                ASSERT_EQ(object->GetAttributeCount(), 1);
            }
        }
        ClearSelection();
    }

    std::vector<Box> boxes;
};

TEST_F(FastQueries, RectangleSelectionsOfRandomLayersAreTheBruteForceAnswer)
{
    std::mt19937 random(31);
    std::uniform_int_distribution<int> corner(0, 990), size(0, 40);
    for (int i = 0; i < 3000; ++i) {
        const int l = corner(random), b = corner(random);
        if (i % 5 == 0)
            AddValuedNode(l, b, 13);
        else
            AddValuedBox(l, b, l + size(random), b + size(random));
    }
    View(10.0);
    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE(round);
        int x0 = corner(random) / 10, x1 = corner(random) / 10, y0 = corner(random) / 10, y1 = corner(random) / 10;
        RECT device{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1};
        const CDoubleRect rect(device.left * 10.0, (100 - device.bottom) * 10.0, device.right * 10.0,
                               (100 - device.top) * 10.0);
        CheckSelection(rect, device);
    }
    // A node already selected is not put in a second time.
    CMapObject* node = layer->GetPointObjects().GetHead();
    model->GetSelectedObjects().AddTail(node);
    layer->SelectInRect(CDoubleRect(0.0, 0.0, 1000.0, 1000.0), RECT{0, 0, 100, 100});
    int count = 0;
    for (POSITION pos = model->GetSelectedObjects().GetHeadPosition(); pos;)
        count += model->GetSelectedObjects().GetNext(pos) == node;
    EXPECT_EQ(count, 1);
    ClearSelection();
}

// More than 20000 candidates: in batches where they are a small part of the
// table, from the whole table where they are most of it; the same answer.
TEST_F(FastQueries, LargeSelectionsReadInBatchesOrWholeGiveTheSameAnswer)
{
    // A dense square of 21000 small boxes at the left, 70000 more to the right.
    for (int i = 0; i < 91000; ++i) {
        const double x = i < 21000 ? (i % 150) * 2 : 400 + (i % 300) * 2, y = (i / 150 % 140) * 2;
        if (i < 21000)
            AddValuedBox(x, (i / 150) * 2, x + 1, (i / 150) * 2 + 1);
        else
            AddValuedBox(x, y, x + 1, y + 1);
    }
    AddValuedNode(100, 100, 13);
    View(10.0);
    // The left square alone: 21000 boxes and the node, of 91001 rows.
    CheckSelection(CDoubleRect(0.0, 0.0, 300.0, 300.0), RECT{0, 70, 30, 100});
    // Nearly everything.
    CheckSelection(CDoubleRect(0.0, 0.0, 1000.0, 1000.0), RECT{0, 0, 100, 100});
}

TEST_F(FastQueries, HitTestsFindWhatAWalkOfEveryNodeFinds)
{
    std::mt19937 random(47);
    std::uniform_int_distribution<int> corner(0, 990), size(5, 40), symbol(-12, 20);
    std::vector<CMapNode*> nodes;
    // Huge symbols far away: their reach is their own.
    for (int i = 0; i < 3; ++i)
        AddValuedNode(30000 + i * 1000, 500, 4000);
    for (int i = 0; i < 2500; ++i) {
        const int l = corner(random), b = corner(random);
        if (i % 3 == 0)
            nodes.push_back(AddValuedNode(l, b, symbol(random)));
        else
            AddValuedBox(l, b, l + size(random), b + size(random));
    }
    // The answer of walking every list object, then the boxes under the pixel, newest first.
    const auto expected = [&](int x, int y, double zoom, BOOL topFirst) -> std::pair<CMapObject*, int> {
        double ox = 0, oy = 0, z = zoom;
        std::vector<CMapObject*> list;
        for (POSITION pos = layer->GetPointObjects().GetHeadPosition(); pos;)
            list.push_back(layer->GetPointObjects().GetNext(pos));
        if (topFirst)
            std::reverse(list.begin(), list.end());
        for (CMapObject* object : list)
            if (object->HitTest(x, y, &ox, &oy, &z))
                return {object, object->GetMapeID()};
        std::vector<int> ids;
        const float mx = (float)(x * zoom), my = (float)((kHeight - y) * zoom), t = (float)(g_SnapPoints * zoom);
        for (const Box& b : boxes) {
            if ((float)b.rect.left <= mx + t && (float)b.rect.right >= mx - t && (float)b.rect.bottom <= my + t
                && (float)b.rect.top >= my - t) {
                TestBox probe(b.rect.left, b.rect.bottom, b.rect.right, b.rect.top);
                probe.SetLayer(layer);   // the map's view height
                // A box no larger than the snap square is hit within the snap distance.
                const CDoubleRect d = probe.GetDeviceBoundary(&ox, &oy, &z);
                const double snap = g_SnapPoints, l = std::min(d.left, d.right), r = std::max(d.left, d.right);
                const double lo = std::min(d.top, d.bottom), hi = std::max(d.top, d.bottom);
                const bool small = r - l <= 2 * snap && hi - lo <= 2 * snap && x >= l - snap && x <= r + snap
                                && y >= lo - snap && y <= hi + snap;
                if (probe.HitTest(x, y, &ox, &oy, &z) || small)
                    ids.push_back(b.id);
            }
        }
        if (ids.empty())
            return {nullptr, -1};
        return {nullptr, topFirst ? *std::max_element(ids.begin(), ids.end()) : *std::min_element(ids.begin(), ids.end())};
    };
    int nodeHits = 0;
    // Random pixels, and pixels `reach` to the side of the nodes changed last.
    const auto check = [&](int round, double zoom, const std::vector<CMapNode*>& changed, int reach) {
        View(zoom);
        std::uniform_int_distribution<int> pixel(0, 99);
        std::vector<CPoint> pixels;
        for (int k = 0; k < 40; ++k)
            pixels.emplace_back(pixel(random), pixel(random));
        double ox = 0, oy = 0, z = zoom;
        for (CMapNode* node : changed) {
            const CRect r = node->GetDeviceRect(&ox, &oy, &z);
            const CPoint centre = r.CenterPoint();
            const int x = centre.x + reach < 100 ? centre.x + reach : centre.x - reach;
            if (x >= 0 && x < 100 && centre.y >= 0 && centre.y < 100)
                pixels.emplace_back(x, centre.y);
        }
        for (size_t k = 0; k < pixels.size(); ++k) {
            const int x = pixels[k].x, y = pixels[k].y;
            const BOOL topFirst = k % 2;
            CMapObject* hit = layer->HitTest(x, y, &ox, &oy, &z, topFirst);
            const auto [object, id] = expected(x, y, zoom, topFirst);
            SCOPED_TRACE("round " + std::to_string(round) + ", pixel " + std::to_string(x) + "," + std::to_string(y));
            EXPECT_EQ(hit ? hit->GetMapeID() : -1, id);
            if (object) {
                EXPECT_EQ(hit, object);
                ++nodeHits;
            }
            if (hit && !CMapLayer::IsPointObjectType(hit->GetType()))
                delete hit;
        }
    };
    check(0, 10.0, {}, 0);
    check(1, 2.5, {}, 0);
    // Changes the index must see: nodes moved, grown, taking the layer's
    // larger symbol and giving it up; each clicked where only the change
    // makes it hit.
    std::vector<CMapNode*> changed(nodes.begin(), nodes.begin() + 100);
    for (CMapNode* node : changed) {
        double zoom = 10.0;
        node->MoveBy(corner(random) / 10 - 50, corner(random) / 10 - 50, &zoom);
    }
    check(2, 10.0, changed, 0);
    changed.assign(nodes.begin() + 100, nodes.begin() + 200);
    for (CMapNode* node : changed)
        node->GetStyle()->SetSymbolSize(60);
    check(3, 10.0, changed, 25);
    layer->GetStyle()->SetSymbolSize(80);
    check(4, 10.0, nodes, 35);
    layer->SetOverride(1);
    check(5, 10.0, nodes, 35);
    layer->SetOverride(0);
    check(6, 10.0, nodes, 35);
    EXPECT_GT(nodeHits, 20) << "the clicks must meet nodes";
}

} // namespace
