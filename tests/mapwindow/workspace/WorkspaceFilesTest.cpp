// Workspace and layer files as the user keeps them: a Save As into another
// folder takes the layers' objects along, a layer from another folder is
// copied beside its workspace, a new empty workspace file saves, a file
// another connection holds is in use and left as it is, a second map does not
// take the files of the first, layers kept on their own open, the workspace's
// view and the files' bounds win at open, and a file left by a killed session
// opens with what it last committed. Files are checked by reopening them in a
// new map and by reading them with SQLite.
#include "tests/mapwindow/workspace/WorkspaceFilesSupport.h"

#include "core/SQLiteStatement.h"
#include "mapwindow/MUIDoc.h"
#include "model/layers/LayerFileCheck.h"
#include "platform/testing/DialogAnswerer.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace wstest;

int Count(const CString& path, const char* sql)
{
    CSQLiteDatabase db;
    if (db.OpenExisting(path, true) != SQLITE_OK)
        return -1;
    return db.QueryInt(sql);
}

int Objects(const CString& layerFile)
{
    return Count(layerFile, "select count(*) from _MapGeoData;");
}

CString FileOf(CMapLayer* layer)
{
    return sqlite3_db_filename(layer->GetDatabase()->GetHandle(), "main");
}

TEST_F(WorkspaceFiles, SaveAsIntoAnotherFolderTakesEveryLayersObjectsAlongAndLaterSavesGoThere)
{
    const CString old = MakeFilledWorkspace(Sub("old"));
    std::filesystem::create_directory(Sub("new"));
    const CString copy = (Sub("new") + "/map.kwz").c_str();
    {
        CMUIMap window;
        window.LoadWorkspace(old);
        CMapModel* map = window.GetMapModel();
        ASSERT_EQ(map->GetLayerCount(), 2);
        // Not yet saved when the Save As comes.
        AddWell(map->GetLayerAt(0), 700, 700, "East well", 1);
        ASSERT_TRUE(window.SaveWorkspace(copy));
        ASSERT_TRUE(map->SaveMapDatabase());
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(GetFolderFromPath(FileOf(map->GetLayerAt(i))), GetFolderFromPath(copy));
        // Later saves reach the new files only.
        AddParcel(map->GetLayerAt(1), 900, 900, 10, 10, RGB(1, 1, 1));
        ASSERT_TRUE(map->SaveMapDatabase());
    }
    EXPECT_EQ(Objects((Sub("new") + "/Wells.klz").c_str()), 3);
    EXPECT_EQ(Objects((Sub("new") + "/Parcels.klz").c_str()), 4);
    EXPECT_EQ(Objects((Sub("old") + "/Wells.klz").c_str()), 2);
    EXPECT_EQ(Objects((Sub("old") + "/Parcels.klz").c_str()), 3);

    CMUIMap window;
    window.LoadWorkspace(copy);
    CMapModel* map = window.GetMapModel();
    ASSERT_EQ(map->GetLayerCount(), 2);
    EXPECT_EQ(map->GetLayerAt(0)->GetObjectCount(), 3);
    EXPECT_EQ(map->GetLayerAt(1)->GetObjectCount(), 4);
    EXPECT_EQ(map->GetExtent().right, 910);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(WorkspaceFiles, ALayerLoadedFromAnotherFolderIsCopiedBesideTheWorkspace)
{
    const CString path = MakeFilledWorkspace(Sub("ws"));
    // A layer file of its own in another folder, with one parcel saved.
    const CString loose = (Sub("elsewhere") + "/Loose.klz").c_str();
    std::filesystem::create_directory(Sub("elsewhere"));
    {
        CMapModel other;
        auto* layer = new CMapLayer("Loose");
        other.AddLayer(layer);
        ASSERT_EQ(other.CreateLayerDatabase(loose, layer), 1);
        ASSERT_TRUE(other.OpenLayer(loose, layer));
        AddParcel(layer, 1000, 1000, 50, 50, RGB(9, 9, 9));
        layer->SaveProperties();
    }
    const Bytes before = FileBytes(loose);
    {
        CMUIDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        DialogAnswerer answers;
        answers.ThenFile(loose);
        doc.OnCmdMsg(ID_LOAD_LAYER, CN_COMMAND, nullptr, nullptr);
        CMapModel* map = doc.GetMapModel();
        ASSERT_EQ(map->GetLayerCount(), 3);
        AddParcel(map->GetLayerAt(2), 1100, 1100, 50, 50, RGB(8, 8, 8));
        ASSERT_TRUE(doc.SaveMap());
        EXPECT_EQ(FileOf(map->GetLayerAt(2)), CString((Sub("ws") + "/Loose.klz").c_str()));
    }
    // The copy holds both parcels; the file it came from is as it was.
    EXPECT_EQ(Objects((Sub("ws") + "/Loose.klz").c_str()), 2);
    EXPECT_EQ(FileBytes(loose), before);

    CMUIMap window;
    window.LoadWorkspace(path);
    ASSERT_EQ(window.GetMapModel()->GetLayerCount(), 3);
    CMapLayer* layer = window.GetMapModel()->GetLayerAt(2);
    EXPECT_EQ(std::string(layer->GetName()), "Loose");
    EXPECT_EQ(layer->GetObjectCount(), 2);
    EXPECT_EQ(layer->GetBounds(), CDoubleRect(1000.0, 1000.0, 1150.0, 1150.0));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(WorkspaceFiles, ANewEmptyWorkspaceFileSavesLikeAnyOther)
{
    // The file the Open command makes for a new name.
    const CString path = folder.File("new.kwz");
    std::ofstream(path.GetString()).close();
    {
        CMUIDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        DialogAnswerer answers;
        answers.ThenFile(folder.File("Roads.klz"));
        CMapLayer* layer = doc.GetMapWnd()->CreateLayer("Roads");
        ASSERT_NE(layer, nullptr);
        AddParcel(layer, 0, 0, 10, 20, RGB(1, 2, 3));
        ASSERT_TRUE(doc.SaveMap());
        EXPECT_FALSE(doc.GetMapWnd()->IsModified());
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(Count(path, "select count(*) from _MapProperty;"), 1);
    EXPECT_EQ(Reader(path).Row("select LayerName, Editable from _LayerProperty;"),
              (std::vector<std::string>{"Roads", "1"}));

    CMUIMap window;
    window.LoadWorkspace(path);
    ASSERT_EQ(window.GetMapModel()->GetLayerCount(), 1);
    EXPECT_EQ(window.GetMapModel()->GetLayerAt(0)->GetObjectCount(), 1);
}

// Another program's connection that holds a file locked until it ends.
class Locker {
public:
    Locker(const CString& path, const char* begin)
    {
        sqlite3_open(path, &m_db);
        m_rc = sqlite3_exec(m_db, begin, nullptr, nullptr, nullptr);
    }
    ~Locker() { sqlite3_close(m_db); }
    int Result() const { return m_rc; }

private:
    sqlite3* m_db = nullptr;
    int m_rc = 0;
};

TEST_F(WorkspaceFiles, ALayerFileAnotherProgramHoldsIsBusyNotBroken)
{
    const CString path = MakeFilledWorkspace(Sub("ws"));
    const CString wells = (Sub("ws") + "/Wells.klz").c_str();
    const Bytes before = FileBytes(wells);
    {
        Locker other(wells, "BEGIN EXCLUSIVE;");
        ASSERT_EQ(other.Result(), SQLITE_OK);
        CMUIMap window;
        window.LoadWorkspace(path);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_NE(boxes.Boxes()[0].text.Find("in use"), -1);
        EXPECT_NE(boxes.Boxes()[0].text.Find("Wells.klz"), -1);
        ASSERT_EQ(window.GetMapModel()->GetLayerCount(), 1);
        // The save keeps its row, and neither touches its file nor its name.
        ASSERT_TRUE(window.GetMapModel()->SaveMapDatabase());

        // A map whose layer is written into the folder of the held file
        // refuses to save and says why.
        boxes.Clear();
        CMUIMap other2;
        Fill(other2, {{"Wells", 0, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0}});
        EXPECT_FALSE(other2.SaveWorkspace((Sub("ws") + "/second.kwz").c_str()));
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_NE(boxes.Boxes()[0].text.Find("in use"), -1);
    }
    EXPECT_EQ(FileBytes(wells), before);
    EXPECT_FALSE(std::filesystem::exists((wells + ".unreadable").GetString()));
    EXPECT_FALSE(std::filesystem::exists((Sub("ws") + "/second.kwz").c_str()));

    boxes.Clear();
    CMUIMap window;
    window.LoadWorkspace(path);
    ASSERT_EQ(window.GetMapModel()->GetLayerCount(), 2);
    EXPECT_EQ(window.GetMapModel()->GetLayerAt(0)->GetObjectCount(), 2);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(WorkspaceFiles, ASecondMapOfTheSameWorkspaceLeavesTheFilesToTheFirst)
{
    const CString path = MakeFilledWorkspace(Sub("ws"));
    {
        CMUIMap first;
        first.LoadWorkspace(path);
        ASSERT_EQ(first.GetMapModel()->GetLayerCount(), 2);
        CMUIMap second;
        second.LoadWorkspace(path);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_NE(boxes.Boxes()[0].text.Find("Wells.klz is in use"), -1);
        EXPECT_NE(boxes.Boxes()[0].text.Find("Parcels.klz is in use"), -1);
        EXPECT_EQ(second.GetMapModel()->GetLayerCount(), 0);

        // The first map saves as if it were alone; the second keeps the rows.
        AddWell(first.GetMapModel()->GetLayerAt(0), 1, 1, "Third", 2);
        EXPECT_TRUE(first.GetMapModel()->SaveMapDatabase());
        EXPECT_TRUE(second.GetMapModel()->SaveMapDatabase());
    }
    boxes.Clear();
    CMUIMap window;
    window.LoadWorkspace(path);
    ASSERT_EQ(window.GetMapModel()->GetLayerCount(), 2);
    EXPECT_EQ(window.GetMapModel()->GetLayerAt(0)->GetObjectCount(), 3);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(WorkspaceFiles, ALayerKeptWithItsWorkspaceRowOpens)
{
    const CString path = MakeFilledWorkspace(Sub("ws"));
    // A layer file kept on its own holds the workspace's row of itself.
    const CString parcels = (Sub("ws") + "/Parcels.klz").c_str();
    Reader(parcels).Exec("create table _LayerProperty(LayerName VARCHAR(255), Property BLOB, Boundary BLOB, "
                         "AutoLabel BOOL, Editable BOOL, Override BOOL, Visible BOOL, Selectable BOOL, "
                         "LabelField VARCHAR(255));");
    Reader(parcels).Exec("insert into _LayerProperty values('Parcels', NULL, NULL, 0, 1, 0, 1, 1, '');");
    EXPECT_EQ(CheckLayerFile(parcels), LayerFileState::Complete);
    {
        CMapModel map;
        ASSERT_TRUE(map.OpenLayer(parcels, nullptr));
        EXPECT_EQ(map.GetLastLayer()->GetObjectCount(), 3);
    }
    CMUIMap window;
    window.LoadWorkspace(path);
    ASSERT_EQ(window.GetMapModel()->GetLayerCount(), 2);
    EXPECT_EQ(window.GetMapModel()->GetLayerAt(1)->GetObjectCount(), 3);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(WorkspaceFiles, TheWorkspacesViewAndTheFilesBoundsWinAtOpen)
{
    const CString path = MakeFilledWorkspace(Sub("ws"));
    // The layer files remember another view than the workspace.
    for (const char* layer : {"/Wells.klz", "/Parcels.klz"})
        Reader((Sub("ws") + layer).c_str()).Exec("update _MapProperty set dXOff=9, dYOff=9, dZoom=9 where ROWID=1;");
    // Another map adds a well far off to the layer file alone.
    {
        CMapModel other;
        ASSERT_TRUE(other.OpenLayer((Sub("ws") + "/Wells.klz").c_str(), nullptr));
        AddWell(other.GetLastLayer(), 5000, 6000, "Far", 1);
        other.GetLastLayer()->SaveProperties();
    }
    {
        CMUIMap window;
        window.LoadWorkspace(path);
        CMapModel* map = window.GetMapModel();
        EXPECT_TRUE(window.HasStoredView());
        EXPECT_EQ(map->GetXOffset(), -20.5);
        EXPECT_EQ(map->GetYOffset(), 10.25);
        EXPECT_EQ(map->GetZoom(), 0.75);
        ASSERT_EQ(map->GetLayerCount(), 2);
        EXPECT_EQ(map->GetLayerAt(0)->GetBounds(), CDoubleRect(100.0, 200.0, 5000.0, 6000.0));
        EXPECT_EQ(map->GetExtent().top, 6000);
    }

    // Stored without a view, by a map that was never shown: the map opens with
    // one it can draw with, to be fitted when it is shown.
    Reader(path).Exec("update _MapProperty set dZoom=-1 where ROWID=1;");
    for (const char* layer : {"/Wells.klz", "/Parcels.klz"})
        Reader((Sub("ws") + layer).c_str()).Exec("update _MapProperty set dZoom=-1 where ROWID=1;");
    CMUIMap unviewed;
    unviewed.LoadWorkspace(path);
    EXPECT_EQ(unviewed.GetMapModel()->GetLayerCount(), 2);
    EXPECT_FALSE(unviewed.HasStoredView());
    EXPECT_EQ(unviewed.GetZoom(), 1.0);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(WorkspaceFiles, AFileLeftByAKilledSessionOpensWithWhatItLastCommitted)
{
    const CString path = MakeFilledWorkspace(Sub("ws"));
    const CString wells = (Sub("ws") + "/Wells.klz").c_str();
    // A session that edits and is killed before it saves, its edit more than
    // SQLite keeps in memory, so that the file holds pages of it.
    ASSERT_EQ(InNewProcess([&] {
                  CMUIMap window;
                  window.LoadWorkspace(path);
                  if (window.GetMapModel()->GetLayerCount() != 2)
                      return 3;
                  CMapPolygon big;
                  for (int i = 0; i < 400000; ++i)
                      big.AddPoint(CFloatPoint((float)(i % 1000), (float)(i / 1000)));
                  window.GetMapModel()->GetLayerAt(0)->AddObject(&big, TRUE);
                  _exit(0);
              }),
              0);
    ASSERT_TRUE(std::filesystem::exists((wells + "-journal").GetString()));

    CMUIMap window;
    window.LoadWorkspace(path);
    EXPECT_TRUE(boxes.Boxes().empty());
    ASSERT_EQ(window.GetMapModel()->GetLayerCount(), 2);
    EXPECT_EQ(window.GetMapModel()->GetLayerAt(0)->GetObjectCount(), 2);
    ASSERT_TRUE(window.GetMapModel()->SaveMapDatabase());
    EXPECT_EQ(Objects(wells), 2);
    EXPECT_FALSE(std::filesystem::exists((wells + ".unreadable").GetString()));
}

TEST_F(WorkspaceFiles, AFileOfAnotherMapInTheTargetFolderIsReplacedOnlyWhenTheUserAgrees)
{
    const CString path = MakeFilledWorkspace(Sub("ws"));
    // The target folder holds a Wells.klz of some other map.
    const CString target = (Sub("other") + "/map2.kwz").c_str();
    MakeFilledWorkspace(Sub("other"));
    const CString foreign = (Sub("other") + "/Wells.klz").c_str();
    Reader(foreign).Exec("delete from _MapGeoData;");
    const Bytes before = FileBytes(foreign);

    CMUIMap window;
    window.LoadWorkspace(path);
    {
        ModalRecorder no({IDNO});
        EXPECT_FALSE(window.SaveWorkspace(target));
        ASSERT_EQ(no.Boxes().size(), 1u);
        EXPECT_NE(no.Boxes()[0].text.Find("Wells.klz, Parcels.klz"), -1);
        EXPECT_EQ(no.Boxes()[0].type & MB_TYPEMASK, MB_YESNO);
    }
    EXPECT_EQ(FileBytes(foreign), before);
    EXPECT_FALSE(std::filesystem::exists(target.GetString()));
    {
        ModalRecorder yes({IDYES});
        EXPECT_TRUE(window.SaveWorkspace(target));
    }
    EXPECT_EQ(Objects(foreign), 2);
    // Saved over a workspace, its own layers' files go without a question.
    std::filesystem::create_directory(Sub("third"));
    {
        ModalRecorder none;
        EXPECT_TRUE(window.SaveWorkspace((Sub("third") + "/map.kwz").c_str()));
        EXPECT_TRUE(window.SaveWorkspace(target));
        EXPECT_TRUE(none.Boxes().empty());
    }
}

}
