// CFrameWnd (CFrameWnd.h): layout of bars around the view, command routing, title, message text and
// closing.
#include "platform/frames/CFrameWnd.h"

#include "platform/frames/CDocManager.h"
#include "platform/frames/CDocument.h"
#include "platform/frames/CDockBar.h"
#include "platform/wnd/Accelerators.h"
#include "platform/wnd/CMenu.h"
#include "platform/wnd/DropFiles.h"
#include "platform/frames/CView.h"
#include "platform/frames/CWinApp.h"
#include "platform/frames/FrameInternal.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <set>
#include <string>

namespace {
// Frames alive: a creation that fails may or may not have deleted its frame already.
std::set<const CFrameWnd*>& LiveFrames()
{
    static std::set<const CFrameWnd*> frames;
    return frames;
}

// Marks a layout pass that moves windows (AFX_SIZEPARENTPARAMS::hDWP).
int g_layoutToken;

const DWORD kDockSides[4] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
const UINT kDockBarIds[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
} // namespace

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_DROPFILES, OnDropFiles)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() { LiveFrames().insert(this); }

CFrameWnd::~CFrameWnd()
{
    LiveFrames().erase(this);
    for (CControlBar* bar : m_listControlBars)
        if (bar->m_pDockSite == this)
            bar->m_pDockSite = nullptr;
    if (m_hMenuDefault && ::IsMenu(m_hMenuDefault))
        ::DestroyMenu(m_hMenuDefault);
}

bool CFrameWnd::IsLive(const CFrameWnd* pFrame) { return LiveFrames().count(pFrame) != 0; }

// ---------------------------------------------------------------- creation

LPCTSTR CFrameWnd::FrameClassName() const
{
    static const LPCTSTR name = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                    ::LoadCursor(nullptr, IDC_ARROW),
                                                    (HBRUSH)(UINT_PTR)(COLOR_WINDOW + 1));
    return name;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = FrameClassName();
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    return TRUE;
}

frame::FrameGeometry frame::CreateGeometry(const RECT& rect)
{
    if (CRect(rect) == CFrameWnd::rectDefault)
        return {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    return {rect.left, rect.top, (int)std::clamp<int64_t>((int64_t)rect.right - rect.left, INT_MIN, INT_MAX),
            (int)std::clamp<int64_t>((int64_t)rect.bottom - rect.top, INT_MIN, INT_MAX)};
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    HMENU menu = nullptr;
    if (lpszMenuName) {
        // A frame without its menu resource still works; the menu comes with the resources.
        CMenu loaded;
        if (IS_INTRESOURCE(lpszMenuName) ? loaded.LoadMenu((UINT)(UINT_PTR)lpszMenuName) : loaded.LoadMenu(lpszMenuName))
            menu = loaded.Detach();
    }
    const frame::FrameGeometry g = frame::CreateGeometry(rect);
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, g.x, g.y, g.cx, g.cy,
                  pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, menu, pContext)) {
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString title;
    AfxExtractSubString(title, frame::LoadString(nIDResource), 0, '\n');
    if (!Create(nullptr, title, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCE(nIDResource), 0,
                pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN))
        if (HACCEL table = GetDefaultAccelerator())
            if (::TranslateAccelerator(m_hWnd, table, pMsg))
                return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

HACCEL CFrameWnd::GetDefaultAccelerator() { return m_hAccelTable; }

LRESULT CFrameWnd::OnDropFiles(WPARAM wParam, LPARAM)
{
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    const UINT count = ::DragQueryFile(drop, 0xFFFFFFFFu, nullptr, 0);
    std::vector<CString> paths;
    for (UINT i = 0; i < count; ++i) {
        std::string path(::DragQueryFile(drop, i, nullptr, 0) + 1, '\0');
        ::DragQueryFile(drop, i, path.data(), (UINT)path.size());
        paths.emplace_back(path.c_str());
    }
    ::DragFinish(drop);
    ActivateFrame();
    if (CWinApp* app = AfxGetApp())
        for (const CString& path : paths)
            app->OpenDocumentFile(path);
    return 0;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CCreateContext* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (!OnCreateClient(lpCreateStruct, context))
        return -1;
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CWnd* view = frame::CreateObjectOf<CWnd>(pContext->m_pNewViewClass);
    if (!view)
        return nullptr;
    // A view whose window fails deletes itself (PostNcDestroy).
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return view;
}

void CFrameWnd::PostNcDestroy() { delete this; }

// ---------------------------------------------------------------- views and documents

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* old = m_pViewActive;
    if (pViewNew == old)
        return;
    m_pViewActive = nullptr;
    if (old)
        old->OnActivateView(FALSE, pViewNew, old);
    if (m_pViewActive)
        return; // the deactivation chose another view
    m_pViewActive = pViewNew;
    if (pViewNew && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (!(GetStyle() & WS_CHILD))
        BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* view = nullptr;
    if (!GetActiveView()) {
        view = dynamic_cast<CView*>(CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)));
        if (view)
            SetActiveView(view, FALSE);
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (view)
            view->OnActivateFrame(WA_INACTIVE, this);
        int nCmdShow = -1;
        CWinApp* app = AfxGetApp();
        if (app && !app->m_pMainWnd) {
            nCmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (view)
            view->OnActivateView(TRUE, view, view);
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

// ---------------------------------------------------------------- title

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!m_hWnd || !(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc)
        UpdateFrameTitleForDocument(doc->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString doc;
    if (lpszDocName && *lpszDocName) {
        doc = lpszDocName;
        if (m_nWindow > 0)
            doc.AppendFormat(":%d", m_nWindow);
    }
    CString text;
    if (doc.IsEmpty())
        text = m_strTitle;
    else if (m_strTitle.IsEmpty())
        text = doc;
    else if (GetStyle() & FWS_PREFIXTITLE)
        text = doc + " - " + m_strTitle;
    else
        text = m_strTitle + " - " + doc;
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
}

// ---------------------------------------------------------------- layout

void CFrameWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                               LPCRECT lpRectClient, BOOL bStretch)
{
    if (!m_hWnd)
        return;
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        GetClientRect(&layout.rect);
    layout.hDWP = nFlag == reposQuery ? nullptr : &g_layoutToken;

    std::vector<HWND> children;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        const UINT id = (UINT)::GetDlgCtrlID(child);
        if (id >= nIDFirst && id <= nIDLast && id != nIDLeftOver && ::IsWindow(child) &&
            CWnd::FromHandlePermanent(child))
            ::SendMessage(child, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (nFlag == reposQuery) {
        if (lpRectParam) {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
                *lpRectParam = RECT{0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy};
        }
        return;
    }
    if (nIDLeftOver == 0)
        return;
    CRect rest(layout.rect);
    if (nFlag == reposExtra && lpRectParam) {
        rest.left += lpRectParam->left;
        rest.top += lpRectParam->top;
        rest.right -= lpRectParam->right;
        rest.bottom -= lpRectParam->bottom;
    }
    if (rest.right < rest.left)
        rest.right = rest.left;
    if (rest.bottom < rest.top)
        rest.bottom = rest.top;
    if (HWND leftOver = ::GetDlgItem(m_hWnd, (int)nIDLeftOver))
        CControlBar::RepositionWindow(&layout, leftOver, &rest);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd || m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_bDelayedLayout = FALSE;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL) { m_bDelayedLayout = TRUE; }

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar && std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) == m_listControlBars.end())
        m_listControlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    std::erase(m_listControlBars, pBar);
    if (pBar && pBar->m_pDockSite == this)
        pBar->m_pDockSite = nullptr;
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    for (CControlBar* bar : m_listControlBars)
        if (bar->m_hWnd && (UINT)::GetDlgCtrlID(bar->m_hWnd) == nID)
            return bar;
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                           (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    if (pBar->IsFloating()) {
        // The tool window shows while one of its bars does.
        if (auto* floating = dynamic_cast<frame::FloatFrame*>(pBar->GetDockingFrame())) {
            bool visible = false;
            for (CControlBar* bar : m_listControlBars)
                if (bar->m_pDockBar == &floating->m_wndDockBar && bar->IsVisible())
                    visible = true;
            floating->RecalcLayout();
            floating->ShowWindow(visible ? SW_SHOWNA : SW_HIDE);
        }
    }
    if (bDelay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    for (int i = 0; i < 4; ++i) {
        if (!(dwDockStyle & kDockSides[i]) || GetControlBar(kDockBarIds[i]))
            continue;
        auto* dock = new CDockBar;
        dock->m_bAutoDelete = TRUE;
        if (!dock->Create(this, kDockSides[i], kDockBarIds[i]))
            delete dock;
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    if (!pBar)
        return;
    CDockBar* dock = nullptr;
    if (nDockBarID)
        dock = dynamic_cast<CDockBar*>(GetControlBar(nDockBarID));
    for (int i = 0; i < 4 && !dock; ++i)
        if (pBar->m_dwDockStyle & kDockSides[i])
            dock = dynamic_cast<CDockBar*>(GetControlBar(kDockBarIds[i]));
    if (dock)
        DockControlBar(pBar, dock, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (!pBar || !pDockBar)
        return;
    pDockBar->DockControlBar(pBar, lpRect);
    RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (!pBar || !pBar->m_hWnd || !m_hWnd)
        return;
    frame::FloatFrame* floating = nullptr;
    if (pBar->IsFloating() && pBar->m_pDockBar)
        floating = dynamic_cast<frame::FloatFrame*>(pBar->m_pDockBar->GetParent());
    if (!floating) {
        floating = new frame::FloatFrame;
        if (!floating->Create(this, dwStyle))
            return; // the frame deleted itself
    }
    const bool visible = pBar->IsVisible();
    floating->m_wndDockBar.DockControlBar(pBar, nullptr);
    CString title;
    pBar->GetWindowText(title);
    floating->SetWindowText(title);
    floating->RecalcLayout();
    floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (visible)
        floating->ShowWindow(SW_SHOWNA);
    RecalcLayout();
}

// ---------------------------------------------------------------- messages and status

CWnd* CFrameWnd::GetMessageBar()
{
    HWND bar = m_hWnd ? ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR) : nullptr;
    return bar ? CWnd::FromHandle(bar) : nullptr;
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    AfxExtractSubString(rMessage, frame::LoadString(nID), 0, '\n');
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText); }

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID, 0); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT last = m_nIDLastMessage;
    m_nIDLastMessage = (UINT)wParam;
    if (CWnd* bar = GetMessageBar()) {
        CString text;
        if (lParam)
            text = reinterpret_cast<LPCTSTR>(lParam);
        else if (wParam)
            GetMessageString((UINT)wParam, text);
        bar->SetWindowText(text);
    }
    return (LRESULT)last;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (m_bDelayedLayout)
        RecalcLayout();
    // Floating bars live in tool windows outside this frame's descendants.
    std::vector<HWND> floating;
    for (CControlBar* bar : m_listControlBars)
        if (bar->IsFloating() && bar->m_pDockBar)
            if (CWnd* parent = bar->m_pDockBar->GetParent())
                if (std::find(floating.begin(), floating.end(), parent->m_hWnd) == floating.end())
                    floating.push_back(parent->m_hWnd);
    for (HWND h : floating)
        if (CWnd* w = CWnd::FromHandlePermanent(h); w && w->IsWindowVisible())
            w->SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, lParam, TRUE, TRUE);
    return 0;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int key = 0;
    switch (pCmdUI->m_nID) {
    case ID_INDICATOR_CAPS: key = VK_CAPITAL; break;
    case ID_INDICATOR_NUM: key = VK_NUMLOCK; break;
    case ID_INDICATOR_SCRL: key = VK_SCROLL; break;
    default: pCmdUI->ContinueRouting(); return;
    }
    pCmdUI->Enable(::GetKeyState(key) & 1);
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    if (!bar) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck(bar->IsVisible() ? 1 : 0);
}

void CFrameWnd::OnBarCheck(UINT nID)
{
    if (CControlBar* bar = GetControlBar(nID))
        ShowControlBar(bar, !bar->IsVisible(), FALSE);
}

// ---------------------------------------------------------------- commands

BOOL CFrameWnd::RouteCommand(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo, BOOL bToApp)
{
    if (CView* view = GetActiveView())
        if (view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Showing and hiding a bar by its id: only the frame that has the bar answers,
    // so that the command passes a child frame on to the main frame.
    if (nID >= AFX_IDW_CONTROLBAR_FIRST && nID <= AFX_IDW_CONTROLBAR_LAST && GetControlBar(nID)) {
        if (nCode == (int)CN_UPDATE_COMMAND_UI && pExtra && !pHandlerInfo) {
            OnUpdateControlBarMenu(static_cast<CCmdUI*>(pExtra));
            return TRUE;
        }
        if (nCode == CN_COMMAND) {
            if (pHandlerInfo) {
                pHandlerInfo->pTarget = this;
                pHandlerInfo->pmf = nullptr;
            } else {
                OnBarCheck(nID);
            }
            return TRUE;
        }
    }
    if (bToApp)
        if (CWinApp* app = AfxGetApp())
            if (app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
                return TRUE;
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return RouteCommand(nID, nCode, pExtra, pHandlerInfo, TRUE);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || !pPopupMenu)
        return;
    AfxUpdateMenuCmdUI(this, pPopupMenu, m_bAutoMenuEnable);
}

// ---------------------------------------------------------------- closing and destruction

void CFrameWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        CDocManager* manager = AfxGetDocManager();
        if (!doc && !manager->SaveAllModified())
            return;
        manager->CloseAllDocuments(FALSE);
        if (!app->m_pMainWnd) {
            // Closing the documents took the main window with it.
            ::PostQuitMessage(0);
            return;
        }
        doc = nullptr; // closed with the others
    }
    if (doc && doc->m_bAutoDelete) {
        // The last frame of a document closes the document instead.
        bool otherFrame = false;
        for (POSITION pos = doc->GetFirstViewPosition(); pos;) {
            CView* view = doc->GetNextView(pos);
            if (view->GetParentFrame() != this) {
                otherFrame = true;
                break;
            }
        }
        if (!otherFrame) {
            doc->OnCloseDocument();
            return;
        }
        doc->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // Put the frame's own menu back so that a shared menu is not destroyed with the window.
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    CWnd::OnDestroy();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive && m_pViewActive->GetSafeHwnd())
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    if (m_pViewActive)
        return TRUE; // the view paints itself
    return CWnd::OnEraseBkgnd(pDC);
}

// ---------------------------------------------------------------- helpers

CFrameWnd* AfxGetParentFrame(const CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return nullptr;
    for (HWND h = ::GetParent(pWnd->GetSafeHwnd()); h; h = ::GetParent(h)) {
        if (CFrameWnd* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(h)))
            return frame;
        if (!(::GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return nullptr;
}

CFrameWnd* AfxGetTopLevelFrame(const CWnd* pWnd)
{
    if (!pWnd)
        return nullptr;
    CFrameWnd* top = dynamic_cast<CFrameWnd*>(const_cast<CWnd*>(pWnd));
    if (!top)
        top = AfxGetParentFrame(pWnd);
    while (top) {
        CFrameWnd* parent = AfxGetParentFrame(top);
        if (!parent)
            break;
        top = parent;
    }
    return top;
}
