// The projection code through workspace and layer files: kept through a save
// and a load, absent in old files, a layer file of another projection refused
// untouched, and stored units winning over those the projection implies.
#include "tests/model/projections/ProjectionTestSupport.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"

#include <sqlite3.h>

#include <filesystem>
#include <string>

using namespace projtest;

namespace {

const char* const kMismatch =
    "The layer being imported has different projection then existing map. Please, import it to another map";

// One value of a database file, as text.
std::string Value(const CString& path, const char* sql)
{
    CSQLiteDatabase db;
    db.Open(path);
    CSQLiteStatement stmt;
    db.Prepare(sql, stmt);
    return stmt.Step() == SQLITE_ROW ? std::string(stmt.ColumnText(0).GetString()) : std::string("no row");
}

void Exec(const CString& path, const char* sql)
{
    CSQLiteDatabase db;
    db.Open(path);
    CSQLiteStatement stmt;
    db.Prepare(sql, stmt);
    stmt.Execute();
}

class WorkspaceProjection : public MapProjection {
protected:
    // A map window with the given projection and two layers, saved as `name`.
    CString SaveWorkspace(const char* name, int code)
    {
        CMUIMap window;
        CMapModel* map = window.GetMapModel();
        map->SetProjection(code);
        for (const char* layerName : {"A", "B"}) {
            auto* layer = new CMapLayer(layerName);
            layer->SetBounds(CDoubleRect(1.0, 2.0, 3.0, 4.0));
            map->AddLayer(layer);
        }
        const CString path = m_folder.File(name);
        EXPECT_TRUE(window.SaveWorkspace(path));
        return path;
    }
};

TEST_F(WorkspaceProjection, AWorkspaceKeepsItsProjectionThroughLoadAndSave)
{
    for (int code : {4326, 32632, 4803}) {
        SCOPED_TRACE(code);
        const CString first = SaveWorkspace(("first" + std::to_string(code) + ".kwz").c_str(), code);
        EXPECT_EQ(Value(first, "select ProjectionType from _MapProperty;"), std::to_string(code));
        EXPECT_EQ(Value(m_folder.File("A.klz"), "select ProjectionType from _MapProperty where ROWID=1;"),
                  std::to_string(code));

        CMUIMap window;   // starts with the preference, 4803
        window.LoadWorkspace(first);
        CMapModel* map = window.GetMapModel();
        EXPECT_EQ(map->GetProjectionCode(), code);
        ASSERT_NE(map->GetSpatialReference(), nullptr);
        EXPECT_EQ(map->GetLayerCount(), 2);
        const CString second = m_folder.File(("second" + std::to_string(code) + ".kwz").c_str());
        ASSERT_TRUE(window.SaveWorkspace(second));
        EXPECT_EQ(Value(second, "select ProjectionType from _MapProperty;"), std::to_string(code));
        for (const char* file : {"A.klz", "B.klz"})
            std::filesystem::remove(m_folder.File(file).GetString());
    }
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(WorkspaceProjection, FilesThatRecordNoProjectionStillOpen)
{
    g_CoordinationSystem = -1;
    const CString path = SaveWorkspace("old.kwz", -1);
    EXPECT_EQ(Value(path, "select ProjectionType from _MapProperty;"), "4294967295");
    EXPECT_EQ(Value(m_folder.File("B.klz"), "select ProjectionType from _MapProperty where ROWID=1;"),
              "4294967295");

    g_CoordinationSystem = 4803;
    CMUIMap window;
    window.LoadWorkspace(path);
    EXPECT_EQ(window.GetMapModel()->GetLayerCount(), 2);
    EXPECT_EQ(window.GetMapModel()->GetProjectionCode(), 4803);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(WorkspaceProjection, ALayerFileOfAnotherProjectionIsRefused)
{
    const CString path = SaveWorkspace("map.kwz", 4326);
    const CString other = m_folder.File("B.klz");
    Exec(other, "update _MapProperty set ProjectionType=32632, dXOff=99 where ROWID=1;");
    const std::string before = ReadText(other);

    {
        CMUIMap window;
        window.LoadWorkspace(path);
        CMapModel* map = window.GetMapModel();
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{kMismatch});
        ASSERT_EQ(map->GetLayerCount(), 1);
        EXPECT_EQ(std::string(map->GetLayerAt(0)->GetName()), "A");
        EXPECT_EQ(map->GetProjectionCode(), 4326);
    }
    EXPECT_EQ(ReadText(other), before);

    // Opened into a map of its own, a layer file gives the map its projection;
    // a second one of another projection is refused before it changes the view.
    m_boxes.Clear();
    CMapModel map;
    ASSERT_TRUE(map.OpenLayer(m_folder.File("A.klz"), nullptr));
    EXPECT_EQ(map.GetProjectionCode(), 4326);
    map.SetXOffset(5);
    EXPECT_FALSE(map.OpenLayer(other, nullptr));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kMismatch});
    EXPECT_EQ(map.GetLayerCount(), 1);
    EXPECT_EQ(map.GetXOffset(), 5);
    EXPECT_EQ(map.GetProjectionCode(), 4326);
}

TEST_F(WorkspaceProjection, TheStoredUnitsWinOverThoseOfTheProjection)
{
    const CString path = m_folder.File("units.kwz");
    {
        CMUIMap window;
        CMapModel* map = window.GetMapModel();
        map->SetProjection(4326);
        CMapUnits units = map->GetUnits();
        units.SetCoordUnitCode(MAPUNIT_RAD);
        units.SetUseSpherical(0);
        map->SetUnits(units);
        ASSERT_TRUE(window.SaveWorkspace(path));
    }
    CMUIMap window;
    window.LoadWorkspace(path);
    EXPECT_EQ(window.GetMapModel()->GetProjectionCode(), 4326);
    EXPECT_EQ(window.GetMapModel()->GetUnits().GetCoordUnitCode(), MAPUNIT_RAD);
    EXPECT_EQ(window.GetMapModel()->GetUnits().GetUseSpherical(), 0);
}

} // namespace
