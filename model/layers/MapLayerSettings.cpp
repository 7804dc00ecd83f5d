// A layer's label settings, label texts from a field, its entry into the edit
// history, its clone, and the line splitter of labels and texts. Label texts
// are bound into their statements, so quotes and NULs in values survive.
#include "model/layers/MapLayer.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapObject.h"

#include <sqlite3.h>

#include <cfloat>

int ExtractNextToken(CString text, CString& out, int start, CString separator)
{
    const int length = text.GetLength();
    if (length == 0 || start >= length || start < 0)
        return -1;
    const int found = separator.IsEmpty() ? -1 : text.Find(separator, start);
    if (found < 0) {
        out = text.Mid(start);
        return length;
    }
    out = text.Mid(start, found - start);
    return found + separator.GetLength();
}

void CMapLayer::SetLabelFieldName(const CString& name)
{
    m_strLabelField = name;
}

void CMapLayer::SetLabelFieldIndex(int index)
{
    if (index >= 0 && index < GetFieldCount())
        m_strLabelField = m_Fields[(size_t)index].GetName();
}

void CMapLayer::SetLabelPropertiesForAll(MapLabelFontBlock block)
{
    m_LabelProperties = block;
    if (!m_pDatabase)
        return;
    // A label not placed yet: its anchor is set when it is first drawn.
    CMapLabel label;
    label.SetAnchor(CFloatPoint(FLT_MAX, FLT_MAX));
    label.SetFontBlock(block);
    const CMapLabel::Record record = label.ToRecord();
    CSQLiteStatement stmt;
    m_pDatabase->Prepare("update _MapGeoData set mapeLabelProp=?;", stmt);
    stmt.BindBlob(0, record.data(), CMapLabel::kRecordSize, SQLITE_TRANSIENT);
    m_pDatabase->ExecuteChecked(stmt);
}

void CMapLayer::UpdateLabelTexts()
{
    if (m_strLabelField.IsEmpty() || !m_pDatabase)
        return;
    // The field's column: its name made safe, as the table was built with it.
    CString column = m_strLabelField;
    MakeFieldNameSafe(column);
    CString sql;
    sql.Format("Select mapeID,%s from _MapMetaData;", SqlIdentifier(column).GetString());
    CSQLiteStatement rows;
    m_pDatabase->Prepare(sql, rows);
    if (rows.IsEmpty())
        return;
    CSQLiteStatement update;
    m_pDatabase->Prepare("Update _MapGeodata set mapeLabelText=? where mapeID=?;", update);
    while (rows.Step() == SQLITE_ROW) {
        update.Reset();
        update.BindText(0, rows.ColumnText(1));
        update.BindInt64(1, rows.ColumnInt64(0));
        update.Step();
    }
    rows.Finalize();
    update.Finalize();
    ClearPointObjects();
    LoadPointObjects();
}

void CMapLayer::RecordEdit(CList<CMapObject*, CMapObject*>& objects, int action)
{
    if (objects.IsEmpty())
        return;
    m_History.Record(CMapHistoryEntry(action, objects), this);
}

CMapLayer* CMapLayer::Clone(CMapModel* map)
{
    // Owned here until the map takes it.
    auto owned = std::make_unique<CMapLayer>(m_strName);
    CMapLayer* clone = owned.get();
    clone->SetStyle(*m_pStyle);
    clone->m_Fields = m_Fields;
    clone->m_LabelProperties = m_LabelProperties;
    clone->m_strLabelField = m_strLabelField;
    clone->m_nAutoLabel = m_nAutoLabel;
    clone->m_nEditable = m_nEditable;
    clone->m_nVisible = m_nVisible;
    clone->m_nSelectable = m_nSelectable;
    clone->m_nOverride = m_nOverride;
    clone->m_pShowTips = m_pShowTips;
    clone->m_pShowArea = m_pShowArea;
    // Objects other than nodes and texts live in rows: the clone gets rows of
    // its own in memory, never this layer's file.
    if (m_pDatabase) {
        auto db = std::make_unique<CSQLiteDatabase>();
        db->Open(":memory:");
        CString sql;
        sql.Format("create table _MapGeoData(%s);", g_MapGeoDataColumns);
        db->ExecuteChecked(sql);
        db->ExecuteChecked(clone->BuildCreateMetaDataSql());
        db->ExecuteChecked("BEGIN TRANSACTION;");
        clone->SetDatabase(db.release());
    }
    if (map)
        map->AddLayer(owned.release());

    CArray<int, int> ids;
    GetAllIDs(ids, true);
    for (INT_PTR i = 0; i < ids.GetSize(); ++i) {
        CMapObject* object = LoadObject(ids[i], TRUE);
        if (!object)
            continue;
        // Objects read from rows are this loop's; nodes and texts stay the layer's.
        const std::unique_ptr<CMapObject> read(IsPointObjectType(object->GetType()) ? nullptr : object);
        // The clone is added to the new layer, which keeps only nodes and texts.
        CMapObject* copy = object->Clone(clone);
        if (!IsPointObjectType(copy->GetType()))
            delete copy;
    }
    owned.release();
    return clone;
}
