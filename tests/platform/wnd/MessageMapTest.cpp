// Message maps: handlers get decoded arguments, derived maps override and
// inherit, and unhandled messages take the default processing.
#include "WndTestSupport.h"

#include <gtest/gtest.h>

namespace {

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreatePopup(100, 100, 200, 150));
        AfxTestProcessEvents();
        log.Clear();
    }
    void TearDown() override { wnd.DestroyWindow(); }

    CallLog log;
    RecordingWnd wnd{log, "W"};
};

struct DecodeCase {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* expected;
};

TEST_F(MessageMapTest, HandlersReceiveTheDecodedArguments)
{
    const DecodeCase cases[] = {
        {"size type and client size", WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), "W:Size 2 640 480"},
        {"move is signed", WM_MOVE, 0, MAKELPARAM(-5, -7), "W:Move -5 -7"},
        {"button flags and signed point", WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-3, 40),
         "W:LButtonDown 5 -3 40"},
        {"double click", WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 8), "W:LButtonDblClk 1 7 8"},
        {"wheel delta is signed", WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)(short)-240), MAKELPARAM(300, 310),
         "W:MouseWheel 8 -240 300 310"},
        {"key code, repeat count and flags", WM_KEYDOWN, VK_LEFT, 0x014B0003, "W:KeyDown 37 3 014b"},
        {"character", WM_CHAR, 'x', 1, "W:Char 120 1"},
        {"timer id", WM_TIMER, 42, 0, "W:Timer 42"},
        {"capture change names the new window in lParam", WM_CAPTURECHANGED, 1, 0, "W:CaptureChanged none"},
        {"scroll code and thumb position", WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 17), 0, "W:VScroll 5 17"},
        {"show", WM_SHOWWINDOW, FALSE, 0, "W:ShowWindow 0"},
    };
    for (const DecodeCase& c : cases) {
        log.Clear();
        wnd.SendMessage(c.message, c.wParam, c.lParam);
        ASSERT_EQ(log.lines.size(), 1u) << c.what;
        EXPECT_EQ(log.lines[0], c.expected) << c.what;
    }
}

// A derived map overrides its base's entry and inherits the others.
UINT g_registered = RegisterWindowMessage("KvTestRegisteredMessage");

class BaseWnd : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    afx_msg void OnSize(UINT, int cx, int) { calls.push_back("base size " + std::to_string(cx)); }
    afx_msg LRESULT OnApp(WPARAM wParam, LPARAM) { calls.push_back("base app"); return (LRESULT)wParam * 2; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_WM_SIZE()
    ON_MESSAGE(WM_APP + 1, OnApp)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
protected:
    afx_msg void OnSize(UINT, int cx, int) { calls.push_back("derived size " + std::to_string(cx)); }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM lParam) { calls.push_back("registered"); return lParam + 1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    ON_WM_SIZE()
    ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntriesWinAndBaseEntriesAreInherited)
{
    DerivedWnd w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    w.calls.clear();
    w.SendMessage(WM_SIZE, 0, MAKELPARAM(33, 44));
    EXPECT_EQ(w.SendMessage(WM_APP + 1, 21, 0), 42);
    EXPECT_EQ(w.SendMessage(g_registered, 0, 9), 10);
    // No entry: the default procedure answers.
    EXPECT_EQ(w.SendMessage(WM_APP + 2, 5, 5), 0);
    EXPECT_EQ(w.calls, (std::vector<std::string>{"derived size 33", "base app", "registered"}));
    EXPECT_NE(g_registered, 0u);
    EXPECT_EQ(RegisterWindowMessage("KvTestRegisteredMessage"), g_registered);
    w.DestroyWindow();
}

TEST_F(MessageMapTest, UnhandledMessagesTakeTheDefaultProcessing)
{
    wnd.SetWindowText("Title text");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, "Title text");
    EXPECT_EQ(wnd.GetWindowTextLength(), 10);
    char small[6];
    EXPECT_EQ(wnd.GetWindowText(small, sizeof(small)), 5);
    EXPECT_STREQ(small, "Title");
}

} // namespace
