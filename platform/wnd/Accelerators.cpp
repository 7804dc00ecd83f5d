// Accelerator tables (Accelerators.h): a handle is the registered table itself.
#include "platform/wnd/Accelerators.h"

#include "platform/wnd/CWnd.h"

HACCEL LoadAccelerators(HINSTANCE, LPCTSTR lpTableName)
{
    if (!IS_INTRESOURCE(lpTableName))
        return nullptr; // tables are known by number only
    const ResourceAccelerators* table = FindResourceAccelerators((UINT)(UINT_PTR)lpTableName);
    return table ? reinterpret_cast<HACCEL>(const_cast<ResourceAccelerators*>(table)) : nullptr;
}

int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg)
{
    if (!hWnd || !hAccTable || !lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN))
        return 0;
    const auto* table = reinterpret_cast<const ResourceAccelerators*>(hAccTable);
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool control = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool alt = lpMsg->message == WM_SYSKEYDOWN || (::GetKeyState(VK_MENU) & 0x8000) != 0;
    for (const ACCEL& a : table->entries) {
        // Character entries match typed characters, which key-downs are not.
        if (!(a.fVirt & FVIRTKEY) || a.key != (WORD)lpMsg->wParam)
            continue;
        if (((a.fVirt & FSHIFT) != 0) != shift || ((a.fVirt & FCONTROL) != 0) != control ||
            ((a.fVirt & FALT) != 0) != alt)
            continue;
        ::SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        return 1;
    }
    return 0;
}
