// Creation, destruction, subclassing, window relations and geometry.
#include "WndTestSupport.h"

#include "platform/wnd/CWinThread.h"

#include <gtest/gtest.h>

namespace {

TEST(Lifecycle, DestroyReachesChildrenBetweenTheParentsDestroyAndNcDestroy)
{
    CallLog log;
    RecordingWnd parent(log, "P");
    RecordingWnd child(log, "C");
    RecordingWnd grandchild(log, "G");
    ASSERT_TRUE(parent.CreatePopup(0, 0, 100, 100));
    ASSERT_TRUE(child.CreateChild(&parent, CRect(0, 0, 50, 50), 1));
    ASSERT_TRUE(grandchild.CreateChild(&child, CRect(0, 0, 20, 20), 2));
    const HWND h = parent.GetSafeHwnd();
    log.Clear();
    parent.DestroyWindow();
    std::vector<std::string> order;
    for (const std::string& l : log.lines)
        if (l.find("Destroy") != std::string::npos)
            order.push_back(l);
    EXPECT_EQ(order, (std::vector<std::string>{"P:Destroy", "C:Destroy", "G:Destroy", "G:NcDestroy",
                                               "G:PostNcDestroy", "C:NcDestroy", "C:PostNcDestroy",
                                               "P:NcDestroy", "P:PostNcDestroy"}));
    EXPECT_EQ(parent.GetSafeHwnd(), nullptr);
    EXPECT_EQ(grandchild.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(IsWindow(h));
    AfxTestProcessEvents();
}

TEST(Lifecycle, FailedCreationCleansUp)
{
    CallLog log;
    RecordingWnd w(log, "W");
    w.m_createResult = -1;
    EXPECT_FALSE(w.CreatePopup(0, 0, 10, 10));
    EXPECT_EQ(w.GetSafeHwnd(), nullptr);
    EXPECT_EQ(log.Count("W:PostNcDestroy"), 1);
    CWnd unknown;
    EXPECT_FALSE(unknown.CreateEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(unknown.GetSafeHwnd(), nullptr);
}

class DestroyOnClickWnd : public RecordingWnd {
public:
    using RecordingWnd::RecordingWnd;

protected:
    afx_msg void OnLButtonDown(UINT, CPoint)
    {
        Log("destroying");
        DestroyWindow(); // deletes this object on the way
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DestroyOnClickWnd, RecordingWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

TEST(Lifecycle, WindowsThatDeleteThemselvesMayDoSoWhileHandlingInput)
{
    CallLog log;
    bool deleted = false;
    auto* w = new DestroyOnClickWnd(log, "D");
    w->m_deleteOnNcDestroy = true;
    w->m_deleted = &deleted;
    ASSERT_TRUE(w->CreatePopup(0, 0, 50, 50));
    const HWND h = w->GetSafeHwnd();
    AfxTestMouse(h, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(h));
    AfxTestMouse(h, WM_LBUTTONUP, 5, 5); // a stale handle reaches nothing
    AfxTestProcessEvents();
    EXPECT_EQ(log.Count("D:destroying"), 1);

    // WM_CLOSE destroys by default.
    deleted = false;
    auto* closing = new RecordingWnd(log, "X");
    closing->m_deleteOnNcDestroy = true;
    closing->m_deleted = &deleted;
    ASSERT_TRUE(closing->CreatePopup(0, 0, 50, 50));
    closing->SendMessage(WM_CLOSE);
    EXPECT_TRUE(deleted);
}

TEST(Lifecycle, MainWindowDestructionEndsTheMessageLoop)
{
    CWinThread app;
    CallLog log;
    RecordingWnd frame(log, "F");
    ASSERT_TRUE(frame.CreatePopup(0, 0, 50, 50));
    app.m_pMainWnd = &frame;
    EXPECT_EQ(AfxGetMainWnd(), &frame);
    frame.DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(AfxIsQuitPending());
    EXPECT_FALSE(app.PumpMessage());
    EXPECT_FALSE(AfxIsQuitPending());
}

// A window of a class with a procedure of its own, taken over by a CWnd.
std::vector<UINT> g_procMessages;
LRESULT ClassProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER || message == WM_APP)
        g_procMessages.push_back(message);
    return ::DefWindowProc(h, message, wParam, lParam);
}

class Subclasser : public RecordingWnd {
public:
    using RecordingWnd::RecordingWnd;
    bool presubclassed = false;

protected:
    void PreSubclassWindow() override { presubclassed = GetSafeHwnd() != nullptr; }
};

TEST(Lifecycle, SubclassingPutsTheMessageMapBeforeTheWindowsOwnProcedure)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = ClassProc;
    wc.lpszClassName = "KvTestControlClass";
    ASSERT_NE(RegisterClass(&wc), 0);
    HWND h = CreateWindowEx(0, "KvTestControlClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    CWnd* temporary = CWnd::FromHandle(h);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->GetSafeHwnd(), h);
    EXPECT_EQ(CWnd::FromHandle(h), temporary);

    CallLog log;
    Subclasser w(log, "S");
    ASSERT_TRUE(w.SubclassWindow(h));
    EXPECT_TRUE(w.presubclassed);
    EXPECT_EQ(CWnd::FromHandle(h), &w);
    g_procMessages.clear();
    ::SendMessage(h, WM_TIMER, 4, 0);
    ::SendMessage(h, WM_APP, 0, 0);
    EXPECT_EQ(log.Count("S:Timer 4"), 1);
    EXPECT_EQ(g_procMessages, (std::vector<UINT>{WM_TIMER, WM_APP})); // the default went on to the class procedure
    EXPECT_EQ(w.UnsubclassWindow(), h);
    log.Clear();
    ::SendMessage(h, WM_TIMER, 5, 0);
    EXPECT_TRUE(log.lines.empty());
    DestroyWindow(h);
    UnregisterClass("KvTestControlClass", nullptr);
}

TEST(Windows, ParentsOwnersAndChildren)
{
    CallLog log;
    RecordingWnd frame(log, "F");
    ASSERT_TRUE(frame.CreatePopup(100, 100, 300, 200, CS_DBLCLKS, nullptr, WS_POPUP | WS_CAPTION));
    RecordingWnd a(log, "A"), b(log, "B"), inner(log, "I");
    ASSERT_TRUE(a.CreateChild(&frame, CRect(0, 0, 50, 50), 11));
    ASSERT_TRUE(b.CreateChild(&frame, CRect(60, 0, 110, 50), 12));
    ASSERT_TRUE(inner.CreateChild(&b, CRect(0, 0, 10, 10), 13));
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, frame.GetSafeHwnd(), nullptr));

    EXPECT_EQ(frame.GetDlgItem(12), &b);
    EXPECT_EQ(frame.GetDlgItem(13), nullptr); // only direct children
    EXPECT_EQ(inner.GetDlgCtrlID(), 13);
    EXPECT_EQ(frame.GetWindow(GW_CHILD), &a); // creation order
    EXPECT_EQ(a.GetNextWindow(), &b);
    EXPECT_EQ(b.GetNextWindow(), nullptr);
    a.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(frame.GetWindow(GW_CHILD), &b);
    EXPECT_EQ(b.GetNextWindow(), &a);
    popup.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(popup.GetExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(frame.IsChild(&inner));
    EXPECT_FALSE(frame.IsChild(&popup));
    EXPECT_EQ(inner.GetParent(), &b);
    EXPECT_EQ(inner.GetParentOwner(), &frame);
    EXPECT_EQ(popup.GetParent(), &frame); // a popup's parent is its owner
    EXPECT_EQ(popup.GetWindow(GW_OWNER), &frame);
    EXPECT_EQ(popup.GetTopLevelParent(), &frame);
    EXPECT_EQ(inner.GetOwner(), &b);
    inner.SetOwner(&a);
    EXPECT_EQ(inner.GetOwner(), &a);
    EXPECT_EQ(frame.GetStyle() & WS_CAPTION, (DWORD)WS_CAPTION);
    EXPECT_TRUE(frame.ModifyStyle(WS_CAPTION, WS_BORDER));
    EXPECT_FALSE(frame.ModifyStyle(0, WS_BORDER));
    frame.DestroyWindow();
    EXPECT_EQ(popup.GetSafeHwnd(), nullptr); // owned windows go with their owner
}

TEST(Windows, GeometryOfBorderedChildren)
{
    CallLog log;
    RecordingWnd parent(log, "P");
    RecordingWnd child(log, "C");
    ASSERT_TRUE(parent.CreatePopup(100, 50, 300, 200));
    ASSERT_TRUE(child.CreateChild(&parent, CRect(10, 20, 110, 70), 1, 0, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER));
    CRect client, window;
    child.GetClientRect(&client);
    child.GetWindowRect(&window);
    EXPECT_EQ(client, CRect(0, 0, 98, 48));
    EXPECT_EQ(window, CRect(110, 70, 210, 120));
    CPoint p(0, 0);
    child.ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(111, 71));
    child.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(0, 0));
    log.Clear();
    child.MoveWindow(0, 0, 52, 32);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"C:Size 0 50 30", "C:Move 1 1"}));
    log.Clear();
    child.SetWindowPos(nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"C:Move 6 6"}));
    parent.DestroyWindow();
}

TEST(Windows, ScrollBarsTakeTheirRoomAndReportActions)
{
    CallLog log;
    RecordingWnd w(log, "W");
    ASSERT_TRUE(w.CreatePopup(0, 0, 200, 100, 0, nullptr, WS_POPUP | WS_VISIBLE | WS_VSCROLL));
    CRect client;
    w.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 200 - GetSystemMetrics(SM_CXVSCROLL));
    w.SetScrollRange(SB_VERT, 0, 10);
    EXPECT_EQ(w.SetScrollPos(SB_VERT, 25), 0);
    EXPECT_EQ(w.GetScrollPos(SB_VERT), 10);
    // An empty range hides the bar and gives its room back to the client area.
    log.Clear();
    w.SetScrollRange(SB_VERT, 0, 0);
    w.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 200);
    EXPECT_EQ(w.GetStyle() & WS_VSCROLL, 0u);
    EXPECT_EQ(log.With("W:Size"), (std::vector<std::string>{"W:Size 0 200 100"}));
    w.DestroyWindow();
}

} // namespace
