// Reading GPS log files and drawing them into the map.
#include "gps/dialogs/GpsLog.h"

#include "gps/recording/GpsFixTransform.h"
#include "gps/recording/GpsLayerRecording.h"
#include "gps/nmea/NmeaLineCutter.h"
#include "gps/nmea/NmeaParser.h"

#include "core/DoubleRect.h"
#include "core/SQLiteException.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapNotify.h"
#include "model/polygons/MapPolyline.h"
#include "model/layers/MapWindowLink.h"
#include "platform/base/MessageBox.h"
#include "platform/wnd/CWnd.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <fstream>
#include <vector>

namespace {
// Hands every line of the file to `each(parser, accepted)`: the parser holds
// the line as a sentence and `accepted` says whether it parsed. Lines that are
// no sentence or that the parser refuses are counted here. False when the file
// cannot be opened or the progress cancelled.
template <class Each>
bool ForEachSentence(const CString& path, GpsLogCounts& counts, const GpsLogProgress& progress, Each each)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    const double size = std::max<double>(1, (double)in.tellg());
    in.seekg(0);
    // One parser for the whole file, as the viewer and the import are meant to use.
    CNmeaParser parser;
    CNmeaLineCutter cutter;
    auto line = [&](const CString& text) {
        ++counts.lines;
        if (text[0] != '$') {
            ++counts.notSentences;
            return;
        }
        parser.SetSentence(text + "\r\n");
        if (parser.Parse()) {
            each(parser);
            return;
        }
        if (parser.ErrorText.Find("Checksum") >= 0)
            ++counts.badChecksums;
        else
            ++counts.unknownTypes;
    };
    std::vector<char> buffer(1 << 16);
    double read = 0;
    while (in) {
        in.read(buffer.data(), (std::streamsize)buffer.size());
        const std::streamsize n = in.gcount();
        if (n <= 0)
            break;
        cutter.Feed(buffer.data(), (size_t)n, line);
        read += (double)n;
        if (progress && !progress(read / size)) {
            counts.tooLong = (long long)cutter.GetCutLines();
            return false;
        }
    }
    cutter.Finish(line);
    counts.tooLong = (long long)cutter.GetCutLines();
    return true;
}
}

bool ReadGpsLogPositions(const CString& path, std::vector<GpsLogPosition>& positions, GpsLogCounts* counts,
                         const GpsLogProgress& progress)
{
    positions.clear();
    GpsLogCounts local;
    GpsLogCounts& c = counts ? *counts : local;
    return ForEachSentence(path, c, progress, [&](CNmeaParser& parser) {
        CNmeaFix fix;
        switch (NmeaFixOf(parser, fix)) {
        case NmeaFixKind::kFix:
            positions.push_back({fix.rawLatitude, fix.rawLongitude, fix.latitude, fix.longitude});
            break;
        case NmeaFixKind::kImpossible:
            ++c.impossible;
            break;
        case NmeaFixKind::kNone:
            break;
        }
    });
}

namespace {
// The import's reading of one parsed sentence: the fix of a GGA, GLL or RMC,
// or nothing, counted.
bool TakeFix(CNmeaParser& parser, CNmeaFix& fix, GpsLogCounts& counts)
{
    if (!IsNmeaFixSentence(parser.ParsedMnemonic))
        return false;
    switch (NmeaFixOf(parser, fix)) {
    case NmeaFixKind::kFix:
        return true;
    case NmeaFixKind::kNone:
        ++counts.withoutPosition;
        return false;
    case NmeaFixKind::kImpossible:
        ++counts.impossible;
        return false;
    }
    return false;
}
}

bool ReadGpsLogFixes(const CString& path, std::vector<CNmeaFix>& fixes, GpsLogCounts* counts)
{
    fixes.clear();
    GpsLogCounts local;
    GpsLogCounts& c = counts ? *counts : local;
    return ForEachSentence(path, c, {}, [&](CNmeaParser& parser) {
        CNmeaFix fix;
        if (TakeFix(parser, fix, c))
            fixes.push_back(fix);
    });
}

GpsLogImportResult ImportGpsLog(CMapWindowLink& map, CMapLayer* layer, const CString& path,
                                const GpsLogImportOptions& options)
{
    GpsLogImportResult result;
    CMapModel* model = map.GetMapModel();
    const CGpsFixTransform transform(*model);
    {
        std::ifstream probe(path.GetString(), std::ios::binary);
        if (!probe)
            return result;
    }
    result.fileRead = true;

    const CString error = PrepareGpsLayerFields(layer);
    if (!error.IsEmpty())
        AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
    map.NotifyParent(MAPA_LAYER_BUILT, layer, 0);

    CMapPolyline track;
    double lastLat = 0, lastLon = 0;
    long long lastPixelX = LLONG_MIN, lastPixelY = LLONG_MIN;
    bool haveOrigin = false;
    CDoublePoint origin;
    double zoom = CGpsFixTransform::kFirstZoomDegrees;   // map units per pixel of the first view
    CDoubleRect extent;
    CString satellites;   // from the last GGA; empty before the first
    GpsLogCounts& counts = result.counts;
    result.cancelled = !ForEachSentence(path, counts, options.progress, [&](CNmeaParser& parser) {
        CNmeaFix fix;
        if (!TakeFix(parser, fix, counts))
            return;
        if (options.keep && !options.keep(fix))
            return;
        if (!options.everyFix && (fix.latitude == lastLat || fix.longitude == lastLon)) {
            ++counts.repeated;   // both must change
            return;
        }
        if (fix.satellites >= 0)
            satellites.Format("%i", fix.satellites);
        CDoublePoint at;
        if (!transform.ToMap(fix.longitude, fix.latitude, at)) {
            ++counts.impossible;   // outside what the map's system can hold
            return;
        }
        if (!haveOrigin) {
            origin = at;
            zoom = transform.FirstZoomAt(fix.longitude, fix.latitude);
            haveOrigin = true;
            extent = CDoubleRect(at.x, at.y, at.x, at.y);
        }
        const long long px = std::llround(std::clamp((at.x - origin.x) / zoom, -9e18, 9e18));
        const long long py = std::llround(std::clamp((at.y - origin.y) / zoom, -9e18, 9e18));
        if (!options.everyFix && px == lastPixelX && py == lastPixelY) {
            ++counts.repeated;
            return;
        }
        CMapObject* node = map.PlaceNodeAt(at.x, at.y, layer);
        track.AddDoublePoint(at.x, at.y);
        extent.left = std::min(extent.left, at.x);
        extent.right = std::max(extent.right, at.x);
        extent.bottom = std::min(extent.bottom, at.y);
        extent.top = std::max(extent.top, at.y);
        if (node) {
            StoreGpsNode(map, node, fix.latitude, fix.longitude, satellites, NmeaClockText(fix.timeText));
            ++result.nodes;
        }
        lastLat = fix.latitude;
        lastLon = fix.longitude;
        lastPixelX = px;
        lastPixelY = py;
    });
    ReleaseCapture();

    if (track.GetPointCount() > 0) {
        try {
            layer->AddObject(&track, TRUE);
            result.trackPoints = track.GetPointCount();
            map.InvalidateObject(&track);
            map.NotifyParent(MAPA_OBJECT_ADDED, &track, 0);
            map.SetModified(1);
        } catch (const CSQLiteException& e) {
            AfxMessageBox(e.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        }
        // Show what was drawn: the track's extent fills the window's height.
        CRect client;
        map.GetLinkWindow()->GetClientRect(&client);
        const double span = std::max(extent.right - extent.left, extent.top - extent.bottom);
        if (client.Height() > 0) {
            model->SetZoom(span > 0 ? span / client.Height() : zoom);
            map.SetViewOrigin(extent.left, extent.bottom);
        }
        layer->RecalcBounds();
    }
    map.InvalidateMap(nullptr, TRUE);
    return result;
}

CString DescribeGpsLogImport(const GpsLogImportResult& result)
{
    const GpsLogCounts& c = result.counts;
    CString text;
    text.Format("%d positions were drawn into the layer as nodes and a track.", result.nodes);
    if (result.cancelled)
        text += "\r\nThe import was cancelled: the rest of the file was not read.";
    const std::pair<long long, const char*> skipped[] = {
        {c.badChecksums, "with a wrong or missing checksum"},
        {c.impossible, "with a position or time that cannot be (out of range or not a number)"},
        {c.withoutPosition, "of the receiver without a position"},
        {c.notSentences, "that are no NMEA sentence"},
        {c.unknownTypes, "of a sentence type the program does not read"},
        {c.tooLong, "longer than 1024 characters"},
        {c.repeated, "at the latitude or longitude of the position before"},
    };
    CString reasons;
    for (const auto& [count, why] : skipped)
        if (count > 0)
            reasons.AppendFormat("\r\n%lld lines %s", count, why);
    if (!reasons.IsEmpty())
        text += "\r\n\r\nSkipped:" + reasons;
    return text;
}
