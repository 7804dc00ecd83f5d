// The dialog manager and CDialog (CDialog.h): windows from templates in dialog units, dialog
// keyboard handling, and DoModal through the dialog hook.
#include "platform/dialogs/CDialog.h"

#include "platform/gdi/CDC.h"
#include "platform/controls/CommCtrl.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/DialogHook.h"
#include "platform/dialogs/DialogInternal.h"
#include "platform/base/Exceptions.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/CWinThread.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>
#include <unordered_map>
#include <vector>

namespace {

struct DialogState {
    HFONT font = nullptr;
    bool ownFont = false;
    int baseX = 0;
    int baseY = 0;
    UINT defId = 0;
    HWND lastFocus = nullptr;
    const DialogTemplate* creating = nullptr;
};

std::unordered_map<HWND, DialogState>& States()
{
    static std::unordered_map<HWND, DialogState> states;
    return states;
}

// The state of the dialog window being created, taken over at its WM_NCCREATE.
DialogState g_pending;
bool g_havePending = false;
HWND g_lockout = nullptr;

DialogState* StateOf(HWND hDlg)
{
    auto it = States().find(hDlg);
    return it == States().end() ? nullptr : &it->second;
}

LONG StyleOf(HWND h) { return ::GetWindowLong(h, GWL_STYLE); }

void CollectTabStops(HWND parent, std::vector<HWND>& out)
{
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        const LONG style = StyleOf(c);
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED))
            continue;
        if (::GetWindowLong(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)
            CollectTabStops(c, out);
        else if (style & WS_TABSTOP)
            out.push_back(c);
    }
}

bool IsInside(HWND hDlg, HWND h) { return h && (h == hDlg || ::IsChild(hDlg, h)); }

// The focus to give a dialog that becomes active: the control that had it, else the first tab stop.
HWND FocusTarget(HWND hDlg)
{
    DialogState* s = StateOf(hDlg);
    if (s && s->lastFocus && ::IsChild(hDlg, s->lastFocus) && ::IsWindowEnabled(s->lastFocus) &&
        (StyleOf(s->lastFocus) & WS_VISIBLE))
        return s->lastFocus;
    return dlg::NextTabItem(hDlg, nullptr, false);
}

void SetDefaultButtonStyle(HWND hDlg, UINT id, bool isDefault)
{
    HWND b = id ? ::GetDlgItem(hDlg, (int)id) : nullptr;
    if (!b || !dlg::IsPushButton(b))
        return;
    const DWORD style = ((DWORD)StyleOf(b) & ~BS_TYPEMASK) | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    ::SendMessage(b, BM_SETSTYLE, style, TRUE);
}

void ClickCommand(HWND hDlg, int id)
{
    HWND button = ::GetDlgItem(hDlg, id);
    if (button && !::IsWindowEnabled(button)) {
        ::MessageBeep(0);
        return;
    }
    ::SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
}

// The window procedure of the dialog class: the dialog manager's default handling.
LRESULT DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        if (g_havePending) {
            States()[hDlg] = g_pending;
            g_havePending = false;
        } else {
            States()[hDlg] = DialogState{};
        }
        return ::DefWindowProc(hDlg, message, wParam, lParam);
    case WM_NCDESTROY: {
        const LRESULT r = ::DefWindowProc(hDlg, message, wParam, lParam);
        auto it = States().find(hDlg);
        if (it != States().end()) {
            if (it->second.ownFont && it->second.font)
                ::DeleteObject(it->second.font);
            States().erase(it);
        }
        if (g_lockout == hDlg)
            g_lockout = nullptr;
        return r;
    }
    case DM_GETDEFID: {
        DialogState* s = StateOf(hDlg);
        return s && s->defId ? (LRESULT)(DWORD)MAKELONG(s->defId, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID: {
        DialogState* s = StateOf(hDlg);
        if (!s)
            return FALSE;
        const UINT old = s->defId;
        s->defId = (UINT)wParam;
        if (old != s->defId)
            SetDefaultButtonStyle(hDlg, old, false);
        SetDefaultButtonStyle(hDlg, s->defId, true);
        return TRUE;
    }
    case WM_NEXTDLGCTL: {
        HWND target = LOWORD(lParam) ? (HWND)wParam : dlg::NextTabItem(hDlg, ::GetFocus(), wParam != 0);
        if (target && IsInside(hDlg, target))
            dlg::FocusControl(target);
        return 0;
    }
    case WM_CLOSE:
        ClickCommand(hDlg, IDCANCEL);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (DialogState* s = StateOf(hDlg); s && focus && ::IsChild(hDlg, focus))
                s->lastFocus = focus;
        } else if (!HIWORD(wParam)) {
            HWND focus = ::GetFocus();
            if (!focus || !::IsChild(hDlg, focus)) {
                if (HWND target = FocusTarget(hDlg))
                    ::SetFocus(target);
                else
                    ::SetFocus(hDlg);
            }
        }
        return 0;
    case WM_SETFOCUS:
        if (HWND target = FocusTarget(hDlg))
            ::SetFocus(target);
        return 0;
    default:
        return ::DefWindowProc(hDlg, message, wParam, lParam);
    }
}

void RegisterDialogClass()
{
    // Dialogs create the standard controls by class name.
    AfxRegisterControlClasses();
    static bool registered = false;
    if (registered)
        return;
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DialogProc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = WC_DIALOG;
    registered = ::RegisterClass(&wc) != 0;
}

void CenterOver(HWND hwnd, HWND owner)
{
    RECT r, area;
    ::GetWindowRect(hwnd, &r);
    if (owner && ::IsWindowVisible(owner))
        ::GetWindowRect(owner, &area);
    else
        area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = area.left + ((area.right - area.left) - w) / 2;
    const int y = area.top + ((area.bottom - area.top) - h) / 2;
    ::SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ReportMissingTemplate(UINT id) { std::fprintf(stderr, "dialog template %u not found\n", id); }

} // namespace

// ---------------------------------------------------------------- dialog manager

namespace dlg {

bool IsClass(HWND hwnd, const char* className)
{
    char name[64] = {};
    return ::GetClassName(hwnd, name, (int)sizeof name) > 0 && strcasecmp(name, className) == 0;
}

bool IsPushButton(HWND hwnd)
{
    const UINT code = (UINT)::SendMessage(hwnd, WM_GETDLGCODE, 0, 0);
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
        return true;
    if (!IsClass(hwnd, WC_BUTTON))
        return false;
    const DWORD type = (DWORD)StyleOf(hwnd) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

HFONT CreateTemplateFont(const DialogTemplate& tmpl)
{
    LOGFONT lf{};
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    lf.lfHeight = -::MulDiv(tmpl.pointSize ? tmpl.pointSize : 8, dpi > 0 ? dpi : 96, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyn(lf.lfFaceName, tmpl.fontFace && *tmpl.fontFace ? tmpl.fontFace : "MS Sans Serif", LF_FACESIZE);
    return ::CreateFontIndirect(&lf);
}

SIZE TemplateSizeInPixels(const DialogTemplate& tmpl)
{
    HFONT font = CreateTemplateFont(tmpl);
    int bx = 0, by = 0;
    AfxGetDialogBaseUnits(font, &bx, &by);
    ::DeleteObject(font);
    return SIZE{::MulDiv(tmpl.cx, bx, 4), ::MulDiv(tmpl.cy, by, 8)};
}

BOOL CreateDialogWindow(CWnd* wnd, const DialogTemplate& tmpl, HWND parent, const CreateOptions& options)
{
    RegisterDialogClass();
    const DWORD style = (tmpl.style & ~options.removeStyle) | options.addStyle;
    const DWORD exStyle = tmpl.exStyle | options.addExStyle;
    const bool child = (style & WS_CHILD) != 0;

    DialogState state;
    state.font = CreateTemplateFont(tmpl);
    state.ownFont = true;
    AfxGetDialogBaseUnits(state.font, &state.baseX, &state.baseY);
    state.creating = &tmpl;
    const int bx = state.baseX, by = state.baseY;
    HFONT font = state.font;

    RECT rc{0, 0, ::MulDiv(tmpl.cx, bx, 4), ::MulDiv(tmpl.cy, by, 8)};
    ::AdjustWindowRectEx(&rc, style, FALSE, exStyle);
    POINT pos{::MulDiv(tmpl.x, bx, 4), ::MulDiv(tmpl.y, by, 8)};
    if (!child && parent && !(style & DS_ABSALIGN))
        ::ClientToScreen(parent, &pos);

    g_pending = state;
    g_havePending = true;
    const BOOL created = wnd->CreateEx(exStyle, WC_DIALOG, tmpl.caption ? tmpl.caption : "", style & ~WS_VISIBLE,
                                       pos.x, pos.y, rc.right - rc.left, rc.bottom - rc.top, parent, nullptr,
                                       nullptr);
    if (g_havePending) { // the window never got as far as WM_NCCREATE
        g_havePending = false;
        ::DeleteObject(font);
    }
    if (!created || !wnd->m_hWnd)
        return FALSE;
    const HWND hDlg = wnd->m_hWnd;
    ::SendMessage(hDlg, WM_SETFONT, (WPARAM)font, FALSE);

    for (const DialogItemTemplate& item : tmpl.items) {
        const int x = ::MulDiv(item.x, bx, 4), y = ::MulDiv(item.y, by, 8);
        const int cx = ::MulDiv(item.cx, bx, 4), cy = ::MulDiv(item.cy, by, 8);
        HWND c = ::CreateWindowEx(item.exStyle, item.className, item.text ? item.text : "", item.style | WS_CHILD,
                                  x, y, cx, cy, hDlg, (HMENU)(UINT_PTR)(UINT)item.id, nullptr, nullptr);
        if (!::IsWindow(hDlg))
            return FALSE;
        if (!c) {
            std::fprintf(stderr, "dialog %u: cannot create control %d of class \"%s\"\n", tmpl.id, item.id,
                         item.className ? item.className : "");
            if (!(style & DS_NOFAILCREATE)) {
                wnd->DestroyWindow();
                return FALSE;
            }
            continue;
        }
        ::SendMessage(c, WM_SETFONT, (WPARAM)font, FALSE);
        if (DialogState* s = StateOf(hDlg); s && !s->defId && IsClass(c, WC_BUTTON) &&
                                            ((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON))
            s->defId = (UINT)item.id;
    }

    const HWND first = NextTabItem(hDlg, nullptr, false);
    const LRESULT setFocus = ::SendMessage(hDlg, WM_INITDIALOG, (WPARAM)first, 0);
    if (!::IsWindow(hDlg) || wnd->m_hWnd != hDlg)
        return FALSE;
    if (DialogState* s = StateOf(hDlg))
        s->creating = nullptr;
    if (!child && ((style & DS_CENTER) || (tmpl.x == 0 && tmpl.y == 0)))
        CenterOver(hDlg, parent);
    if (setFocus) {
        HWND target = first && ::IsChild(hDlg, first) ? first : NextTabItem(hDlg, nullptr, false);
        if (target) {
            FocusControl(target);
            if (DialogState* s = StateOf(hDlg))
                s->lastFocus = target;
        }
    }
    if (options.show && (style & WS_VISIBLE))
        ::ShowWindow(hDlg, SW_SHOWNORMAL);
    return TRUE;
}

const DialogTemplate* CreatingTemplate(HWND hDlg)
{
    DialogState* s = StateOf(hDlg);
    return s ? s->creating : nullptr;
}

HWND NextTabItem(HWND hDlg, HWND hCtl, bool previous)
{
    std::vector<HWND> stops;
    CollectTabStops(hDlg, stops);
    if (stops.empty())
        return nullptr;
    // A control's inner window (a combo box's edit) counts as the control.
    auto it = stops.end();
    for (HWND h = hCtl; h && h != hDlg && it == stops.end(); h = ::GetParent(h))
        it = std::find(stops.begin(), stops.end(), h);
    if (it == stops.end())
        return previous ? stops.back() : stops.front();
    const size_t n = stops.size();
    const size_t i = (size_t)(it - stops.begin());
    return stops[previous ? (i + n - 1) % n : (i + 1) % n];
}

void FocusControl(HWND hCtl)
{
    if (!hCtl)
        return;
    const UINT code = (UINT)::SendMessage(hCtl, WM_GETDLGCODE, 0, 0);
    ::SetFocus(hCtl);
    if (code & DLGC_HASSETSEL)
        ::SendMessage(hCtl, EM_SETSEL, 0, -1);
}

HWND ModalOwner(CWnd* parent)
{
    HWND h = parent ? parent->GetSafeHwnd() : nullptr;
    if (!h) {
        CWnd* main = AfxGetMainWnd();
        h = main ? main->GetSafeHwnd() : nullptr;
    }
    while (h && (StyleOf(h) & WS_CHILD))
        h = ::GetParent(h);
    return h;
}

OwnerDisabler::OwnerDisabler(HWND owner) : m_owner(owner)
{
    if (m_owner && ::IsWindowEnabled(m_owner)) {
        ::EnableWindow(m_owner, FALSE);
        m_reenable = true;
    }
}

void OwnerDisabler::Restore(HWND modal)
{
    if (m_restored)
        return;
    m_restored = true;
    if (m_reenable && ::IsWindow(m_owner))
        ::EnableWindow(m_owner, TRUE);
    if (m_owner && ::IsWindow(m_owner) && modal && ::GetActiveWindow() == modal)
        ::SetActiveWindow(m_owner);
}

OwnerDisabler::~OwnerDisabler() { Restore(nullptr); }

bool RunModalLoop(const BOOL& running, HWND hwnd)
{
    while (running && ::IsWindow(hwnd)) {
        if (!AfxPumpMessage()) {
            ::PostQuitMessage(0);
            return false;
        }
    }
    return true;
}

void WakeModalLoop(HWND hwnd) { ::PostMessage(hwnd, WM_NULL, 0, 0); }

void RunModal(CWnd* wnd, UINT templateId, BOOL& continueModal, int& modalResult)
{
    if (continueModal) {
        wnd->ShowWindow(SW_SHOWNORMAL);
        if (AfxHasDialogHandler()) {
            DialogRequest request;
            request.dialog = wnd;
            request.templateId = templateId;
            wnd->GetWindowText(request.caption);
            const int answer = AfxCallDialogHandler(request);
            if (continueModal)
                EndModal(wnd, answer, continueModal, modalResult);
        } else if (!RunModalLoop(continueModal, wnd->m_hWnd)) {
            modalResult = -1;
        }
    }
    if (wnd->m_hWnd)
        wnd->SetWindowPos(nullptr, 0, 0, 0, 0,
                          SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
}

void EndModal(CWnd* wnd, int result, BOOL& continueModal, int& modalResult)
{
    modalResult = result;
    if (continueModal) {
        continueModal = FALSE;
        if (wnd->m_hWnd)
            WakeModalLoop(wnd->m_hWnd);
    }
    if (wnd->m_hWnd)
        wnd->ShowWindow(SW_HIDE);
}

HWND NotifyLockout() { return g_lockout; }

HWND SetNotifyLockout(HWND hwnd)
{
    HWND old = g_lockout;
    g_lockout = hwnd;
    return old;
}

} // namespace dlg

// ---------------------------------------------------------------- Win32 calls

void AfxGetDialogBaseUnits(HFONT font, int* cxChar, int* cyChar)
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    int cx = 4, cy = 8;
    if (HDC dc = ::CreateCompatibleDC(nullptr)) {
        HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
        SIZE size{};
        TEXTMETRIC tm{};
        if (::GetTextExtentPoint32(dc, kLetters, 52, &size) && ::GetTextMetrics(dc, &tm) && tm.tmHeight > 0) {
            cx = (size.cx / 26 + 1) / 2;
            cy = tm.tmHeight;
        }
        if (old)
            ::SelectObject(dc, old);
        ::DeleteDC(dc);
    }
    if (cxChar)
        *cxChar = cx;
    if (cyChar)
        *cyChar = cy;
}

BOOL MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    if (!lpRect || !::IsWindow(hDlg))
        return FALSE;
    int bx, by;
    if (DialogState* s = StateOf(hDlg); s && s->baseX > 0) {
        bx = s->baseX;
        by = s->baseY;
    } else {
        AfxGetDialogBaseUnits((HFONT)::SendMessage(hDlg, WM_GETFONT, 0, 0), &bx, &by);
    }
    lpRect->left = ::MulDiv(lpRect->left, bx, 4);
    lpRect->right = ::MulDiv(lpRect->right, bx, 4);
    lpRect->top = ::MulDiv(lpRect->top, by, 8);
    lpRect->bottom = ::MulDiv(lpRect->bottom, by, 8);
    return TRUE;
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult)
{
    if (CDialog* d = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hDlg))) {
        d->EndDialog((int)nResult);
        return TRUE;
    }
    if (!::IsWindow(hDlg))
        return FALSE;
    ::ShowWindow(hDlg, SW_HIDE);
    return TRUE;
}

BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        ::CheckDlgButton(hDlg, id, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg)
{
    if (!lpMsg || !::IsWindow(hDlg) || !IsInside(hDlg, lpMsg->hwnd))
        return FALSE;
    if (lpMsg->message != WM_KEYDOWN)
        return FALSE;
    const UINT code = (UINT)::SendMessage(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, (LPARAM)lpMsg);
    if (code & DLGC_WANTMESSAGE)
        return FALSE;
    switch (lpMsg->wParam) {
    case VK_TAB: {
        if (code & DLGC_WANTTAB)
            return FALSE;
        const bool back = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
        if (HWND next = dlg::NextTabItem(hDlg, ::GetFocus(), back))
            dlg::FocusControl(next);
        return TRUE;
    }
    case VK_RETURN: {
        HWND focus = ::GetFocus();
        if (focus && IsInside(hDlg, focus) && focus != hDlg && dlg::IsPushButton(focus)) {
            // To the button's own parent: a page's button notifies its page, not the sheet.
            if (::IsWindowEnabled(focus))
                ::SendMessage(::GetParent(focus), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(focus), BN_CLICKED),
                              (LPARAM)focus);
            return TRUE;
        }
        const DWORD def = (DWORD)::SendMessage(hDlg, DM_GETDEFID, 0, 0);
        ClickCommand(hDlg, HIWORD(def) == DC_HASDEFID ? (int)LOWORD(def) : IDOK);
        return TRUE;
    }
    case VK_ESCAPE:
        ClickCommand(hDlg, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------- CDialog

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
    if (lpszTemplateName && IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

const DialogTemplate* CDialog::ResolveTemplate() const
{
    if (!m_lpszTemplateName || !IS_INTRESOURCE(m_lpszTemplateName))
        return nullptr;
    return FindDialogTemplate((UINT)(UINT_PTR)m_lpszTemplateName);
}

BOOL CDialog::CreateFromTemplate(const DialogTemplate* tmpl, CWnd* pParentWnd, bool modal)
{
    const HWND parent = modal ? dlg::ModalOwner(pParentWnd) : pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    dlg::CreateOptions options;
    options.show = !modal;
    return dlg::CreateDialogWindow(this, *tmpl, parent, options);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (lpszTemplateName && IS_INTRESOURCE(lpszTemplateName) && !m_nIDHelp)
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    m_pParentWnd = pParentWnd;
    const DialogTemplate* tmpl = ResolveTemplate();
    if (!tmpl) {
        ReportMissingTemplate((UINT)(UINT_PTR)lpszTemplateName);
        return FALSE;
    }
    m_bContinueModal = FALSE;
    return CreateFromTemplate(tmpl, pParentWnd, false);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd); }

BOOL CDialog::CreateIndirect(const DialogTemplate* lpDialogTemplate, CWnd* pParentWnd)
{
    if (!lpDialogTemplate)
        return FALSE;
    m_pParentWnd = pParentWnd;
    m_bContinueModal = FALSE;
    return CreateFromTemplate(lpDialogTemplate, pParentWnd, false);
}

BOOL CDialog::InitModalIndirect(const DialogTemplate* lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

INT_PTR CDialog::DoModal()
{
    const DialogTemplate* tmpl = Template();
    if (!tmpl) {
        ReportMissingTemplate(m_nIDHelp);
        return -1;
    }
    dlg::OwnerDisabler owner(dlg::ModalOwner(m_pParentWnd));
    m_nModalResult = -1;
    m_bContinueModal = TRUE;
    if (CreateFromTemplate(tmpl, m_pParentWnd, true))
        dlg::RunModal(this, tmpl->id, m_bContinueModal, m_nModalResult);
    owner.Restore(m_hWnd);
    m_bContinueModal = FALSE;
    if (m_hWnd)
        DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    dlg::EndModal(this, nResult, m_bContinueModal, m_nModalResult);
}

DWORD CDialog::GetDefID() const { return (DWORD)::SendMessage(m_hWnd, DM_GETDEFID, 0, 0); }

void CDialog::SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl && pWndCtrl->m_hWnd)
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, TRUE);
}

void CDialog::NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }

void CDialog::PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }

void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

void CDialog::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

int CDialog::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id))
            return id;
    return 0;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    const HWND oldLockout = dlg::SetNotifyLockout(m_hWnd);
    BOOL ok = FALSE;
    try {
        DoDataExchange(&dx);
        ok = TRUE;
    } catch (CUserException* e) {
        // The user has been told; the failing control has the focus.
        e->Delete();
    } catch (...) {
        dlg::SetNotifyLockout(oldLockout);
        throw;
    }
    dlg::SetNotifyLockout(oldLockout);
    return ok;
}

void CDialog::DoDataExchange(CDataExchange*) {}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog()
{
    if (const DialogTemplate* tmpl = dlg::CreatingTemplate(m_hWnd)) {
        for (const DialogItemTemplate& item : tmpl->items) {
            if (!item.listItems)
                continue;
            HWND c = ::GetDlgItem(m_hWnd, item.id);
            const UINT add = !c                            ? 0
                             : dlg::IsClass(c, WC_COMBOBOX) ? CB_ADDSTRING
                             : dlg::IsClass(c, WC_LISTBOX)  ? LB_ADDSTRING
                                                           : 0;
            if (!add)
                continue;
            const char* p = item.listItems;
            for (;;) {
                const char* end = std::strchr(p, '\n');
                const std::string entry = end ? std::string(p, (size_t)(end - p)) : std::string(p);
                ::SendMessage(c, add, 0, (LPARAM)entry.c_str());
                if (!end)
                    break;
                p = end + 1;
            }
        }
    }
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::IsDialogMessage(m_hWnd, pMsg);
    return FALSE;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && m_hWnd && dlg::NotifyLockout() == m_hWnd)
        return TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_hWnd && dlg::NotifyLockout() == m_hWnd) {
        if (pResult)
            *pResult = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}
