// The polyline of the map (type 7): an open chain of vertices drawn with the
// pen of its style, used for digitised lines and recorded GPS tracks. Nothing
// joins the last vertex to the first and nothing is filled; its length is the
// sum of its edges, planar or on the sphere on a geographic map.
#pragma once

#include "model/polygons/MapPointList.h"

class CMapPolyline : public CMapPointList {
public:
    CMapPolyline();

    BOOL GetPointAtDistance(double d, double* x, double* y) override;
    // Puts the map point under (x, y) into the first edge within the hit tolerance.
    int InsertVertex(int x, int y, double* originX, double* originY, double* zoom) override;
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    // On the cached device points within the snap distance; without cached
    // points on the vertices, with half the pen width added.
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    CMapObject* Clone(CMapLayer* target) override;
    double GetLength(OGRSpatialReference* srs) override;
    void DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;

    double GetPlanarLength() const;
    double GetSphericalLength() const;
};
