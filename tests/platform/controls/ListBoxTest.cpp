// List boxes: items and their errors, sorting, selection by mouse and keys with
// the notifications of each, multiple and extended selection, owner drawing on
// the control's surface, scrolling.
#include "ControlTestSupport.h"

#include "platform/controls/CListBox.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ListBoxTest : public ::testing::Test {
protected:
    ParentWnd parent;

    CListBox* Make(DWORD style, UINT id = 30, RECT r = {10, 10, 160, 110})
    {
        HWND h = ::CreateWindowEx(WS_EX_CLIENTEDGE, WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, parent.m_hWnd, (HMENU)(UINT_PTR)id, nullptr,
                                  nullptr);
        Pump();
        return static_cast<CListBox*>(CWnd::FromHandle(h));
    }
    static CString TextAt(CListBox* list, int i)
    {
        CString s;
        list->GetText(i, s);
        return s;
    }
    // The client y of the middle of item i.
    static int RowY(CListBox* list, int i)
    {
        CRect r;
        list->GetItemRect(i, &r);
        return (r.top + r.bottom) / 2;
    }
};

TEST_F(ListBoxTest, ItemsSortedFoundAndOutOfRangeAnswersLbErr)
{
    CListBox* list = Make(LBS_SORT | LBS_NOTIFY);
    EXPECT_EQ(list->AddString("pear"), 0);
    EXPECT_EQ(list->AddString("Apple"), 0);
    EXPECT_EQ(list->AddString("banana"), 1);
    EXPECT_EQ(list->InsertString(-1, "zz last"), 3); // InsertString never sorts
    EXPECT_EQ(list->InsertString(9, "x"), LB_ERR);
    EXPECT_EQ(TextAt(list, 2), CString("pear"));
    EXPECT_EQ(list->GetCount(), 4);

    EXPECT_EQ(list->FindString(-1, "B"), 1);            // prefix, any case
    EXPECT_EQ(list->FindString(1, "b"), 1);             // wraps round to the start
    EXPECT_EQ(list->FindStringExact(-1, "PEAR"), 2);
    EXPECT_EQ(list->FindStringExact(-1, "pea"), LB_ERR);
    EXPECT_EQ(list->SelectString(-1, "pe"), 2);
    EXPECT_EQ(list->GetCurSel(), 2);

    EXPECT_EQ(list->SetItemData(1, 77), 0);
    EXPECT_EQ(list->GetItemData(1), 77u);
    EXPECT_EQ((LRESULT)list->GetItemData(7), LB_ERR);
    EXPECT_EQ(list->SetItemData(7, 1), LB_ERR);
    EXPECT_EQ(list->GetTextLen(7), LB_ERR);
    char buffer[8] = {};
    EXPECT_EQ(list->GetText(-1, buffer), LB_ERR);
    EXPECT_EQ(list->DeleteString(4), LB_ERR);
    EXPECT_EQ(list->SetCurSel(9), LB_ERR);
    EXPECT_EQ(list->GetCurSel(), LB_ERR); // an index out of range clears the selection
    EXPECT_EQ(list->SetSel(0, TRUE), LB_ERR); // only for multiple selection
    EXPECT_EQ(list->GetSelCount(), LB_ERR);

    EXPECT_EQ(list->SetCurSel(2), 2);
    EXPECT_EQ(list->DeleteString(0), 3);
    EXPECT_EQ(list->GetCurSel(), 1); // the selection moves with its item
    list->ResetContent();
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->GetCurSel(), LB_ERR);
}

TEST_F(ListBoxTest, UserSelectionNotifiesProgrammaticDoesNot)
{
    CListBox* list = Make(LBS_NOTIFY);
    for (const char* s : {"one", "two", "three", "four"})
        list->AddString(s);
    parent.Clear();
    list->SetCurSel(1);
    EXPECT_EQ(parent.Count(WM_COMMAND, LBN_SELCHANGE), 0);

    Click(list->m_hWnd, 20, RowY(list, 2));
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 30), (std::vector<UINT>{LBN_SETFOCUS, LBN_SELCHANGE}));
    parent.Clear();
    Click(list->m_hWnd, 20, RowY(list, 2)); // the same item again: nothing changed
    EXPECT_EQ(parent.Count(WM_COMMAND, LBN_SELCHANGE), 0);
    Key(list->m_hWnd, VK_DOWN);
    EXPECT_EQ(list->GetCurSel(), 3);
    Key(list->m_hWnd, VK_DOWN); // at the end: no change
    Key(list->m_hWnd, VK_HOME);
    EXPECT_EQ(list->GetCurSel(), 0);
    Key(list->m_hWnd, 'T', "t");
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(parent.Count(WM_COMMAND, LBN_SELCHANGE), 3);
    parent.Clear();
    DoubleClick(list->m_hWnd, 20, RowY(list, 1));
    EXPECT_EQ(parent.Count(WM_COMMAND, LBN_DBLCLK), 1);

    // Without LBS_NOTIFY the parent hears nothing.
    CListBox* quiet = Make(0, 31, RECT{170, 10, 300, 110});
    quiet->AddString("a");
    parent.Clear();
    Click(quiet->m_hWnd, 10, RowY(quiet, 0));
    EXPECT_EQ(quiet->GetCurSel(), 0);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 31), std::vector<UINT>{});
}

TEST_F(ListBoxTest, MultipleAndExtendedSelection)
{
    CListBox* multi = Make(LBS_MULTIPLESEL | LBS_NOTIFY, 32);
    for (const char* s : {"a", "b", "c", "d"})
        multi->AddString(s);
    Click(multi->m_hWnd, 10, RowY(multi, 1));
    Click(multi->m_hWnd, 10, RowY(multi, 3));
    Click(multi->m_hWnd, 10, RowY(multi, 1)); // toggles off
    EXPECT_EQ(multi->GetSelCount(), 1);
    int items[4] = {};
    EXPECT_EQ(multi->GetSelItems(4, items), 1);
    EXPECT_EQ(items[0], 3);
    EXPECT_EQ(multi->SetCurSel(0), LB_ERR);
    EXPECT_EQ(multi->SetSel(-1, TRUE), 0);
    EXPECT_EQ(multi->GetSelCount(), 4);

    CListBox* ext = Make(LBS_EXTENDEDSEL | LBS_NOTIFY, 33, RECT{170, 10, 300, 110});
    for (const char* s : {"a", "b", "c", "d", "e"})
        ext->AddString(s);
    Click(ext->m_hWnd, 10, RowY(ext, 1));
    Click(ext->m_hWnd, 10, RowY(ext, 3), MK_SHIFT);
    EXPECT_EQ(ext->GetSelCount(), 3);
    Click(ext->m_hWnd, 10, RowY(ext, 2), MK_CONTROL);
    EXPECT_EQ(ext->GetSelCount(), 2);
    EXPECT_EQ(ext->GetSel(2), 0);
    EXPECT_EQ(ext->GetCaretIndex(), 2);
    Click(ext->m_hWnd, 10, RowY(ext, 4));
    EXPECT_EQ(ext->GetSelCount(), 1);
    EXPECT_GT(ext->GetSel(4), 0);
}

constexpr COLORREF kSwatch[] = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255)};

// A list box that draws each item's colour (its item data) as a swatch.
class SwatchList : public CListBox {
public:
    std::vector<DRAWITEMSTRUCT> draws;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        draws.push_back(*dis);
        CDC* dc = CDC::FromHandle(dis->hDC);
        if ((int)dis->itemID < 0) {
            dc->FillSolidRect(&dis->rcItem, RGB(255, 255, 0));
            return;
        }
        dc->FillSolidRect(&dis->rcItem, (dis->itemState & ODS_SELECTED) ? RGB(0, 0, 0) : (COLORREF)dis->itemData);
    }
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override { mis->itemHeight = 20; }
};

TEST_F(ListBoxTest, OwnerDrawnItemsAppearOnTheSurface)
{
    SwatchList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY,
                            CRect(10, 10, 110, 110), &parent, 34));
    EXPECT_EQ(list.GetItemHeight(0), 20); // measured by the class through reflection
    list.SetFocus();
    Pump();
    // An empty list with the focus draws the focus item -1.
    EXPECT_EQ(Pixel(list.m_hWnd, 5, 5), RGB(255, 255, 0));
    for (int i = 0; i < 3; ++i) {
        list.AddString("x");
        list.SetItemData(i, kSwatch[i]);
    }
    list.SetCurSel(1);
    EXPECT_EQ(Pixel(list.m_hWnd, 50, 10), kSwatch[0]);
    EXPECT_EQ(Pixel(list.m_hWnd, 50, 30), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(list.m_hWnd, 50, 50), kSwatch[2]);
    bool sawFocus = false;
    for (const DRAWITEMSTRUCT& d : list.draws) {
        EXPECT_EQ(d.CtlType, (UINT)ODT_LISTBOX);
        EXPECT_EQ(d.hwndItem, list.m_hWnd);
        if (d.itemID == 1 && (d.itemState & ODS_FOCUS) && (d.itemState & ODS_SELECTED))
            sawFocus = true;
    }
    EXPECT_TRUE(sawFocus);
    EXPECT_EQ(list.draws.back().rcItem.bottom - list.draws.back().rcItem.top, 20);
}

TEST_F(ListBoxTest, ParentMeasuresAndDrawsItemsOfAListWithoutItsOwnClass)
{
    parent.measureHeight = 18;
    parent.onDrawItem = [](DRAWITEMSTRUCT* dis) {
        CDC::FromHandle(dis->hDC)->FillSolidRect(&dis->rcItem, RGB(0, 0, 255));
    };
    CListBox* list = Make(LBS_OWNERDRAWFIXED, 35);
    EXPECT_EQ(parent.Count(WM_MEASUREITEM, ODT_LISTBOX, 35), 1);
    EXPECT_EQ(list->GetItemHeight(0), 18);
    list->AddString(reinterpret_cast<LPCTSTR>(0x1234)); // no strings: the item data
    EXPECT_EQ(list->GetItemData(0), 0x1234u);
    EXPECT_EQ(Pixel(list->m_hWnd, 20, 9), RGB(0, 0, 255));
}

// Items of growing heights, measured as they are added.
class StairList : public CListBox {
public:
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override { mis->itemHeight = 10 + 5 * mis->itemID; }
};

TEST_F(ListBoxTest, VariableOwnerDrawnItemsHaveTheirOwnHeights)
{
    StairList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, CRect(10, 10, 110, 110),
                            &parent, 37));
    for (int i = 0; i < 4; ++i)
        list.AddString("x");
    EXPECT_EQ(list.GetItemHeight(2), 20);
    CRect r;
    list.GetItemRect(3, &r);
    EXPECT_EQ(r.top, 10 + 15 + 20);
    EXPECT_EQ(r.Height(), 25);
    BOOL outside = TRUE;
    EXPECT_EQ(list.ItemFromPoint(CPoint(5, 30), outside), 2u);
    EXPECT_FALSE(outside);
}

TEST_F(ListBoxTest, TopIndexClampsAndWheelScrolls)
{
    CListBox* list = Make(WS_VSCROLL | LBS_NOTIFY, 36, RECT{10, 10, 160, 70});
    for (int i = 0; i < 30; ++i)
        list->AddString("item");
    CRect client;
    list->GetClientRect(&client);
    const int visible = client.Height() / list->GetItemHeight(0);
    EXPECT_EQ(list->SetTopIndex(29), 0);
    EXPECT_EQ(list->GetTopIndex(), 30 - visible);
    EXPECT_EQ(list->SetTopIndex(30), LB_ERR);
    list->SetTopIndex(10);
    AfxTestWheel(list->m_hWnd, 10, 10, -WHEEL_DELTA);
    Pump();
    EXPECT_EQ(list->GetTopIndex(), 13);
    list->SetCurSel(0);
    EXPECT_EQ(list->GetTopIndex(), 0); // the selection is brought into view
}

TEST_F(ListBoxTest, ScrollCodesAndHalfNotchesMoveTheTopRow)
{
    CListBox* list = Make(WS_VSCROLL | LBS_NOTIFY, 37, RECT{10, 10, 160, 70});
    for (int i = 0; i < 30; ++i)
        list->AddString("item");
    CRect client;
    list->GetClientRect(&client);
    const int visible = client.Height() / list->GetItemHeight(0);
    const auto scroll = [&](UINT code, int pos = 0) {
        ::SendMessage(list->m_hWnd, WM_VSCROLL, MAKEWPARAM(code, pos), 0);
        return list->GetTopIndex();
    };
    EXPECT_EQ(scroll(SB_LINEDOWN), 1);
    EXPECT_EQ(scroll(SB_LINEUP), 0);
    EXPECT_EQ(scroll(SB_LINEUP), 0);
    EXPECT_EQ(scroll(SB_PAGEDOWN), std::max(1, visible - 1));
    EXPECT_EQ(scroll(SB_THUMBPOSITION, 7), 7);
    EXPECT_EQ(scroll(SB_BOTTOM), 30 - visible);
    EXPECT_EQ(scroll(SB_ENDSCROLL), 30 - visible);
    EXPECT_EQ(scroll(SB_TOP), 0);

    // Half a notch waits for the other half; then three rows go by.
    list->SetTopIndex(10);
    AfxTestWheel(list->m_hWnd, 10, 10, -WHEEL_DELTA / 2);
    Pump();
    EXPECT_EQ(list->GetTopIndex(), 10);
    AfxTestWheel(list->m_hWnd, 10, 10, -WHEEL_DELTA / 2);
    Pump();
    EXPECT_EQ(list->GetTopIndex(), 13);
}

} // namespace
