// The dialog-template registry (DialogTemplates.h).
#include "platform/base/DialogTemplates.h"

#include "platform/base/ResourceRegistry.h"

namespace {
ResourceRegistry<DialogTemplate>& Templates() { return ResourceRegistry<DialogTemplate>::Instance(); }
} // namespace

DialogTemplateRegistration::DialogTemplateRegistration(const DialogTemplate& tmpl) { Templates().Add(tmpl.id, tmpl); }

const DialogTemplate* FindDialogTemplate(UINT id) { return Templates().Find(id); }

std::vector<const DialogTemplate*> AllDialogTemplates() { return Templates().All(); }

std::vector<UINT> DialogTemplateConflicts() { return Templates().Conflicts(); }
