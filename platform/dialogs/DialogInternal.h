// The dialog manager's pieces that dialogs, property sheets and common dialogs
// share. Private to the platform.
#pragma once

#include "platform/dialogs/CDialog.h"

namespace dlg {

struct CreateOptions {
    DWORD removeStyle = 0;   // styles of the template that this use drops (a page drops its frame)
    DWORD addStyle = 0;
    DWORD addExStyle = 0;
    bool show = true;        // show the window when its style has WS_VISIBLE
};

// Creates the window of `wnd` (class "#32770") from `tmpl` with `parent` as parent
// (WS_CHILD) or owner, its font, its controls, and sends WM_INITDIALOG. FALSE, with
// no window left, when the window or a control cannot be created (unless
// DS_NOFAILCREATE) or the dialog destroyed itself while initialising.
BOOL CreateDialogWindow(CWnd* wnd, const DialogTemplate& tmpl, HWND parent, const CreateOptions& options);

// The template a dialog is being created from, for OnInitDialog; null afterwards.
const DialogTemplate* CreatingTemplate(HWND hDlg);

// The font a template asks for (the caller owns it).
HFONT CreateTemplateFont(const DialogTemplate& tmpl);
// A template's size in pixels with its own font.
SIZE TemplateSizeInPixels(const DialogTemplate& tmpl);

// The next (or previous) tab stop after hCtl among the dialog's descendants,
// entering WS_EX_CONTROLPARENT children; wraps around. Null when there is none.
HWND NextTabItem(HWND hDlg, HWND hCtl, bool previous);
// Focuses a control as the dialog manager does: an edit gets its text selected.
void FocusControl(HWND hCtl);

// The top-level window that owns a modal dialog: the parent's top-level window,
// else the main window.
HWND ModalOwner(CWnd* parent);

// Disables the owner of a modal window while it lives (unless it was disabled
// already) and gives it back the activation when done.
class OwnerDisabler {
public:
    explicit OwnerDisabler(HWND owner);
    ~OwnerDisabler();
    void Restore(HWND modal);
    OwnerDisabler(const OwnerDisabler&) = delete;
    OwnerDisabler& operator=(const OwnerDisabler&) = delete;

private:
    HWND m_owner;
    bool m_reenable = false;
    bool m_restored = false;
};

// Pumps messages while `running` stays TRUE and `hwnd` exists. FALSE when WM_QUIT
// arrived; the quit is posted again for the outer loop.
bool RunModalLoop(const BOOL& running, HWND hwnd);
// Wakes a modal loop that waits for a message.
void WakeModalLoop(HWND hwnd);

// The modal run of a dialog or sheet whose window was just created: shows it,
// lets the installed dialog handler answer (with `templateId`) or pumps
// messages until `continueModal` drops (WM_QUIT makes the result -1), then
// hides it. The caller destroys the window.
void RunModal(CWnd* wnd, UINT templateId, BOOL& continueModal, int& modalResult);
// EndDialog of a dialog or sheet: records `result`, stops a running modal
// loop and hides the window.
void EndModal(CWnd* wnd, int result, BOOL& continueModal, int& modalResult);

// The window whose control notifications are dropped while UpdateData runs.
HWND NotifyLockout();
HWND SetNotifyLockout(HWND hwnd);

bool IsClass(HWND hwnd, const char* className);
bool IsPushButton(HWND hwnd);

} // namespace dlg
