// The rubber band of the Polygon tool on a full-HD map window that shows 10^5
// objects: 1000 pointer moves through the window's message path, beside the
// XOR drawing of the same band alone (its two segments erased and drawn again
// on a window context per move). A move must cost no full redraw of the map.
#include "bench/BenchApplication.h"
#include "core/Settings.h"
#include "mapwindow/MUIMap.h"
#include "mapwindow/MapTool.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/polygons/MapPolygon.h"
#include "model/objects/MapRectangle.h"
#include "platform/wnd/WindowDC.h"
#include "platform/wnd/WndTestInput.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kObjects = 100000;
constexpr int kMoves = 1000;
constexpr double kWorld = 100000.0;

// The pointer's path: a circle around the band's fixed vertices.
CPoint PointerAt(int i)
{
    const double a = 6.2831853 * i / kMoves;
    return CPoint(960 + (int)(700 * std::cos(a)), 540 + (int)(400 * std::sin(a)));
}

// A shown host with a full-HD map window on a layer of rectangles and
// polygons spread over the view, painted once.
struct Scene {
    CWnd host;
    CMUIMap map;
    fs::path folder;

    Scene()
    {
        std::string pattern = (fs::temp_directory_path() / "kvbenchtoolsXXXXXX").string();
        folder = mkdtemp(pattern.data());
        host.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr);
        map.Create(CRect(0, 0, kWidth, kHeight), &host, IDC_MAP_WINDOW, WS_CHILD | WS_VISIBLE);
        host.ShowWindow(SW_SHOW);

        CMapModel* model = map.GetMapModel();
        const CString path = (folder / "Bench.klz").string().c_str();
        CMapLayer probe("Bench");
        model->CreateLayerDatabase(path, &probe);
        model->OpenLayer(path, nullptr);
        CMapLayer* layer = model->GetLastLayer();
        std::mt19937 random(4711u);
        std::uniform_real_distribution<double> unit(0, 1);
        const double size = kWorld / std::sqrt((double)kObjects);
        for (int i = 0; i < kObjects; ++i) {
            const double x = unit(random) * kWorld, y = unit(random) * kWorld * kHeight / kWidth;
            if (i % 2) {
                CMapRectangle rect;
                rect.SetRect(x, y, x + size * unit(random), y + size * unit(random));
                layer->AddObject(&rect, TRUE);
            } else {
                CMapPolygon polygon;
                for (int k = 0; k < 5; ++k) {
                    const double a = 6.2831853 * k / 5;
                    polygon.AddDoublePoint(x + size * std::cos(a) / 2, y + size * std::sin(a) / 2);
                }
                layer->AddObject(&polygon, TRUE);
            }
        }
        layer->SaveProperties();
        map.ZoomToExtent(nullptr);
        AfxTestProcessEvents();
    }
    ~Scene()
    {
        map.DestroyWindow();
        host.DestroyWindow();
        std::error_code error;
        fs::remove_all(folder, error);
    }
    void Send(UINT message, UINT flags, CPoint p)
    {
        map.SendMessage(message, flags, MAKELPARAM(p.x, p.y));
    }
};

// Made at first use, taken down while the toolkit still runs: its windows must
// not outlive the application.
std::unique_ptr<Scene> g_scene;

Scene& TheScene()
{
    if (!g_scene)
        g_scene = std::make_unique<Scene>();
    return *g_scene;
}

void BM_PolygonBand_Project(benchmark::State& state)
{
    Scene& scene = TheScene();
    for (auto _ : state) {
        state.PauseTiming();
        scene.map.SetTool(TOOL_POLYGON);
        // Two fixed vertices: the rubber one has a neighbour on either side.
        for (const CPoint& p : {CPoint(900, 500), CPoint(1020, 520)}) {
            scene.Send(WM_MOUSEMOVE, 0, p);
            scene.Send(WM_LBUTTONDOWN, MK_LBUTTON, p);
            scene.Send(WM_LBUTTONUP, 0, p);
        }
        AfxTestProcessEvents();
        state.ResumeTiming();
        for (int i = 0; i < kMoves; ++i)
            scene.Send(WM_MOUSEMOVE, 0, PointerAt(i));
        state.PauseTiming();
        scene.map.SetTool(TOOL_SELECT); // drops the unfinished polygon
        AfxTestProcessEvents();
        if (scene.map.IsDirty())
            state.SkipWithError("the map was left to redraw");
        state.ResumeTiming();
    }
    state.counters["per_move"] =
        benchmark::Counter((double)kMoves * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PolygonBand_Peer(benchmark::State& state)
{
    Scene& scene = TheScene();
    const CPoint first(900, 500), second(1020, 520);
    for (auto _ : state) {
        CPoint last = PointerAt(0);
        bool shown = false;
        for (int i = 0; i < kMoves; ++i) {
            CClientDC dc(&scene.map);
            const CPoint p = PointerAt(i);
            if (shown) {
                CMapTool::DrawXorLine(&dc, second.x, second.y, last.x, last.y, RGB(0, 0, 0), PS_SOLID);
                CMapTool::DrawXorLine(&dc, first.x, first.y, last.x, last.y, RGB(0, 0, 0), PS_SOLID);
            }
            CMapTool::DrawXorLine(&dc, second.x, second.y, p.x, p.y, RGB(0, 0, 0), PS_SOLID);
            CMapTool::DrawXorLine(&dc, first.x, first.y, p.x, p.y, RGB(0, 0, 0), PS_SOLID);
            last = p;
            shown = true;
        }
        state.PauseTiming();
        scene.map.InvalidateMap(nullptr, FALSE);
        AfxTestProcessEvents();
        state.ResumeTiming();
    }
    state.counters["per_move"] =
        benchmark::Counter((double)kMoves * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
}

BENCHMARK(BM_PolygonBand_Project)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PolygonBand_Peer)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    return RunBenchmarksAsApplication(argc, argv, [] { g_scene.reset(); });
}
