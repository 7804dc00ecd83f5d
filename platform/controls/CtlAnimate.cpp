// The "SysAnimate32" window class, so that templates holding an animation control
// create it. It plays no clips: this platform has no decoder for the AVI clips the
// class would play (and the program's resources hold none), so ACM_OPEN fails and
// the control shows its background only.
#include "platform/controls/CtlCommon.h"

namespace ctl {

namespace {

LRESULT CALLBACK AnimateProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintMessage(h, wParam, [h](HDC dc) {
            const RECT c = Client(h);
            ::FillRect(dc, &c, CtlColor(h, dc, WM_CTLCOLORSTATIC));
        });
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case ACM_OPEN:
        return lParam ? FALSE : TRUE; // closing succeeds; no clip opens
    case ACM_PLAY:
        return FALSE;
    case ACM_STOP:
        return TRUE;
    default:
        return ::DefWindowProc(h, message, wParam, lParam);
    }
}

} // namespace

void RegisterAnimate() { RegisterSurfaceClass(ANIMATE_CLASS, AnimateProc); }

} // namespace ctl
