// The modal-dialog hook's installed handler (DialogHook.h).
#include "platform/dialogs/DialogHook.h"

namespace {
DialogHandler g_handler;
}

DialogHandler AfxSetDialogHandler(DialogHandler handler)
{
    std::swap(g_handler, handler);
    return handler;
}

BOOL AfxHasDialogHandler() { return g_handler ? TRUE : FALSE; }

int AfxCallDialogHandler(const DialogRequest& request)
{
    // A copy: the handler may replace itself (or answer nested dialogs) while it runs.
    DialogHandler handler = g_handler;
    return handler ? handler(request) : IDCANCEL;
}
