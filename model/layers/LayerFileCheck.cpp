// The layer file check: read-only queries of the schema, so that checking a
// file another connection holds changes nothing. The connection may write all
// the same, but only as SQLite's own recovery: a file left with a hot journal
// by a process that ended in a transaction is rolled back to what it last
// committed (a read-only connection would call it unreadable), which happens
// only while no other connection has the file open for writing.
#include "model/layers/LayerFileCheck.h"

#include "core/SQLiteDatabase.h"

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace {
struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;

Db Open(const CString& path, int flags)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path, &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return Db();
    }
    sqlite3_busy_timeout(db, CSQLiteDatabase::GetBusyTimeout());
    return Db(db);
}

Db OpenReadOnly(const CString& path)
{
    return Open(path, SQLITE_OPEN_READONLY);
}

bool IsBusyCode(int rc)
{
    rc &= 0xFF;
    return rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
}

constexpr long long kFailed = -1;
constexpr long long kBusy = -2;

// The first column of the first row; kFailed when the query fails, kBusy when
// the file is locked.
long long QueryNumber(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const int prepared = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    if (prepared != SQLITE_OK)
        return IsBusyCode(prepared) ? kBusy : kFailed;
    long long value = kFailed;
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        value = sqlite3_column_int64(stmt, 0);
    else if (rc == SQLITE_DONE)
        value = 0;
    else if (IsBusyCode(rc))
        value = kBusy;
    sqlite3_finalize(stmt);
    return value;
}

}

LayerFileState CheckLayerFile(const CString& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path.GetString(), error))
        return LayerFileState::Missing;
    Db db = Open(path, SQLITE_OPEN_READWRITE);
    if (!db)
        db = OpenReadOnly(path);
    if (!db)
        return LayerFileState::Unreadable;
    // One read transaction: the schema cannot change between the queries.
    sqlite3_exec(db.get(), "BEGIN;", nullptr, nullptr, nullptr);
    bool busy = false;
    const auto query = [&db, &busy](const std::string& sql) {
        const long long value = QueryNumber(db.get(), sql);
        busy = busy || value == kBusy;
        return value;
    };
    const auto columns = [&query](const char* table) {
        return query(std::string("select count(*) from pragma_table_info('") + table + "');");
    };
    // Reading the schema is what fails on a file that is not a database, and
    // what waits for a file another connection holds locked.
    const long long tables = query("select count(*) from sqlite_master where type='table';");
    if (busy)
        return LayerFileState::Busy;
    if (tables < 0)
        return LayerFileState::Unreadable;
    const bool properties =
        columns("_MapProperty") == 8 && query("select count(*) from _MapProperty where ROWID=1;") == 1;
    // A kept layer carries its workspace row in a _LayerProperty table of its
    // own; a workspace has that table and no objects.
    const long long others = query("select count(*) from sqlite_master where type='table' and name not in "
                                   "('_MapProperty','_MapGeoData','_MapMetaData','_LayerProperty');");
    const bool objects = columns("_MapGeoData") == 9 && columns("_MapMetaData") >= 1;
    if (busy)
        return LayerFileState::Busy;
    // Objects still in an older single table: the opener moves them over.
    if (!properties || (others <= 0 && !objects))
        return LayerFileState::Incomplete;
    return LayerFileState::Complete;
}

int CountStoredObjects(const CString& path)
{
    Db db = OpenReadOnly(path);
    if (!db)
        return 0;
    const long long count = QueryNumber(db.get(), "select count(*) from _MapGeoData;");
    return count > 0 ? (int)count : 0;
}

bool IsDatabaseInUse(const CString& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path.GetString(), error))
        return false;
    Db db = Open(path, SQLITE_OPEN_READWRITE);
    if (!db)
        return false;
    // A writer's lock taken and given back at once: only a lock held by
    // another connection stops it.
    const int rc = sqlite3_exec(db.get(), "BEGIN IMMEDIATE TRANSACTION;", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        sqlite3_exec(db.get(), "ROLLBACK TRANSACTION;", nullptr, nullptr, nullptr);
    return IsBusyCode(rc);
}

bool IsDatabaseOfFile(const CSQLiteDatabase* db, const CString& path)
{
    const char* file = db && db->GetHandle() ? sqlite3_db_filename(db->GetHandle(), "main") : nullptr;
    std::error_code error;
    return file && *file && std::filesystem::equivalent(file, path.GetString(), error);
}
