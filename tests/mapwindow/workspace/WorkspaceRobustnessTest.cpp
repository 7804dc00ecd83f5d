// Workspaces against interruption and across processes: layer files left half
// made are completed or remade by the next save, a save killed at any moment
// leaves no half-made layer file, and a workspace saved by one process reads
// back identically in another.
#include "tests/mapwindow/workspace/WorkspaceFilesSupport.h"

#include "core/Settings.h"
#include "model/layers/LayerFileCheck.h"
#include "model/objects/MapNode.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace wstest;

void Sql(const CString& path, const char* sql)
{
    CSQLiteDatabase db;
    db.Open(path);
    db.ExecuteChecked(sql);
}

// Every record of the map and its layers that a workspace stores, as text.
std::string StoredRecords(CMapModel* map)
{
    std::ostringstream out;
    const auto hex = [&out](const BYTE* p, size_t n) {
        char byte[3];
        for (size_t i = 0; i < n; ++i) {
            std::snprintf(byte, sizeof byte, "%02x", p[i]);
            out << byte;
        }
        out << "\n";
    };
    const auto rect = [&out](const CDoubleRect& r) {
        out.precision(17);
        out << r.left << " " << r.bottom << " " << r.right << " " << r.top << "\n";
    };
    out.precision(17);
    out << map->GetXOffset() << " " << map->GetYOffset() << " " << map->GetZoom() << " "
        << map->GetProjectionCode() << "\n";
    const CMapUnits::Record units = map->GetUnits().ToRecord();
    hex(units.data(), units.size());
    const CMapStyle::Record style = map->GetDefaultStyle()->ToRecord();
    hex(style.data(), style.size());
    rect(map->GetExtent());
    for (POSITION pos = map->GetFirstLayerPosition(); pos;) {
        CMapLayer* layer = map->GetNextLayer(pos);
        out << "layer " << layer->GetName().GetString() << " " << layer->GetAutoLabel() << layer->IsEditable()
            << layer->GetOverride() << layer->IsVisible() << layer->IsSelectable() << " label "
            << layer->GetLabelField().GetString() << "\n";
        const CMapStyle::Record layerStyle = layer->GetStyle()->ToRecord();
        // The style's flag word at its end records edits, not the style.
        hex(layerStyle.data(), layerStyle.size() - 4);
        rect(layer->GetBounds());
        for (int i = 0; i < layer->GetFieldCount(); ++i)
            out << "field " << layer->GetField(i).GetName().GetString() << " " << layer->GetField(i).GetType() << "\n";
        for (POSITION node = layer->GetPointObjects().GetHeadPosition(); node;) {
            CMapObject* object = layer->GetPointObjects().GetNext(node);
            out << "object " << object->GetMapeID() << " " << object->GetType() << " ";
            rect(object->GetBoundary());
            for (int i = 0; i < object->GetAttributeCount(); ++i)
                out << " value " << object->GetAttributeText(i).GetString() << "\n";
        }
    }
    return out.str();
}

// Maps without a coordinate system, so that no catalogue is read.
class WorkspaceRobustness : public Workspace {
protected:
    WorkspaceRobustness() : m_savedSystem(g_CoordinationSystem) { g_CoordinationSystem = -1; }
    ~WorkspaceRobustness() override { g_CoordinationSystem = m_savedSystem; }

    // Three layers with fields and label fields, in memory.
    static void FillThree(CMUIMap& window)
    {
        Fill(window, {{"Wells", 1, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 5.0, 5.0), RGB(1, 0, 0)},
                      {"Roads", 0, 0, 1, 1, 0, CDoubleRect(1.0, 1.0, 2.0, 2.0), RGB(0, 1, 0)},
                      {"Parcels", 1, 0, 0, 0, 1, CDoubleRect(3.0, 3.0, 4.0, 4.0), RGB(0, 0, 1)}});
        for (int i = 0; i < 3; ++i) {
            CMapLayer* layer = window.GetMapModel()->GetLayerAt(i);
            layer->AddField(CMapField("Name", FIELD_TYPE_STRING, 40));
            layer->AddField(CMapField("Depth", FIELD_TYPE_DOUBLE, 8));
            layer->SetLabelFieldIndex(0);
        }
    }

private:
    int m_savedSystem;
};

TEST_F(WorkspaceRobustness, ASaveCompletesOrRemakesHalfMadeLayerFiles)
{
    const CString path = folder.File("map.kwz");
    // What a save cut off part-way leaves, one file per layer.
    struct Damage {
        const char* layer;
        std::function<void(const CString&)> make;
        int objects;   // objects the file holds, which the repair keeps
    };
    const std::vector<Damage> damages = {
        {"Empty", [](const CString& p) { WriteText(p, ""); }, 0},
        {"PropertiesOnly",
         [](const CString& p) {
             Sql(p, "create table _MapProperty(dXOff DOUBLE, dYOff DOUBLE, dZoom DOUBLE, MapEVersion INT, "
                    "SelProperty BLOB, Boundary BLOB, MapUnits BLOB, ProjectionType INT UNSIGNED);");
             Sql(p, "insert into _MapProperty values(0, 0, 1, 211, NULL, NULL, NULL, 0);");
         },
         0},
        {"NoPropertyRow",
         [](const CString& p) {
             CMapModel map;
             CMapLayer layer("x");
             map.CreateLayerDatabase(p, &layer);
             Sql(p, "delete from _MapProperty;");
         },
         0},
        {"NoMetaData",
         [](const CString& p) {
             CMapModel map;
             auto* layer = new CMapLayer("NoMetaData");
             map.AddLayer(layer);
             map.CreateLayerDatabase(p, layer);
             map.OpenLayer(p, layer);
             for (int i = 0; i < 2; ++i) {
                 auto* node = new CMapNode;
                 node->SetPosition(i, i);
                 layer->AddObject(node, TRUE);
             }
             layer->SaveProperties();
             layer->CloseDatabase();
             Sql(p, "drop table _MapMetaData;");
         },
         2},
        {"Garbage", [](const CString& p) { WriteText(p, std::string(3000, 'x')); }, 0},
    };
    for (const Damage& damage : damages)
        damage.make(folder.File((std::string(damage.layer) + ".klz").c_str()));
    for (const Damage& damage : damages)
        ASSERT_NE(CheckLayerFile(folder.File((std::string(damage.layer) + ".klz").c_str())),
                  LayerFileState::Complete)
            << damage.layer;
    {
        CMUIMap window;
        std::vector<LayerSpec> specs;
        for (const Damage& damage : damages)
            specs.push_back({damage.layer, 0, 1, 0, 1, 1, CDoubleRect(0.0, 0.0, 1.0, 1.0), 0});
        Fill(window, specs);
        for (int i = 0; i < window.GetMapModel()->GetLayerCount(); ++i)
            window.GetMapModel()->GetLayerAt(i)->AddField(CMapField("Depth", FIELD_TYPE_DOUBLE, 8));
        ASSERT_TRUE(window.SaveWorkspace(path));
    }
    // What was no database is kept beside, not overwritten.
    EXPECT_EQ(ReadText(folder.File("Garbage.klz.unreadable")), std::string(3000, 'x'));

    CMUIMap window;
    window.LoadWorkspace(path);
    CMapModel* map = window.GetMapModel();
    ASSERT_EQ(map->GetLayerCount(), (int)damages.size());
    for (size_t i = 0; i < damages.size(); ++i) {
        CMapLayer* layer = map->GetLayerAt((int)i);
        SCOPED_TRACE(damages[i].layer);
        EXPECT_EQ(std::string(layer->GetName()), damages[i].layer);
        EXPECT_EQ(CheckLayerFile(folder.File((std::string(damages[i].layer) + ".klz").c_str())),
                  LayerFileState::Complete);
        EXPECT_EQ(layer->FindField("Depth"), 0);
        EXPECT_EQ(layer->GetPointObjects().GetCount(), damages[i].objects);
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(WorkspaceRobustness, ASaveKilledAtAnyMomentLeavesNoHalfMadeLayerFile)
{
    int checked = 0;
    for (int kill = 0; kill < 20; ++kill) {
        const std::string round = folder.Path() + "/round" + std::to_string(kill);
        std::filesystem::create_directory(round);
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            // Save after save, each into a new folder, so that every save creates
            // its layer files; each save is announced as it starts.
            CMUIMap window;
            FillThree(window);
            for (int i = 0;; ++i) {
                const std::string into = round + "/" + std::to_string(i);
                std::filesystem::create_directory(into);
                const char go = 1;
                if (write(started[1], &go, 1) != 1)
                    _exit(1);
                window.SaveWorkspace((into + "/map.kwz").c_str());
            }
        }
        ASSERT_GT(pid, 0);
        close(started[1]);
        // The kill falls somewhere in the second to fourth save, at a moment
        // that moves through the save from one round to the next.
        char go = 0;
        for (int i = 0; i < 2 + kill % 2; ++i)
            EXPECT_EQ(read(started[0], &go, 1), 1);
        std::this_thread::sleep_for(std::chrono::microseconds((kill * 7300) % 60000));
        ::kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        close(started[0]);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(round)) {
            if (entry.path().extension() != ".klz")
                continue;
            ++checked;
            EXPECT_EQ(CheckLayerFile(entry.path().string().c_str()), LayerFileState::Complete) << entry.path();
        }
    }
    // At least the first save of every round made its three files.
    EXPECT_GE(checked, 60);
}

TEST_F(WorkspaceRobustness, AWorkspaceReadsBackIdenticallyInAnotherProcess)
{
    const CString path = folder.File("map.kwz");
    const CString saved = folder.File("saved.txt");
    const CString loaded = folder.File("loaded.txt");
    const int savedStatus = InNewProcess([&] {
        CMUIMap window;
        FillThree(window);
        CMapModel* map = window.GetMapModel();
        map->SetXOffset(1234.5678901234567);
        map->SetYOffset(-98.765432101234567);
        map->SetZoom(0.123456789012345);
        if (!window.SaveWorkspace(path))
            return 3;
        map->OpenLayerByName(folder.File(""));
        for (int i = 0; i < 3; ++i) {
            CMapLayer* layer = map->GetLayerAt(i);
            for (int n = 0; n < 3; ++n) {
                auto* node = new CMapNode;
                node->SetPosition(10 * i + n + 0.25, n - 0.5);
                for (int f = 0; f < layer->GetFieldCount(); ++f)
                    node->AddAttribute(CMapFieldValue(layer->GetField(f)));
                node->SetAttributeText(0, ("well " + std::to_string(i) + "'" + std::to_string(n)).c_str());
                node->SetAttributeText(1, std::to_string(n * 1.5).c_str());
                layer->AddObject(node, FALSE);
            }
        }
        if (!map->SaveMapDatabase())
            return 4;
        WriteText(saved, StoredRecords(map));
        return 0;
    });
    ASSERT_EQ(savedStatus, 0);
    const int loadedStatus = InNewProcess([&] {
        CMUIMap window;
        window.LoadWorkspace(path);
        WriteText(loaded, StoredRecords(window.GetMapModel()));
        return 0;
    });
    ASSERT_EQ(loadedStatus, 0);
    const std::string before = ReadText(saved);
    EXPECT_NE(before.find("layer Parcels"), std::string::npos);
    EXPECT_NE(before.find("value well 2'1"), std::string::npos);
    EXPECT_EQ(ReadText(loaded), before);
}

}
