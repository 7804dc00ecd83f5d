// The running shell: start-up in its order, the main frame's bars and menus,
// files named on the command line opened as the shell's requests, New, Open and
// Close through the frame's commands with the save question answered, the
// pointer's position in the status bar, the edit keys and menus, the help
// documents beside the program, and the first view of an opened map.
#include "app/KolvoApp.h"
#include "app/KolvoDoc.h"
#include "app/KolvoView.h"
#include "app/HelpDocuments.h"
#include "app/MainFrm.h"
#include "core/SQLiteDatabase.h"
#include "core/Settings.h"
#include "dialogs/PrefSheet.h"
#include "dialogs/TextPropertiesDlg.h"
#include "dialogs/controls/UiColorMessages.h"
#include "model/objects/MapText.h"
#include "gps/dialogs/GpsDataDlg.h"
#include "gps/dialogs/ViewDataImportDlg.h"
#include "gps/recording/GpsRecordingJournal.h"
#include "mapwindow/MUIMap.h"
#include "mapwindow/MapTool.h"
#include "model/layers/MapLayer.h"
#include "model/objects/MapNode.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "platform/controls/CListCtrl.h"
#include "platform/base/Clock.h"
#include "platform/base/Profile.h"
#include "platform/dialogs/CDialog.h"
#include "platform/frames/CDocManager.h"
#include "platform/frames/CDocTemplate.h"
#include "platform/frames/Shell.h"
#include "platform/testing/CmdUIProbe.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/testing/ShellRecorder.h"
#include "platform/wnd/CMenu.h"
#include "platform/wnd/WndTestInput.h"
#include "resources/resource.h"
#include "platform/controls/CComboBox.h"
#include "tests/app/shell/AppTestSupport.h"
#include "tests/gps/support/LoggerPeer.h"
#include "tests/model/layers/LayerFileMaps.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <map>
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

// A workspace like the sample map: a wide lake polygon below a layer of places.
CString MakeSampleLikeWorkspace(const testsupport::TempFolder& folder)
{
    const CString path = folder.File("sample.kwz");
    {
        CMUIMap writer;
        for (const char* name : {"Water", "Places"})
            writer.GetMapModel()->AddLayer(new CMapLayer(name));
        EXPECT_TRUE(writer.SaveWorkspace(path));
    }
    CMUIMap filler;
    filler.LoadWorkspace(path);
    CMapModel* map = filler.GetMapModel();
    auto* lake = new CMapPolygon;
    for (const CFloatPoint& p : {CFloatPoint(0, 0), CFloatPoint(3000, 200), CFloatPoint(2800, 1400), CFloatPoint(200, 1200)})
        lake->AddPoint(p);
    map->GetLayerAt(0)->AddObject(lake, TRUE);
    delete lake; // the layer keeps the row
    for (const CFloatPoint& p : {CFloatPoint(500, 300), CFloatPoint(2500, 1100)}) {
        auto* node = new CMapNode;
        node->SetPosition(p.x, p.y);
        map->GetLayerAt(1)->AddObject(node, TRUE);
    }
    map->RecalcExtent();
    EXPECT_TRUE(map->SaveMapDatabase());
    // Stored as by a map that was never shown: without a view, so that the
    // first showing fits the map.
    map->GetDatabase()->Execute("update _MapProperty set dZoom=-1 where ROWID=1;");
    return path;
}

// A key pressed and released while `modifier` (VK_CONTROL or VK_SHIFT, or 0) is held.
void Chord(HWND hwnd, UINT modifier, UINT vk)
{
    const UINT flags = modifier == VK_CONTROL ? MK_CONTROL : modifier == VK_SHIFT ? MK_SHIFT : 0;
    if (modifier)
        AfxTestKey(hwnd, modifier, true, nullptr, flags);
    AfxTestKey(hwnd, vk, true, nullptr, flags);
    AfxTestKey(hwnd, vk, false, nullptr, flags);
    if (modifier)
        AfxTestKey(hwnd, modifier, false);
    AfxTestProcessEvents();
}

using apptest::ActiveDocument;
using apptest::PopupStates;

// Stores the view (offsets and zoom) a workspace opens with.
void StoreView(const CString& path, const char* view)
{
    CSQLiteDatabase db;
    ASSERT_EQ(db.OpenExisting(path), SQLITE_OK);
    db.ExecuteChecked(CString("update _MapProperty set ") + view + " where ROWID=1;");
}

// Whether a pixel within `radius` of `at` differs from the window colour.
bool DrawnNear(CMUIMap* map, CPoint at, int radius)
{
    bool drawn = false;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            drawn = drawn || map->GetSurfacePixel(at.x + dx, at.y + dy) != GetSysColor(COLOR_WINDOW);
    return drawn;
}

int OpenDocuments() { return AfxGetDocManager()->GetOpenDocumentCount(); }

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
class ShellTest : public apptest::AppTest {
protected:
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

    // Starts with `path` on the command line; its document once the loop has opened it.
    CKolvoDoc* StartWith(const CString& path)
    {
        CMainFrame* frame = Start({path.GetString()});
        AfxTestProcessEvents();
        return frame ? ActiveDocument(frame) : nullptr;
    }
    // Starts with a main frame of 640 x 440 pixels and opens `path` through
    // File > Open; the opened document.
    CKolvoDoc* OpenInSizedFrame(const CString& path)
    {
        CMainFrame* frame = Start();
        if (!frame)
            return nullptr;
        frame->MoveWindow(0, 0, 640, 440);
        AfxTestProcessEvents();
        DialogAnswerer answers;
        answers.ThenFile(path);
        Command(frame, ID_FILE_OPEN);
        return ActiveDocument(frame);
    }
    CMainFrame* Frame() { return dynamic_cast<CMainFrame*>(m_app.m_pMainWnd); }

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

    // A workspace opened from a document comes up in a new document of its own.
    CKolvoDoc* first = ActiveDocument(frame);
    ASSERT_NE(first, nullptr);
    {
        DialogAnswerer answers;
        answers.ThenFile(path);
        first->OnCmdMsg(ID_OPEN_WORKSPACE_NEW, CN_COMMAND, nullptr, nullptr);
        AfxTestProcessEvents();
    }
    ASSERT_EQ(OpenDocuments(), 2);
    CKolvoDoc* opened = ActiveDocument(frame);
    ASSERT_NE(opened, nullptr);
    EXPECT_NE(opened, first);
    EXPECT_EQ(opened->GetMapModel()->GetLayerCount(), 1);
    EXPECT_EQ(opened->GetTitle(), CString("map"));
    EXPECT_EQ(first->GetWorkspacePath(), path);
    EXPECT_EQ(first->GetMapModel()->GetLayerCount(), 0);
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

TEST_F(ShellTest, OpenWithANameThatDoesNotExistAsksBeforeMakingTheEmptyWorkspace)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    const CString path = m_folder.File("new.kwz");
    {
        DialogAnswerer answers;
        answers.ThenFile(path);
        ModalRecorder boxes({IDNO});
        Command(frame, ID_FILE_OPEN);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_GE(boxes.Boxes()[0].text.Find("does not exist"), 0) << boxes.Boxes()[0].text.GetString();
    }
    EXPECT_FALSE(std::filesystem::exists(path.GetString())) << "No makes no file";
    EXPECT_EQ(OpenDocuments(), 0);

    {
        DialogAnswerer answers;
        answers.ThenFile(path);
        ModalRecorder boxes({IDYES});
        Command(frame, ID_FILE_OPEN);
        EXPECT_EQ(boxes.Boxes().size(), 1u);
    }
    ASSERT_TRUE(std::filesystem::exists(path.GetString()));
    EXPECT_EQ(std::filesystem::file_size(path.GetString()), 0u);
    EXPECT_EQ(OpenDocuments(), 1);
}

TEST_F(ShellTest, CtrlNMakesANewDocumentThroughTheAccelerators)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    Chord(frame->GetSafeHwnd(), VK_CONTROL, 'N');
    EXPECT_EQ(OpenDocuments(), 1);
}

TEST_F(ShellTest, ThePointerPositionGoesToStatusPaneOneAtTheTextsWidth)
{
    CKolvoDoc* doc = StartWith(MakeWorkspace(m_folder));
    ASSERT_NE(doc, nullptr);
    CMainFrame* frame = Frame();
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

TEST_F(ShellTest, TheEditKeysAndMenusReachTheDocumentThroughTheFrame)
{
    CKolvoDoc* doc = StartWith(MakeSampleLikeWorkspace(m_folder));
    ASSERT_NE(doc, nullptr);
    CMainFrame* frame = Frame();
    CMUIMap* map = doc->GetMapWnd();
    // The places are edited: their layer is the active one.
    doc->GetMapModel()->GetLayerAt(0)->SetEditable(0);
    CMapLayer* points = doc->GetMapModel()->GetLayerAt(1);
    points->SetEditable(1);
    map->SetTool(TOOL_SELECT);
    HWND keys = map->GetSafeHwnd();

    using S = std::map<UINT, bool>;
    EXPECT_EQ(PopupStates(frame, 1), (S{{ID_EDIT_UNDO, false}, {ID_EDIT_REDO, false}, {ID_EDIT_COPY, false},
                                        {ID_EDIT_PASTE, false}, {ID_EDIT_CUT, false}}));
    const CPoint node = CFloatPoint(2500, 1100).ToDevice(map->GetXOffset(), map->GetYOffset(), map->GetZoom(),
                                                        map->GetViewHeight());
    AfxTestMouse(keys, WM_LBUTTONDOWN, node.x, node.y, MK_LBUTTON);
    AfxTestMouse(keys, WM_LBUTTONUP, node.x, node.y);
    AfxTestProcessEvents();
    ASSERT_EQ(map->GetSelectionCount(), 1);

    Chord(keys, VK_CONTROL, 'C');
    EXPECT_TRUE(map->CanPaste());
    Chord(keys, VK_CONTROL, 'V');
    EXPECT_EQ(points->GetObjectCount(), 3);
    Chord(keys, VK_SHIFT, VK_INSERT);
    EXPECT_EQ(points->GetObjectCount(), 4);
    EXPECT_EQ(PopupStates(frame, 1), (S{{ID_EDIT_UNDO, true}, {ID_EDIT_REDO, false}, {ID_EDIT_COPY, true},
                                        {ID_EDIT_PASTE, true}, {ID_EDIT_CUT, true}}));
    Chord(keys, VK_CONTROL, 'X');
    EXPECT_EQ(points->GetObjectCount(), 3);
    Chord(keys, VK_CONTROL, 'V');
    Chord(keys, VK_SHIFT, VK_DELETE); // Cut
    EXPECT_EQ(points->GetObjectCount(), 3);
    EXPECT_EQ(map->GetSelectionCount(), 0);

    // Delete alone is no accelerator: the Select tool takes it and, asked, removes the selection.
    Chord(keys, VK_CONTROL, 'V');
    ASSERT_EQ(map->GetSelectionCount(), 1);
    {
        ModalRecorder whole({IDYES});
        Chord(keys, 0, VK_DELETE);
        ASSERT_EQ(whole.Boxes().size(), 1u);
        EXPECT_EQ(whole.Boxes()[0].text, "Do you want to delete the entire object?");
    }
    EXPECT_EQ(points->GetObjectCount(), 3);
    EXPECT_EQ(map->GetSelectionCount(), 0);

    // The Object menu's Clone and Delete.
    Chord(keys, VK_CONTROL, 'V');
    Command(frame, ID_OBJECT_CLONE);
    EXPECT_EQ(points->GetObjectCount(), 5);
    Command(frame, ID_OBJECT_DELETE);
    EXPECT_EQ(points->GetObjectCount(), 4);
    Chord(keys, VK_CONTROL, 'Z');
    EXPECT_EQ(points->GetObjectCount(), 5) << "Undo brings the deleted clone back";

    // The editing tools of the Drawing menu: picked through the document, only with an active layer.
    for (auto [id, tool] : {std::pair{ID_DRAW_JOIN_POLYLINE, TOOL_JOIN_POLYLINE},
                            std::pair{ID_DRAW_SPLIT_POLYGON, TOOL_SPLIT_POLYGON},
                            std::pair{ID_DRAW_DELETE_LINE, TOOL_DELETE_LINE}}) {
        Command(frame, id);
        EXPECT_EQ(map->GetTool(), tool);
        const CmdUIProbe ui = CmdUIProbe::Update(*frame, id);
        EXPECT_TRUE(ui.enabled);
        EXPECT_TRUE(ui.checked);
    }
    points->SetVisible(0);
    EXPECT_FALSE(CmdUIProbe::Update(*frame, ID_DRAW_JOIN_POLYLINE).enabled) << "no visible editable layer";

    // Browse Data shows and hides the bar for this map; the update checks it while shown.
    Command(frame, ID_BROWSE_DATA);
    EXPECT_TRUE(frame->GetBrowseDataBar().IsVisible());
    EXPECT_TRUE(CmdUIProbe::Update(*frame, ID_BROWSE_DATA).checked);
    Command(frame, ID_BROWSE_DATA);
    EXPECT_FALSE(frame->GetBrowseDataBar().IsVisible());
    EXPECT_FALSE(CmdUIProbe::Update(*frame, ID_BROWSE_DATA).checked);
}

// The manuals beside this test program; the files made here are removed again.
class HelpFolder {
public:
    HelpFolder()
    {
        char program[4096];
        EXPECT_GT(GetModuleFileName(nullptr, program, sizeof program), 0u);
        m_folder = std::filesystem::path(program).parent_path() / "Help";
        Clean();
    }
    ~HelpFolder() { Clean(); }
    CString Put(const char* name)
    {
        std::filesystem::create_directories(m_folder);
        std::ofstream((m_folder / name).string()) << "%PDF-1.4";
        return Path(name);
    }
    CString Path(const char* name) const { return (m_folder / name).string().c_str(); }

private:
    void Clean()
    {
        std::error_code error;
        for (const char* name : {kGermanManual, kEnglishManual})
            std::filesystem::remove(m_folder / name, error);
        std::filesystem::remove(m_folder, error); // only when empty
    }
    std::filesystem::path m_folder;
};

TEST_F(ShellTest, HelpOpensTheManualsBesideTheProgramAndTellsWhenOneIsMissing)
{
    HelpFolder help;
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    {
        // F1 without the document: the user is told which file is missing.
        ShellRecorder shell;
        ModalRecorder boxes;
        Chord(frame->GetSafeHwnd(), 0, VK_F1);
        EXPECT_TRUE(shell.Requests().empty());
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text,
                  "The help document \"" + help.Path(kGermanManual) + "\" was not found.");
    }
    {
        const CString german = help.Put(kGermanManual);
        ShellRecorder shell;
        ModalRecorder boxes;
        Chord(frame->GetSafeHwnd(), 0, VK_F1);
        ASSERT_EQ(shell.Requests().size(), 1u);
        EXPECT_EQ(shell.Requests()[0].file, german);
        EXPECT_EQ(shell.Requests()[0].verb, "open");
        EXPECT_EQ(shell.Requests()[0].show, SW_SHOWMINIMIZED);
        EXPECT_TRUE(boxes.Boxes().empty());
    }
    {
        // Help Topics is the view's: it needs a document. No program takes the PDF here.
        Command(frame, ID_FILE_NEW);
        const CString english = help.Put(kEnglishManual);
        ShellRecorder shell(FALSE);
        ModalRecorder boxes;
        Command(frame, ID_HELP_FINDER);
        ASSERT_EQ(shell.Requests().size(), 1u);
        EXPECT_EQ(shell.Requests()[0].file, english);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, "The help document \"" + english +
                                             "\" could not be opened: no program to show it was found.");
    }
}

TEST_F(ShellTest, AnOpenedMapShowsItsWholeExtentInTheChildFramesFinalSize)
{
    CKolvoDoc* doc = OpenInSizedFrame(MakeSampleLikeWorkspace(m_folder));
    ASSERT_NE(doc, nullptr);
    CMUIMap* map = doc->GetMapWnd();
    CRect client;
    map->GetClientRect(&client);
    ASSERT_FALSE(client.IsRectEmpty());
    EXPECT_EQ(map->GetViewHeight(), client.Height()) << "the map was drawn at the window's size";

    CDoubleRect extent = doc->GetMapModel()->GetExtent();
    extent.Normalize();
    ASSERT_GT(extent.Width(), 0);
    for (const double x : {extent.left, extent.right})
        for (const double y : {extent.top, extent.bottom}) {
            const CPoint p = CFloatPoint(x, y).ToDevice(map->GetXOffset(), map->GetYOffset(), map->GetZoom(),
                                                        map->GetViewHeight());
            EXPECT_TRUE(p.x >= 0 && p.x <= client.right && p.y >= 0 && p.y <= client.bottom)
                << "corner (" << x << ", " << y << ") at pixel (" << p.x << ", " << p.y << ") of " << client.right
                << " x " << client.bottom;
        }
    // The lake's top corner, at the top of the extent, is drawn inside the window.
    const CPoint top = CFloatPoint(2800, 1400).ToDevice(map->GetXOffset(), map->GetYOffset(), map->GetZoom(),
                                                        map->GetViewHeight());
    EXPECT_TRUE(DrawnNear(map, top, 1));
}

TEST_F(ShellTest, AnOpenedMapShowsTheViewItsWorkspaceStored)
{
    const CString path = MakeWorkspace(m_folder);
    ASSERT_NO_FATAL_FAILURE(StoreView(path, "dXOff=1500, dYOff=700, dZoom=2.5"));
    CKolvoDoc* doc = OpenInSizedFrame(path);
    ASSERT_NE(doc, nullptr);
    CMUIMap* map = doc->GetMapWnd();
    EXPECT_EQ(map->GetXOffset(), 1500);
    EXPECT_EQ(map->GetYOffset(), 700);
    EXPECT_EQ(map->GetZoom(), 2.5);
    // The node at (2000, 900) is drawn where that view puts it.
    CRect client;
    map->GetClientRect(&client);
    ASSERT_EQ(map->GetViewHeight(), client.Height());
    const CPoint at = CFloatPoint(2000, 900).ToDevice(1500, 700, 2.5, map->GetViewHeight());
    EXPECT_EQ(at, CPoint(200, client.Height() - 80));
    EXPECT_TRUE(DrawnNear(map, at, 3));
}

// A map with an extent to fit: its stored view, not a fit of that extent to the
// window (which put a reopened map a few pixels aside), also after the frame is
// resized.
TEST_F(ShellTest, AnOpenedMapWithAnExtentKeepsItsStoredViewInsteadOfAFit)
{
    const CString path = MakeSampleLikeWorkspace(m_folder);
    ASSERT_NO_FATAL_FAILURE(StoreView(path, "dXOff=-120.25, dYOff=-80.5, dZoom=6.125"));
    CKolvoDoc* doc = OpenInSizedFrame(path);
    ASSERT_NE(doc, nullptr);
    CMUIMap* map = doc->GetMapWnd();
    Frame()->MoveWindow(0, 0, 700, 500);
    AfxTestProcessEvents();
    EXPECT_EQ(map->GetXOffset(), -120.25);
    EXPECT_EQ(map->GetYOffset(), -80.5);
    EXPECT_EQ(map->GetZoom(), 6.125);
}

} // namespace

namespace {

// The user's way to a text of their own words: the Text tool from the menu, a
// click on the map, Object Properties from the menu, the words typed into Text
// Properties and OK, Save; the reopened workspace shows them.
TEST_F(ShellTest, APlacedTextGetsItsOwnWordsThroughObjectPropertiesAndKeepsThemAfterSave)
{
    const CString path = MakeWorkspace(m_folder);
    CKolvoDoc* doc = StartWith(path);
    ASSERT_NE(doc, nullptr);
    CMainFrame* frame = Frame();
    CMUIMap* map = doc->GetMapWnd();
    EXPECT_FALSE(CmdUIProbe::Update(*frame, ID_OBJECT_PROPERTIES).enabled); // nothing selected

    Command(frame, ID_DRAW_TEXT);
    AfxTestMouse(map->GetSafeHwnd(), WM_LBUTTONDOWN, 120, 120, MK_LBUTTON);
    AfxTestMouse(map->GetSafeHwnd(), WM_LBUTTONUP, 120, 120, 0);
    AfxTestProcessEvents();
    auto* text = dynamic_cast<CMapText*>(map->GetSelectedObject());
    ASSERT_NE(text, nullptr);
    ASSERT_STREQ(text->GetText(), "Text");
    const int id = text->GetMapeID();
    ASSERT_TRUE(CmdUIProbe::Update(*frame, ID_OBJECT_PROPERTIES).enabled);

    {
        DialogAnswerer answers;
        answers.Then([](CWnd& w) {
            auto& dlg = dynamic_cast<CTextPropertiesDlg&>(w);
            CString shown;
            dlg.GetDlgItem(IDC_TEXTPROP_TEXT)->GetWindowText(shown);
            EXPECT_STREQ(shown, "Text");
            dlg.GetDlgItem(IDC_TEXTPROP_TEXT)->SetWindowText("Old Mill");
            return DialogAnswerer::Press(dlg, IDOK);
        });
        Command(frame, ID_OBJECT_PROPERTIES);
        ASSERT_EQ(answers.Dialogs().size(), 1u);
        EXPECT_STREQ(answers.Dialogs()[0].caption, "Text Properties");
    }
    EXPECT_TRUE(map->IsModified());
    {
        ModalRecorder boxes({}, IDYES);
        Command(frame, ID_FILE_SAVE);
    }
    {
        ModalRecorder boxes({}, IDNO);
        Command(frame, ID_FILE_CLOSE);
    }
    ASSERT_EQ(OpenDocuments(), 0);

    CMUIMap reopened;
    reopened.LoadWorkspace(path);
    ASSERT_EQ(reopened.GetMapModel()->GetLayerCount(), 1);
    auto* stored = dynamic_cast<CMapText*>(reopened.GetMapModel()->GetLayerAt(0)->LoadObject(id, FALSE));
    ASSERT_NE(stored, nullptr);
    EXPECT_STREQ(stored->GetText(), "Old Mill");
}

// Preferences from the menu: the New Object page's symbol colour is the colour
// of the next node the Node tool places.
TEST_F(ShellTest, PreferencesFromTheMenuGiveTheNextNodeItsColour)
{
    const CString path = MakeWorkspace(m_folder);
    CKolvoDoc* doc = StartWith(path);
    ASSERT_NE(doc, nullptr);
    CMainFrame* frame = Frame();
    const int savedColor = g_NewObjectSymbolColor;
    {
        DialogAnswerer answers;
        answers.Then([](CWnd& w) {
            auto& sheet = dynamic_cast<CPrefSheet&>(w);
            EXPECT_TRUE(sheet.SetActivePage(2));
            CWnd& page = *sheet.GetActivePage();
            auto* button = dynamic_cast<CUiDropColorButton*>(
                CWnd::FromHandlePermanent(page.GetDlgItem(IDC_PREF_SYMBOL_COLOR)->m_hWnd));
            EXPECT_NE(button, nullptr);
            if (button)
                button->SetColor(RGB(0, 170, 90));
            page.SendMessage(WM_UI_COLORSELECTED, (WPARAM)RGB(0, 170, 90), IDC_PREF_SYMBOL_COLOR);
            return DialogAnswerer::Press(sheet, IDOK);
        });
        Command(frame, ID_PREFERENCES);
        ASSERT_EQ(answers.Dialogs().size(), 1u);
        EXPECT_STREQ(answers.Dialogs()[0].caption, "Preferences...");
    }
    EXPECT_EQ(g_NewObjectSymbolColor, (int)RGB(0, 170, 90));

    CMUIMap* map = doc->GetMapWnd();
    Command(frame, ID_DRAW_NODE);
    AfxTestMouse(map->GetSafeHwnd(), WM_LBUTTONDOWN, 60, 60, MK_LBUTTON);
    AfxTestMouse(map->GetSafeHwnd(), WM_LBUTTONUP, 60, 60, 0);
    AfxTestProcessEvents();
    CMapObject* node = map->GetSelectedObject();
    ASSERT_NE(node, nullptr);
    ASSERT_EQ(node->GetType(), MAP_OBJECT_NODE);
    EXPECT_EQ(node->GetStyle()->GetSymbolColor(), RGB(0, 170, 90));
    g_NewObjectSymbolColor = savedColor;
}

} // namespace

TEST_F(ShellTest, GpsLogCommandsShowALogAndDrawItIntoTheMapThatIsSaved)
{
    const CString path = MakeSampleLikeWorkspace(m_folder);
    CKolvoDoc* doc = StartWith(path);
    ASSERT_NE(doc, nullptr);
    CMainFrame* frame = Frame();
    CMapLayer* water = doc->GetMapModel()->GetLayerAt(0);
    water->SetEditable(1);
    const CString log = (std::string(KV_TEST_DATA_DIR) + "/nmea/sirf2-haicom305n.nmea").c_str();
    // On the menus, enabled: Layer, Import Layer and GPS Device.
    std::map<UINT, bool> states;
    std::function<void(CMenu*)> walk = [&](CMenu* popup) {
        AfxUpdateMenuCmdUI(frame, popup, TRUE);
        for (UINT i = 0; i < popup->GetMenuItemCount(); ++i) {
            if (CMenu* sub = popup->GetSubMenu((int)i))
                walk(sub);
            else
                states[popup->GetMenuItemID((int)i)] = !(popup->GetMenuState(i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
        }
    };
    CMenu* bar = CMenu::FromHandle(::GetMenu(frame->GetSafeHwnd()));
    for (UINT i = 0; i < bar->GetMenuItemCount(); ++i)
        if (CMenu* popup = bar->GetSubMenu((int)i))
            walk(popup);
    // The log drawing is on the GPS Device menu.
    for (UINT id : {ID_IMPORT_GPS_LOG, ID_GPS_SERIAL, ID_GPS_TRINE, ID_DRAW_LAYER_FROM_GPS_LOG}) {
        ASSERT_TRUE(states.count(id)) << id;
        EXPECT_TRUE(states[id]) << id;
    }

    // GPS data log: the file, then its positions in the viewer; the map is not touched.
    {
        DialogAnswerer answers;
        int rows = 0;
        answers.ThenFile(log).Then([&](CWnd& w) {
            auto& view = dynamic_cast<CViewDataImportDlg&>(w);
            rows = dynamic_cast<CListCtrl*>(view.GetDlgItem(IDC_VIEW_IMPORT_LIST))->GetItemCount();
            return DialogAnswerer::Press(view, IDOK);
        });
        Command(frame, ID_IMPORT_GPS_LOG);
        ASSERT_EQ(answers.Dialogs().size(), 2u);
        EXPECT_GT(rows, 10);
        EXPECT_EQ(water->GetObjectCount(), 1);
    }

    // Draw layer from GPS datalogger: nodes and a track in the editable layer,
    // and the user told how many and what was skipped.
    ModalRecorder boxes;
    {
        DialogAnswerer answers;
        answers.ThenFile(log);
        Command(frame, ID_DRAW_LAYER_FROM_GPS_LOG);
    }
    const int nodes = (int)water->GetPointObjects().GetCount();
    EXPECT_GT(nodes, 5);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text.Find(std::to_string(nodes).c_str()), 0) << boxes.Boxes()[0].text;
    EXPECT_TRUE(doc->GetMapWnd()->IsModified());
    Command(frame, ID_FILE_SAVE);
    EXPECT_FALSE(doc->GetMapWnd()->IsModified());

    // The saved layer holds them when opened in another map, once this map lets its files go.
    layerfile::LetFilesGo(*doc->GetMapModel());
    CMUIMap reader;
    reader.LoadWorkspace(path);
    CMapLayer* reopened = reader.GetMapModel()->GetLayerAt(0);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ((int)reopened->GetPointObjects().GetCount(), nodes);
    EXPECT_GE(reopened->FindField("SATELLITEVIEW"), 0);
    int trackPoints = 0;
    for (long long id = 0; id <= reopened->GetMaxID(); ++id) {
        std::unique_ptr<CMapObject> o(reopened->ReadObject((int)id, FALSE, TRUE));
        if (auto* line = dynamic_cast<CMapPolyline*>(o.get())) {
            line->LoadGeometry();
            trackPoints = line->GetPointCount();
        }
    }
    EXPECT_EQ(trackPoints, nodes);

    // The GPS Data window of the data logger offers its commands.
    Command(frame, ID_GPS_TRINE);
    auto* view = dynamic_cast<CKolvoView*>(frame->GetActiveFrame()->GetActiveView());
    ASSERT_NE(view, nullptr);
    CGpsDataDlg* gps = view->GetGpsDataDlg();
    ASSERT_NE(gps, nullptr);
    for (int id : {IDC_GPS_TRINE, IDC_GPS_TRINE_DOWNLOAD, IDC_GPS_TRINE_SETTINGS})
        EXPECT_TRUE(gps->GetDlgItem(id)->IsWindowEnabled()) << id;
    gps->DestroyWindow();
}

// ---------------------------------------------------------------- GPS in the field
// The program and the map do not close under a GPS Data window that waits for
// the data logger (its wait dispatches messages): the window ends its wait and
// closes, and the map closes when asked again.
TEST_F(ShellTest, NeitherTheMapNorTheProgramClosesUnderAWaitForTheLogger)
{
    const CString path = MakeWorkspace(m_folder);
    CKolvoDoc* doc = StartWith(path);
    ASSERT_NE(doc, nullptr);
    CMainFrame* frame = Frame();
    // The window gives the receiver 800 ms to say a line: 80 ms here.
    AfxSetTestClockScale(0.1);
    testsupport::LoggerPeer logger("COM5");
    logger.Start(30);   // a receiver that never answers the record count
    ModalRecorder boxes({}, IDNO);
    for (UINT close : {(UINT)WM_CLOSE, (UINT)ID_FILE_CLOSE}) {
        SCOPED_TRACE(close == WM_CLOSE ? "the program" : "the map");
        Command(frame, ID_GPS_SERIAL);
        auto* view = dynamic_cast<CKolvoView*>(frame->GetActiveFrame()->GetActiveView());
        ASSERT_NE(view, nullptr);
        CGpsDataDlg* gps = view->GetGpsDataDlg();
        ASSERT_NE(gps, nullptr);
        dynamic_cast<CComboBox*>(gps->GetDlgItem(IDC_GPS_PORT))->SetCurSel(4);
        if (close == WM_CLOSE)
            frame->PostMessage(WM_CLOSE);
        else
            frame->PostMessage(WM_COMMAND, ID_FILE_CLOSE);
        gps->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GPS_TRINE_DOWNLOAD, BN_CLICKED), 0);
        EXPECT_EQ(OpenDocuments(), 1);
        for (int i = 0; i < 3000 && gps->GetSafeHwnd(); ++i)
            AfxTestRunFor(10);
        EXPECT_EQ(gps->GetSafeHwnd(), nullptr);
        EXPECT_FALSE(CGpsReceiverLink::GetPort().IsOpen());
    }
    Command(frame, ID_FILE_CLOSE);
    EXPECT_EQ(OpenDocuments(), 0);
}

// A recording that the program did not live to save: its journal beside the
// layer is offered back when the map opens; Yes draws its fixes into the
// layer, and saving the map drops the journal.
TEST_F(ShellTest, AnOpenedMapOffersBackTheRecordingItsLastRunLeftUnsaved)
{
    const CString path = MakeWorkspace(m_folder);
    const CString layerFile = m_folder.File("Points.klz");
    const CString journal = CGpsRecordingJournal::PathFor(layerFile);
    {
        std::ofstream out(std::string(journal), std::ios::binary);
        out << "# GPS recording, not yet saved into its map\n# layer: " << layerFile.GetString() << "\n# map: "
            << path.GetString() << "\n";
        out << testsupport::Nmea("GPGGA,101011,5206.00000000,N,00418.00000000,E,1,7,,,M,,M,,")
            << testsupport::Nmea("GPGGA,101012,5206.01000000,N,00418.01000000,E,1,7,,,M,,M,,")
            << testsupport::Nmea("GPGGA,101013,5206.02000000,N,00418.02000000,E,1,7,,,M,,M,,");
    }
    ModalRecorder boxes({IDYES});
    CKolvoDoc* doc = StartWith(path);
    ASSERT_NE(doc, nullptr);
    AfxTestProcessEvents();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text,
              "A GPS recording into the layer \"Points\" was not saved before the program ended: 3 positions.\r\n\r\n"
              "Do you want to add them to the layer again? No discards them.");
    CMapLayer* points = doc->GetMapModel()->GetLayerAt(0);
    EXPECT_EQ(points->GetPointObjects().GetCount(), 4);   // the node it had, and the three
    EXPECT_TRUE(doc->GetMapWnd()->IsModified());
    EXPECT_TRUE(std::filesystem::exists(std::string(journal)));   // until the map is saved
    Command(Frame(), ID_FILE_SAVE);
    EXPECT_FALSE(std::filesystem::exists(std::string(journal)));
}

// The layer a recording made, which the saved workspace does not list yet,
// comes back with its recording: the journal names the map it belongs to.
TEST_F(ShellTest, ARecordingIntoANewLayerComesBackWithItsLayer)
{
    const CString path = MakeWorkspace(m_folder);
    const CString layerFile = m_folder.File("Track.klz");
    {
        CMapModel model;
        CMapLayer layer("Track");
        model.CreateLayerDatabase(layerFile, &layer);
    }
    const CString journal = CGpsRecordingJournal::PathFor(layerFile);
    {
        std::ofstream out(std::string(journal), std::ios::binary);
        out << "# GPS recording, not yet saved into its map\n# layer: " << layerFile.GetString() << "\n# map: "
            << path.GetString() << "\n";
        out << testsupport::Nmea("GPGGA,101011,5206.00000000,N,00418.00000000,E,1,7,,,M,,M,,")
            << testsupport::Nmea("GPGGA,101012,5206.01000000,N,00418.01000000,E,1,7,,,M,,M,,");
    }
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    CGpsRecordingJournal::List(journal);   // in the program's profile, as the recording listed it
    ModalRecorder boxes({IDYES});
    {
        DialogAnswerer answers;
        answers.ThenFile(path);
        Command(frame, ID_FILE_OPEN);
    }
    CKolvoDoc* doc = ActiveDocument(frame);
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    ASSERT_EQ(doc->GetMapModel()->GetLayerCount(), 2);
    CMapLayer* track = doc->GetMapModel()->GetLayerAt(1);
    EXPECT_EQ(track->GetName(), "Track");
    EXPECT_EQ(track->GetPointObjects().GetCount(), 2);
    Command(Frame(), ID_FILE_SAVE);
    EXPECT_FALSE(std::filesystem::exists(std::string(journal)));
    EXPECT_TRUE(CGpsRecordingJournal::Listed().empty());
}
