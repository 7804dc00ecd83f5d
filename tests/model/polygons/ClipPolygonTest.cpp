// The clipping engine's working polygon: point in polygon, the boundary kept
// with the vertices, duplicate-checked insertion, rotation, joining chains,
// traversal in either direction and building from other objects.
#include "model/polygons/ClipPolygon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CClipPolygon* Chain(std::initializer_list<CClipVertex> vertices)
{
    auto* polygon = new CClipPolygon;
    for (const CClipVertex& v : vertices)
        polygon->AddVertex(v);
    return polygon;
}

std::string Points(const CClipPolygon& polygon)
{
    std::string text;
    for (POSITION pos = polygon.GetHeadPosition(); pos;) {
        const CClipVertex v = polygon.GetNext(pos);
        text += (text.empty() ? "" : " ") + std::to_string((int)v.x) + "," + std::to_string((int)v.y);
    }
    return text;
}

void ExpectBoundary(CClipPolygon& polygon, double left, double bottom, double right, double top)
{
    EXPECT_EQ(polygon.GetBoundary(), CDoubleRect(left, bottom, right, top));
}

TEST(ClipPolygon, PointInPolygonCountsCrossingsToTheRight)
{
    std::unique_ptr<CClipPolygon> square(Chain({{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
    const struct {
        double x, y;
        bool inside;
    } cases[] = {
        {0.5, 0.5, true},
        {0, 0.5, true},     // left edge: the right edge is crossed once
        {1, 0.5, false},    // right edge: nothing crossed
        {2, 0.5, false},    // beyond the boundary
        {0.5, -0.5, false},
    };
    for (const auto& c : cases) {
        double x = c.x, y = c.y;
        EXPECT_EQ((bool)square->ContainsXY(&x, &y), c.inside) << c.x << "," << c.y;
        CDoublePoint pt(c.x, c.y);
        EXPECT_EQ((bool)square->ContainsPoint(&pt), c.inside);
    }
    // A concave ring: the notch is outside.
    std::unique_ptr<CClipPolygon> notched(Chain({{0, 0}, {10, 0}, {10, 10}, {5, 2}, {0, 10}}));
    double x = 5, y = 5;
    EXPECT_FALSE(notched->ContainsXY(&x, &y));
    y = 1;
    EXPECT_TRUE(notched->ContainsXY(&x, &y));
}

TEST(ClipPolygon, BoundaryFollowsTheVerticesIncludingTheOrigin)
{
    std::unique_ptr<CClipPolygon> p(Chain({{0, 0}, {5, 5}, {6, 7}}));
    ExpectBoundary(*p, 0, 0, 6, 7);
    p->UpdateLayerBounds();
    ExpectBoundary(*p, 0, 0, 6, 7);  // recomputed, the origin vertex still counts
    double x = 2, y = 2.2;  // between y = x and y = 7x / 6
    EXPECT_TRUE(p->ContainsXY(&x, &y));

    p->RemoveTailVertex();
    ExpectBoundary(*p, 0, 0, 5, 5);
    p->RemoveHeadVertex();
    ExpectBoundary(*p, 5, 5, 5, 5);
    p->AddVertexAtHead(CClipVertex(-1, 8));
    ExpectBoundary(*p, -1, 5, 5, 8);
    p->RemoveVertexAt(p->GetHeadPosition());
    p->RemoveVertexAt(p->GetHeadPosition());
    EXPECT_EQ(p->GetPointCount(), 0);
    ExpectBoundary(*p, 0, 0, 0, 0);
}

TEST(ClipPolygon, InsertionSkipsARepeatedPointUnlessForced)
{
    std::unique_ptr<CClipPolygon> p(Chain({{0, 0}, {10, 0}, {10, 10}}));
    POSITION third = p->GetTailPosition();
    // Equal to the vertex before the position: nothing inserted, the boundary kept.
    EXPECT_EQ(p->InsertVertexBefore(third, CClipVertex(10, 0), FALSE), third);
    EXPECT_EQ(p->InsertVertexBefore(third, CClipVertex(10, 10), FALSE), third);
    EXPECT_EQ(Points(*p), "0,0 10,0 10,10");
    ExpectBoundary(*p, 0, 0, 10, 10);

    CClipVertex v(20, 5, CClipVertex::kIntersection);
    v.spare = 9;
    const POSITION added = p->InsertVertexBefore(third, v, FALSE);
    EXPECT_EQ(Points(*p), "0,0 10,0 20,5 10,10");
    EXPECT_EQ(p->GetVertexAtPosition(added).flags, CClipVertex::kIntersection);
    EXPECT_EQ(p->GetVertices().GetAt(added).spare, 9u);  // all of its words
    ExpectBoundary(*p, 0, 0, 20, 10);

    p->InsertVertexBefore(third, CClipVertex(20, 5), TRUE);
    EXPECT_EQ(Points(*p), "0,0 10,0 20,5 20,5 10,10");
    // A null position is the head.
    p->InsertVertexBefore(nullptr, CClipVertex(-3, -3), FALSE);
    EXPECT_EQ(p->GetHeadVertex().x, -3);
    ExpectBoundary(*p, -3, -3, 20, 10);

    // Into an empty list the point becomes the box, not a box reaching the origin.
    CClipPolygon empty;
    empty.InsertVertexBefore(nullptr, CClipVertex(4, 5), FALSE);
    ExpectBoundary(empty, 4, 5, 4, 5);
}

TEST(ClipPolygon, RotateFindMarkAndIndex)
{
    std::unique_ptr<CClipPolygon> p(Chain({{1, 0}, {2, 0}, {3, 0}}));
    p->Rotate(-1);
    EXPECT_EQ(Points(*p), "3,0 1,0 2,0");
    p->Rotate(1);
    p->Rotate(3);
    EXPECT_EQ(Points(*p), "1,0 2,0 3,0");
    p->Rotate(0);
    EXPECT_EQ(p->GetVertexAt(2).x, 3);

    p->AddVertex(CClipVertex(2, 0));
    const POSITION first = p->FindVertex(2, 0, nullptr);
    ASSERT_NE(first, nullptr);
    const POSITION second = p->FindVertex(2, 0, first);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(p->FindVertex(2, 0, second), nullptr);
    EXPECT_EQ(p->FindVertex(2, 0.5, nullptr), nullptr);

    p->MarkIntersection(first);
    p->MarkIntersection(second);
    EXPECT_EQ(p->CountIntersections(), 2);
    CClipPolygon empty;
    empty.Rotate(2);
    EXPECT_EQ(empty.GetPointCount(), 0);
}

TEST(ClipPolygon, JoinTakesTheFirstMatchingEnd)
{
    const struct {
        std::initializer_list<CClipVertex> self, other;
        bool keepDirection;
        bool joined;
        const char* result;
    } cases[] = {
        {{{1, 0}, {2, 0}, {3, 0}}, {{3, 0}, {4, 0}}, false, true, "1,0 2,0 3,0 4,0"},   // tail to head
        {{{1, 0}, {2, 0}}, {{3, 0}, {2, 0}}, false, true, "1,0 2,0 3,0"},               // tail to tail
        {{{1, 0}, {2, 0}}, {{3, 0}, {2, 0}}, true, false, "1,0 2,0"},                   // refused
        {{{2, 0}, {3, 0}}, {{2, 0}, {1, 0}}, false, true, "1,0 2,0 3,0"},               // head to head
        {{{2, 0}, {3, 0}}, {{2, 0}, {1, 0}}, true, false, "2,0 3,0"},
        {{{3, 0}, {4, 0}}, {{1, 0}, {2, 0}, {3, 0}}, true, true, "1,0 2,0 3,0 4,0"},   // head to tail
        {{{1, 0}, {2, 0}}, {{5, 0}, {6, 0}}, false, false, "1,0 2,0"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CClipPolygon> self(Chain(c.self)), other(Chain(c.other));
        const std::string before = Points(*other);
        EXPECT_EQ((bool)self->Join(*other, c.keepDirection), c.joined) << c.result;
        EXPECT_EQ(Points(*self), c.result);
        EXPECT_EQ(Points(*other), before);
    }
    std::unique_ptr<CClipPolygon> a(Chain({{0, 0}, {5, 0}})), b(Chain({{5, 0}, {5, 9}}));
    a->Join(*b, FALSE);
    ExpectBoundary(*a, 0, 0, 5, 9);
}

TEST(ClipPolygon, TraversalFollowsTheDirectionFlag)
{
    std::unique_ptr<CClipPolygon> p(Chain({{1, 0}, {2, 0}, {3, 0}}));
    for (int forward : {1, 0}) {
        p->SetForward(forward);
        std::string walked;
        POSITION pos = p->GetStartPosition();
        EXPECT_EQ(p->GetStartVertex().x, forward ? 1 : 3);
        while (pos)
            walked += std::to_string((int)p->StepForward(pos).x);
        EXPECT_EQ(walked, forward ? "123" : "321");
        pos = forward ? p->GetTailPosition() : p->GetHeadPosition();
        walked.clear();
        while (pos)
            walked += std::to_string((int)p->StepBackward(pos).x);
        EXPECT_EQ(walked, forward ? "321" : "123");
    }
}

// A point-list object as the clipping engine sees one: handle points are its
// vertices, and its geometry is borrowed for the time it is read.
class BorrowedRing : public CMapObject {
public:
    std::vector<CFloatPoint> points;
    int attached = 0;
    int detached = 0;
    int AttachGeometry() override
    {
        ++attached;
        return 1;
    }
    void DetachGeometry() override { ++detached; }
    int GetPointCount() override { return (int)points.size(); }
    CFloatPoint GetHandlePoint(int i) override { return points[(size_t)i]; }
};

TEST(ClipPolygon, BuiltFromObjectsAndCopies)
{
    BorrowedRing ring;
    ring.points = {CFloatPoint(1, 1), CFloatPoint(4, 1), CFloatPoint(4, 3)};
    ring.SetBoundary(CDoubleRect(1.0, 1.0, 4.0, 3.0));
    CMapStyle style = *ring.GetStyle();
    style.SetPenColor(0x123456);
    ring.SetStyle(style);

    CClipPolygon p;
    p.AddVertex(CClipVertex(99, 99));
    p.SetFromObject(&ring, TRUE);
    EXPECT_EQ(Points(p), "4,3 4,1 1,1");
    EXPECT_EQ(ring.attached, 1);
    EXPECT_EQ(ring.detached, 1);
    EXPECT_EQ(p.GetStyle()->GetPenColor(), 0x123456u);
    ExpectBoundary(p, 1, 1, 4, 3);
    EXPECT_EQ(p.GetHeadVertex().flags, 0u);

    p.MarkIntersection(p.GetHeadPosition());
    p.SetRelation(2);
    CClipPolygon copy;
    copy.CopyFrom(p, TRUE);
    EXPECT_EQ(Points(copy), "1,1 4,1 4,3");
    EXPECT_EQ(copy.GetTailVertex().flags, CClipVertex::kIntersection);
    EXPECT_EQ(copy.GetRelation(), 2);
    EXPECT_EQ(copy.GetStyle()->GetPenColor(), 0x123456u);

    p.SetForward(0);
    std::unique_ptr<CMapObject> clone(p.Clone(nullptr));
    auto* clipClone = dynamic_cast<CClipPolygon*>(clone.get());
    ASSERT_NE(clipClone, nullptr);
    EXPECT_EQ(Points(*clipClone), "4,3 4,1 1,1");
    EXPECT_EQ(clipClone->GetRelation(), 2);
    EXPECT_EQ(clipClone->IsForward(), 1);
    EXPECT_EQ(clipClone->GetLayer(), nullptr);
    EXPECT_EQ(clipClone->CountIntersections(), 1);

    std::unique_ptr<CClipPolygon> tail(Chain({{7, 7}, {8, 9}}));
    copy.AppendPolygon(*tail);
    EXPECT_EQ(Points(copy), "1,1 4,1 4,3 7,7 8,9");
    ExpectBoundary(copy, 1, 1, 8, 9);
    CClipPolygon front;
    front.PrependPolygon(*tail);
    front.PrependPolygon(*tail);
    EXPECT_EQ(Points(front), "7,7 8,9 7,7 8,9");
    ExpectBoundary(front, 7, 7, 8, 9);
}

TEST(ClipPolygon, ConversionsMoveEveryVertexAndTheBoundary)
{
    std::unique_ptr<CClipPolygon> p(Chain({{1, 2}, {3, -4}}));
    double factor = 2;
    EXPECT_EQ(p->Scale(&factor), 1);
    EXPECT_EQ(Points(*p), "2,4 6,-8");
    ExpectBoundary(*p, 2, -8, 6, 4);
    // A failing transformation stops at once and leaves the boundary.
    EXPECT_EQ(p->Transform(nullptr), 0);
    EXPECT_EQ(Points(*p), "2,4 6,-8");
    ExpectBoundary(*p, 2, -8, 6, 4);
}

}
