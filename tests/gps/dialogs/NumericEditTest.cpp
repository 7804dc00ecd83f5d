// The numeric edit: what the user types is kept only while the whole text is
// a number of the edit's kind; a refused change leaves the text and the caret
// as they were.
#include "gps/dialogs/NumericEdit.h"
#include "platform/wnd/WndTestInput.h"

#include <gtest/gtest.h>

namespace {
class NumericEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 200, 30), &host, 70));
        edit.SetFocus();
        AfxTestProcessEvents();
    }
    void TearDown() override
    {
        edit.DestroyWindow();
        host.DestroyWindow();
    }
    void Type(const char* text)
    {
        for (const char* p = text; *p; ++p) {
            const char s[2] = {*p, 0};
            const UINT vk = *p >= 'a' && *p <= 'z' ? (UINT)(*p - 'a' + 'A') : *p == '-' ? VK_OEM_MINUS : (UINT)*p;
            AfxTestKeyStroke(edit.m_hWnd, vk, s);
        }
        AfxTestProcessEvents();
    }
    CString Text()
    {
        CString text;
        edit.GetWindowText(text);
        return text;
    }

    CWnd host;
    CNumericEdit edit;
};
}

TEST_F(NumericEditTest, TypedLetterIsUndoneWithTheCaretWhereItWas)
{
    Type("123");
    edit.SetSel(1, 1);
    Type("x");
    EXPECT_EQ(Text(), "123");
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 1);
    Type("4");
    EXPECT_EQ(Text(), "1423");

    // Backspace is let through; deleting everything leaves a good (empty) text.
    edit.SetSel(0, -1);
    AfxTestKeyStroke(edit.m_hWnd, VK_BACK, "\b");
    AfxTestProcessEvents();
    EXPECT_EQ(Text(), "");
}

TEST_F(NumericEditTest, UnsignedKindKeepsThirtyTwoBits)
{
    // Pasted or set texts go through the same check.
    const std::pair<const char*, bool> cases[] = {
        {"4294967295", true}, {"4294967296", false}, {"-5", true}, {" 12", true}, {"12 ", false},
        {"-", false},         {"1e3", false},        {"", true},
    };
    for (const auto& [text, good] : cases)
        EXPECT_EQ(CNumericEdit::IsGoodText(text, CNumericEdit::kUnsignedLong), good) << text;
    EXPECT_FALSE(CNumericEdit::IsGoodText("2147483648", CNumericEdit::kSignedLong));
    EXPECT_TRUE(CNumericEdit::IsGoodText("-2147483648", CNumericEdit::kSignedLong));
    EXPECT_TRUE(CNumericEdit::IsGoodText("1e3", CNumericEdit::kFloat));
    EXPECT_FALSE(CNumericEdit::IsGoodText("1e999", CNumericEdit::kFloat));

    Type("429496729");
    Type("6");   // one more digit would pass 32 bits
    EXPECT_EQ(Text(), "429496729");
    Type("5");
    EXPECT_EQ(Text(), "4294967295");
}
