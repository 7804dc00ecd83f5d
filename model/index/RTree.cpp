// The R-tree's insertion, split, removal with reinsertion, searches and
// iteration. Every comparison of volumes runs in extended precision so that the
// tree takes the same shape, branch for branch, as the indexes the design built.
#include "model/index/RTree.h"

#include <algorithm>
#include <cmath>

namespace {
bool Overlaps(const CRTree::Rect& a, const CRTree::Rect& b)
{
    return !(a.minX > b.maxX || b.minX > a.maxX || a.minY > b.maxY || b.minY > a.maxY);
}

bool Within(const CRTree::Rect& inner, const CRTree::Rect& outer)
{
    return inner.minX >= outer.minX && inner.maxX <= outer.maxX && inner.minY >= outer.minY
        && inner.maxY <= outer.maxY;
}

// Visits the subtrees whose branch rectangle `enter` admits and reports the
// leaf entries that `match` admits; stops when `report` says so.
template <class Enter, class Match, class Report>
int Walk(const CRTree::Node* node, const Enter& enter, const Match& match, const Report& report, bool& go)
{
    int hits = 0;
    if (node->IsLeaf()) {
        for (int i = 0; i < node->count && go; ++i) {
            if (match(node->branches[i].rect)) {
                ++hits;
                go = report(node->branches[i]);
            }
        }
    } else {
        for (int i = 0; i < node->count && go; ++i) {
            if (enter(node->branches[i].rect))
                hits += Walk(node->branches[i].child, enter, match, report, go);
        }
    }
    return hits;
}
}

// ---------------------------------------------------------------- node pool
CRTree::Node* CRTree::NodePool::Alloc()
{
    Node* node = m_free;
    if (node) {
        m_free = node->branches[0].child;
    } else {
        if (m_usedInLast == m_lastSize) {
            // Blocks double from 16 nodes up to 4096, so a small layer stays small.
            m_lastSize = m_lastSize == 0 ? 16 : std::min<size_t>(m_lastSize * 2, 4096);
            m_blocks.push_back(std::make_unique<Node[]>(m_lastSize));
            m_usedInLast = 0;
        }
        node = &m_blocks.back()[m_usedInLast++];
    }
    *node = Node();
    return node;
}

void CRTree::NodePool::Free(Node* node)
{
    node->branches[0].child = m_free;
    m_free = node;
}

void CRTree::NodePool::Clear()
{
    m_blocks.clear();
    m_usedInLast = m_lastSize = 0;
    m_free = nullptr;
}

// ---------------------------------------------------------------- tree
CRTree::CRTree()
{
    root = AllocNode();
    root->level = 0;
}

// The pool owns every node: they go with it.
CRTree::~CRTree() = default;

void CRTree::RemoveAll()
{
    m_pool.Clear();
    m_count = 0;
    root = AllocNode();
    root->level = 0;
}

CRTree::Node* CRTree::AllocNode()
{
    return m_pool.Alloc();
}

void CRTree::FreeNode(Node* node)
{
    m_pool.Free(node);
}

bool CRTree::Insert(float minX, float minY, float maxX, float maxY, int id)
{
    if (!std::isfinite(minX) || !std::isfinite(minY) || !std::isfinite(maxX) || !std::isfinite(maxY))
        return false;
    Branch branch;
    branch.rect = {std::min(minX, maxX), std::min(minY, maxY), std::max(minX, maxX), std::max(minY, maxY)};
    branch.id = id;
    InsertRect(branch, &root, 0);
    ++m_count;
    return true;
}

bool CRTree::Remove(float minX, float minY, float maxX, float maxY, int id)
{
    const Rect rect{std::min(minX, maxX), std::min(minY, maxY), std::max(minX, maxX), std::max(minY, maxY)};
    if (!RemoveRect(rect, id, &root))
        return false;
    --m_count;
    return true;
}

// Returns true when the root was split (and a new root made).
bool CRTree::InsertRect(const Branch& branch, Node** top, int level)
{
    Node* newNode = nullptr;
    if (InsertRectRec(branch, *top, &newNode, level)) {
        Node* newRoot = AllocNode();
        newRoot->level = (*top)->level + 1;
        Branch b;
        b.rect = NodeCover(*top);
        b.child = *top;
        AddBranch(b, newRoot, nullptr);
        b.rect = NodeCover(newNode);
        b.child = newNode;
        AddBranch(b, newRoot, nullptr);
        *top = newRoot;
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

// Least growth of volume; on equal growth the smaller volume; on a full tie
// the earlier branch.
int CRTree::PickBranch(const Rect& rect, Node* node) const
{
    int best = 0;
    long double bestIncrease = 0, bestVolume = 0;
    for (int i = 0; i < node->count; ++i) {
        const Rect& cur = node->branches[i].rect;
        const long double volume = SphericalVolume(cur);
        const long double increase = SphericalVolume(CombineRect(rect, cur)) - volume;
        if (i == 0 || increase < bestIncrease || (increase == bestIncrease && volume < bestVolume)) {
            best = i;
            bestVolume = volume;
            bestIncrease = increase;
        }
    }
    return best;
}

CRTree::Rect CRTree::NodeCover(const Node* node)
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
    return Overlaps(a, b);
}

// r * (unit volume * r) with r the half diagonal, from the float fields.
long double CRTree::SphericalVolume(const Rect& rect) const
{
    const long double hx = ((long double)rect.maxX - rect.minX) * 0.5L;
    const long double hy = ((long double)rect.maxY - rect.minY) * 0.5L;
    const long double radius = std::sqrt(hx * hx + hy * hy);
    return radius * ((long double)unitSphereVolume * radius);
}

// ---------------------------------------------------------------- quadratic split
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

// The pair wasting the most volume together; the first such pair wins.
void CRTree::PickSeeds(PartitionVars& pv)
{
    long double area[MAXNODES + 1];
    for (int i = 0; i < pv.total; ++i)
        area[i] = SphericalVolume(pv.branchBuf[i].rect);
    long double worst = -pv.coverSplitArea - 1;
    int seed0 = 0, seed1 = 1;
    for (int a = 0; a < pv.total - 1; ++a) {
        for (int b = a + 1; b < pv.total; ++b) {
            const long double waste =
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
        long double biggestDiff = -1;
        int chosen = 0, betterGroup = 0;
        for (int i = 0; i < pv.total; ++i) {
            if (pv.taken[i])
                continue;
            const Rect& cur = pv.branchBuf[i].rect;
            const long double growth0 = SphericalVolume(CombineRect(cur, pv.cover[0])) - pv.area[0];
            const long double growth1 = SphericalVolume(CombineRect(cur, pv.cover[1])) - pv.area[1];
            long double diff = growth1 - growth0;
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
    // The rest fill whichever group would otherwise stay below the minimum.
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

// ---------------------------------------------------------------- removal
// True when the entry was found and removed.
bool CRTree::RemoveRect(const Rect& rect, int id, Node** top)
{
    std::vector<Node*> reinsert;
    if (!RemoveRectRec(rect, id, *top, reinsert))
        return false;
    // Most recently dissolved first; each branch goes back at its node's level.
    while (!reinsert.empty()) {
        Node* node = reinsert.back();
        reinsert.pop_back();
        for (int i = 0; i < node->count; ++i)
            InsertRect(node->branches[i], top, node->level);
        FreeNode(node);
    }
    if ((*top)->count == 1 && !(*top)->IsLeaf()) {
        Node* child = (*top)->branches[0].child;
        FreeNode(*top);
        *top = child;
    }
    return true;
}

// True when the entry was found below `node`; an under-filled child on the way
// is cut out and kept for reinsertion.
bool CRTree::RemoveRectRec(const Rect& rect, int id, Node* node, std::vector<Node*>& reinsert)
{
    if (node->IsLeaf()) {
        for (int i = 0; i < node->count; ++i) {
            if (node->branches[i].id == id) {
                DisconnectBranch(node, i);
                return true;
            }
        }
        return false;
    }
    for (int i = 0; i < node->count; ++i) {
        if (!Overlap(rect, node->branches[i].rect))
            continue;
        Node* child = node->branches[i].child;
        if (RemoveRectRec(rect, id, child, reinsert)) {
            if (child->count >= MINNODES) {
                node->branches[i].rect = NodeCover(child);
            } else {
                reinsert.push_back(child);
                DisconnectBranch(node, i);
            }
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- searches
int CRTree::Search(const Rect& rect, IdCallback callback, void* context) const
{
    bool go = true;
    const auto overlaps = [&](const Rect& r) { return Overlaps(r, rect); };
    return Walk(root, overlaps, overlaps, [&](const Branch& b) { return callback(b.id, context); }, go);
}

int CRTree::SearchLarge(const Rect& rect, double size, IdCallback callback, void* context) const
{
    bool go = true;
    const auto large = [&](const Rect& r) {
        return Overlaps(r, rect) && ((double)r.maxX - r.minX >= size || (double)r.maxY - r.minY >= size);
    };
    return Walk(root, large, large, [&](const Branch& b) { return callback(b.id, context); }, go);
}

int CRTree::SearchSmall(const Rect& rect, double size, EntryCallback callback, void* context) const
{
    bool go = true;
    const double low = size * 0.5;
    const auto inRange = [&](double extent) { return extent >= low && extent <= size; };
    return Walk(
        root, [&](const Rect& r) { return Overlaps(r, rect); },
        [&](const Rect& r) {
            return Overlaps(r, rect) && (inRange((double)r.maxX - r.minX) || inRange((double)r.maxY - r.minY));
        },
        [&](const Branch& b) { return callback(b.id, b.rect, context); }, go);
}

int CRTree::SearchPoint(float x, float y, IdCallback callback, void* context) const
{
    bool go = true;
    const auto contains = [&](const Rect& r) {
        return (r.minX == r.maxX || (r.minX <= x && x <= r.maxX)) && (r.minY == r.maxY || (r.minY <= y && y <= r.maxY));
    };
    return Walk(root, contains, contains, [&](const Branch& b) { return callback(b.id, context); }, go);
}

// A subtree lying wholly inside is reported without further tests. One that
// does not even overlap is skipped: none of its entries can lie inside.
int CRTree::SearchContained(const Rect& rect, IdCallback callback, void* context) const
{
    bool go = true;
    const auto report = [&](const Branch& b) { return callback(b.id, context); };
    const auto all = [](const Rect&) { return true; };
    const auto walk = [&](const auto& self, const Node* node) -> int {
        int hits = 0;
        for (int i = 0; i < node->count && go; ++i) {
            const Branch& b = node->branches[i];
            if (node->IsLeaf()) {
                if (Within(b.rect, rect)) {
                    ++hits;
                    go = report(b);
                }
            } else if (Within(b.rect, rect)) {
                hits += Walk(b.child, all, all, report, go);
            } else if (Overlaps(b.rect, rect)) {
                hits += self(self, b.child);
            }
        }
        return hits;
    };
    return walk(walk, root);
}

int CRTree::ForEachEntry(EntryCallback callback, void* context) const
{
    bool go = true;
    const auto all = [](const Rect&) { return true; };
    return Walk(root, all, all, [&](const Branch& b) { return callback(b.id, b.rect, context); }, go);
}

int CRTree::ForEachId(IdCallback callback, void* context) const
{
    bool go = true;
    const auto all = [](const Rect&) { return true; };
    return Walk(root, all, all, [&](const Branch& b) { return callback(b.id, context); }, go);
}

// ---------------------------------------------------------------- iterator
CRTree::Iterator::Iterator(const CRTree& tree)
{
    if (tree.root && tree.root->count > 0) {
        m_stack[m_tos++] = {tree.root, 0};
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
