// The application object. There is one per process: the program defines it
// statically and AfxWinMain starts it (InitInstance, Run, ExitInstance). Tests may
// construct one without running it. The message loop, idle time and main window are
// its base's (platform/wnd/CWinThread.h); this adds the name, profile, documents and
// resources of the program.
#pragma once

#include "platform/base/Collections.h"
#include "platform/base/CString.h"
#include "platform/wnd/CWinThread.h"

#include <string>
#include <vector>

class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CWnd;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

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

    // Documents: the process's document manager (platform/frames/CDocManager.h) does the work.
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

    // ---- start-up and the shell
    // The program's arguments (argv[0] is the program) as the command line.
    void SetCommandLine(int argc, char** argv);
    // Fills the record from the command line's words.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Carries out the record's shell command: FileNew makes a new document,
    // FileOpen opens the file (FALSE when that fails), FileNothing does nothing.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    // Accepts the shell's open requests. On this platform the shell hands a file
    // to open as an argument of the program: after start-up each such argument
    // arrives as a request "[open("path")]" through the event loop (OnDDECommand).
    void EnableShellOpen();
    BOOL IsShellOpenEnabled() const { return m_bShellOpen; }
    // The document types are registered with the desktop by the installation (a
    // desktop entry and a MIME type installed beside the program), not at run time.
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    // A shell request: "[open("path")]" opens the file as a document; TRUE when understood and done.
    virtual BOOL OnDDECommand(LPTSTR lpszCommand);
    // InitInstance, then (when it succeeded and shell open is enabled) the shell's
    // open requests for the files named on the command line are queued. The
    // program's start (AfxWinMain) runs this; FALSE when InitInstance fails.
    BOOL StartUp();
    // The recent-file list: the profile section "Recent File List" with at most
    // nMaxMRU entries "File1"...; the menu item ID_FILE_MRU_FILE1 shows them.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    const std::vector<CString>& GetRecentFiles() const { return m_recentFiles; }
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    afx_msg void OnOpenRecentFile(UINT nID);
    // File > Exit: the main window is asked to close, as its close box does.
    afx_msg void OnAppExit();

    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::string m_appName;
    std::string m_registryKey;
    std::string m_profileName;
    std::string m_exeName;
    std::string m_cmdLine;
    std::vector<CString> m_args;
    BOOL m_bShellOpen = FALSE;
    UINT m_nMaxMRU = 0;
    std::vector<CString> m_recentFiles;
    void SaveRecentFiles();
    friend int AfxWinMain(int argc, char** argv);
};

CWinApp* AfxGetApp();
LPCTSTR AfxGetAppName();

// The program's entry: makes the Qt application, starts the CWinApp object
// (InitInstance, then Run, or ExitInstance when InitInstance fails) and returns
// the process's exit code.
int AfxWinMain(int argc, char** argv);
