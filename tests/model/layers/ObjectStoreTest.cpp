// The layer's object store: ids (new ones above every known id, positive and
// unused, read in 64 bits), rows written whole or not at all, values and
// label texts of any content reaching the file, labels kept by rewrites in a
// layer that does not label, and the bounds as objects come and go.
#include "tests/model/layers/LayersTestSupport.h"

#include "core/SQLiteException.h"
#include "model/objects/MapLine.h"

#include <climits>

namespace {

class Store : public LayerTest {
protected:
    std::vector<CMapField> Fields() const override
    {
        return {CMapField("Name", FIELD_TYPE_STRING, 40), CMapField("O'Brien \"x\"", FIELD_TYPE_STRING, 20),
                CMapField("Count", FIELD_TYPE_INTEGER, 0)};
    }
    void Exec(const char* sql) { layer->GetDatabase()->ExecuteChecked(sql); }
};

TEST_F(Store, NewIdsAreMaxPlusOneAndDeletedIdsAreNotReused)
{
    const int a = AddBoxId(0, 0, 1, 1);
    const int b = AddBoxId(0, 0, 2, 2);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    layer->DeleteRows(b);
    EXPECT_EQ(AddBoxId(0, 0, 3, 3), 3);
    // An object that brings its id keeps it and widens the known range.
    std::unique_ptr<TestBox> given(new TestBox(0, 0, 1, 1));
    given->SetMapeID(10);
    layer->AddObject(given.get(), TRUE);
    EXPECT_EQ(given->GetMapeID(), 10);
    EXPECT_EQ(AddBoxId(0, 0, 1, 1), 11);
}

TEST_F(Store, StoredIdsOutsideTheObjectRangeNeverMakeANewIdCollide)
{
    struct Case {
        const char* name;
        const char* rows;
        int expected;
    };
    const Case cases[] = {
        {"64-bit id", "insert into _MapGeoData(mapeID, mapeObjectType) values (4294967301, 0), (6, 0);", 1},
        {"INT_MAX", "insert into _MapGeoData(mapeID, mapeObjectType) values (2147483647, 0), (1, 0), (2, 0);", 3},
        {"negative ids", "insert into _MapGeoData(mapeID, mapeObjectType) values (-5, 0), (-3, 0);", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exec("delete from _MapGeoData;");
        Exec("delete from _MapMetaData;");
        Exec(c.rows);
        layer->ReadMaxID();
        layer->ReadMinID();
        int id = 0;
        try {
            id = AddBoxId(0, 0, 1, 1);
        } catch (const CSQLiteException& e) {
            FAIL() << e.GetMessage().GetString();
        }
        EXPECT_EQ(id, c.expected);
        EXPECT_GT(id, 0);
        // The next one is fresh too.
        const int next = AddBoxId(0, 0, 1, 1);
        EXPECT_GT(next, 0);
        EXPECT_NE(next, id);
    }
}

TEST_F(Store, ValuesOfAnyTextReachTheFileWhole)
{
    std::unique_ptr<TestBox> box(new TestBox(0, 0, 1, 1));
    box->SetLayer(layer);
    for (int i = 0; i < layer->GetFieldCount(); ++i)
        box->AddAttribute(CMapFieldValue(layer->GetField(i)));
    const CString withNul("a\0b", 3);
    box->SetAttributeText(0, "O'Hara; drop table _MapGeoData; --");
    box->SetAttributeText(1, withNul);
    box->SetAttributeText(2, "42");
    box->GetLabel()->SetText(CString("l\0m", 3));
    layer->AddObject(box.get(), FALSE);

    RawFile raw(path);
    layer->SaveProperties();
    EXPECT_EQ(raw.Text("select Name from _MapMetaData;"), "O'Hara; drop table _MapGeoData; --");
    EXPECT_EQ(raw.Text("select \"O'Brien_\"\"x\"\"\" from _MapMetaData;"), std::string("a\0b", 3));
    EXPECT_EQ(raw.Int("select typeof(Count)='integer' from _MapMetaData;"), 1);
    EXPECT_EQ(raw.Text("select mapeLabelText from _MapGeoData;"), std::string("l\0m", 3));
    std::unique_ptr<CMapObject> read(layer->ReadObject(box->GetMapeID(), FALSE, TRUE));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetAttributeText(1), withNul);
}

TEST_F(Store, FewerValuesThanFieldsAreStoredAsNulls)
{
    std::unique_ptr<TestBox> box(new TestBox(0, 0, 1, 1));
    box->AddAttribute(CMapFieldValue(layer->GetField(0)));
    box->SetAttributeText(0, "only");
    layer->AddObject(box.get(), FALSE);
    RawFile raw(path);
    layer->SaveProperties();
    EXPECT_EQ(raw.Int("select count(*) from _MapMetaData where Name='only' and Count is null;"), 1);
}

TEST_F(Store, ARowThatCannotBeWrittenLeavesNoOrphanAndTheObjectOutside)
{
    // An attribute row is in the way of the next id.
    Exec("insert into _MapMetaData(mapeID) values (1);");
    std::unique_ptr<TestBox> box(new TestBox(0, 0, 5, 5));
    EXPECT_THROW(layer->AddObject(box.get(), TRUE), CSQLiteException);
    RawFile raw(path);
    layer->SaveProperties();
    EXPECT_EQ(raw.Int("select count(*) from _MapGeoData;"), 0);
    EXPECT_EQ(layer->GetIndex().Count(), 0);
    EXPECT_EQ(layer->GetBounds(), CDoubleRect());

    auto* node = new CMapNode;
    node->SetPosition(1, 1);
    node->SetMapeID(1);
    EXPECT_THROW(layer->AddObject(node, TRUE), CSQLiteException);
    EXPECT_EQ(layer->GetPointObjects().GetCount(), 0);
    delete node;
}

TEST_F(Store, ARewriteThatFailsKeepsTheOldRows)
{
    std::unique_ptr<TestBox> box(AddBox(0, 0, 4, 4));
    // Every new values row is refused.
    Exec("create trigger refuse before insert on _MapMetaData begin select raise(abort, 'refused'); end;");
    layer->FinalizeStatements();
    box->SetBoundary(CDoubleRect(1.0, 1.0, 2.0, 2.0));
    EXPECT_THROW(layer->RewriteObject(box.get()), CSQLiteException);
    std::unique_ptr<CMapObject> stored(layer->ReadObject(box->GetMapeID(), FALSE, FALSE));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetBoundary(), CDoubleRect(0.0, 0.0, 4.0, 4.0));
}

TEST_F(Store, LabelsSurviveARewriteInALayerThatDoesNotLabel)
{
    ASSERT_EQ(layer->GetAutoLabel(), 0);
    std::unique_ptr<TestBox> box(new TestBox(0, 0, 1, 1));
    box->GetLabel()->SetText("keep me");
    layer->AddObject(box.get(), TRUE);
    layer->RewriteObject(box.get());
    std::unique_ptr<CMapObject> read(layer->ReadObject(box->GetMapeID(), FALSE, FALSE));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetLabelText(), "keep me");
}

TEST_F(Store, BoundsGrowWithObjectsAndShrinkWhenAnEdgeObjectGoes)
{
    std::unique_ptr<TestBox> first(AddBox(10, 20, 30, 40));
    EXPECT_EQ(layer->GetBounds(), CDoubleRect(10.0, 20.0, 30.0, 40.0));
    std::unique_ptr<TestBox> second(AddBox(0, 0, 50, 25));
    EXPECT_EQ(layer->GetBounds(), CDoubleRect(0.0, 0.0, 50.0, 40.0));
    EXPECT_EQ(model->GetExtent(), CDoubleRect(0.0, 0.0, 50.0, 40.0));
    layer->RemoveObject(second.get());
    EXPECT_EQ(layer->GetBounds(), CDoubleRect(10.0, 20.0, 30.0, 40.0));
}

TEST_F(Store, LoadObjectGivesTheListsOwnNodeAndReadObjectSkipsTinyObjects)
{
    CMapNode* node = AddNode(3, 4);
    EXPECT_EQ(layer->LoadObject(node->GetMapeID(), TRUE), node);
    model->SetZoom(1.0);
    const int tiny = AddBoxId(0, 0, 0.5, 0.5);
    EXPECT_EQ(layer->ReadObject(tiny, TRUE, FALSE), nullptr);
    std::unique_ptr<CMapObject> read(layer->ReadObject(tiny, FALSE, FALSE));
    EXPECT_NE(read, nullptr);
    std::unique_ptr<CMapObject> nodeRow(layer->ReadObject(node->GetMapeID(), TRUE, FALSE));
    EXPECT_NE(nodeRow, nullptr);
}


TEST_F(Store, AnObjectWithoutItsAttributeRowLoadsHitsAndUndoesWithEmptyValues)
{
    const int id = AddBoxId(10, 10, 40, 40);
    layer->SaveProperties();
    Open();
    // Another program drops the object's attribute row.
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path, &db), SQLITE_OK);
        model.reset();
        layer = nullptr;
        char* error = nullptr;
        sqlite3_exec(db, ("delete from _MapMetaData where mapeID=" + std::to_string(id)).c_str(), nullptr, nullptr,
                     &error);
        EXPECT_EQ(error, nullptr) << error;
        sqlite3_free(error);
        sqlite3_close(db);
    }
    Open();

    std::unique_ptr<CMapObject> loaded(layer->LoadObject(id, TRUE));
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->GetAttributeCount(), 3);
    EXPECT_EQ(loaded->GetAttributeText(0), "");

    double ox = 0, oy = 0, zoom = 1;
    std::unique_ptr<CMapObject> hit(layer->HitTest(20, kHeight - 20, &ox, &oy, &zoom, TRUE));
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->GetMapeID(), id);

    // A move recorded and undone puts the object back where it was.
    CList<CMapObject*, CMapObject*> copies;
    copies.AddTail(loaded->Clone(nullptr));
    layer->RecordEdit(copies, CMapHistoryEntry::kChanged);
    loaded->SetBoundary(CDoubleRect(50.0, 50.0, 60.0, 60.0));
    loaded->SaveChanges();
    layer->Undo();
    std::unique_ptr<CMapObject> undone(layer->ReadObject(id, FALSE, TRUE));
    ASSERT_NE(undone, nullptr);
    EXPECT_EQ(undone->GetBoundary(), CDoubleRect(10.0, 10.0, 40.0, 40.0));

    // Values given later reach a row of their own.
    undone->SetAttributeText(0, "found again");
    undone->SaveChanges();
    layer->SaveProperties();
    RawFile raw(path);
    EXPECT_EQ(raw.Text("select Name from _MapMetaData where mapeID=" + std::to_string(id)), "found again");
}


TEST_F(Store, ACloneHoldsEveryKindInRowsOfItsOwn)
{
    const int box = AddBoxId(10, 10, 20, 20);
    auto line = std::make_unique<CMapLine>();
    line->SetPoints(CDoublePoint(1, 2), CDoublePoint(30, 40));
    layer->AddObject(line.get(), TRUE);
    CMapNode* node = AddNode(5, 5);

    std::unique_ptr<CMapLayer> clone(layer->Clone(nullptr));
    CArray<int, int> ids;
    EXPECT_EQ(clone->GetAllIDs(ids, true), 3);
    std::unique_ptr<CMapObject> copiedBox(clone->LoadObject(box, TRUE));
    ASSERT_NE(copiedBox, nullptr);
    EXPECT_EQ(copiedBox->GetBoundary(), CDoubleRect(10.0, 10.0, 20.0, 20.0));
    std::unique_ptr<CMapObject> copiedLine(clone->LoadObject(line->GetMapeID(), TRUE));
    ASSERT_NE(copiedLine, nullptr);
    EXPECT_EQ(copiedLine->GetType(), MAP_OBJECT_LINE);
    EXPECT_EQ(copiedLine->GetBoundary(), line->GetBoundary());
    ASSERT_EQ(clone->GetPointObjects().GetCount(), 1);
    EXPECT_NE(clone->GetPointObjects().GetHead(), node);
    EXPECT_EQ(clone->GetFieldCount(), 3);

    // Removing from the clone leaves the source's file alone.
    EXPECT_NE(clone->GetDatabase(), layer->GetDatabase());
    clone->RemoveObject(copiedBox.get());
    std::unique_ptr<CMapObject> still(layer->ReadObject(box, FALSE, FALSE));
    EXPECT_NE(still, nullptr);
}

}
