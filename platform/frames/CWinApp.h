// The application object. There is one per process: the program defines it
// statically and AfxWinMain starts it (InitInstance, Run, ExitInstance). Tests may
// construct one without running it; without any, the window code still works and
// PreTranslateMessage walks from the target window up through its parents.
#pragma once

#include "platform/wnd/CCmdTarget.h"
#include "platform/base/Collections.h"
#include "platform/base/CString.h"
#include "platform/wnd/Messages.h"

#include <string>

class CDocTemplate;
class CDocument;
class CWnd;

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    CWnd* m_pMainWnd = nullptr;
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    virtual BOOL InitInstance();
    // The message loop; returns ExitInstance's result once WM_QUIT arrives.
    virtual int Run();
    // Returns the exit code (the WM_QUIT code after Run).
    virtual int ExitInstance();
    // From the target window up to the main window, then the main window for
    // messages of windows it does not contain (modeless dialogs).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Waits for one message and handles it; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Called while the loop is idle with 0, 1, ... until it returns FALSE; count 0
    // sends WM_IDLEUPDATECMDUI to the visible main window and its descendants.
    virtual BOOL OnIdle(LONG lCount);
    virtual CWnd* GetMainWnd();

    // The profile lives under `key`, in a file named after the application.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);

    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new[]; the caller deletes it.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // Documents: the process's document manager (platform/CDocManager.h) does the work.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();

    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;

protected:
    int m_nExitCode = 0;

    DECLARE_MESSAGE_MAP()

private:
    std::string m_appName;
    std::string m_registryKey;
    std::string m_profileName;
    std::string m_exeName;
    std::string m_cmdLine;
    friend int AfxWinMain(int argc, char** argv);
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The application's PreTranslateMessage, or the walk up the windows without an application.
BOOL AfxPreTranslateMessage(MSG* pMsg);

// The program's entry: makes the Qt application, starts the CWinApp object
// (InitInstance, then Run, or ExitInstance when InitInstance fails) and returns
// the process's exit code.
int AfxWinMain(int argc, char** argv);
