// The program's bitmaps as pixel data, registered with the platform by id.
#include "platform/base/ResourceBitmaps.h"
#include "resources/resource.h"

namespace {
constexpr DWORD G = 0xC0C0C0; // light grey
constexpr DWORD W = 0xFFFFFF;

// Fill pattern of brush style 3: light grey with white diagonal strokes; the
// strokes continue across the edges, so the tiles join seamlessly.
const DWORD kFillPatternPixels[12 * 12] = {
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

const ResourceBitmap kFillPattern = {12, 12, kFillPatternPixels};
const ResourceBitmapRegistration kFillPatternRegistration(IDB_FILL_PATTERN, kFillPattern);

} // namespace
