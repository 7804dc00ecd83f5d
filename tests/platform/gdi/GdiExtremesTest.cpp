// Extreme coordinates, extents, pen widths and mappings: every call finishes at once, draws only
// what falls on the surface, and computes no int beyond its range.
#include "GdiTestSupport.h"

#include "platform/gdi/GdiObjects.h"

#include <chrono>
#include <climits>
#include <functional>

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
