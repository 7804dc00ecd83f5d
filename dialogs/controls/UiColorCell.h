// One clickable colour swatch of a palette: a rectangle, or a hexagon given by six
// corners. The cell draws into its host's DC and answers hit tests in the host's
// client coordinates; it is not a window.
#pragma once

#include "platform/base/CObject.h"
#include "platform/base/CRect.h"
#include "platform/gdi/GdiObjects.h"

#include <memory>

class CDC;

class CUiColorCellObj : public CObject {
    DECLARE_SERIAL(CUiColorCellObj)
public:
    CUiColorCellObj();
    ~CUiColorCellObj() override;

    // A cell has no stored state.
    void Serialize(CArchive& ar) override;

    // Whether (x, y) lies in the hexagon (winding fill) or in the rectangle.
    virtual BOOL HitTest(int x, int y);
    // Saves the DC, then transparent background, the cell's brush and no pen.
    virtual void PrepareDrawing(CDC* pDC);
    virtual void Draw(CDC* pDC);
    // The selection frames: white 3 x 3 and black (2 x 2 on a white cell, else
    // 1 x 1) along a hexagon; white 2 x 2 inside and black 1 x 1 outside a rectangle.
    virtual void DrawSelected(CDC* pDC);
    virtual void RestoreDrawing(CDC* pDC);
    // The six corners around (cx, cy): `size` wide, size + 1 high, pointed at top
    // and bottom. The rectangle is left as it is.
    virtual void SetHexagon(int cx, int cy, int size);

    // The rectangle, or the hexagon's bounding box.
    void GetRect(RECT* pRect) const;
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    // The solid brush of the colour, made when first asked for.
    CBrush* GetBrush();

    void SetRect(const RECT& rect) { m_rect = rect; }
    BOOL IsHexagon() const { return m_hexagon; }
    void SetHexagonFlag(BOOL hexagon) { m_hexagon = hexagon; }
    const POINT* GetPoints() const { return m_points; }

private:
    CRect m_rect;
    COLORREF m_color = RGB(255, 255, 255);
    std::unique_ptr<CBrush> m_brush;
    int m_inset = 1;
    POINT m_points[6] = {};
    BOOL m_hexagon = TRUE;
};
