// The toolbar resources, looked up by id; a sentinel keeps the table non-empty.
#include "resources/ResourceToolbars.h"

namespace {
struct ToolbarEntry {
    UINT id;
    ResourceToolbar toolbar;
};

const ToolbarEntry kToolbars[] = {
    {0xFFFFFFFFu, {0, 0, 0, nullptr}}, // sentinel: keeps the table non-empty
};
}

const ResourceToolbar* FindResourceToolbar(UINT id)
{
    for (const ToolbarEntry& e : kToolbars)
        if (e.id == id && e.toolbar.ids)
            return &e.toolbar;
    return nullptr;
}
