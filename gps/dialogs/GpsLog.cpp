// Reading GPS log files and drawing them into the map.
#include "gps/dialogs/GpsLog.h"

#include "gps/dialogs/GpsDataDlg.h"
#include "gps/recording/GpsFixTransform.h"
#include "gps/recording/GpsLayerRecording.h"
#include "gps/nmea/NmeaFieldList.h"
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
#include <cctype>
#include <cstdlib>
#include <climits>
#include <cmath>
#include <fstream>
#include <string>

namespace {
// Reads the file line by line; false when it cannot be opened.
template <class Each>
bool ForEachLine(const CString& path, Each each)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line))
        each(line.c_str());
    return true;
}

// A sentence whose "*hh" matches the exclusive-or of the characters between
// "$" and "*".
bool ChecksumIsRight(const CString& line)
{
    const int star = line.Find('*');
    if (star < 1 || line.GetLength() < star + 3)
        return false;
    unsigned char sum = 0;
    for (int i = 1; i < star; ++i)
        sum ^= (unsigned char)line[i];
    char* end = nullptr;
    const CString digits = line.Mid(star + 1, 2);
    const unsigned long stated = strtoul(digits, &end, 16);
    return end && *end == 0 && isxdigit((unsigned char)digits[0]) && stated == sum;
}

bool Parse(CNmeaParser& parser, const CString& sentence)
{
    parser.SetSentence(sentence);
    return parser.Parse() != 0;
}
}

CString GpsLogSentence(const char* line)
{
    CString text(line);
    while (!text.IsEmpty() && (text[text.GetLength() - 1] == '\r' || text[text.GetLength() - 1] == '\n'))
        text = text.Left(text.GetLength() - 1);
    return text + "\r\n";
}

bool IsLogSentence(const CString& line)
{
    return line.GetLength() >= 3 && line[0] == '$' && line.Right(2) == "\r\n";
}

bool ReadGpsLogPositions(const CString& path, std::vector<GpsLogPosition>& positions)
{
    positions.clear();
    return ForEachLine(path, [&](const char* line) {
        CNmeaParser parser;
        if (!Parse(parser, GpsLogSentence(line)))
            return;
        const CNmeaPosition& p = parser.LastPosition;
        if (p.m_Latitude.IsKnown() && p.m_Longitude.IsKnown())
            positions.push_back({p.m_Latitude.m_dValue, p.m_Longitude.m_dValue, p.m_Latitude.SignedDegrees(),
                                 p.m_Longitude.SignedDegrees()});
    });
}

GpsLogImportResult ImportGpsLog(CMapWindowLink& map, CMapLayer* layer, const CString& path)
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
    ForEachLine(path, [&](const char* raw) {
        const CString line = GpsLogSentence(raw);
        if (!IsLogSentence(line))
            return;
        const CString kind = CNmeaFieldList(line).GetKind();
        if (kind != "GGA" && kind != "GLL" && kind != "RMC")
            return;
        // Read by field position, so that the later versions' extra fields
        // (a GGA with a 15th field, say) do not hide a good fix.
        const CNmeaFieldList fields(line);
        if (!ChecksumIsRight(line))
            return;   // a broken line
        const int latAt = kind == "GGA" ? 2 : kind == "GLL" ? 1 : 3;
        const CString ns = fields.GetField(latAt + 1), ew = fields.GetField(latAt + 3);
        if ((ns != "N" && ns != "S") || (ew != "E" && ew != "W") || fields.GetLatitude().IsEmpty() ||
            fields.GetLongitude().IsEmpty())
            return;
        const double lat = NmeaToDegrees(atof(fields.GetLatitude())) * (ns == "S" ? -1 : 1);
        const double lon = NmeaToDegrees(atof(fields.GetLongitude())) * (ew == "W" ? -1 : 1);
        if (lat == lastLat || lon == lastLon)
            return;   // both must change
        if (kind == "GGA")
            satellites.Format("%i", atoi(fields.GetField(7)));
        const CString hhmmss = fields.GetTime();
        const CString time = hhmmss.GetLength() >= 6 ? hhmmss.Mid(0, 2) + ":" + hhmmss.Mid(2, 2) + ":" + hhmmss.Mid(4, 2)
                                                     : CString();
        CDoublePoint at;
        if (!transform.ToMap(lon, lat, at))
            return;   // outside what the map's system can hold
        if (!haveOrigin) {
            origin = at;
            zoom = transform.FirstZoomAt(lon, lat);
            haveOrigin = true;
            extent = CDoubleRect(at.x, at.y, at.x, at.y);
        }
        const long long px = std::llround(std::clamp((at.x - origin.x) / zoom, -9e18, 9e18));
        const long long py = std::llround(std::clamp((at.y - origin.y) / zoom, -9e18, 9e18));
        if (px == lastPixelX && py == lastPixelY)
            return;
        CMapObject* node = map.PlaceNodeAt(at.x, at.y);
        track.AddDoublePoint(at.x, at.y);
        extent.left = std::min(extent.left, at.x);
        extent.right = std::max(extent.right, at.x);
        extent.bottom = std::min(extent.bottom, at.y);
        extent.top = std::max(extent.top, at.y);
        if (node) {
            StoreGpsNode(map, node, lat, lon, satellites, time);
            ++result.nodes;
        }
        lastLat = lat;
        lastLon = lon;
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
