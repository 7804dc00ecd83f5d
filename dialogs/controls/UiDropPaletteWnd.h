// The window that hosts the honeycomb palette (a child of the More Colors dialog).
#pragma once

#include "dialogs/controls/UiDropPaletteControl.h"
#include "dialogs/controls/UiPaletteHost.h"

class CUiDropPaletteWnd : public CUiPaletteHostWnd<CUiDropPaletteControl> {
    DECLARE_DYNAMIC(CUiDropPaletteWnd)
public:
    CUiDropPaletteWnd();
    ~CUiDropPaletteWnd() override;

    // Creates the window "CUiDropPaletteWnd" and its palette (see CreateHost).
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, COLORREF color, BOOL bPopup);
};
