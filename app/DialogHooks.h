// Fills, at start-up, the hooks through which the folders below the application
// open the dialogs built beside them: the map window's table (layer dialogs, Map
// Property, Text Properties, the object property sheet, Label Properties) and
// the Projections dialog of the preferences' General page.
#pragma once

void InstallDialogHooks();
