#include "dialogs/controls/UiColorGlobals.h"

#include "platform/gdi/CDC.h"

void CUiColorGlobals::Refresh()
{
    face = ::GetSysColor(COLOR_BTNFACE);
    shadow = ::GetSysColor(COLOR_BTNSHADOW);
    darkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    shadow2 = ::GetSysColor(COLOR_BTNSHADOW);
    highlight2 = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    light = ::GetSysColor(COLOR_3DLIGHT);
    frame = RGB(0, 0, 0);
    caption = ::GetSysColor(COLOR_ACTIVECAPTION);
    windowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    bitsPerPixel = ::GetDeviceCaps(::GdiGetScreenDC(), BITSPIXEL);
}

CUiColorGlobals& UiColorGlobals()
{
    // A function-local record rather than a global object: it is first used from
    // other static initialisers' users and must not depend on their order.
    static CUiColorGlobals globals = [] {
        CUiColorGlobals g;
        g.Refresh();
        return g;
    }();
    return globals;
}
