// Menus and the application object.
#include "WndTestSupport.h"

#include "platform/wnd/CMenu.h"
#include "platform/frames/CWinApp.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(Menu, ItemsByPositionAndByCommandInSubMenus)
{
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 1, "&Open");
    AppendMenu(file, MF_SEPARATOR, 0, nullptr);
    AppendMenu(file, MF_STRING | MF_GRAYED, 2, "E&xit");
    ASSERT_TRUE(bar.AppendMenu(MF_POPUP, (UINT_PTR)file, "&File"));
    ASSERT_TRUE(bar.AppendMenu(MF_STRING, 3, "&Help"));

    EXPECT_EQ(bar.GetMenuItemCount(), 2u);
    EXPECT_EQ(bar.GetMenuItemID(0), (UINT)-1); // a popup item
    EXPECT_EQ(bar.GetSubMenu(0)->GetSafeHmenu(), file);
    EXPECT_EQ(bar.GetMenuState(0, MF_BYPOSITION), (3u << 8) | MF_POPUP);
    EXPECT_EQ(GetMenuItemID(file, 1), 0u); // a separator
    // By command, the search descends into the sub-menus.
    EXPECT_EQ(bar.EnableMenuItem(2, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(bar.CheckMenuItem(1, MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(GetMenuState(file, 1, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(bar.GetMenuState(99, MF_BYCOMMAND), (UINT)-1);
    CString text;
    bar.GetMenuString(2, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "E&xit");
    char shortBuffer[4];
    EXPECT_EQ(bar.GetMenuString(1, shortBuffer, sizeof(shortBuffer), MF_BYCOMMAND), 3);
    EXPECT_STREQ(shortBuffer, "&Op");

    EXPECT_TRUE(bar.InsertMenu(3, MF_BYCOMMAND | MF_STRING, 4, "&Tools"));
    EXPECT_EQ(bar.GetMenuItemID(1), 4u);
    EXPECT_TRUE(bar.ModifyMenu(4, MF_BYCOMMAND | MF_OWNERDRAW, 5, reinterpret_cast<LPCTSTR>(0x1234)));
    EXPECT_EQ(AfxGetMenuItemData(bar, 5, MF_BYCOMMAND), 0x1234u);
    EXPECT_TRUE(bar.RemoveMenu(0, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(file)); // removing keeps the sub-menu
    EXPECT_TRUE(bar.InsertMenu(0, MF_BYPOSITION | MF_POPUP, (UINT_PTR)file, "&File"));
    EXPECT_TRUE(bar.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(file)); // deleting destroys it
    const HMENU h = bar.GetSafeHmenu();
    bar.DestroyMenu();
    EXPECT_FALSE(IsMenu(h));
}

TEST(Menu, TheWrapperDestroysItsMenu)
{
    HMENU h;
    {
        CMenu m;
        ASSERT_TRUE(m.CreatePopupMenu());
        h = m.GetSafeHmenu();
        EXPECT_EQ(CMenu::FromHandlePermanent(h), &m);
    }
    EXPECT_FALSE(IsMenu(h));
    HMENU kept = CreatePopupMenu();
    CMenu* temporary = CMenu::FromHandle(kept);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(CMenu::FromHandlePermanent(kept), nullptr);
    EXPECT_TRUE(DestroyMenu(kept));
}

class CountingApp : public CWinApp {
public:
    int keyDowns = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            ++keyDowns;
        return CWinApp::PreTranslateMessage(pMsg);
    }
};

TEST(App, InputGoesThroughTheApplicationsPreTranslateMessage)
{
    CountingApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    CallLog log;
    RecordingWnd w(log, "W");
    ASSERT_TRUE(w.CreatePopup(0, 0, 40, 40));
    AfxTestKeyStroke(w.GetSafeHwnd(), 'K', "k");
    EXPECT_EQ(app.keyDowns, 1);
    EXPECT_EQ(log.Count("W:Char 107"), 1);
    w.DestroyWindow();
}

TEST(App, ProfileMembersReadBackWhatTheyWrote)
{
    CWinApp app("WndTestApp");
    app.SetRegistryKey("Kv Test Key");
    EXPECT_STREQ(app.m_pszRegistryKey, "Kv Test Key");
    EXPECT_STREQ(app.m_pszProfileName, "WndTestApp");
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "value"));
    EXPECT_TRUE(app.WriteProfileInt("Settings", "X", -42));
    const BYTE data[] = {0, 1, 2, 255};
    EXPECT_TRUE(app.WriteProfileBinary("Settings", "Blob", const_cast<BYTE*>(data), sizeof(data)));
    EXPECT_EQ(app.GetProfileString("Settings", "Name"), "value");
    EXPECT_EQ((int)app.GetProfileInt("Settings", "X", 0), -42);
    EXPECT_EQ(app.GetProfileInt("Settings", "Missing", 7), 7u);
    LPBYTE read = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app.GetProfileBinary("Settings", "Blob", &read, &size));
    std::unique_ptr<BYTE[]> owned(read);
    ASSERT_EQ(size, sizeof(data));
    EXPECT_EQ(0, std::memcmp(read, data, sizeof(data)));
    EXPECT_FALSE(app.GetProfileBinary("Settings", "NoBlob", &read, &size));
}

TEST(App, CursorsAndIcons)
{
    CWinApp app;
    EXPECT_NE(app.LoadStandardCursor(IDC_ARROW), nullptr);
    EXPECT_EQ(app.LoadStandardCursor(IDC_ARROW), app.LoadStandardCursor(IDC_ARROW));
    EXPECT_EQ(app.LoadCursor(25068), nullptr); // no such resource
    const DWORD pixels[4] = {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000};
    AfxRegisterCursorResource(25068, 2, 2, pixels, 1, 1);
    EXPECT_NE(app.LoadCursor(25068), nullptr);
    EXPECT_NE(app.LoadStandardIcon(IDI_APPLICATION), nullptr);

    // The class cursor is what a mouse move over the window shows.
    CallLog log;
    RecordingWnd w(log, "W");
    ASSERT_TRUE(w.CreatePopup(0, 0, 40, 40));
    HCURSOR cross = app.LoadStandardCursor(IDC_CROSS);
    const UINT_PTR previous = SetClassLongPtr(w.GetSafeHwnd(), GCLP_HCURSOR, (LONG_PTR)cross);
    AfxTestMouse(w.GetSafeHwnd(), WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(GetCursor(), cross);
    SetClassLongPtr(w.GetSafeHwnd(), GCLP_HCURSOR, (LONG_PTR)previous);
    w.DestroyWindow();
}

} // namespace

namespace {

class IdleFrame : public CWnd {
public:
    int idleUpdates = 0;

protected:
    afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        ++idleUpdates;
        return 0;
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(IdleFrame, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

class RunningApp : public CWinApp {
public:
    int idleCalls = 0;
    int frameIdleUpdates = 0;
    IdleFrame* frame = nullptr;

    BOOL InitInstance() override
    {
        frame = new IdleFrame;
        if (!frame->CreateEx(0, AfxRegisterWndClass(0), "Main", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr))
            return FALSE;
        m_pMainWnd = frame;
        return TRUE;
    }
    BOOL OnIdle(LONG lCount) override
    {
        ++idleCalls;
        const BOOL more = CWinApp::OnIdle(lCount);
        if (lCount == 0 && m_pMainWnd) {
            frameIdleUpdates = frame->idleUpdates;
            m_pMainWnd->PostMessage(WM_CLOSE); // closing the main window ends the loop
        }
        return more;
    }
    int ExitInstance() override { return CWinApp::ExitInstance() + 40; }
};

void GiveUp(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); }

TEST(App, WinMainRunsTheLoopUntilTheMainWindowCloses)
{
    RunningApp app;
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, GiveUp);
    char arg0[] = "/opt/bin/kolvo", arg1[] = "one", arg2[] = "two words";
    char* argv[] = {arg0, arg1, arg2, nullptr};
    const int result = AfxWinMain(3, argv);
    KillTimer(nullptr, watchdog);
    AfxSetAppTitle("Map Editor");
    EXPECT_EQ(result, 40); // WM_QUIT's 0 through ExitInstance
    EXPECT_GE(app.idleCalls, 1);
    EXPECT_EQ(app.frameIdleUpdates, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_STREQ(app.m_pszExeName, "kolvo");
    EXPECT_STREQ(app.m_lpCmdLine, "one \"two words\"");
    EXPECT_FALSE(AfxIsQuitPending());
}

} // namespace
