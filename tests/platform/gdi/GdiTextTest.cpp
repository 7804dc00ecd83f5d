// Fonts and text: where the ink goes, in which colours, and what the measurements say.
#include "GdiTestSupport.h"

#include "platform/gdi/FontDatabase.h"
#include "platform/testing/FontProbe.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

LOGFONTA MakeFont(LONG height, const char* face = "Arial", LONG escapement = 0)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfEscapement = escapement;
    lf.lfWeight = FW_NORMAL;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

class TextTest : public SurfaceTest {
protected:
    void SetUp() override
    {
        Reset(200, 120);
        font.DeleteObject();
        const LOGFONTA lf = MakeFont(-16);
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
    }
    CFont font;
};

} // namespace

TEST_F(TextTest, AlignmentPutsTheInkOnItsSideOfTheReferencePoint)
{
    const POINT ref{100, 60};
    struct Case {
        UINT align;
        bool left, right, above, below; // where ink may lie relative to the point
    } cases[] = {
        {TA_LEFT | TA_TOP, false, true, false, true},
        {TA_RIGHT | TA_TOP, true, false, false, true},
        {TA_LEFT | TA_BOTTOM, false, true, true, false},
        {TA_CENTER | TA_TOP, true, true, false, true},
    };
    dc.SetBkMode(TRANSPARENT);
    for (const Case& c : cases) {
        surface.Fill(kWhite);
        dc.SetTextAlign(c.align);
        dc.TextOut(ref.x, ref.y, CString("Hamburg"));
        const CRect ink = InkBox();
        ASSERT_FALSE(ink.IsRectEmpty()) << c.align;
        EXPECT_EQ(ink.left < ref.x, c.left) << c.align;
        EXPECT_EQ(ink.right > ref.x, c.right) << c.align;
        EXPECT_EQ(ink.top < ref.y, c.above) << c.align;
        EXPECT_EQ(ink.bottom > ref.y, c.below) << c.align;
    }
    // On the baseline, descenders hang below the point and the rest stands above it.
    surface.Fill(kWhite);
    dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    dc.TextOut(ref.x, ref.y, CString("gy"));
    const CRect ink = InkBox();
    EXPECT_LT(ink.top, ref.y);
    EXPECT_GT(ink.bottom, ref.y);
}

TEST_F(TextTest, TextColourAndBackgroundMode)
{
    dc.SetTextColor(RGB(255, 0, 0));
    dc.SetBkColor(RGB(0, 0, 255));
    dc.SetBkMode(TRANSPARENT);
    dc.SetROP2(R2_XORPEN); // text ignores the binary raster operation
    dc.TextOut(10, 10, CString("Text"));
    EXPECT_GT(Count(RGB(255, 0, 0)), 10);
    EXPECT_EQ(Count(RGB(0, 0, 255)), 0);
    const int ink = Count(RGB(255, 0, 0));
    surface.Fill(kWhite);
    dc.SetBkMode(OPAQUE);
    dc.TextOut(10, 10, CString("Text"));
    const CSize extent = dc.GetTextExtent(CString("Text"));
    EXPECT_EQ(Count(RGB(255, 0, 0)), ink);
    EXPECT_EQ(Count(RGB(255, 0, 0)) + Count(RGB(0, 0, 255)), extent.cx * extent.cy) << "the cell is filled";
    EXPECT_EQ(InkBox(), CRect(CPoint(10, 10), extent));
}

TEST_F(TextTest, EscapementTurnsTextCounterClockwise)
{
    const LOGFONTA lf = MakeFont(-16, "Arial", 900);
    CFont vertical;
    vertical.CreateFontIndirect(&lf);
    dc.SelectObject(&vertical);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(60, 100, CString("WWWWWW"));
    const CRect ink = InkBox();
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_GT(ink.Height(), 2 * ink.Width()) << "the line runs up the surface";
    EXPECT_LE(ink.bottom, 101) << "from the point upwards";
    EXPECT_GE(ink.left, 59) << "with the cell's top edge on the left";
}

TEST_F(TextTest, UpdateCpWritesFromAndAdvancesTheCurrentPosition)
{
    dc.SetTextAlign(TA_UPDATECP);
    dc.MoveTo(20, 30);
    dc.TextOut(0, 0, CString("ab"));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(20 + dc.GetTextExtent(CString("ab")).cx, 30));
    EXPECT_GE(InkBox().left, 20);
}

TEST_F(TextTest, FontHeightsFollowTheLogFontRules)
{
    // Negative: the em height; positive: the cell height.
    for (LONG h : {13L, 16L, 24L}) {
        const LOGFONTA lf = MakeFont(h);
        CFont f;
        f.CreateFontIndirect(&lf);
        dc.SelectObject(&f);
        TEXTMETRIC tm{};
        ASSERT_TRUE(dc.GetTextMetrics(&tm));
        EXPECT_NEAR(tm.tmHeight, h, 1) << h;
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_EQ(dc.GetTextExtent(CString("x")).cy, tm.tmHeight);
        dc.SelectObject(&font);
    }
    TEXTMETRIC em{};
    dc.GetTextMetrics(&em);
    EXPECT_NEAR(em.tmHeight - em.tmInternalLeading, 16, 1);
    // Advances add up: GDI places glyphs without kerning.
    EXPECT_EQ(dc.GetTextExtent(CString("AVAV")).cx, 2 * dc.GetTextExtent(CString("AV")).cx);

    CFont points;
    ASSERT_TRUE(points.CreatePointFont(90, "Arial"));
    LOGFONTA lf{};
    points.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
}

TEST_F(TextTest, DrawTextMeasuresAlignsWrapsAndEllipsizes)
{
    const CSize one = dc.GetTextExtent(CString("File"));
    CRect calc(0, 0, 0, 0);
    EXPECT_EQ(dc.DrawText(CString("&File"), &calc, DT_CALCRECT | DT_SINGLELINE), one.cy);
    EXPECT_EQ(calc, CRect(0, 0, one.cx, one.cy)) << "the prefix character takes no room";
    calc.SetRect(0, 0, 0, 0);
    dc.DrawText(CString("&File"), &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(calc.Width(), one.cx);
    EXPECT_EQ(Count(kBlack), 0) << "measuring draws nothing";

    // Centred in both directions.
    dc.SetBkMode(TRANSPARENT);
    CRect box(20, 20, 180, 100);
    dc.DrawText(CString("Centre"), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const CRect ink = InkBox();
    EXPECT_NEAR((ink.left + ink.right) / 2, 100, 3);
    EXPECT_NEAR((ink.top + ink.bottom) / 2, 60, 5);

    // Word breaks make lines; a long single line is cut with an ellipsis inside its box.
    CRect narrow(0, 0, one.cx * 3, 0);
    const int height = dc.DrawText(CString("File File File File File"), &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(height, 2 * one.cy);
    EXPECT_LE(narrow.Width(), one.cx * 3);
    surface.Fill(kWhite);
    CRect cut(10, 10, 60, 40);
    dc.DrawText(CString("A rather long line of text"), &cut, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(InkBox().right, 60);
    EXPECT_GT(InkBox().right, 40) << "the ellipsis fills the box";

    // Text is clipped to its rectangle unless told otherwise.
    surface.Fill(kWhite);
    CRect small(10, 10, 20, 20);
    dc.DrawText(CString("Clipped"), &small, DT_SINGLELINE);
    EXPECT_LE(InkBox().right, 20);
    surface.Fill(kWhite);
    dc.DrawText(CString("Clipped"), &small, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBox().right, 20);
}

TEST_F(TextTest, UnderlinedPrefixAndUnderlinedFonts)
{
    dc.SetBkMode(TRANSPARENT);
    CRect r(10, 10, 190, 60);
    dc.DrawText(CString("&Open"), &r, DT_SINGLELINE | DT_NOPREFIX);
    const int withAmpersand = Count(kBlack);
    surface.Fill(kWhite);
    dc.DrawText(CString("Open"), &r, DT_SINGLELINE);
    const int plain = Count(kBlack);
    surface.Fill(kWhite);
    dc.DrawText(CString("&Open"), &r, DT_SINGLELINE);
    EXPECT_GT(Count(kBlack), plain) << "the prefixed letter is underlined";
    EXPECT_LT(Count(kBlack), withAmpersand);
}

TEST(FontDatabase, FacesMapToInstalledFamilies)
{
    EXPECT_EQ(AfxGetFontFamily("Arial"), CString("Liberation Sans"));
    EXPECT_EQ(AfxGetFontFamily("times new roman"), CString("Liberation Serif"));
    EXPECT_EQ(AfxGetFontFamily("Courier New"), CString("Liberation Mono"));
    EXPECT_EQ(AfxGetFontFamily("No Such Face"), CString("DejaVu Sans"));
    const CString symbols = AfxGetFontFamily("Map Symbols");
    EXPECT_TRUE(IsFontFamilyInstalled(symbols)) << (LPCTSTR)symbols;
    EXPECT_EQ(AfxGetFontFamily("MapInfo Cartographic"), symbols);

    std::vector<std::string> faces;
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET;
    auto collect = [](const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD type, LPARAM param) -> int {
        EXPECT_GT(tm->tmHeight, 0);
        EXPECT_EQ(type, (DWORD)TRUETYPE_FONTTYPE);
        reinterpret_cast<std::vector<std::string>*>(param)->push_back(lf->lfFaceName);
        return 1;
    };
    EnumFontFamiliesEx(nullptr, &all, collect, (LPARAM)&faces, 0);
    EXPECT_NE(std::find(faces.begin(), faces.end(), "Arial"), faces.end());
    EXPECT_NE(std::find(faces.begin(), faces.end(), "Map Symbols"), faces.end());
    EXPECT_NE(std::find(faces.begin(), faces.end(), "Liberation Sans"), faces.end());
    int calls = 0;
    auto stop = [](const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM param) -> int {
        ++*reinterpret_cast<int*>(param);
        return 0;
    };
    EXPECT_EQ(EnumFontFamiliesEx(nullptr, &all, stop, (LPARAM)&calls, 0), 0);
    EXPECT_EQ(calls, 1);
}

TEST(FontDatabase, FontsRegisteredFromMemoryDrawForTheirFacesAndAreListed)
{
    // The project's own symbol font file; its bytes must outlive the registration.
    const std::filesystem::path file =
        std::filesystem::path(KV_TEST_DATA_DIR).parent_path().parent_path() / "resources/fonts/MapSymbols.ttf";
    std::ifstream in(file, std::ios::binary);
    static const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(bytes.size(), 1000u) << file;
    // Fonts are initialised before the tests run: a registration now takes effect at once.
    AfxRegisterFont(bytes.data(), bytes.size(), {"Registered Test Face"});
    const CString family = AfxGetFontFamily("registered test face");
    EXPECT_NE(family, CString("DejaVu Sans"));
    EXPECT_TRUE(IsFontFamilyInstalled(family)) << (LPCTSTR)family;
    // Bytes that are no font leave their face to the default family.
    static const unsigned char kNoFont[64] = {};
    AfxRegisterFont(kNoFont, sizeof kNoFont, {"Broken Test Face"});
    EXPECT_EQ(AfxGetFontFamily("Broken Test Face"), CString("DejaVu Sans"));

    std::vector<std::string> faces;
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesEx(
        nullptr, &all,
        [](const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM param) -> int {
            reinterpret_cast<std::vector<std::string>*>(param)->push_back(lf->lfFaceName);
            return 1;
        },
        (LPARAM)&faces, 0);
    EXPECT_NE(std::find(faces.begin(), faces.end(), "Registered Test Face"), faces.end());
    EXPECT_EQ(std::find(faces.begin(), faces.end(), "Broken Test Face"), faces.end());
}

TEST_F(TextTest, SymbolFontDrawsItsCharacters)
{
    const LOGFONTA lf = MakeFont(13, "Map Symbols");
    CFont symbols;
    symbols.CreateFontIndirect(&lf);
    dc.SelectObject(&symbols);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(50, 50, CString("!"));
    EXPECT_GT(Count(kBlack), 4);
}
