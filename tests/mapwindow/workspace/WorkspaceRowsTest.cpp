// The layer rows of a workspace through save and load: order, flags, label
// fields and the editable rule; a save of the open workspace that writes the
// layers the map has now; layer names that would lead out of the folder.
#include "tests/mapwindow/workspace/WorkspaceTestSupport.h"

#include "model/layers/LayerFileCheck.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace wstest;

std::vector<std::string> LayerNames(CMapModel* map)
{
    std::vector<std::string> names;
    for (POSITION pos = map->GetFirstLayerPosition(); pos;)
        names.push_back(map->GetNextLayer(pos)->GetName().GetString());
    return names;
}

TEST_F(Workspace, ThreeLayersKeepOrderFlagsLabelFieldsAndTheEditableRule)
{
    const CString path = folder.File("three.kwz");
    const std::vector<LayerSpec> specs = {
        {"Parcels", 1, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 10.0, 10.0), RGB(1, 2, 3)},
        {"O'Brien's wells", 0, 1, 1, 0, 1, CDoubleRect(2.0, 2.0, 4.0, 4.0), RGB(4, 5, 6)},
        {"Roads", 1, 1, 0, 1, 0, CDoubleRect(-1.0, -1.0, 1.0, 1.0), RGB(7, 8, 9)},
    };
    const char* fields[] = {"Owner's name", "Depth", "Street name"};
    {
        CMUIMap window;
        Fill(window, specs);
        for (int i = 0; i < 3; ++i) {
            CMapLayer* layer = window.GetMapModel()->GetLayerAt(i);
            layer->AddField(CMapField("Id", FIELD_TYPE_INTEGER, 8));
            layer->AddField(CMapField(fields[i], FIELD_TYPE_STRING, 30));
            layer->SetLabelFieldIndex(1);
        }
        ASSERT_TRUE(window.SaveWorkspace(path));
    }

    CMUIMap window;
    window.LoadWorkspace(path);
    CMapModel* map = window.GetMapModel();
    EXPECT_EQ(LayerNames(map), (std::vector<std::string>{"Parcels", "O'Brien's_wells", "Roads"}));
    const char* stored[] = {"Owner's_name", "Depth", "Street_name"};
    const int editable[] = {1, 0, 0};
    for (int i = 0; i < 3; ++i) {
        CMapLayer* layer = map->GetLayerAt(i);
        SCOPED_TRACE(specs[(size_t)i].name);
        EXPECT_EQ(layer->GetAutoLabel(), specs[(size_t)i].autoLabel);
        EXPECT_EQ(layer->GetOverride(), specs[(size_t)i].override_);
        EXPECT_EQ(layer->IsVisible(), specs[(size_t)i].visible);
        EXPECT_EQ(layer->IsSelectable(), specs[(size_t)i].selectable);
        EXPECT_EQ(layer->IsEditable(), editable[i]);
        // The label field comes back and names the layer's field.
        EXPECT_EQ(std::string(layer->GetLabelField()), stored[i]);
        EXPECT_EQ(layer->GetLabelFieldIndex(), 1);
    }
    EXPECT_EQ(map->GetEditMode(), 3);

    // Saved again, the label fields stay.
    ASSERT_TRUE(map->SaveMapDatabase());
    Reader file(path);
    for (int i = 0; i < 3; ++i) {
        const std::string sql = "select LabelField from _LayerProperty where ROWID=" + std::to_string(i + 1) + ";";
        EXPECT_EQ(file.Row(sql.c_str()), (std::vector<std::string>{stored[i]}));
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Workspace, ASaveWritesTheLayersTheMapHasNow)
{
    const CString path = folder.File("changed.kwz");
    {
        CMUIMap window;
        Fill(window, {{"A", 0, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0},
                      {"B", 0, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0},
                      {"C", 0, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0}});
        ASSERT_TRUE(window.SaveWorkspace(path));
    }
    {
        CMUIMap window;
        window.LoadWorkspace(path);
        CMapModel* map = window.GetMapModel();
        ASSERT_EQ(map->GetLayerCount(), 3);
        CMapLayer* a = map->GetLayerAt(0);
        CMapLayer* b = map->GetLayerAt(1);
        CMapLayer* c = map->GetLayerAt(2);
        map->RemoveLayer(b);
        delete b;
        ASSERT_TRUE(map->SwapLayers(a, c));
        a->SetVisible(0);
        auto* added = new CMapLayer("New one");
        added->AddField(CMapField("Depth", FIELD_TYPE_DOUBLE, 8));
        map->AddLayer(added);
        ASSERT_TRUE(map->SaveMapDatabase());
    }
    EXPECT_EQ(CheckLayerFile(folder.File("New_one.klz")), LayerFileState::Complete);

    CMUIMap window;
    window.LoadWorkspace(path);
    CMapModel* map = window.GetMapModel();
    EXPECT_EQ(LayerNames(map), (std::vector<std::string>{"C", "A", "New_one"}));
    ASSERT_EQ(map->GetLayerCount(), 3);
    EXPECT_EQ(map->GetLayerAt(1)->IsVisible(), 0);
    EXPECT_EQ(map->GetLayerAt(2)->FindField("Depth"), 0);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Workspace, LayerNamesThatLeaveTheFolderAreRefused)
{
    std::filesystem::create_directory(folder.File("ws").GetString());
    const CString path = folder.File("ws/map.kwz");
    {
        CMUIMap window;
        Fill(window, {{"Good", 0, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0}});
        ASSERT_TRUE(window.SaveWorkspace(path));
    }
    // A layer file beside the workspace's folder, and a row that names it.
    const CString outside = folder.File("evil.klz");
    {
        CMapModel map;
        CMapLayer layer("evil");
        ASSERT_EQ(map.CreateLayerDatabase(outside, &layer), 1);
    }
    const Bytes before = FileBytes(outside);
    Reader(path).Exec("insert into _LayerProperty (LayerName, AutoLabel, Editable, Override, Visible, Selectable, "
                      "LabelField) values('../evil', 0, 1, 0, 1, 1, '');");
    {
        CMUIMap window;
        window.LoadWorkspace(path);
        EXPECT_EQ(LayerNames(window.GetMapModel()), (std::vector<std::string>{"Good"}));
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_NE(std::string(boxes.Boxes()[0].text).find("../evil"), std::string::npos);
        ASSERT_TRUE(window.GetMapModel()->SaveMapDatabase());
    }
    EXPECT_EQ(FileBytes(outside), before);

    // A map whose layer is so named is not saved, and writes nothing anywhere.
    boxes.Clear();
    CMUIMap window;
    Fill(window, {{"../escape", 0, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0}});
    EXPECT_FALSE(window.SaveWorkspace(folder.File("ws/two.kwz")));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(std::string(boxes.Boxes()[0].text).find("../escape"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.File("escape.klz").GetString()));
    EXPECT_FALSE(std::filesystem::exists(folder.File("ws/two.kwz").GetString()));
}

}
