// What recording a fix into a layer does, whoever records it (the GPS Data
// window from a receiver or the logger, the GPS log import from a file).
#pragma once

#include "platform/base/CString.h"

class CMapLayer;
class CMapObject;
class CMapWindowLink;

// Adds the fields "Latitude", "Longitude", "SatelliteView" and "Time" (text,
// 128) that the layer lacks and rebuilds its attribute table keeping the
// values it holds. The SQLite message when the rebuild failed, else empty.
CString PrepareGpsLayerFields(CMapLayer* layer);

// The node just placed for a fix: its symbol ".", its four attributes by field
// name (signed degrees as "%f"), stored in the layer that holds it, redrawn,
// announced and deselected. The SQLite message when storing failed, else empty.
CString StoreGpsNode(CMapWindowLink& map, CMapObject* node, double latitude, double longitude,
                     const CString& satellites, const CString& time);
