// The bytes of the compiled-in symbol font.
#include "resources/MapSymbolFont.h"

// Generated from resources/fonts/MapSymbols.ttf at build time (resources/CMakeLists.txt).
extern const unsigned char kMapSymbolFontData[];
extern const std::size_t kMapSymbolFontData_size;

const unsigned char* GetMapSymbolFontData(std::size_t* size)
{
    if (size)
        *size = kMapSymbolFontData_size;
    return kMapSymbolFontData;
}
