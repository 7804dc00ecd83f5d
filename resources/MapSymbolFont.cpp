// The project's own symbol font, registered with the platform under the symbol faces
// that styles name, so that nodes draw their symbols without an installed font.
#include "resources/MapSymbolFont.h"

#include "platform/gdi/FontDatabase.h"

// Generated from resources/fonts/MapSymbols.ttf at build time (resources/CMakeLists.txt).
extern const unsigned char kMapSymbolFontData[];
extern const std::size_t kMapSymbolFontData_size;

const unsigned char* GetMapSymbolFontData(std::size_t* size)
{
    if (size)
        *size = kMapSymbolFontData_size;
    return kMapSymbolFontData;
}

namespace {
// The styles' symbol face and the two faces of the transportation and cartographic
// symbol sets, which this one font stands in for.
const FontRegistration kRegistration(kMapSymbolFontData, kMapSymbolFontData_size,
                                     {"Map Symbols", "MapInfo Transportation", "MapInfo Cartographic"});
} // namespace
