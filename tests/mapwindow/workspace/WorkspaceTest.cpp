// The workspace database: the map's row and the layer rows as the writer
// creates them, their round trip through the loader, a failed save that keeps
// the old file, and layer files that are missing.
#include "tests/mapwindow/workspace/WorkspaceTestSupport.h"

#include "mapwindow/MUIDoc.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace wstest;

TEST_F(Workspace, SaveWritesTheMapRowAndOneRowPerLayer)
{
    CMUIDoc doc;
    CMUIMap& window = *doc.GetMapWnd();
    Fill(window, kTwoLayers);
    CMapModel* map = doc.GetMapModel();
    map->SetXOffset(123456.78901234567);
    map->SetYOffset(-0.000123456789012345);
    map->SetZoom(1.0 / 3.0);
    map->GetLayerAt(0)->AddField(CMapField("Street name", FIELD_TYPE_STRING, 30));
    map->GetLayerAt(0)->SetLabelFieldIndex(0);
    const CString path = folder.File("map.kwz");
    ASSERT_TRUE(window.SaveWorkspace(path));

    Reader file(path);
    using Schema = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(file.Schema("_MapProperty"),
              (Schema{{"dXOff", "DOUBLE"}, {"dYOff", "DOUBLE"}, {"dZoom", "DOUBLE"}, {"MapEVersion", "INT"},
                      {"SelProperty", "BLOB"}, {"Boundary", "BLOB"}, {"MapUnits", "BLOB"},
                      {"ProjectionType", "INT UNSIGNED"}}));
    EXPECT_EQ(file.Schema("_LayerProperty"),
              (Schema{{"LayerName", "VARCHAR(255)"}, {"Property", "BLOB"}, {"Boundary", "BLOB"},
                      {"AutoLabel", "BOOL"}, {"Editable", "BOOL"}, {"Override", "BOOL"}, {"Visible", "BOOL"},
                      {"Selectable", "BOOL"}, {"LabelField", "VARCHAR(255)"}}));

    // Full precision: every digit of the view comes back.
    EXPECT_EQ(file.Double("select dXOff from _MapProperty where ROWID=1;"), 123456.78901234567);
    EXPECT_EQ(file.Double("select dYOff from _MapProperty where ROWID=1;"), -0.000123456789012345);
    EXPECT_EQ(file.Double("select dZoom from _MapProperty where ROWID=1;"), 1.0 / 3.0);
    // A new map takes the preferred coordinate system, and the file records its code.
    EXPECT_EQ(file.Row("select MapEVersion, SelProperty, Boundary, MapUnits, ProjectionType from _MapProperty;"),
              (std::vector<std::string>{"211", "blob272", "blob40", "blob20", "4803"}));
    const CMapStyle::Record style = map->GetDefaultStyle()->ToRecord();
    EXPECT_EQ(file.Blob("select SelProperty from _MapProperty;"), Bytes(style.begin(), style.end()));

    EXPECT_EQ(file.Row("select * from _LayerProperty where ROWID=1;"),
              (std::vector<std::string>{"Roads", "blob272", "blob40", "1", "1", "0", "1", "0", "Street_name"}));
    EXPECT_EQ(file.Row("select * from _LayerProperty where ROWID=2;"),
              (std::vector<std::string>{"River_banks", "blob272", "blob40", "0", "0", "1", "0", "1", ""}));
    const CDoubleRect::Record bounds = CDoubleRect(-5.0, -6.0, 7.5, 8.25).ToRecord();
    EXPECT_EQ(file.Blob("select Boundary from _LayerProperty where ROWID=2;"), Bytes(bounds.begin(), bounds.end()));
    EXPECT_TRUE(std::filesystem::exists(folder.File("Roads.klz").GetString()));
    EXPECT_TRUE(std::filesystem::exists(folder.File("River_banks.klz").GetString()));
    EXPECT_FALSE(map->GetLayerAt(0)->IsModified());
    // The map keeps the new workspace as its database.
    ASSERT_NE(map->GetDatabase(), nullptr);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Workspace, LoadBringsBackTheMapAndItsLayers)
{
    const CString path = folder.File("map.kwz");
    CMapStyle::Record styles[2];
    {
        CMUIMap window;
        Fill(window, kTwoLayers);
        CMapModel* map = window.GetMapModel();
        map->SetXOffset(654321.12345678901);
        map->SetYOffset(42.000000000000007);
        map->SetZoom(0.0123456789012345);
        CMapUnits units;
        units.SetDistanceUnitCode(4);
        units.SetAreaUnitCode(8);
        map->SetUnits(units);
        for (int i = 0; i < 2; ++i)
            styles[i] = map->GetLayerAt(i)->GetStyle()->ToRecord();
        ASSERT_TRUE(window.SaveWorkspace(path));
    }
    CMUIMap window;
    EXPECT_EQ(window.LoadWorkspace(path), 1);
    CMapModel* map = window.GetMapModel();
    ASSERT_EQ(map->GetLayerCount(), 2);
    EXPECT_EQ(std::string(map->GetPathName()), "map");
    EXPECT_EQ(map->GetXOffset(), 654321.12345678901);
    EXPECT_EQ(map->GetYOffset(), 42.000000000000007);
    EXPECT_EQ(map->GetZoom(), 0.0123456789012345);
    EXPECT_EQ(map->GetUnits().GetDistanceUnitCode(), 4);
    EXPECT_EQ(map->GetUnits().GetAreaUnitCode(), 8);
    EXPECT_NE(map->GetDatabase(), nullptr);
    for (int i = 0; i < 2; ++i) {
        const LayerSpec& spec = kTwoLayers[(size_t)i];
        CMapLayer* layer = map->GetLayerAt(i);
        SCOPED_TRACE(spec.name);
        // Every field of the style; the flags word at its end is not part of it.
        const CMapStyle::Record style = layer->GetStyle()->ToRecord();
        EXPECT_TRUE(std::equal(style.begin() + 4, style.begin() + 268, styles[i].begin() + 4));
        EXPECT_EQ(layer->GetStyle()->GetPenColor(), spec.pen);
        EXPECT_EQ(layer->GetBounds().left, spec.bounds.left);
        EXPECT_EQ(layer->GetBounds().top, spec.bounds.top);
        EXPECT_EQ(layer->GetAutoLabel(), spec.autoLabel);
        EXPECT_EQ(layer->GetOverride(), spec.override_);
        EXPECT_EQ(layer->IsVisible(), spec.visible);
        EXPECT_EQ(layer->IsSelectable(), spec.selectable);
        EXPECT_EQ(layer->IsEditable(), spec.editable);
        EXPECT_NE(layer->GetDatabase(), nullptr);
    }
    EXPECT_EQ(map->GetExtent().left, -5.0);
    EXPECT_EQ(map->GetExtent().top, 8.25);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Workspace, OnlyTheLowestEditableLayerStaysEditable)
{
    struct Case {
        std::vector<int> stored, loaded;
        int count;
    };
    const Case cases[] = {
        {{1, 1, 1}, {1, 0, 0}, 3},
        {{0, 1, 1}, {0, 1, 0}, 2},
        {{0, 0, 0}, {0, 0, 1}, 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        const CString path = folder.File(("edit" + std::to_string(n++) + ".kwz").c_str());
        {
            CMUIMap window;
            std::vector<LayerSpec> layers;
            const char* names[] = {"A", "B", "C"};
            for (size_t i = 0; i < 3; ++i)
                layers.push_back({names[i], 0, c.stored[i], 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0});
            Fill(window, layers);
            ASSERT_TRUE(window.SaveWorkspace(path));
        }
        CMUIMap window;
        window.LoadWorkspace(path);
        CMapModel* map = window.GetMapModel();
        ASSERT_EQ(map->GetLayerCount(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(map->GetLayerAt(i)->IsEditable(), c.loaded[(size_t)i]) << n << " layer " << i;
        EXPECT_EQ(map->GetEditMode(), c.count);
    }
}

TEST_F(Workspace, MissingLayerFilesAreToldOnceAndTheirRowsWaitForThem)
{
    const CString path = folder.File("three.kwz");
    {
        CMUIMap window;
        Fill(window, {{"First", 0, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0},
                      {"Second", 1, 0, 1, 0, 0, CDoubleRect(2.0, 3.0, 4.0, 5.0), RGB(1, 2, 3)},
                      {"Third", 0, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0}});
        window.GetMapModel()->GetLayerAt(1)->AddField(CMapField("Owner name", FIELD_TYPE_STRING, 20));
        window.GetMapModel()->GetLayerAt(1)->SetLabelFieldIndex(0);
        ASSERT_TRUE(window.SaveWorkspace(path));
    }
    const auto rows = [&path] {
        std::vector<std::vector<std::string>> all;
        for (int i = 1; i <= 4; ++i)
            all.push_back(Reader(path).Row(("select * from _LayerProperty where ROWID=" + std::to_string(i)).c_str()));
        return all;
    };
    const auto before = rows();
    const Bytes secondStyle = Reader(path).Blob("select Property from _LayerProperty where LayerName='Second';");
    std::filesystem::rename(folder.File("Second.klz").GetString(), folder.File("away.klz").GetString());
    std::ofstream(folder.File("Third.klz").GetString(), std::ios::trunc).close();   // empty: no layer either

    {
        CMUIMap window;
        EXPECT_EQ(window.LoadWorkspace(path), 1);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(std::string(boxes.Boxes()[0].text), "Second.klz not found.\nThird.klz not found.");
        EXPECT_EQ(boxes.Boxes()[0].type & MB_TYPEMASK, MB_OK);
        ASSERT_EQ(window.GetMapModel()->GetLayerCount(), 1);
        EXPECT_EQ(std::string(window.GetMapModel()->GetLayerAt(0)->GetName()), "First");
        // A save keeps the rows of the layers it could not open, in their places.
        window.GetMapModel()->GetLayerAt(0)->SetVisible(0);
        ASSERT_TRUE(window.GetMapModel()->SaveMapDatabase());
    }
    auto after = rows();
    EXPECT_EQ(after[0][6], "0");
    after[0][6] = before[0][6];
    EXPECT_EQ(after, before);
    EXPECT_EQ(Reader(path).Blob("select Property from _LayerProperty where LayerName='Second';"), secondStyle);

    // With its file back, the layer is there as it was.
    std::filesystem::rename(folder.File("away.klz").GetString(), folder.File("Second.klz").GetString());
    boxes.Clear();
    CMUIMap window;
    window.LoadWorkspace(path);
    EXPECT_EQ(boxes.Boxes().size(), 1u);   // Third's file is still empty
    ASSERT_EQ(window.GetMapModel()->GetLayerCount(), 2);
    CMapLayer* second = window.GetMapModel()->GetLayerAt(1);
    EXPECT_EQ(std::string(second->GetName()), "Second");
    EXPECT_EQ(second->GetStyle()->GetPenColor(), RGB(1, 2, 3));
    EXPECT_EQ(second->GetAutoLabel(), 1);
    EXPECT_EQ(second->GetOverride(), 1);
    EXPECT_EQ(second->IsVisible(), 0);
    EXPECT_EQ(std::string(second->GetLabelField()), "Owner_name");
}

TEST_F(Workspace, AFailedSaveKeepsTheOldFile)
{
    const CString path = folder.File("keep.kwz");
    {
        CMUIMap window;
        Fill(window, kTwoLayers);
        ASSERT_TRUE(window.SaveWorkspace(path));
    }
    const Bytes before = FileBytes(path);
    ASSERT_FALSE(before.empty());

    CMUIMap window;
    // A layer whose file cannot be created: its folder does not exist.
    Fill(window, {{"no/such/folder", 0, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0}});
    EXPECT_FALSE(window.SaveWorkspace(path));
    EXPECT_EQ(FileBytes(path), before);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_FALSE(boxes.Boxes()[0].text.IsEmpty());
    EXPECT_EQ(window.GetMapModel()->GetDatabase(), nullptr);
    // Nothing is left beside it.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.File("").GetString()))
        files += entry.path().extension() != ".klz";
    EXPECT_EQ(files, 1);
}

TEST_F(Workspace, SavingOverTheOpenWorkspaceReconnectsToTheNewFile)
{
    const CString path = folder.File("same.kwz");
    CMUIMap window;
    Fill(window, kTwoLayers);
    ASSERT_TRUE(window.SaveWorkspace(path));
    window.GetMapModel()->SetXOffset(99.5);
    ASSERT_TRUE(window.SaveWorkspace(path));
    CSQLiteStatement stmt;
    window.GetMapModel()->GetDatabase()->Prepare("select dXOff from _MapProperty;", stmt);
    ASSERT_EQ(stmt.Step(), SQLITE_ROW);
    EXPECT_EQ(stmt.ColumnDouble(0), 99.5);
}

TEST_F(Workspace, Version200IsMarked210WhenRead)
{
    const CString path = folder.File("old.kwz");
    {
        CMUIMap window;
        Fill(window, kTwoLayers);
        ASSERT_TRUE(window.SaveWorkspace(path));
    }
    Reader(path).Exec("update _MapProperty set MapEVersion=200 where ROWID=1;");
    {
        CMUIMap window;
        window.LoadWorkspace(path);
    }
    EXPECT_EQ(Reader(path).Row("select MapEVersion from _MapProperty;"), (std::vector<std::string>{"210"}));
}

TEST_F(Workspace, AFileWithoutTablesLoadsAsAnEmptyMap)
{
    const CString path = folder.File("empty.kwz");
    std::ofstream(path.GetString()).close();
    CMUIMap window;
    EXPECT_EQ(window.LoadWorkspace(path), 1);
    EXPECT_EQ(window.GetMapModel()->GetLayerCount(), 0);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Workspace, LayerNamesWithQuotesRoundTrip)
{
    const CString path = folder.File("quote.kwz");
    {
        CMUIMap window;
        Fill(window, {{"O'Brien", 0, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0}});
        ASSERT_TRUE(window.SaveWorkspace(path));
    }
    CMUIMap window;
    window.LoadWorkspace(path);
    ASSERT_EQ(window.GetMapModel()->GetLayerCount(), 1);
    EXPECT_EQ(std::string(window.GetMapModel()->GetLayerAt(0)->GetName()), "O'Brien");
}

}
