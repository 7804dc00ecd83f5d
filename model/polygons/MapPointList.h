// The base of the map objects whose geometry is one array of vertices
// (polygon, polyline, the outer ring of a polygon with holes): the vertex
// array with its growth by 20, its three states (none, borrowed from the row a
// layer query stands on, owned), its storage as mapeGeoData and the vertex
// editing of the tools, the converters and the clipping engine. Each object
// owns a device-point cache through which it draws and hit-tests.
//
// mapeGeoData of a point-list object: count x 8 bytes, no header; vertex i at
// offset 8i as x then y, little-endian IEEE 32-bit floats. The count is the
// BLOB length / 8 (a remainder is ignored); an empty geometry is 0 bytes.
#pragma once

#include "model/geometry/DevicePointCache.h"
#include "model/geometry/StoredGeometry.h"
#include "model/layers/MapObject.h"

#include <functional>
#include <memory>
#include <vector>

class CClipPolygon;

class CMapPointList : public CMapObject {
public:
    static constexpr int kGrowBy = 20;
    static constexpr int kVertexSize = kStoredVertexSize;
    // A device extent that reaches this many pixels is cut to a window.
    static constexpr int kDeviceLimit = kDeviceExtentLimit;

    CMapPointList();
    ~CMapPointList() override;

    // ---- vertex access and editing (indices zero-based)
    // Owns the geometry, appends, moves the index entry with the widened
    // boundary and marks the geometry modified.
    void AppendPoint(CFloatPoint pt);
    void AddPoint(const CFloatPoint& pt) { AppendPoint(pt); }
    void AddDoublePoint(double x, double y) { AppendPoint(CFloatPoint(x, y)); }
    // No flag and no boundary change: callers invalidate the device points and save.
    void InsertPointAt(int index, const double xy[2]);
    // First vertex; boundary as AppendPoint, no index or modified flag.
    void PrependPoint(CFloatPoint pt);
    // FALSE for an index outside the vertices.
    BOOL DeletePoint(int index);
    void RemoveFirstPoint();
    void RemoveLastPoint();
    // Count 0; the array and its capacity stay.
    void RemoveAllPoints() { m_nCount = 0; }
    // No range check and no load.
    CFloatPoint GetPoint(int index) const { return m_pPoints[index]; }
    CFloatPoint GetFirstPoint();
    CFloatPoint GetLastPoint();
    // Stores the narrowed point, marks the index stale and recomputes the boundary.
    void SetPoint(int index, const double xy[2]);
    // The first vertex equal in both coordinates, or -1.
    int FindPoint(float x, float y);
    // Of each run of equal consecutive vertices one is removed per pass step.
    int RemoveDuplicatePoints();
    void AppendPoints(CMapPointList* other);
    void CopyPointsAndStyle(CMapPointList* source);
    void CopyFromClipPolygon(CClipPolygon* source);
    // The ring drawn as a closed line with this object's style.
    void DrawAsClosedLine(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);
    // Joins two open lines at a shared end vertex; FALSE, nothing changed, when
    // no end is shared.
    BOOL JoinAtEnds(CMapPointList* other);
    // The bounding box of the vertices (zero for none), set through SetBoundary
    // when it differs, then the layer's bounds updated.
    void RecomputeBoundary();
    const CFloatPoint* GetPoints() const { return m_pPoints; }
    int GetCapacity() const { return (int)m_Owned.size(); }
    CDevicePointCache* GetDeviceCache() const { return &m_Cache; }
    // The multi-part kinds split one stored BLOB over their parts and rings:
    // `count` vertices become this object's, as an owned copy or as a borrow
    // that ends with the stored whole's (ReleaseStoredPoints).
    void TakeStoredPoints(const CFloatPoint* points, int count, bool own);
    // Ends a borrow taken by TakeStoredPoints; nothing otherwise.
    void ReleaseStoredPoints();

    // Coordinate conversions go through a copy of every vertex of the whole
    // (inner rings included) and are committed only when all succeeded.
    // Gather appends the vertices (loading them) in ring order; Scatter takes
    // them back from `at` on in the same order, advances `at`, and marks the
    // geometry modified with its index entry stale and its boundary recomputed.
    virtual void GatherVertices(std::vector<CFloatPoint>& vertices);
    virtual void ScatterVertices(const std::vector<CFloatPoint>& vertices, size_t& at);

    virtual BOOL IsSameGeometry(CMapPointList* other);
    virtual BOOL DiffersGeometry(CMapPointList* other) { return !IsSameGeometry(other); }

    // ---- virtual operations of the map object
    BOOL IsNearPoint(CFloatPoint* pt, double* tolerance) override;
    void GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points) override;
    BOOL IsWithinCircle(CFloatPoint* centre, double* radius) override;
    void ReverseDirection(bool reverse) override;
    double GetDistance(CFloatPoint pt) override;
    void UpdateLayerBounds() override;
    CMapObject* Clone(CMapLayer* target) override;
    int GetHandleCount() override { return m_nCount; }
    CFloatPoint GetHandlePoint(int index) override;
    void MoveBy(int dx, int dy, double* zoom) override;
    int Transform(OGRCoordinateTransformation* ct) override;
    int LinearToAngular(double* a, double* b, int reserved) override;
    int AngularToLinear(double* a, double* b) override;
    int Scale(double* factor) override;
    BOOL IsInsidePolygon(const CFloatPoint* ring, int count) override;
    int GetPointCount() override { return m_nCount; }

    // ---- geometry storage (model/MapPointListStorage.cpp)
    void SaveChanges() override;
    void DetachGeometry() override;
    int AttachGeometry() override;
    void UnloadGeometry() override;
    void LoadGeometry() override;
    void BindGeometryColumn(CSQLiteStatement& stmt, int index) const override;
    // The vertices as their stored bytes.
    std::vector<BYTE> GetGeometryBlob() const;

    // ---- device points (model/MapPointListDevice.cpp)
    BOOL IsWithinDeviceCircle(CPoint centre, double radius) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void DrawHandles(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    int HitTestHandle(int x, int y, double* originX, double* originY, double* zoom) override;
    void MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom) override;
    void RefreshDevicePoints() override;
    void CheckDeviceZoom(double* zoom) override;
    void AdjustDeviceHeight(int newHeight) override;
    BOOL HitTestDeviceRect(int x, int y, double* originX, double* originY, double* zoom, CFloatPoint* corner,
                           int margin) override;
    void ShiftDevicePoints(int dx, int dy) override;
    // Rebuilds the cache when the zoom, the stale flag or the view ask for it.
    virtual void BuildDevicePoints(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);

protected:
    // The stored vertex bytes of the row a layer's drawing or selection loop
    // stands on when it is this object's row, else null; valid until the loop
    // steps on.
    const BYTE* StoredVerticesOfLoopRow(int& size) const;
    // Whether the vertex ring closes from the last vertex to the first.
    virtual bool IsClosedRing() const { return false; }
    // The clone steps shared by the kinds: `clone` gets this object's values
    // and an owned copy of its vertices, then is stored in `target` if given.
    CMapObject* CloneInto(CMapPointList* clone, CMapLayer* target);
    // Owns an array of at least `capacity` vertices holding the present ones.
    void Reserve(int capacity);
    // A full array grows by kGrowBy.
    void GrowIfFull();
    // The map point under a device pixel of the view.
    CFloatPoint DeviceToMap(int x, int y, double originX, double originY, double zoom) const;
    // Pen width of the effective style / 2 plus the snap distance, in map units.
    double MapTolerance(double zoom) const;
    template <class Convert> int ConvertVertices(const Convert& convert);
    // Whether lengths and areas are measured on the sphere: `srs`, or without
    // it the owning map's system, is geographic.
    bool MeasuresOnSphere(OGRSpatialReference* srs) const;
    // The sum of the edges present (the closing edge of a ring included),
    // Euclidean or great-circle in metres with x, y in degrees.
    double ChainLength(bool spherical) const;
    // The point at distance d along the edges (a ring's closing edge last);
    // FALSE without vertices or past the last edge.
    BOOL PointAtDistance(double d, double* x, double* y) const;
    // The index after the first edge within `tolerance` of `p`, or -1; a
    // ring's closing edge is tried first and gives the vertex count.
    int FindEdgeNear(const CFloatPoint& p, double tolerance) const;
    // The insertion of the map point under device (x, y) into the first edge
    // within the hit tolerance (appended after the last vertex for a ring's
    // closing edge); nothing with fewer than `minimum` vertices. 1 when inserted.
    int InsertVertexNearEdge(int x, int y, double originX, double originY, double zoom, int minimum);
    // Draw of the kinds: the style's pen and brush (and background for a
    // filled ring) unless the layer's are in use, then the cached points.
    void DrawCachedPoints(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);
    // `measure` of the vertices, borrowed for the time when not present.
    double MeasureVertices(const std::function<double()>& measure);

    // Held in the object (objects drawn once are made by the thousand), handed
    // out through const objects as the style is.
    mutable CDevicePointCache m_Cache;
    // The vertices: m_Owned (size() is the capacity) when the geometry is
    // loaded, m_Borrowed while it is borrowed, null when neither.
    const CFloatPoint* m_pPoints = nullptr;
    int m_nCount = 0;

private:
    // Where a borrow came from, so that ending it releases the right statement.
    enum class BorrowSource { None, LayerQuery, OwnQuery, Whole };

    CFloatPoint* OwnedPoints() { return m_Owned.data(); }
    // Takes the stored bytes as the owned (or borrowed) vertices.
    void TakeBlob(const void* data, int size, bool own);
    void EndBorrow();

    std::vector<CFloatPoint> m_Owned;
    std::vector<CFloatPoint> m_Borrowed;
    BorrowSource m_Borrow = BorrowSource::None;
};
