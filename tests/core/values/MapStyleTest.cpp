// Styles: defaults from the preferences, setters that mark a change only, the
// 272-byte record against an independently written one, the archive form, and
// the pens, brushes and fonts a style creates.
#include "core/MapStyle.h"
#include "core/Settings.h"
#include "platform/base/CArchive.h"
#include "platform/base/CFile.h"
#include "tests/core/values/ValuesTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// A style with the built-in defaults only (no preferences): what a reader of a
// record that cannot be used ends with.
CMapStyle BuiltIn() { return CMapStyle(nullptr, 0); }

std::u16string Face(const LOGFONTW& f) { return std::u16string(f.lfFaceName); }

// A record written independently of the style's writer, with junk where the
// record holds no data (reserved word, padding after the symbol character,
// flags word) and distinctive values at every documented offset.
CMapStyle::Record FixtureRecord()
{
    CMapStyle::Record r{};
    Put32(&r[0], 0xDEADBEEF);                       // reserved
    Put32(&r[4], (DWORD)-15);                        // symbol lfHeight
    Put32(&r[8], 7);                                 // lfWidth
    Put32(&r[12], 30);                               // lfEscapement
    Put32(&r[16], 31);                               // lfOrientation
    Put32(&r[20], 700);                              // lfWeight
    r[24] = 1;                                       // lfItalic
    r[27] = 2;                                       // lfCharSet
    r[31] = 0x22;                                    // lfPitchAndFamily
    PutFace(&r[32], u"Map Symbols");
    r[32 + 2 * 20] = 0x5A;                           // junk after the face's terminator is kept
    Put32(&r[96], 0x00112233);                       // symbol colour
    r[100] = 'C';                                    // symbol character
    r[102] = 0xAB;                                   // padding
    r[103] = 0xCD;
    Put32(&r[104], 4);                               // pen dash style
    Put32(&r[108], 0x00445566);                      // pen colour
    Put32(&r[112], 2);                               // begin arrow style
    PutF32(&r[116], 1.5f);                           // begin arrow size
    Put32(&r[120], 3);                               // end arrow style
    PutF32(&r[124], 2.25f);                          // end arrow size
    PutF32(&r[128], 3.75f);                          // pen width
    Put32(&r[132], 6);                               // brush style
    Put32(&r[136], 0x00778899);                      // brush colour
    Put32(&r[140], 0x00AABBCC);                      // background colour
    Put32(&r[144], 1);                               // background flag
    Put32(&r[148], 17);                              // predefined number
    Put32(&r[152], 20);                              // text lfHeight
    Put32(&r[160], 450);                             // text lfEscapement
    Put32(&r[164], 450);                             // text lfOrientation
    PutFace(&r[180], u"Liberation Sans");
    Put32(&r[244], 0x000000FF);                      // text colour
    Put32(&r[248], 0x0000FF00);                      // text background colour
    Put32(&r[252], 1);                               // text background flag
    Put32(&r[256], 1);                               // text line flag
    Put32(&r[260], 0x00FF0000);                      // text line colour
    Put32(&r[264], 0x12345678);                      // reserved word of the text group
    Put32(&r[268], 0xFFFFFFFF);                      // flags word as written
    return r;
}

TEST(MapStyle, DefaultStyleFollowsNewObjectPreferencesAndIsNotModified)
{
    const CMapStyle s;
    EXPECT_FALSE(s.IsModified());
    EXPECT_EQ(s.GetBrushStyle(), 1);
    EXPECT_EQ(s.GetBrushColor(), 0xFFFFFFu);
    EXPECT_EQ(s.GetPenStyle(), 1);
    EXPECT_EQ(s.GetPenWidth(), 1.0f);
    EXPECT_EQ(s.GetSymbolChar(), '<');
    EXPECT_EQ(s.GetSymbolColor(), 1u);
    EXPECT_EQ(s.GetSymbolSize(), 12);
    EXPECT_EQ(s.GetSymbolFont().lfWidth, 0);
    EXPECT_EQ(s.GetSymbolFontName(), "Map Symbols");
    EXPECT_EQ(s.GetTextFontName(), "Arial");
    EXPECT_EQ(s.GetTextSize(), 12);
    EXPECT_EQ(s.GetTextBkColor(), 0xFFFFFFu);
    EXPECT_EQ(s.GetPredefinedStyle(), 0);
}

TEST(MapStyle, ChangedPreferencesShapeNewStyles)
{
    const int brush = g_NewObjectBrushStyle;
    const BYTE size = g_NewObjectSymbolSize, ch = g_NewObjectSymbolChar, width = g_NewObjectPenWidth;
    const int arrow = g_NewObjectEndArrowStyle;
    const CString face = g_NewObjectSymbolFontName;
    g_NewObjectBrushStyle = 5;
    g_NewObjectSymbolSize = 20;
    g_NewObjectSymbolChar = 'A';
    g_NewObjectPenWidth = 3;
    g_NewObjectEndArrowStyle = 2;
    g_NewObjectSymbolFontName = "MapInfo Cartographic";
    const CMapStyle s;
    g_NewObjectBrushStyle = brush;
    g_NewObjectSymbolSize = size;
    g_NewObjectSymbolChar = ch;
    g_NewObjectPenWidth = width;
    g_NewObjectEndArrowStyle = arrow;
    g_NewObjectSymbolFontName = face;

    EXPECT_EQ(s.GetBrushStyle(), 5);
    EXPECT_EQ(s.GetSymbolSize(), 20);
    EXPECT_EQ(s.GetSymbolChar(), 'A');
    EXPECT_EQ(s.GetPenWidth(), 3.0f);
    EXPECT_EQ(s.GetEndArrowStyle(), 2);
    EXPECT_EQ(s.GetSymbolFontName(), "MapInfo Cartographic");
    EXPECT_FALSE(s.IsModified());
}

struct SetterCase {
    const char* name;
    std::function<void(CMapStyle&)> same;     // sets the value the style already has
    std::function<void(CMapStyle&)> changed;  // sets another value
};

TEST(MapStyle, SettersMarkModifiedOnlyOnAChange)
{
    const SetterCase cases[] = {
        {"BrushStyle", [](CMapStyle& s) { s.SetBrushStyle(s.GetBrushStyle()); }, [](CMapStyle& s) { s.SetBrushStyle(4); }},
        {"BrushColor", [](CMapStyle& s) { s.SetBrushColor(s.GetBrushColor()); }, [](CMapStyle& s) { s.SetBrushColor(5); }},
        {"BkColor", [](CMapStyle& s) { s.SetBkColor(s.GetBkColor()); }, [](CMapStyle& s) { s.SetBkColor(5); }},
        {"BkOpaque", [](CMapStyle& s) { s.SetBkOpaque(s.IsBkOpaque()); }, [](CMapStyle& s) { s.SetBkOpaque(1); }},
        {"PenStyle", [](CMapStyle& s) { s.SetPenStyle(s.GetPenStyle()); }, [](CMapStyle& s) { s.SetPenStyle(3); }},
        {"PenColor", [](CMapStyle& s) { s.SetPenColor(s.GetPenColor()); }, [](CMapStyle& s) { s.SetPenColor(9); }},
        {"PenWidth", [](CMapStyle& s) { s.SetPenWidth(s.GetPenWidth()); }, [](CMapStyle& s) { s.SetPenWidth(1.5f); }},
        {"BeginArrowSize", [](CMapStyle& s) { s.SetBeginArrowSize(s.GetBeginArrowSize()); },
         [](CMapStyle& s) { s.SetBeginArrowSize(2.0f); }},
        {"EndArrowSize", [](CMapStyle& s) { s.SetEndArrowSize(s.GetEndArrowSize()); },
         [](CMapStyle& s) { s.SetEndArrowSize(2.0f); }},
        {"Pen", [](CMapStyle& s) { const MapStylePen p = s.GetPen();
             s.SetPen(p.style, p.color, p.beginArrowStyle, p.beginArrowSize, p.endArrowStyle, p.endArrowSize, p.width); },
         [](CMapStyle& s) { const MapStylePen p = s.GetPen();
             s.SetPen(p.style, p.color, p.beginArrowStyle, p.beginArrowSize, p.endArrowStyle, 3.0f, p.width); }},
        {"SymbolColor", [](CMapStyle& s) { s.SetSymbolColor(s.GetSymbolColor()); }, [](CMapStyle& s) { s.SetSymbolColor(7); }},
        {"SymbolChar", [](CMapStyle& s) { s.SetSymbolChar(s.GetSymbolChar()); }, [](CMapStyle& s) { s.SetSymbolChar('!'); }},
        {"SymbolFontName", [](CMapStyle& s) { s.SetSymbolFontName(s.GetSymbolFontName()); },
         [](CMapStyle& s) { s.SetSymbolFontName("Other"); }},
        {"SymbolSize", [](CMapStyle& s) { s.SetSymbolSize(s.GetSymbolSize()); }, [](CMapStyle& s) { s.SetSymbolSize(30); }},
        {"SymbolFontStyle", [](CMapStyle& s) { s.SetSymbolFontStyle(s.GetSymbolFontStyle()); },
         [](CMapStyle& s) { s.SetSymbolFontStyle(3); }},
        {"TextColor", [](CMapStyle& s) { s.SetTextColor(s.GetTextColor()); }, [](CMapStyle& s) { s.SetTextColor(7); }},
        {"TextBkColor", [](CMapStyle& s) { s.SetTextBkColor(s.GetTextBkColor()); }, [](CMapStyle& s) { s.SetTextBkColor(7); }},
        {"TextBackground", [](CMapStyle& s) { s.SetTextBackground(s.GetTextBackground()); },
         [](CMapStyle& s) { s.SetTextBackground(1); }},
        {"TextLine", [](CMapStyle& s) { s.SetTextLine(s.GetTextLine()); }, [](CMapStyle& s) { s.SetTextLine(1); }},
        {"TextLineColor", [](CMapStyle& s) { s.SetTextLineColor(s.GetTextLineColor()); },
         [](CMapStyle& s) { s.SetTextLineColor(7); }},
        {"TextSize (compares |h|)", [](CMapStyle& s) { s.SetTextSize(-s.GetTextSize()); }, [](CMapStyle& s) { s.SetTextSize(30); }},
        {"PredefinedStyle", [](CMapStyle& s) { s.SetPredefinedStyle(s.GetPredefinedStyle()); },
         [](CMapStyle& s) { s.SetPredefinedStyle(3); }},
    };
    for (const SetterCase& c : cases) {
        SCOPED_TRACE(c.name);
        CMapStyle s;
        const CMapStyle::Record before = s.ToRecord();
        c.same(s);
        EXPECT_FALSE(s.IsModified());
        EXPECT_EQ(s.ToRecord(), before);
        c.changed(s);
        EXPECT_TRUE(s.IsModified());
    }
}

TEST(MapStyle, SomeSettersAlwaysMarkModified)
{
    const SetterCase cases[] = {
        {"BeginArrowStyle", [](CMapStyle& s) { s.SetBeginArrowStyle(s.GetBeginArrowStyle()); }, nullptr},
        {"EndArrowStyle", [](CMapStyle& s) { s.SetEndArrowStyle(s.GetEndArrowStyle()); }, nullptr},
        {"Symbol", [](CMapStyle& s) { s.SetSymbol(s.GetSymbolFont(), s.GetSymbolColor(), s.GetSymbolCharW()); }, nullptr},
        {"TextFontName", [](CMapStyle& s) { s.SetTextFontName(s.GetTextFontName()); }, nullptr},
        {"TextLogFont", [](CMapStyle& s) { s.SetTextLogFont(s.GetTextLogFont()); }, nullptr},
        {"TextAngle", [](CMapStyle& s) { s.SetTextAngle(s.GetTextAngle()); }, nullptr},
    };
    for (const SetterCase& c : cases) {
        SCOPED_TRACE(c.name);
        CMapStyle s;
        const CMapStyle::Record before = s.ToRecord();
        c.same(s);
        EXPECT_TRUE(s.IsModified());
        s.SetModified(false);
        EXPECT_EQ(s.ToRecord(), before);
    }
}

TEST(MapStyle, SizesAndAngles)
{
    struct { int height; int expected; } sizes[] = {{0, 13}, {-20, 20}, {25, 25}};
    for (const auto& c : sizes) {
        CMapStyle s = BuiltIn();
        s.SetSymbolSize(c.height);
        EXPECT_EQ(s.GetSymbolSize(), c.expected) << c.height;
        EXPECT_EQ(s.GetSymbolFont().lfWidth, 0) << c.height;
        s.SetTextSize(c.height);
        EXPECT_EQ(s.GetTextSize(), c.expected) << c.height;
    }
    // The current height leaves the width as it was.
    CMapStyle s = BuiltIn();
    s.SetSymbolSize(13);
    EXPECT_EQ(s.GetSymbolFont().lfWidth, 9);

    struct { int angle; int expected; } angles[] = {{3700, 100}, {-450, -450}, {3600, 0}, {-3700, -100}, {45, 45}};
    for (const auto& c : angles) {
        CMapStyle t;
        t.SetTextAngle(c.angle);
        EXPECT_EQ(t.GetTextFont().lfEscapement, c.expected) << c.angle;
        EXPECT_EQ(t.GetTextFont().lfOrientation, c.expected) << c.angle;
    }
}

TEST(MapStyle, SymbolFontStyleCodes)
{
    struct { int code; LONG weight; BYTE italic; } cases[] = {{1, 700, 0}, {2, 400, 1}, {3, 700, 1}, {0, 400, 0}};
    CMapStyle s;
    for (const auto& c : cases) {
        s.SetSymbolFontStyle(c.code);
        EXPECT_EQ(s.GetSymbolFontStyle(), c.code);
        EXPECT_EQ(s.GetSymbolFont().lfWeight, c.weight) << c.code;
        EXPECT_EQ(s.GetSymbolFont().lfItalic, c.italic) << c.code;
    }
}

// What the object properties compare: symbol, pen and brush count, the text
// font, text colours and the predefined number do not.
TEST(MapStyle, IsDifferentComparesSymbolPenAndBrushOnly)
{
    struct Case {
        const char* what;
        std::function<void(CMapStyle&)> change;
        bool differs;
    };
    const Case cases[] = {
        {"symbol face", [](CMapStyle& s) { s.SetSymbolFontName("Other Symbols"); }, true},
        {"symbol height", [](CMapStyle& s) { s.SetSymbolSize(30); }, true},
        {"symbol colour", [](CMapStyle& s) { s.SetSymbolColor(RGB(1, 2, 3)); }, true},
        {"symbol style", [](CMapStyle& s) { s.SetSymbolFontStyle(2); }, true},
        {"symbol character", [](CMapStyle& s) { s.SetSymbolChar('x'); }, true},
        {"pen style", [](CMapStyle& s) { s.SetPenStyle(3); }, true},
        {"pen colour", [](CMapStyle& s) { s.SetPenColor(RGB(9, 9, 9)); }, true},
        {"begin arrow", [](CMapStyle& s) { s.SetBeginArrowStyle(2); }, true},
        {"end arrow size", [](CMapStyle& s) { s.SetEndArrowSize(7.5f); }, true},
        {"pen width", [](CMapStyle& s) { s.SetPenWidth(2.25f); }, true},
        {"brush style", [](CMapStyle& s) { s.SetBrushStyle(4); }, true},
        {"brush colour", [](CMapStyle& s) { s.SetBrushColor(RGB(4, 5, 6)); }, true},
        {"background colour", [](CMapStyle& s) { s.SetBkColor(RGB(7, 8, 9)); }, true},
        {"opaque flag", [](CMapStyle& s) { s.SetBkOpaque(!s.IsBkOpaque()); }, true},
        {"text colour", [](CMapStyle& s) { s.SetTextColor(RGB(1, 1, 1)); }, false},
        {"text size", [](CMapStyle& s) { s.SetTextSize(40); }, false},
        {"text face", [](CMapStyle& s) { s.SetTextFontName("Courier New"); }, false},
        {"predefined style", [](CMapStyle& s) { s.SetPredefinedStyle(3); }, false},
        {"modified flag", [](CMapStyle& s) { s.SetModified(true); }, false},
    };
    const CMapStyle base = BuiltIn();
    EXPECT_FALSE(base.IsDifferent(base));
    for (const Case& c : cases) {
        CMapStyle changed = BuiltIn();
        c.change(changed);
        EXPECT_EQ(changed.IsDifferent(base) != 0, c.differs) << c.what;
        EXPECT_EQ(base.IsDifferent(changed) != 0, c.differs) << c.what;
    }
    EXPECT_EQ(base.GetSymbolStyleCode(), base.GetSymbolFontStyle());
    EXPECT_EQ(base.GetSymbolCharAnsi(), base.GetSymbolChar());
}

TEST(MapStyle, FaceNamesAreCutAndLeaveNoTrace)
{
    CMapStyle s;
    s.SetSymbolFontName("A very long symbol font face name");
    EXPECT_EQ(s.GetSymbolFontName(), CString("A very long symbol font face name").Left(31));
    EXPECT_EQ(s.GetSymbolFont().lfFaceName[31], 0);
    s.SetSymbolFontName("XY");
    EXPECT_EQ(Face(s.GetSymbolFont()), u"XY");
    for (int i = 2; i < LF_FACESIZE; ++i)
        EXPECT_EQ(s.GetSymbolFont().lfFaceName[i], 0) << i;

    // Wide characters survive the trip to the 8-bit form and back.
    s.SetTextFontName("Éléphant");
    EXPECT_EQ(Face(s.GetTextFont()), u"Éléphant");
    EXPECT_STREQ(s.GetTextLogFont().lfFaceName, "Éléphant");
}

TEST(MapStyle, SymbolCharactersBeyondAsciiRoundTrip)
{
    CMapStyle s;
    s.SetSymbolChar((char)0xE9);
    EXPECT_EQ(s.GetSymbolCharW(), u'\u00E9');
    EXPECT_EQ((BYTE)s.GetSymbolChar(), 0xE9);
    EXPECT_EQ(s.GetSymbolText(), "é");
}

TEST(MapStyle, PredefinedStyles)
{
    {
        CMapStyle s;
        const CMapStyle::Record before = s.ToRecord();
        s.SetPredefinedStyle(3);
        EXPECT_EQ(s.GetPredefinedStyle(), 3);
        EXPECT_TRUE(s.IsModified());
        CMapStyle::Record after = s.ToRecord();
        // Only the number (offset 148) and the modified bit (offset 268) differ.
        EXPECT_EQ(Get32(&after[148]), 3u);
        Put32(&after[148], 0);
        Put32(&after[268], 0);
        EXPECT_EQ(after, before);
        s.SetModified(false);
        s.SetPredefinedStyle(3);
        EXPECT_FALSE(s.IsModified());
    }
    {
        CMapStyle s;
        s.SetPredefinedStyle(2);
        EXPECT_EQ(s.GetPenStyle(), 1);
        EXPECT_EQ(s.GetPenColor(), 0xFF0000u);
        EXPECT_EQ(s.GetPenWidth(), 2.0f);
        EXPECT_EQ(s.GetBeginArrowSize(), 1.0f);
    }
    struct { int number; char c; const char16_t* face; LONG height; LONG width; } symbols[] = {
        {7, '!', u"Map Symbols", 13, 9},         {8, 'B', u"MapInfo Transportation", 13, 9},
        {11, 'C', u"Map Symbols", 18, 0},        {17, '#', u"Map Symbols", 8, 0},
        {18, '(', u"MapInfo Cartographic", 13, 9},
    };
    for (const auto& c : symbols) {
        CMapStyle s;
        s.SetSymbolColor(0x123456);
        s.SetPredefinedStyle(c.number);
        EXPECT_EQ(s.GetSymbolChar(), c.c) << c.number;
        EXPECT_EQ(Face(s.GetSymbolFont()), c.face) << c.number;
        EXPECT_EQ(s.GetSymbolFont().lfHeight, c.height) << c.number;
        EXPECT_EQ(s.GetSymbolFont().lfWidth, c.width) << c.number;
        EXPECT_EQ(s.GetSymbolColor(), 0u) << c.number;
    }
}

TEST(MapStyle, RecordRoundTripsAtItsOffsets)
{
    const CMapStyle::Record fixture = FixtureRecord();
    const CMapStyle s(fixture.data(), (int)fixture.size());
    EXPECT_FALSE(s.IsModified());
    EXPECT_EQ(s.GetSymbolFont().lfHeight, -15);
    EXPECT_EQ(s.GetSymbolFont().lfWeight, 700);
    EXPECT_EQ(s.GetSymbolFont().lfPitchAndFamily, 0x22);
    EXPECT_EQ(s.GetSymbolFontName(), "Map Symbols");
    EXPECT_EQ(s.GetSymbolColor(), 0x00112233u);
    EXPECT_EQ(s.GetSymbolChar(), 'C');
    EXPECT_EQ(s.GetPenStyle(), 4);
    EXPECT_EQ(s.GetPenColor(), 0x00445566u);
    EXPECT_EQ(s.GetBeginArrowStyle(), 2);
    EXPECT_EQ(s.GetBeginArrowSize(), 1.5f);
    EXPECT_EQ(s.GetEndArrowStyle(), 3);
    EXPECT_EQ(s.GetEndArrowSize(), 2.25f);
    EXPECT_EQ(s.GetPenWidth(), 3.75f);
    EXPECT_EQ(s.GetBrushStyle(), 6);
    EXPECT_EQ(s.GetBrushColor(), 0x00778899u);
    EXPECT_EQ(s.GetBkColor(), 0x00AABBCCu);
    EXPECT_TRUE(s.IsBkOpaque());
    EXPECT_EQ(s.GetPredefinedStyle(), 17);
    EXPECT_EQ(s.GetTextSize(), 20);
    EXPECT_EQ(s.GetTextAngle(), 450);
    EXPECT_EQ(s.GetTextFontName(), "Liberation Sans");
    EXPECT_EQ(s.GetTextColor(), 0xFFu);
    EXPECT_EQ(s.GetTextBkColor(), 0xFF00u);
    EXPECT_EQ(s.GetTextBackground(), 1);
    EXPECT_EQ(s.GetTextLine(), 1);
    EXPECT_EQ(s.GetTextLineColor(), 0xFF0000u);
    EXPECT_EQ(s.GetText().reserved, 0x12345678u);

    // Written back: every data byte as read; the reserved word and the padding
    // zero, the flags word as held (a style read from a record is not modified).
    CMapStyle::Record expected = fixture;
    Put32(&expected[0], 0);
    expected[102] = expected[103] = 0;
    Put32(&expected[268], 0);
    EXPECT_EQ(s.ToRecord(), expected);

    // Junk in the bytes that carry no data gives the same style.
    CMapStyle::Record other = fixture;
    Put32(&other[0], 0x01020304);
    other[102] = 0;
    Put32(&other[268], 0);
    EXPECT_TRUE(CMapStyle(other.data(), (int)other.size()).IsEqual(s));
}

TEST(MapStyle, ShortOrMissingRecordKeepsTheDefaults)
{
    const CMapStyle::Record fixture = FixtureRecord();
    const CMapStyle::Record defaults = BuiltIn().ToRecord();
    EXPECT_EQ(BuiltIn().GetSymbolFont().lfHeight, 13);
    EXPECT_EQ(BuiltIn().GetSymbolFont().lfWidth, 9);
    EXPECT_EQ(BuiltIn().GetTextSize(), 13);

    GuardedBuffer shortRecord(fixture.data(), CMapStyle::kRecordSize - 1);
    EXPECT_EQ(CMapStyle(shortRecord.data(), CMapStyle::kRecordSize - 1).ToRecord(), defaults);

    CMapStyle s;
    s.SetPenColor(0x42);
    const CMapStyle::Record before = s.ToRecord();
    EXPECT_FALSE(s.ReadRecord(nullptr, CMapStyle::kRecordSize));
    EXPECT_FALSE(s.ReadRecord(shortRecord.data(), CMapStyle::kRecordSize - 1));
    EXPECT_EQ(s.ToRecord(), before);

    // A complete record that ends at the last readable byte is read without faulting.
    GuardedBuffer exact(fixture.data(), fixture.size());
    EXPECT_TRUE(s.ReadRecord(exact.data(), CMapStyle::kRecordSize));
}

TEST(MapStyle, CopiesEqualityAndTheModifiedFlag)
{
    CMapStyle a;
    a.SetPenColor(0x0000FF);
    a.SetTextAngle(90);
    ASSERT_TRUE(a.IsModified());

    const CMapStyle copy(a);
    EXPECT_FALSE(copy.IsModified());
    EXPECT_EQ(copy.GetPenColor(), 0x0000FFu);
    EXPECT_FALSE(copy.IsEqual(a)); // the modified flag is part of the comparison
    CMapStyle b;
    b = a;
    EXPECT_FALSE(b.IsModified()); // assignment keeps the target's flag
    EXPECT_TRUE(b.IsEqual(copy));
    a.SetModified(false);
    EXPECT_TRUE(a.IsEqual(b));
    b.SetBrushColor(0x010101);
    b.SetModified(false);
    EXPECT_FALSE(a.IsEqual(b));
}

TEST(MapStyle, ArchiveFormRoundTripsWithoutArrows)
{
    CMapStyle::Record fixture = FixtureRecord();
    fixture[32 + 2 * 20] = 0; // the archive keeps the face, not what lies after its end
    CMapStyle source(fixture.data(), (int)fixture.size());
    source.SetSymbolChar((char)0xE9);
    source.SetModified(false);
    TempPath path("style.bin");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        source.Serialize(ar);
        ar.Close();
    }
    {
        CFile file(path.c_str(), CFile::modeRead);
        // 12 brush + 10 pen + 5 symbol + font (28 + 1 + 11) + 24 text + font (28 + 1 + 15) + 2.
        EXPECT_EQ(file.GetLength(), 12u + 10 + 5 + 40 + 24 + 44 + 2);
    }
    CMapStyle loaded = BuiltIn();
    loaded.SetBeginArrowStyle(0);
    loaded.SetEndArrowSize(9.0f);
    {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(loaded.GetBeginArrowStyle(), 0);
    EXPECT_EQ(loaded.GetEndArrowSize(), 9.0f);
    loaded.SetPen(loaded.GetPenStyle(), loaded.GetPenColor(), 2, 1.5f, 3, 2.25f, loaded.GetPenWidth());
    loaded.SetModified(false);
    const CMapStyle::Record a = loaded.ToRecord(), b = source.ToRecord();
    for (int i = 0; i < CMapStyle::kRecordSize; ++i)
        EXPECT_EQ(a[i], b[i]) << "offset " << i;
}

// ---------------------------------------------------------------- GDI objects

TEST(MapStyle, PenAndBrushTablesWithOutOfRangeIndexesSafe)
{
    struct { LONG index; UINT pen; } pens[] = {
        {0, PS_NULL}, {1, PS_SOLID}, {2, PS_DASH}, {3, PS_DOT}, {4, PS_DASHDOT}, {5, PS_DASHDOTDOT},
        {6, PS_SOLID}, {-1, PS_SOLID}, {100000, PS_SOLID},
    };
    for (const auto& c : pens) {
        CMapStyle::Record r = FixtureRecord();
        Put32(&r[104], (DWORD)c.index);
        PutF32(&r[128], 2.9f);
        const CMapStyle s(r.data(), (int)r.size());
        EXPECT_EQ(s.GetPenStyle(), c.index); // stored as read
        CPen pen;
        ASSERT_TRUE(s.CreatePen(pen)) << c.index;
        LOGPEN lp{};
        pen.GetLogPen(&lp);
        EXPECT_EQ(lp.lopnStyle & PS_STYLE_MASK, c.pen) << c.index;
        EXPECT_EQ(lp.lopnWidth.x, 2) << c.index; // truncated
        EXPECT_EQ(lp.lopnColor, 0x00445566u) << c.index;
    }
    struct { LONG index; UINT style; UINT_PTR hatch; } brushes[] = {
        {0, BS_HOLLOW, 0}, {1, BS_SOLID, 0}, {2, BS_HATCHED, HS_CROSS}, {3, BS_PATTERN, 0},
        {4, BS_HATCHED, HS_DIAGCROSS}, {5, BS_HATCHED, HS_FDIAGONAL}, {6, BS_HATCHED, HS_HORIZONTAL},
        {7, BS_HATCHED, HS_VERTICAL}, {8, BS_HATCHED, HS_BDIAGONAL}, {9, BS_SOLID, 0}, {-5, BS_SOLID, 0},
    };
    for (const auto& c : brushes) {
        CMapStyle::Record r = FixtureRecord();
        Put32(&r[132], (DWORD)c.index);
        const CMapStyle s(r.data(), (int)r.size());
        CBrush brush;
        ASSERT_TRUE(s.CreateBrush(brush)) << c.index;
        LOGBRUSH lb{};
        brush.GetLogBrush(&lb);
        EXPECT_EQ(lb.lbStyle, c.style) << c.index;
        if (c.style == BS_HATCHED) {
            EXPECT_EQ(lb.lbHatch, c.hatch) << c.index;
            EXPECT_EQ(lb.lbColor, 0x00778899u) << c.index;
        }
    }
}

TEST(MapStyle, PatternBrushFillsWithTheGreyAndWhiteTile)
{
    CMapStyle s;
    s.SetBrushStyle(MAPBRUSH_PATTERN);
    CBrush brush;
    ASSERT_TRUE(s.CreateBrush(brush));
    PixelCanvas canvas(48, 48);
    CBrush* old = canvas.dc()->SelectObject(&brush);
    canvas.dc()->PatBlt(0, 0, 48, 48, PATCOPY);
    canvas.dc()->SelectObject(old);
    int white = 0, grey = 0;
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 36; ++x) {
            const COLORREF c = canvas.at(x, y);
            white += c == RGB(255, 255, 255);
            grey += c == RGB(192, 192, 192);
            ASSERT_TRUE(c == RGB(255, 255, 255) || c == RGB(192, 192, 192)) << x << "," << y;
            // The tile repeats every 12 pixels.
            ASSERT_EQ(c, canvas.at(x + 12, y)) << x << "," << y;
            ASSERT_EQ(c, canvas.at(x, y + 12)) << x << "," << y;
        }
    EXPECT_EQ(white, 36 * 36 / 6); // two one-pixel strokes per 12 pixels
    EXPECT_EQ(grey, 36 * 36 - white);
}

TEST(MapStyle, BackgroundModeAndSymbolFont)
{
    CMapStyle s;
    EXPECT_EQ(s.GetBkMode(), TRANSPARENT);
    s.SetBkOpaque(1);
    EXPECT_EQ(s.GetBkMode(), OPAQUE);
    s.SetBkOpaque(2);
    EXPECT_EQ(s.GetBkMode(), TRANSPARENT);

    s.SetSymbolFontStyle(3);
    CFont font;
    ASSERT_TRUE(s.CreateSymbolFont(font));
    LOGFONTA lf{};
    font.GetLogFont(&lf);
    EXPECT_STREQ(lf.lfFaceName, "Map Symbols");
    EXPECT_EQ(lf.lfHeight, 12);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 1);
}

} // namespace
