// A property sheet: a dialog window with a tab control, one tab per page, the
// active page's window over the tab control's display area, and the buttons OK,
// Cancel and Apply (Apply is left out with PSH_NOAPPLYNOW; it is enabled while a
// page is marked modified). The window is as large as the largest page.
//
// OK: the active page's OnKillActive must succeed, then every page that has a
// window gets OnApply in page order; then the sheet ends with IDOK. Apply does the
// same and stays open with Apply disabled. Cancel (also Escape and the close box)
// gives every page with a window OnReset and ends with IDCANCEL. Enter presses OK.
// Changing tabs asks the active page's OnKillActive first, then creates the new
// page if needed and calls its OnSetActive.
//
// DoModal goes through the dialog hook (platform/dialogs/DialogHook.h) as CDialog::DoModal
// does; a handler presses buttons by sending WM_COMMAND with IDOK, IDCANCEL or
// ID_APPLY_NOW, or changes pages with SetActivePage.
#pragma once

#include "platform/dialogs/CPropertyPage.h"

#include <vector>

class CTabCtrl;

#define PSH_DEFAULT 0x00000000
#define PSH_PROPSHEETPAGE 0x00000008
#define PSH_NOAPPLYNOW 0x00000080

#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW 0x3021
#endif
#ifndef AFX_IDC_TAB_CONTROL
#define AFX_IDC_TAB_CONTROL 0x3020
#endif

struct PROPSHEETHEADER {
    DWORD dwSize;
    DWORD dwFlags;       // PSH_*
    HWND hwndParent;
    LPCTSTR pszCaption;
    UINT nPages;
    UINT nStartPage;
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // Pages are not owned; a page added to an open sheet gets its tab at once.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return (int)m_pages.size(); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // Before the window exists: the page to start with. Afterwards: a change of tab
    // (FALSE when the active page refuses to be left or the page cannot be created).
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    // The caption, now or when the window is made.
    void SetTitle(LPCTSTR lpszText);
    void SetTitle(UINT nIDText);
    // The tab control; null while the sheet has no window.
    CTabCtrl* GetTabControl() const;

    // IDOK or IDCANCEL (or the EndDialog result); -1 when the sheet cannot be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nEndID);
    BOOL ContinueModal() const { return m_bContinueModal; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    PROPSHEETHEADER m_psh{};

protected:
    CWnd* m_pParentWnd = nullptr;
    CString m_strCaption;
    int m_nModalResult = -1;

private:
    BOOL CreateSheetWindow(HWND owner);
    BOOL CreatePage(CPropertyPage* page);
    BOOL ActivatePage(int index, bool askActive);
    void PlacePage(CPropertyPage* page);
    void InsertTab(int index, CPropertyPage* page);
    BOOL ApplyAll();
    void PressOk();
    void PressCancel();
    void PressApply();
    void UpdateApplyButton();

    std::vector<CPropertyPage*> m_pages;
    int m_nActive = -1;
    HWND m_hTab = nullptr;
    mutable CTabCtrl* m_pTab = nullptr;
    RECT m_pageRect{};     // the pages' place in the sheet's client area
    BOOL m_bContinueModal = FALSE;

    friend class CPropertyPage;
};
