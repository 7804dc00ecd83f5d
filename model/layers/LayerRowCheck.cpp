// The check of every indexed row of a layer file as the layer opens: a row
// whose geometry or boundary its kind cannot hold is left out of the layer
// (never indexed, drawn, hit or counted) and named to the user once, while
// the rest of the layer loads. The row itself stays in the file untouched:
// nothing the user stored is deleted because it could not be read.
#include "model/layers/MapLayer.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "model/geometry/StoredGeometry.h"
#include "platform/base/MessageBox.h"

#include <sqlite3.h>

namespace {
// The refused rows named one by one in the message; the rest are counted.
constexpr size_t kNamedRows = 10;
}

std::vector<LayerIndexEntry> CMapLayer::CheckStoredRows()
{
    std::vector<LayerIndexEntry> sound;
    if (!m_pDatabase)
        return sound;
    CString sql;
    // In id order (the table's own), so that the result is sorted by id.
    sql.Format("select mapeID, mapeObjectType, mapeBoundary, mapeGeoData from _MapGeoData where "
               "(mapeObjectType!=%d and mapeObjectType!=%d) order by mapeID;",
               MAP_OBJECT_NODE, MAP_OBJECT_TEXT);
    CSQLiteStatement stmt;
    m_pDatabase->Prepare(sql, stmt);
    std::vector<std::pair<long long, CString>> refused;
    while (!stmt.IsEmpty() && stmt.Step() == SQLITE_ROW) {
        const long long id = stmt.ColumnInt64(0);
        const int type = stmt.ColumnInt(1);
        const void* boundary = stmt.ColumnBlob(2);
        const int boundarySize = boundary ? stmt.ColumnBytes(2) : 0;
        const char* fault = id < INT_MIN || id > INT_MAX ? "the id is outside the range of object ids" : nullptr;
        if (!fault)
            fault = FindStoredBoundaryFault(boundary, boundarySize);
        if (!fault) {
            const void* geometry = stmt.ColumnBlob(3);
            fault = FindStoredGeometryFault(type, geometry, geometry ? stmt.ColumnBytes(3) : 0);
        }
        if (fault) {
            refused.emplace_back(id, CString(fault));
            continue;
        }
        LayerIndexEntry entry;
        entry.id = (int)id;
        entry.rect.ReadRecord(boundary, boundarySize);
        sound.push_back(entry);
    }
    stmt.Finalize();
    if (refused.empty())
        return sound;

    CString text;
    text.Format("The layer %s holds %d damaged object%s that %s not loaded:", m_strName.GetString(),
                (int)refused.size(), refused.size() == 1 ? "" : "s", refused.size() == 1 ? "was" : "were");
    for (size_t i = 0; i < refused.size() && i < kNamedRows; ++i) {
        CString line;
        line.Format("\nid %lld: %s", refused[i].first, refused[i].second.GetString());
        text += line;
    }
    if (refused.size() > kNamedRows) {
        CString more;
        more.Format("\nand %d more.", (int)(refused.size() - kNamedRows));
        text += more;
    }
    text += "\nThe rows stay in the file unchanged.";
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION, 0);
    return sound;
}
