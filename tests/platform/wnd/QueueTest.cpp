// The message queue: posting, sending, pumping, quitting and timers.
#include "WndTestSupport.h"

#include <gtest/gtest.h>

namespace {

class AppMessageWnd : public CWnd {
public:
    std::vector<int> received;

protected:
    afx_msg LRESULT OnApp(WPARAM wParam, LPARAM)
    {
        received.push_back((int)wParam);
        return (LRESULT)wParam + 100;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(AppMessageWnd, CWnd)
    ON_MESSAGE(WM_APP, OnApp)
END_MESSAGE_MAP()

class QueueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    }
    void TearDown() override
    {
        if (wnd.GetSafeHwnd())
            wnd.DestroyWindow();
        AfxTestProcessEvents();
    }
    AppMessageWnd wnd;
};

TEST_F(QueueTest, PostMessageWaitsForTheLoopWhileSendMessageIsImmediate)
{
    EXPECT_TRUE(wnd.PostMessage(WM_APP, 1));
    EXPECT_TRUE(wnd.PostMessage(WM_APP, 2));
    EXPECT_TRUE(wnd.received.empty());
    EXPECT_EQ(wnd.SendMessage(WM_APP, 3), 103);
    EXPECT_EQ(wnd.received, (std::vector<int>{3}));
    AfxTestProcessEvents();
    EXPECT_EQ(wnd.received, (std::vector<int>{3, 1, 2}));
}

TEST_F(QueueTest, MessagesPostedToADestroyedWindowAreDropped)
{
    AppMessageWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    const HWND h = other.GetSafeHwnd();
    other.PostMessage(WM_APP, 7);
    other.DestroyWindow();
    AfxTestProcessEvents();
    EXPECT_TRUE(other.received.empty());
    EXPECT_FALSE(::PostMessage(h, WM_APP, 8, 0));
}

TEST_F(QueueTest, APumpSeesQueuedMessagesAndEndsOnQuit)
{
    wnd.PostMessage(WM_APP, 1);
    PostQuitMessage(3);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_APP);
    EXPECT_EQ(msg.hwnd, wnd.GetSafeHwnd());
    EXPECT_TRUE(wnd.received.empty());
    // The quit comes only after the messages before it.
    EXPECT_TRUE(AfxPumpMessage());
    EXPECT_EQ(wnd.received, (std::vector<int>{1}));
    EXPECT_TRUE(AfxIsQuitPending());
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(AfxPumpMessage());
    EXPECT_FALSE(AfxIsQuitPending());
}

HWND g_typeInto = nullptr;
void TypeEscape(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    AfxTestKeyStroke(g_typeInto, VK_ESCAPE, "\x1b");
}

// The progress window's loop: peek without removing, look for a typed Escape, pump.
TEST_F(QueueTest, KeysTypedWhileAPumpPeeksWaitInTheQueue)
{
    CallLog log;
    RecordingWnd target(log, "T");
    ASSERT_TRUE(target.CreatePopup(0, 0, 50, 50));
    AfxTestProcessEvents();
    log.Clear();
    g_typeInto = target.GetSafeHwnd();
    ASSERT_NE(SetTimer(nullptr, 0, 10, TypeEscape), 0u);
    bool sawEscape = false;
    for (int i = 0; i < 2000 && !sawEscape; ++i) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_CHAR && msg.wParam == 27) {
                sawEscape = true;
                EXPECT_EQ(log.Count("T:KeyDown 27"), 1); // the key-down went before its character
                EXPECT_EQ(log.Count("T:Char"), 0);
            }
            ASSERT_TRUE(AfxPumpMessage());
        }
        if (!sawEscape)
            WaitMessage(); // pumps Qt without dispatching: input waits in the queue
    }
    EXPECT_TRUE(sawEscape);
    EXPECT_EQ(log.Count("T:Char 27"), 1);
    target.DestroyWindow();
}

TEST(Timers, TimerMessagesRepeatUntilKilled)
{
    CallLog log;
    RecordingWnd w(log, "W");
    ASSERT_TRUE(w.CreatePopup(0, 0, 20, 20));
    EXPECT_EQ(w.SetTimer(7, 20), 7u);
    AfxTestRunFor(150);
    const int fired = log.Count("W:Timer 7");
    EXPECT_GE(fired, 2);
    EXPECT_TRUE(w.KillTimer(7));
    EXPECT_FALSE(w.KillTimer(7));
    AfxTestRunFor(60);
    EXPECT_EQ(log.Count("W:Timer 7"), fired);
    // Destroying the window ends its timers.
    w.SetTimer(8, 10);
    w.DestroyWindow();
    AfxTestRunFor(40);
    EXPECT_EQ(log.Count("W:Timer 8"), 0);
}

TEST(Timers, SettingATimerAgainRestartsIt)
{
    CallLog log;
    RecordingWnd w(log, "W");
    ASSERT_TRUE(w.CreatePopup(0, 0, 20, 20));
    w.SetTimer(1, 1000);
    w.SetTimer(1, 10);
    AfxTestRunFor(80);
    EXPECT_GE(log.Count("W:Timer 1"), 1);
    w.DestroyWindow();
}

} // namespace
