// Point-list objects in device pixels: building the device-point cache for a
// view, the vertex handles, the rubber band of a dragged vertex and the device
// tests. Device coordinates far beyond the 16-bit range never reach a chunk:
// such an object is cut to a window around the client area first.
#include "model/polygons/MapPointList.h"

#include "core/MapStyle.h"
#include "core/Measure.h"
#include "model/polygons/ClipPolygon.h"
#include "model/layers/MapModel.h"
#include "model/polygons/MapMultiPart.h"
#include "model/geometry/ObjectDrawScope.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
// The clipping window reaches this far beyond the client area, so that small
// scrolls reuse the pieces.
constexpr int kWindowMarginX = 500;
constexpr int kWindowMarginY = 400;

bool CoversClient(const CInt64Rect& r, const RECT& client)
{
    return r.left <= client.left && r.right >= client.right && std::min(r.top, r.bottom) <= client.top
        && std::max(r.top, r.bottom) >= client.bottom;
}

// Fills a free chunk of `cache` with the device points of `count` map points
// read by `at`, keeping a point only when it lies more than one zoom step (map
// units) from the last point kept, in x or in y. The points are thinned
// first, so that the chunk's array is made once at the size it ends with.
template <class At>
void AppendThinned(CDevicePointCache& cache, int count, const At& at, double originX, double originY, double zoom,
                   int height)
{
    static thread_local std::vector<POINT> kept;
    kept.clear();
    double lastX = 0.0, lastY = 0.0;
    for (int i = 0; i < count; ++i) {
        double x, y;
        at(i, x, y);
        if (i > 0 && std::fabs(x - lastX) <= zoom && std::fabs(y - lastY) <= zoom)
            continue;
        kept.push_back(MapToDevicePoint(x, y, originX, originY, zoom, height));
        lastX = x;
        lastY = y;
    }
    CDevicePointArray* chunk = cache.TakeFreeChunk((int)kept.size());
    for (const POINT& p : kept)
        chunk->Append(p);
    chunk->Shrink();
}
}

void CMapPointList::BuildDevicePoints(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CDevicePointCache& cache = m_Cache;
    const int height = client->bottom - client->top;
    const double z = *zoom;
    if (cache.IsFilled() && !AreDevicePointsStale() && z == cache.GetZoom()) {
        if (!cache.IsClipped() || CoversClient(cache.GetDeviceRect(), *client))
            return;
    }

    CDoubleRect device = m_rcBoundary.ToDeviceFloatRect(*originX, *originY, z, height);
    if (device.ExceedsLimit(kDeviceLimit)) {
        // Only what lies in the window is kept, in device pixels well inside
        // the range of the graphics system.
        RECT window{client->left - kWindowMarginX, client->top - kWindowMarginY, client->right + kWindowMarginX,
                    client->bottom + kWindowMarginY};
        if (pDC && pDC->GetMapMode() != MM_TEXT) {
            window.top = client->top + kWindowMarginY;
            window.bottom = client->bottom - kWindowMarginY;
        }
        CInt64Rect covered;
        covered.left = window.left;
        covered.right = window.right;
        covered.top = window.top;
        covered.bottom = window.bottom;
        cache.SetDeviceRect(covered);
        cache.SetZoom(z);
        cache.SetClipped(TRUE);
        cache.EmptyChunks();
        CDoubleRect mapWindow(window.left * z + *originX, (height - window.bottom) * z + *originY,
                              window.right * z + *originX, (height - window.top) * z + *originY);
        mapWindow.Normalize();
        CClipPolygon polygon;
        polygon.SetFromObjectNear(this, mapWindow);
        // An object with nothing in the window draws nothing: no piece is kept.
        std::unique_ptr<CMapObject> pieces(
            polygon.ClipToRect(mapWindow, IsClosedRing() ? MAP_OBJECT_POLYGON : MAP_OBJECT_POLYLINE));
        if (auto* parts = dynamic_cast<CMapMultiPart*>(pieces.get())) {
            for (POSITION pos = parts->GetHeadPartPosition(); pos;) {
                auto* piece = static_cast<CClipPolygon*>(parts->GetNextPart(pos));
                std::vector<CClipVertex> vertices;
                vertices.reserve((size_t)piece->GetPointCount());
                for (POSITION v = piece->GetHeadPosition(); v;)
                    vertices.push_back(piece->GetNext(v));
                if (vertices.empty())
                    continue;
                AppendThinned(
                    cache, (int)vertices.size(),
                    [&](int i, double& x, double& y) { x = vertices[(size_t)i].x, y = vertices[(size_t)i].y; },
                    *originX, *originY, z, height);
            }
        }
        ValidateDevicePoints();
        return;
    }

    cache.EmptyChunks();
    // The covered rectangle of a build that keeps every vertex.
    const auto finish = [&] {
        device.Normalize();
        cache.SetDeviceRect(CInt64Rect(device));
        cache.SetZoom(z);
        cache.SetClipped(FALSE);
        ValidateDevicePoints();
    };
    // An object of a drawing loop's row is drawn once: its device points come
    // straight from the stored bytes, with no copy of the vertices between.
    int size = 0;
    if (const BYTE* stored = !m_pPoints && !m_rcBoundary.IsNull() ? StoredVerticesOfLoopRow(size) : nullptr) {
        const int count = size / kVertexSize;
        if (count >= 1) {
            static thread_local std::vector<POINT> kept;
            ThinStoredVertices(stored, count, *originX, *originY, z, height, kept);
            CDevicePointArray* chunk = cache.TakeFreeChunk((int)kept.size());
            for (const POINT& p : kept)
                chunk->Append(p);
            chunk->Shrink();
            finish();
        }
        return;
    }
    const int attached = AttachGeometry();
    if (!m_pPoints)
        return;
    if (m_rcBoundary.IsNull()) {
        UpdateLayerBounds();
        device = m_rcBoundary.ToDeviceFloatRect(*originX, *originY, z, height);
    }
    if (m_nCount >= 1) {
        const CFloatPoint* points = m_pPoints;
        AppendThinned(
            cache, m_nCount, [&](int i, double& x, double& y) { x = points[i].x, y = points[i].y; }, *originX,
            *originY, z, height);
        finish();
    }
    if (attached)
        DetachGeometry();
}

void CMapPointList::RefreshDevicePoints()
{
    CMapModel* map = GetMap();
    if (!map)
        return;
    double originX = map->GetXOffset(), originY = map->GetYOffset(), zoom = map->GetZoom();
    BuildDevicePoints(nullptr, map->GetClientRect(), &originX, &originY, &zoom);
}

void CMapPointList::CheckDeviceZoom(double* zoom)
{
    if (*zoom == m_Cache.GetZoom())
        return;
    m_Cache.EmptyChunks();
    m_Cache.SetZoom(*zoom);
}

void CMapPointList::AdjustDeviceHeight(int newHeight)
{
    // Device y counts from the bottom of the client area.
    m_Cache.Shift(0, newHeight - GetViewHeight());
}

void CMapPointList::ShiftDevicePoints(int dx, int dy)
{
    m_Cache.Shift(dx, dy);
}

BOOL CMapPointList::IsWithinDeviceCircle(CPoint centre, double radius)
{
    if (CMapObject::IsWithinDeviceCircle(centre, radius))
        return TRUE;
    const double limit = radius * radius;
    for (int c = 0; c < m_Cache.GetChunkCount(); ++c) {
        const CDevicePointArray* chunk = m_Cache.GetChunk(c);
        for (int i = 0; i < chunk->GetCount(); ++i) {
            if ((double)SquaredDeviceDistance(chunk->GetAt(i), centre) > limit)
                return FALSE;
        }
    }
    return TRUE;
}

void CMapPointList::DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    if (IsLayerEditable())
        DrawHandles(pDC, client, originX, originY, zoom);
}

void CMapPointList::DrawHandles(CDC* pDC, const RECT*, double* originX, double* originY, double* zoom)
{
    for (int c = 0; c < m_Cache.GetChunkCount(); ++c) {
        const CDevicePointArray* chunk = m_Cache.GetChunk(c);
        for (int i = 0; i < chunk->GetCount(); ++i) {
            const POINT p = chunk->GetAt(i);
            pDC->PatBlt(p.x - 3, p.y - 3, 7, 7, DSTINVERT);
        }
    }
    if (m_nActiveHandle < 0)
        return;
    LoadGeometry();
    if (m_nActiveHandle >= m_nCount)
        return;
    const CFloatPoint v = m_pPoints[m_nActiveHandle];
    const CPoint p = v.ToDevice(*originX, *originY, *zoom, GetViewHeight());
    pDC->PatBlt(p.x - 2, p.y - 2, 5, 5, DSTINVERT);
}

int CMapPointList::HitTestHandle(int x, int y, double* originX, double* originY, double* zoom)
{
    LoadGeometry();
    const int height = GetViewHeight();
    for (int i = 0; i < m_nCount; ++i) {
        const CPoint p = m_pPoints[i].ToDevice(*originX, *originY, *zoom, height);
        if (CRect(p.x - 3, p.y - 3, p.x + 3, p.y + 3).PtInRect(CPoint(x, y)))
            return i;
    }
    return -1;
}

void CMapPointList::MoveHandle(CDC* pDC, int index, int x, int y, double* originX, double* originY, double* zoom)
{
    InvalidateDevicePoints();
    CTrackingPenScope band(pDC);
    LoadGeometry();

    if (index >= 0 && index < m_nCount) {
        const int height = GetViewHeight();
        const auto device = [&](int i) { return m_pPoints[i].ToDevice(*originX, *originY, *zoom, height); };
        const CPoint p = device(index);
        const bool closed = IsClosedRing();

        bool found = false;
        POINT prev = p, next = p;
        for (int c = 0; c < m_Cache.GetChunkCount() && !found; ++c) {
            CDevicePointArray* chunk = m_Cache.GetChunk(c);
            const int n = chunk->GetCount();
            for (int i = 0; i < n; ++i) {
                const POINT q = chunk->GetAt(i);
                if (q.x != p.x || q.y != p.y)
                    continue;
                chunk->SetAt(i, POINT{x, y});
                next = i + 1 < n ? chunk->GetAt(i + 1) : (closed ? chunk->GetAt(0) : (POINT)p);
                prev = i > 0 ? chunk->GetAt(i - 1) : (closed ? chunk->GetAt(n - 1) : (POINT)p);
                found = true;
                break;
            }
        }
        if (!found || (prev.x == next.x && prev.y == next.y)) {
            // The neighbours from the vertices themselves.
            if (index > 0)
                prev = device(index - 1);
            else if (closed)
                prev = device(m_nCount - 1);
            if (index + 1 < m_nCount)
                next = device(index + 1);
            else if (closed)
                next = device(0);
        }
        const bool hasPrev = prev.x != p.x || prev.y != p.y;
        const bool hasNext = next.x != p.x || next.y != p.y;
        // Drawn again in NOTXOR, the old rubber band disappears.
        if (hasPrev) {
            pDC->MoveTo(prev);
            pDC->LineTo(p);
        }
        if (hasNext) {
            pDC->MoveTo(next);
            pDC->LineTo(p);
        }
        const double xy[2] = {x * *zoom + *originX, (height - y) * *zoom + *originY};
        SetPoint(index, xy);
        if (hasPrev) {
            pDC->MoveTo(prev);
            pDC->LineTo(x, y);
        }
        if (hasNext) {
            pDC->MoveTo(next);
            pDC->LineTo(x, y);
        }
    }
}

BOOL CMapPointList::HitTestDeviceRect(int x, int y, double* originX, double* originY, double* zoom,
                                      CFloatPoint* corner, int margin)
{
    if (!CMapObject::HitTestDeviceRect(x, y, originX, originY, zoom, corner, margin))
        return FALSE;
    const int attached = AttachGeometry();
    const int height = GetViewHeight();
    BOOL hit = FALSE;
    for (int i = 0; i < m_nCount && !hit; ++i) {
        const CPoint p = m_pPoints[i].ToDevice(*originX, *originY, *zoom, height);
        hit = std::llabs((long long)p.x - x) <= margin && std::llabs((long long)p.y - y) <= margin;
    }
    if (attached)
        DetachGeometry();
    return hit;
}
