// CPropertySheet (CPropertySheet.h): the tab control, page windows made on first activation, and
// OK, Cancel and Apply in the class library's order.
#include "platform/dialogs/CPropertySheet.h"

#include "platform/controls/CTabCtrl.h"
#include "platform/controls/CommCtrl.h"
#include "platform/dialogs/DialogHook.h"
#include "platform/dialogs/DialogInternal.h"

#include <algorithm>

namespace {

constexpr DWORD kSheetStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;
// A page is a child of the sheet: its template's frame styles do not apply.
constexpr DWORD kPageFrameStyles = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME |
                                   WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME | DS_CENTER | WS_VISIBLE |
                                   WS_DISABLED;

HWND CreateButton(HWND sheet, int id, const char* text, DWORD style, const RECT& r, HFONT font)
{
    HWND b = ::CreateWindowEx(0, WC_BUTTON, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, sheet, (HMENU)(UINT_PTR)(UINT)id, nullptr,
                              nullptr);
    if (b)
        ::SendMessage(b, WM_SETFONT, (WPARAM)font, FALSE);
    return b;
}

} // namespace

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet() { m_psh.dwSize = sizeof(PROPSHEETHEADER); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd)
        DestroyWindow();
    for (CPropertyPage* page : m_pages)
        page->m_pSheet = nullptr;
    delete m_pTab;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CString caption;
    caption.LoadString(nIDCaption);
    Construct(caption.GetString(), pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh.dwSize = sizeof(PROPSHEETHEADER);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_strCaption = pszCaption;
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

// ---------------------------------------------------------------- pages

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage || GetPageIndex(pPage) >= 0)
        return;
    if (pPage->m_pSheet)
        pPage->m_pSheet->RemovePage(pPage);
    pPage->m_pSheet = this;
    m_pages.push_back(pPage);
    m_psh.nPages = (UINT)m_pages.size();
    if (m_hWnd)
        InsertTab((int)m_pages.size() - 1, pPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    CPropertyPage* page = m_pages[(size_t)nPage];
    if (m_hWnd && nPage == m_nActive && GetPageCount() > 1)
        ActivatePage(nPage == 0 ? 1 : nPage - 1, false);
    m_pages.erase(m_pages.begin() + nPage);
    m_psh.nPages = (UINT)m_pages.size();
    if (m_nActive > nPage)
        --m_nActive;
    else if (m_nActive == nPage)
        m_nActive = -1;
    if (m_hTab)
        ::SendMessage(m_hTab, TCM_DELETEITEM, (WPARAM)nPage, 0);
    if (page->m_hWnd)
        page->DestroyWindow();
    page->m_pSheet = nullptr;
    UpdateApplyButton();
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[(size_t)nPage] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    return it == m_pages.end() ? -1 : (int)(it - m_pages.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return m_hWnd ? GetPage(m_nActive) : GetPage((int)m_psh.nStartPage);
}

int CPropertySheet::GetActiveIndex() const { return m_hWnd ? m_nActive : (int)m_psh.nStartPage; }

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (!m_hWnd) {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return ActivatePage(nPage, true);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    const int index = GetPageIndex(pPage);
    return index >= 0 && SetActivePage(index);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText)
{
    m_strCaption = lpszText;
    m_psh.pszCaption = m_strCaption.GetString();
    if (m_hWnd)
        SetWindowText(m_strCaption);
}

void CPropertySheet::SetTitle(UINT nIDText)
{
    CString text;
    text.LoadString(nIDText);
    SetTitle(text.GetString());
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    if (!m_hTab || !::IsWindow(m_hTab))
        return nullptr;
    if (!m_pTab)
        m_pTab = new CTabCtrl;
    if (!m_pTab->m_hWnd && !m_pTab->SubclassWindow(m_hTab))
        return nullptr;
    return m_pTab;
}

void CPropertySheet::InsertTab(int index, CPropertyPage* page)
{
    if (!m_hTab)
        return;
    std::string text = page->m_strCaption.str();
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    ::SendMessage(m_hTab, TCM_INSERTITEM, (WPARAM)index, (LPARAM)&item);
}

BOOL CPropertySheet::CreatePage(CPropertyPage* page)
{
    const DialogTemplate* tmpl = page->Template();
    if (!tmpl)
        return FALSE;
    page->m_bFirstSetActive = TRUE;
    page->m_bChanged = FALSE;
    page->m_pParentWnd = this;
    dlg::CreateOptions options;
    options.removeStyle = kPageFrameStyles;
    options.addStyle = WS_CHILD | DS_CONTROL;
    options.addExStyle = WS_EX_CONTROLPARENT;
    options.show = false;
    if (!dlg::CreateDialogWindow(page, *tmpl, m_hWnd, options))
        return FALSE;
    PlacePage(page);
    return TRUE;
}

void CPropertySheet::PlacePage(CPropertyPage* page)
{
    // Above the tab control, first in the tab order.
    ::SetWindowPos(page->m_hWnd, HWND_TOP, m_pageRect.left, m_pageRect.top, m_pageRect.right - m_pageRect.left,
                   m_pageRect.bottom - m_pageRect.top, SWP_NOACTIVATE);
}

BOOL CPropertySheet::ActivatePage(int index, bool askActive)
{
    CPropertyPage* page = GetPage(index);
    if (!page)
        return FALSE;
    CPropertyPage* current = GetPage(m_nActive);
    if (current == page)
        return TRUE;
    if (askActive && current && current->m_hWnd && !current->OnKillActive())
        return FALSE;
    if (!page->m_hWnd && !CreatePage(page))
        return FALSE;
    if (!page->OnSetActive()) {
        if (m_hTab)
            ::SendMessage(m_hTab, TCM_SETCURSEL, (WPARAM)m_nActive, 0);
        return FALSE;
    }
    m_nActive = index;
    if (m_hTab)
        ::SendMessage(m_hTab, TCM_SETCURSEL, (WPARAM)index, 0);
    HWND focus = ::GetFocus();
    const bool focusOnOldPage =
        current && current->m_hWnd && focus && (focus == current->m_hWnd || ::IsChild(current->m_hWnd, focus));
    page->ShowWindow(SW_SHOW);
    if (current && current->m_hWnd)
        current->ShowWindow(SW_HIDE);
    // A tab clicked keeps the focus on the tabs; otherwise the new page's first control takes it.
    if (!current || focusOnOldPage)
        if (HWND first = dlg::NextTabItem(page->m_hWnd, nullptr, false))
            dlg::FocusControl(first);
    return TRUE;
}

// ---------------------------------------------------------------- the window

BOOL CPropertySheet::CreateSheetWindow(HWND owner)
{
    const DialogTemplate sheet = {0, m_strCaption.GetString(), 0, 0, 0, 0, kSheetStyle,
                                  WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, "MS Sans Serif", 8, {}};
    dlg::CreateOptions options;
    options.show = false;
    if (!dlg::CreateDialogWindow(this, sheet, owner, options))
        return FALSE;
    HFONT font = (HFONT)SendMessage(WM_GETFONT);

    // The largest page decides the size of the display area.
    LONG pageW = 0, pageH = 0;
    for (CPropertyPage* page : m_pages)
        if (const DialogTemplate* t = page->Template()) {
            const SIZE s = dlg::TemplateSizeInPixels(*t);
            pageW = std::max(pageW, s.cx);
            pageH = std::max(pageH, s.cy);
        }
    RECT margin{0, 0, 7, 7};
    RECT button{0, 0, 50, 14};
    RECT gap{0, 0, 4, 4};
    MapDialogRect(m_hWnd, &margin);
    MapDialogRect(m_hWnd, &button);
    MapDialogRect(m_hWnd, &gap);

    m_hTab = ::CreateWindowEx(0, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0,
                              0, 0, m_hWnd, (HMENU)(UINT_PTR)AFX_IDC_TAB_CONTROL, nullptr, nullptr);
    if (!m_hTab) {
        DestroyWindow();
        return FALSE;
    }
    ::SendMessage(m_hTab, WM_SETFONT, (WPARAM)font, FALSE);
    for (size_t i = 0; i < m_pages.size(); ++i)
        InsertTab((int)i, m_pages[i]);
    RECT tab{0, 0, pageW, pageH};
    ::SendMessage(m_hTab, TCM_ADJUSTRECT, TRUE, (LPARAM)&tab);
    const LONG tabW = tab.right - tab.left, tabH = tab.bottom - tab.top;
    ::SetWindowPos(m_hTab, nullptr, margin.right, margin.bottom, tabW, tabH, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pageRect = RECT{margin.right - tab.left, margin.bottom - tab.top, margin.right - tab.left + pageW,
                      margin.bottom - tab.top + pageH};

    // OK, Cancel and Apply at the bottom right, under the tab control.
    const bool apply = !(m_psh.dwFlags & PSH_NOAPPLYNOW);
    const int count = apply ? 3 : 2;
    const LONG bw = button.right, bh = button.bottom;
    const LONG rowW = count * bw + (count - 1) * gap.right;
    const LONG clientW = std::max(margin.right + tabW, rowW + margin.right) + margin.right;
    const LONG top = margin.bottom + tabH + margin.bottom;
    LONG left = clientW - margin.right - rowW;
    const struct {
        int id;
        const char* text;
        DWORD style;
    } buttons[] = {{IDOK, "OK", BS_DEFPUSHBUTTON}, {IDCANCEL, "Cancel", 0}, {ID_APPLY_NOW, "&Apply", WS_DISABLED}};
    for (int i = 0; i < count; ++i, left += bw + gap.right)
        if (!CreateButton(m_hWnd, buttons[i].id, buttons[i].text, buttons[i].style,
                          RECT{left, top, left + bw, top + bh}, font)) {
            DestroyWindow();
            return FALSE;
        }
    ::SendMessage(m_hWnd, DM_SETDEFID, IDOK, 0);

    RECT rc{0, 0, clientW, top + bh + margin.bottom};
    ::AdjustWindowRectEx(&rc, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow(owner ? CWnd::FromHandle(owner) : nullptr);

    m_nActive = -1;
    if (!m_pages.empty()) {
        const int start = m_psh.nStartPage < m_pages.size() ? (int)m_psh.nStartPage : 0;
        if (!ActivatePage(start, false)) {
            DestroyWindow();
            return FALSE;
        }
    }
    UpdateApplyButton();
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    const HWND ownerWnd = dlg::ModalOwner(m_pParentWnd);
    dlg::OwnerDisabler owner(ownerWnd);
    m_nModalResult = -1;
    m_bContinueModal = TRUE;
    // Sheets have no template of their own: the handler sees id 0.
    if (CreateSheetWindow(ownerWnd))
        dlg::RunModal(this, 0, m_bContinueModal, m_nModalResult);
    owner.Restore(m_hWnd);
    m_bContinueModal = FALSE;
    if (m_hWnd)
        DestroyWindow();
    m_hTab = nullptr;
    if (m_pTab && m_pTab->m_hWnd)
        m_pTab->UnsubclassWindow();
    m_psh.nStartPage = m_nActive >= 0 ? (UINT)m_nActive : m_psh.nStartPage;
    m_nActive = -1;
    return m_nModalResult;
}

void CPropertySheet::EndDialog(int nEndID)
{
    dlg::EndModal(this, nEndID, m_bContinueModal, m_nModalResult);
}

// ---------------------------------------------------------------- buttons

BOOL CPropertySheet::ApplyAll()
{
    CPropertyPage* active = GetPage(m_nActive);
    if (active && active->m_hWnd && !active->OnKillActive())
        return FALSE;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = m_pages[(size_t)i];
        if (!page->m_hWnd)
            continue;
        if (!page->OnApply()) {
            ActivatePage(i, false);
            return FALSE;
        }
    }
    for (CPropertyPage* page : m_pages)
        page->m_bChanged = FALSE;
    UpdateApplyButton();
    return TRUE;
}

void CPropertySheet::PressOk()
{
    if (ApplyAll())
        EndDialog(IDOK);
}

void CPropertySheet::PressApply()
{
    ApplyAll();
}

void CPropertySheet::PressCancel()
{
    for (CPropertyPage* page : m_pages)
        if (page->m_hWnd)
            page->OnReset();
    EndDialog(IDCANCEL);
}

void CPropertySheet::UpdateApplyButton()
{
    if (!m_hWnd)
        return;
    HWND apply = ::GetDlgItem(m_hWnd, ID_APPLY_NOW);
    if (!apply)
        return;
    const bool changed = std::any_of(m_pages.begin(), m_pages.end(), [](CPropertyPage* p) { return p->m_bChanged; });
    ::EnableWindow(apply, changed);
}

// ---------------------------------------------------------------- messages

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::IsDialogMessage(m_hWnd, pMsg);
    return FALSE;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    switch (LOWORD(wParam)) {
    case IDOK: PressOk(); return TRUE;
    case IDCANCEL: PressCancel(); return TRUE;
    case ID_APPLY_NOW: PressApply(); return TRUE;
    default: return FALSE;
    }
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
    if (nm && m_hTab && nm->hwndFrom == m_hTab) {
        if (nm->code == TCN_SELCHANGING) {
            CPropertyPage* active = GetPage(m_nActive);
            const bool refuse = active && active->m_hWnd && !active->OnKillActive();
            if (pResult)
                *pResult = refuse ? TRUE : FALSE;
            return TRUE;
        }
        if (nm->code == TCN_SELCHANGE) {
            const int index = (int)::SendMessage(m_hTab, TCM_GETCURSEL, 0, 0);
            ActivatePage(index, false);
            if (pResult)
                *pResult = 0;
            return TRUE;
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}
