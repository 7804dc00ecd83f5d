// The polypolyline (type 9): open polyline parts stored as one object and one
// row. It has no area and no holes; its length is the sum of its parts'.
#pragma once

#include "model/polygons/MapPartList.h"

class CMapPolyPolyline : public CMapPartList {
public:
    CMapPolyPolyline() { m_nType = MAP_OBJECT_POLYPOLYLINE; }

    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    CMapObject* Clone(CMapLayer* target) override;
    void LoadFromRow(CSQLiteStatement* stmt) override;

protected:
    void CollectRuns(std::vector<StoredRun>& runs) const override;
    BOOL DeletePartVertex(CMapObject* part, int local) override;
    bool IsPartAtMinimum(CMapObject* part, int local) override;
};
