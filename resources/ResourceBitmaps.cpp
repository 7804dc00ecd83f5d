#include "resources/ResourceBitmaps.h"

#include "resources/resource.h"

namespace {
struct BitmapEntry {
    UINT id;
    ResourceBitmap bitmap;
};

// Sorted by id.
const BitmapEntry kBitmaps[] = {
    {0xFFFFFFFFu, {0, 0, nullptr}}, // sentinel: keeps the table non-empty
};
}

const ResourceBitmap* FindResourceBitmap(UINT id)
{
    for (const BitmapEntry& e : kBitmaps)
        if (e.id == id && e.bitmap.pixels)
            return &e.bitmap;
    return nullptr;
}
