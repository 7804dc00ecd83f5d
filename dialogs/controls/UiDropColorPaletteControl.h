// The 48-colour palette of the drop-down colour button: eight columns by six rows
// of fixed colours and a "Custom..." strip that leads to the More Colors dialog.
// Its host feeds it events and receives its colour messages (see
// UiPaletteControl.h). In a pop-up (popup flag) it hides the host after a choice
// and leaves room at the top for a caption stripe.
#pragma once

#include "dialogs/controls/UiPaletteControl.h"

class CUiDropColorPaletteControl : public CUiPaletteControl {
    DECLARE_SERIAL(CUiDropColorPaletteControl)
public:
    enum { kRows = 6, kColumns = 8, kCells = kRows * kColumns };

    CUiDropColorPaletteControl();
    ~CUiDropColorPaletteControl() override;

    void Layout() override;
    void SetCellsRect(int l, int t, int r, int b) override;
    void FillColors() override;
    void Draw(CDC* pDC) override;

    // A press moving over a cell selects it; over the strip it turns the strip hot.
    void OnMouseMove(UINT nFlags, int x, int y);
    // The arrows walk the grid (left stops at the first cell, right wraps to the
    // next row, up and down wrap within the column); Tab asks for the More
    // Colors dialog, Shift+Tab moves the focus back.
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

private:
    int m_rows = kRows;
    int m_columns = kColumns;
};
