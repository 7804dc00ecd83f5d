// Recordings that the program did not live to save (GpsRecordingJournal.h),
// offered back when their map is opened again, and the journals of a map
// dropped once its recordings are saved or given up.
#pragma once

class CMapModel;
class CMapWindowLink;

// For every journal of a layer of the map (or of a layer of the map's workspace
// that the saved workspace does not list yet) that holds fixes the layer lacks:
// asks the user whether to add them to the layer again. Yes draws them as the
// recording drew them (nodes and a track); No removes the journal. Journals
// whose fixes are all in their layer already (the map was saved after them)
// are removed without a word. The number of journals offered.
int OfferGpsRecordings(CMapWindowLink& map);

// Removes the journals of the map's layers: called when the map was saved,
// and when it is closed (after the user chose whether to save it).
void DropGpsRecordingJournals(const CMapModel& map);
