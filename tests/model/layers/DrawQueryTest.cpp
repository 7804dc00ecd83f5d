// Drawing a layer onto a surface and the queries of the map window: the hit
// test (newest first, within the snap distance, past ids without rows) and
// the selections by rectangle, circle, polygon and ids, with attribute rows
// matched by id even where one is missing.
#include "tests/model/layers/LayersTestSupport.h"

#include "core/Settings.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white 100 x 100 surface showing map (0, 0) to (100, 100) at one unit per pixel.
class Surface {
public:
    Surface()
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(100, 100, 1, 32, nullptr);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 100, 100, kWhite);
    }
    ~Surface() { dc.SelectObject(old); }
    // The pixel showing map point (x, y).
    COLORREF At(double x, double y) { return dc.GetPixel((int)x, 100 - (int)y - 1); }

    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
    RECT client{0, 0, 100, 100};
    double originX = 0, originY = 0, zoom = 1;
};

class Queries : public LayerTest {
protected:
    std::vector<CMapField> Fields() const override { return {CMapField("Name", FIELD_TYPE_STRING, 20)}; }

    int AddNamed(double l, double b, double r, double t, const char* name)
    {
        std::unique_ptr<TestBox> box(new TestBox(l, b, r, t));
        box->SetLayer(layer);
        box->AddAttribute(CMapFieldValue(layer->GetField(0)));
        box->SetAttributeText(0, name);
        layer->AddObject(box.get(), FALSE);
        return box->GetMapeID();
    }
    std::vector<std::string> SelectedNames() const
    {
        std::vector<std::pair<int, std::string>> byId;
        for (POSITION pos = model->GetSelectedObjects().GetHeadPosition(); pos;) {
            CMapObject* object = model->GetSelectedObjects().GetNext(pos);
            byId.emplace_back(object->GetMapeID(), object->GetAttributeText(0).GetString());
        }
        std::sort(byId.begin(), byId.end());
        std::vector<std::string> names;
        for (auto& [id, name] : byId)
            names.push_back(name);
        return names;
    }
    void TearDown() override { model->ClearOverlays(); }
};

TEST_F(Queries, DrawingPutsTheObjectsOnTheSurfaceSelectedOnesToo)
{
    std::unique_ptr<TestBox> red(AddBox(10, 10, 30, 30, RGB(255, 0, 0)));
    std::unique_ptr<TestBox> blue(AddBox(60, 60, 80, 80, RGB(0, 0, 255)));
    std::unique_ptr<TestBox> outside(AddBox(200, 200, 300, 300, RGB(0, 255, 0)));
    // Extent below two pixels: one pixel in the layer's pen colour, not the object.
    layer->GetStyle()->SetPenColor(RGB(0, 128, 0));
    std::unique_ptr<TestBox> tiny(AddBox(50, 40, 51.5, 40, RGB(255, 0, 255)));
    CMapNode* node = AddNode(45, 80);
    node->GetStyle()->SetSymbolColor(RGB(1, 1, 1));

    Surface s;
    layer->Draw(&s.dc, &s.client, &s.originX, &s.originY, &s.zoom);
    EXPECT_EQ(s.At(20, 20), RGB(255, 0, 0));
    EXPECT_EQ(s.At(70, 70), RGB(0, 0, 255));
    EXPECT_EQ(s.At(5, 5), kWhite);
    EXPECT_EQ(s.dc.GetPixel(50, 60), RGB(0, 128, 0));
    int ink = 0;
    for (int y = 10; y < 30; ++y)
        for (int x = 35; x < 55; ++x)
            ink += s.dc.GetPixel(x, y) == RGB(1, 1, 1);
    EXPECT_GT(ink, 0) << "the node draws its symbol";

    // A selected object is still drawn by its layer, in the layer's order: the
    // map window only adds its selection marks, so that it never covers the
    // layers above it.
    TestBox* selected = new TestBox(60, 60, 80, 80);
    selected->SetMapeID(blue->GetMapeID());
    selected->SetLayer(layer);
    model->GetSelectedObjects().AddTail(selected);
    Surface again;
    layer->Draw(&again.dc, &again.client, &again.originX, &again.originY, &again.zoom);
    EXPECT_EQ(again.At(20, 20), RGB(255, 0, 0));
    EXPECT_EQ(again.At(70, 70), RGB(0, 0, 255));
}

TEST_F(Queries, AboveTwentyThousandCandidatesNoIdClauseIsWrittenAndOnlyCandidatesDrawn)
{
    for (int i = 0; i < CMapLayer::kMaxIdsInClause + 1; ++i)
        AddBoxId(i % 90, 0, i % 90 + 3, 3, RGB(0, 0, 255));
    const int red = AddBoxId(40, 50, 60, 70, RGB(255, 0, 0));
    const int hidden = AddBoxId(500, 500, 600, 600, RGB(0, 255, 0));
    layer->CollectVisibleIds(CDoubleRect(0.0, 0.0, 100.0, 100.0), 2.0);
    EXPECT_EQ(CMapLayer::BuildIdWhereClause(), "");
    g_LayerIdArray.SetSize(0);
    Surface s;
    layer->Draw(&s.dc, &s.client, &s.originX, &s.originY, &s.zoom);
    EXPECT_EQ(s.At(50, 60), RGB(255, 0, 0));
    EXPECT_EQ(s.At(1, 1), RGB(0, 0, 255));
    EXPECT_GT(hidden, red);
}

TEST_F(Queries, IdClausesNameEveryIdOrNone)
{
    g_LayerIdArray.SetSize(0);
    g_LayerIdArray.Add(7);
    EXPECT_EQ(CMapLayer::BuildIdWhereClause(), " where mapeID=7;");
    g_LayerIdArray.Add(9);
    EXPECT_EQ(CMapLayer::BuildIdWhereClause(), " where mapeID in(7,9)");
    g_LayerIdArray.SetSize(0);
    CArray<int, int> ids;
    ids.Add(5);
    ids.Add(2);
    EXPECT_EQ(BuildWhereClauseForIds(ids), " where mapeID in(2,5)");
    EXPECT_EQ(ids[0], 2);
}

TEST_F(Queries, LabelsOfADrawingAreRecordedForEachLabelledObject)
{
    layer->SetAutoLabel(1);
    std::unique_ptr<TestBox> box(new TestBox(10, 10, 40, 40));
    box->GetLabel()->SetText("box");
    layer->AddObject(box.get(), TRUE);
    CMapNode* node = AddNode(70, 70);
    Surface s;
    layer->Draw(&s.dc, &s.client, &s.originX, &s.originY, &s.zoom);
    ASSERT_EQ(layer->GetDrawnLabels().size(), 2u);
    EXPECT_EQ(layer->GetDrawnLabels()[0].id, node->GetMapeID());
    EXPECT_EQ(layer->GetDrawnLabels()[1].id, box->GetMapeID());
}

TEST_F(Queries, HitTestPrefersNodesThenNewestAndSearchesWithinTheSnapDistance)
{
    const int lower = AddNamed(10, 10, 50, 50, "lower");
    const int upper = AddNamed(30, 30, 70, 70, "upper");
    double ox = 0, oy = 0, zoom = 1;
    const auto hit = [&](int x, int y, BOOL top) -> int {
        CMapObject* object = layer->HitTest(x, kHeight - y, &ox, &oy, &zoom, top);
        if (!object)
            return 0;
        const int id = object->GetMapeID();
        if (!CMapLayer::IsPointObjectType(object->GetType()))
            delete object;
        return id;
    };
    EXPECT_EQ(hit(40, 40, TRUE), upper);
    EXPECT_EQ(hit(40, 40, FALSE), lower);
    EXPECT_EQ(hit(90, 90, TRUE), 0);

    // An index entry whose row is gone is passed over.
    layer->IndexInsert(999, CDoubleRect(35.0, 35.0, 45.0, 45.0));
    EXPECT_EQ(hit(40, 40, TRUE), upper);

    // A tiny object is hit within the snap distance.
    const int snap = g_SnapPoints;
    g_SnapPoints = 3;
    const int tiny = AddNamed(80, 20, 80.2, 20.2, "tiny");
    EXPECT_EQ(hit(82, 20, TRUE), tiny);
    g_SnapPoints = snap;

    CMapNode* node = AddNode(40, 40);
    EXPECT_EQ(hit(40, 40, TRUE), node->GetMapeID());

    // An index entry with a node's id stands for the layer's own node: it is
    // tested there and left in the layer, never deleted as a copy would be.
    layer->IndexInsert(node->GetMapeID(), CDoubleRect(60.0, 10.0, 62.0, 12.0));
    EXPECT_EQ(hit(61, 11, TRUE), 0);
    EXPECT_EQ(hit(61, 11, FALSE), 0);
    EXPECT_EQ(hit(40, 40, FALSE), node->GetMapeID());
}

TEST_F(Queries, SelectionsReturnTheRightObjectsWithTheirValues)
{
    AddNamed(10, 10, 20, 20, "a");
    AddNamed(30, 10, 40, 20, "b");
    AddNamed(60, 60, 70, 70, "c");
    AddNamed(15, 15, 80, 80, "big");
    const RECT device{0, 0, 100, 100};

    layer->SelectInRect(CDoubleRect(0.0, 0.0, 50.0, 50.0), device);
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"a", "b"}));
    model->ClearOverlays();

    // Circle around map (35, 15) of radius 12 pixels: only b's corners lie inside.
    layer->SelectInCircle(CDoubleRect(0.0, 0.0, 50.0, 50.0), device, CPoint(35, kHeight - 15), 12.0);
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"b"}));
    model->ClearOverlays();

    // The same searches under the tools' names.
    layer->SelectInDeviceRect(CDoubleRect(0.0, 0.0, 50.0, 50.0), device);
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"a", "b"}));
    model->ClearOverlays();
    layer->SelectInRect(CDoubleRect(0.0, 0.0, 50.0, 50.0), device, CPoint(35, kHeight - 15), 12.0);
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"b"}));
    model->ClearOverlays();

    const CFloatPoint triangle[] = {CFloatPoint(0, 0), CFloatPoint(100, 0), CFloatPoint(0, 100)};
    layer->SelectInPolygon(CDoubleRect(0.0, 0.0, 100.0, 100.0), triangle, 3);
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"a", "b"}));
    model->ClearOverlays();

    CArray<int, int> ids;
    ids.Add(4);
    ids.Add(3);
    layer->SelectIDs(ids);
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"c", "big"}));
}

TEST_F(Queries, AMissingAttributeRowPutsNoLaterObjectOutOfStep)
{
    AddNamed(10, 10, 20, 20, "a");
    const int b = AddNamed(30, 10, 40, 20, "b");
    AddNamed(50, 10, 60, 20, "c");
    AddNamed(70, 10, 80, 20, "d");
    CString sql;
    sql.Format("delete from _MapMetaData where mapeID=%d;", b);
    layer->GetDatabase()->ExecuteChecked(sql);
    layer->SelectInRect(CDoubleRect(0.0, 0.0, 100.0, 100.0), RECT{0, 0, 100, 100});
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"a", "", "c", "d"}));
    model->ClearOverlays();
    CArray<int, int> ids;
    for (int id = 1; id <= 4; ++id)
        ids.Add(id);
    layer->SelectIDs(ids);
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"a", "", "c", "d"}));
}

TEST_F(Queries, ANonEditableLayerSelectsWithoutValues)
{
    AddNamed(10, 10, 20, 20, "a");
    layer->SetEditable(0);
    layer->SelectInRect(CDoubleRect(0.0, 0.0, 50.0, 50.0), RECT{0, 0, 100, 100});
    ASSERT_EQ(model->GetSelectedObjects().GetCount(), 1);
    EXPECT_EQ(model->GetSelectedObjects().GetHead()->GetAttributeCount(), 0);
}

}
