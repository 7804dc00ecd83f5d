// A report-view list for tables of attribute values. On top of the list view it
// keeps a text and a background colour per cell, edits cells in place with an
// edit control of its own, sorts by a clicked column (ReportListCompare.h), and
// selects and checks items by state masks.
//
// Invariants: every item's data value is its colour block, whose arrays have one
// entry per column (inserting or deleting a column keeps them so); the caller's
// own data value lives in the block (GetItemData / SetItemData). At most one
// cell is edited at a time; the edit cell is (-1, -1) otherwise.
//
// The parent is told, by SendMessage:
//   WM_REPORT_CHECKCHANGED (item, mouse message): a click changed a check box;
//   WM_REPORT_SORTED       (column, ascending):   the items were sorted;
//   WM_REPORT_CELLCHANGED  (item, subitem):       an in-place edit changed a cell.
#pragma once

#include "platform/controls/CImageList.h"
#include "platform/controls/CListCtrl.h"

#include <memory>
#include <vector>

#define WM_REPORT_CHECKCHANGED 42768
#define WM_REPORT_SORTED 42769
#define WM_REPORT_CELLCHANGED 42770

class CEdit;
class CReportListEdit;

class CReportListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CReportListCtrl)
public:
    // Item state masks: as a test, an item matches when the mask is not 0 and
    // holds ITEM_ALL or all its bits describe the item; as a command, the bits
    // select, deselect, check, uncheck, focus and unfocus.
    enum : DWORD {
        ITEM_ALL = 1,
        ITEM_SELECTED = 2,
        ITEM_UNSELECTED = 4,
        ITEM_CHECKED = 8,
        ITEM_UNCHECKED = 16,
        ITEM_FOCUSED = 32,
        ITEM_UNFOCUSED = 64,
    };

    CReportListCtrl();
    ~CReportListCtrl() override;

    // A visible report view with both scroll bars over `rect`, or over the
    // parent's client area when `rect` is null.
    BOOL Create(CWnd* parent, UINT id, const RECT* rect = nullptr, DWORD style = 0);

    int InsertItem(int index, LPCTSTR text);
    // Ends the edit (cancelling it when it is this item's), selects the next item when asked.
    BOOL DeleteItem(int item, BOOL selectNext = FALSE);
    // Mask ITEM_ALL: every item, returns the former count; else the matching items, returns how many.
    int DeleteAllItems(DWORD mask = ITEM_ALL);
    BOOL SetItemText(int item, int subItem, LPCTSTR text);
    using CListCtrl::GetItemText;
    // The caller's data value of the item.
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;

    int InsertColumn(int index, LPCTSTR title, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int index);
    void DeleteAllColumns();
    int GetColumnCount() const;

    void SetGridLines(BOOL on);
    // Switching off commits a running edit.
    void SetEditable(BOOL on);
    BOOL IsEditable() const { return m_editable; }

    BOOL StartEdit(int item, int subItem);
    // TRUE only when a commit changed the cell's text.
    BOOL EndEdit(BOOL commit);
    BOOL IsEditing() const { return m_editItem >= 0; }
    int GetEditItem() const { return m_editItem; }
    int GetEditSubItem() const { return m_editSubItem; }
    // The in-place edit window (hidden while no cell is edited).
    CEdit* GetEditWnd() const;

    // Colour (COLORREF)-1: the window colour. An item outside the list means
    // every item, a subitem outside the columns every column.
    void SetItemBkColor(int item, int subItem, COLORREF color, BOOL redraw = TRUE);
    COLORREF GetItemBkColor(int item, int subItem) const;
    COLORREF GetItemTextColor(int item, int subItem) const;

    int GetItemCount(DWORD mask = ITEM_ALL) const;
    // The first matching item after `after` (-1 or less starts at 0); -1 when none.
    int GetFirstItem(DWORD mask, int after = -1) const;
    BOOL SetItemStates(int item, DWORD command);
    // Applies `command` to every item that matches `match`; returns how many.
    int SetAllItemStates(DWORD match, DWORD command);

    BOOL SetItemImage(int item, int subItem, int image);
    int GetItemImage(int item, int subItem) const;
    BOOL SetHeaderImageList(UINT bitmapId, COLORREF mask);
    BOOL SetHeaderImage(int column, int image, BOOL leftSide);
    CString GetHeaderText(int column) const;

    // Nothing when the column does not exist or the header is not clickable.
    BOOL SortItems(int column, BOOL ascending);
    int GetSortColumn() const { return m_sortColumn; }
    BOOL IsSortAscending() const { return m_ascending; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The editor's keys: TRUE when the key was the editor's to handle.
    BOOL HandleEditKey(UINT vk);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    struct ColorBlock {
        DWORD_PTR data = 0;
        std::vector<COLORREF> text;
        std::vector<COLORREF> back;
    };

    ColorBlock* BlockOf(int item) const;
    void ForceStyles();
    void ClearSort() { m_sortColumn = -1; }
    BOOL ItemMatches(int item, DWORD mask) const;
    void MouseDown(UINT message, UINT nFlags, CPoint point);
    void SortRange(std::vector<int>& order, int low, int high, int column, BOOL ascending) const;
    void FreeAllBlocks();

    std::unique_ptr<CReportListEdit> m_edit;
    int m_editAlign = -1;
    int m_editItem = -1;
    int m_editSubItem = -1;
    BOOL m_editable = FALSE;
    int m_sortColumn = -1;
    BOOL m_ascending = TRUE;
    CImageList m_headerImages;
    CImageList m_spareImages;
};
