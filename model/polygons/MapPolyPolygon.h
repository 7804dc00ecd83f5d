// The polypolygon (type 8): polygon parts stored as one object and one row,
// each part after the first possibly a hole (the ring flag). It is what
// splitting and clipping a polygon and the boolean operations hand back.
// Areas subtract the holes; a point in a hole is outside and does not hit.
#pragma once

#include "model/polygons/MapPartList.h"

class CMapPolygon;

class CMapPolyPolygon : public CMapPartList {
public:
    CMapPolyPolygon() { m_nType = MAP_OBJECT_POLYPOLYGON; }

    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    // Without holes any part hit; with holes more outer parts hit than holes.
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    CMapObject* Clone(CMapLayer* target) override;
    // The label point of the part of the largest area; (0, 0) without parts.
    CFloatPoint GetLabelPoint() override;
    // The parts' areas, holes subtracted.
    double GetArea(OGRSpatialReference* srs) override;
    void LoadFromRow(CSQLiteStatement* stmt) override;

    // Inside the boundary, inside a part that is no hole and in no hole.
    virtual BOOL ContainsFloatPoint(const CFloatPoint* pt);

protected:
    void CollectRuns(std::vector<StoredRun>& runs) const override;
    BOOL DeletePartVertex(CMapObject* part, int local) override;
    bool IsPartAtMinimum(CMapObject* part, int local) override;

private:
    bool HasHoles() const { return CountHoleParts() > 0; }
    std::vector<CMapPolygon*> Rings() const;
};
