// The pen and brush of a style selected into a device context for the time
// one object draws, and everything it changed restored afterwards.
#pragma once

#include "core/MapStyle.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

class CStyleSelection {
public:
    // With `background` also the style's background mode and colour.
    CStyleSelection(CDC* pDC, const CMapStyle& style, bool background) : m_pDC(pDC), m_bBackground(background)
    {
        style.CreatePen(m_Pen);
        style.CreateBrush(m_Brush);
        if (background) {
            m_nOldBkMode = pDC->SetBkMode(style.GetBkMode());
            m_OldBkColor = pDC->SetBkColor(style.GetBkColor());
        }
        m_pOldPen = pDC->SelectObject(&m_Pen);
        m_pOldBrush = pDC->SelectObject(&m_Brush);
    }
    ~CStyleSelection()
    {
        m_pDC->SelectObject(m_pOldPen);
        m_pDC->SelectObject(m_pOldBrush);
        if (m_bBackground) {
            m_pDC->SetBkMode(m_nOldBkMode);
            m_pDC->SetBkColor(m_OldBkColor);
        }
        m_Pen.DeleteObject();
        m_Brush.DeleteObject();
    }
    CStyleSelection(const CStyleSelection&) = delete;
    CStyleSelection& operator=(const CStyleSelection&) = delete;

private:
    CDC* m_pDC;
    bool m_bBackground;
    CPen m_Pen;
    CBrush m_Brush;
    CPen* m_pOldPen = nullptr;
    CBrush* m_pOldBrush = nullptr;
    int m_nOldBkMode = 0;
    COLORREF m_OldBkColor = 0;
};

// A solid one-pixel pen of 0xC0C0C0 in R2_NOTXORPEN: drawn twice, a rubber
// band erases itself. The previous pen (or the stock NULL_PEN) and raster
// operation come back at the end.
class CRubberBandPen {
public:
    explicit CRubberBandPen(CDC* pDC) : m_pDC(pDC), m_Pen(PS_SOLID, 1, RGB(192, 192, 192))
    {
        m_nOldRop = pDC->SetROP2(R2_NOTXORPEN);
        m_pOldPen = pDC->SelectObject(&m_Pen);
    }
    ~CRubberBandPen()
    {
        if (m_pOldPen)
            m_pDC->SelectObject(m_pOldPen);
        else
            m_pDC->SelectStockObject(NULL_PEN);
        m_pDC->SetROP2(m_nOldRop);
        m_Pen.DeleteObject();
    }
    CRubberBandPen(const CRubberBandPen&) = delete;
    CRubberBandPen& operator=(const CRubberBandPen&) = delete;

private:
    CDC* m_pDC;
    CPen m_Pen;
    CPen* m_pOldPen = nullptr;
    int m_nOldRop = 0;
};
