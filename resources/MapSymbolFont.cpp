#include "resources/MapSymbolFont.h"

// Replaced by the generated font data once the font tool has produced it.
const unsigned char* GetMapSymbolFontData(std::size_t* size)
{
    if (size)
        *size = 0;
    return nullptr;
}
