// Saving a layer's own file: its properties row (the map's view, style, units
// and projection with the layer's bounds), its index row, and the commit of the transaction the
// layer's writes run in, after which the next one begins.
#include "model/MapLayer.h"

#include "model/MapModel.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"

#include <sqlite3.h>

#include <vector>

void CMapLayer::SaveProperties()
{
    if (!m_pDatabase)
        return;
    // The layer's own bounds, not the map's extent: the opener gives them back
    // to the layer, and the map gathers its extent from its layers.
    if (m_pMap)
        m_pMap->UpdateMapPropertyRow(m_pDatabase.get(), CMapModel::ProjectionFormat::Unsigned, m_rcBounds);

    // An empty index keeps the row as it was.
    CollectAllEntries();
    if (g_LayerEntryArray.GetSize() > 0) {
        std::vector<BYTE> records((size_t)g_LayerEntryArray.GetSize() * LayerIndexEntry::kRecordSize);
        for (INT_PTR i = 0; i < g_LayerEntryArray.GetSize(); ++i)
            g_LayerEntryArray[i].WriteRecord(records.data() + i * LayerIndexEntry::kRecordSize);
        CSQLiteStatement stmt;
        m_pDatabase->Prepare("update _MapProperty set SelProperty=? where ROWID=2;", stmt);
        stmt.BindBlob(0, records.data(), (int)records.size(), SQLITE_TRANSIENT);
        stmt.Execute();
    }
    g_LayerEntryArray.RemoveAll();
    m_dwFlags &= ~kIndexOutOfDate;

    m_pDatabase->Execute("COMMIT TRANSACTION;");
    m_pDatabase->Execute("VACUUM;");
    m_pDatabase->Execute("BEGIN TRANSACTION;");
}
