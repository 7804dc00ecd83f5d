// A dialog laid out in code: controls are added one by one, and the template
// is built in memory when the dialog is shown, modal or modeless. The data
// logger's "Wait..." windows are made with it.
//
// Controls are of two sorts. A subclassed control goes into the template and
// is made by the dialog manager with the window. Every other control is made
// by the dialog itself on WM_CREATE (through its bound window object when it
// binds one) and put in place on WM_INITDIALOG.
//
// Bound data is a pointer whose kind follows from the control (see
// DoDataExchange): a CString for edits and statics, an int for check boxes,
// radio buttons, scroll bars and trackbars, a CTime for date-time pickers, the
// window object for every other kind. The dialog does not own bound data.
#pragma once

#include "platform/controls/CommCtrl.h"
#include "platform/dialogs/CDialog.h"
#include "platform/gdi/GdiObjects.h"

#include <memory>
#include <vector>

class CMemDialogItem : public CWnd {
public:
    // The control types by their window class; 0 is any other class.
    enum {
        kButton = 128, kEdit, kStatic, kListBox, kScrollBar, kComboBox, kUpDown, kProgress, kTrackbar, kHotKey,
        kListView, kTreeView, kTabControl, kAnimate, kRichEdit, kDateTimePicker, kMonthCalendar, kIPAddress,
        kComboBoxEx, kLastType = kComboBoxEx
    };
    // The class of a type code; null for codes outside 128..146.
    static const char* ClassOfType(int type);
    // The type code of a class name, matched with case; 0 for any other name.
    static int TypeOfClass(const char* className);

    int m_nType = 0;
    CString m_strClass;
    UINT m_nID = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    CRect m_Rect;   // dialog units
    CString m_strCaption;
    void* m_pData = nullptr;
    BOOL m_bSubclassed = FALSE;
};

class CMemDialog : public CDialog {
public:
    explicit CMemDialog(CWnd* pParent = nullptr);
    ~CMemDialog() override;

    virtual CWnd* GetParent() const { return m_pParent; }
    // Each add returns the control's identifier; an identifier of 0 is drawn
    // from a process-wide counter that starts at 1024. A null rectangle puts
    // the control on the next default row (12 dialog units below the last).
    virtual UINT AddDlgControl(LPCTSTR className, LPCTSTR caption, DWORD style, DWORD exStyle, const CRect* rect,
                               void* data, UINT id);
    // By type code (128..146); 0 and no control for another code.
    virtual UINT AddDlgControl(int type, LPCTSTR caption, DWORD style, DWORD exStyle, const CRect* rect, void* data,
                               UINT id);
    virtual UINT AddSubclassedDlgControl(LPCTSTR className, LPCTSTR caption, DWORD style, DWORD exStyle,
                                         const CRect* rect, UINT id);
    virtual void OnHelp();

    void SetWindowTitle(LPCTSTR title) { m_strCaption = title; }
    void SetUseSystemButtons(BOOL use) { m_bAddSystemButtons = use; }
    void SetUseModeless(BOOL modeless) { m_bModeless = modeless; }
    // A font the caller keeps; without one the dialog makes its own.
    void SetFont(CFont* font);

    CRect GetDlgRect() const { return m_DlgRect; }
    void SetDlgRect(const CRect& rect) { m_DlgRect = rect; }
    // Widens the dialog rectangle to hold `rect` with a margin of 5 units.
    void WidenDlgRect(const CRect& rect);

    // Modeless: creates the window and returns at once (TRUE when it was made).
    // Modal: runs the dialog and returns its result. -1 when the template
    // could not be built.
    INT_PTR DoModal() override;

    int GetItemCount() const { return (int)m_Items.size(); }
    const CMemDialogItem& GetItem(int i) const { return *m_Items[(size_t)i]; }
    // The template of the last DoModal (its item count and layout).
    const DialogTemplate& GetTemplate() const { return m_Template; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnHelpMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    UINT AddItem(int type, const CString& className, LPCTSTR caption, DWORD style, DWORD exStyle, const CRect* rect,
                 void* data, UINT id, BOOL subclassed, int defaultRight);
    void AddSystemButtons();
    BOOL BuildTemplate();

    CWnd* m_pParent;
    CString m_strCaption;
    CFont* m_pFont = nullptr;
    std::unique_ptr<CFont> m_pOwnFont;   // the font the dialog made itself
    WORD m_wPointSize = 0;               // 0: the font's height
    int m_nNextY = 10;
    BOOL m_bAddSystemButtons = TRUE;
    BOOL m_bModeless = FALSE;
    DWORD m_dwStyle = WS_VISIBLE | WS_CAPTION | DS_SETFONT;
    DWORD m_dwExStyle = WS_EX_DLGMODALFRAME;
    CRect m_DlgRect{0, 0, 0, 0};
    std::vector<std::unique_ptr<CMemDialogItem>> m_Items;

    // The template built by DoModal and what it points to.
    DialogTemplate m_Template{};
    std::vector<DialogItemTemplate> m_TemplateItems;
    CString m_strFace;
};
