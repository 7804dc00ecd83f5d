// The straight line segment of the map (type 4): two end points drawn with the
// pen of its style. At far zooms its device end points are cut to a window
// around the client area in doubles before they become ints, so nothing drawn
// or hit-tested depends on coordinates the graphics interface cannot take.
//
// mapeGeoData of a line: 16 bytes, start x, start y, end x, end y as
// little-endian 32-bit floats.
#pragma once

#include "model/layers/MapObject.h"

#include <memory>

class CClipEdgeList;
class CClipPolygon;
class CClipVertex;
class CMapPointList;

class CMapLine : public CMapObject {
public:
    static constexpr int kGeometrySize = 16;
    static constexpr int kStartXOffset = 0;
    static constexpr int kStartYOffset = 4;
    static constexpr int kEndXOffset = 8;
    static constexpr int kEndYOffset = 12;

    CMapLine();

    // Narrowed to floats; marks the index stale and the geometry modified.
    void SetPoints(const CDoublePoint& start, const CDoublePoint& end);
    CFloatPoint GetStartPoint() const { return m_Start; }
    CFloatPoint GetEndPoint() const { return m_End; }
    // From the 16-byte record; FALSE (points unchanged) for a shorter one.
    BOOL SetGeometry(const void* record, int size);
    void WriteGeometry(BYTE* record) const;

    // The points where the segment from `s` to `e` crosses the edges of
    // `window` (tried bottom, right, top, left), in that order or, with `sort`,
    // by increasing distance from `s`. A segment through a corner finds it once
    // per edge.
    static std::unique_ptr<CClipPolygon> CrossRect(const CDoublePoint& s, const CDoublePoint& e,
                                                   const CDoubleRect& window, bool sort);

    // Where the line crosses the edges of `window`, as a new point list the
    // caller owns (see CrossRect).
    CMapPointList* IntersectRect(const CDoubleRect& window, BOOL sort);
    // Where the line crosses the segments of `object` (its geometry loaded
    // first), as a new point list the caller owns; with `sort` by distance
    // from the start. With `insert` each crossing that is not already a vertex
    // of the object is inserted into it as one.
    CMapPointList* IntersectPointList(CMapPointList* object, BOOL sort, BOOL insert);

    BOOL IsNearPoint(CFloatPoint* pt, double* tolerance) override;
    void GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points) override;
    BOOL IsWithinDeviceCircle(CPoint centre, double radius) override;
    BOOL IsWithinCircle(CFloatPoint* centre, double* radius) override;
    BOOL GetPointAtDistance(double d, double* x, double* y) override;
    void ReverseDirection(bool reverse) override;
    double GetDistance(CFloatPoint pt) override;
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    // The box of the two end points, normalised like every boundary.
    void UpdateLayerBounds() override;
    CMapObject* Clone(CMapLayer* target) override;
    int GetHandleCount() override { return 2; }
    // Even indexes (negative ones too) give the start, odd ones the end.
    CFloatPoint GetHandlePoint(int index) override;
    void MoveBy(int dx, int dy, double* zoom) override;
    // Drags an end point as a rubber band; the row is not written here.
    void MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom) override;
    // Both end points or neither: a failure leaves the line as it was.
    int Transform(OGRCoordinateTransformation* ct) override;
    int LinearToAngular(double* a, double* b, int reserved) override;
    int AngularToLinear(double* a, double* b) override;
    int Scale(double* factor) override;
    BOOL IsInsidePolygon(const CFloatPoint* ring, int count) override;
    void SaveChanges() override;
    void LoadFromRow(CSQLiteStatement* stmt) override;
    void BindGeometryColumn(CSQLiteStatement& stmt, int index) const override;
    double GetLength(OGRSpatialReference* srs) override;
    void DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;

private:
    static void AddByDistance(CClipEdgeList& list, const CDoublePoint& from, const CClipVertex& v);
    // The device end points to draw in the view of `client`: as they are while
    // both lie in the 16-bit range, else cut to `client` widened by `marginX`
    // and `marginY`. False when nothing of the line lies in that window.
    bool DeviceEnds(const RECT& client, double originX, double originY, double zoom, int marginX, int marginY,
                    POINT& start, POINT& end) const;
    void DrawDeviceLine(CDC* pDC, const RECT& client, double originX, double originY, double zoom, int marginX,
                        int marginY) const;
    // Ends a change of the end points: flags, then the boundary.
    int PointsChanged();

    CFloatPoint m_Start;
    CFloatPoint m_End;
};
