// Segment/segment and segment/rectangle intersection and the key-sorted
// vertex list of the clipping engine.
#include "core/ClipEdgeList.h"
#include "core/ClipSegments.h"
#include "core/DoubleRect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Text(const CClipVertex& v)
{
    return IsNoClipVertex(v) ? "none" : "(" + std::to_string(v.x) + "," + std::to_string(v.y) + ")";
}

TEST(ClipSegments, SegmentPairs)
{
    const struct {
        const char* what;
        CClipVertex a1, a2, b1, b2;
        const char* expected;
    } cases[] = {
        {"crossing", {0, 0}, {10, 10}, {0, 10}, {10, 0}, "(5.000000,5.000000)"},
        {"T junction", {0, 0}, {10, 0}, {4, -5}, {4, 0.0000001}, "(4.000000,0.000000)"},
        {"shared end, collinear and overlapping", {0, 0}, {10, 0}, {0, 0}, {5, 0}, "(0.000000,0.000000)"},
        {"second end shared", {3, 3}, {7, 1}, {9, 9}, {7, 1}, "(7.000000,1.000000)"},
        {"the same segment", {0, 0}, {10, 10}, {0, 0}, {10, 10}, "none"},
        {"the same segment reversed", {0, 0}, {10, 10}, {10, 10}, {0, 0}, "none"},
        {"parallel", {0, 0}, {10, 10}, {0, 1}, {10, 11}, "none"},
        {"collinear without a shared end", {0, 0}, {10, 0}, {5, 0}, {15, 0}, "none"},
        {"boxes apart", {0, 0}, {1, 1}, {5, 0}, {6, -1}, "none"},
        {"lines meet beyond the ends", {0, 0}, {4, 4}, {0, 4}, {2, 3.5}, "none"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(IntersectSegments(c.a1, c.a2, c.b1, c.b2)), c.expected) << c.what;

    // A shared end point comes back with its own flags; a computed one with none.
    const CClipVertex marked(0, 0, CClipVertex::kIntersection);
    EXPECT_EQ(IntersectSegments(marked, CClipVertex(1, 0), CClipVertex(0, 0), CClipVertex(0, 1)).flags,
              CClipVertex::kIntersection);
    EXPECT_EQ(IntersectSegments(CClipVertex(0, 0, 7), CClipVertex(2, 2), CClipVertex(0, 2), CClipVertex(2, 0)).flags,
              0u);
}

TEST(ClipSegments, SegmentAcrossARectangle)
{
    const CDoubleRect rect(0.0, 0.0, 10.0, 10.0);
    const struct {
        const char* what;
        CClipVertex p1, p2;
        const char* second;
        const char* result;
    } cases[] = {
        {"downwards through", {5, 20}, {5, -20}, "(5.000000,10.000000)", "(5.000000,0.000000)"},
        {"upwards through", {5, -20}, {5, 20}, "(5.000000,0.000000)", "(5.000000,10.000000)"},
        {"from inside out", {5, 5}, {15, 5}, "(10.000000,5.000000)", "none"},
        {"through a corner", {-5, -5}, {0, 0}, "(0.000000,0.000000)", "(0.000000,0.000000)"},
        {"along the bottom edge", {-5, 0}, {15, 0}, "(0.000000,0.000000)", "(10.000000,0.000000)"},
        {"beside it", {-5, 20}, {15, 20}, "none", "none"},
    };
    for (const auto& c : cases) {
        CClipVertex second(1, 1);
        const CClipVertex result = IntersectSegmentWithRect(c.p1, c.p2, rect, second);
        EXPECT_EQ(Text(second), c.second) << c.what;
        EXPECT_EQ(Text(result), c.result) << c.what;
    }
    // The rectangle is taken normalised.
    CClipVertex second;
    const CClipVertex result =
        IntersectSegmentWithRect(CClipVertex(5, 20), CClipVertex(5, -20), CDoubleRect(10.0, 10.0, 0.0, 0.0), second);
    EXPECT_EQ(Text(second), "(5.000000,10.000000)");
    EXPECT_EQ(Text(result), "(5.000000,0.000000)");
}

TEST(ClipEdgeList, KeepsKeysAscendingAndEqualKeysInInsertionOrder)
{
    CClipEdgeList list;
    const double keys[] = {5, 1, 5, 3, 0.5, 5, 9};
    for (int i = 0; i < 7; ++i)
        list.InsertSorted(CClipEdge(keys[i], CClipVertex(i, 0)));
    std::vector<double> order;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        order.push_back(list.GetNext(pos).vertex.x);
    // Keys 0.5, 1, 3, 5, 5, 5, 9; the three fives in the order 0, 2, 5.
    EXPECT_EQ(order, (std::vector<double>{4, 1, 3, 0, 2, 5, 6}));
    EXPECT_EQ(list.GetHead().key, 0.5);
}

}
