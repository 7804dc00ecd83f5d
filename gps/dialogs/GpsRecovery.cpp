// Offering back the recordings of journals, and dropping them.
#include "gps/dialogs/GpsRecovery.h"

#include "gps/dialogs/GpsLog.h"
#include "gps/recording/GpsRecordingJournal.h"

#include "core/SQLiteException.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapNotify.h"
#include "model/layers/MapObject.h"
#include "model/layers/MapWindowLink.h"
#include "platform/base/MessageBox.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {
namespace fs = std::filesystem;

bool SameFile(const CString& a, const CString& b)
{
    if (a.IsEmpty() || b.IsEmpty())
        return false;
    std::error_code error;
    return a == b || fs::equivalent(a.GetString(), b.GetString(), error);
}

// A fix as a node of the layer keeps it: its time and its position to about a metre.
using FixKey = std::tuple<std::string, long long, long long>;

FixKey KeyOf(const CString& time, double latitude, double longitude)
{
    return {time.GetString(), std::llround(latitude * 1e5), std::llround(longitude * 1e5)};
}

// The GPS nodes the layer holds, by their attributes.
std::set<FixKey> RecordedFixes(CMapLayer* layer)
{
    std::set<FixKey> keys;
    const int lat = layer->FindField("Latitude"), lon = layer->FindField("Longitude"), time = layer->FindField("Time");
    if (lat < 0 || lon < 0 || time < 0)
        return keys;
    POSITION pos = layer->GetPointObjects().GetHeadPosition();
    while (pos) {
        CMapObject* o = layer->GetPointObjects().GetNext(pos);
        keys.insert(KeyOf(o->GetAttributeText(time), atof(o->GetAttributeText(lat)), atof(o->GetAttributeText(lon))));
    }
    return keys;
}

CMapLayer* LayerWithFile(CMapModel& map, const CString& file)
{
    for (POSITION pos = map.GetFirstLayerPosition(); pos;) {
        CMapLayer* layer = map.GetNextLayer(pos);
        if (SameFile(CGpsRecordingJournal::LayerFileOf(*layer), file))
            return layer;
    }
    return nullptr;
}

// The journals to look at: those beside the map's layers and those listed.
std::vector<CString> Candidates(CMapModel& map)
{
    std::vector<CString> journals = CGpsRecordingJournal::Listed();
    for (POSITION pos = map.GetFirstLayerPosition(); pos;) {
        const CString file = CGpsRecordingJournal::LayerFileOf(*map.GetNextLayer(pos));
        if (!file.IsEmpty())
            journals.push_back(CGpsRecordingJournal::PathFor(file));
    }
    std::vector<CString> unique;
    for (const CString& j : journals)
        if (std::none_of(unique.begin(), unique.end(), [&](const CString& u) { return u == j; }))
            unique.push_back(j);
    return unique;
}
}

int OfferGpsRecordings(CMapWindowLink& link)
{
    // The question's own message loop may bring another offer (a layer loaded
    // for a journal announces itself): one offer at a time.
    static bool offering = false;
    if (offering)
        return 0;
    offering = true;
    struct Done {
        ~Done() { offering = false; }
    } done;
    CMapModel& map = *link.GetMapModel();
    const CString mapFile = CGpsRecordingJournal::MapFileOf(map);
    int offered = 0;
    for (const CString& journal : Candidates(map)) {
        CGpsRecordingJournal::Header header;
        std::error_code error;
        if (CGpsRecordingJournal::IsOwned(journal))
            continue;
        if (!fs::exists(journal.GetString(), error)) {
            CGpsRecordingJournal::Remove(journal);   // listed, but gone
            continue;
        }
        if (!CGpsRecordingJournal::ReadHeader(journal, header))
            continue;
        CMapLayer* layer = LayerWithFile(map, header.layerFile);
        if (!layer) {
            // A layer made for the recording that the saved workspace does not
            // list yet: it belongs to this map when the journal says so.
            if (!SameFile(header.mapFile, mapFile) || !fs::exists(header.layerFile.GetString(), error))
                continue;
            try {
                if (map.OpenLayer(header.layerFile, nullptr))
                    layer = LayerWithFile(map, header.layerFile);
            } catch (const CSQLiteException& e) {
                AfxMessageBox(e.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
            }
            if (!layer)
                continue;
            link.NotifyParent(MAPA_LAYER_LOADED, layer, 0);
            link.SetModified(1);
            link.InvalidateMap(nullptr, TRUE);
        }
        // The fixes the layer already holds were saved with it.
        const std::set<FixKey> recorded = RecordedFixes(layer);
        std::vector<CNmeaFix> missing;
        ReadGpsLogFixes(journal, missing);
        std::erase_if(missing, [&](const CNmeaFix& f) {
            return recorded.count(KeyOf(NmeaClockText(f.timeText), f.latitude, f.longitude)) > 0;
        });
        if (missing.empty()) {
            CGpsRecordingJournal::Remove(journal);
            continue;
        }
        ++offered;
        // Taken by this run from here on: never offered twice.
        CGpsRecordingJournal::Own(journal);
        CString question;
        question.Format("A GPS recording into the layer \"%s\" was not saved before the program ended: %d positions."
                        "\r\n\r\nDo you want to add them to the layer again? No discards them.",
                        layer->GetName().GetString(), (int)missing.size());
        if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            CGpsRecordingJournal::Remove(journal);
            continue;
        }
        // Every fix of the journal was a node: drawn again as it was, the
        // journal staying until the map is saved.
        GpsLogImportOptions options;
        options.everyFix = true;
        options.keep = [&](const CNmeaFix& f) {
            return recorded.count(KeyOf(NmeaClockText(f.timeText), f.latitude, f.longitude)) == 0;
        };
        ImportGpsLog(link, layer, journal, options);
    }
    return offered;
}

void DropGpsRecordingJournals(const CMapModel& map)
{
    for (POSITION pos = map.GetFirstLayerPosition(); pos;) {
        const CString file = CGpsRecordingJournal::LayerFileOf(*map.GetNextLayer(pos));
        if (!file.IsEmpty())
            CGpsRecordingJournal::Remove(CGpsRecordingJournal::PathFor(file));
    }
}
