// Whether a file is a layer file that opens as one: its three tables with the
// properties row, or an older file that the opener upgrades. A layer file whose
// making was cut off (an empty database, a table or the properties row missing)
// is incomplete and must be made again before a workspace relies on it.
#pragma once

#include "platform/base/Afx.h"

enum class LayerFileState {
    Missing,      // no file of that name
    Complete,     // opens as a layer (possibly after the opener's upgrade)
    Incomplete,   // a database, but not a whole layer file
    Unreadable,   // not a database at all
};

LayerFileState CheckLayerFile(const CString& path);

// Rows of _MapGeoData in an incomplete file: objects that a repair keeps.
int CountStoredObjects(const CString& path);
