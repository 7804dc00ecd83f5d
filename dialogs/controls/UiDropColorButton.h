// The drop-down colour button through which every dialog lets the user choose a
// colour: a sunken field showing the colour with a scroll-bar arrow at its right.
// A click, Space or Down opens the 48-colour pop-up below it; the pop-up's
// "Custom..." leads to the More Colors dialog. Dialogs attach the button to their
// control with DDX_Control and exchange its colour with DDX_DropColorButton:
//
//     DDX_Control(pDX, IDC_FILL_COLOR, m_fillColor);
//     DDX_DropColorButton(pDX, IDC_FILL_COLOR, m_fill);
//
// Its window is at least 2 x (arrow + edge) wide and exactly arrow + 2 edges high.
// It sends WM_UI_COLORSELECTED / WM_UI_COLORCANCEL / WM_UI_COLORCHANGED (colour,
// control id) to its notify window (the parent unless set otherwise).
#pragma once

#include "platform/base/CRect.h"
#include "platform/controls/CButton.h"

#include <memory>

class CDataExchange;
class CUiDropColorButtonPopup;

class CUiDropColorButton : public CButton {
    DECLARE_DYNCREATE(CUiDropColorButton)
public:
    CUiDropColorButton();
    ~CUiDropColorButton() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual COLORREF GetColor() const;
    // Stores the colour; the button repaints when it next paints.
    virtual void SetColor(COLORREF color);

    // The pop-up while it is open, else null.
    CUiDropColorButtonPopup* GetPopup() const { return m_popupOpen ? m_popup.get() : nullptr; }
    // From the click until a colour message comes back: drawn pressed.
    BOOL IsDropped() const { return m_dropped; }
    const RECT& GetArrowRect() const { return m_arrowRect; }
    CWnd* GetNotifyWnd() const { return m_notify; }
    void SetNotifyWnd(CWnd* pNotify) { m_notify = pNotify; }

protected:
    void PreSubclassWindow() override;

    afx_msg void OnClicked();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnColorSelected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorCancel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorCustom(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void Layout();
    void OpenPopup();
    // The colour the pop-up returned becomes the button's and the pop-up goes.
    void ClosePopup(COLORREF color);
    // A choice of `color` from the pop-up or the More Colors dialog: the pop-up
    // goes, the notify window hears of the choice and, when the colour differs
    // from `old`, of the change.
    void EndChoice(COLORREF color, COLORREF old);
    void Notify(UINT message, COLORREF color);

    std::unique_ptr<CUiDropColorButtonPopup> m_popup;
    BOOL m_dropped = FALSE;
    COLORREF m_color = 0; // every user sets it before the first paint
    CRect m_arrowRect;
    int m_popupWidth = 200;
    int m_popupHeight = 150;
    BOOL m_popupOpen = FALSE;
    CWnd* m_notify = nullptr;
};

// Loading: the button shows `value`; saving: `value` becomes the button's colour.
// The dialog attaches its CUiDropColorButton with DDX_Control first; a control
// without one is a fault of the dialog, reported like a missing control.
void DDX_DropColorButton(CDataExchange* pDX, int nIDC, COLORREF& value);
