// Point-list drawing work on a ring of a million vertices, each figure beside
// a plain peer on the same data: cutting the ring to a view rectangle (the
// project's ring clip into closed pieces against a Sutherland-Hodgman clip of
// a vector of points), and building the thinned device points of the whole
// ring (the project's device-point cache against a loop that converts every
// vertex and drops those landing on the pixel of the one before). The counter
// "items" is the number of vertices or device points each side produced.
#include "model/polygons/ClipPolygon.h"
#include "model/polygons/MapMultiPart.h"
#include "model/polygons/MapPolygon.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {
constexpr int kVertices = 1000000;
constexpr double kRadius = 100000.0;

struct Pt {
    double x, y;
};

// A wavy ring around the origin: its outline crosses a view rectangle on the
// ring's edge many times.
const std::vector<Pt>& Ring()
{
    static const std::vector<Pt> ring = [] {
        std::vector<Pt> points;
        points.reserve(kVertices);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> noise(-20.0, 20.0);
        for (int i = 0; i < kVertices; ++i) {
            const double a = 2 * 3.141592653589793 * i / kVertices;
            const double r = kRadius + 2000.0 * std::sin(a * 400) + noise(random);
            points.push_back({r * std::cos(a), r * std::sin(a)});
        }
        return points;
    }();
    return ring;
}

CMapPolygon& RingPolygon()
{
    static const std::unique_ptr<CMapPolygon> polygon = [] {
        auto p = std::make_unique<CMapPolygon>();
        for (const Pt& v : Ring())
            p->AddDoublePoint(v.x, v.y);
        return p;
    }();
    return *polygon;
}

// A view on the ring's right edge, 20000 map units square.
const CDoubleRect kView(90000.0, -10000.0, 110000.0, 10000.0);

std::vector<Pt> ClipEdge(const std::vector<Pt>& in, int side)
{
    const auto inside = [&](const Pt& p) {
        switch (side) {
        case 0: return p.x >= kView.left;
        case 1: return p.x <= kView.right;
        case 2: return p.y >= kView.bottom;
        default: return p.y <= kView.top;
        }
    };
    const auto cross = [&](const Pt& a, const Pt& b) {
        double t;
        switch (side) {
        case 0: t = (kView.left - a.x) / (b.x - a.x); break;
        case 1: t = (kView.right - a.x) / (b.x - a.x); break;
        case 2: t = (kView.bottom - a.y) / (b.y - a.y); break;
        default: t = (kView.top - a.y) / (b.y - a.y); break;
        }
        return Pt{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
    };
    std::vector<Pt> out;
    out.reserve(in.size() / 2);
    for (size_t i = 0; i < in.size(); ++i) {
        const Pt& cur = in[i];
        const Pt& prev = in[(i + in.size() - 1) % in.size()];
        if (inside(cur)) {
            if (!inside(prev))
                out.push_back(cross(prev, cur));
            out.push_back(cur);
        } else if (inside(prev)) {
            out.push_back(cross(prev, cur));
        }
    }
    return out;
}

void BM_RingClip_Project(benchmark::State& state)
{
    CMapPolygon& polygon = RingPolygon();
    size_t vertices = 0;
    for (auto _ : state) {
        CClipPolygon ring;
        ring.SetFromObjectNear(&polygon, kView);
        std::unique_ptr<CMapMultiPart> pieces(ring.ClipToRect(kView, MAP_OBJECT_POLYGON));
        vertices = pieces ? (size_t)pieces->GetPointCount() : 0;
        benchmark::DoNotOptimize(vertices);
    }
    state.counters["items"] = (double)vertices;
}

void BM_RingClip_Peer(benchmark::State& state)
{
    const std::vector<Pt>& ring = Ring();
    size_t vertices = 0;
    for (auto _ : state) {
        // The same reading of the float vertices the project starts from.
        std::vector<Pt> points;
        points.reserve(ring.size());
        CMapPolygon& polygon = RingPolygon();
        for (int i = 0; i < polygon.GetPointCount(); ++i)
            points.push_back({polygon.GetPoint(i).x, polygon.GetPoint(i).y});
        for (int side = 0; side < 4; ++side)
            points = ClipEdge(points, side);
        vertices = points.size();
        benchmark::DoNotOptimize(vertices);
    }
    state.counters["items"] = (double)vertices;
}

// The whole ring 1000 pixels across: most vertices share a pixel step.
constexpr double kZoom = 2 * kRadius / 1000;
const RECT kClient{0, 0, 1200, 1200};

void BM_RingThinning_Project(benchmark::State& state)
{
    CMapPolygon& polygon = RingPolygon();
    double originX = -kRadius * 1.1, originY = -kRadius * 1.1, zoom = kZoom;
    for (auto _ : state) {
        polygon.InvalidateDevicePoints();
        polygon.BuildDevicePoints(nullptr, &kClient, &originX, &originY, &zoom);
        benchmark::DoNotOptimize(polygon.GetDeviceCache()->GetPointCount());
    }
    state.counters["items"] = polygon.GetDeviceCache()->GetPointCount();
}

void BM_RingThinning_Peer(benchmark::State& state)
{
    CMapPolygon& polygon = RingPolygon();
    const double originX = -kRadius * 1.1, originY = -kRadius * 1.1;
    const int height = kClient.bottom;
    std::vector<POINT> points;
    for (auto _ : state) {
        points.clear();
        for (int i = 0; i < polygon.GetPointCount(); ++i) {
            const CFloatPoint v = polygon.GetPoint(i);
            const POINT p{(LONG)std::lround((v.x - originX) / kZoom),
                          (LONG)(height - std::lround((v.y - originY) / kZoom))};
            if (points.empty() || points.back().x != p.x || points.back().y != p.y)
                points.push_back(p);
        }
        benchmark::DoNotOptimize(points.data());
    }
    state.counters["items"] = (double)points.size();
}
}

BENCHMARK(BM_RingClip_Project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RingClip_Peer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RingThinning_Project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RingThinning_Peer)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
