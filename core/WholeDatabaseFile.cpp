// A new database file made under a temporary name and renamed when whole.
#include "core/WholeDatabaseFile.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

void WriteWholeDatabaseFile(const CString& path, const char* suffix,
                            const std::function<void(CSQLiteDatabase&)>& write)
{
    const CString temporary = path + suffix;
    std::error_code error;
    // What an earlier process left half-made under the temporary name goes first.
    std::filesystem::remove(temporary.GetString(), error);
    try {
        CSQLiteDatabase db;
        if (db.Open(temporary) != SQLITE_OK)
            throw CSQLiteException(sqlite3_errmsg(db.GetHandle()));
        write(db);
        db.Close();
    } catch (const CSQLiteException&) {
        std::filesystem::remove(temporary.GetString(), error);
        throw;
    }
    std::filesystem::rename(temporary.GetString(), path.GetString(), error);
    if (error) {
        std::filesystem::remove(temporary.GetString(), error);
        throw CSQLiteException(CString("Cannot write ") + path);
    }
}
