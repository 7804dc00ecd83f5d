// Polypolylines: each part drawn, hit and measured as a polyline.
#include "model/polygons/MapPolyPolyline.h"

#include "model/polygons/MapPolyline.h"

void CMapPolyPolyline::CollectRuns(std::vector<StoredRun>& runs) const
{
    for (POSITION p = GetHeadPartPosition(); p;) {
        auto* part = static_cast<CMapPolyline*>(GetNextPart(p));
        runs.push_back({part, runs.empty() ? RunSeparator::None : RunSeparator::Part});
    }
}

BOOL CMapPolyPolyline::DeletePartVertex(CMapObject* part, int local)
{
    return static_cast<CMapPolyline*>(part)->DeletePoint(local);
}

bool CMapPolyPolyline::IsPartAtMinimum(CMapObject* part, int)
{
    return part->GetPointCount() <= 2;
}

void CMapPolyPolyline::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CMapObject::Draw(pDC, client, originX, originY, zoom);
    const int attached = AttachGeometry();
    for (POSITION p = GetHeadPartPosition(); p;) {
        CMapObject* part = GetNextPart(p);
        part->SetUseLayerStyle(UsesLayerStyle());
        part->Draw(pDC, client, originX, originY, zoom);
    }
    if (attached)
        DetachGeometry();
}

void CMapPolyPolyline::DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    const int attached = AttachGeometry();
    const bool editable = IsLayerEditable();
    for (POSITION p = GetHeadPartPosition(); p;) {
        CMapObject* part = GetNextPart(p);
        if (editable)
            part->DrawHandles(pDC, client, originX, originY, zoom);
        else
            part->DrawSelected(pDC, client, originX, originY, zoom);
    }
    if (attached)
        DetachGeometry();
}

BOOL CMapPolyPolyline::HitTest(int x, int y, double* originX, double* originY, double* zoom)
{
    for (POSITION p = GetHeadPartPosition(); p;) {
        if (GetNextPart(p)->HitTest(x, y, originX, originY, zoom))
            return TRUE;
    }
    return FALSE;
}

CMapObject* CMapPolyPolyline::Clone(CMapLayer* target)
{
    return CloneParts(new CMapPolyPolyline, target, m_nMapeID >= 0);
}

void CMapPolyPolyline::LoadFromRow(CSQLiteStatement* stmt)
{
    // Only the part separator makes a part of a polyline.
    LoadPartsFromRow(stmt, [this](RunSeparator before) {
        if (before != RunSeparator::Hole)
            AddPart(new CMapPolyline);
    });
}
