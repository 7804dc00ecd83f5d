// The string table: the program's texts by identifier. The resources register their
// tables (resources/StringTable.cpp, keyed by the identifiers of resources/resource.h);
// CString::LoadString and the frames find them here. The platform holds none of its own.
#pragma once

#include "platform/base/WinTypes.h"

#include <span>

struct ResourceString {
    UINT id;
    const char* text;
};

// Registers every entry of `table` (which must outlive the program's use of it); a
// static object of the resources, so that the strings are there before main runs.
class StringTableRegistration {
public:
    explicit StringTableRegistration(std::span<const ResourceString> table);
};

// The text of `id`, or nullptr when the table has no such string.
const char* FindResourceString(UINT id);
