#include "mapwindow/MapDialogHooks.h"

CMapDialogHooks& MapDialogHooks()
{
    static CMapDialogHooks hooks;
    return hooks;
}
