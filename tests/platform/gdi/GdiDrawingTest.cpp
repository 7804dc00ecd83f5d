// Lines, figures, raster operations, brushes, clipping, state and paths, read back as pixels.
#include "GdiTestSupport.h"

#include <functional>

namespace {

using Figure = std::function<void(CDC&)>;

struct NamedFigure {
    const char* name;
    Figure draw;
};

const NamedFigure kFigures[] = {
    {"line", [](CDC& dc) { dc.MoveTo(3, 40); dc.LineTo(50, 7); }},
    {"steep line", [](CDC& dc) { dc.MoveTo(30, 2); dc.LineTo(33, 60); }},
    {"rectangle", [](CDC& dc) { dc.Rectangle(5, 6, 40, 30); }},
    {"ellipse", [](CDC& dc) { dc.Ellipse(4, 4, 47, 33); }},
    {"round rectangle", [](CDC& dc) { dc.RoundRect(8, 9, 50, 40, 12, 10); }},
    {"polyline", [](CDC& dc) {
         const POINT p[] = {{2, 2}, {40, 10}, {12, 50}, {60, 60}, {30, 5}};
         dc.Polyline(p, 5);
     }},
    {"self-crossing polygon", [](CDC& dc) {
         const POINT p[] = {{32, 2}, {50, 60}, {4, 22}, {60, 22}, {14, 60}};
         dc.Polygon(p, 5);
     }},
    {"arc", [](CDC& dc) { dc.Arc(5, 5, 55, 45, 60, 20, 0, 10); }},
    {"pie", [](CDC& dc) { dc.Pie(5, 5, 55, 45, 60, 20, 0, 10); }},
    {"chord", [](CDC& dc) { dc.Chord(5, 5, 55, 45, 30, 0, 0, 40); }},
};

} // namespace

using DrawingTest = SurfaceTest;

TEST_F(DrawingTest, LineToLeavesOutItsLastPixel)
{
    struct Case {
        POINT from, to;
    } cases[] = {{{2, 5}, {10, 5}}, {{10, 5}, {2, 5}}, {{7, 3}, {7, 20}}, {{4, 4}, {14, 14}}, {{20, 30}, {5, 22}}};
    for (const Case& c : cases) {
        SetUp();
        dc.MoveTo(c.from);
        dc.LineTo(c.to);
        EXPECT_EQ(At(c.from.x, c.from.y), kBlack) << c.from.x << "," << c.from.y;
        EXPECT_EQ(At(c.to.x, c.to.y), kWhite) << "end point " << c.to.x << "," << c.to.y;
        const int steps = std::max(std::abs(c.to.x - c.from.x), std::abs(c.to.y - c.from.y));
        EXPECT_EQ(Count(kBlack), steps);
        EXPECT_EQ(dc.GetCurrentPosition(), CPoint(c.to));
    }
}

TEST_F(DrawingTest, ClosedFiguresLeaveOutRightAndBottomEdges)
{
    const std::function<void()> shapes[] = {
        [&] { dc.Rectangle(5, 6, 20, 30); },
        [&] { dc.Ellipse(5, 6, 20, 30); },
        [&] { dc.RoundRect(5, 6, 20, 30, 6, 6); },
        [&] { dc.Rectangle(20, 30, 5, 6); }, // corners given the other way round
    };
    for (const auto& draw : shapes) {
        SetUp();
        dc.SelectStockObject(NULL_BRUSH);
        draw();
        EXPECT_EQ(InkBox(), CRect(5, 6, 20, 30));
    }
    // The outline of a rectangle is its edge pixels; the white stock brush fills inside.
    SetUp();
    CBrush grey(RGB(128, 128, 128));
    dc.SelectObject(&grey);
    dc.Rectangle(5, 6, 20, 30);
    EXPECT_EQ(At(5, 6), kBlack);
    EXPECT_EQ(At(19, 29), kBlack);
    EXPECT_EQ(At(6, 7), RGB(128, 128, 128));
    EXPECT_EQ(At(18, 28), RGB(128, 128, 128));
    EXPECT_EQ(Count(RGB(128, 128, 128)), 13 * 22);
}

TEST_F(DrawingTest, FigureWithoutOutlineIsOnePixelSmaller)
{
    dc.SelectStockObject(NULL_PEN);
    dc.SelectStockObject(BLACK_BRUSH);
    dc.Rectangle(5, 6, 20, 30);
    EXPECT_EQ(InkBox(), CRect(5, 6, 19, 29));
    EXPECT_EQ(Count(kBlack), 14 * 23);
}

TEST_F(DrawingTest, PolygonFillsBetweenItsVerticesAndOutlinesThemAll)
{
    const POINT square[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    dc.SelectStockObject(NULL_PEN);
    dc.SelectStockObject(BLACK_BRUSH);
    dc.Polygon(square, 4);
    EXPECT_EQ(InkBox(), CRect(10, 10, 20, 20));
    SetUp();
    dc.SelectStockObject(NULL_BRUSH);
    dc.Polygon(square, 4);
    EXPECT_EQ(InkBox(), CRect(10, 10, 21, 21));
    EXPECT_EQ(Count(kBlack), 40);
}

TEST_F(DrawingTest, FillModesDecideTheInsideOfSelfCrossingPolygons)
{
    // A pentagram: its centre is inside twice.
    const POINT star[] = {{32, 2}, {50, 60}, {4, 22}, {60, 22}, {14, 60}};
    dc.SelectStockObject(NULL_PEN);
    dc.SelectStockObject(BLACK_BRUSH);
    EXPECT_EQ(dc.SetPolyFillMode(ALTERNATE), ALTERNATE);
    dc.Polygon(star, 5);
    EXPECT_EQ(At(32, 35), kWhite);
    EXPECT_EQ(At(32, 10), kBlack);
    SetUp();
    dc.SelectStockObject(NULL_PEN);
    dc.SelectStockObject(BLACK_BRUSH);
    dc.SetPolyFillMode(WINDING);
    dc.Polygon(star, 5);
    EXPECT_EQ(At(32, 35), kBlack);
}

TEST_F(DrawingTest, FiguresDrawnTwiceInXorModesRestoreEveryPixel)
{
    for (int rop : {R2_NOTXORPEN, R2_XORPEN, R2_NOT}) {
        for (int width : {1, 4}) {
            for (int style : {PS_SOLID, PS_DASHDOT}) {
                for (const NamedFigure& f : kFigures) {
                    FillPattern();
                    const TestSurface before = surface;
                    CPen pen(style, width, RGB(192, 192, 192));
                    CPen* old = dc.SelectObject(&pen);
                    dc.SetROP2(rop);
                    dc.SetBkMode(OPAQUE);
                    f.draw(dc);
                    EXPECT_NE(surface, before) << f.name;
                    f.draw(dc);
                    EXPECT_EQ(surface, before) << f.name << " rop " << rop << " width " << width << " style " << style;
                    dc.SelectObject(old);
                }
            }
        }
    }
}

TEST_F(DrawingTest, BinaryRasterOperationsCombinePenAndDestination)
{
    const BYTE p = 0xF0, d = 0xCC; // the pen's and the destination's byte in every channel
    struct Case {
        int rop;
        BYTE expected;
    } cases[] = {
        {R2_BLACK, 0x00}, {R2_NOTMERGEPEN, (BYTE) ~(p | d)}, {R2_MASKNOTPEN, (BYTE)(~p & d)},
        {R2_NOTCOPYPEN, (BYTE)~p}, {R2_MASKPENNOT, (BYTE)(p & ~d)}, {R2_NOT, (BYTE)~d},
        {R2_XORPEN, (BYTE)(p ^ d)}, {R2_NOTMASKPEN, (BYTE) ~(p & d)}, {R2_MASKPEN, (BYTE)(p & d)},
        {R2_NOTXORPEN, (BYTE) ~(p ^ d)}, {R2_NOP, d}, {R2_MERGENOTPEN, (BYTE)(~p | d)},
        {R2_COPYPEN, p}, {R2_MERGEPENNOT, (BYTE)(p | ~d)}, {R2_MERGEPEN, (BYTE)(p | d)}, {R2_WHITE, 0xFF},
    };
    CPen pen(PS_SOLID, 1, RGB(p, p, p));
    dc.SelectObject(&pen);
    for (const Case& c : cases) {
        surface.Fill(RGB(d, d, d));
        dc.SetROP2(c.rop);
        dc.MoveTo(3, 3);
        dc.LineTo(4, 3);
        EXPECT_EQ(At(3, 3), RGB(c.expected, c.expected, c.expected)) << "rop " << c.rop;
        EXPECT_EQ(At(4, 3), RGB(d, d, d));
    }
    EXPECT_EQ(dc.SetROP2(99), 0) << "an unknown mode is refused";
    EXPECT_EQ(dc.GetROP2(), R2_WHITE);
}

TEST_F(DrawingTest, StyledLinesFillTheirGapsOnlyInOpaqueMode)
{
    CPen pen(PS_DASH, 1, kBlack);
    dc.SelectObject(&pen);
    dc.SetBkColor(RGB(255, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    dc.MoveTo(0, 10);
    dc.LineTo(48, 10);
    EXPECT_EQ(Count(kBlack), 36); // two dashes of 18
    EXPECT_EQ(Count(RGB(255, 0, 0)), 0);
    EXPECT_EQ(At(18, 10), kWhite);
    dc.SetBkMode(OPAQUE);
    dc.MoveTo(0, 20);
    dc.LineTo(48, 20);
    EXPECT_EQ(Count(RGB(255, 0, 0)), 12);
    EXPECT_EQ(At(18, 20), RGB(255, 0, 0));
}

TEST_F(DrawingTest, WidePensCentreOnTheFigure)
{
    CPen pen(PS_SOLID, 5, kBlack);
    dc.SelectObject(&pen);
    dc.MoveTo(10, 30);
    dc.LineTo(50, 30);
    const CRect box = InkBox();
    EXPECT_EQ(box.top, 28);
    EXPECT_EQ(box.bottom, 33);
    EXPECT_LE(box.left, 9) << "round caps reach beyond the ends";
    // An inside-frame pen keeps a rectangle's outline inside its box.
    SetUp();
    CPen inside(PS_INSIDEFRAME, 5, kBlack);
    dc.SelectObject(&inside);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(10, 10, 40, 40);
    EXPECT_EQ(InkBox(), CRect(10, 10, 40, 40));
}

TEST_F(DrawingTest, HatchBrushesAlignToTheDeviceOrigin)
{
    CBrush hatch(HS_CROSS, kBlack);
    dc.SelectObject(&hatch);
    dc.SelectStockObject(NULL_PEN);
    dc.SetBkMode(TRANSPARENT);
    dc.Rectangle(0, 0, 17, 17);
    const TestSurface reference = surface; // its 8 x 8 corner is one cell
    int ink = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ink += reference.GetPixel(x, y) != kWhite;
    EXPECT_EQ(ink, 15) << "one row and one column of the 8 x 8 cell";

    // A figure elsewhere, drawn through a moved origin, shows the same cells at the same device pixels.
    SetUp();
    dc.SelectObject(&hatch);
    dc.SelectStockObject(NULL_PEN);
    dc.SetBkMode(TRANSPARENT);
    dc.SetViewportOrg(3, 5);
    dc.Rectangle(20, 17, 50, 48);
    for (int y = 23; y < 52; ++y)
        for (int x = 24; x < 52; ++x)
            ASSERT_EQ(At(x, y), reference.GetPixel(x % 8, y % 8)) << x << "," << y;

    // In opaque mode the spaces take the background colour.
    SetUp();
    dc.SelectObject(&hatch);
    dc.SelectStockObject(NULL_PEN);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(0, 0, 255));
    dc.Rectangle(0, 0, 9, 9);
    EXPECT_EQ(Count(RGB(0, 0, 255)), 64 - 15);
}

TEST_F(DrawingTest, PatternBrushesTileTheirBitmap)
{
    // A 12 x 12 colour pattern, as the fill styles use.
    std::vector<DWORD> bits(12 * 12);
    for (int i = 0; i < 12 * 12; ++i)
        bits[(size_t)i] = (i % 12 == i / 12) ? 0x00FFFFFF : 0x00C0C0C0;
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(12, 12, 1, 32, bits.data()));
    CBrush brush;
    ASSERT_TRUE(brush.CreatePatternBrush(&bitmap));
    bitmap.DeleteObject(); // the brush keeps its own copy
    RECT r{0, 0, 40, 40};
    dc.FillRect(&r, &brush);
    EXPECT_EQ(At(0, 0), kWhite);
    EXPECT_EQ(At(13, 13), kWhite);
    EXPECT_EQ(At(26, 13), RGB(192, 192, 192));
    EXPECT_EQ(At(36, 36), kWhite);

    // A monochrome pattern takes the text colour for its 0 bits and the background colour for its 1 bits.
    BYTE rows[16]; // rows of a 16-bit word each; row 0 all 0 bits, the others all 1 bits
    std::fill(rows, rows + 16, 0xFF);
    rows[0] = 0x00;
    CBitmap mono;
    ASSERT_TRUE(mono.CreateBitmap(8, 8, 1, 1, rows));
    CBrush monoBrush(&mono);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.SetBkColor(RGB(0, 255, 0));
    const RECT band{0, 40, 16, 56};
    dc.FillRect(&band, &monoBrush);
    EXPECT_EQ(At(3, 40), RGB(255, 0, 0));
    EXPECT_EQ(At(3, 41), RGB(0, 255, 0));
    EXPECT_EQ(At(12, 48), RGB(255, 0, 0));
}

TEST_F(DrawingTest, InvertingTwiceRestores)
{
    FillPattern();
    const TestSurface before = surface;
    dc.PatBlt(10, 10, 7, 7, DSTINVERT);
    EXPECT_EQ(At(12, 12), Inverted(before.GetPixel(12, 12)));
    EXPECT_EQ(At(17, 12), before.GetPixel(17, 12));
    dc.PatBlt(10, 10, 7, 7, DSTINVERT);
    EXPECT_EQ(surface, before);

    const RECT focus{5, 5, 30, 20};
    dc.DrawFocusRect(&focus);
    EXPECT_NE(surface, before);
    dc.DrawFocusRect(&focus);
    EXPECT_EQ(surface, before);

    const RECT r{3, 40, 20, 60};
    dc.InvertRect(&r);
    dc.InvertRect(&r);
    EXPECT_EQ(surface, before);

    // PATINVERT with a white brush inverts as well.
    dc.SelectStockObject(WHITE_BRUSH);
    dc.PatBlt(40, 40, 5, 5, PATINVERT);
    EXPECT_EQ(At(42, 42), Inverted(before.GetPixel(42, 42)));
    dc.PatBlt(40, 40, 5, 5, PATINVERT);
    EXPECT_EQ(surface, before);
}

TEST_F(DrawingTest, ClipRegionsLimitDrawing)
{
    CRgn region;
    region.CreateRectRgn(10, 10, 20, 30);
    dc.SelectClipRgn(&region);
    dc.FillSolidRect(0, 0, 64, 64, kBlack);
    EXPECT_EQ(InkBox(), CRect(10, 10, 20, 30));
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(10, 10, 20, 30));

    // Clip regions are in device units; clip rectangles in logical ones.
    SetUp();
    dc.SetViewportOrg(5, 5);
    dc.SelectClipRgn(&region);
    dc.IntersectClipRect(0, 0, 10, 10); // device (5, 5) - (15, 15)
    dc.FillSolidRect(-5, -5, 64, 64, kBlack);
    EXPECT_EQ(InkBox(), CRect(10, 10, 15, 15));
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));

    // Excluding makes a complex region; removing the clip region draws everywhere again.
    SetUp();
    dc.ExcludeClipRect(20, 20, 30, 30);
    dc.FillSolidRect(0, 0, 64, 64, kBlack);
    EXPECT_EQ(Count(kWhite), 100);
    dc.SelectClipRgn(nullptr);
    dc.FillSolidRect(0, 0, 64, 64, kBlack);
    EXPECT_EQ(Count(kWhite), 0);

    // An elliptic clip keeps the corners of its box untouched.
    SetUp();
    CRgn ellipse;
    ellipse.CreateEllipticRgn(0, 0, 40, 40);
    EXPECT_EQ(dc.SelectClipRgn(&ellipse), COMPLEXREGION);
    dc.FillSolidRect(0, 0, 64, 64, kBlack);
    EXPECT_EQ(At(1, 1), kWhite);
    EXPECT_EQ(At(20, 20), kBlack);
    EXPECT_EQ(dc.GetPixel(1, 1), CLR_INVALID) << "outside the clip area";
}

TEST_F(DrawingTest, TheSurfaceClipOfAWindowDCLimitsDrawing)
{
    CDC window;
    const RECT update{0, 0, 8, 8};
    surface.AttachTo(window, &update);
    window.FillSolidRect(0, 0, 64, 64, kBlack);
    EXPECT_EQ(InkBox(), CRect(0, 0, 8, 8));
    EXPECT_TRUE(surface.IsSurfaceOf(window));
    RECT changed{};
    window.SetSurfaceObserver([&](const RECT& r) { changed = r; });
    window.SetPixel(3, 4, RGB(1, 2, 3));
    EXPECT_EQ(CRect(changed), CRect(3, 4, 4, 5));
    window.DetachSurface();
    EXPECT_EQ(window.GetSurface(), nullptr);
    EXPECT_EQ(window.SetPixel(1, 1, kWhite), CLR_INVALID) << "nothing to draw on";
}

TEST_F(DrawingTest, SaveDCAndRestoreDCRestoreTheState)
{
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush blue(RGB(0, 0, 255));
    const int level = dc.SaveDC();
    EXPECT_EQ(level, 1);
    dc.SelectObject(&red);
    dc.SelectObject(&blue);
    dc.SetROP2(R2_XORPEN);
    dc.SetTextColor(RGB(1, 2, 3));
    dc.SetBkMode(TRANSPARENT);
    dc.SetViewportOrg(10, 10);
    dc.IntersectClipRect(0, 0, 5, 5);
    dc.SaveDC();
    dc.SetTextColor(RGB(4, 5, 6));
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_FALSE(dc.RestoreDC(level)) << "that level is gone";
    EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
    EXPECT_EQ(dc.GetTextColor(), kBlack);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_EQ(dc.GetCurrentPen()->GetSafeHandle(), GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.GetCurrentBrush()->GetSafeHandle(), GetStockObject(WHITE_BRUSH));
    dc.Rectangle(20, 20, 30, 30);
    EXPECT_EQ(At(20, 20), kBlack) << "the clip rectangle went with the restore";
}

TEST_F(DrawingTest, SelectObjectReturnsThePreviousObjectAndKeepsADeletedOneUntilDeselected)
{
    CPen* stock = nullptr;
    {
        CPen green(PS_SOLID, 1, RGB(0, 255, 0));
        stock = dc.SelectObject(&green);
        ASSERT_NE(stock, nullptr);
        EXPECT_EQ(stock->GetSafeHandle(), GetStockObject(BLACK_PEN));
        EXPECT_EQ(dc.GetCurrentPen(), &green);
    } // the pen's wrapper is gone while the pen is still selected
    dc.MoveTo(0, 0);
    dc.LineTo(5, 0);
    EXPECT_EQ(At(2, 0), RGB(0, 255, 0));
    EXPECT_EQ(dc.SelectObject(stock), nullptr) << "the deleted pen went with its last selection";
    EXPECT_EQ(dc.GetCurrentPen(), stock);

    CGdiObject* prev = dc.SelectStockObject(NULL_BRUSH);
    EXPECT_EQ(prev->GetSafeHandle(), GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(prev->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_GUI_FONT)), (DWORD)OBJ_FONT);
}

TEST_F(DrawingTest, PathsFillBetweenTheirFiguresAndStrokeThem)
{
    // An outer square with a hole: the cached outlines are open lines, the fill closes them.
    const POINT outer[] = {{10, 10}, {50, 10}, {50, 50}, {10, 50}, {10, 10}};
    const POINT hole[] = {{20, 20}, {40, 20}, {40, 40}, {20, 40}, {20, 20}};
    CBrush grey(RGB(128, 128, 128));
    dc.SelectObject(&grey);
    ASSERT_TRUE(dc.BeginPath());
    dc.Polyline(outer, 5);
    dc.Polyline(hole, 5);
    ASSERT_TRUE(dc.EndPath());
    EXPECT_EQ(Count(kBlack), 0) << "a path draws nothing until it is rendered";
    ASSERT_TRUE(dc.StrokeAndFillPath());
    EXPECT_EQ(At(15, 15), RGB(128, 128, 128));
    EXPECT_EQ(At(30, 30), kWhite);
    EXPECT_EQ(At(10, 30), kBlack);
    EXPECT_EQ(At(20, 30), kBlack);
    EXPECT_FALSE(dc.StrokePath()) << "a rendered path is used up";

    // MoveTo/LineTo figures, stroked only.
    SetUp();
    dc.BeginPath();
    dc.MoveTo(5, 5);
    dc.LineTo(25, 5);
    dc.LineTo(25, 25);
    dc.CloseFigure();
    dc.EndPath();
    dc.StrokePath();
    EXPECT_EQ(At(15, 5), kBlack);
    EXPECT_EQ(At(15, 15), kBlack) << "the closing edge";
    EXPECT_EQ(At(20, 10), kWhite);
}

TEST_F(DrawingTest, ArcsRunCounterClockwiseFromStartToEnd)
{
    // From the radial through the right to the one through the left: the upper half.
    dc.Arc(10, 10, 51, 51, 60, 30, 0, 30);
    const CRect box = InkBox();
    EXPECT_LE(box.bottom, 32);
    EXPECT_LE(box.top, 11);
    SetUp();
    dc.SetArcDirection(AD_CLOCKWISE);
    dc.Arc(10, 10, 51, 51, 60, 30, 0, 30);
    EXPECT_GE(InkBox().top, 29);
}

TEST_F(DrawingTest, MappingModesScaleAndTurnTheYAxis)
{
    EXPECT_EQ(dc.SetMapMode(MM_LOMETRIC), MM_TEXT);
    POINT p{254, -254}; // 1 inch right, 1 inch down
    dc.LPtoDP(&p);
    EXPECT_EQ(CPoint(p), CPoint(96, 96));
    dc.DPtoLP(&p);
    EXPECT_EQ(CPoint(p), CPoint(254, -254));
    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(10, 20);
    dc.SetViewportOrg(1, 2);
    POINT q{10, 20};
    dc.LPtoDP(&q);
    EXPECT_EQ(CPoint(q), CPoint(1, 2));
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE, 0);
}

TEST_F(DrawingTest, EdgesAndFrameControlsUseTheSystemColours)
{
    CRect r(10, 10, 30, 24);
    dc.DrawEdge(&r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(CRect(r), CRect(12, 12, 28, 22));
    EXPECT_EQ(At(10, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(At(29, 23), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(At(11, 11), GetSysColor(COLOR_3DDKSHADOW));

    CRect button(0, 30, 40, 50);
    dc.DrawFrameControl(&button, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    EXPECT_EQ(CRect(button), CRect(2, 32, 38, 48));
    EXPECT_EQ(At(20, 40), GetSysColor(COLOR_BTNFACE));

    CRect arrow(44, 44, 60, 60);
    dc.DrawFrameControl(&arrow, DFC_SCROLL, DFCS_SCROLLDOWN);
    EXPECT_EQ(At(52, 52), GetSysColor(COLOR_BTNTEXT)) << "the arrow in the middle";

    SetUp();
    dc.Draw3dRect(5, 5, 10, 10, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(At(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(At(14, 5), RGB(0, 0, 255));
    EXPECT_EQ(At(5, 14), RGB(0, 0, 255));
    EXPECT_EQ(At(14, 14), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetBkColor(), RGB(0, 0, 255)) << "the last solid fill's colour stays the background";
}

TEST_F(DrawingTest, RegionsCombineAndFrame)
{
    CRgn a, b, c;
    a.CreateRectRgn(0, 0, 20, 20);
    b.CreateRectRgn(10, 10, 30, 30);
    c.CreateRectRgn(0, 0, 0, 0);
    struct Case {
        int mode;
        POINT in, out;
        int type;
    } cases[] = {
        {RGN_AND, {15, 15}, {5, 5}, SIMPLEREGION},
        {RGN_OR, {25, 25}, {25, 5}, COMPLEXREGION},
        {RGN_XOR, {5, 5}, {15, 15}, COMPLEXREGION},
        {RGN_DIFF, {5, 15}, {15, 15}, COMPLEXREGION},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(c.CombineRgn(&a, &b, k.mode), k.type) << k.mode;
        EXPECT_TRUE(c.PtInRegion(k.in)) << k.mode;
        EXPECT_FALSE(c.PtInRegion(k.out)) << k.mode;
    }
    CRect box;
    c.CombineRgn(&a, &b, RGN_OR);
    c.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 30, 30));
    c.OffsetRgn(5, 5);
    EXPECT_TRUE(c.PtInRegion(34, 34));

    const POINT triangle[] = {{0, 0}, {40, 0}, {0, 40}};
    CRgn tri;
    tri.CreatePolygonRgn(triangle, 3, ALTERNATE);
    EXPECT_TRUE(tri.PtInRegion(5, 5));
    EXPECT_FALSE(tri.PtInRegion(30, 30));

    CBrush black(kBlack);
    dc.FrameRgn(&a, &black, 2, 1);
    EXPECT_EQ(At(0, 10), kBlack);
    EXPECT_EQ(At(1, 10), kBlack);
    EXPECT_EQ(At(2, 10), kWhite);
    EXPECT_EQ(At(10, 0), kBlack);
    EXPECT_EQ(At(10, 1), kWhite);
    dc.FillRgn(&tri, &black);
    EXPECT_EQ(At(5, 30), kBlack);
}

TEST_F(DrawingTest, FiguresFarBeyondTheSurfaceCostOnlyTheirVisiblePart)
{
    dc.SelectStockObject(BLACK_BRUSH);
    dc.Ellipse(-100000000, -100000000, 100000000, 100000000);
    EXPECT_EQ(Count(kBlack), 64 * 64);
    SetUp();
    dc.MoveTo(-2000000000, 10);
    dc.LineTo(2000000000, 10);
    EXPECT_EQ(Count(kBlack), 64);
    SetUp();
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 2, 2);
    CBitmap* old = mem.SelectObject(&bitmap);
    mem.FillSolidRect(0, 0, 2, 2, RGB(0, 0, 255));
    dc.StretchBlt(-(1 << 28), -(1 << 28), 1 << 29, 1 << 29, &mem, 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(Count(RGB(0, 0, 255)), 64 * 64);
    mem.SelectObject(old);
}

TEST(GdiHelpers, MulDivRoundsAndRefusesZero)
{
    EXPECT_EQ(MulDiv(10, 3, 4), 8); // 7.5 rounds away from zero
    EXPECT_EQ(MulDiv(-10, 3, 4), -8);
    EXPECT_EQ(MulDiv(1 << 30, 4, 8), 1 << 29) << "no overflow in the product";
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    LOGBRUSH lb{};
    ASSERT_EQ(GetObject(GetSysColorBrush(COLOR_BTNSHADOW), sizeof lb, &lb), (int)sizeof lb);
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNSHADOW));
}
