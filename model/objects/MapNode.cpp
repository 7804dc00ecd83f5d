// Nodes: the position record, drawing the symbol centred on the position, and
// moves and conversions that keep the boundary on the position.
#include "model/objects/MapNode.h"

#include "core/GeometryTransform.h"
#include "core/MapStyle.h"
#include "core/Measure.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/layers/NodeHitIndex.h"
#include "platform/base/DeviceCoordinates.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdlib>

CMapNode::CMapNode()
{
    m_nType = MAP_OBJECT_NODE;
}

void CMapNode::SetPosition(double x, double y)
{
    m_Position = CFloatPoint(x, y);
    UpdateLayerBounds();
}

BOOL CMapNode::SetGeometry(const void* record, int size)
{
    if (!record || size < kGeometrySize)
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(record);
    m_Position.x = MapRecord::GetFloat(p);
    m_Position.y = MapRecord::GetFloat(p + 4);
    UpdateLayerBounds();
    return TRUE;
}

void CMapNode::WriteGeometry(BYTE* record) const
{
    MapRecord::PutFloat(record, m_Position.x);
    MapRecord::PutFloat(record + 4, m_Position.y);
}

int CMapNode::GetSymbolSize() const
{
    return NodeSymbolSize(*GetStyle());
}

BOOL CMapNode::IsWithinDeviceCircle(CPoint centre, double radius)
{
    CMapModel* map = GetMap();
    if (!map)
        return FALSE;
    double x = map->GetXOffset(), y = map->GetYOffset(), zoom = map->GetZoom();
    const CDoubleRect square(GetDeviceRect(&x, &y, &zoom));
    const double corners[4][2] = {{square.left, square.bottom},
                                  {square.right, square.bottom},
                                  {square.right, square.top},
                                  {square.left, square.top}};
    const double limit = radius * radius;
    for (const auto& c : corners) {
        const POINT p{(LONG)(c[0] + kEpsilon), (LONG)(c[1] + kEpsilon)};
        if ((double)SquaredDeviceDistance(p, centre) > limit)
            return FALSE;
    }
    return TRUE;
}

double CMapNode::GetDistance(CFloatPoint pt)
{
    return FloatPointDistance(m_Position, pt);
}

void CMapNode::CreateStylePen(CPen& pen)
{
    pen.CreatePen(PS_SOLID, 0, RGB(255, 0, 0));
}

void CMapNode::Draw(CDC* pDC, const RECT*, double* originX, double* originY, double* zoom)
{
    CDoubleRect square = GetDeviceBoundary(originX, originY, zoom);
    square.Normalize();
    // bottom is the smaller device y here: it becomes the RECT's top.
    RECT rect{(LONG)(square.left - 2), (LONG)(square.bottom - 2), (LONG)(square.right + 2), (LONG)(square.top + 2)};

    CMapStyle* style = GetStyle();
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(style->GetSymbolColor());
    // The symbol is clipped to its rectangle: where none of that is visible it
    // would set no pixel, so no font is made for it.
    if (!pDC->RectVisible(&rect))
        return;
    const CString text = style->GetSymbolText();
    CFont font;
    style->CreateSymbolFont(font);
    CFont* oldFont = pDC->SelectObject(&font);
    // '&' is a symbol like any other here, not a mnemonic prefix.
    pDC->DrawText(text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    pDC->SelectObject(oldFont);
    font.DeleteObject();
}

void CMapNode::DrawSelected(CDC* pDC, const RECT*, double* originX, double* originY, double* zoom)
{
    const CDoubleRect square = GetDeviceBoundary(originX, originY, zoom);
    const int left = (int)square.left, bottom = (int)square.bottom;
    const int right = (int)square.right, top = (int)square.top;
    if (IsLayerEditable()) {
        pDC->PatBlt(left - 2, bottom - 2, 5, 5, DSTINVERT);
        pDC->PatBlt(left - 2, top - 2, 5, 5, DSTINVERT);
        pDC->PatBlt(right - 2, bottom - 2, 5, 5, DSTINVERT);
        pDC->PatBlt(right - 2, top - 2, 5, 5, DSTINVERT);
    } else {
        pDC->PatBlt(left, bottom, right - left, top - bottom, DSTINVERT);
    }
}

CRect CMapNode::GetDeviceRect(double* originX, double* originY, double* zoom)
{
    const CPoint p = CDoublePoint(m_rcBoundary.left, m_rcBoundary.bottom)
                         .ToDevice(*originX, *originY, *zoom, GetViewHeight());
    const int h = GetSymbolSize() / 2;
    return CRect(p.x - h, p.y - h, p.x + h + 1, p.y + h + 1);
}

CDoubleRect CMapNode::GetDeviceBoundary(double* originX, double* originY, double* zoom)
{
    const CFloatPoint p = CDoublePoint(m_rcBoundary.left, m_rcBoundary.bottom)
                              .ToDeviceFloat(*originX, *originY, *zoom, GetViewHeight());
    const int h = GetSymbolSize() / 2;
    return CDoubleRect((double)p.x - h, (double)p.y - h, (double)p.x + h + 1, (double)p.y + h + 1);
}

BOOL CMapNode::HitTest(int x, int y, double* originX, double* originY, double* zoom)
{
    // A layer tests every node for a click, so most are dismissed without the
    // device transform. Where nothing is lost to rounding (moderate pixel,
    // symbol and coordinate sizes; see below), a node whose x lies more than
    // h + 4 pixels from the pixel's column has its device x more than h + 3
    // pixels away (rounding moves it half a pixel at most), and its square,
    // h + 1 wide on each side, cannot hold the pixel. Past 2^24 pixels, where
    // the square's float centre is rounded, it lies 2^24 - 2^20 pixels away.
    constexpr double kSmall = 1 << 20;
    const double z = *zoom, nx = m_rcBoundary.left, ox = *originX;
    const double h = GetSymbolSize() / 2;
    const double scale = std::fabs(nx) + std::fabs(ox) + std::fabs(x * z);
    if (z > 0 && std::isfinite(scale) && x > -kSmall && x < kSmall && h < kSmall && scale * 0x1p-40 < z
        && std::fabs(nx - (ox + x * z)) > (h + 4) * z)
        return FALSE;
    return CMapObject::HitTest(x, y, originX, originY, zoom);
}

void CMapNode::UpdateLayerBounds()
{
    const CDoubleRect point(m_Position.x, m_Position.y, m_Position.x, m_Position.y);
    if (point == m_rcBoundary)
        return;
    SetBoundary(point);
    CMapObject::UpdateLayerBounds();
}

CMapObject* CMapNode::Clone(CMapLayer* target)
{
    CMapNode* clone = new CMapNode;
    CopyInto(clone, *GetStyle());
    clone->m_Position = m_Position;
    return PlaceClone(clone, target);
}

int CMapNode::GetHandleCount()
{
    return 0;
}

void CMapNode::MoveBy(int dx, int dy, double* zoom)
{
    const double half = GetSymbolSize() / 2.0;
    const auto symbolRect = [&](const CDoubleRect& b) {
        return CDoubleRect(b.left - half, b.bottom - half, b.left + half + 1, b.bottom + half + 1);
    };
    const CDoubleRect old = m_rcBoundary;
    const CDoubleRect before = symbolRect(old);
    m_Position.x = (float)(m_Position.x + dx * *zoom);
    m_Position.y = (float)(m_Position.y - dy * *zoom);
    m_rcBoundary = CDoubleRect(m_Position.x, m_Position.y, m_Position.x, m_Position.y);
    NoteHitStateChange();
    if (symbolRect(m_rcBoundary) != before) {
        // The layer bounds shrink only when the old position touched them.
        m_rcPrevBoundary = old;
        m_dwFlags |= kBoundaryModified;
        CMapObject::UpdateLayerBounds();
    }
    m_dwFlags |= kGeometryModified;
}

int CMapNode::PositionChanged()
{
    UpdateLayerBounds();
    m_dwFlags |= kGeometryModified;
    return 1;
}

// The position moves only to a finite point, as every kind's vertices do.
int CMapNode::Transform(OGRCoordinateTransformation* ct)
{
    return TransformPoints(ct, &m_Position, 1) ? PositionChanged() : 0;
}

int CMapNode::LinearToAngular(double* a, double* b, int)
{
    return ConvertPoints(&m_Position, 1, [&](CFloatPoint& p) { return p.LinearToAngular(*a, *b); })
               ? PositionChanged()
               : 0;
}

int CMapNode::AngularToLinear(double* a, double* b)
{
    return ConvertPoints(&m_Position, 1, [&](CFloatPoint& p) { return p.AngularToLinear(*a, *b); })
               ? PositionChanged()
               : 0;
}

int CMapNode::Scale(double* factor)
{
    return ConvertPoints(&m_Position, 1, [&](CFloatPoint& p) { return p.Scale(*factor); }) ? PositionChanged() : 0;
}

BOOL CMapNode::IsInsidePolygon(const CFloatPoint* ring, int count)
{
    CMapModel* map = GetMap();
    if (!map)
        return FALSE;
    double originX = map->GetXOffset(), originY = map->GetYOffset(), zoom = map->GetZoom();
    const int height = map->GetViewHeight();
    const CRect square = GetDeviceRect(&originX, &originY, &zoom);
    const POINT corners[4] = {{square.left, square.top}, {square.right, square.top},
                              {square.right, square.bottom}, {square.left, square.bottom}};
    for (const POINT& c : corners) {
        if (!IsPointInRing(ring, count, c.x * zoom + originX, (height - c.y) * zoom + originY))
            return FALSE;
    }
    return TRUE;
}

void CMapNode::BindGeometryColumn(CSQLiteStatement& stmt, int index) const
{
    WriteGeometry(m_GeometryRecord);
    stmt.BindBlob(index, m_GeometryRecord, kGeometrySize, SQLITE_STATIC);
}

void CMapNode::SaveChanges()
{
    SaveGeometryColumn([this](CSQLiteStatement& stmt) { BindGeometryColumn(stmt, 0); });
    CMapObject::SaveChanges();
}

void CMapNode::LoadFromRow(CSQLiteStatement* stmt)
{
    // A NULL or short geometry leaves the position where it is.
    const bool positioned = SetGeometry(stmt->ColumnBlob(5), stmt->ColumnBytes(5)) != FALSE;
    CMapObject::LoadFromRow(stmt);
    // The position is the node's geometry: a stored boundary (stale, damaged or NaN) that says
    // otherwise would place the symbol and its hit area somewhere else.
    if (positioned)
        SetBoundary(CDoubleRect(m_Position.x, m_Position.y, m_Position.x, m_Position.y));
}

void CMapNode::DrawTracking(CDC* pDC, const RECT*, double* originX, double* originY, double* zoom)
{
    CPen pen(PS_SOLID, 1, RGB(192, 192, 192));
    pDC->SetROP2(R2_NOTXORPEN);
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->Rectangle(GetDeviceRect(originX, originY, zoom));
    if (oldPen)
        pDC->SelectObject(oldPen);
    else
        pDC->SelectStockObject(NULL_PEN);
    pen.DeleteObject();
}

BOOL CMapNode::IsSamePosition(CMapNode* other)
{
    return m_Position.x == other->m_Position.x && m_Position.y == other->m_Position.y;
}

BOOL CMapNode::DiffersPosition(CMapNode* other)
{
    return m_Position.x != other->m_Position.x || m_Position.y != other->m_Position.y;
}
