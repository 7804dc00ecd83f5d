// Pens and brushes an object selects into a device context for one drawing,
// restored and deleted when the drawing ends, however it ends. An object drawn
// with the pens its layer selected (kUseLayerStyle) selects nothing.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

class CMapStyle;

// The visible area of a drawing: the client rectangle given, else what the
// device context can show.
RECT VisibleDeviceArea(CDC* pDC, const RECT* client);

// The pen and brush of a style, optionally with its background mode and colour.
class CStyleDrawScope {
public:
    // A null style selects nothing.
    CStyleDrawScope(CDC* pDC, const CMapStyle* style, bool background);
    ~CStyleDrawScope();
    CStyleDrawScope(const CStyleDrawScope&) = delete;
    CStyleDrawScope& operator=(const CStyleDrawScope&) = delete;

private:
    CDC* m_pDC;
    CPen m_Pen;
    CBrush m_Brush;
    CPen* m_pOldPen = nullptr;
    CBrush* m_pOldBrush = nullptr;
    bool m_bSelected = false;
    bool m_bBackground = false;
    int m_nOldBkMode = 0;
    COLORREF m_OldBkColor = 0;
};

// A one-pixel pen of a style and colour in a raster operation.
class CRopPenScope {
public:
    CRopPenScope(CDC* pDC, int penStyle, COLORREF colour, int rop);
    ~CRopPenScope();
    CRopPenScope(const CRopPenScope&) = delete;
    CRopPenScope& operator=(const CRopPenScope&) = delete;

private:
    CDC* m_pDC;
    CPen m_Pen;
    CPen* m_pOldPen = nullptr;
    int m_nOldRop = 0;
};

// The rubber band: a solid pen of (192, 192, 192) in R2_NOTXORPEN, so that
// drawing the same figure twice erases it.
class CTrackingPenScope : public CRopPenScope {
public:
    explicit CTrackingPenScope(CDC* pDC) : CRopPenScope(pDC, PS_SOLID, RGB(192, 192, 192), R2_NOTXORPEN) {}
};
