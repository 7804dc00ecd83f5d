// The bitmap resources as pixel data, looked up by id.
#include "resources/ResourceBitmaps.h"

#include "resources/resource.h"

namespace {
constexpr DWORD G = 0xC0C0C0; // light grey
constexpr DWORD W = 0xFFFFFF;

// Fill pattern of brush style 3: light grey with white diagonal strokes; the
// strokes continue across the edges, so the tiles join seamlessly.
const DWORD kFillPattern[12 * 12] = {
    G, G, G, G, G, W, G, G, G, G, G, W,
    G, G, G, G, W, G, G, G, G, G, W, G,
    G, G, G, W, G, G, G, G, G, W, G, G,
    G, G, W, G, G, G, G, G, W, G, G, G,
    G, W, G, G, G, G, G, W, G, G, G, G,
    W, G, G, G, G, G, W, G, G, G, G, G,
    G, G, G, G, G, W, G, G, G, G, G, W,
    G, G, G, G, W, G, G, G, G, G, W, G,
    G, G, G, W, G, G, G, G, G, W, G, G,
    G, G, W, G, G, G, G, G, W, G, G, G,
    G, W, G, G, G, G, G, W, G, G, G, G,
    W, G, G, G, G, G, W, G, G, G, G, G,
};

struct BitmapEntry {
    UINT id;
    ResourceBitmap bitmap;
};

// Sorted by id.
const BitmapEntry kBitmaps[] = {
    {IDB_FILL_PATTERN, {12, 12, kFillPattern}},
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
