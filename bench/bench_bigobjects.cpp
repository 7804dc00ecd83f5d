// Big single objects read from a layer file, beside the least work that gives
// the same picture or answer: a polyline that leaves and re-enters a 1920 x
// 1080 view 10^5 times drawn through its layer against its device points drawn
// with the platform's DC; a polygon of 16 000 and 10^5 holes read from its row
// (and drawn) against the same BLOB read with SQLite and cut into rings (and
// drawn as one polypolygon); a ring of 10^5 vertices drawn, hit and measured
// against the same done on a plain array; and a spline of 1000 control points
// 300 km apart hit at a view that shows it whole (no peer: nothing else
// evaluates the curve). The figures grow with the vertices, pieces or holes as
// n log n or better; a quadratic path shows as a jump between sizes.
#include "bench/BenchApplication.h"
#include "core/Measure.h"
#include "core/MapStyle.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapObject.h"
#include "model/polygons/StoredRuns.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

using Blob = std::vector<BYTE>;

void Put(Blob& blob, float x, float y)
{
    BYTE b[8];
    MapRecord::PutFloat(b, x);
    MapRecord::PutFloat(b + 4, y);
    blob.insert(blob.end(), b, b + 8);
}

// The temporary folder of the program's layer files, removed at exit.
struct Folder {
    fs::path path;
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "kvbenchbigXXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~Folder()
    {
        std::error_code error;
        fs::remove_all(path, error);
    }
};
Folder& TempFolder()
{
    static Folder folder;
    return folder;
}

// A layer file (made once per name) holding one object of `type` with the
// given geometry and boundary as row 1.
CString LayerWith(const std::string& name, int type, const Blob& geometry, const CDoubleRect& boundary)
{
    static std::map<std::string, CString> made;
    if (auto at = made.find(name); at != made.end())
        return at->second;
    const CString path((TempFolder().path / (name + ".klz")).string().c_str());
    {
        CMapModel creator;
        CMapLayer probe(name.c_str());
        creator.CreateLayerDatabase(path, &probe);
    }
    sqlite3* db = nullptr;
    sqlite3_open(path, &db);
    sqlite3_exec(db, "delete from _MapProperty where ROWID=2;", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "insert into _MapGeoData values(1, NULL, NULL, NULL, ?, ?, ?, 0, -1);", -1, &stmt, nullptr);
    const CDoubleRect::Record record = boundary.ToRecord();
    sqlite3_bind_blob(stmt, 1, record.data(), CDoubleRect::kRecordSize, SQLITE_TRANSIENT);
    sqlite3_bind_blob(stmt, 2, geometry.data(), (int)geometry.size(), SQLITE_TRANSIENT);
    sqlite3_bind_int(stmt, 3, type);
    sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "insert into _MapMetaData(mapeID) values(1);", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return made[name] = path;
}

// A drawing surface of the view's size with a black pen and a grey brush.
struct Surface {
    CDC dc;
    CBitmap bitmap;
    CPen pen{PS_SOLID, 0, RGB(0, 0, 0)};
    CBrush brush{RGB(128, 128, 128)};
    CBitmap* oldBitmap;
    CPen* oldPen;
    CBrush* oldBrush;
    RECT client{0, 0, kWidth, kHeight};
    Surface()
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
        oldBitmap = dc.SelectObject(&bitmap);
        oldPen = dc.SelectObject(&pen);
        oldBrush = dc.SelectObject(&brush);
    }
    ~Surface()
    {
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
        dc.SelectObject(oldBitmap);
    }
};

// A map of one layer, opened from `path`, whose view shows map x and y from 0
// at `zoom` units per pixel.
struct OpenMap {
    CMapModel map;
    CMapLayer* layer = nullptr;
    double zoom;
    explicit OpenMap(const CString& path, double z, double originX = 0, double originY = 0) : zoom(z)
    {
        map.OpenLayer(path, nullptr);
        layer = map.GetLastLayer();
        map.SetClientRect(RECT{0, 0, kWidth, kHeight});
        map.SetZoom(z);
        map.SetXOffset(originX);
        map.SetYOffset(originY);
        map.UpdateViewRect(0, 0);
    }
};

// ---------------------------------------------------------------- a polyline in and out of the view
// `n` excursions: every other vertex lies far above the view.
Blob Zigzag(int n, double zoom)
{
    Blob blob;
    for (int i = 0; i < 2 * n; ++i)
        Put(blob, (float)(kWidth * zoom * i / (2.0 * n)), i % 2 ? 1.0e7f : (float)(kHeight * zoom / 2));
    return blob;
}

void BM_ZigzagDraw_Project(benchmark::State& state)
{
    const int n = (int)state.range(0);
    const CString path = LayerWith("zigzag" + std::to_string(n), MAP_OBJECT_POLYLINE, Zigzag(n, 1.0),
                                   CDoubleRect(0.0, 1.0e7, kWidth, kHeight / 2.0));
    OpenMap open(path, 1.0);
    Surface surface;
    double ox = 0, oy = 0, zoom = 1.0;
    for (auto _ : state)
        open.layer->Draw(&surface.dc, &surface.client, &ox, &oy, &zoom);
}

void BM_ZigzagDraw_Peer(benchmark::State& state)
{
    const int n = (int)state.range(0);
    std::vector<POINT> device;
    for (int i = 0; i < 2 * n; ++i)
        device.push_back(CFloatPoint((float)(kWidth * i / (2.0 * n)), i % 2 ? 1.0e7f : kHeight / 2.0f).ToDevice(0, 0, 1.0, kHeight));
    Surface surface;
    for (auto _ : state)
        surface.dc.Polyline(device.data(), (int)device.size());
}

// ---------------------------------------------------------------- a polygon with holes
Blob Holes(int holes)
{
    Blob blob;
    for (const auto& [x, y] : {std::pair{0.0f, 0.0f}, std::pair{1000.0f, 0.0f}, std::pair{1000.0f, 1000.0f},
                               std::pair{0.0f, 1000.0f}})
        Put(blob, x, y);
    const int side = (int)std::ceil(std::sqrt((double)holes));
    const float step = 900.0f / (float)side;
    for (int i = 0; i < holes; ++i) {
        const float x = 50 + (float)(i % side) * step, y = 50 + (float)(i / side) * step;
        Put(blob, FLT_MIN, FLT_MIN);
        Put(blob, x, y);
        Put(blob, x + step / 2, y);
        Put(blob, x, y + step / 2);
    }
    return blob;
}

CString HolesLayer(int holes)
{
    return LayerWith("holes" + std::to_string(holes), MAP_OBJECT_ADVPOLYGON, Holes(holes),
                     CDoubleRect(0.0, 1000.0, 1000.0, 0.0));
}

void BM_HolesRead_Project(benchmark::State& state)
{
    OpenMap open(HolesLayer((int)state.range(0)), 1.0);
    for (auto _ : state) {
        std::unique_ptr<CMapObject> object(open.layer->LoadObject(1, TRUE));
        object->LoadGeometry();
        benchmark::DoNotOptimize(object.get());
    }
}

// The row's BLOB read with a kept statement and cut into rings.
void BM_HolesRead_Peer(benchmark::State& state)
{
    const CString path = HolesLayer((int)state.range(0));
    sqlite3* db = nullptr;
    sqlite3_open_v2(path, &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "select mapeGeoData from _MapGeoData where mapeID=1;", -1, &stmt, nullptr);
    for (auto _ : state) {
        sqlite3_step(stmt);
        const BYTE* data = static_cast<const BYTE*>(sqlite3_column_blob(stmt, 0));
        const int count = sqlite3_column_bytes(stmt, 0) / 8;
        std::vector<std::vector<CFloatPoint>> rings(1);
        for (int i = 0; i < count; ++i) {
            const CFloatPoint p(MapRecord::GetFloat(data + 8 * i), MapRecord::GetFloat(data + 8 * i + 4));
            if (IsHoleSeparator(p))
                rings.emplace_back();
            else
                rings.back().push_back(p);
        }
        sqlite3_reset(stmt);
        benchmark::DoNotOptimize(rings.data());
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

void BM_HolesDraw_Project(benchmark::State& state)
{
    OpenMap open(HolesLayer((int)state.range(0)), 1.0);
    Surface surface;
    double ox = 0, oy = 0, zoom = 1.0;
    for (auto _ : state)
        open.layer->Draw(&surface.dc, &surface.client, &ox, &oy, &zoom);
}

void BM_HolesDraw_Peer(benchmark::State& state)
{
    const Blob blob = Holes((int)state.range(0));
    std::vector<POINT> points;
    std::vector<INT> counts(1, 0);
    for (size_t at = 0; at < blob.size(); at += 8) {
        const CFloatPoint p(MapRecord::GetFloat(blob.data() + at), MapRecord::GetFloat(blob.data() + at + 4));
        if (IsHoleSeparator(p)) {
            counts.push_back(0);
            continue;
        }
        points.push_back(p.ToDevice(0, 0, 1.0, kHeight));
        ++counts.back();
    }
    Surface surface;
    surface.dc.SetPolyFillMode(ALTERNATE);
    for (auto _ : state)
        surface.dc.PolyPolygon(points.data(), counts.data(), (int)counts.size());
}

// ---------------------------------------------------------------- a ring of many vertices
std::vector<CFloatPoint> Ring(int n)
{
    std::vector<CFloatPoint> ring;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        ring.emplace_back((float)(960 + 500 * std::cos(a)), (float)(540 + 500 * std::sin(a)));
    }
    return ring;
}

void BM_BigRing_Project(benchmark::State& state)
{
    const int n = (int)state.range(0);
    Blob blob;
    for (const CFloatPoint& p : Ring(n))
        Put(blob, p.x, p.y);
    OpenMap open(LayerWith("ring" + std::to_string(n), MAP_OBJECT_POLYGON, blob, CDoubleRect(460.0, 1040.0, 1460.0, 40.0)), 1.0);
    Surface surface;
    double ox = 0, oy = 0, zoom = 1.0;
    for (auto _ : state) {
        open.layer->Draw(&surface.dc, &surface.client, &ox, &oy, &zoom);
        std::unique_ptr<CMapObject> hit(open.layer->HitTest(kWidth / 2, kHeight / 2, &ox, &oy, &zoom, TRUE));
        benchmark::DoNotOptimize(hit.get());
        std::unique_ptr<CMapObject> object(open.layer->LoadObject(1, TRUE));
        benchmark::DoNotOptimize(object->GetLength(nullptr) + object->GetArea(nullptr));
    }
}

void BM_BigRing_Peer(benchmark::State& state)
{
    const std::vector<CFloatPoint> ring = Ring((int)state.range(0));
    std::vector<POINT> device;
    for (const CFloatPoint& p : ring)
        device.push_back(p.ToDevice(0, 0, 1.0, kHeight));
    Surface surface;
    for (auto _ : state) {
        surface.dc.Polygon(device.data(), (int)device.size());
        benchmark::DoNotOptimize(PointInPolygon((int)ring.size(), ring.data(), CFloatPoint(960, 540)));
        benchmark::DoNotOptimize(PathLength(ring.data(), (int)ring.size(), true, nullptr)
                                 + PlanarRingArea(ring.data(), (int)ring.size()));
    }
}

// ---------------------------------------------------------------- a long spline in metres
void BM_SplineHit_Project(benchmark::State& state)
{
    const int n = (int)state.range(0);
    Blob blob;
    for (int i = 0; i < n; ++i)
        Put(blob, 300000.0f * (float)i, i % 2 ? 300000.0f : 0.0f);
    const double width = 300000.0 * n;
    const CString path = LayerWith("spline" + std::to_string(n), MAP_OBJECT_SPLINE, blob,
                                   CDoubleRect(0.0, 400000.0, width, -100000.0));
    const double zoom = width / (kWidth - 100);
    OpenMap open(path, zoom, -50 * zoom, -(kHeight / 2.0) * zoom);
    double ox = -50 * zoom, oy = -(kHeight / 2.0) * zoom, z = zoom;
    for (auto _ : state) {
        std::unique_ptr<CMapObject> hit(open.layer->HitTest(kWidth / 2, kHeight / 2, &ox, &oy, &z, TRUE));
        benchmark::DoNotOptimize(hit.get());
    }
}

}

BENCHMARK(BM_ZigzagDraw_Project)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZigzagDraw_Peer)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HolesRead_Project)->Arg(16000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HolesRead_Peer)->Arg(16000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HolesDraw_Project)->Arg(16000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HolesDraw_Peer)->Arg(16000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigRing_Project)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigRing_Peer)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplineHit_Project)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunBenchmarksAsApplication(argc, argv);
}
