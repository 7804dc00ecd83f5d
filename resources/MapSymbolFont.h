// The project's own symbol font (TrueType), compiled into the program and registered
// with the platform's font database under the symbol faces of styles, so that
// nodes draw their symbols without an installed font.
#pragma once

#include <cstddef>

// The font file's bytes and their count; nullptr and 0 when the build has no font.
const unsigned char* GetMapSymbolFontData(std::size_t* size);
