// Kept statements of a layer file: prepared once, reset before each use.
#include "model/LayerStatements.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"

#include <sqlite3.h>

CLayerStatements::CLayerStatements() = default;

CLayerStatements::~CLayerStatements()
{
    FinalizeAll();
}

CSQLiteStatement& CLayerStatements::Get(CSQLiteDatabase* db, const char* sql)
{
    // Statements of another connection are of no use on this one.
    if (db != m_pDatabase) {
        FinalizeAll();
        m_pDatabase = db;
    }
    std::unique_ptr<CSQLiteStatement>& slot = m_Statements[sql];
    if (slot && !slot->IsEmpty()) {
        slot->Reset();
        return *slot;
    }
    slot = std::make_unique<CSQLiteStatement>();
    if (db->Prepare(sql, *slot) != SQLITE_OK || slot->IsEmpty()) {
        const CString message(sqlite3_errmsg(db->GetHandle()));
        m_Statements.erase(sql);
        throw CSQLiteException(message);
    }
    return *slot;
}

void CLayerStatements::FinalizeAll()
{
    m_Statements.clear();
    m_pDatabase = nullptr;
}
