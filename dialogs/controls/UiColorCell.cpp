#include "dialogs/controls/UiColorCell.h"

#include "dialogs/controls/UiColorGlobals.h"
#include "dialogs/controls/UiPaletteDrawing.h"
#include "platform/gdi/CDC.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_SERIAL(CUiColorCellObj, CObject, 0)

namespace {

// Nearest integer, halves away from zero.
int Round(float v) { return (int)std::lround(v); }

} // namespace

CUiColorCellObj::CUiColorCellObj() = default;
CUiColorCellObj::~CUiColorCellObj() = default;

void CUiColorCellObj::Serialize(CArchive&) {}

void CUiColorCellObj::GetRect(RECT* pRect) const
{
    if (!m_hexagon) {
        *pRect = m_rect;
        return;
    }
    RECT box{m_points[0].x, m_points[0].y, m_points[0].x, m_points[0].y};
    for (const POINT& p : m_points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    *pRect = box;
}

void CUiColorCellObj::SetColor(COLORREF color)
{
    m_brush.reset();
    m_color = color;
}

CBrush* CUiColorCellObj::GetBrush()
{
    if (!m_brush)
        m_brush = std::make_unique<CBrush>(m_color);
    return m_brush.get();
}

BOOL CUiColorCellObj::HitTest(int x, int y)
{
    CRgn region;
    if (m_hexagon)
        region.CreatePolygonRgn(m_points, 6, WINDING);
    else
        region.CreateRectRgnIndirect(&m_rect);
    return region.PtInRegion(x, y);
}

void CUiColorCellObj::PrepareDrawing(CDC* pDC)
{
    pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    pDC->SelectObject(GetBrush());
    pDC->SelectStockObject(NULL_PEN);
}

void CUiColorCellObj::RestoreDrawing(CDC* pDC) { pDC->RestoreDC(-1); }

void CUiColorCellObj::Draw(CDC* pDC)
{
    PrepareDrawing(pDC);
    pDC->FillSolidRect(&m_rect, UiColorGlobals().face);
    if (m_hexagon) {
        pDC->Polygon(m_points, 6);
    } else {
        CRect inner = m_rect;
        inner.DeflateRect(m_inset, m_inset);
        pDC->Rectangle(&inner);
        CBrush frame(UiColorGlobals().shadow2);
        pDC->FrameRect(&inner, &frame);
    }
    RestoreDrawing(pDC);
}

void CUiColorCellObj::DrawSelected(CDC* pDC)
{
    if (m_hexagon) {
        CRgn region;
        region.CreatePolygonRgn(m_points, 6, WINDING);
        CBrush white(RGB(255, 255, 255));
        CBrush black(RGB(0, 0, 0));
        pDC->FrameRgn(&region, &white, 3, 3);
        const int inner = m_color == RGB(255, 255, 255) ? 2 : 1;
        pDC->FrameRgn(&region, &black, inner, inner);
        return;
    }
    UiDrawPaletteSelectionFrame(pDC, m_rect);
}

void CUiColorCellObj::SetHexagon(int cx, int cy, int size)
{
    const int h = size / 2;
    const float e = (float)size * 0.57735026f * 0.5f;
    const float fx = (float)cx, fy = (float)cy;
    m_points[0] = {Round(fx - (float)h), Round(fy - e)};
    m_points[1] = {Round(fx), Round(fy - (float)h)};
    m_points[2] = {Round(fx + (float)h), Round(fy - e)};
    m_points[3] = {Round(fx + (float)h), Round(fy + e) + 1};
    m_points[4] = {Round(fx), Round(fy + (float)h) + 1};
    m_points[5] = {Round(fx - (float)h), Round(fy + e) + 1};
}
