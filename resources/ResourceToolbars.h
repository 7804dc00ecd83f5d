// Toolbar resources: the image size and the command of every button, in the
// order of the images in the bitmap resource with the same id (a separator has
// id 0 and no image).
#pragma once

#include "platform/base/WinTypes.h"

struct ResourceToolbar {
    int imageWidth;
    int imageHeight;
    int count;          // buttons, separators included
    const WORD* ids;    // `count` entries
};

// The toolbar of `id`, or nullptr when there is none.
const ResourceToolbar* FindResourceToolbar(UINT id);
