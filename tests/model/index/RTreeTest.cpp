// The spatial index against a brute-force scan of the same entries, its shape
// rules (split, dissolving, root collapse), its search edge cases and the
// layer's searches and saved index records.
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "model/index/RTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <vector>

namespace {

using Rect = CRTree::Rect;
using Ids = std::vector<int>;

bool Overlaps(const Rect& a, const Rect& b)
{
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

bool InRange(double extent, double size)
{
    return extent >= size * 0.5 && extent <= size;
}

Ids Sorted(Ids ids)
{
    std::sort(ids.begin(), ids.end());
    return ids;
}

bool CollectId(int id, void* ids)
{
    static_cast<Ids*>(ids)->push_back(id);
    return true;
}

bool CollectEntryId(int id, const Rect&, void* ids)
{
    static_cast<Ids*>(ids)->push_back(id);
    return true;
}

// Checks what must hold after any sequence of operations: leaves all at level
// 0 below nodes of falling level, every node but the root filled 4 to 8, every
// branch rectangle exactly the cover of its child. Returns the entry count.
int CheckNode(const CRTree::Node* node, bool isRoot, int& failures)
{
    if (!isRoot && (node->count < CRTree::MINNODES || node->count > CRTree::MAXNODES))
        ++failures;
    if (node->IsLeaf())
        return node->count;
    int entries = 0;
    for (int i = 0; i < node->count; ++i) {
        const CRTree::Node* child = node->branches[i].child;
        if (child->level != node->level - 1 || child->count == 0) {
            ++failures;
            continue;
        }
        Rect cover = child->branches[0].rect;
        for (int j = 1; j < child->count; ++j) {
            const Rect& r = child->branches[j].rect;
            cover = {std::min(cover.minX, r.minX), std::min(cover.minY, r.minY), std::max(cover.maxX, r.maxX),
                     std::max(cover.maxY, r.maxY)};
        }
        const Rect& b = node->branches[i].rect;
        if (b.minX != cover.minX || b.minY != cover.minY || b.maxX != cover.maxX || b.maxY != cover.maxY)
            ++failures;
        entries += CheckNode(child, false, failures);
    }
    return entries;
}

void ExpectSound(const CRTree& tree, size_t expectedCount)
{
    int failures = 0;
    EXPECT_EQ(CheckNode(tree.GetRoot(), true, failures), (int)expectedCount);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(tree.Count(), (int)expectedCount);
    EXPECT_TRUE(tree.GetRoot()->IsLeaf() || tree.GetRoot()->count >= 2);
}

// Random rectangles of mixed sizes; a share of them flat on one axis or points.
class RectSource {
public:
    explicit RectSource(unsigned seed) : m_random(seed) {}

    Rect Next()
    {
        std::uniform_real_distribution<float> pos(-1000.0f, 1000.0f);
        std::uniform_int_distribution<int> kind(0, 9);
        const float x = pos(m_random), y = pos(m_random);
        float w = Extent(), h = Extent();
        switch (kind(m_random)) {
        case 0: w = 0; break;           // vertical line
        case 1: h = 0; break;           // horizontal line
        case 2: w = h = 0; break;       // point
        default: break;
        }
        return {x, y, x + w, y + h};
    }
    Rect Query()
    {
        const Rect r = Next();
        return {r.minX, r.minY, r.minX + Extent() * 4, r.minY + Extent() * 4};
    }
    float Extent()
    {
        // Mostly small, some large: sizes spread over five orders of magnitude.
        std::uniform_real_distribution<float> exponent(-2.0f, 2.5f);
        return std::pow(10.0f, exponent(m_random));
    }
    std::mt19937& Random() { return m_random; }

private:
    std::mt19937 m_random;
};

struct BruteForce {
    std::map<int, Rect> entries;

    Ids Search(const Rect& q) const
    {
        Ids ids;
        for (const auto& [id, r] : entries)
            if (Overlaps(r, q))
                ids.push_back(id);
        return ids;
    }
    Ids SearchLarge(const Rect& q, double size) const
    {
        Ids ids;
        for (const auto& [id, r] : entries)
            if (Overlaps(r, q) && ((double)r.maxX - r.minX >= size || (double)r.maxY - r.minY >= size))
                ids.push_back(id);
        return ids;
    }
    Ids SearchSmall(const Rect& q, double size) const
    {
        Ids ids;
        for (const auto& [id, r] : entries)
            if (Overlaps(r, q) && (InRange((double)r.maxX - r.minX, size) || InRange((double)r.maxY - r.minY, size)))
                ids.push_back(id);
        return ids;
    }
    Ids SearchContained(const Rect& q) const
    {
        Ids ids;
        for (const auto& [id, r] : entries)
            if (r.minX >= q.minX && r.maxX <= q.maxX && r.minY >= q.minY && r.maxY <= q.maxY)
                ids.push_back(id);
        return ids;
    }
    // Entries that hold the point in the ordinary sense: a point search must
    // find every one of these.
    Ids Containing(float x, float y) const
    {
        Ids ids;
        for (const auto& [id, r] : entries)
            if (r.minX <= x && x <= r.maxX && r.minY <= y && y <= r.maxY)
                ids.push_back(id);
        return ids;
    }
    // Entries that hold the point with flat axes matching anything: a point
    // search may find only these.
    bool MayMatchPoint(int id, float x, float y) const
    {
        const Rect& r = entries.at(id);
        return (r.minX == r.maxX || (r.minX <= x && x <= r.maxX)) && (r.minY == r.maxY || (r.minY <= y && y <= r.maxY));
    }
};

void ExpectSearchesAgree(const CRTree& tree, const BruteForce& brute, RectSource& source)
{
    for (int q = 0; q < 60; ++q) {
        SCOPED_TRACE(q);
        const Rect query = source.Query();
        const double size = source.Extent();
        Ids ids;
        const int hits = tree.Search(query, CollectId, &ids);
        EXPECT_EQ(hits, (int)ids.size());
        EXPECT_EQ(Sorted(ids), brute.Search(query));
        ids.clear();
        tree.SearchLarge(query, size, CollectId, &ids);
        EXPECT_EQ(Sorted(ids), brute.SearchLarge(query, size));
        ids.clear();
        tree.SearchSmall(query, size, CollectEntryId, &ids);
        EXPECT_EQ(Sorted(ids), brute.SearchSmall(query, size));
        ids.clear();
        tree.SearchContained(query, CollectId, &ids);
        EXPECT_EQ(Sorted(ids), brute.SearchContained(query));

        ids.clear();
        const float x = query.minX, y = query.minY;
        tree.SearchPoint(x, y, CollectId, &ids);
        ids = Sorted(ids);
        for (int id : brute.Containing(x, y))
            EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), id)) << id;
        for (int id : ids)
            EXPECT_TRUE(brute.MayMatchPoint(id, x, y)) << id;
    }
    // Every entry once, by callback and by iterator.
    Ids all;
    tree.ForEachId(CollectId, &all);
    Ids iterated;
    for (CRTree::Iterator it(tree); !it.IsNull(); it.Next()) {
        iterated.push_back(it.GetId());
        const Rect r = it.GetRect();
        const Rect& expected = brute.entries.at(it.GetId());
        EXPECT_TRUE(r.minX == expected.minX && r.minY == expected.minY && r.maxX == expected.maxX
                    && r.maxY == expected.maxY);
    }
    Ids expectedIds;
    for (const auto& entry : brute.entries)
        expectedIds.push_back(entry.first);
    EXPECT_EQ(Sorted(all), expectedIds);
    EXPECT_EQ(Sorted(iterated), expectedIds);
}

TEST(RTree, SearchesAgreeWithABruteForceScanThroughInsertsRemovalsAndReinsertions)
{
    const struct {
        unsigned seed;
        int count;
        int removePercent;
    } cases[] = {
        {1, 7, 50},      // a leaf root throughout
        {2, 9, 60},      // the first split, then back to a leaf root
        {3, 300, 30},
        {4, 3000, 70},   // deep removals dissolve many nodes
        {5, 3000, 100},  // everything goes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seed);
        RectSource source(c.seed);
        CRTree tree;
        BruteForce brute;
        for (int id = 1; id <= c.count; ++id) {
            const Rect r = source.Next();
            // Every other entry given with its edges swapped: stored normalised.
            if (id % 2)
                tree.Insert(r.minX, r.minY, r.maxX, r.maxY, id);
            else
                tree.Insert(r.maxX, r.maxY, r.minX, r.minY, id);
            brute.entries[id] = r;
        }
        ExpectSound(tree, brute.entries.size());
        ExpectSearchesAgree(tree, brute, source);

        Ids order;
        for (const auto& entry : brute.entries)
            order.push_back(entry.first);
        std::shuffle(order.begin(), order.end(), source.Random());
        order.resize(order.size() * (size_t)c.removePercent / 100);
        for (int id : order) {
            const Rect r = brute.entries[id];
            tree.Remove(r.minX, r.minY, r.maxX, r.maxY, id);
            brute.entries.erase(id);
        }
        ExpectSound(tree, brute.entries.size());
        ExpectSearchesAgree(tree, brute, source);

        // Half of the removed ones come back elsewhere, as moved objects do.
        for (size_t i = 0; i < order.size(); i += 2) {
            const Rect r = source.Next();
            tree.Insert(r.minX, r.minY, r.maxX, r.maxY, order[i]);
            brute.entries[order[i]] = r;
        }
        ExpectSound(tree, brute.entries.size());
        ExpectSearchesAgree(tree, brute, source);
    }
}

TEST(RTree, EntriesThatAreNotFiniteAreRefusedAndHideNothing)
{
    RectSource source(11);
    CRTree tree;
    BruteForce brute;
    const float nan = std::nanf(""), inf = INFINITY;
    for (int id = 1; id <= 5000; ++id) {
        // Ten damaged rows among the others, as a layer file may hold them.
        if (id % 500 == 0) {
            tree.Insert(nan, 0, 1, 1, id);
            tree.Insert(0, -inf, 1, 1, id + 100000);
            continue;
        }
        const Rect r = source.Next();
        tree.Insert(r.minX, r.minY, r.maxX, r.maxY, id);
        brute.entries[id] = r;
    }
    ExpectSound(tree, brute.entries.size());
    ExpectSearchesAgree(tree, brute, source);
}

TEST(RTree, RemovingWhatIsNotThereChangesNothing)
{
    CRTree tree;
    for (int id = 1; id <= 40; ++id)
        tree.Insert((float)id, 0, (float)id + 1, 1, id);
    tree.Remove(0, 0, 100, 1, 99);            // absent id
    tree.Remove(500, 500, 600, 600, 7);       // rectangle overlapping no branch towards it
    ExpectSound(tree, 40);
    // A rectangle that merely overlaps the entry reaches it.
    tree.Remove(7.5f, 0.5f, 7.6f, 0.6f, 7);
    ExpectSound(tree, 39);
    Ids ids;
    tree.Search({7.2f, 0, 7.3f, 1}, CollectId, &ids);
    EXPECT_TRUE(ids.empty());
}

TEST(RTree, NinthEntrySplitsTheRootAndDissolvingCollapsesIt)
{
    CRTree tree;
    // A new index is one empty leaf; its volume factor is the float one step above pi.
    ASSERT_EQ(tree.root, tree.GetRoot());
    EXPECT_EQ(tree.root->count, 0);
    EXPECT_EQ(tree.root->level, 0);
    EXPECT_EQ(tree.unitSphereVolume, std::nextafter((float)M_PI, 4.0f));
    for (int id = 1; id <= 9; ++id)
        tree.Insert((float)id * 10, 0, (float)id * 10 + 1, 1, id);
    const CRTree::Node* root = tree.root;
    ASSERT_EQ(root->level, 1);
    ASSERT_EQ(root->count, 2);
    const int a = root->branches[0].child->count, b = root->branches[1].child->count;
    EXPECT_TRUE((a == 4 && b == 5) || (a == 5 && b == 4)) << a << " " << b;

    // Emptying the group of four below the minimum reinserts its last three
    // into the other leaf, which becomes the root.
    const CRTree::Node* small = a == 4 ? root->branches[0].child : root->branches[1].child;
    const int victim = small->branches[0].id;
    const float x = (float)victim * 10;
    tree.Remove(x, 0, x + 1, 1, victim);
    EXPECT_TRUE(tree.GetRoot()->IsLeaf());
    EXPECT_EQ(tree.GetRoot()->count, 8);
    ExpectSound(tree, 8);
}

TEST(RTree, SizeClassAndPointSearchesAtTheirEdges)
{
    const double s = 10;
    CRTree tree;
    tree.Insert(0, 0, 5, 0, 1);           // 0.5 s wide, flat
    tree.Insert(20, 20, 24, 24, 2);       // 0.4 s by 0.4 s
    tree.Insert(40, 40, 60, 47, 3);       // 2 s by 0.7 s
    tree.Insert(70, 70, 80, 71, 4);       // exactly s wide
    tree.Insert(100, 110, 90, 100, 5);    // given with left > right and bottom > top
    const Rect all{-1000, -1000, 1000, 1000};
    Ids small, large;
    tree.SearchSmall(all, s, CollectEntryId, &small);
    tree.SearchLarge(all, s, CollectId, &large);
    EXPECT_EQ(Sorted(small), Ids({1, 3, 4, 5}));
    EXPECT_EQ(Sorted(large), Ids({3, 4, 5}));

    // The flat entry is found from any point on its x-range, at any y.
    for (float y : {0.0f, 3.0f, -250.0f}) {
        Ids ids;
        tree.SearchPoint(2.5f, y, CollectId, &ids);
        EXPECT_EQ(ids, Ids({1})) << y;
    }
    Ids ids;
    tree.SearchPoint(6.0f, 0.0f, CollectId, &ids);
    EXPECT_TRUE(ids.empty());
    // The swapped rectangle was stored normalised and is found by its inside.
    tree.SearchPoint(95.0f, 105.0f, CollectId, &ids);
    EXPECT_EQ(ids, Ids({5}));
    ids.clear();
    tree.SearchContained({89, 99, 100, 110}, CollectId, &ids);
    EXPECT_EQ(ids, Ids({5}));
}

TEST(RTree, ACallbackCanStopASearch)
{
    CRTree tree;
    for (int id = 1; id <= 100; ++id)
        tree.Insert(0, 0, 1, 1, id);
    int seen = 0;
    const int hits = tree.Search(
        {0, 0, 1, 1}, [](int, void* n) { return ++*static_cast<int*>(n) < 3; }, &seen);
    EXPECT_EQ(hits, 3);
    EXPECT_EQ(seen, 3);
    tree.RemoveAll();
    ExpectSound(tree, 0);
    EXPECT_TRUE(CRTree::Iterator(tree).IsNull());
}

// ---------------------------------------------------------------- the layer's side

TEST(LayerIndex, SearchesFillTheSharedArraysAndCountNodesAndTexts)
{
    CMapLayer layer("L");
    const int ids[] = {30, 10, 20, 50, 40};
    for (int i = 0; i < 5; ++i)
        layer.IndexInsert(ids[i], CDoubleRect(i * 10.0, 0.0, i * 10.0 + 5, 5.0));
    CMapObject* node = layer.CreateMapObject(MAP_OBJECT_NODE);
    node->SetMapeID(60);
    layer.IndexInsertObject(node);  // the layer keeps it in its node list

    EXPECT_EQ(layer.GetObjectCount(), 6);
    CArray<int, int> all;
    EXPECT_EQ(layer.GetAllIDs(all, true), 6);
    EXPECT_EQ(std::vector<int>(all.GetData(), all.GetData() + all.GetSize()), Ids({10, 20, 30, 40, 50, 60}));
    layer.GetAllIDs(all, false);
    EXPECT_EQ(all[5], 60);  // nodes and texts after the index

    // A view given with its edges swapped is taken the way entries are.
    layer.CollectVisibleIds(CDoubleRect(25.0, 5.0, 4.0, 0.0), 0);
    EXPECT_EQ(std::vector<int>(g_LayerIdArray.GetData(), g_LayerIdArray.GetData() + g_LayerIdArray.GetSize()),
              Ids({10, 20, 30}));
    layer.CollectVisibleIds(CDoubleRect(0.0, 0.0, 100.0, 100.0), 6);
    EXPECT_EQ(g_LayerIdArray.GetSize(), 0);
    layer.CollectContainedIds(CDoubleRect(9.0, -1.0, 26.0, 6.0));
    EXPECT_EQ(Sorted(Ids(g_LayerIdArray.GetData(), g_LayerIdArray.GetData() + g_LayerIdArray.GetSize())),
              Ids({10, 20}));
    layer.CollectSmallEntries(CDoubleRect(0.0, 0.0, 12.0, 12.0), 8);
    ASSERT_EQ(g_LayerEntryArray.GetSize(), 2);
    EXPECT_EQ(g_LayerEntryArray[0].rect, CDoubleRect(g_LayerEntryArray[0].id == 30 ? 0.0 : 10.0, 0.0,
                                                     g_LayerEntryArray[0].id == 30 ? 5.0 : 15.0, 5.0));
}

TEST(LayerIndex, SavedRecordsHoldTheirFieldsAtFixedOffsets)
{
    LayerIndexEntry entry;
    entry.id = 0x01020304;
    entry.rect = CDoubleRect(1.0, 2.0, 3.0, 4.0);  // left, bottom, right, top
    LayerIndexEntry::Record record;
    record.fill(0xAA);
    entry.WriteRecord(record.data());
    const BYTE id[] = {4, 3, 2, 1};
    EXPECT_TRUE(std::equal(id, id + 4, record.begin()));
    EXPECT_TRUE(std::all_of(record.begin() + 4, record.begin() + 16, [](BYTE b) { return b == 0; }));
    const double edges[] = {1.0, 4.0, 3.0, 2.0};  // left, top, right, bottom
    for (int i = 0; i < 4; ++i) {
        double value;
        std::memcpy(&value, record.data() + 16 + 8 * i, 8);  // this machine is little-endian
        EXPECT_EQ(value, edges[i]) << i;
    }
    LayerIndexEntry read;
    EXPECT_FALSE(read.ReadRecord(record.data(), 47));
    EXPECT_FALSE(read.ReadRecord(nullptr, 48));
    ASSERT_TRUE(read.ReadRecord(record.data(), 48));
    EXPECT_EQ(read.id, entry.id);
    EXPECT_EQ(read.rect, entry.rect);
}

// What a layer saves and reads back into a fresh index is the same, record for
// record, byte for byte.
TEST(LayerIndex, SavedIndexRoundTripsByteForByte)
{
    auto save = [](CMapLayer& layer) {
        layer.CollectAllEntries();
        std::map<int, LayerIndexEntry::Record> records;
        for (INT_PTR i = 0; i < g_LayerEntryArray.GetSize(); ++i)
            g_LayerEntryArray[i].WriteRecord(records[g_LayerEntryArray[i].id].data());
        return records;
    };
    CMapLayer first("A");
    RectSource source(11);
    for (int id = 1; id <= 500; ++id) {
        const Rect r = source.Next();
        first.IndexInsert(id, CDoubleRect((double)r.maxX, (double)r.minY, (double)r.minX, (double)r.maxY));
    }
    const auto saved = save(first);
    ASSERT_EQ(saved.size(), 500u);

    CMapLayer second("B");
    for (const auto& [id, record] : saved) {
        LayerIndexEntry entry;
        ASSERT_TRUE(entry.ReadRecord(record.data(), (int)record.size()));
        second.IndexInsert(entry.id, entry.rect);
    }
    EXPECT_EQ(save(second), saved);
}

}
