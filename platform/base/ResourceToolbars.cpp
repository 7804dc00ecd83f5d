// The toolbar-resource registry (ResourceToolbars.h).
#include "platform/base/ResourceToolbars.h"

#include "platform/base/ResourceRegistry.h"

ResourceToolbarRegistration::ResourceToolbarRegistration(UINT id, const ResourceToolbar& toolbar)
{
    ResourceRegistry<ResourceToolbar>::Instance().Add(id, toolbar);
}

const ResourceToolbar* FindResourceToolbar(UINT id) { return ResourceRegistry<ResourceToolbar>::Instance().Find(id); }
