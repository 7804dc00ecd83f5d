// Polypolygons: drawing (one filled path when there are holes), hits and
// containment that exclude holes, areas that subtract them, and the row.
#include "model/polygons/MapPolyPolygon.h"

#include "core/SQLiteStatement.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/RingPath.h"

std::vector<CMapPolygon*> CMapPolyPolygon::Rings() const
{
    std::vector<CMapPolygon*> rings;
    for (POSITION p = GetHeadPartPosition(); p;)
        rings.push_back(static_cast<CMapPolygon*>(GetNextPart(p)));
    return rings;
}

void CMapPolyPolygon::CollectRuns(std::vector<StoredRun>& runs) const
{
    for (CMapPolygon* part : Rings()) {
        const RunSeparator before =
            runs.empty() ? RunSeparator::None : (part->GetRingFlag() ? RunSeparator::Hole : RunSeparator::Part);
        runs.push_back({part, before});
    }
}

BOOL CMapPolyPolygon::DeletePartVertex(CMapObject* part, int local)
{
    return static_cast<CMapPolygon*>(part)->DeletePoint(local);
}

bool CMapPolyPolygon::IsPartAtMinimum(CMapObject* part, int)
{
    return part->GetPointCount() <= 3;
}

void CMapPolyPolygon::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CMapObject::Draw(pDC, client, originX, originY, zoom);
    const int attached = AttachGeometry();
    if (!HasHoles()) {
        for (CMapPolygon* part : Rings()) {
            part->SetUseLayerStyle(UsesLayerStyle());
            part->Draw(pDC, client, originX, originY, zoom);
        }
    } else {
        DrawRingsAsOnePath(pDC, Rings(), UsesLayerStyle() ? nullptr : GetStyle(), client, originX, originY, zoom);
    }
    if (attached)
        DetachGeometry();
}

void CMapPolyPolygon::DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    const int attached = AttachGeometry();
    if (IsLayerEditable()) {
        DrawHandles(pDC, client, originX, originY, zoom);
    } else if (!HasHoles()) {
        for (CMapPolygon* part : Rings())
            part->DrawSelected(pDC, client, originX, originY, zoom);
    } else {
        DrawRingsAsOnePath(pDC, Rings(), GetMapStyle(), client, originX, originY, zoom);
    }
    if (attached)
        DetachGeometry();
}

BOOL CMapPolyPolygon::HitTest(int x, int y, double* originX, double* originY, double* zoom)
{
    int outer = 0, holes = 0;
    for (CMapPolygon* part : Rings()) {
        if (part->HitTest(x, y, originX, originY, zoom))
            ++(part->GetRingFlag() ? holes : outer);
    }
    return HasHoles() ? holes < outer : outer > 0;
}

CMapObject* CMapPolyPolygon::Clone(CMapLayer* target)
{
    return CloneParts(new CMapPolyPolygon, target, true);
}

CFloatPoint CMapPolyPolygon::GetLabelPoint()
{
    CMapPolygon* largest = nullptr;
    double largestArea = -1.0;
    for (CMapPolygon* part : Rings()) {
        const double area = part->GetArea(nullptr);
        if (area > largestArea) {
            largestArea = area;
            largest = part;
        }
    }
    return largest ? largest->GetLabelPoint() : CFloatPoint();
}

double CMapPolyPolygon::GetArea(OGRSpatialReference* srs)
{
    srs = MeasureReference(srs);
    return MeasureParts([&] {
        double sum = 0.0;
        for (CMapPolygon* part : Rings())
            sum += part->GetRingFlag() ? -part->GetArea(srs) : part->GetArea(srs);
        return sum;
    });
}

BOOL CMapPolyPolygon::ContainsFloatPoint(const CFloatPoint* pt)
{
    if (!m_rcBoundary.ContainsFloatPoint(*pt))
        return FALSE;
    const int attached = AttachGeometry();
    bool inPart = false, inHole = false;
    for (CMapPolygon* part : Rings()) {
        if (part->ContainsFloatPoint(pt))
            (part->GetRingFlag() ? inHole : inPart) = true;
    }
    if (attached)
        DetachGeometry();
    return inPart && !inHole;
}

void CMapPolyPolygon::LoadFromRow(CSQLiteStatement* stmt)
{
    LoadPartsFromRow(stmt, [this](RunSeparator before) {
        auto* part = new CMapPolygon;
        part->SetRingFlag(before == RunSeparator::Hole);
        AddPart(part);
    });
}
