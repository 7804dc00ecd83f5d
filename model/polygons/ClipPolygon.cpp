// The clipping engine's working polygon: building, editing, joining and
// walking its vertex list. Every change of the list keeps the boundary the
// bounding box of the vertices.
#include "model/polygons/ClipPolygon.h"

#include "core/DoublePoint.h"

namespace {
bool SamePoint(const CClipVertex& a, const CClipVertex& b)
{
    return a.x == b.x && a.y == b.y;
}
}

// ---------------------------------------------------------------- virtual operations
BOOL CClipPolygon::ContainsXY(double* x, double* y)
{
    if (!CMapObject::ContainsXY(x, y) || m_Vertices.IsEmpty())
        return FALSE;
    const double px = *x, py = *y;
    int crossings = 0;
    CClipVertex p = m_Vertices.GetTail();
    for (POSITION pos = m_Vertices.GetHeadPosition(); pos;) {
        const CClipVertex& c = m_Vertices.GetNext(pos);
        if ((p.y > py) != (c.y > py)) {
            if (((p.x - px) * (c.y - py) - (c.x - px) * (p.y - py)) / (c.y - p.y) > 0)
                ++crossings;
        }
        p = c;
    }
    return (crossings & 1) != 0;
}

BOOL CClipPolygon::ContainsPoint(CDoublePoint* pt)
{
    return ContainsXY(&pt->x, &pt->y);
}

// The box of every vertex, vertices at the origin included: an all-zero box
// is not taken for "nothing yet". An empty list has the zero box.
void CClipPolygon::RecomputeBoundary()
{
    CDoubleRect bounds;
    bool first = true;
    for (POSITION pos = m_Vertices.GetHeadPosition(); pos; first = false) {
        const CClipVertex& v = m_Vertices.GetNext(pos);
        if (first)
            bounds = CDoubleRect(v.x, v.y, v.x, v.y);
        else
            bounds.UnionDoublePoint(CDoublePoint(v.x, v.y));
    }
    m_rcBoundary = bounds;
}

void CClipPolygon::UpdateLayerBounds()
{
    RecomputeBoundary();
    CMapObject::UpdateLayerBounds();
}

CMapObject* CClipPolygon::Clone(CMapLayer*)
{
    auto* clone = new CClipPolygon;
    clone->CopyVerticesFrom(*this, FALSE);
    clone->m_rcBoundary = m_rcBoundary;
    clone->m_nRelation = m_nRelation;
    return clone;
}

template <class Convert> int CClipPolygon::ConvertVertices(const Convert& convert)
{
    for (POSITION pos = m_Vertices.GetHeadPosition(); pos;) {
        CClipVertex& v = m_Vertices.GetNext(pos);
        CDoublePoint point(v.x, v.y);
        if (!convert(point))
            return 0;
        v.x = point.x;
        v.y = point.y;
    }
    UpdateLayerBounds();
    return 1;
}

int CClipPolygon::Transform(OGRCoordinateTransformation* ct)
{
    return ConvertVertices([&](CDoublePoint& p) { return p.Transform(ct); });
}

int CClipPolygon::LinearToAngular(double* a, double* b, int)
{
    return ConvertVertices([&](CDoublePoint& p) { return p.LinearToAngular(*a, *b); });
}

int CClipPolygon::AngularToLinear(double* a, double* b)
{
    return ConvertVertices([&](CDoublePoint& p) { return p.AngularToLinear(*a, *b); });
}

int CClipPolygon::Scale(double* factor)
{
    return ConvertVertices([&](CDoublePoint& p) { return p.Scale(*factor); });
}

// ---------------------------------------------------------------- building
void CClipPolygon::CopyVerticesFrom(const CClipPolygon& other, BOOL reversed)
{
    if (reversed) {
        for (POSITION pos = other.m_Vertices.GetTailPosition(); pos;)
            m_Vertices.AddTail(CClipVertex(other.m_Vertices.GetPrev(pos)));
    } else {
        for (POSITION pos = other.m_Vertices.GetHeadPosition(); pos;)
            m_Vertices.AddTail(CClipVertex(other.m_Vertices.GetNext(pos)));
    }
}

void CClipPolygon::CopyFrom(const CClipPolygon& other, BOOL reversed)
{
    if (&other == this)
        return;
    m_Vertices.RemoveAll();
    CopyVerticesFrom(other, reversed);
    SetStyle(*other.GetStyle());
    m_rcBoundary = other.m_rcBoundary;
    m_nRelation = other.m_nRelation;
}

void CClipPolygon::SetFromObject(CMapObject* object, BOOL reversed)
{
    m_Vertices.RemoveAll();
    const int borrowed = object->AttachGeometry();
    const int count = object->GetPointCount();
    for (int i = 0; i < count; ++i) {
        const CFloatPoint pt = object->GetHandlePoint(reversed ? count - 1 - i : i);
        m_Vertices.AddTail(CClipVertex(pt));
    }
    if (borrowed)
        object->DetachGeometry();
    SetStyle(*object->GetStyle());
    SetBoundary(object->GetBoundary());
}

void CClipPolygon::WidenBoundary(const CClipVertex& v, bool first)
{
    if (first)
        m_rcBoundary = CDoubleRect(v.x, v.y, v.x, v.y);
    else
        m_rcBoundary.UnionDoublePoint(CDoublePoint(v.x, v.y));
}

void CClipPolygon::AddVertex(const CClipVertex& v)
{
    WidenBoundary(v, m_Vertices.IsEmpty());
    m_Vertices.AddTail(CClipVertex(v));
}

void CClipPolygon::AddVertexAtHead(const CClipVertex& v)
{
    WidenBoundary(v, m_Vertices.IsEmpty());
    m_Vertices.AddHead(CClipVertex(v));
}

void CClipPolygon::AppendPolygon(const CClipPolygon& other)
{
    AddPolygon(other, false);
}

void CClipPolygon::PrependPolygon(const CClipPolygon& other)
{
    AddPolygon(other, true);
}

void CClipPolygon::AddPolygon(const CClipPolygon& other, bool atHead)
{
    const bool wasEmpty = m_Vertices.IsEmpty();
    if (atHead)
        m_Vertices.AddHead(&other.m_Vertices);
    else
        m_Vertices.AddTail(&other.m_Vertices);
    if (wasEmpty)
        m_rcBoundary = other.m_rcBoundary;
    else
        m_rcBoundary.Union(other.m_rcBoundary);
}

POSITION CClipPolygon::InsertVertexBefore(POSITION position, const CClipVertex& v, BOOL force)
{
    // A null position stands before the head: the head is the vertex there.
    const POSITION at = position ? position : m_Vertices.GetHeadPosition();
    if (!force && at) {
        if (SamePoint(v, m_Vertices.GetAt(at)))
            return at;
        POSITION before = at;
        m_Vertices.GetPrev(before);
        if (before && SamePoint(v, m_Vertices.GetAt(before)))
            return at;
    }
    // An empty list takes the point as its box instead of widening the zero
    // box towards the origin.
    WidenBoundary(v, m_Vertices.IsEmpty());
    const POSITION inserted = m_Vertices.InsertBefore(at, v);
    m_Vertices.GetAt(inserted).spare = v.spare;
    return inserted;
}

void CClipPolygon::RemoveHeadVertex()
{
    m_Vertices.RemoveHead();
    UpdateLayerBounds();
}

void CClipPolygon::RemoveTailVertex()
{
    m_Vertices.RemoveTail();
    UpdateLayerBounds();
}

void CClipPolygon::RemoveVertexAt(POSITION position)
{
    m_Vertices.RemoveAt(position);
    UpdateLayerBounds();
}

// ---------------------------------------------------------------- reading
CClipVertex CClipPolygon::GetVertexAt(int index) const
{
    POSITION pos = m_Vertices.GetHeadPosition();
    for (int i = 0; i < index; ++i)
        m_Vertices.GetNext(pos);
    return m_Vertices.GetAt(pos);
}

POSITION CClipPolygon::FindVertex(double x, double y, POSITION after) const
{
    POSITION pos = after;
    if (pos)
        m_Vertices.GetNext(pos);
    else
        pos = m_Vertices.GetHeadPosition();
    while (pos) {
        const POSITION here = pos;
        const CClipVertex& v = m_Vertices.GetNext(pos);
        if (v.x == x && v.y == y)
            return here;
    }
    return nullptr;
}

int CClipPolygon::CountIntersections() const
{
    int count = 0;
    for (POSITION pos = m_Vertices.GetHeadPosition(); pos;)
        if (m_Vertices.GetNext(pos).IsIntersection())
            ++count;
    return count;
}

// ---------------------------------------------------------------- reshaping
void CClipPolygon::Rotate(int n)
{
    if (m_Vertices.IsEmpty())
        return;
    for (; n > 0; --n)
        m_Vertices.AddTail(m_Vertices.RemoveHead());
    for (; n < 0; ++n)
        m_Vertices.AddHead(m_Vertices.RemoveTail());
}

BOOL CClipPolygon::Join(const CClipPolygon& other, BOOL keepDirection)
{
    if (&other == this || m_Vertices.IsEmpty() || other.m_Vertices.IsEmpty())
        return FALSE;
    const CClipVertex head = GetHeadVertex(), tail = GetTailVertex();
    const CClipVertex otherHead = other.GetHeadVertex(), otherTail = other.GetTailVertex();
    const auto& vertices = other.m_Vertices;
    // The end vertex taken off comes back as the other chain's first vertex,
    // so the boundary stays the box of the vertices without recomputing it.
    if (!keepDirection && SamePoint(head, otherHead)) {
        m_Vertices.RemoveHead();
        for (POSITION pos = vertices.GetHeadPosition(); pos;)
            AddVertexAtHead(vertices.GetNext(pos));
    } else if (SamePoint(tail, otherHead)) {
        m_Vertices.RemoveTail();
        for (POSITION pos = vertices.GetHeadPosition(); pos;)
            AddVertex(vertices.GetNext(pos));
    } else if (SamePoint(head, otherTail)) {
        m_Vertices.RemoveHead();
        for (POSITION pos = vertices.GetTailPosition(); pos;)
            AddVertexAtHead(vertices.GetPrev(pos));
    } else if (keepDirection) {
        return FALSE;
    } else if (SamePoint(tail, otherTail)) {
        m_Vertices.RemoveTail();
        for (POSITION pos = vertices.GetTailPosition(); pos;)
            AddVertex(vertices.GetPrev(pos));
    } else {
        return FALSE;
    }
    CMapObject::UpdateLayerBounds();
    return TRUE;
}

// ---------------------------------------------------------------- traversal
CClipVertex CClipPolygon::StepForward(POSITION& position) const
{
    return m_nForward ? m_Vertices.GetNext(position) : m_Vertices.GetPrev(position);
}

CClipVertex CClipPolygon::StepBackward(POSITION& position) const
{
    return m_nForward ? m_Vertices.GetPrev(position) : m_Vertices.GetNext(position);
}
