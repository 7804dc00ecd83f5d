// Row storage of map objects: only modified columns are written back, the
// attribute update reaches its columns or reports failure, and rows with NULL
// or short BLOBs load without reading past their ends.
#include "tests/model/objects/LayerTestSupport.h"

#include "core/SQLiteException.h"

#include <cfloat>
#include <functional>

namespace {

constexpr int kId = 7;

class Storage : public LayerFile {
protected:
    std::vector<CMapField> Fields() const override
    {
        return {CMapField("Name", FIELD_TYPE_STRING, 20), CMapField("Order", FIELD_TYPE_INTEGER, 0),
                CMapField("Depth_(m)", FIELD_TYPE_DOUBLE, 0),
                CMapField("Note", FIELD_TYPE_STRING, 10)};
    }

    void SetUp() override
    {
        LayerFile::SetUp();
        FreshRow();
    }

    // A stored object just loaded, its columns then overwritten with sentinels:
    // a column the save rewrites loses its sentinel.
    void FreshRow()
    {
        Exec("delete from _MapGeoData;");
        Exec("delete from _MapMetaData;");
        InsertRow(kId, MAP_OBJECT_RECTANGLE, StyleRecord(CMapStyle()), RectRecord(1, 2, 3, 4));
        owned = std::make_unique<TestObject>(MAP_OBJECT_RECTANGLE);
        LoadRow(owned.get(), kId);
        Exec("update _MapGeoData set mapeProperty=X'01', mapeBoundary=X'02', mapeAttribute=77;");
        Exec("update _MapMetaData set Name='old', \"Order\"=5, \"Depth_(m)\"=1.5, Note='n';");
    }

    std::unique_ptr<TestObject> owned;
    TestObject& object() { return *owned; }
};

TEST_F(Storage, SavesOnlyTheColumnsWhoseModifiedFlagIsSet)
{
    struct Case {
        const char* name;
        std::function<void(CMapObject&)> change;
        bool property, boundary, attribute, values;
    };
    const Case cases[] = {
        {"nothing", [](CMapObject&) {}, false, false, false, false},
        {"style", [](CMapObject& o) { o.GetStyle()->SetPenColor(RGB(1, 2, 3)); }, true, false, false, false},
        {"boundary", [](CMapObject& o) { o.SetIndexStale(); o.SetBoundary(CDoubleRect(5.0, 6.0, 7.0, 8.0)); },
         false, true, false, false},
        {"values", [](CMapObject& o) { o.SetAttributeText(0, "new"); }, false, false, false, true},
        {"layer style flag", [](CMapObject& o) { o.SetUseLayerStyle(TRUE); }, false, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreshRow();
        c.change(object());
        object().SaveChanges();
        EXPECT_EQ(Blob("mapeProperty", kId) != Bytes{0x01}, c.property);
        EXPECT_EQ(Blob("mapeBoundary", kId) != Bytes{0x02}, c.boundary);
        EXPECT_EQ(Text("mapeAttribute", kId) != "77", c.attribute);
        EXPECT_EQ(Text("Name", kId, "_MapMetaData") != "old", c.values);
    }
}

TEST_F(Storage, WrittenColumnsHoldTheNewValues)
{
    object().GetStyle()->SetPenColor(RGB(1, 2, 3));
    object().SetIndexStale();
    object().SetBoundary(CDoubleRect(5.0, 6.0, 7.0, 8.0));
    object().SetUseLayerStyle(FALSE);
    object().SaveChanges();
    EXPECT_EQ(CMapStyle(Blob("mapeProperty", kId)->data(), 272).GetPenColor(), RGB(1, 2, 3));
    EXPECT_EQ(Blob("mapeBoundary", kId), RectRecord(5, 6, 7, 8));
    EXPECT_EQ(Text("mapeAttribute", kId), "0");
    EXPECT_FALSE(object().GetStyle()->IsModified());
    EXPECT_FALSE(object().IsBoundaryModified());
    EXPECT_TRUE(layer->GetFlags() & CMapLayer::kIndexOutOfDate);
}

TEST_F(Storage, UsingTheLayerStyleStoresNull)
{
    object().SetUseLayerStyle(TRUE);
    object().GetStyle()->SetModified(true);
    object().SaveChanges();
    EXPECT_EQ(Blob("mapeProperty", kId), std::nullopt);
    EXPECT_EQ(Text("mapeAttribute", kId), "1048576");
}

TEST_F(Storage, ValuesReachQuotedColumnsWithQuotesDoubled)
{
    object().SetAttributeText(0, "O'Neil");
    object().SetAttributeText(1, "12");
    object().SetAttributeText(2, "2.5");
    object().SetAttributeText(3, "");
    // The statements as SQLite is given them.
    std::vector<std::string> statements;
    sqlite3_trace_v2(
        Db()->GetHandle(), SQLITE_TRACE_STMT,
        [](unsigned, void* context, void*, void* text) {
            static_cast<std::vector<std::string>*>(context)->push_back(static_cast<const char*>(text));
            return 0;
        },
        &statements);
    object().SaveChanges();
    sqlite3_trace_v2(Db()->GetHandle(), 0, nullptr, nullptr);
    // Plain names stand as they are; a keyword and a name with other characters are quoted.
    EXPECT_EQ(statements, std::vector<std::string>{"update _MapMetaData set Name='O''Neil',\"Order\"='12',"
                                                   "\"Depth_(m)\"='2.500000',Note=NULL where mapeID=7;"});
    EXPECT_EQ(Text("Name", kId, "_MapMetaData"), "O'Neil");
    EXPECT_EQ(Text("\"Order\"", kId, "_MapMetaData"), "12");
    EXPECT_EQ(Text("\"Depth_(m)\"", kId, "_MapMetaData"), "2.5");
    EXPECT_EQ(Text("Note", kId, "_MapMetaData"), std::nullopt);
    EXPECT_FALSE(object().IsAttributesModified());
}

TEST_F(Storage, AnUpdateThatCannotBePreparedIsReportedAndKeepsTheValues)
{
    object().AddAttribute(CMapFieldValue(CMapField("Missing", FIELD_TYPE_STRING, 10)));
    object().SetAttributeText(4, "x");
    EXPECT_THROW(object().SaveChanges(), CSQLiteException);
    EXPECT_TRUE(object().IsAttributesModified());
    EXPECT_EQ(Text("Name", kId, "_MapMetaData"), "old");
}

TEST_F(Storage, MovingWritesTheBoundaryAndMovesTheIndexEntry)
{
    layer->IndexInsert(kId, object().GetBoundary());
    double zoom = 2.0;
    object().MoveBy(10, 5, &zoom);
    EXPECT_EQ(Blob("mapeBoundary", kId), RectRecord(21, -8, 23, -6));
    layer->CollectAllEntries();
    ASSERT_EQ(g_LayerEntryArray.GetSize(), 1);
    EXPECT_EQ(g_LayerEntryArray[0].id, kId);
    EXPECT_DOUBLE_EQ(g_LayerEntryArray[0].rect.left, 21);
    EXPECT_DOUBLE_EQ(g_LayerEntryArray[0].rect.top, -6);
}

TEST_F(Storage, LoadAttributesReadsTheValuesAlone)
{
    TestObject other(MAP_OBJECT_RECTANGLE);
    other.SetLayer(layer);
    other.SetMapeID(kId);
    for (int i = 0; i < layer->GetFieldCount(); ++i)
        other.AddAttribute(CMapFieldValue(layer->GetField(i)));
    other.LoadAttributes();
    EXPECT_EQ(std::string(other.GetAttributeText(0)), "old");
    EXPECT_EQ(std::string(other.GetAttributeText(1)), "5");
    EXPECT_EQ(std::string(other.GetAttributeText(2)), "1.500000");
}

TEST_F(Storage, FieldsOfTheFileAreTheLayersFields)
{
    ASSERT_EQ(layer->GetFieldCount(), 4);
    EXPECT_EQ(object().GetAttributeCount(), 4);
}

TEST_F(Storage, CloneIntoALayerStoresItsValuesUnderANewId)
{
    object().SetAttributeText(0, "copy");
    std::unique_ptr<CMapObject> clone(object().Clone(layer));
    ASSERT_NE(clone->GetMapeID(), kId);
    EXPECT_EQ(Text("Name", clone->GetMapeID(), "_MapMetaData"), "copy");
    EXPECT_EQ(Blob("mapeBoundary", clone->GetMapeID()), RectRecord(1, 2, 3, 4));
}

// ---------------------------------------------------------------- loading untrusted rows
class Loading : public LayerFile {};

TEST_F(Loading, NullAndShortBlobsLeaveTheDefaults)
{
    layer->GetStyle()->SetPenColor(RGB(9, 9, 9));
    CMapStyle stored;
    stored.SetPenColor(RGB(7, 7, 7));
    Bytes label(124, 0);
    MapRecord::PutFloat(label.data(), FLT_MAX);
    MapRecord::PutFloat(label.data() + 4, FLT_MAX);
    MapLabelFontBlock::Defaults().Write(label.data() + 8);

    struct Case {
        const char* name;
        std::optional<Bytes> property, boundary, labelProp;
        COLORREF pen;
        CDoubleRect bounds;
        CFloatPoint anchor;
    };
    const Case cases[] = {
        {"style NULL: the layer's", std::nullopt, RectRecord(0, 0, 10, 20), std::nullopt, RGB(9, 9, 9),
         CDoubleRect(0.0, 0.0, 10.0, 20.0), CFloatPoint(5, 10)},
        {"style short: the own", Bytes(100, 0xFF), RectRecord(0, 0, 10, 20), std::nullopt,
         CMapStyle().GetPenColor(), CDoubleRect(0.0, 0.0, 10.0, 20.0), CFloatPoint(5, 10)},
        {"boundary short", StyleRecord(stored), Bytes(39, 0x7F), std::nullopt, RGB(7, 7, 7), CDoubleRect(),
         CFloatPoint(0, 0)},
        {"label short", StyleRecord(stored), RectRecord(2, 2, 4, 6), Bytes(50, 0x40), RGB(7, 7, 7),
         CDoubleRect(2.0, 2.0, 4.0, 6.0), CFloatPoint(3, 4)},
        {"label not placed", StyleRecord(stored), RectRecord(2, 2, 4, 6), label, RGB(7, 7, 7),
         CDoubleRect(2.0, 2.0, 4.0, 6.0), CFloatPoint(3, 4)},
    };
    int id = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InsertRow(id, MAP_OBJECT_RECTANGLE, c.property, c.boundary, std::nullopt, c.labelProp, "label");
        TestObject object(MAP_OBJECT_RECTANGLE);
        LoadRow(&object, id++);
        EXPECT_EQ(object.GetStyle()->GetPenColor(), c.pen);
        EXPECT_FALSE(object.GetStyle()->IsModified());
        EXPECT_DOUBLE_EQ(object.GetBoundary().left, c.bounds.left);
        EXPECT_DOUBLE_EQ(object.GetBoundary().top, c.bounds.top);
        EXPECT_FLOAT_EQ(object.GetLabel()->GetAnchor().x, c.anchor.x);
        EXPECT_FLOAT_EQ(object.GetLabel()->GetAnchor().y, c.anchor.y);
        EXPECT_EQ(std::string(object.GetLabelText()), "label");
    }
}

TEST_F(Loading, StoredFlagsAndHandleAreTakenWithinRange)
{
    InsertRow(1, MAP_OBJECT_RECTANGLE, std::nullopt, RectRecord(0, 0, 1, 1), std::nullopt, std::nullopt, nullptr,
              0xFFFFFFFFu, 12);
    InsertRow(2, MAP_OBJECT_RECTANGLE, std::nullopt, RectRecord(0, 0, 1, 1), std::nullopt, std::nullopt, nullptr, 0,
              7);
    TestObject first(MAP_OBJECT_RECTANGLE), second(MAP_OBJECT_RECTANGLE);
    LoadRow(&first, 1);
    LoadRow(&second, 2);
    EXPECT_EQ(first.GetFlags(), 0x100000u);
    EXPECT_EQ(first.GetActiveHandle(), -1);
    EXPECT_EQ(second.GetActiveHandle(), 7);
    EXPECT_EQ(first.GetMapeID(), 1);
}

// ---------------------------------------------------------------- objects outside layers
TEST(FreeObject, MovingAndSavingNeedNoLayer)
{
    TestObject object(MAP_OBJECT_RECTANGLE);
    object.SetMapeID(3);
    object.SetBoundary(CDoubleRect(0.0, 0.0, 1.0, 1.0));
    object.SetAttributesModified();
    object.GetStyle()->SetModified(true);
    double zoom = 1.0;
    object.MoveBy(1, 1, &zoom);
    object.SaveChanges();
    object.LoadAttributes();
    EXPECT_DOUBLE_EQ(object.GetBoundary().right, 2.0);
    EXPECT_TRUE(object.IsBoundaryModified());   // nothing written, nothing cleared
}

}
