// The transformation the objects' Transform tests run: WGS84 degrees, longitude
// first, to spherical Mercator (EPSG 3857), where a latitude past the pole has
// no point.
#pragma once

#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include <memory>

// Null when the transformation cannot be made.
inline std::unique_ptr<OGRCoordinateTransformation> DegreesToMercator()
{
    OGRSpatialReference wgs, mercator;
    wgs.SetWellKnownGeogCS("WGS84");
    wgs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    EXPECT_EQ(mercator.importFromEPSG(3857), OGRERR_NONE);
    return std::unique_ptr<OGRCoordinateTransformation>(OGRCreateCoordinateTransformation(&wgs, &mercator));
}
