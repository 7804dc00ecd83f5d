// A new database file made under a temporary name and renamed when whole.
#include "core/WholeDatabaseFile.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "platform/base/CFile.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

void WriteDatabaseFile(const CString& file, const std::function<void(CSQLiteDatabase&)>& write)
{
    std::error_code error;
    // What an earlier process left half-made under this name goes first.
    std::filesystem::remove(file.GetString(), error);
    try {
        CSQLiteDatabase db;
        if (db.Open(file) != SQLITE_OK)
            throw CSQLiteException(sqlite3_errmsg(db.GetHandle()));
        write(db);
        db.Close();
    } catch (const CSQLiteException&) {
        std::filesystem::remove(file.GetString(), error);
        throw;
    }
}

void WriteWholeDatabaseFile(const CString& path, const char* suffix,
                            const std::function<void(CSQLiteDatabase&)>& write)
{
    const CString temporary = path + suffix;
    WriteDatabaseFile(temporary, write);
    std::error_code error;
    std::filesystem::rename(temporary.GetString(), path.GetString(), error);
    if (error) {
        std::filesystem::remove(temporary.GetString(), error);
        throw CSQLiteException(CString("Cannot write ") + path);
    }
}

namespace {
struct FreeImage {
    void operator()(unsigned char* p) const { sqlite3_free(p); }
};
}

void WriteDatabaseImage(CSQLiteDatabase& source, const CString& file)
{
    // The connection's own pages, its uncommitted ones included: another
    // connection would see only what was last committed.
    sqlite3_int64 size = 0;
    std::unique_ptr<unsigned char, FreeImage> image(sqlite3_serialize(source.GetHandle(), "main", &size, 0));
    if (!image || size <= 0)
        throw CSQLiteException(CString("Cannot read the database to copy it into ") + file);
    std::error_code error;
    std::filesystem::remove(file.GetString(), error);
    try {
        CFile out;
        CFileException openError;
        if (!out.Open(file, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary, &openError))
            throw CSQLiteException(CString("Cannot write ") + file);
        const unsigned char* data = image.get();
        for (sqlite3_int64 done = 0; done < size;) {
            const UINT chunk = (UINT)std::min<sqlite3_int64>(size - done, 1 << 30);
            out.Write(data + done, chunk);
            done += chunk;
        }
        out.Flush();
        out.Close();
    } catch (CFileException* e) {
        e->Delete();
        std::filesystem::remove(file.GetString(), error);
        throw CSQLiteException(CString("Cannot write ") + file);
    } catch (const CSQLiteException&) {
        std::filesystem::remove(file.GetString(), error);
        throw;
    }
}
