// An object's row of its layer file: filling the object from a row of the
// layer's queries, writing back only the columns whose modified flag is set,
// and reading the attribute values alone. The columns that differ by kind
// (mapeProperty, mapeGeoData) are read and written through the kind's own
// virtual functions: nothing here knows the kinds.
#include "model/layers/MapObject.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapLayer.h"

#include <sqlite3.h>

#include <vector>

namespace {
// Row of "select * from _MapGeoData" (joined with _MapMetaData from column 9).
enum GeoDataColumn {
    COL_ID = 0,
    COL_LABEL_PROP = 1,
    COL_LABEL_TEXT = 2,
    COL_PROPERTY = 3,
    COL_BOUNDARY = 4,
    COL_ATTRIBUTE = 7,
    COL_SEL_HANDLE = 8,
    COL_FIRST_VALUE = 10,
};
}

void CMapObject::LoadFromRow(CSQLiteStatement* stmt)
{
    m_nMapeID = stmt->ColumnInt(COL_ID);
    // The size of a NULL column is not asked for: every column read costs.
    const auto blob = [stmt](int column, int& size) {
        const void* data = stmt->ColumnBlob(column);
        size = data ? stmt->ColumnBytes(column) : 0;
        return data;
    };
    int size = 0;
    const void* data = blob(COL_PROPERTY, size);
    ReadPropertyColumn(data, size);

    CDoubleRect boundary;
    data = blob(COL_BOUNDARY, size);
    if (boundary.ReadRecord(data, size))
        SetBoundary(boundary);

    m_dwFlags = (DWORD)stmt->ColumnInt(COL_ATTRIBUTE) & kUseLayerStyle;
    SetActiveHandle(stmt->ColumnInt(COL_SEL_HANDLE));

    // The base label point (the boundary's centre), not a subclass's.
    data = blob(COL_LABEL_PROP, size);
    m_Label.ReadRecord(data, size, CMapObject::GetLabelPoint());
    // Most rows have no label text: an unchanged text builds no string.
    const std::string_view text = stmt->ColumnTextView(COL_LABEL_TEXT);
    const CString& current = m_Label.GetTextRef();
    if (text != std::string_view(current.GetString(), (size_t)current.GetLength()))
        m_Label.SetText(CString(text));
    m_Label.SetMapeID(m_nMapeID);
    m_Label.SetDatabase(m_pLayer ? m_pLayer->GetDatabase() : nullptr);

    // Indexes beyond the object's values are ignored, so a query that returns
    // the columns twice is harmless.
    const int columns = stmt->ColumnCount();
    for (int i = COL_FIRST_VALUE; i < columns; ++i)
        SetAttributeText(i - COL_FIRST_VALUE, stmt->ColumnText(i));
    m_dwFlags &= ~kAttributesModified;
}

void CMapObject::ReadPropertyColumn(const void* data, int size)
{
    // Drawn with its own style, the object takes the record straight into it:
    // the style then holds the record's groups and is not modified, which is
    // what taking it through SetStyle comes to.
    if (data && size >= CMapStyle::kRecordSize && GetStyle() == &m_Style) {
        m_Style.ReadRecord(data, size);
        m_Style.SetModified(false);
        return;
    }
    bool read = false;
    if (data && size >= CMapStyle::kRecordSize) {
        SetStyle(CMapStyle(data, size));
        read = true;
    } else if (!data && m_pLayer) {
        SetStyle(*m_pLayer->GetStyle());
        read = true;
    }
    // A short record is not a style: the own style stays as it was.
    if (read)
        GetStyle()->SetModified(false);
}

bool CMapObject::WritePropertyColumn(std::vector<BYTE>& record) const
{
    if (UsesLayerStyle())
        return false;
    record.resize(CMapStyle::kRecordSize);
    GetStyle()->WriteRecord(record.data());
    return true;
}

std::vector<BYTE> CMapObject::GetPropertyColumn() const
{
    std::vector<BYTE> record;
    if (!WritePropertyColumn(record))
        record.clear();
    return record;
}

void CMapObject::BindGeometryColumn(CSQLiteStatement&, int) const {}

void CMapObject::SaveChanges()
{
    // Objects outside layers (clipboard and overlay copies) have no row.
    CSQLiteDatabase* db = m_pLayer ? m_pLayer->GetDatabase() : nullptr;
    if (!db)
        return;
    CString sql;

    CMapStyle* style = GetStyle();
    if (style->IsModified()) {
        sql.Format("update _MapGeoData set mapeProperty=? where mapeID = %d;", m_nMapeID);
        CSQLiteStatement stmt;
        db->Prepare(sql, stmt);
        const std::vector<BYTE> record = GetPropertyColumn();
        if (!record.empty())
            stmt.BindBlob(0, record.data(), (int)record.size(), SQLITE_TRANSIENT);
        stmt.Execute();
        style->SetModified(false);
    }

    if (IsBoundaryModified()) {
        sql.Format("Select mapeBoundary from _MapGeoData where mapeID = %d;", m_nMapeID);
        CSQLiteStatement query;
        db->Prepare(sql, query);
        if (query.Step() == SQLITE_ROW) {
            CDoubleRect stored;
            if (stored.ReadRecord(query.ColumnBlob(0), query.ColumnBytes(0))) {
                m_rcPrevBoundary = stored;
                // A kind that recomputes its boundary here (from vertices that
                // disagreed with the stored one) takes its index entry along.
                const BOOL stale = IsIndexStale();
                SetIndexStale(TRUE);
                UpdateLayerBounds();
                SetIndexStale(stale && IsIndexStale());
            }
        }
        query.Finalize();

        sql.Format("update _MapGeoData set mapeBoundary=? where mapeID = %d;", m_nMapeID);
        CSQLiteStatement stmt;
        db->Prepare(sql, stmt);
        const CDoubleRect::Record record = GetBoundary().ToRecord();
        stmt.BindBlob(0, record.data(), CDoubleRect::kRecordSize, SQLITE_TRANSIENT);
        stmt.Execute();
        m_dwFlags &= ~kBoundaryModified;
        m_pLayer->SetFlags(m_pLayer->GetFlags() | CMapLayer::kIndexOutOfDate);
    }

    if (IsAttributesModified() && !m_Attributes.IsEmpty()) {
        CString assignments;
        for (POSITION pos = m_Attributes.GetHeadPosition(); pos;) {
            const CMapFieldValue& value = m_Attributes.GetNext(pos);
            // The column of a field carries the field's name made safe.
            CString column = value.GetField().GetName();
            CMapLayer::MakeFieldNameSafe(column);
            if (!assignments.IsEmpty())
                assignments += ",";
            // Quoted only where it must be: the name may be an SQL keyword or hold a quote.
            assignments += SqlColumnName(column) + "=" + value.GetSqlText();
        }
        sql.Format("update _MapMetaData set %s where mapeID=%d;", assignments.GetString(), m_nMapeID);
        CSQLiteStatement stmt;
        if (db->Prepare(sql, stmt) != SQLITE_OK || stmt.IsEmpty()) {
            // The values stay marked modified, so nothing is lost silently.
            throw CSQLiteException(sqlite3_errmsg(db->GetHandle()));
        }
        if (stmt.Execute() == SQLITE_DONE && sqlite3_changes(db->GetHandle()) == 0) {
            // The object's attribute row went missing: it gets one, so that
            // its values are not dropped by an update that found no row.
            CString insert;
            insert.Format("insert or ignore into _MapMetaData(mapeID) values (%d);", m_nMapeID);
            db->ExecuteChecked(insert);
            db->ExecuteChecked(sql);
        }
        m_dwFlags &= ~kAttributesModified;
    }

    if (m_nAttributeDirty) {
        sql.Format("update _MapGeoData set mapeAttribute=%u where mapeID = %d;",
                   UsesLayerStyle() ? kUseLayerStyle : 0u, m_nMapeID);
        db->Execute(sql);
    }
}

void CMapObject::SaveGeometryColumn(const std::function<void(CSQLiteStatement&)>& bind)
{
    CSQLiteDatabase* db = m_pLayer ? m_pLayer->GetDatabase() : nullptr;
    if (!db || !IsGeometryModified())
        return;
    CString sql;
    sql.Format("update _MapGeoData set mapeGeoData=? where mapeID = %d;", m_nMapeID);
    CSQLiteStatement stmt;
    db->Prepare(sql, stmt);
    bind(stmt);
    stmt.Execute();
    m_dwFlags &= ~kGeometryModified;
}

void CMapObject::LoadAttributes()
{
    CSQLiteDatabase* db = m_pLayer ? m_pLayer->GetDatabase() : nullptr;
    if (!db)
        return;
    CString sql;
    sql.Format("Select * from _MapMetaData where mapeID=%d", m_nMapeID);
    CSQLiteStatement stmt;
    db->Prepare(sql, stmt);
    if (stmt.IsEmpty())
        return;
    // Without a row the columns read as empty texts, which the field types
    // turn into their empty values.
    const bool row = stmt.Step() == SQLITE_ROW;
    const int columns = stmt.ColumnCount();
    for (int i = 1; i < columns; ++i)
        SetAttributeText(i - 1, row ? stmt.ColumnText(i) : CString());
    stmt.Finalize();
}
