// Where a GPS fix lies on the map: WGS 84 longitude and latitude (south and
// west negative) transformed into the map's coordinate system, in map units.
// A map without a coordinate system takes the degrees as they are.
#pragma once

#include "core/DoublePoint.h"

#include <memory>

class CMapModel;
class OGRCoordinateTransformation;

class CGpsFixTransform {
public:
    // The length of 1.7e-6 degrees, the first view's scale of a recording, in map units.
    static constexpr double kFirstZoomDegrees = 1.7e-6;

    explicit CGpsFixTransform(const CMapModel& map);
    ~CGpsFixTransform();
    CGpsFixTransform(const CGpsFixTransform&) = delete;
    CGpsFixTransform& operator=(const CGpsFixTransform&) = delete;

    // False when the system cannot take the point (out of its area).
    bool ToMap(double longitude, double latitude, CDoublePoint& out) const;
    // Map units per pixel that show 1.7e-6 degrees of latitude per pixel at the fix.
    double FirstZoomAt(double longitude, double latitude) const;

private:
    struct Deleter {
        void operator()(OGRCoordinateTransformation* ct) const;
    };
    std::unique_ptr<OGRCoordinateTransformation, Deleter> m_pTransform;
};
