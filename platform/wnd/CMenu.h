// Menus: menu handles with their items (string, separator, popup, bitmap and
// owner-drawn items carrying item data), the Win32 calls on them and the CMenu
// wrapper. Tracking a popup sends WM_INITMENUPOPUP to the owner first, so that
// command updates set the items' states, and posts WM_COMMAND with the chosen
// item. The choice goes through a hook, as message boxes do: the program shows a
// real popup, a test installs a handler that picks the item.
#pragma once

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/wnd/Messages.h"

#include <functional>

class CWnd;

#define MF_INSERT 0x00000000u
#define MF_CHANGE 0x00000080u
#define MF_APPEND 0x00000100u
#define MF_DELETE 0x00000200u
#define MF_REMOVE 0x00001000u
#define MF_BYCOMMAND 0x00000000u
#define MF_BYPOSITION 0x00000400u
#define MF_SEPARATOR 0x00000800u
#define MF_ENABLED 0x00000000u
#define MF_GRAYED 0x00000001u
#define MF_DISABLED 0x00000002u
#define MF_UNCHECKED 0x00000000u
#define MF_CHECKED 0x00000008u
#define MF_USECHECKBITMAPS 0x00000200u
#define MF_STRING 0x00000000u
#define MF_BITMAP 0x00000004u
#define MF_OWNERDRAW 0x00000100u
#define MF_POPUP 0x00000010u
#define MF_MENUBARBREAK 0x00000020u
#define MF_MENUBREAK 0x00000040u
#define MF_UNHILITE 0x00000000u
#define MF_HILITE 0x00000080u
#define MF_DEFAULT 0x00001000u
#define MF_SYSMENU 0x00002000u
#define MF_HELP 0x00004000u
#define MF_RIGHTJUSTIFY 0x00004000u
#define MF_MOUSESELECT 0x00008000u

#define TPM_LEFTBUTTON 0x0000u
#define TPM_RIGHTBUTTON 0x0002u
#define TPM_LEFTALIGN 0x0000u
#define TPM_CENTERALIGN 0x0004u
#define TPM_RIGHTALIGN 0x0008u
#define TPM_TOPALIGN 0x0000u
#define TPM_VCENTERALIGN 0x0010u
#define TPM_BOTTOMALIGN 0x0020u
#define TPM_HORIZONTAL 0x0000u
#define TPM_VERTICAL 0x0040u
#define TPM_NONOTIFY 0x0080u
#define TPM_RETURNCMD 0x0100u

// ---------------------------------------------------------------- Win32 calls
HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and, recursively, its sub-menus.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// For MF_POPUP the id is the sub-menu's handle; for MF_OWNERDRAW the "text" is the item data;
// for MF_BITMAP it is the HBITMAP.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
// Both return the previous state (MF_ENABLED/MF_GRAYED/MF_DISABLED, MF_CHECKED/MF_UNCHECKED), -1 for no such item.
UINT EnableMenuItem(HMENU menu, UINT idItem, UINT enable);
DWORD CheckMenuItem(HMENU menu, UINT idItem, UINT check);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
int GetMenuItemCount(HMENU menu);
// -1 for a popup item or a position out of range, 0 for a separator.
UINT GetMenuItemID(HMENU menu, int position);
// The item's flags (for a popup, its item count in the high byte); -1 for no such item.
UINT GetMenuState(HMENU menu, UINT id, UINT flags);
int GetMenuStringA(HMENU menu, UINT idItem, LPSTR text, int maxCount, UINT flags);
inline int GetMenuString(HMENU menu, UINT idItem, LPSTR text, int maxCount, UINT flags)
{
    return GetMenuStringA(menu, idItem, text, maxCount, flags);
}
HMENU GetSubMenu(HMENU menu, int position);
// The item data of an owner-drawn item (0 for other items or no such item).
UINT_PTR AfxGetMenuItemData(HMENU menu, UINT item, UINT flags);
// Returns the chosen command with TPM_RETURNCMD (0 for none); otherwise posts WM_COMMAND
// with it to the owner and returns TRUE.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, LPCRECT rect);

// ---------------------------------------------------------------- popup choice hook
struct PopupMenuRequest {
    HMENU menu = nullptr;  // the popup, its items already updated by the owner
    HWND owner = nullptr;
    int x = 0;             // screen position asked for
    int y = 0;
    UINT flags = 0;        // TPM_* flags
};
// Returns the command id of the chosen item, 0 to dismiss the popup.
using PopupMenuHandler = std::function<UINT(const PopupMenuRequest&)>;
// Installs `handler` (an empty one restores the real popups); returns the previous one.
PopupMenuHandler AfxSetPopupMenuHandler(PopupMenuHandler handler);

// Menu resources come from the application's resources: the loader gives a new menu
// for a resource id (null when there is none).
using MenuResourceLoader = HMENU (*)(UINT id);
void AfxSetMenuResourceLoader(MenuResourceLoader loader);

// ---------------------------------------------------------------- CMenu
class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    HMENU m_hMenu = nullptr;

    CMenu() = default;
    ~CMenu() override; // destroys the menu it holds
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(UINT id);
    BOOL LoadMenu(LPCTSTR resourceName);
    BOOL DestroyMenu();
    BOOL Attach(HMENU menu);
    HMENU Detach();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    // The wrapper of `menu`: the attached CMenu, else one that lives as long as the menu.
    static CMenu* FromHandle(HMENU menu);
    static CMenu* FromHandlePermanent(HMENU menu);

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const;
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

    // Owner-drawn items: the owner's WM_DRAWITEM / WM_MEASUREITEM for a menu item reach
    // the permanent CMenu of the menu that holds it.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
};
