// Big but valid objects read from a layer file: an object of 10^5 vertices,
// a polyline that leaves and re-enters the view 10^5 times, a polygon of
// 40000 holes and a spline of 1000 control points 300 km apart are drawn,
// hit and measured in bounded time (the bounds are far above what these take
// and far below what a path quadratic in the vertices, pieces or holes takes).
// An object whose stored boundary disagrees with its vertices keeps one index
// entry through its edits.
#include "tests/model/layers/RawRowsSupport.h"

#include "model/polygons/MapPointList.h"
#include "platform/testing/ModalRecorder.h"

#include <chrono>
#include <cmath>

namespace {

using namespace rawrows;

class Stopwatch {
public:
    double Seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count(); }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

class LargeObjects : public RawRowsTest {
protected:
    // Draws the layer, hits (x, y) (map units = pixels here) and measures row
    // `id`; each step within `limit` seconds.
    void Use(int id, int x, int y, bool expectHit, double limit)
    {
        Stopwatch draw;
        Surface().Draw(layer);
        EXPECT_LT(draw.Seconds(), limit) << "draw";
        Stopwatch hit;
        double ox = 0, oy = 0, zoom = 1;
        std::unique_ptr<CMapObject> found(layer->HitTest(x, 100 - y, &ox, &oy, &zoom, TRUE));
        EXPECT_LT(hit.Seconds(), limit) << "hit test";
        EXPECT_EQ(found != nullptr, expectHit);
        Stopwatch measure;
        std::unique_ptr<CMapObject> object(layer->LoadObject(id, TRUE));
        ASSERT_TRUE(object);
        EXPECT_TRUE(std::isfinite(object->GetLength(nullptr)));
        EXPECT_TRUE(std::isfinite(object->GetArea(nullptr)));
        EXPECT_LT(measure.Seconds(), limit) << "measure";
    }
};

TEST_F(LargeObjects, AHundredThousandVerticesDrawHitAndMeasureInWellUnderASecond)
{
    Blob ring;
    const int n = 100000;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        PutFloat(ring, (float)(50 + 40 * std::cos(a))), PutFloat(ring, (float)(50 + 40 * std::sin(a)));
    }
    MakeFile({{1, MAP_OBJECT_POLYGON, ring, Bounds(10, 90, 90, 10)}, {2, MAP_OBJECT_POLYLINE, ring, Bounds(10, 90, 90, 10)}});
    Open();
    Use(1, 50, 50, true, 1.0);
    Use(2, 90, 50, true, 1.0);
}

TEST_F(LargeObjects, APolylineThatLeavesTheViewAHundredThousandTimesDrawsInBoundedTime)
{
    // Every other vertex lies far above the view: each return is a piece of its own.
    Blob zigzag;
    const int n = 200000;
    for (int i = 0; i < n; ++i)
        PutFloat(zigzag, (float)(100.0 * i / n)), PutFloat(zigzag, i % 2 ? 1.0e6f : 50.0f);
    MakeFile({{1, MAP_OBJECT_POLYLINE, zigzag, Bounds(0, 1.0e6, 100, 50)}});
    Open();
    Stopwatch draw;
    Surface surface;
    surface.Draw(layer);
    EXPECT_LT(draw.Seconds(), 5.0);
    // The pieces reach the bottom of every column they cross.
    EXPECT_NE(surface.dc.GetPixel(50, 49), RGB(255, 255, 255));
}

TEST_F(LargeObjects, APolygonOfFortyThousandHolesReadsInBoundedTime)
{
    Blob rings = Records({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    const int holes = 40000;
    for (int i = 0; i < holes; ++i) {
        const float x = 10 + (float)(i % 200) * 0.4f, y = 10 + (float)(i / 200) * 0.4f;
        PutFloat(rings, FLT_MIN), PutFloat(rings, FLT_MIN);
        for (const auto& [px, py] : {std::pair{x, y}, std::pair{x + 0.1f, y}, std::pair{x, y + 0.1f}})
            PutFloat(rings, px), PutFloat(rings, py);
    }
    MakeFile({{1, MAP_OBJECT_ADVPOLYGON, rings, Bounds(0, 100, 100, 0)}});
    Open();
    Stopwatch read;
    std::unique_ptr<CMapObject> object(layer->LoadObject(1, TRUE));
    ASSERT_TRUE(object);
    object->LoadGeometry();
    EXPECT_LT(read.Seconds(), 5.0);
    EXPECT_EQ(object->GetHandleCount(), 4 + 3 * holes);
    Use(1, 5, 5, true, 5.0);
}

TEST_F(LargeObjects, ALongSplineInMetresIsSampledByWhatCanBeShown)
{
    // 1000 control points 300 km apart, seen whole in 100 pixels.
    Blob control;
    for (int i = 0; i < 1000; ++i)
        PutFloat(control, 300000.0f * (float)i), PutFloat(control, i % 2 ? 300000.0f : 0.0f);
    MakeFile({{1, MAP_OBJECT_SPLINE, control, Bounds(0, 400000, 3.0e8, -100000)}});
    Open();
    const double zoom = 3.1e6;
    Stopwatch hit;
    double ox = -1.0e6, oy = -1.5e8, z = zoom;
    std::unique_ptr<CMapObject> found(layer->HitTest(50, 50, &ox, &oy, &z, TRUE));
    EXPECT_LT(hit.Seconds(), 2.0);
    EXPECT_TRUE(found);
    Stopwatch measure;
    std::unique_ptr<CMapObject> object(layer->LoadObject(1, TRUE));
    ASSERT_TRUE(object);
    const double length = object->GetLength(nullptr);
    EXPECT_LT(measure.Seconds(), 2.0);
    // Longer than its chords, which are 300 km and 424 km long.
    EXPECT_GT(length, 999 * 424000.0);
}

TEST_F(LargeObjects, AnObjectWhoseStoredBoundaryDisagreesKeepsOneIndexEntryThroughItsEdits)
{
    // The stored boundary says (0, 0) to (5, 5); the vertices lie from 10 to 30.
    // Two thousand other objects below and left of it make the index deep
    // enough that an entry is only found under a rectangle that overlaps it.
    std::vector<Row> rows{{1, MAP_OBJECT_POLYGON, Records({{10, 10}, {20, 10}, {20, 20}, {10, 20}, {15, 30}}), Bounds(0, 5, 5, 0)}};
    for (int i = 0; i < 2000; ++i) {
        const float x = -100.0f - (float)(i % 50) * 40, y = -100.0f - (float)(i / 50) * 40;
        rows.push_back({i + 2, MAP_OBJECT_POLYGON, Records({{x, y}, {x + 10, y}, {x, y + 10}}), Bounds(x, y + 10, x + 10, y)});
    }
    MakeFile(rows);
    Open();
    std::unique_ptr<CMapObject> object(layer->LoadObject(1, TRUE));
    ASSERT_TRUE(object);
    auto* polygon = static_cast<CMapPointList*>(object.get());
    // Moved (its save takes the boundary from the vertices), then the vertex
    // deleted that changes the boundary.
    double zoom = 1;
    polygon->MoveBy(3, -3, &zoom);
    polygon->DeletePoint(4);
    polygon->SaveChanges();
    EXPECT_EQ(layer->GetIndex().Count(), 2001);
    // The entry lies where the object is: a click on it finds it.
    double ox = 0, oy = 0;
    std::unique_ptr<CMapObject> hit(layer->HitTest(18, 100 - 18, &ox, &oy, &zoom, TRUE));
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->GetMapeID(), 1);
    layer->SaveProperties();
    Open();
    EXPECT_EQ(layer->GetIndex().Count(), 2001);
    EXPECT_EQ(layer->GetObjectCount(), 2001);
}

}
