// A property page: a child dialog from a template, shown by its sheet when its tab
// is chosen. The sheet creates a page's window the first time the page becomes
// active; a page never shown has no window and takes no part in OK, Apply or
// Cancel.
//
// Notifications, in the class library's order:
// - becoming active: OnSetActive (after OnInitDialog the first time; later ones
//   load the controls again with UpdateData(FALSE));
// - leaving (another tab, OK, Apply): OnKillActive, which reads and validates the
//   controls (UpdateData(TRUE)); FALSE keeps the page;
// - OK and Apply: OnApply of every page that has a window, in page order; the
//   default OnApply calls OnOK and returns TRUE; FALSE makes that page active and
//   keeps the sheet open;
// - Cancel: OnReset of every page that has a window, which calls OnCancel.
// SetModified(TRUE) enables the sheet's Apply button until the next Apply.
#pragma once

#include "platform/dialogs/CDialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    // nIDCaption: the string-table text of the tab, else the template's caption.
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // Marks the page changed (or not); the sheet's Apply is enabled while a page is.
    void SetModified(BOOL bChanged = TRUE);

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    // A page's OK and Cancel end nothing: the sheet does.
    void OnOK() override;
    void OnCancel() override;

    // Keys go to the sheet's dialog handling.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CString m_strCaption; // the tab's text

protected:
    CPropertyPage(); // for dynamic creation; Construct names the template

private:
    void LoadCaption(UINT nIDCaption);

    CPropertySheet* m_pSheet = nullptr;
    BOOL m_bFirstSetActive = TRUE;
    BOOL m_bChanged = FALSE;

    friend class CPropertySheet;
};
