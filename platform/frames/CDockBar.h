// Dock bars: the containers along a frame's edges (and inside a floating bar's
// tool window) that hold docked control bars in rows. A horizontal dock bar
// stacks its rows from the frame's edge inwards and places the bars of a row
// from left to right; a vertical one does the same turned by a quarter. Its own
// size is that of its visible rows, so an empty dock bar takes no room.
#pragma once

#include "platform/frames/CControlBar.h"

#include <vector>

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    // dwStyle carries the side (CBRS_ALIGN_*); nID is one of AFX_IDW_DOCKBAR_*.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Docks the bar here. Without a rectangle it starts a new row after the
    // others; with one (screen coordinates) it joins the row under the
    // rectangle's middle, at the rectangle's offset along the row, or starts a
    // new row before or after the others.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar out of its row; FALSE when it is not docked here.
    BOOL RemoveControlBar(CControlBar* pBar);
    // Docked bars, visible or not.
    int GetDockedCount() const;
    // The row of a docked bar, -1 when it is not docked here.
    int GetRowOf(const CControlBar* pBar) const;
    int GetRowCount() const { return (int)m_rows.size(); }
    // The bars of a row, from the row's start.
    const std::vector<CControlBar*>& GetRow(int nRow) const { return m_rows.at((size_t)nRow); }
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || m_bFloating; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    // Places the docked bars for a dock bar `length` pixels long (width when
    // horizontal); returns the thickness the rows need.
    int LayoutBars(int length, BOOL bMove);

    BOOL m_bFloating;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CSize BarSize(CControlBar* pBar) const;
    std::vector<std::vector<CControlBar*>> m_rows;
    int m_nLayoutLength = 0;
};
