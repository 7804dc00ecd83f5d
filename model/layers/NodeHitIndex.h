// The nodes of a layer's node/text list by their x, so that a hit test tries
// only the objects near the clicked column instead of every node of the list.
//
// A node's hit test (CMapNode::HitTest) dismisses a node whose x lies more
// than h + 4 pixels from the pixel's column, h being half its symbol size,
// wherever rounding cannot change the answer (moderate pixel, symbol and
// coordinate sizes). The index hands out every other object of the list: the
// nodes within the widest such reach of the column, the nodes whose size or
// coordinates lie beyond those bounds, and every object that is not a plain
// node. So trying the candidates in list order finds the object a walk of the
// whole list finds.
//
// Invariant: the index stands for the list and node state at one count of
// NodeHitGeneration() and CMapStyle::SymbolHeightGeneration(); every change
// of a node's position, id, owners or style, of a symbol height and of the
// list itself advances one of them, and a stale index is built again.
#pragma once

#include "platform/base/Collections.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class CMapObject;
class CMapStyle;

// The side in pixels of the square a node in `style` draws and is hit in
// (CMapNode::GetSymbolSize): any stored height, INT_MIN included, is taken in
// 64 bits and limited like any device length, so the square stays inside int.
int NodeSymbolSize(const CMapStyle& style);

// Counts the changes that an index of nodes must see (see above).
uint64_t NodeHitGeneration();
void NoteNodeHitChange();

class CNodeHitIndex {
public:
    // Whether the index was built at the current counts.
    bool IsCurrent() const;
    void Build(const CList<CMapObject*, CMapObject*>& list);

    // The list, in order.
    const std::vector<CMapObject*>& Objects() const { return m_Objects; }
    // The list positions (ascending) of the objects a hit test at device x
    // with these view arguments must try; false when all of them must be.
    bool Candidates(int x, double originX, double zoom, std::vector<size_t>& out) const;
    // The list position of the first object with `id`, or npos.
    static constexpr size_t npos = (size_t)-1;
    size_t FirstOfId(int id) const;

private:
    struct Node {
        double x;
        size_t position;
    };
    // Nodes of one range of sizes (h below a power of two), by x, with the
    // largest h among them: one large symbol widens the reach of its own
    // range only.
    struct SizeClass {
        std::vector<Node> byX;
        double maxHalf = 0;
    };
    bool m_bBuilt = false;
    uint64_t m_nGeneration = 0, m_nSymbolGeneration = 0;
    std::vector<CMapObject*> m_Objects;
    std::vector<SizeClass> m_Classes;
    std::vector<size_t> m_Always;        // positions tried for every click
    std::unordered_map<int, size_t> m_FirstOfId;
};
