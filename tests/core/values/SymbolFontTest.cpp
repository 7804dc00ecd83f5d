// The compiled-in symbol font: present without an installed font, and every
// symbol drawn with ink centred in its cell, under every face a style names.
#include "core/MapStyle.h"
#include "platform/gdi/FontDatabase.h"
#include "resources/MapSymbolFont.h"
#include "tests/core/values/ValuesTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const int kCell = 60;

// Draws character `code` of `face` the way nodes draw their symbols: centred in
// a square (DT_CENTER | DT_VCENTER | DT_SINGLELINE) around (30, 30).
CRect DrawSymbol(PixelCanvas& canvas, const char* face, int code, int height = 40)
{
    AfxInitFonts();
    CMapStyle style;
    style.SetSymbolFontName(face);
    style.SetSymbolSize(height);
    style.SetSymbolChar((char)code);
    style.SetSymbolColor(RGB(0, 0, 0));
    CFont font;
    EXPECT_TRUE(style.CreateSymbolFont(font));
    CFont* old = canvas.dc()->SelectObject(&font);
    canvas.dc()->SetBkMode(TRANSPARENT);
    canvas.dc()->SetTextColor(style.GetSymbolColor());
    RECT r = {0, 0, kCell, kCell};
    // DT_CENTER | DT_VCENTER | DT_SINGLELINE, and DT_NOPREFIX so that '&' is a symbol too.
    canvas.dc()->DrawText(style.GetSymbolText(), &r, 0x25 | 0x800);
    canvas.dc()->SelectObject(old);
    return canvas.InkBox(IsNotWhite);
}

TEST(SymbolFont, IsCompiledIntoTheProgram)
{
    std::size_t size = 0;
    const unsigned char* data = GetMapSymbolFontData(&size);
    ASSERT_NE(data, nullptr);
    ASSERT_GT(size, 1000u);
    EXPECT_EQ(Get32(data), 0x00000100u); // TrueType outlines (0x00010000 big-endian)
}

TEST(SymbolFont, DefaultSymbolIsCentredInItsCell)
{
    PixelCanvas canvas(kCell, kCell);
    const CRect ink = DrawSymbol(canvas, "Map Symbols", 60);
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_NEAR((ink.left + ink.right) / 2.0, kCell / 2.0, 1.0);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, kCell / 2.0, 1.0);
    // A filled disc: as wide as high, and solid in its middle.
    EXPECT_NEAR(ink.Width(), ink.Height(), 1);
    EXPECT_GT(ink.Width(), 25);
    EXPECT_EQ(canvas.at(kCell / 2, kCell / 2), RGB(0, 0, 0));
}

TEST(SymbolFont, EverySymbolHasInkCentredInItsCell)
{
    for (int code = 33; code <= 255; ++code) {
        if ((code >= 127 && code <= 160) || code == 173)
            continue;
        PixelCanvas canvas(kCell, kCell);
        const CRect ink = DrawSymbol(canvas, "Map Symbols", code);
        ASSERT_FALSE(ink.IsRectEmpty()) << code;
        EXPECT_NEAR((ink.left + ink.right) / 2.0, kCell / 2.0, 1.5) << code;
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, kCell / 2.0, 1.5) << code;
    }
}

TEST(SymbolFont, PredefinedFacesDrawTheSameSymbols)
{
    for (const char* face : {"MapInfo Transportation", "MapInfo Cartographic"}) {
        PixelCanvas a(kCell, kCell), b(kCell, kCell);
        DrawSymbol(a, "Map Symbols", '(', 30);
        DrawSymbol(b, face, '(', 30);
        for (int y = 0; y < kCell; ++y)
            for (int x = 0; x < kCell; ++x)
                ASSERT_EQ(a.at(x, y), b.at(x, y)) << face << " at " << x << "," << y;
    }
}

} // namespace
