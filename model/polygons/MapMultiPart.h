// An object made of an ordered list of part objects instead of a vertex
// array: the container in which the clipping engine collects its rings and
// pieces, and the one set of part-list operations that the multi-part kinds
// share. The whole owns its parts: deleting it deletes them, unless a removal
// operation handed a part back to the caller first. The boundary is the union
// of the part boundaries.
#pragma once

#include "platform/base/Collections.h"

#include "model/layers/MapObject.h"

class CClipPolygon;
class CMapPolyPolygon;

class CMapMultiPart : public CMapObject {
public:
    CMapMultiPart() = default;
    ~CMapMultiPart() override;

    // ---- the part list
    int GetPartCount() const { return (int)m_Parts.GetCount(); }
    POSITION GetHeadPartPosition() const { return m_Parts.GetHeadPosition(); }
    // The part at `pos`; `pos` moves to the next one.
    CMapObject* GetNextPart(POSITION& pos) const { return m_Parts.GetNext(pos); }
    CMapObject* GetPartAt(POSITION pos) const { return m_Parts.GetAt(pos); }
    CMapObject* GetFirstPart() const { return m_Parts.IsEmpty() ? nullptr : m_Parts.GetHead(); }
    CMapObject* GetLastPart() const { return m_Parts.IsEmpty() ? nullptr : m_Parts.GetTail(); }

    // Appends a part that takes the whole's effective style and layer and the
    // whole as its parent; the first part's boundary becomes the boundary,
    // later ones widen it.
    void AddPart(CMapObject* part);
    // The engine's variant: appended and bounded the same way, nothing else.
    void AddRing(CMapObject* part);
    // Every part of `other` moves behind this list's, with this as its parent;
    // `other` is left empty and this boundary recomputed.
    void MoveParts(CMapMultiPart* other);
    // As MoveParts, also giving the parts this layer; the boundary becomes
    // other's when both held as many parts, else the union of both.
    void MergeParts(CMapMultiPart* other);
    // Takes the part out (not deleted: the caller owns it), without parent,
    // and recomputes the boundary.
    void RemovePartAt(POSITION pos);
    void RemoveHeadPart();
    // Empties the list without deleting the parts; the boundary is recomputed.
    void RemoveAllParts();
    // The part holding vertex `index` of the whole (counted through the parts
    // in order, each by its share), with its position and the index inside
    // it; null, position null and index -1 when no part holds it.
    CMapObject* FindPartOfVertex(int index, POSITION& pos, int& localIndex) const;
    // The first clip-polygon part whose head or tail vertex is exactly the point.
    POSITION FindPartByEndpoint(const double point[2]) const;
    int CountHoleParts() const;

    // ---- the boolean engine's steps over a set of clip-polygon rings
    // (model/PolygonBoolean.cpp), each applied to every ring in list order
    int IntersectParts(CClipPolygon* ring);
    int IntersectAllWith(CMapMultiPart* other);
    void MarkAgainst(CMapMultiPart* set);
    void MarkAll(CClipPolygon* ring);
    // The kept pieces of all rings in one new multi-part the caller owns.
    CMapMultiPart* TraverseAll(int op, BOOL first);
    // Joins the pieces into rings and returns them as a new polypolygon (holes
    // flagged) the caller owns; this container is left empty.
    CMapPolyPolygon* BuildPolyPolygon();

    virtual BOOL IsSamePartList(CMapMultiPart* other);
    virtual BOOL DiffersPartList(CMapMultiPart* other) { return !IsSamePartList(other); }

    // ---- virtual operations of the map object
    // Outside every hole and inside some part that is not one.
    BOOL ContainsPoint(CDoublePoint* pt) override;
    void UpdateLayerBounds() override;
    int Transform(OGRCoordinateTransformation* ct) override;
    int LinearToAngular(double* a, double* b, int reserved) override;
    int AngularToLinear(double* a, double* b) override;
    int Scale(double* factor) override;
    int GetPointCount() override;
    void Deselect() override;
    void SetCacheFlag(BOOL set) override;
    void MarkRings(BOOL set) override;
    void ShiftDevicePoints(int dx, int dy) override;

protected:
    // How many vertices (and handles) of the whole's numbering a part holds.
    virtual int PartShare(CMapObject* part) const { return part->GetPointCount(); }

private:
    void TakeInBoundary(CMapObject* part);
    // `convert` on one copy of every part's vertices when the parts are
    // vertex lists, else `convertPart` on each part in order.
    template <class Convert, class ConvertPart>
    int ConvertParts(const Convert& convert, const ConvertPart& convertPart);

    CList<CMapObject*, CMapObject*> m_Parts;
};
