// The units in which a map shows distances, areas and coordinates, and the table
// of unit codes with their names and conversion factors.
#pragma once

#include "platform/base/Afx.h"

#include <array>

class OGRSpatialReference;

// Unit codes (stored in the map's MapUnits record and the profile).
enum MapUnitCode {
    MAPUNIT_M = 1,
    MAPUNIT_CM = 2,
    MAPUNIT_MM = 3,
    MAPUNIT_KM = 4,
    MAPUNIT_IN = 5,
    MAPUNIT_FEET = 6,
    MAPUNIT_MILES = 7,
    MAPUNIT_HECTARE = 8,   // linear unit whose square is the hectare (100 m)
    MAPUNIT_RAD = 10,
    MAPUNIT_DEGREE = 11,
};

// Sets `name` to the unit's name and returns the factor that turns a value in the
// map's linear unit into that unit. `srs` may be null (or geographic): the map
// unit is then taken as the base unit itself. Unknown codes give "m".
// Factors are linear: an area is converted with the square of the factor.
double GetUnitNameAndFactor(int code, CString& name, const OGRSpatialReference* srs);

// The code whose unit matches the linear unit of `srs` within 10 %: 11 for a
// geographic system; -1 for a null `srs` or when no unit matches.
int GuessUnitCode(const OGRSpatialReference* srs);

class CMapUnits {
public:
    // Stored form: column MapUnits of the map's property row, little-endian.
    static constexpr int kRecordSize = 20;
    using Record = std::array<BYTE, kRecordSize>;

    // The units of new maps: from the preferences.
    CMapUnits();
    CMapUnits(const CMapUnits&) = default;
    CMapUnits& operator=(const CMapUnits&) = default;
    virtual ~CMapUnits() = default;

    double GetDistanceUnit(CString& name, const OGRSpatialReference* srs) const;
    double GetAreaUnit(CString& name, const OGRSpatialReference* srs) const;
    double GetCoordUnit(CString& name, const OGRSpatialReference* srs) const;
    BOOL IsCoordUnitAngular() const;

    int GetDistanceUnitCode() const { return m_distanceUnit; }
    void SetDistanceUnitCode(int code) { m_distanceUnit = code; }
    int GetAreaUnitCode() const { return m_areaUnit; }
    void SetAreaUnitCode(int code) { m_areaUnit = code; }
    int GetCoordUnitCode() const { return m_coordUnit; }
    void SetCoordUnitCode(int code) { m_coordUnit = code; }
    int GetUseSpherical() const { return m_useSpherical; }
    void SetUseSpherical(int flag) { m_useSpherical = flag; }

    // The 20-byte record; the first word is reserved and written as 0.
    Record ToRecord() const;
    void WriteRecord(BYTE* record) const;
    // Takes the four members from bytes 4 to 19 (the reserved word is ignored).
    // A null or shorter record changes nothing and gives FALSE.
    BOOL ReadRecord(const void* data, int size);

private:
    // The record's fields, in record order after the reserved word.
    LONG m_distanceUnit;
    LONG m_areaUnit;
    LONG m_coordUnit;
    LONG m_useSpherical;
};

static_assert(std::tuple_size_v<CMapUnits::Record> == 20, "the MapUnits BLOB is 20 bytes");
