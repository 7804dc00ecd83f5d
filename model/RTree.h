// The layer's spatial index: a two-dimensional R-tree of single-precision
// rectangles keyed by object id (at most 8 branches per node, minimum fill 4,
// branch choice by least growth of spherical volume, quadratic split, deletion
// with reinsertion of under-filled nodes). It holds ids and rectangles only,
// never object pointers.
#pragma once

#include "platform/base/WinTypes.h"

class CRTree {
public:
    enum { MAXNODES = 8, MINNODES = 4, MAXLEVELS = 32 };

    struct Rect {
        float minX, minY, maxX, maxY;
    };

    struct Node;
    struct Branch {
        Rect rect;
        Node* child = nullptr;   // internal node: the subtree
        int id = 0;              // leaf: the object's mapeID
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

    // The rectangle is normalised per axis before it is stored.
    void Insert(float minX, float minY, float maxX, float maxY, int id);
    // Removes the entry `id` reached through branches overlapping the rectangle;
    // an absent id leaves the index unchanged.
    void Remove(float minX, float minY, float maxX, float maxY, int id);
    void RemoveAll();

    // Every leaf entry, depth first in branch order; returns the number reported.
    int ForEachEntry(EntryCallback callback, void* context) const;
    int ForEachId(IdCallback callback, void* context) const;
    int Count() const;

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

    const Node* GetRoot() const { return m_root; }

private:
    struct ListNode {
        ListNode* next;
        Node* node;
    };
    struct PartitionVars {
        int partition[MAXNODES + 1];
        bool taken[MAXNODES + 1];
        int total;
        int minFill;
        int count[2];
        Rect cover[2];
        double area[2];
        Branch branchBuf[MAXNODES + 1];
        int branchCount;
        Rect coverSplit;
        double coverSplitArea;
    };

    Node* AllocNode();
    void FreeNode(Node* node);
    void RemoveAllRec(Node* node);
    bool InsertRect(const Branch& branch, Node** root, int level);
    bool InsertRectRec(const Branch& branch, Node* node, Node** newNode, int level);
    bool AddBranch(const Branch& branch, Node* node, Node** newNode);
    void DisconnectBranch(Node* node, int index);
    int PickBranch(const Rect& rect, Node* node) const;
    Rect NodeCover(const Node* node) const;
    void SplitNode(Node* node, const Branch& branch, Node** newNode);
    double SphericalVolume(const Rect& rect) const;
    static Rect CombineRect(const Rect& a, const Rect& b);
    static bool Overlap(const Rect& a, const Rect& b);
    void GetBranches(Node* node, const Branch& branch, PartitionVars& pv);
    void ChoosePartition(PartitionVars& pv, int minFill);
    void LoadNodes(Node* a, Node* b, PartitionVars& pv);
    void InitParVars(PartitionVars& pv, int maxRects, int minFill);
    void PickSeeds(PartitionVars& pv);
    void Classify(int index, int group, PartitionVars& pv);
    bool RemoveRect(const Rect& rect, int id, Node** root);
    bool RemoveRectRec(const Rect& rect, int id, Node* node, ListNode** reinsert);
    static void ReInsert(Node* node, ListNode** list);
    int ForEachRec(const Node* node, EntryCallback callback, void* context, bool& go) const;

    Node* m_root;
    // 3.141593 rounded to single precision: one unit in the last place above the
    // float nearest pi, as the stored indexes were built with it.
    float m_unitSphereVolume;
};
