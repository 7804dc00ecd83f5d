// Command targets: objects with a message map that commands, command updates
// and notifications are routed through. CCmdTarget::OnCmdMsg searches only the
// object's own map; classes that pass commands on (views to their document,
// frames to the active view and the application) override OnCmdMsg and call
// the next target in the class library's order: view, document, child frame,
// main frame, application.
#pragma once

#include "platform/base/CObject.h"
#include "platform/wnd/Messages.h"

class CCmdTarget;
class CMenu;
class CWnd;

// Filled by OnCmdMsg instead of calling the handler: tells whether one exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// pExtra of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra the CCmdUI), a control
    // notification code, or MAKELONG(code, WM_NOTIFY) (pExtra an AFX_NOTIFY).
    // With pHandlerInfo the handler is found but not called.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The first entry of the map chain for (message, code, id); null when there is none.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Calls the handler of a command or notification entry.
    static BOOL DispatchCmdMsg(CCmdTarget* target, UINT nID, int nCode, const AFX_MSGMAP_ENTRY* entry,
                               void* pExtra);

    friend class CWnd;
};

// The state of one user-interface item (menu item, toolbar button, control)
// during a command update. Bars subclass it for their own items.
class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;          // position of a menu item
    CMenu* m_pMenu = nullptr;   // the popup holding the item, or null
    CMenu* m_pSubMenu = nullptr;// the item's sub-menu when the update is for it
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;   // the window of a control or bar item, or null
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    UINT m_nIndexMax = 0;       // item count of m_pMenu

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target for the item's update handler. With bDisableIfNoHndler an
    // item whose update left the enabled state alone is enabled exactly when a
    // command handler exists. Returns whether an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// The class library's command-update loop over the items of a popup that is
// about to open: each item is updated through `target` (a sub-menu item through
// the first item of its sub-menu); items without a handler are disabled when
// bDisableIfNoHndler is set. Items removed or added by handlers are accounted for.
void AfxUpdateMenuCmdUI(CCmdTarget* target, CMenu* popup, BOOL bDisableIfNoHndler);
