#include "mapwindow/MUIDoc.h"

CMUIDoc::CMUIDoc() = default;

CMUIDoc::~CMUIDoc() = default;
