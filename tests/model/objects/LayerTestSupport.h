// A small layer file made by the test: one map, one layer opened on a fresh
// file in a temporary folder, and helpers that read columns back raw.
#pragma once

#include "model/layers/MapObject.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

// A base object of any type code, for the behaviour every kind shares.
class TestObject : public CMapObject {
public:
    explicit TestObject(int type) { m_nType = type; }
};

class TempFolder : public testsupport::TempFolder {
public:
    TempFolder() : testsupport::TempFolder("kvobj") {}
};

class LayerFile : public ::testing::Test {
protected:
    // Fields of the layer before its file is created, so that _MapMetaData has them.
    virtual std::vector<CMapField> Fields() const { return {}; }

    void SetUp() override
    {
        layer = new CMapLayer("Test");
        for (const CMapField& field : Fields())
            layer->AddField(field);
        model.AddLayer(layer);
        const CString path = folder.File("Test.klz");
        ASSERT_EQ(model.CreateLayerDatabase(path, layer), 1);
        ASSERT_TRUE(model.OpenLayer(path, layer));
    }

    CSQLiteDatabase* Db() const { return layer->GetDatabase(); }

    void Exec(const CString& sql) const
    {
        CSQLiteStatement stmt;
        ASSERT_EQ(Db()->Prepare(sql, stmt), SQLITE_OK) << sql.GetString();
        stmt.Execute();
    }

    // A row written as another program could have written it; nullopt is NULL.
    void InsertRow(int id, int type, std::optional<Bytes> property, std::optional<Bytes> boundary,
                   std::optional<Bytes> geo = std::nullopt, std::optional<Bytes> labelProp = std::nullopt,
                   const char* labelText = nullptr, unsigned attribute = 0, int handle = -1) const
    {
        CString sql;
        sql.Format("insert into _MapGeoData values (%d, ?, ?, ?, ?, ?, %d, %u, %d);", id, type, attribute, handle);
        CSQLiteStatement stmt;
        ASSERT_EQ(Db()->Prepare(sql, stmt), SQLITE_OK);
        const auto bind = [&stmt](int index, const std::optional<Bytes>& blob) {
            if (blob)
                stmt.BindBlob(index, blob->data(), (int)blob->size(), SQLITE_TRANSIENT);
        };
        bind(0, labelProp);
        if (labelText)
            stmt.BindText(1, labelText);
        bind(2, property);
        bind(3, boundary);
        bind(4, geo);
        ASSERT_EQ(stmt.Execute(), SQLITE_DONE);
        sql.Format("insert into _MapMetaData (mapeID) values (%d);", id);
        Exec(sql);
    }

    // Fills `object` from its row, attribute values included, as a layer query does.
    void LoadRow(CMapObject* object, int id) const
    {
        object->SetLayer(layer);
        for (int i = 0; i < layer->GetFieldCount(); ++i)
            object->AddAttribute(CMapFieldValue(layer->GetField(i)));
        CString sql;
        sql.Format("select * from _MapGeoData, _MapMetaData where _MapGeoData.mapeID = %d and "
                   "_MapMetaData.mapeID = %d;",
                   id, id);
        CSQLiteStatement stmt;
        ASSERT_EQ(Db()->Prepare(sql, stmt), SQLITE_OK);
        ASSERT_EQ(stmt.Step(), SQLITE_ROW);
        object->LoadFromRow(&stmt);
    }

    // Commits and closes the layer file and opens it again as a layer of
    // `into` (the layer keeps a transaction open while it is open).
    CMapLayer* Reopen(CMapModel& into)
    {
        Exec("COMMIT TRANSACTION;");
        layer->CloseDatabase();
        CMapLayer* again = new CMapLayer("Test");
        into.AddLayer(again);
        EXPECT_TRUE(into.OpenLayer(folder.File("Test.klz"), again));
        return again;
    }

    // The object of row `id` as a layer gives it back: built by the layer's
    // factory from its stored type code and filled from its whole row.
    static std::unique_ptr<CMapObject> ReadObject(CMapLayer* from, int id)
    {
        CString sql;
        sql.Format("select * from _MapGeoData, _MapMetaData where _MapGeoData.mapeID = %d and "
                   "_MapMetaData.mapeID = %d;",
                   id, id);
        CSQLiteStatement stmt;
        EXPECT_EQ(from->GetDatabase()->Prepare(sql, stmt), SQLITE_OK);
        EXPECT_EQ(stmt.Step(), SQLITE_ROW);
        std::unique_ptr<CMapObject> read(from->CreateMapObject(stmt.ColumnInt(6)));
        if (read)
            read->LoadFromRow(&stmt);
        return read;
    }

    // NULL reads as nullopt.
    std::optional<Bytes> Blob(const char* column, int id, const char* table = "_MapGeoData") const
    {
        CSQLiteStatement stmt;
        if (!SelectValue(stmt, column, id, table))
            return std::nullopt;
        const BYTE* p = static_cast<const BYTE*>(stmt.ColumnBlob(0));
        return Bytes(p, p + stmt.ColumnBytes(0));
    }

    std::optional<std::string> Text(const char* column, int id, const char* table = "_MapGeoData") const
    {
        CSQLiteStatement stmt;
        if (!SelectValue(stmt, column, id, table))
            return std::nullopt;
        return std::string(stmt.ColumnText(0).GetString());
    }

    // Steps `stmt` to the object's value of `column`; false when there is no row
    // or the value is NULL.
    bool SelectValue(CSQLiteStatement& stmt, const char* column, int id, const char* table) const
    {
        CString sql;
        sql.Format("select %s from %s where mapeID = %d;", column, table, id);
        Db()->Prepare(sql, stmt);
        return stmt.Step() == SQLITE_ROW && stmt.ColumnType(0) != SQLITE_NULL;
    }

    TempFolder folder;
    CMapModel model;
    CMapLayer* layer = nullptr;   // owned by the model
};

inline Bytes RectRecord(double left, double bottom, double right, double top)
{
    const CDoubleRect::Record r = CDoubleRect(left, bottom, right, top).ToRecord();
    return Bytes(r.begin(), r.end());
}

inline Bytes StyleRecord(const CMapStyle& style)
{
    const CMapStyle::Record r = style.ToRecord();
    return Bytes(r.begin(), r.end());
}

// Fills bytes that readers must not interpret with a marker.
inline void Scribble(Bytes& bytes, size_t from, size_t count, BYTE value = 0xA5)
{
    for (size_t i = from; i < from + count && i < bytes.size(); ++i)
        bytes[i] = value;
}

inline float FloatAt(const Bytes& b, size_t offset)
{
    return MapRecord::GetFloat(b.data() + offset);
}

inline DWORD DwordAt(const Bytes& b, size_t offset)
{
    return MapRecord::GetDword(b.data() + offset);
}
