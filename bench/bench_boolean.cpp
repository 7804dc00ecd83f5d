// The intersection of two polygons whose wavy outlines cross many times, for
// rings of 10^2, 10^3 and 10^4 vertices: the project's boolean operation
// beside OGR's (GEOS) intersection of the same two rings.
#include "model/MapPolyParts.h"
#include "model/MapPolygon.h"

#include <benchmark/benchmark.h>
#include <ogr_geometry.h>

#include <cmath>
#include <memory>
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

void BM_Intersection_Project(benchmark::State& state)
{
    const int n = (int)state.range(0);
    auto a = Polygon(First(n)), b = Polygon(Second(n));
    double area = 0.0;
    for (auto _ : state) {
        std::unique_ptr<CMapPolyPolygon> result(a->BooleanOp(b.get(), 0));
        benchmark::DoNotOptimize(result.get());
        area = result ? result->GetArea(nullptr) : 0.0;
    }
    state.counters["area"] = area;
}

void BM_Intersection_Peer(benchmark::State& state)
{
    const int n = (int)state.range(0);
    auto a = OgrPolygon(First(n)), b = OgrPolygon(Second(n));
    double area = 0.0;
    for (auto _ : state) {
        std::unique_ptr<OGRGeometry> result(a->Intersection(b.get()));
        benchmark::DoNotOptimize(result.get());
        // One polygon, or several pieces.
        if (const auto* surface = dynamic_cast<const OGRSurface*>(result.get()))
            area = surface->get_Area();
        else if (const auto* pieces = dynamic_cast<const OGRGeometryCollection*>(result.get()))
            area = pieces->get_Area();
    }
    state.counters["area"] = area;
}
}

BENCHMARK(BM_Intersection_Project)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Intersection_Peer)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
