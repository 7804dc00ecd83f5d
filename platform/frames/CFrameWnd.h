// Frame windows: the window around a view, with control bars along its edges.
// The frame lays its bars out around the view (RecalcLayout), routes commands to
// the active view first (view, document, then the frame itself, then the
// application), updates its title from the active document, shows the message
// text in its status bar and asks the documents to save before it closes.
//
// Frames live on the heap and delete themselves when their window is destroyed
// (PostNcDestroy): close them with DestroyWindow, never with delete.
#pragma once

#include "platform/frames/CControlBar.h"
#include "platform/base/CString.h"
#include "platform/wnd/CWnd.h"
#include "platform/frames/FrameIds.h"

#include <vector>

class CControlBar;
class CDocument;
class CDocTemplate;
class CDockBar;
class CView;
struct CRuntimeClass;

// What a frame needs to make its view when it is created by a document template.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    class CFrameWnd* m_pCurrentFrame = nullptr;
};

// The style of the view a frame makes; its border becomes a sunken client edge.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    // Lets the platform choose the frame's place and size.
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    // ---- creation
    // lpszMenuName names a menu resource (MAKEINTRESOURCE of an id); a missing
    // menu resource leaves the frame without a menu. pContext makes the view.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Title (the first line of string nIDResource) and menu nIDResource from the
    // resources where they exist. Without a context the views get their initial update.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // ---- views, documents, frames
    virtual CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: this frame, or an MDI frame's active child.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual BOOL IsFrameWnd() const { return TRUE; }

    // ---- title
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle ? lpszTitle : ""; }
    int m_nWindow = -1; // the number of this frame among its document's frames, -1 when it has one

    // ---- layout and control bars
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Layout is done at the next idle update.
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    // Each child with an id in [nIDFirst, nIDLast] takes its part of the client area
    // (WM_SIZEPARENT); the rest goes to the child nIDLeftOver. reposQuery only
    // measures: lpRectParam gets the rest. reposExtra insets the rest by lpRectParam.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // The dock bars this frame makes: a set of CBRS_ALIGN_* sides.
    void EnableDocking(DWORD dwDockStyle);
    // nDockBarID 0: the first side both the bar and the frame allow (top, bottom, left, right).
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats the bar in a tool window whose top-left is `point` (screen).
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    const std::vector<CControlBar*>& GetControlBars() const { return m_listControlBars; }

    // ---- messages and status
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();
    // The prompt of a command: the first line of its string, up to '\n'.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    // ---- keyboard and dropped files
    // Key-downs are matched against the frame's accelerators before they reach the focus window.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The table that translates keys now: the frame's own (loaded by LoadFrame).
    virtual HACCEL GetDefaultAccelerator();
    HACCEL m_hAccelTable = nullptr;

    // ---- commands
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Menu items without an update handler are disabled when they have no command handler.
    BOOL m_bAutoMenuEnable = TRUE;

    HMENU m_hMenuDefault = nullptr; // the menu the frame shows without a document (owned)
    UINT m_nIDHelp = 0;
    CRect m_rectBorder;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // Routes to the active view, the frame's own map and (bToApp) the application.
    BOOL RouteCommand(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo, BOOL bToApp);
    void PostNcDestroy() override;
    LPCTSTR FrameClassName() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    // Files dropped on the frame open as documents (DragAcceptFiles).
    afx_msg LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
    // The check of a bar's show/hide command, and the command itself.
    virtual void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    virtual void OnBarCheck(UINT nID);
    DECLARE_MESSAGE_MAP()

    CString m_strTitle;
    CView* m_pViewActive = nullptr;
    std::vector<CControlBar*> m_listControlBars;
    UINT m_nIDLastMessage = 0;
    BOOL m_bInRecalcLayout = FALSE;
    BOOL m_bDelayedLayout = FALSE;

private:
    friend class CDocTemplate;
    static bool IsLive(const CFrameWnd* pFrame);
};

// The frame that holds a window: its nearest ancestor that is a frame.
CFrameWnd* AfxGetParentFrame(const CWnd* pWnd);
// The outermost frame of a window (an MDI main frame for a view in a child frame).
CFrameWnd* AfxGetTopLevelFrame(const CWnd* pWnd);
