// The map's coordinate system: taken from the preference and the catalogue,
// its geographic counterpart and transformation, measuring through it, and the
// projection code through the workspace and layer files.
#include "Support.h"

#include "model/MapObject.h"
#include "core/Measure.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "core/SphereConstants.h"
#include "model/MapLayer.h"
#include "model/MapModel.h"
#include "mapwindow/MUIMap.h"

#include <sqlite3.h>

#include <cmath>
#include <memory>

using namespace projtest;

namespace {

const char* const kMismatch =
    "The layer being imported has different projection then existing map. Please, import it to another map";

// One value of a database file, as text.
std::string Value(const CString& path, const char* sql)
{
    CSQLiteDatabase db;
    db.Open(path);
    CSQLiteStatement stmt;
    db.Prepare(sql, stmt);
    return stmt.Step() == SQLITE_ROW ? std::string(stmt.ColumnText(0).GetString()) : std::string("no row");
}

void Exec(const CString& path, const char* sql)
{
    CSQLiteDatabase db;
    db.Open(path);
    CSQLiteStatement stmt;
    db.Prepare(sql, stmt);
    stmt.Execute();
}

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

class MapProjection : public CatalogueTest {
protected:
    MapProjection() : m_savedSpherical(g_UseSpherical)
    {
        Write(TwoGroups() + "GROUP=Broken\nGROUP_ID=2\n" + Entry(55, "Broken", "PROJCS[\"broken\""));
        g_CoordinationSystem = 4803;
    }
    ~MapProjection() override { g_UseSpherical = m_savedSpherical; }

    // A map window with the given projection and two layers, saved as `name`.
    CString SaveWorkspace(const char* name, int code)
    {
        CMUIMap window;
        CMapModel* map = window.GetMapModel();
        map->SetProjection(code);
        for (const char* layerName : {"A", "B"}) {
            auto* layer = new CMapLayer(layerName);
            layer->SetBounds(CDoubleRect(1.0, 2.0, 3.0, 4.0));
            map->AddLayer(layer);
        }
        const CString path = m_folder.File(name);
        EXPECT_TRUE(window.SaveWorkspace(path));
        return path;
    }

private:
    int m_savedSpherical;
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

TEST_F(MapProjection, AWorkspaceKeepsItsProjectionThroughLoadAndSave)
{
    for (int code : {4326, 32632, 4803}) {
        SCOPED_TRACE(code);
        const CString first = SaveWorkspace(("first" + std::to_string(code) + ".kwz").c_str(), code);
        EXPECT_EQ(Value(first, "select ProjectionType from _MapProperty;"), std::to_string(code));
        EXPECT_EQ(Value(m_folder.File("A.klz"), "select ProjectionType from _MapProperty where ROWID=1;"),
                  std::to_string(code));

        CMUIMap window;   // starts with the preference, 4803
        window.LoadWorkspace(first);
        CMapModel* map = window.GetMapModel();
        EXPECT_EQ(map->GetProjectionCode(), code);
        ASSERT_NE(map->GetSpatialReference(), nullptr);
        EXPECT_EQ(map->GetLayerCount(), 2);
        const CString second = m_folder.File(("second" + std::to_string(code) + ".kwz").c_str());
        ASSERT_TRUE(window.SaveWorkspace(second));
        EXPECT_EQ(Value(second, "select ProjectionType from _MapProperty;"), std::to_string(code));
        for (const char* file : {"A.klz", "B.klz"})
            std::filesystem::remove(m_folder.File(file).GetString());
    }
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(MapProjection, FilesThatRecordNoProjectionStillOpen)
{
    g_CoordinationSystem = -1;
    const CString path = SaveWorkspace("old.kwz", -1);
    EXPECT_EQ(Value(path, "select ProjectionType from _MapProperty;"), "4294967295");
    EXPECT_EQ(Value(m_folder.File("B.klz"), "select ProjectionType from _MapProperty where ROWID=1;"),
              "4294967295");

    g_CoordinationSystem = 4803;
    CMUIMap window;
    window.LoadWorkspace(path);
    EXPECT_EQ(window.GetMapModel()->GetLayerCount(), 2);
    EXPECT_EQ(window.GetMapModel()->GetProjectionCode(), 4803);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(MapProjection, ALayerFileOfAnotherProjectionIsRefused)
{
    const CString path = SaveWorkspace("map.kwz", 4326);
    const CString other = m_folder.File("B.klz");
    Exec(other, "update _MapProperty set ProjectionType=32632, dXOff=99 where ROWID=1;");
    const std::string before = ReadText(other);

    {
        CMUIMap window;
        window.LoadWorkspace(path);
        CMapModel* map = window.GetMapModel();
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{kMismatch});
        ASSERT_EQ(map->GetLayerCount(), 1);
        EXPECT_EQ(std::string(map->GetLayerAt(0)->GetName()), "A");
        EXPECT_EQ(map->GetProjectionCode(), 4326);
    }
    EXPECT_EQ(ReadText(other), before);

    // Opened into a map of its own, a layer file gives the map its projection;
    // a second one of another projection is refused before it changes the view.
    m_boxes.Clear();
    CMapModel map;
    ASSERT_TRUE(map.OpenLayer(m_folder.File("A.klz"), nullptr));
    EXPECT_EQ(map.GetProjectionCode(), 4326);
    map.SetXOffset(5);
    EXPECT_FALSE(map.OpenLayer(other, nullptr));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kMismatch});
    EXPECT_EQ(map.GetLayerCount(), 1);
    EXPECT_EQ(map.GetXOffset(), 5);
    EXPECT_EQ(map.GetProjectionCode(), 4326);
}

TEST_F(MapProjection, TheStoredUnitsWinOverThoseOfTheProjection)
{
    const CString path = m_folder.File("units.kwz");
    {
        CMUIMap window;
        CMapModel* map = window.GetMapModel();
        map->SetProjection(4326);
        CMapUnits units = map->GetUnits();
        units.SetCoordUnitCode(MAPUNIT_RAD);
        units.SetUseSpherical(0);
        map->SetUnits(units);
        ASSERT_TRUE(window.SaveWorkspace(path));
    }
    CMUIMap window;
    window.LoadWorkspace(path);
    EXPECT_EQ(window.GetMapModel()->GetProjectionCode(), 4326);
    EXPECT_EQ(window.GetMapModel()->GetUnits().GetCoordUnitCode(), MAPUNIT_RAD);
    EXPECT_EQ(window.GetMapModel()->GetUnits().GetUseSpherical(), 0);
}

} // namespace
