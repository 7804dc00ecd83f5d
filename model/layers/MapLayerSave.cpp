// Saving a layer's own file: its properties row (the map's view, style, units
// and projection with the layer's bounds), its index row (empty or not), and
// the commit of the transaction the layer's writes run in, after which the file
// is compacted and the next transaction begins. The transaction holds the
// file's writer lock from its start, so that a second map cannot take the file
// from under this one.
#include "model/layers/MapLayer.h"

#include "model/layers/MapModel.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"

#include <sqlite3.h>

#include <memory>
#include <vector>

void CMapLayer::WritePropertyRows()
{
    CSQLiteDatabase* db = m_pDatabase.get();
    if (!db)
        return;
    // The layer's own bounds, not the map's extent: the opener gives them back
    // to the layer, and the map gathers its extent from its layers.
    if (m_pMap)
        m_pMap->UpdateMapPropertyRow(db, CMapModel::ProjectionFormat::Unsigned, m_rcBounds);

    // The index, empty or not: a stale one would bring deleted ids back.
    CollectAllEntries();
    std::vector<BYTE> records((size_t)g_LayerEntryArray.GetSize() * LayerIndexEntry::kRecordSize);
    for (INT_PTR i = 0; i < g_LayerEntryArray.GetSize(); ++i)
        g_LayerEntryArray[i].WriteRecord(records.data() + i * LayerIndexEntry::kRecordSize);
    g_LayerEntryArray.SetSize(0);
    const bool hasRow2 = db->QueryInt("select count(*) from _MapProperty where ROWID=2;") == 1;
    CSQLiteStatement stmt;
    db->Prepare(hasRow2 ? "update _MapProperty set SelProperty=? where ROWID=2;"
                        : "insert into _MapProperty values(0, 0, 0, 0, ?, NULL, NULL, 0);",
                stmt);
    if (!records.empty())
        stmt.BindBlob(0, records.data(), (int)records.size(), SQLITE_TRANSIENT);
    db->ExecuteChecked(stmt);
    m_dwFlags &= ~kIndexOutOfDate;
}

void CMapLayer::SaveProperties()
{
    CSQLiteDatabase* db = m_pDatabase.get();
    if (!db)
        return;
    WritePropertyRows();
    // VACUUM fails while any statement of the file is open.
    FinalizeStatements();
    if (!sqlite3_get_autocommit(db->GetHandle()))
        db->ExecuteChecked("COMMIT TRANSACTION;");
    db->ExecuteChecked("VACUUM;");
    BeginFileTransaction();
}

bool CMapLayer::BeginFileTransaction()
{
    CSQLiteDatabase* db = m_pDatabase.get();
    if (!db)
        return false;
    if (db->Execute("BEGIN IMMEDIATE TRANSACTION;") == SQLITE_DONE)
        return true;
    db->ExecuteChecked("BEGIN TRANSACTION;");
    return false;
}

void CMapLayer::SwitchFile(const CString& path)
{
    auto copy = std::make_unique<CSQLiteDatabase>();
    if (copy->OpenExisting(path) != SQLITE_OK)
        throw CSQLiteException("The layer file " + path + " cannot be opened.");
    // The old connection goes before the copy writes anything: closing it
    // rolls its transaction back, and the copy may lie at the very path whose
    // journal that rollback removes.
    CloseDatabase();
    SetDatabase(copy.release());
    SetFilePath(path);
    BeginFileTransaction();
}
