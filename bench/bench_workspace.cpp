// Reopening a saved map: the workspace loader reading a workspace of four
// layers holding 10^5 nodes with two attribute values each, beside the raw
// peer, one sequential scan of each layer file's object table and of its
// attribute table through SQLite with every column read.
#include "QtBenchMain.h"

#include "core/Settings.h"
#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/objects/MapNode.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kLayers = 4;
constexpr int kNodes = 100000;

// The workspace, made once in a temporary folder and removed at exit.
class SavedMap {
public:
    SavedMap()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvbenchXXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        folder = pattern + "/";
        path = folder + "map.kwz";
        g_CoordinationSystem = -1;
        CMUIMap window;
        CMapModel* map = window.GetMapModel();
        for (int i = 0; i < kLayers; ++i) {
            auto* layer = new CMapLayer(("Layer" + std::to_string(i)).c_str());
            layer->AddField(CMapField("Name", FIELD_TYPE_STRING, 40));
            layer->AddField(CMapField("Depth", FIELD_TYPE_DOUBLE, 8));
            map->AddLayer(layer);
        }
        if (!window.SaveWorkspace(path.c_str()))
            throw std::runtime_error("workspace not saved");
        map->OpenLayerByName(folder.c_str());
        for (int n = 0; n < kNodes; ++n) {
            CMapLayer* layer = map->GetLayerAt(n % kLayers);
            auto* node = new CMapNode;
            node->SetPosition(n % 1000, n / 1000);
            for (int f = 0; f < layer->GetFieldCount(); ++f)
                node->AddAttribute(CMapFieldValue(layer->GetField(f)));
            node->SetAttributeText(0, ("node " + std::to_string(n)).c_str());
            node->SetAttributeText(1, std::to_string(n * 0.25).c_str());
            layer->AddObject(node, FALSE);
        }
        map->SaveMapDatabase();
    }
    ~SavedMap()
    {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }

    std::string folder, path;
};

const SavedMap& Map()
{
    static SavedMap map;
    return map;
}

void BM_WorkspaceLoad_Project(benchmark::State& state)
{
    const SavedMap& saved = Map();
    int layers = 0;
    for (auto _ : state) {
        auto window = std::make_unique<CMUIMap>();
        window->LoadWorkspace(saved.path.c_str());
        layers = window->GetMapModel()->GetLayerCount();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    if (layers != kLayers)
        state.SkipWithError("layers missing");
}
BENCHMARK(BM_WorkspaceLoad_Project)->Unit(benchmark::kMillisecond)->UseRealTime();

// Steps `sql` to its end reading every column; the number of rows.
long long Scan(sqlite3* db, const char* sql)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    long long rows = 0, sink = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER: sink += sqlite3_column_int(stmt, i); break;
            case SQLITE_FLOAT: sink += (long long)sqlite3_column_double(stmt, i); break;
            case SQLITE_TEXT: sink += *sqlite3_column_text(stmt, i); break;
            case SQLITE_BLOB: sink += sqlite3_column_bytes(stmt, i); break;
            default: break;
            }
        }
        ++rows;
    }
    sqlite3_finalize(stmt);
    benchmark::DoNotOptimize(sink);
    return rows;
}

void BM_WorkspaceLoad_Peer(benchmark::State& state)
{
    const SavedMap& saved = Map();
    long long rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (int i = 0; i < kLayers; ++i) {
            const std::string file = saved.folder + "Layer" + std::to_string(i) + ".klz";
            sqlite3* db = nullptr;
            sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
            rows += Scan(db, "select * from _MapGeoData;");
            rows += Scan(db, "select * from _MapMetaData;");
            sqlite3_close(db);
        }
    }
    if (rows != 2LL * kNodes)
        state.SkipWithError("rows missing");
}
BENCHMARK(BM_WorkspaceLoad_Peer)->Unit(benchmark::kMillisecond)->UseRealTime();

}

// The map window registers its window class with cursors: it needs the application object.
KV_QT_BENCHMARK_MAIN()
