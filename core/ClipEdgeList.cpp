// Sorted insertion into the key-ordered vertex list.
#include "core/ClipEdgeList.h"

POSITION CClipEdgeList::InsertSorted(const CClipEdge& edge)
{
    if (IsEmpty() || edge.key < CList::GetHead().key)
        return AddHead(edge);
    for (POSITION pos = GetHeadPosition(); pos;) {
        const POSITION here = pos;
        if (GetNext(pos).key > edge.key)
            return InsertBefore(here, edge);
    }
    return AddTail(edge);
}
