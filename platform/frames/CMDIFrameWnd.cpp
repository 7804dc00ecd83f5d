// CMDIFrameWnd (CMDIFrameWnd.h): the MDI client and command routing through the active child frame.
#include "platform/frames/CMDIFrameWnd.h"

#include "platform/frames/CDocTemplate.h"
#include "platform/frames/CDocument.h"
#include "platform/frames/CMDIChildWnd.h"
#include "platform/frames/FrameInternal.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnWindowCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;
CMDIFrameWnd::~CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    // The main frame's title is the application's, followed by the active document's.
    if (!cs.lpszClass)
        cs.lpszClass = FrameClassName();
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) { return CreateClient(lpcs, nullptr); }

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu*)
{
    m_hWndMDIClient = ::CreateWindowEx(0, frame::MdiClientClass(), nullptr,
                                       WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, m_hWnd,
                                       (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, nullptr, nullptr);
    return m_hWndMDIClient != nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (pbMaximized)
        *pbMaximized = FALSE;
    if (!m_hWndMDIClient)
        return nullptr;
    const HWND active = (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)pbMaximized);
    return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(active));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (m_hWndMDIClient)
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)(pWndActivate ? pWndActivate->GetSafeHwnd() : nullptr),
                      0);
}

void CMDIFrameWnd::MDIIconArrange() { ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (pWnd)
        ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }

void CMDIFrameWnd::MDIPrev() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1); }

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (pWnd)
        ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDICascade() { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }

void CMDIFrameWnd::MDICascade(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, (WPARAM)nType, 0); }

void CMDIFrameWnd::MDITile() { ::SendMessage(m_hWndMDIClient, WM_MDITILE, MDITILE_HORIZONTAL, 0); }

void CMDIFrameWnd::MDITile(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0); }

HMENU CMDIFrameWnd::MDISetMenu(HMENU hMenu)
{
    return (HMENU)::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu, 0);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active child (its view, document and itself) first; the application comes after this frame.
    if (CMDIChildWnd* child = MDIGetActive())
        if (child->RouteCommand(nID, nCode, pExtra, pHandlerInfo, FALSE))
            return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!m_hWnd || !(GetStyle() & FWS_ADDTOTITLE))
        return;
    BOOL maximized = FALSE;
    CMDIChildWnd* child = MDIGetActive(&maximized);
    CDocument* doc = child ? child->GetActiveDocument() : nullptr;
    if (!bAddToTitle || !doc) {
        UpdateFrameTitleForDocument(nullptr);
        return;
    }
    CString name = doc->GetTitle();
    if (child->m_nWindow > 0)
        name.AppendFormat(":%d", child->m_nWindow);
    if (maximized)
        name = "[" + name + "]";
    UpdateFrameTitleForDocument(name);
}

void CMDIFrameWnd::OnWindowCommand(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE: MDIIconArrange(); break;
    case ID_WINDOW_CASCADE: MDICascade(); break;
    case ID_WINDOW_TILE_HORZ: MDITile(MDITILE_HORIZONTAL); break;
    case ID_WINDOW_TILE_VERT: MDITile(MDITILE_VERTICAL); break;
    default: break;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

HACCEL CMDIFrameWnd::GetDefaultAccelerator()
{
    if (CMDIChildWnd* child = MDIGetActive())
        if (CDocument* doc = child->GetActiveDocument())
            if (auto* tmpl = dynamic_cast<CMultiDocTemplate*>(doc->GetDocTemplate()))
                if (tmpl->m_hAccelTable)
                    return tmpl->m_hAccelTable;
    return m_hAccelTable;
}
