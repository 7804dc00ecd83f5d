// The split polygon tool's work on a polygon: cutting the ring at two of its
// vertices into two open lines, and splitting the polygon along a cutting
// line into the parts between the line's stretches inside it. The polygon
// itself is never changed: the parts are new objects.
#include "model/polygons/MapPolygon.h"

#include "model/polygons/ClipPolygon.h"
#include "model/polygons/MapPolyParts.h"
#include "model/polygons/MapPolyline.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {
bool SameFloatPoint(const CFloatPoint& a, const CFloatPoint& b)
{
    return a.x == b.x && a.y == b.y;
}

// Parts left uncut still repeat their first vertex at the end; stored rings
// never do.
CMapPolyPolygon* OpenRings(CMapPolyPolygon* result)
{
    for (POSITION pos = result->GetHeadPartPosition(); pos;) {
        auto* part = static_cast<CMapPolygon*>(result->GetNextPart(pos));
        const int n = part->GetPointCount();
        if (n > 1 && SameFloatPoint(part->GetPoint(0), part->GetPoint(n - 1)))
            part->RemoveLastPoint();
    }
    return result;
}
}

CMapPolyPolyline* CMapPolygon::SplitRingAt(CFloatPoint a, CFloatPoint b, BOOL checkMidpoint)
{
    if (checkMidpoint) {
        const CFloatPoint mid(((double)a.x + b.x) / 2, ((double)a.y + b.y) / 2);
        if (!ContainsFloatPoint(&mid)) {
            auto* line = new CMapPolyline;
            line->AddPoint(a);
            line->AddPoint(b);
            auto* result = new CMapPolyPolyline;
            result->AddPart(line->Clone(nullptr));
            result->AddPart(line);
            return result;
        }
    }
    const int i = FindPoint(a.x, a.y), j = FindPoint(b.x, b.y);
    if (i < 0 || j < 0)
        return nullptr;
    const int lo = std::min(i, j), hi = std::max(i, j);

    auto* first = new CMapPolyline;
    first->CopyPointsAndStyle(this);
    const int count = first->GetPointCount();
    for (int k = 0; k < lo; ++k)
        first->RemoveFirstPoint();
    for (int k = 0; k < count - hi - 1; ++k)
        first->RemoveLastPoint();

    auto* second = new CMapPolyline;
    second->CopyPointsAndStyle(this);
    // A ring closed explicitly already ends with vertex 0.
    const bool closed = count > 1 && SameFloatPoint(GetPoint(0), GetPoint(count - 1));
    for (int k = closed ? 1 : 0; k <= lo; ++k)
        second->AddPoint(GetPoint(k));
    for (int k = 0; k < hi; ++k)
        second->RemoveFirstPoint();

    auto* result = new CMapPolyPolyline;
    result->AddPart(first);
    result->AddPart(second);
    return result;
}

CMapPolyPolygon* CMapPolygon::SplitByLine(CMapObject* line)
{
    auto* result = new CMapPolyPolygon;
    LoadGeometry();
    // The ring closed explicitly, as a part that is never stored by itself.
    std::unique_ptr<CMapPolygon> whole(static_cast<CMapPolygon*>(Clone(nullptr)));
    whole->SetMapeID(-1);
    if (m_nCount > 0)
        whole->AddPoint(m_pPoints[0]);
    // The crossings go into a copy, so that a line that does not cut leaves
    // the one part equal to the polygon.
    std::unique_ptr<CMapPolygon> crossed(static_cast<CMapPolygon*>(whole->Clone(nullptr)));

    CClipPolygon chain;
    chain.SetFromObject(line, FALSE);
    const std::unique_ptr<CMapPointList> found(chain.IntersectWithObject(crossed.get(), TRUE));
    const int crossings = found ? found->GetPointCount() : 0;
    // A line that only touches the ring at one point does not cut it either.
    const bool touching = crossings == 2 && SameFloatPoint(found->GetPoint(0), found->GetPoint(1));
    if (crossings == 0 || crossings % 2 != 0 || touching) {
        result->AddPart(whole.release());
        return OpenRings(result);
    }
    result->AddPart(crossed.release());
    std::vector<CClipVertex> vertices;
    for (POSITION pos = chain.GetHeadPosition(); pos;)
        vertices.push_back(chain.GetNext(pos));

    // Each stretch of the line from one crossing to the next that runs inside
    // the polygon cuts the part that holds both of its crossings in two.
    size_t k = 0;
    while (k < vertices.size()) {
        std::unique_ptr<CMapPolyline> cut;
        for (; k < vertices.size(); ++k) {
            const CClipVertex& v = vertices[k];
            if (!cut) {
                if (v.IsIntersection()) {
                    cut = std::make_unique<CMapPolyline>();
                    cut->AddDoublePoint(v.x, v.y);
                }
                continue;
            }
            if (!v.IsIntersection()) {
                double x = v.x, y = v.y;
                if (ContainsXY(&x, &y))
                    cut->AddDoublePoint(v.x, v.y);
                else
                    cut.reset();
                continue;
            }
            cut->AddDoublePoint(v.x, v.y);
            const CFloatPoint a = cut->GetPoint(0), b = cut->GetPoint(cut->GetPointCount() - 1);
            const CFloatPoint mid(((double)a.x + b.x) / 2, ((double)a.y + b.y) / 2);
            if (cut->GetPointCount() > 2 || ContainsFloatPoint(&mid))
                break;
            // Not a cut: this crossing may begin the next one.
            cut = std::make_unique<CMapPolyline>();
            cut->AddDoublePoint(v.x, v.y);
        }
        if (k >= vertices.size())
            break;
        ++k;
        const CFloatPoint from = cut->GetPoint(0), to = cut->GetPoint(cut->GetPointCount() - 1);
        for (POSITION pos = result->GetHeadPartPosition(); pos;) {
            const POSITION here = pos;
            auto* part = static_cast<CMapPolygon*>(result->GetNextPart(pos));
            std::unique_ptr<CMapPolyPolyline> halves(part->SplitRingAt(from, to, FALSE));
            if (!halves)
                continue;
            for (POSITION h = halves->GetHeadPartPosition(); h;) {
                auto* half = static_cast<CMapPolyline*>(halves->GetNextPart(h));
                half->SetLayer(m_pLayer);
                half->LoadGeometry();
                half->JoinAtEnds(cut.get());
                half->RemoveLastPoint();
                auto* polygon = new CMapPolygon;
                polygon->AppendPoints(half);
                polygon->SetStyle(*GetStyle());
                result->AddPart(polygon);
            }
            result->RemovePartAt(here);
            delete part;
            break;
        }
    }
    return OpenRings(result);
}
