// Map units: the unit table, guessing a system's unit, the units of new maps
// and the 20-byte record.
#include "core/MapUnits.h"
#include "core/Settings.h"
#include "tests/core/values/ValuesTestSupport.h"

#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include <memory>

namespace {

std::unique_ptr<OGRSpatialReference> Srs(const char* proj)
{
    auto srs = std::make_unique<OGRSpatialReference>();
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    EXPECT_EQ(srs->importFromProj4(proj), OGRERR_NONE) << proj;
    return srs;
}

const char* const kUtmMetres = "+proj=utm +zone=33 +datum=WGS84 +units=m +no_defs";
const char* const kGeographic = "+proj=longlat +datum=WGS84 +no_defs";

TEST(MapUnits, NamesAndFactors)
{
    const auto metres = Srs(kUtmMetres);
    const auto geographic = Srs(kGeographic);
    const auto feet = Srs("+proj=utm +zone=33 +datum=WGS84 +units=ft +no_defs");
    struct {
        int code;
        const OGRSpatialReference* srs;
        const char* name;
        double factor;
    } cases[] = {
        {1, metres.get(), "m", 1.0},
        {2, metres.get(), "cm", 100.0},
        {3, metres.get(), "mm", 1000.0},
        {4, metres.get(), "km", 0.001},
        {5, metres.get(), "in", 39.37007874015748},
        {6, metres.get(), "feet", 3.2808693333333285},
        {8, metres.get(), "hectare", 0.01},
        {9, metres.get(), "m", 1.0},
        {-1, nullptr, "m", 1.0},
        {10, geographic.get(), "rad", 0.017453292519943295},
        {11, geographic.get(), "degree", 1.0},
        {4, nullptr, "km", 0.001},
        // A projected unit other than the metre scales every factor.
        {1, feet.get(), "m", 0.3048},
        {4, feet.get(), "km", 0.0003048},
    };
    for (const auto& c : cases) {
        CString name = "unchanged?";
        const double f = GetUnitNameAndFactor(c.code, name, c.srs);
        EXPECT_EQ(name, c.name) << c.code;
        EXPECT_NEAR(f, c.factor, 1e-12 * c.factor) << c.code;
    }
}

TEST(MapUnits, MilesConvertMetresToStatuteMiles)
{
    const auto metres = Srs(kUtmMetres);
    CString name;
    const double f = GetUnitNameAndFactor(MAPUNIT_MILES, name, metres.get());
    EXPECT_EQ(name, "miles");
    EXPECT_NEAR(1609.344 * f, 1.0, 1e-12);
    EXPECT_NEAR(10000.0 * f, 6.2137119, 1e-6);
}

TEST(MapUnits, GuessUnitCode)
{
    struct {
        const char* proj;
        int code;
    } cases[] = {
        {kUtmMetres, 1},
        {"+proj=utm +zone=33 +datum=WGS84 +units=ft +no_defs", 6},
        {"+proj=utm +zone=33 +datum=WGS84 +units=us-ft +no_defs", 6},
        {"+proj=utm +zone=33 +datum=WGS84 +units=km +no_defs", 4},
        {"+proj=utm +zone=33 +datum=WGS84 +units=cm +no_defs", 2},
        {"+proj=utm +zone=33 +datum=WGS84 +units=mm +no_defs", 3},
        {"+proj=utm +zone=33 +datum=WGS84 +units=in +no_defs", 5},
        {"+proj=utm +zone=33 +datum=WGS84 +units=mi +no_defs", 7},
        {"+proj=utm +zone=33 +datum=WGS84 +to_meter=100 +no_defs", 8},
        {"+proj=utm +zone=33 +datum=WGS84 +to_meter=1.05 +no_defs", 1},   // within 10 %
        {"+proj=utm +zone=33 +datum=WGS84 +to_meter=0.5 +no_defs", -1},
        {"+proj=utm +zone=33 +datum=WGS84 +to_meter=1.609 +no_defs", -1}, // no longer taken for a mile
        {kGeographic, 11},
    };
    for (const auto& c : cases) {
        const auto srs = Srs(c.proj);
        EXPECT_EQ(GuessUnitCode(srs.get()), c.code) << c.proj;
    }
    EXPECT_EQ(GuessUnitCode(nullptr), -1);
}

TEST(MapUnits, NewUnitsComeFromThePreferences)
{
    const int d = g_DistanceUnit, a = g_AreaUnit, c = g_CoordinateUnit, s = g_UseSpherical;
    g_DistanceUnit = 4;
    g_AreaUnit = 8;
    g_CoordinateUnit = 10;
    g_UseSpherical = 0;
    const CMapUnits units;
    g_DistanceUnit = d;
    g_AreaUnit = a;
    g_CoordinateUnit = c;
    g_UseSpherical = s;
    EXPECT_EQ(units.GetDistanceUnitCode(), 4);
    EXPECT_EQ(units.GetAreaUnitCode(), 8);
    EXPECT_EQ(units.GetCoordUnitCode(), 10);
    EXPECT_EQ(units.GetUseSpherical(), 0);
    EXPECT_TRUE(units.IsCoordUnitAngular());
    CString name;
    EXPECT_EQ(units.GetAreaUnit(name, nullptr), 0.01);
    EXPECT_EQ(name, "hectare");

    EXPECT_EQ(CMapUnits().GetCoordUnitCode(), 11); // the default: degrees
    CMapUnits metres;
    metres.SetCoordUnitCode(1);
    EXPECT_FALSE(metres.IsCoordUnitAngular());
}

TEST(MapUnits, RecordOf20Bytes)
{
    BYTE fixture[20];
    Put32(fixture, 0xCAFEBABE); // reserved: any value
    Put32(fixture + 4, 7);
    Put32(fixture + 8, (DWORD)-2);
    Put32(fixture + 12, 10);
    Put32(fixture + 16, 1);
    GuardedBuffer exact(fixture, sizeof fixture);
    CMapUnits units;
    ASSERT_TRUE(units.ReadRecord(exact.data(), 20));
    EXPECT_EQ(units.GetDistanceUnitCode(), 7);
    EXPECT_EQ(units.GetAreaUnitCode(), -2);
    EXPECT_EQ(units.GetCoordUnitCode(), 10);
    EXPECT_EQ(units.GetUseSpherical(), 1);

    const CMapUnits::Record written = units.ToRecord();
    EXPECT_EQ(Get32(written.data()), 0u);
    EXPECT_EQ(0, std::memcmp(written.data() + 4, fixture + 4, 16));

    GuardedBuffer shortRecord(fixture, 19);
    CMapUnits unchanged;
    const CMapUnits::Record before = unchanged.ToRecord();
    EXPECT_FALSE(unchanged.ReadRecord(shortRecord.data(), 19));
    EXPECT_FALSE(unchanged.ReadRecord(nullptr, 20));
    EXPECT_EQ(unchanged.ToRecord(), before);
}

} // namespace
