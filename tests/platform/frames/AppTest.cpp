// The application object: its profile members, cursors and icons, and AfxWinMain
// running the loop until the main window closes.
#include "FrameTestSupport.h"

#include "platform/base/MessageBox.h"
#include "platform/frames/CWinApp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

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
    EXPECT_EQ(app.LoadCursor(29068), nullptr); // no such resource
    const DWORD pixels[4] = {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000};
    AfxRegisterCursorResource(29068, 2, 2, pixels, 1, 1);
    EXPECT_NE(app.LoadCursor(29068), nullptr);
    EXPECT_NE(app.LoadStandardIcon(IDI_APPLICATION), nullptr);

    // The class cursor is what a mouse move over the window shows.
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), "W",
                           WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr));
    HCURSOR cross = app.LoadStandardCursor(IDC_CROSS);
    const UINT_PTR previous = SetClassLongPtr(w.GetSafeHwnd(), GCLP_HCURSOR, (LONG_PTR)cross);
    AfxTestMouse(w.GetSafeHwnd(), WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(GetCursor(), cross);
    SetClassLongPtr(w.GetSafeHwnd(), GCLP_HCURSOR, (LONG_PTR)previous);
    w.DestroyWindow();
}

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
