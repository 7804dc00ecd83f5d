// The map document: opening by extension, Save and Save As of the workspace and
// its layer files, and the question before a changed map closes, answered by
// the test. A save that fails or is cancelled keeps the map modified.
#include "tests/mapwindow/window/MapWindowTestSupport.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "core/Settings.h"
#include "mapwindow/LayerChooserDlg.h"
#include "mapwindow/MUIDoc.h"
#include "model/layers/LayerFileCheck.h"
#include "model/objects/MapRectangle.h"
#include "resources/resource.h"
#include "platform/testing/CmdUIProbe.h"
#include "platform/testing/DialogAnswerer.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace mwtest {
namespace {

double StoredXOffset(const CString& path)
{
    CSQLiteDatabase db;
    db.Open(path);
    CSQLiteStatement stmt;
    db.Prepare("select dXOff from _MapProperty;", stmt);
    return stmt.Step() == SQLITE_ROW ? stmt.ColumnDouble(0) : -1;
}

// Documents live on the heap as the template makes them; the test keeps them.
class MapDocument : public ::testing::Test {
protected:
    testsupport::TempFolder folder{"kvdoc"};
    ModalRecorder boxes{{}, IDOK};
};

TEST_F(MapDocument, SaveWritesFilesThatReopenIdentically)
{
    const CString path = MakeWorkspace(folder);
    CDoubleRect extent;
    double zoom = 0, x = 0;
    {
        // Closed before the reopening: a second map does not open files in use.
        CMUIDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        EXPECT_EQ(doc.GetTitle(), CString("map"));
        CMapModel* model = doc.GetMapModel();
        ASSERT_EQ(model->GetLayerCount(), 2);
        doc.GetMapWnd()->ZoomToExtent(nullptr);
        model->GetLayerAt(1)->SetVisible(0);
        doc.GetMapWnd()->SetModified(1);
        ASSERT_TRUE(doc.SaveMap());
        EXPECT_FALSE(doc.GetMapWnd()->IsModified());
        extent = model->GetExtent();
        zoom = model->GetZoom();
        x = model->GetXOffset();
    }

    CMUIDoc again;
    ASSERT_TRUE(again.OnOpenDocument(path));
    CMapModel* reopened = again.GetMapModel();
    ASSERT_EQ(reopened->GetLayerCount(), 2);
    EXPECT_EQ(reopened->GetLayerAt(0)->GetName(), CString("Areas"));
    EXPECT_EQ(reopened->GetLayerAt(1)->IsVisible(), 0);
    EXPECT_EQ(reopened->GetLayerAt(0)->GetObjectCount(), 1);
    EXPECT_EQ(reopened->GetLayerAt(1)->GetObjectCount(), 1);
    EXPECT_EQ(reopened->GetExtent(), extent);
    // The view comes back with six significant digits.
    EXPECT_NEAR(reopened->GetZoom(), zoom, std::abs(zoom) * 1e-5);
    EXPECT_NEAR(reopened->GetXOffset(), x, 1e-5 * std::max(1.0, std::abs(x)));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(MapDocument, TheExtensionDecidesAndOnlyWorkspacesAreSaved)
{
    const CString path = MakeWorkspace(folder);
    const CString capitals = folder.File("MAP2.KWZ");
    std::filesystem::copy_file(path.GetString(), capitals.GetString());
    CMUIDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(capitals));
    EXPECT_EQ(doc.GetMapModel()->GetLayerCount(), 2);

    EXPECT_FALSE(doc.OnSaveDocument(folder.File("map.txt")));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, CString("Only kwz format allowed"));
    EXPECT_FALSE(std::filesystem::exists(folder.File("map.txt").GetString()));

    // Another extension opens an empty map; a layer file that fails says so.
    CMUIDoc other;
    EXPECT_TRUE(other.OnOpenDocument(folder.File("notes.dat")));
    EXPECT_EQ(other.GetMapModel()->GetLayerCount(), 0);
    EXPECT_TRUE(other.OnOpenDocument(folder.File("missing.mpl")));
    EXPECT_EQ(boxes.Boxes().back().text, CString("Open layer failed"));
}

TEST_F(MapDocument, ACancelledSaveOfANewMapKeepsItModifiedAndOpen)
{
    CMUIDoc doc;
    doc.GetMapModel()->AddLayer(new CMapLayer("Roads"));
    doc.GetMapWnd()->SetModified(1);
    DialogAnswerer answers(IDCANCEL); // every file dialog cancelled
    EXPECT_FALSE(doc.SaveMap());
    EXPECT_TRUE(doc.GetMapWnd()->IsModified());

    // The close question: Yes runs the same save; cancelled, the document stays.
    boxes.Clear();
    ModalRecorder yes({IDYES});
    EXPECT_FALSE(doc.SaveModified());
    ASSERT_EQ(yes.Boxes().size(), 1u);
    EXPECT_EQ(yes.Boxes()[0].text, CString("The map has changed. Do you want to save the changes?"));
    EXPECT_EQ(yes.Boxes()[0].caption, CString("UnNamed Map"));
    EXPECT_TRUE(doc.GetMapWnd()->IsModified());

    ModalRecorder cancel({IDCANCEL});
    EXPECT_FALSE(doc.SaveModified());
}

TEST_F(MapDocument, AfterSaveAsLaterSavesGoToTheNewWorkspace)
{
    const CString first = MakeWorkspace(folder);
    CMUIDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(first));
    const CString second = folder.File("copy.kwz");
    DialogAnswerer answers;
    answers.ThenFile(second);
    ASSERT_TRUE(doc.SaveMapAs());
    EXPECT_EQ(doc.GetTitle(), CString("copy"));
    const double firstX = StoredXOffset(first);

    doc.GetMapWnd()->SetViewOrigin(1234.5, 10);
    ASSERT_TRUE(doc.SaveMap());
    EXPECT_EQ(StoredXOffset(second), 1234.5);
    EXPECT_EQ(StoredXOffset(first), firstX);
}

TEST_F(MapDocument, SaveAsOntoTheOpenWorkspaceSavesInPlace)
{
    const CString path = MakeWorkspace(folder);
    CMUIDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.GetMapWnd()->SetViewOrigin(77, 10);
    DialogAnswerer answers;
    answers.ThenFile(path);
    ASSERT_TRUE(doc.SaveMapAs());
    EXPECT_EQ(StoredXOffset(path), 77);
    // The connection still works: a second save lands in the same file.
    doc.GetMapWnd()->SetViewOrigin(88, 10);
    ASSERT_TRUE(doc.SaveMap());
    EXPECT_EQ(StoredXOffset(path), 88);
}

TEST_F(MapDocument, AnSQLiteFailureDuringSaveIsToldAndTheMapStaysModified)
{
    const CString path = MakeWorkspace(folder);
    CMUIDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.GetMapWnd()->SetModified(1);
    {
        CSQLiteDatabase other;
        other.Open(path);
        CSQLiteStatement stmt;
        other.Prepare("drop table _MapProperty;", stmt);
        stmt.Execute();
    }
    boxes.Clear();
    EXPECT_FALSE(doc.SaveMap());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_FALSE(boxes.Boxes()[0].text.IsEmpty()); // SQLite's own message
    EXPECT_TRUE(doc.GetMapWnd()->IsModified());
}

TEST_F(MapDocument, NoAtTheCloseQuestionDropsLayersWithEmptyFilesOnly)
{
    const CString path = MakeWorkspace(folder);
    CMUIDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    CMapModel* model = doc.GetMapModel();
    // Two layers whose files hold nothing yet, after the two stored ones.
    for (const char* name : {"Fresh", "Newer"}) {
        const CString file = folder.File((std::string(name) + ".klz").c_str());
        std::ofstream(file.GetString()).close();
        auto* layer = new CMapLayer(name);
        layer->SetFilePath(file);
        model->AddLayer(layer);
    }
    doc.GetMapWnd()->SetModified(1);
    ModalRecorder answers({IDNO, IDNO, IDNO, IDNO, IDNO});
    EXPECT_TRUE(doc.SaveModified());
    ASSERT_EQ(answers.Boxes().size(), 5u);
    EXPECT_EQ(answers.Boxes()[0].caption, CString("map.kwz"));
    EXPECT_EQ(answers.Boxes()[1].text, CString("Do you want to save the layer?"));
    EXPECT_EQ(answers.Boxes()[4].caption, CString("Newer.klz"));
    ASSERT_EQ(model->GetLayerCount(), 2);
    EXPECT_EQ(model->GetLayerAt(1)->GetName(), CString("Points"));
    EXPECT_FALSE(std::filesystem::exists(folder.File("Fresh.klz").GetString()));
    EXPECT_FALSE(std::filesystem::exists(folder.File("Newer.klz").GetString()));
    EXPECT_TRUE(std::filesystem::exists(folder.File("Areas.klz").GetString()));
}

TEST_F(MapDocument, AnUnchangedMapOrOneWithoutLayersAsksNothingOfItsOwn)
{
    CMUIDoc empty;
    empty.GetMapWnd()->SetModified(1);
    EXPECT_TRUE(empty.SaveModified()); // the document itself is not modified
    const CString path = MakeWorkspace(folder);
    CMUIDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    boxes.Clear();
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(MapDocument, ALayerRowNamesTheFileTheLoaderOpens)
{
    // A row "Main roads" stands for the file the layer's own name gives.
    CString path;
    {
        CMUIMap writer;
        writer.GetMapModel()->AddLayer(new CMapLayer("Main roads"));
        path = folder.File("roads.kwz");
        ASSERT_TRUE(writer.SaveWorkspace(path));
    }
    ASSERT_TRUE(std::filesystem::exists(folder.File("Main_roads.klz").GetString()));
    {
        CSQLiteDatabase db;
        db.Open(path);
        CSQLiteStatement stmt;
        db.Prepare("update _LayerProperty set LayerName='Main roads';", stmt);
        stmt.Execute();
    }
    boxes.Clear();
    CMUIDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_TRUE(boxes.Boxes().empty());
    ASSERT_EQ(doc.GetMapModel()->GetLayerCount(), 1);
    EXPECT_EQ(doc.GetMapModel()->GetLayerAt(0)->GetName(), CString("Main_roads"));
}

void RunCommand(CMUIDoc& doc, UINT id)
{
    doc.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr);
}

CmdUIProbe Update(CMUIDoc& doc, UINT id)
{
    return CmdUIProbe::Update(doc, id);
}

TEST_F(MapDocument, LoadLayerRefusesEmptyFilesAndKeepsOneLayerEditable)
{
    MakeWorkspace(folder);
    const CString empty = folder.File("empty.klz");
    std::ofstream(empty.GetString()).close();
    CMUIDoc doc;
    {
        DialogAnswerer answers;
        answers.ThenFile(folder.File("missing.klz")).ThenFile(empty);
        boxes.Clear();
        RunCommand(doc, ID_LOAD_LAYER);
        RunCommand(doc, ID_LOAD_LAYER);
        ASSERT_EQ(boxes.Boxes().size(), 2u);
        EXPECT_EQ(boxes.Boxes()[0].text, CString("Invalid file size."));
        EXPECT_EQ(boxes.Boxes()[1].text, CString("Invalid file size."));
        EXPECT_EQ(doc.GetMapModel()->GetLayerCount(), 0);
    }
    DialogAnswerer answers;
    answers.ThenFile(folder.File("Points.klz")).ThenFile(folder.File("Areas.klz"));
    RunCommand(doc, ID_LOAD_LAYER);
    RunCommand(doc, ID_LOAD_LAYER);
    CMapModel* model = doc.GetMapModel();
    ASSERT_EQ(model->GetLayerCount(), 2);
    EXPECT_EQ(model->GetLayerAt(0)->GetName(), CString("Points"));
    EXPECT_EQ(model->GetLayerAt(0)->IsEditable(), 1);
    EXPECT_EQ(model->GetLayerAt(1)->IsEditable(), 0) << "a second layer loads not editable";
    EXPECT_EQ(model->GetEditMode(), 1);
    EXPECT_EQ(answers.Dialogs().size(), 2u);
}

// The chooser's answer: the layer at `index`.
std::function<int(CWnd&)> ChooseLayer(int index)
{
    return [index](CWnd& w) {
        auto& chooser = dynamic_cast<CLayerChooserDlg&>(w);
        chooser.m_cbLayers.SetCurSel(index);
        return DialogAnswerer::Press(chooser, IDOK);
    };
}

TEST_F(MapDocument, SaveLayerAsWritesAWholeCopyOfTheChosenLayer)
{
    CMUIDoc doc;
    EXPECT_FALSE(Update(doc, ID_SAVE_LAYER_AS).enabled);
    ASSERT_TRUE(doc.OnOpenDocument(MakeWorkspace(folder)));
    EXPECT_TRUE(Update(doc, ID_SAVE_LAYER_AS).enabled);
    // A second object, not yet saved, belongs in the copy too.
    CMapLayer* areas = doc.GetMapModel()->GetLayerAt(0);
    auto* box = new CMapRectangle;
    box->SetRect(3000, 100, 3500, 400);
    areas->AddObject(box, TRUE);
    delete box;
    const CDoubleRect bounds = areas->GetBounds();

    const CString copy = folder.File("copy.klz");
    std::vector<CString> listed;
    DialogAnswerer answers;
    answers
        .Then([&](CWnd& w) {
            auto& chooser = dynamic_cast<CLayerChooserDlg&>(w);
            for (int i = 0; i < chooser.m_cbLayers.GetCount(); ++i) {
                CString text;
                chooser.m_cbLayers.GetLBText(i, text);
                listed.push_back(text);
            }
            return ChooseLayer(0)(w);
        })
        .ThenFile(copy);
    RunCommand(doc, ID_SAVE_LAYER_AS);
    EXPECT_EQ(listed, (std::vector<CString>{"Areas", "Points"}));
    ASSERT_EQ(answers.Dialogs().size(), 2u);
    EXPECT_EQ(answers.Dialogs()[0].templateId, (UINT)IDD_LAYER_CHOOSER);
    EXPECT_TRUE(boxes.Boxes().empty());
    // The rows, the index of both objects and the properties, as SQLite reads them.
    {
        CSQLiteDatabase db;
        ASSERT_EQ(db.OpenExisting(copy, true), SQLITE_OK);
        EXPECT_EQ(db.QueryInt("select count(*) from _MapGeoData;"), 2);
        EXPECT_EQ(db.QueryInt("select count(*) from _MapMetaData;"), 2);
        EXPECT_EQ(db.QueryInt("select length(SelProperty) from _MapProperty where ROWID=2;"), 2 * 48);
        EXPECT_EQ(db.QueryInt("select MapEVersion from _MapProperty where ROWID=1;"), 211);
    }
    // The layer goes on in its own file; the copy opens with the same objects.
    EXPECT_EQ(std::string(sqlite3_db_filename(areas->GetDatabase()->GetHandle(), "main")),
              std::string(folder.File("Areas.klz")));
    {
        CMapModel other;
        ASSERT_TRUE(other.OpenLayer(copy, nullptr));
        EXPECT_EQ(other.GetLastLayer()->GetObjectCount(), 2);
        EXPECT_EQ(other.GetLastLayer()->GetBounds(), bounds);
    }

    // OK without a chosen layer asks for no file; a file the dialog let replace
    // is replaced; the layer's own file is refused with a message.
    const CString taken = folder.File("taken.klz");
    std::ofstream(taken.GetString()) << "mine";
    DialogAnswerer again;
    again.ThenPress(IDOK).Then(ChooseLayer(0)).ThenFile(taken).Then(ChooseLayer(1)).ThenFile(
        folder.File("Points.klz"));
    RunCommand(doc, ID_SAVE_LAYER_AS);
    EXPECT_EQ(again.Dialogs().size(), 1u);
    RunCommand(doc, ID_SAVE_LAYER_AS);
    EXPECT_EQ(again.Dialogs().size(), 3u);
    EXPECT_EQ(CheckLayerFile(taken), LayerFileState::Complete);
    EXPECT_TRUE(boxes.Boxes().empty());
    RunCommand(doc, ID_SAVE_LAYER_AS);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].text.Find("open in this map"), -1);
    EXPECT_EQ(doc.GetMapModel()->GetLayerAt(1)->GetPointObjects().GetCount(), 1);
}

TEST_F(MapDocument, SaveWorkspaceAsWritesTheChosenFile)
{
    CMUIDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(MakeWorkspace(folder)));
    const CString path = folder.File("other.kwz");
    DialogAnswerer answers;
    answers.ThenFile(path);
    RunCommand(doc, ID_SAVE_WORKSPACE_AS);
    EXPECT_TRUE(std::filesystem::exists(path.GetString()));
}

TEST_F(MapDocument, QuickInfoTogglesThePreferenceAndShowsItsState)
{
    const BOOL saved = g_QuickInfoTool;
    g_QuickInfoTool = TRUE;
    CMUIDoc doc;
    EXPECT_TRUE(Update(doc, ID_VIEW_QUICK_INFO).checked);
    RunCommand(doc, ID_VIEW_QUICK_INFO);
    EXPECT_FALSE(g_QuickInfoTool);
    const CmdUIProbe off = Update(doc, ID_VIEW_QUICK_INFO);
    EXPECT_TRUE(off.enabled);
    EXPECT_FALSE(off.checked);
    RunCommand(doc, ID_VIEW_QUICK_INFO);
    EXPECT_TRUE(g_QuickInfoTool);
    g_QuickInfoTool = saved;

    // 55036 does nothing but follows the active layer.
    EXPECT_FALSE(Update(doc, ID_ACTIVE_LAYER_NOTHING).enabled);
    ASSERT_TRUE(doc.OnOpenDocument(MakeWorkspace(folder)));
    EXPECT_TRUE(Update(doc, ID_ACTIVE_LAYER_NOTHING).enabled);
}

TEST_F(MapDocument, ACancelledSaveAsAsksAboutLayersWithNothingCommitted)
{
    CMUIDoc doc;
    CMapModel* model = doc.GetMapModel();
    for (const char* name : {"Keep", "Drop"}) {
        const CString file = folder.File((std::string(name) + ".klz").c_str());
        std::ofstream(file.GetString()).close();
        auto* layer = new CMapLayer(name);
        layer->SetFilePath(file);
        model->AddLayer(layer);
    }
    DialogAnswerer cancel(IDCANCEL);
    ModalRecorder answers({IDNO, IDYES});
    EXPECT_FALSE(doc.SaveMapAs());
    ASSERT_EQ(answers.Boxes().size(), 2u);
    EXPECT_EQ(answers.Boxes()[0].text, "Are you sure. The layer " + folder.File("Keep.klz") + " will be deleted.");
    EXPECT_EQ(answers.Boxes()[0].caption, CString("Empty Layer"));
    ASSERT_EQ(model->GetLayerCount(), 1);
    EXPECT_EQ(model->GetLayerAt(0)->GetName(), CString("Keep"));
    EXPECT_TRUE(std::filesystem::exists(folder.File("Keep.klz").GetString()));
    EXPECT_FALSE(std::filesystem::exists(folder.File("Drop.klz").GetString()));
}

}
}
