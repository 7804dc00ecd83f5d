// The string-table registry (ResourceStrings.h).
#include "platform/base/ResourceStrings.h"

#include "platform/base/ResourceRegistry.h"

StringTableRegistration::StringTableRegistration(std::span<const ResourceString> table)
{
    for (const ResourceString& entry : table)
        ResourceRegistry<ResourceString>::Instance().Add(entry.id, entry);
}

const char* FindResourceString(UINT id)
{
    const ResourceString* entry = ResourceRegistry<ResourceString>::Instance().Find(id);
    return entry ? entry->text : nullptr;
}
