// Kept statements of a layer file: prepared once, reset before each use.
#include "model/layers/LayerStatements.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"

#include <sqlite3.h>

CLayerStatements::CLayerStatements() = default;

CLayerStatements::~CLayerStatements()
{
    FinalizeAll();
}

CSQLiteStatement& CLayerStatements::Get(CSQLiteDatabase* db, std::string_view sql)
{
    // Statements of another connection are of no use on this one.
    if (db != m_pDatabase) {
        FinalizeAll();
        m_pDatabase = db;
    }
    auto found = m_Statements.find(sql);
    if (found != m_Statements.end() && found->second && !found->second->IsEmpty()) {
        // A statement its last use already rewound needs only its bindings cleared.
        CSQLiteStatement& statement = *found->second;
        if (sqlite3_stmt_busy(statement.GetHandle()))
            statement.Rewind();
        sqlite3_clear_bindings(statement.GetHandle());
        return statement;
    }
    const std::string text(sql);
    auto slot = std::make_unique<CSQLiteStatement>();
    if (db->Prepare(text.c_str(), *slot) != SQLITE_OK || slot->IsEmpty()) {
        const CString message(sqlite3_errmsg(db->GetHandle()));
        m_Statements.erase(text);
        throw CSQLiteException(message);
    }
    CSQLiteStatement& statement = *slot;
    m_Statements[text] = std::move(slot);
    return statement;
}

void CLayerStatements::FinalizeAll()
{
    m_Statements.clear();
    m_pDatabase = nullptr;
}
