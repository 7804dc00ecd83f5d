// CString: searches, edits, formatting, buffers, UTF-16 and the message box hook.
#include "platform/base/Afx.h"
#include "platform/testing/ModalRecorder.h"

#include <gtest/gtest.h>

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
