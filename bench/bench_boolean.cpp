// Boolean operations of two polygons beside OGR's (GEOS) of the same two
// rings: the intersection and the union of wavy outlines that cross many times
// (rings of 10^2 to 10^5 vertices), and the intersection of jagged outlines
// whose every vertex lies at a random radius, so that long spiky edges cross
// everywhere (10^3 and 10^4 vertices). The areas are reported beside the times.
#include "model/polygons/MapPolyParts.h"
#include "model/polygons/MapPolygon.h"

#include <benchmark/benchmark.h>
#include <ogr_geometry.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {
struct Pt {
    double x, y;
};

// A ring of n vertices around (cx, cy) whose radius waves n / 20 times.
std::vector<Pt> WavyRing(int n, double cx, double cy, double phase)
{
    std::vector<Pt> ring;
    ring.reserve((size_t)n);
    for (int i = 0; i < n; ++i) {
        const double a = 2 * 3.141592653589793 * i / n;
        const double r = 1000.0 + 80.0 * std::sin(a * (n / 20) + phase);
        ring.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return ring;
}

// A ring of n vertices around (cx, cy) at random radii between 800 and 1200.
std::vector<Pt> JaggedRing(int n, double cx, double cy, unsigned seed)
{
    std::mt19937 random(seed + (unsigned)n);
    std::uniform_real_distribution<double> radius(800.0, 1200.0);
    std::vector<Pt> ring;
    ring.reserve((size_t)n);
    for (int i = 0; i < n; ++i) {
        const double a = 2 * 3.141592653589793 * i / n, r = radius(random);
        ring.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return ring;
}

std::unique_ptr<CMapPolygon> Polygon(const std::vector<Pt>& ring)
{
    auto polygon = std::make_unique<CMapPolygon>();
    for (const Pt& p : ring)
        polygon->AddDoublePoint(p.x, p.y);
    return polygon;
}

// The same vertices as the project keeps them (floats), so both sides work on one figure.
std::unique_ptr<OGRPolygon> OgrPolygon(const std::vector<Pt>& ring)
{
    auto linear = std::make_unique<OGRLinearRing>();
    for (const Pt& p : ring)
        linear->addPoint((float)p.x, (float)p.y);
    linear->closeRings();
    auto polygon = std::make_unique<OGRPolygon>();
    polygon->addRingDirectly(linear.release());
    return polygon;
}

std::vector<Pt> First(int n)
{
    return WavyRing(n, 0.0, 0.0, 0.0);
}

std::vector<Pt> Second(int n)
{
    return WavyRing(n, 300.0, 100.0, 1.0);
}

double OgrArea(const OGRGeometry* result)
{
    // One polygon, or several pieces.
    if (const auto* surface = dynamic_cast<const OGRSurface*>(result))
        return surface->get_Area();
    if (const auto* pieces = dynamic_cast<const OGRGeometryCollection*>(result))
        return pieces->get_Area();
    return 0.0;
}

void RunProject(benchmark::State& state, const std::vector<Pt>& first, const std::vector<Pt>& second, int op)
{
    auto a = Polygon(first), b = Polygon(second);
    double area = 0.0;
    for (auto _ : state) {
        std::unique_ptr<CMapPolyPolygon> result(a->BooleanOp(b.get(), op));
        benchmark::DoNotOptimize(result.get());
        area = result ? result->GetArea(nullptr) : 0.0;
    }
    state.counters["area"] = area;
}

void RunPeer(benchmark::State& state, const std::vector<Pt>& first, const std::vector<Pt>& second, int op)
{
    auto a = OgrPolygon(first), b = OgrPolygon(second);
    double area = 0.0;
    for (auto _ : state) {
        std::unique_ptr<OGRGeometry> result(op == 0 ? a->Intersection(b.get()) : a->Union(b.get()));
        benchmark::DoNotOptimize(result.get());
        area = OgrArea(result.get());
    }
    state.counters["area"] = area;
}

void BM_Intersection_Project(benchmark::State& state)
{
    RunProject(state, First((int)state.range(0)), Second((int)state.range(0)), 0);
}

void BM_Intersection_Peer(benchmark::State& state)
{
    RunPeer(state, First((int)state.range(0)), Second((int)state.range(0)), 0);
}

void BM_Union_Project(benchmark::State& state)
{
    RunProject(state, First((int)state.range(0)), Second((int)state.range(0)), 3);
}

void BM_Union_Peer(benchmark::State& state)
{
    RunPeer(state, First((int)state.range(0)), Second((int)state.range(0)), 3);
}

void BM_JaggedIntersection_Project(benchmark::State& state)
{
    const int n = (int)state.range(0);
    RunProject(state, JaggedRing(n, 0.0, 0.0, 1u), JaggedRing(n, 150.0, 50.0, 2u), 0);
}

void BM_JaggedIntersection_Peer(benchmark::State& state)
{
    const int n = (int)state.range(0);
    RunPeer(state, JaggedRing(n, 0.0, 0.0, 1u), JaggedRing(n, 150.0, 50.0, 2u), 0);
}
}

BENCHMARK(BM_Intersection_Project)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Intersection_Peer)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Union_Project)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Union_Peer)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JaggedIntersection_Project)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JaggedIntersection_Peer)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
