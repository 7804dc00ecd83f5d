// A map from scratch through the editor's own commands: File > New, a layer
// made with New Layer and its structure typed in, a node drawn in it, the
// workspace saved and opened again; and the layer and map commands enabled
// by the dialogs the application installs.
#include "app/MainFrm.h"
#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "platform/controls/CComboBox.h"
#include "platform/dialogs/CDialog.h"
#include "platform/frames/CDocManager.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/wnd/CMenu.h"
#include "platform/wnd/WndTestInput.h"
#include "resources/resource.h"
#include "tests/app/shell/AppTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace {

using apptest::ActiveDocument;
using apptest::PopupStates;

void Type(HWND edit, const char* text)
{
    ::SendMessage(edit, EM_SETSEL, 0, -1);
    AfxTestKey(edit, VK_DELETE, true);
    AfxTestKey(edit, VK_DELETE, false);
    for (const char* p = text; *p; ++p) {
        const char s[2] = {*p, 0};
        const UINT vk = *p >= 'a' && *p <= 'z' ? (UINT)('A' + (*p - 'a')) : (UINT)*p;
        AfxTestKey(edit, vk, true, s, *p >= 'A' && *p <= 'Z' ? MK_SHIFT : 0);
        AfxTestKey(edit, vk, false);
    }
    AfxTestProcessEvents();
}

// Presses a dialog's button with the mouse; its result, or IDCANCEL when it stayed open.
int Press(CWnd& dialog, int id)
{
    CWnd* button = dialog.GetDlgItem(id);
    CRect rect;
    button->GetClientRect(&rect);
    AfxTestMouse(button->GetSafeHwnd(), WM_LBUTTONDOWN, rect.Width() / 2, rect.Height() / 2, MK_LBUTTON);
    AfxTestMouse(button->GetSafeHwnd(), WM_LBUTTONUP, rect.Width() / 2, rect.Height() / 2, 0);
    AfxTestProcessEvents();
    return dynamic_cast<CDialog&>(dialog).ContinueModal() ? IDCANCEL : id;
}

class NewMap : public apptest::AppTest {
protected:
    CMainFrame* Start()
    {
        char name[] = "mapeditor";
        char* argv[] = {name};
        m_app.SetCommandLine(1, argv);
        DialogAnswerer splash(IDOK);
        EXPECT_TRUE(m_app.StartUp());
        return dynamic_cast<CMainFrame*>(m_app.m_pMainWnd);
    }
    // The popup of the menu bar that holds `id`.
    int PopupOf(CFrameWnd* frame, UINT id)
    {
        CMenu* bar = CMenu::FromHandle(::GetMenu(frame->GetSafeHwnd()));
        for (UINT i = 0; bar && i < bar->GetMenuItemCount(); ++i) {
            if (PopupStates(frame, (int)i).count(id))
                return (int)i;
        }
        return -1;
    }

    testsupport::TempFolder m_folder{"kv_newmap_"};
};

TEST_F(NewMap, ALayerMadeWithNewLayerIsDrawnInSavedAndOpenedAgain)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    Command(frame, ID_FILE_NEW);
    CKolvoDoc* doc = ActiveDocument(frame);
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->GetMapModel()->GetLayerCount(), 0);

    const CString layerFile = m_folder.File("Roads.klz");
    {
        ModalRecorder boxes({IDYES});
        DialogAnswerer answers;
        answers.Then([](CWnd& name) {
            Type(name.GetDlgItem(IDC_LAYER_NAME)->GetSafeHwnd(), "Roads");
            return Press(name, IDOK);
        });
        answers.ThenFile(layerFile);
        answers.Then([](CWnd& structure) {
            auto* layers = static_cast<CComboBox*>(structure.GetDlgItem(IDC_LAYER_CHOOSER));
            CString shown;
            layers->GetLBText(layers->GetCurSel(), shown);
            EXPECT_EQ(shown, "Roads");
            Press(structure, IDC_FIELD_ADD);
            Type(structure.GetDlgItem(IDC_FIELD_NAME)->GetSafeHwnd(), "Kind");
            return Press(structure, IDOK);
        });
        Command(frame, ID_NEW_LAYER);
        EXPECT_EQ(answers.Dialogs().size(), 3u);
        EXPECT_EQ(answers.Dialogs()[0].caption, "Add new layer");
    }
    ASSERT_EQ(doc->GetMapModel()->GetLayerCount(), 1);
    CMapLayer* layer = doc->GetMapModel()->GetFirstLayer();
    EXPECT_EQ(layer->GetName(), "Roads");
    ASSERT_EQ(layer->GetFieldCount(), 1);
    EXPECT_EQ(layer->GetField(0).GetName(), "Kind");

    // A node drawn with the Node tool, as the user clicks it into the map.
    Command(frame, ID_DRAW_NODE);
    CMUIMap* map = doc->GetMapWnd();
    AfxTestMouse(map->GetSafeHwnd(), WM_LBUTTONDOWN, 50, 60, MK_LBUTTON);
    AfxTestMouse(map->GetSafeHwnd(), WM_LBUTTONUP, 50, 60, 0);
    AfxTestProcessEvents();
    ASSERT_EQ(layer->GetObjectCount(), 1);

    const CString workspace = m_folder.File("fromscratch.kwz");
    {
        DialogAnswerer answers;
        answers.ThenFile(workspace);
        Command(frame, ID_FILE_SAVE);
    }
    ASSERT_TRUE(std::filesystem::exists(workspace.GetString()));
    {
        ModalRecorder noQuestions;
        Command(frame, ID_FILE_CLOSE);
    }
    ASSERT_EQ(AfxGetDocManager()->GetOpenDocumentCount(), 0);

    // Opened again in a map of its own.
    {
        DialogAnswerer answers;
        answers.ThenFile(workspace);
        Command(frame, ID_FILE_OPEN);
    }
    CKolvoDoc* reopened = ActiveDocument(frame);
    ASSERT_NE(reopened, nullptr);
    ASSERT_EQ(reopened->GetMapModel()->GetLayerCount(), 1);
    CMapLayer* again = reopened->GetMapModel()->GetFirstLayer();
    EXPECT_EQ(again->GetName(), "Roads");
    EXPECT_EQ(again->GetFilePath(), layerFile);
    ASSERT_EQ(again->GetFieldCount(), 1);
    EXPECT_EQ(again->GetField(0).GetName(), "Kind");
    EXPECT_EQ(again->GetObjectCount(), 1);
}

TEST_F(NewMap, TheLayerAndMapCommandsAreOnWithTheirDialogs)
{
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    Command(frame, ID_FILE_NEW);
    CKolvoDoc* doc = ActiveDocument(frame);
    ASSERT_NE(doc, nullptr);
    const int layerMenu = PopupOf(frame, ID_NEW_LAYER);
    ASSERT_GE(layerMenu, 0);
    std::map<UINT, bool> layer = PopupStates(frame, layerMenu);
    EXPECT_TRUE(layer[ID_NEW_LAYER]);
    EXPECT_TRUE(layer[ID_LAYER_CONTROL]);
    EXPECT_TRUE(layer[ID_LAYER_STRUCTURE]);
    const int mapMenu = PopupOf(frame, ID_MAP_OPTION);
    ASSERT_GE(mapMenu, 0);
    std::map<UINT, bool> mapItems = PopupStates(frame, mapMenu);
    EXPECT_TRUE(mapItems[ID_MAP_OPTION]);
    EXPECT_FALSE(mapItems[ID_MAP_PROPERTIES]) << "Properties... has no handler";

    // Option on a changed map asks first; Cancel opens nothing.
    doc->GetMapWnd()->SetModified(1);
    {
        ModalRecorder boxes({IDCANCEL});
        DialogAnswerer answers;
        Command(frame, ID_MAP_OPTION);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, "Save your changes before tranforming");
        EXPECT_TRUE(answers.Dialogs().empty());
    }
    {
        ModalRecorder boxes({IDOK});
        DialogAnswerer answers;
        answers.Then([](CWnd& property) {
            auto* distance = static_cast<CComboBox*>(property.GetDlgItem(IDC_DISTANCE_UNIT));
            distance->SetFocus();
            AfxTestKey(distance->GetSafeHwnd(), VK_END, true);
            AfxTestKey(distance->GetSafeHwnd(), VK_END, false);
            AfxTestProcessEvents();
            return Press(property, IDOK);
        });
        Command(frame, ID_MAP_OPTION);
        ASSERT_EQ(answers.Dialogs().size(), 1u);
        EXPECT_EQ(answers.Dialogs()[0].caption, "Map Property");
    }
    EXPECT_EQ(doc->GetMapModel()->GetUnits().GetDistanceUnitCode(), 8);
}

} // namespace
