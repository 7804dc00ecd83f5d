// The application state the window layer works with: the main window, the message
// loop with its pre-translation and idle time, and the module's instance handle.
// CWinApp (frames) derives from it, so the window, queue and dialog code reach the
// application only through this base and never depend on the frames above them.
// There is at most one: its constructor makes it the current one, its destructor
// clears that. Without one the window code still works: the queue pumps by itself
// and PreTranslateMessage walks from the target window up through its parents.
#pragma once

#include "platform/wnd/CCmdTarget.h"
#include "platform/wnd/Messages.h"

class CWnd;

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Destroying this window ends the message loop (CWnd::OnNcDestroy posts WM_QUIT).
    CWnd* m_pMainWnd = nullptr;

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

protected:
    int m_nExitCode = 0;
};

// The current application state; null when the process has none.
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
// The module handle the program's own resources are loaded by.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The current PreTranslateMessage, or the walk up the windows without an application.
BOOL AfxPreTranslateMessage(MSG* pMsg);
