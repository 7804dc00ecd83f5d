// Windows whose class brings a native widget of its own (the controls' way): input reaches
// the widget only through the default window procedure. Also the standard scroll bars.
#include "WndTestSupport.h"

#include "platform/testing/WidgetProbe.h"

#include <gtest/gtest.h>

namespace {

class DigitsOnly : public CWnd {
protected:
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags)
    {
        if (ch >= '0' && ch <= '9')
            CWnd::OnChar(ch, repeat, flags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DigitsOnly, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

class SwallowClicks : public CWnd {
protected:
    afx_msg void OnLButtonDown(UINT, CPoint) {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SwallowClicks, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class NativeWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(RegisterNativeWidgetClass("KvTestEdit", NativeWidget::Edit));
        ASSERT_TRUE(RegisterNativeWidgetClass("KvTestButton", NativeWidget::PushButton));
        ASSERT_TRUE(parent.CreatePopup(0, 0, 300, 200));
        AfxTestProcessEvents();
    }
    void TearDown() override { parent.DestroyWindow(); }

    CallLog log;
    RecordingWnd parent{log, "P"};
};

TEST_F(NativeWidgetTest, ASubclassDecidesWhichCharactersTheEditGets)
{
    DigitsOnly edit;
    ASSERT_TRUE(edit.Create("KvTestEdit", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &parent, 5));
    const WidgetProbe line(edit.GetSafeHwnd());
    ASSERT_TRUE(line.Is(NativeWidget::Edit));
    log.Clear();
    for (const char* c : {"a", "1", "b", "2"})
        AfxTestKeyStroke(edit.GetSafeHwnd(), (UINT)std::toupper(c[0]), c);
    EXPECT_EQ(line.EditText(), CString("12"));
    // A key the edit ignores does not travel up to the parent window.
    AfxTestKeyStroke(edit.GetSafeHwnd(), VK_F5);
    EXPECT_EQ(log.Count("P:Key"), 0);
}

TEST_F(NativeWidgetTest, ASwallowedButtonDownNeverReachesTheButton)
{
    CWnd plain;
    SwallowClicks swallowing;
    ASSERT_TRUE(plain.Create("KvTestButton", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 80, 40), &parent, 6));
    ASSERT_TRUE(swallowing.Create("KvTestButton", "", WS_CHILD | WS_VISIBLE, CRect(90, 10, 160, 40), &parent, 7));
    const WidgetProbe plainButton(plain.GetSafeHwnd()), swallowingButton(swallowing.GetSafeHwnd());
    ASSERT_TRUE(plainButton.Is(NativeWidget::PushButton));
    ASSERT_TRUE(swallowingButton.Is(NativeWidget::PushButton));
    for (CWnd* w : {static_cast<CWnd*>(&plain), static_cast<CWnd*>(&swallowing)}) {
        AfxTestMouse(w->GetSafeHwnd(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
        AfxTestMouse(w->GetSafeHwnd(), WM_LBUTTONUP, 5, 5);
    }
    EXPECT_EQ(plainButton.Clicks(), 1);
    EXPECT_EQ(swallowingButton.Clicks(), 0);
    EXPECT_EQ(log.Count("P:LButton"), 0);
}

TEST_F(NativeWidgetTest, ToolkitFocusFollowsSetFocusAndTheEditsOwnFocus)
{
    CallLog childLog;
    RecordingWnd surface(childLog, "S");
    ASSERT_TRUE(surface.CreateChild(&parent, CRect(0, 100, 50, 150), 8));
    CWnd edit;
    ASSERT_TRUE(edit.Create("KvTestEdit", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &parent, 5));
    surface.SetFocus();
    EXPECT_TRUE(WidgetProbe(surface.GetSafeHwnd()).HasToolkitFocus());
    // Focus given by the toolkit itself (a click into the edit) is the window's focus too.
    WidgetProbe(edit.GetSafeHwnd()).FocusFromToolkit();
    EXPECT_EQ(CWnd::GetFocus(), &edit);
    EXPECT_EQ(childLog.Count("S:KillFocus other"), 1);
}

TEST(ScrollBars, ActionsOfTheBarReachTheWindowWhichMovesTheThumb)
{
    CallLog log;
    RecordingWnd w(log, "W");
    ASSERT_TRUE(w.CreatePopup(0, 0, 200, 100, 0, nullptr, WS_POPUP | WS_VISIBLE | WS_VSCROLL));
    w.SetScrollRange(SB_VERT, 0, 20);
    WidgetProbe bar(w.GetSafeHwnd());
    ASSERT_TRUE(bar.HasScrollBar());
    log.Clear();
    bar.ActOnScrollBar(WidgetProbe::BarAction::ArrowForward);
    EXPECT_EQ(log.With("W:VScroll"), (std::vector<std::string>{"W:VScroll 1 0", "W:VScroll 8 0"}));
    EXPECT_EQ(bar.ScrollBarPos(), 0); // the window has not moved the thumb
    w.SetScrollPos(SB_VERT, 3);
    EXPECT_EQ(bar.ScrollBarPos(), 3);
    log.Clear();
    bar.ActOnScrollBar(WidgetProbe::BarAction::PageBack);
    EXPECT_EQ(log.With("W:VScroll"), (std::vector<std::string>{"W:VScroll 2 0", "W:VScroll 8 0"}));
    w.DestroyWindow();
}

} // namespace
