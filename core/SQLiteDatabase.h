// One SQLite connection, owned. Transactions are plain SQL run by the callers.
#pragma once

#include "platform/base/Afx.h"

struct sqlite3;
class CSQLiteStatement;

// A connection is for one thread at a time (it has no lock of its own).
class CSQLiteDatabase {
public:
    CSQLiteDatabase() = default;
    virtual ~CSQLiteDatabase();
    CSQLiteDatabase(const CSQLiteDatabase&) = delete;
    CSQLiteDatabase& operator=(const CSQLiteDatabase&) = delete;

    // Opens (creating when absent). SQLITE_ERROR throws CSQLiteException; any
    // other code is returned, SQLITE_OK on success. Open only a closed object.
    int Open(const CString& path);
    // Opens an existing file for reading and writing, never creating one; with
    // `readOnly` for reading only. Codes as Open.
    int OpenExisting(const CString& path, bool readOnly = false);
    void Close();

    // Records this connection in the statement and prepares `sql` into it.
    // Never throws: a failed prepare leaves the statement empty. A statement
    // still held by `statement` is finalized first.
    int Prepare(const char* sql, CSQLiteStatement& statement);
    // Prepares and runs `sql` once; the code of its step.
    int Execute(const char* sql);
    // The first column of the first row of `sql` as a number; 0 without a row.
    int QueryInt(const char* sql);
    long long QueryInt64(const char* sql);
    // For writes that must succeed: a statement that does not run to its end
    // throws CSQLiteException, whatever code SQLite gives.
    void ExecuteChecked(const char* sql);
    void ExecuteChecked(CSQLiteStatement& statement);

    sqlite3* GetHandle() const { return m_db; }

    // How long every connection opened from now on waits for a file that another
    // connection (of this process or another) holds locked before it reports
    // SQLITE_BUSY: a busy file is in use, not broken.
    static void SetBusyTimeout(int milliseconds);
    static int GetBusyTimeout();

private:
    int OpenWith(const CString& path, int flags);

    sqlite3* m_db = nullptr;
};

// Text put into SQL as it is: a literal with its single quotes doubled, and a table or
// column name as a quoted identifier (a keyword or a name holding a quote still works).
CString SqlText(const CString& text);
CString SqlIdentifier(const CString& name);
// A column name as it stands when it is a plain name (letters, digits and
// underscores, not starting with a digit, not a keyword), else quoted as an
// identifier: stored schemas keep their readable form wherever that is safe.
CString SqlColumnName(const CString& name);
