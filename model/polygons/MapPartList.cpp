// The operations the stored multi-part kinds share: part by part in list
// order, with indexes counted through the parts, and the one BLOB of all parts
// borrowed, loaded and written by the whole.
#include "model/polygons/MapPartList.h"

#include "core/MapStyle.h"
#include "core/SQLiteStatement.h"
#include "model/polygons/MapPointList.h"
#include "model/geometry/StoredGeometry.h"

#include <sqlite3.h>

#include <algorithm>

namespace {
// Column of mapeGeoData in a whole row of _MapGeoData.
constexpr int kGeoDataColumn = 5;
}

CMapPartList::~CMapPartList() = default;

// ---------------------------------------------------------------- numbering
BOOL CMapPartList::DeleteVertex(int index)
{
    POSITION pos;
    int local;
    LoadGeometry();
    CMapObject* part = FindPartOfVertex(index, pos, local);
    if (!part)
        return FALSE;
    if (!IsPartAtMinimum(part, local)) {
        if (!DeletePartVertex(part, local))
            return FALSE;
        part->InvalidateDevicePoints();
        SetIndexStale();
        UpdateLayerBounds();
        SetGeometryModified();
        return TRUE;
    }
    if (GetPartCount() <= 1)
        return FALSE;
    RemovePartAt(pos);
    delete part;
    SetGeometryModified();
    return TRUE;
}

// ---------------------------------------------------------------- part by part
bool CMapPartList::EveryPart(const std::function<BOOL(CMapObject*)>& test) const
{
    if (GetPartCount() == 0)
        return false;
    for (POSITION p = GetHeadPartPosition(); p;) {
        if (!test(GetNextPart(p)))
            return false;
    }
    return true;
}

BOOL CMapPartList::IsNearPoint(CFloatPoint* pt, double* tolerance)
{
    for (POSITION p = GetHeadPartPosition(); p;) {
        if (GetNextPart(p)->IsNearPoint(pt, tolerance))
            return TRUE;
    }
    return FALSE;
}

void CMapPartList::GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points)
{
    for (POSITION p = GetHeadPartPosition(); p;)
        GetNextPart(p)->GetOutlinePoints(points);
}

BOOL CMapPartList::IsWithinDeviceCircle(CPoint centre, double radius)
{
    return CMapObject::IsWithinDeviceCircle(centre, radius) || EveryPart([&](CMapObject* part) { return part->IsWithinDeviceCircle(centre, radius); });
}

BOOL CMapPartList::IsWithinCircle(CFloatPoint* centre, double* radius)
{
    return CMapObject::IsWithinCircle(centre, radius) || EveryPart([&](CMapObject* part) { return part->IsWithinCircle(centre, radius); });
}

void CMapPartList::ReverseDirection(bool reverse)
{
    for (POSITION p = GetHeadPartPosition(); p;)
        GetNextPart(p)->ReverseDirection(reverse);
}

double CMapPartList::GetDistance(CFloatPoint pt)
{
    double nearest = -1.0;
    for (POSITION p = GetHeadPartPosition(); p;) {
        const double d = GetNextPart(p)->GetDistance(pt);
        if (nearest < 0.0 || d < nearest)
            nearest = d;
    }
    return nearest;
}

int CMapPartList::InsertVertex(int x, int y, double* originX, double* originY, double* zoom)
{
    LoadGeometry();
    for (POSITION p = GetHeadPartPosition(); p;) {
        if (GetNextPart(p)->InsertVertex(x, y, originX, originY, zoom)) {
            SetIndexStale();
            UpdateLayerBounds();
            SetGeometryModified();
            return TRUE;
        }
    }
    return FALSE;
}

void CMapPartList::SetLayer(CMapLayer* layer)
{
    CMapObject::SetLayer(layer);
    for (POSITION p = GetHeadPartPosition(); p;)
        GetNextPart(p)->SetLayer(layer);
}

void CMapPartList::DrawHandles(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    for (POSITION p = GetHeadPartPosition(); p;)
        GetNextPart(p)->DrawHandles(pDC, client, originX, originY, zoom);
}

void CMapPartList::UpdateLayerBounds()
{
    CDoubleRect bounds;
    bool first = true;
    for (POSITION p = GetHeadPartPosition(); p; first = false) {
        CMapObject* part = GetNextPart(p);
        part->UpdateLayerBounds();
        if (first)
            bounds = part->GetBoundary();
        else
            bounds.Union(part->GetBoundary());
    }
    if (bounds == m_rcBoundary)
        return;
    SetBoundary(bounds);
    CMapObject::UpdateLayerBounds();
}

int CMapPartList::GetHandleCount()
{
    int count = 0;
    for (POSITION p = GetHeadPartPosition(); p;)
        count += GetNextPart(p)->GetHandleCount();
    return count;
}

CFloatPoint CMapPartList::GetHandlePoint(int index)
{
    const int count = GetHandleCount();
    if (count <= 0)
        return CFloatPoint();
    index = ((index % count) + count) % count;
    for (POSITION p = GetHeadPartPosition(); p;) {
        CMapObject* part = GetNextPart(p);
        const int n = part->GetHandleCount();
        if (index < n)
            return part->GetHandlePoint(index);
        index -= n;
    }
    return CFloatPoint();
}

int CMapPartList::HitTestHandle(int x, int y, double* originX, double* originY, double* zoom)
{
    int before = 0;
    for (POSITION p = GetHeadPartPosition(); p;) {
        CMapObject* part = GetNextPart(p);
        const int hit = part->HitTestHandle(x, y, originX, originY, zoom);
        if (hit != -1)
            return before + hit;
        before += part->GetHandleCount();
    }
    return -1;
}

int CMapPartList::SetActiveHandle(int index)
{
    m_nActiveHandle = index;
    int before = 0;
    for (POSITION p = GetHeadPartPosition(); p;) {
        CMapObject* part = GetNextPart(p);
        part->SetActiveHandle(index - before);
        before += part->GetHandleCount();
    }
    return before;
}

void CMapPartList::MoveBy(int dx, int dy, double* zoom)
{
    LoadGeometry();
    for (POSITION p = GetHeadPartPosition(); p;)
        GetNextPart(p)->MoveBy(dx, dy, zoom);
    const CDoublePoint m = MoveOffset(dx, dy, *zoom);
    SetIndexStale();
    SetGeometryModified();
    CDoubleRect moved = m_rcBoundary;
    moved.Offset(m.x, m.y);
    SetBoundary(moved);
    CMapObject::UpdateLayerBounds();
    SaveChanges();
}

void CMapPartList::MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom)
{
    LoadGeometry();
    for (POSITION p = GetHeadPartPosition(); p;) {
        CMapObject* part = GetNextPart(p);
        const int n = part->GetHandleCount();
        if (handle >= 0 && handle < n) {
            part->MoveHandle(pDC, handle, x, y, originX, originY, zoom);
            SetGeometryModified();
            UpdateLayerBounds();
            return;
        }
        handle -= n;
    }
}

void CMapPartList::RefreshDevicePoints()
{
    for (POSITION p = GetHeadPartPosition(); p;)
        GetNextPart(p)->RefreshDevicePoints();
}

void CMapPartList::CheckDeviceZoom(double* zoom)
{
    for (POSITION p = GetHeadPartPosition(); p;)
        GetNextPart(p)->CheckDeviceZoom(zoom);
}

BOOL CMapPartList::IsInsidePolygon(const CFloatPoint* ring, int count)
{
    return CMapObject::IsInsidePolygon(ring, count) || EveryPart([&](CMapObject* part) { return part->IsInsidePolygon(ring, count); });
}

void CMapPartList::AdjustDeviceHeight(int newHeight)
{
    for (POSITION p = GetHeadPartPosition(); p;)
        GetNextPart(p)->AdjustDeviceHeight(newHeight);
}

int CMapPartList::GetPointCount()
{
    int count = 0;
    for (POSITION p = GetHeadPartPosition(); p;)
        count += PartShare(GetNextPart(p));
    return count;
}

double CMapPartList::MeasureParts(const std::function<double()>& measure)
{
    const int attached = AttachGeometry();
    const double value = measure();
    if (attached)
        DetachGeometry();
    return value;
}

double CMapPartList::GetLength(OGRSpatialReference* srs)
{
    srs = MeasureReference(srs);
    return MeasureParts([&] {
        double sum = 0.0;
        for (POSITION p = GetHeadPartPosition(); p;)
            sum += GetNextPart(p)->GetLength(srs);
        return sum;
    });
}

void CMapPartList::DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    for (POSITION p = GetHeadPartPosition(); p;)
        GetNextPart(p)->DrawTracking(pDC, client, originX, originY, zoom);
}

CMapObject* CMapPartList::CloneParts(CMapPartList* clone, CMapLayer* target, bool markLoaded)
{
    CopyInto(clone, *GetStyle());
    const int attached = AttachGeometry();
    for (POSITION p = GetHeadPartPosition(); p;)
        clone->AddPart(GetNextPart(p)->Clone(nullptr));
    if (attached)
        DetachGeometry();
    // The copy's parts own their vertices, wherever the original's came from.
    clone->m_dwFlags &= ~kGeometryBorrowed;
    if (markLoaded)
        clone->SetGeometryLoaded();
    return PlaceClone(clone, target);
}

// ---------------------------------------------------------------- storage
std::vector<BYTE> CMapPartList::GetGeometryBlob()
{
    std::vector<StoredRun> runs;
    CollectRuns(runs);
    return JoinStoredRuns(runs);
}

void CMapPartList::BindGeometryColumn(CSQLiteStatement& stmt, int index) const
{
    std::vector<StoredRun> runs;
    CollectRuns(runs);
    const std::vector<BYTE> blob = JoinStoredRuns(runs);
    static const BYTE kNone = 0;
    stmt.BindBlob(index, blob.empty() ? &kNone : blob.data(), (int)blob.size(), SQLITE_TRANSIENT);
}

bool CMapPartList::LoadPartsFromRow(CSQLiteStatement* stmt, const std::function<void(RunSeparator)>& addPart)
{
    const int size = stmt->ColumnBytes(kGeoDataColumn);
    const BYTE* data = static_cast<const BYTE*>(stmt->ColumnBlob(kGeoDataColumn));
    if (!data || size < CMapPointList::kVertexSize)
        return false;
    // Runs that do not match the kind's layout make no parts: the object
    // keeps its row's state and has no geometry.
    if (FindStoredGeometryFault(GetType(), data, size)) {
        CMapObject::LoadFromRow(stmt);
        return false;
    }
    addPart(RunSeparator::None);
    for (int at = 0; at + CMapPointList::kVertexSize <= size; at += CMapPointList::kVertexSize) {
        const CFloatPoint p(MapRecord::GetFloat(data + at), MapRecord::GetFloat(data + at + 4));
        if (IsHoleSeparator(p))
            addPart(RunSeparator::Hole);
        else if (IsPartSeparator(p))
            addPart(RunSeparator::Part);
    }
    CMapObject::LoadFromRow(stmt);
    return true;
}

void CMapPartList::Distribute(const CFloatPoint* records, int count, bool own)
{
    std::vector<StoredRun> runs;
    CollectRuns(runs);
    SplitStoredRuns(records, count, runs, own);
}

bool CMapPartList::HoldsOwnedParts() const
{
    if (m_dwFlags & kGeometryBorrowed)
        return false;
    std::vector<StoredRun> runs;
    CollectRuns(runs);
    return std::any_of(runs.begin(), runs.end(), [](const StoredRun& run) { return run.target->GetPoints(); });
}

int CMapPartList::AttachGeometry()
{
    if (IsGeometryLoaded() || IsGeometryBorrowed() || HoldsOwnedParts())
        return 0;
    if (m_nMapeID == -1)
        return m_pParent ? m_pParent->AttachGeometry() : 0;
    auto records = std::make_unique<CStoredRecords>(m_pLayer, m_nMapeID);
    if (!records->Borrow())
        return 0;
    Distribute(records->GetRecords(), records->GetCount(), false);
    m_pBorrowed = std::move(records);
    SetGeometryBorrowed(TRUE);
    return 1;
}

void CMapPartList::DetachGeometry()
{
    if (m_nMapeID == -1) {
        if (m_pParent && !IsGeometryLoaded())
            m_pParent->DetachGeometry();
        return;
    }
    if (!(m_dwFlags & kGeometryBorrowed))
        return;
    std::vector<StoredRun> runs;
    CollectRuns(runs);
    for (const StoredRun& run : runs)
        run.target->ReleaseStoredPoints();
    m_pBorrowed.reset();
    SetGeometryBorrowed(FALSE);
}

void CMapPartList::LoadGeometry()
{
    if (IsGeometryLoaded())
        return;
    if (m_nMapeID == -1) {
        if (m_pParent)
            m_pParent->LoadGeometry();
        return;
    }
    if (HoldsOwnedParts()) {
        SetGeometryLoaded();
        return;
    }
    std::vector<StoredRun> runs;
    CollectRuns(runs);
    if (m_dwFlags & kGeometryBorrowed) {
        // What is borrowed is the stored row: owning a copy needs no query.
        for (const StoredRun& run : runs)
            run.target->TakeStoredPoints(run.target->GetPoints(), run.target->GetPointCount(), true);
        m_pBorrowed.reset();
        SetGeometryBorrowed(FALSE);
    } else {
        CStoredRecords records(m_pLayer, m_nMapeID);
        records.Load();
        SplitStoredRuns(records.GetRecords(), records.GetCount(), runs, true);
    }
    SetGeometryLoaded();
}

void CMapPartList::UnloadGeometry()
{
    DetachGeometry();
    std::vector<StoredRun> runs;
    CollectRuns(runs);
    for (const StoredRun& run : runs)
        run.target->UnloadGeometry();
    ClearGeometryLoaded();
}

void CMapPartList::SaveChanges()
{
    if (m_nMapeID < 0)
        return;
    if (m_dwFlags & kGeometryLoaded) {
        SetGeometryModified();
        SaveGeometryColumn([&](CSQLiteStatement& stmt) { BindGeometryColumn(stmt, 0); });
    }
    CMapObject::SaveChanges();
}
