// Buttons: push buttons, check boxes (two and three states), radio buttons, group
// boxes and owner-drawn buttons. A click (mouse released over the button, the
// space bar, BM_CLICK) first updates an automatic button's check state (an
// automatic radio button unchecks the automatic radio buttons of its group, the
// siblings up to the next WS_GROUP) and then sends BN_CLICKED.
#pragma once

#include "platform/wnd/CWnd.h"
#include "platform/controls/CommCtrl.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    CButton() = default;
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    UINT GetState() const;
    void SetState(BOOL bHighlight);
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);

    // BS_OWNERDRAW: called through reflection of WM_DRAWITEM; draws nothing by default.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
