// Message boxes. Every box of the program goes through one hook: the program
// shows a real box, a test installs a handler that answers and records it.
#pragma once

#include "platform/base/CString.h"

#include <functional>

struct MessageBoxRequest {
    CString text;
    CString caption;
    UINT type = MB_OK;   // MB_* button, icon and default-button bits
    UINT helpId = 0;
};

// Returns the button that answers the box (IDOK, IDYES, ...).
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Installs `handler` (an empty one restores the real boxes); returns the previous one.
MessageBoxHandler AfxSetMessageBoxHandler(MessageBoxHandler handler);

// The button a box of `type` answers with when nobody chooses: its default button.
int AfxMessageBoxDefaultAnswer(UINT type);

// The caption boxes carry when the caller gives none (the application's title).
void AfxSetAppTitle(const char* title);
CString AfxGetAppTitle();

int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// The string-table text of `idPrompt`; an identifier without text shows an empty box.
int AfxMessageBox(UINT idPrompt, UINT type = MB_OK, UINT helpId = (UINT)-1);
int MessageBox(HWND owner, const char* text, const char* caption, UINT type);
