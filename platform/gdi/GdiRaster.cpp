// The rasteriser (GdiInternal.h): polygons, cosmetic lines, ellipse rows and rounded rectangles as
// spans of pixels, with GDI's rules for which pixels are in.
#include "platform/gdi/GdiInternal.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace gdi {

namespace {
// A row or column bound in [lo, hi]: NaN and values beyond either end, which the plain cast would
// turn into any int (and a scan of 2^31 rows), land on the nearer end of the surface.
int boundOf(double v, int lo, int hi)
{
    if (!(v > lo))
        return lo;
    if (!(v < hi))
        return hi;
    return (int)v;
}
}

void fillPolygons(const std::vector<std::vector<QPointF>>& polygons, bool winding, const QRect& bounds, Spans& out,
                  int kind)
{
    struct Edge {
        double x0, y0, slope; // x at y0 and dx/dy
        int yFirst, yEnd;     // scan lines [yFirst, yEnd) whose centres the edge spans
        int dir;
    };
    // The edge, active and crossing lists keep their storage from call to call: filling a small
    // polygon allocates nothing.
    static thread_local std::vector<Edge> edges;
    edges.clear();
    const int top = bounds.top(), bottom = bounds.top() + bounds.height();
    for (const auto& poly : polygons) {
        const size_t n = poly.size();
        if (n < 2)
            continue;
        for (size_t i = 0; i < n; ++i) {
            QPointF a = poly[i], b = poly[(i + 1) % n];
            // An edge through a non-finite point has no crossings to speak of.
            if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y()))
                continue;
            if (a.y() == b.y())
                continue;
            int dir = 1;
            if (a.y() > b.y())
                std::swap(a, b), dir = -1;
            // Centres y + 0.5 in [a.y, b.y): the top end is in, the bottom end out.
            const double f = std::ceil(a.y() - 0.5), e = std::ceil(b.y() - 0.5);
            const int yFirst = boundOf(f, top, bottom), yEnd = boundOf(e, top, bottom);
            if (yFirst >= yEnd)
                continue;
            const double slope = (b.x() - a.x()) / (b.y() - a.y());
            if (!std::isfinite(slope))
                continue; // flatter than any scan line can tell
            edges.push_back({a.x(), a.y(), slope, yFirst, yEnd, dir});
        }
    }
    if (edges.empty())
        return;
    std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.yFirst < r.yFirst; });
    int yMin = edges.front().yFirst, yMax = INT_MIN;
    for (const Edge& e : edges)
        yMax = std::max(yMax, e.yEnd);
    static thread_local std::vector<const Edge*> active;
    active.clear();
    struct Crossing {
        double x;
        int dir;
        const Edge* edge;
    };
    static thread_local std::vector<Crossing> xs;
    size_t next = 0;
    const int left = bounds.left(), right = bounds.left() + bounds.width();
    for (int y = yMin; y < yMax; ++y) {
        while (next < edges.size() && edges[next].yFirst <= y)
            active.push_back(&edges[next++]);
        active.erase(std::remove_if(active.begin(), active.end(), [y](const Edge* e) { return e->yEnd <= y; }),
                     active.end());
        if (active.empty())
            continue;
        const double yc = y + 0.5;
        xs.clear();
        for (const Edge* e : active)
            xs.push_back({e->x0 + (yc - e->y0) * e->slope, e->dir, e});
        // The active edges keep the order of the row before, which edges that do not cross keep:
        // an insertion sort finishes it in linear time. Where edges cross or start in numbers, the
        // moves it may spend are bounded and a full sort takes over, so that no row costs the
        // square of its crossings. The order of equal crossings does not change which pixels are in.
        size_t moves = 8 * xs.size() + 64;
        for (size_t i = 1; i < xs.size() && moves > 0; ++i)
            for (size_t j = i; j > 0 && xs[j].x < xs[j - 1].x && moves > 0; --j, --moves)
                std::swap(xs[j], xs[j - 1]);
        if (moves == 0)
            std::sort(xs.begin(), xs.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
        for (size_t i = 0; i < xs.size(); ++i)
            active[i] = xs[i].edge;
        int wind = 0;
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            wind += winding ? xs[i].dir : 1;
            const bool inside = winding ? wind != 0 : (wind & 1) != 0;
            if (!inside)
                continue;
            // Pixels whose centres lie in [xa, xb).
            const double xa = std::ceil(xs[i].x - 0.5), xb = std::ceil(xs[i + 1].x - 0.5);
            const int x0 = boundOf(xa, left, right), x1 = boundOf(xb, left, right);
            if (x0 < x1) {
                if (!out.empty() && out.back().y == y && out.back().x1 == x0 && out.back().kind == kind)
                    out.back().x1 = x1;
                else
                    out.push_back({y, x0, x1, kind});
            }
        }
    }
}

void cosmeticLine(QPoint a, QPoint b, const std::vector<int>* dashes, int& styleStep, bool gaps, const QRect& bounds,
                  Spans& out, bool includeLast)
{
    const int64_t dx = (int64_t)b.x() - a.x(), dy = (int64_t)b.y() - a.y();
    const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    int64_t steps = std::max(adx, ady);
    if (includeLast)
        ++steps;
    if (steps <= 0)
        return;
    int period = 0;
    if (dashes)
        for (int d : *dashes)
            period += d;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const bool xMajor = adx >= ady;
    const int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const int left = bounds.left(), right = bounds.left() + bounds.width();
    const int top = bounds.top(), bottom = bounds.top() + bounds.height();
    auto plot = [&](int64_t px, int64_t py, int kind) {
        if (px < left || px >= right || py < top || py >= bottom)
            return;
        if (!out.empty() && out.back().y == py && out.back().kind == kind) {
            if (out.back().x1 == px) {
                out.back().x1 = (int)px + 1;
                return;
            }
            if (out.back().x0 == px + 1) {
                out.back().x0 = (int)px;
                return;
            }
        }
        out.push_back({(int)py, (int)px, (int)px + 1, kind});
    };
    // Only the steps whose major coordinate lies within the bounds: a line far off the surface costs nothing.
    int64_t iFirst = 0, iEnd = steps;
    {
        const int64_t a0 = xMajor ? a.x() : a.y(), s0 = xMajor ? sx : sy;
        const int64_t lo = xMajor ? left : top, hi = xMajor ? right : bottom; // [lo, hi)
        if (s0 > 0)
            iFirst = std::max<int64_t>(iFirst, lo - a0), iEnd = std::min<int64_t>(iEnd, hi - a0);
        else
            iFirst = std::max<int64_t>(iFirst, a0 - (hi - 1)), iEnd = std::min<int64_t>(iEnd, a0 - lo + 1);
    }
    // The minor coordinate of step i is floor((2 i minor + major) / (2 major)) (rounding half up in
    // the travel direction), carried from step to step as quotient and remainder.
    const int64_t den = 2 * major;
    int64_t m = 0, rem = 0;
    if (den > 0 && iFirst < iEnd) {
        const int64_t num = 2 * iFirst * minor + major;
        m = num / den, rem = num % den;
    }
    for (int64_t i = iFirst; i < iEnd; ++i) {
        if (i > iFirst && den > 0) {
            rem += 2 * minor;
            if (rem >= den)
                rem -= den, ++m;
        }
        int kind = 0;
        if (period > 0) {
            int pos = (int)(((int64_t)styleStep + i) % period), k = 0;
            while (pos >= (*dashes)[(size_t)k])
                pos -= (*dashes)[(size_t)k++];
            kind = k & 1;
        }
        if (kind == 0 || gaps) {
            // Position of step i: the major coordinate advances by one, the minor one by rounding.
            const int64_t px = xMajor ? a.x() + sx * i : a.x() + sx * m;
            const int64_t py = xMajor ? a.y() + sy * m : a.y() + sy * i;
            plot(px, py, kind);
        }
    }
    if (period > 0)
        styleStep = (int)(((int64_t)styleStep + steps) % period);
}

EllipseRow ellipseRow(int w, int h, int i)
{
    if (w <= 0 || h <= 0)
        return {0, 0, true};
    const double cx = w / 2.0, cy = h / 2.0, rx = (w - 1) / 2.0, ry = (h - 1) / 2.0;
    if (ry <= 0)
        return {0, w - 1, true};
    // The outline of row i covers the curve's x extent within the row's band [i, i + 1).
    const double d = std::fabs(i + 0.5 - cy);
    const double dmin = std::max(0.0, d - 0.5), dmax = std::min(ry, d + 0.5);
    auto hw = [&](double dd) {
        const double q = dd / ry;
        return rx * std::sqrt(std::max(0.0, 1.0 - q * q));
    };
    const double outer = hw(std::min(dmin, ry)), inner = hw(dmax);
    int from = (int)std::floor(cx - outer + 1e-9), to = (int)std::floor(cx - inner + 1e-9);
    from = std::clamp(from, 0, w - 1);
    to = std::clamp(std::max(to, from), 0, w - 1);
    return {from, to, d + 0.5 >= ry};
}

void roundRectSpans(int l, int t, int r, int b, int cw, int ch, const QRect& bounds, Spans* outline, Spans* interior)
{
    const int w = r - l, h = b - t;
    if (w <= 0 || h <= 0)
        return;
    cw = std::clamp(cw, 0, w);
    ch = std::clamp(ch, 0, h);
    const int bandTop = (ch + 1) / 2; // rows of the top corners
    const int left = bounds.left(), right = bounds.left() + bounds.width();
    auto add = [&](Spans* s, int y, int x0, int x1) {
        x0 = std::max(x0, left), x1 = std::min(x1, right);
        if (s && x0 < x1)
            s->push_back({y, x0, x1, 0});
    };
    const int yFrom = std::max(t, bounds.top()), yTo = std::min(b, bounds.top() + bounds.height());
    for (int y = yFrom; y < yTo; ++y) {
        const int i = y - t;
        int from = 0, to = 0;
        bool edge = false;
        if (cw > 0 && ch > 0 && (i < bandTop || i >= h - bandTop)) {
            const int row = i < bandTop ? i : ch - (h - i);
            const EllipseRow e = ellipseRow(cw, ch, std::clamp(row, 0, ch - 1));
            from = e.from, to = e.to, edge = e.edge;
        } else {
            edge = i == 0 || i == h - 1;
        }
        // Left outline [l + from, l + to]; the right one mirrors it across the rectangle.
        const int a0 = l + from, a1 = l + to + 1;
        const int b0 = r - 1 - to, b1 = r - from;
        if (edge || a1 >= b0) {
            add(outline, y, a0, b1);
        } else {
            add(outline, y, a0, a1);
            add(outline, y, b0, b1);
            add(interior, y, a1, b0);
        }
    }
}

QRegion spansToRegion(const Spans& spans)
{
    Spans sorted(spans);
    std::sort(sorted.begin(), sorted.end(), [](const Span& a, const Span& b) {
        return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
    });
    // Rows with the same runs as the row above join its band: the banded form QRegion keeps.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> band, row;
    int bandTop = 0, bandEnd = 0;
    auto flush = [&] {
        for (auto& [x0, x1] : band)
            rects.emplace_back(x0, bandTop, x1 - x0, bandEnd - bandTop);
        band.clear();
    };
    size_t i = 0;
    while (i < sorted.size()) {
        const int y = sorted[i].y;
        row.clear();
        for (; i < sorted.size() && sorted[i].y == y; ++i) {
            if (!row.empty() && sorted[i].x0 <= row.back().second)
                row.back().second = std::max(row.back().second, sorted[i].x1);
            else
                row.emplace_back(sorted[i].x0, sorted[i].x1);
        }
        if (!band.empty() && y == bandEnd && row == band) {
            ++bandEnd;
            continue;
        }
        flush();
        band = row, bandTop = y, bandEnd = y + 1;
    }
    flush();
    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), (int)rects.size());
    return region;
}

} // namespace gdi
