// The status bar: a row of text panes along the bottom of a frame. Each pane has
// a command id, a style and a text width; the first separator pane stretches
// over the room the others leave. The frame's message text goes to the first
// separator pane (WM_SETTEXT), and panes with ids take their state from command
// updates: disabled panes show no text (the keyboard indicators), SetText
// replaces the text.
#pragma once

#include "platform/frames/CControlBar.h"
#include "platform/base/CString.h"

#include <vector>

// Pane styles.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

class CFont;

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id. A pane with an id starts with the id's string and as wide as
    // that text; the first separator pane stretches. FALSE (and no panes changed)
    // when an id has no string.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    // The pane's rectangle in client coordinates; empty for an index out of range.
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    // Draws one pane (frame and text) in its rectangle.
    virtual void DrawPane(CDC* pDC, int nIndex, const CRect& rect);

protected:
    struct Pane {
        UINT nID = 0;
        UINT nStyle = 0;
        int cxText = 0;
        CString strText;
    };
    std::vector<Pane> m_panes;

    // The font the panes are measured and drawn with: the window's, else the GUI font.
    CFont* GetBarFont() const;
    int TextHeight() const;
    void InvalidatePane(int nIndex);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
