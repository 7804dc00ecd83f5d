// The window that hosts the 48-colour palette, and the drop-down colour button's
// pop-up built on it.
#pragma once

#include "dialogs/controls/UiDropColorPaletteControl.h"
#include "dialogs/controls/UiPaletteHost.h"

class CUiDropColorPaletteWnd : public CUiPaletteHostWnd<CUiDropColorPaletteControl> {
    DECLARE_DYNAMIC(CUiDropColorPaletteWnd)
public:
    CUiDropColorPaletteWnd();
    ~CUiDropColorPaletteWnd() override;

    // Creates the window "CUiDropColorPaletteWnd" and its palette (see CreateHost).
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, COLORREF color, BOOL bPopup);
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
