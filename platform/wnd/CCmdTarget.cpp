// Message maps and command routing (CCmdTarget.h), and the command-update loop over a popup's
// items.
#include "platform/wnd/CCmdTarget.h"

#include "platform/wnd/CMenu.h"
#include "platform/wnd/CWnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id)
{
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            const bool messageMatches = e->pnRegistered ? (*e->pnRegistered == message && message != 0)
                                                        : e->nMessage == message;
            if (messageMatches && e->nCode == code && e->nID <= id && id <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT message = 0;
    UINT code = (UINT)nCode;
    if (code != CN_UPDATE_COMMAND_UI) {
        message = HIWORD(code);
        code = LOWORD(code);
    }
    if (message == 0)
        message = WM_COMMAND;
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(GetMessageMap(), message, code, nID);
    if (!entry)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = entry->pfn;
        return TRUE;
    }
    return DispatchCmdMsg(this, nID, (int)code, entry, pExtra);
}

BOOL CCmdTarget::DispatchCmdMsg(CCmdTarget* target, UINT nID, int, const AFX_MSGMAP_ENTRY* entry, void* pExtra)
{
    switch (entry->nSig) {
    case AfxSigCmd_v:
        (target->*entry->pfn)();
        return TRUE;
    case AfxSigCmd_b:
        return (target->*AfxMsgFn<BOOL (CCmdTarget::*)()>(entry->pfn))();
    case AfxSigCmd_RANGE:
        (target->*AfxMsgFn<void (CCmdTarget::*)(UINT)>(entry->pfn))(nID);
        return TRUE;
    case AfxSigCmdUI: {
        CCmdUI* ui = static_cast<CCmdUI*>(pExtra);
        if (!ui)
            return FALSE;
        ui->m_bContinueRouting = FALSE;
        (target->*AfxMsgFn<void (CCmdTarget::*)(CCmdUI*)>(entry->pfn))(ui);
        return !ui->m_bContinueRouting;
    }
    case AfxSigNotify_v:
    case AfxSigNotify_b:
    case AfxSigNotify_RANGE: {
        AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(pExtra);
        if (!notify)
            return FALSE;
        if (entry->nSig == AfxSigNotify_b)
            return (target->*AfxMsgFn<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(entry->pfn))(
                notify->pNMHDR, notify->pResult);
        if (entry->nSig == AfxSigNotify_RANGE)
            (target->*AfxMsgFn<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(entry->pfn))(
                nID, notify->pNMHDR, notify->pResult);
        else
            (target->*AfxMsgFn<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(entry->pfn))(notify->pNMHDR,
                                                                                              notify->pResult);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------- CCmdUI

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu) {
        // A popup item is only the carrier of its sub-menu's first command.
        if (m_pSubMenu)
            return;
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther) {
        // Keyboard focus must not stay in a control that is being disabled.
        if (!bOn && CWnd::GetFocus() == m_pOther) {
            if (CWnd* parent = m_pOther->GetParent())
                if (CWnd* next = parent->GetNextDlgTabItem(m_pOther))
                    next->SetFocus();
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther) {
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (!lpszText)
        lpszText = "";
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
        if (state == (UINT)-1)
            return;
        const UINT keep = state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBREAK | MF_MENUBARBREAK | MF_HELP);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | keep, m_nID, lpszText);
    } else if (m_pOther) {
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText)
            m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF || !pTarget)
        return TRUE; // no command to update
    m_bEnableChanged = FALSE;
    const BOOL result = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{nullptr, nullptr};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return result;
}

void AfxUpdateMenuCmdUI(CCmdTarget* target, CMenu* popup, BOOL bDisableIfNoHndler)
{
    if (!target || !popup || !popup->GetSafeHmenu())
        return;
    CCmdUI state;
    state.m_pMenu = popup;
    int count = (int)popup->GetMenuItemCount();
    for (int index = 0; index < count; ++index) {
        state.m_nIndex = (UINT)index;
        state.m_nIndexMax = (UINT)count;
        state.m_nID = popup->GetMenuItemID(index);
        if (state.m_nID == 0)
            continue; // separator
        if (state.m_nID == (UINT)-1) {
            state.m_pSubMenu = popup->GetSubMenu(index);
            if (!state.m_pSubMenu)
                continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == (UINT)-1)
                continue;
            state.DoUpdate(target, FALSE); // popups are never disabled for want of a handler
        } else {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(target, bDisableIfNoHndler && state.m_nID < 0xF000);
        }
        // A handler may have removed items: continue after the item just updated.
        const int now = (int)popup->GetMenuItemCount();
        if (now < count) {
            index -= count - now;
            while (index + 1 < now && index + 1 >= 0 && popup->GetMenuItemID(index + 1) == state.m_nID)
                ++index;
        }
        count = now;
    }
}
