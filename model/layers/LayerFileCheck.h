// Whether a file is a layer file that opens as one: its three tables with the
// properties row, or an older file that the opener upgrades. A layer file whose
// making was cut off (an empty database, a table or the properties row missing)
// is incomplete and must be made again before a workspace relies on it. A file
// that another connection holds locked is busy: in use, not broken.
#pragma once

#include "platform/base/Afx.h"

class CSQLiteDatabase;

enum class LayerFileState {
    Missing,      // no file of that name
    Complete,     // opens as a layer (possibly after the opener's upgrade)
    Incomplete,   // a database, but not a whole layer file
    Unreadable,   // not a database at all
    Busy,         // locked by another connection beyond the busy timeout
};

LayerFileState CheckLayerFile(const CString& path);

// Rows of _MapGeoData in an incomplete file: objects that a repair keeps.
int CountStoredObjects(const CString& path);

// Whether another connection (a map of this process, another program) holds a
// lock on the database at `path` that stops a writer, after waiting the busy
// timeout. Changes nothing; false for a missing file or one that is no database.
bool IsDatabaseInUse(const CString& path);

// Whether the open connection `db` works on the file at `path`.
bool IsDatabaseOfFile(const CSQLiteDatabase* db, const CString& path);
