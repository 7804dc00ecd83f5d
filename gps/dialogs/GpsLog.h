// GPS log files: text files of NMEA sentences as a receiver writes them, one
// sentence a line, with CR LF or LF line ends. Reading them for the log
// viewer, and drawing them into the map as nodes and one track.
#pragma once

#include "platform/base/CString.h"

#include <vector>

class CMapLayer;
class CMapWindowLink;

struct GpsLogPosition {
    double rawLatitude, rawLongitude;   // ddmm.mmmm and dddmm.mmmm as written, without sign
    double latitude, longitude;         // decimal degrees, south and west negative
};

// A line of the log as a sentence: its line end (CR LF, LF or a lone CR)
// replaced by the CR LF the sentence classes expect.
CString GpsLogSentence(const char* line);

// Whether the line starts with "$" and ends with CR LF.
bool IsLogSentence(const CString& line);

// Every position with both hemispheres that a sentence of the file states,
// whatever the sentence (GGA, GLL, RMC, waypoints, ...), in file order. False
// when the file cannot be read.
bool ReadGpsLogPositions(const CString& path, std::vector<GpsLogPosition>& positions);

struct GpsLogImportResult {
    bool fileRead = false;
    int nodes = 0;            // nodes stored
    int trackPoints = 0;      // vertices of the track added to the layer
};

// Draws the GGA, GLL and RMC fixes (of any talker) of the file into `layer`,
// which is the map's active layer (the node tool's), through `map`: a node at each fix, in the map's coordinate system, where
// both latitude and longitude changed and the fix does not fall on the pixel
// of the last one at the first view's scale; the track through them joins the
// layer at the end. The layer gets the four GPS fields first. The view shows
// the track afterwards.
GpsLogImportResult ImportGpsLog(CMapWindowLink& map, CMapLayer* layer, const CString& path);
