// Opening a layer file into its layer: the upgrade of old versions, the
// fields, and the saved or rebuilt index. A path that is not a layer file (a
// workspace, another program's database, anything not a regular file) is
// refused before anything is written to it.
#include "model/layers/MapLayer.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"
#include "core/Utilities.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapObject.h"
#include "resources/resource.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {
const char* const kGeoColumnNames = "mapeID, mapeLabelProp, mapeLabelText, mapeProperty, mapeBoundary, "
                                    "mapeGeoData, mapeObjectType, mapeAttribute, mapeSelHandle";

int CountTables(CSQLiteDatabase& db, const char* names)
{
    CString sql;
    sql.Format("select count(*) from sqlite_master where type='table' and name in (%s);", names);
    return db.QueryInt(sql);
}

// What a layer file holds at least: _MapProperty with its row 1, and not only
// the layer table of a workspace. A layer kept on its own carries its
// workspace row in a _LayerProperty table beside its objects.
bool HoldsLayerProperties(CSQLiteDatabase& db)
{
    if (CountTables(db, "'_MapProperty'") != 1)
        return false;
    if (CountTables(db, "'_LayerProperty'") != 0
        && db.QueryInt("select count(*) from sqlite_master where type='table' and name not in "
                       "('_MapProperty','_LayerProperty');") == 0)
        return false;
    return db.QueryInt("select count(*) from _MapProperty where ROWID=1;") == 1;
}

// Whether another connection holds the file: a writer's lock taken and given
// back, after the busy timeout.
bool IsHeldElsewhere(CSQLiteDatabase& db)
{
    // Not through the wrapper: a file that is no database answers with an
    // error, which the layer file check after this one reports.
    const int rc = sqlite3_exec(db.GetHandle(), "BEGIN IMMEDIATE TRANSACTION;", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        sqlite3_exec(db.GetHandle(), "ROLLBACK TRANSACTION;", nullptr, nullptr, nullptr);
    return (rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED;
}

// The field type a declared column type stands for; `width` of a VARCHAR.
int FieldTypeFromDeclared(CString declared, int& width)
{
    declared.MakeUpper();
    declared.Trim();
    width = 20;
    if (declared.Find("SMALLINT") == 0)
        return FIELD_TYPE_SHORT;
    if (declared.Find("INT") == 0)
        return FIELD_TYPE_INTEGER;
    if (declared.Find("DOUBLE") == 0 || declared.Find("REAL") == 0 || declared.Find("FLOAT") == 0)
        return FIELD_TYPE_DOUBLE;
    if (declared.Find("BOOL") == 0)
        return FIELD_TYPE_BOOL;
    const int open = declared.Find('(');
    if (declared.Find("VARCHAR") == 0 && open > 0) {
        const int n = atoi(declared.Mid(open + 1));
        if (n > 0)
            width = n;
    }
    return FIELD_TYPE_STRING;
}

// The texts in which a double that is not a finite number reaches the file.
bool IsNonFiniteText(CString text)
{
    text.MakeLower();
    text.Trim();
    if (!text.IsEmpty() && (text[0] == '-' || text[0] == '+'))
        text = text.Mid(1);
    return text == "inf" || text == "infinity" || text == "nan" || text.Find("nan(") == 0;
}
}

// ---------------------------------------------------------------- opening
CMapLayer::OpenResult CMapLayer::OpenFile(const CString& path, CMapModel* map, CString& error)
{
    std::error_code fsError;
    const fs::path file(path.GetString());
    if (!fs::exists(file, fsError)) {
        error = "The layer file " + path + " does not exist.";
        return kFailed;
    }
    if (!fs::is_regular_file(file, fsError)) {
        error = path + " is not a layer file: it is not a regular file.";
        return kFailed;
    }
    auto database = std::make_unique<CSQLiteDatabase>();
    int rc = SQLITE_CANTOPEN;
    try {
        rc = database->OpenExisting(path);
    } catch (const CSQLiteException& e) {
        error = "The layer file " + path + " cannot be opened: " + e.GetMessage();
        return kFailed;
    }
    if (rc != SQLITE_OK) {
        error = "The layer file " + path + " cannot be opened: " + sqlite3_errstr(rc);
        return kFailed;
    }
    CSQLiteDatabase* db = database.get();
    // A file another map or program has open stays its own: two writers of
    // one file would make each other's saves fail.
    if (IsHeldElsewhere(*db)) {
        error = "The layer file " + path + " is in use by another map or program.";
        return kFailed;
    }
    if (!HoldsLayerProperties(*db)) {
        error = path + " is not a layer file.";
        return kFailed;
    }

    // Row 1: projection first, since a refused file changes nothing.
    CSQLiteStatement stmt;
    db->Prepare("select * from _MapProperty;", stmt);
    if (stmt.IsEmpty() || stmt.Step() != SQLITE_ROW) {
        error = path + " is not a layer file.";
        return kFailed;
    }
    // Read in 32 bits: the code -1, stored as 4294967295, comes back as -1,
    // the code of a file that records no projection.
    const int code = stmt.ColumnType(7) == SQLITE_NULL ? -1 : stmt.ColumnInt(7);
    if (map) {
        if (map->GetProjectionCode() == -1 || map->GetLayerCount() == 0
            || (map->GetLayerCount() == 1 && map->GetFirstLayer() == this)) {
            map->SetProjection(code);
        } else if (code != map->GetProjectionCode() && code != -1) {
            stmt.Finalize();
            MessageBoxFromId(IDS_PROJECTION_MISMATCH);
            return kRefused;
        }
    }
    const int version = stmt.ColumnInt(3);
    // The layer's own bounds, as its save writes them into row 1.
    CDoubleRect stored;
    if (!stored.ReadRecord(stmt.ColumnBlob(5), stmt.ColumnBytes(5)))
        stored.SetEmpty();
    if (map) {
        map->SetXOffset(stmt.ColumnDouble(0));
        map->SetYOffset(stmt.ColumnDouble(1));
        map->SetZoom(stmt.ColumnDouble(2));
        map->SetDatabaseVersion(version);
        CDoubleRect extent;
        if (extent.ReadRecord(stmt.ColumnBlob(5), stmt.ColumnBytes(5)))
            map->SetExtent(extent);
        CMapUnits units = map->GetUnits();
        if (units.ReadRecord(stmt.ColumnBlob(6), stmt.ColumnBytes(6)))
            map->SetUnits(units);
    }
    stmt.Finalize();

    // From here the file is this layer's. Bounds the layer was given (by its
    // workspace row) stay for a layer that holds nothing; else those the file
    // stored.
    const CDoubleRect given = m_rcBounds.IsNull() ? stored : m_rcBounds;
    ClearPointObjects();
    m_Index.RemoveAll();
    SetDatabase(database.release());

    if (version == kVersionOld && NeedsTableUpgrade())
        UpgradeTables(GetName());
    else if (NeedsTableUpgrade())
        UpgradeTables("_MapData");

    ReadFieldsFromFile();

    if (version == kVersionOld) {
        db->Execute("BEGIN TRANSACTION;");
        CString sql;
        sql.Format("update _MapProperty set MapEVersion=%u where ROWID=1;", (unsigned)kVersionUpgraded);
        db->Execute(sql);
        db->Execute("COMMIT;");
    }

    ReadIndexFromFile(given);
    BeginFileTransaction();
    return kOpened;
}

void CMapLayer::ReadFieldsFromFile()
{
    CSQLiteStatement stmt;
    m_pDatabase->Prepare("select * from _MapMetaData where ROWID=1;", stmt);
    if (stmt.IsEmpty())
        return;
    const bool row = stmt.Step() == SQLITE_ROW;
    const int columns = stmt.ColumnCount();
    for (int i = 1; i < columns; ++i) {
        CMapField field("Field", FIELD_TYPE_STRING, 20);
        field.SetName(stmt.ColumnName(i));
        int width = 20;
        const int declared = FieldTypeFromDeclared(stmt.ColumnDeclType(i), width);
        switch (row ? stmt.ColumnType(i) : SQLITE_NULL) {
        case SQLITE_INTEGER: field.SetType(FIELD_TYPE_INTEGER); break;
        case SQLITE_FLOAT: field.SetType(FIELD_TYPE_DOUBLE); break;
        case SQLITE_TEXT:
            // inf and NaN do not convert to a number: a DOUBLE column keeps them as text.
            if (declared == FIELD_TYPE_DOUBLE && IsNonFiniteText(stmt.ColumnText(i)))
                field.SetType(FIELD_TYPE_DOUBLE);
            else
                field.SetWidth(128);
            break;
        default:
            // No value to go by: the column's declared type tells.
            field.SetType(declared);
            field.SetWidth(declared == FIELD_TYPE_STRING ? width : 20);
            break;
        }
        // The table's columns as they are (a file made elsewhere may hold
        // names whose safe forms meet), only without a second field of a name.
        if (FindField(field.GetName()) < 0)
            AppendField(field);
    }
    m_TableFields.reset();
}

void CMapLayer::ReadIndexFromFile(const CDoubleRect& given)
{
    CSQLiteDatabase* db = m_pDatabase.get();
    CSQLiteStatement stmt;
    const bool saved = db->QueryInt("select count(*) from _MapProperty") == 2;
    // Only rows that pass their kind's check are indexed, sorted by id.
    const std::vector<LayerIndexEntry> sound = CheckStoredRows();
    // The saved entries come in tree order: their ids are looked up in a bit
    // per id of the sound rows' range where the ids are dense enough (a
    // binary search per entry would miss the cache at every step), else in
    // the sorted list.
    const long long first = sound.empty() ? 0 : sound.front().id, last = sound.empty() ? -1 : sound.back().id;
    std::vector<bool> soundIds;
    if (last - first < 64LL * (long long)sound.size() + 64) {
        soundIds.assign((size_t)(last - first + 1), false);
        for (const LayerIndexEntry& entry : sound)
            soundIds[(size_t)(entry.id - first)] = true;
    }
    const auto isSound = [&](int id) {
        if (id < first || id > last)
            return false;
        if (!soundIds.empty())
            return (bool)soundIds[(size_t)(id - first)];
        const auto at = std::lower_bound(sound.begin(), sound.end(), id,
                                         [](const LayerIndexEntry& e, int v) { return e.id < v; });
        return at != sound.end() && at->id == id;
    };
    std::vector<BYTE> records;
    if (saved) {
        db->Prepare("select SelProperty from _MapProperty where ROWID=2", stmt);
        if (stmt.Step() == SQLITE_ROW) {
            const BYTE* data = static_cast<const BYTE*>(stmt.ColumnBlob(0));
            const int count = data ? stmt.ColumnBytes(0) / LayerIndexEntry::kRecordSize : 0;
            for (int i = 0; i < count; ++i) {
                LayerIndexEntry entry;
                if (!entry.ReadRecord(data + i * LayerIndexEntry::kRecordSize, LayerIndexEntry::kRecordSize))
                    continue;
                // An entry without a sound row of its own would count and draw
                // an object the file does not hold; the index saved next drops it.
                if (!isSound(entry.id) || !IndexInsert(entry.id, entry.rect))
                    m_dwFlags |= kIndexOutOfDate;
            }
        }
        stmt.Finalize();
    } else {
        for (const LayerIndexEntry& entry : sound) {
            if (!IndexInsert(entry.id, entry.rect))
                continue;
            records.resize(records.size() + LayerIndexEntry::kRecordSize);
            entry.WriteRecord(records.data() + records.size() - LayerIndexEntry::kRecordSize);
        }
    }

    ReadMaxID();
    ReadMinID();
    LoadPointObjects();
    // What the layer holds decides its bounds: its workspace row may be older
    // than the file, which another map may have added to since.
    if (GetObjectCount() > 0 || given.IsNull())
        RecalcBounds();
    else
        m_rcBounds = given;
    if (m_pMap)
        m_pMap->RecalcExtent();

    if (!saved) {
        db->Prepare("update _MapProperty set Boundary=? where ROWID=1;", stmt);
        const CDoubleRect::Record bounds = m_rcBounds.ToRecord();
        stmt.BindBlob(0, bounds.data(), CDoubleRect::kRecordSize, SQLITE_TRANSIENT);
        stmt.Execute();
        db->Prepare("insert into _MapProperty values(0, 0, 0, 0, ?, NULL, NULL, 0);", stmt);
        if (!records.empty())
            stmt.BindBlob(0, records.data(), (int)records.size(), SQLITE_TRANSIENT);
        stmt.Execute();
    }
}

// ---------------------------------------------------------------- upgrade
BOOL CMapLayer::NeedsTableUpgrade()
{
    if (!m_pDatabase)
        return FALSE;
    return m_pDatabase->QueryInt("select count(*) from sqlite_master where type='table' and name in "
                                 "('_MapGeoData','_MapMetaData') ;") != 2;
}

void CMapLayer::UpgradeTables(const CString& oldTable)
{
    CSQLiteDatabase* db = m_pDatabase.get();
    if (!db)
        return;
    FinalizeStatements();
    const CString table = SqlIdentifier(oldTable);
    CString sql;
    db->Execute("BEGIN;");
    sql.Format("create table _MapGeoData(%s);", g_MapGeoDataColumns);
    db->Execute(sql);
    sql.Format("insert into _MapGeoData(%s) select %s from %s;", kGeoColumnNames, kGeoColumnNames, table.GetString());
    db->Execute(sql);

    CString columns("mapeID");
    CString definitions("mapeID INTEGER PRIMARY KEY");
    sql.Format("select * from %s where ROWID=1;", table.GetString());
    CSQLiteStatement stmt;
    db->Prepare(sql, stmt);
    if (!stmt.IsEmpty()) {
        const bool row = stmt.Step() == SQLITE_ROW;
        const int count = stmt.ColumnCount();
        for (int i = 9; i < count; ++i) {
            const CString name = SqlColumnName(stmt.ColumnName(i));
            columns += "," + name;
            const int type = row ? stmt.ColumnType(i) : SQLITE_NULL;
            // Without a value to go by, the old column's declared type is kept,
            // so numbers do not turn into text.
            const CString declared = stmt.ColumnDeclType(i);
            definitions += "," + name +
                           (type == SQLITE_INTEGER  ? CString(" INT")
                            : type == SQLITE_FLOAT  ? CString(" DOUBLE")
                            : type == SQLITE_NULL && !declared.IsEmpty() ? " " + declared
                                                                         : CString(" VARCHAR(128)"));
        }
    }
    stmt.Finalize();
    sql.Format("create table _MapMetaData(%s);", definitions.GetString());
    db->Execute(sql);
    sql.Format("insert into _MapMetaData(%s) select %s from %s;", columns.GetString(), columns.GetString(),
               table.GetString());
    db->Execute(sql);
    sql.Format("DROP TABLE %s;", table.GetString());
    db->Execute(sql);
    db->Execute("COMMIT;");
    db->Execute("VACUUM;");
}
