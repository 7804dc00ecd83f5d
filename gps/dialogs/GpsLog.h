// GPS log files: text files of NMEA sentences as a receiver writes them, one
// sentence a line, with CR LF, LF or CR line ends (CNmeaLineCutter). Reading
// them for the log viewer, and drawing them into the map as nodes and one
// track. Both read a sentence as the live receiver's sentences are read: through
// one parser, which takes the checksum after "*" wherever it stands and takes
// sentences without one (except RMC), and both keep only fixes whose position
// and time can be (NmeaFixOf).
#pragma once

#include "gps/nmea/NmeaFix.h"

#include "platform/base/CString.h"

#include <functional>
#include <vector>

class CMapLayer;
class CMapWindowLink;

struct GpsLogPosition {
    double rawLatitude, rawLongitude;   // ddmm.mmmm and dddmm.mmmm as written, without sign
    double latitude, longitude;         // decimal degrees, south and west negative
};

// What a read found besides the positions it kept.
struct GpsLogCounts {
    long long lines = 0;            // lines that hold any text
    long long notSentences = 0;     // lines that do not begin with "$"
    long long badChecksums = 0;     // sentences with a wrong or missing checksum
    long long unknownTypes = 0;     // sentences of a type the program does not read
    long long impossible = 0;       // positions or times that cannot be
    long long withoutPosition = 0;  // position sentences without a position (the receiver had no fix)
    long long tooLong = 0;          // lines longer than CNmeaLineCutter::kMaxLine
    long long repeated = 0;         // fixes where latitude or longitude did not change (import only)
};

// Told the share of the file read so far (0 to 1) now and then; false cancels.
using GpsLogProgress = std::function<bool(double done)>;

// Every position with both hemispheres that a sentence of the file states,
// whatever the sentence (GGA, GLL, RMC, waypoints, ...), in file order. False
// when the file cannot be read or the progress cancelled (the positions read
// until then are kept).
bool ReadGpsLogPositions(const CString& path, std::vector<GpsLogPosition>& positions, GpsLogCounts* counts = nullptr,
                         const GpsLogProgress& progress = {});

// The fixes of the file's GGA, GLL and RMC sentences (of any talker), in file
// order, as the import reads them before it passes over any; the same false.
bool ReadGpsLogFixes(const CString& path, std::vector<CNmeaFix>& fixes, GpsLogCounts* counts = nullptr);

struct GpsLogImportOptions {
    // Every fix becomes a node, also where latitude or longitude did not change
    // or where it falls on the pixel of the one before (a recording given back).
    bool everyFix = false;
    // Fixes for which this says false are passed over without a word.
    std::function<bool(const CNmeaFix&)> keep;
    GpsLogProgress progress;
};

struct GpsLogImportResult {
    bool fileRead = false;
    bool cancelled = false;
    int nodes = 0;            // nodes stored
    int trackPoints = 0;      // vertices of the track added to the layer
    GpsLogCounts counts;
};

// Draws the GGA, GLL and RMC fixes (of any talker) of the file into `layer`
// through `map`: a node at each fix, in the map's coordinate system, where both
// latitude and longitude changed and the fix does not fall on the pixel of the
// last one at the first view's scale; the track through them joins the layer at
// the end, also when the progress cancelled. The layer gets the four GPS fields
// first. The view shows the track afterwards.
GpsLogImportResult ImportGpsLog(CMapWindowLink& map, CMapLayer* layer, const CString& path,
                                const GpsLogImportOptions& options = {});

// The words the user is told after an import: how many nodes were made and
// which lines were skipped, and why.
CString DescribeGpsLogImport(const GpsLogImportResult& result);
