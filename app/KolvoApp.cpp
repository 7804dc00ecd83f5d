// Start-up and the application's commands (KolvoApp.h). The command line is
// parsed but opens nothing itself: files named on it arrive as the shell's open
// requests once the message loop runs.
#include "app/KolvoApp.h"

#include "app/AboutDlg.h"
#include "app/ChildFrm.h"
#include "app/DialogHooks.h"
#include "app/KolvoDoc.h"
#include "app/KolvoView.h"
#include "app/MainFrm.h"
#include "app/SplashDlg.h"
#include "core/Utilities.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "mapwindow/InfoToolFrame.h"
#include "mapwindow/LayerChooserDlg.h"
#include "platform/controls/CommCtrl.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/frames/CCommandLineInfo.h"
#include "platform/frames/CDocTemplate.h"
#include "platform/wnd/DropFiles.h"
#include "resources/resource.h"

#include <cstdio>
#include <sys/stat.h>

BEGIN_MESSAGE_MAP(CKolvoApp, CMUIApp)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CKolvoApp::CKolvoApp() = default;

CKolvoApp* GetKolvoApp() { return dynamic_cast<CKolvoApp*>(AfxGetApp()); }

BOOL CKolvoApp::InitInstance()
{
    InitCommonControls();
    CWinApp::InitInstance();
    // The control container and the 3-D controls need nothing on this platform.

    SetRegistryKey("Kolvo powered Applications");
    LoadStdProfileSettings(4);
    LoadSettings();
    CInfoToolFrame::SetFontProvider([]() -> CFont* { return g_InfoWindowFont; });
    CLayerChooserDlg::SetFontProvider([]() -> CFont* { return g_DialogWindowFont; });
    InstallDialogHooks();

    CSplashDlg splash;
    splash.DoModal();

    AddDocTemplate(new CMultiDocTemplate(IDR_KOLVOTYPE, RUNTIME_CLASS(CKolvoDoc), RUNTIME_CLASS(CChildFrame),
                                         RUNTIME_CLASS(CKolvoView)));
    // The owner-drawn menus and their icons come with the drawn frame classes.

    auto* frame = new CMainFrame;
    // A frame whose creation fails destroys (and so deletes) itself.
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        return FALSE;
    m_pMainWnd = frame;

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    cmdInfo.m_nShellCommand = CCommandLineInfo::FileNothing;
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    EnableShellOpen();
    RegisterShellFileTypes(FALSE);
    ::DragAcceptFiles(frame->GetSafeHwnd(), TRUE);
    frame->ShowWindow(m_nCmdShow);
    frame->UpdateWindow();
    return TRUE;
}

void CKolvoApp::OnFileOpen()
{
    CString ext, filter;
    ext.LoadString(IDS_WORKSPACE_EXTENSION);
    filter.LoadString(IDS_WORKSPACE_FILTER);
    CFileDialog dlg(TRUE, ext, "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT, filter);
    if (dlg.DoModal() != IDOK)
        return;
    const CString path = dlg.GetPathName();
    struct stat st{};
    if (::stat(path, &st) == 0) {
        OpenDocumentFile(path);
        return;
    }
    // A new name makes an empty workspace file of that name.
    if (FILE* f = std::fopen(path, "wb")) {
        std::fclose(f);
        OpenDocumentFile(path);
    } else {
        MessageBoxFromId(IDS_CANNOT_CREATE_MAP);
    }
}

void CKolvoApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}
