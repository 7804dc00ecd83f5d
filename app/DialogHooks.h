// Fills the map window's hook table with the dialogs of this application.
#pragma once

void InstallMapDialogHooks();
