// Fills the map window's hooks of the property dialogs: Text Properties, the
// object property sheet and Label Properties; and the Projections dialog of
// the preferences' General page.
#pragma once

void InstallPropertyDialogHooks();
