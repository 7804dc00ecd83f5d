// What the 48-colour palette and the honeycomb share. Neither is a window: a host
// passes them mouse, keyboard, size and paint events (the mouse only while it
// holds the capture), they draw into the host's DC and post WM_UI_COLORSELECTED /
// WM_UI_COLORCANCEL / WM_UI_COLORCUSTOM with the current colour to the host.
// This class holds their common state (the cells, the "Custom..." strip, the
// current colour, the host) and does the work that is the same for both:
// selection and its invalidation, the strip, drawing in one order, the messages,
// and the archive files. A palette places and colours its own cells (Layout,
// FillColors, SetCellsRect) and answers the mouse and the keys its own way.
// The virtual operations stand in the order both palettes declare them.
#pragma once

#include "dialogs/controls/UiColorCell.h"
#include "platform/base/CString.h"
#include "platform/gdi/GdiObjects.h"

#include <vector>

class CFile;
class CWnd;

class CUiPaletteControl : public CObject {
public:
    ~CUiPaletteControl() override;

    // Stores nothing.
    void Serialize(CArchive& ar) override;

    // Stores the control rect, host, current colour and popup flag, then Layout.
    virtual void Initialize(CWnd* pHost, COLORREF color, const RECT* pRect, BOOL bPopup);
    virtual void Layout() = 0;
    virtual void SetCellsRect(int l, int t, int r, int b) = 0;
    virtual void FillColors() = 0;
    virtual void Draw(CDC* pDC) = 0;
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
    // Ends the press: the first cell hit is chosen, else a release on the strip
    // asks for the More Colors dialog.
    void OnLButtonUp(UINT nFlags, int x, int y);
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

protected:
    // `cells` cells, white until FillColors; `margin` pixels around the content.
    CUiPaletteControl(int cells, int margin);

    // The first cell holding the current colour; -1 when none does.
    int CurrentIndex() const;
    void PostToHost(UINT message, COLORREF color, LPARAM lParam);
    void HideIfPopup();
    // Posts WM_UI_COLORCUSTOM and hides a pop-up.
    void ChooseCustom();
    // Escape and VK_CANCEL cancel, Enter ends the choice, both only in a pop-up;
    // TRUE when `nChar` is one of these keys.
    BOOL OnChoiceKey(UINT nChar);
    void FocusPreviousTabItem();
    // The strip under a pressed mouse at (x, y) turns hot.
    void TrackCustomStrip(int x, int y);
    // Empties the strip's hit rect; with the strip shown, places the separator
    // and the strip at the bottom of `area` and takes them off it.
    void PlaceCustomStrip(CRect& area);
    // The whole control in its drawing order; `captionStripe` adds the pop-up's
    // stripe at the top.
    void DrawPalette(CDC* pDC, BOOL captionStripe);

    std::vector<CUiColorCellObj> m_cells; // their number is fixed at construction
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
    BOOL m_showCustom = TRUE;
    int m_margin;
    CFont m_font;
};
