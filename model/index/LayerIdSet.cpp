// Dense id sets: one bit per id between the smallest and the largest.
#include "model/index/LayerIdSet.h"

#include <algorithm>
#include <bit>

namespace {
// A bitmap pays where it holds at most this many bits per id.
constexpr int64_t kBitsPerIdLimit = 64;

// The bitmap of ids[0..count) over [first, first + range), or false when an
// id repeats.
bool MarkIds(const int* ids, size_t count, int64_t first, std::vector<uint64_t>& bits)
{
    for (size_t i = 0; i < count; ++i) {
        const uint64_t offset = (uint64_t)((int64_t)ids[i] - first);
        uint64_t& word = bits[offset >> 6];
        const uint64_t bit = 1ull << (offset & 63);
        if (word & bit)
            return false;
        word |= bit;
    }
    return true;
}
}

void SortIdsAscending(int* ids, size_t count)
{
    if (count < 2)
        return;
    const auto [low, high] = std::minmax_element(ids, ids + count);
    const int64_t first = *low, range = (int64_t)*high - first + 1;
    if (count < 64 || range / (int64_t)count > kBitsPerIdLimit) {
        std::sort(ids, ids + count);
        return;
    }
    // Kept from sort to sort: a paint after the first allocates nothing here.
    static thread_local std::vector<uint64_t> bits;
    bits.assign((size_t)((range + 63) / 64), 0);
    if (!MarkIds(ids, count, first, bits)) {
        std::sort(ids, ids + count);
        return;
    }
    size_t out = 0;
    for (size_t w = 0; w < bits.size(); ++w) {
        for (uint64_t word = bits[w]; word; word &= word - 1)
            ids[out++] = (int)(first + (int64_t)(w * 64 + (size_t)std::countr_zero(word)));
    }
}

CLayerIdSet::CLayerIdSet(const int* sortedIds, size_t count) : m_pIds(sortedIds), m_nCount(count)
{
    if (count < 64)
        return;
    m_nFirst = sortedIds[0];
    const int64_t range = (int64_t)sortedIds[count - 1] - m_nFirst + 1;
    if (range / (int64_t)count > kBitsPerIdLimit)
        return;
    m_Bits.assign((size_t)((range + 63) / 64), 0);
    for (size_t i = 0; i < count; ++i) {
        const uint64_t offset = (uint64_t)((int64_t)sortedIds[i] - m_nFirst);
        m_Bits[offset >> 6] |= 1ull << (offset & 63);
    }
}

bool CLayerIdSet::Contains(int id) const
{
    if (m_Bits.empty())
        return std::binary_search(m_pIds, m_pIds + m_nCount, id);
    const int64_t offset = (int64_t)id - m_nFirst;
    if (offset < 0 || (uint64_t)offset >= (uint64_t)m_Bits.size() * 64)
        return false;
    return (m_Bits[(size_t)offset >> 6] >> (offset & 63)) & 1;
}
