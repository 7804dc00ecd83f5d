// The system's strings by identifier. Add entries in ascending order of id.
#include "platform/ResourceStrings.h"
#include "resources/resource.h"

#include <algorithm>
#include <iterator>

namespace {
struct StringEntry {
    UINT id;
    const char* text;
};

// Sorted by id; FindResourceString searches it by halving.
const StringEntry kStrings[] = {
    {0xFFFFFFFFu, nullptr}, // sentinel: keeps the table non-empty
};
}

const char* FindResourceString(UINT id)
{
    const auto end = std::end(kStrings) - 1;
    const auto it = std::lower_bound(std::begin(kStrings), end, id,
                                     [](const StringEntry& e, UINT key) { return e.id < key; });
    return (it != end && it->id == id) ? it->text : nullptr;
}
