// Cutting device rectangles to a visible rectangle, and the outline of the
// visible part of an ellipse far larger than the graphics interface's range.
#include "core/DoubleRect.h"
#include "core/EllipseOutline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(ClipDeviceRect, IsTheOverlapTruncatedTowardZero)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        CDoubleRect rect;   // left, bottom (smaller device y), right, top
        RECT expected;
    };
    const RECT visible{0, 0, 800, 600};
    const Case cases[] = {
        {"inside: unchanged", CDoubleRect(10.7, 20.2, 300.9, 400.5), RECT{10, 20, 300, 400}},
        {"enclosing: the visible rectangle", CDoubleRect(-1e12, -1e12, 1e12, 1e12), RECT{0, 0, 800, 600}},
        {"disjoint: zeros", CDoubleRect(900.0, 0.0, 1000.0, 100.0), RECT{0, 0, 0, 0}},
        {"over the right edge", CDoubleRect(700.5, -50.0, 5e9, 100.5), RECT{700, 0, 800, 100}},
        // A band crossing only the left edge: no corner of either lies in the other.
        {"band through the left edge", CDoubleRect(-4e10, 100.0, 300.0, 200.0), RECT{0, 100, 300, 200}},
        {"band across the whole width", CDoubleRect(-4e10, 100.0, 4e10, 200.0), RECT{0, 100, 800, 200}},
        {"negative edges truncate toward zero", CDoubleRect(-5.9, -3.5, 20.0, 20.0), RECT{0, 0, 20, 20}},
        {"a NaN edge: zeros", CDoubleRect(nan, 0.0, 100.0, 100.0), RECT{0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const RECT r = c.rect.ClipDeviceRect(visible);
        EXPECT_TRUE(SameRect(r, c.expected))
            << c.what << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    // A negative visible rectangle keeps its own truncation.
    const RECT negative{-100, -80, -10, -5};
    EXPECT_TRUE(SameRect(CDoubleRect(-50.5, -60.5, 1e9, 1e9).ClipDeviceRect(negative), RECT{-50, -60, -10, -5}));
}

// Whether the outline point lies on the ellipse within a pixel or on the
// border of the visible rectangle.
bool OnOutline(const POINT& p, double cx, double cy, double a, double b, const RECT& r)
{
    const double x = p.x - cx, y = p.y - cy;
    // The radial distance from the ellipse, in pixels along the larger axis.
    const double k = std::sqrt(x * x / (a * a) + y * y / (b * b));
    const bool onEllipse = std::fabs(k - 1.0) * std::fmax(a, b) <= 1.5;
    const bool onBorder = p.x == r.left || p.x == r.right || p.y == r.top || p.y == r.bottom;
    return onEllipse || onBorder;
}

TEST(ClipEllipse, VisiblePartWhollyInsideGivesTheFourCorners)
{
    std::vector<POINT> out{{1, 1}};
    const RECT visible{-15, -15, 815, 615};
    ClipEllipse(visible, CDoubleRect(-1e9, -1e9, 1e9, 1e9), out);
    ASSERT_EQ(out.size(), 4u);
    for (const POINT& p : out)
        EXPECT_TRUE((p.x == -15 || p.x == 815) && (p.y == -15 || p.y == 615)) << p.x << "," << p.y;
}

TEST(ClipEllipse, NothingWhenNothingIsVisibleOrAnAxisIsZero)
{
    const RECT visible{0, 0, 800, 600};
    std::vector<POINT> out{{1, 1}};
    ClipEllipse(visible, CDoubleRect(1000.0, 1000.0, 5e9, 5e9), out);
    EXPECT_TRUE(out.empty());
    ClipEllipse(visible, CDoubleRect(-1e9, 300.0, 1e9, 300.0), out);
    EXPECT_TRUE(out.empty());
    // The window lies in the box's corner, outside the ellipse itself.
    ClipEllipse(visible, CDoubleRect(-2e5, -2e5, 700.0, 500.0), out);
    EXPECT_TRUE(out.empty());
}

TEST(ClipEllipse, OutlineFollowsTheEllipseAndStaysInTheWindow)
{
    struct Case {
        const char* what;
        CDoubleRect ellipse;
    };
    const RECT visible{-15, -15, 815, 615};
    // Circles and ellipses far beyond the 16-bit range whose outline crosses
    // the window; the last is centred a billion pixels away, where a float
    // centre would be 64 pixels off.
    const Case cases[] = {
        {"circle crossing the right part", CDoubleRect(600.0 - 2e5, 300.0 - 1e5, 600.0, 300.0 + 1e5)},
        {"wide ellipse through the top", CDoubleRect(-1e6, 200.0, 1e6, 200.0 + 4e5)},
        {"tall ellipse through the left", CDoubleRect(100.0 - 6e5, -3e6, 100.0, 3e6)},
        {"far centre", CDoubleRect(400.0 - 2e9, 300.0 - 2e9 - 2e9, 400.0 + 2e9, 300.0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<POINT> out;
        ClipEllipse(visible, c.ellipse, out);
        ASSERT_GE(out.size(), 3u);
        const double cx = (c.ellipse.left + c.ellipse.right) / 2, cy = (c.ellipse.bottom + c.ellipse.top) / 2;
        const double a = c.ellipse.Width() / 2, b = c.ellipse.Height() / 2;
        int onEllipse = 0;
        for (const POINT& p : out) {
            ASSERT_TRUE(p.x >= visible.left && p.x <= visible.right && p.y >= visible.top && p.y <= visible.bottom)
                << p.x << "," << p.y;
            EXPECT_TRUE(OnOutline(p, cx, cy, a, b, visible)) << p.x << "," << p.y;
            const double x = p.x - cx, y = p.y - cy;
            if (std::fabs(std::sqrt(x * x / (a * a) + y * y / (b * b)) - 1.0) * std::fmax(a, b) <= 1.5)
                ++onEllipse;
        }
        // Points all along the visible curve.
        EXPECT_GT(onEllipse, 100);
        // The outline encloses the visible part of the ellipse: its area is
        // the number of covered pixels, within the outline's pixel rounding.
        double area = 0.0;
        for (size_t i = 0; i < out.size(); ++i) {
            const POINT& p = out[i];
            const POINT& q = out[(i + 1) % out.size()];
            area += (double)p.x * q.y - (double)q.x * p.y;
        }
        area = std::fabs(area) / 2.0;
        double covered = 0.0;
        for (int y = visible.top; y < visible.bottom; ++y) {
            for (int x = visible.left; x < visible.right; ++x) {
                const double u = (x + 0.5 - cx) / a, v = (y + 0.5 - cy) / b;
                covered += u * u + v * v <= 1.0 ? 1.0 : 0.0;
            }
        }
        EXPECT_NEAR(area, covered, 0.01 * covered + 2.0 * ((visible.right - visible.left) + (visible.bottom - visible.top)));
    }
}

}
