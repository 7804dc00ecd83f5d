// Save As as the user does it: the everyday round trip from one folder into
// another, read back by a new process, and a Save As killed at random moments,
// after which the workspace and its layer files are all of one save.
#include "tests/mapwindow/workspace/WorkspaceFilesSupport.h"

#include "core/FileSetCommit.h"
#include "mapwindow/MUIDoc.h"
#include "platform/testing/DialogAnswerer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

namespace {

using namespace wstest;

int Objects(const std::string& layerFile)
{
    CSQLiteDatabase db;
    if (db.OpenExisting(layerFile.c_str(), true) != SQLITE_OK)
        return -1;
    return db.QueryInt("select count(*) from _MapGeoData;");
}

TEST_F(WorkspaceFiles, AnEverydayRoundTripThroughSaveAsKeepsEverythingAndLeavesTheOldWorkspace)
{
    const CString old = MakeFilledWorkspace(Sub("old"));
    const CString scratch = folder.File("description.txt");
    const std::string oldBefore = DescribeInNewProcess(old, scratch);
    ASSERT_NE(oldBefore.find("value North 'old' well"), std::string::npos);
    std::filesystem::create_directory(Sub("new"));
    const CString copy = (Sub("new") + "/map.kwz").c_str();

    std::string expected;
    {
        CMUIDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(old));
        CMapModel* map = doc.GetMapModel();
        ASSERT_EQ(map->GetLayerCount(), 2);
        AddWell(map->GetLayerAt(0), 800, 50, "New 'well'", 7.5);
        AddParcel(map->GetLayerAt(1), 700, 0, 20, 30, RGB(0, 0, 99));
        map->GetLayerAt(1)->GetStyle()->SetBrushColor(RGB(10, 20, 30));
        map->GetLayerAt(1)->SetAutoLabel(1);
        doc.GetMapWnd()->SetViewOrigin(12.5, -3.75);
        map->SetZoom(1.5);
        doc.GetMapWnd()->SetModified(1);
        expected = Describe(map);

        DialogAnswerer answers;
        answers.ThenFile(copy);
        ASSERT_TRUE(doc.SaveMapAs());
        // Closing asks nothing: the map is saved.
        EXPECT_TRUE(doc.SaveModified());
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_NE(expected.find("value New 'well'"), std::string::npos);
    EXPECT_EQ(DescribeInNewProcess(copy, scratch), expected);
    EXPECT_EQ(DescribeInNewProcess(old, scratch), oldBefore);
    // As SQLite reads the files.
    EXPECT_EQ(Objects(Sub("new") + "/Wells.klz"), 3);
    EXPECT_EQ(Objects(Sub("new") + "/Parcels.klz"), 4);
    EXPECT_EQ(Objects(Sub("old") + "/Wells.klz"), 2);
    EXPECT_EQ(Objects(Sub("old") + "/Parcels.klz"), 3);
    EXPECT_EQ(Reader(copy).Row("select count(*) from _LayerProperty;"), (std::vector<std::string>{"2"}));
}

// The step of a commit at which the saving process kills itself.
int g_killAtStep = -1;

void KillAtStep(int step)
{
    if (step == g_killAtStep)
        raise(SIGKILL);
}

// Generation g of the killed child's map: g + 2 wells, the parcels' pen
// (g, 0, 0), and the view's x offset g, saved into folder b for odd g and
// into folder c for even g, each save replacing the one from two before.
int SaveGenerations(const std::string& round, int announce, int killAtSave = 0)
{
    CMUIMap window;
    window.LoadWorkspace((round + "/a/map.kwz").c_str());
    CMapModel* map = window.GetMapModel();
    if (map->GetLayerCount() != 2)
        return 3;
    for (int g = 1; killAtSave == 0 || g <= killAtSave; ++g) {
        AddWell(map->GetLayerAt(0), (float)g, (float)g, ("gen " + std::to_string(g)).c_str(), g);
        map->GetLayerAt(1)->GetStyle()->SetPenColor(RGB(g, 0, 0));
        map->SetXOffset(g);
        const std::string target = round + (g % 2 ? "/b" : "/c") + "/map.kwz";
        const char go = 1;
        if (announce >= 0 && write(announce, &go, 1) != 1)
            return 4;
        if (g == killAtSave)
            SetFileSetCommitProbe(KillAtStep);
        // The document's Save As.
        if (!window.SaveWorkspace(target.c_str()) || !map->SaveMapDatabase())
            return 5;
    }
    return 6; // the kill did not come
}

// The generation the workspace at `path` holds, all its files agreeing, or
// a text saying where they disagree; 0 when there is no workspace yet.
std::string GenerationOf(const std::string& folder)
{
    const CString path = (folder + "/map.kwz").c_str();
    if (!std::filesystem::exists(path.GetString()) && !std::filesystem::exists((path + ".journal").GetString()))
        return "none";
    ModalRecorder boxes;
    CMUIMap window;
    window.LoadWorkspace(path);
    CMapModel* map = window.GetMapModel();
    if (!boxes.Boxes().empty())
        return "message " + std::string(boxes.Boxes()[0].text.GetString());
    if (map->GetLayerCount() != 2)
        return "layers " + std::to_string(map->GetLayerCount());
    const int g = (int)map->GetXOffset();
    std::string report = "generation " + std::to_string(g);
    if (map->GetLayerAt(0)->GetObjectCount() != g + 2)
        report += " wells " + std::to_string(map->GetLayerAt(0)->GetObjectCount());
    if (map->GetLayerAt(1)->GetStyle()->GetPenColor() != RGB(g, 0, 0))
        report += " pen " + std::to_string(GetRValue(map->GetLayerAt(1)->GetStyle()->GetPenColor()));
    if (map->GetLayerAt(1)->GetObjectCount() != 3)
        report += " parcels " + std::to_string(map->GetLayerAt(1)->GetObjectCount());
    // What SQLite reads once the opening has recovered the set.
    if (Objects(folder + "/Wells.klz") != g + 2)
        report += " rows " + std::to_string(Objects(folder + "/Wells.klz"));
    if (Reader(path).Double("select dXOff from _MapProperty;") != g)
        report += " stored offset";
    if (std::filesystem::exists((path + ".journal").GetString()))
        report += " journal left";
    return report;
}

TEST_F(WorkspaceFiles, ASaveAsKilledAtEveryStepOfItsCommitLeavesTheOldSetOrTheNew)
{
    MakeFilledWorkspace(Sub("base"));
    // The third save replaces the first in folder b: three files move, the
    // workspace last, between the journal's writing and its removal.
    for (int step = 0; step <= 5; ++step) {
        const std::string dir = Sub(("step" + std::to_string(step)).c_str());
        for (const char* sub : {"/b", "/c"})
            std::filesystem::create_directories(dir + sub);
        std::filesystem::copy(Sub("base"), dir + "/a");
        g_killAtStep = step;
        const int status = InNewProcess([&] { return SaveGenerations(dir, -1, 3); });
        EXPECT_EQ(status, -1) << "the process was killed";
        // Once the journal is written the new set is the one.
        EXPECT_EQ(GenerationOf(dir + "/b"), step == 0 ? "generation 1" : "generation 3") << "step " << step;
        EXPECT_EQ(GenerationOf(dir + "/c"), "generation 2") << "step " << step;
    }
}

TEST_F(WorkspaceFiles, ASaveAsKilledAtRandomMomentsLeavesTheOldSetOrTheNew)
{
    const CString base = MakeFilledWorkspace(Sub("base"));
    std::random_device device;
    const unsigned seed = device();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    int found = 0;
    for (int round = 0; round < 12; ++round) {
        const std::string dir = Sub(("round" + std::to_string(round)).c_str());
        for (const char* sub : {"/b", "/c"})
            std::filesystem::create_directories(dir + sub);
        std::filesystem::copy(Sub("base"), dir + "/a");
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            close(pipeEnds[0]);
            _exit(SaveGenerations(dir, pipeEnds[1]));
        }
        ASSERT_GT(pid, 0);
        close(pipeEnds[1]);
        // The kill falls into the third to fifth save, which replaces a set
        // of two saves before, at a moment drawn over a save's length.
        using Clock = std::chrono::steady_clock;
        const int kill = 3 + round % 3;
        Clock::time_point starts[2];
        char go = 0;
        for (int n = 1; n <= kill; ++n) {
            ASSERT_EQ(read(pipeEnds[0], &go, 1), 1) << "the saving process ended at save " << n;
            if (n <= 2)
                starts[n - 1] = Clock::now();
        }
        const auto length = std::chrono::duration_cast<std::chrono::microseconds>(starts[1] - starts[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(
            std::uniform_int_distribution<long long>(0, length.count() * 5 / 4)(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        close(pipeEnds[0]);

        // Read as a new process reads them: this one never opened these files.
        for (const char* sub : {"/b", "/c"}) {
            const std::string report = GenerationOf(dir + sub);
            SCOPED_TRACE("round " + std::to_string(round) + sub + ": " + report);
            if (report == "none")
                continue;
            ++found;
            const int g = std::atoi(report.c_str() + std::string("generation ").size());
            EXPECT_EQ(report, "generation " + std::to_string(g));
            EXPECT_EQ(g % 2, sub[1] == 'b' ? 1 : 0);
            EXPECT_GE(g, 1);
        }
        EXPECT_EQ(Objects(dir + "/a/Wells.klz"), 2) << "the opened workspace is never changed";
    }
    EXPECT_GE(found, 24) << "every round leaves two whole saves at least";
}

}
