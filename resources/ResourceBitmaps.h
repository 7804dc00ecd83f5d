// Bitmap resources (toolbar images, pattern brushes, cursors' images) as pixel data.
#pragma once

#include "platform/base/WinTypes.h"

struct ResourceBitmap {
    int width;
    int height;
    const DWORD* pixels;   // width * height entries, rows top to bottom, each 0x00RRGGBB
};

// The bitmap of `id`, or nullptr when there is none.
const ResourceBitmap* FindResourceBitmap(UINT id);
