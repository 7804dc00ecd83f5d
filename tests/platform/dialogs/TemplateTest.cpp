// Dialogs built from templates: the registry, dialog units, the controls, and
// modeless dialogs from creation to destruction.
#include "DialogTestSupport.h"

#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <cstring>

namespace {

// Two templates under one id: the first registered stays.
constexpr UINT IDD_TEST_TWICE = 40090;
const DialogTemplate kFirst = {IDD_TEST_TWICE, "First", 0, 0, 10, 10, WS_POPUP, 0, nullptr, 0, {}};
const DialogTemplateRegistration kFirstRegistration(kFirst);
const DialogTemplate kSecond = {IDD_TEST_TWICE, "Second", 0, 0, 10, 10, WS_POPUP, 0, nullptr, 0, {}};
const DialogTemplateRegistration kSecondRegistration(kSecond);

TEST(DialogTemplates, RegistryFindsByIdAndReportsDuplicates)
{
    const DialogTemplate* t = FindDialogTemplate(IDD_TEST_EDIT);
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(t->caption, "Edit Test");
    EXPECT_EQ(FindDialogTemplate(39999), nullptr);
    EXPECT_STREQ(FindDialogTemplate(IDD_TEST_TWICE)->caption, "First");
    EXPECT_EQ(DialogTemplateConflicts(), std::vector<UINT>{IDD_TEST_TWICE});
    const std::vector<const DialogTemplate*> all = AllDialogTemplates();
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(),
                               [](const DialogTemplate* a, const DialogTemplate* b) { return a->id < b->id; }));
}

// The base units of an independently made 8-point "MS Sans Serif".
void ExpectedBaseUnits(int& bx, int& by)
{
    LOGFONT lf{};
    lf.lfHeight = -::MulDiv(8, 96, 72);
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    HFONT font = ::CreateFontIndirect(&lf);
    AfxGetDialogBaseUnits(font, &bx, &by);
    ::DeleteObject(font);
}

TEST(DialogTemplates, ControlsSitAtTheirDialogUnitsInPixels)
{
    int bx = 0, by = 0;
    ExpectedBaseUnits(bx, by);
    // A real proportional font: the averages are not the fallback's 4 x 8.
    EXPECT_GE(bx, 5);
    EXPECT_LE(bx, 8);
    EXPECT_GE(by, 12);
    EXPECT_LE(by, 17);

    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_EDIT));
    RECT client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client.right, ::MulDiv(180, bx, 4));
    EXPECT_EQ(client.bottom, ::MulDiv(80, by, 8));

    for (const DialogItemTemplate& item : FindDialogTemplate(IDD_TEST_EDIT)->items) {
        if (item.id == IDC_STATIC)
            continue;
        HWND c = ::GetDlgItem(dlg.m_hWnd, item.id);
        ASSERT_NE(c, nullptr) << item.id;
        const RECT r = RectInParent(c);
        EXPECT_EQ(r.left, ::MulDiv(item.x, bx, 4)) << item.id;
        EXPECT_EQ(r.top, ::MulDiv(item.y, by, 8)) << item.id;
        if (item.id != IDC_LIST) { // a drop-down list keeps its own height
            EXPECT_EQ(r.right - r.left, ::MulDiv(item.cx, bx, 4)) << item.id;
            EXPECT_EQ(r.bottom - r.top, ::MulDiv(item.cy, by, 8)) << item.id;
        }
    }
    RECT mapped{7, 9, 47, 17};
    dlg.MapDialogRect(&mapped);
    EXPECT_EQ(mapped.left, ::MulDiv(7, bx, 4));
    EXPECT_EQ(mapped.bottom, ::MulDiv(17, by, 8));
}

TEST(DialogTemplates, ControlsComeInTemplateOrderWithTextFontAndListItems)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_EDIT));
    std::vector<int> ids;
    for (HWND c = ::GetWindow(dlg.m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        ids.push_back(::GetDlgCtrlID(c));
    EXPECT_EQ(ids, (std::vector<int>{(int)(UINT)IDC_STATIC, IDC_VALUE, IDC_DISABLED, IDC_LIST, IDOK, IDCANCEL}));

    const HFONT font = (HFONT)dlg.SendMessage(WM_GETFONT);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ((HFONT)::SendDlgItemMessage(dlg.m_hWnd, IDOK, WM_GETFONT, 0, 0), font);
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, IDCANCEL)), "Cancel");
    EXPECT_EQ(TextOf(dlg.m_hWnd), "Edit Test");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDC_DISABLED)));

    HWND list = ::GetDlgItem(dlg.m_hWnd, IDC_LIST);
    ASSERT_EQ(::SendMessage(list, CB_GETCOUNT, 0, 0), 3);
    char item[32] = {};
    ::SendMessage(list, CB_GETLBTEXT, 2, (LPARAM)item);
    EXPECT_STREQ(item, "Gamma");
    // The template's default push button is the default id.
    EXPECT_EQ(dlg.GetDefID(), (DWORD)MAKELONG(IDOK, DC_HASDEFID));
}

TEST(DialogTemplates, AControlOfAnUnknownClassFailsTheDialogUnlessAskedNotTo)
{
    TestDialog bad;
    EXPECT_FALSE(bad.Create(IDD_TEST_BADCLASS));
    EXPECT_EQ(bad.m_hWnd, nullptr);
    EXPECT_EQ(bad.initCalls, 0);

    TestDialog tolerant;
    ASSERT_TRUE(tolerant.Create(IDD_TEST_NOFAIL));
    EXPECT_EQ(tolerant.GetDlgItem(1500), nullptr);
    EXPECT_NE(tolerant.GetDlgItem(IDOK), nullptr);
    EXPECT_EQ(tolerant.initCalls, 1);

    TestDialog missing;
    EXPECT_FALSE(missing.Create(39999));
}

TEST(DialogTemplates, TemplatesBuiltAtRunTimeCreateLikeRegisteredOnes)
{
    std::vector<DialogItemTemplate> items;
    std::string caption = "Wait...";
    std::string text = "Reading 12 records";
    items.push_back(DialogItemTemplate{WC_STATIC, 1024, text.c_str(), 10, 10, 120, 12, WS_VISIBLE});
    const DialogTemplate t{0, caption.c_str(), 0, 0, 135, 27, WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT,
                           WS_EX_DLGMODALFRAME, "MS Sans Serif", 8, items};
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(&t));
    caption = "changed afterwards";
    text.clear();
    EXPECT_EQ(TextOf(dlg.m_hWnd), "Wait...");
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, 1024)), "Reading 12 records");
}

TEST(ModelessDialog, LivesFromCreateToDestroyWindowWithoutDisablingItsOwner)
{
    OwnerWindow owner;
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_EDIT, &owner));
    AfxTestProcessEvents();
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_FALSE(dlg.ContinueModal());
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_EQ(::GetWindow(dlg.m_hWnd, GW_OWNER), owner.m_hWnd);
    // OnInitDialog returned TRUE: the first tab stop has the focus.
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_VALUE));
    // Dialogs paint their background in the button face colour.
    EXPECT_EQ(dlg.GetSurfacePixel(2, 2), ::GetSysColor(COLOR_BTNFACE));

    dlg.EndDialog(IDOK); // a modeless dialog only hides
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    EXPECT_FALSE(dlg.IsWindowVisible());

    const HWND first = dlg.m_hWnd;
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_FALSE(::IsWindow(first));

    // The object can make a window again; its destructor destroys that one.
    HWND second = nullptr;
    {
        TestDialog again;
        ASSERT_TRUE(again.Create(IDD_TEST_EDIT, &owner));
        second = again.m_hWnd;
        EXPECT_TRUE(::IsWindow(second));
    }
    EXPECT_FALSE(::IsWindow(second));
}

TEST(ModelessDialog, TabMovesThroughEnabledTabStopsAndWraps)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_EDIT));
    AfxTestProcessEvents();
    const HWND value = ::GetDlgItem(dlg.m_hWnd, IDC_VALUE);
    ASSERT_EQ(::GetFocus(), value);
    AfxTestKeyStroke(value, VK_TAB);
    AfxTestProcessEvents();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_LIST)); // the disabled edit is skipped
    AfxTestKeyStroke(::GetFocus(), VK_TAB, nullptr, MK_SHIFT);
    AfxTestProcessEvents();
    EXPECT_EQ(::GetFocus(), value);
    AfxTestKeyStroke(value, VK_TAB, nullptr, MK_SHIFT);
    AfxTestProcessEvents();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDCANCEL)); // wrapped to the last

    dlg.NextDlgCtrl();
    EXPECT_EQ(::GetFocus(), value);
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDOK));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDOK));
    dlg.PrevDlgCtrl();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_LIST));
}

TEST(ModelessDialog, RadioButtonHelpersCheckOneOfARange)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_EXCHANGE));
    dlg.CheckRadioButton(IDC_X_RADIO1, IDC_X_RADIO3, IDC_X_RADIO2);
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_X_RADIO1, IDC_X_RADIO3), IDC_X_RADIO2);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_X_RADIO1), 0u);
    dlg.CheckRadioButton(IDC_X_RADIO1, IDC_X_RADIO3, 0);
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_X_RADIO1, IDC_X_RADIO3), 0);
}

} // namespace
