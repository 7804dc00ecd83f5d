// Menus, and input through the application state's PreTranslateMessage.
#include "WndTestSupport.h"

#include "platform/wnd/CMenu.h"
#include "platform/wnd/CWinThread.h"

#include <gtest/gtest.h>


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

class CountingApp : public CWinThread {
public:
    int keyDowns = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            ++keyDowns;
        return CWinThread::PreTranslateMessage(pMsg);
    }
};

TEST(App, InputGoesThroughTheApplicationsPreTranslateMessage)
{
    CountingApp app;
    EXPECT_EQ(AfxGetThread(), &app);
    CallLog log;
    RecordingWnd w(log, "W");
    ASSERT_TRUE(w.CreatePopup(0, 0, 40, 40));
    AfxTestKeyStroke(w.GetSafeHwnd(), 'K', "k");
    EXPECT_EQ(app.keyDowns, 1);
    EXPECT_EQ(log.Count("W:Char 107"), 1);
    w.DestroyWindow();
}

} // namespace
