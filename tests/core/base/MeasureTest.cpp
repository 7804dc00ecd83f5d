// Measuring: whole-degree trigonometry, planar and great-circle distances,
// ring areas and distances to segments and outlines.
#include "core/Measure.h"

#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include <climits>
#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadius = 6370997.0;

double Radians(double degrees)
{
    return degrees * kPi / 180.0;
}

// Great-circle reference, by the haversine formula.
double Haversine(double lon1, double lat1, double lon2, double lat2)
{
    const double dphi = Radians(lat2 - lat1), dlam = Radians(lon2 - lon1);
    const double h = std::sin(dphi / 2) * std::sin(dphi / 2)
        + std::cos(Radians(lat1)) * std::cos(Radians(lat2)) * std::sin(dlam / 2) * std::sin(dlam / 2);
    return 2 * kRadius * std::asin(std::sqrt(h));
}

OGRSpatialReference Reference(int epsg)
{
    OGRSpatialReference ref;
    ref.importFromEPSG(epsg);
    ref.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return ref;
}

TEST(WholeDegreeTest, CosineAndSineInEveryQuadrant)
{
    EXPECT_EQ(0.5, CosDegrees(-60));
    EXPECT_EQ(0.5, CosDegrees(420));
    EXPECT_EQ(-1.0, CosDegrees(180));
    EXPECT_EQ(0.0, CosDegrees(270));
    EXPECT_EQ(1.0, CosDegrees(0));
    EXPECT_EQ(0.5, SinDegrees(30));
    EXPECT_EQ(-1.0, SinDegrees(270));
    for (int a = -1080; a <= 1080; ++a) {
        ASSERT_NEAR(std::cos(Radians(a)), CosDegrees(a), 1e-6) << a;
        ASSERT_NEAR(std::sin(Radians(a)), SinDegrees(a), 1e-6) << a;
    }
    for (int a : {INT_MIN, INT_MIN + 1, INT_MAX}) {
        EXPECT_NEAR(std::cos(Radians(a % 360)), CosDegrees(a), 1e-6) << a;
        EXPECT_NEAR(std::sin(Radians(a % 360)), SinDegrees(a), 1e-6) << a;
    }
}

TEST(MapDistanceTest, PlanarUnlessTheReferenceIsGeographic)
{
    const OGRSpatialReference mercator = Reference(3857);
    const OGRSpatialReference wgs84 = Reference(4326);
    const CDoublePoint a(0, 0), b(3, 4);
    EXPECT_DOUBLE_EQ(5.0, MapDistance(a, b, nullptr));
    EXPECT_DOUBLE_EQ(5.0, MapDistance(a, b, &mercator));

    const double oneDegree = kRadius * kPi / 180.0;
    EXPECT_NEAR(oneDegree, MapDistance(CDoublePoint(0, 0), CDoublePoint(0, 1), &wgs84), 1e-6);
    // Along the parallel at 60 degrees: a little less than half a degree of arc.
    const double parallel = MapDistance(CDoublePoint(0, 60), CDoublePoint(1, 60), &wgs84);
    EXPECT_LT(parallel, oneDegree / 2);
    EXPECT_GT(parallel, oneDegree / 2 * 0.999);
}

TEST(MapDistanceTest, CityPairsMatchTheGreatCircle)
{
    const OGRSpatialReference wgs84 = Reference(4326);
    const struct {
        const char* name;
        double lon1, lat1, lon2, lat2;
    } cases[] = {
        {"Paris-Berlin", 2.3522, 48.8566, 13.4050, 52.5200},
        {"London-New York", -0.1278, 51.5074, -74.0060, 40.7128},
        {"Sydney-Santiago", 151.2093, -33.8688, -70.6693, -33.4489},
    };
    for (const auto& c : cases) {
        const double expected = Haversine(c.lon1, c.lat1, c.lon2, c.lat2);
        const double got = MapDistance(CDoublePoint(c.lon1, c.lat1), CDoublePoint(c.lon2, c.lat2), &wgs84);
        EXPECT_NEAR(expected, got, expected * 0.005) << c.name;
    }
}

// Rounding can push the acos argument of equal points past 1.
TEST(MapDistanceTest, EqualPointsGiveZeroNotNaN)
{
    const OGRSpatialReference wgs84 = Reference(4326);
    for (double lat = -89.5; lat < 90; lat += 0.37) {
        for (double lon : {-179.3, -12.345, 0.0, 7.77, 151.2093}) {
            const double d = MapDistance(CDoublePoint(lon, lat), CDoublePoint(lon, lat), &wgs84);
            ASSERT_FALSE(std::isnan(d)) << lon << " " << lat;
            ASSERT_NEAR(0.0, d, 1.0) << lon << " " << lat;
        }
    }
    EXPECT_EQ(0.0, SphericalDistance(0.5, 0.3, 0.5, 0.3));
}

TEST(RingAreaTest, PlanarAreaIgnoresOrientation)
{
    const CFloatPoint ccw[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const CFloatPoint cw[] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    EXPECT_DOUBLE_EQ(1.0, PlanarRingArea(ccw, 4));
    EXPECT_DOUBLE_EQ(1.0, PlanarRingArea(cw, 4));
    const CFloatPoint triangle[] = {{10, 10}, {14, 10}, {10, 13}};
    EXPECT_DOUBLE_EQ(6.0, PlanarRingArea(triangle, 3));
}

TEST(RingAreaTest, SphericalAreaOfADegreeSquare)
{
    // Exact area of the cell 0..1 E, 0..1 N on the sphere of radius 6378249 m.
    const double r = 6378249.0;
    const double expected = r * r * Radians(1) * (std::sin(Radians(1)) - std::sin(0.0));
    const CFloatPoint ccw[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const CFloatPoint cw[] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    EXPECT_NEAR(expected, SphericalRingArea(ccw, 4), expected * 0.005);
    EXPECT_NEAR(expected, SphericalRingArea(cw, 4), expected * 0.005);

    const CFloatPoint meridian[] = {{5, 0}, {5, 1}, {5, 2}};
    EXPECT_EQ(0.0, SphericalRingArea(meridian, 3));
    EXPECT_EQ(0.0, SphericalRingArea(ccw, 2));
}

TEST(SegmentDistanceTest, NearestPointOfTheSegment)
{
    const CFloatPoint a(0, 0), b(10, 0);
    const struct {
        CFloatPoint p;
        double distance;
    } cases[] = {
        {{5, 3}, 3.0},    // foot inside the segment
        {{13, 4}, 5.0},   // beyond B: distance to B, not to the line
        {{-3, -4}, 5.0},  // before A
        {{10, 0}, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(c.distance, PointSegmentDistance(c.p, a, b), 1e-6) << c.p.x << "," << c.p.y;
        EXPECT_NEAR(c.distance * c.distance, PointSegmentDistanceSquared(c.p, a, b), 1e-5);
    }
    EXPECT_NEAR(5.0, PointSegmentDistance(CFloatPoint(3, 4), a, a), 1e-6);
    EXPECT_NEAR(5.0, FloatPointDistance(CFloatPoint(3, 4), a), 1e-12);
}

TEST(SegmentDistanceTest, PolylineDistanceAndClosingSegment)
{
    const CFloatPoint chain[] = {{0, 0}, {10, 0}, {10, 10}};
    const CFloatPoint p(4, 6);
    EXPECT_NEAR(6.0, PointPolylineDistance(p, chain, 3, FALSE), 1e-6);
    // The closing segment from (10, 10) to (0, 0) passes closer.
    EXPECT_NEAR(std::sqrt(2.0), PointPolylineDistance(p, chain, 3, TRUE), 1e-6);
    EXPECT_EQ(-1.0, PointPolylineDistance(p, chain, 0, FALSE));
    EXPECT_NEAR(std::sqrt(52.0), PointPolylineDistance(p, chain, 1, FALSE), 1e-6);

    EXPECT_FALSE(PointNearPolyline(3, chain, p, 4.0));
    EXPECT_TRUE(PointNearPolyline(3, chain, CFloatPoint(11, 5), 1.0));
    EXPECT_FALSE(PointNearPolyline(1, chain, CFloatPoint(0, 0), 1.0));
}

TEST(SegmentDistanceTest, DevicePointsNearSegmentsWithoutClosingSegment)
{
    const POINT pts[] = {{0, 0}, {100, 0}, {100, 100}};
    EXPECT_TRUE(DevicePointNearSegment(POINT{50, 3}, pts[0], pts[1], 9.0));
    EXPECT_FALSE(DevicePointNearSegment(POINT{50, 4}, pts[0], pts[1], 9.0));
    EXPECT_FALSE(DevicePointNearSegment(POINT{104, 0}, pts[0], pts[1], 9.0));
    EXPECT_TRUE(DevicePointNearPolyline(3, pts, POINT{98, 60}, 4.0));
    EXPECT_FALSE(DevicePointNearPolyline(3, pts, POINT{50, 50}, 4.0));
    EXPECT_FALSE(DevicePointNearPolyline(1, pts, POINT{0, 0}, 4.0));
}

TEST(SegmentDistanceTest, SquaredDeviceDistanceDoesNotOverflow)
{
    EXPECT_EQ(25, SquaredDeviceDistance(POINT{0, 0}, POINT{3, 4}));
    EXPECT_EQ(2500000000LL, SquaredDeviceDistance(POINT{0, 0}, POINT{50000, 0}));
    EXPECT_EQ(20000000000LL, SquaredDeviceDistance(POINT{-50000, -50000}, POINT{50000, 50000}));
    EXPECT_EQ(9223372028264841218LL, SquaredDeviceDistance(POINT{INT_MIN + 1, INT_MIN + 1}, POINT{0, 0}));
    // Saturated device points at far zooms: the true value passes the 64-bit range.
    EXPECT_EQ(INT64_MAX, SquaredDeviceDistance(POINT{INT_MIN, INT_MIN}, POINT{500, 500}));
    EXPECT_EQ(INT64_MAX, SquaredDeviceDistance(POINT{INT_MIN, INT_MAX}, POINT{INT_MAX, INT_MIN}));
    EXPECT_EQ(INT64_MAX, SquaredDeviceDistance(POINT{INT_MIN + 1, 0}, POINT{INT_MAX, 0}));
}

TEST(SegmentDistanceTest, PointAlongSegment)
{
    double x = -1, y = -1;
    ASSERT_TRUE(PointAlongSegment(CFloatPoint(0, 0), CFloatPoint(3, 4), 5.0, x, y));
    EXPECT_DOUBLE_EQ(3.0, x);
    EXPECT_DOUBLE_EQ(4.0, y);
    ASSERT_TRUE(PointAlongSegment(CFloatPoint(0, 0), CFloatPoint(3, 4), 2.5, x, y));
    EXPECT_DOUBLE_EQ(1.5, x);
    EXPECT_DOUBLE_EQ(2.0, y);
    x = y = -1;
    EXPECT_FALSE(PointAlongSegment(CFloatPoint(0, 0), CFloatPoint(3, 4), 6.0, x, y));
    EXPECT_FALSE(PointAlongSegment(CFloatPoint(2, 2), CFloatPoint(2, 2), 0.0, x, y));
    EXPECT_EQ(-1.0, x);
    EXPECT_EQ(-1.0, y);
    // The outputs may also be passed by address.
    ASSERT_TRUE(PointAlongSegment(CFloatPoint(0, 0), CFloatPoint(3, 4), 5.0, &x, &y));
    EXPECT_DOUBLE_EQ(3.0, x);
    EXPECT_FALSE(PointAlongSegment(CFloatPoint(0, 0), CFloatPoint(3, 4), 1.0, &x, nullptr));
}

TEST(NearSegmentTest, ZoneExtendsByToleranceWithSquareEnds)
{
    const double tol = 2.0;
    const struct {
        CClipVertex a, b, p;
        bool near;
    } cases[] = {
        {{0, 0}, {10, 0}, {12, 0}, true},   // tol beyond B on the axis
        {{0, 0}, {10, 0}, {13, 0}, false},  // tol + 1 beyond
        {{0, 0}, {10, 0}, {-2, 0}, true},
        {{0, 0}, {10, 0}, {-3, 0}, false},
        {{0, 0}, {10, 0}, {12, 2}, true},   // square end: the corner counts
        {{0, 0}, {10, 0}, {5, -2.5}, false},
        {{10, 0}, {0, 0}, {-2, 1}, true},   // reversed segment
        {{0, 0}, {0, 10}, {1.5, 11.5}, true},
        {{0, 0}, {0, 10}, {2.5, 5}, false},
        {{0, 0}, {10, 10}, {6, 4}, true},   // sqrt(2) from the diagonal
        {{0, 0}, {10, 10}, {8, 2}, false},  // distance 3 sqrt(2)
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.near, IsPointNearSegment(c.p, c.a, c.b, tol)) << c.p.x << "," << c.p.y;
}

TEST(RotateTest, RotatesClockwiseByTheAngle)
{
    CDoublePoint p(1, 0);
    RotatePoint(p, kPi / 2);
    EXPECT_NEAR(0.0, p.x, 1e-12);
    EXPECT_NEAR(-1.0, p.y, 1e-12);
    EXPECT_NEAR(kPi / 2, AngleBetween(POINT{0, 0}, POINT{1, 0}, POINT{0, 1}), 1e-12);
    // Not reduced: from just below the negative x axis to just above it.
    EXPECT_NEAR(2 * kPi - 2 * std::atan2(1.0, 1000.0),
                AngleBetween(POINT{0, 0}, POINT{-1000, -1}, POINT{-1000, 1}), 1e-9);
    EXPECT_EQ(2.5, AbsValue(-2.5));
}

TEST(PointInPolygonTest, NonZeroWinding)
{
    const CFloatPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const CFloatPoint squareCw[] = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    // A star drawn in one stroke: its centre is wound twice, inside by the
    // non-zero rule though an even-odd test would leave it out.
    const CFloatPoint star[] = {{0, 10}, {6, -8}, {-9.5f, 3}, {9.5f, 3}, {-6, -8}};
    const struct {
        const CFloatPoint* ring;
        int count;
        CFloatPoint p;
        bool inside;
    } cases[] = {
        {square, 4, {5, 5}, true},    {square, 4, {15, 5}, false}, {squareCw, 4, {5, 5}, true},
        {squareCw, 4, {-1, 5}, false}, {star, 5, {0, 0}, true},     {star, 5, {0, 8}, true},
        {star, 5, {9, -7}, false},    {square, 0, {5, 5}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.inside, PointInPolygon(c.count, c.ring, c.p)) << c.p.x << "," << c.p.y;
}

}
