// Cutting polygons and polylines to a rectangle a little larger than the
// view, so that far zooms never hand the graphics system coordinates beyond
// its range: the crossings with the rectangle's border, the pieces inside,
// and for rings the stretches of the border that close the pieces again.
#include "model/polygons/ClipPolygon.h"

#include "core/ClipEdgeList.h"
#include "core/ClipSegments.h"
#include "core/DoubleRect.h"
#include "model/polygons/MapMultiPart.h"
#include "model/polygons/MapPointList.h"

#include <algorithm>
#include <list>
#include <memory>
#include <vector>

namespace {
bool SamePoint(const CClipVertex& a, const CClipVertex& b)
{
    return a.x == b.x && a.y == b.y;
}

// Clockwise position along the border from the bottom-left corner (y up).
double PerimeterPosition(const CClipVertex& v, int side, const CDoubleRect& r)
{
    const double w = r.right - r.left, h = r.top - r.bottom;
    switch (side) {
    case 0: return v.y - r.bottom;
    case 1: return h + (v.x - r.left);
    case 2: return h + w + (r.top - v.y);
    default: return 2 * h + w + (r.right - v.x);
    }
}

// Corners in clockwise order from the end of the left side.
CClipVertex Corner(int index, const CDoubleRect& r)
{
    switch (((index % 4) + 4) % 4) {
    case 0: return CClipVertex(r.left, r.top);
    case 1: return CClipVertex(r.right, r.top);
    case 2: return CClipVertex(r.right, r.bottom);
    default: return CClipVertex(r.left, r.bottom);
    }
}

CMapMultiPart* SinglePart(CMapObject* part)
{
    auto* result = new CMapMultiPart;
    result->AddRing(part);
    return result;
}
}

void CClipPolygon::SetFromObjectNear(CMapPointList* object, const CDoubleRect& rect)
{
    CDoubleRect r = rect;
    r.Normalize();
    // The sides a point lies strictly beyond: 1 left, 2 right, 4 below, 8 above.
    const auto beyond = [&](const CFloatPoint& p) {
        return (p.x < r.left ? 1 : 0) | (p.x > r.right ? 2 : 0) | (p.y < r.bottom ? 4 : 0) | (p.y > r.top ? 8 : 0);
    };
    m_Vertices.RemoveAll();
    const int borrowed = object->AttachGeometry();
    const CFloatPoint* points = object->GetPoints();
    const int count = points ? object->GetPointCount() : 0;
    int runStart = 0, common = 0;
    for (int i = 0; i <= count; ++i) {
        const int sides = i < count ? beyond(points[i]) : 0;
        if (i > runStart && (common & sides) != 0) {
            common &= sides;
            continue;
        }
        // The run [runStart, i) ends: its first vertex is in, its last joins it.
        if (i - 1 > runStart)
            m_Vertices.AddTail(CClipVertex(points[i - 1]));
        if (i < count)
            m_Vertices.AddTail(CClipVertex(points[i]));
        runStart = i;
        common = sides;
    }
    if (borrowed)
        object->DetachGeometry();
    SetStyle(*object->GetStyle());
    RecomputeBoundary();
}

int GetRectSide(const CClipVertex& v, const CDoubleRect& rect)
{
    if (v.x == rect.left)
        return 0;
    if (v.x == rect.right)
        return 2;
    if (v.y == rect.top)
        return 1;
    if (v.y == rect.bottom)
        return 3;
    return -1;
}

CClipPolygon* ConnectAlongRect(const CClipVertex& from, const CClipVertex& to, const CDoubleRect& rect)
{
    auto* connector = new CClipPolygon;
    connector->AddVertex(CClipVertex(from.x, from.y));
    const int s = GetRectSide(from, rect), e = GetRectSide(to, rect);
    int first = 0, last = -1;
    if (s < e) {
        first = s, last = e - 1;
    } else if (s > e) {
        first = s, last = e + 3;
    } else {
        const bool behind = s <= 1 ? (to.x <= from.x && to.y <= from.y) : (to.x >= from.x && to.y >= from.y);
        if (behind)
            first = s, last = s + 3;
    }
    for (int c = first; c <= last; ++c)
        connector->AddVertex(Corner(c, rect));
    connector->AddVertex(CClipVertex(to.x, to.y));
    return connector;
}

std::vector<bool> CClipPolygon::ContainsEach(const std::vector<CDoublePoint>& points)
{
    // ContainsXY for many points in one walk of the edges: each edge counts
    // for the points level with it, found among the points sorted by y.
    std::vector<bool> inside(points.size(), false);
    std::vector<size_t> order;
    for (size_t i = 0; i < points.size(); ++i) {
        double x = points[i].x, y = points[i].y;
        if (CMapObject::ContainsXY(&x, &y))
            order.push_back(i);
    }
    if (order.empty() || m_Vertices.IsEmpty())
        return inside;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return points[a].y < points[b].y; });
    std::vector<double> ys;
    for (size_t i : order)
        ys.push_back(points[i].y);
    std::vector<int> crossings(points.size(), 0);
    CClipVertex p = m_Vertices.GetTail();
    for (POSITION pos = m_Vertices.GetHeadPosition(); pos;) {
        const CClipVertex& c = m_Vertices.GetNext(pos);
        // (p.y > y) != (c.y > y) holds exactly for min <= y < max.
        const double lo = std::min(p.y, c.y), hi = std::max(p.y, c.y);
        const auto first = std::lower_bound(ys.begin(), ys.end(), lo);
        const auto last = std::lower_bound(first, ys.end(), hi);
        for (auto it = first; it != last; ++it) {
            const CDoublePoint& q = points[order[(size_t)(it - ys.begin())]];
            if (((p.x - q.x) * (c.y - q.y) - (c.x - q.x) * (p.y - q.y)) / (c.y - p.y) > 0)
                ++crossings[order[(size_t)(it - ys.begin())]];
        }
        p = c;
    }
    for (size_t i : order)
        inside[i] = (crossings[i] & 1) != 0;
    return inside;
}

CClipPolygon* CClipPolygon::IntersectWithRect(const CDoubleRect& rect, BOOL insert)
{
    CDoubleRect r = rect;
    if (m_Vertices.IsEmpty() || !r.Intersects(m_rcBoundary))
        return nullptr;
    auto* found = new CClipPolygon;
    POSITION pos = m_Vertices.GetHeadPosition();
    POSITION prevPos = pos;
    CClipVertex p = m_Vertices.GetNext(pos);
    while (pos) {
        const POSITION curPos = pos;
        const CClipVertex c = m_Vertices.GetNext(pos);
        if (r.IntersectsSegment(p, c)) {
            CClipVertex nearer;
            const CClipVertex farther = IntersectSegmentWithRect(p, c, r, nearer);
            const bool hasFarther = !IsNoClipVertex(farther), hasNearer = !IsNoClipVertex(nearer);
            if (hasFarther)
                found->AddVertex(CClipVertex(farther.x, farther.y));
            if (hasNearer)
                found->AddVertex(CClipVertex(nearer.x, nearer.y));
            if (insert) {
                // The crossings stand between p and c, the nearer one first.
                POSITION handled = curPos;
                if (hasFarther) {
                    if (SamePoint(farther, p))
                        MarkIntersection(prevPos);
                    else if (SamePoint(farther, c))
                        MarkIntersection(curPos);
                    else
                        handled = InsertVertexBefore(
                            curPos, CClipVertex(farther.x, farther.y, CClipVertex::kIntersection), TRUE);
                }
                if (hasNearer) {
                    if (SamePoint(nearer, p))
                        MarkIntersection(prevPos);
                    else if (SamePoint(nearer, c))
                        MarkIntersection(handled);
                    else
                        InsertVertexBefore(handled, CClipVertex(nearer.x, nearer.y, CClipVertex::kIntersection),
                                           TRUE);
                }
            }
        }
        p = c;
        prevPos = curPos;
    }
    return found;
}

CMapMultiPart* CClipPolygon::ClipToRect(const CDoubleRect& rect, int type)
{
    if (type != MAP_OBJECT_POLYLINE && type != MAP_OBJECT_POLYGON)
        return nullptr;
    CDoubleRect r = rect;
    if (m_Vertices.IsEmpty() || !r.Intersects(m_rcBoundary))
        return nullptr;
    if (r.ContainsRect(m_rcBoundary))
        return SinglePart(Clone(nullptr));

    if (type == MAP_OBJECT_POLYLINE) {
        std::unique_ptr<CClipPolygon> crossings(IntersectWithRect(r, TRUE));
        if (!crossings)
            return nullptr;
        if (crossings->GetPointCount() == 0) {
            // A chain along the border crosses nothing and may still lie inside.
            bool allInside = true;
            for (POSITION pos = m_Vertices.GetHeadPosition(); pos && allInside;)
                allInside = r.ContainsPoint(m_Vertices.GetNext(pos));
            return allInside ? SinglePart(Clone(nullptr)) : nullptr;
        }
        auto* result = new CMapMultiPart;
        CClipPolygon* run = nullptr;
        for (POSITION pos = m_Vertices.GetHeadPosition(); pos;) {
            const CClipVertex& v = m_Vertices.GetNext(pos);
            if (r.ContainsPoint(v)) {
                if (!run)
                    run = new CClipPolygon;
                run->AddVertex(v);
            } else if (run) {
                result->AddRing(run);
                run = nullptr;
            }
        }
        if (run)
            result->AddRing(run);
        return result;
    }

    // A ring: start outside the rectangle and close the ring explicitly, so
    // that it cuts like an open chain whose pieces end on the border.
    int inside = 0;
    for (POSITION pos = m_Vertices.GetHeadPosition(); pos && r.ContainsPoint(m_Vertices.GetNext(pos));)
        ++inside;
    if (inside == GetPointCount())
        return SinglePart(Clone(nullptr));
    Rotate(inside);
    AddVertex(GetHeadVertex());

    std::unique_ptr<CMapMultiPart> pieces(ClipToRect(r, MAP_OBJECT_POLYLINE));
    if (!pieces || pieces->GetPartCount() == 0) {
        double corners[4][2] = {{r.left, r.bottom}, {r.right, r.bottom}, {r.left, r.top}, {r.right, r.top}};
        for (auto& c : corners) {
            if (!ContainsXY(&c[0], &c[1]))
                return nullptr;
        }
        auto* whole = new CClipPolygon;
        whole->AddVertex(CClipVertex(r.left, r.bottom));
        whole->AddVertex(CClipVertex(r.right, r.bottom));
        whole->AddVertex(CClipVertex(r.right, r.top));
        whole->AddVertex(CClipVertex(r.left, r.top));
        return SinglePart(whole);
    }

    // The pieces leave the container: they are joined into rings below, and
    // the container would recompute its boundary at every removal.
    std::list<std::unique_ptr<CClipPolygon>> open;
    for (POSITION pos = pieces->GetHeadPartPosition(); pos;)
        open.emplace_back(static_cast<CClipPolygon*>(pieces->GetNextPart(pos)));
    pieces->RemoveAllParts();

    CClipEdgeList ends;
    for (const auto& piece : open) {
        for (const CClipVertex& v : {piece->GetHeadVertex(), piece->GetTailVertex()}) {
            const int side = GetRectSide(v, r);
            if (side != -1)
                ends.InsertSorted(CClipEdge(PerimeterPosition(v, side, r), v));
        }
    }
    // The stretches of the border that run inside the ring close the pieces:
    // those whose first segment has its midpoint inside the ring.
    std::vector<std::unique_ptr<CClipPolygon>> connectors;
    std::vector<CDoublePoint> midpoints;
    for (POSITION pos = ends.GetHeadPosition(); pos;) {
        const CClipEdge from = ends.GetAt(pos);
        ends.GetNext(pos);
        const CClipEdge to = pos ? ends.GetAt(pos) : ends.GetHead();
        connectors.emplace_back(ConnectAlongRect(from.vertex, to.vertex, r));
        const CClipVertex a = connectors.back()->GetVertexAt(0), b = connectors.back()->GetVertexAt(1);
        midpoints.emplace_back((a.x + b.x) / 2, (a.y + b.y) / 2);
    }
    const std::vector<bool> keep = ContainsEach(midpoints);
    for (size_t i = 0; i < connectors.size(); ++i) {
        if (keep[i])
            open.push_back(std::move(connectors[i]));
    }

    // Each ring grows at its tail by the first piece that has an end there.
    auto* result = new CMapMultiPart;
    while (!open.empty()) {
        std::unique_ptr<CClipPolygon> ring = std::move(open.front());
        open.pop_front();
        for (;;) {
            const CClipVertex tail = ring->GetTailVertex();
            const auto match = std::find_if(open.begin(), open.end(), [&](const auto& piece) {
                return SamePoint(piece->GetHeadVertex(), tail) || SamePoint(piece->GetTailVertex(), tail);
            });
            if (match == open.end())
                break;
            ring->Join(**match, FALSE);
            open.erase(match);
        }
        result->AddRing(ring.release());
    }
    return result;
}
