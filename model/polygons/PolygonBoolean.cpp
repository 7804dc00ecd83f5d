// The boolean operations of areal objects: both objects become sets of
// oriented clip rings, the rings are cut at their crossings, marked against
// the other set and traversed, and the kept pieces are joined into the rings
// of a new polypolygon. Holes come out running with their interior on the
// left and carry the ring flag.
#include "model/polygons/ClipPolygon.h"
#include "model/polygons/MapAdvPolygon.h"
#include "model/polygons/MapMultiPart.h"
#include "model/polygons/MapPolyAdvPolygon.h"
#include "model/polygons/MapPolyPolygon.h"
#include "model/polygons/MapPolygon.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

// ---------------------------------------------------------------- ring sets
int CMapMultiPart::IntersectParts(CClipPolygon* ring)
{
    for (POSITION pos = GetHeadPartPosition(); pos;)
        static_cast<CClipPolygon*>(GetNextPart(pos))->IntersectClosedRings(ring);
    return 1;
}

int CMapMultiPart::IntersectAllWith(CMapMultiPart* other)
{
    for (POSITION pos = other->GetHeadPartPosition(); pos;)
        IntersectParts(static_cast<CClipPolygon*>(other->GetNextPart(pos)));
    return 1;
}

void CMapMultiPart::MarkAgainst(CMapMultiPart* set)
{
    for (POSITION pos = GetHeadPartPosition(); pos;)
        static_cast<CClipPolygon*>(GetNextPart(pos))->MarkAgainstSet(set);
}

void CMapMultiPart::MarkAll(CClipPolygon* ring)
{
    for (POSITION pos = GetHeadPartPosition(); pos;)
        static_cast<CClipPolygon*>(GetNextPart(pos))->MarkAgainstRing(ring);
}

CMapMultiPart* CMapMultiPart::TraverseAll(int op, BOOL first)
{
    auto* all = new CMapMultiPart;
    for (POSITION pos = GetHeadPartPosition(); pos;) {
        std::unique_ptr<CMapMultiPart> pieces(static_cast<CClipPolygon*>(GetNextPart(pos))->Traverse(op, first));
        all->MoveParts(pieces.get());
    }
    return all;
}

namespace {
// The pieces not yet joined, by the points of their ends. A piece is the one
// the list scan of the joining would meet first: the smallest number among
// those whose end fits. Points compare exactly, as Join compares them.
class PieceEnds {
public:
    using Point = std::pair<double, double>;
    static Point Of(const CClipVertex& v)
    {
        // -0 and 0 are one point to ==; NaN never equals anything.
        return {v.x == 0 ? 0.0 : v.x, v.y == 0 ? 0.0 : v.y};
    }
    static bool Comparable(const CClipVertex& v) { return !std::isnan(v.x) && !std::isnan(v.y); }

    void Add(size_t piece, const CClipPolygon& q)
    {
        if (q.GetVertices().IsEmpty())
            return;
        if (Comparable(q.GetHeadVertex()))
            m_Heads[Of(q.GetHeadVertex())].insert(piece);
        if (Comparable(q.GetTailVertex()))
            m_Tails[Of(q.GetTailVertex())].insert(piece);
    }
    void Remove(size_t piece, const CClipPolygon& q)
    {
        if (q.GetVertices().IsEmpty())
            return;
        if (Comparable(q.GetHeadVertex()))
            Erase(m_Heads, Of(q.GetHeadVertex()), piece);
        if (Comparable(q.GetTailVertex()))
            Erase(m_Tails, Of(q.GetTailVertex()), piece);
    }
    // The first piece whose head is `tail` or whose tail is `head`.
    size_t First(const CClipVertex& head, const CClipVertex& tail) const
    {
        size_t first = kNone;
        if (Comparable(tail)) {
            const auto it = m_Heads.find(Of(tail));
            if (it != m_Heads.end())
                first = std::min(first, *it->second.begin());
        }
        if (Comparable(head)) {
            const auto it = m_Tails.find(Of(head));
            if (it != m_Tails.end())
                first = std::min(first, *it->second.begin());
        }
        return first;
    }
    static constexpr size_t kNone = (size_t)-1;

private:
    using Ends = std::map<Point, std::set<size_t>>;
    static void Erase(Ends& ends, const Point& p, size_t piece)
    {
        const auto it = ends.find(p);
        if (it == ends.end())
            return;
        it->second.erase(piece);
        if (it->second.empty())
            ends.erase(it);
    }
    Ends m_Heads, m_Tails;
};
}

CMapPolyPolygon* CMapMultiPart::BuildPolyPolygon()
{
    auto* result = new CMapPolyPolygon;
    if (CMapObject* first = GetFirstPart())
        result->SetStyle(*first->GetStyle());
    // The pieces are joined outside the part list: taking parts out of it one
    // by one would recompute its boundary over all pieces each time.
    std::vector<std::unique_ptr<CClipPolygon>> pieces;
    for (POSITION pos = GetHeadPartPosition(); pos;)
        pieces.emplace_back(static_cast<CClipPolygon*>(GetNextPart(pos)));
    RemoveAllParts();
    // Each ring grows from the first piece left, always by the first piece
    // left that continues it at its tail or leads into its head, until it
    // closes or nothing continues it.
    PieceEnds ends;
    for (size_t i = 0; i < pieces.size(); ++i)
        ends.Add(i, *pieces[i]);
    for (size_t start = 0; start < pieces.size(); ++start) {
        if (!pieces[start])
            continue;
        std::unique_ptr<CClipPolygon> q = std::move(pieces[start]);
        ends.Remove(start, *q);
        while (q->GetPointCount() > 0) {
            const size_t next = ends.First(q->GetHeadVertex(), q->GetTailVertex());
            if (next == PieceEnds::kNone || !q->Join(*pieces[next], TRUE))
                break;
            ends.Remove(next, *pieces[next]);
            pieces[next].reset();
            if (q->GetPointCount() > 1 && q->GetTailVertex().x == q->GetHeadVertex().x
                && q->GetTailVertex().y == q->GetHeadVertex().y) {
                q->RemoveTailVertex();
                break;
            }
        }
        if (q->GetPointCount() <= 2)
            continue;
        auto* polygon = new CMapPolygon;
        polygon->CopyFromClipPolygon(q.get());
        // The traversal keeps the region on its right: a ring with its own
        // interior on its left is a hole.
        BOOL hole = q->GetRingFlag();
        if (!hole && q->SetOrientation(0))
            hole = q->IsForward() == 0;
        polygon->SetRingFlag(hole);
        result->AddPart(polygon);
    }
    return result;
}

// ---------------------------------------------------------------- the operation
namespace {
// One ring of `source` (a polygon, a part or an inner ring), oriented: outer
// rings clockwise, holes counter-clockwise and flagged. Rings without area
// are left out.
void AddRing(CMapMultiPart& set, CMapObject* source, bool hole)
{
    auto ring = std::make_unique<CClipPolygon>();
    ring->SetFromObject(source, FALSE);
    if (!ring->SetOrientation(hole ? 1 : 0))
        return;
    ring->SetRingFlag(hole);
    set.AddRing(ring.release());
}

void AddAdvPolygon(CMapMultiPart& set, CMapAdvPolygon* polygon)
{
    // The outer ring is oriented too: a stored ring may run either way.
    AddRing(set, polygon, false);
    for (POSITION pos = polygon->GetFirstInnerRingPosition(); pos;)
        AddRing(set, polygon->GetNextInnerRing(pos), true);
}

// The rings of an areal object; other kinds give none.
void CollectRings(CMapMultiPart& set, CMapObject* object)
{
    const int attached = object->AttachGeometry();
    if (auto* adv = dynamic_cast<CMapAdvPolygon*>(object)) {
        AddAdvPolygon(set, adv);
    } else if (auto* polygon = dynamic_cast<CMapPolygon*>(object)) {
        AddRing(set, polygon, false);
    } else if (auto* multi = dynamic_cast<CMapPolyAdvPolygon*>(object)) {
        for (POSITION pos = multi->GetHeadPartPosition(); pos;)
            AddAdvPolygon(set, static_cast<CMapAdvPolygon*>(multi->GetNextPart(pos)));
    } else if (auto* parts = dynamic_cast<CMapPolyPolygon*>(object)) {
        for (POSITION pos = parts->GetHeadPartPosition(); pos;) {
            CMapObject* part = parts->GetNextPart(pos);
            AddRing(set, part, part->GetRingFlag() != 0);
        }
    }
    if (attached)
        object->DetachGeometry();
}

CMapPolyPolygon* CombineAreas(CMapObject* self, CMapObject* other, int op)
{
    CDoubleRect mine = self->GetBoundary();
    if (op == 0 && !mine.Intersects(other->GetBoundary()))
        return nullptr;
    CMapMultiPart a, b;
    CollectRings(a, self);
    CollectRings(b, other);
    b.IntersectAllWith(&a);
    a.MarkAgainst(&b);
    b.MarkAgainst(&a);
    std::unique_ptr<CMapMultiPart> pieces(a.TraverseAll(op, TRUE));
    std::unique_ptr<CMapMultiPart> theirs(b.TraverseAll(op, FALSE));
    pieces->MoveParts(theirs.get());
    CMapPolyPolygon* result = pieces->BuildPolyPolygon();
    result->SetStyle(*self->GetStyle());
    return result;
}
}

CMapPolyPolygon* CMapPolygon::BooleanOp(CMapObject* other, int op)
{
    return CombineAreas(this, other, op);
}

CMapPolyPolygon* CMapAdvPolygon::BooleanOp(CMapObject* other, int op)
{
    return CombineAreas(this, other, op);
}
