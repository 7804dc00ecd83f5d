// The unit table, the units of new maps and the 20-byte stored record.
#include "core/MapUnits.h"

#include "core/MapStyle.h"
#include "core/Settings.h"

#include <ogr_spatialref.h>

#include <cmath>

namespace {
struct UnitEntry {
    int code;
    const char* name;
    double factor;   // per metre (or per degree for the angular units)
};

// Miles: one metre is 1/1609.344 of a statute mile. (A factor of 1/1.609 would
// convert kilometres, and every distance in miles would come out 1000 times too large.)
const UnitEntry kUnits[] = {
    {MAPUNIT_M, "m", 1.0},
    {MAPUNIT_CM, "cm", 100.0},
    {MAPUNIT_MM, "mm", 1000.0},
    {MAPUNIT_KM, "km", 0.001},
    {MAPUNIT_IN, "in", 39.37007874015748},
    {MAPUNIT_FEET, "feet", 3.2808693333333285},
    {MAPUNIT_MILES, "miles", 1.0 / 1609.344},
    {MAPUNIT_HECTARE, "hectare", 0.01},
    {MAPUNIT_RAD, "rad", 0.017453292519943295},
    {MAPUNIT_DEGREE, "degree", 1.0},
};

const UnitEntry* FindUnit(int code)
{
    for (const UnitEntry& u : kUnits)
        if (u.code == code)
            return &u;
    return nullptr;
}

double BaseUnit(const OGRSpatialReference* srs)
{
    if (!srs || srs->IsGeographic())
        return 1.0;
    return srs->GetLinearUnits();
}
}

double GetUnitNameAndFactor(int code, CString& name, const OGRSpatialReference* srs)
{
    const double base = BaseUnit(srs);
    const UnitEntry* u = FindUnit(code);
    if (!u)
        u = FindUnit(MAPUNIT_M);
    name = u->name;
    return base * u->factor;
}

int GuessUnitCode(const OGRSpatialReference* srs)
{
    if (!srs)
        return -1;
    if (srs->IsGeographic())
        return MAPUNIT_DEGREE;
    const double x = srs->GetLinearUnits();
    // Metres first, so that a unit of one metre never guesses a smaller one.
    static const int kOrder[] = {MAPUNIT_M,  MAPUNIT_MM,   MAPUNIT_CM,    MAPUNIT_KM,
                                 MAPUNIT_IN, MAPUNIT_FEET, MAPUNIT_MILES, MAPUNIT_HECTARE};
    for (int code : kOrder)
        if (std::fabs(x * FindUnit(code)->factor - 1.0) < 0.1)
            return code;
    return -1;
}

CMapUnits::CMapUnits()
    : m_distanceUnit(g_DistanceUnit), m_areaUnit(g_AreaUnit), m_coordUnit(g_CoordinateUnit),
      m_useSpherical(g_UseSpherical)
{
}

double CMapUnits::GetDistanceUnit(CString& name, const OGRSpatialReference* srs) const
{
    return GetUnitNameAndFactor(m_distanceUnit, name, srs);
}

double CMapUnits::GetAreaUnit(CString& name, const OGRSpatialReference* srs) const
{
    return GetUnitNameAndFactor(m_areaUnit, name, srs);
}

double CMapUnits::GetCoordUnit(CString& name, const OGRSpatialReference* srs) const
{
    return GetUnitNameAndFactor(m_coordUnit, name, srs);
}

BOOL CMapUnits::IsCoordUnitAngular() const
{
    return m_coordUnit == MAPUNIT_RAD || m_coordUnit == MAPUNIT_DEGREE;
}

CMapUnits::Record CMapUnits::ToRecord() const
{
    Record r;
    WriteRecord(r.data());
    return r;
}

void CMapUnits::WriteRecord(BYTE* record) const
{
    MapRecord::PutDword(record, 0);
    MapRecord::PutDword(record + 4, (DWORD)m_distanceUnit);
    MapRecord::PutDword(record + 8, (DWORD)m_areaUnit);
    MapRecord::PutDword(record + 12, (DWORD)m_coordUnit);
    MapRecord::PutDword(record + 16, (DWORD)m_useSpherical);
}

BOOL CMapUnits::ReadRecord(const void* data, int size)
{
    if (!data || size < kRecordSize)
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(data);
    m_distanceUnit = (LONG)MapRecord::GetDword(p + 4);
    m_areaUnit = (LONG)MapRecord::GetDword(p + 8);
    m_coordUnit = (LONG)MapRecord::GetDword(p + 12);
    m_useSpherical = (LONG)MapRecord::GetDword(p + 16);
    return TRUE;
}
