// The layer's spatial index: a two-dimensional R-tree of single-precision
// rectangles keyed by object id (at most 8 branches per node, minimum fill 4,
// branch choice by least growth of spherical volume, quadratic split, deletion
// with reinsertion of under-filled nodes). It holds ids and rectangles only,
// never object pointers. Rectangles are stored normalised (min <= max per axis);
// searches report every matching leaf entry through a callback and never
// allocate.
#pragma once

#include "platform/base/WinTypes.h"

#include <memory>
#include <vector>

class CRTree {
public:
    enum { MAXNODES = 8, MINNODES = 4, MAXLEVELS = 32 };

    struct Rect {
        float minX, minY, maxX, maxY;
    };

    struct Node;
    // One word serves both kinds of node, as the design lays a branch out: the
    // subtree in an internal node, the object's mapeID in a leaf.
    struct Branch {
        Rect rect{};
        union {
            Node* child = nullptr;
            int id;
        };
    };
    struct Node {
        int count = 0;
        int level = -1;          // 0 = leaf; -1 until the caller sets it
        Branch branches[MAXNODES];
        bool IsLeaf() const { return level == 0; }
    };

    // Callbacks return whether to go on; the layer's callbacks always go on.
    typedef bool (*IdCallback)(int id, void* context);
    typedef bool (*EntryCallback)(int id, const Rect& rect, void* context);

    CRTree();
    virtual ~CRTree();
    CRTree(const CRTree&) = delete;
    CRTree& operator=(const CRTree&) = delete;

    // The rectangle is normalised per axis before it is stored. A rectangle
    // with a coordinate that is not finite is refused (false): NaN compares
    // false with everything and would corrupt the covers of its ancestors.
    bool Insert(float minX, float minY, float maxX, float maxY, int id);
    // Removes the entry `id` reached through branches overlapping the rectangle;
    // an absent id leaves the index unchanged (false).
    bool Remove(float minX, float minY, float maxX, float maxY, int id);
    void RemoveAll();

    // Searches return the number of entries reported. Query rectangles are
    // given with min <= max, as the layer's views are.
    // Entries overlapping the rectangle (touching edges count).
    int Search(const Rect& rect, IdCallback callback, void* context) const;
    // As Search, skipping every branch (with its subtree) whose extents on both
    // axes are below `size`.
    int SearchLarge(const Rect& rect, double size, IdCallback callback, void* context) const;
    // Overlapping entries whose extent on at least one axis lies within
    // [size / 2, size].
    int SearchSmall(const Rect& rect, double size, EntryCallback callback, void* context) const;
    // Entries containing the point, edges included; an axis on which a
    // rectangle is flat matches any coordinate, so lines are found along
    // their whole length.
    int SearchPoint(float x, float y, IdCallback callback, void* context) const;
    // Entries lying wholly inside the rectangle, edges included.
    int SearchContained(const Rect& rect, IdCallback callback, void* context) const;

    // Every leaf entry, depth first in branch order; returns the number reported.
    int ForEachEntry(EntryCallback callback, void* context) const;
    int ForEachId(IdCallback callback, void* context) const;
    // Number of leaf entries, kept as entries come and go.
    int Count() const { return m_count; }

    // Every leaf entry exactly once, in tree order.
    class Iterator {
    public:
        explicit Iterator(const CRTree& tree);
        bool IsNull() const { return m_tos <= 0; }
        int GetId() const;
        Rect GetRect() const;
        void Next();

    private:
        struct StackElement {
            const Node* node;
            int branchIndex;
        };
        void FindLeaf();
        StackElement m_stack[MAXLEVELS];
        int m_tos = 0;
    };

    const Node* GetRoot() const { return root; }

    // The root node: one empty leaf in a new index. The pool owns every node.
    Node* root = nullptr;
    // 3.141593 rounded to single precision: one unit in the last place above the
    // float nearest pi, as the stored indexes were built with it.
    float unitSphereVolume = 3.141593f;

private:
    struct PartitionVars {
        int partition[MAXNODES + 1];
        bool taken[MAXNODES + 1];
        int total;
        int minFill;
        int count[2];
        Rect cover[2];
        long double area[2];
        Branch branchBuf[MAXNODES + 1];
        int branchCount;
        Rect coverSplit;
        long double coverSplitArea;
    };

    // Nodes come from blocks owned by the tree and go back to a free list:
    // an index of a million entries would otherwise make 150 000 heap calls.
    class NodePool {
    public:
        Node* Alloc();
        void Free(Node* node);
        void Clear();

    private:
        std::vector<std::unique_ptr<Node[]>> m_blocks;
        size_t m_lastSize = 0;
        size_t m_usedInLast = 0;
        Node* m_free = nullptr;
    };

    Node* AllocNode();
    void FreeNode(Node* node);
    bool InsertRect(const Branch& branch, Node** top, int level);
    bool InsertRectRec(const Branch& branch, Node* node, Node** newNode, int level);
    bool AddBranch(const Branch& branch, Node* node, Node** newNode);
    void DisconnectBranch(Node* node, int index);
    int PickBranch(const Rect& rect, Node* node) const;
    static Rect NodeCover(const Node* node);
    void SplitNode(Node* node, const Branch& branch, Node** newNode);
    // Extended precision, as branch choice and splits compare these volumes.
    long double SphericalVolume(const Rect& rect) const;
    static Rect CombineRect(const Rect& a, const Rect& b);
    static bool Overlap(const Rect& a, const Rect& b);
    void GetBranches(Node* node, const Branch& branch, PartitionVars& pv);
    void ChoosePartition(PartitionVars& pv, int minFill);
    void LoadNodes(Node* a, Node* b, PartitionVars& pv);
    void InitParVars(PartitionVars& pv, int maxRects, int minFill);
    void PickSeeds(PartitionVars& pv);
    void Classify(int index, int group, PartitionVars& pv);
    bool RemoveRect(const Rect& rect, int id, Node** top);
    bool RemoveRectRec(const Rect& rect, int id, Node* node, std::vector<Node*>& reinsert);

    NodePool m_pool;
    int m_count = 0;
};
