// The connection: a failed open holds no connection, and SQLITE_ERROR is thrown
// as a CSQLiteException with SQLite's own text. Maps, layers and workspaces are
// used on the main thread only, so a connection never serves two threads at
// once: it is opened without SQLite's own lock, which every call (each column
// read of every row) would otherwise take and release.
#include "core/SQLiteDatabase.h"

#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"

#include <sqlite3.h>

namespace {
int g_busyTimeout = 2000;
}

void CSQLiteDatabase::SetBusyTimeout(int milliseconds)
{
    g_busyTimeout = milliseconds;
}

int CSQLiteDatabase::GetBusyTimeout()
{
    return g_busyTimeout;
}

CSQLiteDatabase::~CSQLiteDatabase()
{
    Close();
}

int CSQLiteDatabase::Open(const CString& path)
{
    return OpenWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

int CSQLiteDatabase::OpenExisting(const CString& path, bool readOnly)
{
    return OpenWith(path, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
}

int CSQLiteDatabase::OpenWith(const CString& path, int flags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path, &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        m_db = db;
        sqlite3_busy_timeout(db, g_busyTimeout);
        return rc;
    }
    // SQLite hands out a connection even when opening fails; it holds nothing
    // useful, so it is released here rather than kept as if it were open.
    const CString message(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close(db);
    if (rc == SQLITE_ERROR)
        throw CSQLiteException(message);
    return rc;
}

void CSQLiteDatabase::Close()
{
    if (m_db) {
        // A process-wide row statement may still hold a statement of this
        // connection; the deferred close releases the file once it is
        // finalized instead of failing with SQLITE_BUSY and leaking it.
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

int CSQLiteDatabase::Prepare(const char* sql, CSQLiteStatement& statement)
{
    // Preparing over a held statement would lose it, and with it the
    // connection could never be closed.
    statement.Finalize();
    statement.SetDatabase(m_db);
    if (!m_db)
        return SQLITE_MISUSE;
    const char* tail = nullptr;
    return sqlite3_prepare(m_db, sql, -1, &statement.m_stmt, &tail);
}

int CSQLiteDatabase::Execute(const char* sql)
{
    CSQLiteStatement stmt;
    Prepare(sql, stmt);
    return stmt.Execute();
}

int CSQLiteDatabase::QueryInt(const char* sql)
{
    CSQLiteStatement stmt;
    Prepare(sql, stmt);
    return stmt.Step() == SQLITE_ROW ? stmt.ColumnInt(0) : 0;
}

long long CSQLiteDatabase::QueryInt64(const char* sql)
{
    CSQLiteStatement stmt;
    Prepare(sql, stmt);
    return stmt.Step() == SQLITE_ROW ? stmt.ColumnInt64(0) : 0;
}

void CSQLiteDatabase::ExecuteChecked(CSQLiteStatement& statement)
{
    if (statement.IsEmpty() || statement.Execute() != SQLITE_DONE)
        throw CSQLiteException(sqlite3_errmsg(m_db));
}

void CSQLiteDatabase::ExecuteChecked(const char* sql)
{
    CSQLiteStatement stmt;
    Prepare(sql, stmt);
    ExecuteChecked(stmt);
}

CString SqlText(const CString& text)
{
    CString quoted(text);
    quoted.Replace("'", "''");
    return "'" + quoted + "'";
}

CString SqlIdentifier(const CString& name)
{
    CString quoted(name);
    quoted.Replace("\"", "\"\"");
    return "\"" + quoted + "\"";
}

CString SqlColumnName(const CString& name)
{
    const int length = name.GetLength();
    bool plain = length > 0 && !(name[0] >= '0' && name[0] <= '9');
    for (int i = 0; i < length && plain; ++i) {
        const char c = name[i];
        plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    }
    if (plain && sqlite3_keyword_check(name.GetString(), length) == 0)
        return name;
    return SqlIdentifier(name);
}
