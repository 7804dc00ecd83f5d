// The ring steps of the boolean operations on clip polygons: orientation,
// crossings inserted into both rings, the marks that classify each edge
// leaving a crossing against the other figure, and the traversal that cuts
// out the pieces an operation keeps. Traversal keeps the region on its
// right: outer rings run clockwise (y up), holes counter-clockwise.
#include "model/polygons/ClipPolygon.h"

#include "core/ClipSegments.h"
#include "model/polygons/MapMultiPart.h"
#include "model/polygons/MapPointList.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace {
bool Same(const CClipVertex& a, const CClipVertex& b)
{
    return a.x == b.x && a.y == b.y;
}

// A computed crossing within rounding of an end point of either segment is
// that end point, so that a segment through a vertex finds the vertex itself
// and not a second point beside it.
CClipVertex SnapToEnds(const CClipVertex& x, const CClipVertex& a, const CClipVertex& b, const CClipVertex& p,
                       const CClipVertex& c)
{
    const double extent = std::max({std::fabs(a.x - b.x), std::fabs(a.y - b.y), std::fabs(p.x - c.x),
                                    std::fabs(p.y - c.y)});
    const double eps = extent * 1e-9;
    for (const CClipVertex* end : {&p, &c, &a, &b}) {
        if (std::fabs(x.x - end->x) <= eps && std::fabs(x.y - end->y) <= eps)
            return CClipVertex(end->x, end->y);
    }
    return CClipVertex(x.x, x.y);
}

// The positions of a ring in traversal order.
std::vector<POSITION> TraversalOrder(const CClipPolygon& ring)
{
    std::vector<POSITION> order;
    order.reserve((size_t)ring.GetVertices().GetCount());
    for (POSITION pos = ring.GetStartPosition(); pos;) {
        order.push_back(pos);
        ring.StepForward(pos);
    }
    return order;
}

// Where a piece of a ring starts for an operation, and in which direction.
enum class Start { None, Forward, Reversed };

Start PieceStart(const CClipVertex& v, int op, bool first)
{
    if (!v.IsIntersection() || v.IsDoubledBack())
        return Start::None;
    // An edge both figures share is kept once, from the first figure: where
    // both run the same way it bounds their intersection and union, where
    // they run opposite ways it bounds the difference; never the exclusive or.
    if (v.IsSameEdge())
        return first && (op == 0 || op == 3) ? Start::Forward : Start::None;
    if (v.IsOppositeEdge())
        return first && op == 1 ? Start::Forward : Start::None;
    switch (op) {
    case 0: return v.IsInside() ? Start::Forward : Start::None;
    case 1:
        if (first)
            return v.IsOutside() ? Start::Forward : Start::None;
        return v.IsInside() ? Start::Reversed : Start::None;
    case 2:
        if (v.IsInside())
            return Start::Reversed;
        return v.IsOutside() ? Start::Forward : Start::None;
    case 3: return v.IsOutside() ? Start::Forward : Start::None;
    default: return Start::None;
    }
}

// Ends the explicit closing of a ring: the copy of the head at the tail goes,
// and a crossing found on it stays marked on the head.
void OpenRing(CClipPolygon& ring, CList<CClipVertex, const CClipVertex&>& vertices)
{
    if (vertices.GetCount() < 2)
        return;
    vertices.GetHead().flags |= vertices.GetTail().flags & CClipVertex::kIntersection;
    ring.RemoveTailVertex();
}

// Whether `stretch` occurs, in either order, as a run of `rest`.
bool OccursIn(const std::vector<CClipVertex>& stretch, const std::vector<CClipVertex>& rest)
{
    const size_t k = stretch.size();
    if (k == 0 || rest.size() < k)
        return false;
    for (size_t s = 0; s + k <= rest.size(); ++s) {
        bool forward = true, backward = true;
        for (size_t i = 0; i < k && (forward || backward); ++i) {
            forward = forward && Same(rest[s + i], stretch[i]);
            backward = backward && Same(rest[s + i], stretch[k - 1 - i]);
        }
        if (forward || backward)
            return true;
    }
    return false;
}
}

BOOL CClipPolygon::SetOrientation(int interiorLeft)
{
    // Twice the signed area, with coordinates taken relative to the head so
    // that large projected coordinates keep their precision.
    if (m_Vertices.GetCount() < 3)
        return FALSE;
    const CClipVertex o = m_Vertices.GetHead();
    double twice = 0.0;
    POSITION pos = m_Vertices.GetHeadPosition();
    CClipVertex prev = m_Vertices.GetNext(pos);
    while (true) {
        const CClipVertex cur = pos ? m_Vertices.GetNext(pos) : o;
        twice += (prev.x - o.x) * (cur.y - o.y) - (cur.x - o.x) * (prev.y - o.y);
        if (!pos)
            break;
        prev = cur;
    }
    if (twice == 0.0 || !std::isfinite(twice))
        return FALSE;
    const bool counterClockwise = twice > 0.0;
    m_nForward = counterClockwise == (interiorLeft != 0) ? 1 : 0;
    return TRUE;
}

namespace {
// Whether the closed boxes of two segments meet: what IntersectSegments
// would find first, without building rectangles.
bool BoxesMeet(const CClipVertex& a, const CClipVertex& b, const CClipVertex& p, const CClipVertex& c)
{
    return std::max(a.x, b.x) >= std::min(p.x, c.x) && std::max(p.x, c.x) >= std::min(a.x, b.x)
        && std::max(a.y, b.y) >= std::min(p.y, c.y) && std::max(p.y, c.y) >= std::min(a.y, b.y);
}

// Segment a-b against the ring's edge p-c: the crossing is collected and,
// with `insert`, enters the ring (or marks the end it falls on).
void TestEdge(CClipPolygon& ring, const CClipVertex& a, const CClipVertex& b, POSITION prevPos, POSITION curPos,
              std::vector<CClipVertex>& found, bool insert)
{
    const CClipVertex p = ring.GetVertexAtPosition(prevPos), c = ring.GetVertexAtPosition(curPos);
    if (!BoxesMeet(a, b, p, c))
        return;
    const CClipVertex hit = IntersectSegments(a, b, p, c);
    if (IsNoClipVertex(hit))
        return;
    const CClipVertex x = SnapToEnds(hit, a, b, p, c);
    found.emplace_back(x.x, x.y, CClipVertex::kIntersection);
    if (!insert)
        return;
    if (!Same(x, p) && !Same(x, c))
        ring.InsertVertexBefore(curPos, CClipVertex(x.x, x.y, CClipVertex::kIntersection), TRUE);
    else
        ring.MarkIntersection(Same(x, p) ? prevPos : curPos);
}

// The crossings found, ordered along a-b when asked, each point once.
CClipPolygon* CrossingList(std::vector<CClipVertex>& found, const CClipVertex& a, BOOL sort)
{
    if (sort && found.size() > 1) {
        std::stable_sort(found.begin(), found.end(), [&](const CClipVertex& l, const CClipVertex& r) {
            return std::hypot(l.x - a.x, l.y - a.y) < std::hypot(r.x - a.x, r.y - a.y);
        });
    }
    auto* result = new CClipPolygon;
    for (const CClipVertex& x : found) {
        // A crossing at a vertex of the ring is met on both of its edges.
        if (result->GetPointCount() > 0 && Same(result->GetTailVertex(), x))
            continue;
        result->AddVertex(x);
    }
    return result;
}

// The edges of a ring as they were before crossings were inserted, in a grid
// of cells by their boxes; crossings later inserted into an edge only split
// it, so walking from its start to its end covers all of its pieces. Rings
// of many vertices are cut against each other and tested for containment
// through it instead of through every edge.
class EdgeGrid {
public:
    // With `closed` the edge from the tail back to the head counts too.
    EdgeGrid(const CClipPolygon& ring, bool closed) : m_bClosed(closed)
    {
        const auto& vertices = ring.GetVertices();
        POSITION pos = vertices.GetHeadPosition();
        if (!pos)
            return;
        POSITION start = pos;
        CClipVertex p = vertices.GetNext(pos);
        m_Box = CDoubleRect(p.x, p.y, p.x, p.y);
        const auto add = [&](POSITION end, const CClipVertex& c) {
            m_Edges.push_back({start, end, std::min(p.x, c.x), std::min(p.y, c.y), std::max(p.x, c.x),
                               std::max(p.y, c.y)});
            m_Box.left = std::min(m_Box.left, c.x);
            m_Box.right = std::max(m_Box.right, c.x);
            m_Box.bottom = std::min(m_Box.bottom, c.y);
            m_Box.top = std::max(m_Box.top, c.y);
        };
        while (pos) {
            const POSITION end = pos;
            const CClipVertex c = vertices.GetNext(pos);
            add(end, c);
            start = end;
            p = c;
        }
        if (closed && vertices.GetCount() > 1)
            add(vertices.GetHeadPosition(), vertices.GetHead());

        // About two edges to a cell, the cells as square as the box allows.
        const double w = std::max(m_Box.right - m_Box.left, 0.0), h = std::max(m_Box.top - m_Box.bottom, 0.0);
        const double cells = std::max(1.0, m_Edges.size() / 2.0);
        const double side = w > 0 && h > 0 ? std::sqrt(w * h / cells) : std::max(w, h) / cells;
        m_nX = side > 0 ? std::clamp((size_t)(w / side) + 1, (size_t)1, (size_t)4096) : 1;
        m_nY = side > 0 ? std::clamp((size_t)(h / side) + 1, (size_t)1, (size_t)4096) : 1;
        m_dCellX = m_nX > 1 ? w / (double)m_nX : 0.0;
        m_dCellY = m_nY > 1 ? h / (double)m_nY : 0.0;
        m_Cells.resize(m_nX * m_nY);
        for (size_t e = 0; e < m_Edges.size(); ++e) {
            const Edge& edge = m_Edges[e];
            const size_t x0 = CellX(edge.minX), x1 = CellX(edge.maxX);
            for (size_t y = CellY(edge.minY); y <= CellY(edge.maxY); ++y) {
                for (size_t x = x0; x <= x1; ++x)
                    m_Cells[y * m_nX + x].push_back(e);
            }
        }
        m_Stamp.assign(m_Edges.size(), 0);
    }

    // Every piece of every edge whose box meets the box of a-b, in ring order.
    template <class Visit>
    void ForEdgesNear(const CClipPolygon& ring, const CClipVertex& a, const CClipVertex& b, const Visit& visit)
    {
        const double minX = std::min(a.x, b.x), maxX = std::max(a.x, b.x);
        const double minY = std::min(a.y, b.y), maxY = std::max(a.y, b.y);
        if (m_Edges.empty() || maxX < m_Box.left || minX > m_Box.right || maxY < m_Box.bottom || minY > m_Box.top)
            return;
        ++m_nRound;
        m_Near.clear();
        const size_t x0 = CellX(minX), x1 = CellX(maxX);
        for (size_t y = CellY(minY); y <= CellY(maxY); ++y) {
            for (size_t x = x0; x <= x1; ++x) {
                for (size_t e : m_Cells[y * m_nX + x]) {
                    const Edge& edge = m_Edges[e];
                    if (m_Stamp[e] != m_nRound && edge.maxX >= minX && edge.minX <= maxX && edge.maxY >= minY
                        && edge.minY <= maxY) {
                        m_Stamp[e] = m_nRound;
                        m_Near.push_back(e);
                    }
                }
            }
        }
        std::sort(m_Near.begin(), m_Near.end());
        const auto& vertices = ring.GetVertices();
        for (size_t e : m_Near) {
            POSITION prevPos = m_Edges[e].start;
            while (true) {
                POSITION curPos = prevPos;
                vertices.GetNext(curPos);
                if (!curPos && m_bClosed)
                    curPos = vertices.GetHeadPosition();
                if (!curPos)
                    break;
                visit(prevPos, curPos);
                if (curPos == m_Edges[e].end)
                    break;
                prevPos = curPos;
            }
        }
    }

    // The crossing-number test of ContainsXY on the edges the ray to the
    // right of the point can meet.
    bool Contains(const CClipPolygon& ring, double x, double y)
    {
        const auto& vertices = ring.GetVertices();
        int crossings = 0;
        const CClipVertex from(x, y), to(std::max(x, m_Box.right), y);
        ForEdgesNear(ring, from, to, [&](POSITION a, POSITION b) {
            const CClipVertex& p = vertices.GetAt(a);
            const CClipVertex& c = vertices.GetAt(b);
            if ((p.y > y) != (c.y > y) && ((p.x - x) * (c.y - y) - (c.x - x) * (p.y - y)) / (c.y - p.y) > 0)
                ++crossings;
        });
        return (crossings & 1) != 0;
    }

private:
    struct Edge {
        POSITION start, end;
        double minX, minY, maxX, maxY;
    };
    static size_t Cell(double v, double origin, double size, size_t count)
    {
        if (!(size > 0.0) || v <= origin)
            return 0;
        return std::min(count - 1, (size_t)((v - origin) / size));
    }
    size_t CellX(double x) const { return Cell(x, m_Box.left, m_dCellX, m_nX); }
    size_t CellY(double y) const { return Cell(y, m_Box.bottom, m_dCellY, m_nY); }

    std::vector<Edge> m_Edges;
    std::vector<std::vector<size_t>> m_Cells;
    std::vector<unsigned> m_Stamp;
    std::vector<size_t> m_Near;
    CDoubleRect m_Box;
    bool m_bClosed;
    size_t m_nX = 1, m_nY = 1;
    double m_dCellX = 0.0, m_dCellY = 0.0;
    unsigned m_nRound = 0;
};

// Below this many pairs of edges testing every pair costs less than a grid.
constexpr size_t kGriddedPairs = 4096;
// Rings of more vertices answer containment through a grid of their edges,
// or for many points at once.
constexpr size_t kGriddedRing = 64;
}

CClipPolygon* CClipPolygon::IntersectSegmentWithRing(const CClipVertex& a, const CClipVertex& b, BOOL sort,
                                                     BOOL insert)
{
    std::vector<CClipVertex> found;
    POSITION pos = m_Vertices.GetHeadPosition();
    if (pos) {
        POSITION prevPos = pos;
        m_Vertices.GetNext(pos);
        while (pos) {
            const POSITION curPos = pos;
            m_Vertices.GetNext(pos);
            TestEdge(*this, a, b, prevPos, curPos, found, insert != 0);
            prevPos = curPos;
        }
    }
    return CrossingList(found, a, sort);
}

void CClipPolygon::IntersectRing(CClipPolygon* other, BOOL sort, BOOL insert)
{
    CDoubleRect mine = m_rcBoundary;
    if (!mine.Intersects(other->GetBoundary()))
        return;
    POSITION pos = m_Vertices.GetHeadPosition();
    if (!pos)
        return;
    std::unique_ptr<EdgeGrid> grid;
    if ((size_t)m_Vertices.GetCount() * (size_t)other->m_Vertices.GetCount() > kGriddedPairs)
        grid = std::make_unique<EdgeGrid>(*other, false);
    POSITION prevPos = pos;
    CClipVertex p = m_Vertices.GetNext(pos);
    while (pos) {
        const POSITION curPos = pos;
        const CClipVertex c = m_Vertices.GetNext(pos);
        const CDoubleRect& theirs = other->m_rcBoundary;
        if (BoxesMeet(p, c, CClipVertex(theirs.left, theirs.bottom), CClipVertex(theirs.right, theirs.top))) {
            std::unique_ptr<CClipPolygon> xs;
            if (grid) {
                std::vector<CClipVertex> found;
                grid->ForEdgesNear(*other, p, c, [&](POSITION from, POSITION to) {
                    TestEdge(*other, p, c, from, to, found, insert != 0);
                });
                xs.reset(CrossingList(found, p, sort));
            } else {
                xs.reset(other->IntersectSegmentWithRing(p, c, sort, insert));
            }
            if (insert) {
                for (POSITION x = xs->GetHeadPosition(); x;) {
                    const CClipVertex v = xs->GetNext(x);
                    if (Same(v, p))
                        m_Vertices.GetAt(prevPos).SetIntersection();
                    else if (Same(v, c))
                        m_Vertices.GetAt(curPos).SetIntersection();
                    else
                        InsertVertexBefore(curPos, CClipVertex(v.x, v.y, CClipVertex::kIntersection), TRUE);
                }
            }
        }
        p = c;
        prevPos = curPos;
    }
}

void CClipPolygon::IntersectClosedRings(CClipPolygon* other)
{
    if (m_Vertices.IsEmpty() || other->m_Vertices.IsEmpty())
        return;
    AddVertex(GetHeadVertex());
    other->AddVertex(other->GetHeadVertex());
    IntersectRing(other, TRUE, TRUE);
    OpenRing(*other, other->m_Vertices);
    OpenRing(*this, m_Vertices);
}

CMapPointList* CClipPolygon::IntersectWithObject(CMapPointList* object, BOOL flag)
{
    object->LoadGeometry();
    const CDoubleRect theirs = object->GetBoundary();
    CDoubleRect mine = m_rcBoundary;
    POSITION pos = m_Vertices.GetHeadPosition();
    if (!pos || !mine.Intersects(theirs))
        return nullptr;
    struct Hit {
        double along;   // distance from the chain edge's start
        CClipVertex point;
        int segment;    // the object's segment segment -> segment + 1
    };
    auto* result = new CMapPointList;
    POSITION prevPos = pos;
    CClipVertex p = m_Vertices.GetNext(pos);
    while (pos) {
        const POSITION curPos = pos;
        const CClipVertex c = m_Vertices.GetNext(pos);
        std::vector<Hit> hits;
        if (BoxesMeet(p, c, CClipVertex(theirs.left, theirs.bottom), CClipVertex(theirs.right, theirs.top))) {
            for (int k = 0; k + 1 < object->GetPointCount(); ++k) {
                const CClipVertex a(object->GetPoint(k)), b(object->GetPoint(k + 1));
                const CClipVertex x = IntersectSegments(p, c, a, b);
                if (IsNoClipVertex(x))
                    continue;
                // A crossing at a vertex of the object is met on both of its segments.
                if (std::any_of(hits.begin(), hits.end(), [&](const Hit& h) { return Same(h.point, x); }))
                    continue;
                hits.push_back({std::hypot(x.x - p.x, x.y - p.y), CClipVertex(x.x, x.y), k});
            }
        }
        if (flag) {
            // Into the object from its end, so that earlier indices stay valid.
            std::vector<Hit> bySegment = hits;
            std::sort(bySegment.begin(), bySegment.end(), [&](const Hit& l, const Hit& r) {
                if (l.segment != r.segment)
                    return l.segment > r.segment;
                const CFloatPoint a = object->GetPoint(l.segment);
                return std::hypot(l.point.x - a.x, l.point.y - a.y) > std::hypot(r.point.x - a.x, r.point.y - a.y);
            });
            for (const Hit& h : bySegment) {
                const CClipVertex a(object->GetPoint(h.segment)), b(object->GetPoint(h.segment + 1));
                if (!Same(h.point, a) && !Same(h.point, b)) {
                    const double xy[2] = {h.point.x, h.point.y};
                    object->InsertPointAt(h.segment + 1, xy);
                }
            }
        }
        // Along the edge, so that the chain keeps its course through them.
        std::stable_sort(hits.begin(), hits.end(), [](const Hit& l, const Hit& r) { return l.along < r.along; });
        for (const Hit& h : hits) {
            // A crossing at a vertex of the chain (a cut snapped to the
            // object's vertex) ends one edge and begins the next: it counts once.
            const int n = result->GetPointCount();
            const bool again = n > 0 && Same(h.point, p) && Same(CClipVertex(result->GetPoint(n - 1)), h.point);
            if (!again)
                result->AddDoublePoint(h.point.x, h.point.y);
            if (Same(h.point, p))
                m_Vertices.GetAt(prevPos).SetIntersection();
            else if (Same(h.point, c))
                m_Vertices.GetAt(curPos).SetIntersection();
            else
                InsertVertexBefore(curPos, CClipVertex(h.point.x, h.point.y, CClipVertex::kIntersection), TRUE);
        }
        p = c;
        prevPos = curPos;
    }
    return result;
}

namespace {
// The vertices of the other figure's rings by their point, with their
// neighbours in each ring's traversal order.
class VertexLookup {
public:
    struct Place {
        size_t ring, index;
    };
    explicit VertexLookup(const std::vector<CClipPolygon*>& rings)
    {
        for (CClipPolygon* ring : rings) {
            std::vector<CClipVertex> order;
            for (POSITION pos : TraversalOrder(*ring))
                order.push_back(ring->GetVertexAtPosition(pos));
            for (size_t k = 0; k < order.size(); ++k)
                m_Places.push_back({{order[k].x, order[k].y}, {m_Orders.size(), k}});
            m_Orders.push_back(std::move(order));
        }
        std::sort(m_Places.begin(), m_Places.end(), [](const auto& l, const auto& r) { return l.first < r.first; });
    }
    std::vector<Place> Find(const CClipVertex& v) const
    {
        std::vector<Place> found;
        const std::pair<double, double> key(v.x, v.y);
        auto it = std::lower_bound(m_Places.begin(), m_Places.end(), key,
                                   [](const auto& l, const std::pair<double, double>& k) { return l.first < k; });
        for (; it != m_Places.end() && it->first == key; ++it)
            found.push_back(it->second);
        return found;
    }
    const CClipVertex& Before(const Place& p) const
    {
        const auto& order = m_Orders[p.ring];
        return order[(p.index + order.size() - 1) % order.size()];
    }
    const CClipVertex& After(const Place& p) const
    {
        const auto& order = m_Orders[p.ring];
        return order[(p.index + 1) % order.size()];
    }

private:
    std::vector<std::vector<CClipVertex>> m_Orders;
    std::vector<std::pair<std::pair<double, double>, Place>> m_Places;
};

// The crossing-number test of CClipPolygon::ContainsXY (without its box
// test) for many points at once, in O((edges + points) log edges) plus the
// edges that share a cell with a point. The crossings to the right of a
// point are counted in two parts: an edge wholly to the right of the point
// (both ends at larger x) is crossed exactly when it straddles the point's y,
// which a sweep from the right counts through a parity tree over the edges'
// y ends; an edge whose x range holds the point's x has its box around the
// point, so it lies in the point's cell of a grid of the edges' boxes, and
// gets the test itself. An edge wholly to the left is never crossed. Edges
// with a NaN take the test for every point.
class RingPointBatch {
public:
    explicit RingPointBatch(const CList<CClipVertex, const CClipVertex&>& vertices)
    {
        if (vertices.IsEmpty())
            return;
        CClipVertex p = vertices.GetTail();
        for (POSITION pos = vertices.GetHeadPosition(); pos;) {
            const CClipVertex& c = vertices.GetNext(pos);
            Edge e{p.x, p.y, c.x, c.y, std::min(p.x, c.x), std::max(p.x, c.x), std::min(p.y, c.y),
                   std::max(p.y, c.y)};
            if (std::isnan(p.x) || std::isnan(p.y) || std::isnan(c.x) || std::isnan(c.y))
                m_Odd.push_back(e);
            else
                m_Edges.push_back(e);
            p = c;
        }
        BuildGrid();
    }

    std::vector<char> Contains(const std::vector<std::pair<double, double>>& points) const
    {
        std::vector<char> inside(points.size(), 0);
        // The sweep from the right: edges by their left end, points by x.
        std::vector<size_t> byMinX(m_Edges.size()), byX;
        for (size_t i = 0; i < byMinX.size(); ++i)
            byMinX[i] = i;
        std::sort(byMinX.begin(), byMinX.end(),
                  [&](size_t a, size_t b) { return m_Edges[a].minX > m_Edges[b].minX; });
        for (size_t k = 0; k < points.size(); ++k) {
            if (!std::isnan(points[k].first) && !std::isnan(points[k].second))
                byX.push_back(k);
        }
        std::sort(byX.begin(), byX.end(), [&](size_t a, size_t b) { return points[a].first > points[b].first; });
        std::vector<double> ys;
        ys.reserve(m_Edges.size() * 2);
        for (const Edge& e : m_Edges) {
            ys.push_back(e.lo);
            ys.push_back(e.hi);
        }
        std::sort(ys.begin(), ys.end());
        ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
        std::vector<char> tree(ys.size() + 1, 0);
        const auto toggle = [&](double v) {
            for (size_t i = (size_t)(std::lower_bound(ys.begin(), ys.end(), v) - ys.begin()) + 1; i < tree.size();
                 i += i & (~i + 1))
                tree[i] ^= 1;
        };
        // The parity of the ends at or below y: an edge straddles y when its
        // lower end is at or below y and its upper end is not.
        const auto atOrBelow = [&](double v) {
            char parity = 0;
            for (size_t i = (size_t)(std::upper_bound(ys.begin(), ys.end(), v) - ys.begin()); i > 0; i -= i & (~i + 1))
                parity ^= tree[i];
            return parity;
        };
        size_t next = 0;
        for (size_t k : byX) {
            const double x = points[k].first, y = points[k].second;
            while (next < byMinX.size() && m_Edges[byMinX[next]].minX > x) {
                toggle(m_Edges[byMinX[next]].lo);
                toggle(m_Edges[byMinX[next]].hi);
                ++next;
            }
            char parity = atOrBelow(y);
            if (!m_Cells.empty() && x >= m_Left && x <= m_Right && y >= m_Bottom && y <= m_Top) {
                for (uint32_t e : m_Cells[CellY(y) * m_nX + CellX(x)]) {
                    const Edge& edge = m_Edges[e];
                    if (edge.minX <= x && x <= edge.maxX && Crosses(edge, x, y))
                        parity ^= 1;
                }
            }
            for (const Edge& edge : m_Odd) {
                if (Crosses(edge, x, y))
                    parity ^= 1;
            }
            inside[k] = parity;
        }
        return inside;
    }

private:
    struct Edge {
        double px, py, cx, cy, minX, maxX, lo, hi;
    };
    // The test of ContainsXY, to the bit.
    static bool Crosses(const Edge& e, double x, double y)
    {
        return (e.py > y) != (e.cy > y) && ((e.px - x) * (e.cy - y) - (e.cx - x) * (e.py - y)) / (e.cy - e.py) > 0;
    }
    size_t Cell(double v, double origin, double size, size_t count) const
    {
        if (!(size > 0.0) || v <= origin)
            return 0;
        return std::min(count - 1, (size_t)((v - origin) / size));
    }
    size_t CellX(double x) const { return Cell(x, m_Left, m_dCellX, m_nX); }
    size_t CellY(double y) const { return Cell(y, m_Bottom, m_dCellY, m_nY); }

    // Cells as many as edges to begin with, fewer while long edges would
    // enter more than 16 cells each on average.
    void BuildGrid()
    {
        if (m_Edges.empty())
            return;
        m_Left = m_Edges[0].minX, m_Right = m_Edges[0].maxX, m_Bottom = m_Edges[0].lo, m_Top = m_Edges[0].hi;
        for (const Edge& e : m_Edges) {
            m_Left = std::min(m_Left, e.minX);
            m_Right = std::max(m_Right, e.maxX);
            m_Bottom = std::min(m_Bottom, e.lo);
            m_Top = std::max(m_Top, e.hi);
        }
        if (!std::isfinite(m_Right - m_Left) || !std::isfinite(m_Top - m_Bottom))
            return;
        const double w = m_Right - m_Left, h = m_Top - m_Bottom;
        for (double cells = (double)m_Edges.size();; cells /= 4) {
            const double side = w > 0 && h > 0 ? std::sqrt(w * h / cells) : std::max(w, h) / cells;
            m_nX = side > 0 ? std::clamp((size_t)(w / side) + 1, (size_t)1, (size_t)4096) : 1;
            m_nY = side > 0 ? std::clamp((size_t)(h / side) + 1, (size_t)1, (size_t)4096) : 1;
            m_dCellX = m_nX > 1 ? w / (double)m_nX : 0.0;
            m_dCellY = m_nY > 1 ? h / (double)m_nY : 0.0;
            double entries = 0;
            for (const Edge& e : m_Edges)
                entries += (double)(CellX(e.maxX) - CellX(e.minX) + 1) * (double)(CellY(e.hi) - CellY(e.lo) + 1);
            if (entries <= 16.0 * (double)m_Edges.size() || cells < 4)
                break;
        }
        m_Cells.assign(m_nX * m_nY, {});
        for (size_t i = 0; i < m_Edges.size(); ++i) {
            const Edge& e = m_Edges[i];
            const size_t x0 = CellX(e.minX), x1 = CellX(e.maxX);
            for (size_t y = CellY(e.lo); y <= CellY(e.hi); ++y) {
                for (size_t x = x0; x <= x1; ++x)
                    m_Cells[y * m_nX + x].push_back((uint32_t)i);
            }
        }
    }

    std::vector<Edge> m_Edges, m_Odd;
    std::vector<std::vector<uint32_t>> m_Cells;
    double m_Left = 0, m_Right = 0, m_Bottom = 0, m_Top = 0;
    size_t m_nX = 1, m_nY = 1;
    double m_dCellX = 0.0, m_dCellY = 0.0;
};

// Whether each point lies inside the other figure.
using InsideAll = std::function<std::vector<char>(const std::vector<std::pair<double, double>>&)>;

// The marking shared by MarkAgainstRing and MarkAgainstSet: `insideAll`
// answers for the other figure, all points of one ring at once; `rings` are
// its rings.
void MarkRing(CClipPolygon& ring, CList<CClipVertex, const CClipVertex&>& vertices, const InsideAll& insideAll,
              const std::vector<CClipPolygon*>& rings)
{
    if (vertices.IsEmpty())
        return;
    if (ring.CountIntersections() == 0) {
        const CClipVertex head = ring.GetHeadVertex();
        ring.SetRelation(insideAll({{head.x, head.y}})[0] ? 1 : 2);
        return;
    }
    ring.SetRelation(0);

    const std::vector<POSITION> order = TraversalOrder(ring);
    const size_t n = order.size();
    const auto at = [&](size_t i) -> CClipVertex& { return vertices.GetAt(order[i % n]); };

    // A stretch between two crossings that the ring also runs along elsewhere
    // (a slit out and back) bounds nothing: no piece starts there.
    std::vector<std::pair<double, double>> crossings;
    for (size_t i = 0; i < n; ++i) {
        if (at(i).IsIntersection())
            crossings.emplace_back(at(i).x, at(i).y);
    }
    std::sort(crossings.begin(), crossings.end());
    const bool revisits = std::adjacent_find(crossings.begin(), crossings.end()) != crossings.end();
    if (revisits) {
        for (size_t i = 0; i < n; ++i) {
            if (!at(i).IsIntersection() || at(i).IsDoubledBack())
                continue;
            size_t j = i + 1;
            while (j < i + n && !at(j).IsIntersection())
                ++j;
            std::vector<CClipVertex> stretch, rest;
            for (size_t k = i; k <= j; ++k)
                stretch.push_back(at(k));
            for (size_t k = j; k <= i + n; ++k)
                rest.push_back(at(k));
            if (stretch.size() >= 2 && OccursIn(stretch, rest))
                at(i).SetDoubledBack();
        }
    }

    // The edges leaving the crossings, each tested at its middle.
    std::vector<size_t> marked;
    std::vector<std::pair<double, double>> middles;
    for (size_t i = 0; i < n; ++i) {
        const CClipVertex& r = at(i);
        if (!r.IsIntersection() || r.IsClassified())
            continue;
        const CClipVertex& next = at(i + 1);
        marked.push_back(i);
        middles.emplace_back((r.x + next.x) / 2, (r.y + next.y) / 2);
    }
    const std::vector<char> inside = middles.empty() ? std::vector<char>() : insideAll(middles);

    std::unique_ptr<VertexLookup> lookup;
    for (size_t m = 0; m < marked.size(); ++m) {
        const size_t i = marked[m];
        CClipVertex& r = at(i);
        const CClipVertex next = at(i + 1);
        if (next.IsIntersection()) {
            // An edge of the other figure between the same two points, in
            // either direction (its ends wrapped: the ring is closed).
            if (!lookup)
                lookup = std::make_unique<VertexLookup>(rings);
            for (const VertexLookup::Place& place : lookup->Find(r)) {
                if (Same(lookup->Before(place), next))
                    r.SetOppositeEdge();
                else if (Same(lookup->After(place), next))
                    r.SetSameEdge();
            }
        }
        if (inside[m])
            r.SetInside();
        else
            r.SetOutside();
    }
}
}

void CClipPolygon::MarkAgainstRing(CClipPolygon* ring)
{
    // Inside a hole is outside the figure it belongs to.
    const bool hole = ring->GetRingFlag() != 0;
    MarkRing(*this, m_Vertices,
             [&](const std::vector<std::pair<double, double>>& points) {
                 std::vector<char> inside(points.size());
                 for (size_t k = 0; k < points.size(); ++k) {
                     double x = points[k].first, y = points[k].second;
                     inside[k] = (ring->ContainsXY(&x, &y) != 0) != hole;
                 }
                 return inside;
             },
             {ring});
}

void CClipPolygon::MarkAgainstSet(CMapMultiPart* set)
{
    std::vector<CClipPolygon*> rings;
    for (POSITION pos = set->GetHeadPartPosition(); pos;) {
        if (auto* ring = dynamic_cast<CClipPolygon*>(set->GetNextPart(pos)))
            rings.push_back(ring);
    }
    // The other figure's test of CMapMultiPart::ContainsPoint (outside every
    // hole, inside some other ring); each ring answers for the points in its
    // box, a large ring for all of them at once.
    const auto ringContainsAll = [&](CClipPolygon* ring, const std::vector<std::pair<double, double>>& points) {
        std::vector<char> inside(points.size(), 0);
        std::vector<size_t> inBox;
        std::vector<std::pair<double, double>> boxed;
        for (size_t k = 0; k < points.size(); ++k) {
            double x = points[k].first, y = points[k].second;
            if (ring->CMapObject::ContainsXY(&x, &y)) {
                inBox.push_back(k);
                boxed.push_back(points[k]);
            }
        }
        if (boxed.empty())
            return inside;
        // A ray through a grid of the edges costs about the square root of
        // the edges a point; the sweep over all points about a logarithm of
        // them each, after sorting the edges once.
        const double edges = (double)ring->GetVertices().GetCount();
        if (edges > kGriddedRing && (double)boxed.size() > std::sqrt(edges) * std::log2(edges)) {
            const std::vector<char> answers = RingPointBatch(ring->GetVertices()).Contains(boxed);
            for (size_t j = 0; j < inBox.size(); ++j)
                inside[inBox[j]] = answers[j];
        } else if (edges > kGriddedRing) {
            EdgeGrid grid(*ring, true);
            for (size_t k : inBox)
                inside[k] = grid.Contains(*ring, points[k].first, points[k].second);
        } else {
            for (size_t k : inBox) {
                double x = points[k].first, y = points[k].second;
                inside[k] = ring->ContainsXY(&x, &y) != 0;
            }
        }
        return inside;
    };
    MarkRing(*this, m_Vertices,
             [&](const std::vector<std::pair<double, double>>& points) {
                 std::vector<char> inHole(points.size(), 0), inRing(points.size(), 0);
                 for (CClipPolygon* ring : rings) {
                     std::vector<char>& target = ring->GetRingFlag() ? inHole : inRing;
                     const std::vector<char> answers = ringContainsAll(ring, points);
                     for (size_t k = 0; k < points.size(); ++k)
                         target[k] |= answers[k];
                 }
                 std::vector<char> inside(points.size());
                 for (size_t k = 0; k < points.size(); ++k)
                     inside[k] = !inHole[k] && inRing[k];
                 return inside;
             },
             rings);
}

CMapMultiPart* CClipPolygon::Traverse(int op, BOOL first)
{
    auto* pieces = new CMapMultiPart;
    const size_t n = (size_t)m_Vertices.GetCount();
    if (n == 0)
        return pieces;
    if (m_nRelation != 0) {
        const bool inside = m_nRelation == 1;
        bool keep = false, reverse = false;
        switch (op) {
        case 0: keep = inside; break;
        case 1: keep = first ? !inside : false, reverse = !first && inside; break;
        case 2: keep = !inside, reverse = inside; break;
        case 3: keep = !inside; break;
        default: break;
        }
        if (keep || reverse) {
            auto* whole = new CClipPolygon;
            // The copy runs in traversal direction, or against it.
            whole->CopyFrom(*this, keep ? !m_nForward : m_nForward);
            whole->SetRingFlag(keep ? GetRingFlag() : FALSE);
            pieces->AddRing(whole);
        }
        return pieces;
    }
    const std::vector<POSITION> order = TraversalOrder(*this);
    for (size_t i = 0; i < n; ++i) {
        const CClipVertex start = m_Vertices.GetAt(order[i]);
        const Start how = PieceStart(start, op, first != 0);
        if (how == Start::None)
            continue;
        auto* piece = new CClipPolygon;
        piece->SetStyle(*GetStyle());
        piece->AddVertex(start);
        for (size_t j = i + 1; j <= i + n; ++j) {
            const CClipVertex v = m_Vertices.GetAt(order[j % n]);
            if (how == Start::Reversed)
                piece->AddVertexAtHead(v);
            else
                piece->AddVertex(v);
            if (v.IsIntersection())
                break;
        }
        pieces->AddRing(piece);
    }
    return pieces;
}
