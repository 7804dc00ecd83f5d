// Layer files whose geometry rows do not hold what their kind stores: each
// damaged row is refused with a message naming the layer and its id, while
// every sound row of the same file loads, draws, hits, measures, clones and
// saves; the refused rows stay in the file. Rows with vast but finite values
// are sound and measure to finite figures.
#include "tests/model/layers/RawRowsSupport.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "platform/testing/ModalRecorder.h"

#include <cmath>

namespace {

using namespace rawrows;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

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

class HostileRows : public RawRowsTest {
protected:
    // Everything a user does with the layer's objects, on every sound row:
    // drawn, hit, measured, cloned (a new id each) and saved.
    void UseSoundRows()
    {
        Surface().Draw(layer);
        double ox = 0, oy = 0, zoom = 1;

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
         {111, MAP_OBJECT_SPLINE, Copies((1 << 20) + 1, 1, 1), box}},
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
    Surface().Draw(layer);
    double ox = 0, oy = 0, zoom = 1;
    std::unique_ptr<CMapObject> hit(layer->HitTest(50, 50, &ox, &oy, &zoom, TRUE));
}

TEST_F(HostileRows, AnObjectBeyondTheIndexRangeIsRefusedBeforeItIsWritten)
{
    MakeFile(SoundRows());
    Open();
    for (const double far : {1.0e39, (double)std::nanf("")}) {
        SCOPED_TRACE(far);
        std::unique_ptr<CMapObject> object(layer->CreateMapObject(MAP_OBJECT_POLYGON));
        object->SetBoundary(CDoubleRect(0.0, far, 10.0, 0.0));
        EXPECT_THROW(layer->AddObject(object.get(), TRUE), CSQLiteException);
        EXPECT_EQ(object->GetMapeID(), -1);
        EXPECT_EQ(layer->GetObjectCount(), 11);
        EXPECT_EQ(layer->GetDatabase()->QueryInt("select count(*) from _MapGeoData;"), 11);
    }
}
