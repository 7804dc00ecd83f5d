// Labels: the stored record, setters and modified bits, copies, saving their
// columns and drawing.
#include "core/MapLabel.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "platform/base/DeviceCoordinates.h"
#include "tests/core/values/ValuesTestSupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <chrono>
#include <cmath>
#include <vector>

namespace {

MapLabelFontBlock SampleBlock()
{
    MapLabelFontBlock b = MapLabelFontBlock::Defaults();
    b.font.lfHeight = 20;
    b.font.lfEscapement = b.font.lfOrientation = 450;
    b.font.lfWeight = 700;
    b.textColor = 0x0000FF;
    b.backColor = 0x00FF00;
    b.background = 1;
    b.line = 1;
    b.lineColor = 0xFF0000;
    b.reserved = 0x0BADF00D;
    return b;
}

CMapLabel::Record FixtureRecord()
{
    CMapLabel::Record r{};
    PutF32(&r[0], 12.5f);
    PutF32(&r[4], -3.25f);
    Put32(&r[8], 20);            // lfHeight
    Put32(&r[16], 450);          // lfEscapement
    Put32(&r[20], 450);          // lfOrientation
    Put32(&r[24], 700);          // lfWeight
    r[31] = 1;                   // lfCharSet
    PutFace(&r[36], u"Arial");
    Put32(&r[100], 0x0000FF);    // text colour
    Put32(&r[104], 0x00FF00);    // background colour
    Put32(&r[108], 1);           // background flag
    Put32(&r[112], 1);           // line flag
    Put32(&r[116], 0xFF0000);    // line colour
    Put32(&r[120], 0x0BADF00D);  // reserved word
    return r;
}

TEST(MapLabel, RecordRoundTripsAtItsOffsets)
{
    CMapLabel label;
    label.SetAnchor(CFloatPoint(12.5, -3.25));
    label.SetFontBlock(SampleBlock());
    EXPECT_EQ(label.ToRecord(), FixtureRecord());

    const CMapLabel::Record fixture = FixtureRecord();
    GuardedBuffer exact(fixture.data(), fixture.size());
    CMapLabel read;
    ASSERT_TRUE(read.ReadRecord(exact.data(), CMapLabel::kRecordSize, CFloatPoint(99, 99)));
    EXPECT_EQ(read.ToRecord(), fixture);
    EXPECT_EQ(read.GetRotation(), 45);
    EXPECT_EQ(read.GetAnchor().x, 12.5f);
    EXPECT_TRUE(read.IsModified());
}

TEST(MapLabel, UnplacedShortOrMissingRecordsTakeTheLabelPoint)
{
    CMapLabel::Record unplaced = FixtureRecord();
    PutF32(&unplaced[0], FLT_MAX);
    PutF32(&unplaced[4], FLT_MAX);
    CMapLabel a;
    EXPECT_TRUE(a.ReadRecord(unplaced.data(), CMapLabel::kRecordSize, CFloatPoint(5, 6)));
    EXPECT_EQ(a.GetAnchor().x, 5.0f);
    EXPECT_EQ(a.GetAnchor().y, 6.0f);
    EXPECT_EQ(a.GetFontBlock().lineColor, 0xFF0000u); // the block is still read

    const CMapLabel::Record fixture = FixtureRecord();
    GuardedBuffer shortRecord(fixture.data(), CMapLabel::kRecordSize - 1);
    CMapLabel b;
    const MapLabelFontBlock before = b.GetFontBlock();
    EXPECT_FALSE(b.ReadRecord(shortRecord.data(), CMapLabel::kRecordSize - 1, CFloatPoint(7, 8)));
    EXPECT_EQ(b.GetAnchor().y, 8.0f);
    EXPECT_EQ(0, std::memcmp(&b.GetFontBlock(), &before, sizeof before));

    CMapLabel c;
    EXPECT_FALSE(c.ReadRecord(nullptr, 0, CFloatPoint(1, 2)));
    EXPECT_EQ(c.GetAnchor().x, 1.0f);
}

TEST(MapLabel, SettersAndModifiedBits)
{
    CMapLabel label;
    EXPECT_FALSE(label.IsModified());
    label.SetRotation(450, 0);
    EXPECT_TRUE(label.IsModified());
    label.SetModified(false);
    label.SetRotation(450, 0);
    EXPECT_FALSE(label.IsModified());
    EXPECT_EQ(label.GetRotation(), 45);
    label.SetRotation(-455, 0);
    EXPECT_EQ(label.GetRotation(), -45);

    label.SetModified(false);
    label.SetTextColor(label.GetTextColor());
    label.SetAnchor(label.GetAnchor());
    label.SetShowLine(1);
    label.SetBackground(1);
    EXPECT_FALSE(label.IsModified());
    label.SetBackColor(0x123456);
    EXPECT_TRUE(label.IsModified());

    label.SetText("abc");
    EXPECT_TRUE(label.IsTextModified());
    label.SetTextModified(false);
    label.SetText("abc");
    EXPECT_FALSE(label.IsTextModified());
}

TEST(MapLabel, CopiesAndClones)
{
    CSQLiteDatabase db;
    CMapLabel label;
    label.SetText("text");
    label.SetAnchor(CFloatPoint(1, 2));
    label.SetFontBlock(SampleBlock());
    label.SetMapeID(17);
    label.SetDatabase(&db);
    label.Select();
    label.SetDrawable(true);

    const CMapLabel copy(label);
    EXPECT_EQ(copy.GetText(), "text");
    EXPECT_EQ(copy.ToRecord(), label.ToRecord());
    EXPECT_FALSE(copy.IsSelected());
    EXPECT_FALSE(copy.IsModified());
    EXPECT_EQ(copy.GetDatabase(), nullptr);

    const auto clone = label.Clone();
    EXPECT_EQ(clone->GetMapeID(), 17);
    EXPECT_EQ(clone->GetDatabase(), &db);
    EXPECT_TRUE(clone->IsSelected());
    EXPECT_TRUE(clone->IsDrawable());
    EXPECT_EQ(clone->ToRecord(), label.ToRecord());
}

// ---------------------------------------------------------------- storage

class LabelStorage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_db.Open(m_path.c_str()), 0);
        Run("create table _MapGeoData(mapeID INTEGER PRIMARY KEY,mapeLabelProp BLOB, mapeLabelText VARCHAR(255), "
            "mapeProperty BLOB, mapeBoundary BLOB, mapeGeoData BLOB, mapeObjectType SMALLINT, mapeAttribute INT "
            "UNSIGNED, mapeSelHandle INT)");
        Run("insert into _MapGeoData(mapeID) values(1);");
        Run("insert into _MapGeoData(mapeID) values(2);");
    }
    void Run(const char* sql)
    {
        CSQLiteStatement st;
        ASSERT_EQ(m_db.Prepare(sql, st), 0) << sql;
        ASSERT_EQ(st.Execute(), 101) << sql;
    }
    // Column 1 (record) and 2 (text) of a row; the record is empty for NULL.
    std::vector<BYTE> StoredRecord(int id)
    {
        CSQLiteStatement st;
        CString sql;
        sql.Format("select mapeLabelProp from _MapGeoData where mapeID=%d;", id);
        m_db.Prepare(sql, st);
        st.Step();
        const BYTE* p = (const BYTE*)st.ColumnBlob(0);
        return std::vector<BYTE>(p, p + st.ColumnBytes(0));
    }
    CString StoredText(int id)
    {
        CSQLiteStatement st;
        CString sql;
        sql.Format("select mapeLabelText from _MapGeoData where mapeID=%d;", id);
        m_db.Prepare(sql, st);
        st.Step();
        return st.ColumnText(0);
    }

    TempPath m_path{"labels.klz"};
    CSQLiteDatabase m_db;
};

TEST_F(LabelStorage, SaveWritesOnlyTheChangedColumnsOfItsRow)
{
    CMapLabel label;
    label.SetMapeID(2);
    label.SetDatabase(&m_db);
    label.SetText("O'Hara's\r\nsecond line");
    label.Save();
    EXPECT_EQ(StoredText(2), "O'Hara's\r\nsecond line");
    EXPECT_TRUE(StoredRecord(2).empty()); // properties unchanged: column left NULL
    EXPECT_TRUE(label.IsTextModified());  // the caller clears the bits
    EXPECT_EQ(StoredText(1), "");

    label.SetTextModified(false);
    label.SetFontBlock(SampleBlock());
    label.SetAnchor(CFloatPoint(10, 20));
    label.Save();
    const CMapLabel::Record expected = label.ToRecord();
    EXPECT_EQ(StoredRecord(2), std::vector<BYTE>(expected.begin(), expected.end()));
}

TEST_F(LabelStorage, MoveByShiftsTheAnchorAndSaves)
{
    CMapLabel label;
    label.SetMapeID(1);
    label.SetDatabase(&m_db);
    label.SetAnchor(CFloatPoint(100, 200));
    label.SetDeviceRect(RECT{10, 10, 50, 30});
    const double zoom = 2.0;
    label.MoveBy(5, -3, &zoom);
    EXPECT_EQ(label.GetAnchor().x, 110.0f);
    EXPECT_EQ(label.GetAnchor().y, 206.0f);
    const RECT r = label.GetDeviceRect();
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.top, 7);
    EXPECT_EQ(r.right, 55);
    EXPECT_EQ(r.bottom, 27);
    const CMapLabel::Record expected = label.ToRecord();
    EXPECT_EQ(StoredRecord(1), std::vector<BYTE>(expected.begin(), expected.end()));
}

TEST(MapLabel, LabelsOutsideLayersMoveAndSaveWithoutADatabase)
{
    CMapLabel copy(CMapLabel{});
    copy.SetText("clipboard copy");
    const double zoom = 0.5;
    copy.MoveBy(4, 4, &zoom);
    copy.SetRotation(900, 1);
    copy.Save();
    EXPECT_EQ(copy.GetAnchor().x, 2.0f);
    EXPECT_EQ(copy.GetAnchor().y, -2.0f);
    EXPECT_TRUE(copy.IsModified());
}

// ---------------------------------------------------------------- drawing

struct Ink {
    COLORREF color;
    bool operator()(COLORREF c) const { return c == color; }
};

// Draws `label` on a white 200 x 200 canvas with the view origin at (0, 0),
// one map unit per pixel.
void DrawLabel(PixelCanvas& canvas, CMapLabel& label)
{
    const double ox = 0, oy = 0, zoom = 1;
    label.Draw(canvas.dc(), RECT{0, 0, canvas.width(), canvas.height()}, &ox, &oy, &zoom);
}

CMapLabel TextLabel(const char* text, int tenths)
{
    CMapLabel label;
    MapLabelFontBlock b = MapLabelFontBlock::Defaults();
    b.font.lfHeight = 24;
    b.textColor = RGB(0, 0, 0);
    label.SetFontBlock(b);
    label.SetRotation(tenths, 0);
    label.SetText(text);
    label.SetAnchor(CFloatPoint(60, 140)); // device (60, 60)
    return label;
}

TEST(MapLabelDrawing, FirstLineHangsFromTheAnchor)
{
    PixelCanvas canvas(200, 200);
    CMapLabel label = TextLabel("HH", 0);
    DrawLabel(canvas, label);
    EXPECT_EQ(label.GetCorner(0), CPoint(60, 60));
    const CRect ink = canvas.InkBox(Ink{RGB(0, 0, 0)});
    ASSERT_FALSE(ink.IsRectEmpty());
    const CPoint c2 = label.GetCorner(2);
    EXPECT_GE(ink.left, 60);
    EXPECT_GE(ink.top, 60);
    EXPECT_LE(ink.right, c2.x + 1);
    EXPECT_LE(ink.bottom, c2.y);
    EXPECT_LT(ink.left, 60 + 6);     // the letters start at the anchor, not somewhere inside the box
    EXPECT_EQ(label.GetCorner(1).y, 60);
    EXPECT_EQ(label.GetCorner(3).x, 60);
}

TEST(MapLabelDrawing, FollowingLinesStepByTheFirstLineHeight)
{
    struct { int tenths; int dx; int dy; } cases[] = {{0, 0, 1}, {900, 1, 0}};
    for (const auto& c : cases) {
        PixelCanvas one(200, 200), two(200, 200);
        CMapLabel single = TextLabel("HH", c.tenths);
        CMapLabel twoLines = TextLabel("HH\r\nHH", c.tenths);
        DrawLabel(one, single);
        DrawLabel(two, twoLines);
        const CPoint p0 = single.GetCorner(0), p3 = single.GetCorner(3);
        const int h = (c.dy ? p3.y - p0.y : p3.x - p0.x); // the first line's height
        ASSERT_GT(h, 10) << c.tenths;
        const CRect first = one.InkBox(Ink{RGB(0, 0, 0)});
        const CRect both = two.InkBox(Ink{RGB(0, 0, 0)});
        // The second line is the first one moved by one line height.
        EXPECT_EQ(both.left, first.left) << c.tenths;
        EXPECT_EQ(both.top, first.top) << c.tenths;
        EXPECT_EQ(both.right, first.right + c.dx * h) << c.tenths;
        EXPECT_EQ(both.bottom, first.bottom + c.dy * h) << c.tenths;
        for (int y = first.top; y < first.bottom; ++y)
            for (int x = first.left; x < first.right; ++x)
                ASSERT_EQ(one.at(x, y), two.at(x + c.dx * h, y + c.dy * h)) << c.tenths << " at " << x << "," << y;
    }
}

TEST(MapLabelDrawing, TrailingLineBreakDrawsOneLine)
{
    PixelCanvas a(200, 200), b(200, 200);
    CMapLabel one = TextLabel("HH", 0), trailing = TextLabel("HH\r\n", 0);
    DrawLabel(a, one);
    DrawLabel(b, trailing);
    EXPECT_EQ(trailing.GetCorner(2), one.GetCorner(2));
    EXPECT_EQ(b.InkBox(IsNotWhite), a.InkBox(IsNotWhite));
}

TEST(MapLabelDrawing, FrameBackgroundAndSelection)
{
    PixelCanvas canvas(200, 200);
    CMapLabel label = TextLabel("H", 0);
    label.SetShowLine(1);
    label.SetLineColor(RGB(255, 0, 0));
    label.SetBackground(1);
    label.SetBackColor(RGB(0, 255, 0));
    DrawLabel(canvas, label);
    const CPoint c0 = label.GetCorner(0), c2 = label.GetCorner(2);
    ASSERT_GT(c2.x - c0.x, 4);
    // The frame runs along the top and left edges of the box.
    EXPECT_EQ(canvas.at((c0.x + c2.x) / 2, c0.y), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(c0.x, (c0.y + c2.y) / 2), RGB(255, 0, 0));
    // The opaque background fills the box behind the text, and nothing outside it.
    const CRect box(c0.x + 1, c0.y + 1, c2.x - 1, c2.y - 1);
    int green = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            green += canvas.at(x, y) == RGB(0, 255, 0);
    EXPECT_GT(green, box.Width() * box.Height() / 3);
    EXPECT_EQ(canvas.at(c2.x + 3, c2.y + 3), RGB(255, 255, 255));

    // A selected label inverts a square around corner 0: white outside the box turns black.
    PixelCanvas selected(200, 200);
    CMapLabel marked = TextLabel("H", 0);
    marked.Select();
    DrawLabel(selected, marked);
    EXPECT_EQ(selected.at(c0.x - 3, c0.y - 3), RGB(0, 0, 0));
    EXPECT_EQ(selected.at(c0.x - 4, c0.y - 4), RGB(255, 255, 255));
}

TEST(MapLabelDrawing, CornersHitTestAndXorOutline)
{
    PixelCanvas canvas(200, 200);
    CMapLabel label = TextLabel("HH", 0);
    EXPECT_EQ(label.GetCorner(5), CPoint(0, 0));
    DrawLabel(canvas, label);
    const CPoint c = label.GetCorner(2);
    EXPECT_EQ(label.HitTestCorner(POINT{c.x - 3, c.y - 3}), 2);
    EXPECT_EQ(label.HitTestCorner(POINT{c.x + 3, c.y}), -1);
    EXPECT_EQ(label.HitTestCorner(POINT{60, 60}), 0);
    const RECT bounds = label.GetDeviceBounds();
    EXPECT_EQ(bounds.left, 60);
    EXPECT_EQ(bounds.top, 60);
    EXPECT_EQ(bounds.right, c.x);
    EXPECT_EQ(bounds.bottom, c.y);

    std::vector<COLORREF> before;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            before.push_back(canvas.at(x, y));
    label.DrawOutlineXor(canvas.dc());
    EXPECT_EQ(canvas.dc()->GetROP2(), R2_NOTXORPEN);
    EXPECT_NE(canvas.at((60 + c.x) / 2, 60), RGB(255, 255, 255));
    label.DrawOutlineXor(canvas.dc());
    size_t i = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(canvas.at(x, y), before[i++]) << x << "," << y;
}

TEST(MapLabelDrawing, EmptyTextDrawsNothing)
{
    PixelCanvas canvas(50, 50);
    CMapLabel label;
    label.SetShowLine(1);
    DrawLabel(canvas, label);
    EXPECT_TRUE(canvas.InkBox(IsNotWhite).IsRectEmpty());
}

// Anchors whose device position saturates (NaN, infinite, far away, or a tiny zoom), turned a little,
// with an opaque background and a frame: each draw finishes at once (the fill once scanned 2^31
// rows for them) and leaves the canvas inside the view untouched; the corners stay within the
// device range.
TEST(MapLabelDrawing, SaturatedAnchorsDrawInBoundedTime)
{
    const float nan = std::nanf(""), inf = INFINITY;
    struct Case {
        float x, y;
        double zoom;
    } cases[] = {{nan, nan, 1}, {inf, -inf, 1}, {-inf, inf, 1}, {3e38f, -3e38f, 1}, {60, 140, 1e-300},
                 {60, nan, 1}, {-3e38f, 0, 1e-30}};
    for (int tenths : {10, 3590, 900, -10}) {
        for (const Case& c : cases) {
            PixelCanvas canvas(200, 200);
            CMapLabel label = TextLabel("HH\r\nH", tenths);
            label.SetBackground(1);
            label.SetBackColor(RGB(0, 255, 0));
            label.SetShowLine(1);
            label.SetAnchor(CFloatPoint(c.x, c.y));
            label.Select();
            const double ox = 0, oy = 0;
            const auto start = std::chrono::steady_clock::now();
            label.Draw(canvas.dc(), RECT{0, 0, 200, 200}, &ox, &oy, &c.zoom);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            EXPECT_LT(seconds, 5.0) << c.x << "," << c.y << " zoom " << c.zoom << " turn " << tenths;
            for (int i = 0; i < 4; ++i) {
                EXPECT_LE(std::abs(label.GetCorner(i).x), kDeviceCoordinateLimit);
                EXPECT_LE(std::abs(label.GetCorner(i).y), kDeviceCoordinateLimit);
            }
            if (c.zoom == 1) {
                EXPECT_TRUE(canvas.InkBox(IsNotWhite).IsRectEmpty()) << c.x << "," << c.y << " turn " << tenths;
            }
        }
    }
}

} // namespace
