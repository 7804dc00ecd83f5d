// The window that hosts the honeycomb palette (a child of the More Colors dialog).
#pragma once

#include "dialogs/controls/UiDropPaletteControl.h"
#include "platform/wnd/CWnd.h"

#include <memory>

class CUiDropPaletteWnd : public CWnd {
    DECLARE_DYNAMIC(CUiDropPaletteWnd)
public:
    CUiDropPaletteWnd();
    ~CUiDropPaletteWnd() override;

    // Creates the window ("CUiDropPaletteWnd"; `pParent` is the parent of a
    // child or the owner of a pop-up, and receives the colour messages) and its
    // palette over the client area. FALSE when the window cannot be made.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, COLORREF color, BOOL bPopup);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CUiDropPaletteControl* GetControl() const { return m_control.get(); }
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

    std::unique_ptr<CUiDropPaletteControl> m_control;
    CWnd* m_notify = nullptr;
};
