// The report list: its sort order, cell colours that follow their items, the
// in-place editor driven by clicks and keys, and the state masks.
#include <gtest/gtest.h>

#include "dialogs/controls/ReportListCompare.h"
#include "dialogs/controls/ReportListCtrl.h"
#include "platform/controls/CEdit.h"
#include "platform/controls/CHeaderCtrl.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"
#include "platform/wnd/WndTestInput.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(ReportCompare, RulesApplyInOrder)
{
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"9", "A", -1},          // both hexadecimal: 9 < 10
        {"A", "10", -1},         // 10 < 16
        {"ff", "FF", 0},         // hexadecimal, not text
        {"12%", "3.5", 1},       // decimal, one final '%' allowed
        {"3.5", "12%", -1},
        {"3%%", "12", 1},        // two "%" is no number: text
        {"Pear", "pear", -1},    // text, case-sensitive
        {"2024-03-01", "2024-02-29", 1},       // dates
        {"01.03.2024", "2024-02-29 23:59", 1}, // day.month.year against year first
        {"10:30", "9:45", 1},                  // times alone
        {"2023-02-29", "2023-03-01", -1},      // no such day: text
        {"100000000", "FFFFFFFF", 0},          // a 32-bit value saturates
        {"", "", 0},
        {"", "x", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompareReportTexts(c.a, c.b), c.expected) << c.a << " vs " << c.b;
}

// Records what the list tells its parent.
class ParentWnd : public CWnd {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Message> received;
    std::vector<UINT> notifyCodes;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_REPORT_CHECKCHANGED && message <= WM_REPORT_CELLCHANGED) {
            received.push_back({message, wParam, lParam});
            return 0;
        }
        if (message == WM_NOTIFY)
            notifyCodes.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ReportList : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      0, 0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(m_list.Create(&m_parent, 100));
        m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        m_list.InsertColumn(1, "Value", LVCFMT_LEFT, 100);
        AfxTestProcessEvents();
    }

    void Fill(std::initializer_list<std::pair<const char*, const char*>> rows)
    {
        for (const auto& [name, value] : rows) {
            const int i = m_list.InsertItem(m_list.GetItemCount(), name);
            m_list.SetItemText(i, 1, value);
        }
    }

    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            texts.push_back(m_list.GetItemText(i, column).GetString());
        return texts;
    }

    CPoint CellCentre(int item, int column)
    {
        CRect r;
        m_list.GetSubItemRect(item, column, LVIR_LABEL, r);
        return r.CenterPoint();
    }

    void Click(int item, int column)
    {
        const CPoint p = CellCentre(item, column);
        AfxTestMouse(m_list.m_hWnd, WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
        AfxTestMouse(m_list.m_hWnd, WM_LBUTTONUP, p.x, p.y, 0);
        AfxTestProcessEvents();
    }

    void ClickHeader(int column)
    {
        CHeaderCtrl* header = m_list.GetHeaderCtrl();
        CRect r;
        header->GetItemRect(column, &r);
        AfxTestMouse(header->m_hWnd, WM_LBUTTONDOWN, r.CenterPoint().x, r.CenterPoint().y, MK_LBUTTON);
        AfxTestMouse(header->m_hWnd, WM_LBUTTONUP, r.CenterPoint().x, r.CenterPoint().y, 0);
        AfxTestProcessEvents();
    }

    size_t Count(UINT message) const
    {
        size_t n = 0;
        for (const auto& m : m_parent.received)
            n += m.message == message ? 1 : 0;
        return n;
    }

    ParentWnd m_parent;
    CReportListCtrl m_list;
};

TEST_F(ReportList, HeaderClicksSortAndTurnTheOrderWithColoursAndDataAlong)
{
    Fill({{"a", "10"}, {"b", "9"}, {"c", "A"}});
    m_list.SetItemBkColor(1, 0, RGB(255, 0, 0), FALSE); // the "9" row
    m_list.SetItemData(1, 77);

    ClickHeader(1);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"9", "A", "10"}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(m_list.GetItemBkColor(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(m_list.GetItemData(0), 77u);
    ASSERT_EQ(Count(WM_REPORT_SORTED), 1u);
    EXPECT_EQ(m_parent.received.back().wParam, 1u);
    EXPECT_EQ(m_parent.received.back().lParam, TRUE);

    ClickHeader(1);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"10", "A", "9"}));
    EXPECT_FALSE(m_list.IsSortAscending());
    EXPECT_EQ(m_list.GetItemBkColor(2, 0), RGB(255, 0, 0));

    // A change of a cell's text forgets the sort: the next click sorts ascending.
    m_list.SetItemText(0, 1, "1");
    EXPECT_EQ(m_list.GetSortColumn(), -1);
}

TEST_F(ReportList, SortKeepsEveryItemOnAnyInput)
{
    // Many equal keys and a pivot that the swaps move: nothing lost or doubled.
    const char* values[] = {"5", "x", "5", "Pear", "pear", "5", "1.5", "x", "12%", "5", "b", "5"};
    for (const char* v : values) {
        const int i = m_list.InsertItem(m_list.GetItemCount(), v);
        m_list.SetItemText(i, 1, v);
    }
    ASSERT_TRUE(m_list.SortItems(0, TRUE));
    std::vector<std::string> sorted = Column(0);
    std::vector<std::string> expected(std::begin(values), std::end(values));
    std::sort(sorted.begin(), sorted.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(Column(0), Column(1)); // whole rows moved
}

TEST_F(ReportList, ColumnsInsertedAndDeletedKeepEachCellsColours)
{
    Fill({{"a", "1"}, {"b", "2"}});
    m_list.SetItemBkColor(-1, 0, RGB(1, 2, 3), FALSE); // column 0 of every item
    m_list.InsertColumn(0, "New", LVCFMT_LEFT, 50);
    ASSERT_EQ(m_list.GetColumnCount(), 3);
    for (int item = 0; item < 2; ++item) {
        EXPECT_EQ(m_list.GetItemBkColor(item, 0), GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(m_list.GetItemBkColor(item, 1), RGB(1, 2, 3));
    }
    m_list.DeleteColumn(0);
    EXPECT_EQ(m_list.GetItemBkColor(1, 0), RGB(1, 2, 3));
    m_list.SetItemBkColor(0, 99, (COLORREF)-1, FALSE); // every column of item 0, back to the window colour
    EXPECT_EQ(m_list.GetItemBkColor(0, 0), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(m_list.GetItemBkColor(1, 0), RGB(1, 2, 3));
}

TEST_F(ReportList, CellBackgroundIsWhatTheUserSees)
{
    Fill({{"a", "1"}, {"b", "2"}});
    m_list.SetItemBkColor(1, 0, RGB(0, 0x80, 0xff), TRUE);
    CRect cell;
    m_list.GetSubItemRect(1, 0, LVIR_LABEL, cell);
    CClientDC dc(&m_list);
    EXPECT_EQ(dc.GetPixel(cell.right - 3, cell.bottom - 3), RGB(0, 0x80, 0xff));
    m_list.GetSubItemRect(0, 0, LVIR_LABEL, cell);
    EXPECT_NE(dc.GetPixel(cell.right - 3, cell.bottom - 3), RGB(0, 0x80, 0xff));
}

TEST_F(ReportList, SecondClickEditsAndOnlyAChangedTextIsReported)
{
    Fill({{"a", "1"}, {"b", "2"}});
    m_list.SetEditable(TRUE);
    Click(1, 1);
    EXPECT_FALSE(m_list.IsEditing()); // the first click selects
    Click(1, 1);
    ASSERT_TRUE(m_list.IsEditing());
    EXPECT_EQ(m_list.GetEditItem(), 1);
    EXPECT_EQ(m_list.GetEditSubItem(), 1);
    CEdit* edit = m_list.GetEditWnd();
    CString text;
    edit->GetWindowText(text);
    EXPECT_STREQ(text, "2");

    AfxTestKeyStroke(edit->m_hWnd, VK_RETURN, "\r");
    AfxTestProcessEvents();
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ(Count(WM_REPORT_CELLCHANGED), 0u);

    ASSERT_TRUE(m_list.StartEdit(1, 1));
    edit->SetWindowText("20");
    AfxTestKeyStroke(edit->m_hWnd, VK_RETURN, "\r");
    AfxTestProcessEvents();
    EXPECT_STREQ(m_list.GetItemText(1, 1), "20");
    ASSERT_EQ(Count(WM_REPORT_CELLCHANGED), 1u);
    EXPECT_EQ(m_parent.received.back().wParam, 1u);
    EXPECT_EQ(m_parent.received.back().lParam, 1);
}

TEST_F(ReportList, EditorKeysMoveBetweenCells)
{
    Fill({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    m_list.SetEditable(TRUE);
    ASSERT_TRUE(m_list.StartEdit(0, 1));
    CEdit* edit = m_list.GetEditWnd();
    edit->SetWindowText("one");
    AfxTestKeyStroke(edit->m_hWnd, VK_TAB, "\t"); // last column: on to column 0 of the same item
    EXPECT_STREQ(m_list.GetItemText(0, 1), "one");
    EXPECT_EQ(m_list.GetEditItem(), 0);
    EXPECT_EQ(m_list.GetEditSubItem(), 0);

    AfxTestKeyStroke(edit->m_hWnd, VK_UP); // first item: nothing
    EXPECT_EQ(m_list.GetEditItem(), 0);
    AfxTestKeyStroke(edit->m_hWnd, VK_DOWN);
    EXPECT_EQ(m_list.GetEditItem(), 1);
    EXPECT_EQ(m_list.GetEditSubItem(), 0);
    EXPECT_EQ(m_list.GetFirstItem(CReportListCtrl::ITEM_SELECTED), 1);

    edit->SetWindowText("dropped");
    AfxTestKeyStroke(edit->m_hWnd, VK_ESCAPE, "\x1b");
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_STREQ(m_list.GetItemText(1, 0), "b");

    // Deleting the item under edit cancels the edit instead of committing it.
    ASSERT_TRUE(m_list.StartEdit(2, 1));
    edit->SetWindowText("lost");
    m_list.DeleteItem(2);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ(Count(WM_REPORT_CELLCHANGED), 1u); // only the "one" of the Tab
    EXPECT_EQ(m_list.GetItemCount(), 2);
}

TEST_F(ReportList, NothingIsEditedWhenTheListIsNotEditable)
{
    Fill({{"a", "1"}});
    Click(0, 1);
    Click(0, 1);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_FALSE(m_list.StartEdit(0, 1));
}

TEST_F(ReportList, MasksCountSelectAndCheck)
{
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    Fill({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
    m_list.SetItemStates(1, CReportListCtrl::ITEM_SELECTED | CReportListCtrl::ITEM_CHECKED);
    m_list.SetItemStates(3, CReportListCtrl::ITEM_CHECKED);
    using R = CReportListCtrl;
    EXPECT_EQ(m_list.GetItemCount(R::ITEM_ALL), 4);
    EXPECT_EQ(m_list.GetItemCount(R::ITEM_CHECKED), 2);
    EXPECT_EQ(m_list.GetItemCount(R::ITEM_CHECKED | R::ITEM_UNSELECTED), 1);
    EXPECT_EQ(m_list.GetItemCount(0), 0);
    EXPECT_EQ(m_list.GetFirstItem(R::ITEM_CHECKED, 1), 3);
    EXPECT_EQ(m_list.GetFirstItem(R::ITEM_CHECKED, 3), -1);

    EXPECT_EQ(m_list.SetAllItemStates(R::ITEM_CHECKED, R::ITEM_UNCHECKED | R::ITEM_SELECTED), 2);
    EXPECT_EQ(m_list.GetItemCount(R::ITEM_SELECTED), 2);
    EXPECT_EQ(m_list.DeleteAllItems(R::ITEM_SELECTED), 2);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(m_list.DeleteAllItems(), 2);
    EXPECT_EQ(m_list.GetItemCount(), 0);
}

TEST_F(ReportList, ACheckBoxChangesByMouseAndNotBySpace)
{
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    Fill({{"a", "1"}, {"b", "2"}});
    m_list.SetItemStates(0, CReportListCtrl::ITEM_SELECTED | CReportListCtrl::ITEM_FOCUSED);
    CRect row;
    m_list.GetItemRect(1, row, LVIR_BOUNDS);
    // The check box sits at the left of the row.
    AfxTestMouse(m_list.m_hWnd, WM_LBUTTONDOWN, row.left + 8, row.CenterPoint().y, MK_LBUTTON);
    AfxTestMouse(m_list.m_hWnd, WM_LBUTTONUP, row.left + 8, row.CenterPoint().y, 0);
    AfxTestProcessEvents();
    ASSERT_TRUE(m_list.GetCheck(1));
    ASSERT_EQ(Count(WM_REPORT_CHECKCHANGED), 1u);
    EXPECT_EQ(m_parent.received.back().wParam, 1u);
    EXPECT_EQ(m_parent.received.back().lParam, WM_LBUTTONDOWN);
    EXPECT_EQ(m_list.GetFirstItem(CReportListCtrl::ITEM_SELECTED | CReportListCtrl::ITEM_FOCUSED), 1);
    EXPECT_EQ(m_list.GetItemCount(CReportListCtrl::ITEM_SELECTED), 1);

    m_list.SetFocus();
    AfxTestKeyStroke(m_list.m_hWnd, VK_SPACE, " ");
    EXPECT_TRUE(m_list.GetCheck(1));
}

TEST_F(ReportList, HeaderTextAndImages)
{
    EXPECT_STREQ(m_list.GetHeaderText(1), "Value");
    EXPECT_STREQ(m_list.GetHeaderText(5), "");
    Fill({{"a", "1"}});
    EXPECT_TRUE(m_list.SetItemImage(0, 1, 3));
    EXPECT_EQ(m_list.GetItemImage(0, 1), 3);
    EXPECT_EQ(m_list.GetItemImage(7, 1), -1);
}

} // namespace
