// Extreme coordinates, extents, pen widths and mappings: every call finishes at once, draws only
// what falls on the surface, and computes no int beyond its range.
#include "GdiTestSupport.h"

#include "platform/gdi/GdiObjects.h"

#include <chrono>
#include <climits>
#include <functional>
#include <random>
#include <vector>

namespace {

struct ExtremeCase {
    const char* name;
    std::function<void(CDC&)> draw;
    int black; // pixels of the 64 x 64 surface left black; -1: any
};

const POINT kHuge[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};

const ExtremeCase kCases[] = {
    {"solid rectangle past the int range", [](CDC& dc) { dc.FillSolidRect(10, 10, INT_MAX, INT_MAX, 0); }, 54 * 54},
    {"pattern blit past the int range", [](CDC& dc) { dc.PatBlt(10, 20, INT_MAX, INT_MAX, BLACKNESS); }, 54 * 44},
    {"blit backwards from INT_MIN", [](CDC& dc) { dc.PatBlt(INT_MIN, INT_MIN, -5, -5, BLACKNESS); }, 0},
    {"polygon around everything", [](CDC& dc) {
         dc.SelectStockObject(BLACK_BRUSH);
         dc.Polygon(kHuge, 4);
     }, 64 * 64},
    {"ellipse of the whole int range", [](CDC& dc) {
         dc.SelectStockObject(NULL_BRUSH);
         dc.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
     }, -1},
    {"round rectangle with extreme corners", [](CDC& dc) { dc.RoundRect(INT_MIN, 0, INT_MAX, 30, INT_MAX, INT_MIN); }, -1},
    {"wide pen through the whole range", [](CDC& dc) {
         CPen pen(PS_SOLID, INT_MAX, RGB(0, 0, 0));
         dc.SelectObject(&pen);
         dc.MoveTo(INT_MIN, INT_MIN);
         dc.LineTo(INT_MAX, INT_MAX);
         dc.SelectStockObject(BLACK_PEN);
     }, 64 * 64},
    {"line from INT_MIN to INT_MAX", [](CDC& dc) {
         dc.MoveTo(INT_MIN, 32);
         dc.LineTo(INT_MAX, 32);
     }, 64},
    {"opaque text box past the int range", [](CDC& dc) {
         dc.SetBkColor(RGB(0, 0, 0));
         const RECT r{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
         dc.ExtTextOut(0, 0, ETO_OPAQUE, &r, "", 0, nullptr);
     }, 64 * 64},
    {"turned opaque text at INT_MAX", [](CDC& dc) {
         LOGFONTA lf{};
         lf.lfHeight = INT_MIN;
         lf.lfEscapement = 10;
         CFont font;
         font.CreateFontIndirect(&lf);
         dc.SelectObject(&font);
         dc.SetBkMode(OPAQUE);
         dc.SetBkColor(RGB(0, 0, 0));
         dc.TextOut(INT_MAX, INT_MAX, "HH");
         dc.SetTextAlign(TA_UPDATECP);
         dc.MoveTo(INT_MAX, 0);
         dc.TextOut(0, 0, "HH");
         dc.SelectStockObject(SYSTEM_FONT);
     }, 0},
    {"window origin at INT_MIN", [](CDC& dc) {
         dc.SetWindowOrg(INT_MIN, INT_MIN);
         dc.MoveTo(INT_MAX, INT_MAX);
         dc.LineTo(0, 0);
         dc.FillSolidRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0);
         dc.SetWindowOrg(0, 0);
     }, 0},
    {"mapping by INT_MAX", [](CDC& dc) {
         dc.SetMapMode(MM_ANISOTROPIC);
         dc.SetWindowExt(1, 1);
         dc.SetViewportExt(INT_MAX, INT_MAX);
         dc.MoveTo(-3, -3);
         dc.LineTo(3, 3);
         dc.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
         POINT p{INT_MAX, INT_MIN};
         dc.LPtoDP(&p, 1);
         dc.DPtoLP(&p, 1);
         dc.SetMapMode(MM_TEXT);
     }, -1},
};

} // namespace

using ExtremesTest = SurfaceTest;

TEST_F(ExtremesTest, ExtremeFiguresFinishAtOnceAndDrawOnlyTheSurface)
{
    for (const ExtremeCase& c : kCases) {
        Reset(64, 64);
        const auto start = std::chrono::steady_clock::now();
        c.draw(dc);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(seconds, 5.0) << c.name;
        if (c.black >= 0) {
            EXPECT_EQ(Count(kBlack), c.black) << c.name;
        }
    }
}

namespace {
// Even-odd inside test of a pixel centre, by counting the edges it crosses.
bool InsideEvenOdd(const std::vector<POINT>& ring, double x, double y)
{
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const double xi = ring[i].x, yi = ring[i].y, xj = ring[j].x, yj = ring[j].y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

// Whether the point lies exactly on an edge, where either answer is right.
bool OnEdge(const std::vector<POINT>& ring, double x, double y)
{
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const double ax = ring[j].x, ay = ring[j].y, bx = ring[i].x, by = ring[i].y;
        if ((bx - ax) * (y - ay) == (by - ay) * (x - ax) && std::min(ax, bx) <= x && x <= std::max(ax, bx)
            && std::min(ay, by) <= y && y <= std::max(ay, by))
            return true;
    }
    return false;
}
}

TEST_F(ExtremesTest, ScanLinesOfManyCrossingsFillInTimeAndInTheRightPlaces)
{
    // A comb of 16000 teeth: every scan line crosses every edge.
    Reset(200, 200);
    std::vector<POINT> comb;
    for (int i = 0; i < 16000; ++i)
        comb.push_back(POINT{i / 80, i % 2 ? 199 : 0});
    dc.SelectStockObject(BLACK_BRUSH);
    dc.SelectStockObject(NULL_PEN);
    const auto start = std::chrono::steady_clock::now();
    dc.Polygon(comb.data(), (int)comb.size());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0);
    EXPECT_GT(Count(kBlack), 0);

    // Edges that cross each other on every row: the fill is where an even-odd count puts it. The
    // fill takes the vertices at their pixels' centres, so pixel (x, y) is in when point (x, y)
    // is inside the polygon of the integer vertices.
    Reset(64, 64);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-4, 67);
    std::vector<POINT> tangle;
    for (int i = 0; i < 300; ++i)
        tangle.push_back(POINT{coordinate(random), coordinate(random)});
    dc.SelectStockObject(BLACK_BRUSH);
    dc.SelectStockObject(NULL_PEN);
    dc.SetPolyFillMode(ALTERNATE);
    dc.Polygon(tangle.data(), (int)tangle.size());
    int wrong = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (!OnEdge(tangle, x, y))
                wrong += (At(x, y) == kBlack) != InsideEvenOdd(tangle, x, y);
    EXPECT_EQ(wrong, 0);
}
