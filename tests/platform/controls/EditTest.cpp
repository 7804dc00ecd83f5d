// Edit controls: typing and messages notify the parent as on Windows; positions
// count the 8-bit text with CR LF line breaks; number-only, limits, read-only;
// a class derived from the edit can filter input and paint the control itself.
#include "ControlTestSupport.h"

#include "platform/controls/CEdit.h"
#include "platform/testing/EditorProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class EditTest : public ::testing::Test {
protected:
    ParentWnd parent;

    HWND Make(DWORD style, UINT id = 50, const char* text = "")
    {
        HWND h = ::CreateWindowEx(WS_EX_CLIENTEDGE, WC_EDIT, text, WS_CHILD | WS_VISIBLE | style, 10, 10, 200, 60,
                                  parent.m_hWnd, (HMENU)(UINT_PTR)id, nullptr, nullptr);
        Pump();
        return h;
    }
    static std::string TextOf(HWND h)
    {
        char buffer[256] = {};
        ::GetWindowText(h, buffer, (int)sizeof buffer);
        return buffer;
    }
};

TEST_F(EditTest, TypingNotifiesUpdateThenChangeAndSetsModified)
{
    HWND e = Make(ES_AUTOHSCROLL);
    ::SetFocus(e);
    parent.Clear();
    TypeText(e, "ab");
    EXPECT_EQ(TextOf(e), "ab");
    EXPECT_EQ(parent.Codes(WM_COMMAND, 50), (std::vector<UINT>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    EXPECT_TRUE(::SendMessage(e, EM_GETMODIFY, 0, 0));
    Key(e, VK_BACK, "\b");
    EXPECT_EQ(TextOf(e), "a");
    EXPECT_EQ(parent.Count(WM_COMMAND, EN_CHANGE, 50), 3);

    parent.Clear();
    ::SetWindowText(e, "set");
    EXPECT_EQ(parent.Codes(WM_COMMAND, 50), (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
    EXPECT_FALSE(::SendMessage(e, EM_GETMODIFY, 0, 0));

    HWND m = Make(ES_MULTILINE | ES_WANTRETURN, 51);
    parent.Clear();
    ::SetWindowText(m, "one\r\ntwo");
    EXPECT_EQ(parent.Codes(WM_COMMAND, 51), std::vector<UINT>{}); // as on Windows
    ::SetFocus(m);
    ::SendMessage(m, EM_SETSEL, 3, 3);
    Key(m, VK_RETURN, "\r");
    EXPECT_EQ(TextOf(m), "one\r\n\r\ntwo");
    MSG enter{m, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(::SendMessage(m, WM_GETDLGCODE, VK_RETURN, (LPARAM)&enter) & DLGC_WANTMESSAGE);
    EXPECT_FALSE(::SendMessage(e, WM_GETDLGCODE, VK_RETURN, (LPARAM)&enter) & DLGC_WANTMESSAGE);
}

TEST_F(EditTest, FocusNotifications)
{
    HWND a = Make(0, 60);
    HWND b = Make(0, 61);
    parent.Clear();
    ::SetFocus(a);
    ::SetFocus(b);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 60), (std::vector<UINT>{EN_SETFOCUS, EN_KILLFOCUS}));
    EXPECT_EQ(parent.Codes(WM_COMMAND, 61), std::vector<UINT>{EN_SETFOCUS});
}

TEST_F(EditTest, SelectionAndLinesCountBytesAndCrLf)
{
    HWND m = Make(ES_MULTILINE | ES_WANTRETURN, 52, "ab\r\nØcd\r\nlast");
    CEdit* edit = static_cast<CEdit*>(CWnd::FromHandle(m));
    EXPECT_EQ(edit->GetWindowTextLength(), 14); // Ø is two bytes, each break two characters
    EXPECT_EQ(edit->GetLineCount(), 3);
    EXPECT_EQ(edit->LineIndex(1), 4);
    EXPECT_EQ(edit->LineIndex(2), 10);
    EXPECT_EQ(edit->LineIndex(3), -1);
    EXPECT_EQ(edit->LineFromChar(9), 1);
    EXPECT_EQ(edit->LineLength(4), 4);
    char line[16] = {};
    EXPECT_EQ(edit->GetLine(1, line, 15), 4);
    EXPECT_EQ(std::string(line, 4), "Øcd");

    edit->SetSel(4, 7); // Ø and c
    int start = 0, end = 0;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 7);
    edit->ReplaceSel("X");
    EXPECT_EQ(TextOf(m), "ab\r\nXd\r\nlast");
    edit->GetSel(start, end);
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 5);
    edit->SetSel(0, -1);
    edit->GetSel(start, end);
    EXPECT_EQ(end, edit->GetWindowTextLength());

    parent.Clear();
    edit->ReplaceSel("new");
    EXPECT_EQ(TextOf(m), "new");
    EXPECT_EQ(parent.Codes(WM_COMMAND, 52), (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
}

TEST_F(EditTest, NumberOnlyLimitAndReadOnly)
{
    HWND n = Make(ES_NUMBER, 53);
    ::SetFocus(n);
    TypeText(n, "1a2");
    EXPECT_EQ(TextOf(n), "12");

    HWND limited = Make(0, 54);
    ::SendMessage(limited, EM_LIMITTEXT, 3, 0);
    ::SetFocus(limited);
    parent.Clear();
    TypeText(limited, "abcd");
    EXPECT_EQ(TextOf(limited), "abc");
    EXPECT_EQ(parent.Count(WM_COMMAND, EN_MAXTEXT, 54), 1);

    HWND ro = Make(0, 55, "fixed");
    static_cast<CEdit*>(CWnd::FromHandle(ro))->SetReadOnly(TRUE);
    EXPECT_TRUE(::GetWindowLongPtr(ro, GWL_STYLE) & ES_READONLY);
    ::SetFocus(ro);
    parent.Clear();
    TypeText(ro, "x");
    EXPECT_EQ(TextOf(ro), "fixed");
    EXPECT_EQ(parent.Count(WM_COMMAND, EN_CHANGE, 55), 0);
}

// An edit that accepts only complete unsigned numbers and undoes any other change.
class NumericEdit : public CEdit {
public:
    CString lastGood;
    DWORD savedSel = 0;
    bool restoring = false;

protected:
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags)
    {
        if (ch != 8 && ch != 9 && ch != 10) {
            savedSel = GetSel();
            GetWindowText(lastGood);
        }
        CEdit::OnChar(ch, repeat, flags);
    }
    afx_msg void OnUpdate()
    {
        if (restoring)
            return;
        CString text;
        GetWindowText(text);
        char* end = nullptr;
        std::strtoul(text, &end, 10);
        if (*end) {
            restoring = true;
            SetWindowText(lastGood);
            restoring = false;
            SetSel(savedSel);
        } else {
            lastGood = text;
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NumericEdit, CEdit)
    ON_WM_CHAR()
    ON_CONTROL_REFLECT(EN_UPDATE, OnUpdate)
END_MESSAGE_MAP()

TEST_F(EditTest, DerivedEditFiltersInputThroughReflectedUpdate)
{
    NumericEdit e;
    ASSERT_TRUE(e.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 110, 30), &parent, 70));
    e.SetFocus();
    TypeText(e.m_hWnd, "123a");
    CString text;
    e.GetWindowText(text);
    EXPECT_STREQ(text, "123");
    int start = 0, end = 0;
    e.GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 3);
    EXPECT_GE(parent.Count(WM_COMMAND, EN_CHANGE, 70), 3);
}

TEST_F(EditTest, MouseSelectsInTheEditor)
{
    HWND e = Make(0, 56, "hello world");
    ASSERT_TRUE(EditorIsSingleLine(e));
    ASSERT_TRUE(DoubleClickEditor(e, 8, EditorHeight(e) / 2));
    Pump();
    int start = 0, end = 0;
    static_cast<CEdit*>(CWnd::FromHandle(e))->GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    EXPECT_EQ(::GetFocus(), e);
}

// An edit that paints itself: the control shows its surface.
class PreviewEdit : public CEdit {
protected:
    afx_msg void OnPaint()
    {
        PAINTSTRUCT ps;
        CDC* dc = CDC::FromHandle(::BeginPaint(m_hWnd, &ps));
        CRect rc;
        GetClientRect(&rc);
        dc->FillSolidRect(&rc, RGB(0, 0, 0));
        ::EndPaint(m_hWnd, &ps);
    }
    afx_msg void OnLButtonDown(UINT, CPoint) {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PreviewEdit, CEdit)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

TEST_F(EditTest, DerivedEditThatPaintsShowsItsSurface)
{
    HWND h = Make(WS_BORDER, 57, "text");
    PreviewEdit preview;
    ASSERT_TRUE(preview.SubclassWindow(h));
    Pump();
    EXPECT_TRUE(ShowsSurface(h));
    EXPECT_EQ(Pixel(h, 20, 20), RGB(0, 0, 0));
    EXPECT_EQ(ShownPixel(h, 20, 20), RGB(0, 0, 0));
    preview.UnsubclassWindow();
}

} // namespace
