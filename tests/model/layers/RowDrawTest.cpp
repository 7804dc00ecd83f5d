// A layer's drawing against its objects drawn one by one: polygon and polyline
// rows in the layer's style are drawn from their bytes, every other row through
// its object, and the surface must come out the same pixel for pixel, with
// styles changing from row to row, after edits, undo and reopening, over ids
// with gaps and index entries without rows, and for a kind whose class a
// program registered anew.
#include "tests/model/layers/LayersTestSupport.h"

#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"

#include <random>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kSide = 100;   // the view of LayerTest: 100 x 100 pixels, one unit each

struct Surface {
    Surface()
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(kSide, kSide, 1, 32, nullptr);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, kSide, kSide, kWhite);
    }
    ~Surface() { dc.SelectObject(old); }
    std::vector<COLORREF> Pixels()
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                pixels.push_back(dc.GetPixel(x, y));
        return pixels;
    }

    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
    RECT client{0, 0, kSide, kSide};
    double originX = 0, originY = 0, zoom = 1;
};

// A polygon kind a program put in place of the plain one: fills its boundary.
class GreenRing : public CMapPolygon {
public:
    void Draw(CDC* pDC, const RECT*, double* originX, double* originY, double* zoom) override
    {
        CRect r = GetBoundary().ToDeviceRect(*originX, *originY, *zoom, GetViewHeight());
        r.NormalizeRect();
        pDC->FillSolidRect(&r, RGB(0, 200, 0));
    }
};

class RowDrawing : public LayerTest {
protected:
    void SetUp() override
    {
        LayerTest::SetUp();
        CMapStyle* style = layer->GetStyle();
        style->SetPenColor(RGB(0, 0, 160));
        style->SetBrushColor(RGB(200, 230, 200));
    }

    // A polygon or polyline of `points`, in the layer's style or, given a
    // colour, in its own style of that pen colour (and a dashed wide pen and a
    // hatched brush for odd colours' blue part).
    int AddShape(bool closed, const std::vector<CFloatPoint>& points, COLORREF own = CLR_INVALID)
    {
        std::unique_ptr<CMapPointList> shape(closed ? static_cast<CMapPointList*>(new CMapPolygon)
                                                    : static_cast<CMapPointList*>(new CMapPolyline));
        for (const CFloatPoint& p : points)
            shape->AppendPoint(p);
        shape->SetUseLayerStyle(own == CLR_INVALID);
        if (own != CLR_INVALID) {
            CMapStyle* style = shape->GetOwnStyle();
            style->SetPenColor(own);
            style->SetBrushColor(RGB(GetBValue(own), GetRValue(own), GetGValue(own)));
            if (GetBValue(own) & 1) {
                style->SetPenStyle(PS_DASH);
                style->SetPenWidth(2);
                style->SetBrushStyle(HS_CROSS);
                style->SetBkOpaque(1);
                style->SetBkColor(RGB(250, 250, 0));
            }
        }
        layer->AddObject(shape.get(), TRUE);
        return shape->GetMapeID();
    }

    int AddSquare(double x, double y, double side, COLORREF own = CLR_INVALID)
    {
        return AddShape(true, {CFloatPoint(x, y), CFloatPoint(x + side, y), CFloatPoint(x + side, y + side),
                               CFloatPoint(x, y + side)},
                        own);
    }

    // What the objects of `ids` draw, each built from its row (an id without
    // one draws nothing) and drawn in id order with the layer's tools selected,
    // as the layer's drawing does for an object it builds.
    // Objects of `tiny` (below two pixels) are first set as one pixel of the
    // layer's pen colour at their bottom left corner, as the layer sets them.
    std::vector<COLORREF> ObjectsDrawn(std::vector<int> ids, const std::vector<int>& tiny = {})
    {
        std::sort(ids.begin(), ids.end());
        Surface s;
        for (int id : tiny) {
            std::unique_ptr<CMapObject> object(layer->ReadObject(id, FALSE, FALSE));
            const CDoubleRect r = object->GetBoundary();
            const CPoint p = CFloatPoint(r.left, r.bottom).ToDevice(s.originX, s.originY, s.zoom, kSide);
            s.dc.SetPixel(p.x, p.y, layer->GetStyle()->GetPenColor());
        }
        CPen pen;
        CBrush brush;
        layer->GetStyle()->CreatePen(pen);
        layer->GetStyle()->CreateBrush(brush);
        s.dc.SetBkMode(layer->GetStyle()->GetBkMode());
        s.dc.SetBkColor(layer->GetStyle()->GetBkColor());
        CPen* oldPen = s.dc.SelectObject(&pen);
        CBrush* oldBrush = s.dc.SelectObject(&brush);
        for (int id : ids) {
            std::unique_ptr<CMapObject> object(layer->ReadObject(id, FALSE, FALSE));
            if (object)
                object->Draw(&s.dc, &s.client, &s.originX, &s.originY, &s.zoom);
        }
        s.dc.SelectObject(oldPen);
        s.dc.SelectObject(oldBrush);
        return s.Pixels();
    }

    std::vector<COLORREF> LayerDrawn()
    {
        Surface s;
        layer->Draw(&s.dc, &s.client, &s.originX, &s.originY, &s.zoom);
        return s.Pixels();
    }

    // The layer draws what its objects draw, and draws something.
    void ExpectDrawnAsObjects(const std::vector<int>& ids, const std::vector<int>& tiny = {})
    {
        const std::vector<COLORREF> drawn = LayerDrawn();
        const std::vector<COLORREF> expected = ObjectsDrawn(ids, tiny);
        int differing = 0, inked = 0;
        for (size_t i = 0; i < drawn.size(); ++i) {
            differing += drawn[i] != expected[i];
            inked += expected[i] != kWhite;
        }
        EXPECT_EQ(differing, 0) << "pixels where the layer's drawing differs from its objects'";
        EXPECT_GT(inked, 500);
    }

    std::vector<int> AddRandomShapes(unsigned seed, int count)
    {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> at(5, 95), size(3, 25), unit(0, 1);
        const COLORREF owns[] = {RGB(200, 0, 0), RGB(0, 120, 1), RGB(90, 40, 3), RGB(10, 10, 10)};
        std::vector<int> ids;
        for (int i = 0; i < count; ++i) {
            const double x = at(random), y = at(random), r = size(random);
            std::vector<CFloatPoint> points;
            const int corners = 3 + (int)(unit(random) * 6);
            for (int k = 0; k < corners; ++k) {
                const double a = 6.2831853 * k / corners;
                points.emplace_back(x + r * std::cos(a) * (0.4 + unit(random)), y + r * std::sin(a));
            }
            const COLORREF own = unit(random) < 0.4 ? owns[(size_t)(unit(random) * 4)] : CLR_INVALID;
            ids.push_back(AddShape(unit(random) < 0.5, points, own));
        }
        return ids;
    }
};

TEST_F(RowDrawing, LayerAndOwnStylesAlternatingDrawAsTheirObjects)
{
    std::vector<int> ids = AddRandomShapes(11, 60);
    // After a row of its own style, a polygon reaching far beyond the device
    // range, which its object cuts to a window: it must fill with the layer's brush.
    ids.push_back(AddSquare(20, 20, 10, RGB(90, 40, 3)));
    ids.push_back(AddShape(true, {CFloatPoint(-1e6f, -1e6f), CFloatPoint(1e6f, -1e6f), CFloatPoint(50, 1e6f)}));
    for (int id : AddRandomShapes(12, 60))
        ids.push_back(id);
    ExpectDrawnAsObjects(ids);
    // A layer that overrides its objects' styles draws every row in its own.
    layer->SetOverride(1);
    ExpectDrawnAsObjects(ids);
    layer->SetOverride(0);
    // Labels need the objects: the same pixels come from the objects' way.
    layer->SetAutoLabel(1);
    const std::vector<COLORREF> labelled = LayerDrawn();
    layer->SetAutoLabel(0);
    EXPECT_EQ(labelled, LayerDrawn());
}

TEST_F(RowDrawing, EditsUndoAndReopeningAreDrawnAsTheRowsNowStand)
{
    std::vector<int> ids = AddRandomShapes(23, 60);
    ExpectDrawnAsObjects(ids);

    // A layer-style shape moved and given its own style, an own-style shape
    // put back on the layer's style, one removed.
    std::unique_ptr<CMapObject> moved(layer->ReadObject(ids[10], FALSE, TRUE));
    std::unique_ptr<CMapObject> restyled(layer->ReadObject(ids[20], FALSE, TRUE));
    std::unique_ptr<CMapObject> removed(layer->ReadObject(ids[30], FALSE, TRUE));
    ASSERT_TRUE(moved && restyled && removed);
    CList<CMapObject*, CMapObject*> before;
    before.AddTail(moved->Clone(nullptr));
    before.AddTail(restyled->Clone(nullptr));
    layer->RecordEdit(before, CMapHistoryEntry::kChanged);
    double zoom = 1;
    moved->MoveBy(7, -5, &zoom);
    moved->SetUseLayerStyle(FALSE);
    moved->GetOwnStyle()->SetPenColor(RGB(255, 0, 255));
    layer->RewriteObject(moved.get());
    restyled->SetUseLayerStyle(!restyled->UsesLayerStyle());
    layer->RewriteObject(restyled.get());
    layer->RemoveObject(removed.get());
    ExpectDrawnAsObjects(ids);

    layer->Undo();
    ExpectDrawnAsObjects(ids);
    layer->Redo();
    ExpectDrawnAsObjects(ids);
    SaveAndReopen();
    ExpectDrawnAsObjects(ids);
}

TEST_F(RowDrawing, OnlyCandidatesWithRowsAreDrawnOverGapsOfEveryWidth)
{
    // Runs of squares in the view and runs of others, so that the candidates'
    // ids lie one, a few and many ids apart; some rows deleted behind the
    // index's back and index entries that never had a row. The others lie
    // outside the view or are red squares too small to be more than a pixel:
    // a row read past would draw it red.
    std::vector<int> inside, tiny;
    int column = 0;
    for (int run : {1, 3, 9, 2, 30, 1, 8, 9, 4}) {
        for (int i = 0; i < run; ++i) {
            if (i % 2)
                AddSquare(400 + i, 400, 3);
            else
                tiny.push_back(AddSquare(2.25 + (double)(tiny.size() % 30) * 3, 90.25, 1.5, RGB(255, 0, 0)));
        }
        for (int i = 0; i < run % 5 + 1; ++i, ++column)
            inside.push_back(AddSquare(2 + (column % 16) * 6, 2 + (column / 16) * 6, 4,
                                       column % 3 == 0 ? RGB(200, 0, 0) : CLR_INVALID));
    }
    for (size_t i = 2; i < inside.size(); i += 5) {
        CString sql;
        sql.Format("delete from _MapGeoData where mapeID=%d;", inside[i]);
        layer->GetDatabase()->ExecuteChecked(sql);
    }
    layer->IndexInsert(100000, CDoubleRect(10.0, 10.0, 60.0, 60.0));
    layer->IndexInsert(-5, CDoubleRect(10.0, 10.0, 60.0, 60.0));
    ExpectDrawnAsObjects(inside, tiny);
    // A deleted square draws nothing at all.
    const std::vector<COLORREF> drawn = LayerDrawn();
    const int gone = 2;   // inside[2]: column 2, row 0
    EXPECT_EQ(drawn[(size_t)((kSide - 1 - 4) * kSide + 2 + gone * 6 + 2)], kWhite);
}

TEST_F(RowDrawing, AKindRegisteredAnewDrawsThroughItsOwnClass)
{
    AddSquare(10, 10, 30);
    const int other = AddSquare(60, 60, 30);
    const ObjectKindCreator previous = RegisterObjectKind(MAP_OBJECT_POLYGON, [] {
        return static_cast<CMapObject*>(new GreenRing);
    });
    Surface s;
    layer->Draw(&s.dc, &s.client, &s.originX, &s.originY, &s.zoom);
    RegisterObjectKind(MAP_OBJECT_POLYGON, previous);
    // Map (20, 20) and (75, 75): the kind's fill, not the layer's brush.
    EXPECT_EQ(s.dc.GetPixel(20, kSide - 1 - 20), RGB(0, 200, 0));
    EXPECT_EQ(s.dc.GetPixel(75, kSide - 1 - 75), RGB(0, 200, 0));
    EXPECT_GT(other, 0);
}

}
