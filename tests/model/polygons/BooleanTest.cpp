// The boolean operations of areal objects, checked against GDAL/OGR's own
// (GEOS) operations on the same rings: the area of every result of
// intersection, difference, symmetric difference and union on a table of
// pairs with crossings, shared edges, touching vertices, containment, holes,
// several parts and projected coordinates; and the ring steps the operations
// are made of.
#include "model/polygons/ClipPolygon.h"
#include "model/polygons/MapAdvPolygon.h"
#include "model/polygons/MapMultiPart.h"
#include "model/polygons/MapPolyParts.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"

#include <gtest/gtest.h>
#include <ogr_geometry.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using XY = std::pair<double, double>;
using RingXY = std::vector<XY>;
// The first ring is the outer one, the others its holes.
using Shape = std::vector<RingXY>;

RingXY Rect(double l, double b, double r, double t)
{
    return {{l, b}, {r, b}, {r, t}, {l, t}};
}

// n vertices around (cx, cy) on a radius that waves n / 20 times, rounded to
// the floats the objects keep, so that both sides see the same figure.
RingXY Wavy(int n, double cx, double cy, double radius, double phase)
{
    RingXY ring;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * 3.141592653589793 * i / n;
        const double r = radius + radius * 0.08 * std::sin(a * (n / 20) + phase);
        ring.emplace_back((float)(cx + r * std::cos(a)), (float)(cy + r * std::sin(a)));
    }
    return ring;
}

RingXY Reversed(RingXY ring)
{
    std::reverse(ring.begin(), ring.end());
    return ring;
}

void Fill(CMapPointList& list, const RingXY& ring)
{
    for (const XY& p : ring)
        list.AddDoublePoint(p.first, p.second);
}

// A polygon for one ring, a polygon with holes for more.
std::unique_ptr<CMapObject> MakeShape(const Shape& shape)
{
    if (shape.size() == 1) {
        auto polygon = std::make_unique<CMapPolygon>();
        Fill(*polygon, shape[0]);
        return polygon;
    }
    auto polygon = std::make_unique<CMapAdvPolygon>();
    Fill(*polygon, shape[0]);
    for (size_t i = 1; i < shape.size(); ++i) {
        auto* hole = new CMapPolygon;
        Fill(*hole, shape[i]);
        polygon->AddInnerRing(hole);
    }
    return polygon;
}

// A polypolygon of outer parts.
std::unique_ptr<CMapObject> MakeParts(const std::vector<RingXY>& parts)
{
    auto whole = std::make_unique<CMapPolyPolygon>();
    for (const RingXY& ring : parts) {
        auto* part = new CMapPolygon;
        Fill(*part, ring);
        whole->AddPart(part);
    }
    return whole;
}

std::string RingWkt(const RingXY& ring)
{
    std::ostringstream out;
    out.precision(17);
    out << "(";
    for (const XY& p : ring)
        out << p.first << " " << p.second << ",";
    out << ring[0].first << " " << ring[0].second << ")";
    return out.str();
}

std::string ShapeWkt(const Shape& shape)
{
    std::string text = "(";
    for (size_t i = 0; i < shape.size(); ++i)
        text += (i ? "," : "") + RingWkt(shape[i]);
    return text + ")";
}

std::unique_ptr<OGRGeometry> Ogr(const std::string& wkt)
{
    OGRGeometry* geometry = nullptr;
    EXPECT_EQ(OGRGeometryFactory::createFromWkt(wkt.c_str(), nullptr, &geometry), OGRERR_NONE) << wkt;
    return std::unique_ptr<OGRGeometry>(geometry);
}

double OgrArea(const OGRGeometry* a, const OGRGeometry* b, int op)
{
    std::unique_ptr<OGRGeometry> result;
    switch (op) {
    case 0: result.reset(a->Intersection(b)); break;
    case 1: result.reset(a->Difference(b)); break;
    case 2: result.reset(a->SymDifference(b)); break;
    default: result.reset(a->Union(b)); break;
    }
    if (!result)
        return 0.0;
    const auto* surface = dynamic_cast<const OGRSurface*>(result.get());
    if (surface)
        return surface->get_Area();
    if (const auto* collection = dynamic_cast<const OGRGeometryCollection*>(result.get()))
        return collection->get_Area();
    return 0.0;
}

double OurArea(CMapObject* a, CMapObject* b, int op)
{
    std::unique_ptr<CMapPolyPolygon> result;
    if (auto* adv = dynamic_cast<CMapAdvPolygon*>(a))
        result.reset(adv->BooleanOp(b, op));
    else
        result.reset(static_cast<CMapPolygon*>(a)->BooleanOp(b, op));
    return result ? result->GetArea(nullptr) : 0.0;
}

struct Pair {
    const char* name;
    Shape a;
    Shape b;
    // When set, b is a polypolygon of these outer parts instead.
    std::vector<RingXY> bParts;
};

std::vector<Pair> Pairs()
{
    const double X = 500000, Y = 5000000;   // projected coordinates
    return {
        {"crossing squares", {Rect(0, 0, 2, 2)}, {Rect(1, 1, 3, 3)}, {}},
        {"second inside the first", {Rect(0, 0, 10, 10)}, {Rect(2, 2, 5, 5)}, {}},
        {"first inside the second", {Rect(2, 2, 5, 5)}, {Rect(0, 0, 10, 10)}, {}},
        {"disjoint", {Rect(0, 0, 1, 1)}, {Rect(5, 5, 6, 6)}, {}},
        {"one shared edge", {Rect(0, 0, 1, 1)}, {Rect(1, 0, 2, 1)}, {}},
        {"part of an edge shared", {Rect(0, 0, 2, 2)}, {Rect(1, 0, 3, 1)}, {}},
        {"inner edge shared", {Rect(0, 0, 2, 2)}, {Rect(0, 0, 1, 2)}, {}},
        {"touching at a vertex", {Rect(0, 0, 1, 1)}, {Rect(1, 1, 2, 2)}, {}},
        {"identical", {Rect(0, 0, 3, 3)}, {Rect(0, 0, 3, 3)}, {}},
        {"stored clockwise", {Reversed(Rect(0, 0, 2, 2))}, {Rect(1, 1, 3, 3)}, {}},
        {"concave and a square", {{{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 4}, {0, 4}}}, {Rect(0.5, 0.5, 2.5, 2.5)}, {}},
        {"triangles through each other", {{{0, 0}, {4, 0}, {2, 4}}}, {{{0, 3}, {4, 3}, {2, -1}}}, {}},
        {"vertex on an edge", {{{0, 0}, {4, 0}, {2, 2}}}, {{{2, 0}, {3, -2}, {1, -2}}}, {}},
        {"hole crossed", {Rect(0, 0, 10, 10), Rect(3, 3, 7, 7)}, {Rect(5, -1, 12, 5)}, {}},
        {"inside the hole", {Rect(0, 0, 10, 10), Rect(2, 2, 8, 8)}, {Rect(3, 3, 5, 5)}, {}},
        {"holes in both", {Rect(0, 0, 10, 10), Rect(1, 1, 4, 4)}, {Rect(5, 5, 15, 15), Rect(6, 6, 9, 9)}, {}},
        {"hole sharing the other's edge", {Rect(0, 0, 10, 10), Rect(2, 2, 6, 6)}, {Rect(6, 2, 8, 6)}, {}},
        {"two parts", {Rect(0, 0, 4, 4)}, {}, {Rect(-1, -1, 1, 1), Rect(3, 1, 5, 2)}},
        // Rings this large are cut and tested through a grid of their edges.
        {"wavy rings", {Wavy(300, 0, 0, 1000, 0)}, {Wavy(300, 300, 100, 1000, 1)}, {}},
        {"wavy rings with wavy holes", {Wavy(400, 0, 0, 1000, 0), Wavy(200, 100, 0, 400, 2)},
         {Wavy(300, 500, 100, 900, 1), Wavy(120, 500, 100, 300, 0)}, {}},
        {"projected coordinates", {Rect(X, Y, X + 2000, Y + 2000)}, {Rect(X + 1000, Y + 500, X + 3000, Y + 1500)}, {}},
    };
}

TEST(Boolean, AreasAgreeWithOgrOnEveryPairAndOperation)
{
    const char* names[] = {"intersection", "difference", "symmetric difference", "union"};
    for (const Pair& pair : Pairs()) {
        std::unique_ptr<CMapObject> a = MakeShape(pair.a);
        std::unique_ptr<CMapObject> b = pair.bParts.empty() ? MakeShape(pair.b) : MakeParts(pair.bParts);
        std::string bWkt = "POLYGON" + ShapeWkt(pair.b);
        if (!pair.bParts.empty()) {
            bWkt = "MULTIPOLYGON(";
            for (size_t i = 0; i < pair.bParts.size(); ++i)
                bWkt += (i ? "," : "") + ShapeWkt({pair.bParts[i]});
            bWkt += ")";
        }
        const auto oa = Ogr("POLYGON" + ShapeWkt(pair.a)), ob = Ogr(bWkt);
        for (int op = 0; op < 4; ++op) {
            SCOPED_TRACE(std::string(pair.name) + ", " + names[op]);
            const double expected = OgrArea(oa.get(), ob.get(), op);
            EXPECT_NEAR(OurArea(a.get(), b.get(), op), expected, 1e-6 * std::max(1.0, expected));
        }
    }
}

std::unique_ptr<CClipPolygon> ClipRing(const RingXY& ring)
{
    auto polygon = std::make_unique<CClipPolygon>();
    for (const XY& p : ring)
        polygon->AddVertex(CClipVertex(p.first, p.second));
    return polygon;
}

std::string Vertices(CMapPolygon& polygon)
{
    std::string text;
    for (int i = 0; i < polygon.GetPointCount(); ++i) {
        const CFloatPoint p = polygon.GetPoint(i);
        text += (text.empty() ? "" : " ") + std::to_string((int)p.x) + "," + std::to_string((int)p.y);
    }
    return text;
}

TEST(Boolean, IntersectionRingRunsWithTheRegionOnItsRight)
{
    auto a = MakeShape({Rect(0, 0, 2, 2)}), b = MakeShape({Rect(1, 1, 3, 3)});
    std::unique_ptr<CMapPolyPolygon> result(static_cast<CMapPolygon*>(a.get())->BooleanOp(b.get(), 0));
    ASSERT_TRUE(result);
    ASSERT_EQ(result->GetPartCount(), 1);
    auto* ring = static_cast<CMapPolygon*>(result->GetFirstPart());
    EXPECT_EQ(Vertices(*ring), "1,2 2,2 2,1 1,1");
    EXPECT_FALSE(ring->GetRingFlag());
}

TEST(Boolean, DifferenceWithAContainedSquareMakesAHole)
{
    auto a = MakeShape({Rect(0, 0, 10, 10)}), b = MakeShape({Rect(2, 2, 5, 5)});
    std::unique_ptr<CMapPolyPolygon> result(static_cast<CMapPolygon*>(a.get())->BooleanOp(b.get(), 1));
    ASSERT_EQ(result->GetPartCount(), 2);
    EXPECT_EQ(result->CountHoleParts(), 1);
    EXPECT_FALSE(result->GetFirstPart()->GetRingFlag());
    EXPECT_DOUBLE_EQ(result->GetArea(nullptr), 91.0);
}

TEST(Boolean, UnionOfNeighboursIsOneRingAroundBoth)
{
    auto a = MakeShape({Rect(0, 0, 1, 1)}), b = MakeShape({Rect(1, 0, 2, 1)});
    std::unique_ptr<CMapPolyPolygon> result(static_cast<CMapPolygon*>(a.get())->BooleanOp(b.get(), 3));
    ASSERT_EQ(result->GetPartCount(), 1);
    EXPECT_EQ(result->GetFirstPart()->GetPointCount(), 6);
    EXPECT_DOUBLE_EQ(result->GetArea(nullptr), 2.0);
}

TEST(Boolean, DisjointIntersectionIsNull)
{
    auto a = MakeShape({Rect(0, 0, 1, 1)}), b = MakeShape({Rect(5, 5, 6, 6)});
    EXPECT_EQ(static_cast<CMapPolygon*>(a.get())->BooleanOp(b.get(), 0), nullptr);
}

TEST(BooleanRing, OrientationOfFlatAndOfFarRings)
{
    auto flat = ClipRing({{0, 1}, {5, 1}, {9, 1}});
    flat->SetForward(1);
    EXPECT_FALSE(flat->SetOrientation(0));
    EXPECT_EQ(flat->IsForward(), 1);

    // Counter-clockwise in list order: interior on the left going forward.
    for (double offset : {0.0, 3.0e7, 4.0e9}) {
        SCOPED_TRACE(offset);
        auto ring = ClipRing(Rect(offset, offset, offset + 0.5, offset + 0.5));
        EXPECT_TRUE(ring->SetOrientation(1));
        EXPECT_EQ(ring->IsForward(), 1);
        EXPECT_TRUE(ring->SetOrientation(0));
        EXPECT_EQ(ring->IsForward(), 0);
    }
}

TEST(BooleanRing, CrossingsEnterBothRingsOnceEach)
{
    auto a = ClipRing(Rect(0, 0, 2, 2)), b = ClipRing(Rect(1, 1, 3, 3));
    b->IntersectClosedRings(a.get());
    EXPECT_EQ(a->GetPointCount(), 6);
    EXPECT_EQ(b->GetPointCount(), 6);
    EXPECT_EQ(a->CountIntersections(), 2);
    EXPECT_EQ(b->CountIntersections(), 2);

    // A crossing at the head is found through the closing edge too and stays marked.
    auto c = ClipRing({{0, 0}, {0, 3}, {-1, 3}, {-1, 0}}), d = ClipRing(Rect(0, -1, 2, 1));
    d->IntersectClosedRings(c.get());
    EXPECT_TRUE(c->GetHeadVertex().IsIntersection());
    EXPECT_EQ(c->GetPointCount(), 5);
}

TEST(BooleanRing, CuttingChainCrossesAPointListObject)
{
    // The square closed explicitly, as the split tool hands it over.
    CMapPolygon square;
    Fill(square, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    CMapPolygon untouched;
    Fill(untouched, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    CMapPolyline line;
    Fill(line, {{4, -5}, {4, 15}, {20, 15}});
    for (BOOL insert : {TRUE, FALSE}) {
        CMapPolygon& target = insert ? square : untouched;
        CClipPolygon chain;
        chain.SetFromObject(&line, FALSE);
        const std::unique_ptr<CMapPointList> found(chain.IntersectWithObject(&target, insert));
        ASSERT_TRUE(found);
        ASSERT_EQ(found->GetPointCount(), 2);
        EXPECT_TRUE(found->GetPoint(0).x == 4 && found->GetPoint(0).y == 0);
        EXPECT_TRUE(found->GetPoint(1).x == 4 && found->GetPoint(1).y == 10);
        // The chain holds them in its course, marked as crossings.
        ASSERT_EQ(chain.GetPointCount(), 5);
        EXPECT_TRUE(chain.GetVertexAt(1).IsIntersection());
        EXPECT_EQ(chain.GetVertexAt(2).y, 10.0);
        EXPECT_EQ(chain.CountIntersections(), 2);
        EXPECT_EQ(target.GetPointCount(), insert ? 7 : 5);
    }
    // A crossing at a vertex of the object counts once and is not inserted again.
    CMapPolyline diagonal;
    Fill(diagonal, {{-5, -5}, {5, 5}});
    CClipPolygon chain;
    chain.SetFromObject(&diagonal, FALSE);
    const std::unique_ptr<CMapPointList> corner(chain.IntersectWithObject(&square, TRUE));
    ASSERT_TRUE(corner);
    EXPECT_EQ(corner->GetPointCount(), 1);
    EXPECT_EQ(square.GetPointCount(), 7);

    CMapPolyline away;
    Fill(away, {{20, 20}, {30, 30}});
    CClipPolygon far;
    far.SetFromObject(&away, FALSE);
    EXPECT_EQ(far.IntersectWithObject(&square, TRUE), nullptr);
}

TEST(BooleanRing, ASlitOutAndBackStartsNoPiece)
{
    // A strip with a slit from (2, 1) up to (2, 6) and back, through the
    // other square from (2, 2) to (2, 5): both ways between the two crossings
    // are marked, the turn at the tip is not.
    auto slit = ClipRing({{0, 0}, {4, 0}, {4, 1}, {2, 1}, {2, 6}, {2, 1}, {0, 1}});
    auto other = ClipRing(Rect(1, 2, 3, 5));
    slit->SetOrientation(0);
    other->SetOrientation(0);
    other->IntersectClosedRings(slit.get());
    CMapMultiPart set;
    set.AddRing(other.release());
    slit->MarkAgainstSet(&set);
    int doubledBack = 0;
    for (POSITION pos = slit->GetHeadPosition(); pos;)
        doubledBack += slit->GetNext(pos).IsDoubledBack() ? 1 : 0;
    EXPECT_EQ(doubledBack, 2);
}

}

namespace {

// n vertices around (cx, cy) at random radii: long spiky edges that cross the
// other ring everywhere. Floats, as the objects keep them.
RingXY Jagged(int n, double cx, double cy, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> radius(700.0, 1300.0);
    RingXY ring;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * 3.141592653589793 * i / n, r = radius(random);
        ring.emplace_back((float)(cx + r * std::cos(a)), (float)(cy + r * std::sin(a)));
    }
    return ring;
}

TEST(BooleanRandom, JaggedRingsAgreeWithOgrToTheFloatVertices)
{
    const char* names[] = {"intersection", "difference", "symmetric difference", "union"};
    unsigned seed = 11;
    for (int n : {40, 400, 3000}) {
        for (int round = 0; round < 3; ++round, seed += 2) {
            const RingXY first = Jagged(n, 0, 0, seed), second = Jagged(n, 90.0 * round + 40, 30, seed + 1);
            const auto a = MakeShape({first}), b = MakeShape({second});
            const auto oa = Ogr("POLYGON" + ShapeWkt({first})), ob = Ogr("POLYGON" + ShapeWkt({second}));
            for (int op = 0; op < 4; ++op) {
                SCOPED_TRACE(std::to_string(n) + " vertices, seed " + std::to_string(seed) + ", " + names[op]);
                const double expected = OgrArea(oa.get(), ob.get(), op);
                // The result keeps its vertices as floats: a crossing point moves by up
                // half a float step, which bounds the agreement.
                EXPECT_NEAR(OurArea(a.get(), b.get(), op), expected, 1e-7 * expected);
            }
        }
    }
}

// The rings the joining of pieces must give: each ring starts from the first
// piece left and grows by the first piece left, in list order, that continues
// its tail or leads into its head, until it closes; checked against a plain
// scan of the list that starts again from its head after every join.
std::vector<RingXY> JoinByListScan(std::vector<RingXY> pieces)
{
    const auto same = [](const XY& a, const XY& b) { return a.first == b.first && a.second == b.second; };
    std::vector<RingXY> rings;
    while (!pieces.empty()) {
        RingXY q = pieces.front();
        pieces.erase(pieces.begin());
        for (size_t i = 0; i < pieces.size();) {
            const RingXY& p = pieces[i];
            if (same(q.back(), p.front())) {
                q.insert(q.end(), p.begin() + 1, p.end());
            } else if (same(q.front(), p.back())) {
                q.insert(q.begin(), p.begin(), p.end() - 1);
            } else {
                ++i;
                continue;
            }
            pieces.erase(pieces.begin() + (long)i);
            if (q.size() > 1 && same(q.front(), q.back())) {
                q.pop_back();
                break;
            }
            i = 0;
        }
        if (q.size() > 2)
            rings.push_back(q);
    }
    return rings;
}

TEST(BooleanRandom, PiecesJoinIntoTheRingsOfAListScan)
{
    std::mt19937 random(5);
    for (int round = 0; round < 40; ++round) {
        // Chains between a few shared points, so that many pieces fit one end
        // and the order decides; some close, some stay open.
        const int points = 3 + round % 6;
        std::uniform_int_distribution<int> end(0, points - 1), length(0, 3), coordinate(0, 1000);
        std::vector<XY> ends;
        for (int i = 0; i < points; ++i)
            ends.emplace_back(coordinate(random), coordinate(random));
        std::vector<RingXY> pieces;
        const int count = 5 + round * 3;
        for (int k = 0; k < count; ++k) {
            RingXY piece{ends[(size_t)end(random)]};
            for (int i = length(random); i > 0; --i)
                piece.emplace_back(coordinate(random) + 0.5, coordinate(random) + 0.25);
            piece.push_back(ends[(size_t)end(random)]);
            pieces.push_back(piece);
        }
        CMapMultiPart set;
        for (const RingXY& piece : pieces)
            set.AddRing(ClipRing(piece).release());
        std::unique_ptr<CMapPolyPolygon> joined(set.BuildPolyPolygon());
        const std::vector<RingXY> expected = JoinByListScan(pieces);
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(joined->GetPartCount(), (int)expected.size());
        int ring = 0;
        for (POSITION pos = joined->GetHeadPartPosition(); pos; ++ring) {
            auto* part = static_cast<CMapPolygon*>(joined->GetNextPart(pos));
            RingXY got;
            for (int i = 0; i < part->GetPointCount(); ++i)
                got.emplace_back(part->GetPoint(i).x, part->GetPoint(i).y);
            RingXY want;
            for (const XY& p : expected[(size_t)ring])
                want.emplace_back((float)p.first, (float)p.second);
            EXPECT_EQ(got, want) << "ring " << ring;
        }
    }
}

} // namespace
