// Saving a layer's own file: its properties row (the map's view, style, units
// and projection with the layer's bounds), its index row (empty or not), and
// the commit of the transaction the layer's writes run in, after which the file
// is compacted and the next transaction begins.
#include "model/MapLayer.h"

#include "model/MapModel.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"

#include <sqlite3.h>

#include <vector>

void CMapLayer::SaveProperties()
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

    // VACUUM fails while any statement of the file is open.
    FinalizeStatements();
    if (!sqlite3_get_autocommit(db->GetHandle()))
        db->ExecuteChecked("COMMIT TRANSACTION;");
    db->ExecuteChecked("VACUUM;");
    db->ExecuteChecked("BEGIN TRANSACTION;");
}
