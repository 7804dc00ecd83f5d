// Prepared statements: zero-based binds, and a step that reports an error
// with the real cause from SQLite.
#include "core/SQLiteStatement.h"

#include "core/SQLiteException.h"

#include <sqlite3.h>

CSQLiteStatement::~CSQLiteStatement()
{
    Finalize();
}

void CSQLiteStatement::Finalize()
{
    if (m_stmt) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

int CSQLiteStatement::Step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ERROR) {
        // Statements come from the legacy prepare, whose step reports every
        // failure as a bare SQLITE_ERROR with the text "SQL logic error"; the
        // reset hands the real cause (a constraint, say) to the connection.
        // The statement has to be reset before any reuse anyway.
        sqlite3_reset(m_stmt);
        sqlite3* db = m_db ? m_db : sqlite3_db_handle(m_stmt);
        throw CSQLiteException(CString(sqlite3_errmsg(db)));
    }
    return rc;
}

int CSQLiteStatement::Execute()
{
    const int rc = Step();
    Finalize();
    return rc;
}

int CSQLiteStatement::BindBlob(int index, const void* data, int size, void (*destructor)(void*))
{
    return sqlite3_bind_blob(m_stmt, index + 1, data, size, destructor);
}

int CSQLiteStatement::BindText(int index, const char* text)
{
    return sqlite3_bind_text(m_stmt, index + 1, text, -1, SQLITE_TRANSIENT);
}

int CSQLiteStatement::BindText(int index, const CString& text)
{
    return sqlite3_bind_text(m_stmt, index + 1, text.GetString(), text.GetLength(), SQLITE_TRANSIENT);
}

int CSQLiteStatement::BindInt64(int index, long long value)
{
    return sqlite3_bind_int64(m_stmt, index + 1, value);
}

int CSQLiteStatement::BindNull(int index)
{
    return sqlite3_bind_null(m_stmt, index + 1);
}

void CSQLiteStatement::Reset()
{
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

void CSQLiteStatement::Rewind()
{
    if (m_stmt)
        sqlite3_reset(m_stmt);
}

long long CSQLiteStatement::ColumnInt64(int i) const
{
    return sqlite3_column_int64(m_stmt, i);
}

CString CSQLiteStatement::ColumnDeclType(int i) const
{
    const char* type = m_stmt ? sqlite3_column_decltype(m_stmt, i) : nullptr;
    return type ? CString(type) : CString();
}

const void* CSQLiteStatement::ColumnBlob(int i) const
{
    return sqlite3_column_blob(m_stmt, i);
}

int CSQLiteStatement::ColumnBytes(int i) const
{
    return sqlite3_column_bytes(m_stmt, i);
}

int CSQLiteStatement::ColumnInt(int i) const
{
    return sqlite3_column_int(m_stmt, i);
}

double CSQLiteStatement::ColumnDouble(int i) const
{
    return sqlite3_column_double(m_stmt, i);
}

int CSQLiteStatement::ColumnType(int i) const
{
    return sqlite3_column_type(m_stmt, i);
}

int CSQLiteStatement::ColumnCount() const
{
    return sqlite3_column_count(m_stmt);
}

CString CSQLiteStatement::ColumnText(int i) const
{
    return CString(ColumnTextView(i));
}

std::string_view CSQLiteStatement::ColumnTextView(int i) const
{
    const unsigned char* text = sqlite3_column_text(m_stmt, i);
    if (!text)
        return {};
    return std::string_view(reinterpret_cast<const char*>(text), (size_t)sqlite3_column_bytes(m_stmt, i));
}

CString CSQLiteStatement::ColumnName(int i) const
{
    return m_stmt ? CString(sqlite3_column_name(m_stmt, i)) : CString();
}
