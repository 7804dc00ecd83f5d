// Text objects: the text codes, lines, the 292-byte property record, the
// provisional boundary of a text not drawn yet and moving within layer bounds.
#include "tests/model/objects/LayerTestSupport.h"
#include "tests/model/objects/SurfaceTestSupport.h"

#include "model/objects/MapText.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/FontDatabase.h"
#include "platform/gdi/GdiObjects.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

static_assert(std::tuple_size_v<CMapText::Record> == 292, "the text property record is 292 bytes");

TEST(TextCodes, ExpandAtEachPercentWithTwoCharactersAfterIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"50%%%", "50%"},
        {"%%c10", "\xC3\x98" "10"},
        {"%%C", "\xC3\x98"},
        {"%%uA", "A"},
        {"%%O%%o", ""},
        {"%%d %%P", "? ?"},
        {"%%x", "x"},
        {"a%b", "a%b"},
        {"100%", "100%"},
        {"x%%", "x%%"},
        {"%%", "%%"},
        {"", ""},
    };
    for (const auto& [input, expanded] : cases)
        EXPECT_EQ(std::string(CMapText::ExpandTextCodes(input)), expanded) << input;
}

TEST(TextCodes, LongLinesExpandWhole)
{
    CString line;
    for (int i = 0; i < 200; ++i)
        line += "%%c";
    const CString expanded = CMapText::ExpandTextCodes(line);
    EXPECT_EQ(expanded.GetLength(), 400);
}

TEST(Text, LineCountCountsSeparators)
{
    const std::pair<const char*, int> cases[] = {{"a", 1}, {"a\r\nb", 2}, {"a\r\n", 2}, {"", 1}};
    for (const auto& [text, lines] : cases) {
        CMapText t;
        t.SetText(text);
        EXPECT_EQ(t.GetLineCount(), lines) << text;
    }
}

TEST(Text, SetTextMarksGeometryAndBoundaryOnlyOnAChange)
{
    CMapText text;
    EXPECT_TRUE(text.SetText("abc"));
    EXPECT_TRUE(text.IsGeometryModified());
    EXPECT_TRUE(text.GetRingFlag());
    text.SetFlags(0);
    EXPECT_FALSE(text.SetText("abc"));
    EXPECT_EQ(text.GetFlags(), 0u);
}

// A text never drawn has only a provisional box: it grows once, not at every
// update, and moves with the anchor.
TEST(Text, ProvisionalBoxGrowsOnce)
{
    CMapLayer layer("L");
    CMapText text;
    text.SetLayer(&layer);
    text.SetBoundary(CDoubleRect(0.0, 0.0, 1.0, 1.0));
    text.UpdateLayerBounds();
    text.UpdateLayerBounds();
    text.UpdateLayerBounds();
    EXPECT_DOUBLE_EQ(text.GetBoundary().right, 30.0);
    EXPECT_DOUBLE_EQ(text.GetBoundary().top, 19.0);

    double zoom = 1;
    text.MoveBy(5, -5, &zoom);
    EXPECT_DOUBLE_EQ(text.GetBoundary().left, 5.0);
    EXPECT_DOUBLE_EQ(text.GetBoundary().right, 35.0);
    EXPECT_DOUBLE_EQ(text.GetBoundary().top, 24.0);
}

TEST(Text, PlaceAtCountsAsTheGrowth)
{
    CMapText text;
    text.PlaceAt(CDoubleRect(10.0, 20.0, 10.0, 20.0), 2.0);
    text.UpdateLayerBounds();
    EXPECT_FLOAT_EQ(text.GetAnchor().x, 10.0f);
    EXPECT_DOUBLE_EQ(text.GetBoundary().right, 68.0);
    EXPECT_DOUBLE_EQ(text.GetBoundary().top, 56.0);
    EXPECT_FLOAT_EQ(text.GetFontSize(), 24.0f);
}

class TextRows : public LayerFile {};

TEST_F(TextRows, PropertyRecordRoundTripsByteForByte)
{
    CMapStyle style;
    style.SetTextColor(RGB(10, 20, 30));
    style.SetTextAngle(45);
    Bytes record(292, 0);
    style.WriteRecord(record.data());
    MapRecord::PutDword(record.data() + 272, 0x01020304);
    MapRecord::PutFloat(record.data() + 276, 7.5f);
    MapRecord::PutWord(record.data() + 280, 0x0101);
    MapRecord::PutFloat(record.data() + 284, 123.25f);
    MapRecord::PutFloat(record.data() + 288, -45.5f);
    // Bytes that carry no meaning: the reserved word, the padding, the flags.
    Scribble(record, 0, 4);
    Scribble(record, 282, 2);
    Scribble(record, 268, 4);
    InsertRow(3, MAP_OBJECT_TEXT, record, RectRecord(0, 0, 1, 1), Bytes{'O', '\'', 'N', 'e', 'i', 'l'});

    CMapText text;
    LoadRow(&text, 3);
    EXPECT_EQ(std::string(text.GetText()), "O'Neil");
    EXPECT_FLOAT_EQ(text.GetFontSize(), 7.5f);
    EXPECT_EQ(text.GetAlignment(), 0x0101);
    EXPECT_FLOAT_EQ(text.GetAnchor().y, -45.5f);
    EXPECT_EQ(text.GetStyle()->GetTextAngle(), 45);
    EXPECT_FALSE(text.GetStyle()->IsModified());
    EXPECT_FALSE(text.IsGeometryModified());
    EXPECT_TRUE(text.GetRingFlag());

    text.GetStyle()->SetModified(true);
    text.SaveChanges();
    const Bytes stored = *Blob("mapeProperty", 3);
    ASSERT_EQ(stored.size(), 292u);
    EXPECT_TRUE(std::equal(record.begin() + 4, record.begin() + 268, stored.begin() + 4));
    EXPECT_TRUE(std::equal(record.begin() + 272, record.begin() + 282, stored.begin() + 272));
    EXPECT_TRUE(std::equal(record.begin() + 284, record.end(), stored.begin() + 284));
    EXPECT_EQ(DwordAt(stored, 268), 0u);   // a fresh style's flags word
}

TEST_F(TextRows, ShortOrNullRecordKeepsTheDefaults)
{
    InsertRow(1, MAP_OBJECT_TEXT, Bytes(291, 0xFF), RectRecord(0, 0, 1, 1), std::nullopt);
    InsertRow(2, MAP_OBJECT_TEXT, std::nullopt, RectRecord(0, 0, 1, 1), std::nullopt);
    for (int id : {1, 2}) {
        CMapText text;
        LoadRow(&text, id);
        EXPECT_FLOAT_EQ(text.GetFontSize(), 12.0f);
        EXPECT_EQ(text.GetAlignment(), CMapText::kDefaultAlignment);
        EXPECT_EQ(std::string(text.GetText()), "");
    }
}

TEST_F(TextRows, ChangedTextIsWrittenAsEntered)
{
    InsertRow(4, MAP_OBJECT_TEXT, std::nullopt, RectRecord(0, 0, 1, 1), std::nullopt);
    CMapText text;
    LoadRow(&text, 4);
    text.SetText("it's 50%%%");
    text.SaveChanges();
    EXPECT_EQ(Text("mapeGeoData", 4), "it's 50%%%");
    EXPECT_FALSE(text.IsGeometryModified());
}

// Moving a text widens the layer bounds by where it went, not where it was.
TEST_F(TextRows, MovingWidensTheLayerBoundsByTheNewBoundary)
{
    CMapText* text = new CMapText;
    text->PlaceAt(CDoubleRect(0.0, 0.0, 0.0, 0.0), 1.0);
    text->SetText("t");
    layer->AddObject(text, TRUE);   // the layer owns it
    layer->SetBounds(CDoubleRect(-100.0, -100.0, 100.0, 100.0));
    double zoom = 1;
    text->MoveBy(500, -500, &zoom);
    const CDoubleRect bounds = layer->GetBounds();
    EXPECT_GE(bounds.right, text->GetBoundary().right);
    EXPECT_GE(bounds.top, text->GetBoundary().top);
    EXPECT_DOUBLE_EQ(bounds.left, -100.0);
    // The move is stored: anchor and boundary.
    CMapText reread;
    LoadRow(&reread, text->GetMapeID());
    EXPECT_FLOAT_EQ(reread.GetAnchor().x, 500.0f);
    EXPECT_DOUBLE_EQ(reread.GetBoundary().right, text->GetBoundary().right);
}

// A text never drawn grows its boundary once in its life: each load, update
// (as a paint too small to draw it makes), move and save cycle keeps the
// stored box relative to the anchor instead of growing it again.
TEST_F(TextRows, NeverDrawnTextGrowsOnceOverLoadsAndSaves)
{
    CMapText* text = new CMapText;
    text->PlaceAt(CDoubleRect(0.0, 0.0, 0.0, 0.0), 1.0);
    text->SetText("t");
    layer->AddObject(text, TRUE);
    const int id = text->GetMapeID();
    for (int cycle = 1; cycle <= 3; ++cycle) {
        CMapText loaded;
        LoadRow(&loaded, id);
        loaded.UpdateLayerBounds();
        double zoom = 1;
        loaded.MoveBy(10, 0, &zoom);
        loaded.SaveChanges();
        SCOPED_TRACE(cycle);
        EXPECT_DOUBLE_EQ(loaded.GetBoundary().left, 10.0 * cycle);
        EXPECT_DOUBLE_EQ(loaded.GetBoundary().Width(), 29.0);
        EXPECT_DOUBLE_EQ(loaded.GetBoundary().Height(), 18.0);
    }
}

TEST(Text, CloneIntoAnotherLayerTakesANewId)
{
    CMapLayer layer("L");
    CMapText text;
    text.SetMapeID(9);
    text.SetText("copy");
    std::unique_ptr<CMapObject> free(text.Clone(nullptr));
    EXPECT_EQ(free->GetMapeID(), 9);
    CMapObject* stored = text.Clone(&layer);   // owned by the layer
    EXPECT_EQ(stored->GetMapeID(), 1);
    EXPECT_EQ(std::string(static_cast<CMapText*>(stored)->GetText()), "copy");
}

// The first line hangs from the anchor's device point: its ink lies above and
// to the right of it, inside the box the handles report.
TEST(Text, DrawsItsLinesFromTheAnchorAndRemembersTheBox)
{
    AfxInitFonts();
    constexpr int kSize = 160;
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(kSize, kSize, 1, 32, nullptr));
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, kSize, kSize, RGB(255, 255, 255));

    g_DefaultViewHeight = kSize;
    CMapText text;
    text.PlaceAt(CDoubleRect(20.0, 60.0, 20.0, 60.0), 1.0);
    text.SetFontSize(20);
    text.SetText("Hx\r\nHx");
    text.GetStyle()->SetTextColor(RGB(0, 0, 0));
    double x = 0, y = 0, zoom = 1;
    const RECT client{0, 0, kSize, kSize};
    text.Draw(&dc, &client, &x, &y, &zoom);
    const CPoint anchor = CFloatPoint(20.0, 60.0).ToDevice(0, 0, 1, kSize);

    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int py = 0; py < kSize; ++py)
        for (int px = 0; px < kSize; ++px)
            if (dc.GetPixel(px, py) != RGB(255, 255, 255)) {
                left = std::min(left, px), right = std::max(right, px);
                top = std::min(top, py), bottom = std::max(bottom, py);
            }
    ASSERT_LE(left, right);
    EXPECT_GE(left, anchor.x - 1);
    EXPECT_LT(top, anchor.y);   // the first line stands on the anchor
    // Two lines: the second starts one line height below the first.
    const CFloatPoint corner0 = text.GetHandlePoint(0), corner2 = text.GetHandlePoint(2);
    EXPECT_NEAR(corner0.x, anchor.x, 1);
    EXPECT_GE(top, corner0.y - 1);
    EXPECT_LE(bottom, corner2.y + 1);
    EXPECT_LE(right, corner2.x + 1);
    EXPECT_GT(bottom, anchor.y);
    EXPECT_FALSE(text.GetRingFlag());
    dc.SelectObject(old);
}

}

// Gives `style` the text angle `angle` the way a stored record may hold it (any int), through its
// record: the setter keeps angles within a turn.
void SetStoredTextAngle(CMapStyle* style, int angle)
{
    constexpr int kMarker = 1234;
    style->SetTextAngle(kMarker);
    CMapStyle::Record record = style->ToRecord();
    for (size_t i = 0; i + 4 <= record.size(); ++i) {
        int32_t v;
        std::memcpy(&v, &record[i], 4);
        if (v == kMarker)
            std::memcpy(&record[i], &angle, 4);
    }
    *style = CMapStyle(record.data(), (int)record.size());
    ASSERT_EQ(style->GetTextAngle(), angle);
}

// Sizes, angles and zooms at the edge of their types: the text draws (or shows nothing) at once,
// and the box it remembers stays within the device range.
TEST(Text, ExtremeSizesAnglesAndZoomsDrawBounded)
{
    AfxInitFonts();
    Surface surface(40);
    g_DefaultViewHeight = 40;
    const struct {
        float size;
        int angle;
        double zoom;
        float x;
    } cases[] = {{20, INT_MIN, 1, 10}, {20, INT_MAX, 1, 10}, {std::nanf(""), 45, 1, 10}, {3e38f, 1, 1, 10},
                 {20, 1, 1e-300, 10}, {20, 1, 1e300, 10}, {20, 1, 1, std::nanf("")}, {-3e38f, 359, 1e-30, 3e38f}};
    for (const auto& c : cases) {
        CMapText text;
        text.PlaceAt(CDoubleRect(10.0, 10.0, 10.0, 10.0), 1.0);
        text.SetFontSize(c.size);
        text.SetText("Hx\r\nHx\r\nHx");
        text.GetStyle()->SetTextBackground(1);
        // The frame goes through the handle points, which turn by the same angle.
        text.GetStyle()->SetTextLine(1);
        SetStoredTextAngle(text.GetStyle(), c.angle);
        double x = 0, y = 0, zoom = c.zoom;
        const auto start = std::chrono::steady_clock::now();
        text.Draw(&surface.dc, nullptr, &x, &y, &zoom);
        text.DrawSelected(&surface.dc, nullptr, &x, &y, &zoom);
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0)
            << c.size << " angle " << c.angle << " zoom " << c.zoom;
    }
}

