// Test support: a bitmap resource of the tests' own, so that tests of the code that
// loads bitmap resources (LoadBitmap, image lists) need none of the program's. It is
// a 12 x 12 light grey tile (0xC0C0C0) with white diagonal strokes on the pixels
// where (x + y) % 6 == 5, registered under kTestPatternBitmap.
#pragma once

#include "platform/base/WinTypes.h"

// Far from the program's own resource ids.
constexpr UINT kTestPatternBitmap = 64100;

// Registers the bitmap; later calls leave it as it is.
void RegisterTestPatternBitmap();
