// The attribute fields of a layer and the changes of its _MapMetaData table.
// Column names are the fields' names made safe; a name that is an SQL keyword
// or holds any other character than letters, digits and underscores is quoted
// as an identifier, so that it still works.
#include "model/layers/MapLayer.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "model/layers/MapObject.h"
#include "platform/base/MessageBox.h"

namespace {
CString SafeColumnOf(const CMapField& field)
{
    CString name = field.GetName();
    CMapLayer::MakeFieldNameSafe(name);
    return name;
}

CString ColumnsOf(const std::vector<CMapField>& fields)
{
    CString columns("mapeID INTEGER PRIMARY KEY");
    for (const CMapField& field : fields)
        columns += "," + SqlColumnName(SafeColumnOf(field)) + field.GetSqlTypeSuffix();
    return columns;
}

// Each comma-separated column name as a quoted identifier (names quoted already stay).
CString QuoteColumnList(const CString& columns)
{
    CString quoted;
    int start = 0;
    const int length = columns.GetLength();
    while (start <= length) {
        int end = columns.Find(',', start);
        if (end < 0)
            end = length;
        CString name = columns.Mid(start, end - start);
        name.Trim();
        if (!name.IsEmpty()) {
            if (!quoted.IsEmpty())
                quoted += ",";
            quoted += name[0] == '"' ? name : SqlIdentifier(name);
        }
        start = end + 1;
    }
    return quoted;
}
}

int CMapLayer::GetFieldType(int index) const
{
    if (index < 0 || index >= GetFieldCount())
        return FIELD_TYPE_STRING;
    return m_Fields[(size_t)index].GetType();
}

// A field position is its index plus one, so that the first is not null.
POSITION CMapLayer::GetFirstFieldPosition() const
{
    return m_Fields.empty() ? nullptr : reinterpret_cast<POSITION>((INT_PTR)1);
}

const CMapField& CMapLayer::GetNextField(POSITION& pos) const
{
    const size_t index = (size_t)reinterpret_cast<INT_PTR>(pos) - 1;
    pos = index + 1 < m_Fields.size() ? reinterpret_cast<POSITION>((INT_PTR)(index + 2)) : nullptr;
    return m_Fields[index];
}

int CMapLayer::FindField(const CString& name) const
{
    CString wanted(name);
    wanted.MakeUpper();
    for (size_t i = 0; i < m_Fields.size(); ++i) {
        CString field = m_Fields[i].GetName();
        if (field.MakeUpper() == wanted)
            return (int)i;
    }
    return -1;
}

BOOL CMapLayer::HasField(const CMapField& field) const
{
    for (const CMapField& own : m_Fields) {
        if (own.IsEqual(field))
            return TRUE;
    }
    return FALSE;
}

int CMapLayer::AddField(CMapField field)
{
    if (FindField(field.GetName()) >= 0)
        return -1;
    // Names that differ ("Rate", "Rate%") can make one column; SQLite compares
    // column names without case.
    const CString column = SafeColumnOf(field);
    for (const CMapField& own : m_Fields) {
        if (SafeColumnOf(own).CompareNoCase(column) == 0) {
            AfxMessageBox("The field \"" + field.GetName() + "\" cannot be added: its column \"" + column
                              + "\" is already the column of the field \"" + own.GetName() + "\".",
                          MB_OK | MB_ICONEXCLAMATION, 0);
            return -1;
        }
    }
    AppendField(field);
    return GetFieldCount() - 1;
}

void CMapLayer::AppendField(const CMapField& field)
{
    if (!m_TableFields)
        m_TableFields = m_Fields;
    m_Fields.push_back(field);
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;)
        m_PointObjects.GetNext(pos)->AddAttribute(CMapFieldValue(field));
}

void CMapLayer::RemoveField(int index)
{
    if (index < 0 || index >= GetFieldCount())
        return;
    if (!m_TableFields)
        m_TableFields = m_Fields;
    m_Fields.erase(m_Fields.begin() + index);
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;) {
        CMapObject* object = m_PointObjects.GetNext(pos);
        if (object->GetAttributeCount() > index)
            object->RemoveAttributeAt(index);
    }
}

void CMapLayer::SetFieldName(int, const CString&) {}

void CMapLayer::SetFieldTypeName(int, const CString&) {}

CString CMapLayer::GetMetaDataColumns() const
{
    return ColumnsOf(m_Fields);
}

CString CMapLayer::BuildCreateMetaDataSql() const
{
    CString sql;
    sql.Format("create table _MapMetaData (%s);", GetMetaDataColumns().GetString());
    return sql;
}

int CMapLayer::MakeFieldNameSafe(CString& name)
{
    name.TrimRight();
    name.Replace('#', '_');
    name.TrimRight('?');
    name.Replace('?', '_');
    name.TrimRight('%');
    name.Replace('%', '_');
    name.Replace(' ', '_');
    name.Replace('-', '_');
    name.Replace('.', '_');
    static const char* const reserved[] = {"mapeID",         "mapeLabelProp", "mapeLabelText",
                                           "mapeProperty",   "mapeBoundary",  "mapeGeoData",
                                           "mapeObjectType", "mapeAttribute", "mapeSelHandle"};
    for (const char* r : reserved) {
        if (name == r) {
            name += "_";
            return 1;
        }
    }
    return 0;
}

void CMapLayer::RebuildMetaDataTable(const CString& oldColumns, const CString& keptColumns,
                                     const CString& newColumns)
{
    if (oldColumns == newColumns || !m_pDatabase) {
        m_TableFields.reset();
        return;
    }
    CSQLiteDatabase* db = m_pDatabase.get();
    // Kept statements would run against the old table.
    FinalizeStatements();
    const CString kept = QuoteColumnList(keptColumns);
    // The file stays in its open transaction; the savepoint makes the steps
    // one change that a failure takes back whole, the backup table included.
    db->ExecuteChecked("SAVEPOINT rebuild_metadata;");
    try {
        CString sql;
        sql.Format("create temporary table _MapDatabackup(%s);", newColumns.GetString());
        db->ExecuteChecked(sql);
        sql.Format("insert into _MapDatabackup(%s) select %s from _MapMetaData;", kept.GetString(),
                   kept.GetString());
        db->ExecuteChecked(sql);
        db->ExecuteChecked("Drop table _MapMetaData;");
        sql.Format("create table _MapMetaData (%s);", newColumns.GetString());
        db->ExecuteChecked(sql);
        sql.Format("insert into _MapMetaData(%s) select %s from _MapDatabackup;", kept.GetString(),
                   kept.GetString());
        db->ExecuteChecked(sql);
        db->ExecuteChecked("Drop table _MapDatabackup;");
        db->ExecuteChecked("RELEASE rebuild_metadata;");
    } catch (const CSQLiteException&) {
        db->Execute("ROLLBACK TO rebuild_metadata;");
        db->Execute("RELEASE rebuild_metadata;");
        RestoreTableFields(oldColumns);
        throw;
    }
    m_TableFields.reset();
    m_History.ClearRedo();
    m_History.ClearUndo();
}

void CMapLayer::RestoreTableFields(const CString& columns)
{
    if (m_TableFields && ColumnsOf(*m_TableFields) == columns) {
        m_Fields = *m_TableFields;
    } else {
        // The list was changed by other means: the table itself tells.
        m_Fields.clear();
        ReadFieldsFromFile();
    }
    m_TableFields.reset();
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;) {
        CMapObject* object = m_PointObjects.GetNext(pos);
        GiveEmptyValues(object);
        object->LoadAttributes();
        object->SetAttributesModified(FALSE);
    }
}
