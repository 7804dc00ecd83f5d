// The modal-dialog hook. Every modal dialog of the program (CDialog::DoModal, a
// property sheet's DoModal, the file, colour and font dialogs) asks the installed
// handler instead of running its own modal loop: the program shows real dialogs,
// a test installs a handler that answers them.
//
// A dialog or sheet calls the handler once it is created, initialised and shown
// (after OnInitDialog), with its owner disabled as in the real loop. The handler
// reads and sets controls through the dialog's members and messages and may end
// the dialog itself (OnOK(), EndDialog, a WM_COMMAND IDOK...): DoModal then
// returns that result. When the dialog is still open as the handler returns,
// DoModal ends it with the handler's return value, without OnOK or OnCancel.
// A common dialog calls the handler instead of showing itself; the handler fills
// its result members (m_ofn.lpstrFile, m_cc.rgbResult, m_cf / m_lf) and returns
// IDOK or IDCANCEL.
#pragma once

#include "platform/base/CString.h"

#include <functional>

class CWnd;

struct DialogRequest {
    CWnd* dialog = nullptr;   // the CDialog, CPropertySheet or common dialog (a common dialog has no window)
    UINT templateId = 0;      // the dialog template; 0 for sheets and common dialogs
    CString caption;          // the window text, or the common dialog's title
};

using DialogHandler = std::function<int(const DialogRequest&)>;

// Installs `handler` (an empty one restores the real dialogs); returns the previous one.
DialogHandler AfxSetDialogHandler(DialogHandler handler);
BOOL AfxHasDialogHandler();
// Asks the installed handler; callers check AfxHasDialogHandler first.
int AfxCallDialogHandler(const DialogRequest& request);
