// Owner drawing reflected back to the control classes. Private to the platform.
#pragma once

#include "platform/wnd/CWnd.h"

namespace ctl {

// WM_DRAWITEM reflected to a control goes to its DrawItem, WM_MEASUREITEM to its
// MeasureItem where the class has one; true (and *pResult TRUE) when taken.
template <class Control>
bool ReflectOwnerDraw(Control& control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    bool taken = false;
    if (message == WM_DRAWITEM) {
        control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        taken = true;
    }
    if constexpr (requires { control.MeasureItem(LPMEASUREITEMSTRUCT{}); }) {
        if (message == WM_MEASUREITEM) {
            control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
            taken = true;
        }
    }
    if (taken && pResult)
        *pResult = TRUE;
    return taken;
}

} // namespace ctl
