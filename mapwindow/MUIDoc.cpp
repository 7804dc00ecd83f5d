// The map document has nothing of its own to build or free: its map window
// member does it all.
#include "mapwindow/MUIDoc.h"

CMUIDoc::CMUIDoc() = default;

CMUIDoc::~CMUIDoc() = default;
