// Layer files as wholes: the exact schema, the first and later openings, the
// round trip of every kind of object, saving (which commits, writes the index
// even when empty, and survives open statements), creation that is complete or
// absent, refusal of what is not a layer file, old versions, fields read back,
// each layer's own bounds, and what reaches the disk across processes.
#include "tests/model/layers/LayersTestSupport.h"

#include "core/SQLiteException.h"
#include "model/layers/LayerFileCheck.h"
#include "model/objects/MapArc.h"
#include "model/objects/MapSpline.h"
#include "model/layers/RowStatements.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string FileBytes(const CString& path)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(LayerTest, SchemaIsTheLayerFileFormatWordForWord)
{
    RawFile raw(path);
    EXPECT_EQ(raw.Text("select sql from sqlite_master where name='_MapProperty';"),
              "CREATE TABLE _MapProperty(dXOff DOUBLE, dYOff DOUBLE, dZoom DOUBLE, MapEVersion INT, SelProperty BLOB, "
              "Boundary BLOB, MapUnits BLOB, ProjectionType INT UNSIGNED)");
    EXPECT_EQ(raw.Text("select sql from sqlite_master where name='_MapGeoData';"),
              "CREATE TABLE _MapGeoData(mapeID INTEGER PRIMARY KEY,mapeLabelProp BLOB, mapeLabelText VARCHAR(255), "
              "mapeProperty BLOB, mapeBoundary BLOB, mapeGeoData BLOB, mapeObjectType SMALLINT, mapeAttribute INT "
              "UNSIGNED, mapeSelHandle INT)");
    EXPECT_EQ(raw.Text("select sql from sqlite_master where name='_MapMetaData';"),
              "CREATE TABLE _MapMetaData (mapeID INTEGER PRIMARY KEY)");
    EXPECT_EQ(raw.Int("select MapEVersion from _MapProperty where ROWID=1;"), 211);
    EXPECT_EQ(raw.Int("select length(SelProperty) from _MapProperty where ROWID=1;"), 272);
    EXPECT_EQ(raw.Int("select length(Boundary) from _MapProperty where ROWID=1;"), 40);
    EXPECT_EQ(raw.Int("select length(MapUnits) from _MapProperty where ROWID=1;"), 20);
}

TEST_F(LayerTest, FirstOpeningAppendsTheIndexRowAndLaterOnesReadIt)
{
    // SetUp opened the new file once: row 2 exists, NULL for a layer without indexed objects.
    {
        RawFile raw(path);
        EXPECT_EQ(raw.Int("select count(*) from _MapProperty;"), 2);
        EXPECT_EQ(raw.Text("select SelProperty from _MapProperty where ROWID=2;"), "<null>");
    }
    const int a = AddBoxId(0, 0, 10, 10);
    const int b = AddBoxId(20, 20, 30, 30);
    SaveAndReopen();
    {
        RawFile raw(path);
        EXPECT_EQ(raw.Int("select length(SelProperty) from _MapProperty where ROWID=2;"), 2 * 48);
    }
    CArray<int, int> ids;
    layer->GetAllIDs(ids, true);
    ASSERT_EQ(ids.GetSize(), 2);
    EXPECT_EQ(ids[0], a);
    EXPECT_EQ(ids[1], b);
}

TEST_F(LayerTest, EveryKindRoundTripsWithStyleLabelAndValues)
{
    layer->SetAutoLabel(1);
    CMapNode* node = AddNode(5, 6);
    node->GetOwnStyle()->SetPenColor(RGB(1, 2, 3));
    node->GetLabel()->SetText("well 1");
    node->SetAttributeText(0, "x");   // no fields: ignored
    layer->RewriteObject(node);

    auto* text = new CMapText;
    text->SetText("O'Neil\r\nline 2");
    text->PlaceAt(CDoubleRect(40.0, 40.0, 60.0, 50.0), 1.0);
    layer->AddObject(text, TRUE);

    auto arc = std::make_unique<CMapArc>(MAP_OBJECT_PIE);
    arc->SetEllipseRect(CDoubleRect(0.0, 0.0, 20.0, 10.0));
    arc->SetFirstEndPoint(CFloatPoint(20, 5));
    arc->SetSecondEndPoint(CFloatPoint(10, 10));
    layer->AddObject(arc.get(), TRUE);
    auto spline = std::make_unique<CMapSpline>();
    spline->SetControlPoints({CFloatPoint(1, 1), CFloatPoint(4, 8), CFloatPoint(9, 2)});
    layer->AddObject(spline.get(), TRUE);

    std::unique_ptr<TestBox> box(AddBox(10, 20, 30, 40, RGB(9, 8, 7)));
    box->GetLabel()->SetText("box");
    layer->RewriteObject(box.get());
    const int boxId = box->GetMapeID();
    const int nodeId = node->GetMapeID();
    const int textId = text->GetMapeID();

    SaveAndReopen();
    ASSERT_EQ(layer->GetPointObjects().GetCount(), 2);
    CMapObject* loadedNode = layer->LoadObject(nodeId, TRUE);
    ASSERT_NE(loadedNode, nullptr);
    ASSERT_EQ(loadedNode->GetType(), MAP_OBJECT_NODE);
    EXPECT_EQ(static_cast<CMapNode*>(loadedNode)->GetPosition().x, 5.0f);
    EXPECT_EQ(loadedNode->GetStyle()->GetPenColor(), RGB(1, 2, 3));
    EXPECT_EQ(loadedNode->GetLabelText(), "well 1");
    CMapObject* loadedText = layer->LoadObject(textId, TRUE);
    ASSERT_NE(loadedText, nullptr);
    EXPECT_EQ(static_cast<CMapText*>(loadedText)->GetText(), "O'Neil\r\nline 2");

    std::unique_ptr<CMapObject> loadedBox(layer->LoadObject(boxId, TRUE));
    ASSERT_NE(loadedBox, nullptr);
    EXPECT_EQ(loadedBox->GetBoundary(), CDoubleRect(10.0, 20.0, 30.0, 40.0));
    EXPECT_EQ(loadedBox->GetStyle()->GetBrushColor(), RGB(9, 8, 7));
    EXPECT_EQ(loadedBox->GetLabelText(), "box");
    std::unique_ptr<CMapObject> loadedArc(layer->LoadObject(arc->GetMapeID(), TRUE));
    ASSERT_NE(loadedArc, nullptr);
    ASSERT_EQ(loadedArc->GetType(), MAP_OBJECT_PIE);
    EXPECT_EQ(static_cast<CMapArc*>(loadedArc.get())->GetEllipseRect(), CDoubleRect(0.0, 0.0, 20.0, 10.0));
    EXPECT_EQ(static_cast<CMapArc*>(loadedArc.get())->GetSecondEndPoint().y, 10.0f);
    std::unique_ptr<CMapObject> loadedSpline(layer->LoadObject(spline->GetMapeID(), TRUE));
    ASSERT_NE(loadedSpline, nullptr);
    ASSERT_EQ(loadedSpline->GetType(), MAP_OBJECT_SPLINE);
    const auto& points = static_cast<CMapSpline*>(loadedSpline.get())->GetControlPoints();
    ASSERT_EQ(points.GetSize(), 3);
    EXPECT_EQ(points[1].x, 4.0f);
    EXPECT_EQ(layer->GetIndex().Count(), 3);

    CDoubleRect bounds = loadedNode->GetBoundary();
    bounds.UnionOrAssign(arc->GetBoundary());
    bounds.UnionOrAssign(spline->GetBoundary());
    bounds.UnionOrAssign(loadedText->GetBoundary());
    bounds.UnionOrAssign(loadedBox->GetBoundary());
    EXPECT_EQ(layer->GetBounds(), bounds);

    RawFile raw(path);
    EXPECT_EQ(raw.Int("select count(*) from _MapGeoData;"), 5);
    EXPECT_EQ(raw.Int("select count(*) from _MapMetaData;"), 5);
    EXPECT_EQ(raw.Int("select length(mapeGeoData) from _MapGeoData where mapeObjectType=15;"), 56);
    EXPECT_EQ(raw.Int("select length(mapeGeoData) from _MapGeoData where mapeObjectType=16;"), 24);
    EXPECT_EQ(raw.Text("select mapeGeoData from _MapGeoData where mapeObjectType=12;"), "O'Neil\r\nline 2");
    EXPECT_EQ(raw.Int("select length(mapeGeoData) from _MapGeoData where mapeObjectType=5;"), 8);
    EXPECT_EQ(raw.Text("select mapeGeoData from _MapGeoData where mapeObjectType=0;"), "<null>");
    EXPECT_EQ(raw.Int("select length(mapeProperty) from _MapGeoData where mapeObjectType=0;"), 272);
    EXPECT_EQ(raw.Int("select length(mapeLabelProp) from _MapGeoData where mapeObjectType=0;"), 124);
}

TEST_F(LayerTest, SavingWithAnEmptyIndexWritesTheEmptyIndex)
{
    std::unique_ptr<TestBox> box(AddBox(0, 0, 10, 10));
    SaveAndReopen();
    std::unique_ptr<CMapObject> stored(layer->LoadObject(box->GetMapeID(), FALSE));
    ASSERT_NE(stored, nullptr);
    layer->RemoveObject(stored.get());
    SaveAndReopen();
    EXPECT_EQ(layer->GetIndex().Count(), 0);
}

TEST_F(LayerTest, SavingSucceedsWhileStatementsOfTheFileAreHeld)
{
    AddBoxId(0, 0, 10, 10);   // leaves the layer's kept insert statements prepared
    std::unique_ptr<CMapObject> read(layer->ReadObject(1, FALSE, FALSE));
    layer->GetDatabase()->Prepare("select * from _MapGeoData;", g_CurrentRowStatement);
    g_CurrentRowStatement.Step();
    EXPECT_NO_THROW(layer->SaveProperties());
    EXPECT_NO_THROW(AddBoxId(1, 1, 2, 2));
    EXPECT_NO_THROW(layer->SaveProperties());
}

TEST_F(LayerTest, EachLayerKeepsItsOwnBoundsAcrossASave)
{
    AddBoxId(0, 0, 10, 10);
    const CString second = m_folder.File("Second.klz");
    CMapLayer other("Second");
    ASSERT_EQ(model->CreateLayerDatabase(second, &other), 1);
    ASSERT_TRUE(model->OpenLayer(second, nullptr));
    CMapLayer* secondLayer = model->GetLastLayer();
    std::unique_ptr<TestBox> far(new TestBox(100, 100, 200, 200));
    secondLayer->AddObject(far.get(), TRUE);
    layer->SaveProperties();
    secondLayer->SaveProperties();

    model = std::make_unique<CMapModel>();
    ASSERT_TRUE(model->OpenLayer(path, nullptr));
    ASSERT_TRUE(model->OpenLayer(second, nullptr));
    EXPECT_EQ(model->GetFirstLayer()->GetBounds(), CDoubleRect(0.0, 0.0, 10.0, 10.0));
    EXPECT_EQ(model->GetLastLayer()->GetBounds(), CDoubleRect(100.0, 100.0, 200.0, 200.0));
    EXPECT_EQ(model->GetExtent(), CDoubleRect(0.0, 0.0, 200.0, 200.0));
}

TEST_F(LayerTest, CreationNeverOverwritesAndLeavesNoTemporaryFile)
{
    EXPECT_EQ(CheckLayerFile(path), LayerFileState::Complete);
    const std::string before = FileBytes(path);
    CMapLayer again("Test");
    EXPECT_EQ(model->CreateLayerDatabase(path, &again), 0);
    EXPECT_EQ(FileBytes(path), before);
    for (const std::string& name : m_folder.Names())
        EXPECT_EQ(name, "Test.klz");
}

TEST_F(LayerTest, WhatIsNotALayerFileIsRefusedAndLeftAsItWas)
{
    const CString missing = m_folder.File("Missing.klz");
    const CString folder = m_folder.File("Folder.klz");
    const CString fifo = m_folder.File("Pipe.klz");
    const CString foreign = m_folder.File("Foreign.klz");
    const CString workspace = m_folder.File("Map.klz");
    const CString text = m_folder.File("Text.klz");
    std::filesystem::create_directory(folder.GetString());
    ASSERT_EQ(mkfifo(fifo.GetString(), 0600), 0);
    {
        CSQLiteDatabase db;
        ASSERT_EQ(db.Open(foreign), SQLITE_OK);
        db.ExecuteChecked("create table people(name TEXT);");
        CSQLiteDatabase ws;
        ASSERT_EQ(ws.Open(workspace), SQLITE_OK);
        model->WriteMapPropertyTable(&ws, CDoubleRect());
        model->WriteLayerTable(workspace, &ws);
    }
    std::ofstream(text.GetString()) << "not a database at all, just some text that is long enough to look at";

    for (const CString& file : {missing, folder, fifo, foreign, workspace, text}) {
        SCOPED_TRACE(file.GetString());
        const bool existed = std::filesystem::exists(file.GetString());
        const std::string before = existed && std::filesystem::is_regular_file(file.GetString()) ? FileBytes(file) : "";
        m_boxes.Clear();
        const int layers = model->GetLayerCount();
        EXPECT_FALSE(model->OpenLayer(file, nullptr));
        EXPECT_EQ(model->GetLayerCount(), layers);
        ASSERT_EQ(m_boxes.Boxes().size(), 1u);
        EXPECT_NE(m_boxes.Boxes()[0].text.Find(file), -1);
        EXPECT_EQ(std::filesystem::exists(file.GetString()), existed);
        if (!before.empty()) {
            EXPECT_EQ(FileBytes(file), before);
        }
    }
}

TEST_F(LayerTest, AProjectionMismatchLeavesNoHalfOpenLayerAndTheOthersStillSave)
{
    model->SetProjection(4326);
    layer->SaveProperties();
    const CString otherPath = m_folder.File("Other.klz");
    {
        CMapModel other;
        other.SetProjection(3857);
        CMapLayer probe("Other");
        ASSERT_EQ(other.CreateLayerDatabase(otherPath, &probe), 1);
    }
    if (model->GetProjectionCode() != 4326)
        GTEST_SKIP() << "the projection catalogue lacks EPSG:4326";
    auto* refused = new CMapLayer("Other");
    model->AddLayer(refused);
    EXPECT_FALSE(model->OpenLayer(otherPath, refused));
    EXPECT_EQ(refused->GetDatabase(), nullptr);
    const int id = AddBoxId(1, 1, 2, 2);
    for (POSITION pos = model->GetFirstLayerPosition(); pos;)
        EXPECT_NO_THROW(model->GetNextLayer(pos)->SaveProperties());
    Open();
    std::unique_ptr<CMapObject> kept(layer->LoadObject(id, FALSE));
    EXPECT_NE(kept, nullptr);
}

// Old files made as an older writer left them.
class OldFiles : public LayerTest {
protected:
    void Rewrite(const char* sql)
    {
        model.reset();
        CSQLiteDatabase db;
        ASSERT_EQ(db.Open(path), SQLITE_OK);
        db.ExecuteChecked(sql);
    }
};

TEST_F(OldFiles, Version200WithOneTableNamedAfterTheLayerIsUpgraded)
{
    Rewrite("drop table _MapGeoData;");
    Rewrite("drop table _MapMetaData;");
    Rewrite("update _MapProperty set MapEVersion=200 where ROWID=1;");
    Rewrite("delete from _MapProperty where ROWID=2;");
    Rewrite("create table Test(mapeID INTEGER PRIMARY KEY, mapeLabelProp BLOB, mapeLabelText VARCHAR(255), "
            "mapeProperty BLOB, mapeBoundary BLOB, mapeGeoData BLOB, mapeObjectType SMALLINT, mapeAttribute INT "
            "UNSIGNED, mapeSelHandle INT, Depth DOUBLE, Name VARCHAR(30));");
    const CDoubleRect::Record r = CDoubleRect(1.0, 2.0, 3.0, 4.0).ToRecord();
    std::string hex;
    for (BYTE b : r) {
        char h[3];
        snprintf(h, sizeof h, "%02X", b);
        hex += h;
    }
    Rewrite(("insert into Test values(3, NULL, NULL, NULL, X'" + hex + "', NULL, 0, 0, -1, 2.5, 'deep');").c_str());
    Open();
    RawFile raw(path);
    EXPECT_EQ(raw.Int("select MapEVersion from _MapProperty where ROWID=1;"), 210);
    EXPECT_EQ(raw.Int("select count(*) from sqlite_master where name='Test';"), 0);
    ASSERT_EQ(layer->GetFieldCount(), 2);
    EXPECT_EQ(layer->GetField(0).GetType(), FIELD_TYPE_DOUBLE);
    EXPECT_EQ(layer->GetField(1).GetWidth(), 30);
    std::unique_ptr<CMapObject> box(layer->LoadObject(3, TRUE));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetAttributeText(1), "deep");
    EXPECT_EQ(layer->GetIndex().Count(), 1);
}

TEST_F(OldFiles, Version211WithoutTheTablesIsUpgradedFromMapData)
{
    Rewrite("drop table _MapGeoData;");
    Rewrite("drop table _MapMetaData;");
    Rewrite("create table _MapData(mapeID INTEGER PRIMARY KEY, mapeLabelProp BLOB, mapeLabelText VARCHAR(255), "
            "mapeProperty BLOB, mapeBoundary BLOB, mapeGeoData BLOB, mapeObjectType SMALLINT, mapeAttribute INT "
            "UNSIGNED, mapeSelHandle INT, Count INT);");
    Rewrite("insert into _MapData values(4, NULL, NULL, NULL, NULL, NULL, 5, 0, -1, 12);");
    Open();
    RawFile raw(path);
    EXPECT_EQ(raw.Int("select MapEVersion from _MapProperty where ROWID=1;"), 211);
    EXPECT_EQ(raw.Int("select Count from _MapMetaData where mapeID=4;"), 12);
    ASSERT_EQ(layer->GetFieldCount(), 1);
    EXPECT_EQ(layer->GetField(0).GetType(), FIELD_TYPE_INTEGER);
}

// Fields come back from the file with their types.
class FieldTypes : public LayerTest {
protected:
    std::vector<CMapField> Fields() const override
    {
        return {CMapField("Depth", FIELD_TYPE_DOUBLE, 0), CMapField("Count", FIELD_TYPE_INTEGER, 0),
                CMapField("Name", FIELD_TYPE_STRING, 40), CMapField("Level", FIELD_TYPE_DOUBLE, 0)};
    }
};

TEST_F(FieldTypes, AFirstRowOfNullsReadsTheDeclaredTypes)
{
    AddBoxId(0, 0, 1, 1);   // all values empty: NULL
    SaveAndReopen();
    ASSERT_EQ(layer->GetFieldCount(), 4);
    EXPECT_EQ(layer->GetField(0).GetType(), FIELD_TYPE_DOUBLE);
    EXPECT_EQ(layer->GetField(1).GetType(), FIELD_TYPE_INTEGER);
    EXPECT_EQ(layer->GetField(2).GetType(), FIELD_TYPE_STRING);
    EXPECT_EQ(layer->GetField(2).GetWidth(), 40);
    // So the definitions stay as they were: a rebuild keeps numbers numbers.
    EXPECT_EQ(layer->GetMetaDataColumns(),
              "mapeID INTEGER PRIMARY KEY,Depth DOUBLE,Count INT,Name VARCHAR(40),Level DOUBLE");
}

TEST_F(FieldTypes, DoublesHoldingInfinityOrNaNReopenAsDouble)
{
    std::unique_ptr<TestBox> box(new TestBox(0, 0, 1, 1));
    layer->AddObject(box.get(), TRUE);
    box->SetAttributeText(0, "inf");
    box->SetAttributeText(3, "nan");
    box->SaveChanges();
    SaveAndReopen();
    EXPECT_EQ(layer->GetField(0).GetType(), FIELD_TYPE_DOUBLE);
    EXPECT_EQ(layer->GetField(3).GetType(), FIELD_TYPE_DOUBLE);
}

// Across processes: what a save commits is on disk for the next process, and
// a process that ends without saving leaves the file as the last save did.
TEST_F(LayerTest, SavedRowsReachTheNextProcessAndUnsavedOnesDoNot)
{
    model.reset();
    const auto inChild = [this](bool save, int count) {
        const pid_t pid = fork();
        if (pid == 0) {
            int code = 1;
            try {
                CMapModel map;
                if (map.OpenLayer(path, nullptr)) {
                    CMapLayer* l = map.GetLastLayer();
                    for (int i = 0; i < count; ++i) {
                        TestBox box(i, i, i + 1, i + 1);
                        l->AddObject(&box, TRUE);
                    }
                    if (save)
                        l->SaveProperties();
                    code = 0;
                }
            } catch (...) {
            }
            if (!save)
                kill(getpid(), SIGKILL);   // killed before any save
            _exit(code);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return status;
    };
    const int saved = inChild(true, 50);
    ASSERT_TRUE(WIFEXITED(saved) && WEXITSTATUS(saved) == 0);
    const int killed = inChild(false, 30);
    ASSERT_TRUE(WIFSIGNALED(killed));

    RawFile raw(path);
    EXPECT_EQ(raw.Int("select count(*) from _MapGeoData;"), 50);
    EXPECT_EQ(raw.Int("select count(*) from _MapMetaData;"), 50);
    Open();
    EXPECT_EQ(layer->GetIndex().Count(), 50);
    EXPECT_EQ(layer->GetMaxID(), 50);
}

}
