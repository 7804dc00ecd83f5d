// Dialogs. A dialog is a window of the dialog class "#32770" built from a
// template (platform/base/DialogTemplates.h): the dialog manager creates the window,
// gives it the template's font, creates the controls by class name at their
// places converted from dialog units, then sends WM_INITDIALOG.
//
// Dialog units convert to pixels from the template font's average character size
// (cxChar, cyChar): x * cxChar / 4, y * cyChar / 8.
//
// Keyboard (IsDialogMessage, from CDialog::PreTranslateMessage): Tab and
// Shift+Tab move between WS_TABSTOP controls (into WS_EX_CONTROLPARENT children
// such as property pages); Enter clicks the focused push button, else the default
// button (DM_GETDEFID), else IDOK; Escape sends IDCANCEL; a control that asks for
// the key through WM_GETDLGCODE keeps it. WM_CLOSE sends IDCANCEL.
//
// DoModal disables the owner, runs a message loop (AfxPumpMessage) until
// EndDialog, and returns the EndDialog result; WM_QUIT ends the loop with -1 and
// is posted again for the outer loop. With a dialog handler installed
// (platform/dialogs/DialogHook.h) the handler answers in place of the loop.
#pragma once

#include "platform/wnd/CWnd.h"
#include "platform/base/DialogTemplates.h"

#ifndef WM_NEXTDLGCTL
#define WM_NEXTDLGCTL 0x0028
#endif
#ifndef DM_GETDEFID
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DC_HASDEFID 0x534B
#endif
#define WC_DIALOG "#32770"

class CDataExchange;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // A template name is MAKEINTRESOURCE(id) (there are no templates by name).
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless creation; the window shows when the template has WS_VISIBLE.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(const DialogTemplate* lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Makes DoModal use a template built at run time.
    BOOL InitModalIndirect(const DialogTemplate* lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // IDOK, IDCANCEL or the EndDialog result; -1 when the dialog cannot be created.
    virtual INT_PTR DoModal();
    // Ends a modal dialog with nResult; a modeless dialog is hidden.
    void EndDialog(int nResult);
    // TRUE while a modal dialog runs and EndDialog has not been called.
    BOOL ContinueModal() const { return m_bContinueModal; }

    // MAKELONG(id, DC_HASDEFID), or 0 without a default button.
    DWORD GetDefID() const;
    void SetDefID(UINT nID);
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void MapDialogRect(LPRECT lpRect) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    // The first checked button of the range, 0 when none is.
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);

    // Runs DoDataExchange; FALSE when a validation failed (the user was told and
    // the failing control has the focus). Control notifications to this dialog
    // are not dispatched while it runs.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Adds the template's list items, then UpdateData(FALSE). TRUE: the dialog
    // manager focuses the first tab stop.
    virtual BOOL OnInitDialog();
    // UpdateData(TRUE), then EndDialog(IDOK); a failed validation keeps the dialog open.
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Control notifications are dropped while UpdateData runs.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    LPCTSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    const DialogTemplate* m_lpDialogTemplate = nullptr; // set by InitModalIndirect
    CWnd* m_pParentWnd = nullptr;

protected:
    CDialog(); // for classes that build their template at run time
    virtual void DoDataExchange(CDataExchange* pDX);

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    int m_nModalResult = -1;

    DECLARE_MESSAGE_MAP()

private:
    const DialogTemplate* ResolveTemplate() const;
    // The template the window is made from when shown modally or as a page: the
    // one given to InitModalIndirect, else the named one.
    const DialogTemplate* Template() const { return m_lpDialogTemplate ? m_lpDialogTemplate : ResolveTemplate(); }
    BOOL CreateFromTemplate(const DialogTemplate* tmpl, CWnd* pParentWnd, bool modal);

    BOOL m_bContinueModal = FALSE;

    friend class CPropertySheet;
};

// The dialog manager's keyboard handling for hDlg; FALSE for messages it leaves to
// the caller (which then translates and dispatches them).
BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg);
BOOL EndDialog(HWND hDlg, INT_PTR nResult);
BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);
// The average character width and the height of `font` (the dialog base units).
void AfxGetDialogBaseUnits(HFONT font, int* cxChar, int* cyChar);
BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
