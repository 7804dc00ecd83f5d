// Toolbar resources: the image size and the command of every button, in the
// order of the images in the bitmap resource with the same id (a separator has
// id 0 and no image). Registered by the program's resources, found by
// CToolBar::LoadToolBar; the platform holds none of its own.
#pragma once

#include "platform/base/WinTypes.h"

struct ResourceToolbar {
    int imageWidth;
    int imageHeight;
    int count;          // buttons, separators included
    const WORD* ids;    // `count` entries
};

// Registers `toolbar` (which must outlive the program's use of it) under `id`; its
// images are the bitmap resource of the same id.
class ResourceToolbarRegistration {
public:
    ResourceToolbarRegistration(UINT id, const ResourceToolbar& toolbar);
};

// The toolbar of `id`, or nullptr when there is none.
const ResourceToolbar* FindResourceToolbar(UINT id);
