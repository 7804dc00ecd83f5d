// The grid of the Layer Control: one row per layer, a name cell followed by one
// check box per layer flag. Every cell is a child window of its own; rows are
// placed one row height apart from the top, and a row moves by moving its
// windows. The owner hears of clicked boxes and of the current row through
// WM_NOTIFY with an NMLAYERGRID.
//
// Invariant: the check box of row r, column c has the control id
// r * columns + c + 1001, for every row at every time, so that a click names
// its row and column; removing a row renumbers the rows below it.
#pragma once

#include "dialogs/controls/CellTitleTip.h"
#include "dialogs/controls/ColorStatic.h"
#include "platform/base/Collections.h"
#include "platform/controls/CButton.h"
#include "platform/wnd/CWnd.h"

#include <memory>
#include <vector>

class CTextFont;

// Notification codes of the grid.
#define LGN_CHECKCLICKED 0 // a check box was clicked (row and column)
#define LGN_ROWCHANGED 1   // the current row changed (column -1)

struct NMLAYERGRID {
    NMHDR hdr;
    int row;
    int column;
};

// The record a row carries for its owner; deleting the row deletes it.
class CLayerGridRowData {
public:
    virtual ~CLayerGridRowData() = default;
};

class CLayerGridRow : public CObject {
public:
    CLayerGridRow(int columns);
    ~CLayerGridRow() override;

    std::unique_ptr<CColorStatic> m_pName;
    std::vector<std::unique_ptr<CButton>> m_Checks;
    std::unique_ptr<CLayerGridRowData> m_pData;
    int m_nColumns;
};

class CLayerGridCtrl : public CWnd {
public:
    static constexpr UINT kNameCellId = 1000;
    static constexpr UINT kFirstCheckId = 1001;

    CLayerGridCtrl() = default;
    ~CLayerGridCtrl() override;

    // Registers "MyListControl" when missing. FALSE when the window cannot be made.
    BOOL Create(const RECT& rect, CWnd* parent, UINT id, int columns, DWORD style);
    void SetColumnTitle(int column, const CString& title);
    // The font of the grid and of the name cells made after this call.
    void SetGridFont(CTextFont* font);

    int AddRow(const CString& text);
    BOOL RemoveRow(int row);
    BOOL MoveRowUp(int row);
    BOOL MoveRowDown(int row);
    // Exchanges the rows' data, names and check states; their windows stay.
    BOOL SwapRows(int a, int b);
    BOOL SelectRow(int row);
    int GetCurrentRow() const { return m_nCurrentRow; }
    BOOL SetCheck(int row, int column, int value);
    BOOL GetCheck(int row, int column, BOOL& checked) const;
    BOOL SetRowText(int row, const CString& text);
    BOOL GetRowText(int row, CString& text) const;
    // The grid takes over `data`.
    BOOL SetRowData(int row, CLayerGridRowData* data);
    CLayerGridRowData* GetRowData(int row) const;
    int GetRowCount() const { return m_nRowCount; }
    int GetColumnCount() const { return m_nColumns; }

    // Row and column under a client point: column -1 for the name cell; FALSE
    // with no hit.
    BOOL HitTest(CPoint point, int& row, int& column) const;
    // The windows of a cell, for the owner's layout and for tests.
    CColorStatic* GetNameCell(int row) const;
    CButton* GetCheckBox(int row, int column) const;
    CCellTitleTip& GetTitleTip() { return m_TitleTip; }

    int m_nRowHeight = 16;
    int m_nCellSize = 13;
    int m_nSpacing = 6;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

private:
    CLayerGridRow* RowAt(int row) const;
    void Notify(UINT code, int row, int column);
    void UpdateScrollRange();
    void DeleteAllRows();
    // Gives the name cell its colours and repaints it at once.
    void PaintNameCell(CLayerGridRow* row, COLORREF text, COLORREF back);
    void MoveRowWindows(CLayerGridRow* row, int dy);

    int m_nColumns = 0;
    CStringArray m_Titles;
    int m_nRowCount = 0;
    int m_nCurrentRow = -1;
    int m_nScrollRange = 0;
    int m_nScrollPos = 0;
    CTextFont* m_pFont = nullptr;
    CObList m_Rows;
    CCellTitleTip m_TitleTip;
};
