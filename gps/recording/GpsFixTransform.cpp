// WGS 84 to the map's system through OGR, in the traditional GIS axis order.
#include "gps/recording/GpsFixTransform.h"

#include "model/layers/MapModel.h"

#include <ogr_spatialref.h>

#include <cmath>

void CGpsFixTransform::Deleter::operator()(OGRCoordinateTransformation* ct) const
{
    OGRCoordinateTransformation::DestroyCT(ct);
}

CGpsFixTransform::CGpsFixTransform(const CMapModel& map)
{
    const OGRSpatialReference* target = map.GetSpatialReference();
    if (!target)
        return;
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference mapSystem(*target);
    mapSystem.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    m_pTransform.reset(OGRCreateCoordinateTransformation(&wgs84, &mapSystem));
}

CGpsFixTransform::~CGpsFixTransform() = default;

bool CGpsFixTransform::ToMap(double longitude, double latitude, CDoublePoint& out) const
{
    if (!std::isfinite(longitude) || !std::isfinite(latitude))
        return false;
    double x = longitude, y = latitude;
    if (m_pTransform && !m_pTransform->Transform(1, &x, &y))
        return false;
    if (!std::isfinite(x) || !std::isfinite(y))
        return false;
    out = CDoublePoint(x, y);
    return true;
}

double CGpsFixTransform::FirstZoomAt(double longitude, double latitude) const
{
    CDoublePoint a, b;
    const double other = latitude > 0 ? latitude - kFirstZoomDegrees : latitude + kFirstZoomDegrees;
    if (!ToMap(longitude, latitude, a) || !ToMap(longitude, other, b))
        return kFirstZoomDegrees;
    const double d = std::hypot(b.x - a.x, b.y - a.y);
    return d > 0 ? d : kFirstZoomDegrees;
}
