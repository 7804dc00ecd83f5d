// Clipping device figures computed in doubles: only points inside the clip
// come out, whatever the input held.
#include "core/DeviceClip.h"

#include <gtest/gtest.h>

#include <chrono>

#include <cmath>
#include <limits>

namespace {

const DeviceClipRect kClip = DeviceClipRect::Around(RECT{0, 0, 100, 100}, 0);

bool Inside(const POINT& p)
{
    return p.x >= 0 && p.x <= 100 && p.y >= 0 && p.y <= 100;
}

TEST(DeviceClip, PolylinesKeepTheirVisibleRuns)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        std::vector<CDoublePoint> points;
        std::vector<std::vector<POINT>> runs;
    };
    const Case cases[] = {
        {{{10, 10}, {50, 20}, {90, 10}}, {{{10, 10}, {50, 20}, {90, 10}}}},
        {{{-100, 50}, {200, 50}}, {{{0, 50}, {100, 50}}}},
        {{{-1e300, 30}, {1e300, 30}}, {{{0, 30}, {100, 30}}}},
        {{{10, 10}, {300, 10}, {300, 90}, {10, 90}}, {{{10, 10}, {100, 10}}, {{100, 90}, {10, 90}}}},
        {{{10, 10}, {20, 20}, {nan, 30}, {40, 40}, {50, 50}}, {{{10, 10}, {20, 20}}, {{40, 40}, {50, 50}}}},
        {{{-50, -50}, {-10, 200}}, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::vector<POINT>> runs;
        ClipDevicePolyline(c.points, kClip, runs);
        ASSERT_EQ(runs.size(), c.runs.size());
        for (size_t i = 0; i < runs.size(); ++i) {
            ASSERT_EQ(runs[i].size(), c.runs[i].size());
            for (size_t j = 0; j < runs[i].size(); ++j) {
                EXPECT_EQ(runs[i][j].x, c.runs[i][j].x);
                EXPECT_EQ(runs[i][j].y, c.runs[i][j].y);
            }
        }
    }
}

TEST(DeviceClip, RingsAreCutAlongTheClipEdges)
{
    // A triangle far larger than the clip covers all of it.
    const std::vector<POINT> covered = ClipDeviceRing({{-1e12, -1e12}, {1e12, -1e12}, {0, 1e12}}, kClip);
    ASSERT_GE(covered.size(), 4u);
    for (const POINT& p : covered)
        EXPECT_TRUE(Inside(p));
    double area = 0;
    for (size_t i = 0; i < covered.size(); ++i) {
        const POINT& a = covered[i];
        const POINT& b = covered[(i + 1) % covered.size()];
        area += (double)a.x * b.y - (double)b.x * a.y;
    }
    EXPECT_EQ(std::fabs(area) / 2, 100.0 * 100.0);

    EXPECT_TRUE(ClipDeviceRing({{200, 200}, {300, 200}, {250, 300}}, kClip).empty());
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(ClipDeviceRing({{10, 10}, {inf, 10}, {50, 50}}, kClip).empty());
}

TEST(DeviceClip, EllipseSamplingFollowsTheVisiblePartOnly)
{
    // A circle of radius 10^12 pixels whose top crosses the clip: a handful of
    // points, with those in view within a pixel of the true curve.
    std::vector<CDoublePoint> points;
    const double r = 1.0e12;
    SampleVisibleEllipseArc(50, 50 + r, r, r, 0, 3.141592653589793, kClip, points);
    EXPECT_LT(points.size(), 2000u);
    std::vector<std::vector<POINT>> runs;
    ClipDevicePolyline(points, kClip, runs);
    ASSERT_EQ(runs.size(), 1u);
    for (const POINT& p : runs[0])
        EXPECT_NEAR(p.y, 50, 1);
}


TEST(DeviceClip, AnEllipseBeyondThePrecisionOfDoublesStopsAtItsBound)
{
    // Half an ellipse 40 pixels wide and 3 * 10^30 high whose top lies in the
    // clip: near its top the doubles step by 10^14 pixels, so every piece
    // there looks visible and refining would never end.
    std::vector<CDoublePoint> points;
    const auto start = std::chrono::steady_clock::now();
    SampleVisibleEllipseArc(20, 1.58e30 + 50, 20, 1.58e30, 0, 3.141592653589793, kClip, points);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 2.0);
    // The bound, and the ends of the pieces still open when it was reached.
    EXPECT_LE(points.size(), (1u << 16) + 256);
    EXPECT_FALSE(points.empty());
}

}
