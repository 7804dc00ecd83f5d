// List views in report view: columns and items, selection by mouse and keys with
// the notifications of each, column clicks and header dragging, per-cell custom
// draw colours, owner data, sorting, hit tests, check boxes, label editing and
// images.
#include "ControlTestSupport.h"

#include "platform/controls/CEdit.h"
#include "platform/controls/CHeaderCtrl.h"
#include "platform/controls/CImageList.h"
#include "platform/controls/CListCtrl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

namespace {

class ListCtrlTest : public ::testing::Test {
protected:
    ParentWnd parent;

    CListCtrl* Make(DWORD style, DWORD exStyle = 0, UINT id = 60, RECT r = {10, 10, 310, 210})
    {
        HWND h = ::CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | style, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, parent.m_hWnd, (HMENU)(UINT_PTR)id, nullptr,
                                  nullptr);
        auto* list = static_cast<CListCtrl*>(CWnd::FromHandle(h));
        list->SetExtendedStyle(exStyle);
        Pump();
        return list;
    }
    // Three columns, `rows` items "r<i>c<j>" with item data 100 + i.
    static void Fill(CListCtrl* list, int rows)
    {
        list->InsertColumn(0, "A", LVCFMT_LEFT, 80);
        list->InsertColumn(1, "B", LVCFMT_RIGHT, 80);
        list->InsertColumn(2, "C", LVCFMT_CENTER, 80);
        for (int i = 0; i < rows; ++i) {
            char text[16];
            std::snprintf(text, sizeof text, "r%dc0", i);
            list->InsertItem(i, text);
            list->SetItemData(i, (DWORD_PTR)(100 + i));
            for (int j = 1; j < 3; ++j) {
                std::snprintf(text, sizeof text, "r%dc%d", i, j);
                list->SetItemText(i, j, text);
            }
        }
        Pump();
    }
    static CPoint CellCenter(CListCtrl* list, int item, int sub)
    {
        CRect r;
        list->GetSubItemRect(item, sub, LVIR_LABEL, r);
        return r.CenterPoint();
    }
    std::vector<Event> Notes(UINT code) const
    {
        std::vector<Event> r;
        for (const Event& e : parent.events)
            if (e.message == WM_NOTIFY && e.code == code)
                r.push_back(e);
        return r;
    }
};

TEST_F(ListCtrlTest, ColumnsAndItems)
{
    CListCtrl* list = Make(0);
    EXPECT_EQ(list->InsertColumn(0, "Name", LVCFMT_RIGHT, 100), 0);
    EXPECT_EQ(list->InsertColumn(1, "Value", LVCFMT_RIGHT, 60), 1);
    LVCOLUMN col{};
    col.mask = LVCF_FMT | LVCF_WIDTH;
    ASSERT_TRUE(list->GetColumn(0, &col));
    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT); // the first column is always left-aligned
    EXPECT_EQ(col.cx, 100);
    ASSERT_TRUE(list->GetColumn(1, &col));
    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
    parent.Clear();
    EXPECT_EQ(list->InsertItem(0, "one"), 0);
    EXPECT_EQ(list->InsertItem(9, "two"), 1); // past the end: appended
    EXPECT_EQ(list->InsertItem(0, "zero"), 0);
    EXPECT_EQ(parent.Count(WM_NOTIFY, LVN_INSERTITEM, 60), 3);
    EXPECT_TRUE(list->SetItemText(1, 1, "1.5"));
    EXPECT_EQ(list->GetItemText(1, 0), CString("one"));
    EXPECT_EQ(list->GetItemText(1, 1), CString("1.5"));
    EXPECT_EQ(list->GetItemText(7, 0), CString(""));
    EXPECT_FALSE(list->SetItemText(7, 0, "x"));
    const std::string longText(3000, 'x');
    EXPECT_TRUE(list->SetItemText(0, 1, longText.c_str()));
    EXPECT_EQ(list->GetItemText(0, 1).GetLength(), 3000);
    EXPECT_TRUE(list->SetItemData(2, 42));
    EXPECT_EQ(list->GetItemData(2), 42u);

    // A column inserted at 0 takes the items' texts of column 0 one place right.
    list->InsertColumn(0, "New", LVCFMT_LEFT, 30);
    EXPECT_EQ(list->GetItemText(1, 0), CString(""));
    EXPECT_EQ(list->GetItemText(1, 1), CString("one"));
    EXPECT_EQ(list->GetItemText(1, 2), CString("1.5"));
    EXPECT_TRUE(list->DeleteColumn(0));
    EXPECT_EQ(list->GetItemText(1, 0), CString("one"));
    EXPECT_EQ(list->GetHeaderCtrl()->GetItemCount(), 2);
    EXPECT_TRUE(list->SetColumnWidth(1, 75));
    EXPECT_EQ(list->GetColumnWidth(1), 75);

    parent.Clear();
    EXPECT_TRUE(list->DeleteItem(0));
    EXPECT_FALSE(list->DeleteItem(5));
    EXPECT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(parent.Count(WM_NOTIFY, LVN_DELETEITEM, 60), 1);
    EXPECT_TRUE(list->DeleteAllItems());
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(parent.Count(WM_NOTIFY, LVN_DELETEALLITEMS, 60), 1);
}

TEST_F(ListCtrlTest, ClickSelectsAndNotifiesChangesThenClick)
{
    CListCtrl* list = Make(LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    Fill(list, 5);
    parent.Clear();
    const CPoint p = CellCenter(list, 1, 0);
    Click(list->m_hWnd, p.x, p.y);
    EXPECT_EQ(list->GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED), (UINT)(LVIS_SELECTED | LVIS_FOCUSED));
    std::vector<UINT> codes;
    for (UINT c : parent.Codes(WM_NOTIFY, 60))
        if (c != NM_CUSTOMDRAW)
            codes.push_back(c);
    EXPECT_EQ(codes, (std::vector<UINT>{NM_SETFOCUS, LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_ITEMCHANGING,
                                        LVN_ITEMCHANGED, NM_CLICK}));
    // Single selection: clicking another item moves it.
    const CPoint q = CellCenter(list, 3, 0);
    Click(list->m_hWnd, q.x, q.y);
    EXPECT_EQ(list->GetSelectedCount(), 1u);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 3);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), 3);
    // A subitem column without full-row selection selects nothing.
    const CPoint sub = CellCenter(list, 0, 2);
    Click(list->m_hWnd, sub.x, sub.y);
    EXPECT_EQ(list->GetSelectedCount(), 0u);
    list->SetExtendedStyle(LVS_EX_FULLROWSELECT);
    Click(list->m_hWnd, sub.x, sub.y);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 0);
    // Empty space below the items clears the selection.
    Click(list->m_hWnd, 20, 180);
    EXPECT_EQ(list->GetSelectedCount(), 0u);
}

TEST_F(ListCtrlTest, MultipleSelectionAndPositions)
{
    CListCtrl* list = Make(0, LVS_EX_FULLROWSELECT);
    Fill(list, 6);
    Click(list->m_hWnd, CellCenter(list, 1, 0).x, CellCenter(list, 1, 0).y);
    Click(list->m_hWnd, CellCenter(list, 3, 1).x, CellCenter(list, 3, 1).y, MK_SHIFT);
    Click(list->m_hWnd, CellCenter(list, 5, 2).x, CellCenter(list, 5, 2).y, MK_CONTROL);
    std::vector<int> selected;
    for (POSITION pos = list->GetFirstSelectedItemPosition(); pos;)
        selected.push_back(list->GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{1, 2, 3, 5}));
    Key(list->m_hWnd, VK_UP);
    EXPECT_EQ(list->GetSelectedCount(), 1u);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 4);
    EXPECT_EQ(parent.Count(WM_NOTIFY, LVN_KEYDOWN, 60), 1);
}

TEST_F(ListCtrlTest, ProgrammaticStatesNotifyAndAChangingHandlerCanRefuse)
{
    CListCtrl* list = Make(0);
    Fill(list, 3);
    parent.Clear();
    EXPECT_TRUE(list->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_EQ(Notes(LVN_ITEMCHANGED).size(), 1u);
    EXPECT_EQ(Notes(LVN_ITEMCHANGED)[0].state, (UINT)LVIS_SELECTED);
    list->SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list->GetSelectedCount(), 3u);
    parent.onNotify = [](NMHDR* nm, LRESULT* r) {
        if (nm->code != LVN_ITEMCHANGING)
            return false;
        *r = TRUE;
        return true;
    };
    list->SetItemState(0, 0, LVIS_SELECTED);
    EXPECT_EQ(list->GetItemState(0, LVIS_SELECTED), (UINT)LVIS_SELECTED);
}

TEST_F(ListCtrlTest, DoubleAndRightClicksAndColumnClicks)
{
    CListCtrl* list = Make(0, LVS_EX_FULLROWSELECT);
    Fill(list, 3);
    parent.Clear();
    const CPoint p = CellCenter(list, 2, 1);
    DoubleClick(list->m_hWnd, p.x, p.y);
    EXPECT_EQ(parent.Count(WM_NOTIFY, NM_DBLCLK, 60), 1);
    AfxTestMouse(list->m_hWnd, WM_RBUTTONDOWN, p.x, p.y - 20, MK_RBUTTON);
    AfxTestMouse(list->m_hWnd, WM_RBUTTONUP, p.x, p.y - 20, 0);
    Pump();
    EXPECT_EQ(parent.Count(WM_NOTIFY, NM_RCLICK, 60), 1);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 1);

    parent.Clear();
    HWND header = list->GetHeaderCtrl()->m_hWnd;
    CRect item;
    list->GetHeaderCtrl()->GetItemRect(2, &item);
    Click(header, item.CenterPoint().x, item.CenterPoint().y);
    EXPECT_EQ(parent.Count(WM_NOTIFY, HDN_ITEMCLICK), 1);
    bool column = false;
    parent.onNotify = nullptr;
    for (const Event& e : parent.events)
        if (e.message == WM_NOTIFY && e.code == LVN_COLUMNCLICK)
            column = true;
    EXPECT_TRUE(column);
}

TEST_F(ListCtrlTest, ColumnClickCarriesTheColumn)
{
    CListCtrl* list = Make(0);
    Fill(list, 1);
    int clicked = -1;
    parent.onNotify = [&](NMHDR* nm, LRESULT*) {
        if (nm->code == LVN_COLUMNCLICK)
            clicked = reinterpret_cast<NMLISTVIEW*>(nm)->iSubItem;
        return false;
    };
    CRect item;
    list->GetHeaderCtrl()->GetItemRect(1, &item);
    Click(list->GetHeaderCtrl()->m_hWnd, item.CenterPoint().x, item.CenterPoint().y);
    EXPECT_EQ(clicked, 1);
}

TEST_F(ListCtrlTest, DraggingADividerResizesTheColumn)
{
    CListCtrl* list = Make(0);
    Fill(list, 1);
    HWND header = list->GetHeaderCtrl()->m_hWnd;
    parent.Clear();
    AfxTestMouse(header, WM_LBUTTONDOWN, 80, 5, MK_LBUTTON);
    AfxTestMouse(header, WM_MOUSEMOVE, 110, 5, MK_LBUTTON);
    AfxTestMouse(header, WM_LBUTTONUP, 110, 5, 0);
    Pump();
    EXPECT_EQ(list->GetColumnWidth(0), 110);
    EXPECT_EQ(parent.Count(WM_NOTIFY, HDN_BEGINTRACK), 1);
    EXPECT_EQ(parent.Count(WM_NOTIFY, HDN_ENDTRACK), 1);
    EXPECT_EQ(parent.Count(WM_NOTIFY, LVN_COLUMNCLICK), 0);
    CRect cell;
    list->GetSubItemRect(0, 1, LVIR_BOUNDS, cell);
    EXPECT_EQ(cell.left, 110);
}

// Cell colours by custom draw: column c of item i gets the background kColors[(i + c) % 3].
constexpr COLORREF kColors[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};

TEST_F(ListCtrlTest, CustomDrawColoursEachCell)
{
    CListCtrl* list = Make(0, LVS_EX_GRIDLINES);
    Fill(list, 3);
    std::vector<std::pair<DWORD, int>> stages;
    parent.onNotify = [&](NMHDR* nm, LRESULT* r) {
        if (nm->code != NM_CUSTOMDRAW)
            return false;
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
        stages.emplace_back(cd->nmcd.dwDrawStage, (int)cd->nmcd.dwItemSpec);
        switch (cd->nmcd.dwDrawStage) {
        case CDDS_PREPAINT: *r = CDRF_NOTIFYITEMDRAW; break;
        case CDDS_ITEMPREPAINT: *r = CDRF_NOTIFYSUBITEMDRAW; break;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            EXPECT_EQ(cd->nmcd.lItemlParam, (LPARAM)(100 + (int)cd->nmcd.dwItemSpec));
            cd->clrTextBk = kColors[(cd->nmcd.dwItemSpec + cd->iSubItem) % 3];
            cd->clrText = RGB(255, 255, 255);
            *r = CDRF_DODEFAULT;
            break;
        default: *r = CDRF_DODEFAULT; break;
        }
        return true;
    };
    list->Invalidate();
    Pump();
    for (int i = 0; i < 3; ++i)
        for (int c = 0; c < 3; ++c) {
            CRect cell;
            list->GetSubItemRect(i, c, LVIR_BOUNDS, cell);
            if (c == 0)
                cell.right = cell.left + list->GetColumnWidth(0);
            EXPECT_EQ(Pixel(list->m_hWnd, cell.right - 3, cell.top + 2), kColors[(i + c) % 3]) << i << "," << c;
        }
    // One pre-paint, then per item the item stage and one stage per column.
    ASSERT_FALSE(stages.empty());
    EXPECT_EQ(stages[0].first, (DWORD)CDDS_PREPAINT);
    int items = 0, subitems = 0;
    for (const auto& st : stages) {
        items += st.first == CDDS_ITEMPREPAINT;
        subitems += st.first == (CDDS_ITEMPREPAINT | CDDS_SUBITEM);
    }
    EXPECT_EQ(items, 3);
    EXPECT_EQ(subitems, 9);
    // The grid line below the first row.
    CRect row;
    list->GetItemRect(0, &row, LVIR_BOUNDS);
    EXPECT_EQ(Pixel(list->m_hWnd, 5, row.bottom - 1), (COLORREF)::GetSysColor(COLOR_BTNFACE));
}

// A report list that colours its cells through the reflected custom-draw notification.
class ColourList : public CListCtrl {
public:
    std::map<std::pair<int, int>, COLORREF> colours;

protected:
    afx_msg void OnCustomDraw(NMHDR* nm, LRESULT* result)
    {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
        *result = CDRF_DODEFAULT;
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
            *result = CDRF_NOTIFYITEMDRAW;
        else if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
            *result = CDRF_NOTIFYSUBITEMDRAW;
        else if (cd->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
            auto it = colours.find({(int)cd->nmcd.dwItemSpec, cd->iSubItem});
            if (it != colours.end())
                cd->clrTextBk = it->second;
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColourList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

TEST_F(ListCtrlTest, ReflectedCustomDrawColoursCells)
{
    ColourList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 310, 210), &parent, 61));
    Fill(&list, 2);
    list.colours[{1, 1}] = RGB(0, 160, 0);
    list.Invalidate();
    CRect cell;
    list.GetSubItemRect(1, 1, LVIR_BOUNDS, cell);
    EXPECT_EQ(Pixel(list.m_hWnd, cell.left + 2, cell.top + 2), RGB(0, 160, 0));
    list.GetSubItemRect(0, 1, LVIR_BOUNDS, cell);
    EXPECT_EQ(Pixel(list.m_hWnd, cell.left + 2, cell.top + 2), (COLORREF)::GetSysColor(COLOR_WINDOW));
}

TEST_F(ListCtrlTest, OwnerDataAsksForTextsAndHintsTheRowsItDraws)
{
    CListCtrl* list = Make(LVS_OWNERDATA | LVS_SINGLESEL, LVS_EX_FULLROWSELECT);
    list->InsertColumn(0, "Id", LVCFMT_LEFT, 80);
    list->InsertColumn(1, "Name", LVCFMT_LEFT, 80);
    std::vector<std::pair<int, int>> hints;
    int asked = 0;
    parent.onNotify = [&](NMHDR* nm, LRESULT*) {
        if (nm->code == LVN_GETDISPINFO) {
            auto* di = reinterpret_cast<NMLVDISPINFO*>(nm);
            if (di->item.mask & LVIF_TEXT) {
                ++asked;
                std::snprintf(di->item.pszText, (size_t)di->item.cchTextMax, "row %d col %d", di->item.iItem,
                              di->item.iSubItem);
            }
            return true;
        }
        if (nm->code == LVN_ODCACHEHINT) {
            auto* hint = reinterpret_cast<NMLVCACHEHINT*>(nm);
            hints.emplace_back(hint->iFrom, hint->iTo);
        }
        return false;
    };
    list->SetItemCount(100000);
    Pump();
    EXPECT_EQ(list->GetItemCount(), 100000);
    ASSERT_FALSE(hints.empty());
    EXPECT_EQ(hints.back().first, 0);
    EXPECT_LE(hints.back().second, list->GetCountPerPage() + 1);
    EXPECT_LE(asked, 2 * (list->GetCountPerPage() + 2)); // only the visible rows
    EXPECT_EQ(list->GetItemText(777, 1), CString("row 777 col 1"));
    EXPECT_EQ(list->InsertItem(0, "no"), -1);

    list->EnsureVisible(5000, FALSE);
    Pump();
    EXPECT_EQ(list->GetTopIndex(), 5000 - list->GetCountPerPage() + 1);
    EXPECT_EQ(hints.back().first, list->GetTopIndex());
    // The list keeps the selection of owner data.
    list->SetItemState(5000, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 5000);
    list->SetItemCount(10);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), -1);
    EXPECT_EQ(list->GetTopIndex(), 0);
}

int CALLBACK ByDataDescending(LPARAM a, LPARAM b, LPARAM) { return a < b ? 1 : a > b ? -1 : 0; }

TEST_F(ListCtrlTest, SortItemsOrdersByItemDataAndStatesMoveAlong)
{
    CListCtrl* list = Make(0);
    Fill(list, 4);
    list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_TRUE(list->SortItems(ByDataDescending, 0));
    EXPECT_EQ(list->GetItemText(0, 0), CString("r3c0"));
    EXPECT_EQ(list->GetItemText(3, 2), CString("r0c2"));
    EXPECT_EQ(list->GetItemData(0), 103u);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 2);
}

TEST_F(ListCtrlTest, HitTestsAndRectangles)
{
    CListCtrl* list = Make(0, LVS_EX_FULLROWSELECT);
    Fill(list, 20);
    CRect row;
    ASSERT_TRUE(list->GetItemRect(2, &row, LVIR_BOUNDS));
    EXPECT_EQ(row.Width(), 240);
    CRect label;
    list->GetItemRect(2, &label, LVIR_LABEL);
    EXPECT_EQ(label.top, row.top);
    CRect cell;
    ASSERT_TRUE(list->GetSubItemRect(2, 2, LVIR_BOUNDS, cell));
    EXPECT_EQ(cell.left, 160);
    EXPECT_EQ(cell.right, 240);
    EXPECT_FALSE(list->GetSubItemRect(2, 3, LVIR_BOUNDS, cell));
    EXPECT_FALSE(list->GetItemRect(25, &row, LVIR_BOUNDS));

    UINT flags = 0;
    EXPECT_EQ(list->HitTest(CellCenter(list, 2, 1), &flags), 2);
    EXPECT_TRUE(flags & LVHT_ONITEM);
    LVHITTESTINFO info{};
    info.pt = CellCenter(list, 3, 2);
    EXPECT_EQ(list->SubItemHitTest(&info), 3);
    EXPECT_EQ(info.iSubItem, 2);
    EXPECT_EQ(list->HitTest(CPoint(5, 5), &flags), -1); // the header
    EXPECT_TRUE(flags & LVHT_ABOVE);
    EXPECT_EQ(list->HitTest(CPoint(270, row.top + 2), &flags), -1); // right of the last column
    EXPECT_TRUE(flags & LVHT_NOWHERE);

    const int page = list->GetCountPerPage();
    EXPECT_GT(page, 3);
    EXPECT_EQ(list->GetTopIndex(), 0);
    list->EnsureVisible(19, FALSE);
    EXPECT_EQ(list->GetTopIndex(), 20 - page);
    AfxTestWheel(list->m_hWnd, 20, 60, WHEEL_DELTA);
    Pump();
    EXPECT_EQ(list->GetTopIndex(), 17 - page);
}

TEST_F(ListCtrlTest, CheckBoxesToggleByClickAndSpace)
{
    CListCtrl* list = Make(0, LVS_EX_CHECKBOXES);
    Fill(list, 2);
    EXPECT_FALSE(list->GetCheck(0));
    parent.Clear();
    CRect label;
    list->GetItemRect(0, &label, LVIR_BOUNDS);
    Click(list->m_hWnd, label.left + 8, (label.top + label.bottom) / 2);
    EXPECT_TRUE(list->GetCheck(0));
    ASSERT_FALSE(Notes(LVN_ITEMCHANGED).empty());
    EXPECT_EQ(Notes(LVN_ITEMCHANGED)[0].state & LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(list->GetSelectedCount(), 0u); // the box is not the label
    list->SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    Key(list->m_hWnd, VK_SPACE, " ");
    EXPECT_TRUE(list->GetCheck(1));
    EXPECT_TRUE(list->SetCheck(1, FALSE));
    EXPECT_FALSE(list->GetCheck(1));
}

TEST_F(ListCtrlTest, LabelEditingEndsWithTheTypedTextWhenTheParentAccepts)
{
    CListCtrl* list = Make(LVS_EDITLABELS);
    Fill(list, 2);
    std::string ended = "(none)";
    bool accept = true;
    parent.onNotify = [&](NMHDR* nm, LRESULT* r) {
        if (nm->code != LVN_ENDLABELEDIT)
            return false;
        auto* di = reinterpret_cast<NMLVDISPINFO*>(nm);
        ended = di->item.pszText ? di->item.pszText : "(cancelled)";
        *r = accept;
        return true;
    };
    CEdit* edit = list->EditLabel(1);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(list->GetEditControl()->m_hWnd, edit->m_hWnd);
    EXPECT_EQ(parent.Count(WM_NOTIFY, LVN_BEGINLABELEDIT, 60), 1);
    CString text;
    edit->GetWindowText(text);
    EXPECT_EQ(text, CString("r1c0"));
    HWND e = edit->m_hWnd;
    TypeText(e, "new");
    Key(e, VK_RETURN, "\r");
    EXPECT_EQ(ended, "new");
    EXPECT_EQ(list->GetItemText(1, 0), CString("new"));
    EXPECT_FALSE(::IsWindow(e));

    edit = list->EditLabel(0);
    ASSERT_NE(edit, nullptr);
    e = edit->m_hWnd;
    Key(e, VK_ESCAPE, "\x1b");
    EXPECT_EQ(ended, "(cancelled)");
    EXPECT_EQ(list->GetItemText(0, 0), CString("r0c0"));
    EXPECT_FALSE(::IsWindow(e));
}

TEST_F(ListCtrlTest, SmallImagesAreDrawnInTheFirstColumn)
{
    CListCtrl* list = Make(0);
    Fill(list, 1);
    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR32 | ILC_MASK, 0, 1));
    CClientDC screen(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 8, 8);
    {
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 8, 8, RGB(200, 0, 200));
        dc.SelectObject(old);
    }
    EXPECT_EQ(images.Add(&bitmap, RGB(255, 255, 255)), 0);
    list->SetImageList(&images, LVSIL_SMALL);
    list->SetItem(0, 0, LVIF_IMAGE, nullptr, 0, 0, 0, 0);
    list->Invalidate();
    CRect icon;
    list->GetItemRect(0, &icon, LVIR_ICON);
    EXPECT_EQ(icon.Width(), 8);
    EXPECT_EQ(Pixel(list->m_hWnd, icon.left + 4, (icon.top + icon.bottom) / 2), RGB(200, 0, 200));
    list->SetImageList(nullptr, LVSIL_SMALL);
}

} // namespace
