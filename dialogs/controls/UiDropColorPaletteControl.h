// The 48-colour palette of the drop-down colour button: eight columns by six rows
// of fixed colours and a "Custom..." strip that leads to the More Colors dialog.
// It is not a window: its host passes it mouse, keyboard, size and paint events
// (the mouse only while the host holds the capture), it draws into the host's DC
// and posts WM_UI_COLORSELECTED / WM_UI_COLORCANCEL / WM_UI_COLORCUSTOM with the
// current colour to the host. In a pop-up (popup flag) it hides the host after a
// choice and leaves room at the top for a caption stripe.
#pragma once

#include "dialogs/controls/UiColorCell.h"
#include "platform/base/CString.h"
#include "platform/gdi/GdiObjects.h"

class CFile;
class CWnd;

class CUiDropColorPaletteControl : public CObject {
    DECLARE_SERIAL(CUiDropColorPaletteControl)
public:
    enum { kRows = 6, kColumns = 8, kCells = kRows * kColumns };

    CUiDropColorPaletteControl();
    ~CUiDropColorPaletteControl() override;

    // Stores nothing.
    void Serialize(CArchive& ar) override;

    virtual void Initialize(CWnd* pHost, COLORREF color, const RECT* pRect, BOOL bPopup);
    virtual void Layout();
    virtual void SetCellsRect(int l, int t, int r, int b);
    virtual void FillColors();
    virtual void Draw(CDC* pDC);
    virtual void Relayout();
    // The cell under (x, y), which becomes the selection; null when none is hit.
    virtual CUiColorCellObj* HitTestSelect(int x, int y);
    virtual void EndSelection(COLORREF color, LPARAM lParam);
    virtual void CancelSelection(COLORREF color, LPARAM lParam);
    virtual BOOL SaveToFile(LPCTSTR path);
    virtual BOOL LoadFromFile(LPCTSTR path);
    virtual void CloseFile(CFile* pFile, BOOL bAbort);
    virtual void OnCancelMode();
    virtual void DrawBorder(CDC* pDC, RECT* pRect, int style);
    virtual void DrawCustom(CDC* pDC, BOOL bSwatch);
    virtual void DrawCustomHot(CDC* pDC);

    // The keyboard and program selection: the cell of `color`, else no cell and the
    // colour shown in the "Custom..." strip's swatch.
    void SelectColor(COLORREF color);
    void InvalidateArea(RECT rect);
    void OnMouseMove(UINT nFlags, int x, int y);
    void OnLButtonUp(UINT nFlags, int x, int y);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void SetControlRect(const RECT& rect) { m_controlRect = rect; }

    COLORREF GetCurrentColor() const { return m_currentColor; }
    BOOL IsPopup() const { return m_popup; }
    CUiColorCellObj& Cell(int index) { return m_cells[index]; }
    const RECT& GetGridRect() const { return m_gridRect; }
    const RECT& GetCustomRect() const { return m_customRect; }
    const RECT& GetCustomHitRect() const { return m_customHitRect; }
    const RECT& GetSeparatorRect() const { return m_separatorRect; }
    BOOL IsCustomHot() const { return m_customHot; }

    int m_borderStyle = 2; // see UiDrawPaletteBorder

private:
    // The first cell holding the current colour; -1 when none does.
    int CurrentIndex() const;
    void PostToHost(UINT message, COLORREF color, LPARAM lParam);

    CUiColorCellObj m_cells[kCells];
    CRect m_gridRect;
    CRect m_controlRect;
    CRect m_customHitRect;
    CRect m_customRect;
    CRect m_separatorRect;
    COLORREF m_currentColor = 0;
    CWnd* m_host = nullptr;
    BOOL m_popup = FALSE;
    BOOL m_customHot = FALSE;
    CString m_customText;
    int m_rows = kRows;
    int m_columns = kColumns;
    BOOL m_showCustom = TRUE;
    int m_margin = 8;
    CFont m_font;
};

// A copy of the stock GUI font (or of the variable ANSI font when that is missing).
void UiCreatePaletteFont(CFont& font);
