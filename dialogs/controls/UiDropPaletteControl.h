// The honeycomb palette of the More Colors dialog: 127 hexagons around a white
// centre (hue by angle, lightness by ring), cell 127 without geometry, and a row
// of 15 greys and black below. Like the 48-colour palette it is fed by a host
// window; it posts WM_UI_COLORSELECTED to the host on every click, drag step over
// a cell and arrow-key step, so that the dialog's preview follows.
#pragma once

#include "dialogs/controls/UiPaletteControl.h"

class CUiDropPaletteControl : public CUiPaletteControl {
    DECLARE_SERIAL(CUiDropPaletteControl)
public:
    enum { kCells = 144, kHexagons = 127, kNoGeometryCell = 127, kFirstGrey = 128 };

    CUiDropPaletteControl();
    ~CUiDropPaletteControl() override;

    void Layout() override;
    void SetCellsRect(int l, int t, int r, int b) override;
    void FillColors() override;
    void Draw(CDC* pDC) override;

    // A press moving over a cell chooses it at once; over the strip it turns
    // the strip hot.
    void OnMouseMove(UINT nFlags, int x, int y);
    // The arrows walk the cells in index order, wrapping, and report each step;
    // Tab moves the focus back.
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void SetShowCustom(BOOL bShow) { m_showCustom = bShow; }
};

// A colour from hue (degrees), lightness and saturation (0 to 1), computed in
// single precision as the honeycomb's cells are.
COLORREF UiHslToRgb(int hue, double lightness, double saturation);
