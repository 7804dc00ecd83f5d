// Layers: the object factory, inserting rows, the node and text list, bounds,
// the spatial index, fields and the layer file schema. The columns that differ
// by kind come from the objects themselves.
#include "model/MapLayer.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"
#include "model/MapModel.h"
#include "model/MapObject.h"
#include "model/MapObjectKinds.h"
#include "model/RowStatements.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

CArray<int, int> g_LayerIdArray;
CArray<LayerIndexEntry, const LayerIndexEntry&> g_LayerEntryArray;

const char* const g_MapGeoDataColumns =
    "mapeID INTEGER PRIMARY KEY,mapeLabelProp BLOB, mapeLabelText VARCHAR(255), mapeProperty BLOB, mapeBoundary "
    "BLOB, mapeGeoData BLOB, mapeObjectType SMALLINT, mapeAttribute INT UNSIGNED, mapeSelHandle INT";

// ---------------------------------------------------------------- construction
IMPLEMENT_SERIAL(CMapLayer, CObject, 0)

CMapLayer::CMapLayer()
{
    Init();
}

CMapLayer::CMapLayer(const CString& name)
{
    Init();
    SetName(name);
}

void CMapLayer::Init()
{
    m_pStyle = std::make_unique<CMapStyle>();
    m_LabelProperties = MapLabelFontBlock::Defaults();
}

CMapLayer::~CMapLayer()
{
    m_pStyle.reset();
    CloseDatabase();
    ClearPointObjects();
}

void CMapLayer::Serialize(CArchive&) {}

void CMapLayer::CloseDatabase()
{
    if (!m_pDatabase)
        return;
    // No statement of a closed layer file may survive it.
    g_CurrentRowStatement.Finalize();
    m_pDatabase.reset();
}

void CMapLayer::SetDatabase(CSQLiteDatabase* db)
{
    if (db == m_pDatabase.get())
        return;
    CloseDatabase();
    m_pDatabase.reset(db);
}

void CMapLayer::CommitEmptyTransaction(CSQLiteDatabase* db)
{
    db->Execute("BEGIN TRANSACTION;");
    db->Execute("COMMIT TRANSACTION;");
}

void CMapLayer::SetName(const CString& name)
{
    m_strName = name;
    m_strName.Replace(' ', '_');
    m_strName.Replace('-', '_');
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

// ---------------------------------------------------------------- factory
CMapObject* CMapLayer::CreateMapObject(int type)
{
    CMapObject* object = CreateObjectOfKind(type);
    if (object)
        object->SetLayer(this);
    return object;
}

// ---------------------------------------------------------------- adding and storing
void CMapLayer::AddObject(CMapObject* object, BOOL emptyValues)
{
    object->SetLayer(this);
    if (object->GetMapeID() < 0) {
        object->SetMapeID(++m_nMaxID);
    } else {
        m_nMinID = std::min(m_nMinID, object->GetMapeID());
        m_nMaxID = std::max(m_nMaxID, object->GetMapeID());
    }
    if (emptyValues) {
        object->RemoveAllAttributes();
        for (const CMapField& field : m_Fields)
            object->AddAttribute(CMapFieldValue(field));
    }
    CDoubleRect bounds = m_rcBounds;
    bounds.UnionOrAssign(object->GetBoundary());
    SetBounds(bounds);
    IndexInsertObject(object);
    InsertObjectRows(object);
}

void CMapLayer::InsertObjectRows(CMapObject* object, CSQLiteDatabase* db)
{
    if (!db)
        db = m_pDatabase.get();
    if (!db)
        return;
    if (object->GetMapeID() < 0)
        object->SetMapeID(++m_nMaxID);

    CString sql;
    sql.Format("insert into _MapGeoData values (%d, ?, ?, ?, ?, ?, %i, %u, %i);", object->GetMapeID(),
               object->GetType(), object->UsesLayerStyle() ? CMapObject::kUseLayerStyle : 0u,
               object->GetActiveHandle());
    CSQLiteStatement stmt;
    // Rows that cannot be written are reported, never dropped silently.
    if (db->Prepare(sql, stmt) != SQLITE_OK || stmt.IsEmpty())
        throw CSQLiteException(sqlite3_errmsg(db->GetHandle()));

    if (m_nAutoLabel) {
        const CMapLabel::Record label = object->GetLabel()->ToRecord();
        stmt.BindBlob(0, label.data(), CMapLabel::kRecordSize, SQLITE_TRANSIENT);
        stmt.BindText(1, object->GetLabelText());
    }

    const std::vector<BYTE> property = object->GetPropertyColumn();
    if (!property.empty())
        stmt.BindBlob(2, property.data(), (int)property.size(), SQLITE_TRANSIENT);

    const CDoubleRect::Record boundary = object->GetBoundary().ToRecord();
    stmt.BindBlob(3, boundary.data(), CDoubleRect::kRecordSize, SQLITE_TRANSIENT);

    object->BindGeometryColumn(stmt, 4);
    stmt.Step();
    stmt.Finalize();

    sql.Format("insert into _MapMetaData values (%d", object->GetMapeID());
    const int values = object->GetAttributeCount();
    for (int i = 0; i < values; ++i) {
        const CString value = object->GetAttributeText(i);
        sql += value.IsEmpty() ? CString(",NULL") : "," + SqlText(value);
    }
    sql += ");";
    CSQLiteStatement row;
    if (db->Prepare(sql, row) != SQLITE_OK || row.IsEmpty())
        throw CSQLiteException(sqlite3_errmsg(db->GetHandle()));
    row.Execute();

    object->DetachGeometry();
}

// ---------------------------------------------------------------- nodes and texts
void CMapLayer::LoadPointObjects()
{
    if (!m_pDatabase)
        return;
    CString sql;
    sql.Format("select * from _MapGeoData where mapeObjectType in(%d,%d);", MAP_OBJECT_NODE, MAP_OBJECT_TEXT);
    CSQLiteStatement stmt;
    m_pDatabase->Prepare(sql, stmt);
    if (stmt.IsEmpty())
        return;
    while (stmt.Step() == SQLITE_ROW) {
        CMapObject* object = CreateMapObject(stmt.ColumnInt(6));
        if (!object)
            continue;
        for (const CMapField& field : m_Fields)
            object->AddAttribute(CMapFieldValue(field));
        object->LoadFromRow(&stmt);
        object->LoadAttributes();
        m_PointObjects.AddTail(object);
        // Nodes and texts never stay in the index.
        IndexRemove(object->GetMapeID(), object->GetBoundary());
    }
    stmt.Finalize();
}

void CMapLayer::ClearPointObjects()
{
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;)
        delete m_PointObjects.GetNext(pos);
    m_PointObjects.RemoveAll();
}

void CMapLayer::ReadMaxID()
{
    if (m_pDatabase)
        m_nMaxID = m_pDatabase->QueryInt("Select max(mapeID) from _MapGeoData");
}

void CMapLayer::ReadMinID()
{
    if (m_pDatabase)
        m_nMinID = m_pDatabase->QueryInt("Select min(mapeID) from _MapGeoData");
}

// ---------------------------------------------------------------- bounds
void CMapLayer::SetBounds(const CDoubleRect& bounds)
{
    if (bounds == m_rcBounds)
        return;
    m_rcBounds = bounds;
    if (m_pMap)
        m_pMap->RecalcExtent();
}

void CMapLayer::RecalcBounds()
{
    CollectAllEntries();
    CDoubleRect bounds;
    for (INT_PTR i = 0; i < g_LayerEntryArray.GetSize(); ++i)
        bounds.UnionOrAssign(g_LayerEntryArray[i].rect);
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;)
        bounds.UnionOrAssign(m_PointObjects.GetNext(pos)->GetBoundary());
    m_rcBounds = bounds;
}

// ---------------------------------------------------------------- spatial index
void CMapLayer::IndexInsert(int id, const CDoubleRect& rect)
{
    m_Index.Insert((float)rect.left, (float)rect.bottom, (float)rect.right, (float)rect.top, id);
}

void CMapLayer::IndexRemove(int id, const CDoubleRect& rect)
{
    m_Index.Remove((float)rect.left, (float)rect.bottom, (float)rect.right, (float)rect.top, id);
}

void CMapLayer::IndexInsertObject(CMapObject* object)
{
    if (IsPointObjectType(object->GetType()))
        m_PointObjects.AddTail(object);
    else
        IndexInsert(object->GetMapeID(), object->GetBoundary());
}

void CMapLayer::IndexRemoveObject(CMapObject* object)
{
    if (IsPointObjectType(object->GetType())) {
        if (POSITION pos = m_PointObjects.Find(object))
            m_PointObjects.RemoveAt(pos);
    } else {
        IndexRemove(object->GetMapeID(), object->GetBoundary());
    }
}

int CMapLayer::GetObjectCount() const
{
    return m_Index.Count() + (int)m_PointObjects.GetCount();
}

// ---------------------------------------------------------------- fields
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

int CMapLayer::AddField(CMapField field)
{
    if (FindField(field.GetName()) >= 0)
        return -1;
    m_Fields.push_back(field);
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;)
        m_PointObjects.GetNext(pos)->AddAttribute(CMapFieldValue(field));
    return GetFieldCount() - 1;
}

// ---------------------------------------------------------------- schema
CString CMapLayer::GetMetaDataColumns() const
{
    CString columns("mapeID INTEGER PRIMARY KEY");
    for (const CMapField& field : m_Fields) {
        CString name = field.GetName();
        MakeFieldNameSafe(name);
        columns += "," + SqlIdentifier(name) + field.GetSqlTypeSuffix();
    }
    return columns;
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
    static const char* const reserved[] = {"mapeID",       "mapeLabelProp", "mapeLabelText",
                                           "mapeProperty", "mapeBoundary",  "mapeGeoData",
                                           "mapeObjectType", "mapeAttribute", "mapeSelHandle"};
    for (const char* r : reserved) {
        if (name == r) {
            name += "_";
            return 1;
        }
    }
    return 0;
}

BOOL CMapLayer::NeedsTableUpgrade()
{
    if (!m_pDatabase)
        return FALSE;
    return m_pDatabase->QueryInt("select count(*) from sqlite_master where type='table' and name in "
                                 "('_MapGeoData','_MapMetaData') ;") != 2;
}

void CMapLayer::UpgradeTables(const CString& oldTable)
{
    CSQLiteDatabase* db = m_pDatabase.get();
    if (!db)
        return;
    static const char* const kGeoColumns = "mapeID, mapeLabelProp, mapeLabelText, mapeProperty, mapeBoundary, "
                                           "mapeGeoData, mapeObjectType, mapeAttribute, mapeSelHandle";
    const CString table = SqlIdentifier(oldTable);
    CString sql;
    db->Execute("BEGIN;");
    sql.Format("create table _MapGeoData(%s);", g_MapGeoDataColumns);
    db->Execute(sql);
    sql.Format("insert into _MapGeoData(%s) select %s from %s;", kGeoColumns, kGeoColumns, table.GetString());
    db->Execute(sql);

    CString columns("mapeID");
    CString definitions("mapeID INTEGER PRIMARY KEY");
    sql.Format("select * from %s where ROWID=1;", table.GetString());
    CSQLiteStatement stmt;
    db->Prepare(sql, stmt);
    if (!stmt.IsEmpty()) {
        stmt.Step();
        const int count = stmt.ColumnCount();
        for (int i = 9; i < count; ++i) {
            const CString name = SqlIdentifier(stmt.ColumnName(i));
            columns += "," + name;
            const int type = stmt.ColumnType(i);
            definitions += "," + name +
                           (type == SQLITE_INTEGER ? " INT" : type == SQLITE_FLOAT ? " DOUBLE" : " VARCHAR(128)");
        }
    }
    stmt.Finalize();
    sql.Format("create table _MapMetaData(%s);", definitions.GetString());
    db->Execute(sql);
    sql.Format("insert into _MapMetaData(%s) select %s from %s;", columns.GetString(), columns.GetString(),
               table.GetString());
    db->Execute(sql);
    sql.Format("DROP TABLE %s;", table.GetString());
    db->Execute(sql);
    db->Execute("COMMIT;");
    db->Execute("VACUUM;");
}
