// The multi-part kinds and the polygon with holes: their geometry BLOBs byte
// for byte, reading them back from a reopened layer file, areas and lengths
// with holes, hits and containment that exclude holes, drawing that leaves
// holes unpainted, vertex deletion across parts and rings, and the flags that
// reach every part.
#include "tests/model/objects/LayerTestSupport.h"
#include "tests/model/polygons/PointListTestSupport.h"

#include "model/polygons/MapAdvPolygon.h"
#include "model/polygons/MapPolyAdvPolygon.h"
#include "model/polygons/MapPolyParts.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "model/layers/RowStatements.h"

#include <ogr_spatialref.h>

#include <bit>
#include <cfloat>
#include <cstdint>
#include <functional>
#include <memory>

namespace {

CMapPolygon* Ring(std::initializer_list<XY> points, bool hole = false)
{
    auto* ring = new CMapPolygon;
    FillPoints(*ring, points);
    ring->SetRingFlag(hole);
    return ring;
}

CMapPolyline* Line(std::initializer_list<XY> points)
{
    auto* line = new CMapPolyline;
    FillPoints(*line, points);
    return line;
}

// A square of side `s` at (x, y), counter-clockwise.
CMapPolygon* Square(double x, double y, double s, bool hole = false)
{
    return Ring({{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}}, hole);
}

CMapAdvPolygon* SquareWithHole(double x, double y, double s, double hx, double hy, double hs)
{
    auto* polygon = new CMapAdvPolygon;
    FillPoints(*polygon, {{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}});
    polygon->AddInnerRing(Square(hx, hy, hs));
    return polygon;
}

// Expected stored bytes, written here independently of the code under test:
// each entry a vertex, or a separator.
struct Rec {
    float x, y;
};
const Rec kHole{FLT_MIN, FLT_MIN};
const Rec kPart{FLT_MAX, FLT_MAX};

Bytes Expected(std::initializer_list<Rec> records)
{
    Bytes out;
    for (const Rec& r : records) {
        for (float v : {r.x, r.y}) {
            const uint32_t bits = std::bit_cast<uint32_t>(v);
            for (int i = 0; i < 4; ++i)
                out.push_back((BYTE)(bits >> (8 * i)));
        }
    }
    return out;
}

std::vector<Rec> SquareRecs(float x, float y, float s)
{
    return {{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}};
}

XY Pt(const CFloatPoint& p)
{
    return {p.x, p.y};
}

Bytes Concat(std::initializer_list<std::vector<Rec>> runs)
{
    std::vector<Rec> all;
    for (const auto& run : runs)
        all.insert(all.end(), run.begin(), run.end());
    Bytes out;
    for (const Rec& r : all) {
        const Bytes one = Expected({r});
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}

std::unique_ptr<CMapPolyPolygon> ThreeParts()
{
    auto whole = std::make_unique<CMapPolyPolygon>();
    whole->AddPart(Square(0, 0, 10));
    whole->AddPart(Ring({{2, 2}, {4, 2}, {3, 4}}, true));
    whole->AddPart(Ring({{20, 0}, {30, 0}, {30, 10}, {25, 15}, {20, 10}}));
    return whole;
}

std::unique_ptr<CMapPolyPolyline> TwoLines()
{
    auto whole = std::make_unique<CMapPolyPolyline>();
    whole->AddPart(Line({{0, 0}, {5, 0}}));
    whole->AddPart(Line({{0, 1}, {5, 1}, {5, 6}}));
    return whole;
}

std::unique_ptr<CMapPolyAdvPolygon> TwoAdvParts()
{
    auto whole = std::make_unique<CMapPolyAdvPolygon>();
    whole->AddPart(SquareWithHole(0, 0, 4, 1, 1, 1));
    auto* plain = new CMapAdvPolygon;
    FillPoints(*plain, {{10, 0}, {12, 0}, {12, 2}, {10, 2}});
    whole->AddPart(plain);
    return whole;
}

std::vector<BYTE> BlobOf(CMapObject* object)
{
    if (auto* parts = dynamic_cast<CMapPartList*>(object))
        return parts->GetGeometryBlob();
    return static_cast<CMapAdvPolygon*>(object)->GetGeometryBlob();
}

TEST(MultiPartBlob, EveryLayoutByteForByte)
{
    struct Case {
        const char* name;
        std::function<CMapObject*()> make;
        Bytes expected;
    };
    const Case cases[] = {
        {"polypolygon with a hole", [] { return ThreeParts().release(); },
         Concat({SquareRecs(0, 0, 10), {kHole, {2, 2}, {4, 2}, {3, 4}, kPart},
                 {{20, 0}, {30, 0}, {30, 10}, {25, 15}, {20, 10}}})},
        {"polypolyline", [] { return TwoLines().release(); },
         Concat({{{0, 0}, {5, 0}, kPart, {0, 1}, {5, 1}, {5, 6}}})},
        {"polygon with a hole", [] { return SquareWithHole(0, 0, 4, 1, 1, 1); },
         Concat({SquareRecs(0, 0, 4), {kHole}, SquareRecs(1, 1, 1)})},
        {"multi-part polygon with holes", [] { return TwoAdvParts().release(); },
         Concat({SquareRecs(0, 0, 4), {kHole}, SquareRecs(1, 1, 1), {kPart}, SquareRecs(10, 0, 2)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CMapObject> object(c.make());
        EXPECT_EQ(BlobOf(object.get()), c.expected);
    }
    // The separators as the file holds them.
    EXPECT_EQ(Expected({kHole}), (Bytes{0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x80, 0x00}));
    EXPECT_EQ(Expected({kPart}), (Bytes{0xff, 0xff, 0x7f, 0x7f, 0xff, 0xff, 0x7f, 0x7f}));
    EXPECT_EQ(cases[0].expected.size(), 112u);
    EXPECT_EQ(cases[1].expected.size(), 48u);
    EXPECT_EQ(cases[2].expected.size(), 72u);
    EXPECT_EQ(cases[3].expected.size(), 112u);
}

class MultiPartLayer : public LayerFile {};

TEST_F(MultiPartLayer, EveryKindRoundTripsThroughAReopenedLayerFile)
{
    std::vector<std::unique_ptr<CMapObject>> added;
    added.emplace_back(ThreeParts());
    added.emplace_back(TwoLines());
    added.emplace_back(SquareWithHole(0, 0, 4, 1, 1, 1));
    added.emplace_back(TwoAdvParts());
    for (auto& object : added) {
        object->GetStyle()->SetPenColor(RGB(object->GetType(), 7, 9));
        layer->AddObject(object.get(), TRUE);
        EXPECT_EQ(Blob("mapeGeoData", object->GetMapeID()), BlobOf(object.get()));
    }
    CMapModel reopened;
    CMapLayer* again = Reopen(reopened);
    ASSERT_TRUE(again->GetDatabase());
    for (auto& original : added) {
        SCOPED_TRACE(original->GetType());
        std::unique_ptr<CMapObject> read = ReadObject(again, original->GetMapeID());
        ASSERT_TRUE(read);
        EXPECT_EQ(read->GetType(), original->GetType());
        EXPECT_EQ(read->GetBoundary(), original->GetBoundary());
        EXPECT_EQ(read->GetStyle()->GetPenColor(), original->GetStyle()->GetPenColor());
        // Measured on the borrowed row first, then on an owned copy.
        EXPECT_DOUBLE_EQ(read->GetArea(nullptr), original->GetArea(nullptr));
        EXPECT_FALSE(read->IsGeometryBorrowed());
        read->LoadGeometry();
        EXPECT_TRUE(read->IsGeometryLoaded());
        EXPECT_EQ(BlobOf(read.get()), BlobOf(original.get()));
        EXPECT_DOUBLE_EQ(read->GetLength(nullptr), original->GetLength(nullptr));
    }
    auto holes = ReadObject(again, added[0]->GetMapeID());
    auto* parts = static_cast<CMapPolyPolygon*>(holes.get());
    ASSERT_EQ(parts->GetPartCount(), 3);
    POSITION pos = parts->GetHeadPartPosition();
    EXPECT_FALSE(parts->GetNextPart(pos)->GetRingFlag());
    EXPECT_TRUE(parts->GetNextPart(pos)->GetRingFlag());
    EXPECT_FALSE(parts->GetNextPart(pos)->GetRingFlag());
    auto multi = ReadObject(again, added[3]->GetMapeID());
    multi->LoadGeometry();
    EXPECT_EQ(multi->GetPointCount(), 12);
}

TEST_F(MultiPartLayer, AnEditedObjectWritesAllItsPartsBack)
{
    std::unique_ptr<CMapAdvPolygon> polygon(SquareWithHole(0, 0, 10, 2, 2, 2));
    layer->AddObject(polygon.get(), TRUE);
    const int id = polygon->GetMapeID();
    std::unique_ptr<CMapObject> read = ReadObject(layer, id);
    auto* adv = static_cast<CMapAdvPolygon*>(read.get());
    double zoom = 1.0;
    g_DefaultViewHeight = 100;
    adv->MoveBy(5, 0, &zoom);
    std::unique_ptr<CMapObject> again = ReadObject(layer, id);
    again->LoadGeometry();
    auto* moved = static_cast<CMapAdvPolygon*>(again.get());
    ASSERT_EQ(moved->GetInnerRingCount(), 1);
    EXPECT_EQ(moved->GetHandlePoint(0).x, 5.0f);
    EXPECT_EQ(moved->GetHandlePoint(4).x, 7.0f);   // the first vertex of the hole
    // A shift along the longitudes keeps the area on the sphere too.
    EXPECT_NEAR(moved->GetArea(nullptr), polygon->GetArea(nullptr), polygon->GetArea(nullptr) * 1e-9);
}

TEST(MultiPartMeasure, AreasSubtractHolesAndLengthsCountThem)
{
    auto whole = std::make_unique<CMapPolyPolygon>();
    whole->AddPart(Square(0, 0, 2));
    whole->AddPart(Square(0.5, 0.5, 1, true));
    EXPECT_DOUBLE_EQ(whole->GetArea(nullptr), 3.0);
    EXPECT_DOUBLE_EQ(whole->GetLength(nullptr), 12.0);

    std::unique_ptr<CMapAdvPolygon> adv(SquareWithHole(0, 0, 2, 0.5, 0.5, 1));
    EXPECT_DOUBLE_EQ(adv->GetArea(nullptr), 3.0);
    EXPECT_DOUBLE_EQ(adv->GetLength(nullptr), 12.0);
    EXPECT_EQ(adv->GetPointCount(), 4);
    EXPECT_EQ(adv->GetTotalPointCount(), 8);

    EXPECT_DOUBLE_EQ(TwoAdvParts()->GetArea(nullptr), 15.0 + 4.0);

    auto lines = TwoLines();
    EXPECT_DOUBLE_EQ(lines->GetArea(nullptr), 0.0);
    EXPECT_DOUBLE_EQ(lines->GetLength(nullptr), 15.0);
    EXPECT_EQ(Pt(lines->GetLabelPoint()), Pt(lines->GetBoundary().GetCentre()));
    EXPECT_EQ(CMapPolyPolygon().GetDistance(CFloatPoint(0, 0)), -1.0);
}

TEST(MultiPartMeasure, LabelOfAPolypolygonSitsInItsLargestPart)
{
    auto whole = ThreeParts();
    const CFloatPoint label = whole->GetLabelPoint();
    EXPECT_GT(label.x, 20.0f);
}

TEST(MultiPartContains, APointInAHoleIsOutside)
{
    auto whole = std::make_unique<CMapPolyPolygon>();
    whole->AddPart(Square(0, 0, 10));
    whole->AddPart(Square(4, 4, 2, true));
    std::unique_ptr<CMapAdvPolygon> adv(SquareWithHole(0, 0, 10, 4, 4, 2));
    std::unique_ptr<CMapPolyAdvPolygon> multi(new CMapPolyAdvPolygon);
    multi->AddPart(SquareWithHole(0, 0, 10, 4, 4, 2));
    const CFloatPoint inHole(5, 5), inArea(1, 1), outside(11, 5);
    EXPECT_FALSE(whole->ContainsFloatPoint(&inHole));
    EXPECT_TRUE(whole->ContainsFloatPoint(&inArea));
    EXPECT_FALSE(adv->ContainsFloatPoint(&inHole));
    EXPECT_TRUE(adv->ContainsFloatPoint(&inArea));
    EXPECT_FALSE(adv->ContainsFloatPoint(&outside));
    EXPECT_FALSE(multi->ContainsFloatPoint(&inHole));
    EXPECT_TRUE(multi->ContainsFloatPoint(&inArea));
    // The outer ring alone answers ContainsXY.
    double x = 5, y = 5;
    EXPECT_TRUE(adv->ContainsXY(&x, &y));
}

class MultiPartView : public ::testing::Test {
protected:
    void SetUp() override { g_DefaultViewHeight = 100; }
    void Style(CMapObject* object)
    {
        CMapStyle* style = object->GetStyle();
        style->SetPenColor(RGB(255, 0, 0));
        style->SetPenWidth(0.0f);
        style->SetBrushStyle(MAPBRUSH_SOLID);
        style->SetBrushColor(RGB(0, 0, 255));
    }
    RECT client{0, 0, 100, 100};
    double x0 = 0, y0 = 0, zoom = 1;
};

// Outer square 10..60, hole 25..45: device y = 100 - map y.
TEST_F(MultiPartView, HolesStayUnpaintedAndAreNoHit)
{
    auto whole = std::make_unique<CMapPolyPolygon>();
    whole->AddPart(Square(10, 10, 50));
    whole->AddPart(Square(25, 25, 20, true));
    std::unique_ptr<CMapAdvPolygon> adv(SquareWithHole(10, 10, 50, 25, 25, 20));
    auto multi = std::make_unique<CMapPolyAdvPolygon>();
    multi->AddPart(SquareWithHole(10, 10, 50, 25, 25, 20));
    for (CMapObject* object : std::initializer_list<CMapObject*>{whole.get(), adv.get(), multi.get()}) {
        SCOPED_TRACE(object->GetType());
        Style(object);
        Surface surface(100);
        object->Draw(&surface.dc, &client, &x0, &y0, &zoom);
        EXPECT_EQ(surface.dc.GetPixel(35, 65), RGB(255, 255, 255));   // in the hole
        EXPECT_EQ(surface.dc.GetPixel(15, 65), RGB(0, 0, 255));       // between the rings
        EXPECT_EQ(surface.dc.GetPixel(10, 65), RGB(255, 0, 0));       // the outer outline
        EXPECT_EQ(surface.dc.GetPixel(25, 65), RGB(255, 0, 0));       // the hole's outline
        EXPECT_EQ(surface.dc.GetPixel(70, 65), RGB(255, 255, 255));   // outside
        EXPECT_FALSE(object->HitTest(35, 65, &x0, &y0, &zoom));
        EXPECT_TRUE(object->HitTest(15, 65, &x0, &y0, &zoom));
        EXPECT_FALSE(object->HitTest(70, 65, &x0, &y0, &zoom));
    }
}

TEST(MultiPartEdit, DeletingVerticesRemovesPartsAndHolesThatBecomeTooSmall)
{
    auto whole = ThreeParts();   // parts of 4, 3 (hole) and 5 vertices
    EXPECT_TRUE(whole->DeleteVertex(0));
    EXPECT_EQ(whole->GetPartCount(), 3);
    EXPECT_EQ(whole->GetPointCount(), 11);
    EXPECT_TRUE(whole->DeleteVertex(3));   // a vertex of the 3-vertex hole
    EXPECT_EQ(whole->GetPartCount(), 2);
    EXPECT_FALSE(whole->DeleteVertex(100));

    auto single = std::make_unique<CMapPolyPolygon>();
    single->AddPart(Ring({{0, 0}, {1, 0}, {0, 1}}));
    EXPECT_FALSE(single->DeleteVertex(0));

    auto lines = TwoLines();
    EXPECT_TRUE(lines->DeleteVertex(0));
    EXPECT_EQ(lines->GetPartCount(), 1);
    auto shortLine = std::make_unique<CMapPolyPolyline>();
    shortLine->AddPart(Line({{0, 0}, {1, 1}}));
    EXPECT_FALSE(shortLine->DeleteVertex(1));

    std::unique_ptr<CMapAdvPolygon> adv(new CMapAdvPolygon);
    FillPoints(*adv, {{0, 0}, {9, 0}, {0, 9}});
    adv->AddInnerRing(Ring({{1, 1}, {2, 1}, {1, 2}}));
    EXPECT_FALSE(adv->DeleteVertex(0));   // the outer ring keeps 3
    EXPECT_TRUE(adv->DeleteVertex(3));    // the hole goes whole
    EXPECT_EQ(adv->GetInnerRingCount(), 0);

    auto multi = std::make_unique<CMapPolyAdvPolygon>();
    auto* triangle = new CMapAdvPolygon;
    FillPoints(*triangle, {{0, 0}, {1, 0}, {0, 1}});
    multi->AddPart(triangle);
    EXPECT_FALSE(multi->DeleteVertex(0));
    multi->AddPart(SquareWithHole(5, 5, 4, 6, 6, 1));
    EXPECT_TRUE(multi->DeleteVertex(0));
    EXPECT_EQ(multi->GetPartCount(), 1);
}

TEST(MultiPartEdit, HandlesCountThroughRingsAndParts)
{
    std::unique_ptr<CMapAdvPolygon> adv(SquareWithHole(0, 0, 10, 2, 2, 2));
    EXPECT_EQ(adv->GetHandleCount(), 8);
    EXPECT_EQ(Pt(adv->GetHandlePoint(4)), XY(2, 2));
    auto multi = TwoAdvParts();
    EXPECT_EQ(multi->GetHandleCount(), 12);
    EXPECT_EQ(Pt(multi->GetHandlePoint(8)), XY(10, 0));
    EXPECT_EQ(Pt(multi->GetHandlePoint(12)), XY(0, 0));

    // The parts of a multi-part polygon with holes hold their holes' vertices too.
    POSITION pos = nullptr;
    int local = 0;
    EXPECT_EQ(multi->FindPartOfVertex(5, pos, local), multi->GetFirstPart());
    EXPECT_EQ(local, 5);
    EXPECT_EQ(multi->FindPartOfVertex(8, pos, local), multi->GetLastPart());
    EXPECT_EQ(local, 0);
    for (int beyond : {12, -1}) {
        EXPECT_EQ(multi->FindPartOfVertex(beyond, pos, local), nullptr);
        EXPECT_EQ(pos, nullptr);
        EXPECT_EQ(local, -1);
    }
}

TEST(MultiPartFlags, DeselectCacheFlagAndRingMarksReachEveryPartAndRing)
{
    auto multi = TwoAdvParts();
    auto* first = static_cast<CMapAdvPolygon*>(multi->GetFirstPart());
    POSITION pos = first->GetFirstInnerRingPosition();
    CMapPolygon* hole = first->GetNextInnerRing(pos);
    multi->Select();
    first->Select();
    hole->Select();
    multi->Deselect();
    EXPECT_FALSE(multi->IsSelected());
    EXPECT_FALSE(first->IsSelected());
    EXPECT_FALSE(hole->IsSelected());
    multi->SetCacheFlag(TRUE);
    EXPECT_TRUE(hole->GetFlags() & CMapObject::kCacheFlag);
    multi->MarkRings(TRUE);
    EXPECT_TRUE(hole->GetRingFlag());
    multi->MarkRings(FALSE);
    EXPECT_FALSE(hole->GetRingFlag());
}

// On a projected map a spherical length goes through a geographic copy: every
// ring must be copied and transformed, or the holes would be measured in
// degrees or not at all.
TEST_F(MultiPartLayer, SphericalLengthOnAProjectedMapCountsTheHolesInMetres)
{
    auto* utm = new OGRSpatialReference;
    utm->importFromEPSG(32633);
    model.SetSpatialReference(utm, 32633);
    std::unique_ptr<CMapAdvPolygon> adv(SquareWithHole(500000, 5000000, 1000, 500250, 5000250, 500));
    adv->SetLayer(layer);
    int mode = 1;
    EXPECT_NEAR(adv->MeasureLength(&mode), 6000.0, 60.0);
    EXPECT_EQ(mode, 1);
    EXPECT_NEAR(adv->GetArea(nullptr), 750000.0, 1.0);
}

}

namespace {
// The layer's paint builds each object from the row its query stands on and
// lets it borrow the geometry from there: the parts and rings of every kind
// must be split out of that row, and the holes stay empty.
TEST_F(MultiPartLayer, TheLayersPaintDrawsEveryKindFromItsQueryRow)
{
    std::vector<std::unique_ptr<CMapObject>> added;
    auto whole = std::make_unique<CMapPolyPolygon>();
    whole->AddPart(Square(10, 10, 50));
    whole->AddPart(Square(25, 25, 20, true));
    added.emplace_back(std::move(whole));
    added.emplace_back(SquareWithHole(110, 10, 50, 125, 25, 20));
    auto multi = std::make_unique<CMapPolyAdvPolygon>();
    multi->AddPart(SquareWithHole(210, 10, 50, 225, 25, 20));
    added.emplace_back(std::move(multi));
    for (auto& object : added) {
        CMapStyle* style = object->GetStyle();
        style->SetPenColor(RGB(255, 0, 0));
        style->SetPenWidth(0.0f);
        style->SetBrushStyle(MAPBRUSH_SOLID);
        style->SetBrushColor(RGB(0, 0, 255));
        layer->AddObject(object.get(), TRUE);
    }
    Surface surface(300);
    const RECT client{0, 0, 300, 300};
    double x0 = 0, y0 = 0, zoom = 1;
    model.Draw(&surface.dc, &client, &x0, &y0, &zoom);
    for (int left : {10, 110, 210}) {
        SCOPED_TRACE(left);
        EXPECT_EQ(surface.dc.GetPixel(left + 25, 300 - 35), RGB(255, 255, 255));   // in the hole
        EXPECT_EQ(surface.dc.GetPixel(left + 5, 300 - 35), RGB(0, 0, 255));
        EXPECT_EQ(surface.dc.GetPixel(left + 15, 300 - 35), RGB(255, 0, 0));
    }
    EXPECT_TRUE(g_LayerQueryStatement.IsEmpty());
}
}
