// Bitmap resources (toolbar images, pattern brushes, cursors' images) as pixel data,
// registered by the program's resources and found by id (LoadBitmap, toolbars,
// image lists). The platform holds none of its own.
#pragma once

#include "platform/base/WinTypes.h"

struct ResourceBitmap {
    int width;
    int height;
    const DWORD* pixels;   // width * height entries, rows top to bottom, each 0x00RRGGBB
};

// Registers `bitmap` (which must outlive the program's use of it) under `id`; a static
// object of the resources, so that the bitmap is there before main runs.
class ResourceBitmapRegistration {
public:
    ResourceBitmapRegistration(UINT id, const ResourceBitmap& bitmap);
};

// The bitmap of `id`, or nullptr when there is none.
const ResourceBitmap* FindResourceBitmap(UINT id);
