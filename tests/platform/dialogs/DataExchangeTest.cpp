// Data exchange and validation between members and controls.
#include "DialogTestSupport.h"

#include "platform/base/Exceptions.h"

#include <cstdio>

namespace {

class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_TEST_EXCHANGE)); }
    HWND Item(int id) const { return ::GetDlgItem(dlg.m_hWnd, id); }

    // Saves `text` from the edit into a T; the value printed with `format`, or
    // "!" and the message the user was shown.
    template <class T>
    std::string Save(const char* text, const char* format)
    {
        T value{};
        dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_X_EDIT, value); };
        dlg.SetDlgItemText(IDC_X_EDIT, text);
        boxes.Clear();
        if (!dlg.UpdateData(TRUE))
            return boxes.Boxes().empty() ? "!(no message)" : "!" + boxes.Boxes().back().text.str();
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, format, value);
        return buffer;
    }
    template <class T>
    CString Load(T value)
    {
        dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_X_EDIT, value); };
        EXPECT_TRUE(dlg.UpdateData(FALSE));
        return TextOf(Item(IDC_X_EDIT));
    }

    ModalRecorder boxes;
    TestDialog dlg;
};

struct SaveCase {
    const char* type;
    const char* text;
    std::string expected;
};

const char* const kInt = "!Please enter an integer.";
const char* const kUInt = "!Please enter a positive integer.";
const char* const kReal = "!Please enter a number.";

TEST_F(ExchangeTest, NumbersParseAsTheClassLibraryParsesThemAndRefuseTheRest)
{
    const SaveCase cases[] = {
        {"int", " -17 ", "-17"},       {"int", "+5", "5"},
        {"int", "12abc", kInt},        {"int", "", kInt},
        {"int", "1.5", kInt},          {"int", "0x10", kInt},
        {"int", "2147483647", "2147483647"}, {"int", "2147483648", kInt},
        {"long", "-2147483648", "-2147483648"}, {"long", "-2147483649", kInt},
        {"short", "-32768", "-32768"}, {"short", "32768", kInt},
        {"UINT", "4294967295", "4294967295"}, {"UINT", "4294967296", kUInt},
        {"UINT", "-1", kUInt},         {"UINT", "7 ", "7"},
        {"double", "1.5e3", "1500"},   {"double", " .25", "0.25"},
        {"double", "-2.", "-2"},       {"double", "1,5", kReal},
        {"double", "nan", kReal},      {"double", "inf", kReal},
        {"double", "1e400", kReal},    {"double", "1e", kReal},
        {"double", "-", kReal},        {"double", "0x1p3", kReal},
        {"float", "3.25", "3.25"},     {"float", "1e39", kReal},
    };
    for (const SaveCase& c : cases) {
        const std::string type = c.type;
        const std::string got = type == "int"      ? Save<int>(c.text, "%d")
                                : type == "long"   ? Save<long>(c.text, "%ld")
                                : type == "short"  ? Save<short>(c.text, "%hd")
                                : type == "UINT"   ? Save<UINT>(c.text, "%u")
                                : type == "double" ? Save<double>(c.text, "%g")
                                                   : Save<float>(c.text, "%g");
        EXPECT_EQ(got, c.expected) << c.type << " \"" << c.text << "\"";
    }
}

TEST_F(ExchangeTest, NumbersLoadInTheClassLibrarysFormats)
{
    EXPECT_EQ(Load(-5), "-5");
    EXPECT_EQ(Load((UINT)4000000000u), "4000000000");
    EXPECT_EQ(Load(-7L), "-7");
    EXPECT_EQ(Load((short)-3), "-3");
    EXPECT_EQ(Load(0.1), "0.1");
    EXPECT_EQ(Load(1e20), "1e+20");
    EXPECT_EQ(Load(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(Load(0.1f), "0.1");
    EXPECT_EQ(Load(CString("text")), "text");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ExchangeTest, RangeChecksRunOnlyWhenSavingAndNameTheRange)
{
    struct Case {
        const char* text;
        std::function<void(CDataExchange*)> exchange;
        const char* message;
    };
    double d = 0;
    int i = 0;
    UINT u = 0;
    LONG l = 0;
    float f = 0;
    const Case cases[] = {
        {"400", [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_X_EDIT, d); DDV_MinMaxDouble(pDX, d, 0, 360); },
         "Please enter a number between 0 and 360."},
        {"4000", [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_X_EDIT, l); DDV_MinMaxLong(pDX, l, 0, 3600); },
         "Please enter an integer between 0 and 3600."},
        {"0", [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_X_EDIT, u); DDV_MinMaxUInt(pDX, u, 1, 65535); },
         "Please enter an integer between 1 and 65535."},
        {"-1", [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_X_EDIT, i); DDV_MinMaxInt(pDX, i, 0, 100); },
         "Please enter an integer between 0 and 100."},
        {"0.5", [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_X_EDIT, f); DDV_MinMaxFloat(pDX, f, 1.5f, 2.5f); },
         "Please enter a number between 1.5 and 2.5."},
    };
    for (const Case& c : cases) {
        dlg.exchange = c.exchange;
        dlg.SetDlgItemText(IDC_X_EDIT, c.text);
        boxes.Clear();
        EXPECT_FALSE(dlg.UpdateData(TRUE)) << c.text;
        ASSERT_EQ(boxes.Boxes().size(), 1u) << c.text;
        EXPECT_EQ(boxes.Boxes()[0].text, c.message);
        EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    }
    // Out-of-range members load without complaint.
    d = 1000;
    dlg.exchange = cases[0].exchange;
    boxes.Clear();
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(TextOf(Item(IDC_X_EDIT)), "1000");
}

TEST_F(ExchangeTest, MaxCharsRefusesLongerTextAndLimitsTheEdit)
{
    CString name;
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_X_EDIT, name);
        DDV_MaxChars(pDX, name, 5);
    };
    dlg.SetDlgItemText(IDC_X_EDIT, "Railways");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Please enter no more than 5 characters.");

    name = "Roads";
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(::SendMessage(Item(IDC_X_EDIT), EM_GETLIMITTEXT, 0, 0), 5);
}

TEST_F(ExchangeTest, ButtonsListsAndSlidersExchangeTheirState)
{
    int check = 2, radio = 2, dropIndex = 1, listIndex = -1, slider = 275;
    CString dropList = "Kilo", dropDown = "11", exact = "1", listText = "gre";
    ::SendMessage(Item(IDC_X_NEXTGROUP), BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessage(Item(IDC_X_SLIDER), TBM_SETRANGE, TRUE, MAKELPARAM(100, 500));
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Check(pDX, IDC_X_CHECK, check);
        DDX_Radio(pDX, IDC_X_RADIO1, radio);
        DDX_CBString(pDX, IDC_X_DROPLIST, dropList);
        DDX_CBString(pDX, IDC_X_DROPDOWN, dropDown);
        DDX_LBString(pDX, IDC_X_LISTBOX, listText);
        DDX_LBIndex(pDX, IDC_X_LISTBOX, listIndex);
        DDX_Slider(pDX, IDC_X_SLIDER, slider);
    };
    listIndex = 1; // loads after the string: both select "green"
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(::SendMessage(Item(IDC_X_CHECK), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(::SendMessage(Item(IDC_X_RADIO1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessage(Item(IDC_X_RADIO3), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessage(Item(IDC_X_NEXTGROUP), BM_GETCHECK, 0, 0), BST_CHECKED); // another group
    EXPECT_EQ(::SendMessage(Item(IDC_X_DROPLIST), CB_GETCURSEL, 0, 0), 1);           // "Kilometers" by prefix
    EXPECT_EQ(TextOf(Item(IDC_X_DROPDOWN)), "11");                                   // no item: the edit text
    EXPECT_EQ(::SendMessage(Item(IDC_X_LISTBOX), LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(::SendMessage(Item(IDC_X_SLIDER), TBM_GETPOS, 0, 0), 275);

    ::SendMessage(Item(IDC_X_CHECK), BM_SETCHECK, BST_CHECKED, 0);
    dlg.CheckRadioButton(IDC_X_RADIO1, IDC_X_RADIO3, IDC_X_RADIO1);
    ::SendMessage(Item(IDC_X_DROPLIST), CB_SETCURSEL, 2, 0);
    ::SendMessage(Item(IDC_X_LISTBOX), LB_SETCURSEL, 2, 0);
    ::SendMessage(Item(IDC_X_SLIDER), TBM_SETPOS, TRUE, 120);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(check, 1);
    EXPECT_EQ(radio, 0);
    EXPECT_EQ(dropList, "Miles");
    EXPECT_EQ(dropDown, "11");
    EXPECT_EQ(listText, "blue");
    EXPECT_EQ(listIndex, 2);
    EXPECT_EQ(slider, 120);

    // No radio checked saves -1; a check state out of range loads unchecked.
    dlg.CheckRadioButton(IDC_X_RADIO1, IDC_X_RADIO3, 0);
    check = 7;
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Radio(pDX, IDC_X_RADIO1, radio);
    };
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(radio, -1);
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Check(pDX, IDC_X_CHECK, check);
        DDX_CBIndex(pDX, IDC_X_DROPLIST, dropIndex);
        DDX_CBStringExact(pDX, IDC_X_DROPDOWN, exact);
    };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(check, 0);
    EXPECT_EQ(::SendMessage(Item(IDC_X_CHECK), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessage(Item(IDC_X_DROPLIST), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TextOf(Item(IDC_X_DROPDOWN)), "1"); // "10" starts with "1" but is not it
    exact = "12";
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(::SendMessage(Item(IDC_X_DROPDOWN), CB_GETCURSEL, 0, 0), 2);
}

TEST_F(ExchangeTest, ControlAttachesTheMemberOnce)
{
    CWnd member;
    int runs = 0;
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Control(pDX, IDC_X_LISTBOX, member);
        ++runs;
    };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(member.m_hWnd, Item(IDC_X_LISTBOX));
    EXPECT_EQ(CWnd::FromHandlePermanent(Item(IDC_X_LISTBOX)), &member);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(member.m_hWnd, Item(IDC_X_LISTBOX));
    dlg.DestroyWindow();
    EXPECT_EQ(member.m_hWnd, nullptr);
}

TEST_F(ExchangeTest, AMissingControlIsAFaultOfTheDialogNotAUserError)
{
    int value = 0;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, 4242, value); };
    try {
        dlg.UpdateData(TRUE);
        ADD_FAILURE() << "no exception";
    } catch (CNotSupportedException* e) {
        e->Delete();
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

// A dialog that counts the change notifications of its edit.
class ChangeCountingDialog : public TestDialog {
public:
    int changes = 0;

protected:
    afx_msg void OnEditChange() { ++changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChangeCountingDialog, TestDialog)
    ON_EN_CHANGE(IDC_X_EDIT, OnEditChange)
END_MESSAGE_MAP()

TEST(DataExchange, ControlNotificationsAreNotDispatchedWhileExchanging)
{
    ChangeCountingDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_EXCHANGE));
    CString text = "first";
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_X_EDIT, text); };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, IDC_X_EDIT)), "first");
    EXPECT_EQ(dlg.changes, 0);
    dlg.SetDlgItemText(IDC_X_EDIT, "second");
    EXPECT_EQ(dlg.changes, 1);
}

TEST(DataExchange, AFailedValidationTellsTheUserFocusesTheControlAndKeepsTheDialogOpen)
{
    OwnerWindow owner;
    ModalRecorder boxes;
    DialogAnswerer answers;
    TestDialog dlg(IDD_TEST_EDIT, &owner);
    int value = 5;
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_VALUE, value);
        DDV_MinMaxInt(pDX, value, 0, 100);
    };
    answers.Then([&](CWnd&) {
        const HWND edit = ::GetDlgItem(dlg.m_hWnd, IDC_VALUE);
        EXPECT_EQ(TextOf(edit), "5");
        dlg.SetDlgItemText(IDC_VALUE, "abc");
        dlg.GotoDlgCtrl(dlg.GetDlgItem(IDCANCEL));
        EXPECT_EQ(DialogAnswerer::Press(dlg, IDOK), IDCANCEL);
        EXPECT_TRUE(dlg.ContinueModal());
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_EQ(::GetFocus(), edit);
        DWORD start = 99, end = 99;
        ::SendMessage(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 3u);
        EXPECT_EQ(boxes.Boxes().size(), 1u);

        dlg.SetDlgItemText(IDC_VALUE, " 42 ");
        return DialogAnswerer::Press(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(value, 42);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Please enter an integer.");
}

} // namespace
