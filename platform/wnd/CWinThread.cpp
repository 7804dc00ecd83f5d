// The application state's message loop, idle time and main window (CWinThread.h).
#include "platform/wnd/CWinThread.h"

#include "platform/wnd/CWnd.h"
#include "platform/wnd/WndInternal.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTimer>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

CWinThread* g_thread = nullptr;
HINSTANCE const g_instance = reinterpret_cast<HINSTANCE>(0x400000);

} // namespace

CWinThread::CWinThread() { g_thread = this; }

CWinThread::~CWinThread()
{
    if (g_thread == this)
        g_thread = nullptr;
}

BOOL CWinThread::InitInstance() { return TRUE; }

int CWinThread::ExitInstance() { return m_nExitCode; }

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

BOOL CWinThread::PumpMessage()
{
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0)) {
        m_nExitCode = (int)msg.wParam;
        return FALSE;
    }
    if (!PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* mainWnd = GetMainWnd();
    if (CWnd::WalkPreTranslateTree(mainWnd ? mainWnd->GetSafeHwnd() : nullptr, pMsg))
        return TRUE;
    if (mainWnd && mainWnd->GetSafeHwnd() && pMsg->hwnd) {
        CWnd* target = CWnd::FromHandle(pMsg->hwnd);
        if (target && target->GetTopLevelParent() != mainWnd)
            return mainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* mainWnd = GetMainWnd();
        if (mainWnd && mainWnd->GetSafeHwnd() && mainWnd->IsWindowVisible()) {
            mainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
            if (mainWnd->GetSafeHwnd())
                mainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    return FALSE;
}

int CWinThread::Run()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return ExitInstance();
    // Idle time is when the loop is about to wait: OnIdle runs with growing counts
    // until it has nothing more to do, and starts again after the next message.
    LONG idleCount = 0;
    bool idleDone = false;
    QTimer more;
    more.setSingleShot(true);
    more.setInterval(0);
    auto idle = [this, &idleCount, &idleDone, &more]() {
        if (wnd::TakeMessageSinceIdle()) {
            idleCount = 0;
            idleDone = false;
        }
        if (idleDone || more.isActive())
            return;
        if (OnIdle(idleCount++))
            more.start();
        else
            idleDone = true;
    };
    QObject::connect(&more, &QTimer::timeout, idle);
    QMetaObject::Connection connection;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, idle);
    m_nExitCode = QApplication::exec();
    QObject::disconnect(connection);
    return ExitInstance();
}

// ---------------------------------------------------------------- globals

CWinThread* AfxGetThread() { return g_thread; }

CWnd* AfxGetMainWnd() { return g_thread ? g_thread->GetMainWnd() : nullptr; }

HINSTANCE AfxGetInstanceHandle() { return g_instance; }
HINSTANCE AfxGetResourceHandle() { return g_instance; }

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (g_thread)
        return g_thread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}
