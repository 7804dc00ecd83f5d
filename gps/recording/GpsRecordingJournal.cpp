// Writing and listing the journals of GPS recordings.
#include "gps/recording/GpsRecordingJournal.h"

#include "core/SQLiteDatabase.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "platform/base/Profile.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

namespace {
const char kSection[] = "GPS Recordings";
const char kEntry[] = "Journals";
const char kLayerLine[] = "# layer: ";
const char kMapLine[] = "# map: ";

// Degrees as NMEA's ddmm.mmmm with enough digits that reading them back gives
// the same degrees to 1e-10, and the hemisphere.
CString DegreesMinutes(double degrees, int width)
{
    const double a = std::fabs(degrees);
    const double whole = std::floor(a);
    double minutes = (a - whole) * 60;
    CString text;
    text.Format("%0*.0f%011.8f", width, whole, std::min(minutes, 59.99999999));
    return text;
}

std::set<std::string>& Owned()
{
    static std::set<std::string> owned;
    return owned;
}

CString Joined(const std::vector<CString>& paths)
{
    CString all;
    for (const CString& p : paths)
        all += p + "\n";
    return all;
}
}

CString CGpsRecordingJournal::PathFor(const CString& layerFile)
{
    return layerFile + ".recording.nmea";
}

CString CGpsRecordingJournal::LayerFileOf(const CMapLayer& layer)
{
    if (!layer.GetFilePath().IsEmpty())
        return layer.GetFilePath();
    // A layer loaded on its own keeps no path; its database knows it.
    CSQLiteDatabase* db = layer.GetDatabase();
    const char* name = db && db->GetHandle() ? sqlite3_db_filename(db->GetHandle(), "main") : nullptr;
    return name ? CString(name) : CString();
}

CString CGpsRecordingJournal::MapFileOf(const CMapModel& map)
{
    CSQLiteDatabase* db = map.GetDatabase();
    const char* name = db && db->GetHandle() ? sqlite3_db_filename(db->GetHandle(), "main") : nullptr;
    return name ? CString(name) : CString();
}

bool CGpsRecordingJournal::Open(const CMapLayer& layer, const CMapModel& map)
{
    Close();
    const CString file = LayerFileOf(layer);
    if (file.IsEmpty())
        return false;
    return OpenAt(file, MapFileOf(map));
}

bool CGpsRecordingJournal::OpenAt(const CString& layerFile, const CString& mapFile)
{
    const CString path = PathFor(layerFile);
    std::error_code error;
    const bool fresh = !std::filesystem::exists(path.GetString(), error);
    m_File.open(path.GetString(), std::ios::binary | std::ios::app);
    if (!m_File)
        return false;
    if (fresh) {
        m_File << "# GPS recording, not yet saved into its map\n"
               << kLayerLine << layerFile.GetString() << "\n"
               << kMapLine << mapFile.GetString() << "\n";
        m_File.flush();
    }
    m_strPath = path;
    m_strLayerFile = layerFile;
    m_strMapFile = mapFile;
    List(path);
    Own(path);
    return true;
}

void CGpsRecordingJournal::Append(const CMapLayer& layer, double latitude, double longitude,
                                  const CString& satellites, const CString& time)
{
    if (!IsOpen())
        return;
    // A save that wrote the layer to a new file saved what the old journal
    // held: the recording goes on beside the new file. A save in place removed
    // the journal: it starts again.
    std::error_code error;
    const CString now = LayerFileOf(layer);
    const bool moved = !now.IsEmpty() && now != m_strLayerFile;
    if (moved || !std::filesystem::exists(m_strPath.GetString(), error)) {
        const CString old = m_strPath;
        const CString layerFile = moved ? now : m_strLayerFile;
        const CString mapFile = m_strMapFile;
        Close();
        Remove(old);
        if (!OpenAt(layerFile, mapFile))
            return;
    }
    CString clock;
    if (time.GetLength() == 8 && time[2] == ':' && time[5] == ':')
        clock = time.Mid(0, 2) + time.Mid(3, 2) + time.Mid(6, 2);
    CString body;
    body.Format("GPGGA,%s,%s,%c,%s,%c,1,%d,,,M,,M,,", clock.GetString(), DegreesMinutes(latitude, 2).GetString(),
                latitude < 0 ? 'S' : 'N', DegreesMinutes(longitude, 3).GetString(), longitude < 0 ? 'W' : 'E',
                atoi(satellites));
    unsigned char sum = 0;
    for (int i = 0; i < body.GetLength(); ++i)
        sum ^= (unsigned char)body[i];
    CString line;
    line.Format("$%s*%02X\r\n", body.GetString(), sum);
    m_File << line.GetString();
    m_File.flush();
}

void CGpsRecordingJournal::Close()
{
    if (m_File.is_open())
        m_File.close();
    m_File.clear();
}

bool CGpsRecordingJournal::ReadHeader(const CString& journal, Header& header)
{
    std::ifstream in(journal.GetString(), std::ios::binary);
    if (!in)
        return false;
    std::string line;
    for (int i = 0; i < 3 && std::getline(in, line); ++i) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind(kLayerLine, 0) == 0)
            header.layerFile = line.substr(sizeof kLayerLine - 1).c_str();
        else if (line.rfind(kMapLine, 0) == 0)
            header.mapFile = line.substr(sizeof kMapLine - 1).c_str();
    }
    return !header.layerFile.IsEmpty();
}

std::vector<CString> CGpsRecordingJournal::Listed()
{
    std::vector<CString> paths;
    const std::string all = AfxGetProfileString(kSection, kEntry, "").GetString();
    size_t start = 0;
    for (size_t end = all.find('\n'); end != std::string::npos; end = all.find('\n', start)) {
        if (end > start)
            paths.emplace_back(all.substr(start, end - start).c_str());
        start = end + 1;
    }
    return paths;
}

void CGpsRecordingJournal::List(const CString& journal)
{
    std::vector<CString> paths = Listed();
    if (std::find(paths.begin(), paths.end(), journal) != paths.end())
        return;
    paths.push_back(journal);
    AfxWriteProfileString(kSection, kEntry, Joined(paths));
}

void CGpsRecordingJournal::Own(const CString& journal)
{
    Owned().insert(journal.GetString());
}

bool CGpsRecordingJournal::IsOwned(const CString& journal)
{
    return Owned().count(journal.GetString()) > 0;
}

void CGpsRecordingJournal::Remove(const CString& journal)
{
    Owned().erase(journal.GetString());
    std::error_code error;
    std::filesystem::remove(journal.GetString(), error);
    std::vector<CString> paths = Listed();
    const auto end = std::remove(paths.begin(), paths.end(), journal);
    if (end == paths.end())
        return;
    paths.erase(end, paths.end());
    AfxWriteProfileString(kSection, kEntry, paths.empty() ? nullptr : Joined(paths).GetString());
}
