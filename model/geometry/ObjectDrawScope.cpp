// Selecting and restoring an object's drawing tools, and the area it draws in.
#include "model/geometry/ObjectDrawScope.h"

#include "core/MapStyle.h"

RECT VisibleDeviceArea(CDC* pDC, const RECT* client)
{
    RECT r{0, 0, 0, 0};
    if (client)
        r = *client;
    else
        pDC->GetClipBox(&r);
    return r;
}

CStyleDrawScope::CStyleDrawScope(CDC* pDC, const CMapStyle* style, bool background) : m_pDC(pDC)
{
    if (!style)
        return;
    style->CreatePen(m_Pen);
    style->CreateBrush(m_Brush);
    m_pOldPen = pDC->SelectObject(&m_Pen);
    m_pOldBrush = pDC->SelectObject(&m_Brush);
    m_bSelected = true;
    if (background) {
        m_bBackground = true;
        m_nOldBkMode = pDC->SetBkMode(style->GetBkMode());
        m_OldBkColor = pDC->SetBkColor(style->GetBkColor());
    }
}

CStyleDrawScope::~CStyleDrawScope()
{
    if (!m_bSelected)
        return;
    if (m_bBackground) {
        m_pDC->SetBkMode(m_nOldBkMode);
        m_pDC->SetBkColor(m_OldBkColor);
    }
    if (m_pOldPen)
        m_pDC->SelectObject(m_pOldPen);
    else
        m_pDC->SelectStockObject(BLACK_PEN);
    if (m_pOldBrush)
        m_pDC->SelectObject(m_pOldBrush);
    else
        m_pDC->SelectStockObject(WHITE_BRUSH);
    m_Pen.DeleteObject();
    m_Brush.DeleteObject();
}

CRopPenScope::CRopPenScope(CDC* pDC, int penStyle, COLORREF colour, int rop)
    : m_pDC(pDC), m_Pen(penStyle, 1, colour)
{
    m_nOldRop = pDC->SetROP2(rop);
    m_pOldPen = pDC->SelectObject(&m_Pen);
}

CRopPenScope::~CRopPenScope()
{
    if (m_pOldPen)
        m_pDC->SelectObject(m_pOldPen);
    else
        m_pDC->SelectStockObject(NULL_PEN);
    m_pDC->SetROP2(m_nOldRop);
    m_Pen.DeleteObject();
}
