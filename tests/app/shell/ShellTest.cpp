// The running shell: start-up in its order, the main frame's bars and menus,
// files named on the command line opened as the shell's requests, New, Open and
// Close through the frame's commands with the save question answered, and the
// pointer's position in the status bar.
#include "app/KolvoApp.h"
#include "app/KolvoDoc.h"
#include "app/KolvoView.h"
#include "app/MainFrm.h"
#include "core/Settings.h"
#include "mapwindow/MUIMap.h"
#include "model/MapLayer.h"
#include "model/MapNode.h"
#include "platform/base/Clock.h"
#include "platform/base/Profile.h"
#include "platform/dialogs/CDialog.h"
#include "platform/frames/CDocManager.h"
#include "platform/frames/CDocTemplate.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/wnd/CMenu.h"
#include "platform/wnd/WndTestInput.h"
#include "resources/resource.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <string>
#include <vector>

namespace {

// A workspace with the layer "Points" holding one node at (2000, 900).
CString MakeWorkspace(const testsupport::TempFolder& folder, const char* name = "map.kwz")
{
    const CString path = folder.File(name);
    {
        CMUIMap writer;
        writer.GetMapModel()->AddLayer(new CMapLayer("Points"));
        EXPECT_TRUE(writer.SaveWorkspace(path));
    }
    CMUIMap filler;
    filler.LoadWorkspace(path);
    CMapModel* map = filler.GetMapModel();
    auto* node = new CMapNode;
    node->SetPosition(2000, 900);
    map->GetLayerAt(0)->AddObject(node, TRUE);
    map->RecalcExtent();
    EXPECT_TRUE(map->SaveMapDatabase());
    return path;
}

int OpenDocuments() { return AfxGetDocManager()->GetOpenDocumentCount(); }

CKolvoDoc* ActiveDocument(CMainFrame* frame)
{
    CFrameWnd* child = frame->GetActiveFrame();
    return child && child != frame ? dynamic_cast<CKolvoDoc*>(child->GetActiveDocument()) : nullptr;
}

// The names of a menu's top-level items, without their mnemonics.
std::vector<std::string> MenuBarItems(HMENU menu)
{
    std::vector<std::string> names;
    CMenu* m = CMenu::FromHandle(menu);
    for (UINT i = 0; m && i < m->GetMenuItemCount(); ++i) {
        CString text;
        m->GetMenuString(i, text, MF_BYPOSITION);
        text.Remove('&');
        names.emplace_back(text.GetString());
    }
    return names;
}

// Starts the application as the program does, the splash screen running its own
// timer on a fast clock; `atSplash` looks at the state while the splash shows.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { AfxSetTestClockScale(0.001); }

    void TearDown() override
    {
        if (m_app.m_pMainWnd && m_app.m_pMainWnd->GetSafeHwnd()) {
            ModalRecorder noSave({}, IDNO);
            m_app.CloseAllDocuments(TRUE);
            m_app.m_pMainWnd->DestroyWindow();
        }
        m_app.m_pMainWnd = nullptr;
        AfxDestroyDocManager();
        AfxSetTestClockScale(1.0);
    }

    CMainFrame* Start(std::vector<std::string> args = {}, std::function<void(CWnd&)> atSplash = {})
    {
        args.insert(args.begin(), "mapeditor");
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        m_app.SetCommandLine((int)argv.size(), argv.data());
        DialogAnswerer answers;
        answers.Then([&](CWnd& splash) {
            if (atSplash)
                atSplash(splash);
            // The splash closes itself on its timer: IDOK tells that it did.
            auto& dlg = dynamic_cast<CDialog&>(splash);
            const DWORD shown = GetTickCount();
            for (int i = 0; i < 200 && dlg.ContinueModal(); ++i)
                AfxTestRunFor(10);
            m_splashTicks = GetTickCount() - shown;
            return dlg.ContinueModal() ? IDCANCEL : IDOK;
        });
        EXPECT_TRUE(m_app.StartUp());
        m_splashes = answers.Dialogs();
        auto* frame = dynamic_cast<CMainFrame*>(m_app.m_pMainWnd);
        EXPECT_NE(frame, nullptr);
        return frame;
    }

    void Command(CWnd* frame, UINT id)
    {
        frame->SendMessage(WM_COMMAND, id, 0);
        AfxTestProcessEvents();
    }

    CKolvoApp m_app;
    std::vector<DialogAnswerer::Record> m_splashes;
    DWORD m_splashTicks = 0;
    testsupport::TempFolder m_folder{"kv_shell_"};
};

TEST_F(ShellTest, StartsInOrderWithProfilePreferencesSplashTemplateAndFrame)
{
    // A preference stored under the application's key is loaded before the splash shows.
    AfxSetProfileKey("Kolvo powered Applications", AfxGetAppTitle());
    AfxWriteProfileString("Settings", "Zoom Size", "3.25");
    AfxSetProfileKey("Another key", AfxGetAppTitle());
    bool checked = false;
    CMainFrame* frame = Start({}, [&](CWnd&) {
        checked = true;
        EXPECT_STREQ(m_app.m_pszRegistryKey, "Kolvo powered Applications");
        EXPECT_FLOAT_EQ(g_ZoomSize, 3.25f);
        EXPECT_EQ(AfxGetDocManager()->GetDocTemplateCount(), 0); // the template comes after the splash
        EXPECT_EQ(m_app.m_pMainWnd, nullptr);                     // and so does the frame
    });
    ASSERT_TRUE(checked);
    ASSERT_EQ(m_splashes.size(), 1u);
    EXPECT_EQ(m_splashes[0].templateId, (UINT)IDD_SPLASH);
    EXPECT_EQ(m_splashes[0].answer, IDOK) << "the splash closes itself as OK on its timer";
    EXPECT_GE(m_splashTicks, 3900u) << "after 4000 ms on the platform clock";
    ASSERT_NE(frame, nullptr);

    ASSERT_EQ(AfxGetDocManager()->GetDocTemplateCount(), 1);
    POSITION pos = m_app.GetFirstDocTemplatePosition();
    CDocTemplate* tmpl = m_app.GetNextDocTemplate(pos);
    CString ext, type;
    tmpl->GetDocString(ext, CDocTemplate::filterExt);
    tmpl->GetDocString(type, CDocTemplate::regFileTypeId);
    EXPECT_EQ(ext, ".kwz");
    EXPECT_EQ(type, "VeltrinTerravue.Document");

    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_TRUE(m_app.IsShellOpenEnabled());
    EXPECT_EQ(OpenDocuments(), 0) << "start-up opens no document";
    EXPECT_EQ(MenuBarItems(::GetMenu(frame->GetSafeHwnd())), (std::vector<std::string>{"File", "View", "Help"}));

    CStatusBar& status = frame->GetStatusBar();
    ASSERT_EQ(status.GetCount(), 5);
    EXPECT_EQ(status.GetItemID(1), (UINT)ID_INDICATOR_POSITION);
    EXPECT_EQ(status.GetPaneText(1), "Position:");
    EXPECT_EQ(frame->GetStandardBar().GetCount(), 10);
    EXPECT_EQ(frame->GetMainBar().GetCount(), 4);
    EXPECT_EQ(frame->GetToolBar().GetCount(), 11);
    EXPECT_EQ(frame->GetDrawingBar().GetCount(), 17);
    EXPECT_TRUE(frame->GetToolBar().GetButtonStyle(3) & TBBS_CHECKGROUP);
    EXPECT_FALSE(frame->GetToolBar().GetButtonStyle(4) & TBBS_CHECKGROUP);
    CString title;
    frame->GetMainBar().GetWindowText(title);
    EXPECT_EQ(title, "Main");
    ASSERT_NE(frame->GetInfoTool(), nullptr);
    EXPECT_TRUE(frame->GetInfoTool()->IsWindowVisible()) << "\"Show Info Tool\" is on by default";
    EXPECT_FALSE(frame->GetBrowseDataBar().IsVisible());
}

TEST_F(ShellTest, AFileOnTheCommandLineOpensAsAShellRequestOnceTheLoopRuns)
{
    const CString path = MakeWorkspace(m_folder);
    CMainFrame* frame = Start({path.GetString()});
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(OpenDocuments(), 0) << "the command-line parse itself opens nothing";
    AfxTestProcessEvents();
    ASSERT_EQ(OpenDocuments(), 1);
    CKolvoDoc* doc = ActiveDocument(frame);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(std::filesystem::path(doc->GetPathName().GetString()).filename(), "map.kwz");
    EXPECT_EQ(doc->GetMapModel()->GetLayerCount(), 1);
    EXPECT_EQ(MenuBarItems(::GetMenu(frame->GetSafeHwnd())).size(), 9u) << "the document's menu";
}

TEST_F(ShellTest, NewOpenAndCloseThroughTheFramesCommandsWithTheSaveQuestion)
{
    const CString path = MakeWorkspace(m_folder);
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);

    Command(frame, ID_FILE_NEW);
    EXPECT_EQ(OpenDocuments(), 1);

    {
        DialogAnswerer answers;
        answers.ThenFile(path);
        Command(frame, ID_FILE_OPEN);
    }
    ASSERT_EQ(OpenDocuments(), 2);
    CKolvoDoc* doc = ActiveDocument(frame);
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->GetMapModel()->GetLayerCount(), 1);
    doc->GetMapWnd()->SetModified(1);

    {
        ModalRecorder boxes({IDCANCEL});
        Command(frame, ID_FILE_CLOSE);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, "The map has changed. Do you want to save the changes?");
        EXPECT_EQ(boxes.Boxes()[0].caption, "map.kwz");
    }
    EXPECT_EQ(OpenDocuments(), 2) << "Cancel keeps the document open";

    {
        // No to the map, Yes to its one layer: the layer's file stays.
        ModalRecorder boxes({IDNO, IDYES});
        Command(frame, ID_FILE_CLOSE);
        ASSERT_EQ(boxes.Boxes().size(), 2u);
        EXPECT_EQ(boxes.Boxes()[1].text, "Do you want to save the layer?");
        EXPECT_EQ(boxes.Boxes()[1].caption, "Points.klz");
    }
    EXPECT_EQ(OpenDocuments(), 1);
    EXPECT_GT(std::filesystem::file_size(m_folder.File("Points.klz").GetString()), 0u);
}

TEST_F(ShellTest, ACancelledSaveAsKeepsTheMapChangedAndTheDocumentOpen)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    Command(frame, ID_FILE_NEW);
    CKolvoDoc* doc = ActiveDocument(frame);
    ASSERT_NE(doc, nullptr);
    doc->GetMapModel()->AddLayer(new CMapLayer("Roads"));
    doc->GetMapWnd()->SetModified(1);

    DialogAnswerer cancelSaveAs; // the Save As file dialog is cancelled
    ModalRecorder boxes({IDYES});
    Command(frame, ID_FILE_CLOSE);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "UnNamed Map");
    EXPECT_EQ(OpenDocuments(), 1);
    EXPECT_TRUE(doc->GetMapWnd()->IsModified()) << "nothing was saved, so the close question still protects it";
}

TEST_F(ShellTest, SaveOfANewMapAsksForAWorkspaceOnceAndLaterSavesGoThere)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    Command(frame, ID_FILE_NEW);
    CKolvoDoc* doc = ActiveDocument(frame);
    ASSERT_NE(doc, nullptr);
    doc->GetMapModel()->AddLayer(new CMapLayer("Roads"));
    doc->GetMapWnd()->SetModified(1);
    const CString path = m_folder.File("new.kwz");
    {
        DialogAnswerer answers;
        answers.ThenFile(path);
        Command(frame, ID_FILE_SAVE);
        EXPECT_EQ(answers.Dialogs().size(), 1u);
    }
    ASSERT_TRUE(std::filesystem::exists(path.GetString()));
    EXPECT_FALSE(doc->GetMapWnd()->IsModified());

    doc->GetMapWnd()->SetModified(1);
    DialogAnswerer noDialogExpected;
    Command(frame, ID_FILE_SAVE_AS); // Save As runs the same save: no second question
    EXPECT_TRUE(noDialogExpected.Dialogs().empty());
    EXPECT_FALSE(doc->GetMapWnd()->IsModified());
}

TEST_F(ShellTest, CtrlNMakesANewDocumentThroughTheAccelerators)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    AfxTestKey(frame->GetSafeHwnd(), VK_CONTROL, true, nullptr, MK_CONTROL);
    AfxTestKey(frame->GetSafeHwnd(), 'N', true, nullptr, MK_CONTROL);
    AfxTestKey(frame->GetSafeHwnd(), 'N', false, nullptr, MK_CONTROL);
    AfxTestKey(frame->GetSafeHwnd(), VK_CONTROL, false);
    AfxTestProcessEvents();
    EXPECT_EQ(OpenDocuments(), 1);
}

TEST_F(ShellTest, ThePointerPositionGoesToStatusPaneOneAtTheTextsWidth)
{
    const CString path = MakeWorkspace(m_folder);
    CMainFrame* frame = Start({path.GetString()});
    AfxTestProcessEvents();
    CKolvoDoc* doc = ActiveDocument(frame);
    ASSERT_NE(doc, nullptr);
    CMUIMap* map = doc->GetMapWnd();
    CStatusBar& status = frame->GetStatusBar();
    UINT id, style;
    int startWidth;
    status.GetPaneInfo(1, id, style, startWidth);

    AfxTestMouse(map->GetSafeHwnd(), WM_MOUSEMOVE, 20, 20);
    AfxTestProcessEvents();
    const CString text = map->GetStatusText();
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_EQ(status.GetPaneText(1), text);
    int width;
    status.GetPaneInfo(1, id, style, width);
    EXPECT_EQ(id, (UINT)ID_INDICATOR_POSITION);
    EXPECT_GT(width, startWidth) << "the pane widens to the coordinates";

    frame->SetStatusPaneText(1, "x");
    int narrow;
    status.GetPaneInfo(1, id, style, narrow);
    EXPECT_LT(narrow, width);
}

TEST_F(ShellTest, TheInfoToolListsAttributesHidesOnCloseAndToggles)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    CObjectInfoFrame* info = frame->GetInfoTool();
    ASSERT_NE(info, nullptr);
    info->AddLine("Name", "Aldmere");
    info->ShowObjectAttributes(nullptr);
    EXPECT_EQ(info->GetLineCount(), 0);
    for (int i = 0; i < 3; ++i)
        info->AddLine("Field", "Value");
    info->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_LE(info->GetFirstVisibleLine(), 3) << "paging stays within the lines";
    for (int i = 0; i < 5; ++i)
        info->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(info->GetFirstVisibleLine(), 3);

    info->SendMessage(WM_CLOSE);
    EXPECT_TRUE(info->GetSafeHwnd() != nullptr) << "closing hides, never destroys";
    EXPECT_FALSE(info->IsWindowVisible());
    Command(frame, ID_VIEW_INFO_TOOL);
    EXPECT_TRUE(info->IsWindowVisible());
    CRect mine, owner;
    info->GetWindowRect(&mine);
    frame->GetWindowRect(&owner);
    EXPECT_EQ(mine.right, owner.right - 30);
    EXPECT_EQ(mine.bottom, owner.bottom - 50);
}

} // namespace
