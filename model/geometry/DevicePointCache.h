// The device-pixel copy of a point-list object's vertices for the current
// view: chunks of integer device points, thinned to one point per pixel step,
// kept between paints and rebuilt only when the zoom, the object or the view
// asks for it. Every cached point lies inside the 32-bit range: far beyond the
// 16-bit range only the pieces cut to a window around the client area are kept.
#pragma once

#include "platform/base/Afx.h"

#include "core/DoubleRect.h"
#include "core/Int64Rect.h"

#include <memory>
#include <vector>

class CDC;

// One chunk of device points. A chunk whose count is 0 is free for reuse and
// keeps its array.
class CDevicePointArray {
public:
    // From this many points on a chunk is drawn as a path instead of one
    // polygon or polyline call.
    static constexpr int kPathThreshold = 16000;

    CDevicePointArray() = default;
    CDevicePointArray(const CDevicePointArray&) = delete;
    CDevicePointArray& operator=(const CDevicePointArray&) = delete;
    virtual ~CDevicePointArray() = default;

    // MoveTo the first point, LineTo every further one; no closing line.
    virtual void DrawOutline(CDC* pDC) const;
    // A filled polygon (closed) or a polyline, through a path from
    // kPathThreshold points on.
    virtual void Draw(CDC* pDC, BOOL closed) const;

    // Room for n points and count 0; the array is kept when it is big enough.
    void Reserve(int n);
    void Free();
    // Doubles the array when it is full.
    void Append(POINT p);
    // The array cut to exactly count points.
    void Shrink();
    void Empty() { m_nCount = 0; }

    int GetCount() const { return m_nCount; }
    int GetCapacity() const { return (int)m_Points.size(); }
    const POINT* GetData() const { return m_Points.data(); }
    POINT GetAt(int i) const { return m_Points[(size_t)i]; }
    void SetAt(int i, POINT p) { m_Points[(size_t)i] = p; }
    void Offset(int dx, int dy);

private:
    std::vector<POINT> m_Points;   // size() is the capacity
    int m_nCount = 0;
};

// Draws `count` device points as CDevicePointArray::Draw does: one polygon
// (closed) or polyline call, through a path from kPathThreshold points on.
void DrawDevicePoints(CDC* pDC, const POINT* points, int count, BOOL closed);

// The device points of `count` stored vertices (mapeGeoData: x then y as
// 32-bit floats, 8 bytes a vertex), into `kept`, which is emptied first. A
// vertex is kept only when it lies more than one zoom step (map units) from
// the last one kept, in x or in y; the first is always kept.
void ThinStoredVertices(const BYTE* stored, int count, double originX, double originY, double zoom, int height,
                        std::vector<POINT>& kept);

// The outline of the part of the ellipse inscribed in `ellipse` (device
// pixels) that lies within `visible` (core/EllipseOutline.h), into `out`,
// which is emptied first; empty when nothing of it is visible.
void ClipEllipse(const RECT& visible, const CDoubleRect& ellipse, CDevicePointArray& out);

class CDevicePointCache {
public:
    CDevicePointCache() = default;
    CDevicePointCache(const CDevicePointCache&) = delete;
    CDevicePointCache& operator=(const CDevicePointCache&) = delete;
    virtual ~CDevicePointCache() = default;

    virtual void DrawOutlineAll(CDC* pDC) const;
    virtual void DrawAll(CDC* pDC, BOOL closed) const;

    // -1 before the first build; the drawing tools set it back to -1 to force one.
    double GetZoom() const { return m_dZoom; }
    void SetZoom(double zoom) { m_dZoom = zoom; }
    const CInt64Rect& GetDeviceRect() const { return m_rcDevice; }
    void SetDeviceRect(const CInt64Rect& rect) { m_rcDevice = rect; }
    // Whether the last build kept only the pieces inside a clipping window.
    BOOL IsClipped() const { return m_bClipped; }
    void SetClipped(BOOL clipped) { m_bClipped = clipped; }

    // Filled: a first chunk that holds points.
    BOOL IsFilled() const { return m_bFirstMade && m_First.GetCount() != 0; }
    // Every chunk emptied, arrays kept for the next build.
    void EmptyChunks();
    // The first free chunk, or a new one at the end, with room for n points.
    // Chunks are taken in order after EmptyChunks: the search resumes at the
    // chunk taken last, so that a build of many pieces is linear in them.
    CDevicePointArray* TakeFreeChunk(int n);
    // Chunks in build order; the free ones (count 0) included.
    int GetChunkCount() const { return m_bFirstMade ? 1 + (int)m_More.size() : 0; }
    CDevicePointArray* GetChunk(int i) const { return i == 0 ? &m_First : m_More[(size_t)i - 1].get(); }
    // The number of points in all chunks.
    int GetPointCount() const;
    // After the view scrolled by whole pixels: the points and the covered
    // rectangle move with it.
    void Shift(int dx, int dy);

private:
    double m_dZoom = -1.0;
    CInt64Rect m_rcDevice;
    BOOL m_bClipped = FALSE;
    // Most objects need one chunk: it lives in the cache itself, and only the
    // pieces of a clipped object beyond the first are allocated one by one.
    mutable CDevicePointArray m_First;
    bool m_bFirstMade = false;
    std::vector<std::unique_ptr<CDevicePointArray>> m_More;
    // Every chunk before this one holds points, or was taken since the
    // chunks were last emptied and may hold none: no free one lies before it
    // that a build would reuse.
    int m_nFreeFrom = 0;
};
