// CWinApp and AfxWinMain (CWinApp.h): the application's name, profile key, documents and resources,
// and the program's start.
#include "platform/frames/CWinApp.h"

#include "platform/frames/CDocManager.h"
#include "platform/frames/FrameIds.h"

#include "platform/wnd/CWnd.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Profile.h"
#include "platform/base/ResourceStrings.h"

#include <QApplication>
#include <QFileInfo>

#include <clocale>
#include <cstring>
#include <memory>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_app = nullptr;
// The application's title string in the class library's resources.
constexpr UINT kAppTitleString = 0xE000;

} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    if (lpszAppName) {
        m_appName = lpszAppName;
        m_pszAppName = m_appName.c_str();
    }
    m_hInstance = AfxGetInstanceHandle();
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
END_MESSAGE_MAP()

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) { AfxGetDocManager()->AddDocTemplate(pTemplate); }

POSITION CWinApp::GetFirstDocTemplatePosition() const { return AfxGetDocManager()->GetFirstDocTemplatePosition(); }

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return AfxGetDocManager()->GetNextDocTemplate(pos);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) { return AfxGetDocManager()->OpenDocumentFile(lpszFileName); }

BOOL CWinApp::SaveAllModified() { return AfxGetDocManager()->SaveAllModified(); }

void CWinApp::CloseAllDocuments(BOOL bEndSession) { AfxGetDocManager()->CloseAllDocuments(bEndSession); }

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    return AfxGetDocManager()->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

void CWinApp::OnFileNew() { AfxGetDocManager()->OnFileNew(); }

void CWinApp::OnFileOpen() { AfxGetDocManager()->OnFileOpen(); }

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_registryKey = lpszRegistryKey ? lpszRegistryKey : "";
    m_pszRegistryKey = m_registryKey.c_str();
    m_profileName = m_pszAppName ? m_pszAppName : AfxGetAppTitle().GetString();
    m_pszProfileName = m_profileName.c_str();
    AfxSetProfileKey(m_pszRegistryKey, m_pszProfileName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key.GetString());
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    return AfxGetProfileInt(lpszSection, lpszEntry, nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    return AfxWriteProfileInt(lpszSection, lpszEntry, nValue);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    return AfxGetProfileString(lpszSection, lpszEntry, lpszDefault);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    return AfxWriteProfileString(lpszSection, lpszEntry, lpszValue);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (!ppData || !pBytes)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    std::vector<BYTE> data;
    if (!AfxGetProfileBinary(lpszSection, lpszEntry, data))
        return FALSE;
    *ppData = new BYTE[data.size() ? data.size() : 1];
    if (!data.empty())
        std::memcpy(*ppData, data.data(), data.size());
    *pBytes = (UINT)data.size();
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    return AfxWriteProfileBinary(lpszSection, lpszEntry, pData, nBytes);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}
HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursor(AfxGetResourceHandle(), lpszResourceName);
}
HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(nullptr, lpszCursorName); }
HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}
HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const { return ::LoadIcon(AfxGetResourceHandle(), lpszResourceName); }
HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(nullptr, lpszIconName); }

// ---------------------------------------------------------------- globals

CWinApp* AfxGetApp() { return g_app; }

LPCTSTR AfxGetAppName() { return g_app ? g_app->m_pszAppName : nullptr; }

int AfxWinMain(int argc, char** argv)
{
    std::unique_ptr<QApplication> qtApp;
    if (!QCoreApplication::instance())
        qtApp = std::make_unique<QApplication>(argc, argv);
    // Windows close by WM_CLOSE and the loop ends by WM_QUIT, not by Qt's rules.
    QApplication::setQuitOnLastWindowClosed(false);
    std::setlocale(LC_NUMERIC, "C");
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;

    app->m_exeName = argc > 0 ? QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName().toStdString() : "";
    app->m_pszExeName = app->m_exeName.c_str();
    if (!app->m_pszAppName) {
        const char* title = FindResourceString(kAppTitleString);
        app->m_appName = title ? title : app->m_exeName;
        app->m_pszAppName = app->m_appName.c_str();
    }
    AfxSetAppTitle(app->m_pszAppName);
    QCoreApplication::setApplicationName(QString::fromUtf8(app->m_pszAppName));
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            app->m_cmdLine += ' ';
        const std::string arg = argv[i];
        app->m_cmdLine += arg.find(' ') != std::string::npos ? "\"" + arg + "\"" : arg;
    }
    app->m_lpCmdLine = app->m_cmdLine.data();

    int result;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->GetSafeHwnd())
            app->m_pMainWnd->DestroyWindow();
        result = app->ExitInstance();
    } else {
        result = app->Run();
    }
    // Windows still open when the loop has ended go with the process.
    for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetTopWindow(nullptr))
        if (!::DestroyWindow(h))
            break;
    AfxDestroyDocManager();
    return result;
}
