// Polygons with holes: the outer ring's polygon behaviour followed by the
// same operation on each inner ring, one BLOB for all rings, and drawing as
// one filled path so that the holes stay empty.
#include "model/polygons/MapAdvPolygon.h"

#include "core/MapStyle.h"
#include "core/SQLiteStatement.h"
#include "model/geometry/StoredGeometry.h"
#include "model/polygons/RingPath.h"

#include <sqlite3.h>

namespace {
constexpr int kGeoDataColumn = 5;
}

CMapAdvPolygon::CMapAdvPolygon()
{
    m_nType = MAP_OBJECT_ADVPOLYGON;
    m_Rings.SetParent(this);
}

CMapAdvPolygon::~CMapAdvPolygon()
{
    // The rings' borrows end before the outer ring's statement goes.
    for (CMapPolygon* ring : Rings())
        ring->ReleaseStoredPoints();
}

std::vector<CMapPolygon*> CMapAdvPolygon::Rings() const
{
    std::vector<CMapPolygon*> rings;
    for (POSITION p = GetFirstInnerRingPosition(); p;)
        rings.push_back(GetNextInnerRing(p));
    return rings;
}

// ---------------------------------------------------------------- the rings
bool CMapAdvPolygon::EveryRing(const std::function<BOOL(CMapPolygon*)>& test) const
{
    for (CMapPolygon* ring : Rings()) {
        if (!test(ring))
            return false;
    }
    return true;
}

void CMapAdvPolygon::AddInnerRing(CMapPolygon* ring)
{
    if (!m_Rings.GetLayer()) {
        m_Rings.SetStyle(*GetStyle());
        m_Rings.SetLayer(m_pLayer);
        m_Rings.SetParent(this);
    }
    m_Rings.AddPart(ring);
    // An empty ring (one per separator as a row is read) changes no bounds;
    // recomputing them for each would make reading quadratic in the rings.
    if (ring->GetPointCount() > 0)
        UpdateLayerBounds();
}

void CMapAdvPolygon::RemoveInnerRingAt(POSITION pos)
{
    m_Rings.RemovePartAt(pos);
    UpdateLayerBounds();
}

void CMapAdvPolygon::SetInnerRings(CMapPolyPolygon* rings)
{
    m_Rings.MergeParts(rings);
    UpdateLayerBounds();
}

CMapPolygon* CMapAdvPolygon::FindRingOfVertex(int index, POSITION& pos, int& local) const
{
    pos = nullptr;
    local = -1;
    if (index < m_nCount)
        return nullptr;
    index -= m_nCount;
    for (POSITION p = GetFirstInnerRingPosition(); p;) {
        const POSITION here = p;
        CMapPolygon* ring = GetNextInnerRing(p);
        if (index < ring->GetPointCount()) {
            pos = here;
            local = index;
            return ring;
        }
        index -= ring->GetPointCount();
    }
    return nullptr;
}

int CMapAdvPolygon::GetTotalPointCount()
{
    int count = m_nCount;
    for (CMapPolygon* ring : Rings())
        count += ring->GetPointCount();
    return count;
}

int CMapAdvPolygon::GetTotalHandleCount()
{
    int count = m_nCount;
    for (CMapPolygon* ring : Rings())
        count += ring->GetHandleCount();
    return count;
}

BOOL CMapAdvPolygon::DeleteVertex(int index)
{
    LoadGeometry();
    if (index >= 0 && index < m_nCount) {
        if (m_nCount <= 3)
            return FALSE;
        DeletePoint(index);
        InvalidateDevicePoints();
        UpdateLayerBounds();
        return TRUE;
    }
    POSITION pos;
    int local;
    CMapPolygon* ring = FindRingOfVertex(index, pos, local);
    if (!ring)
        return FALSE;
    if (ring->GetPointCount() <= 3) {
        RemoveInnerRingAt(pos);
        delete ring;
    } else {
        ring->DeletePoint(local);
        ring->InvalidateDevicePoints();
        UpdateLayerBounds();
    }
    SetGeometryModified();
    return TRUE;
}

// ---------------------------------------------------------------- flags reaching the rings
void CMapAdvPolygon::Deselect()
{
    CMapPolygon::Deselect();
    m_Rings.Deselect();
}

void CMapAdvPolygon::SetCacheFlag(BOOL set)
{
    CMapPolygon::SetCacheFlag(set);
    m_Rings.SetCacheFlag(set);
}

void CMapAdvPolygon::MarkRings(BOOL set)
{
    CMapPolygon::MarkRings(set);
    for (CMapPolygon* ring : Rings())
        ring->MarkRings(set);
}

void CMapAdvPolygon::ShiftDevicePoints(int dx, int dy)
{
    CMapPolygon::ShiftDevicePoints(dx, dy);
    m_Rings.ShiftDevicePoints(dx, dy);
}

// ---------------------------------------------------------------- outer, then each ring
BOOL CMapAdvPolygon::IsNearPoint(CFloatPoint* pt, double* tolerance)
{
    if (CMapPolygon::IsNearPoint(pt, tolerance))
        return TRUE;
    for (CMapPolygon* ring : Rings()) {
        if (ring->IsNearPoint(pt, tolerance))
            return TRUE;
    }
    return FALSE;
}

BOOL CMapAdvPolygon::IsWithinDeviceCircle(CPoint centre, double radius)
{
    return CMapObject::IsWithinDeviceCircle(centre, radius)
        || (CMapPolygon::IsWithinDeviceCircle(centre, radius)
            && EveryRing([&](CMapPolygon* ring) { return ring->IsWithinDeviceCircle(centre, radius); }));
}

BOOL CMapAdvPolygon::IsWithinCircle(CFloatPoint* centre, double* radius)
{
    return CMapObject::IsWithinCircle(centre, radius)
        || (CMapPolygon::IsWithinCircle(centre, radius)
            && EveryRing([&](CMapPolygon* ring) { return ring->IsWithinCircle(centre, radius); }));
}

void CMapAdvPolygon::ReverseDirection(bool reverse)
{
    CMapPolygon::ReverseDirection(reverse);
    for (CMapPolygon* ring : Rings())
        ring->ReverseDirection(reverse);
}

double CMapAdvPolygon::GetDistance(CFloatPoint pt)
{
    double nearest = CMapPolygon::GetDistance(pt);
    for (CMapPolygon* ring : Rings()) {
        const double d = ring->GetDistance(pt);
        if (d < nearest)
            nearest = d;
    }
    return nearest;
}

int CMapAdvPolygon::InsertVertex(int x, int y, double* originX, double* originY, double* zoom)
{
    LoadGeometry();
    bool inserted = CMapPolygon::InsertVertex(x, y, originX, originY, zoom) != 0;
    for (CMapPolygon* ring : Rings()) {
        if (inserted)
            break;
        inserted = ring->InsertVertex(x, y, originX, originY, zoom) != 0;
    }
    if (inserted)
        SetGeometryModified();
    return inserted ? TRUE : FALSE;
}

void CMapAdvPolygon::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    if (GetInnerRingCount() == 0) {
        CMapPolygon::Draw(pDC, client, originX, originY, zoom);
        return;
    }
    CMapObject::Draw(pDC, client, originX, originY, zoom);
    const int attached = AttachGeometry();
    std::vector<CMapPolygon*> rings = Rings();
    rings.insert(rings.begin(), this);
    // Nothing is drawn over the path afterwards: filling the outer ring again
    // would paint over the holes.
    DrawRingsAsOnePath(pDC, rings, UsesLayerStyle() ? nullptr : GetStyle(), client, originX, originY, zoom);
    if (attached)
        DetachGeometry();
}

void CMapAdvPolygon::SetLayer(CMapLayer* layer)
{
    CMapPolygon::SetLayer(layer);
    m_Rings.SetLayer(layer);
}

void CMapAdvPolygon::DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    if (GetInnerRingCount() == 0) {
        CMapPolygon::DrawSelected(pDC, client, originX, originY, zoom);
        return;
    }
    if (IsLayerEditable()) {
        DrawHandles(pDC, client, originX, originY, zoom);
        return;
    }
    const int attached = AttachGeometry();
    std::vector<CMapPolygon*> rings = Rings();
    rings.insert(rings.begin(), this);
    DrawRingsAsOnePath(pDC, rings, GetMapStyle(), client, originX, originY, zoom);
    if (attached)
        DetachGeometry();
}

BOOL CMapAdvPolygon::HitTest(int x, int y, double* originX, double* originY, double* zoom)
{
    if (!CMapPolygon::HitTest(x, y, originX, originY, zoom))
        return FALSE;
    for (CMapPolygon* ring : Rings()) {
        if (ring->HitTest(x, y, originX, originY, zoom))
            return FALSE;
    }
    return TRUE;
}

void CMapAdvPolygon::DrawHandles(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CMapPolygon::DrawHandles(pDC, client, originX, originY, zoom);
    if (m_nActiveHandle >= m_nCount) {
        POSITION pos;
        int local;
        if (CMapPolygon* ring = FindRingOfVertex(m_nActiveHandle, pos, local))
            ring->SetActiveHandle(local);
    }
    for (CMapPolygon* ring : Rings())
        ring->DrawHandles(pDC, client, originX, originY, zoom);
    DetachGeometry();
}

void CMapAdvPolygon::UpdateLayerBounds()
{
    CDoubleRect bounds;
    for (int i = 0; i < m_nCount; ++i) {
        if (i == 0)
            bounds = CDoubleRect(m_pPoints[0].x, m_pPoints[0].y, m_pPoints[0].x, m_pPoints[0].y);
        else
            bounds.UnionPoint(m_pPoints[i]);
    }
    for (CMapPolygon* ring : Rings()) {
        ring->UpdateLayerBounds();
        if (ring->GetPointCount() > 0)
            bounds.Union(ring->GetBoundary());
    }
    if (bounds == m_rcBoundary)
        return;
    SetBoundary(bounds);
    CMapObject::UpdateLayerBounds();
}

CMapObject* CMapAdvPolygon::Clone(CMapLayer* target)
{
    auto* clone = new CMapAdvPolygon;
    const int attached = AttachGeometry();
    CloneInto(clone, nullptr);
    CMapPolyPolygon rings;
    for (CMapPolygon* ring : Rings())
        rings.AddPart(ring->Clone(nullptr));
    clone->SetInnerRings(&rings);
    if (attached)
        DetachGeometry();
    clone->m_rcBoundary = m_rcBoundary;
    clone->SetGeometryLoaded();
    return PlaceClone(clone, target);
}

CFloatPoint CMapAdvPolygon::GetHandlePoint(int index)
{
    const int count = GetTotalHandleCount();
    if (count <= 0)
        return CFloatPoint();
    index = ((index % count) + count) % count;
    if (index < m_nCount)
        return CMapPolygon::GetHandlePoint(index);
    POSITION pos;
    int local;
    CMapPolygon* ring = FindRingOfVertex(index, pos, local);
    return ring ? ring->GetHandlePoint(local) : CFloatPoint();
}

int CMapAdvPolygon::HitTestHandle(int x, int y, double* originX, double* originY, double* zoom)
{
    const int outer = CMapPolygon::HitTestHandle(x, y, originX, originY, zoom);
    if (outer != -1)
        return outer;
    int before = m_nCount;
    for (CMapPolygon* ring : Rings()) {
        const int hit = ring->HitTestHandle(x, y, originX, originY, zoom);
        if (hit != -1)
            return before + hit;
        before += ring->GetPointCount();
    }
    return -1;
}

int CMapAdvPolygon::SetActiveHandle(int index)
{
    const int count = GetTotalHandleCount();
    if (index >= count)
        return -1;
    m_nActiveHandle = index;
    int before = m_nCount;
    for (CMapPolygon* ring : Rings()) {
        ring->SetActiveHandle(index - before);
        before += ring->GetPointCount();
    }
    return count;
}

void CMapAdvPolygon::MoveBy(int dx, int dy, double* zoom)
{
    LoadGeometry();
    CDoubleRect moved = m_rcBoundary;
    moved.Offset(dx * *zoom, -dy * *zoom);
    CMapPolygon::MoveBy(dx, dy, zoom);
    for (CMapPolygon* ring : Rings()) {
        ring->MoveBy(dx, dy, zoom);
        // The outer ring's move shifted the rings' device points already.
        ring->InvalidateDevicePoints();
    }
    SetIndexStale();
    SetBoundary(moved);
    CMapObject::UpdateLayerBounds();
    SaveChanges();
}

void CMapAdvPolygon::MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom)
{
    LoadGeometry();
    if (handle >= 0 && handle < m_nCount) {
        CMapPolygon::MoveHandle(pDC, handle, x, y, originX, originY, zoom);
    } else {
        POSITION pos;
        int local;
        CMapPolygon* ring = FindRingOfVertex(handle, pos, local);
        if (!ring)
            return;
        ring->MoveHandle(pDC, local, x, y, originX, originY, zoom);
    }
    SetGeometryModified();
    UpdateLayerBounds();
}

void CMapAdvPolygon::GatherVertices(std::vector<CFloatPoint>& vertices)
{
    CMapPolygon::GatherVertices(vertices);
    for (CMapPolygon* ring : Rings())
        ring->GatherVertices(vertices);
}

void CMapAdvPolygon::ScatterVertices(const std::vector<CFloatPoint>& vertices, size_t& at)
{
    CMapPolygon::ScatterVertices(vertices, at);
    for (CMapPolygon* ring : Rings())
        ring->ScatterVertices(vertices, at);
}

void CMapAdvPolygon::RefreshDevicePoints()
{
    // The holes' device points too: a hit inside a hole is no hit.
    CMapPolygon::RefreshDevicePoints();
    for (CMapPolygon* ring : Rings())
        ring->RefreshDevicePoints();
}

void CMapAdvPolygon::CheckDeviceZoom(double* zoom)
{
    CMapPolygon::CheckDeviceZoom(zoom);
    for (CMapPolygon* ring : Rings())
        ring->CheckDeviceZoom(zoom);
}

BOOL CMapAdvPolygon::IsInsidePolygon(const CFloatPoint* ring, int count)
{
    return CMapObject::IsInsidePolygon(ring, count)
        || (CMapPolygon::IsInsidePolygon(ring, count)
            && EveryRing([&](CMapPolygon* inner) { return inner->IsInsidePolygon(ring, count); }));
}

void CMapAdvPolygon::AdjustDeviceHeight(int newHeight)
{
    CMapPolygon::AdjustDeviceHeight(newHeight);
    m_Rings.AdjustDeviceHeight(newHeight);
}

double CMapAdvPolygon::GetLength(OGRSpatialReference* srs)
{
    srs = MeasureReference(srs);
    return MeasureVertices([&] {
        double sum = CMapPolygon::GetLength(srs);
        for (CMapPolygon* ring : Rings())
            sum += ring->GetLength(srs);
        return sum;
    });
}

double CMapAdvPolygon::GetArea(OGRSpatialReference* srs)
{
    srs = MeasureReference(srs);
    return MeasureVertices([&] {
        double area = CMapPolygon::GetArea(srs);
        for (CMapPolygon* ring : Rings())
            area -= ring->GetArea(srs);
        return area;
    });
}

void CMapAdvPolygon::DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CMapPolygon::DrawTracking(pDC, client, originX, originY, zoom);
    for (CMapPolygon* ring : Rings())
        ring->DrawTracking(pDC, client, originX, originY, zoom);
}

BOOL CMapAdvPolygon::ContainsFloatPoint(const CFloatPoint* pt)
{
    const int attached = AttachGeometry();
    BOOL inside = CMapPolygon::ContainsFloatPoint(pt);
    for (CMapPolygon* ring : Rings()) {
        if (!inside)
            break;
        inside = !ring->ContainsFloatPoint(pt);
    }
    if (attached)
        DetachGeometry();
    return inside;
}

// ---------------------------------------------------------------- storage
void CMapAdvPolygon::CollectRuns(std::vector<StoredRun>& runs, RunSeparator beforeOuter, bool withOuter)
{
    runs.push_back({withOuter ? this : nullptr, beforeOuter});
    for (CMapPolygon* ring : Rings())
        runs.push_back({ring, RunSeparator::Hole});
}

std::vector<BYTE> CMapAdvPolygon::GetGeometryBlob()
{
    std::vector<StoredRun> runs;
    CollectRuns(runs, RunSeparator::None, true);
    return JoinStoredRuns(runs);
}

void CMapAdvPolygon::BindGeometryColumn(CSQLiteStatement& stmt, int index) const
{
    const std::vector<BYTE> blob = const_cast<CMapAdvPolygon*>(this)->GetGeometryBlob();
    static const BYTE kNone = 0;
    stmt.BindBlob(index, blob.empty() ? &kNone : blob.data(), (int)blob.size(), SQLITE_TRANSIENT);
}

void CMapAdvPolygon::SplitRecords(bool own)
{
    std::vector<StoredRun> runs;
    CollectRuns(runs, RunSeparator::None, false);
    SplitStoredRuns(m_pPoints, m_nCount, runs, own);
    m_nCount = FirstRunLength(m_pPoints, m_nCount);
}

int CMapAdvPolygon::AttachGeometry()
{
    if (m_nMapeID == -1)
        return CMapPolygon::AttachGeometry();
    const int attached = CMapPolygon::AttachGeometry();
    if (attached)
        SplitRecords(false);
    return attached;
}

void CMapAdvPolygon::DetachGeometry()
{
    if (m_nMapeID != -1 && (m_dwFlags & kGeometryBorrowed)) {
        for (CMapPolygon* ring : Rings())
            ring->ReleaseStoredPoints();
    }
    CMapPolygon::DetachGeometry();
}

void CMapAdvPolygon::LoadGeometry()
{
    if (m_nMapeID == -1 || IsGeometryLoaded()) {
        CMapPolygon::LoadGeometry();
        return;
    }
    if (m_pPoints && !(m_dwFlags & kGeometryBorrowed)) {
        // Owned already (built in memory, say): the row must not replace it.
        SetGeometryLoaded();
        return;
    }
    if (m_dwFlags & kGeometryBorrowed) {
        // The outer ring's own copy; the rings hold theirs already.
        CMapPolygon::LoadGeometry();
        for (CMapPolygon* ring : Rings())
            ring->TakeStoredPoints(ring->GetPoints(), ring->GetPointCount(), true);
        return;
    }
    CMapPolygon::LoadGeometry();
    SplitRecords(true);
}

void CMapAdvPolygon::UnloadGeometry()
{
    for (CMapPolygon* ring : Rings())
        ring->UnloadGeometry();
    CMapPolygon::UnloadGeometry();
    ClearGeometryLoaded();
}

void CMapAdvPolygon::SaveChanges()
{
    if (m_nMapeID < 0)
        return;
    if (IsGeometryLoaded()) {
        SetGeometryModified();
        SaveGeometryColumn([&](CSQLiteStatement& stmt) { BindGeometryColumn(stmt, 0); });
    }
    CMapObject::SaveChanges();
}

void CMapAdvPolygon::LoadFromRow(CSQLiteStatement* stmt)
{
    const int size = stmt->ColumnBytes(kGeoDataColumn);
    const BYTE* data = static_cast<const BYTE*>(stmt->ColumnBlob(kGeoDataColumn));
    if (!data || size < kVertexSize)
        return;
    // Runs that do not match the layout make no rings, and the outer ring
    // takes nothing (AttachGeometry and LoadGeometry check again).
    if (FindStoredGeometryFault(MAP_OBJECT_ADVPOLYGON, data, size)) {
        CMapObject::LoadFromRow(stmt);
        return;
    }
    for (int at = 0; at + kVertexSize <= size; at += kVertexSize) {
        if (IsHoleSeparator(CFloatPoint(MapRecord::GetFloat(data + at), MapRecord::GetFloat(data + at + 4))))
            AddInnerRing(new CMapPolygon);
    }
    CMapObject::LoadFromRow(stmt);
}
