// Combo boxes: the drop-down list opened and closed by mouse and keys with the
// notifications of each way, the edit of CBS_DROPDOWN, CB_ERR answers, sorting,
// the window height, and owner-drawn items on the control's surface.
#include "ControlTestSupport.h"

#include "platform/controls/CComboBox.h"

#include <gtest/gtest.h>

namespace {

class ComboBoxTest : public ::testing::Test {
protected:
    ParentWnd parent;

    CComboBox* Make(DWORD style, UINT id = 40, RECT r = {10, 10, 160, 150})
    {
        HWND h = ::CreateWindowEx(0, WC_COMBOBOX, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, parent.m_hWnd, (HMENU)(UINT_PTR)id, nullptr,
                                  nullptr);
        Pump();
        auto* c = static_cast<CComboBox*>(CWnd::FromHandle(h));
        for (const char* s : {"red", "green", "blue"})
            c->AddString(s);
        return c;
    }
    // The dropped list holds the mouse capture.
    static HWND DroppedList() { return ::GetCapture(); }
    static int ListRowY(HWND list, int i)
    {
        RECT r;
        ::SendMessage(list, LB_GETITEMRECT, (WPARAM)i, (LPARAM)&r);
        return (r.top + r.bottom) / 2;
    }
    static CString Text(CWnd* w)
    {
        CString s;
        w->GetWindowText(s);
        return s;
    }
};

TEST_F(ComboBoxTest, DropListOpensByClickAndAClickInTheListChooses)
{
    CComboBox* combo = Make(CBS_DROPDOWNLIST);
    CRect wr;
    combo->GetWindowRect(&wr);
    EXPECT_LT(wr.Height(), 40); // the creation height is the list's
    parent.Clear();
    Click(combo->m_hWnd, 20, 8);
    ASSERT_TRUE(combo->GetDroppedState());
    EXPECT_EQ(parent.Codes(WM_COMMAND, 40), (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN}));
    HWND list = DroppedList();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(::IsWindowVisible(list));
    CRect lr;
    ::GetWindowRect(list, &lr);
    EXPECT_EQ(lr.top, wr.bottom);
    EXPECT_LE(lr.Height(), 140 - wr.Height());
    CRect dropped;
    combo->GetDroppedControlRect(&dropped);
    EXPECT_EQ(dropped, lr);

    parent.Clear();
    AfxTestMouse(list, WM_MOUSEMOVE, 10, ListRowY(list, 2), 0);
    Click(list, 10, ListRowY(list, 2));
    EXPECT_FALSE(combo->GetDroppedState());
    EXPECT_FALSE(::IsWindowVisible(list));
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(Text(combo), CString("blue"));
    EXPECT_EQ(parent.Codes(WM_COMMAND, 40), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, EscapeAndAClickOutsideCancel)
{
    CComboBox* combo = Make(CBS_DROPDOWNLIST);
    combo->SetCurSel(0);
    Click(combo->m_hWnd, 20, 8);
    HWND list = DroppedList();
    ASSERT_NE(list, nullptr);
    AfxTestMouse(list, WM_MOUSEMOVE, 10, ListRowY(list, 1), 0); // hot tracking does not choose
    Pump();
    parent.Clear();
    Key(combo->m_hWnd, VK_ESCAPE);
    EXPECT_FALSE(combo->GetDroppedState());
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 40), (std::vector<UINT>{CBN_SELENDCANCEL, CBN_CLOSEUP}));

    Click(combo->m_hWnd, 20, 8);
    list = DroppedList();
    parent.Clear();
    Click(list, 10, -30); // above the list
    EXPECT_FALSE(combo->GetDroppedState());
    EXPECT_EQ(parent.Codes(WM_COMMAND, 40), (std::vector<UINT>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, KeysChangeTheSelectionOfAClosedListAndOpenIt)
{
    CComboBox* combo = Make(CBS_DROPDOWNLIST);
    combo->SetFocus();
    parent.Clear();
    Key(combo->m_hWnd, VK_DOWN);
    Key(combo->m_hWnd, VK_DOWN);
    EXPECT_EQ(combo->GetCurSel(), 1);
    Key(combo->m_hWnd, VK_UP);
    Key(combo->m_hWnd, 'B', "b");
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 40), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE}));
    EXPECT_FALSE(combo->GetDroppedState());
    parent.Clear();
    Key(combo->m_hWnd, VK_F4);
    EXPECT_TRUE(combo->GetDroppedState());
    Key(combo->m_hWnd, VK_UP);
    Key(combo->m_hWnd, VK_RETURN);
    EXPECT_FALSE(combo->GetDroppedState());
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 40),
              (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    // Setting the selection by message notifies nothing.
    parent.Clear();
    combo->SetCurSel(0);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 40), std::vector<UINT>{});
}

TEST_F(ComboBoxTest, ItemsAndCbErr)
{
    CComboBox* combo = Make(CBS_DROPDOWNLIST | CBS_SORT);
    EXPECT_EQ(combo->AddString("Amber"), 0);
    EXPECT_EQ(combo->GetCount(), 4);
    CString s;
    combo->GetLBText(1, s);
    EXPECT_EQ(s, CString("blue"));
    EXPECT_EQ(combo->GetLBTextLen(3), 3);
    EXPECT_EQ(combo->GetLBTextLen(4), CB_ERR);
    char buffer[8] = {};
    EXPECT_EQ(combo->GetLBText(9, buffer), CB_ERR);
    EXPECT_EQ(combo->FindStringExact(-1, "GREEN"), 2);
    EXPECT_EQ(combo->FindStringExact(-1, "gree"), CB_ERR);
    EXPECT_EQ(combo->FindString(-1, "gr"), 2);
    EXPECT_EQ(combo->SelectString(-1, "r"), 3);
    EXPECT_EQ(combo->SetCurSel(-1), CB_ERR);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    EXPECT_EQ(combo->SetCurSel(4), CB_ERR);
    EXPECT_EQ(combo->SetItemData(1, 0x55), 0);
    EXPECT_EQ(combo->GetItemData(1), 0x55u);
    EXPECT_EQ((LRESULT)combo->GetItemData(5), CB_ERR);
    EXPECT_EQ(combo->DeleteString(7), CB_ERR);
    EXPECT_EQ(combo->DeleteString(0), 3);
    EXPECT_EQ(combo->LimitText(3), CB_ERR); // a drop-down list has no edit
    EXPECT_EQ(::SetWindowText(combo->m_hWnd, "blue"), TRUE);
    EXPECT_EQ(combo->GetCurSel(), 0);
    combo->ResetContent();
    EXPECT_EQ(combo->GetCount(), 0);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
}

TEST_F(ComboBoxTest, EditOfADropDownNotifiesTypingButNotSetText)
{
    CComboBox* combo = Make(CBS_DROPDOWN | CBS_AUTOHSCROLL);
    HWND edit = ::GetDlgItem(combo->m_hWnd, 1001);
    ASSERT_NE(edit, nullptr);
    parent.Clear();
    combo->SetFocus();
    EXPECT_EQ(::GetFocus(), edit);
    TypeText(edit, "ab");
    EXPECT_EQ(Text(combo), CString("ab"));
    EXPECT_EQ(parent.Codes(WM_COMMAND, 40), (std::vector<UINT>{CBN_SETFOCUS, CBN_EDITUPDATE, CBN_EDITCHANGE,
                                                               CBN_EDITUPDATE, CBN_EDITCHANGE}));
    const DWORD sel = combo->GetEditSel();
    EXPECT_EQ(LOWORD(sel), 2);
    EXPECT_EQ(HIWORD(sel), 2);
    EXPECT_TRUE(combo->SetEditSel(0, 1));
    EXPECT_EQ(combo->GetEditSel(), (DWORD)MAKELONG(0, 1));
    parent.Clear();
    combo->SetWindowText("12");
    combo->SetCurSel(1);
    EXPECT_EQ(Text(combo), CString("green"));
    EXPECT_EQ(parent.Codes(WM_COMMAND, 40), std::vector<UINT>{});
    // Down in the edit moves the selection.
    Key(edit, VK_DOWN);
    EXPECT_EQ(Text(combo), CString("blue"));
    EXPECT_EQ(parent.Codes(WM_COMMAND, 40), std::vector<UINT>{CBN_SELCHANGE});
    EXPECT_TRUE(combo->LimitText(2));
    // The focus leaves the combo box and its edit: one notification.
    HWND other = ::CreateWindowEx(0, WC_BUTTON, "b", WS_CHILD | WS_VISIBLE, 200, 10, 40, 20, parent.m_hWnd,
                                  (HMENU)99, nullptr, nullptr);
    parent.Clear();
    ::SetFocus(other);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 40), std::vector<UINT>{CBN_KILLFOCUS});
}

// An owner-drawn combo box whose class measures and draws its items: colour swatches.
class SwatchCombo : public CComboBox {
public:
    std::vector<DRAWITEMSTRUCT> draws;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override { mis->itemHeight = 16; }
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        draws.push_back(*dis);
        if ((int)dis->itemID >= 0)
            CDC::FromHandle(dis->hDC)->FillSolidRect(&dis->rcItem, (COLORREF)dis->itemData);
    }
};

TEST_F(ComboBoxTest, OwnerDrawnFieldAndListAreDrawnByTheClass)
{
    SwatchCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(10, 10, 110, 150), &parent, 41));
    EXPECT_EQ(combo.GetItemHeight(-1), 16);
    EXPECT_EQ(combo.GetItemHeight(0), 16);
    combo.AddString("red");
    combo.SetItemData(0, RGB(255, 0, 0));
    combo.AddString("blue");
    combo.SetItemData(1, RGB(0, 0, 255));
    combo.SetCurSel(1);
    Pump();
    // The selection field shows the selected item as its class drew it.
    EXPECT_EQ(Pixel(combo.m_hWnd, 20, 10), RGB(0, 0, 255));
    bool field = false;
    for (const DRAWITEMSTRUCT& d : combo.draws)
        if ((d.itemState & ODS_COMBOBOXEDIT) && d.itemID == 1 && d.hwndItem == combo.m_hWnd && d.CtlType == ODT_COMBOBOX)
            field = true;
    EXPECT_TRUE(field);

    combo.ShowDropDown(TRUE);
    HWND list = DroppedList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Pixel(list, 10, 8), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(list, 10, 24), RGB(0, 0, 255));
    EXPECT_EQ(combo.draws.back().hwndItem, combo.m_hWnd); // list items belong to the combo box
    combo.ShowDropDown(FALSE);
}

TEST_F(ComboBoxTest, ASimpleComboKeepsItsListBelowTheEdit)
{
    CComboBox* combo = Make(CBS_SIMPLE, 42);
    CRect wr;
    combo->GetWindowRect(&wr);
    EXPECT_EQ(wr.Height(), 140);
    EXPECT_NE(::GetDlgItem(combo->m_hWnd, 1001), nullptr);
    HWND list = ::GetDlgItem(combo->m_hWnd, 1000);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(::IsWindowVisible(list));
    parent.Clear();
    Click(list, 10, ListRowY(list, 1));
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(Text(combo), CString("green"));
}

} // namespace
