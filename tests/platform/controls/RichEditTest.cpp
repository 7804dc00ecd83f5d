// Rich edit controls (the query editor's): positions counting one character per line
// break, notifications gated by the event mask, the selection's character format, and
// plain-text streaming with CR LF line breaks. Date-time pickers.
#include "ControlTestSupport.h"

#include "platform/controls/CDateTimeCtrl.h"
#include "platform/controls/CRichEditCtrl.h"
#include "platform/testing/EditorProbe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class RichEditTest : public ::testing::Test {
protected:
    ParentWnd parent;
    CRichEditCtrl* edit = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(AfxInitRichEdit2());
        HWND h = ::CreateWindowEx(WS_EX_CLIENTEDGE, RICHEDIT_CLASS, "",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN, 10, 10, 300, 100,
                                  parent.m_hWnd, (HMENU)1006, nullptr, nullptr);
        ASSERT_NE(h, nullptr);
        edit = static_cast<CRichEditCtrl*>(CWnd::FromHandle(h));
        Pump();
    }
};

TEST_F(RichEditTest, PositionsCountOneCharacterPerLineBreak)
{
    edit->SetWindowText("select\r\nwhere x");
    EXPECT_EQ(edit->GetTextLength(), 15);
    EXPECT_EQ(edit->GetLineCount(), 2);
    EXPECT_EQ(edit->LineIndex(1), 7);
    EXPECT_EQ(edit->LineFromChar(8), 1);
    EXPECT_EQ(edit->LineLength(8), 7);
    edit->SetSel(7, 12);
    EXPECT_STREQ(edit->GetSelText(), "where");
    LONG a = 0, b = 0;
    edit->GetSel(a, b);
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, 12);
    edit->ReplaceSel("and", TRUE);
    CString text;
    edit->GetWindowText(text);
    EXPECT_STREQ(text, "select\r\nand x");
    edit->GetSel(a, b);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 10);
    edit->SetSel(0, -1);
    edit->GetSel(a, b);
    EXPECT_EQ(b, 12);
    // Later characters on a line lie further right.
    EXPECT_GT(edit->PosFromChar(3).x, edit->PosFromChar(1).x);
    EXPECT_GT(edit->PosFromChar(8).y, edit->PosFromChar(1).y);
    EXPECT_EQ(edit->CharFromPos(edit->PosFromChar(9)), 9);
}

TEST_F(RichEditTest, ChangeAndSelectionNotificationsFollowTheEventMask)
{
    edit->SetFocus();
    parent.Clear();
    TypeText(edit->m_hWnd, "ab");
    edit->SetWindowText("x");
    EXPECT_EQ(parent.Count(WM_COMMAND, EN_CHANGE, 1006), 0);
    EXPECT_EQ(parent.Count(WM_NOTIFY, EN_SELCHANGE, 1006), 0);

    EXPECT_EQ(edit->SetEventMask(ENM_CHANGE | ENM_SELCHANGE), (DWORD)ENM_NONE);
    EXPECT_EQ(edit->GetEventMask(), (DWORD)(ENM_CHANGE | ENM_SELCHANGE));
    TypeText(edit->m_hWnd, "c");
    EXPECT_EQ(parent.Count(WM_COMMAND, EN_CHANGE, 1006), 1);
    edit->SetWindowText("abc def");
    EXPECT_EQ(parent.Count(WM_COMMAND, EN_CHANGE, 1006), 2);
    int selchange = 0;
    CHARRANGE last{-1, -1};
    parent.onNotify = [&](NMHDR* nm, LRESULT*) {
        if (nm->code == EN_SELCHANGE) {
            ++selchange;
            last = reinterpret_cast<SELCHANGE*>(nm)->chrg;
        }
        return false;
    };
    edit->SetSel(4, 7);
    EXPECT_GE(selchange, 1);
    EXPECT_EQ(last.cpMin, 4);
    EXPECT_EQ(last.cpMax, 7);
}

TEST_F(RichEditTest, SelectionCharFormatIsTheControlFontInTwips)
{
    CFont font;
    font.CreatePointFont(80, "MS Sans Serif");
    edit->SetFont(&font);
    CHARFORMAT cf{};
    const DWORD mask = edit->GetSelectionCharFormat(cf);
    EXPECT_TRUE(mask & CFM_SIZE);
    EXPECT_EQ(cf.yHeight, 160); // 8 points
    EXPECT_STREQ(cf.szFaceName, "MS Sans Serif");
}

struct Stream {
    std::string data;
    size_t at = 0;
    static DWORD Read(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
    {
        Stream* s = reinterpret_cast<Stream*>(cookie);
        const LONG n = (LONG)std::min<size_t>((size_t)std::min<LONG>(cb, 3), s->data.size() - s->at);
        std::memcpy(buffer, s->data.data() + s->at, (size_t)n);
        s->at += (size_t)n;
        *pcb = n;
        return 0;
    }
    static DWORD Write(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
    {
        reinterpret_cast<Stream*>(cookie)->data.append(reinterpret_cast<const char*>(buffer), (size_t)cb);
        *pcb = cb;
        return 0;
    }
};

TEST_F(RichEditTest, StreamsPlainTextWithCrLf)
{
    edit->SetWindowText("old");
    Stream in;
    in.data = "(NAME = 'A')\r\nand (X > 2)";
    EDITSTREAM es{(DWORD_PTR)&in, 0, Stream::Read};
    EXPECT_EQ(edit->StreamIn(SF_TEXT, es), 25);
    EXPECT_EQ(edit->GetLineCount(), 2);
    Stream out;
    EDITSTREAM es2{(DWORD_PTR)&out, 0, Stream::Write};
    EXPECT_EQ(edit->StreamOut(SF_TEXT, es2), (LONG)in.data.size());
    EXPECT_EQ(out.data, in.data);
    EXPECT_FALSE(edit->GetModify());
}

class DateTimeTest : public ::testing::Test {
protected:
    ParentWnd parent;
};

TEST_F(DateTimeTest, FormatTimeAndUserChanges)
{
    CDateTimeCtrl picker;
    ASSERT_TRUE(picker.Create(WS_CHILD | WS_VISIBLE | DTS_UPDOWN, CRect(10, 10, 250, 34), &parent, 1025));
    ASSERT_TRUE(picker.SetFormat("MMMM dd, yyyy HH:mm:ss"));
    parent.Clear();
    const CTime when(2007, 3, 9, 14, 5, 7);
    ASSERT_TRUE(picker.SetTime(&when));
    EXPECT_EQ(parent.Count(WM_NOTIFY, DTN_DATETIMECHANGE, 1025), 0);
    CTime got;
    EXPECT_EQ(picker.GetTime(got), (DWORD)GDT_VALID);
    EXPECT_EQ(got, when);
    CString text;
    picker.GetWindowText(text);
    EXPECT_NE(text.Find("09, 2007 14:05:07"), -1);

    picker.SetFocus();
    ASSERT_TRUE(SelectDateField(picker.m_hWnd, DateField::Year));
    Key(picker.m_hWnd, VK_UP);
    EXPECT_EQ(parent.Count(WM_NOTIFY, DTN_DATETIMECHANGE, 1025), 1);
    SYSTEMTIME st{};
    picker.GetTime(&st);
    EXPECT_EQ(st.wYear, 2008);
}

} // namespace
