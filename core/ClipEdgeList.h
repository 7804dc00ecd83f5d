// A list of vertices kept in ascending order of a sort key (a distance along a
// segment, usually), through which the clipping engine orders points. Edges
// with equal keys stay in the order they were inserted.
#pragma once

#include "platform/base/Afx.h"
#include "platform/base/Collections.h"

#include "core/ClipVertex.h"

class CClipEdge {
public:
    double key = 0.0;
    CClipVertex vertex;

    CClipEdge() = default;
    CClipEdge(double k, const CClipVertex& v) : key(k), vertex(v) {}
    virtual ~CClipEdge() = default;
    CClipEdge(const CClipEdge&) = default;
    CClipEdge& operator=(const CClipEdge&) = default;
};

class CClipEdgeList : public CList<CClipEdge, const CClipEdge&> {
public:
    // Before the first edge with a greater key, or at the tail.
    POSITION InsertSorted(const CClipEdge& edge);
    // Copies, as the engine takes them.
    CClipEdge GetHead() const { return CList::GetHead(); }
    CClipEdge GetAt(POSITION pos) const { return CList::GetAt(pos); }
};
