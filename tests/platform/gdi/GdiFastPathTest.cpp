// The fast paths of drawing (row copies and fills of block transfers, solid spans, the
// kept clip region, the text caches) against the general per-pixel paths: each case is
// drawn twice on identical targets, once with the general paths forced, and every pixel
// (and every byte of a DIB section) must agree.
#include "GdiTestSupport.h"

#include "platform/gdi/FontDatabase.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int W = 40, H = 32;

class GeneralPaths {
public:
    explicit GeneralPaths(bool on) { gdi::generalPathsOnly = on; }
    ~GeneralPaths() { gdi::generalPathsOnly = false; }
};

enum class Kind { Surface, Colour, Mono, Dib1, Dib8, Dib32 };
const char* Name(Kind k)
{
    switch (k) {
    case Kind::Surface: return "surface";
    case Kind::Colour: return "colour bitmap";
    case Kind::Mono: return "monochrome bitmap";
    case Kind::Dib1: return "1-bit DIB";
    case Kind::Dib8: return "8-bit DIB";
    case Kind::Dib32: return "32-bit DIB";
    }
    return "";
}

// The header of W x H 32-bit pixels, top row first.
BITMAPINFO TopDown32()
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = W;
    info.bmiHeader.biHeight = -H;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return info;
}

struct InfoWithColours {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

// A target of one kind, W x H, filled with a pattern where neighbouring pixels differ
// (`seed` varies it), with a DC on it.
struct Target {
    Kind kind;
    std::unique_ptr<TestSurface> surface;
    CDC dc;
    CBitmap bitmap;
    HBITMAP section = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    void* bits = nullptr;
    size_t byteCount = 0;

    Target(Kind k, int seed) : kind(k)
    {
        std::vector<uint32_t> pattern((size_t)W * H);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                pattern[(size_t)y * W + x] = (uint32_t)(((x * 37 + y * 11 + seed) & 0xFF) << 16 |
                                                        ((x * 5 + y * 73 + seed * 3) & 0xFF) << 8 |
                                                        ((x * y + 91 + seed) & 0xFF));
        if (k == Kind::Surface) {
            surface = std::make_unique<TestSurface>(W, H);
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) {
                    const uint32_t p = pattern[(size_t)y * W + x];
                    surface->SetPixel(x, y, RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF));
                }
            surface->AttachTo(dc);
            return;
        }
        dc.CreateCompatibleDC(nullptr);
        HBITMAP handle = nullptr;
        if (k == Kind::Colour || k == Kind::Mono) {
            bitmap.CreateBitmap(W, H, 1, k == Kind::Mono ? 1 : 32, nullptr);
            handle = (HBITMAP)bitmap.GetSafeHandle();
        } else {
            const int bpp = k == Kind::Dib1 ? 1 : k == Kind::Dib8 ? 8 : 32;
            InfoWithColours info{};
            info.header.biSize = sizeof(BITMAPINFOHEADER);
            info.header.biWidth = W;
            info.header.biHeight = H;
            info.header.biPlanes = 1;
            info.header.biBitCount = (WORD)bpp;
            for (int i = 0; i < 256; ++i)
                info.colours[i] = RGBQUAD{(BYTE)(i * 7), (BYTE)(i * 3), (BYTE)i, 0};
            if (bpp == 1)
                info.colours[0] = RGBQUAD{0, 0, 0, 0}, info.colours[1] = RGBQUAD{255, 255, 255, 0};
            section = CreateDIBSection(dc.GetSafeHdc(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                       nullptr, 0);
            byteCount = (size_t)(((W * bpp + 31) / 32) * 4) * H;
            handle = section;
        }
        BITMAPINFO info32 = TopDown32();
        SetDIBits(dc.GetSafeHdc(), handle, 0, H, pattern.data(), &info32, DIB_RGB_COLORS);
        oldBitmap = ::SelectObject(dc.GetSafeHdc(), handle);
    }
    ~Target()
    {
        if (oldBitmap)
            ::SelectObject(dc.GetSafeHdc(), oldBitmap);
        if (section)
            DeleteObject(section);
    }

    // Every pixel as 0x00RRGGBB, top row first; a DIB section's bytes follow.
    std::vector<uint32_t> Pixels()
    {
        std::vector<uint32_t> out((size_t)W * H);
        if (surface) {
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    out[(size_t)y * W + x] = surface->GetPixel(x, y);
            return out;
        }
        BITMAPINFO info32 = TopDown32();
        HBITMAP handle = section ? section : (HBITMAP)bitmap.GetSafeHandle();
        EXPECT_EQ(GetDIBits(dc.GetSafeHdc(), handle, 0, H, out.data(), &info32, DIB_RGB_COLORS), H);
        for (uint32_t& p : out)
            p &= 0xFFFFFF;
        for (size_t i = 0; i < byteCount; ++i)
            out.push_back(static_cast<const BYTE*>(bits)[i]);
        return out;
    }
};

// Draws `draw(destination, source)` twice, generally and fast, and compares the destinations.
void ExpectSameAsGeneral(Kind dstKind, Kind srcKind, const std::function<void(CDC&, CDC&)>& draw,
                         const std::string& what)
{
    std::vector<uint32_t> result[2];
    for (int general = 0; general < 2; ++general) {
        GeneralPaths mode(general == 1);
        Target dst(dstKind, 0), src(srcKind, 101);
        draw(dst.dc, src.dc);
        result[general] = dst.Pixels();
    }
    EXPECT_TRUE(result[0] == result[1]) << what << " on a " << Name(dstKind) << " from a " << Name(srcKind);
}

const DWORD kRops[] = {SRCCOPY,  NOTSRCCOPY, SRCINVERT, SRCAND,  SRCPAINT,  MERGEPAINT, SRCERASE, NOTSRCERASE,
                       MERGECOPY, PATCOPY,   PATINVERT, PATPAINT, DSTINVERT, BLACKNESS,  WHITENESS, 0x00B8074A,
                       0x00E20746, 0x00990066};

// Where and through what the transfer goes: clip regions, origins, partial overlaps, the same DC.
struct Geometry {
    const char* name;
    std::function<void(CDC& dst, CDC& src, DWORD rop)> blit;
};

std::vector<Geometry> Geometries()
{
    return {
        {"whole", [](CDC& d, CDC& s, DWORD rop) { d.BitBlt(0, 0, W, H, &s, 0, 0, rop); }},
        {"offset part", [](CDC& d, CDC& s, DWORD rop) { d.BitBlt(5, 3, 21, 17, &s, 9, 7, rop); }},
        {"clip rectangle",
         [](CDC& d, CDC& s, DWORD rop) {
             d.IntersectClipRect(4, 4, 30, 25);
             d.BitBlt(0, 0, W, H, &s, 0, 0, rop);
         }},
        {"complex clip",
         [](CDC& d, CDC& s, DWORD rop) {
             CRgn a, b;
             a.CreateRectRgn(2, 2, 20, 30);
             b.CreateEllipticRgn(10, 5, 38, 28);
             a.CombineRgn(&a, &b, RGN_OR);
             d.SelectClipRgn(&a);
             d.ExcludeClipRect(12, 12, 16, 16);
             d.BitBlt(1, 1, W - 2, H - 2, &s, 0, 0, rop);
         }},
        {"origins",
         [](CDC& d, CDC& s, DWORD rop) {
             d.SetViewportOrg(3, 2);
             d.SetWindowOrg(-4, 1);
             s.SetViewportOrg(-2, 5);
             d.SetBrushOrg(3, 1);
             d.BitBlt(0, 0, 25, 20, &s, 6, 1, rop);
         }},
        {"source partly outside",
         [](CDC& d, CDC& s, DWORD rop) { d.BitBlt(0, 0, 30, 30, &s, 25, 20, rop); }},
        {"destination partly outside",
         [](CDC& d, CDC& s, DWORD rop) { d.BitBlt(28, 22, 30, 30, &s, 0, 0, rop); }},
        {"same DC overlapping", [](CDC& d, CDC&, DWORD rop) { d.BitBlt(4, 3, 30, 25, &d, 0, 0, rop); }},
        {"same DC apart", [](CDC& d, CDC&, DWORD rop) { d.BitBlt(24, 18, 15, 12, &d, 0, 0, rop); }},
        {"stretched", [](CDC& d, CDC& s, DWORD rop) { d.StretchBlt(0, 0, 30, 20, &s, 2, 2, 20, 25, rop); }},
        {"mirrored", [](CDC& d, CDC& s, DWORD rop) { d.StretchBlt(30, 0, -25, 20, &s, 0, 0, 25, 20, rop); }},
    };
}

} // namespace

TEST(FastPaths, BlockTransfersMatchTheGeneralPath)
{
    const Kind dstKinds[] = {Kind::Surface, Kind::Colour, Kind::Mono, Kind::Dib1, Kind::Dib8, Kind::Dib32};
    const Kind srcKinds[] = {Kind::Colour, Kind::Mono, Kind::Dib8, Kind::Dib32};
    const std::vector<Geometry> geometries = Geometries();
    int n = 0;
    for (DWORD rop : kRops)
        for (Kind dstKind : dstKinds)
            for (const Geometry& g : geometries) {
                // Each case takes the next source kind and, in turn, a solid or a hatched brush.
                const Kind srcKind = srcKinds[n % std::size(srcKinds)];
                const bool hatched = (n / std::size(srcKinds)) % 2 == 1;
                ++n;
                ExpectSameAsGeneral(
                    dstKind, srcKind,
                    [&](CDC& d, CDC& s) {
                        CBrush brush;
                        if (hatched)
                            brush.CreateHatchBrush(HS_DIAGCROSS, RGB(200, 40, 90));
                        else
                            brush.CreateSolidBrush(RGB(30, 160, 220));
                        CBrush* old = d.SelectObject(&brush);
                        d.SetTextColor(RGB(250, 10, 10));
                        d.SetBkColor(RGB(10, 10, 250));
                        s.SetBkColor(RGB(0, 0, 0));
                        g.blit(d, s, rop);
                        d.SelectObject(old);
                    },
                    std::string(g.name) + " with rop " + std::to_string(rop >> 16) + (hatched ? " hatched" : " solid"));
            }
}

TEST(FastPaths, FillsAndSpansMatchTheGeneralPath)
{
    const Kind kinds[] = {Kind::Surface, Kind::Colour, Kind::Mono, Kind::Dib1, Kind::Dib8};
    for (Kind kind : kinds)
        for (int rop2 = R2_BLACK; rop2 <= R2_WHITE; ++rop2)
            for (bool ellipse : {false, true}) {
                ExpectSameAsGeneral(
                    kind, Kind::Colour,
                    [&](CDC& d, CDC&) {
                        // A clip of one rectangle, or of many.
                        CRgn region;
                        if (ellipse)
                            region.CreateEllipticRgn(0, 0, 36, 30);
                        else
                            region.CreateRectRgn(1, 2, 37, 29);
                        d.SelectClipRgn(&region);
                        d.SetViewportOrg(2, -1);
                        CPen thin, wide;
                        thin.CreatePen(PS_SOLID, 0, RGB(220, 100, 20));
                        wide.CreatePen(PS_SOLID, 3, RGB(20, 200, 120));
                        CBrush solid(RGB(90, 180, 60)), hatch;
                        hatch.CreateHatchBrush(HS_CROSS, RGB(0, 0, 200));
                        d.SetROP2(rop2);
                        CPen* oldPen = d.SelectObject(&thin);
                        CBrush* oldBrush = d.SelectObject(&solid);
                        for (int i = 0; i < 12; ++i) {
                            d.MoveTo(i * 3, 1);
                            d.LineTo(38 - i * 2, 30 - i);
                        }
                        const POINT star[] = {{20, 2}, {24, 14}, {37, 14}, {26, 21}, {30, 31}, {20, 25}, {9, 31}, {13, 21}, {2, 14}, {15, 14}};
                        d.Polygon(star, 10);
                        const POINT line[] = {{1, 29}, {10, 3}, {18, 27}, {33, 5}};
                        d.Polyline(line, 4);
                        d.SelectObject(&wide);
                        d.SelectObject(&hatch);
                        d.Rectangle(5, 6, 30, 22);
                        d.MoveTo(3, 28);
                        d.LineTo(35, 8);
                        d.SelectObject(oldPen);
                        d.SelectObject(oldBrush);
                        CRect r(6, 8, 25, 20);
                        d.FillSolidRect(&r, RGB(1, 2, 3));
                        d.FillRect(CRect(20, 2, 38, 12), &solid);
                        d.InvertRect(CRect(0, 15, 15, 30));
                    },
                    std::string("figures with binary raster operation ") + std::to_string(rop2) +
                        (ellipse ? " in an ellipse" : " in a rectangle"));
            }
}

TEST(FastPaths, ClipRegionFollowsEveryChange)
{
    // Each change of the clip, the origin or the selected bitmap is seen by the next drawing.
    ExpectSameAsGeneral(
        Kind::Colour, Kind::Colour,
        [](CDC& d, CDC&) {
            CBrush brush(RGB(200, 0, 0));
            d.IntersectClipRect(0, 0, 20, 20);
            d.FillRect(CRect(0, 0, W, H), &brush);
            d.SetViewportOrg(5, 5);
            d.OffsetClipRgn(3, 3);
            d.FillSolidRect(0, 0, W, H, RGB(0, 200, 0));
            const int saved = d.SaveDC();
            d.ExcludeClipRect(0, 0, 6, 6);
            d.FillSolidRect(-5, -5, W, H, RGB(0, 0, 200));
            d.RestoreDC(saved);
            d.FillSolidRect(-5, -5, 8, 8, RGB(0, 200, 200));
            d.SelectClipRgn(nullptr);
            d.FillSolidRect(20, 20, 30, 30, RGB(200, 200, 0));
        },
        "clip changes");
}

TEST(FastPaths, TextMatchesTheUncachedPath)
{
    const Kind kinds[] = {Kind::Surface, Kind::Colour, Kind::Mono};
    for (Kind kind : kinds)
        ExpectSameAsGeneral(
            kind, Kind::Colour,
            [](CDC& d, CDC&) {
                CFont font;
                font.CreateFont(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
                CFont turned;
                turned.CreateFont(-12, 0, 300, 0, FW_BOLD, TRUE, TRUE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Times New Roman");
                CFont huge;
                huge.CreateFont(-240, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
                CFont* old = d.SelectObject(&font);
                d.SetTextColor(RGB(20, 20, 160));
                d.SetBkColor(RGB(240, 240, 0));
                // Each text twice and at places that clip it: the second time comes from the cache.
                for (int pass = 0; pass < 2; ++pass) {
                    d.SetBkMode(TRANSPARENT);
                    d.TextOut(-3 + pass, 2, "Wilhelm 12", 10);
                    d.SetTextAlign(TA_RIGHT | TA_BASELINE);
                    d.TextOut(38, 28 - pass * 5, "Ag fi", 5);
                    d.SetTextAlign(TA_CENTER | TA_BOTTOM);
                    d.SetBkMode(OPAQUE);
                    d.TextOut(21, 20 + pass, "odd", 3);
                    d.SetTextAlign(TA_LEFT | TA_TOP);
                    const int dx[] = {7, 5, 9, 6};
                    CRect clip(2, 10, 30, 19);
                    d.ExtTextOut(1 + pass, 11, ETO_CLIPPED | ETO_OPAQUE, &clip, "Maps", 4, const_cast<int*>(dx));
                    CRect box(0, 0, 40, 32);
                    d.DrawText("&Open file", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                    d.SelectObject(&turned);
                    d.TextOut(4, 30, "Tilt", 4);
                    d.SelectObject(&huge); // too large a line for the cache
                    d.TextOut(-20 - pass, -60, "Big", 3);
                    d.SelectObject(&font);
                    d.SetViewportOrg(pass, pass);
                }
                d.SelectObject(old);
            },
            "text");
}

TEST(FastPaths, CosmeticLinesStepAsTheRoundingRuleSays)
{
    // The line's pixels are carried from step to step; each must be where the closed rule puts
    // step i: the major coordinate moves by one, the minor one by floor((2 i minor + major) / (2 major)).
    std::mt19937 random(5);
    std::uniform_int_distribution<int> coord(-30, 90);
    const QRect bounds(0, 0, 64, 48);
    for (int n = 0; n < 2000; ++n) {
        const QPoint a(coord(random), coord(random)), b(coord(random), coord(random));
        const bool includeLast = n % 2 == 1;
        gdi::Spans spans;
        int step = 0;
        gdi::cosmeticLine(a, b, nullptr, step, false, bounds, spans, includeLast);
        std::set<std::pair<int, int>> drawn, expected;
        for (const gdi::Span& s : spans)
            for (int x = s.x0; x < s.x1; ++x)
                drawn.insert({x, s.y});
        const int64_t dx = b.x() - a.x(), dy = b.y() - a.y();
        const int64_t major = std::max(std::abs(dx), std::abs(dy)), minor = std::min(std::abs(dx), std::abs(dy));
        const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
        for (int64_t i = 0; i < major + (includeLast ? 1 : 0); ++i) {
            const int64_t m = major ? (2 * i * minor + major) / (2 * major) : 0;
            const bool xMajor = std::abs(dx) >= std::abs(dy);
            const int x = (int)(xMajor ? a.x() + sx * i : a.x() + sx * m);
            const int y = (int)(xMajor ? a.y() + sy * m : a.y() + sy * i);
            if (bounds.contains(x, y))
                expected.insert({x, y});
        }
        EXPECT_EQ(drawn, expected) << "line from " << a.x() << "," << a.y() << " to " << b.x() << "," << b.y();
    }
}

TEST(FastPaths, TextCacheFollowsFaceSubstitutions)
{
    // A face drawn once, then mapped to another family: the next drawing uses the new family
    // at once, as the uncached path does.
    auto draw = [](const char* text) {
        Target t(Kind::Colour, 0);
        CFont font;
        font.CreateFont(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Cache Test Face");
        CFont* old = t.dc.SelectObject(&font);
        t.dc.SetBkMode(TRANSPARENT);
        t.dc.TextOut(1, 4, text, (int)std::strlen(text));
        t.dc.SelectObject(old);
        return t.Pixels();
    };
    AfxSetFontSubstitute("Cache Test Face", "Liberation Sans");
    const std::vector<uint32_t> sans = draw("Wimm 1");
    AfxSetFontSubstitute("Cache Test Face", "Liberation Mono");
    const std::vector<uint32_t> mono = draw("Wimm 1");
    std::vector<uint32_t> general;
    {
        GeneralPaths mode(true);
        general = draw("Wimm 1");
    }
    EXPECT_TRUE(mono == general);
    EXPECT_FALSE(mono == sans);
}

namespace {

// Random labels as a map draws them: letters, digits, blanks and punctuation, pairs that other
// renderers join ("fi", "ffl"), accented letters, some Greek and a combining accent (laid out as
// a whole), in several faces, sizes and styles, each alignment, at random places, over and over.
std::vector<uint32_t> DrawLabels(bool general)
{
    GeneralPaths mode(general);
    constexpr int LW = 320, LH = 200;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(LW, LH, 1, 32, nullptr);
    CBitmap* oldBitmap = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, LW, LH, RGB(255, 255, 255));
    const char* const pieces[] = {"fi", "ffl", "Wg", " ", "12", "é", "ü", "Ø", "ß", "., -", "Ω", "e\xCC\x81", "Tj", "AV"};
    const char* const faces[] = {"Arial", "Times New Roman", "Courier New"};
    const UINT aligns[] = {TA_LEFT | TA_TOP, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_BOTTOM};
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> x(-20, LW + 20), y(-10, LH + 10), piece(0, 13), letter(0, 25), count(1, 6);
    for (int f = 0; f < 6; ++f) {
        CFont font;
        font.CreateFont(-(9 + f * 3), 0, 0, 0, f % 2 ? FW_BOLD : FW_NORMAL, f == 4, FALSE, FALSE, ANSI_CHARSET, 0, 0,
                        0, 0, faces[f % 3]);
        CFont* old = dc.SelectObject(&font);
        dc.SetTextColor(RGB(20 * f, 20, 160));
        dc.SetBkColor(RGB(240, 240, 0));
        for (int k = 0; k < 60; ++k) {
            std::string text;
            for (int n = count(random); n > 0; --n) {
                text += (char)('a' + letter(random));
                text += pieces[piece(random)];
            }
            dc.SetBkMode(k % 3 ? TRANSPARENT : OPAQUE);
            dc.SetTextAlign(aligns[k % 3]);
            dc.TextOut(x(random), y(random), text.c_str(), (int)text.size());
        }
        dc.SelectObject(old);
    }
    std::vector<uint32_t> pixels((size_t)LW * LH);
    for (int py = 0; py < LH; ++py)
        for (int px = 0; px < LW; ++px)
            pixels[(size_t)py * LW + px] = dc.GetPixel(px, py);
    dc.SelectObject(oldBitmap);
    return pixels;
}

} // namespace

// Lines never drawn before are put together from the glyphs they are made of; every pixel must
// be the one the whole line drawn at once gives.
TEST(FastPaths, LabelsComposedOfGlyphsMatchTheUncachedPath)
{
    const std::vector<uint32_t> fast = DrawLabels(false), general = DrawLabels(true);
    size_t differing = 0;
    for (size_t i = 0; i < fast.size(); ++i)
        differing += fast[i] != general[i];
    EXPECT_EQ(differing, 0u);
    const auto inked = fast.size() - (size_t)std::count(fast.begin(), fast.end(), (uint32_t)RGB(255, 255, 255));
    EXPECT_GT(inked, fast.size() / 20) << "the labels must be drawn";
}
