// Cutting polygons and polylines to a rectangle a little larger than the
// view, so that far zooms never hand the graphics system coordinates beyond
// its range: the crossings with the rectangle's border, the pieces inside,
// and for rings the stretches of the border that close the pieces again.
#include "model/ClipPolygon.h"

#include "core/ClipEdgeList.h"
#include "core/ClipSegments.h"
#include "core/DoubleRect.h"
#include "model/MapMultiPart.h"

#include <memory>

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
        bool allInside = true;
        for (POSITION pos = m_Vertices.GetHeadPosition(); pos && allInside;)
            allInside = r.ContainsPoint(m_Vertices.GetNext(pos));
        if (crossings->GetPointCount() == 0)
            // A chain along the border crosses nothing and may still lie inside.
            return allInside ? SinglePart(Clone(nullptr)) : nullptr;
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

    CClipEdgeList ends;
    for (POSITION pos = pieces->GetHeadPartPosition(); pos;) {
        auto* piece = static_cast<CClipPolygon*>(pieces->GetNextPart(pos));
        for (const CClipVertex& v : {piece->GetHeadVertex(), piece->GetTailVertex()}) {
            const int side = GetRectSide(v, r);
            if (side != -1)
                ends.InsertSorted(CClipEdge(PerimeterPosition(v, side, r), v));
        }
    }
    // The stretches of the border that run inside the ring close the pieces.
    for (POSITION pos = ends.GetHeadPosition(); pos;) {
        const CClipEdge from = ends.GetAt(pos);
        ends.GetNext(pos);
        const CClipEdge to = pos ? ends.GetAt(pos) : ends.GetHead();
        std::unique_ptr<CClipPolygon> connector(ConnectAlongRect(from.vertex, to.vertex, r));
        const CClipVertex a = connector->GetVertexAt(0), b = connector->GetVertexAt(1);
        double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
        if (ContainsXY(&mx, &my))
            pieces->AddRing(connector.release());
    }

    auto* result = new CMapMultiPart;
    while (CMapObject* first = pieces->GetFirstPart()) {
        pieces->RemoveHeadPart();
        auto* ring = static_cast<CClipPolygon*>(first);
        for (;;) {
            const CClipVertex tail = ring->GetTailVertex();
            const double point[2] = {tail.x, tail.y};
            const POSITION match = pieces->FindPartByEndpoint(point);
            if (!match)
                break;
            std::unique_ptr<CMapObject> next(pieces->GetPartAt(match));
            pieces->RemovePartAt(match);
            ring->Join(*static_cast<CClipPolygon*>(next.get()), FALSE);
        }
        result->AddRing(ring);
    }
    return result;
}
