// The multi-part polygon with holes (type 11): several polygons with holes
// stored and handled as one object. Its parts are CMapAdvPolygon objects; a
// part's share of the vertex and handle numbering is all its rings' vertices.
//
// mapeGeoData: the parts one after another, each as a polygon with holes
// stores itself, with the separator (FLT_MAX, FLT_MAX) before every part but
// the first.
#pragma once

#include "model/polygons/MapPartList.h"

class CMapAdvPolygon;

class CMapPolyAdvPolygon : public CMapPartList {
public:
    CMapPolyAdvPolygon() { m_nType = MAP_OBJECT_POLYADVPOLYGON; }

    void MarkRings(BOOL set) override;
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    // The boundary alone, as for any object.
    BOOL ContainsPoint(CDoublePoint* pt) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    void DrawHandles(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    CMapObject* Clone(CMapLayer* target) override;
    CFloatPoint GetLabelPoint() override { return CMapObject::GetLabelPoint(); }
    // The parts' areas, each without its holes.
    double GetArea(OGRSpatialReference* srs) override;
    void LoadFromRow(CSQLiteStatement* stmt) override;

    // Inside the boundary and inside some part (outside that part's holes).
    virtual BOOL ContainsFloatPoint(const CFloatPoint* pt);

protected:
    void CollectRuns(std::vector<StoredRun>& runs) const override;
    int PartShare(CMapObject* part) const override;
    BOOL DeletePartVertex(CMapObject* part, int local) override;
    bool IsPartAtMinimum(CMapObject* part, int local) override;

private:
    std::vector<CMapAdvPolygon*> Parts() const;
};
