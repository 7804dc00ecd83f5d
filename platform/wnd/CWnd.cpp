// CWnd (CWnd.h): attaching and subclassing windows, WindowProc and the message map, the default
// handlers, and window classes.
#include "platform/wnd/CWnd.h"

#include "platform/gdi/CDC.h"
#include "platform/wnd/CMenu.h"
#include "platform/wnd/CWinThread.h"
#include "platform/base/Exceptions.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/base/MessageBox.h"
#include "platform/wnd/WndInternal.h"

#include <QIcon>
#include <QPixmap>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_CTLCOLOR()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace {

// The messages being processed by window procedures, innermost last.
std::vector<MSG>& CurrentMessages()
{
    static auto* stack = new std::vector<MSG>;
    return *stack;
}

// pExtra of a reflected WM_CTLCOLORxxx.
struct AFX_CTLCOLOR {
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// A command update that only records whether the command is enabled.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

template <class F>
F Pmf(AFX_PMSG pfn)
{
    return AfxMsgFn<F>(pfn);
}

} // namespace

// ---------------------------------------------------------------- the window procedure

LRESULT AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    wnd::Window* w = wnd::Find(hWnd);
    CWnd* pWnd = w ? w->permanent : nullptr;
    if (!pWnd)
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    MSG current{hWnd, message, wParam, lParam, (DWORD)::GetMessageTime(), POINT{0, 0}};
    const DWORD pos = ::GetMessagePos();
    current.pt = POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    CurrentMessages().push_back(current);
    // The CWnd may delete itself while handling the message (PostNcDestroy).
    const LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    CurrentMessages().pop_back();
    return result;
}

const MSG* AfxGetCurrentMessage() { return CurrentMessages().empty() ? nullptr : &CurrentMessages().back(); }

const MSG* CWnd::GetCurrentMessage() { return AfxGetCurrentMessage(); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper && m_pfnSuper != AfxWndProc)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG* m = AfxGetCurrentMessage();
    if (!m || !m_hWnd)
        return 0;
    return DefWindowProc(m->message, m->wParam, m->lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT r = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult)
            *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
        if (!nm || !nm->hwndFrom || !OnNotify(wParam, lParam, &r))
            return FALSE;
        if (pResult)
            *pResult = r;
        return TRUE;
    }
    UINT lookup = message;
    UINT ctlType = 0;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        lookup = WM_CTLCOLOR;
        ctlType = message - WM_CTLCOLORMSGBOX;
    }
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), lookup, 0, 0);
    if (!e)
        return FALSE;
    const AFX_PMSG pfn = e->pfn;
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (e->nSig) {
    case AfxSig_is:
        r = (this->*Pmf<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_vv:
        (this->*Pmf<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_bv:
        r = (this->*Pmf<BOOL (CWnd::*)()>(pfn))();
        break;
    case AfxSig_wv:
        r = (LRESULT)(this->*Pmf<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_bD:
        r = (this->*Pmf<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_vwii:
        (this->*Pmf<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vii:
        (this->*Pmf<void (CWnd::*)(int, int)>(pfn))(point.x, point.y);
        break;
    case AfxSig_vt:
        (this->*Pmf<void (CWnd::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
        break;
    case AfxSig_vwp:
        (this->*Pmf<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam, point);
        break;
    case AfxSig_bwsp:
        r = (this->*Pmf<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(LOWORD(wParam), (short)HIWORD(wParam), point);
        break;
    case AfxSig_vwww:
        (this->*Pmf<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vW:
        (this->*Pmf<void (CWnd::*)(CWnd*)>(pfn))(FromHandle((HWND)wParam));
        break;
    case AfxSig_vWl:
        (this->*Pmf<void (CWnd::*)(CWnd*)>(pfn))(FromHandle((HWND)lParam));
        break;
    case AfxSig_vWp:
        (this->*Pmf<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle((HWND)wParam), point);
        break;
    case AfxSig_bWww:
        r = (this->*Pmf<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(FromHandle((HWND)wParam),
                                                                 (UINT)(int)(short)LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_iWww:
        r = (this->*Pmf<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(FromHandle((HWND)wParam),
                                                                (UINT)(int)(short)LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vbw:
        (this->*Pmf<void (CWnd::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_vb:
        (this->*Pmf<void (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_vwWb:
        (this->*Pmf<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), FromHandle((HWND)lParam),
                                                             (BOOL)HIWORD(wParam));
        break;
    case AfxSig_vMINMAX:
        (this->*Pmf<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case AfxSig_vwwx:
        (this->*Pmf<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), (UINT)(int)(short)HIWORD(wParam), reinterpret_cast<CScrollBar*>(FromHandle((HWND)lParam)));
        break;
    case AfxSig_vOWNER:
        (this->*Pmf<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))((int)wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        r = TRUE;
        break;
    case AfxSig_vMEASURE:
        (this->*Pmf<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))((int)wParam,
                                                                    reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        r = TRUE;
        break;
    case AfxSig_hDWw:
        r = (LRESULT)(this->*Pmf<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(CDC::FromHandle((HDC)wParam),
                                                                            FromHandle((HWND)lParam), ctlType);
        break;
    case AfxSig_hDw: {
        const AFX_CTLCOLOR* ctl = reinterpret_cast<const AFX_CTLCOLOR*>(lParam);
        if (!ctl)
            return FALSE;
        r = (LRESULT)(this->*Pmf<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(CDC::FromHandle(ctl->hDC), ctl->nCtlType);
        break;
    }
    case AfxSig_vMwb:
        (this->*Pmf<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(CMenu::FromHandle((HMENU)wParam), LOWORD(lParam),
                                                              (BOOL)HIWORD(lParam));
        break;
    case AfxSig_lwwM:
        r = (this->*Pmf<LRESULT (CWnd::*)(UINT, UINT, CMenu*)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                                     CMenu::FromHandle((HMENU)lParam));
        break;
    case AfxSig_lp:
        r = (this->*Pmf<LRESULT (CWnd::*)(CPoint)>(pfn))(point);
        break;
    case AfxSig_vPOS:
        (this->*Pmf<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case AfxSig_vCALC:
        (this->*Pmf<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))((BOOL)wParam,
                                                                    reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_lwl:
        r = (this->*Pmf<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    default:
        return FALSE;
    }
    if (pResult)
        *pResult = r;
    return TRUE;
}

// ---------------------------------------------------------------- commands and notifications

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (!hWndCtrl) {
        if (nID == 0)
            return FALSE;
        // A command that has become disabled since its menu or accelerator was shown does nothing.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else if (ReflectLastMsg(hWndCtrl)) {
        return TRUE; // the control handled its own notification
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* nm = reinterpret_cast<NMHDR*>(lParam);
    if (!nm)
        return FALSE;
    const HWND hWndCtrl = nm->hwndFrom;
    const UINT nID = (UINT)nm->idFrom;
    const int nCode = (int)nm->code;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, nm};
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* child = FromHandlePermanent(hWndChild);
    const MSG* m = AfxGetCurrentMessage();
    if (!child || !m)
        return FALSE;
    const MSG copy = *m;
    return child->OnChildNotify(copy.message, copy.wParam, copy.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND: {
        const UINT code = HIWORD(wParam);
        const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_COMMAND, code, 0);
        if (!e)
            return FALSE;
        const BOOL handled = DispatchCmdMsg(this, 0, (int)code, e, nullptr);
        if (handled && pResult)
            *pResult = 1;
        return handled;
    }
    case WM_NOTIFY: {
        NMHDR* nm = reinterpret_cast<NMHDR*>(lParam);
        if (!nm)
            return FALSE;
        const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_NOTIFY, (WORD)nm->code, 0);
        if (!e)
            return FALSE;
        LRESULT ignored = 0;
        AFX_NOTIFY notify{pResult ? pResult : &ignored, nm};
        return DispatchCmdMsg(this, 0, (int)nm->code, e, &notify);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        AFX_CTLCOLOR ctl{m_hWnd, (HDC)wParam, message - WM_CTLCOLORMSGBOX};
        LRESULT brush = 0;
        if (!OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, &brush) || !brush)
            return FALSE;
        if (pResult)
            *pResult = brush;
        return TRUE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
        return FALSE;
    }
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        if (CWnd* w = FromHandlePermanent(h))
            if (w->PreTranslateMessage(pMsg))
                return TRUE;
        if (h == hWndStop)
            break;
    }
    return FALSE;
}

// ---------------------------------------------------------------- handles

CWnd::~CWnd()
{
    if (m_hWnd) {
        wnd::Window* w = wnd::Find(m_hWnd);
        if (w && w->permanent == this)
            ::DestroyWindow(m_hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    wnd::Window* w = wnd::Find(hWnd);
    return w ? w->permanent : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    wnd::Window* w = wnd::Find(hWnd);
    if (!w)
        return nullptr;
    if (w->permanent)
        return w->permanent;
    if (!w->temporary) {
        // An object of the window's own wrapper class: a control's temporary is that control.
        w->temporary = w->cls && w->cls->makeWrapper ? w->cls->makeWrapper() : std::make_unique<CWnd>();
        w->temporary->m_hWnd = hWnd;
    }
    return w->temporary.get();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    wnd::Window* w = wnd::Find(hWndNew);
    if (!w || m_hWnd || w->permanent)
        return FALSE;
    w->permanent = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    const HWND h = m_hWnd;
    if (wnd::Window* w = wnd::Find(h))
        if (w->permanent == this)
            w->permanent = nullptr;
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC old = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (old == AfxWndProc)
        old = reinterpret_cast<WNDPROC>(::GetClassLongPtr(hWnd, GCLP_WNDPROC));
    if (!m_pfnSuper)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent)
        return FALSE;
    HWND hCtl = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    return hCtl ? SubclassWindow(hCtl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper) {
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

// ---------------------------------------------------------------- creation

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                    reinterpret_cast<HMENU>((UINT_PTR)nID), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                    reinterpret_cast<HMENU>((UINT_PTR)nID), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs = wnd::MakeCreateStruct(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                                            hWndParent, nIDorHMenu, AfxGetInstanceHandle(), lpParam);
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    bool attached = false;
    const HWND h = wnd::CreateWindowFor(this, cs, &attached);
    if (!h) {
        // Once attached, a failed creation has run OnNcDestroy, and with it PostNcDestroy.
        if (!attached)
            PostNcDestroy();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    const HWND h = m_hWnd;
    return ::DestroyWindow(h);
}

// ---------------------------------------------------------------- messages

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    std::vector<HWND> children;
    for (HWND c = ::GetWindow(m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    for (HWND c : children) {
        if (!::IsWindow(c))
            continue;
        if (bOnlyPerm) {
            if (CWnd* w = FromHandlePermanent(c))
                w->SendMessage(message, wParam, lParam);
        } else {
            ::SendMessage(c, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(c))
            if (CWnd* w = FromHandle(c))
                w->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

// ---------------------------------------------------------------- parents, children

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetOwner() const { return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent(); }

void CWnd::SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr; }

CWnd* CWnd::GetParentOwner() const
{
    HWND h = m_hWnd;
    HWND parent;
    while ((::GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD) && (parent = ::GetParent(h)) != nullptr)
        h = parent;
    return FromHandle(h);
}

namespace {

HWND ParentOrOwner(HWND h)
{
    if (::GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD)
        return ::GetParent(h);
    return ::GetWindow(h, GW_OWNER);
}

} // namespace

CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    if (!h)
        return nullptr;
    for (HWND up; (up = ParentOrOwner(h)) != nullptr;)
        h = up;
    return FromHandle(h);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    HWND h = m_hWnd;
    if (!h)
        return nullptr;
    for (HWND up; (up = ::GetWindow(h, GW_OWNER)) != nullptr;)
        h = up;
    return FromHandle(h);
}

BOOL CWnd::IsChild(const CWnd* pWnd) const { return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd); }
CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetNextWindow(UINT nFlag) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtr(m_hWnd, GWLP_ID, nID); }

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

CWnd* CWnd::ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
CWnd* CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
CWnd* CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }

// ---------------------------------------------------------------- state and geometry

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    const DWORD style = GetStyle();
    CRect area;
    if (style & WS_CHILD) {
        CWnd* parent = GetParent();
        if (!parent)
            return;
        parent->GetClientRect(&area);
    } else {
        CWnd* center = pAlternateOwner ? pAlternateOwner : GetWindow(GW_OWNER);
        if (center && center->IsWindowVisible() && !center->IsIconic())
            center->GetWindowRect(&area);
        else
            ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    }
    CRect me;
    GetWindowRect(&me);
    int x = area.left + (area.Width() - me.Width()) / 2;
    int y = area.top + (area.Height() - me.Height()) / 2;
    if (!(style & WS_CHILD)) {
        // Keep the window on the work area.
        CRect work;
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        x = std::max((int)work.left, std::min(x, (int)work.right - me.Width()));
        y = std::max((int)work.top, std::min(y, (int)work.bottom - me.Height()));
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, GetExStyle());
}

DWORD CWnd::GetStyle() const { return (DWORD)::GetWindowLongPtr(m_hWnd, GWL_STYLE); }
DWORD CWnd::GetExStyle() const { return (DWORD)::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE); }

namespace {
// Changes the style bits at `index` (GWL_STYLE or GWL_EXSTYLE); `flags` ask SetWindowPos to apply them.
BOOL modifyStyleBits(HWND hWnd, int index, DWORD remove, DWORD add, UINT flags)
{
    const DWORD style = (DWORD)::GetWindowLongPtr(hWnd, index);
    const DWORD now = (style & ~remove) | add;
    if (style == now)
        return FALSE;
    ::SetWindowLongPtr(hWnd, index, (LONG)now);
    if (flags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}
} // namespace

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return modifyStyleBits(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return modifyStyleBits(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags); }

void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount); }

void CWnd::GetWindowText(CString& rString) const
{
    const int length = ::GetWindowTextLength(m_hWnd);
    char* buffer = rString.GetBuffer(length);
    const int n = ::GetWindowText(m_hWnd, buffer, length + 1);
    rString.ReleaseBuffer(n);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, (WPARAM)(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    HFONT font = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    return font ? CFont::FromHandle(font) : nullptr;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    wnd::Window* w = wnd::Find(m_hWnd);
    if (!w)
        return nullptr;
    HICON& slot = bBigIcon ? w->bigIcon : w->smallIcon;
    HICON old = slot;
    slot = hIcon;
    if (w->widget && w->widget->isWindow() && hIcon)
        w->widget->setWindowIcon(QIcon(QPixmap::fromImage(hIcon->image)));
    return old;
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->GetSafeHmenu() : nullptr); }
void CWnd::DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

// ---------------------------------------------------------------- focus, capture, timers

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

// ---------------------------------------------------------------- painting

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) { ::InvalidateRgn(m_hWnd, pRgn ? (HRGN)pRgn->GetSafeHandle() : nullptr, bErase); }
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate ? (HRGN)prgnUpdate->GetSafeHandle() : nullptr, flags);
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
void CWnd::SetRedraw(BOOL bRedraw) { SendMessage(WM_SETREDRAW, bRedraw, 0); }

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()) : 0; }

QImage* CWnd::GetSurfaceImage() const { return m_hWnd ? wnd::SurfaceOf(m_hWnd) : nullptr; }

COLORREF CWnd::GetSurfacePixel(int x, int y) const
{
    const QImage* surface = GetSurfaceImage();
    if (!surface || !surface->valid(x, y))
        return CLR_INVALID;
    const QRgb p = surface->pixel(x, y);
    return RGB((BYTE)qRed(p), (BYTE)qGreen(p), (BYTE)qBlue(p));
}

// ---------------------------------------------------------------- scroll bars

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
int CWnd::GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    if (!lpScrollInfo)
        return FALSE;
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) { ::ShowScrollBar(m_hWnd, (int)nBar, bShow); }

// ---------------------------------------------------------------- dialog items

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemText(m_hWnd, nID, lpszString); }

int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
    return (int)::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    CWnd* item = GetDlgItem(nID);
    if (!item)
        return 0;
    item->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    char text[16];
    if (bSigned)
        std::snprintf(text, sizeof(text), "%d", (int)nValue);
    else
        std::snprintf(text, sizeof(text), "%u", nValue);
    SetDlgItemText(nID, text);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    if (lpTrans)
        *lpTrans = FALSE;
    CString text;
    if (!GetDlgItem(nID))
        return 0;
    GetDlgItemText(nID, text);
    text.Trim();
    const char* s = text.GetString();
    if (!*s)
        return 0;
    char* end = nullptr;
    errno = 0;
    long long v = bSigned ? std::strtoll(s, &end, 10) : (long long)std::strtoull(s, &end, 10);
    if (*end || errno == ERANGE)
        return 0;
    // 32-bit range as on Windows.
    if (bSigned ? (v < INT32_MIN || v > INT32_MAX) : (v < 0 || v > (long long)UINT32_MAX || *s == '-'))
        return 0;
    if (lpTrans)
        *lpTrans = TRUE;
    return (UINT)v;
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

// ---------------------------------------------------------------- default handlers

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }

void CWnd::OnNcDestroy()
{
    if (CWinThread* thread = AfxGetThread())
        if (thread->m_pMainWnd == this) {
            ::PostQuitMessage(0);
            thread->m_pMainWnd = nullptr;
        }
    const LONG_PTR proc = ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
    Default();
    if (m_pfnSuper && ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == proc)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    Detach();
    PostNcDestroy();
}

void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
BOOL CWnd::OnQueryNewPalette() { return (BOOL)Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct) {
        if (lpDrawItemStruct->CtlType == ODT_MENU) {
            if (CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem))) {
                menu->DrawItem(lpDrawItemStruct);
                return;
            }
        } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
            return;
        }
    }
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType != ODT_MENU)
        if (ReflectLastMsg(::GetDlgItem(m_hWnd, nIDCtl)))
            return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT brush = 0;
    if (pWnd && ReflectLastMsg(pWnd->m_hWnd, &brush))
        return (HBRUSH)brush;
    return (HBRUSH)Default();
}

UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }

// ---------------------------------------------------------------- classes

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::set<std::string> names;
    char name[96];
    std::snprintf(name, sizeof(name), "Afx:%x:%p:%p:%p", nClassStyle, (void*)hCursor, (void*)hbrBackground, (void*)hIcon);
    const std::string& stored = *names.insert(name).first;
    WNDCLASS existing;
    if (::GetClassInfo(AfxGetInstanceHandle(), stored.c_str(), &existing))
        return stored.c_str();
    WNDCLASS wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = stored.c_str();
    if (!::RegisterClass(&wc))
        AfxThrowResourceException();
    return stored.c_str();
}

BOOL AfxRegisterClass(WNDCLASS* lpWndClass)
{
    if (!lpWndClass)
        return FALSE;
    WNDCLASS existing;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}
