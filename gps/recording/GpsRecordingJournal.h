// The journal of a GPS recording. The nodes of a recording live in their
// layer's open transaction until the map is saved, so a crash, a kill or a
// power cut of the program would lose them all; the journal keeps them. Every
// fix recorded into a layer is written, as it is recorded, to a GPS log beside
// the layer's file (the file's path and ".recording.nmea"), and handed to the
// operating system at once. When the map is next opened, the journals it left
// are offered back (GpsRecovery.h); a journal goes when its map was saved or
// closed, whose recording is then saved or given up by the user's choice.
//
// A journal is a plain GPS log that the log import reads: "#" lines name the
// layer and the map, then one GGA sentence per recorded fix, carrying its
// position, its satellites and its time, so that importing it gives back the
// same nodes and the same track. The journals of the process are listed in the
// profile (section "GPS Recordings", entry "Journals"), so that one of a layer
// that the map's saved workspace does not list yet is found too.
#pragma once

#include "platform/base/CString.h"

#include <fstream>
#include <vector>

class CMapLayer;
class CMapModel;

class CGpsRecordingJournal {
public:
    CGpsRecordingJournal() = default;
    ~CGpsRecordingJournal() { Close(); }
    CGpsRecordingJournal(const CGpsRecordingJournal&) = delete;
    CGpsRecordingJournal& operator=(const CGpsRecordingJournal&) = delete;

    // The journal of the layer file `layerFile`.
    static CString PathFor(const CString& layerFile);
    // The file of the layer: the one it was opened from or made as; empty for none.
    static CString LayerFileOf(const CMapLayer& layer);
    // The workspace file of the map; empty when it has none.
    static CString MapFileOf(const CMapModel& map);

    // Starts (or goes on with) the journal of `layer`, a layer of `map`; false
    // when the layer has no file or the journal cannot be written, and the
    // recording then goes on without one.
    bool Open(const CMapLayer& layer, const CMapModel& map);
    // Writes one recorded fix: signed decimal degrees, the satellites text and
    // the "hh:mm:ss" time text the node carries. Follows the layer when a save
    // moved its file.
    void Append(const CMapLayer& layer, double latitude, double longitude, const CString& satellites,
                const CString& time);
    void Close();
    bool IsOpen() const { return m_File.is_open(); }
    const CString& GetPath() const { return m_strPath; }

    // What a journal's "#" lines name.
    struct Header {
        CString layerFile, mapFile;
    };
    static bool ReadHeader(const CString& journal, Header& header);
    // The journals listed in the profile, and the listing.
    static std::vector<CString> Listed();
    static void List(const CString& journal);
    // Removes the journal file and its listing.
    static void Remove(const CString& journal);
    // Journals this process writes or gave back to their map: they hold this
    // run's recordings, which are in their layers already and never offered back.
    static void Own(const CString& journal);
    static bool IsOwned(const CString& journal);

private:
    bool OpenAt(const CString& layerFile, const CString& mapFile);

    std::ofstream m_File;
    CString m_strPath;
    CString m_strLayerFile;
    CString m_strMapFile;
};
