// Command routing, command updates, menus and notifications reflected to controls.
#include "WndTestSupport.h"

#include "platform/wnd/CMenu.h"
#include "platform/wnd/CWinThread.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> g_calls;

// The routing of the class library: view, document, frame, application.
class TestDoc : public CCmdTarget {
protected:
    afx_msg void OnShared() { g_calls.push_back("doc shared"); }
    afx_msg void OnDocOnly() { g_calls.push_back("doc only"); }
    afx_msg void OnUpdateDocOnly(CCmdUI* ui) { ui->SetCheck(1); }
    afx_msg void OnDisabled() { g_calls.push_back("disabled command ran"); }
    afx_msg void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDoc, CCmdTarget)
    ON_COMMAND(100, OnShared)
    ON_COMMAND(101, OnDocOnly)
    ON_UPDATE_COMMAND_UI(101, OnUpdateDocOnly)
    ON_COMMAND(105, OnDisabled)
    ON_UPDATE_COMMAND_UI(105, OnUpdateDisabled)
END_MESSAGE_MAP()

class TestView : public CWnd {
public:
    TestDoc* m_doc = nullptr;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        if (CWnd::OnCmdMsg(nID, nCode, pExtra, pInfo))
            return TRUE;
        return m_doc && m_doc->OnCmdMsg(nID, nCode, pExtra, pInfo);
    }

protected:
    afx_msg void OnShared() { g_calls.push_back("view shared"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestView, CWnd)
    ON_COMMAND(100, OnShared)
END_MESSAGE_MAP()

class TestFrame : public CWnd {
public:
    TestView* m_view = nullptr;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        if (m_view && m_view->OnCmdMsg(nID, nCode, pExtra, pInfo))
            return TRUE;
        if (CWnd::OnCmdMsg(nID, nCode, pExtra, pInfo))
            return TRUE;
        CWinThread* app = AfxGetThread();
        return app && app->OnCmdMsg(nID, nCode, pExtra, pInfo);
    }

protected:
    afx_msg void OnFrame() { g_calls.push_back("frame"); }
    afx_msg void OnRange(UINT id) { g_calls.push_back("range " + std::to_string(id)); }
    afx_msg void OnUpdateRange(CCmdUI* ui) { ui->SetText(("Item " + std::to_string(ui->m_nID)).c_str()); }
    afx_msg void OnInitMenuPopup(CMenu* popup, UINT, BOOL sysMenu)
    {
        if (!sysMenu)
            AfxUpdateMenuCmdUI(this, popup, TRUE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestFrame, CWnd)
    ON_COMMAND(102, OnFrame)
    ON_COMMAND_RANGE(110, 119, OnRange)
    ON_UPDATE_COMMAND_UI_RANGE(110, 119, OnUpdateRange)
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

class TestApp : public CWinThread {
protected:
    afx_msg void OnAppCommand() { g_calls.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinThread)
    ON_COMMAND(103, OnAppCommand)
END_MESSAGE_MAP()

class RoutingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls.clear();
        ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
        ASSERT_TRUE(view.Create(nullptr, "", WS_CHILD, CRect(0, 0, 50, 50), &frame, 1));
        view.m_doc = &doc;
        frame.m_view = &view;
    }
    void TearDown() override
    {
        AfxSetPopupMenuHandler(nullptr);
        frame.DestroyWindow();
        AfxTestProcessEvents();
    }
    void Command(UINT id) { frame.SendMessage(WM_COMMAND, id, 0); }

    TestApp app;
    TestDoc doc;
    TestView view;
    TestFrame frame;
};

TEST_F(RoutingTest, CommandsReachTheFirstTargetWithAHandler)
{
    for (UINT id : {100u, 101u, 102u, 103u, 104u, 105u, 112u})
        Command(id);
    // 104 has no handler; 105 is disabled by its update handler and does not run.
    EXPECT_EQ(g_calls, (std::vector<std::string>{"view shared", "doc only", "frame", "app", "range 112"}));
}

TEST_F(RoutingTest, PopupItemsAreUpdatedBeforeTheyShow)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    CMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, 102, "Frame");
    menu.AppendMenu(MF_STRING, 100, "Shared");
    menu.AppendMenu(MF_STRING, 101, "Checked");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, 104, "No handler");
    menu.AppendMenu(MF_STRING, 105, "Disabled");
    menu.AppendMenu(MF_STRING, 112, "Old text");
    menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "More");
    frame.SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.GetSafeHmenu(), MAKELPARAM(0, FALSE));
    EXPECT_EQ(menu.GetMenuState(100, MF_BYCOMMAND), MF_STRING);
    EXPECT_EQ(menu.GetMenuState(101, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(menu.GetMenuState(104, MF_BYCOMMAND), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(menu.GetMenuState(105, MF_BYCOMMAND), MF_GRAYED | MF_DISABLED);
    CString text;
    menu.GetMenuString(5, text, MF_BYPOSITION);
    EXPECT_EQ(text, "Item 112");
    EXPECT_EQ(menu.GetMenuState(6, MF_BYPOSITION) & 0xFF, MF_POPUP);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(RoutingTest, TrackedPopupPostsTheChosenCommandToItsOwner)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 101, "Checked");
    menu.AppendMenu(MF_STRING, 104, "No handler");
    UINT checkedWhenShown = 0;
    HWND owner = nullptr;
    AfxSetPopupMenuHandler([&](const PopupMenuRequest& r) {
        owner = r.owner;
        checkedWhenShown = ::GetMenuState(r.menu, 101, MF_BYCOMMAND) & MF_CHECKED;
        return 101u;
    });
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, 10, 10, &frame));
    EXPECT_EQ(owner, frame.GetSafeHwnd());
    EXPECT_EQ(checkedWhenShown, MF_CHECKED);
    EXPECT_TRUE(g_calls.empty()); // posted, not sent
    AfxTestProcessEvents();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"doc only"}));

    // A disabled item cannot be chosen.
    AfxSetPopupMenuHandler([](const PopupMenuRequest&) { return 104u; });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &frame), 0);
}

// ---------------------------------------------------------------- reflection

class ReflectingControl : public CWnd {
public:
    CBrush m_brush;
    BOOL m_continue = FALSE;

protected:
    afx_msg void OnClicked() { g_calls.push_back("control clicked"); }
    afx_msg BOOL OnNotifyReflect(NMHDR*, LRESULT* result)
    {
        g_calls.push_back("control notify");
        *result = 5;
        return !m_continue;
    }
    afx_msg HBRUSH CtlColor(CDC* dc, UINT ctlColor)
    {
        g_calls.push_back("control colour " + std::to_string(ctlColor));
        dc->SetTextColor(RGB(1, 2, 3));
        return (HBRUSH)m_brush.GetSafeHandle();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingControl, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_NOTIFY_REFLECT_EX(100, OnNotifyReflect)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

struct MapNotify {
    NMHDR hdr;
    int action;
    void* object;
    int value;
};

class ParentWnd : public CWnd {
protected:
    afx_msg void OnClicked10() { g_calls.push_back("parent clicked 10"); }
    afx_msg void OnClicked11() { g_calls.push_back("parent clicked 11"); }
    afx_msg void OnChange11() { g_calls.push_back("parent change 11"); }
    afx_msg void OnMapNotify(NMHDR* hdr, LRESULT* result)
    {
        const MapNotify* n = reinterpret_cast<const MapNotify*>(hdr);
        g_calls.push_back("parent notify " + std::to_string(n->action) + " " + std::to_string(n->value));
        *result = 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ParentWnd, CWnd)
    ON_BN_CLICKED(10, OnClicked10)
    ON_BN_CLICKED(11, OnClicked11)
    ON_EN_CHANGE(11, OnChange11)
    ON_NOTIFY(100, 200, OnMapNotify)
END_MESSAGE_MAP()

class ReflectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls.clear();
        const LPCTSTR cls = AfxRegisterWndClass(0);
        ASSERT_TRUE(parent.CreateEx(0, cls, "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
        ASSERT_TRUE(reflecting.Create(cls, "", WS_CHILD, CRect(0, 0, 20, 20), &parent, 10));
        ASSERT_TRUE(plain.Create(cls, "", WS_CHILD, CRect(30, 0, 50, 20), &parent, 11));
        ASSERT_TRUE(map.Create(cls, "", WS_CHILD, CRect(60, 0, 80, 20), &parent, 200));
        ASSERT_TRUE(reflecting.m_brush.CreateSolidBrush(RGB(9, 9, 9)));
    }
    void TearDown() override { parent.DestroyWindow(); }
    LRESULT Notify(UINT code, HWND from)
    {
        MapNotify n{{from, (UINT_PTR)::GetDlgCtrlID(from), code}, 302, nullptr, 4};
        return parent.SendMessage(WM_NOTIFY, n.hdr.idFrom, (LPARAM)&n);
    }

    ParentWnd parent;
    ReflectingControl reflecting;
    CWnd plain;
    ReflectingControl map;
};

TEST_F(ReflectionTest, AControlHandlesItsOwnNotificationFirst)
{
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), (LPARAM)reflecting.GetSafeHwnd());
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), (LPARAM)plain.GetSafeHwnd());
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(11, EN_CHANGE), (LPARAM)plain.GetSafeHwnd());
    EXPECT_EQ(g_calls, (std::vector<std::string>{"control clicked", "parent clicked 11", "parent change 11"}));
}

TEST_F(ReflectionTest, NotificationsReachTheParentUnlessTheControlEndsThem)
{
    EXPECT_EQ(Notify(100, map.GetSafeHwnd()), 5); // the reflected handler ends the notification
    map.m_continue = TRUE;
    EXPECT_EQ(Notify(100, map.GetSafeHwnd()), 7);
    EXPECT_EQ(Notify(101, map.GetSafeHwnd()), 0); // a code nobody handles
    EXPECT_EQ(g_calls, (std::vector<std::string>{"control notify", "control notify", "parent notify 302 4"}));
}

TEST_F(ReflectionTest, ControlColourComesFromTheControl)
{
    CClientDC dc(&reflecting);
    const LRESULT own = parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc.GetSafeHdc(), (LPARAM)reflecting.GetSafeHwnd());
    EXPECT_EQ((HBRUSH)own, (HBRUSH)reflecting.m_brush.GetSafeHandle());
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
    const LRESULT standard = parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc.GetSafeHdc(), (LPARAM)plain.GetSafeHwnd());
    EXPECT_EQ((HBRUSH)standard, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"control colour 6"}));
}

} // namespace
