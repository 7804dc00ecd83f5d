// The layer-name dialog and the layer data structure dialog, driven as the user
// drives them, checked against the layer file.
#include "dialogs/LayerStructureDlg.h"
#include "dialogs/RenameLayerDlg.h"
#include "model/layers/MapNotify.h"
#include "platform/controls/CComboBox.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "resources/resource.h"
#include "tests/dialogs/layers/LayerDialogsTestSupport.h"

using namespace layertest;

namespace {

TEST(RenameLayerDialog, ANewLayerIsNamedAndOkWaitsForAName)
{
    CString typed;
    DialogAnswerer answers;
    answers.Then([&](CWnd& dlg) {
        CString title;
        dlg.GetWindowText(title);
        EXPECT_EQ(title, "Add new layer");
        EXPECT_EQ(ClickButton(dlg, IDOK), -1) << "OK with no name closed the dialog";
        TypeInto(dlg, IDC_LAYER_NAME, "Roads");
        return ClickButton(dlg, IDOK);
    });
    CRenameLayerDlg dialog("", nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strName, "Roads");
}

TEST(RenameLayerDialog, ARenameShowsTheOldNameAndKeepsTheTitle)
{
    DialogAnswerer answers;
    answers.Then([&](CWnd& dlg) {
        CString title;
        dlg.GetWindowText(title);
        EXPECT_EQ(title, "Rename layer");
        EXPECT_EQ(TextOf(dlg, IDC_LAYER_NAME), "Rivers");
        return ClickButton(dlg, IDCANCEL);
    });
    CRenameLayerDlg dialog("Rivers", nullptr);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

class LayerStructure : public ::testing::Test {
protected:
    LayerStructure() : folder("kvstruct") {}

    // Five fields, two nodes with a value in each.
    CMapLayer* FiveFields()
    {
        CMapLayer* layer = AddLayerFile(map.model, folder, "Wells",
                                        {CMapField("F0", FIELD_TYPE_STRING, 10), CMapField("F1", FIELD_TYPE_INTEGER, 0),
                                         CMapField("F2", FIELD_TYPE_DOUBLE, 0), CMapField("F3", FIELD_TYPE_STRING, 8),
                                         CMapField("F4", FIELD_TYPE_STRING, 12)});
        AddNode(layer, 1, 1, {"a0", "11", "2.5", "a3", "a4"});
        AddNode(layer, 2, 2, {"b0", "12", "3.5", "b3", "b4"});
        return layer;
    }
    std::vector<std::string> Columns(CMapLayer* layer)
    {
        layer->SaveProperties();
        RawFile raw(layer->GetFilePath());
        return raw.Column("select name from pragma_table_info('_MapMetaData') order by cid;");
    }
    std::vector<std::string> Values(CMapLayer* layer, const char* column)
    {
        layer->SaveProperties();
        RawFile raw(layer->GetFilePath());
        return raw.Column(std::string("select ") + column + " from _MapMetaData order by mapeID;");
    }

    testsupport::TempFolder folder;
    FakeMapWindow map;
};

TEST_F(LayerStructure, RemovingFieldsOneAndThreeKeepsTheOthersValues)
{
    CMapLayer* layer = FiveFields();
    ModalRecorder boxes({IDYES});
    DialogAnswerer answers;
    answers.Then([&](CWnd& dlg) {
        auto& list = *static_cast<CListCtrl*>(Item(dlg, IDC_FIELD_LIST));
        EXPECT_EQ(list.GetItemCount(), 5);
        EXPECT_EQ(list.GetItemText(3, 2), "8");
        EXPECT_EQ(list.GetItemText(1, 2), "") << "only STRING fields show a width";
        ClickListItem(dlg, IDC_FIELD_LIST, 3);
        Click(dlg, IDC_FIELD_REMOVE);
        ClickListItem(dlg, IDC_FIELD_LIST, 1);
        Click(dlg, IDC_FIELD_REMOVE);
        EXPECT_EQ(list.GetItemCount(), 3);
        return ClickButton(dlg, IDOK);
    });
    CLayerStructureDlg dialog(&map, layer, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);

    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Data has been changed. Do you want to save changes?");
    ASSERT_EQ(layer->GetFieldCount(), 3);
    EXPECT_EQ(layer->GetField(1).GetName(), "F2");
    EXPECT_EQ(Columns(layer), (std::vector<std::string>{"mapeID", "F0", "F2", "F4"}));
    EXPECT_EQ(Values(layer, "F0"), (std::vector<std::string>{"a0", "b0"}));
    EXPECT_EQ(Values(layer, "F2"), (std::vector<std::string>{"2.5", "3.5"}));
    EXPECT_EQ(Values(layer, "F4"), (std::vector<std::string>{"a4", "b4"}));
    ASSERT_EQ(map.notices.size(), 1u);
    EXPECT_EQ(map.notices[0].action, MAPA_LAYER_BUILT);
    EXPECT_EQ(map.notices[0].object, layer);
    EXPECT_EQ(map.modified, 1);
}

TEST_F(LayerStructure, AnAddedFieldTakesTheNameAndTypeTyped)
{
    CMapLayer* layer = FiveFields();
    ModalRecorder boxes({IDYES});
    DialogAnswerer answers;
    answers.Then([&](CWnd& dlg) {
        Click(dlg, IDC_FIELD_ADD);
        auto& list = *static_cast<CListCtrl*>(Item(dlg, IDC_FIELD_LIST));
        EXPECT_EQ(list.GetItemText(5, 0), "Field1");
        EXPECT_EQ(list.GetItemText(5, 2), "20");
        TypeInto(dlg, IDC_FIELD_NAME, "Depth");
        EXPECT_EQ(list.GetItemText(5, 0), "Depth");
        // SHORT: the width column empties and the width edit is closed.
        auto& type = *static_cast<CComboBox*>(Item(dlg, IDC_FIELD_TYPE));
        type.SetFocus();
        Key(type.GetSafeHwnd(), VK_DOWN);
        EXPECT_EQ(list.GetItemText(5, 1), "SHORT");
        EXPECT_EQ(list.GetItemText(5, 2), "");
        EXPECT_FALSE(Item(dlg, IDC_FIELD_WIDTH)->IsWindowEnabled());
        Click(dlg, IDC_FIELD_ADD);
        TypeInto(dlg, IDC_FIELD_NAME, "Note");
        TypeInto(dlg, IDC_FIELD_WIDTH, "30");
        EXPECT_EQ(list.GetItemText(6, 2), "30");
        return ClickButton(dlg, IDOK);
    });
    CLayerStructureDlg dialog(&map, layer, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(layer->GetFieldCount(), 7);
    EXPECT_EQ(layer->GetField(5).GetName(), "Depth");
    EXPECT_EQ(layer->GetField(5).GetType(), FIELD_TYPE_SHORT);
    EXPECT_EQ(layer->GetField(6).GetWidth(), 30);
    EXPECT_EQ(Values(layer, "F3"), (std::vector<std::string>{"a3", "b3"}));
    EXPECT_EQ(Values(layer, "Depth"), (std::vector<std::string>{"<null>", "<null>"}));
}

TEST_F(LayerStructure, AFieldTheLayerHasIsShownButNotOfferedForEditing)
{
    CMapLayer* layer = FiveFields();
    ModalRecorder boxes;
    DialogAnswerer answers;
    answers.Then([&](CWnd& dlg) {
        ClickListItem(dlg, IDC_FIELD_LIST, 0);
        EXPECT_EQ(TextOf(dlg, IDC_FIELD_NAME), "F0");
        EXPECT_EQ(TextOf(dlg, IDC_FIELD_WIDTH), "10");
        EXPECT_FALSE(Item(dlg, IDC_FIELD_NAME)->IsWindowEnabled());
        EXPECT_FALSE(Item(dlg, IDC_FIELD_TYPE)->IsWindowEnabled());
        EXPECT_FALSE(Item(dlg, IDC_FIELD_WIDTH)->IsWindowEnabled());
        TypeInto(dlg, IDC_FIELD_NAME, "Renamed");
        auto& list = *static_cast<CListCtrl*>(Item(dlg, IDC_FIELD_LIST));
        EXPECT_EQ(list.GetItemText(0, 0), "F0");
        return ClickButton(dlg, IDOK);
    });
    CLayerStructureDlg dialog(&map, layer, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(boxes.Boxes().empty()) << "nothing was changed, nothing to ask";
    EXPECT_EQ(layer->GetField(0).GetName(), "F0");
    EXPECT_TRUE(map.notices.empty());
}

TEST_F(LayerStructure, SwitchingLayersAsksAndNoDiscardsTheNewField)
{
    CMapLayer* wells = FiveFields();
    CMapLayer* roads = AddLayerFile(map.model, folder, "Roads", {CMapField("Kind", FIELD_TYPE_STRING, 5)});
    ModalRecorder boxes({IDNO});
    DialogAnswerer answers;
    answers.Then([&](CWnd& dlg) {
        auto& layers = *static_cast<CComboBox*>(Item(dlg, IDC_LAYER_CHOOSER));
        EXPECT_EQ(layers.GetCount(), 2);
        EXPECT_EQ(layers.GetCurSel(), 0) << "bottom layer first when none is given";
        Click(dlg, IDC_FIELD_ADD);
        TypeInto(dlg, IDC_FIELD_NAME, "Extra");
        layers.SetFocus();
        Key(layers.GetSafeHwnd(), VK_DOWN);
        auto& list = *static_cast<CListCtrl*>(Item(dlg, IDC_FIELD_LIST));
        EXPECT_EQ(list.GetItemCount(), 1);
        EXPECT_EQ(list.GetItemText(0, 0), "Kind");
        return ClickButton(dlg, IDOK);
    });
    CLayerStructureDlg dialog(&map, nullptr, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(wells->GetFieldCount(), 5);
    EXPECT_EQ(roads->GetFieldCount(), 1);
}

TEST_F(LayerStructure, FieldsWhoseColumnsWouldCollideAreRefused)
{
    struct Case {
        const char* existing;
        const char* typed;
    };
    const Case cases[] = {{"a_b", "a b"}, {"Name", "NAME"}, {"mapeID_", "mapeID"}, {"Kind", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.existing) + " / '" + c.typed + "'");
        FakeMapWindow window;
        CMapLayer* layer = AddLayerFile(window.model, folder, c.existing, {CMapField(c.existing, FIELD_TYPE_STRING, 5)});
        ModalRecorder boxes({IDYES});
        DialogAnswerer answers;
        answers.Then([&](CWnd& dlg) {
            Click(dlg, IDC_FIELD_ADD);
            TypeInto(dlg, IDC_FIELD_NAME, c.typed);
            EXPECT_EQ(ClickButton(dlg, IDOK), -1) << "the refused fields closed the dialog";
            return ClickButton(dlg, IDCANCEL);
        });
        CLayerStructureDlg dialog(&window, layer, nullptr);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        ASSERT_EQ(boxes.Boxes().size(), 2u);
        EXPECT_EQ(layer->GetFieldCount(), 1);
        EXPECT_TRUE(window.notices.empty());
        window.model.RemoveLayer(layer);
        delete layer;
    }
}

} // namespace
