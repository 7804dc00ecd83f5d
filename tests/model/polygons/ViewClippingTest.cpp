// Cutting chains and rings to a rectangle, the border connectors, and the
// part list the pieces come back in.
#include "core/DoubleRect.h"
#include "model/polygons/ClipPolygon.h"
#include "model/geometry/DevicePointCache.h"
#include "model/polygons/MapMultiPart.h"
#include "model/polygons/MapPolygon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace {
using XY = std::pair<double, double>;
using Chain = std::vector<XY>;

std::unique_ptr<CClipPolygon> MakeChain(std::initializer_list<XY> points)
{
    auto chain = std::make_unique<CClipPolygon>();
    for (const XY& p : points)
        chain->AddVertex(CClipVertex(p.first, p.second));
    return chain;
}

Chain PointsOf(const CClipPolygon& polygon)
{
    Chain out;
    for (POSITION pos = polygon.GetHeadPosition(); pos;) {
        const CClipVertex v = polygon.GetNext(pos);
        out.emplace_back(v.x, v.y);
    }
    return out;
}

std::vector<Chain> PartsOf(CMapMultiPart* parts)
{
    std::vector<Chain> out;
    for (POSITION pos = parts ? parts->GetHeadPartPosition() : nullptr; pos;)
        out.push_back(PointsOf(*static_cast<CClipPolygon*>(parts->GetNextPart(pos))));
    return out;
}

// Shoelace area of a chain closed from its tail to its head.
double Area(const Chain& c)
{
    double s = 0;
    for (size_t i = 0; i < c.size(); ++i) {
        const XY& a = c[i];
        const XY& b = c[(i + 1) % c.size()];
        s += a.first * b.second - b.first * a.second;
    }
    return std::fabs(s) / 2;
}

const CDoubleRect kRect(5.0, 0.0, 15.0, 10.0);   // left, bottom, right, top
}

TEST(ViewClipping, ChainsKeepTheirRunsInsideEndingOnTheBorder)
{
    struct Case {
        const char* name;
        std::initializer_list<XY> chain;
        std::vector<Chain> parts;
    };
    const Case cases[] = {
        {"through", {{0, 5}, {20, 5}}, {{{5, 5}, {15, 5}}}},
        {"out and back",
         {{0, 2}, {10, 2}, {10, 20}, {12, 20}, {12, 8}, {20, 8}},
         {{{5, 2}, {10, 2}, {10, 10}}, {{12, 10}, {12, 8}, {15, 8}}}},
        {"inside", {{6, 1}, {14, 9}}, {{{6, 1}, {14, 9}}}},
        {"beside", {{0, 20}, {20, 20}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto chain = MakeChain(c.chain);
        std::unique_ptr<CMapMultiPart> parts(chain->ClipToRect(kRect, MAP_OBJECT_POLYLINE));
        EXPECT_EQ(PartsOf(parts.get()), c.parts);
    }
    auto chain = MakeChain({{0, 5}, {20, 5}});
    EXPECT_EQ(chain->ClipToRect(kRect, MAP_OBJECT_LINE), nullptr);
}

TEST(ViewClipping, RingsCloseTheirPiecesAlongTheBorder)
{
    // A square ring larger than the rectangle on all sides is the rectangle.
    auto big = MakeChain({{-10, -10}, {30, -10}, {30, 30}, {-10, 30}});
    std::unique_ptr<CMapMultiPart> whole(big->ClipToRect(kRect, MAP_OBJECT_POLYGON));
    EXPECT_EQ(PartsOf(whole.get()), (std::vector<Chain>{{{5, 0}, {15, 0}, {15, 10}, {5, 10}}}));

    // An L around the bottom-left corner meets the box but not the rectangle.
    auto l = MakeChain({{0, -5}, {20, -5}, {20, -1}, {4, -1}, {4, 20}, {0, 20}});
    EXPECT_EQ(l->ClipToRect(kRect, MAP_OBJECT_POLYGON), nullptr);

    // A ring wholly inside comes back as it is.
    auto inner = MakeChain({{6, 1}, {9, 1}, {9, 4}});
    std::unique_ptr<CMapMultiPart> same(inner->ClipToRect(kRect, MAP_OBJECT_POLYGON));
    EXPECT_EQ(PartsOf(same.get()), (std::vector<Chain>{{{6, 1}, {9, 1}, {9, 4}}}));

    // A ring covering the left half: one ring of that half.
    auto half = MakeChain({{-5, -5}, {10, -5}, {10, 15}, {-5, 15}});
    std::unique_ptr<CMapMultiPart> left(half->ClipToRect(kRect, MAP_OBJECT_POLYGON));
    const std::vector<Chain> rings = PartsOf(left.get());
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_DOUBLE_EQ(Area(rings[0]), 50.0);
}

// A U whose two arms cross the bottom edge gives one ring per arm, each
// closed along that edge.
TEST(ViewClipping, UShapedRingGivesOneRingPerArm)
{
    auto u = MakeChain({{6, 5}, {6, -5}, {14, -5}, {14, 5}, {12, 5}, {12, -2}, {8, -2}, {8, 5}});
    std::unique_ptr<CMapMultiPart> arms(u->ClipToRect(kRect, MAP_OBJECT_POLYGON));
    const std::vector<Chain> rings = PartsOf(arms.get());
    ASSERT_EQ(rings.size(), 2u);
    for (const Chain& ring : rings) {
        EXPECT_DOUBLE_EQ(Area(ring), 10.0);
        for (const XY& p : ring)
            EXPECT_GE(p.second, 0.0);
    }
}

TEST(ViewClipping, IntersectWithRectFindsAndInsertsTheCrossings)
{
    auto chain = MakeChain({{0, 5}, {10, 5}, {10, 20}});
    std::unique_ptr<CClipPolygon> found(chain->IntersectWithRect(kRect, TRUE));
    ASSERT_TRUE(found);
    EXPECT_EQ(PointsOf(*found), (Chain{{5, 5}, {10, 10}}));
    EXPECT_EQ(PointsOf(*chain), (Chain{{0, 5}, {5, 5}, {10, 5}, {10, 10}, {10, 20}}));
    EXPECT_EQ(chain->CountIntersections(), 2);
    auto away = MakeChain({{30, 30}, {40, 40}});
    EXPECT_EQ(away->IntersectWithRect(kRect, TRUE), nullptr);
}

TEST(ViewClipping, SidesAndConnectorsRunClockwise)
{
    EXPECT_EQ(GetRectSide(CClipVertex(5, 0), kRect), 0);   // the left side comes first
    EXPECT_EQ(GetRectSide(CClipVertex(15, 10), kRect), 2);
    EXPECT_EQ(GetRectSide(CClipVertex(8, 10), kRect), 1);
    EXPECT_EQ(GetRectSide(CClipVertex(8, 0), kRect), 3);
    EXPECT_EQ(GetRectSide(CClipVertex(8, 5), kRect), -1);

    struct Case {
        XY from, to;
        Chain connector;
    };
    const Case cases[] = {
        {{5, 2}, {8, 10}, {{5, 2}, {5, 10}, {8, 10}}},
        {{8, 0}, {5, 2}, {{8, 0}, {5, 0}, {5, 2}}},
        {{5, 8}, {5, 2}, {{5, 8}, {5, 10}, {15, 10}, {15, 0}, {5, 0}, {5, 2}}},
        {{5, 2}, {5, 8}, {{5, 2}, {5, 8}}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CClipPolygon> connector(ConnectAlongRect(
            CClipVertex(c.from.first, c.from.second), CClipVertex(c.to.first, c.to.second), kRect));
        EXPECT_EQ(PointsOf(*connector), c.connector);
    }
}

// ---------------------------------------------------------------- the part list
namespace {
// Counts its deletions, to tell whether the whole deleted its parts.
class CountedPart : public CMapPolygon {
public:
    explicit CountedPart(int* deleted) : m_pDeleted(deleted) {}
    ~CountedPart() override { ++*m_pDeleted; }

private:
    int* m_pDeleted;
};
}

TEST(ViewClipping, EllipseOutlineFillsADevicePointChunk)
{
    // A visible window wholly inside a huge ellipse: its four corners.
    const RECT visible{0, 0, 800, 600};
    CDevicePointArray out;
    out.Append(POINT{1, 1});
    ClipEllipse(visible, CDoubleRect(-1e9, -1e9, 1e9, 1e9), out);
    ASSERT_EQ(out.GetCount(), 4);
    const POINT expected[4] = {{0, 600}, {0, 0}, {800, 0}, {800, 600}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(out.GetAt(i).x, expected[i].x) << i;
        EXPECT_EQ(out.GetAt(i).y, expected[i].y) << i;
    }
    // Nothing visible: the chunk is emptied.
    ClipEllipse(visible, CDoubleRect(1000.0, 1000.0, 5e9, 5e9), out);
    EXPECT_EQ(out.GetCount(), 0);
}

TEST(MultiPart, PartsWidenTheBoundaryAndAreFoundByVertex)
{
    CMapMultiPart whole;
    auto* a = new CMapPolygon;
    a->AddDoublePoint(0, 0), a->AddDoublePoint(2, 1), a->AddDoublePoint(1, 3);
    auto* b = new CMapPolygon;
    b->AddDoublePoint(10, 10), b->AddDoublePoint(12, 11);
    whole.AddPart(a);
    EXPECT_EQ(whole.GetBoundary(), a->GetBoundary());
    whole.AddPart(b);
    EXPECT_EQ(whole.GetBoundary(), CDoubleRect(0.0, 0.0, 12.0, 11.0));
    EXPECT_EQ(a->GetParent(), &whole);
    EXPECT_EQ(whole.GetPointCount(), 5);

    POSITION pos = nullptr;
    int local = -1;
    EXPECT_EQ(whole.FindPartOfVertex(4, pos, local), b);
    EXPECT_EQ(local, 1);
    EXPECT_EQ(whole.FindPartOfVertex(5, pos, local), nullptr);
    EXPECT_EQ(pos, nullptr);
}

TEST(MultiPart, RemovedPartsOutliveTheWhole)
{
    int deleted = 0;
    auto whole = std::make_unique<CMapMultiPart>();
    auto* kept = new CountedPart(&deleted);
    whole->AddPart(kept);
    whole->AddPart(new CountedPart(&deleted));
    whole->RemovePartAt(whole->GetHeadPartPosition());
    EXPECT_EQ(kept->GetParent(), nullptr);
    EXPECT_EQ(whole->GetPartCount(), 1);
    whole.reset();
    EXPECT_EQ(deleted, 1);
    delete kept;

    deleted = 0;
    CountedPart first(&deleted), second(&deleted);
    {
        CMapMultiPart emptied;
        emptied.AddRing(&first);
        emptied.AddRing(&second);
        emptied.RemoveAllParts();
    }
    EXPECT_EQ(deleted, 0);
}

TEST(MultiPart, HolesExcludeTheirPoints)
{
    CMapMultiPart whole;
    auto* hole = MakeChain({{0, 0}, {10, 0}, {10, 10}, {0, 10}}).release();
    hole->SetRingFlag(TRUE);
    whole.AddRing(hole);
    CDoublePoint centre(5, 5);
    EXPECT_FALSE(whole.ContainsPoint(&centre));
    whole.AddRing(MakeChain({{-10, -10}, {20, -10}, {20, 20}, {-10, 20}}).release());
    EXPECT_FALSE(whole.ContainsPoint(&centre));
    CDoublePoint ring(15, 15);
    EXPECT_TRUE(whole.ContainsPoint(&ring));
    EXPECT_EQ(whole.CountHoleParts(), 1);

    const double corner[2] = {10, 10}, outer[2] = {-10, 20}, none[2] = {3, 3};
    EXPECT_EQ(whole.FindPartByEndpoint(corner), nullptr);   // not an end of the chain
    const double head[2] = {0, 0};
    EXPECT_EQ(whole.FindPartByEndpoint(head), whole.GetHeadPartPosition());
    EXPECT_NE(whole.FindPartByEndpoint(outer), nullptr);
    EXPECT_EQ(whole.FindPartByEndpoint(none), nullptr);
}

// Selection, the cache flag and the ring marks reach the parts through the
// base's operations; so does shifting the cached device points.
TEST(MultiPart, BaseOperationsReachTheParts)
{
    CMapMultiPart whole;
    auto* part = new CMapPolygon;
    part->AddDoublePoint(10, 10), part->AddDoublePoint(20, 10), part->AddDoublePoint(20, 20);
    whole.AddPart(part);
    CMapObject* object = &whole;

    part->Select();
    part->SetActiveHandle(1);
    object->Deselect();
    EXPECT_FALSE(part->IsSelected());
    EXPECT_EQ(part->GetActiveHandle(), -1);

    object->SetCacheFlag(TRUE);
    EXPECT_TRUE(part->GetFlags() & CMapObject::kCacheFlag);
    object->MarkRings(TRUE);
    EXPECT_FALSE(part->GetRingFlag());   // only a polypolygon's parts are rings

    RECT client{0, 0, 100, 100};
    double x0 = 0, y0 = 0, zoom = 1;
    g_DefaultViewHeight = 100;
    part->BuildDevicePoints(nullptr, &client, &x0, &y0, &zoom);
    object->ShiftDevicePoints(4, 6);
    EXPECT_EQ(part->GetDeviceCache()->GetChunk(0)->GetAt(0).x, 14);
    EXPECT_EQ(part->GetDeviceCache()->GetChunk(0)->GetAt(0).y, 96);
}
