// Multi-part polygons with holes: every part is a polygon with holes, drawn,
// hit, measured and stored as one.
#include "model/polygons/MapPolyAdvPolygon.h"

#include "model/polygons/MapAdvPolygon.h"

std::vector<CMapAdvPolygon*> CMapPolyAdvPolygon::Parts() const
{
    std::vector<CMapAdvPolygon*> parts;
    for (POSITION p = GetHeadPartPosition(); p;)
        parts.push_back(static_cast<CMapAdvPolygon*>(GetNextPart(p)));
    return parts;
}

void CMapPolyAdvPolygon::CollectRuns(std::vector<StoredRun>& runs) const
{
    for (CMapAdvPolygon* part : Parts())
        part->CollectRuns(runs, runs.empty() ? RunSeparator::None : RunSeparator::Part, true);
}

int CMapPolyAdvPolygon::PartShare(CMapObject* part) const
{
    return static_cast<CMapAdvPolygon*>(part)->GetTotalPointCount();
}

BOOL CMapPolyAdvPolygon::DeletePartVertex(CMapObject* part, int local)
{
    return static_cast<CMapAdvPolygon*>(part)->DeleteVertex(local);
}

bool CMapPolyAdvPolygon::IsPartAtMinimum(CMapObject* part, int local)
{
    auto* polygon = static_cast<CMapAdvPolygon*>(part);
    return local < polygon->GetOuterPointCount() && polygon->GetOuterPointCount() <= 3;
}

void CMapPolyAdvPolygon::MarkRings(BOOL set)
{
    CMapMultiPart::MarkRings(set);
    for (CMapAdvPolygon* part : Parts())
        part->MarkRings(set);
}

void CMapPolyAdvPolygon::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CMapObject::Draw(pDC, client, originX, originY, zoom);
    const int attached = AttachGeometry();
    for (CMapAdvPolygon* part : Parts()) {
        part->SetUseLayerStyle(UsesLayerStyle());
        part->Draw(pDC, client, originX, originY, zoom);
    }
    if (attached)
        DetachGeometry();
}

BOOL CMapPolyAdvPolygon::ContainsPoint(CDoublePoint* pt)
{
    return CMapObject::ContainsPoint(pt);
}

void CMapPolyAdvPolygon::DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    const int attached = AttachGeometry();
    for (CMapAdvPolygon* part : Parts())
        part->DrawSelected(pDC, client, originX, originY, zoom);
    if (attached)
        DetachGeometry();
}

BOOL CMapPolyAdvPolygon::HitTest(int x, int y, double* originX, double* originY, double* zoom)
{
    for (CMapAdvPolygon* part : Parts()) {
        if (part->HitTest(x, y, originX, originY, zoom))
            return TRUE;
    }
    return FALSE;
}

void CMapPolyAdvPolygon::DrawHandles(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    const int attached = AttachGeometry();
    CMapObject::DrawHandles(pDC, client, originX, originY, zoom);
    if (attached)
        DetachGeometry();
}

CMapObject* CMapPolyAdvPolygon::Clone(CMapLayer* target)
{
    return CloneParts(new CMapPolyAdvPolygon, target, true);
}

double CMapPolyAdvPolygon::GetArea(OGRSpatialReference* srs)
{
    srs = MeasureReference(srs);
    return MeasureParts([&] {
        double sum = 0.0;
        for (CMapAdvPolygon* part : Parts())
            sum += part->GetArea(srs);
        return sum;
    });
}

BOOL CMapPolyAdvPolygon::ContainsFloatPoint(const CFloatPoint* pt)
{
    if (!m_rcBoundary.ContainsFloatPoint(*pt))
        return FALSE;
    const int attached = AttachGeometry();
    BOOL inside = FALSE;
    for (CMapAdvPolygon* part : Parts()) {
        if (part->ContainsFloatPoint(pt)) {
            inside = TRUE;
            break;
        }
    }
    if (attached)
        DetachGeometry();
    return inside;
}

void CMapPolyAdvPolygon::LoadFromRow(CSQLiteStatement* stmt)
{
    CMapAdvPolygon* current = nullptr;
    LoadPartsFromRow(stmt, [&](RunSeparator before) {
        if (before == RunSeparator::Hole && current) {
            current->AddInnerRing(new CMapPolygon);
        } else {
            current = new CMapAdvPolygon;
            AddPart(current);
        }
    });
}
