// The menu and accelerator registries (ResourceMenus.h).
#include "platform/base/ResourceMenus.h"

#include "platform/base/ResourceRegistry.h"

ResourceMenuRegistration::ResourceMenuRegistration(const ResourceMenu& menu)
{
    ResourceRegistry<ResourceMenu>::Instance().Add(menu.id, menu);
}

ResourceAcceleratorRegistration::ResourceAcceleratorRegistration(const ResourceAccelerators& table)
{
    ResourceRegistry<ResourceAccelerators>::Instance().Add(table.id, table);
}

const ResourceMenu* FindResourceMenu(UINT id) { return ResourceRegistry<ResourceMenu>::Instance().Find(id); }

const ResourceAccelerators* FindResourceAccelerators(UINT id)
{
    return ResourceRegistry<ResourceAccelerators>::Instance().Find(id);
}
