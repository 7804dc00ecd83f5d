// The projection catalogue beside the coordinate library's own lookups of the
// same systems: FindCode of a system the catalogue holds (WGS 84 and its UTM
// zone 33N, built from the registry) and of one it lacks, against
// OGRSpatialReference::FindMatches of the same system; CreateSpatialReference
// by code against importFromEPSG. The catalogue is a copy of the shipped file;
// a miss appends to the copy, so the copy is put back after every miss,
// untimed, and the timed lookup reads the changed file again as a program that
// met a new system would. Each side keeps its caches from run to run (the
// catalogue's index, the registry's objects), so that both are timed warm.
#include "model/projections/ProjectionCatalogue.h"

#include <benchmark/benchmark.h>
#include <cpl_conv.h>
#include <cpl_error.h>
#include <ogr_spatialref.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

struct CatalogueCopy {
    std::string folder, path, text;
    CatalogueCopy()
    {
        std::string pattern = (fs::temp_directory_path() / "kvcatXXXXXX").string();
        folder = mkdtemp(pattern.data());
        path = folder + "/Projections.dat";
        std::ifstream in(KV_SHIPPED_CATALOGUE, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        Restore();
    }
    ~CatalogueCopy()
    {
        std::error_code error;
        fs::remove_all(folder, error);
    }
    void Restore() const
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        g_ProjectionCatalogPath = path.c_str();
    }
    // Restore only where a miss changed the copy: a rewrite of an unchanged
    // copy would make every run read the catalogue anew, while the peer keeps
    // its registry cache from run to run.
    void Ensure() const
    {
        std::ifstream in(path, std::ios::binary);
        const std::string now((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (now != text)
            Restore();
        g_ProjectionCatalogPath = path.c_str();
    }
};

const CatalogueCopy& Copy()
{
    static const CatalogueCopy copy;
    return copy;
}

std::unique_ptr<OGRSpatialReference> FromRegistry(int code)
{
    auto srs = std::make_unique<OGRSpatialReference>();
    srs->importFromEPSG(code);
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

// A transverse Mercator of no registry.
std::unique_ptr<OGRSpatialReference> Unknown()
{
    auto srs = std::make_unique<OGRSpatialReference>();
    srs->importFromProj4("+proj=tmerc +lat_0=0 +lon_0=10.5 +k=0.9996 +x_0=250000 +y_0=0 +ellps=GRS80 +units=m");
    return srs;
}

void FindProject(benchmark::State& state, OGRSpatialReference& srs, bool miss)
{
    Copy().Ensure();
    for (auto _ : state) {
        const int code = CProjectionCatalogue::FindCode(&srs);
        benchmark::DoNotOptimize(code);
        if (miss) {
            state.PauseTiming();
            Copy().Restore();
            state.ResumeTiming();
        }
    }
}

void FindPeer(benchmark::State& state, OGRSpatialReference& srs)
{
    for (auto _ : state) {
        int count = 0;
        int* confidence = nullptr;
        OGRSpatialReferenceH* matches = srs.FindMatches(nullptr, &count, &confidence);
        OSRFreeSRSArray(matches);
        CPLFree(confidence);
        benchmark::DoNotOptimize(count);
    }
}

void BM_FindCodeHitWgs84_Project(benchmark::State& state) { FindProject(state, *FromRegistry(4326), false); }
void BM_FindCodeHitWgs84_Peer(benchmark::State& state) { FindPeer(state, *FromRegistry(4326)); }
void BM_FindCodeHitUtm33N_Project(benchmark::State& state) { FindProject(state, *FromRegistry(32633), false); }
void BM_FindCodeHitUtm33N_Peer(benchmark::State& state) { FindPeer(state, *FromRegistry(32633)); }
void BM_FindCodeMiss_Project(benchmark::State& state) { FindProject(state, *Unknown(), true); }
void BM_FindCodeMiss_Peer(benchmark::State& state) { FindPeer(state, *Unknown()); }

// Codes from the head, the middle and the end of the catalogue, in turn.
constexpr int kCodes[] = {4326, 32633, 31467, 2263, 4803, 3857, 27700, 32761};

void BM_CreateByCode_Project(benchmark::State& state)
{
    Copy().Ensure();
    size_t i = 0;
    for (auto _ : state) {
        std::unique_ptr<OGRSpatialReference> srs(
            CProjectionCatalogue::CreateSpatialReference(kCodes[i++ % std::size(kCodes)]));
        benchmark::DoNotOptimize(srs.get());
    }
}

void BM_CreateByCode_Peer(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state) {
        OGRSpatialReference srs;
        srs.importFromEPSG(kCodes[i++ % std::size(kCodes)]);
        srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        benchmark::DoNotOptimize(&srs);
    }
}

} // namespace

BENCHMARK(BM_FindCodeHitWgs84_Project)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindCodeHitWgs84_Peer)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindCodeHitUtm33N_Project)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindCodeHitUtm33N_Peer)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindCodeMiss_Project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindCodeMiss_Peer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreateByCode_Project)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreateByCode_Peer)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    CPLPushErrorHandler(CPLQuietErrorHandler);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
