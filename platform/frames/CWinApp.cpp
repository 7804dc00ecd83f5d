// CWinApp and AfxWinMain (CWinApp.h): the application's name, profile key, documents and resources,
// and the program's start.
#include "platform/frames/CWinApp.h"

#include "platform/frames/CCommandLineInfo.h"
#include "platform/frames/CDocManager.h"
#include "platform/frames/FrameIds.h"

#include "platform/wnd/CMenu.h"
#include "platform/wnd/CWnd.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Profile.h"
#include "platform/base/ResourceStrings.h"

#include <QApplication>
#include <QFileInfo>
#include <QMetaObject>

#include <algorithm>

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
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, OnOpenRecentFile)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
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

// ---------------------------------------------------------------- start-up and the shell

void CWinApp::SetCommandLine(int argc, char** argv)
{
    m_cmdLine.clear();
    m_args.clear();
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            m_cmdLine += ' ';
        const std::string arg = argv[i];
        m_cmdLine += arg.find(' ') != std::string::npos ? "\"" + arg + "\"" : arg;
        m_args.emplace_back(argv[i]);
    }
    m_lpCmdLine = m_cmdLine.data();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (size_t i = 0; i < m_args.size(); ++i) {
        const CString& arg = m_args[i];
        const BOOL flag = arg.GetLength() > 1 && arg[0] == '-';
        rCmdInfo.ParseParam(flag ? arg.GetString() + 1 : arg.GetString(), flag, i + 1 == m_args.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        // Through the command, so that the program's own New runs.
        if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr))
            OnFileNew();
        return TRUE;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}

void CWinApp::EnableShellOpen() { m_bShellOpen = TRUE; }

void CWinApp::RegisterShellFileTypes(BOOL) {}

BOOL CWinApp::OnDDECommand(LPTSTR lpszCommand)
{
    const std::string command = lpszCommand ? lpszCommand : "";
    const std::string prefix = "[open(\"", suffix = "\")]";
    if (command.size() < prefix.size() + suffix.size() || command.compare(0, prefix.size(), prefix) != 0 ||
        command.compare(command.size() - suffix.size(), suffix.size(), suffix) != 0)
        return FALSE;
    const std::string path = command.substr(prefix.size(), command.size() - prefix.size() - suffix.size());
    return OpenDocumentFile(path.c_str()) != nullptr;
}

BOOL CWinApp::StartUp()
{
    if (!InitInstance())
        return FALSE;
    if (m_bShellOpen) {
        for (const CString& arg : m_args) {
            if (arg.IsEmpty() || arg[0] == '-')
                continue;
            // The request arrives once the loop runs, as the shell's message would.
            std::string request = "[open(\"" + std::string(arg.GetString()) + "\")]";
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [request]() mutable {
                    if (CWinApp* app = AfxGetApp())
                        app->OnDDECommand(request.data());
                },
                Qt::QueuedConnection);
        }
    }
    return TRUE;
}

// ---------------------------------------------------------------- recent files

namespace {
const char kRecentSection[] = "Recent File List";
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_nMaxMRU = std::min<UINT>(nMaxMRU, ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1);
    m_recentFiles.clear();
    for (UINT i = 1; i <= m_nMaxMRU; ++i) {
        CString key;
        key.Format("File%u", i);
        const CString path = GetProfileString(kRecentSection, key, "");
        if (!path.IsEmpty())
            m_recentFiles.push_back(path);
    }
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (!m_nMaxMRU || !lpszPathName || !*lpszPathName)
        return;
    const CString path(lpszPathName);
    std::erase(m_recentFiles, path);
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (m_recentFiles.size() > m_nMaxMRU)
        m_recentFiles.resize(m_nMaxMRU);
    SaveRecentFiles();
}

void CWinApp::SaveRecentFiles()
{
    for (UINT i = 1; i <= m_nMaxMRU; ++i) {
        CString key;
        key.Format("File%u", i);
        WriteProfileString(kRecentSection, key, i <= m_recentFiles.size() ? m_recentFiles[i - 1].GetString() : "");
    }
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    CMenu* menu = pCmdUI->m_pMenu;
    if (!menu) {
        // Asked whether the command may run (the first entry shares the
        // placeholder's id): it may while there is a first entry.
        pCmdUI->Enable(!m_recentFiles.empty());
        return;
    }
    if (m_recentFiles.empty()) {
        pCmdUI->Enable(FALSE);
        return;
    }
    // The one placeholder item becomes one item per file.
    for (UINT id = ID_FILE_MRU_FIRST; id <= ID_FILE_MRU_LAST; ++id)
        menu->DeleteMenu(id, MF_BYCOMMAND);
    for (size_t i = 0; i < m_recentFiles.size(); ++i) {
        CString text;
        text.Format("&%d %s", (int)i + 1, QFileInfo(QString::fromUtf8(m_recentFiles[i].GetString()))
                                              .fileName().toUtf8().constData());
        menu->InsertMenu(pCmdUI->m_nIndex + (UINT)i, MF_BYPOSITION | MF_STRING, ID_FILE_MRU_FIRST + (UINT)i, text);
    }
    pCmdUI->m_nIndex += (UINT)m_recentFiles.size() - 1;
    pCmdUI->m_nIndexMax = menu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

void CWinApp::OnOpenRecentFile(UINT nID)
{
    const size_t index = nID - ID_FILE_MRU_FIRST;
    if (index >= m_recentFiles.size())
        return;
    const CString path = m_recentFiles[index];
    if (!OpenDocumentFile(path)) {
        std::erase(m_recentFiles, path);
        SaveRecentFiles();
    }
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        m_pMainWnd->SendMessage(WM_CLOSE);
}

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

    app->SetCommandLine(argc, argv);
    app->m_exeName = argc > 0 ? QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName().toStdString() : "";
    app->m_pszExeName = app->m_exeName.c_str();
    if (!app->m_pszAppName) {
        const char* title = FindResourceString(kAppTitleString);
        app->m_appName = title ? title : app->m_exeName;
        app->m_pszAppName = app->m_appName.c_str();
    }
    AfxSetAppTitle(app->m_pszAppName);
    QCoreApplication::setApplicationName(QString::fromUtf8(app->m_pszAppName));

    int result;
    if (!app->StartUp()) {
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
