// The R-tree: insertion with quadratic split, deletion with reinsertion of
// under-filled nodes, searches and the walk over every entry.
#include "model/RTree.h"

#include <algorithm>
#include <cmath>

CRTree::CRTree() : m_root(AllocNode()), m_unitSphereVolume(3.141593f)
{
    m_root->level = 0;
}

CRTree::~CRTree()
{
    RemoveAllRec(m_root);
}

void CRTree::RemoveAll()
{
    RemoveAllRec(m_root);
    m_root = AllocNode();
    m_root->level = 0;
}

CRTree::Node* CRTree::AllocNode()
{
    return new Node;
}

void CRTree::FreeNode(Node* node)
{
    delete node;
}

void CRTree::RemoveAllRec(Node* node)
{
    if (!node)
        return;
    if (!node->IsLeaf()) {
        for (int i = 0; i < node->count; ++i)
            RemoveAllRec(node->branches[i].child);
    }
    FreeNode(node);
}

void CRTree::Insert(float minX, float minY, float maxX, float maxY, int id)
{
    Branch branch;
    branch.rect = {std::min(minX, maxX), std::min(minY, maxY), std::max(minX, maxX), std::max(minY, maxY)};
    branch.id = id;
    InsertRect(branch, &m_root, 0);
}

void CRTree::Remove(float minX, float minY, float maxX, float maxY, int id)
{
    const Rect rect{std::min(minX, maxX), std::min(minY, maxY), std::max(minX, maxX), std::max(minY, maxY)};
    RemoveRect(rect, id, &m_root);
}

// Returns true when the root was split (and a new root made).
bool CRTree::InsertRect(const Branch& branch, Node** root, int level)
{
    Node* newNode = nullptr;
    if (InsertRectRec(branch, *root, &newNode, level)) {
        Node* newRoot = AllocNode();
        newRoot->level = (*root)->level + 1;
        Branch b;
        b.rect = NodeCover(*root);
        b.child = *root;
        AddBranch(b, newRoot, nullptr);
        b.rect = NodeCover(newNode);
        b.child = newNode;
        AddBranch(b, newRoot, nullptr);
        *root = newRoot;
        return true;
    }
    return false;
}

// Returns true when `node` was split; the new sibling is returned in `newNode`.
bool CRTree::InsertRectRec(const Branch& branch, Node* node, Node** newNode, int level)
{
    if (node->level > level) {
        const int index = PickBranch(branch.rect, node);
        Node* otherNode = nullptr;
        if (!InsertRectRec(branch, node->branches[index].child, &otherNode, level)) {
            node->branches[index].rect = CombineRect(branch.rect, node->branches[index].rect);
            return false;
        }
        node->branches[index].rect = NodeCover(node->branches[index].child);
        Branch b;
        b.child = otherNode;
        b.rect = NodeCover(otherNode);
        return AddBranch(b, node, newNode);
    }
    return AddBranch(branch, node, newNode);
}

bool CRTree::AddBranch(const Branch& branch, Node* node, Node** newNode)
{
    if (node->count < MAXNODES) {
        node->branches[node->count++] = branch;
        return false;
    }
    SplitNode(node, branch, newNode);
    return true;
}

// The last branch moves into the gap.
void CRTree::DisconnectBranch(Node* node, int index)
{
    node->branches[index] = node->branches[node->count - 1];
    --node->count;
}

int CRTree::PickBranch(const Rect& rect, Node* node) const
{
    int best = 0;
    double bestIncrease = 0, bestVolume = 0;
    for (int i = 0; i < node->count; ++i) {
        const Rect& cur = node->branches[i].rect;
        const double volume = SphericalVolume(cur);
        const double increase = SphericalVolume(CombineRect(rect, cur)) - volume;
        if (i == 0 || increase < bestIncrease || (increase == bestIncrease && volume < bestVolume)) {
            best = i;
            bestVolume = volume;
            bestIncrease = increase;
        }
    }
    return best;
}

CRTree::Rect CRTree::NodeCover(const Node* node) const
{
    Rect rect = node->branches[0].rect;
    for (int i = 1; i < node->count; ++i)
        rect = CombineRect(rect, node->branches[i].rect);
    return rect;
}

CRTree::Rect CRTree::CombineRect(const Rect& a, const Rect& b)
{
    return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX), std::max(a.maxY, b.maxY)};
}

bool CRTree::Overlap(const Rect& a, const Rect& b)
{
    return !(a.minX > b.maxX || b.minX > a.maxX || a.minY > b.maxY || b.minY > a.maxY);
}

double CRTree::SphericalVolume(const Rect& rect) const
{
    const long double hx = ((long double)rect.maxX - rect.minX) * 0.5L;
    const long double hy = ((long double)rect.maxY - rect.minY) * 0.5L;
    const long double radius = std::sqrt(hx * hx + hy * hy);
    return (double)(radius * ((long double)m_unitSphereVolume * radius));
}

void CRTree::SplitNode(Node* node, const Branch& branch, Node** newNode)
{
    PartitionVars pv;
    const int level = node->level;
    GetBranches(node, branch, pv);
    ChoosePartition(pv, MINNODES);
    *newNode = AllocNode();
    (*newNode)->level = node->level = level;
    LoadNodes(node, *newNode, pv);
}

void CRTree::GetBranches(Node* node, const Branch& branch, PartitionVars& pv)
{
    for (int i = 0; i < MAXNODES; ++i)
        pv.branchBuf[i] = node->branches[i];
    pv.branchBuf[MAXNODES] = branch;
    pv.branchCount = MAXNODES + 1;
    pv.coverSplit = pv.branchBuf[0].rect;
    for (int i = 1; i < MAXNODES + 1; ++i)
        pv.coverSplit = CombineRect(pv.coverSplit, pv.branchBuf[i].rect);
    pv.coverSplitArea = SphericalVolume(pv.coverSplit);
    node->count = 0;
    node->level = -1;
}

void CRTree::InitParVars(PartitionVars& pv, int maxRects, int minFill)
{
    pv.count[0] = pv.count[1] = 0;
    pv.area[0] = pv.area[1] = 0;
    pv.total = maxRects;
    pv.minFill = minFill;
    for (int i = 0; i < maxRects; ++i) {
        pv.taken[i] = false;
        pv.partition[i] = -1;
    }
}

void CRTree::PickSeeds(PartitionVars& pv)
{
    double area[MAXNODES + 1];
    for (int i = 0; i < pv.total; ++i)
        area[i] = SphericalVolume(pv.branchBuf[i].rect);
    double worst = -pv.coverSplitArea - 1;
    int seed0 = 0, seed1 = 1;
    for (int a = 0; a < pv.total - 1; ++a) {
        for (int b = a + 1; b < pv.total; ++b) {
            const double waste =
                SphericalVolume(CombineRect(pv.branchBuf[a].rect, pv.branchBuf[b].rect)) - area[a] - area[b];
            if (waste > worst) {
                worst = waste;
                seed0 = a;
                seed1 = b;
            }
        }
    }
    Classify(seed0, 0, pv);
    Classify(seed1, 1, pv);
}

void CRTree::Classify(int index, int group, PartitionVars& pv)
{
    pv.partition[index] = group;
    pv.taken[index] = true;
    if (pv.count[group] == 0)
        pv.cover[group] = pv.branchBuf[index].rect;
    else
        pv.cover[group] = CombineRect(pv.branchBuf[index].rect, pv.cover[group]);
    pv.area[group] = SphericalVolume(pv.cover[group]);
    ++pv.count[group];
}

void CRTree::ChoosePartition(PartitionVars& pv, int minFill)
{
    InitParVars(pv, pv.branchCount, minFill);
    PickSeeds(pv);
    while (pv.count[0] + pv.count[1] < pv.total && pv.count[0] < pv.total - pv.minFill &&
           pv.count[1] < pv.total - pv.minFill) {
        double biggestDiff = -1;
        int chosen = 0, betterGroup = 0;
        for (int i = 0; i < pv.total; ++i) {
            if (pv.taken[i])
                continue;
            const Rect& cur = pv.branchBuf[i].rect;
            const double growth0 = SphericalVolume(CombineRect(cur, pv.cover[0])) - pv.area[0];
            const double growth1 = SphericalVolume(CombineRect(cur, pv.cover[1])) - pv.area[1];
            double diff = growth1 - growth0;
            int group = 0;
            if (diff < 0) {
                group = 1;
                diff = -diff;
            }
            if (diff > biggestDiff) {
                biggestDiff = diff;
                chosen = i;
                betterGroup = group;
            } else if (diff == biggestDiff && pv.count[group] < pv.count[betterGroup]) {
                chosen = i;
                betterGroup = group;
            }
        }
        Classify(chosen, betterGroup, pv);
    }
    if (pv.count[0] + pv.count[1] < pv.total) {
        const int group = pv.count[0] >= pv.total - pv.minFill ? 1 : 0;
        for (int i = 0; i < pv.total; ++i) {
            if (!pv.taken[i])
                Classify(i, group, pv);
        }
    }
}

void CRTree::LoadNodes(Node* a, Node* b, PartitionVars& pv)
{
    for (int i = 0; i < pv.total; ++i)
        AddBranch(pv.branchBuf[i], pv.partition[i] == 0 ? a : b, nullptr);
}

// Returns false when the entry was found and removed.
bool CRTree::RemoveRect(const Rect& rect, int id, Node** root)
{
    ListNode* reinsert = nullptr;
    if (RemoveRectRec(rect, id, *root, &reinsert))
        return true;
    while (reinsert) {
        Node* node = reinsert->node;
        for (int i = 0; i < node->count; ++i)
            InsertRect(node->branches[i], root, node->level);
        ListNode* done = reinsert;
        reinsert = reinsert->next;
        FreeNode(done->node);
        delete done;
    }
    if ((*root)->count == 1 && !(*root)->IsLeaf()) {
        Node* child = (*root)->branches[0].child;
        FreeNode(*root);
        *root = child;
    }
    return false;
}

bool CRTree::RemoveRectRec(const Rect& rect, int id, Node* node, ListNode** reinsert)
{
    if (!node->IsLeaf()) {
        for (int i = 0; i < node->count; ++i) {
            if (!Overlap(rect, node->branches[i].rect))
                continue;
            Node* child = node->branches[i].child;
            if (!RemoveRectRec(rect, id, child, reinsert)) {
                if (child->count >= MINNODES) {
                    node->branches[i].rect = NodeCover(child);
                } else {
                    ReInsert(child, reinsert);
                    DisconnectBranch(node, i);
                }
                return false;
            }
        }
        return true;
    }
    for (int i = 0; i < node->count; ++i) {
        if (node->branches[i].id == id) {
            DisconnectBranch(node, i);
            return false;
        }
    }
    return true;
}

void CRTree::ReInsert(Node* node, ListNode** list)
{
    *list = new ListNode{*list, node};
}

int CRTree::ForEachRec(const Node* node, EntryCallback callback, void* context, bool& go) const
{
    int hits = 0;
    for (int i = 0; i < node->count && go; ++i) {
        if (node->IsLeaf()) {
            ++hits;
            go = callback(node->branches[i].id, node->branches[i].rect, context);
        } else {
            hits += ForEachRec(node->branches[i].child, callback, context, go);
        }
    }
    return hits;
}

int CRTree::ForEachEntry(EntryCallback callback, void* context) const
{
    bool go = true;
    return ForEachRec(m_root, callback, context, go);
}

namespace {
struct IdForward {
    CRTree::IdCallback callback;
    void* context;
};
}

int CRTree::ForEachId(IdCallback callback, void* context) const
{
    IdForward forward{callback, context};
    return ForEachEntry(
        [](int id, const Rect&, void* ctx) {
            auto* f = static_cast<IdForward*>(ctx);
            return f->callback(id, f->context);
        },
        &forward);
}

int CRTree::Count() const
{
    return ForEachEntry([](int, const Rect&, void*) { return true; }, nullptr);
}

CRTree::Iterator::Iterator(const CRTree& tree)
{
    if (tree.m_root && tree.m_root->count > 0) {
        m_stack[m_tos++] = {tree.m_root, 0};
        FindLeaf();
    }
}

void CRTree::Iterator::FindLeaf()
{
    while (m_tos > 0 && !m_stack[m_tos - 1].node->IsLeaf() && m_tos < MAXLEVELS) {
        const StackElement& top = m_stack[m_tos - 1];
        m_stack[m_tos++] = {top.node->branches[top.branchIndex].child, 0};
    }
}

void CRTree::Iterator::Next()
{
    while (m_tos > 0) {
        StackElement& top = m_stack[m_tos - 1];
        if (top.branchIndex + 1 < top.node->count) {
            ++top.branchIndex;
            FindLeaf();
            return;
        }
        --m_tos;
    }
}

int CRTree::Iterator::GetId() const
{
    const StackElement& top = m_stack[m_tos - 1];
    return top.node->branches[top.branchIndex].id;
}

CRTree::Rect CRTree::Iterator::GetRect() const
{
    const StackElement& top = m_stack[m_tos - 1];
    return top.node->branches[top.branchIndex].rect;
}
