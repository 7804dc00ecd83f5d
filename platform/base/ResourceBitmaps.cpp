// The bitmap-resource registry (ResourceBitmaps.h).
#include "platform/base/ResourceBitmaps.h"

#include "platform/base/ResourceRegistry.h"

ResourceBitmapRegistration::ResourceBitmapRegistration(UINT id, const ResourceBitmap& bitmap)
{
    ResourceRegistry<ResourceBitmap>::Instance().Add(id, bitmap);
}

const ResourceBitmap* FindResourceBitmap(UINT id) { return ResourceRegistry<ResourceBitmap>::Instance().Find(id); }
