// The attribute table: fields added and removed in memory and the rebuild of
// _MapMetaData that keeps the kept columns' values.
#include "tests/model/layers/LayersTestSupport.h"

#include "core/SQLiteException.h"

#include <cfloat>
#include <cstdio>
#include <cstring>

namespace {

class Attributes : public LayerTest {
protected:
    std::vector<CMapField> Fields() const override
    {
        return {CMapField("Name", FIELD_TYPE_STRING, 20), CMapField("Depth", FIELD_TYPE_DOUBLE, 0),
                CMapField("Order", FIELD_TYPE_INTEGER, 0)};
    }
    int AddWithValues(const char* name, const char* depth, const char* order)
    {
        std::unique_ptr<TestBox> box(new TestBox(0, 0, 1, 1));
        box->SetLayer(layer);
        for (int i = 0; i < layer->GetFieldCount(); ++i)
            box->AddAttribute(CMapFieldValue(layer->GetField(i)));
        box->SetAttributeText(0, name);
        box->SetAttributeText(1, depth);
        box->SetAttributeText(2, order);
        layer->AddObject(box.get(), FALSE);
        return box->GetMapeID();
    }
    // The calling order of the structure dialog.
    void ChangeFields(const std::function<void()>& change)
    {
        const CString oldColumns = layer->GetMetaDataColumns();
        std::vector<CMapField> old;
        for (int i = 0; i < layer->GetFieldCount(); ++i)
            old.push_back(layer->GetField(i));
        change();
        CString kept("mapeID");
        for (const CMapField& field : old) {
            if (layer->HasField(field)) {
                CString name = field.GetName();
                CMapLayer::MakeFieldNameSafe(name);
                kept += "," + name;
            }
        }
        layer->RebuildMetaDataTable(oldColumns, kept, layer->GetMetaDataColumns());
    }
};

TEST_F(Attributes, RebuildKeepsTheKeptColumnsValues)
{
    const int a = AddWithValues("alpha", "1.5", "3");
    const int b = AddWithValues("O'Neil", "", "4");
    ChangeFields([this] {
        layer->RemoveField(1);
        EXPECT_EQ(layer->AddField(CMapField("Note", FIELD_TYPE_STRING, 10)), 2);
    });
    RawFile raw(path);
    layer->SaveProperties();
    EXPECT_EQ(raw.Text("select sql from sqlite_master where name='_MapMetaData';"),
              "CREATE TABLE _MapMetaData (mapeID INTEGER PRIMARY KEY,Name VARCHAR(20),\"Order\" INT,Note VARCHAR(10))");
    EXPECT_EQ(raw.Text("select Name from _MapMetaData where mapeID=" + std::to_string(b)), "O'Neil");
    EXPECT_EQ(raw.Int("select \"Order\" from _MapMetaData where mapeID=" + std::to_string(a)), 3);
    EXPECT_EQ(raw.Text("select Note from _MapMetaData where mapeID=" + std::to_string(a)), "<null>");
    std::unique_ptr<CMapObject> read(layer->ReadObject(b, FALSE, TRUE));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetAttributeText(1), "4");
}

TEST_F(Attributes, RemovingTheLastFieldKeepsTheOthersAndClearsTheHistory)
{
    const int a = AddWithValues("alpha", "2.25", "7");
    CList<CMapObject*, CMapObject*> copies;
    copies.AddTail(new TestBox(0, 0, 1, 1));
    copies.GetHead()->SetMapeID(a);
    layer->RecordEdit(copies, CMapHistoryEntry::kChanged);
    ChangeFields([this] { layer->RemoveField(2); });
    EXPECT_FALSE(layer->GetHistory().CanUndo());
    RawFile raw(path);
    layer->SaveProperties();
    EXPECT_EQ(raw.Text("select Depth from _MapMetaData;"), "2.25");
    EXPECT_EQ(raw.Text("select Name from _MapMetaData;"), "alpha");
}

TEST_F(Attributes, IdenticalDefinitionsChangeNothing)
{
    CList<CMapObject*, CMapObject*> copies;
    copies.AddTail(new TestBox(0, 0, 1, 1));
    layer->RecordEdit(copies, CMapHistoryEntry::kAdded);
    const CString columns = layer->GetMetaDataColumns();
    layer->RebuildMetaDataTable(columns, "mapeID", columns);
    EXPECT_TRUE(layer->GetHistory().CanUndo());
}

TEST_F(Attributes, FieldsAreFoundInAnyCaseAndEqualOnlyInEverything)
{
    EXPECT_EQ(layer->AddField(CMapField("NAME", FIELD_TYPE_STRING, 20)), -1);
    EXPECT_EQ(layer->FindField("depth"), 1);
    EXPECT_TRUE(layer->HasField(CMapField("Order", FIELD_TYPE_INTEGER, layer->GetField(2).GetWidth())));
    EXPECT_FALSE(layer->HasField(CMapField("Order", FIELD_TYPE_INTEGER, layer->GetField(2).GetWidth() + 1)));
    EXPECT_FALSE(layer->HasField(CMapField("order", FIELD_TYPE_INTEGER, layer->GetField(2).GetWidth())));
    EXPECT_EQ(layer->GetFieldType(99), FIELD_TYPE_STRING);
    layer->RemoveField(99);
    EXPECT_EQ(layer->GetFieldCount(), 3);
    CMapNode* node = AddNode(1, 1);
    EXPECT_EQ(layer->AddField(CMapField("Extra", FIELD_TYPE_STRING, 5)), 3);
    EXPECT_EQ(node->GetAttributeCount(), 4);
    layer->RemoveField(0);
    EXPECT_EQ(node->GetAttributeCount(), 3);
}

TEST(FieldColumns, NamesAreMadeSafeAndQuotedOnlyWhereTheyMustBe)
{
    const struct {
        const char* name;
        const char* column;
        int renamed;
    } cases[] = {
        {"mapeID", "mapeID_", 1},    {"mapeGeoData", "mapeGeoData_", 1}, {"Depth (m)", "Depth_(m)", 0},
        {"Name#", "Name_", 0},       {"Rate%", "Rate", 0},                {"Why?", "Why", 0},
        {"a?b%c.d-e", "a_b_c_d_e", 0}, {"Height  ", "Height", 0},         {"MAPEID", "MAPEID", 0},
    };
    for (const auto& c : cases) {
        CString name(c.name);
        EXPECT_EQ(CMapLayer::MakeFieldNameSafe(name), c.renamed) << c.name;
        EXPECT_EQ(name, c.column) << c.name;
    }
    CMapLayer layer("Columns");
    layer.AddField(CMapField("Name", FIELD_TYPE_STRING, 12));
    layer.AddField(CMapField("Depth (m)", FIELD_TYPE_DOUBLE, 0));
    layer.AddField(CMapField("Order", FIELD_TYPE_SHORT, 0));
    layer.AddField(CMapField("Done", FIELD_TYPE_BOOL, 0));
    layer.AddField(CMapField("Count", FIELD_TYPE_INTEGER, 0));
    // Plain names stand as they are; a keyword or a name with other characters is quoted.
    EXPECT_EQ(layer.GetMetaDataColumns(), "mapeID INTEGER PRIMARY KEY,Name VARCHAR(12),\"Depth_(m)\" DOUBLE,"
                                          "\"Order\" SMALLINT,Done BOOL,Count INT");
    EXPECT_EQ(layer.BuildCreateMetaDataSql(), "create table _MapMetaData (" + layer.GetMetaDataColumns() + ");");
}

TEST_F(Attributes, LabelTextsComeFromTheLabelFieldQuotesAndAll)
{
    const int a = AddWithValues("O'Hara", "1", "1");
    CMapNode* node = AddNode(2, 2);
    node->SetAttributeText(0, "node label");
    node->SaveChanges();
    layer->SetLabelFieldIndex(layer->GetFieldCount());
    EXPECT_EQ(layer->GetLabelField(), "");
    layer->SetLabelFieldIndex(0);
    EXPECT_EQ(layer->GetLabelFieldIndex(), 0);
    layer->UpdateLabelTexts();
    std::unique_ptr<CMapObject> read(layer->ReadObject(a, FALSE, FALSE));
    EXPECT_EQ(read->GetLabelText(), "O'Hara");
    ASSERT_EQ(layer->GetPointObjects().GetCount(), 1);
    EXPECT_EQ(layer->GetPointObjects().GetHead()->GetLabelText(), "node label");
}

TEST_F(Attributes, LabelSettingsGoToEveryRowWithAnAnchorNotPlacedYet)
{
    MapLabelFontBlock block;
    layer->GetLabelProperties(block);
    EXPECT_EQ(block.font.lfHeight, 13);
    EXPECT_EQ(block.font.lfCharSet, 1);
    EXPECT_EQ(GetLogFontFaceName(block.font), "Arial");
    EXPECT_EQ(block.textColor, 0u);
    EXPECT_EQ(block.backColor, 0xFFFFFFu);
    EXPECT_EQ(block.background, 0);
    EXPECT_EQ(block.line, 0);

    // Without rows only the layer's settings change.
    block.font.lfHeight = 21;
    block.textColor = RGB(1, 2, 3);
    layer->SetLabelPropertiesForAll(block);
    BYTE stored[MapLabelFontBlock::kSize], expected[MapLabelFontBlock::kSize];
    layer->GetLabelProperties(stored);
    block.Write(expected);
    EXPECT_EQ(std::memcmp(stored, expected, sizeof stored), 0);
    RawFile raw(path);
    EXPECT_EQ(raw.Int("select count(*) from _MapGeoData where mapeLabelProp is not null;"), 0);

    AddBoxId(0, 0, 1, 1);
    AddNode(3, 3);
    block.lineColor = RGB(9, 8, 7);
    layer->SetLabelPropertiesForAll(block);
    layer->SaveProperties();
    CMapLabel label;
    label.SetAnchor(CFloatPoint(FLT_MAX, FLT_MAX));
    label.SetFontBlock(block);
    const CMapLabel::Record record = label.ToRecord();
    std::string hex;
    for (BYTE b : record) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", b);
        hex += digits;
    }
    EXPECT_EQ(raw.Int("select count(*) from _MapGeoData where mapeLabelProp=x'" + hex + "';"), 2);
}

TEST_F(Attributes, AFieldWhoseColumnExistsIsRefusedWithAMessageAndTheTableStillWorks)
{
    AddWithValues("alpha", "1", "2");
    m_boxes.Clear();
    // "Depth%" and "ORDER?" make the columns of Depth and Order.
    for (const char* name : {"Depth%", "ORDER?", "order"}) {
        ChangeFields([this, name] { EXPECT_EQ(layer->AddField(CMapField(name, FIELD_TYPE_STRING, 8)), -1) << name; });
    }
    EXPECT_EQ(layer->GetFieldCount(), 3);
    ASSERT_EQ(m_boxes.Boxes().size(), 2u);
    EXPECT_NE(m_boxes.Boxes()[0].text.Find("\"Depth%\""), -1) << m_boxes.Boxes()[0].text.GetString();
    EXPECT_NE(m_boxes.Boxes()[0].text.Find("\"Depth\""), -1) << m_boxes.Boxes()[0].text.GetString();
    // A name of its own still gets a column.
    ChangeFields([this] { EXPECT_EQ(layer->AddField(CMapField("Rate%", FIELD_TYPE_DOUBLE, 0)), 3); });
    const int b = AddWithValues("beta", "3", "4");
    SaveAndReopen();
    ASSERT_EQ(layer->GetFieldCount(), 4);
    EXPECT_EQ(layer->GetField(3).GetName(), "Rate");
    std::unique_ptr<CMapObject> read(layer->ReadObject(b, FALSE, TRUE));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetAttributeText(0), "beta");
}

TEST_F(Attributes, AFailedRebuildLeavesTableFieldsAndValuesAsTheyWere)
{
    const int a = AddWithValues("alpha", "1.5", "3");
    CMapNode* node = AddNode(5, 5);
    node->SetAttributeText(0, "node");
    node->SetAttributeText(2, "12");
    node->SaveChanges();
    CList<CMapObject*, CMapObject*> copies;
    copies.AddTail(new TestBox(0, 0, 1, 1));
    copies.GetHead()->SetMapeID(a);
    layer->RecordEdit(copies, CMapHistoryEntry::kChanged);

    // The kept columns name one the new table lacks: the copy of the rows fails.
    const CString oldColumns = layer->GetMetaDataColumns();
    layer->RemoveField(1);
    layer->AddField(CMapField("Note", FIELD_TYPE_STRING, 10));
    EXPECT_THROW(layer->RebuildMetaDataTable(oldColumns, "mapeID,Name,Depth", layer->GetMetaDataColumns()),
                 CSQLiteException);
    EXPECT_EQ(layer->GetMetaDataColumns(), oldColumns);
    EXPECT_EQ(layer->GetField(1).GetName(), "Depth");
    ASSERT_EQ(node->GetAttributeCount(), 3);
    EXPECT_EQ(node->GetAttributeText(0), "node");
    EXPECT_EQ(node->GetAttributeText(2), "12");
    EXPECT_TRUE(layer->GetHistory().CanUndo());

    // Objects are still added, and the next rebuild runs (no backup table is left).
    const int b = AddWithValues("beta", "2", "4");
    ChangeFields([this] { layer->AddField(CMapField("Note", FIELD_TYPE_STRING, 10)); });
    EXPECT_EQ(layer->GetFieldCount(), 4);
    layer->SaveProperties();
    model.reset();
    layer = nullptr;
    RawFile raw(path);
    EXPECT_EQ(raw.Text("select sql from sqlite_master where name='_MapMetaData';"),
              "CREATE TABLE _MapMetaData (mapeID INTEGER PRIMARY KEY,Name VARCHAR(20),Depth DOUBLE,\"Order\" INT,"
              "Note VARCHAR(10))");
    EXPECT_EQ(raw.Text("select Depth from _MapMetaData where mapeID=" + std::to_string(a)), "1.5");
    EXPECT_EQ(raw.Text("select Name from _MapMetaData where mapeID=" + std::to_string(b)), "beta");
    Open();
    EXPECT_EQ(layer->GetFieldCount(), 4);
}

TEST(LineSplitter, CutsAtTheSeparatorAndAnswersMinusOneAtTheEnd)
{
    const struct {
        const char* text;
        int start;
        int result;
        const char* out;
    } cases[] = {
        {"", 0, -1, "<unchanged>"},         {"abc", 3, -1, "<unchanged>"},  {"abc", 7, -1, "<unchanged>"},
        {"ab\r\ncd", 0, 4, "ab"},          {"ab\r\ncd", 4, 6, "cd"},       {"\r\nx", 0, 2, ""},
        {"one line", 2, 8, "e line"},       {"a\r\n\r\nb", 3, 5, ""},
    };
    for (const auto& c : cases) {
        CString out("<unchanged>");
        EXPECT_EQ(ExtractNextToken(c.text, out, c.start, "\r\n"), c.result) << c.text << " from " << c.start;
        EXPECT_EQ(out, c.out) << c.text << " from " << c.start;
    }
}

}
