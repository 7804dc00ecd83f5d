#include "dialogs/DialogFont.h"

#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "platform/wnd/CWnd.h"

void SetDialogWindowFont(CWnd& control)
{
    if (g_DialogWindowFont && control.GetSafeHwnd())
        control.SetFont(g_DialogWindowFont);
}
