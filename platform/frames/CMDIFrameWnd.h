// The main frame of a multiple-document application. Its client area is the MDI
// client window (a Qt MDI area) holding the child frames of the open documents;
// one child is active at a time. Commands go to the active child frame first
// (its view, document, the child frame itself), then to this frame and the
// application. The MDI client answers the WM_MDI* messages; the MDI* members
// send them.
#pragma once

#include "platform/frames/CFrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    // Creates the MDI client (id AFX_IDW_PANE_FIRST) filling the client area.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // ---- the children
    void MDIActivate(CWnd* pWndActivate);
    // The active child; pbMaximized tells whether it is maximized.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIIconArrange();
    void MDIMaximize(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    void MDIRestore(CWnd* pWnd);
    void MDICascade();
    void MDICascade(int nType);
    void MDITile();
    void MDITile(int nType); // MDITILE_VERTICAL / MDITILE_HORIZONTAL
    // Shows `hMenu` as the frame's menu; returns the previous one.
    HMENU MDISetMenu(HMENU hMenu);

    CFrameWnd* GetActiveFrame() override;
    // The active document's template's table, else the frame's own.
    HACCEL GetDefaultAccelerator() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    HWND m_hWndMDIClient = nullptr;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg void OnWindowCommand(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
