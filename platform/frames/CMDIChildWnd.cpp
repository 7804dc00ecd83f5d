// CMDIChildWnd (CMDIChildWnd.h): a document's frame inside the MDI client, its shared menu and
// activation.
#include "platform/frames/CMDIChildWnd.h"

#include "platform/frames/CDocTemplate.h"
#include "platform/frames/CDocument.h"
#include "platform/frames/CMDIFrameWnd.h"
#include "platform/frames/CView.h"
#include "platform/frames/CWinApp.h"
#include "platform/frames/FrameInternal.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMessage)
    ON_WM_MOUSEACTIVATE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;
CMDIChildWnd::~CMDIChildWnd() = default;

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    // Every child lives in a sub-window of the MDI area, whatever class was asked for.
    cs.lpszClass = frame::MdiChildClass();
    cs.style |= WS_CHILD;
    return TRUE;
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (!pParentWnd)
        pParentWnd = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (!pParentWnd || !pParentWnd->m_hWndMDIClient)
        return FALSE;
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    // The child shows once it is complete (ActivateFrame); a maximized one is maximized then.
    const bool visible = (dwStyle & WS_VISIBLE) != 0;
    const bool maximized = (dwStyle & WS_MAXIMIZE) != 0;
    const DWORD style = (dwStyle | WS_CHILD) & ~(DWORD)(WS_VISIBLE | WS_MAXIMIZE | WS_POPUP);
    const frame::FrameGeometry g = frame::CreateGeometry(rect);
    if (!CreateEx(WS_EX_MDICHILD, lpszClassName, lpszWindowName, style, g.x, g.y, g.cx, g.cy, pParentWnd->m_hWndMDIClient,
                  nullptr, pContext))
        return FALSE;
    if (visible)
        ActivateFrame(maximized ? SW_SHOWMAXIMIZED : -1);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString title;
    AfxExtractSubString(title, frame::LoadString(nIDResource), 0, '\n');
    if (pContext)
        if (auto* tmpl = dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate))
            m_hMenuShared = tmpl->m_hMenuShared;
    CMDIFrameWnd* parent = dynamic_cast<CMDIFrameWnd*>(pParentWnd ? pParentWnd : AfxGetMainWnd());
    return Create(nullptr, title, dwDefaultStyle & ~(DWORD)WS_VISIBLE, rectDefault, parent, pContext);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    if (!m_hWnd)
        return nullptr;
    const HWND client = ::GetParent(m_hWnd);
    return dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(client)));
}

namespace {
// The MDI client (the child's parent) does what is asked for the child.
void AskClient(HWND child, UINT message)
{
    if (child)
        ::SendMessage(::GetParent(child), message, (WPARAM)child, 0);
}
} // namespace

void CMDIChildWnd::MDIDestroy() { AskClient(m_hWnd, WM_MDIDESTROY); }
void CMDIChildWnd::MDIActivate() { AskClient(m_hWnd, WM_MDIACTIVATE); }
void CMDIChildWnd::MDIMaximize() { AskClient(m_hWnd, WM_MDIMAXIMIZE); }
void CMDIChildWnd::MDIRestore() { AskClient(m_hWnd, WM_MDIRESTORE); }

BOOL CMDIChildWnd::IsMaximized() const { return m_hWnd && frame::MdiIsMaximized(m_hWnd); }

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    BOOL maximized = FALSE;
    CMDIFrameWnd* main = GetMDIFrame();
    CMDIChildWnd* active = main ? main->MDIGetActive(&maximized) : nullptr;
    // A new child follows the maximized state of the one it replaces.
    if (nCmdShow == -1 && active && active != this && maximized)
        nCmdShow = SW_SHOWMAXIMIZED;
    if (nCmdShow == -1 && !IsWindowVisible())
        nCmdShow = SW_SHOWNORMAL;
    if (nCmdShow != -1)
        ShowWindow(nCmdShow == SW_SHOWMAXIMIZED ? SW_SHOW : nCmdShow);
    if (nCmdShow == SW_SHOWMAXIMIZED)
        MDIMaximize();
    MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (CMDIFrameWnd* main = GetMDIFrame())
        main->OnUpdateFrameTitle(bAddToTitle);
    if (!m_hWnd || !(GetStyle() & FWS_ADDTOTITLE) || !bAddToTitle)
        return;
    CDocument* doc = GetActiveDocument();
    CString text = doc ? doc->GetTitle() : m_strTitle;
    if (m_nWindow > 0)
        text.AppendFormat(":%d", m_nWindow);
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
}

CWnd* CMDIChildWnd::GetMessageBar()
{
    CMDIFrameWnd* main = GetMDIFrame();
    return main ? main->GetMessageBar() : nullptr;
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd*, HMENU hMenuAlt)
{
    CMDIFrameWnd* main = GetMDIFrame();
    if (!main)
        return;
    HMENU menu = hMenuAlt;
    if (!menu && bActive)
        menu = m_hMenuShared;
    if (!menu)
        menu = main->m_hMenuDefault;
    if (menu)
        main->MDISetMenu(menu);
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    CView* view = GetActiveView();
    if (!bActivate && view)
        view->OnActivateView(FALSE, view, view);
    // The menu changes when this child comes, or when it goes and no other child follows.
    if (bActivate || !pActivateWnd)
        OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
    if (bActivate && view)
        view->OnActivateView(TRUE, view, view);
    if (CMDIFrameWnd* main = GetMDIFrame())
        main->OnUpdateFrameTitle(TRUE);
}

LRESULT CMDIChildWnd::OnMDIActivateMessage(WPARAM wParam, LPARAM lParam)
{
    const HWND deactivated = (HWND)wParam;
    const HWND activated = (HWND)lParam;
    OnMDIActivate(activated == m_hWnd, CWnd::FromHandlePermanent(activated), CWnd::FromHandlePermanent(deactivated));
    return 0;
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    const int result = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    CMDIFrameWnd* main = GetMDIFrame();
    if (main && main->MDIGetActive() != this) {
        MDIActivate();
    } else {
        // A click in the active child whose keyboard focus went elsewhere (a
        // closed dialog, a toolbar) brings the focus back to the child's view.
        const HWND focus = ::GetFocus();
        if (focus != m_hWnd && !::IsChild(m_hWnd, focus))
            SetFocus();
    }
    return result;
}

void CMDIChildWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos) { frame::MdiMoveChild(m_hWnd, lpwndpos); }

void CMDIChildWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    // The sub-window draws the caption and border: the whole widget is client area.
}

LRESULT CMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: {
        const LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        if (m_hWnd)
            frame::MdiSyncChildGeometry(m_hWnd);
        return result;
    }
    case WM_DESTROY:
        frame::MdiChildDestroying(m_hWnd);
        break;
    case WM_SHOWWINDOW:
        frame::MdiShowChild(m_hWnd, wParam != 0);
        break;
    case WM_SETTEXT: {
        const LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        if (m_hWnd)
            frame::MdiSetChildTitle(m_hWnd, reinterpret_cast<const char*>(lParam));
        return result;
    }
    default:
        break;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }
