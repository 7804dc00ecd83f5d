// Bitmaps, memory DCs, block transfers and packed device-independent bitmaps.
#include "GdiTestSupport.h"

#include "platform/testing/PatternBitmap.h"

#include <vector>

using BitmapTest = SurfaceTest;

namespace {

// A memory DC holding a colour bitmap of w x h filled with `color`.
struct MemoryBitmap {
    MemoryBitmap(CDC& compatible, int w, int h, COLORREF color)
    {
        dc.CreateCompatibleDC(&compatible);
        bitmap.CreateCompatibleBitmap(&compatible, w, h);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, color);
    }
    ~MemoryBitmap() { dc.SelectObject(old); }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

} // namespace

TEST_F(BitmapTest, BitBltCombinesSourcePatternAndDestination)
{
    const BYTE S = 0xCC, D = 0xAA, P = 0xF0;
    MemoryBitmap src(dc, 4, 4, RGB(S, S, S));
    CBrush brush(RGB(P, P, P));
    struct Case {
        DWORD rop;
        BYTE expected;
    } cases[] = {
        {SRCCOPY, S}, {SRCPAINT, (BYTE)(S | D)}, {SRCAND, (BYTE)(S & D)}, {SRCINVERT, (BYTE)(S ^ D)},
        {SRCERASE, (BYTE)(S & ~D)}, {NOTSRCCOPY, (BYTE)~S}, {NOTSRCERASE, (BYTE) ~(S | D)},
        {MERGECOPY, (BYTE)(P & S)}, {MERGEPAINT, (BYTE)(~S | D)}, {PATCOPY, P}, {PATPAINT, (BYTE)(P | ~S | D)},
        {PATINVERT, (BYTE)(P ^ D)}, {DSTINVERT, (BYTE)~D}, {BLACKNESS, 0x00}, {WHITENESS, 0xFF},
        {0x00B8074Au, (BYTE)(((P ^ D) & S) ^ P)}, // the masked-pattern code some transparent blits use
    };
    dc.SelectObject(&brush);
    for (const Case& c : cases) {
        surface.Fill(RGB(D, D, D));
        EXPECT_TRUE(dc.BitBlt(2, 3, 4, 4, &src.dc, 0, 0, c.rop));
        EXPECT_EQ(At(2, 3), RGB(c.expected, c.expected, c.expected)) << std::hex << c.rop;
        EXPECT_EQ(At(5, 6), RGB(c.expected, c.expected, c.expected)) << std::hex << c.rop;
        EXPECT_EQ(At(6, 6), RGB(D, D, D)) << std::hex << c.rop;
    }
}

TEST_F(BitmapTest, MemoryDCsStartMonochromeAndTakeTheirBitmapsFormat)
{
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&dc));
    BITMAP bm{};
    ASSERT_EQ(mem.GetCurrentBitmap()->GetBitmap(&bm), (int)sizeof bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    CBitmap mono;
    mono.CreateCompatibleBitmap(&mem, 10, 10); // compatible with the monochrome default bitmap
    mono.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    CBitmap colour;
    colour.CreateCompatibleBitmap(&dc, 10, 10);
    colour.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmWidthBytes, 40);

    // A colour pen drawn into a monochrome bitmap comes out black or white.
    CBitmap* old = mem.SelectObject(&mono);
    mem.FillSolidRect(0, 0, 10, 10, RGB(250, 250, 250));
    EXPECT_EQ(mem.GetPixel(5, 5), kWhite);
    mem.SetPixel(1, 1, RGB(40, 40, 200));
    EXPECT_EQ(mem.GetPixel(1, 1), kBlack);

    // A bitmap draws in one memory DC at a time.
    CDC other;
    other.CreateCompatibleDC(&dc);
    EXPECT_EQ(other.SelectObject(&mono), nullptr);
    mem.SelectObject(old);
    EXPECT_NE(other.SelectObject(&mono), nullptr);
}

TEST_F(BitmapTest, MemoryDCDrawingReachesTheSurfaceThroughBitBlt)
{
    MemoryBitmap mem(dc, 20, 20, RGB(0, 128, 0));
    mem.dc.SelectStockObject(BLACK_BRUSH);
    mem.dc.Rectangle(5, 5, 10, 10);
    dc.BitBlt(30, 30, 20, 20, &mem.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(At(30, 30), RGB(0, 128, 0));
    EXPECT_EQ(At(36, 36), kBlack);
    EXPECT_EQ(At(29, 30), kWhite);
    EXPECT_EQ(InkBox(), CRect(30, 30, 50, 50));
    // A source origin moves what is copied; a moved window origin in the source counts too.
    SetUp();
    mem.dc.SetWindowOrg(5, 5);
    dc.BitBlt(0, 0, 5, 5, &mem.dc, 10, 10, SRCCOPY);
    EXPECT_EQ(Count(kBlack), 25);
}

TEST_F(BitmapTest, MonochromeAndColourConvertThroughTheDCColours)
{
    // The transparent blit: a mask from the colour key, then XOR, AND, XOR.
    MemoryBitmap image(dc, 16, 16, RGB(255, 0, 255));
    image.dc.FillSolidRect(4, 4, 8, 8, RGB(0, 0, 255));
    CDC maskDC;
    maskDC.CreateCompatibleDC(&dc);
    CBitmap mask;
    mask.CreateBitmap(16, 16, 1, 1, nullptr);
    CBitmap* oldMask = maskDC.SelectObject(&mask);
    image.dc.SetBkColor(RGB(255, 0, 255));
    maskDC.BitBlt(0, 0, 16, 16, &image.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(maskDC.GetPixel(0, 0), kWhite) << "the key colour becomes 1";
    EXPECT_EQ(maskDC.GetPixel(6, 6), kBlack);

    // The image with a black background, then the three passes over a busy destination.
    image.dc.SetBkColor(kWhite);
    image.dc.SetTextColor(kBlack);
    image.dc.BitBlt(0, 0, 16, 16, &maskDC, 0, 0, 0x00220326u); // DSna: key pixels to black
    EXPECT_EQ(image.dc.GetPixel(0, 0), kBlack);
    FillPattern();
    const TestSurface before = surface;
    dc.SetBkColor(kWhite);
    dc.SetTextColor(kBlack);
    dc.BitBlt(10, 10, 16, 16, &image.dc, 0, 0, SRCINVERT);
    dc.BitBlt(10, 10, 16, 16, &maskDC, 0, 0, SRCAND);
    dc.BitBlt(10, 10, 16, 16, &image.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(At(11, 11), before.GetPixel(11, 11)) << "transparent where the key was";
    EXPECT_EQ(At(17, 17), RGB(0, 0, 255));
    maskDC.SelectObject(oldMask);
}

TEST_F(BitmapTest, StretchBltScalesAndMirrors)
{
    MemoryBitmap src(dc, 4, 2, kWhite);
    src.dc.SetPixel(0, 0, RGB(255, 0, 0));
    src.dc.SetStretchBltMode(COLORONCOLOR);
    dc.SetStretchBltMode(COLORONCOLOR);
    dc.StretchBlt(0, 0, 16, 8, &src.dc, 0, 0, 4, 2, SRCCOPY);
    EXPECT_EQ(At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(At(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(At(4, 0), kWhite);
    EXPECT_EQ(At(0, 4), kWhite);
    SetUp();
    dc.StretchBlt(0, 0, 16, 8, &src.dc, 3, 0, -4, 2, SRCCOPY); // source pixels 3 .. 0: mirrored
    EXPECT_EQ(At(15, 0), RGB(255, 0, 0));
    EXPECT_EQ(At(0, 0), kWhite);
}

TEST_F(BitmapTest, DibSectionBytesAndDrawingStayTheSame)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 5;
    info.bmiHeader.biHeight = 3; // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* raw = nullptr;
    HBITMAP section = CreateDIBSection(dc.GetSafeHdc(), &info, DIB_RGB_COLORS, &raw, nullptr, 0);
    ASSERT_NE(section, nullptr);
    ASSERT_NE(raw, nullptr);
    auto* bits = static_cast<BYTE*>(raw);
    const int stride = 16; // 15 bytes padded to 4
    // Row 0 in memory is the bottom row: blue, green, red.
    bits[0] = 0xFF, bits[1] = 0x00, bits[2] = 0x00;
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    HGDIOBJ old = SelectObject(mem.GetSafeHdc(), section);
    EXPECT_EQ(mem.GetPixel(0, 2), RGB(0, 0, 255));
    mem.SetPixel(4, 0, RGB(10, 20, 30)); // top row: the last row in memory
    const BYTE* top = bits + 2 * stride + 4 * 3;
    EXPECT_EQ(top[0], 30);
    EXPECT_EQ(top[1], 20);
    EXPECT_EQ(top[2], 10);
    DIBSECTION ds{};
    ASSERT_EQ(GetObject(section, sizeof ds, &ds), (int)sizeof ds);
    EXPECT_EQ(ds.dsBm.bmBits, raw);
    EXPECT_EQ(ds.dsBmih.biBitCount, 24);
    SelectObject(mem.GetSafeHdc(), old);
    DeleteObject(section);
}

TEST_F(BitmapTest, PackedBitmapsGoToTheDeviceAndBack)
{
    // 3 x 2, 8 bits with a palette of three colours, bottom-up.
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[3];
    } info{};
    info.h = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 8, BI_RGB, 0, 0, 0, 3, 0};
    info.colors[0] = {0, 0, 255, 0}; // red
    info.colors[1] = {0, 255, 0, 0}; // green
    info.colors[2] = {255, 0, 0, 0}; // blue
    const BYTE bits[8] = {0, 1, 2, 0, /* bottom row */ 2, 2, 1, 0 /* top row */};
    const auto* bmi = reinterpret_cast<const BITMAPINFO*>(&info);
    EXPECT_EQ(SetDIBitsToDevice(dc.GetSafeHdc(), 10, 20, 3, 2, 0, 0, 0, 2, bits, bmi, DIB_RGB_COLORS), 2);
    EXPECT_EQ(At(10, 20), RGB(0, 0, 255));
    EXPECT_EQ(At(12, 20), RGB(0, 255, 0));
    EXPECT_EQ(At(10, 21), RGB(255, 0, 0));
    EXPECT_EQ(At(12, 21), RGB(0, 0, 255));
    EXPECT_EQ(InkBox(), CRect(10, 20, 13, 22));

    EXPECT_GT(StretchDIBits(dc.GetSafeHdc(), 30, 30, 6, 4, 0, 0, 3, 2, bits, bmi, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(At(31, 31), RGB(0, 0, 255));
    EXPECT_EQ(At(35, 33), RGB(0, 0, 255));

    // Back from a bitmap: the header alone, then 24-bit rows bottom-up.
    MemoryBitmap mem(dc, 3, 2, kWhite);
    mem.dc.SetPixel(0, 1, RGB(1, 2, 3));
    mem.dc.SelectObject(mem.old); // GetDIBits reads a bitmap not selected anywhere
    mem.old = nullptr;
    BITMAPINFO out{};
    out.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_TRUE(GetDIBits(dc.GetSafeHdc(), mem.bitmap, 0, 2, nullptr, &out, DIB_RGB_COLORS));
    EXPECT_EQ(out.bmiHeader.biWidth, 3);
    EXPECT_EQ(out.bmiHeader.biBitCount, 32);
    out.bmiHeader.biBitCount = 24;
    out.bmiHeader.biCompression = BI_RGB;
    std::vector<BYTE> rows(2 * 12, 0xEE);
    EXPECT_EQ(GetDIBits(dc.GetSafeHdc(), mem.bitmap, 0, 2, rows.data(), &out, DIB_RGB_COLORS), 2);
    EXPECT_EQ(rows[0], 3);
    EXPECT_EQ(rows[1], 2);
    EXPECT_EQ(rows[2], 1);
    EXPECT_EQ(rows[3], 0xFF);
    EXPECT_EQ(rows[9], 0) << "row padding is zero";
    EXPECT_EQ(rows[12], 0xFF);
}

TEST_F(BitmapTest, BitmapBitsAreWordAlignedRows)
{
    const BYTE mono[4] = {0xA0, 0x00, 0x40, 0x00}; // 3 x 2: rows of one word
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(3, 2, 1, 1, mono));
    BYTE back[4] = {};
    EXPECT_EQ(bitmap.GetBitmapBits(sizeof back, back), 4u);
    EXPECT_EQ(back[0], 0xA0);
    EXPECT_EQ(back[2], 0x40);
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap* old = mem.SelectObject(&bitmap);
    EXPECT_EQ(mem.GetPixel(0, 0), kWhite);
    EXPECT_EQ(mem.GetPixel(1, 0), kBlack);
    EXPECT_EQ(mem.GetPixel(1, 1), kWhite);
    mem.SelectObject(old);

    RegisterTestPatternBitmap();
    CBitmap pattern;
    ASSERT_TRUE(pattern.LoadBitmap(kTestPatternBitmap));
    BITMAP bm{};
    pattern.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 12);
    EXPECT_EQ(bm.bmHeight, 12);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(1u));
}

TEST_F(BitmapTest, Win32CallsActOnTheSameDC)
{
    HDC h = dc.GetSafeHdc();
    EXPECT_EQ(CDC::FromHandle(h), &dc);
    // Clip to a rectangle and back, as image drawing does around its work.
    RECT box{};
    ASSERT_EQ(GetClipBox(h, &box), SIMPLEREGION);
    HRGN part = CreateRectRgn(10, 10, 20, 20);
    ExtSelectClipRgn(h, part, RGN_AND);
    FillRect(h, &box, (HBRUSH)(COLOR_HIGHLIGHT + 1)); // a system colour index names its brush
    EXPECT_EQ(InkBox(GetSysColor(COLOR_WINDOW)), CRect(10, 10, 20, 20));
    HRGN whole = CreateRectRgnIndirect(&box);
    ExtSelectClipRgn(h, whole, RGN_OR);
    PatBlt(h, 0, 0, 64, 64, BLACKNESS);
    EXPECT_EQ(Count(kBlack), 64 * 64);
    DeleteObject(part);
    DeleteObject(whole);

    // A memory DC made from the handle, its bitmap and the previous object given back.
    HDC mem = CreateCompatibleDC(h);
    HBITMAP bitmap = CreateCompatibleBitmap(h, 8, 8);
    HGDIOBJ old = SelectObject(mem, bitmap);
    EXPECT_EQ(GetObjectType(old), (DWORD)OBJ_BITMAP);
    EXPECT_EQ(GetCurrentObject(mem, OBJ_BITMAP), (HGDIOBJ)bitmap);
    SetBkColor(mem, RGB(0, 255, 0));
    RECT r{0, 0, 8, 8};
    ExtTextOutA(mem, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr);
    SetStretchBltMode(h, COLORONCOLOR);
    StretchBlt(h, 0, 0, 16, 16, mem, 0, 0, 8, 8, SRCCOPY);
    EXPECT_EQ(At(15, 15), RGB(0, 255, 0));
    EXPECT_FALSE(DeleteObject(bitmap)) << "still selected";
    SelectObject(mem, old);
    EXPECT_TRUE(DeleteDC(mem));
    EXPECT_EQ(GetObjectType(bitmap), 0u) << "it went when it was deselected";
    EXPECT_FALSE(DeleteDC(mem));
}
