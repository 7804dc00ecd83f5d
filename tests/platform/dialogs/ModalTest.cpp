// Modal dialogs: the hook that answers them, the keys of the dialog manager, and
// the real modal loop.
#include "DialogTestSupport.h"

namespace {

class ModalTest : public ::testing::Test {
protected:
    OwnerWindow owner;
};

TEST_F(ModalTest, HandlerAnswersAnInitialisedShownDialogWhileTheOwnerIsDisabled)
{
    DialogAnswerer answers;
    TestDialog dlg(IDD_TEST_EDIT, &owner);
    bool asked = false;
    answers.Then([&](CWnd& w) {
        asked = true;
        EXPECT_EQ(&w, &dlg);
        EXPECT_EQ(dlg.initCalls, 1);
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_FALSE(owner.IsWindowEnabled());
        EXPECT_TRUE(dlg.ContinueModal());
        dlg.EndDialog(42);
        EXPECT_FALSE(dlg.ContinueModal());
        return IDCANCEL; // the dialog has ended itself: its result counts
    });
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    ASSERT_EQ(answers.Dialogs().size(), 1u);
    EXPECT_EQ(answers.Dialogs()[0].templateId, (UINT)IDD_TEST_EDIT);
    EXPECT_EQ(answers.Dialogs()[0].caption, "Edit Test");
    EXPECT_EQ(answers.Dialogs()[0].className, "CDialog");
}

TEST_F(ModalTest, ADialogTheHandlerLeavesOpenEndsWithTheHandlersResultWithoutOnOK)
{
    DialogAnswerer answers;
    TestDialog dlg(IDD_TEST_EDIT, &owner);
    int saves = 0;
    dlg.exchange = [&](CDataExchange* pDX) { saves += pDX->m_bSaveAndValidate ? 1 : 0; };
    answers.Then([](CWnd&) { return 7; });
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_EQ(saves, 0);
    // With nothing queued the fallback answers.
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(answers.Dialogs().size(), 2u);
}

TEST_F(ModalTest, ADialogEndedWhileInitialisingIsNeitherAskedNorShown)
{
    DialogAnswerer answers;
    TestDialog dlg(IDD_TEST_EDIT, &owner);
    dlg.init = [](TestDialog& d) {
        d.EndDialog(IDRETRY);
        return TRUE;
    };
    EXPECT_EQ(dlg.DoModal(), IDRETRY);
    EXPECT_TRUE(answers.Dialogs().empty());
    EXPECT_TRUE(owner.IsWindowEnabled());

    TestDialog missing(39999, &owner);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(answers.Dialogs().empty());
}

TEST_F(ModalTest, NestedDialogsAreAnsweredInTheOrderTheyOpen)
{
    DialogAnswerer answers;
    TestDialog outer(IDD_TEST_EDIT, &owner);
    INT_PTR innerResult = 0;
    answers.Then([&](CWnd&) {
        TestDialog inner(IDD_TEST_EXCHANGE, &outer);
        innerResult = inner.DoModal();
        EXPECT_TRUE(outer.IsWindowEnabled()); // given back by the inner dialog
        return DialogAnswerer::Press(outer, IDOK);
    });
    answers.Then([](CWnd& w) { return DialogAnswerer::Press(w, IDCANCEL); });
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(innerResult, IDCANCEL);
    ASSERT_EQ(answers.Dialogs().size(), 2u);
    EXPECT_EQ(answers.Dialogs()[1].caption, "Exchange");
}

struct KeyCase {
    const char* name;
    UINT vk;
    int focus;  // the control that has the focus
    UINT defId; // 0: the template's default button
    int expected;
};

class DialogKeyTest : public ModalTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DialogKeyTest, KeysEndTheDialogThroughItsButtons)
{
    const KeyCase& c = GetParam();
    DialogAnswerer answers;
    TestDialog dlg(IDD_TEST_EDIT, &owner);
    answers.Then([&](CWnd&) {
        if (c.defId)
            dlg.SetDefID(c.defId);
        dlg.GotoDlgCtrl(dlg.GetDlgItem(c.focus));
        AfxTestKeyStroke(::GetFocus(), c.vk);
        AfxTestProcessEvents();
        return -5; // still open: the key did nothing
    });
    EXPECT_EQ(dlg.DoModal(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogKeyTest,
    ::testing::Values(KeyCase{"EnterInAnEditPressesTheDefaultButton", VK_RETURN, IDC_VALUE, 0, IDOK},
                      KeyCase{"EnterPressesTheDefaultIdSet", VK_RETURN, IDC_VALUE, IDCANCEL, IDCANCEL},
                      KeyCase{"EnterOnAPushButtonPressesThatButton", VK_RETURN, IDCANCEL, 0, IDCANCEL},
                      KeyCase{"EscapeCancels", VK_ESCAPE, IDC_VALUE, 0, IDCANCEL},
                      KeyCase{"OtherKeysLeaveTheDialogOpen", VK_F5, IDC_VALUE, 0, -5}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(ModalTest, EnterOnADisabledDefaultButtonDoesNothing)
{
    DialogAnswerer answers;
    TestDialog dlg(IDD_TEST_EDIT, &owner);
    answers.Then([&](CWnd&) {
        dlg.GetDlgItem(IDOK)->EnableWindow(FALSE);
        dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_VALUE));
        AfxTestKeyStroke(::GetFocus(), VK_RETURN);
        AfxTestProcessEvents();
        return -5;
    });
    EXPECT_EQ(dlg.DoModal(), -5);
}

// The real modal loop: `action` runs from a timer once the loop waits for input;
// a watchdog ends a loop that would otherwise never return.
INT_PTR RunRealLoop(TestDialog& dlg, std::function<void(TestDialog&)> action)
{
    static std::function<void(TestDialog&)> s_action;
    s_action = std::move(action);
    dlg.init = [](TestDialog& d) {
        ::SetTimer(d.m_hWnd, 1, 10, [](HWND h, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(h, id);
            s_action(*static_cast<TestDialog*>(CWnd::FromHandlePermanent(h)));
        });
        ::SetTimer(d.m_hWnd, 2, 5000, [](HWND h, UINT, UINT_PTR, DWORD) { ::EndDialog(h, -99); });
        return TRUE;
    };
    return dlg.DoModal();
}

TEST_F(ModalTest, TheRealLoopRunsUntilEndDialog)
{
    ASSERT_FALSE(AfxHasDialogHandler());
    TestDialog dlg(IDD_TEST_EDIT, &owner);
    EXPECT_EQ(RunRealLoop(dlg, [](TestDialog& d) { AfxTestKeyStroke(::GetDlgItem(d.m_hWnd, IDC_VALUE), VK_RETURN); }),
              IDOK);
    EXPECT_TRUE(owner.IsWindowEnabled());

    TestDialog closed(IDD_TEST_EDIT, &owner);
    EXPECT_EQ(RunRealLoop(closed, [](TestDialog& d) { d.PostMessage(WM_CLOSE); }), IDCANCEL);
}

TEST_F(ModalTest, QuitEndsTheRealLoopAndIsPostedAgainForTheOuterLoop)
{
    TestDialog dlg(IDD_TEST_EDIT, &owner);
    EXPECT_EQ(RunRealLoop(dlg, [](TestDialog&) { ::PostQuitMessage(3); }), -1);
    EXPECT_TRUE(AfxIsQuitPending());
    EXPECT_TRUE(owner.IsWindowEnabled());
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
    }
    EXPECT_FALSE(AfxIsQuitPending());
}

} // namespace
