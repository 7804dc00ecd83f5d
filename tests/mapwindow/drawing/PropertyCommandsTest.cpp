// Object Properties and Label Properties of the map window, with dialogs of
// the test's own behind the hooks: which dialog a selection gets, the undo
// step, the layer file and the map's modified flag after OK, and nothing after
// Cancel.
#include "tests/mapwindow/drawing/DrawingToolsTestSupport.h"

#include "mapwindow/MapDialogHooks.h"
#include "model/objects/MapText.h"
#include "platform/testing/CmdUIProbe.h"
#include "resources/resource.h"
#include "tests/model/layers/LayerFileMaps.h"

namespace {

using drawtest::DrawingToolTest;

class PropertyCommands : public DrawingToolTest {
protected:
    void SetUp() override
    {
        DrawingToolTest::SetUp();
        m_saved = MapDialogHooks();
        MapDialogHooks().textProperties = nullptr;
        MapDialogHooks().objectProperties = nullptr;
        MapDialogHooks().labelProperties = nullptr;
    }
    void TearDown() override
    {
        MapDialogHooks() = m_saved;
        DrawingToolTest::TearDown();
    }

    bool Enabled(UINT id) { return CmdUIProbe::Update(map, id).enabled; }
    void Command(UINT id) { map.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }

    // Places a text with the Text tool; it is the selection afterwards.
    CMapText* PlaceText(CPoint at)
    {
        map.SetTool(TOOL_TEXT);
        Click(at);
        auto* text = dynamic_cast<CMapText*>(map.GetSelectedObject());
        EXPECT_NE(text, nullptr);
        return text;
    }

    CMapDialogHooks m_saved;
};

TEST_F(PropertyCommands, ATextGetsItsWordsThroughItsDialogAndKeepsThemInTheWorkspace)
{
    CMapText* text = PlaceText(CPoint(100, 100));
    ASSERT_NE(text, nullptr);
    const int id = text->GetMapeID();
    EXPECT_FALSE(Enabled(ID_MAP_OBJECT_PROPERTIES)); // no dialog behind the command
    map.SetModified(0);
    const int undo = layer->GetHistory().GetUndoCount();

    int shown = 0;
    MapDialogHooks().textProperties = [&](CMapText& t, BOOL& modified, CWnd*) -> INT_PTR {
        ++shown;
        EXPECT_EQ(&t, text);
        t.SetText("Old Mill");
        modified = TRUE;
        return IDOK;
    };
    MapDialogHooks().objectProperties = [](CMapObject&, CMapStyle&, BOOL&, CWnd*) -> INT_PTR {
        ADD_FAILURE() << "a text has its own dialog";
        return IDCANCEL;
    };
    ASSERT_TRUE(Enabled(ID_MAP_OBJECT_PROPERTIES));
    Command(ID_MAP_OBJECT_PROPERTIES);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(layer->GetHistory().GetUndoCount(), undo + 1);
    EXPECT_TRUE(map.IsModified());

    ASSERT_TRUE(map.SaveWorkspace(folder.File("map.kwz")));
    ASSERT_TRUE(map.GetMapModel()->SaveMapDatabase()); // the layers' writes committed
    layerfile::LetFilesGo(*map.GetMapModel());
    CMUIMap again;
    again.LoadWorkspace(folder.File("map.kwz"));
    ASSERT_GE(again.GetMapModel()->GetLayerCount(), 1);
    CMapLayer* areas = again.GetMapModel()->GetLayerAt(0);
    auto* stored = dynamic_cast<CMapText*>(areas->LoadObject(id, FALSE));
    ASSERT_NE(stored, nullptr);
    EXPECT_STREQ(stored->GetText(), "Old Mill");
}

TEST_F(PropertyCommands, UndoGivesATextItsWordsOfBefore)
{
    CMapText* text = PlaceText(CPoint(100, 100));
    ASSERT_NE(text, nullptr);
    const int id = text->GetMapeID();
    MapDialogHooks().textProperties = [](CMapText& t, BOOL& modified, CWnd*) -> INT_PTR {
        t.SetText("Old Mill");
        modified = TRUE;
        return IDOK;
    };
    Command(ID_MAP_OBJECT_PROPERTIES);
    layer->GetHistory().Undo(layer);
    auto* undone = dynamic_cast<CMapText*>(layer->LoadObject(id, FALSE));
    ASSERT_NE(undone, nullptr);
    EXPECT_STREQ(undone->GetText(), "Text");
}

TEST_F(PropertyCommands, CancelledOrUnchangedLeavesNoUndoStep)
{
    PlaceText(CPoint(100, 100));
    map.SetModified(0);
    const int undo = layer->GetHistory().GetUndoCount();
    for (INT_PTR answer : {IDCANCEL, IDOK}) {
        MapDialogHooks().textProperties = [answer](CMapText&, BOOL& modified, CWnd*) -> INT_PTR {
            modified = FALSE;
            return answer;
        };
        Command(ID_MAP_OBJECT_PROPERTIES);
    }
    EXPECT_EQ(layer->GetHistory().GetUndoCount(), undo);
    EXPECT_FALSE(map.IsModified());
}

TEST_F(PropertyCommands, TheDocumentsCommandOpensTheSheetAndTheNewStyleIsStored)
{
    // The pie of the workspace: select it with a click inside.
    map.SetTool(TOOL_SELECT);
    Click(Device(500, 800));
    CMapObject* pie = map.GetSelectedObject();
    ASSERT_NE(pie, nullptr);
    ASSERT_EQ(pie->GetType(), MAP_OBJECT_PIE);
    const int id = pie->GetMapeID();
    map.SetModified(0);
    MapDialogHooks().objectProperties = [](CMapObject& object, CMapStyle& style, BOOL& dataChanged, CWnd*) -> INT_PTR {
        EXPECT_EQ(style.GetBrushColor(), object.GetStyle()->GetBrushColor()); // it starts from the object's
        style.SetBrushColor(RGB(0, 200, 0));
        dataChanged = FALSE;
        return IDOK;
    };
    const int undo = layer->GetHistory().GetUndoCount();
    map.OnCmdMsg(ID_OBJECT_PROPERTIES, CN_COMMAND, nullptr, nullptr); // the map window has no such id: the document does
    Command(ID_MAP_OBJECT_PROPERTIES);
    EXPECT_EQ(layer->GetHistory().GetUndoCount(), undo + 1);
    EXPECT_TRUE(map.IsModified());
    std::unique_ptr<CMapObject> stored(layer->ReadObject(id, FALSE, FALSE));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetStyle()->GetBrushColor(), RGB(0, 200, 0));

    // Undo gives the pie the colour it had before the sheet.
    layer->GetHistory().Undo(layer);
    std::unique_ptr<CMapObject> undone(layer->ReadObject(id, FALSE, FALSE));
    ASSERT_NE(undone, nullptr);
    EXPECT_EQ(undone->GetStyle()->GetBrushColor(), mwtest::kPieColour);
}

TEST_F(PropertyCommands, LabelPropertiesNeedASelectedLabelAndMarkTheMap)
{
    MapDialogHooks().labelProperties = [](const std::vector<CMapLabel*>& labels, CWnd*) -> INT_PTR {
        EXPECT_EQ(labels.size(), 1u);
        return IDOK;
    };
    EXPECT_FALSE(Enabled(ID_MAP_LABEL_PROPERTIES));
    CMapText* text = PlaceText(CPoint(100, 100));
    ASSERT_NE(text, nullptr);
    map.SelectOverlay(text->GetLabel(), TRUE);
    ASSERT_TRUE(Enabled(ID_MAP_LABEL_PROPERTIES));
    map.SetModified(0);
    Command(ID_MAP_LABEL_PROPERTIES);
    EXPECT_TRUE(map.IsModified());
}

} // namespace
