// The part list shared by the multi-part objects: adding, moving and taking
// out parts, finding the part of a vertex, and the operations that apply to
// every part in list order.
#include "model/polygons/MapMultiPart.h"

#include "core/GeometryTransform.h"
#include "model/polygons/ClipPolygon.h"
#include "model/polygons/MapPointList.h"

#include <vector>

CMapMultiPart::~CMapMultiPart()
{
    for (POSITION pos = m_Parts.GetHeadPosition(); pos;)
        delete m_Parts.GetNext(pos);
    m_Parts.RemoveAll();
}

void CMapMultiPart::TakeInBoundary(CMapObject* part)
{
    if (m_Parts.GetCount() == 1)
        m_rcBoundary = part->GetBoundary();
    else
        m_rcBoundary.Union(part->GetBoundary());
}

void CMapMultiPart::AddPart(CMapObject* part)
{
    m_Parts.AddTail(part);
    TakeInBoundary(part);
    part->SetStyle(*GetStyle());
    part->SetLayer(m_pLayer);
    part->SetParent(this);
}

void CMapMultiPart::AddRing(CMapObject* part)
{
    m_Parts.AddTail(part);
    TakeInBoundary(part);
}

void CMapMultiPart::MoveParts(CMapMultiPart* other)
{
    if (other == this)
        return;
    for (POSITION pos = other->m_Parts.GetHeadPosition(); pos;) {
        CMapObject* part = other->m_Parts.GetNext(pos);
        part->SetParent(this);
        m_Parts.AddTail(part);
    }
    other->RemoveAllParts();
    UpdateLayerBounds();
}

void CMapMultiPart::MergeParts(CMapMultiPart* other)
{
    if (other == this)
        return;
    for (POSITION pos = other->m_Parts.GetHeadPosition(); pos;) {
        CMapObject* part = other->m_Parts.GetNext(pos);
        part->SetLayer(m_pLayer);
        part->SetParent(this);
    }
    if (other->GetPartCount() == GetPartCount())
        m_rcBoundary = other->m_rcBoundary;
    else
        m_rcBoundary.Union(other->m_rcBoundary);
    for (POSITION pos = other->m_Parts.GetHeadPosition(); pos;)
        m_Parts.AddTail(other->m_Parts.GetNext(pos));
    other->RemoveAllParts();
}

void CMapMultiPart::RemovePartAt(POSITION pos)
{
    if (!pos)
        return;
    CMapObject* part = m_Parts.GetAt(pos);
    m_Parts.RemoveAt(pos);
    if (part && part->GetParent() == this)
        part->SetParent(nullptr);
    SetIndexStale();
    UpdateLayerBounds();
}

void CMapMultiPart::RemoveHeadPart()
{
    if (m_Parts.IsEmpty())
        return;
    m_Parts.RemoveHead();
    UpdateLayerBounds();
}

void CMapMultiPart::RemoveAllParts()
{
    m_Parts.RemoveAll();
    UpdateLayerBounds();
}

CMapObject* CMapMultiPart::FindPartOfVertex(int index, POSITION& pos, int& localIndex) const
{
    for (POSITION p = m_Parts.GetHeadPosition(); p;) {
        const POSITION here = p;
        CMapObject* part = m_Parts.GetNext(p);
        const int share = PartShare(part);
        if (index >= 0 && index < share) {
            pos = here;
            localIndex = index;
            return part;
        }
        index -= share;
    }
    pos = nullptr;
    localIndex = -1;
    return nullptr;
}

POSITION CMapMultiPart::FindPartByEndpoint(const double point[2]) const
{
    for (POSITION p = m_Parts.GetHeadPosition(); p;) {
        const POSITION here = p;
        auto* ring = dynamic_cast<CClipPolygon*>(m_Parts.GetNext(p));
        if (!ring || ring->GetPointCount() == 0)
            continue;
        const CClipVertex head = ring->GetHeadVertex(), tail = ring->GetTailVertex();
        if ((head.x == point[0] && head.y == point[1]) || (tail.x == point[0] && tail.y == point[1]))
            return here;
    }
    return nullptr;
}

int CMapMultiPart::CountHoleParts() const
{
    int count = 0;
    for (POSITION p = m_Parts.GetHeadPosition(); p;)
        count += m_Parts.GetNext(p)->GetRingFlag() ? 1 : 0;
    return count;
}

BOOL CMapMultiPart::IsSamePartList(CMapMultiPart* other)
{
    if (GetPartCount() != other->GetPartCount())
        return FALSE;
    POSITION b = other->m_Parts.GetHeadPosition();
    for (POSITION a = m_Parts.GetHeadPosition(); a;) {
        if (m_Parts.GetNext(a) != other->m_Parts.GetNext(b))
            return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------- virtual operations
BOOL CMapMultiPart::ContainsPoint(CDoublePoint* pt)
{
    for (POSITION p = m_Parts.GetHeadPosition(); p;) {
        CMapObject* part = m_Parts.GetNext(p);
        if (part->GetRingFlag() && part->ContainsPoint(pt))
            return FALSE;
    }
    for (POSITION p = m_Parts.GetHeadPosition(); p;) {
        CMapObject* part = m_Parts.GetNext(p);
        if (!part->GetRingFlag() && part->ContainsPoint(pt))
            return TRUE;
    }
    return FALSE;
}

void CMapMultiPart::UpdateLayerBounds()
{
    CDoubleRect bounds;
    bool first = true;
    for (POSITION p = m_Parts.GetHeadPosition(); p; first = false) {
        CMapObject* part = m_Parts.GetNext(p);
        part->UpdateLayerBounds();
        if (first)
            bounds = part->GetBoundary();
        else
            bounds.Union(part->GetBoundary());
    }
    m_rcBoundary = bounds;
    CMapObject::UpdateLayerBounds();
}

template <class Convert, class ConvertPart>
int CMapMultiPart::ConvertParts(const Convert& convert, const ConvertPart& convertPart)
{
    // Parts of the stored kinds are vertex lists: their vertices are converted
    // together as one copy, so a failure leaves every part as it was.
    std::vector<CMapPointList*> lists;
    for (POSITION p = m_Parts.GetHeadPosition(); p;) {
        auto* list = dynamic_cast<CMapPointList*>(m_Parts.GetNext(p));
        if (!list)
            break;
        lists.push_back(list);
    }
    if ((int)lists.size() == GetPartCount()) {
        std::vector<CFloatPoint> vertices;
        for (CMapPointList* list : lists)
            list->GatherVertices(vertices);
        if (!convert(vertices.data(), (int)vertices.size()))
            return 0;
        size_t at = 0;
        for (CMapPointList* list : lists)
            list->ScatterVertices(vertices, at);
        SetGeometryModified();
    } else {
        // The clipping engine's own rings go part by part.
        for (POSITION p = m_Parts.GetHeadPosition(); p;) {
            if (convertPart(m_Parts.GetNext(p)) != 1)
                return 0;
        }
    }
    UpdateLayerBounds();
    return 1;
}

int CMapMultiPart::Transform(OGRCoordinateTransformation* ct)
{
    return ConvertParts([&](CFloatPoint* points, int count) { return TransformPoints(ct, points, count); },
                        [&](CMapObject* part) { return part->Transform(ct); });
}

int CMapMultiPart::LinearToAngular(double* a, double* b, int reserved)
{
    return ConvertParts(
        [&](CFloatPoint* points, int count) {
            return ConvertPoints(points, count, [&](CFloatPoint& p) { return p.LinearToAngular(*a, *b); });
        },
        [&](CMapObject* part) { return part->LinearToAngular(a, b, reserved); });
}

int CMapMultiPart::AngularToLinear(double* a, double* b)
{
    return ConvertParts(
        [&](CFloatPoint* points, int count) {
            return ConvertPoints(points, count, [&](CFloatPoint& p) { return p.AngularToLinear(*a, *b); });
        },
        [&](CMapObject* part) { return part->AngularToLinear(a, b); });
}

int CMapMultiPart::Scale(double* factor)
{
    return ConvertParts(
        [&](CFloatPoint* points, int count) {
            return ConvertPoints(points, count, [&](CFloatPoint& p) { return p.Scale(*factor); });
        },
        [&](CMapObject* part) { return part->Scale(factor); });
}

int CMapMultiPart::GetPointCount()
{
    int count = 0;
    for (POSITION p = m_Parts.GetHeadPosition(); p;)
        count += m_Parts.GetNext(p)->GetPointCount();
    return count;
}

void CMapMultiPart::Deselect()
{
    CMapObject::Deselect();
    for (POSITION p = m_Parts.GetHeadPosition(); p;)
        m_Parts.GetNext(p)->Deselect();
}

void CMapMultiPart::SetCacheFlag(BOOL set)
{
    CMapObject::SetCacheFlag(set);
    for (POSITION p = m_Parts.GetHeadPosition(); p;)
        m_Parts.GetNext(p)->SetCacheFlag(set);
}

void CMapMultiPart::MarkRings(BOOL set)
{
    CMapObject::MarkRings(set);
    // Only the parts of a polypolygon are rings; those of a polypolyline and
    // the engine's pieces keep their flags.
    if (GetType() != MAP_OBJECT_POLYPOLYGON)
        return;
    for (POSITION p = m_Parts.GetHeadPosition(); p;)
        m_Parts.GetNext(p)->MarkRings(set);
}

void CMapMultiPart::ShiftDevicePoints(int dx, int dy)
{
    for (POSITION p = m_Parts.GetHeadPosition(); p;)
        m_Parts.GetNext(p)->ShiftDevicePoints(dx, dy);
}
