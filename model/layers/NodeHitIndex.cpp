// The index of the nodes of a node/text list for hit tests (NodeHitIndex.h).
#include "model/layers/NodeHitIndex.h"

#include "platform/base/DeviceCoordinates.h"
#include "core/MapStyle.h"
#include "core/ObjectTypes.h"
#include "model/layers/MapObject.h"
#include "model/layers/MapObjectKinds.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
uint64_t g_NodeHitGeneration = 1;

// The bounds within which CMapNode::HitTest dismisses far nodes (kept equal to its own).
constexpr double kSmall = 1 << 20;
}

int NodeSymbolSize(const CMapStyle& style)
{
    return ClampDeviceCoordinate(std::llabs((int64_t)style.GetSymbolFont().lfHeight));
}

uint64_t NodeHitGeneration()
{
    return g_NodeHitGeneration;
}

void NoteNodeHitChange()
{
    ++g_NodeHitGeneration;
}

bool CNodeHitIndex::IsCurrent() const
{
    return m_bBuilt && m_nGeneration == g_NodeHitGeneration
        && m_nSymbolGeneration == CMapStyle::SymbolHeightGeneration();
}

void CNodeHitIndex::Build(const CList<CMapObject*, CMapObject*>& list)
{
    m_Objects.clear();
    m_Classes.clear();
    m_Always.clear();
    m_FirstOfId.clear();
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        CMapObject* object = list.GetNext(pos);
        const size_t position = m_Objects.size();
        m_Objects.push_back(object);
        m_FirstOfId.emplace(object->GetMapeID(), position);
        // Only a node of the plain kind has the hit test the index relies on.
        const bool plain = object->GetType() == MAP_OBJECT_NODE && IsPlainObjectOfKind(*object, MAP_OBJECT_NODE);
        const double x = plain ? object->GetBoundary().left : 0.0;
        const double half = plain ? NodeSymbolSize(*object->GetStyle()) / 2 : 0.0;
        if (!plain || !std::isfinite(x) || !(half < kSmall)) {
            m_Always.push_back(position);
            continue;
        }
        size_t sizeClass = 0;
        while ((double)(1u << sizeClass) <= half)
            ++sizeClass;
        if (m_Classes.size() <= sizeClass)
            m_Classes.resize(sizeClass + 1);
        m_Classes[sizeClass].byX.push_back({x, position});
        m_Classes[sizeClass].maxHalf = std::max(m_Classes[sizeClass].maxHalf, half);
    }
    for (SizeClass& sizes : m_Classes)
        std::sort(sizes.byX.begin(), sizes.byX.end(), [](const Node& a, const Node& b) { return a.x < b.x; });
    m_nGeneration = g_NodeHitGeneration;
    m_nSymbolGeneration = CMapStyle::SymbolHeightGeneration();
    m_bBuilt = true;
}

bool CNodeHitIndex::Candidates(int x, double originX, double zoom, std::vector<size_t>& out) const
{
    out.clear();
    const double z = zoom;
    const double column = originX + x * z;
    // Where the node test does not dismiss by distance, every object is tried.
    if (!(z > 0) || !(x > -kSmall && x < kSmall) || !std::isfinite(column))
        return false;
    // Nodes this far out fail the test's bound on coordinate sizes
    // (|x| + |origin| + |pixel| < zoom * 2^40); a thousandth more is taken,
    // far beyond any rounding.
    const double limit = (z * 0x1p40 - std::fabs(originX) - std::fabs(x * z)) * (1 - 1e-3);
    if (!(limit > 0))
        return false;
    out.insert(out.end(), m_Always.begin(), m_Always.end());
    const auto below = [](const Node& n, double v) { return n.x < v; };
    for (const SizeClass& sizes : m_Classes) {
        const std::vector<Node>& byX = sizes.byX;
        // A pixel more than the widest reach of the class, so that rounding cannot matter.
        const double reach = (sizes.maxHalf + 5) * z;
        const auto from = std::lower_bound(byX.begin(), byX.end(), column - reach, below);
        const auto to = std::lower_bound(from, byX.end(), std::nextafter(column + reach, INFINITY), below);
        for (auto it = from; it != to; ++it)
            out.push_back(it->position);
        // The far ends: at most -limit and at least limit.
        for (auto it = byX.begin(); it != from && it->x <= -limit; ++it)
            out.push_back(it->position);
        for (auto it = byX.end(); it != to && (it - 1)->x >= limit; --it)
            out.push_back((it - 1)->position);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return true;
}

size_t CNodeHitIndex::FirstOfId(int id) const
{
    const auto it = m_FirstOfId.find(id);
    return it == m_FirstOfId.end() ? npos : it->second;
}
