// The map's coordinate system: taken from the preference and the catalogue,
// its geographic counterpart and transformation, and measuring through it. The
// projection code through workspace files: tests/mapwindow/workspace.
#include "tests/model/projections/ProjectionTestSupport.h"

#include "model/layers/MapObject.h"
#include "core/Measure.h"
#include "core/SphereConstants.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <memory>

using namespace projtest;

namespace {

// A straight line between two points that measures itself as the line objects
// do: through the map's reference when it is given none.
class TestLine : public CMapObject {
public:
    TestLine(CDoublePoint a, CDoublePoint b) : m_a(a), m_b(b) { m_nType = MAP_OBJECT_LINE; }
    double GetLength(OGRSpatialReference* srs) override
    {
        if (!srs && GetMap())
            srs = GetMap()->GetSpatialReference();
        return MapDistance(m_a, m_b, srs);
    }
    CMapObject* Clone(CMapLayer*) override
    {
        auto* copy = new TestLine(m_a, m_b);
        copy->SetLayer(GetLayer());
        return copy;
    }
    int Transform(OGRCoordinateTransformation* ct) override
    {
        return ct->Transform(1, &m_a.x, &m_a.y) && ct->Transform(1, &m_b.x, &m_b.y);
    }

private:
    CDoublePoint m_a, m_b;
};

// An object whose area is a fixed number, to see which way areas are measured.
class TestArea : public CMapObject {
public:
    TestArea() { m_nType = MAP_OBJECT_POLYGON; }
    double GetArea(OGRSpatialReference*) override { return 7.0; }
};

TEST_F(MapProjection, ANewMapTakesTheCoordinateSystemPreference)
{
    const struct {
        int preference;
        int code;
        bool geographic, projected;
        int spherical, coordUnit;
        std::vector<std::string> boxes;
    } cases[] = {
        {4803, 4803, true, false, 1, MAPUNIT_DEGREE, {}},
        {4326, 4326, true, false, 1, MAPUNIT_DEGREE, {}},
        // A projected system leaves the spherical flag as the preference set it.
        {32632, 32632, false, true, 0, MAPUNIT_M, {}},
        {1234, -1, false, false, 0, MAPUNIT_M, {}},
        {-1, -1, false, false, 0, MAPUNIT_M, {}},
        {55, -1, false, false, 0, MAPUNIT_M, {"Fail to set projection"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preference);
        m_boxes.Clear();
        g_CoordinationSystem = c.preference;
        g_UseSpherical = 0;
        g_CoordinateUnit = MAPUNIT_M;
        CMapModel map;
        EXPECT_EQ(map.GetProjectionCode(), c.code);
        EXPECT_EQ(BoxTexts(), c.boxes);
        EXPECT_EQ(map.GetUnits().GetUseSpherical(), c.spherical);
        EXPECT_EQ(map.GetUnits().GetCoordUnitCode(), c.coordUnit);
        OGRSpatialReference* srs = map.GetSpatialReference();
        OGRSpatialReference* geo = map.GetGeographicReference();
        ASSERT_EQ(srs != nullptr, c.code != -1);
        if (!srs) {
            EXPECT_EQ(geo, nullptr);
            continue;
        }
        EXPECT_EQ(srs->IsGeographic() != 0, c.geographic);
        EXPECT_EQ(srs->IsProjected() != 0, c.projected);
        ASSERT_NE(geo, nullptr);
        EXPECT_TRUE(geo->IsGeographic());
        EXPECT_EQ(geo == srs, c.geographic);
        EXPECT_EQ(srs->GetAxisMappingStrategy(), OAMS_TRADITIONAL_GIS_ORDER);
        EXPECT_EQ(geo->GetAxisMappingStrategy(), OAMS_TRADITIONAL_GIS_ORDER);
        OGRSpatialReference expected;
        expected.importFromEPSG(c.code);
        expected.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        EXPECT_TRUE(srs->IsSame(&expected));
    }
}

TEST_F(MapProjection, OnlyASystemThatImportsReplacesTheMapsSystem)
{
    CMapModel map;
    map.SetProjection(32632);
    ASSERT_EQ(map.GetProjectionCode(), 32632);
    const OGRSpatialReference* utm = map.GetSpatialReference();
    for (int code : {-1, 1234, 55}) {
        map.SetProjection(code);
        EXPECT_EQ(map.GetProjectionCode(), 32632) << code;
        EXPECT_EQ(map.GetSpatialReference(), utm) << code;
    }
    map.SetSpatialReference(nullptr, 4326);
    EXPECT_EQ(map.GetProjectionCode(), 32632);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Fail to set projection"});

    // Without a code the catalogue gives one: found, or appended.
    auto* wgs = new OGRSpatialReference;
    wgs->importFromEPSG(4326);
    map.SetSpatialReference(wgs, -1);
    EXPECT_EQ(map.GetProjectionCode(), 4326);
    EXPECT_EQ(map.GetSpatialReference(), wgs);
    EXPECT_EQ(map.GetGeographicReference(), wgs);
    EXPECT_EQ(wgs->GetAxisMappingStrategy(), OAMS_TRADITIONAL_GIS_ORDER);
    auto* swiss = new OGRSpatialReference;
    swiss->importFromEPSG(2056);
    map.SetSpatialReference(swiss, -1);
    EXPECT_EQ(map.GetProjectionCode(), 900001);
    EXPECT_EQ(CProjectionCatalogue::GetGroupID(900001), 8);
}

TEST_F(MapProjection, TheGeographicTransformGivesLongitudeAsX)
{
    g_UseSpherical = 1;
    CMapModel utm;
    utm.SetProjection(32632);
    std::unique_ptr<OGRCoordinateTransformation> ct(utm.CreateGeographicTransform());
    ASSERT_NE(ct, nullptr);
    double x = 500000, y = 5540000;
    ASSERT_TRUE(ct->Transform(1, &x, &y));
    EXPECT_NEAR(x, 9.0, 1e-9);
    EXPECT_NEAR(y, 50.0, 0.05);

    // None for a geographic map, a map without a system, or with spherical measuring off.
    CMapModel geographic;
    EXPECT_EQ(std::unique_ptr<OGRCoordinateTransformation>(geographic.CreateGeographicTransform()), nullptr);
    g_CoordinationSystem = -1;
    CMapModel none;
    EXPECT_EQ(std::unique_ptr<OGRCoordinateTransformation>(none.CreateGeographicTransform()), nullptr);
    CMapUnits planar = utm.GetUnits();
    planar.SetUseSpherical(0);
    utm.SetUnits(planar);
    EXPECT_EQ(std::unique_ptr<OGRCoordinateTransformation>(utm.CreateGeographicTransform()), nullptr);
}

// PROJ's own command line on one point, the coordinates in the order of the
// systems' axes as their authority defines them.
std::pair<double, double> Cs2cs(int from, int to, double first, double second)
{
    const std::string command = "echo " + std::to_string(first) + " " + std::to_string(second) +
                                " | cs2cs -f %.12f EPSG:" + std::to_string(from) + " EPSG:" + std::to_string(to);
    FILE* pipe = popen(command.c_str(), "r");
    double a = NAN, b = NAN;
    if (pipe) {
        if (fscanf(pipe, "%lf %lf", &a, &b) != 2)
            a = b = NAN;
        pclose(pipe);
    }
    return {a, b};
}

TEST_F(MapProjection, MapPointsReprojectAsProjDoes)
{
    g_UseSpherical = 1;
    Write(TwoGroups() + "GROUP=More\nGROUP_ID=3\n" + Entry(31467, "DHDN / 3-degree Gauss-Kruger zone 3", Wkt(31467)) +
          Entry(3857, "WGS 84 / Pseudo-Mercator", Wkt(3857)));
    struct Case {
        int code, geographic;
        double x, y;          // map coordinates: easting, northing
        bool northingFirst;   // the authority's axis order of the projected system
    };
    const Case cases[] = {
        {31467, 4314, 3500000, 5500000, true},
        {31467, 4314, 3612345.678, 5876543.21, true},
        {32632, 4326, 500000, 5540000, false},
        {32632, 4326, 712345.5, 4123456.25, false},
        {3857, 4326, 1000000, 6000000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        CMapModel map;
        map.SetProjection(c.code);
        ASSERT_EQ(map.GetProjectionCode(), c.code);
        std::unique_ptr<OGRCoordinateTransformation> toGeographic(map.CreateGeographicTransform());
        ASSERT_NE(toGeographic, nullptr);
        double lon = c.x, lat = c.y;
        ASSERT_TRUE(toGeographic->Transform(1, &lon, &lat));
        const auto proj = c.northingFirst ? Cs2cs(c.code, c.geographic, c.y, c.x) : Cs2cs(c.code, c.geographic, c.x, c.y);
        // Geographic systems of the registry give latitude first.
        EXPECT_NEAR(lat, proj.first, 1e-6);
        EXPECT_NEAR(lon, proj.second, 1e-6);

        // And back into the map's system, within a millimetre.
        std::unique_ptr<OGRCoordinateTransformation> toMap(
            OGRCreateCoordinateTransformation(map.GetGeographicReference(), map.GetSpatialReference()));
        ASSERT_NE(toMap, nullptr);
        double x = 9.25, y = 48.5;
        ASSERT_TRUE(toMap->Transform(1, &x, &y));
        const auto back = Cs2cs(c.geographic, c.code, 48.5, 9.25);
        EXPECT_NEAR(x, c.northingFirst ? back.second : back.first, 1e-3);
        EXPECT_NEAR(y, c.northingFirst ? back.first : back.second, 1e-3);
    }
}

TEST_F(MapProjection, DistancesAreSphericalThroughAGeographicMapsReference)
{
    CMapModel map;
    map.SetProjection(4326);
    EXPECT_NEAR(MapDistance(CDoublePoint(0, 0), CDoublePoint(1, 0), map.GetSpatialReference()),
                kSphereRadius * M_PI / 180, 1e-6);

    auto* layer = new CMapLayer("Lines");
    map.AddLayer(layer);
    TestLine line(CDoublePoint(0, 0), CDoublePoint(1, 0));
    line.SetLayer(layer);
    int mode = 1;
    EXPECT_NEAR(line.MeasureLength(&mode), kSphereRadius * M_PI / 180, 1e-6);
    EXPECT_EQ(mode, 1);

    // A projected map measures a copy transformed into its geographic system.
    map.SetProjection(32632);
    TestLine utmLine(CDoublePoint(500000, 5000000), CDoublePoint(500000, 5100000));
    utmLine.SetLayer(layer);
    std::unique_ptr<OGRCoordinateTransformation> ct(
        OGRCreateCoordinateTransformation(map.GetSpatialReference(), map.GetGeographicReference()));
    CDoublePoint a(500000, 5000000), b(500000, 5100000);
    ASSERT_TRUE(ct->Transform(1, &a.x, &a.y) && ct->Transform(1, &b.x, &b.y));
    mode = 1;
    EXPECT_NEAR(utmLine.MeasureLength(&mode), MapDistance(a, b, map.GetGeographicReference()), 1e-6);
    EXPECT_EQ(mode, 1);
    mode = 0;
    EXPECT_EQ(utmLine.MeasureLength(&mode), 100000.0);
    utmLine.SetLayer(nullptr);
    line.SetLayer(nullptr);
}

TEST_F(MapProjection, AreasOfGeographicAndProjectedMapsAreMeasuredAsTheyAre)
{
    CMapModel map;
    auto* layer = new CMapLayer("Areas");
    map.AddLayer(layer);
    TestArea area;
    area.SetLayer(layer);

    map.SetProjection(4326);
    int mode = 1;
    EXPECT_EQ(area.MeasureArea(&mode), 7.0);
    EXPECT_EQ(mode, 1);

    // A projected map measures areas in map units, not on a geographic copy.
    map.SetProjection(32632);
    mode = 1;
    EXPECT_EQ(area.MeasureArea(&mode), 7.0);
    EXPECT_EQ(mode, 0);
    mode = 0;
    EXPECT_EQ(area.MeasureArea(&mode), 7.0);
    EXPECT_EQ(mode, 0);
    area.SetLayer(nullptr);
}

} // namespace
