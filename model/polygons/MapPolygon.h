// The polygon of the map (type 6): one closed ring of vertices, filled with
// the brush and outlined with the pen of its style. The ring is stored without
// repeating its first vertex; every operation counts the edge from the last
// vertex back to the first. Areas and perimeters are planar, or spherical on a
// geographic map.
#pragma once

#include "model/polygons/MapPointList.h"

class CMapMultiPart;
class CMapPolyPolygon;
class CMapPolyPolyline;

class CMapPolygon : public CMapPointList {
public:
    CMapPolygon();

    BOOL GetPointAtDistance(double d, double* x, double* y) override;
    // Puts the map point under (x, y) into the first edge within the hit
    // tolerance, the closing edge first (then it becomes the last vertex).
    int InsertVertex(int x, int y, double* originX, double* originY, double* zoom) override;
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    // Inside the boundary and an odd number of edge crossings right of the point.
    BOOL ContainsXY(double* x, double* y) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    // Non-zero winding of the device point in some cached ring; an object
    // without cached points is hit nowhere.
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    CMapObject* Clone(CMapLayer* target) override;
    // The mean of the vertices; (0, 0) without any.
    CFloatPoint GetLabelPoint() override;
    // The perimeter; srs null takes the map's system, a geographic one measures on the sphere.
    double GetLength(OGRSpatialReference* srs) override;
    double GetArea(OGRSpatialReference* srs) override;
    void DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;

    virtual BOOL ContainsFloatPoint(const CFloatPoint* pt);
    // Every vertex of `other` (whose geometry must be present) inside this ring.
    virtual BOOL ContainsAllPoints(CMapPointList* other);
    // The cached rings as open lines, nothing filled.
    virtual void DrawCachedOutline(CDC* pDC);
    // The pieces of this polygon inside `rect`, one polygon per piece.
    virtual CMapPolyPolygon* ClipToRectangle(const CDoubleRect* rect);
    // All four corners inside and no edge entering the rectangle.
    virtual BOOL ContainsRectangle(const CDoubleRect* rect);
    // This polygon combined with another polygon, polypolygon or polygon with
    // holes (op 0 intersection, 1 difference, 2 symmetric difference,
    // 3 union; model/PolygonBoolean.cpp); a new object the caller owns, null
    // for an intersection of objects whose boundaries do not meet.
    virtual CMapPolyPolygon* BooleanOp(CMapObject* other, int op);

    // The four corners, bottom-left first, counter-clockwise.
    void MakeRectangle(const CDoubleRect* rect);
    // 64 vertices on the ellipse inscribed in `rect`, from the angle pi/16.
    void MakeEllipse(const CDoubleRect* rect);
    // The split polygon tool: the polygon cut along a line into parts.
    CMapPolyPolygon* SplitByLine(CMapObject* line);
    // The ring cut at two of its vertices into two open lines; null when
    // either point is no vertex.
    CMapPolyPolyline* SplitRingAt(CFloatPoint a, CFloatPoint b, BOOL checkMidpoint);

    // Measures of the vertices present.
    double GetPlanarPerimeter() const;
    double GetSphericalPerimeter() const;
    double GetPlanarArea() const;
    double GetSphericalArea() const;

protected:
    bool IsClosedRing() const override { return true; }
};
