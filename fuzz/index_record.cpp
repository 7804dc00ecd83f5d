// Fuzz target: the 48-byte spatial index record, read, written back, and put into an index that is
// then searched around it.
#include "fuzz/FuzzTarget.h"

#include "model/index/LayerIndexEntry.h"
#include "model/index/RTree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CRTree tree;
    int count = 0;
    // Each record in the input is one entry.
    for (size_t at = 0; at + LayerIndexEntry::kRecordSize <= size; at += LayerIndexEntry::kRecordSize) {
        LayerIndexEntry entry;
        if (!entry.ReadRecord(data + at, LayerIndexEntry::kRecordSize))
            return 0;
        LayerIndexEntry::Record first{};
        entry.WriteRecord(first.data());
        LayerIndexEntry again;
        FuzzCheck(again.ReadRecord(first.data(), (int)first.size()) != FALSE, "a written index record reads back");
        LayerIndexEntry::Record second{};
        again.WriteRecord(second.data());
        FuzzCheckSameRecord(first, second, "index record round trip");
        const CDoubleRect& r = entry.rect;
        tree.Insert((float)r.left, (float)r.bottom, (float)r.right, (float)r.top, entry.id);
        ++count;
    }
    const CRTree::Rect all{-3e38f, -3e38f, 3e38f, 3e38f};
    auto any = [](int, void*) { return true; };
    tree.Search(all, any, nullptr);
    tree.SearchPoint(0, 0, any, nullptr);
    tree.SearchContained(all, any, nullptr);
    tree.SearchLarge(all, 1.0, any, nullptr);
    (void)count;
    return 0;
}
