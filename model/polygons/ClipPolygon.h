// The working polygon of the clipping engine: a ring or an open chain of
// double-precision vertices with flag words, in a doubly linked list. It is a
// map object that is never stored (no type code, layer or id); of the base it
// uses the boundary, which is always the bounding box of its vertices, the
// style of the object it was built from and the ring flag of holes.
#pragma once

#include "platform/base/Collections.h"

#include "core/ClipVertex.h"
#include "model/layers/MapObject.h"

#include <vector>

class CMapMultiPart;
class CMapPointList;

class CClipPolygon : public CMapObject {
public:
    CClipPolygon() = default;
    ~CClipPolygon() override = default;

    // ---- virtual operations of the map object
    // Inside the boundary and an odd number of edge crossings to the right of
    // the point; the ring is closed implicitly from the tail to the head.
    BOOL ContainsXY(double* x, double* y) override;
    BOOL ContainsPoint(CDoublePoint* pt) override;
    // Boundary from the vertices, then the base update.
    void UpdateLayerBounds() override;
    // Same boundary, relation and vertices (flags included), forward, in no layer.
    CMapObject* Clone(CMapLayer* target) override;
    // Each vertex in list order; 0 at the first failure (the vertices done stay
    // done, the boundary is left), else the boundary is recomputed and 1.
    int Transform(OGRCoordinateTransformation* ct) override;
    int LinearToAngular(double* a, double* b, int reserved) override;
    int AngularToLinear(double* a, double* b) override;
    int Scale(double* factor) override;
    int GetPointCount() override { return (int)m_Vertices.GetCount(); }

    // ---- building
    // Empties the list and copies the vertices of `other` (from its tail when
    // reversed), its style, boundary and relation.
    void CopyFrom(const CClipPolygon& other, BOOL reversed);
    // Empties the list and takes the vertices of a point-list object, read
    // through its handle points (which are its vertices), borrowing its
    // geometry for the time; then its style and boundary.
    void SetFromObject(CMapObject* object, BOOL reversed);
    // As SetFromObject (forward) for a clip to `rect`: of each run of
    // consecutive vertices that all lie strictly beyond one same side of the
    // rectangle only the first and the last are taken. The segment between
    // them stays beyond that side too, so the pieces inside, the crossings
    // and the containment of every point of the rectangle come out as from
    // the whole outline.
    void SetFromObjectNear(CMapPointList* object, const CDoubleRect& rect);
    // The first vertex sets the boundary to its point, later ones widen it.
    void AddVertex(const CClipVertex& v);
    void AddVertexAtHead(const CClipVertex& v);
    // All vertices of `other` in their order after the tail or before the head.
    void AppendPolygon(const CClipPolygon& other);
    void PrependPolygon(const CClipPolygon& other);
    // Links `v` (spare word included) in before `position` (null: the head)
    // unless, without `force`, it repeats the point there or the one before;
    // returns the position of the new vertex or of the one that made it
    // unnecessary.
    POSITION InsertVertexBefore(POSITION position, const CClipVertex& v, BOOL force);
    // One vertex less, then the boundary recomputed.
    void RemoveHeadVertex();
    void RemoveTailVertex();
    void RemoveVertexAt(POSITION position);

    // ---- reading
    CClipVertex GetHeadVertex() const { return m_Vertices.GetHead(); }
    CClipVertex GetTailVertex() const { return m_Vertices.GetTail(); }
    // Index 0 to count - 1.
    CClipVertex GetVertexAt(int index) const;
    CClipVertex GetVertexAtPosition(POSITION position) const { return m_Vertices.GetAt(position); }
    POSITION GetHeadPosition() const { return m_Vertices.GetHeadPosition(); }
    POSITION GetTailPosition() const { return m_Vertices.GetTailPosition(); }
    // The vertex there; the position moves towards the tail (head).
    CClipVertex GetNext(POSITION& position) const { return m_Vertices.GetNext(position); }
    CClipVertex GetPrev(POSITION& position) const { return m_Vertices.GetPrev(position); }
    // The first vertex after `after` (from the head when null) at exactly (x, y).
    POSITION FindVertex(double x, double y, POSITION after) const;
    void MarkIntersection(POSITION position) { m_Vertices.GetAt(position).SetIntersection(); }
    int CountIntersections() const;

    // ---- reshaping
    // n > 0 moves the head to the tail n times, n < 0 the tail to the head.
    void Rotate(int n);
    // Joins `other` at a shared end point, which then occurs once; `other` is
    // left as it is. Without `keepDirection` the other chain may be reversed.
    BOOL Join(const CClipPolygon& other, BOOL keepDirection);

    // ---- traversal in either direction
    void SetForward(int forward) { m_nForward = forward; }
    int IsForward() const { return m_nForward; }
    POSITION GetStartPosition() const { return m_nForward ? GetHeadPosition() : GetTailPosition(); }
    CClipVertex GetStartVertex() const { return GetVertexAtPosition(GetStartPosition()); }
    // The vertex there; the position moves with (against) the traversal.
    CClipVertex StepForward(POSITION& position) const;
    CClipVertex StepBackward(POSITION& position) const;

    // ---- view clipping (model/ViewClipping.cpp)
    // The points where the edges from the head to the tail (no closing edge)
    // cross the border of `rect`, as a new polygon the caller owns; null when
    // the boundary does not meet `rect` or there are no vertices. With
    // `insert` they also enter this polygon, marked as intersections.
    CClipPolygon* IntersectWithRect(const CDoubleRect& rect, BOOL insert);
    // The parts inside `rect`, as a new multi-part of clip polygons the caller
    // owns, or null. `type` 7 cuts an open chain, 6 a ring (implicitly
    // closed); any other type gives null. This polygon gets the crossing
    // points (a ring is also rotated and closed), so callers clip a copy.
    CMapMultiPart* ClipToRect(const CDoubleRect& rect, int type);
    // ContainsXY of each point, in one walk of the edges.
    std::vector<bool> ContainsEach(const std::vector<CDoublePoint>& points);

    // ---- boolean operations (model/ClipBoolean.cpp)
    // Sets the forward flag so that traversal keeps the ring's interior on
    // its left (interiorLeft 1) or right (0); FALSE, flag unchanged, for a
    // ring without area.
    BOOL SetOrientation(int interiorLeft);
    // The crossings of segment a-b with this ring's edges (the caller closes
    // the ring), as a new polygon the caller owns; with `insert` they also
    // enter this ring as intersection vertices, with `sort` they come ordered
    // by distance from a.
    CClipPolygon* IntersectSegmentWithRing(const CClipVertex& a, const CClipVertex& b, BOOL sort, BOOL insert);
    // Every edge of this ring against the ring `other`, the crossings
    // inserted into both.
    void IntersectRing(CClipPolygon* other, BOOL sort, BOOL insert);
    // IntersectRing of both rings closed for the time.
    void IntersectClosedRings(CClipPolygon* other);
    // The crossings of this chain (a cutting line) with the segments of
    // `object` (its geometry loaded first), as a new point list the caller
    // owns; null when the boundaries do not meet. Each crossing marks the
    // equal end of a chain edge or enters the chain before the edge's end as
    // an intersection vertex; the crossings of one edge come in order along
    // it. With `flag` they also enter `object` where they are not vertices
    // already. A crossing at a vertex of `object` counts once.
    CMapPointList* IntersectWithObject(CMapPointList* object, BOOL flag);
    // The relation and the edge marks of this ring against one other ring
    // (a hole inverts inside and outside) or against a whole ring set.
    void MarkAgainstRing(CClipPolygon* ring);
    void MarkAgainstSet(CMapMultiPart* set);
    // The pieces of this ring that operation `op` keeps (0 intersection,
    // 1 difference, 2 symmetric difference, 3 union); `first` tells the rings
    // of the first figure from those of the second. A new multi-part of
    // chains the caller owns.
    CMapMultiPart* Traverse(int op, BOOL first);

    // 0: has intersection vertices; 1: inside the other figure; 2: outside.
    int GetRelation() const { return m_nRelation; }
    void SetRelation(int relation) { m_nRelation = relation; }

    const CList<CClipVertex, const CClipVertex&>& GetVertices() const { return m_Vertices; }

private:
    // The list copies x, y and flags of a vertex and leaves its spare word 0.
    void CopyVerticesFrom(const CClipPolygon& other, BOOL reversed);
    void AddPolygon(const CClipPolygon& other, bool atHead);
    void WidenBoundary(const CClipVertex& v, bool first);
    void RecomputeBoundary();
    template <class Convert> int ConvertVertices(const Convert& convert);

    CList<CClipVertex, const CClipVertex&> m_Vertices;
    int m_nForward = 1;
    int m_nRelation = 0;
};

// The side of `rect` a border point lies on: 0 left, else 2 right, else 1 top,
// else 3 bottom (exact comparisons in this order); -1 off the border.
int GetRectSide(const CClipVertex& v, const CDoubleRect& rect);
// A new chain from `from` clockwise along the border of `rect` (y growing
// upwards) to `to`, through the corners in between; once around when `to`
// lies behind `from` on the same side or at the same point.
CClipPolygon* ConnectAlongRect(const CClipVertex& from, const CClipVertex& to, const CDoubleRect& rect);
