// Device-point chunks and their cache: growing, reusing and drawing chunks.
// Chunk arrays are reused between builds and reallocated only to grow.
#include "model/geometry/DevicePointCache.h"

#include "core/DoublePoint.h"
#include "core/EllipseOutline.h"
#include "core/MapStyle.h"
#include "platform/gdi/CDC.h"

#include <algorithm>
#include <cmath>
#include <vector>

// ---------------------------------------------------------------- one chunk
void CDevicePointArray::DrawOutline(CDC* pDC) const
{
    if (m_nCount == 0)
        return;
    pDC->MoveTo(m_Points[0]);
    for (int i = 1; i < m_nCount; ++i)
        pDC->LineTo(m_Points[(size_t)i]);
}

void CDevicePointArray::Draw(CDC* pDC, BOOL closed) const
{
    DrawDevicePoints(pDC, m_Points.data(), m_nCount, closed);
}

void DrawDevicePoints(CDC* pDC, const POINT* points, int count, BOOL closed)
{
    if (count == 0)
        return;
    if (count < CDevicePointArray::kPathThreshold) {
        if (closed)
            pDC->Polygon(points, count);
        else
            pDC->Polyline(points, count);
        return;
    }
    pDC->BeginPath();
    pDC->MoveTo(points[0]);
    for (int i = 1; i < count; ++i)
        pDC->LineTo(points[i]);
    if (closed)
        pDC->LineTo(points[0]);
    pDC->EndPath();
    if (closed)
        pDC->StrokeAndFillPath();
    else
        pDC->StrokePath();
}

void ThinStoredVertices(const BYTE* stored, int count, double originX, double originY, double zoom, int height,
                        std::vector<POINT>& kept)
{
    kept.clear();
    double lastX = 0.0, lastY = 0.0;
    for (int i = 0; i < count; ++i) {
        const double x = MapRecord::GetFloat(stored + (size_t)i * 8);
        const double y = MapRecord::GetFloat(stored + (size_t)i * 8 + 4);
        if (i > 0 && std::fabs(x - lastX) <= zoom && std::fabs(y - lastY) <= zoom)
            continue;
        kept.push_back(MapToDevicePoint(x, y, originX, originY, zoom, height));
        lastX = x;
        lastY = y;
    }
}

void CDevicePointArray::Reserve(int n)
{
    m_nCount = 0;
    if (n <= GetCapacity())
        return;
    m_Points.assign((size_t)n, POINT{0, 0});
    m_Points.shrink_to_fit();
}

void CDevicePointArray::Free()
{
    std::vector<POINT>().swap(m_Points);
    m_nCount = 0;
}

void CDevicePointArray::Append(POINT p)
{
    if (m_nCount >= GetCapacity())
        m_Points.resize(std::max<size_t>(1, 2 * m_Points.size()));
    m_Points[(size_t)m_nCount++] = p;
}

void CDevicePointArray::Shrink()
{
    if (m_nCount == GetCapacity())
        return;
    m_Points.resize((size_t)m_nCount);
    m_Points.shrink_to_fit();
}

void CDevicePointArray::Offset(int dx, int dy)
{
    for (int i = 0; i < m_nCount; ++i) {
        m_Points[(size_t)i].x += dx;
        m_Points[(size_t)i].y += dy;
    }
}

// ---------------------------------------------------------------- the cache
void CDevicePointCache::DrawOutlineAll(CDC* pDC) const
{
    for (int i = 0; i < GetChunkCount(); ++i)
        GetChunk(i)->DrawOutline(pDC);
}

void CDevicePointCache::DrawAll(CDC* pDC, BOOL closed) const
{
    for (int i = 0; i < GetChunkCount(); ++i)
        GetChunk(i)->Draw(pDC, closed);
}

void CDevicePointCache::EmptyChunks()
{
    for (int i = 0; i < GetChunkCount(); ++i)
        GetChunk(i)->Empty();
    m_nFreeFrom = 0;
}

CDevicePointArray* CDevicePointCache::TakeFreeChunk(int n)
{
    for (int i = m_nFreeFrom; i < GetChunkCount(); ++i) {
        CDevicePointArray* chunk = GetChunk(i);
        if (chunk->GetCount() == 0) {
            // A chunk taken and left empty is taken again by the next call.
            m_nFreeFrom = i;
            chunk->Reserve(n);
            return chunk;
        }
    }
    m_nFreeFrom = GetChunkCount();
    CDevicePointArray* chunk = &m_First;
    if (m_bFirstMade) {
        m_More.push_back(std::make_unique<CDevicePointArray>());
        chunk = m_More.back().get();
    }
    m_bFirstMade = true;
    chunk->Reserve(n);
    return chunk;
}

int CDevicePointCache::GetPointCount() const
{
    int count = 0;
    for (int i = 0; i < GetChunkCount(); ++i)
        count += GetChunk(i)->GetCount();
    return count;
}

void CDevicePointCache::Shift(int dx, int dy)
{
    m_rcDevice.left += dx;
    m_rcDevice.right += dx;
    m_rcDevice.top += dy;
    m_rcDevice.bottom += dy;
    for (int i = 0; i < GetChunkCount(); ++i)
        GetChunk(i)->Offset(dx, dy);
}

// ---------------------------------------------------------------- ellipse outline
void ClipEllipse(const RECT& visible, const CDoubleRect& ellipse, CDevicePointArray& out)
{
    std::vector<POINT> outline;
    ClipEllipse(visible, ellipse, outline);
    out.Reserve((int)outline.size());
    for (const POINT& p : outline)
        out.Append(p);
}
