// Fills the map window's hooks of the property dialogs: Text Properties, the
// object property sheet and Label Properties.
#pragma once

void InstallPropertyDialogHooks();
