// A modal dialog from a template: its members reach the controls when it opens,
// an out-of-range value is refused with the range message and the dialog stays
// open on that control, and an accepted OK stores every control.
#include "DialogTestSupport.h"

namespace {

TEST(ModalExchange, OutOfRangeValueIsRefusedThenAcceptedValuesAreStored)
{
    OwnerWindow owner;
    ModalRecorder boxes;
    DialogAnswerer answers;
    TestDialog dlg(IDD_TEST_EXCHANGE, &owner);
    int count = 7, check = 1, unit = 1;
    CString size = "12";
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_X_EDIT, count);
        DDV_MinMaxInt(pDX, count, 0, 100);
        DDX_Check(pDX, IDC_X_CHECK, check);
        DDX_CBIndex(pDX, IDC_X_DROPLIST, unit);
        DDX_CBString(pDX, IDC_X_DROPDOWN, size);
    };
    answers.Then([&](CWnd&) {
        EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, IDC_X_EDIT)), "7");
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_X_CHECK), 1u);
        EXPECT_EQ(dlg.SendDlgItemMessage(IDC_X_DROPLIST, CB_GETCURSEL), 1);
        EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, IDC_X_DROPDOWN)), "12");

        dlg.SetDlgItemText(IDC_X_EDIT, "101");
        dlg.CheckDlgButton(IDC_X_CHECK, 0);
        dlg.SendDlgItemMessage(IDC_X_DROPLIST, CB_SETCURSEL, 2);
        EXPECT_EQ(DialogAnswerer::Press(dlg, IDOK), IDCANCEL);
        EXPECT_TRUE(dlg.ContinueModal());
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_X_EDIT));
        EXPECT_EQ(boxes.Boxes().size(), 1u);

        dlg.SetDlgItemText(IDC_X_EDIT, "100");
        dlg.SetDlgItemText(IDC_X_DROPDOWN, "9");
        return DialogAnswerer::Press(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(count, 100);
    EXPECT_EQ(check, 0);
    EXPECT_EQ(unit, 2);
    EXPECT_EQ(size, "9");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Please enter an integer between 0 and 100.");
}

} // namespace
