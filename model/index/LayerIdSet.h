// Sorting the candidate ids of a layer search and testing rows against them.
// Ids of one layer are dense (they count up from 1), so a bit per id in the
// range the ids span serves both, in time linear in the count; sparse or
// repeated ids take the general way, with the same result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Sorts ids ascending in place; equal ids stay, as any sort keeps them.
void SortIdsAscending(int* ids, size_t count);

// Membership in a sorted id array, answered in constant time where the ids
// are dense and by bisection otherwise. The array must outlive the set and
// stay unchanged while it is used.
class CLayerIdSet {
public:
    CLayerIdSet(const int* sortedIds, size_t count);
    bool Contains(int id) const;

private:
    const int* m_pIds;
    size_t m_nCount;
    int64_t m_nFirst = 0;
    std::vector<uint64_t> m_Bits;   // empty: bisection
};
