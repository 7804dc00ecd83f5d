// A Select drag on a 1920 x 1080 map window that shows 10^5 objects, beside the
// XOR drawing of its rubber band alone. The project figure sends 1000 pointer
// moves of one drag of a selected polygon of 1000 vertices through the map
// window (tool dispatch, position text, notifications, erasing and drawing the
// outline); the peer draws and erases the same outline at the same 1000
// offsets on a window context, nothing else. A move that redrew the map would
// cost the drawing of 10^5 objects; each move must stay within twice the band.
#include "bench/BenchApplication.h"
#include "core/Settings.h"
#include "mapwindow/MapTool.h"
#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/polygons/MapPolygon.h"
#include "model/objects/MapRectangle.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"
#include "platform/wnd/WndTestInput.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kObjects = 100000;
constexpr int kMoves = 1000;
constexpr int kPolygonVertices = 1000;

// The window, its map of 10^5 rectangles below a layer holding one large
// polygon, and that polygon selected; made once.
struct Scene {
    fs::path folder;
    CWnd host;
    CMUIMap map;
    CPoint centre{kWidth / 2, kHeight / 2};

    Scene()
    {
        std::string pattern = (fs::temp_directory_path() / "kvbench_selectXXXXXX").string();
        folder = mkdtemp(pattern.data());
        const CString path = (folder / "bench.kwz").c_str();
        {
            CMUIMap writer;
            writer.GetMapModel()->AddLayer(new CMapLayer("Objects"));
            writer.GetMapModel()->AddLayer(new CMapLayer("Selection"));
            writer.SaveWorkspace(path);
        }
        host.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr);
        map.Create(CRect(0, 0, 0, 0), &host, 200, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
        map.MoveWindow(0, 0, kWidth, kHeight, FALSE);
        host.ShowWindow(SW_SHOW);
        map.LoadWorkspace(path);
        CMapModel* model = map.GetMapModel();
        CMapLayer* objects = model->GetLayerAt(0);
        CMapLayer* selection = model->GetLayerAt(1);
        selection->SetEditable(1);

        // A grid of small rectangles over 0..100 000 in x and y.
        const int side = (int)std::ceil(std::sqrt((double)kObjects));
        const double step = 100000.0 / side;
        for (int i = 0; i < kObjects; ++i) {
            CMapRectangle rect;
            const double x = (i % side) * step, y = (i / side) * step;
            rect.SetRect(x, y, x + step * 0.6, y + step * 0.6);
            objects->AddObject(&rect, FALSE);
        }
        // A circle of 1000 vertices, a third of the map across, in the middle.
        CMapPolygon polygon;
        for (int i = 0; i < kPolygonVertices; ++i) {
            const double a = 2 * M_PI * i / kPolygonVertices;
            polygon.AddPoint(CFloatPoint(50000 + 16000 * std::cos(a), 50000 + 16000 * std::sin(a)));
        }
        polygon.GetStyle()->SetBrushStyle(MAPBRUSH_SOLID);
        selection->AddObject(&polygon, FALSE);

        map.ZoomToExtent(nullptr);
        AfxTestProcessEvents();
        map.SetTool(TOOL_SELECT);
        map.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        map.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        AfxTestProcessEvents();
    }
    ~Scene()
    {
        map.ClearSelection(0);
        map.DestroyWindow();
        host.DestroyWindow();
        std::error_code error;
        fs::remove_all(folder, error);
    }
    bool Ready() { return map.GetSelectionCount() == 1 && map.GetSelectedObject()->GetType() == MAP_OBJECT_POLYGON; }

    // The pointer offset of move i: a path that wanders and comes back to the start.
    static CPoint Offset(int i)
    {
        if (i == kMoves - 1)
            return CPoint(0, 0);
        return CPoint((int)(60 * std::sin(i * 0.05)), (int)(40 * std::sin(i * 0.031)));
    }
};

// Made at first use, taken down before the application ends.
std::unique_ptr<Scene> g_scene;

Scene& TheScene()
{
    if (!g_scene)
        g_scene = std::make_unique<Scene>();
    return *g_scene;
}

void BM_SelectDragMove_Project(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.Ready()) {
        state.SkipWithError("the polygon is not selected");
        return;
    }
    const CPoint c = scene.centre;
    int repaints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scene.map.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y));
        AfxTestProcessEvents();
        state.ResumeTiming();
        for (int i = 0; i < kMoves; ++i) {
            const CPoint p = c + Scene::Offset(i);
            scene.map.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        }
        state.PauseTiming();
        // Nothing asked for a repaint while the pointer moved.
        repaints += scene.map.IsDirty() ? 1 : 0;
        scene.map.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
        AfxTestProcessEvents();
        state.ResumeTiming();
    }
    if (repaints)
        state.SkipWithError("the map was invalidated during the drag");
    state.counters["per_move"] =
        benchmark::Counter((double)state.iterations() * kMoves, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_SelectDragMove_Peer(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.Ready()) {
        state.SkipWithError("the polygon is not selected");
        return;
    }
    CMapObject* polygon = scene.map.GetSelectedObject();
    CRect client;
    scene.map.GetClientRect(&client);
    double x = scene.map.GetXOffset(), y = scene.map.GetYOffset(), zoom = scene.map.GetZoom();
    for (auto _ : state) {
        CPoint previous(0, 0);
        for (int i = 0; i < kMoves; ++i) {
            const CPoint now = Scene::Offset(i);
            CClientDC dc(&scene.map);
            if (i > 0) {
                dc.SetViewportOrg(previous.x, previous.y);
                polygon->DrawTracking(&dc, &client, &x, &y, &zoom);
            }
            dc.SetViewportOrg(now.x, now.y);
            polygon->DrawTracking(&dc, &client, &x, &y, &zoom);
            dc.SetViewportOrg(0, 0);
            previous = now;
        }
        CClientDC dc(&scene.map);
        dc.SetViewportOrg(previous.x, previous.y);
        polygon->DrawTracking(&dc, &client, &x, &y, &zoom);
    }
    state.counters["per_move"] =
        benchmark::Counter((double)state.iterations() * kMoves, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_SelectDragMove_Project)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SelectDragMove_Peer)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksAsApplication(argc, argv, [] { g_scene.reset(); });
}
