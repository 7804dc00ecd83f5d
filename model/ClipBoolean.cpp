// The ring steps of the boolean operations on clip polygons: orientation,
// crossings inserted into both rings, the marks that classify each edge
// leaving a crossing against the other figure, and the traversal that cuts
// out the pieces an operation keeps. Traversal keeps the region on its
// right: outer rings run clockwise (y up), holes counter-clockwise.
#include "model/ClipPolygon.h"

#include "core/ClipSegments.h"
#include "model/MapMultiPart.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {
bool Same(const CClipVertex& a, const CClipVertex& b)
{
    return a.x == b.x && a.y == b.y;
}

// A computed crossing within rounding of an end point of either segment is
// that end point, so that a segment through a vertex finds the vertex itself
// and not a second point beside it.
CClipVertex SnapToEnds(const CClipVertex& x, const CClipVertex& a, const CClipVertex& b, const CClipVertex& p,
                       const CClipVertex& c)
{
    const double extent = std::max({std::fabs(a.x - b.x), std::fabs(a.y - b.y), std::fabs(p.x - c.x),
                                    std::fabs(p.y - c.y)});
    const double eps = extent * 1e-9;
    for (const CClipVertex* end : {&p, &c, &a, &b}) {
        if (std::fabs(x.x - end->x) <= eps && std::fabs(x.y - end->y) <= eps)
            return CClipVertex(end->x, end->y);
    }
    return CClipVertex(x.x, x.y);
}

// The positions of a ring in traversal order.
std::vector<POSITION> TraversalOrder(const CClipPolygon& ring)
{
    std::vector<POSITION> order;
    order.reserve((size_t)ring.GetVertices().GetCount());
    for (POSITION pos = ring.GetStartPosition(); pos;) {
        order.push_back(pos);
        ring.StepForward(pos);
    }
    return order;
}

// Where a piece of a ring starts for an operation, and in which direction.
enum class Start { None, Forward, Reversed };

Start PieceStart(const CClipVertex& v, int op, bool first)
{
    if (!v.IsIntersection() || v.IsDoubledBack())
        return Start::None;
    // An edge both figures share is kept once, from the first figure: where
    // both run the same way it bounds their intersection and union, where
    // they run opposite ways it bounds the difference; never the exclusive or.
    if (v.IsSameEdge())
        return first && (op == 0 || op == 3) ? Start::Forward : Start::None;
    if (v.IsOppositeEdge())
        return first && op == 1 ? Start::Forward : Start::None;
    switch (op) {
    case 0: return v.IsInside() ? Start::Forward : Start::None;
    case 1:
        if (first)
            return v.IsOutside() ? Start::Forward : Start::None;
        return v.IsInside() ? Start::Reversed : Start::None;
    case 2:
        if (v.IsInside())
            return Start::Reversed;
        return v.IsOutside() ? Start::Forward : Start::None;
    case 3: return v.IsOutside() ? Start::Forward : Start::None;
    default: return Start::None;
    }
}

// Ends the explicit closing of a ring: the copy of the head at the tail goes,
// and a crossing found on it stays marked on the head.
void OpenRing(CClipPolygon& ring, CList<CClipVertex, const CClipVertex&>& vertices)
{
    if (vertices.GetCount() < 2)
        return;
    vertices.GetHead().flags |= vertices.GetTail().flags & CClipVertex::kIntersection;
    ring.RemoveTailVertex();
}

// Whether `stretch` occurs, in either order, as a run of `rest`.
bool OccursIn(const std::vector<CClipVertex>& stretch, const std::vector<CClipVertex>& rest)
{
    const size_t k = stretch.size();
    if (k == 0 || rest.size() < k)
        return false;
    for (size_t s = 0; s + k <= rest.size(); ++s) {
        bool forward = true, backward = true;
        for (size_t i = 0; i < k && (forward || backward); ++i) {
            forward = forward && Same(rest[s + i], stretch[i]);
            backward = backward && Same(rest[s + i], stretch[k - 1 - i]);
        }
        if (forward || backward)
            return true;
    }
    return false;
}
}

BOOL CClipPolygon::SetOrientation(int interiorLeft)
{
    // Twice the signed area, with coordinates taken relative to the head so
    // that large projected coordinates keep their precision.
    if (m_Vertices.GetCount() < 3)
        return FALSE;
    const CClipVertex o = m_Vertices.GetHead();
    double twice = 0.0;
    POSITION pos = m_Vertices.GetHeadPosition();
    CClipVertex prev = m_Vertices.GetNext(pos);
    while (true) {
        const CClipVertex cur = pos ? m_Vertices.GetNext(pos) : o;
        twice += (prev.x - o.x) * (cur.y - o.y) - (cur.x - o.x) * (prev.y - o.y);
        if (!pos)
            break;
        prev = cur;
    }
    if (twice == 0.0 || !std::isfinite(twice))
        return FALSE;
    const bool counterClockwise = twice > 0.0;
    m_nForward = counterClockwise == (interiorLeft != 0) ? 1 : 0;
    return TRUE;
}

CClipPolygon* CClipPolygon::IntersectSegmentWithRing(const CClipVertex& a, const CClipVertex& b, BOOL sort,
                                                     BOOL insert)
{
    std::vector<CClipVertex> found;
    POSITION pos = m_Vertices.GetHeadPosition();
    if (pos) {
        POSITION prevPos = pos;
        CClipVertex p = m_Vertices.GetNext(pos);
        while (pos) {
            const POSITION curPos = pos;
            const CClipVertex c = m_Vertices.GetNext(pos);
            const CClipVertex hit = IntersectSegments(a, b, p, c);
            if (!IsNoClipVertex(hit)) {
                const CClipVertex x = SnapToEnds(hit, a, b, p, c);
                found.emplace_back(x.x, x.y, CClipVertex::kIntersection);
                if (insert) {
                    if (!Same(x, p) && !Same(x, c))
                        InsertVertexBefore(curPos, CClipVertex(x.x, x.y, CClipVertex::kIntersection), TRUE);
                    else if (!Same(x, p))
                        m_Vertices.GetAt(curPos).SetIntersection();
                    else
                        m_Vertices.GetAt(prevPos).SetIntersection();
                }
            }
            p = c;
            prevPos = curPos;
        }
    }
    if (sort && found.size() > 1) {
        std::stable_sort(found.begin(), found.end(), [&](const CClipVertex& l, const CClipVertex& r) {
            return std::hypot(l.x - a.x, l.y - a.y) < std::hypot(r.x - a.x, r.y - a.y);
        });
    }
    auto* result = new CClipPolygon;
    for (const CClipVertex& x : found) {
        // A crossing at a vertex of this ring is met on both of its edges.
        if (result->GetPointCount() > 0 && Same(result->GetTailVertex(), x))
            continue;
        result->AddVertex(x);
    }
    return result;
}

void CClipPolygon::IntersectRing(CClipPolygon* other, BOOL sort, BOOL insert)
{
    CDoubleRect mine = m_rcBoundary;
    if (!mine.Intersects(other->GetBoundary()))
        return;
    POSITION pos = m_Vertices.GetHeadPosition();
    if (!pos)
        return;
    POSITION prevPos = pos;
    CClipVertex p = m_Vertices.GetNext(pos);
    while (pos) {
        const POSITION curPos = pos;
        const CClipVertex c = m_Vertices.GetNext(pos);
        CDoubleRect theirs = other->GetBoundary();
        if (theirs.IntersectsSegment(p, c)) {
            std::unique_ptr<CClipPolygon> xs(other->IntersectSegmentWithRing(p, c, sort, insert));
            if (insert) {
                for (POSITION x = xs->GetHeadPosition(); x;) {
                    const CClipVertex v = xs->GetNext(x);
                    if (Same(v, p))
                        m_Vertices.GetAt(prevPos).SetIntersection();
                    else if (Same(v, c))
                        m_Vertices.GetAt(curPos).SetIntersection();
                    else
                        InsertVertexBefore(curPos, CClipVertex(v.x, v.y, CClipVertex::kIntersection), TRUE);
                }
            }
        }
        p = c;
        prevPos = curPos;
    }
}

void CClipPolygon::IntersectClosedRings(CClipPolygon* other)
{
    if (m_Vertices.IsEmpty() || other->m_Vertices.IsEmpty())
        return;
    AddVertex(GetHeadVertex());
    other->AddVertex(other->GetHeadVertex());
    IntersectRing(other, TRUE, TRUE);
    OpenRing(*other, other->m_Vertices);
    OpenRing(*this, m_Vertices);
}

namespace {
// The marking shared by MarkAgainstRing and MarkAgainstSet: `inside` answers
// for the other figure, `rings` are its rings.
void MarkRing(CClipPolygon& ring, CList<CClipVertex, const CClipVertex&>& vertices,
              const std::function<bool(double, double)>& inside, const std::vector<CClipPolygon*>& rings)
{
    if (vertices.IsEmpty())
        return;
    if (ring.CountIntersections() == 0) {
        const CClipVertex head = ring.GetHeadVertex();
        ring.SetRelation(inside(head.x, head.y) ? 1 : 2);
        return;
    }
    ring.SetRelation(0);

    const std::vector<POSITION> order = TraversalOrder(ring);
    const size_t n = order.size();
    const auto at = [&](size_t i) -> CClipVertex& { return vertices.GetAt(order[i % n]); };

    // A stretch between two crossings that the ring also runs along elsewhere
    // (a slit out and back) bounds nothing: no piece starts there.
    bool revisits = false;
    for (size_t i = 0; i < n && !revisits; ++i) {
        if (!at(i).IsIntersection())
            continue;
        for (size_t j = i + 1; j < n && !revisits; ++j)
            revisits = at(j).IsIntersection() && Same(at(i), at(j));
    }
    if (revisits) {
        for (size_t i = 0; i < n; ++i) {
            if (!at(i).IsIntersection() || at(i).IsDoubledBack())
                continue;
            size_t j = i + 1;
            while (j < i + n && !at(j).IsIntersection())
                ++j;
            std::vector<CClipVertex> stretch, rest;
            for (size_t k = i; k <= j; ++k)
                stretch.push_back(at(k));
            for (size_t k = j; k <= i + n; ++k)
                rest.push_back(at(k));
            if (stretch.size() >= 2 && OccursIn(stretch, rest))
                at(i).SetDoubledBack();
        }
    }

    for (size_t i = 0; i < n; ++i) {
        CClipVertex& r = at(i);
        if (!r.IsIntersection() || r.IsClassified())
            continue;
        const CClipVertex next = at(i + 1);
        if (next.IsIntersection()) {
            // An edge of the other figure between the same two points, in
            // either direction (its ends wrapped: the ring is closed).
            for (CClipPolygon* other : rings) {
                const std::vector<POSITION> theirs = TraversalOrder(*other);
                const size_t m = theirs.size();
                for (size_t k = 0; k < m; ++k) {
                    if (!Same(other->GetVertexAtPosition(theirs[k]), r))
                        continue;
                    if (Same(other->GetVertexAtPosition(theirs[(k + m - 1) % m]), next))
                        r.SetOppositeEdge();
                    else if (Same(other->GetVertexAtPosition(theirs[(k + 1) % m]), next))
                        r.SetSameEdge();
                }
            }
        }
        if (inside((r.x + next.x) / 2, (r.y + next.y) / 2))
            r.SetInside();
        else
            r.SetOutside();
    }
}
}

void CClipPolygon::MarkAgainstRing(CClipPolygon* ring)
{
    // Inside a hole is outside the figure it belongs to.
    const bool hole = ring->GetRingFlag() != 0;
    MarkRing(*this, m_Vertices,
             [&](double x, double y) { return (ring->ContainsXY(&x, &y) != 0) != hole; }, {ring});
}

void CClipPolygon::MarkAgainstSet(CMapMultiPart* set)
{
    std::vector<CClipPolygon*> rings;
    for (POSITION pos = set->GetHeadPartPosition(); pos;) {
        if (auto* ring = dynamic_cast<CClipPolygon*>(set->GetNextPart(pos)))
            rings.push_back(ring);
    }
    MarkRing(*this, m_Vertices,
             [&](double x, double y) {
                 CDoublePoint p(x, y);
                 return set->ContainsPoint(&p) != 0;
             },
             rings);
}

CMapMultiPart* CClipPolygon::Traverse(int op, BOOL first)
{
    auto* pieces = new CMapMultiPart;
    const size_t n = (size_t)m_Vertices.GetCount();
    if (n == 0)
        return pieces;
    if (m_nRelation != 0) {
        const bool inside = m_nRelation == 1;
        bool keep = false, reverse = false;
        switch (op) {
        case 0: keep = inside; break;
        case 1: keep = first ? !inside : false, reverse = !first && inside; break;
        case 2: keep = !inside, reverse = inside; break;
        case 3: keep = !inside; break;
        default: break;
        }
        if (keep || reverse) {
            auto* whole = new CClipPolygon;
            // The copy runs in traversal direction, or against it.
            whole->CopyFrom(*this, keep ? !m_nForward : m_nForward);
            whole->SetRingFlag(keep ? GetRingFlag() : FALSE);
            pieces->AddRing(whole);
        }
        return pieces;
    }
    const std::vector<POSITION> order = TraversalOrder(*this);
    for (size_t i = 0; i < n; ++i) {
        const CClipVertex start = m_Vertices.GetAt(order[i]);
        const Start how = PieceStart(start, op, first != 0);
        if (how == Start::None)
            continue;
        auto* piece = new CClipPolygon;
        piece->SetStyle(*GetStyle());
        piece->AddVertex(start);
        for (size_t j = i + 1; j <= i + n; ++j) {
            const CClipVertex v = m_Vertices.GetAt(order[j % n]);
            if (how == Start::Reversed)
                piece->AddVertexAtHead(v);
            else
                piece->AddVertex(v);
            if (v.IsIntersection())
                break;
        }
        pieces->AddRing(piece);
    }
    return pieces;
}
