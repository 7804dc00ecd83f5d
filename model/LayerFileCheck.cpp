// The layer file check: read-only queries of the schema, never a write, so
// that checking a file another connection holds changes nothing.
#include "model/LayerFileCheck.h"

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

Db OpenReadOnly(const CString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path, &db, SQLITE_OPEN_READONLY, nullptr);
    return Db(db);
}

// The first column of the first row, or -1 when the query fails.
long long QueryNumber(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        return -1;
    long long value = -1;
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        value = sqlite3_column_int64(stmt, 0);
    else if (rc == SQLITE_DONE)
        value = 0;
    sqlite3_finalize(stmt);
    return value;
}

long long ColumnCount(sqlite3* db, const char* table)
{
    return QueryNumber(db, std::string("select count(*) from pragma_table_info('") + table + "');");
}
}

LayerFileState CheckLayerFile(const CString& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path.GetString(), error))
        return LayerFileState::Missing;
    Db db = OpenReadOnly(path);
    if (!db)
        return LayerFileState::Unreadable;
    // Reading the schema is what fails on a file that is not a database.
    const long long tables = QueryNumber(db.get(), "select count(*) from sqlite_master where type='table';");
    if (tables < 0)
        return LayerFileState::Unreadable;
    if (ColumnCount(db.get(), "_MapProperty") != 8 ||
        QueryNumber(db.get(), "select count(*) from _MapProperty where ROWID=1;") != 1)
        return LayerFileState::Incomplete;
    const long long others = QueryNumber(db.get(), "select count(*) from sqlite_master where type='table' and "
                                                   "name not in ('_MapProperty','_MapGeoData','_MapMetaData');");
    // Objects still in an older single table: the opener moves them over.
    if (others > 0)
        return LayerFileState::Complete;
    if (ColumnCount(db.get(), "_MapGeoData") != 9 || ColumnCount(db.get(), "_MapMetaData") < 1)
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
