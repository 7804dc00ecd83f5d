// The boolean operations of areal objects: both objects become sets of
// oriented clip rings, the rings are cut at their crossings, marked against
// the other set and traversed, and the kept pieces are joined into the rings
// of a new polypolygon. Holes come out running with their interior on the
// left and carry the ring flag.
#include "model/ClipPolygon.h"
#include "model/MapAdvPolygon.h"
#include "model/MapMultiPart.h"
#include "model/MapPolyAdvPolygon.h"
#include "model/MapPolyPolygon.h"
#include "model/MapPolygon.h"

#include <list>
#include <memory>

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

CMapPolyPolygon* CMapMultiPart::BuildPolyPolygon()
{
    auto* result = new CMapPolyPolygon;
    if (CMapObject* first = GetFirstPart())
        result->SetStyle(*first->GetStyle());
    // The pieces are joined outside the part list: taking parts out of it one
    // by one would recompute its boundary over all pieces each time.
    std::list<std::unique_ptr<CClipPolygon>> pieces;
    for (POSITION pos = GetHeadPartPosition(); pos;)
        pieces.emplace_back(static_cast<CClipPolygon*>(GetNextPart(pos)));
    RemoveAllParts();
    while (!pieces.empty()) {
        std::unique_ptr<CClipPolygon> q = std::move(pieces.front());
        pieces.pop_front();
        for (auto it = pieces.begin(); it != pieces.end();) {
            if (!q->Join(**it, TRUE)) {
                ++it;
                continue;
            }
            pieces.erase(it);
            if (q->GetPointCount() > 1 && q->GetTailVertex().x == q->GetHeadVertex().x
                && q->GetTailVertex().y == q->GetHeadVertex().y) {
                q->RemoveTailVertex();
                break;
            }
            it = pieces.begin();
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
