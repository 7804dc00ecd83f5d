// The registry of dialog templates: filled by static registrations in any order;
// an id registered twice is recorded as a conflict, not silently replaced.
#include "resources/DialogTemplates.h"

#include <algorithm>
#include <map>

namespace {
// Function-local, so that registrations of other files' static objects find it
// constructed whatever the order of static initialisation.
struct Registry {
    std::map<UINT, const DialogTemplate*> byId;
    std::vector<UINT> conflicts;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}
}

DialogTemplateRegistration::DialogTemplateRegistration(const DialogTemplate& tmpl)
{
    Registry& r = TheRegistry();
    if (!r.byId.emplace(tmpl.id, &tmpl).second)
        r.conflicts.push_back(tmpl.id);
}

const DialogTemplate* FindDialogTemplate(UINT id)
{
    const Registry& r = TheRegistry();
    const auto it = r.byId.find(id);
    return it == r.byId.end() ? nullptr : it->second;
}

std::vector<const DialogTemplate*> AllDialogTemplates()
{
    std::vector<const DialogTemplate*> all;
    for (const auto& [id, tmpl] : TheRegistry().byId)
        all.push_back(tmpl);
    return all;
}

std::vector<UINT> DialogTemplateConflicts() { return TheRegistry().conflicts; }
