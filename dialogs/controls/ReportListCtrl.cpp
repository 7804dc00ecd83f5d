// The report list: colour blocks per item, the in-place editor, mask-driven
// states and the column sort.
#include "dialogs/controls/ReportListCtrl.h"

#include "dialogs/controls/ReportListCompare.h"
#include "platform/controls/CEdit.h"
#include "platform/controls/CHeaderCtrl.h"

#include <algorithm>

namespace {

const DWORD kForcedStyles = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | LVS_REPORT;
const DWORD kRefusedStyles = LVS_EDITLABELS | LVS_NOSCROLL;
const DWORD kForcedExStyles = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;
const UINT kEditId = 1;

} // namespace

// The in-place editor: it wants every key, so that a dialog does not take Tab,
// Enter or Escape from it, and hands the editing keys to its list.
class CReportListEdit : public CEdit {
public:
    explicit CReportListEdit(CReportListCtrl& list) : m_list(list) {}

protected:
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        if (!m_list.HandleEditKey(nChar))
            CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        if (nChar == '\t' || nChar == '\r' || nChar == 27)
            return;
        CEdit::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()

private:
    CReportListCtrl& m_list;
};

BEGIN_MESSAGE_MAP(CReportListEdit, CEdit)
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
END_MESSAGE_MAP()

IMPLEMENT_DYNAMIC(CReportListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CReportListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, OnColumnClick)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CReportListCtrl::CReportListCtrl() : m_edit(std::make_unique<CReportListEdit>(*this)) {}

CReportListCtrl::~CReportListCtrl()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CReportListCtrl::Create(CWnd* parent, UINT id, const RECT* rect, DWORD style)
{
    CRect area;
    if (rect)
        area = *rect;
    else if (parent)
        parent->GetClientRect(&area);
    style = (style & ~(kRefusedStyles | LVS_TYPEMASK)) | kForcedStyles;
    if (!CListCtrl::Create(style, area, parent, id))
        return FALSE;
    SetExtendedStyle(CListCtrl::GetExtendedStyle() | kForcedExStyles);
    return TRUE;
}

BOOL CReportListCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = (cs.style & ~(kRefusedStyles | LVS_TYPEMASK)) | kForcedStyles;
    return CListCtrl::PreCreateWindow(cs);
}

void CReportListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    ForceStyles();
}

void CReportListCtrl::ForceStyles()
{
    ModifyStyle(kRefusedStyles | LVS_TYPEMASK, kForcedStyles);
    SetExtendedStyle(CListCtrl::GetExtendedStyle() | kForcedExStyles);
}

CReportListCtrl::ColorBlock* CReportListCtrl::BlockOf(int item) const
{
    if (!m_hWnd || item < 0 || item >= CListCtrl::GetItemCount())
        return nullptr;
    return reinterpret_cast<ColorBlock*>(CListCtrl::GetItemData(item));
}

CEdit* CReportListCtrl::GetEditWnd() const { return m_edit.get(); }

// ---- items

int CReportListCtrl::InsertItem(int index, LPCTSTR text)
{
    EndEdit(TRUE);
    ClearSort();
    const int at = CListCtrl::InsertItem(index, text);
    if (at < 0)
        return -1;
    auto* block = new ColorBlock;
    const int columns = GetColumnCount();
    block->text.assign((size_t)columns, GetSysColor(COLOR_WINDOWTEXT));
    block->back.assign((size_t)columns, GetSysColor(COLOR_WINDOW));
    CListCtrl::SetItemData(at, reinterpret_cast<DWORD_PTR>(block));
    return at;
}

BOOL CReportListCtrl::DeleteItem(int item, BOOL selectNext)
{
    EndEdit(item != m_editItem);
    ColorBlock* block = BlockOf(item);
    if (!block)
        return FALSE;
    if (selectNext && item + 1 < CListCtrl::GetItemCount())
        SetItemStates(item + 1, ITEM_SELECTED | ITEM_FOCUSED);
    delete block;
    CListCtrl::SetItemData(item, 0);
    return CListCtrl::DeleteItem(item);
}

int CReportListCtrl::DeleteAllItems(DWORD mask)
{
    EndEdit(FALSE);
    if (!m_hWnd)
        return 0;
    SetRedraw(FALSE);
    int result = 0;
    if (mask & ITEM_ALL) {
        result = CListCtrl::GetItemCount();
        FreeAllBlocks();
        CListCtrl::DeleteAllItems();
    } else {
        for (int i = CListCtrl::GetItemCount() - 1; i >= 0; --i) {
            if (ItemMatches(i, mask)) {
                delete BlockOf(i);
                CListCtrl::SetItemData(i, 0);
                CListCtrl::DeleteItem(i);
                ++result;
            }
        }
    }
    SetRedraw(TRUE);
    Invalidate();
    return result;
}

void CReportListCtrl::FreeAllBlocks()
{
    for (int i = 0; i < CListCtrl::GetItemCount(); ++i) {
        delete BlockOf(i);
        CListCtrl::SetItemData(i, 0);
    }
}

BOOL CReportListCtrl::SetItemText(int item, int subItem, LPCTSTR text)
{
    EndEdit(TRUE);
    ClearSort();
    return CListCtrl::SetItemText(item, subItem, text);
}

BOOL CReportListCtrl::SetItemData(int item, DWORD_PTR data)
{
    ColorBlock* block = BlockOf(item);
    if (!block)
        return FALSE;
    block->data = data;
    return TRUE;
}

DWORD_PTR CReportListCtrl::GetItemData(int item) const
{
    const ColorBlock* block = BlockOf(item);
    return block ? block->data : 0;
}

// ---- columns

int CReportListCtrl::InsertColumn(int index, LPCTSTR title, int format, int width, int subItem)
{
    EndEdit(TRUE);
    const int at = CListCtrl::InsertColumn(index, title, format, width, subItem);
    if (at < 0)
        return at;
    for (int i = 0; i < CListCtrl::GetItemCount(); ++i) {
        if (ColorBlock* block = BlockOf(i)) {
            const size_t pos = std::min((size_t)at, block->text.size());
            block->text.insert(block->text.begin() + (std::ptrdiff_t)pos, GetSysColor(COLOR_WINDOWTEXT));
            block->back.insert(block->back.begin() + (std::ptrdiff_t)pos, GetSysColor(COLOR_WINDOW));
        }
    }
    return at;
}

BOOL CReportListCtrl::DeleteColumn(int index)
{
    EndEdit(TRUE);
    if (!CListCtrl::DeleteColumn(index))
        return FALSE;
    for (int i = 0; i < CListCtrl::GetItemCount(); ++i) {
        ColorBlock* block = BlockOf(i);
        if (block && index >= 0 && (size_t)index < block->text.size()) {
            block->text.erase(block->text.begin() + index);
            block->back.erase(block->back.begin() + index);
        }
    }
    if (m_sortColumn >= GetColumnCount())
        ClearSort();
    return TRUE;
}

void CReportListCtrl::DeleteAllColumns()
{
    while (GetColumnCount() > 0)
        if (!DeleteColumn(0))
            break;
}

int CReportListCtrl::GetColumnCount() const
{
    CHeaderCtrl* header = m_hWnd ? GetHeaderCtrl() : nullptr;
    return header ? header->GetItemCount() : 0;
}

void CReportListCtrl::SetGridLines(BOOL on)
{
    const DWORD style = CListCtrl::GetExtendedStyle();
    SetExtendedStyle(on ? (style | LVS_EX_GRIDLINES) : (style & ~(DWORD)LVS_EX_GRIDLINES));
}

void CReportListCtrl::SetEditable(BOOL on)
{
    if (!on)
        EndEdit(TRUE);
    m_editable = on;
}

// ---- the in-place editor

BOOL CReportListCtrl::StartEdit(int item, int subItem)
{
    if (!m_editable || !m_hWnd || item < 0 || item >= CListCtrl::GetItemCount() || subItem < 0 ||
        subItem >= GetColumnCount())
        return FALSE;
    if (item == m_editItem && subItem == m_editSubItem)
        return TRUE;
    EndEdit(TRUE);
    m_editItem = item;
    m_editSubItem = subItem;
    SetAllItemStates(ITEM_ALL, ITEM_UNSELECTED | ITEM_UNFOCUSED);
    SetItemStates(item, ITEM_SELECTED | ITEM_FOCUSED);

    LVCOLUMN column{};
    column.mask = LVCF_FMT;
    GetColumn(subItem, &column);
    const int justify = column.fmt & LVCFMT_JUSTIFYMASK;
    const int align = justify == LVCFMT_CENTER ? 1 : (justify == LVCFMT_RIGHT ? 2 : 0);
    if (align != m_editAlign && m_edit->m_hWnd)
        m_edit->DestroyWindow();
    if (!m_edit->m_hWnd) {
        const DWORD alignStyle = align == 1 ? ES_CENTER : (align == 2 ? ES_RIGHT : ES_LEFT);
        if (!m_edit->Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL | alignStyle, CRect(0, 0, 1, 1), this,
                            kEditId)) {
            m_editItem = m_editSubItem = -1;
            return FALSE;
        }
        m_editAlign = align;
    }
    m_edit->SetFont(GetFont());
    CRect cell;
    GetSubItemRect(item, subItem, LVIR_LABEL, cell);
    if (subItem > 0 && GetImageList(LVSIL_SMALL) && GetItemImage(item, subItem) >= 0)
        cell.left += 16;
    m_edit->MoveWindow(cell);
    m_edit->SetWindowText(CListCtrl::GetItemText(item, subItem));
    m_edit->SetSel(0, -1);
    m_edit->ShowWindow(SW_SHOW);
    m_edit->SetFocus();
    return TRUE;
}

BOOL CReportListCtrl::EndEdit(BOOL commit)
{
    if (m_editItem < 0)
        return FALSE;
    const int item = m_editItem;
    const int subItem = m_editSubItem;
    // The edit cell is gone before anything is sent, so that a receiver that
    // changes the list does not meet a half-ended edit.
    m_editItem = m_editSubItem = -1;
    BOOL changed = FALSE;
    if (commit && m_edit->m_hWnd) {
        CString text;
        m_edit->GetWindowText(text);
        if (text != CListCtrl::GetItemText(item, subItem)) {
            CListCtrl::SetItemText(item, subItem, text);
            ClearSort();
            changed = TRUE;
        }
    }
    const bool hadFocus = m_edit->m_hWnd && ::GetFocus() == m_edit->m_hWnd;
    if (m_edit->m_hWnd)
        m_edit->ShowWindow(SW_HIDE);
    if (hadFocus)
        SetFocus();
    if (changed && GetParent())
        GetParent()->SendMessage(WM_REPORT_CELLCHANGED, (WPARAM)item, (LPARAM)subItem);
    return changed;
}

BOOL CReportListCtrl::HandleEditKey(UINT vk)
{
    if (m_editItem < 0)
        return FALSE;
    const int item = m_editItem;
    const int subItem = m_editSubItem;
    switch (vk) {
    case VK_TAB: {
        const int columns = GetColumnCount();
        EndEdit(TRUE);
        StartEdit(item, columns > 0 ? (subItem + 1) % columns : 0);
        return TRUE;
    }
    case VK_RETURN:
        EndEdit(TRUE);
        return TRUE;
    case VK_ESCAPE:
        EndEdit(FALSE);
        return TRUE;
    case VK_UP:
    case VK_DOWN: {
        const int next = vk == VK_UP ? item - 1 : item + 1;
        if (next < 0 || next >= CListCtrl::GetItemCount())
            return TRUE;
        EndEdit(TRUE);
        EnsureVisible(next, FALSE);
        StartEdit(next, subItem);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CReportListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && m_editItem >= 0 && m_edit->m_hWnd && pMsg->hwnd == m_edit->m_hWnd &&
        HandleEditKey((UINT)pMsg->wParam))
        return TRUE;
    return CListCtrl::PreTranslateMessage(pMsg);
}

// ---- colours

void CReportListCtrl::SetItemBkColor(int item, int subItem, COLORREF color, BOOL redraw)
{
    if (color == (COLORREF)-1)
        color = GetSysColor(COLOR_WINDOW);
    const int count = CListCtrl::GetItemCount();
    const int columns = GetColumnCount();
    const bool allItems = item < 0 || item >= count;
    const bool allColumns = subItem < 0 || subItem >= columns;
    for (int i = allItems ? 0 : item; i < (allItems ? count : item + 1); ++i) {
        ColorBlock* block = BlockOf(i);
        if (!block)
            continue;
        for (int c = allColumns ? 0 : subItem; c < (allColumns ? columns : subItem + 1); ++c)
            if ((size_t)c < block->back.size())
                block->back[(size_t)c] = color;
    }
    if (redraw && m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

COLORREF CReportListCtrl::GetItemBkColor(int item, int subItem) const
{
    const ColorBlock* block = BlockOf(item);
    return block && subItem >= 0 && (size_t)subItem < block->back.size() ? block->back[(size_t)subItem]
                                                                         : GetSysColor(COLOR_WINDOW);
}

COLORREF CReportListCtrl::GetItemTextColor(int item, int subItem) const
{
    const ColorBlock* block = BlockOf(item);
    return block && subItem >= 0 && (size_t)subItem < block->text.size() ? block->text[(size_t)subItem]
                                                                         : GetSysColor(COLOR_WINDOWTEXT);
}

void CReportListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const ColorBlock* block = BlockOf((int)draw->nmcd.dwItemSpec);
        const int sub = draw->iSubItem;
        if (block && sub >= 0 && (size_t)sub < block->text.size()) {
            draw->clrText = block->text[(size_t)sub];
            draw->clrTextBk = block->back[(size_t)sub];
        }
        break;
    }
    default:
        break;
    }
}

// ---- states

BOOL CReportListCtrl::ItemMatches(int item, DWORD mask) const
{
    if (mask == 0)
        return FALSE;
    if (mask & ITEM_ALL)
        return TRUE;
    const UINT state = GetItemState(item, LVIS_SELECTED | LVIS_FOCUSED);
    const bool selected = (state & LVIS_SELECTED) != 0;
    const bool focused = (state & LVIS_FOCUSED) != 0;
    const bool checked = GetCheck(item) != FALSE;
    if (((mask & ITEM_SELECTED) && !selected) || ((mask & ITEM_UNSELECTED) && selected))
        return FALSE;
    if (((mask & ITEM_CHECKED) && !checked) || ((mask & ITEM_UNCHECKED) && checked))
        return FALSE;
    if (((mask & ITEM_FOCUSED) && !focused) || ((mask & ITEM_UNFOCUSED) && focused))
        return FALSE;
    return TRUE;
}

int CReportListCtrl::GetItemCount(DWORD mask) const
{
    if (!m_hWnd)
        return 0;
    const int count = CListCtrl::GetItemCount();
    if (mask & ITEM_ALL)
        return count;
    int n = 0;
    for (int i = 0; i < count; ++i)
        n += ItemMatches(i, mask) ? 1 : 0;
    return n;
}

int CReportListCtrl::GetFirstItem(DWORD mask, int after) const
{
    if (!m_hWnd)
        return -1;
    const int count = CListCtrl::GetItemCount();
    for (int i = after < 0 ? 0 : after + 1; i < count; ++i)
        if (ItemMatches(i, mask))
            return i;
    return -1;
}

BOOL CReportListCtrl::SetItemStates(int item, DWORD command)
{
    if (!m_hWnd || item < 0 || item >= CListCtrl::GetItemCount())
        return FALSE;
    if (command & ITEM_SELECTED)
        SetItemState(item, LVIS_SELECTED, LVIS_SELECTED);
    if (command & ITEM_UNSELECTED)
        SetItemState(item, 0, LVIS_SELECTED);
    if (command & ITEM_CHECKED)
        SetCheck(item, TRUE);
    if (command & ITEM_UNCHECKED)
        SetCheck(item, FALSE);
    if (command & ITEM_FOCUSED)
        SetItemState(item, LVIS_FOCUSED, LVIS_FOCUSED);
    if (command & ITEM_UNFOCUSED)
        SetItemState(item, 0, LVIS_FOCUSED);
    return TRUE;
}

int CReportListCtrl::SetAllItemStates(DWORD match, DWORD command)
{
    int n = 0;
    for (int i = 0; m_hWnd && i < CListCtrl::GetItemCount(); ++i) {
        if (ItemMatches(i, match)) {
            SetItemStates(i, command);
            ++n;
        }
    }
    return n;
}

// ---- images and header

BOOL CReportListCtrl::SetItemImage(int item, int subItem, int image)
{
    LVITEM lv{};
    lv.mask = LVIF_IMAGE;
    lv.iItem = item;
    lv.iSubItem = subItem;
    lv.iImage = image;
    return CListCtrl::SetItem(&lv);
}

int CReportListCtrl::GetItemImage(int item, int subItem) const
{
    LVITEM lv{};
    lv.mask = LVIF_IMAGE;
    lv.iItem = item;
    lv.iSubItem = subItem;
    return CListCtrl::GetItem(&lv) ? lv.iImage : -1;
}

BOOL CReportListCtrl::SetHeaderImageList(UINT bitmapId, COLORREF mask)
{
    CHeaderCtrl* header = m_hWnd ? GetHeaderCtrl() : nullptr;
    if (!header)
        return FALSE;
    m_headerImages.DeleteImageList();
    m_spareImages.DeleteImageList();
    if (!m_headerImages.Create(bitmapId, 16, 2, mask))
        return FALSE;
    header->SetImageList(&m_headerImages);
    return TRUE;
}

BOOL CReportListCtrl::SetHeaderImage(int column, int image, BOOL leftSide)
{
    CHeaderCtrl* header = m_hWnd ? GetHeaderCtrl() : nullptr;
    if (!header)
        return FALSE;
    if (!header->GetImageList())
        header->SetImageList(GetImageList(LVSIL_SMALL));
    HDITEM hd{};
    hd.mask = HDI_FORMAT;
    if (!header->GetItem(column, &hd))
        return FALSE;
    hd.mask = HDI_FORMAT | HDI_IMAGE;
    hd.fmt |= HDF_IMAGE;
    if (leftSide)
        hd.fmt &= ~HDF_BITMAP_ON_RIGHT;
    else
        hd.fmt |= HDF_BITMAP_ON_RIGHT;
    hd.iImage = image;
    return header->SetItem(column, &hd);
}

CString CReportListCtrl::GetHeaderText(int column) const
{
    CHeaderCtrl* header = m_hWnd ? GetHeaderCtrl() : nullptr;
    if (!header || (GetStyle() & LVS_NOCOLUMNHEADER))
        return CString();
    char buffer[256] = {};
    HDITEM hd{};
    hd.mask = HDI_TEXT;
    hd.pszText = buffer;
    hd.cchTextMax = 256;
    if (!header->GetItem(column, &hd))
        return CString();
    return CString(buffer);
}

// ---- sorting

BOOL CReportListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* info = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    const int column = info->iSubItem;
    SortItems(column, column == m_sortColumn ? !m_ascending : TRUE);
    *pResult = 0;
    return FALSE;
}

void CReportListCtrl::SortRange(std::vector<int>& order, int low, int high, int column, BOOL ascending) const
{
    // Hoare's partition over a copy of the pivot's text: the swaps move the
    // pivot element, so comparing against its slot would change the pivot.
    while (low < high) {
        const CString pivot = CListCtrl::GetItemText(order[(size_t)((low + high) / 2)], column);
        int left = low, right = high;
        auto cmp = [&](int i) {
            const int c = CompareReportTexts(CListCtrl::GetItemText(order[(size_t)i], column), pivot);
            return ascending ? c : -c;
        };
        while (left <= right) {
            while (cmp(left) < 0)
                ++left;
            while (cmp(right) > 0)
                --right;
            if (left <= right) {
                if (left != right)
                    std::swap(order[(size_t)left], order[(size_t)right]);
                ++left;
                --right;
            }
        }
        if (low < right)
            SortRange(order, low, right, column, ascending);
        low = left;
    }
}

BOOL CReportListCtrl::SortItems(int column, BOOL ascending)
{
    EndEdit(TRUE);
    CHeaderCtrl* header = m_hWnd ? GetHeaderCtrl() : nullptr;
    if (column < 0 || column >= GetColumnCount() || !header || (GetStyle() & LVS_NOCOLUMNHEADER) ||
        !(header->GetStyle() & HDS_BUTTONS))
        return FALSE;
    m_sortColumn = column;
    m_ascending = ascending;

    const int count = CListCtrl::GetItemCount();
    const int columns = GetColumnCount();
    std::vector<int> order((size_t)count);
    for (int i = 0; i < count; ++i)
        order[(size_t)i] = i;
    if (count > 1)
        SortRange(order, 0, count - 1, column, ascending);

    struct Snapshot {
        UINT state;
        DWORD_PTR data;
        std::vector<int> images;
        std::vector<CString> texts;
    };
    std::vector<Snapshot> rows;
    rows.reserve((size_t)count);
    for (int i : order) {
        Snapshot s{GetItemState(i, LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK), CListCtrl::GetItemData(i), {}, {}};
        for (int c = 0; c < columns; ++c) {
            s.images.push_back(GetItemImage(i, c));
            s.texts.push_back(CListCtrl::GetItemText(i, c));
        }
        rows.push_back(std::move(s));
    }
    SetRedraw(FALSE);
    for (int i = 0; i < count; ++i) {
        const Snapshot& s = rows[(size_t)i];
        SetItemState(i, s.state, LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK);
        CListCtrl::SetItemData(i, s.data);
        for (int c = 0; c < columns; ++c) {
            CListCtrl::SetItemText(i, c, s.texts[(size_t)c]);
            SetItemImage(i, c, s.images[(size_t)c]);
        }
    }
    SetRedraw(TRUE);
    Invalidate();
    if (GetParent())
        GetParent()->SendMessage(WM_REPORT_SORTED, (WPARAM)column, (LPARAM)ascending);
    return TRUE;
}

// ---- mouse and keys

void CReportListCtrl::MouseDown(UINT message, UINT nFlags, CPoint point)
{
    (void)nFlags;
    LVHITTESTINFO hit{};
    hit.pt = point;
    SubItemHitTest(&hit);
    const int item = hit.iItem;
    const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
    const BOOL checkedBefore = item >= 0 ? GetCheck(item) : FALSE;
    const bool wasEditing = m_editItem >= 0;
    const bool wasCurrent = left && item >= 0 &&
                            GetItemState(item, LVIS_SELECTED | LVIS_FOCUSED) == (LVIS_SELECTED | LVIS_FOCUSED);
    EndEdit(TRUE);
    Default();
    if (!m_hWnd)
        return;
    if (item >= 0 && item < CListCtrl::GetItemCount() && GetCheck(item) != checkedBefore) {
        SetAllItemStates(ITEM_ALL, ITEM_UNSELECTED | ITEM_UNFOCUSED);
        SetItemStates(item, ITEM_SELECTED | ITEM_FOCUSED);
        if (GetParent())
            GetParent()->SendMessage(WM_REPORT_CHECKCHANGED, (WPARAM)item, (LPARAM)message);
        return;
    }
    if (left && m_editable && !wasEditing && wasCurrent)
        StartEdit(item, hit.iSubItem);
}

void CReportListCtrl::OnLButtonDown(UINT nFlags, CPoint point) { MouseDown(WM_LBUTTONDOWN, nFlags, point); }
void CReportListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) { MouseDown(WM_LBUTTONDBLCLK, nFlags, point); }
void CReportListCtrl::OnMButtonDown(UINT nFlags, CPoint point) { MouseDown(WM_MBUTTONDOWN, nFlags, point); }
void CReportListCtrl::OnMButtonDblClk(UINT nFlags, CPoint point) { MouseDown(WM_MBUTTONDBLCLK, nFlags, point); }
void CReportListCtrl::OnRButtonDown(UINT nFlags, CPoint point) { MouseDown(WM_RBUTTONDOWN, nFlags, point); }
void CReportListCtrl::OnRButtonDblClk(UINT nFlags, CPoint point) { MouseDown(WM_RBUTTONDBLCLK, nFlags, point); }

void CReportListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Check boxes change by mouse only.
    if (nChar == VK_SPACE && m_editItem < 0)
        return;
    CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CReportListCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == ' ' && m_editItem < 0)
        return;
    CListCtrl::OnChar(nChar, nRepCnt, nFlags);
}

void CReportListCtrl::OnDestroy()
{
    m_editItem = m_editSubItem = -1;
    FreeAllBlocks();
    CListCtrl::DeleteAllItems();
    if (m_edit->m_hWnd)
        m_edit->DestroyWindow();
    m_headerImages.DeleteImageList();
    m_spareImages.DeleteImageList();
    CListCtrl::OnDestroy();
}
