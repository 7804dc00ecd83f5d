// The window that hosts the 48-colour palette, and the drop-down colour button's
// pop-up built on it.
#pragma once

#include "dialogs/controls/UiDropColorPaletteControl.h"
#include "platform/wnd/CWnd.h"

#include <memory>

class CUiDropColorPaletteWnd : public CWnd {
    DECLARE_DYNAMIC(CUiDropColorPaletteWnd)
public:
    CUiDropColorPaletteWnd();
    ~CUiDropColorPaletteWnd() override;

    // Creates the window ("CUiDropColorPaletteWnd"; `pParent` is the parent of a
    // child or the owner of a pop-up, and receives the colour messages) and its
    // palette over the client area. FALSE when the window cannot be made.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, COLORREF color, BOOL bPopup);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CUiDropColorPaletteControl* GetControl() const { return m_control.get(); }
    CWnd* GetNotifyWnd() const { return m_notify; }

protected:
    void PreSubclassWindow() override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnCancelMode();
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnColorSelected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorCancel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorCustom(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    std::unique_ptr<CUiDropColorPaletteControl> m_control;
    CWnd* m_notify = nullptr;
};

// The drop-down colour button's pop-up: it places itself at the anchor inside the
// screen's work area and, when it loses activation, chooses the colour selected.
class CUiDropColorButtonPopup : public CUiDropColorPaletteWnd {
    DECLARE_DYNAMIC(CUiDropColorButtonPopup)
public:
    enum { DROP_BELOW = 0x0001 }; // style bit: below the anchor, else beside it

    // A pop-up of client size `width` x `height` at the screen rectangle `pAnchor`,
    // visible and with the keyboard focus; FALSE when it cannot be made.
    virtual BOOL CreatePopup(DWORD dwStyle, const RECT* pAnchor, CWnd* pNotify, COLORREF color, int width,
                             int height, int ignored);

protected:
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);

    DECLARE_MESSAGE_MAP()
};
