// The layer's searches of its spatial index. Results go to the process-wide
// arrays g_LayerIdArray and g_LayerEntryArray: one search at a time, consumed
// before the next. The arrays are emptied with their storage kept, so a paint
// after the first allocates nothing.
#include "model/layers/MapLayer.h"

#include "model/index/LayerIdSet.h"
#include "model/layers/MapObject.h"

#include <algorithm>

namespace {
bool AddId(int id, void* array)
{
    static_cast<CArray<int, int>*>(array)->Add(id);
    return true;
}

bool AddEntry(int id, const CRTree::Rect& r, void*)
{
    LayerIndexEntry entry;
    entry.id = id;
    entry.rect = CDoubleRect(r.minX, r.minY, r.maxX, r.maxY);
    g_LayerEntryArray.Add(entry);
    return true;
}

// Queries enter the index the way entries do: as floats, smaller edge first.
CRTree::Rect ToIndexRect(const CDoubleRect& rect)
{
    const float l = (float)rect.left, b = (float)rect.bottom, r = (float)rect.right, t = (float)rect.top;
    return {std::min(l, r), std::min(b, t), std::max(l, r), std::max(b, t)};
}

void SortAscending(CArray<int, int>& ids)
{
    SortIdsAscending(ids.GetData(), (size_t)ids.GetSize());
}
}

void CMapLayer::CollectAllEntries()
{
    g_LayerEntryArray.SetSize(0);
    m_Index.ForEachEntry(AddEntry, nullptr);
}

void CMapLayer::CollectVisibleIds(const CDoubleRect& view, double size)
{
    g_LayerIdArray.SetSize(0);
    if (size > 0)
        m_Index.SearchLarge(ToIndexRect(view), size, AddId, &g_LayerIdArray);
    else
        m_Index.Search(ToIndexRect(view), AddId, &g_LayerIdArray);
    SortAscending(g_LayerIdArray);
}

void CMapLayer::CollectContainedIds(const CDoubleRect& rect)
{
    g_LayerIdArray.SetSize(0);
    m_Index.SearchContained(ToIndexRect(rect), AddId, &g_LayerIdArray);
}

void CMapLayer::CollectSmallEntries(const CDoubleRect& view, double size)
{
    g_LayerEntryArray.SetSize(0);
    m_Index.SearchSmall(ToIndexRect(view), size, AddEntry, nullptr);
}

int CMapLayer::GetAllIDs(CArray<int, int>& ids, bool sort)
{
    ids.SetSize(0);
    for (CRTree::Iterator it(m_Index); !it.IsNull(); it.Next())
        ids.Add(it.GetId());
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;)
        ids.Add(m_PointObjects.GetNext(pos)->GetMapeID());
    if (sort)
        SortAscending(ids);
    return (int)ids.GetSize();
}
