// Documents, views and templates in an MDI frame: opening documents, activation,
// the routing order of commands, the save question when a document closes, and
// saving that never loses the file it replaces.
#include "FrameTestSupport.h"

#include "platform/frames/CDocManager.h"
#include "platform/frames/CDocTemplate.h"
#include "platform/frames/CDocument.h"
#include "platform/frames/CMDIChildWnd.h"
#include "platform/frames/CMDIFrameWnd.h"
#include "platform/wnd/CMenu.h"
#include "platform/frames/CStatusBar.h"
#include "platform/frames/CToolBar.h"
#include "platform/frames/CView.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"

#include <gtest/gtest.h>

#include "platform/testing/WidgetProbe.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr UINT kMainId = 9100;
constexpr UINT kDocId = 9101;
// Commands handled by: all five; all but the view; ...; the application alone.
constexpr UINT kFirstCmd = 40001;

std::string Name(const CDocument* doc) { return doc ? std::string(doc->GetTitle().GetString()) : "-"; }

class TestApp : public CWinApp {
protected:
    afx_msg void OnCmd(UINT id) { g_log.push_back("app " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND_RANGE(kFirstCmd, kFirstCmd + 4, OnCmd)
END_MESSAGE_MAP()

class TestDoc : public CDocument {
    DECLARE_DYNCREATE(TestDoc)
public:
    BOOL m_failSave = FALSE;
    BOOL m_second = TRUE; // whether the second command is enabled
    CString m_content = "map data";
    BOOL OnSaveDocument(LPCTSTR path) override
    {
        g_log.push_back("save " + std::string(path));
        return CDocument::OnSaveDocument(path);
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            if (m_failSave)
                AfxThrowArchiveException(CArchiveException::genericException);
            ar << m_content;
        } else {
            ar >> m_content;
        }
    }

protected:
    afx_msg void OnCmd(UINT id) { g_log.push_back("doc " + Name(this) + " " + std::to_string(id)); }
    afx_msg void OnUpdateSecond(CCmdUI* ui) { ui->Enable(m_second); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestDoc, CDocument)
BEGIN_MESSAGE_MAP(TestDoc, CDocument)
    ON_COMMAND_RANGE(kFirstCmd, kFirstCmd + 1, OnCmd)
    ON_UPDATE_COMMAND_UI(kFirstCmd + 1, OnUpdateSecond)
END_MESSAGE_MAP()

class TestView : public CView {
    DECLARE_DYNCREATE(TestView)
protected:
    void OnDraw(CDC*) override {}
    void OnUpdate(CView*, LPARAM hint, CObject*) override
    {
        g_log.push_back("update " + Name(GetDocument()) + " " + std::to_string(hint));
    }
    void OnActivateView(BOOL activate, CView* a, CView* d) override
    {
        g_log.push_back(std::string(activate ? "activate " : "deactivate ") + Name(GetDocument()));
        CView::OnActivateView(activate, a, d);
    }
    afx_msg void OnCmd(UINT id) { g_log.push_back("view " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestView, CView)
BEGIN_MESSAGE_MAP(TestView, CView)
    ON_COMMAND_RANGE(kFirstCmd, kFirstCmd, OnCmd)
END_MESSAGE_MAP()

class TestChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(TestChild)
protected:
    afx_msg void OnCmd(UINT id) { g_log.push_back("child " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(TestChild, CMDIChildWnd)
    ON_COMMAND_RANGE(kFirstCmd, kFirstCmd + 2, OnCmd)
END_MESSAGE_MAP()

class TestMain : public CMDIFrameWnd {
protected:
    afx_msg void OnCmd(UINT id) { g_log.push_back("main " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestMain, CMDIFrameWnd)
    ON_COMMAND_RANGE(kFirstCmd, kFirstCmd + 3, OnCmd)
END_MESSAGE_MAP()

// Menu resources: one popup whose title tells which menu it is.
HMENU LoadTestMenu(UINT id)
{
    if (id != kMainId && id != kDocId)
        return nullptr;
    HMENU bar = ::CreateMenu();
    HMENU popup = ::CreatePopupMenu();
    ::AppendMenu(popup, MF_STRING, ID_FILE_CLOSE, "Close");
    ::AppendMenu(bar, MF_POPUP, (UINT_PTR)popup, id == kMainId ? "Main" : "Document");
    return bar;
}

class DocViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        AfxSetMenuResourceLoader(LoadTestMenu);
        main = new TestMain;
        ASSERT_TRUE(main->LoadFrame(kMainId));
        main->SetTitle("App");
        main->OnUpdateFrameTitle(TRUE);
        app.m_pMainWnd = main;
        main->ShowWindow(SW_SHOW);
        tmpl = new CMultiDocTemplate(kDocId, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestChild), RUNTIME_CLASS(TestView));
        tmpl->m_strDocStrings = "\nMap\nMap\nMaps (*.map)\n.map\nTest.Map\nTest map";
        AfxGetDocManager()->AddDocTemplate(tmpl);
    }
    void TearDown() override
    {
        app.m_pMainWnd = nullptr;
        if (::IsWindow(mainWnd()))
            main->DestroyWindow();
        AfxDestroyDocManager();
        AfxSetMenuResourceLoader(nullptr);
        AfxTestProcessEvents();
        MSG msg;
        while (::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    HWND mainWnd() const { return m_mainWnd ? m_mainWnd : (m_mainWnd = main->GetSafeHwnd()); }
    CFrameWnd* FrameOf(CDocument* doc)
    {
        POSITION pos = doc->GetFirstViewPosition();
        return pos ? doc->GetNextView(pos)->GetParentFrame() : nullptr;
    }
    CView* ViewOf(CDocument* doc)
    {
        POSITION pos = doc->GetFirstViewPosition();
        return pos ? doc->GetNextView(pos) : nullptr;
    }
    int DocCount() { return AfxGetDocManager()->GetOpenDocumentCount(); }
    CString MainTitle()
    {
        CString text;
        main->GetWindowText(text);
        return text;
    }
    CString TempPath(const char* name) { return dir.File(name); }
    static void WriteFile(const CString& path, const char* content)
    {
        std::ofstream f(path.GetString(), std::ios::binary | std::ios::trunc);
        ASSERT_TRUE(f.is_open());
        f << content;
    }
    static std::string ReadFile(const CString& path)
    {
        std::ifstream f(path.GetString(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }
    static bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

    TestApp app;
    TestMain* main = nullptr;
    mutable HWND m_mainWnd = nullptr;
    CMultiDocTemplate* tmpl = nullptr;
    testsupport::TempFolder dir{"platform_frames_"};
};

TEST_F(DocViewTest, TemplateOpensDocumentsInChildFramesAndActivatesTheNewest)
{
    const HMENU defaultMenu = ::GetMenu(mainWnd());
    ASSERT_TRUE(defaultMenu);
    EXPECT_EQ(main->m_hMenuDefault, defaultMenu);
    EXPECT_EQ(MainTitle(), "App");

    CDocument* a = tmpl->OpenDocumentFile(nullptr);
    CDocument* b = tmpl->OpenDocumentFile(nullptr);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->GetTitle(), "Map1");
    EXPECT_EQ(b->GetTitle(), "Map2");
    EXPECT_TRUE(a->IsKindOf(RUNTIME_CLASS(TestDoc)));
    EXPECT_TRUE(FrameOf(a)->IsKindOf(RUNTIME_CLASS(TestChild)));
    EXPECT_TRUE(ViewOf(b)->IsKindOf(RUNTIME_CLASS(TestView)));
    EXPECT_EQ(FrameOf(a)->GetParent()->GetSafeHwnd(), main->m_hWndMDIClient);

    // The newest is active: its frame, its view, the shared menu and the titles.
    EXPECT_EQ(main->MDIGetActive(), FrameOf(b));
    EXPECT_EQ(main->GetActiveFrame(), FrameOf(b));
    EXPECT_EQ(main->GetActiveFrame()->GetActiveDocument(), b);
    EXPECT_EQ(::GetMenu(mainWnd()), tmpl->m_hMenuShared);
    EXPECT_EQ(MainTitle(), "App - Map2");
    CString childTitle;
    FrameOf(b)->GetWindowText(childTitle);
    EXPECT_EQ(childTitle, "Map2");
    EXPECT_EQ(g_log.back(), "activate Map2");

    g_log.clear();
    main->MDIActivate(FrameOf(a));
    EXPECT_EQ(g_log, (std::vector<std::string>{"deactivate Map2", "activate Map1"}));
    EXPECT_EQ(main->MDIGetActive(), FrameOf(a));
    EXPECT_EQ(MainTitle(), "App - Map1");
    main->MDINext();
    EXPECT_EQ(main->MDIGetActive(), FrameOf(b));
    main->MDINext();
    EXPECT_EQ(main->MDIGetActive(), FrameOf(a));

    // A maximized child shows in the main title in brackets, and the next child opens maximized too.
    main->MDIMaximize(FrameOf(a));
    BOOL maximized = FALSE;
    main->MDIGetActive(&maximized);
    EXPECT_TRUE(maximized);
    EXPECT_EQ(MainTitle(), "App - [Map1]");
    CDocument* c = tmpl->OpenDocumentFile(nullptr);
    EXPECT_EQ(main->MDIGetActive(&maximized), FrameOf(c));
    EXPECT_TRUE(maximized);
    main->MDIRestore(FrameOf(c));
    EXPECT_EQ(MainTitle(), "App - Map3");

    // Closing an unmodified document asks nothing; the previous child takes over.
    ModalRecorder boxes;
    FrameOf(c)->SendMessage(WM_CLOSE);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(DocCount(), 2);
    EXPECT_EQ(main->MDIGetActive(), FrameOf(a));
    a->OnCloseDocument();
    b->OnCloseDocument();
    EXPECT_EQ(DocCount(), 0);
    EXPECT_EQ(main->MDIGetActive(), nullptr);
    EXPECT_EQ(::GetMenu(mainWnd()), defaultMenu);
    EXPECT_EQ(MainTitle(), "App");
}

TEST_F(DocViewTest, CommandsGoToViewDocumentChildFrameMainFrameApplicationInThisOrder)
{
    CToolBar bar;
    ASSERT_TRUE(bar.Create(main));
    const UINT ids[] = {kFirstCmd, kFirstCmd + 1, kFirstCmd + 2, kFirstCmd + 3, kFirstCmd + 4};
    ASSERT_TRUE(bar.SetButtons(ids, 5));
    main->RecalcLayout();
    tmpl->OpenDocumentFile(nullptr);
    CDocument* second = tmpl->OpenDocumentFile(nullptr);
    ASSERT_TRUE(second);

    const struct {
        UINT id;
        const char* handler;
    } table[] = {
        {kFirstCmd, "view 40001"},      {kFirstCmd + 1, "doc Map2 40002"}, {kFirstCmd + 2, "child 40003"},
        {kFirstCmd + 3, "main 40004"}, {kFirstCmd + 4, "app 40005"},
    };
    for (int i = 0; i < 5; ++i) {
        g_log.clear();
        CRect r;
        bar.GetItemRect(i, &r);
        AfxTestMouse(bar.GetSafeHwnd(), WM_LBUTTONDOWN, r.CenterPoint().x, r.CenterPoint().y, MK_LBUTTON);
        AfxTestMouse(bar.GetSafeHwnd(), WM_LBUTTONUP, r.CenterPoint().x, r.CenterPoint().y, 0);
        EXPECT_EQ(g_log, (std::vector<std::string>{table[i].handler})) << table[i].id;
    }
    // Showing and hiding a bar of the main frame passes the child frame by.
    CStatusBar status;
    ASSERT_TRUE(status.Create(main));
    main->RecalcLayout();
    main->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(status.IsVisible());
    CMenu view;
    view.CreatePopupMenu();
    view.AppendMenu(MF_STRING, ID_VIEW_STATUS_BAR, "Status Bar");
    view.AppendMenu(MF_STRING, ID_VIEW_TOOLBAR, "Toolbar");
    main->SendMessage(WM_INITMENUPOPUP, (WPARAM)view.GetSafeHmenu(), 0);
    EXPECT_EQ(view.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_NE(view.GetMenuState(1, MF_BYPOSITION) & MF_CHECKED, 0u);
    main->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(status.IsVisible());

    // Commands and their updates reach the active document only.
    dynamic_cast<TestDoc*>(second)->m_second = FALSE;
    app.OnIdle(0);
    EXPECT_TRUE(bar.GetButtonStyle(1) & TBBS_DISABLED);
    main->MDINext();
    app.OnIdle(0);
    EXPECT_FALSE(bar.GetButtonStyle(1) & TBBS_DISABLED);
    g_log.clear();
    main->SendMessage(WM_COMMAND, kFirstCmd + 1);
    EXPECT_EQ(g_log, (std::vector<std::string>{"doc Map1 40002"}));
    // Without a child the main frame is first.
    while (CMDIChildWnd* child = main->MDIGetActive())
        child->GetActiveDocument()->OnCloseDocument();
    g_log.clear();
    main->SendMessage(WM_COMMAND, kFirstCmd);
    EXPECT_EQ(g_log, (std::vector<std::string>{"main 40001"}));
}

TEST_F(DocViewTest, TheUserActivatesAndClosesChildren)
{
    CDocument* a = tmpl->OpenDocumentFile(nullptr);
    CDocument* b = tmpl->OpenDocumentFile(nullptr);
    ASSERT_EQ(main->MDIGetActive(), FrameOf(b));
    // A click into the inactive document's view activates it.
    const HWND view = ViewOf(a)->GetSafeHwnd();
    AfxTestMouse(view, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    AfxTestMouse(view, WM_LBUTTONUP, 5, 5, 0);
    EXPECT_EQ(main->MDIGetActive(), FrameOf(a));
    EXPECT_EQ(FrameOf(a)->GetActiveView(), ViewOf(a));

    // The sub-window's close box closes the document, asking first.
    b->SetModifiedFlag();
    ModalRecorder boxes({IDNO});
    ASSERT_TRUE(PressMdiCloseBox("Map2"));
    AfxTestProcessEvents();
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(DocCount(), 1);
    EXPECT_EQ(main->MDIGetActive(), FrameOf(a));
}

TEST_F(DocViewTest, WindowCommandsArrangeTheChildren)
{
    CDocument* a = tmpl->OpenDocumentFile(nullptr);
    CDocument* b = tmpl->OpenDocumentFile(nullptr);
    CRect client;
    ::GetClientRect(main->m_hWndMDIClient, &client);
    auto rectOf = [&](CDocument* doc) {
        CRect r;
        FrameOf(doc)->GetWindowRect(&r);
        ::ScreenToClient(main->m_hWndMDIClient, (POINT*)&r.left);
        ::ScreenToClient(main->m_hWndMDIClient, (POINT*)&r.right);
        return r;
    };
    main->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
    AfxTestProcessEvents();
    // The active child comes first.
    CRect ra = rectOf(a), rb = rectOf(b);
    EXPECT_LE(rb.bottom, ra.top + 1); // one above the other
    EXPECT_GT(ra.Width(), client.Width() / 2);
    main->SendMessage(WM_COMMAND, ID_WINDOW_TILE_VERT);
    AfxTestProcessEvents();
    ra = rectOf(a);
    rb = rectOf(b);
    EXPECT_LE(rb.right, ra.left + 1); // side by side
    EXPECT_GT(ra.Height(), client.Height() / 2);
    // The view follows its frame's size.
    CRect view, frameClient;
    ViewOf(a)->GetWindowRect(&view);
    FrameOf(a)->GetClientRect(&frameClient);
    EXPECT_EQ(view.Size(), frameClient.Size());

    // Window commands are enabled while a child exists.
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_WINDOW_CASCADE, "Cascade");
    popup.AppendMenu(MF_STRING, 40999, "Nobody handles this");
    main->SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.GetSafeHmenu(), 0);
    EXPECT_EQ(popup.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_NE(popup.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED, 0u);
    // Unless the frame enables menu items that have no handler.
    main->m_bAutoMenuEnable = FALSE;
    popup.EnableMenuItem(1, MF_BYPOSITION | MF_ENABLED);
    main->SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.GetSafeHmenu(), 0);
    EXPECT_EQ(popup.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED, 0u);

    // MDIDestroy closes the child; its document goes with its last view.
    static_cast<CMDIChildWnd*>(FrameOf(b))->MDIDestroy();
    EXPECT_EQ(DocCount(), 1);
    a->OnCloseDocument();
    main->m_bAutoMenuEnable = TRUE;
    main->SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.GetSafeHmenu(), 0);
    EXPECT_NE(popup.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED, 0u);
}

TEST_F(DocViewTest, ClosingAModifiedDocumentAsksToSave)
{
    const CString path = TempPath("roads.map");
    WriteFile(path, "");
    const struct {
        int answer;
        bool closed;
        bool saved;
    } cases[] = {{IDNO, true, false}, {IDCANCEL, false, false}, {IDYES, true, true}};
    for (const auto& c : cases) {
        g_log.clear();
        CDocument* doc = AfxGetDocManager()->OpenDocumentFile(path);
        ASSERT_TRUE(doc);
        EXPECT_EQ(doc->GetTitle(), "roads.map");
        doc->SetModifiedFlag();
        ModalRecorder boxes({c.answer});
        FrameOf(doc)->SendMessage(WM_CLOSE);
        ASSERT_EQ(boxes.Boxes().size(), 1u) << c.answer;
        EXPECT_EQ(boxes.Boxes()[0].text, "Save changes to roads.map?");
        EXPECT_EQ(boxes.Boxes()[0].type & 0xF, (UINT)MB_YESNOCANCEL);
        EXPECT_EQ(DocCount(), c.closed ? 0 : 1) << c.answer;
        const bool saved = std::find(g_log.begin(), g_log.end(), "save " + std::string(path)) != g_log.end();
        EXPECT_EQ(saved, c.saved) << c.answer;
        if (!c.closed) {
            doc->SetModifiedFlag(FALSE);
            doc->OnCloseDocument();
        }
    }
}

TEST_F(DocViewTest, SavingANewDocumentAsksForTheFileName)
{
    CDocument* doc = tmpl->OpenDocumentFile(nullptr);
    ASSERT_TRUE(doc);
    doc->SetModifiedFlag();
    const CString path = TempPath("new.map");
    {
        // Yes, then Cancel in the file dialog: the document stays open.
        ModalRecorder boxes({IDYES});
        DialogAnswerer dialogs;
        dialogs.ThenPress(IDCANCEL);
        FrameOf(doc)->SendMessage(WM_CLOSE);
        EXPECT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, "Save changes to Map1?");
        EXPECT_EQ(DocCount(), 1);
    }
    {
        ModalRecorder boxes({IDYES});
        DialogAnswerer dialogs;
        dialogs.ThenFile(path);
        FrameOf(doc)->SendMessage(WM_CLOSE);
        ASSERT_EQ(dialogs.Dialogs().size(), 1u);
        EXPECT_EQ(DocCount(), 0);
        EXPECT_TRUE(Contains(ReadFile(path), "map data"));
    }
}

TEST_F(DocViewTest, AFailedSaveKeepsTheFileItWouldReplace)
{
    auto* doc = dynamic_cast<TestDoc*>(tmpl->OpenDocumentFile(nullptr));
    ASSERT_TRUE(doc);
    const CString existing = TempPath("kept.map");
    WriteFile(existing, "old content");
    doc->m_failSave = TRUE;
    {
        ModalRecorder boxes;
        DialogAnswerer dialogs;
        dialogs.ThenFile(existing);
        EXPECT_FALSE(doc->DoSave(nullptr));
        EXPECT_EQ(boxes.Boxes().size(), 1u); // the failure is reported
    }
    EXPECT_EQ(ReadFile(existing), "old content");
    const CString fresh = TempPath("fresh.map");
    {
        ModalRecorder boxes;
        DialogAnswerer dialogs;
        dialogs.ThenFile(fresh);
        EXPECT_FALSE(doc->DoSave(nullptr));
    }
    EXPECT_FALSE(std::filesystem::exists(fresh.GetString()));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"kept.map"}); // no temporary left

    // A save that works replaces the file and makes its name the document's.
    doc->m_failSave = FALSE;
    EXPECT_TRUE(doc->DoSave(existing));
    EXPECT_TRUE(Contains(ReadFile(existing), "map data"));
    EXPECT_EQ(doc->GetPathName(), existing);
    EXPECT_EQ(doc->GetTitle(), "kept.map");
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocViewTest, ClosingTheMainFrameAsksEveryDocument)
{
    CDocument* a = tmpl->OpenDocumentFile(nullptr);
    CDocument* b = tmpl->OpenDocumentFile(nullptr);
    a->SetModifiedFlag();
    b->SetModifiedFlag();
    {
        ModalRecorder boxes({IDNO, IDCANCEL});
        main->SendMessage(WM_CLOSE);
        EXPECT_EQ(boxes.Boxes().size(), 2u);
        EXPECT_EQ(DocCount(), 2);
        EXPECT_TRUE(::IsWindow(mainWnd()));
    }
    ModalRecorder boxes({IDNO, IDNO});
    main->SendMessage(WM_CLOSE);
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(DocCount(), 0);
    EXPECT_FALSE(::IsWindow(mainWnd()));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(AfxIsQuitPending());
}

TEST_F(DocViewTest, SecondFrameOnADocument)
{
    CDocument* doc = tmpl->OpenDocumentFile(nullptr);
    CView* first = ViewOf(doc);
    CFrameWnd* frame2 = tmpl->CreateNewFrame(doc, nullptr);
    ASSERT_TRUE(frame2);
    tmpl->InitialUpdateFrame(frame2, doc);
    CView* second = frame2->GetActiveView();
    ASSERT_TRUE(second && second != first);
    CString t1, t2;
    first->GetParentFrame()->GetWindowText(t1);
    frame2->GetWindowText(t2);
    EXPECT_EQ(t1, "Map1:1");
    EXPECT_EQ(t2, "Map1:2");

    // The sender is not told about its own change.
    g_log.clear();
    doc->UpdateAllViews(first, 7);
    EXPECT_EQ(g_log, (std::vector<std::string>{"update Map1 7"}));

    // Closing one of two frames closes no document and asks nothing, even when modified.
    doc->SetModifiedFlag();
    ModalRecorder boxes;
    frame2->SendMessage(WM_CLOSE);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(DocCount(), 1);
    first->GetParentFrame()->GetWindowText(t1);
    EXPECT_EQ(t1, "Map1");
    doc->SetModifiedFlag(FALSE);
}

TEST_F(DocViewTest, OpeningFiles)
{
    const CString path = TempPath("lakes.map");
    WriteFile(path, "");
    CDocument* doc = AfxGetDocManager()->OpenDocumentFile(path);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetPathName(), path);
    // The same path again brings the open document forward.
    tmpl->OpenDocumentFile(nullptr);
    EXPECT_EQ(AfxGetDocManager()->OpenDocumentFile(path), doc);
    EXPECT_EQ(DocCount(), 2);
    EXPECT_EQ(main->MDIGetActive(), FrameOf(doc));

    // A file that cannot be read: one message, no document, no frame left behind.
    ModalRecorder boxes;
    EXPECT_EQ(AfxGetDocManager()->OpenDocumentFile(TempPath("missing.map")), nullptr);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(DocCount(), 2);
    int children = 0;
    for (HWND c = ::GetWindow(main->m_hWndMDIClient, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, 2);
}

} // namespace
