// Qt input becomes the mouse and key messages of the class library.
#include "WndTestSupport.h"

#include <gtest/gtest.h>

namespace {

class InputTest : public ::testing::Test {
protected:
    void Open(UINT classStyle = CS_DBLCLKS)
    {
        ASSERT_TRUE(wnd.CreatePopup(40, 30, 300, 200, classStyle));
        AfxTestProcessEvents();
        log.Clear();
    }
    void TearDown() override
    {
        ::ReleaseCapture();
        if (wnd.GetSafeHwnd())
            wnd.DestroyWindow();
    }
    std::vector<std::string> Mouse() const
    {
        std::vector<std::string> out;
        for (const std::string& l : log.lines)
            if (l.find("Button") != std::string::npos || l.find("MouseMove") != std::string::npos)
                out.push_back(l);
        return out;
    }

    CallLog log;
    RecordingWnd wnd{log, "W"};
};

TEST_F(InputTest, ButtonsCarryKeyFlagsAndClientCoordinates)
{
    Open();
    const HWND h = wnd.GetSafeHwnd();
    AfxTestMouse(h, WM_MOUSEMOVE, 3, 4);
    AfxTestMouse(h, WM_LBUTTONDOWN, 10, 20, MK_LBUTTON | MK_SHIFT);
    AfxTestMouse(h, WM_MOUSEMOVE, 12, 22, MK_LBUTTON | MK_CONTROL);
    AfxTestMouse(h, WM_LBUTTONUP, 12, 22, MK_SHIFT);
    AfxTestMouse(h, WM_RBUTTONDOWN, 1, 2, MK_RBUTTON);
    AfxTestMouse(h, WM_MBUTTONDOWN, 1, 2, MK_MBUTTON);
    EXPECT_EQ(Mouse(), (std::vector<std::string>{"W:MouseMove 0 3 4", "W:LButtonDown 5 10 20",
                                                 "W:MouseMove 9 12 22", "W:LButtonUp 4 12 22",
                                                 "W:RButtonDown 2 1 2", "W:MButtonDown 16 1 2"}));
}

struct DoubleClickCase {
    UINT classStyle;
    const char* secondPress;
};

class DoubleClickTest : public InputTest, public ::testing::WithParamInterface<DoubleClickCase> {};

TEST_P(DoubleClickTest, SecondClickDependsOnTheClassStyle)
{
    Open(GetParam().classStyle);
    const HWND h = wnd.GetSafeHwnd();
    AfxTestMouse(h, WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
    AfxTestMouse(h, WM_LBUTTONUP, 5, 6);
    AfxTestMouse(h, WM_LBUTTONDBLCLK, 5, 6, MK_LBUTTON);
    AfxTestMouse(h, WM_LBUTTONUP, 5, 6);
    EXPECT_EQ(Mouse(), (std::vector<std::string>{"W:LButtonDown 1 5 6", "W:LButtonUp 0 5 6",
                                                 std::string("W:") + GetParam().secondPress + " 1 5 6",
                                                 "W:LButtonUp 0 5 6"}));
}

INSTANTIATE_TEST_SUITE_P(ClassStyles, DoubleClickTest,
                         ::testing::Values(DoubleClickCase{CS_DBLCLKS, "LButtonDblClk"},
                                           DoubleClickCase{0, "LButtonDown"}));

TEST_F(InputTest, CaptureHoldsAcrossButtonUpUntilReleased)
{
    Open();
    CallLog otherLog;
    RecordingWnd other(otherLog, "O");
    ASSERT_TRUE(other.CreatePopup(400, 330, 100, 100));
    AfxTestProcessEvents();
    log.Clear();
    otherLog.Clear();

    wnd.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &wnd);
    // Input over the other window reaches the captured one, in its own client coordinates.
    AfxTestMouse(other.GetSafeHwnd(), WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
    AfxTestMouse(other.GetSafeHwnd(), WM_LBUTTONUP, 5, 6);
    AfxTestMouse(other.GetSafeHwnd(), WM_MOUSEMOVE, 7, 8);
    EXPECT_EQ(Mouse(), (std::vector<std::string>{"W:LButtonDown 1 365 306", "W:LButtonUp 0 365 306",
                                                 "W:MouseMove 0 367 308"}));
    EXPECT_TRUE(otherLog.With("O:").empty());
    EXPECT_EQ(CWnd::GetCapture(), &wnd);

    other.SetCapture();
    EXPECT_EQ(log.Count("W:CaptureChanged other"), 1);
    ReleaseCapture();
    EXPECT_EQ(otherLog.Count("O:CaptureChanged none"), 1);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    log.Clear();
    AfxTestMouse(other.GetSafeHwnd(), WM_MOUSEMOVE, 9, 9);
    EXPECT_TRUE(Mouse().empty());
    EXPECT_EQ(otherLog.Count("O:MouseMove 0 9 9"), 1);
    other.DestroyWindow();
}

TEST_F(InputTest, KeysArriveAsKeyDownThenCharThenKeyUp)
{
    Open();
    const HWND h = wnd.GetSafeHwnd();
    AfxTestKeyStroke(h, 'A', "a");
    AfxTestKeyStroke(h, VK_ESCAPE);            // Escape types 27 even without text
    AfxTestKeyStroke(h, VK_DELETE, "\x7f");    // Delete types nothing
    AfxTestKeyStroke(h, 'C', nullptr, MK_CONTROL);
    std::vector<std::string> keys;
    for (const std::string& l : log.lines)
        if (l.find("Key") != std::string::npos || l.find("Char") != std::string::npos)
            keys.push_back(l);
    EXPECT_EQ(keys, (std::vector<std::string>{"W:KeyDown 65 1 0000", "W:Char 97 1", "W:KeyUp 65 1 c000",
                                              "W:KeyDown 27 1 0000", "W:Char 27 1", "W:KeyUp 27 1 c000",
                                              "W:KeyDown 46 1 0100", "W:KeyUp 46 1 c100",
                                              "W:KeyDown 67 1 0000", "W:Char 3 1", "W:KeyUp 67 1 c000"}));
}

class EatingWnd : public RecordingWnd {
public:
    using RecordingWnd::RecordingWnd;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB) {
            m_log.Add("%s:PreTranslate tab", m_name.c_str());
            return TRUE;
        }
        return FALSE;
    }
};

TEST(Input, PreTranslateMessageOfAParentCanEatAChildsKeyBeforeItTypes)
{
    CallLog log;
    EatingWnd parent(log, "P");
    RecordingWnd child(log, "C");
    ASSERT_TRUE(parent.CreatePopup(10, 10, 200, 200));
    ASSERT_TRUE(child.CreateChild(&parent, CRect(10, 10, 100, 100), 5));
    AfxTestProcessEvents();
    log.Clear();
    AfxTestKeyStroke(child.GetSafeHwnd(), VK_TAB, "\t");
    AfxTestKeyStroke(child.GetSafeHwnd(), 'B', "b");
    EXPECT_EQ(log.Count("P:PreTranslate tab"), 1);
    EXPECT_EQ(log.Count("C:KeyDown 9 "), 0);
    EXPECT_EQ(log.Count("C:Char 9 "), 0); // an eaten key-down types nothing
    EXPECT_EQ(log.Count("C:KeyUp 9 "), 1);
    EXPECT_EQ(log.Count("C:Char 98"), 1);
    parent.DestroyWindow();
}

TEST(Input, WheelAndContextMenuPassFromChildToParent)
{
    CallLog log;
    RecordingWnd parent(log, "P");
    ASSERT_TRUE(parent.CreatePopup(100, 50, 200, 200));
    CWnd plain;
    ASSERT_TRUE(plain.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(20, 30, 120, 130), &parent, 7));
    AfxTestProcessEvents();
    log.Clear();
    const HWND h = plain.GetSafeHwnd();
    AfxTestWheel(h, 5, 6, -120, MK_SHIFT);
    // The wheel carries screen coordinates; the context menu comes from the right button's release.
    AfxTestMouse(h, WM_RBUTTONDOWN, 5, 6, MK_RBUTTON);
    AfxTestMouse(h, WM_RBUTTONUP, 5, 6);
    EXPECT_EQ(log.With("P:MouseWheel"), (std::vector<std::string>{"P:MouseWheel 4 -120 125 86"}));
    EXPECT_EQ(log.With("P:ContextMenu"), (std::vector<std::string>{"P:ContextMenu child 125 86"}));
    EXPECT_EQ(log.Count("P:RButton"), 0);
    parent.DestroyWindow();
}

TEST_F(InputTest, DisabledWindowGetsNoInput)
{
    Open();
    wnd.EnableWindow(FALSE);
    EXPECT_FALSE(wnd.IsWindowEnabled());
    EXPECT_EQ(log.Count("W:KillFocus"), 1); // a disabled window loses the focus
    log.Clear();
    AfxTestMouse(wnd.GetSafeHwnd(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    AfxTestKeyStroke(wnd.GetSafeHwnd(), 'X', "x");
    EXPECT_TRUE(log.lines.empty());
    wnd.EnableWindow(TRUE);
    AfxTestMouse(wnd.GetSafeHwnd(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_EQ(log.Count("W:LButtonDown"), 1);
}

TEST(Input, SetFocusTellsTheOldAndTheNewWindow)
{
    CallLog log;
    RecordingWnd parent(log, "P");
    RecordingWnd a(log, "A");
    RecordingWnd b(log, "B");
    ASSERT_TRUE(parent.CreatePopup(10, 10, 200, 200));
    ASSERT_TRUE(a.CreateChild(&parent, CRect(0, 0, 50, 50), 1));
    ASSERT_TRUE(b.CreateChild(&parent, CRect(60, 0, 110, 50), 2));
    AfxTestProcessEvents();
    a.SetFocus();
    log.Clear();
    EXPECT_EQ(b.SetFocus(), &a);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"A:KillFocus other", "B:SetFocus other"}));
    EXPECT_EQ(CWnd::GetFocus(), &b);
    // Keys go to the window with the focus.
    AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), 'Q', "q");
    EXPECT_EQ(log.Count("B:Char 113"), 1);
    parent.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
}

// A window that keeps the activation messages it receives.
class ActivationLog : public CWnd {
public:
    ActivationLog(std::vector<std::string>& log, std::string name) : m_log(log), m_name(std::move(name)) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ACTIVATE)
            m_log.push_back(m_name + (LOWORD(wParam) == WA_INACTIVE ? ":inactive" : ":active"));
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

TEST(Input, ActivationMovingToAnotherWindowDeactivatesTheOldOneFirst)
{
    std::vector<std::string> log;
    ActivationLog a(log, "A"), b(log, "B");
    ASSERT_TRUE(a.CreateEx(0, AfxRegisterWndClass(0), "A", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr));
    AfxTestProcessEvents();
    a.SetFocus();
    AfxTestProcessEvents();
    ASSERT_EQ(CWnd::GetActiveWindow(), &a);
    log.clear();
    ASSERT_TRUE(b.CreateEx(0, AfxRegisterWndClass(0), "B", WS_POPUP | WS_VISIBLE, 80, 10, 50, 50, nullptr, nullptr));
    b.SetFocus();
    AfxTestProcessEvents();
    EXPECT_EQ(CWnd::GetActiveWindow(), &b);
    EXPECT_EQ(log, (std::vector<std::string>{"A:inactive", "B:active"}));
}

} // namespace
