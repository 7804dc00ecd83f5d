// The string table. The texts live in resources/StringTable.cpp, keyed by the
// identifiers of resources/resource.h.
#pragma once

#include "platform/base/WinTypes.h"

// The text of `id`, or nullptr when the table has no such string.
const char* FindResourceString(UINT id);
