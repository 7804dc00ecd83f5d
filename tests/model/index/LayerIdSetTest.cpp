// Sorting candidate ids and testing rows against them: dense ids take the
// bitmap, sparse or repeated ones the general way, and both answer as a plain
// sort and bisection would.
#include "model/index/LayerIdSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

namespace {

// Dense, sparse, repeated and extreme ids, shuffled.
std::vector<std::vector<int>> Cases()
{
    std::mt19937 random(11);
    std::vector<std::vector<int>> cases;
    std::vector<int> dense;
    for (int i = 1; i <= 5000; i += 1 + (int)(random() % 3))
        dense.push_back(i);
    cases.push_back(dense);
    std::vector<int> repeated = dense;
    repeated.push_back(dense[100]);
    cases.push_back(repeated);
    std::vector<int> sparse;
    for (int i = 0; i < 300; ++i)
        sparse.push_back((int)(random() % 1000000000) - 500000000);
    cases.push_back(sparse);
    std::vector<int> extremes(dense.begin(), dense.begin() + 100);
    extremes.push_back(INT_MIN);
    extremes.push_back(INT_MAX);
    cases.push_back(extremes);
    std::vector<int> negative;
    for (int i = -200; i < -50; ++i)
        negative.push_back(i);
    cases.push_back(negative);
    for (auto& ids : cases)
        std::shuffle(ids.begin(), ids.end(), random);
    return cases;
}

TEST(LayerIdSet, SortsAndFindsAsSortAndBisection)
{
    for (std::vector<int> ids : Cases()) {
        std::vector<int> expected = ids;
        std::sort(expected.begin(), expected.end());
        SortIdsAscending(ids.data(), ids.size());
        ASSERT_EQ(ids, expected);

        const CLayerIdSet set(ids.data(), ids.size());
        const int low = ids.front() == INT_MIN ? INT_MIN : ids.front() - 70;
        const int high = ids.back() == INT_MAX ? INT_MAX : ids.back() + 70;
        for (long long id = low; id <= high; id += std::max(1LL, ((long long)high - low) / 20000)) {
            ASSERT_EQ(set.Contains((int)id), std::binary_search(ids.begin(), ids.end(), (int)id)) << id;
        }
        for (int id : ids)
            ASSERT_TRUE(set.Contains(id));
    }
}

TEST(LayerIdSet, EmptyAndSingleIds)
{
    std::vector<int> none;
    SortIdsAscending(none.data(), 0);
    EXPECT_FALSE(CLayerIdSet(none.data(), 0).Contains(0));
    int one = 7;
    SortIdsAscending(&one, 1);
    EXPECT_TRUE(CLayerIdSet(&one, 1).Contains(7));
    EXPECT_FALSE(CLayerIdSet(&one, 1).Contains(8));
}

}
