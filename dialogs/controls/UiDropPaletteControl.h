// The honeycomb palette of the More Colors dialog: 127 hexagons around a white
// centre (hue by angle, lightness by ring), cell 127 without geometry, and a row
// of 15 greys and black below. Like the 48-colour palette it is fed by a host
// window; it posts WM_UI_COLORSELECTED to the host on every click, drag step over
// a cell and arrow-key step, so that the dialog's preview follows.
#pragma once

#include "dialogs/controls/UiColorCell.h"
#include "platform/base/CString.h"
#include "platform/gdi/GdiObjects.h"

class CFile;
class CWnd;

class CUiDropPaletteControl : public CObject {
    DECLARE_SERIAL(CUiDropPaletteControl)
public:
    enum { kCells = 144, kHexagons = 127, kNoGeometryCell = 127, kFirstGrey = 128 };

    CUiDropPaletteControl();
    ~CUiDropPaletteControl() override;

    void Serialize(CArchive& ar) override;

    virtual void Initialize(CWnd* pHost, COLORREF color, const RECT* pRect, BOOL bPopup);
    virtual void Layout();
    virtual void SetCellsRect(int l, int t, int r, int b);
    virtual void FillColors();
    virtual void Draw(CDC* pDC);
    virtual void Relayout();
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

    void SelectColor(COLORREF color);
    void InvalidateArea(RECT rect);
    void OnMouseMove(UINT nFlags, int x, int y);
    void OnLButtonUp(UINT nFlags, int x, int y);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void SetControlRect(const RECT& rect) { m_controlRect = rect; }
    void SetShowCustom(BOOL bShow) { m_showCustom = bShow; }

    COLORREF GetCurrentColor() const { return m_currentColor; }
    BOOL IsPopup() const { return m_popup; }
    CUiColorCellObj& Cell(int index) { return m_cells[index]; }
    const RECT& GetGridRect() const { return m_gridRect; }
    const RECT& GetCustomRect() const { return m_customRect; }
    BOOL IsCustomHot() const { return m_customHot; }

    int m_borderStyle = 2; // see UiDrawPaletteBorder

private:
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
    BOOL m_showCustom = TRUE;
    int m_margin = 5;
    CFont m_font;
};

// A colour from hue (degrees), lightness and saturation (0 to 1), computed in
// single precision as the honeycomb's cells are.
COLORREF UiHslToRgb(int hue, double lightness, double saturation);
