// The visible part of a huge ellipse: border crossings by solving the ellipse
// equation on each edge line, arcs sampled at about one point per two pixels,
// and the convex outline ordered by angle around its own centre.
#include "core/EllipseOutline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
struct Pt {
    double x, y;
};

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Pixels between samples along an arc.
constexpr double kSampleStep = 2.0;

double Wrap(double t)
{
    t = std::fmod(t, kTwoPi);
    return t < 0.0 ? t + kTwoPi : t;
}
}

void ClipEllipse(const RECT& visible, const CDoubleRect& ellipse, std::vector<POINT>& out)
{
    out.clear();
    const RECT r = ellipse.ClipDeviceRect(visible);
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    const double cx = (ellipse.left + ellipse.right) * 0.5;
    const double cy = (ellipse.bottom + ellipse.top) * 0.5;
    const double a = std::fabs(ellipse.Width()) / 2.0;
    const double b = ellipse.Height() / 2.0;
    if (!(a > 0.0 && b > 0.0) || !std::isfinite(a) || !std::isfinite(b) || !std::isfinite(cx) || !std::isfinite(cy))
        return;
    const double left = r.left, right = r.right, top = r.top, bottom = r.bottom;

    const auto at = [&](double t) { return Pt{cx + a * std::cos(t), cy + b * std::sin(t)}; };
    const auto inEllipse = [&](double x, double y) {
        const double u = (x - cx) / a, v = (y - cy) / b;
        return u * u + v * v <= 1.0;
    };
    // A hair of slack: crossings computed on an edge may land just beside it.
    const auto inRect = [&](const Pt& p) {
        return p.x >= left - 1e-6 && p.x <= right + 1e-6 && p.y >= top - 1e-6 && p.y <= bottom + 1e-6;
    };

    std::vector<Pt> points;
    for (const Pt& c : {Pt{left, top}, Pt{right, top}, Pt{right, bottom}, Pt{left, bottom}}) {
        if (inEllipse(c.x, c.y))
            points.push_back(c);
    }
    if (points.size() == 4) {
        // The whole rectangle is visible ellipse: its corners, from the bottom left up.
        out = {POINT{r.left, r.bottom}, POINT{r.left, r.top}, POINT{r.right, r.top}, POINT{r.right, r.bottom}};
        return;
    }

    // Parameters where the ellipse meets the border of the rectangle.
    std::vector<double> crossings;
    const auto onBorder = [&](double t) {
        if (inRect(at(t)))
            crossings.push_back(Wrap(t));
    };
    for (double x : {left, right}) {
        const double c = (x - cx) / a;
        if (c >= -1.0 && c <= 1.0) {
            const double t = std::acos(c);
            onBorder(t);
            onBorder(-t);
        }
    }
    for (double y : {top, bottom}) {
        const double s = (y - cy) / b;
        if (s >= -1.0 && s <= 1.0) {
            const double t = std::asin(s);
            onBorder(t);
            onBorder(std::numbers::pi - t);
        }
    }
    std::sort(crossings.begin(), crossings.end());

    // At most about the rectangle's perimeter in samples: an arc inside a
    // convex figure is no longer than its border.
    const double cap = 2.0 * ((right - left) + (bottom - top)) / kSampleStep + 8.0;
    const double reach = std::fmax(a, b);
    const auto sampleArc = [&](double from, double to) {
        const int n = (int)std::fmin(std::ceil(reach * (to - from) / kSampleStep), cap);
        for (int i = 0; i <= n; ++i)
            points.push_back(at(from + (to - from) * i / std::max(n, 1)));
    };
    if (crossings.empty()) {
        // The ellipse lies wholly inside the rectangle, or wholly around or beside it.
        if (inRect(at(0.0)))
            sampleArc(0.0, kTwoPi);
    } else {
        for (size_t i = 0; i < crossings.size(); ++i) {
            const double from = crossings[i];
            const double to = i + 1 < crossings.size() ? crossings[i + 1] : crossings[0] + kTwoPi;
            if (to - from <= 0.0)
                continue;
            if (inRect(at((from + to) * 0.5)))
                sampleArc(from, to);
            else
                points.push_back(at(from));
        }
    }
    if (points.size() < 3)
        return;

    // The overlap is convex: its outline is its points in angular order around
    // their mean, which lies inside it.
    Pt mean{0.0, 0.0};
    for (const Pt& p : points)
        mean.x += p.x, mean.y += p.y;
    mean.x /= (double)points.size();
    mean.y /= (double)points.size();
    std::vector<std::pair<double, Pt>> byAngle;
    byAngle.reserve(points.size());
    for (const Pt& p : points)
        byAngle.emplace_back(std::atan2(p.y - mean.y, p.x - mean.x), p);
    std::stable_sort(byAngle.begin(), byAngle.end(),
                     [](const auto& u, const auto& v) { return u.first < v.first; });

    out.reserve(byAngle.size());
    for (const auto& [angle, p] : byAngle) {
        // Clamped before rounding: every point is then a pixel of the rectangle.
        const POINT q{(LONG)std::lround(std::clamp(p.x, left, right)), (LONG)std::lround(std::clamp(p.y, top, bottom))};
        if (out.empty() || out.back().x != q.x || out.back().y != q.y)
            out.push_back(q);
    }
    if (out.size() < 3)
        out.clear();
}
