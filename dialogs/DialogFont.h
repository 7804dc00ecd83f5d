// The "Dialog Window" preference font that the dialogs give their edit, list and
// combo controls. Before the preferences are loaded there is none, and the
// controls keep the dialog's own font.
#pragma once

class CWnd;

void SetDialogWindowFont(CWnd& control);
