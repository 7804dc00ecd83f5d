// Property sheets: pages on tabs, the order of their notifications, OK, Apply and
// Cancel.
#include "DialogTestSupport.h"

#include "platform/dialogs/CPropertySheet.h"
#include "platform/controls/CTabCtrl.h"

#include <algorithm>

namespace {

class LoggingPage : public CPropertyPage {
public:
    LoggingPage(UINT id, const char* name, std::vector<std::string>& log)
        : CPropertyPage(id), m_name(name), m_log(log)
    {
    }

    BOOL applyResult = TRUE;
    std::function<void(CDataExchange*)> exchange;

    BOOL OnInitDialog() override
    {
        Log("Init");
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        Log("SetActive");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        Log("KillActive");
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        Log("Apply");
        return applyResult && CPropertyPage::OnApply();
    }
    void OnOK() override { Log("OK"); }
    void OnCancel() override { Log("Cancel"); }
    void OnReset() override
    {
        Log("Reset");
        CPropertyPage::OnReset();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (exchange)
            exchange(pDX);
    }
    afx_msg void OnPageButton() { Log("Button"); }
    DECLARE_MESSAGE_MAP()

private:
    void Log(const char* what) { m_log.push_back(m_name + ":" + what); }
    std::string m_name;
    std::vector<std::string>& m_log;
};

BEGIN_MESSAGE_MAP(LoggingPage, CPropertyPage)
    ON_BN_CLICKED(IDC_PAGE_BUTTON, OnPageButton)
END_MESSAGE_MAP()

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        sheet.AddPage(&third);
    }
    bool Open() const { return sheet.ContinueModal() && sheet.IsWindowVisible(); }
    HWND Apply() const { return ::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW); }

    OwnerWindow owner;
    std::vector<std::string> log;
    LoggingPage first{IDD_TEST_PAGE1, "First", log};
    LoggingPage second{IDD_TEST_PAGE2, "Second", log};
    LoggingPage third{IDD_TEST_PAGE3, "Third", log};
    CPropertySheet sheet{"Settings", &owner};
    DialogAnswerer answers;
};

TEST_F(SheetTest, PagesAreChildDialogsOnTabsAndOnlyShownPagesHaveWindows)
{
    answers.Then([&](CWnd& w) {
        EXPECT_EQ(&w, &sheet);
        EXPECT_EQ(TextOf(sheet.m_hWnd), "Settings");
        sheet.SetTitle("Preferences");
        EXPECT_EQ(TextOf(sheet.m_hWnd), "Preferences");
        EXPECT_FALSE(owner.IsWindowEnabled());
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(sheet.GetActivePage(), &first);
        EXPECT_EQ(first.GetParent(), &sheet);
        EXPECT_TRUE(first.IsWindowVisible());
        EXPECT_EQ(second.m_hWnd, nullptr);
        EXPECT_EQ(third.m_hWnd, nullptr);

        CTabCtrl* tabs = sheet.GetTabControl();
        EXPECT_NE(tabs, nullptr);
        if (tabs) {
            EXPECT_EQ(tabs->GetItemCount(), 3);
            EXPECT_EQ(tabs->GetCurSel(), 0);
            char text[32] = {};
            TCITEM item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = (int)sizeof text;
            tabs->GetItem(2, &item);
            EXPECT_STREQ(text, "Third");
        }
        // The display area holds the largest page (200 x 100 dialog units).
        RECT page;
        first.GetWindowRect(&page);
        RECT dlu{0, 0, 200, 100};
        first.MapDialogRect(&dlu);
        EXPECT_EQ(page.right - page.left, dlu.right);
        EXPECT_EQ(page.bottom - page.top, dlu.bottom);
        RECT tab;
        ::GetWindowRect(::GetDlgItem(sheet.m_hWnd, AFX_IDC_TAB_CONTROL), &tab);
        EXPECT_GE(page.left, tab.left);
        EXPECT_GT(page.top, tab.top); // below the tabs
        EXPECT_LE(page.right, tab.right);
        EXPECT_LE(page.bottom, tab.bottom);
        return IDCANCEL;
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(first.m_hWnd, nullptr);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

TEST_F(SheetTest, OkLetsTheActivePageGoThenAppliesEveryPageThatHasAWindow)
{
    answers.Then([&](CWnd&) {
        EXPECT_TRUE(sheet.SetActivePage(2));
        EXPECT_FALSE(first.IsWindowVisible());
        EXPECT_TRUE(third.IsWindowVisible());
        return DialogAnswerer::Press(sheet, IDOK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(log, (std::vector<std::string>{"First:Init", "First:SetActive", "First:KillActive", "Third:Init",
                                             "Third:SetActive", "Third:KillActive", "First:Apply", "First:OK",
                                             "Third:Apply", "Third:OK"}));
}

TEST_F(SheetTest, TheStartPageIsTheOneGivenAtConstruction)
{
    CPropertySheet other("Other", &owner, 1);
    other.AddPage(&first);
    other.AddPage(&second);
    answers.Then([&](CWnd&) {
        EXPECT_EQ(other.GetActivePage(), &second);
        EXPECT_EQ(first.m_hWnd, nullptr);
        return DialogAnswerer::Press(other, IDCANCEL);
    });
    EXPECT_EQ(other.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{"Second:Init", "Second:SetActive", "Second:Reset", "Second:Cancel"}));
}

TEST_F(SheetTest, APageThatFailsValidationKeepsTheSheetOpenAndNothingIsApplied)
{
    ModalRecorder boxes;
    int width = 5;
    first.exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_PAGE_EDIT, width);
        DDV_MinMaxInt(pDX, width, 0, 10);
    };
    answers.Then([&](CWnd&) {
        first.SetDlgItemText(IDC_PAGE_EDIT, "50");
        EXPECT_FALSE(sheet.SetActivePage(1)); // the page refuses to be left
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(DialogAnswerer::Press(sheet, IDOK), IDCANCEL);
        EXPECT_TRUE(Open());
        EXPECT_EQ(boxes.Boxes().size(), 2u);
        EXPECT_EQ(std::count(log.begin(), log.end(), "First:Apply"), 0);
        first.SetDlgItemText(IDC_PAGE_EDIT, "7");
        return DialogAnswerer::Press(sheet, IDOK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(width, 7);
}

TEST_F(SheetTest, APageWhoseApplyFailsBecomesActiveAndTheSheetStays)
{
    first.applyResult = FALSE;
    answers.Then([&](CWnd&) {
        sheet.SetActivePage(2);
        EXPECT_EQ(DialogAnswerer::Press(sheet, IDOK), IDCANCEL);
        EXPECT_TRUE(Open());
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(std::count(log.begin(), log.end(), "Third:Apply"), 0);
        return IDCANCEL;
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(SheetTest, ApplyIsEnabledByAModifiedPageAndAppliesWithoutClosing)
{
    answers.Then([&](CWnd&) {
        if (!Apply()) {
            ADD_FAILURE() << "no Apply button";
            return IDCANCEL;
        }
        EXPECT_FALSE(::IsWindowEnabled(Apply()));
        first.SetModified(TRUE);
        EXPECT_TRUE(::IsWindowEnabled(Apply()));
        first.SetModified(FALSE);
        EXPECT_FALSE(::IsWindowEnabled(Apply()));
        first.SetModified();
        log.clear();
        EXPECT_EQ(DialogAnswerer::Press(sheet, ID_APPLY_NOW), IDCANCEL); // still open
        EXPECT_TRUE(Open());
        EXPECT_EQ(log, (std::vector<std::string>{"First:KillActive", "First:Apply", "First:OK"}));
        EXPECT_FALSE(::IsWindowEnabled(Apply()));
        log.clear();
        return DialogAnswerer::Press(sheet, IDCANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{"First:Reset", "First:Cancel"}));

    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    answers.Then([&](CWnd&) {
        EXPECT_EQ(Apply(), nullptr);
        EXPECT_NE(::GetDlgItem(sheet.m_hWnd, IDOK), nullptr);
        return IDCANCEL;
    });
    sheet.DoModal();
}

TEST_F(SheetTest, EnterInAPagePressesOkAndEscapeCancels)
{
    answers.Then([&](CWnd&) {
        const HWND edit = ::GetDlgItem(first.m_hWnd, IDC_PAGE_EDIT);
        EXPECT_EQ(::GetFocus(), edit);
        AfxTestKeyStroke(edit, VK_RETURN);
        AfxTestProcessEvents();
        return -5;
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    answers.Then([&](CWnd&) {
        AfxTestKeyStroke(::GetDlgItem(first.m_hWnd, IDC_PAGE_EDIT), VK_ESCAPE);
        AfxTestProcessEvents();
        return -5;
    });
    log.clear();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{"First:Init", "First:SetActive", "First:Reset", "First:Cancel"}));
}

TEST_F(SheetTest, EnterOnAPagesPushButtonPressesThatButtonOnThePage)
{
    answers.Then([&](CWnd&) {
        sheet.SetActivePage(2);
        third.GotoDlgCtrl(third.GetDlgItem(IDC_PAGE_BUTTON));
        log.clear();
        AfxTestKeyStroke(::GetFocus(), VK_RETURN);
        AfxTestProcessEvents();
        EXPECT_EQ(log, std::vector<std::string>{"Third:Button"});
        EXPECT_TRUE(Open());
        return IDCANCEL;
    });
    sheet.DoModal();
}

TEST_F(SheetTest, ClickingATabLetsTheActivePageGoAndShowsTheOther)
{
    answers.Then([&](CWnd&) {
        CTabCtrl* tabs = sheet.GetTabControl();
        if (!tabs) {
            ADD_FAILURE() << "no tab control";
            return IDCANCEL;
        }
        RECT item;
        tabs->GetItemRect(1, &item);
        log.clear();
        AfxTestMouse(tabs->m_hWnd, WM_LBUTTONDOWN, (item.left + item.right) / 2, (item.top + item.bottom) / 2,
                     MK_LBUTTON);
        AfxTestMouse(tabs->m_hWnd, WM_LBUTTONUP, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
        AfxTestProcessEvents();
        EXPECT_EQ(sheet.GetActivePage(), &second);
        EXPECT_TRUE(second.IsWindowVisible());
        EXPECT_FALSE(first.IsWindowVisible());
        EXPECT_EQ(log, (std::vector<std::string>{"First:KillActive", "Second:Init", "Second:SetActive"}));
        return IDCANCEL;
    });
    sheet.DoModal();
}

TEST_F(SheetTest, PagesCanBeRemovedAndTheSheetForgetsPagesThatGo)
{
    sheet.RemovePage(&second);
    EXPECT_EQ(sheet.GetPageCount(), 2);
    EXPECT_EQ(sheet.GetPage(1), &third);
    {
        LoggingPage temporary(IDD_TEST_PAGE2, "Temporary", log);
        sheet.AddPage(&temporary);
        EXPECT_EQ(sheet.GetPageCount(), 3);
    }
    EXPECT_EQ(sheet.GetPageCount(), 2);
    answers.Then([&](CWnd&) {
        EXPECT_EQ(sheet.GetTabControl() ? sheet.GetTabControl()->GetItemCount() : -1, 2);
        sheet.RemovePage(0); // the active page: the next one takes over
        EXPECT_EQ(sheet.GetActivePage(), &third);
        EXPECT_EQ(first.m_hWnd, nullptr);
        return IDCANCEL;
    });
    sheet.DoModal();
}

} // namespace
