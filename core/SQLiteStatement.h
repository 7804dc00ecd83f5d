// One prepared statement. Bind parameter indexes are zero-based (SQLite's are
// one higher); column indexes are zero-based as in SQLite.
#pragma once

#include "platform/base/Afx.h"

#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class CSQLiteDatabase;

class CSQLiteStatement {
public:
    CSQLiteStatement() = default;
    virtual ~CSQLiteStatement();
    CSQLiteStatement(const CSQLiteStatement&) = delete;
    CSQLiteStatement& operator=(const CSQLiteStatement&) = delete;

    void Finalize();
    BOOL IsEmpty() const { return m_stmt == nullptr; }
    // The connection whose message an error carries; not owned.
    void SetDatabase(sqlite3* db) { m_db = db; }

    // SQLITE_ERROR throws CSQLiteException; every other code is returned.
    int Step();
    // Step, then Finalize. When Step throws the statement stays held, and the
    // destructor or a later Finalize releases it.
    int Execute();

    // destructor: SQLITE_STATIC (0) when the data outlives the statement,
    // SQLITE_TRANSIENT (-1) to have SQLite copy it.
    int BindBlob(int index, const void* data, int size, void (*destructor)(void*));
    int BindText(int index, const char* text);
    // The whole text, embedded NULs included.
    int BindText(int index, const CString& text);
    int BindInt64(int index, long long value);
    int BindNull(int index);
    // Makes a kept statement ready for its next use: reset, bindings cleared.
    void Reset();
    // Reset for another step; the bindings stay (a next use that binds anew
    // clears them with Reset).
    void Rewind();

    // Valid only until the next step, reset or finalize.
    const void* ColumnBlob(int i) const;
    int ColumnBytes(int i) const;
    int ColumnInt(int i) const;
    long long ColumnInt64(int i) const;
    double ColumnDouble(int i) const;
    int ColumnType(int i) const;
    int ColumnCount() const;
    // An SQL NULL reads as the empty string.
    CString ColumnText(int i) const;
    // The same without a copy; valid only until the next step, reset or finalize.
    std::string_view ColumnTextView(int i) const;
    CString ColumnName(int i) const;
    // The column's declared type in its table; empty for an expression.
    CString ColumnDeclType(int i) const;

    sqlite3_stmt* GetHandle() const { return m_stmt; }

private:
    friend class CSQLiteDatabase;

    sqlite3_stmt* m_stmt = nullptr;
    sqlite3* m_db = nullptr;
};
