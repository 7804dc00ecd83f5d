// Attribute fields and values: normalising by type, type names, the archive
// form and the SQL forms through a real database.
#include "core/MapField.h"
#include "core/MapFieldValue.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "platform/base/CArchive.h"
#include "platform/base/CFile.h"
#include "tests/core/values/ValuesTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

std::vector<BYTE> ReadAll(const char* path)
{
    CFile file(path, CFile::modeRead);
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

// A value whose stored text is `raw` as it stands, as an archive can hold it.
CMapFieldValue Stored(int type, int width, const char* raw)
{
    TempPath path("value.bin");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar << (SHORT)type << (LONG)width << CString("F") << CString(raw);
        ar.Close();
    }
    CMapFieldValue value;
    CFile file(path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    value.Serialize(ar);
    return value;
}

TEST(MapFieldValue, SetValueTextNormalisesByType)
{
    struct {
        int type;
        int width;
        const char* text;
        const char* stored;
    } cases[] = {
        {FIELD_TYPE_SHORT, 0, "70000", "4464"},
        {FIELD_TYPE_SHORT, 0, "-5x", "-5"},
        {FIELD_TYPE_SHORT, 0, "32768", "-32768"},
        {FIELD_TYPE_INTEGER, 0, "abc", "0"},
        {FIELD_TYPE_INTEGER, 0, " -12", "-12"},
        {FIELD_TYPE_INTEGER, 0, "99999999999", "2147483647"},  // 32-bit atoi clamps
        {FIELD_TYPE_INTEGER, 0, "-99999999999", "-2147483648"},
        {FIELD_TYPE_DOUBLE, 0, "2.5", "2.500000"},
        {FIELD_TYPE_DOUBLE, 0, "1e3x", "1000.000000"},
        {FIELD_TYPE_DOUBLE, 0, "", "0.000000"},
        // Numbers already as the type writes them stay; look-alikes are written anew.
        {FIELD_TYPE_SHORT, 0, "-1234", "-1234"},
        {FIELD_TYPE_SHORT, 0, "0012", "12"},
        {FIELD_TYPE_SHORT, 0, "-0", "0"},
        {FIELD_TYPE_INTEGER, 0, "-123456789", "-123456789"},
        {FIELD_TYPE_INTEGER, 0, "007", "7"},
        {FIELD_TYPE_INTEGER, 0, "-0", "0"},
        {FIELD_TYPE_DOUBLE, 0, "-0.000000", "-0.000000"},
        {FIELD_TYPE_DOUBLE, 0, "123456789.123456", "123456789.123456"},
        {FIELD_TYPE_DOUBLE, 0, "01.500000", "1.500000"},
        {FIELD_TYPE_DOUBLE, 0, "2.50000", "2.500000"},
        {FIELD_TYPE_DOUBLE, 0, "2.5000000", "2.500000"},
        {FIELD_TYPE_DOUBLE, 0, "-.500000", "-0.500000"},
        {FIELD_TYPE_DOUBLE, 0, "0.25", "0.250000"},   // as SQLite gives a REAL back
        {FIELD_TYPE_DOUBLE, 0, "12.0", "12.000000"},
        {FIELD_TYPE_DOUBLE, 0, "-0", "-0.000000"},
        {FIELD_TYPE_DOUBLE, 0, "1e-05", "0.000010"},
        {FIELD_TYPE_DOUBLE, 0, "1234567890.5", "1234567890.500000"},
        {FIELD_TYPE_DOUBLE, 0, "0.1234564", "0.123456"},
        {FIELD_TYPE_DOUBLE, 0, "-1e20", "-100000000000000000000.000000"},
        {FIELD_TYPE_STRING, 3, "abcdef", "abc"},
        {FIELD_TYPE_STRING, 0, "abcdef", ""},
        {FIELD_TYPE_STRING, 10, "O'Hara", "O'Hara"},
        {FIELD_TYPE_STRING, 3, "aé", "aé"},   // é is two bytes: exactly 3
        {FIELD_TYPE_STRING, 2, "aé", "a"},    // never half a character
        {FIELD_TYPE_BOOL, 1, "true", "T"},
        {FIELD_TYPE_BOOL, 1, "t", "T"},
        {FIELD_TYPE_BOOL, 1, "yes", "F"},
        {FIELD_TYPE_BOOL, 1, "Tx", "F"},
        {FIELD_TYPE_BOOL, 1, "", "F"},
    };
    for (const auto& c : cases) {
        CMapFieldValue value(CMapField("F", c.type, c.width));
        value.SetValueText(c.text);
        EXPECT_EQ(value.GetValueText(), c.stored) << c.type << " '" << c.text << "'";
    }
}

// The text worked out from a REAL alone is the text SQLite's own rendering of it
// gives a DOUBLE field, over the whole range where it is offered.
TEST(MapFieldValue, DoubleFieldTextIsWhatSQLitesRenderingGives)
{
    std::vector<double> reals = {0.0, -0.0, 0.25, -0.25, 12.0, 1.0 / 64, -1.0 / 64, 999999999.984375,
                                 -999999999.984375, 123456789.125, 1048576.5};
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<long long> sixtyFourths(-63999999999LL, 63999999999LL);
    for (int i = 0; i < 20000; ++i)
        reals.push_back((double)sixtyFourths(random) / 64.0);

    CSQLiteDatabase db;
    ASSERT_EQ(db.Open(":memory:"), SQLITE_OK);
    db.Execute("create table t(v DOUBLE);");
    CSQLiteStatement insert;
    db.Prepare("insert into t values (?);", insert);
    for (double v : reals) {
        sqlite3_bind_double(insert.GetHandle(), 1, v);
        insert.Step();
        insert.Reset();
    }
    insert.Finalize();
    CSQLiteStatement rows;
    db.Prepare("select v from t;", rows);
    int compared = 0;
    while (rows.Step() == SQLITE_ROW) {
        ASSERT_EQ(rows.ColumnType(0), SQLITE_FLOAT);
        const double v = rows.ColumnDouble(0);
        CString worked;
        ASSERT_TRUE(CMapFieldValue::DoubleFieldText(v, worked)) << v;
        CMapFieldValue rendered(CMapField("F", FIELD_TYPE_DOUBLE, 8));
        rendered.SetValueText(rows.ColumnText(0));
        ASSERT_EQ(worked, rendered.GetValueText()) << rows.ColumnText(0).GetString();
        ++compared;
    }
    EXPECT_EQ(compared, (int)reals.size());

    // Where the rendering could round otherwise, nothing is offered.
    for (double v : {0.1, 1.0 / 128, 1e9, -1e9, 1e300, std::nan(""), (double)INFINITY}) {
        CString text("kept");
        EXPECT_FALSE(CMapFieldValue::DoubleFieldText(v, text)) << v;
        EXPECT_EQ(text, "kept");
    }
}

TEST(MapFieldValue, GetValueTextNormalisesWithoutChangingTheStoredText)
{
    struct {
        int type;
        int width;
        const char* raw;
        const char* shown;
    } cases[] = {
        {FIELD_TYPE_SHORT, 0, "70000", "4464"},
        {FIELD_TYPE_DOUBLE, 0, "2.5", "2.500000"},
        {FIELD_TYPE_STRING, 3, "abcdef", "abc"},
        {FIELD_TYPE_BOOL, 1, "Tx", "T"},
        {FIELD_TYPE_BOOL, 1, "true", "T"},
        {FIELD_TYPE_BOOL, 1, "", "F"},
        {FIELD_TYPE_BOOL, 1, "no", "F"},
        {7, 5, "xyz", ""},
    };
    for (const auto& c : cases) {
        const CMapFieldValue value = Stored(c.type, c.width, c.raw);
        EXPECT_EQ(value.GetValueText(), c.shown) << c.type << " '" << c.raw << "'";
        EXPECT_EQ(value.GetValueText(), c.shown) << "reading twice";
    }
    // A stored "Tx" reads as T, but setting it again stores F.
    CMapFieldValue b = Stored(FIELD_TYPE_BOOL, 1, "Tx");
    b.SetValueText("Tx");
    EXPECT_EQ(b.GetValueText(), "F");
}

TEST(MapField, TypeNamesAndEquality)
{
    struct {
        const char* name;
        int type;
    } names[] = {{"double", 2}, {"DATE", 3}, {"Short", 0}, {"integer", 1}, {"bool", 4}, {"string", 3}, {"", 3}};
    for (const auto& c : names) {
        CMapField f("x", 1, 0);
        f.TypeFromName(c.name);
        EXPECT_EQ(f.GetType(), c.type) << c.name;
    }
    const char* typeNames[] = {"SHORT", "INTEGER", "DOUBLE", "STRING", "BOOL", "STRING"};
    for (int type = 0; type < 6; ++type)
        EXPECT_EQ(CMapField("x", type == 5 ? 42 : type, 0).GetTypeName(), typeNames[type]) << type;

    const CMapField a("Name", FIELD_TYPE_STRING, 20);
    EXPECT_TRUE(a.IsEqual(CMapField("Name", FIELD_TYPE_STRING, 20)));
    EXPECT_TRUE(a.IsDifferent(CMapField("NAME", FIELD_TYPE_STRING, 20)));
    EXPECT_TRUE(a.IsDifferent(CMapField("Name", FIELD_TYPE_STRING, 21)));
    EXPECT_TRUE(a.IsDifferent(CMapField("Name", FIELD_TYPE_INTEGER, 20)));

    const CMapFieldValue def;
    EXPECT_EQ(def.GetField().GetName(), "Field");
    EXPECT_EQ(def.GetField().GetType(), FIELD_TYPE_STRING);
    EXPECT_EQ(def.GetField().GetWidth(), 20);
    EXPECT_EQ(def.GetValueText(), "");
}

TEST(MapField, ArchiveForm)
{
    TempPath path("field.bin");
    CMapFieldValue value(CMapField("NAME", FIELD_TYPE_INTEGER, 10));
    value.SetValueText("42");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        value.Serialize(ar);
        ar.Close();
    }
    const std::vector<BYTE> expected = {1, 0, 10, 0, 0, 0, 4, 'N', 'A', 'M', 'E', 2, '4', '2'};
    EXPECT_EQ(ReadAll(path.c_str()), expected);

    CMapFieldValue loaded;
    CFile file(path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
    EXPECT_TRUE(loaded.GetField().IsEqual(value.GetField()));
    EXPECT_EQ(loaded.GetValueText(), "42");
}

TEST(MapField, SqlFormsStoreAndReadBack)
{
    TempPath path("fields.db");
    CSQLiteDatabase db;
    ASSERT_EQ(db.Open(path.c_str()), 0);
    const CMapField fields[] = {
        CMapField("S", FIELD_TYPE_SHORT, 0), CMapField("I", FIELD_TYPE_INTEGER, 0),
        CMapField("D", FIELD_TYPE_DOUBLE, 0), CMapField("T", FIELD_TYPE_STRING, 12),
        CMapField("B", FIELD_TYPE_BOOL, 1), CMapField("E", FIELD_TYPE_STRING, 12),
    };
    const char* const declared[] = {"SMALLINT", "INT", "DOUBLE", "VARCHAR(12)", "BOOL", "VARCHAR(12)"};
    const char* const texts[] = {"70000", "-7", "2.5", "O'Hara", "true", ""};

    CString columns = "mapeID INTEGER PRIMARY KEY";
    CString assignments = "1";
    for (int i = 0; i < 6; ++i) {
        columns += "," + fields[i].GetName() + fields[i].GetSqlTypeSuffix();
        CMapFieldValue v(fields[i]);
        v.SetValueText(texts[i]);
        assignments += "," + v.GetSqlText();
    }
    CSQLiteStatement st;
    ASSERT_EQ(db.Prepare("create table _MapMetaData (" + columns + ");", st), 0);
    EXPECT_EQ(st.Execute(), 101);
    ASSERT_EQ(db.Prepare("insert into _MapMetaData values(" + assignments + ");", st), 0);
    EXPECT_EQ(st.Execute(), 101);

    ASSERT_EQ(db.Prepare("pragma table_info(_MapMetaData);", st), 0);
    int row = 0;
    while (st.Step() == 100) {
        if (row > 0) {
            EXPECT_EQ(st.ColumnText(2), declared[row - 1]) << row;
        }
        ++row;
    }
    st.Finalize();
    EXPECT_EQ(row, 7);

    ASSERT_EQ(db.Prepare("select S, I, D, T, B, E from _MapMetaData;", st), 0);
    ASSERT_EQ(st.Step(), 100);
    EXPECT_EQ(st.ColumnText(0), "4464");
    EXPECT_EQ(st.ColumnText(1), "-7");
    EXPECT_EQ(st.ColumnDouble(2), 2.5);
    EXPECT_EQ(st.ColumnText(3), "O'Hara");
    EXPECT_EQ(st.ColumnText(4), "T");
    EXPECT_EQ(st.ColumnType(5), 5); // SQLITE_NULL: an empty value is stored as NULL
    st.Finalize();
}

} // namespace
