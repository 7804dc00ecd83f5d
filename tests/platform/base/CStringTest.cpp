// CString: searches, edits, formatting, buffers, UTF-16 and the message box hook.
#include "platform/base/Afx.h"
#include "platform/testing/ModalRecorder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(CString, SearchesAndSlices)
{
    const CString s("C:\\maps\\roads.klz");
    EXPECT_EQ(s.Find('\\'), 2);
    EXPECT_EQ(s.Find('\\', 3), 7);
    EXPECT_EQ(s.Find('x', 100), -1);
    EXPECT_EQ(s.ReverseFind('.'), 13);
    EXPECT_EQ(s.Find("roads"), 8);
    EXPECT_STREQ(s.Mid(8, 5), "roads");
    EXPECT_STREQ(s.Mid(30), "");
    EXPECT_STREQ(s.Left(2), "C:");
    EXPECT_STREQ(s.Right(3), "klz");
    EXPECT_STREQ(s.Right(99), s);
}

TEST(CString, EditsAndFormat)
{
    CString s("  a,b,,c  ");
    s.Trim();
    EXPECT_STREQ(s, "a,b,,c");
    EXPECT_EQ(s.Replace(",", ";;"), 3);
    EXPECT_STREQ(s, "a;;b;;;;c");
    s.Delete(1, 2);
    EXPECT_STREQ(s, "ab;;;;c");
    s.Insert(0, "x");
    EXPECT_STREQ(s, "xab;;;;c");
    CString f;
    f.Format("%d-%s-%.2f", 7, "q", 2.5);
    EXPECT_STREQ(f, "7-q-2.50");
    f.AppendFormat("%c", '!');
    EXPECT_STREQ(f, "7-q-2.50!");
    EXPECT_EQ(CString("abc").CompareNoCase("ABC"), 0);
    EXPECT_LT(CString("abc").Compare("abd"), 0);
}

TEST(CString, BufferRoundTrip)
{
    CString s;
    char* p = s.GetBuffer(16);
    std::strcpy(p, "hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_STREQ(s, "hello");
}

// Bytes that are no UTF-16 character (beyond U+10FFFF, encoded surrogate halves) become the
// replacement character, never lone surrogates; a sequence missing continuation bytes is read byte
// by byte as Latin-1.
TEST(CString, Utf16ReplacesWhatUtf16CannotHold)
{
    const struct {
        const char* utf8;
        std::u16string utf16;
    } cases[] = {
        {"\xF4\x90\x80\x80", u"\uFFFD"},          // U+110000
        {"\xF7\xBF\xBF\xBF", u"\uFFFD"},          // U+1FFFFF
        {"\xED\xA0\x80x", u"\uFFFDx"},             // a high surrogate half
        {"\xED\xBF\xBF", u"\uFFFD"},               // a low surrogate half
        {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},      // the last code point stays
        {"\xE2\x82", u"\u00E2\u0082"},             // cut short
        {"\xE2x\x82", u"\u00E2x\u0082"},           // interrupted
    };
    for (const auto& c : cases) {
        const std::u16string w = CString(c.utf8).ToUtf16();
        EXPECT_EQ(w, c.utf16) << c.utf8;
        for (size_t i = 0; i < w.size(); ++i) {
            const bool high = w[i] >= 0xD800 && w[i] < 0xDC00, low = w[i] >= 0xDC00 && w[i] < 0xE000;
            EXPECT_FALSE(low && (i == 0 || !(w[i - 1] >= 0xD800 && w[i - 1] < 0xDC00))) << c.utf8;
            EXPECT_FALSE(high && (i + 1 == w.size() || !(w[i + 1] >= 0xDC00 && w[i + 1] < 0xE000))) << c.utf8;
        }
    }
}

// Fixed text fields take whole characters only: one that does not fit is left out entirely.
TEST(CString, FieldsAreCutBetweenCharacters)
{
    const char* text = "ab\xC3\xA9\xE2\x82\xAC\xF0\x9F\x97\xBA";   // a b é € 🗺
    const struct {
        int max;
        int fit;
    } cases[] = {{0, 0}, {2, 2}, {3, 2}, {4, 4}, {5, 4}, {6, 4}, {7, 7}, {10, 7}, {11, 11}, {40, 11}};
    for (const auto& c : cases)
        EXPECT_EQ(CString::Utf8FitLength(text, 11, c.max), c.fit) << c.max;
    char field[6];
    std::memset(field, 'x', sizeof field);
    CString::CopyToField(field, sizeof field, text);
    EXPECT_STREQ(field, "ab\xC3\xA9");
    EXPECT_EQ(field[5], 0);
}

TEST(CString, Utf16RoundTrip)
{
    const CString s("Ø10 \xE2\x82\xAC \xF0\x9F\x97\xBA");
    const std::u16string w = s.ToUtf16();
    EXPECT_EQ(w[0], u'\u00D8');
    EXPECT_EQ(CString::FromUtf16(w.c_str()), s);
    EXPECT_STREQ(CString::FromUtf16(w.c_str(), 1), "Ø");
}

TEST(CString, ExtractSubString)
{
    struct Case {
        const char* text;
        int n;
        BOOL ok;
        const char* field;
    } cases[] = {
        {"10,20,30", 0, TRUE, "10"}, {"10,20,30", 2, TRUE, "30"}, {"10,20,30", 3, FALSE, ""},
        {"", 0, TRUE, ""},           {"a,,b", 1, TRUE, ""},       {"a,,b", 2, TRUE, "b"},
    };
    for (const Case& c : cases) {
        CString out("junk");
        EXPECT_EQ(AfxExtractSubString(out, c.text, c.n, ','), c.ok) << c.text << " " << c.n;
        EXPECT_STREQ(out, c.field) << c.text << " " << c.n;
    }
}

TEST(MessageBoxHook, RecordsAndAnswers)
{
    ModalRecorder rec({IDNO});
    EXPECT_EQ(AfxMessageBox("Save?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(AfxMessageBox("Done"), IDOK);
    ASSERT_EQ(rec.Boxes().size(), 2u);
    EXPECT_STREQ(rec.Boxes()[0].text, "Save?");
    EXPECT_EQ(rec.Boxes()[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_STREQ(rec.Boxes()[1].text, "Done");
}
