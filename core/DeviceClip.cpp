// Liang-Barsky for polylines and Sutherland-Hodgman for rings, in doubles.
// Every output point lies inside the clip rectangle, so rounding it to int is
// defined whatever the input was.
#include "core/DeviceClip.h"

#include <algorithm>
#include <cmath>

namespace {
bool IsFinite(const CDoublePoint& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

POINT ToPoint(const CDoublePoint& p)
{
    return POINT{(LONG)std::lround(p.x), (LONG)std::lround(p.y)};
}

bool SamePoint(const POINT& a, const POINT& b)
{
    return a.x == b.x && a.y == b.y;
}

// Which edge of the clip rectangle cut a segment's end, if any.
enum class Edge { None, Left, Right, Top, Bottom };

// Narrows [t0, t1] to where p + t * d satisfies one edge inequality q - t * p >= 0,
// noting the edge that moved an end.
bool ClipEdge(double p, double q, Edge edge, double& t0, Edge& e0, double& t1, Edge& e1)
{
    if (p == 0.0)
        return q >= 0.0;
    const double t = q / p;
    if (p < 0.0) {
        if (t > t1)
            return false;
        if (t > t0)
            t0 = t, e0 = edge;
    } else {
        if (t < t0)
            return false;
        if (t < t1)
            t1 = t, e1 = edge;
    }
    return true;
}

// One side of the rectangle for Sutherland-Hodgman: `inside` tells a point's
// side, `cut` the crossing of a segment with the side's line.
template <class Inside, class Cut>
std::vector<CDoublePoint> ClipSide(const std::vector<CDoublePoint>& in, Inside inside, Cut cut)
{
    std::vector<CDoublePoint> out;
    if (in.empty())
        return out;
    out.reserve(in.size() + 4);
    CDoublePoint prev = in.back();
    bool prevIn = inside(prev);
    for (const CDoublePoint& cur : in) {
        const bool curIn = inside(cur);
        if (curIn != prevIn)
            out.push_back(cut(prev, cur));
        if (curIn)
            out.push_back(cur);
        prev = cur;
        prevIn = curIn;
    }
    return out;
}

// Where the segment a-b crosses the vertical line at x, and the horizontal one at y.
CDoublePoint CrossX(const CDoublePoint& a, const CDoublePoint& b, double x)
{
    const double t = (x - a.x) / (b.x - a.x);
    return CDoublePoint(x, a.y + (b.y - a.y) * t);
}

CDoublePoint CrossY(const CDoublePoint& a, const CDoublePoint& b, double y)
{
    const double t = (y - a.y) / (b.y - a.y);
    return CDoublePoint(a.x + (b.x - a.x) * t, y);
}
}

DeviceClipRect DeviceClipRect::Around(const RECT& visible, int margin)
{
    DeviceClipRect r;
    r.left = std::fmin(visible.left, visible.right) - margin;
    r.right = std::fmax(visible.left, visible.right) + margin;
    r.top = std::fmin(visible.top, visible.bottom) - margin;
    r.bottom = std::fmax(visible.top, visible.bottom) + margin;
    return r;
}

bool DeviceClipRect::MeetsBox(double x1, double y1, double x2, double y2) const
{
    return std::fmin(x1, x2) <= right && std::fmax(x1, x2) >= left && std::fmin(y1, y2) <= bottom &&
           std::fmax(y1, y2) >= top;
}

void ClipDevicePolyline(const std::vector<CDoublePoint>& points, const DeviceClipRect& clip,
                        std::vector<std::vector<POINT>>& runs)
{
    // Whether the last run ends where the next segment starts.
    bool open = false;
    for (size_t i = 1; i < points.size(); ++i) {
        const CDoublePoint& a = points[i - 1];
        const CDoublePoint& b = points[i];
        if (!IsFinite(a) || !IsFinite(b)) {
            open = false;
            continue;
        }
        const double dx = b.x - a.x, dy = b.y - a.y;
        double t0 = 0.0, t1 = 1.0;
        Edge e0 = Edge::None, e1 = Edge::None;
        if (!ClipEdge(-dx, a.x - clip.left, Edge::Left, t0, e0, t1, e1) ||
            !ClipEdge(dx, clip.right - a.x, Edge::Right, t0, e0, t1, e1) ||
            !ClipEdge(-dy, a.y - clip.top, Edge::Top, t0, e0, t1, e1) ||
            !ClipEdge(dy, clip.bottom - a.y, Edge::Bottom, t0, e0, t1, e1)) {
            open = false;
            continue;
        }
        // A cut end lies exactly on its edge: interpolating the coordinate
        // across a segment from far away would lose it to cancellation. The
        // other coordinate is interpolated from the nearer end and clamped.
        const auto at = [&](double t, Edge edge) {
            double x = t == 0.0 ? a.x : (t == 1.0 ? b.x : (t < 0.5 ? a.x + dx * t : b.x - dx * (1.0 - t)));
            double y = t == 0.0 ? a.y : (t == 1.0 ? b.y : (t < 0.5 ? a.y + dy * t : b.y - dy * (1.0 - t)));
            switch (edge) {
            case Edge::Left: x = clip.left; break;
            case Edge::Right: x = clip.right; break;
            case Edge::Top: y = clip.top; break;
            case Edge::Bottom: y = clip.bottom; break;
            case Edge::None: break;
            }
            return CDoublePoint(std::fmin(std::fmax(x, clip.left), clip.right),
                                std::fmin(std::fmax(y, clip.top), clip.bottom));
        };
        const POINT from = ToPoint(at(t0, e0));
        const POINT to = ToPoint(at(t1, e1));
        if (!open || t0 > 0.0 || runs.empty() || !SamePoint(runs.back().back(), from))
            runs.push_back({from});
        runs.back().push_back(to);
        open = t1 == 1.0;
    }
}

std::vector<POINT> ClipDeviceRing(const std::vector<CDoublePoint>& ring, const DeviceClipRect& clip)
{
    std::vector<POINT> out;
    for (const CDoublePoint& p : ring) {
        if (!IsFinite(p))
            return out;
    }
    std::vector<CDoublePoint> r = ClipSide(
        ring, [&](const CDoublePoint& p) { return p.x >= clip.left; },
        [&](const CDoublePoint& a, const CDoublePoint& b) { return CrossX(a, b, clip.left); });
    r = ClipSide(
        r, [&](const CDoublePoint& p) { return p.x <= clip.right; },
        [&](const CDoublePoint& a, const CDoublePoint& b) { return CrossX(a, b, clip.right); });
    r = ClipSide(
        r, [&](const CDoublePoint& p) { return p.y >= clip.top; },
        [&](const CDoublePoint& a, const CDoublePoint& b) { return CrossY(a, b, clip.top); });
    r = ClipSide(
        r, [&](const CDoublePoint& p) { return p.y <= clip.bottom; },
        [&](const CDoublePoint& a, const CDoublePoint& b) { return CrossY(a, b, clip.bottom); });
    out.reserve(r.size());
    for (const CDoublePoint& p : r) {
        // Crossings are computed, so they are clamped like the polyline's ends.
        const POINT q = ToPoint(CDoublePoint(std::fmin(std::fmax(p.x, clip.left), clip.right),
                                             std::fmin(std::fmax(p.y, clip.top), clip.bottom)));
        if (out.empty() || !SamePoint(out.back(), q))
            out.push_back(q);
    }
    if (out.size() < 3)
        out.clear();
    return out;
}

namespace {
// Points an arc's refinement appends at most: far more than any arc through a
// clip rectangle needs at a quarter pixel.
constexpr size_t kMaxArcPoints = 1 << 16;

struct EllipseArcSampler {
    double cx, cy, rx, ry, reach;
    const DeviceClipRect& clip;
    std::vector<CDoublePoint>& out;
    size_t limit;

    CDoublePoint At(double t) const { return CDoublePoint(cx + rx * std::cos(t), cy - ry * std::sin(t)); }

    // Appends the end of the sub-arc [t0, t1], refined where it is visible.
    void Refine(double t0, double t1, const CDoublePoint& p0, const CDoublePoint& p1, int depth)
    {
        // The sub-arc stays within its chord's box widened by its sagitta, which
        // on an ellipse is at most the larger radius times 1 - cos(half span)
        // (written with the sine, which keeps its digits for tiny spans).
        const double s = std::sin((t1 - t0) * 0.25);
        const double sagitta = reach * 2.0 * s * s;
        const bool visible = clip.MeetsBox(std::fmin(p0.x, p1.x) - sagitta, std::fmin(p0.y, p1.y) - sagitta,
                                           std::fmax(p0.x, p1.x) + sagitta, std::fmax(p0.y, p1.y) + sagitta);
        const double mid = (t0 + t1) * 0.5;
        if (!visible || sagitta < 0.25 || depth >= 60 || out.size() >= limit || mid <= std::fmin(t0, t1)
            || mid >= std::fmax(t0, t1)) {
            out.push_back(p1);
            return;
        }
        const CDoublePoint pm = At(mid);
        Refine(t0, mid, p0, pm, depth + 1);
        Refine(mid, t1, pm, p1, depth + 1);
    }
};
}

void SampleVisibleEllipseArc(double cx, double cy, double rx, double ry, double from, double sweep,
                             const DeviceClipRect& clip, std::vector<CDoublePoint>& out)
{
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(rx) || !std::isfinite(ry) ||
        !std::isfinite(from) || !std::isfinite(sweep))
        return;
    EllipseArcSampler sampler{cx, cy, rx, ry, std::fmax(std::fabs(rx), std::fabs(ry)), clip, out,
                              out.size() + kMaxArcPoints};
    // Eighths of a turn at most, so that each piece bulges to one side of its chord.
    const int pieces = std::max(1, (int)std::ceil(std::fabs(sweep) / (M_PI / 4)));
    CDoublePoint prev = sampler.At(from);
    out.push_back(prev);
    for (int i = 1; i <= pieces; ++i) {
        const double t0 = from + sweep * (i - 1) / pieces;
        const double t1 = from + sweep * i / pieces;
        const CDoublePoint next = sampler.At(t1);
        sampler.Refine(t0, t1, prev, next, 0);
        prev = next;
    }
}
