// A layer file beside raw SQLite and raw QPainter doing the same work: adding
// 100 000 nodes through the layer against prepared inserts of the same rows in
// one transaction; opening a layer against sequential scans of its tables;
// and, for layers of 10^5 and 10^6 mixed objects (polygons, polylines and
// nodes), building the layer, opening it with its saved index and with a
// rebuild, drawing the full extent and a 1 % view onto a 1920 x 1080 surface
// against drawing the same device polygons straight onto the same kind of
// surface (the platform's DC, which paints with QPainter; no layer, no SQL, no
// objects), and a point hit test in a dense area against the same candidates
// read by id and tested directly. The program starts as the application does
// (AfxWinMain), so fonts and the resources are there as they are for the
// program. The shapes are the program's own polygon and polyline kinds drawn
// with the layer's style, so the figures take in the whole way from the index
// to the device: row query, object factory, row reading, device points, CDC.
#include "bench/BenchApplication.h"
#include "core/Settings.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapNode.h"
#include "model/layers/MapObject.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "platform/gdi/CDC.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kWorld = 100000.0;

// The objects of a layer: 49 % polygons, 49 % polylines, 2 % nodes, over a
// square world, denser towards its centre.
struct Shape {
    int type;
    std::vector<CFloatPoint> points;
};

std::vector<Shape> MakeShapes(int n)
{
    std::mt19937 random(777u + (unsigned)n);
    std::normal_distribution<double> centre(kWorld / 2, kWorld / 6);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<Shape> shapes((size_t)n);
    const double size = kWorld / std::sqrt((double)n) * 1.5;
    for (Shape& s : shapes) {
        const double x = std::clamp(centre(random), 0.0, kWorld), y = std::clamp(centre(random), 0.0, kWorld);
        const double kind = unit(random);
        if (kind < 0.02) {
            s.type = MAP_OBJECT_NODE;
            s.points = {CFloatPoint(x, y)};
            continue;
        }
        s.type = kind < 0.51 ? MAP_OBJECT_POLYGON : MAP_OBJECT_POLYLINE;
        const int corners = 4 + (int)(unit(random) * 5);
        for (int i = 0; i < corners; ++i) {
            const double a = 6.2831853 * i / corners;
            const double r = size * (0.3 + 0.7 * unit(random));
            s.points.emplace_back(x + r * std::cos(a), y + r * std::sin(a));
        }
    }
    return shapes;
}

// The benchmarks' temporary folder, made at first use; the folder object itself
// removes it at exit, so nothing reads its path after the path is gone.
struct TemporaryFolder {
    std::string path;
    TemporaryFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "kvbenchXXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TemporaryFolder()
    {
        std::error_code error;
        fs::remove_all(path, error);
    }
};

CString BenchFolder()
{
    static const TemporaryFolder folder;
    return CString(folder.path.c_str());
}

CMapObject* MakeObject(const Shape& s)
{
    if (s.type == MAP_OBJECT_NODE) {
        auto* node = new CMapNode;
        node->SetPosition(s.points[0].x, s.points[0].y);
        return node;
    }
    CMapPointList* shape = s.type == MAP_OBJECT_POLYGON ? static_cast<CMapPointList*>(new CMapPolygon)
                                                        : static_cast<CMapPointList*>(new CMapPolyline);
    for (const CFloatPoint& p : s.points)
        shape->AppendPoint(p);
    shape->SetUseLayerStyle(TRUE);
    return shape;
}

// Builds the layer file of `shapes` at `path`; returns the open map.
std::unique_ptr<CMapModel> BuildLayer(const CString& path, const std::vector<Shape>& shapes)
{
    std::error_code error;
    fs::remove(path.GetString(), error);
    auto map = std::make_unique<CMapModel>();
    CMapLayer probe("Bench");
    map->CreateLayerDatabase(path, &probe);
    map->OpenLayer(path, nullptr);
    CMapLayer* layer = map->GetLastLayer();
    for (const Shape& s : shapes) {
        CMapObject* object = MakeObject(s);
        layer->AddObject(object, TRUE);
        if (!CMapLayer::IsPointObjectType(object->GetType()))
            delete object;
    }
    layer->SaveProperties();
    return map;
}

const std::vector<Shape>& ShapesFor(int n)
{
    static std::map<int, std::vector<Shape>> cache;
    auto& shapes = cache[n];
    if (shapes.empty())
        shapes = MakeShapes(n);
    return shapes;
}

CString LayerPath(int n)
{
    return BenchFolder() + "/mixed" + CString(std::to_string(n).c_str()) + ".klz";
}

// The built layer of n objects, made once.
const CString& BuiltLayer(int n)
{
    static std::map<int, CString> built;
    auto it = built.find(n);
    if (it == built.end()) {
        BuildLayer(LayerPath(n), ShapesFor(n));
        it = built.emplace(n, LayerPath(n)).first;
    }
    return it->second;
}

// ---------------------------------------------------------------- adding nodes
constexpr int kNodes = 100000;

void BM_AddNodes_Project(benchmark::State& state)
{
    const CString path = BenchFolder() + "/nodes.klz";
    std::unique_ptr<CMapModel> map;
    for (auto _ : state) {
        state.PauseTiming();
        map.reset();
        std::error_code error;
        fs::remove(path.GetString(), error);
        map = std::make_unique<CMapModel>();
        CMapLayer probe("Nodes");
        map->CreateLayerDatabase(path, &probe);
        map->OpenLayer(path, nullptr);
        CMapLayer* layer = map->GetLastLayer();
        state.ResumeTiming();
        for (int i = 0; i < kNodes; ++i) {
            auto* node = new CMapNode;
            node->SetPosition(i % 1000, i / 1000);
            layer->AddObject(node, TRUE);
        }
        layer->GetDatabase()->Execute("COMMIT TRANSACTION;");
    }
}

void BM_AddNodes_Peer(benchmark::State& state)
{
    const CString path = BenchFolder() + "/nodes.klz";
    // The same rows: the node's style record and boundary as the layer writes them.
    CMapNode sample;
    const std::vector<BYTE> style = sample.GetPropertyColumn();
    for (auto _ : state) {
        state.PauseTiming();
        std::error_code error;
        fs::remove(path.GetString(), error);
        {
            CMapModel map;
            CMapLayer probe("Nodes");
            map.CreateLayerDatabase(path, &probe);
        }
        state.ResumeTiming();
        sqlite3* db = nullptr;
        sqlite3_open(path, &db);
        sqlite3_exec(db, "BEGIN TRANSACTION;", nullptr, nullptr, nullptr);
        sqlite3_stmt* geo = nullptr;
        sqlite3_stmt* meta = nullptr;
        sqlite3_prepare_v2(db, "insert into _MapGeoData values (?, ?, ?, ?, ?, ?, ?, ?, ?);", -1, &geo, nullptr);
        sqlite3_prepare_v2(db, "insert into _MapMetaData values (?);", -1, &meta, nullptr);
        for (int i = 0; i < kNodes; ++i) {
            const float x = (float)(i % 1000), y = (float)(i / 1000);
            const CDoubleRect::Record bounds = CDoubleRect(x, y, x, y).ToRecord();
            BYTE point[8];
            MapRecord::PutFloat(point, x);
            MapRecord::PutFloat(point + 4, y);
            sqlite3_bind_int64(geo, 1, i + 1);
            sqlite3_bind_blob(geo, 4, style.data(), (int)style.size(), SQLITE_TRANSIENT);
            sqlite3_bind_blob(geo, 5, bounds.data(), (int)bounds.size(), SQLITE_TRANSIENT);
            sqlite3_bind_blob(geo, 6, point, 8, SQLITE_TRANSIENT);
            sqlite3_bind_int(geo, 7, MAP_OBJECT_NODE);
            sqlite3_bind_int(geo, 8, 0);
            sqlite3_bind_int(geo, 9, -1);
            sqlite3_step(geo);
            sqlite3_reset(geo);
            sqlite3_bind_int64(meta, 1, i + 1);
            sqlite3_step(meta);
            sqlite3_reset(meta);
        }
        sqlite3_finalize(geo);
        sqlite3_finalize(meta);
        sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
}

// ---------------------------------------------------------------- opening
// Times opening `path` into a new map; the previous map is closed untimed.
// With `rebuild` the saved index is dropped first, so the opening rebuilds it.
void TimeOpening(benchmark::State& state, const CString& path, bool rebuild)
{
    std::unique_ptr<CMapModel> map;
    for (auto _ : state) {
        state.PauseTiming();
        map.reset();
        if (rebuild) {
            CSQLiteDatabase db;
            db.Open(path);
            db.Execute("delete from _MapProperty where ROWID=2;");
        }
        state.ResumeTiming();
        map = std::make_unique<CMapModel>();
        map->OpenLayer(path, nullptr);
        benchmark::DoNotOptimize(map->GetLastLayer()->GetObjectCount());
    }
}

// Sequential scans of both tables, every column touched.
void ScanTables(const CString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path, &db, SQLITE_OPEN_READONLY, nullptr);
    long long sum = 0;
    for (const char* sql : {"select * from _MapGeoData;", "select * from _MapMetaData;"}) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const int columns = sqlite3_column_count(stmt);
            for (int i = 0; i < columns; ++i)
                sum += sqlite3_column_bytes(stmt, i);
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    benchmark::DoNotOptimize(sum);
}

void BM_OpenNodes_Project(benchmark::State& state)
{
    const CString path = BenchFolder() + "/opennodes.klz";
    {
        std::vector<Shape> nodes;
        for (int i = 0; i < kNodes; ++i)
            nodes.push_back({MAP_OBJECT_NODE, {CFloatPoint(i % 1000, i / 1000)}});
        BuildLayer(path, nodes);
    }
    TimeOpening(state, path, false);
}

void BM_OpenNodes_Peer(benchmark::State& state)
{
    const CString path = BenchFolder() + "/opennodes.klz";
    for (auto _ : state)
        ScanTables(path);
}

// ---------------------------------------------------------------- mixed layers
void BM_Build_Project(benchmark::State& state)
{
    const int n = (int)state.range(0);
    const std::vector<Shape>& shapes = ShapesFor(n);
    std::unique_ptr<CMapModel> map;
    for (auto _ : state) {
        state.PauseTiming();
        map.reset();
        state.ResumeTiming();
        map = BuildLayer(BenchFolder() + "/build.klz", shapes);
    }
}

void BM_OpenSavedIndex_Project(benchmark::State& state)
{
    TimeOpening(state, BuiltLayer((int)state.range(0)), false);
}

void BM_OpenRebuild_Project(benchmark::State& state)
{
    TimeOpening(state, BuiltLayer((int)state.range(0)), true);
}

// Both openings beside the same scans of the tables.
void BM_OpenSavedIndex_Peer(benchmark::State& state)
{
    const CString& path = BuiltLayer((int)state.range(0));
    for (auto _ : state)
        ScanTables(path);
}

void BM_OpenRebuild_Peer(benchmark::State& state)
{
    BM_OpenSavedIndex_Peer(state);
}

// The view: the full extent, or a 1 % part of it (a tenth of each side) in
// the dense middle; the zoom fits it to the surface.
struct View {
    double originX, originY, zoom;
};

View ViewFor(bool full)
{
    const double side = full ? kWorld : kWorld / 10;
    const double zoom = std::max(side / kWidth, side / kHeight);
    const double start = full ? 0.0 : kWorld / 2 - side / 2;
    return {start, start, zoom};
}

// The built layer of the benchmark's size, opened into `map` as a window shows it.
CMapLayer* OpenBuilt(benchmark::State& state, CMapModel& map)
{
    map.OpenLayer(BuiltLayer((int)state.range(0)), nullptr);
    map.SetClientRect(RECT{0, 0, kWidth, kHeight});
    map.UpdateViewRect(0, 0);
    return map.GetLastLayer();
}

// The map shows the view as a window shows it: its offsets, zoom and view
// rectangle, which the objects' device points are made for.
void ShowView(CMapModel& map, View& v)
{
    map.SetXOffset(v.originX);
    map.SetYOffset(v.originY);
    map.SetZoom(v.zoom);
    map.UpdateViewRect(v.originX, v.originY);
}

void DrawLayer(benchmark::State& state, bool full)
{
    CMapModel map;
    CMapLayer* layer = OpenBuilt(state, map);
    View v = ViewFor(full);
    map.SetZoom(v.zoom);
    map.UpdateViewRect(v.originX, v.originY);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    const RECT client{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(255, 255, 255));
        layer->Draw(&dc, &client, &v.originX, &v.originY, &v.zoom);
    }
    dc.SelectObject(old);
}

// The device polygons of the shapes in the view, computed once, drawn with a
// one-pixel pen and a white brush as the layer's default style draws them.
void DrawDirect(benchmark::State& state, bool full)
{
    const std::vector<Shape>& shapes = ShapesFor((int)state.range(0));
    const View v = ViewFor(full);
    const CDoubleRect view(v.originX, v.originY, v.originX + kWidth * v.zoom, v.originY + kHeight * v.zoom);
    struct Device {
        bool closed;
        std::vector<POINT> points;
    };
    std::vector<Device> device;
    for (const Shape& s : shapes) {
        if (s.type == MAP_OBJECT_NODE)
            continue;
        Device d{s.type == MAP_OBJECT_POLYGON, {}};
        bool inside = false;
        for (const CFloatPoint& p : s.points) {
            d.points.push_back(p.ToDevice(v.originX, v.originY, v.zoom, kHeight));
            inside = inside || view.ContainsXY(p.x, p.y);
        }
        if (inside)
            device.push_back(std::move(d));
    }
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
    CBrush brush(RGB(255, 255, 255));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    for (auto _ : state) {
        dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(255, 255, 255));
        for (const Device& d : device) {
            if (d.closed)
                dc.Polygon(d.points.data(), (int)d.points.size());
            else
                dc.Polyline(d.points.data(), (int)d.points.size());
        }
    }
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.SelectObject(old);
}

void BM_DrawFull_Project(benchmark::State& state) { DrawLayer(state, true); }
void BM_DrawFull_Peer(benchmark::State& state) { DrawDirect(state, true); }
void BM_DrawView1pc_Project(benchmark::State& state) { DrawLayer(state, false); }
void BM_DrawView1pc_Peer(benchmark::State& state) { DrawDirect(state, false); }

// A pixel in the middle of the 1 % view, where the objects are densest.
void BM_HitTest_Project(benchmark::State& state)
{
    CMapModel map;
    CMapLayer* layer = OpenBuilt(state, map);
    View v = ViewFor(false);
    ShowView(map, v);
    for (auto _ : state) {
        CMapObject* hit = layer->HitTest(kWidth / 2, kHeight / 2, &v.originX, &v.originY, &v.zoom, TRUE);
        if (hit && !CMapLayer::IsPointObjectType(hit->GetType()))
            delete hit;
        benchmark::DoNotOptimize(hit);
    }
}

// The same candidates from the same index, their rows read by id with a kept
// statement and tested on their boundaries.
void BM_HitTest_Peer(benchmark::State& state)
{
    const CString& path = BuiltLayer((int)state.range(0));
    CMapModel map;
    map.OpenLayer(path, nullptr);
    CMapLayer* layer = map.GetLastLayer();
    const View v = ViewFor(false);
    const double x = v.originX + kWidth / 2 * v.zoom, y = v.originY + kHeight / 2 * v.zoom;
    sqlite3* db = nullptr;
    sqlite3_open_v2(path, &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "select mapeBoundary, mapeGeoData from _MapGeoData where mapeID=?;", -1, &stmt, nullptr);
    const float tolerance = (float)(2 * v.zoom);
    for (auto _ : state) {
        std::vector<int> ids;
        layer->GetIndex().Search(
            CRTree::Rect{(float)x - tolerance, (float)y - tolerance, (float)x + tolerance, (float)y + tolerance},
            [](int id, void* out) {
                static_cast<std::vector<int>*>(out)->push_back(id);
                return true;
            },
            &ids);
        std::sort(ids.rbegin(), ids.rend());
        int found = 0;
        for (int id : ids) {
            sqlite3_bind_int(stmt, 1, id);
            if (sqlite3_step(stmt) == SQLITE_ROW) {
                CDoubleRect r;
                r.ReadRecord(sqlite3_column_blob(stmt, 0), sqlite3_column_bytes(stmt, 0));
                if (r.ContainsXY(x, y)) {
                    found = id;
                    sqlite3_reset(stmt);
                    break;
                }
            }
            sqlite3_reset(stmt);
        }
        benchmark::DoNotOptimize(found);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}


// ---------------------------------------------------------------- selection and hit tests beside an R*Tree
// The peer's copy of a built layer file with an SQLite R*Tree of the rows'
// boundaries added to it, made once: the peer queries the same rows through
// SQLite's own spatial index.
const CString& LayerWithRTree(int n)
{
    static std::map<int, CString> made;
    auto it = made.find(n);
    if (it != made.end())
        return it->second;
    const CString path = BenchFolder() + "/rtree" + CString(std::to_string(n).c_str()) + ".klz";
    std::error_code error;
    fs::copy_file(BuiltLayer(n).GetString(), path.GetString(), fs::copy_options::overwrite_existing, error);
    sqlite3* db = nullptr;
    sqlite3_open(path, &db);
    sqlite3_exec(db, "BEGIN; create virtual table rt using rtree(id, minX, maxX, minY, maxY);", nullptr, nullptr,
                 nullptr);
    sqlite3_stmt* rows = nullptr;
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "select mapeID, mapeBoundary from _MapGeoData;", -1, &rows, nullptr);
    sqlite3_prepare_v2(db, "insert into rt values (?, ?, ?, ?, ?);", -1, &insert, nullptr);
    while (sqlite3_step(rows) == SQLITE_ROW) {
        CDoubleRect r;
        r.ReadRecord(sqlite3_column_blob(rows, 1), sqlite3_column_bytes(rows, 1));
        sqlite3_bind_int(insert, 1, sqlite3_column_int(rows, 0));
        sqlite3_bind_double(insert, 2, std::min(r.left, r.right));
        sqlite3_bind_double(insert, 3, std::max(r.left, r.right));
        sqlite3_bind_double(insert, 4, std::min(r.bottom, r.top));
        sqlite3_bind_double(insert, 5, std::max(r.bottom, r.top));
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(rows);
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return made.emplace(n, path).first->second;
}

// The peer's session on that file: the R*Tree query and the row read by id, prepared once.
struct PeerRows {
    sqlite3* db = nullptr;
    sqlite3_stmt* contained = nullptr;
    sqlite3_stmt* overlapping = nullptr;
    sqlite3_stmt* row = nullptr;
    explicit PeerRows(const CString& path)
    {
        sqlite3_open_v2(path, &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_prepare_v2(db, "select id from rt where minX>=?1 and maxX<=?2 and minY>=?3 and maxY<=?4;", -1,
                           &contained, nullptr);
        sqlite3_prepare_v2(db, "select id from rt where maxX>=?1 and minX<=?2 and maxY>=?3 and minY<=?4;", -1,
                           &overlapping, nullptr);
        sqlite3_prepare_v2(db, "select mapeBoundary, mapeGeoData, mapeObjectType from _MapGeoData where mapeID=?;",
                           -1, &row, nullptr);
    }
    ~PeerRows()
    {
        sqlite3_finalize(contained);
        sqlite3_finalize(overlapping);
        sqlite3_finalize(row);
        sqlite3_close(db);
    }
    std::vector<int> Query(sqlite3_stmt* stmt, const CDoubleRect& r)
    {
        std::vector<int> ids;
        sqlite3_bind_double(stmt, 1, r.left);
        sqlite3_bind_double(stmt, 2, r.right);
        sqlite3_bind_double(stmt, 3, r.bottom);
        sqlite3_bind_double(stmt, 4, r.top);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            ids.push_back(sqlite3_column_int(stmt, 0));
        sqlite3_reset(stmt);
        return ids;
    }
};

// The map rectangle of a device rectangle of the view.
CDoubleRect MapRectOf(const View& v, const RECT& device)
{
    return CDoubleRect(v.originX + device.left * v.zoom, v.originY + (kHeight - device.bottom) * v.zoom,
                       v.originX + device.right * v.zoom, v.originY + (kHeight - device.top) * v.zoom);
}

// The central quarter of the view (half of each side), or a 100 x 100 pixel square in its middle.
RECT SelectionRect(bool quarter)
{
    return quarter ? RECT{kWidth / 4, kHeight / 4, kWidth * 3 / 4, kHeight * 3 / 4}
                   : RECT{kWidth / 2 - 50, kHeight / 2 - 50, kWidth / 2 + 50, kHeight / 2 + 50};
}

void EmptySelection(CMapModel& map)
{
    CList<CMapObject*, CMapObject*>& selection = map.GetSelectedObjects();
    while (!selection.IsEmpty()) {
        CMapObject* object = selection.RemoveHead();
        if (!CMapLayer::IsPointObjectType(object->GetType()))
            delete object;
    }
}

void SelectLayer(benchmark::State& state, bool quarter)
{
    CMapModel map;
    CMapLayer* layer = OpenBuilt(state, map);
    View v = ViewFor(true);
    ShowView(map, v);
    const RECT device = SelectionRect(quarter);
    const CDoubleRect rect = MapRectOf(v, device);
    for (auto _ : state) {
        layer->SelectInRect(rect, device);
        state.PauseTiming();
        EmptySelection(map);
        state.ResumeTiming();
    }
}

// The R*Tree's contained boxes, each row read and its stored boundary tested exactly.
void SelectPeer(benchmark::State& state, bool quarter)
{
    PeerRows peer(LayerWithRTree((int)state.range(0)));
    const View v = ViewFor(true);
    const CDoubleRect rect = MapRectOf(v, SelectionRect(quarter));
    for (auto _ : state) {
        std::vector<int> kept;
        for (int id : peer.Query(peer.contained, rect)) {
            sqlite3_bind_int(peer.row, 1, id);
            if (sqlite3_step(peer.row) == SQLITE_ROW) {
                CDoubleRect r;
                r.ReadRecord(sqlite3_column_blob(peer.row, 0), sqlite3_column_bytes(peer.row, 0));
                benchmark::DoNotOptimize(sqlite3_column_blob(peer.row, 1));
                if (rect.ContainsXY(r.left, r.bottom) && rect.ContainsXY(r.right, r.top))
                    kept.push_back(id);
            }
            sqlite3_reset(peer.row);
        }
        benchmark::DoNotOptimize(kept.data());
    }
}

void BM_SelectQuarter_Project(benchmark::State& state) { SelectLayer(state, true); }
void BM_SelectQuarter_Peer(benchmark::State& state) { SelectPeer(state, true); }
void BM_Select100px_Project(benchmark::State& state) { SelectLayer(state, false); }
void BM_Select100px_Peer(benchmark::State& state) { SelectPeer(state, false); }

// 200 pixels of a 20 x 10 grid over the middle of the dense 1 % view.
std::vector<CPoint> HitPixels()
{
    std::vector<CPoint> pixels;
    for (int j = 0; j < 10; ++j)
        for (int i = 0; i < 20; ++i)
            pixels.emplace_back(kWidth / 4 + i * kWidth / 40, kHeight / 4 + j * kHeight / 20);
    return pixels;
}

void BM_HitTest200_Project(benchmark::State& state)
{
    CMapModel map;
    CMapLayer* layer = OpenBuilt(state, map);
    View v = ViewFor(false);
    ShowView(map, v);
    const std::vector<CPoint> pixels = HitPixels();
    for (auto _ : state) {
        int hits = 0;
        for (const CPoint& p : pixels) {
            CMapObject* hit = layer->HitTest(p.x, p.y, &v.originX, &v.originY, &v.zoom, TRUE);
            hits += hit != nullptr;
            if (hit && !CMapLayer::IsPointObjectType(hit->GetType()))
                delete hit;
        }
        benchmark::DoNotOptimize(hits);
    }
}

// The project's test on the stored geometry: inside a polygon's ring, within
// `tolerance` of a polyline, or of a node.
bool PeerHit(const void* blob, int bytes, int type, double x, double y, double tolerance)
{
    const int count = blob ? bytes / 8 : 0;
    const auto* p = static_cast<const BYTE*>(blob);
    const auto at = [&](int i) {
        return std::pair<double, double>(MapRecord::GetFloat(p + 8 * i), MapRecord::GetFloat(p + 8 * i + 4));
    };
    if (count == 0)
        return false;
    if (count == 1) {
        const auto [ax, ay] = at(0);
        return std::hypot(ax - x, ay - y) <= tolerance;
    }
    bool inside = false;
    const bool polygon = type == MAP_OBJECT_POLYGON;
    const int edges = polygon ? count : count - 1;
    for (int i = 0; i < edges; ++i) {
        const auto [ax, ay] = at(i);
        const auto [bx, by] = at((i + 1) % count);
        const double dx = bx - ax, dy = by - ay;
        if (polygon) {
            if ((ay > y) != (by > y) && x < ax + (y - ay) * dx / dy)
                inside = !inside;
            continue;
        }
        const double len = dx * dx + dy * dy;
        const double t = len > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / len, 0.0, 1.0) : 0.0;
        if (std::hypot(ax + t * dx - x, ay + t * dy - y) <= tolerance)
            return true;
    }
    return inside;
}

void BM_HitTest200_Peer(benchmark::State& state)
{
    PeerRows peer(LayerWithRTree((int)state.range(0)));
    const View v = ViewFor(false);
    const std::vector<CPoint> pixels = HitPixels();
    const double tolerance = g_SnapPoints * v.zoom;
    for (auto _ : state) {
        int hits = 0;
        for (const CPoint& pixel : pixels) {
            const double x = v.originX + pixel.x * v.zoom, y = v.originY + (kHeight - pixel.y) * v.zoom;
            std::vector<int> ids =
                peer.Query(peer.overlapping, CDoubleRect(x - tolerance, y - tolerance, x + tolerance, y + tolerance));
            std::sort(ids.rbegin(), ids.rend());
            for (int id : ids) {
                sqlite3_bind_int(peer.row, 1, id);
                bool hit = false;
                if (sqlite3_step(peer.row) == SQLITE_ROW)
                    hit = PeerHit(sqlite3_column_blob(peer.row, 1), sqlite3_column_bytes(peer.row, 1),
                                  sqlite3_column_int(peer.row, 2), x, y, tolerance);
                sqlite3_reset(peer.row);
                if (hit) {
                    ++hits;
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(hits);
    }
}
}

BENCHMARK(BM_AddNodes_Project)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AddNodes_Peer)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenNodes_Project)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenNodes_Peer)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Build_Project)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenSavedIndex_Project)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenRebuild_Project)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenSavedIndex_Peer)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenRebuild_Peer)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DrawFull_Project)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DrawFull_Peer)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DrawView1pc_Project)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DrawView1pc_Peer)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_HitTest_Project)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitTest_Peer)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectQuarter_Project)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SelectQuarter_Peer)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Select100px_Project)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Select100px_Peer)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTest200_Project)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTest200_Peer)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunBenchmarksAsApplication(argc, argv);
}
