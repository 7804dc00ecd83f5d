// Layer files whose geometry rows do not hold what their kind stores: each
// damaged row is refused with a message naming the layer and its id, while
// every sound row of the same file loads, draws, hits, measures, clones and
// saves; the refused rows stay in the file. Rows with vast but finite values
// are sound and measure to finite figures.
#include "core/DoubleRect.h"
#include "core/MapStyle.h"
#include "core/ObjectTypes.h"
#include "model/MapLayer.h"
#include "model/MapModel.h"
#include "model/MapObject.h"
#include "model/StoredGeometry.h"
#include "model/StoredRuns.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/testing/ModalRecorder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using Blob = std::vector<BYTE>;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

void PutFloat(Blob& b, float v)
{
    BYTE bytes[4];
    MapRecord::PutFloat(bytes, v);
    b.insert(b.end(), bytes, bytes + 4);
}

void PutDouble(Blob& b, double v)
{
    unsigned long long bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        b.push_back((BYTE)(bits >> (8 * i)));
}

// Records of x, y pairs; a pair may be a separator.
Blob Records(std::initializer_list<std::pair<float, float>> points)
{
    Blob b;
    for (const auto& [x, y] : points)
        PutFloat(b, x), PutFloat(b, y);
    return b;
}

const std::pair<float, float> kHole{FLT_MIN, FLT_MIN};
const std::pair<float, float> kPart{FLT_MAX, FLT_MAX};

Blob ArcRecord(float sx, float sy, float ex, float ey, double l, double t, double r, double b)
{
    Blob blob = Records({{sx, sy}, {ex, ey}});
    blob.resize(blob.size() + 8, 0);   // the rectangle record's reserved header
    for (double v : {l, t, r, b})
        PutDouble(blob, v);
    return blob;
}

Blob Bounds(double l, double t, double r, double b)
{
    const CDoubleRect::Record record = CDoubleRect(l, t, r, b).ToRecord();
    return Blob(record.begin(), record.end());
}

struct Row {
    int id;
    int type;
    Blob geometry;
    Blob boundary;
    bool nullGeometry = false;
    bool nullBoundary = false;
};

// One sound row of each kind checked, each around its own spot of a 100 x 100 map.
std::vector<Row> SoundRows()
{
    const Blob square = Records({{10, 10}, {20, 10}, {20, 20}, {10, 20}});
    return {
        {1, MAP_OBJECT_ARC, ArcRecord(30, 25, 25, 30, 20, 30, 30, 20), Bounds(20, 30, 30, 20)},
        {2, MAP_OBJECT_LINE, Records({{40, 20}, {50, 30}}), Bounds(40, 30, 50, 20)},
        {3, MAP_OBJECT_POLYGON, square, Bounds(10, 20, 20, 10)},
        {4, MAP_OBJECT_POLYLINE, Records({{60, 10}, {70, 20}, {80, 10}}), Bounds(60, 20, 80, 10)},
        {5, MAP_OBJECT_POLYPOLYGON, Records({{10, 40}, {30, 40}, {30, 60}, {10, 60}, kHole, {15, 45}, {20, 45}, {20, 50}}),
         Bounds(10, 60, 30, 40)},
        {6, MAP_OBJECT_POLYPOLYLINE, Records({{40, 40}, {50, 50}, kPart, {40, 50}, {50, 40}}), Bounds(40, 50, 50, 40)},
        {7, MAP_OBJECT_ADVPOLYGON, Records({{60, 40}, {80, 40}, {80, 60}, {60, 60}, kHole, {65, 45}, {70, 45}, {70, 50}}),
         Bounds(60, 60, 80, 40)},
        {8, MAP_OBJECT_POLYADVPOLYGON,
         Records({{10, 70}, {20, 70}, {20, 80}, kHole, {12, 72}, {15, 72}, {15, 75}, kPart, {25, 70}, {30, 70}, {30, 75}}),
         Bounds(10, 80, 30, 70)},
        {9, MAP_OBJECT_CHORD, ArcRecord(50, 75, 45, 80, 40, 80, 50, 70), Bounds(40, 80, 50, 70)},
        {10, MAP_OBJECT_PIE, ArcRecord(70, 75, 65, 80, 60, 80, 70, 70), Bounds(60, 80, 70, 70)},
        {11, MAP_OBJECT_SPLINE, Records({{80, 70}, {85, 80}, {95, 75}}), Bounds(80, 81, 95, 70)},
    };
}

// A point inside or on each sound row's figure, where a click hits it.
struct Spot {
    int id;
    int x, y;   // map units = pixels, y upwards
};
const Spot kSpots[] = {{3, 15, 15}, {5, 25, 55}, {7, 75, 55}, {9, 48, 78}, {10, 67, 77}, {4, 65, 15}};

class HostileRows : public ::testing::Test {
protected:
    HostileRows() : m_folder("kvhostile") { path = m_folder.File("Test.klz"); }

    // A layer file made by the map code holding `rows`, with no saved index,
    // so that the opening builds it from the rows.
    void MakeFile(const std::vector<Row>& rows)
    {
        std::filesystem::remove(path.GetString());
        {
            CMapModel creator;
            CMapLayer probe("Test");
            ASSERT_EQ(creator.CreateLayerDatabase(path, &probe), 1);
        }
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path, &db), SQLITE_OK);
        sqlite3_exec(db, "delete from _MapProperty where ROWID=2;", nullptr, nullptr, nullptr);
        for (const Row& row : rows)
            Insert(db, row);
        sqlite3_close(db);
    }
    static void Insert(sqlite3* db, const Row& row)
    {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "insert into _MapGeoData values(?, NULL, NULL, NULL, ?, ?, ?, 0, -1);", -1, &stmt,
                           nullptr);
        sqlite3_bind_int(stmt, 1, row.id);
        if (!row.nullBoundary)
            sqlite3_bind_blob(stmt, 2, row.boundary.data(), (int)row.boundary.size(), SQLITE_TRANSIENT);
        if (!row.nullGeometry)
            sqlite3_bind_blob(stmt, 3, row.geometry.data(), (int)row.geometry.size(), SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 4, row.type);
        ASSERT_EQ(sqlite3_step(stmt), SQLITE_DONE) << sqlite3_errmsg(db);
        sqlite3_finalize(stmt);
        const std::string meta = "insert into _MapMetaData(mapeID) values(" + std::to_string(row.id) + ");";
        sqlite3_exec(db, meta.c_str(), nullptr, nullptr, nullptr);
    }
    long long RawCount() const
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path, &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* stmt = nullptr;
        long long n = -1;
        if (sqlite3_prepare_v2(db, "select count(*) from _MapGeoData;", -1, &stmt, nullptr) == SQLITE_OK
            && sqlite3_step(stmt) == SQLITE_ROW)
            n = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return n;
    }

    void Open()
    {
        layer = nullptr;
        model = std::make_unique<CMapModel>();
        ASSERT_TRUE(model->OpenLayer(path, nullptr));
        layer = model->GetLastLayer();
        model->SetClientRect(RECT{0, 0, 100, 100});
        model->SetZoom(1.0);
        model->SetXOffset(0);
        model->SetYOffset(0);
        model->UpdateViewRect(0, 0);
    }

    // Everything a user does with the layer's objects, on every sound row:
    // drawn, hit, measured, cloned (a new id each) and saved.
    void UseSoundRows()
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateBitmap(100, 100, 1, 32, nullptr);
        CBitmap* old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 100, 100, RGB(255, 255, 255));
        RECT client{0, 0, 100, 100};
        double ox = 0, oy = 0, zoom = 1;
        layer->Draw(&dc, &client, &ox, &oy, &zoom);
        dc.SelectObject(old);

        for (const Spot& spot : kSpots) {
            std::unique_ptr<CMapObject> hit(layer->HitTest(spot.x, 100 - spot.y, &ox, &oy, &zoom, TRUE));
            ASSERT_TRUE(hit) << "id " << spot.id;
            EXPECT_EQ(hit->GetMapeID(), spot.id);
        }
        for (const Row& row : SoundRows()) {
            std::unique_ptr<CMapObject> object(layer->LoadObject(row.id, TRUE));
            ASSERT_TRUE(object) << "id " << row.id;
            EXPECT_TRUE(std::isfinite(object->GetLength(nullptr))) << "id " << row.id;
            EXPECT_TRUE(std::isfinite(object->GetArea(nullptr))) << "id " << row.id;
            object->LoadGeometry();
            std::unique_ptr<CMapObject> clone(object->Clone(layer));
            EXPECT_GT(clone->GetMapeID(), 11) << "id " << row.id;
        }
        layer->SaveProperties();
    }

    testsupport::TempFolder m_folder;
    CString path;
    std::unique_ptr<CMapModel> model;
    CMapLayer* layer = nullptr;
};

struct Damage {
    const char* what;
    Row row;
};

Blob Copies(int count, float x, float y)
{
    Blob b;
    for (int i = 0; i < count; ++i)
        PutFloat(b, x + (float)i), PutFloat(b, y);
    return b;
}

std::vector<Damage> DamagedRows()
{
    const Blob box = Bounds(0, 100, 100, 0);
    const Blob square = Records({{10, 10}, {20, 10}, {20, 20}});
    Blob shortArc = ArcRecord(1, 0, 0, 1, -1, 1, 1, -1);
    shortArc.pop_back();
    Blob longArc = ArcRecord(1, 0, 0, 1, -1, 1, 1, -1);
    longArc.push_back(0);
    return {
        {"arc of 55 bytes", {100, MAP_OBJECT_ARC, shortArc, box}},
        {"chord of 57 bytes", {101, MAP_OBJECT_CHORD, longArc, box}},
        {"pie with a NaN end", {102, MAP_OBJECT_PIE, ArcRecord(kNaN, 0, 0, 1, -1, 1, 1, -1), box}},
        {"arc with an infinite ellipse", {103, MAP_OBJECT_ARC, ArcRecord(1, 0, 0, 1, -1, INFINITY, 1, -1), box}},
        {"arc without geometry", {104, MAP_OBJECT_ARC, {}, box, true}},
        {"line of 12 bytes", {105, MAP_OBJECT_LINE, Records({{1, 2}}), box}},
        {"line with an infinite end", {106, MAP_OBJECT_LINE, Records({{1, 2}, {kInf, 3}}), box}},
        {"polygon with a NaN vertex", {107, MAP_OBJECT_POLYGON, Records({{1, 2}, {kNaN, 3}, {4, 5}}), box}},
        {"polyline with an infinite vertex", {108, MAP_OBJECT_POLYLINE, Records({{1, 2}, {3, -kInf}}), box}},
        {"spline of one control point", {109, MAP_OBJECT_SPLINE, Records({{1, 2}}), box}},
        {"spline with a NaN control point", {110, MAP_OBJECT_SPLINE, Records({{1, 2}, {kNaN, 3}}), box}},
        {"spline of too many control points",
         {111, MAP_OBJECT_SPLINE, Copies(kMaxSplineControlPoints + 1, 1, 1), box}},
        {"polypolygon opening with a separator", {112, MAP_OBJECT_POLYPOLYGON, Records({kPart, {1, 2}, {3, 4}}), box}},
        {"polypolygon closing with a separator", {113, MAP_OBJECT_POLYPOLYGON, Records({{1, 2}, {3, 4}, kHole}), box}},
        {"polypolygon with an empty part", {114, MAP_OBJECT_POLYPOLYGON, Records({{1, 2}, kPart, kHole, {3, 4}}), box}},
        {"polypolygon without vertices", {115, MAP_OBJECT_POLYPOLYGON, {}, box}},
        {"polypolyline with a hole separator", {116, MAP_OBJECT_POLYPOLYLINE, Records({{1, 2}, kHole, {3, 4}}), box}},
        {"polygon with holes and a part separator", {117, MAP_OBJECT_ADVPOLYGON, Records({{1, 2}, kPart, {3, 4}}), box}},
        {"polygon with holes ending in a hole separator", {118, MAP_OBJECT_ADVPOLYGON, Records({{1, 2}, kHole}), box}},
        {"polygon with holes of 4 bytes", {119, MAP_OBJECT_ADVPOLYGON, Blob(4, 1), box}},
        {"multi-part polygon with holes, a hole without a part",
         {120, MAP_OBJECT_POLYADVPOLYGON, Records({{1, 2}, kPart, kHole, {3, 4}}), box}},
        {"multi-part polygon with holes with a NaN vertex",
         {121, MAP_OBJECT_POLYADVPOLYGON, Records({{1, 2}, kPart, {kNaN, 4}}), box}},
        {"polygon without a boundary", {122, MAP_OBJECT_POLYGON, square, {}, false, true}},
        {"polygon with a NaN boundary", {123, MAP_OBJECT_POLYGON, square, Bounds(std::nan(""), 20, 20, 10)}},
        {"polygon whose boundary is beyond the float range", {124, MAP_OBJECT_POLYGON, square, Bounds(1e300, 20, 20, 10)}},
        {"polygon with a short boundary", {125, MAP_OBJECT_POLYGON, square, Blob(39, 0)}},
    };
}
}

TEST_F(HostileRows, EachDamagedRowIsRefusedByIdWhileTheRestOfTheLayerLoads)
{
    for (const Damage& damage : DamagedRows()) {
        SCOPED_TRACE(damage.what);
        std::vector<Row> rows = SoundRows();
        rows.push_back(damage.row);
        MakeFile(rows);
        ModalRecorder boxes;
        Open();
        ASSERT_TRUE(layer);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        const std::string text = boxes.Boxes()[0].text.GetString();
        EXPECT_NE(text.find("Test"), std::string::npos) << text;
        EXPECT_NE(text.find("id " + std::to_string(damage.row.id)), std::string::npos) << text;
        EXPECT_EQ(layer->GetObjectCount(), 11);
        EXPECT_EQ(layer->GetRefusedRows(), std::vector<long long>{damage.row.id});
        UseSoundRows();
        model.reset();
        // Nothing the user stored is deleted: the refused row is still there,
        // refused again, and the clones came back with the sound rows.
        EXPECT_EQ(RawCount(), 12 + 11);
        boxes.Clear();
        Open();
        EXPECT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(layer->GetObjectCount(), 22);
        model.reset();
    }
}

TEST_F(HostileRows, ASavedIndexEntryWithoutARowIsNotCounted)
{
    MakeFile(SoundRows());
    Open();
    layer->SaveProperties();   // the index of the 11 rows goes into the file
    model.reset();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path, &db), SQLITE_OK);
    sqlite3_exec(db, "delete from _MapGeoData where mapeID=3; delete from _MapMetaData where mapeID=3;", nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);

    ModalRecorder boxes;
    Open();
    EXPECT_EQ(layer->GetObjectCount(), 10);
    double ox = 0, oy = 0, zoom = 1;
    std::unique_ptr<CMapObject> hit(layer->HitTest(15, 85, &ox, &oy, &zoom, TRUE));
    EXPECT_FALSE(hit);
    // The next save writes the index without the entry.
    layer->SaveProperties();
    Open();
    EXPECT_EQ(layer->GetObjectCount(), 10);
}

TEST_F(HostileRows, VastFiniteCoordinatesAreSoundAndMeasureFinite)
{
    const float big = FLT_MAX / 2;
    const Blob box = Bounds(-big, big, big, -big);
    MakeFile({
        {1, MAP_OBJECT_POLYLINE, Records({{-big, -big}, {big, big}, {-big, big}}), box},
        {2, MAP_OBJECT_POLYGON, Records({{-big, -big}, {big, -big}, {big, big}, {-big, big}}), box},
        {3, MAP_OBJECT_POLYPOLYGON, Records({{-big, -big}, {big, -big}, {big, big}, kPart, {0, 0}, {1, 0}, {1, 1}}),
         box},
        {4, MAP_OBJECT_ADVPOLYGON, Records({{-big, -big}, {big, -big}, {big, big}, {-big, big}, kHole, {0, 0}, {1, 0}, {1, 1}}),
         box},
        {5, MAP_OBJECT_LINE, Records({{-big, -big}, {big, big}}), box},
        {6, MAP_OBJECT_ARC, ArcRecord(big, 0, 0, big, -big, big, big, -big), box},
        {7, MAP_OBJECT_PIE, ArcRecord(big, 0, 0, big, -big, big, big, -big), box},
        {8, MAP_OBJECT_SPLINE, Records({{-big, -big}, {big, big}, {-big, big}}), box},
        {9, MAP_OBJECT_POLYPOLYLINE, Records({{-big, -big}, {big, big}, kPart, {0, 0}, {1, 1}}), box},
    });
    ModalRecorder boxes;
    Open();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(layer->GetObjectCount(), 9);
    for (int id = 1; id <= 9; ++id) {
        SCOPED_TRACE(id);
        std::unique_ptr<CMapObject> object(layer->LoadObject(id, TRUE));
        ASSERT_TRUE(object);
        EXPECT_FALSE(std::isnan(object->GetLength(nullptr)));
        EXPECT_FALSE(std::isnan(object->GetArea(nullptr)));
        std::unique_ptr<CMapObject> clone(object->Clone(layer));
        EXPECT_GT(clone->GetMapeID(), 9);
    }
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(100, 100, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    RECT client{0, 0, 100, 100};
    double ox = 0, oy = 0, zoom = 1;
    layer->Draw(&dc, &client, &ox, &oy, &zoom);
    std::unique_ptr<CMapObject> hit(layer->HitTest(50, 50, &ox, &oy, &zoom, TRUE));
    dc.SelectObject(old);
}
