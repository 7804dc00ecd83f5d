// Layers: construction, the object factory, adding, storing, removing and
// reading objects, the node and text list, the id counters and the bounds.
// Rows are written through statements the layer keeps on its file, every value
// bound (never pasted into SQL text), and an object's two rows go in together
// or not at all. The columns that differ by kind come from the objects.
#include "model/layers/MapLayer.h"

#include "model/layers/NodeHitIndex.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapObject.h"
#include "model/layers/MapObjectKinds.h"
#include "model/layers/RowStatements.h"
#include "model/geometry/StoredGeometry.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <vector>

CArray<int, int> g_LayerIdArray;
CArray<LayerIndexEntry, const LayerIndexEntry&> g_LayerEntryArray;

const char* const g_MapGeoDataColumns =
    "mapeID INTEGER PRIMARY KEY,mapeLabelProp BLOB, mapeLabelText VARCHAR(255), mapeProperty BLOB, mapeBoundary "
    "BLOB, mapeGeoData BLOB, mapeObjectType SMALLINT, mapeAttribute INT UNSIGNED, mapeSelHandle INT";

namespace {
// Column order of "select * from _MapGeoData".
enum { COL_ID = 0, COL_BOUNDARY = 4, COL_TYPE = 6 };

const char* const kInsertGeoRow = "insert into _MapGeoData values (?, ?, ?, ?, ?, ?, ?, ?, ?);";
const char* const kDeleteGeoRow = "delete from _MapGeoData where mapeID=?;";
const char* const kDeleteMetaRow = "delete from _MapMetaData where mapeID=?;";
// One object's row read by id, alone or with its attribute values.
const char* const kReadGeoRow = "select * from _MapGeoData  where mapeID = ?;";
const char* const kReadJoinedRow =
    "select *,* from _MapGeoData,_MapMetaData where (_MapGeoData.mapeID = ? and _MapMetaData.mapeID=?);";

// "insert into _MapMetaData values (?,?,...);" with one parameter per column;
// made once per number of fields, not once per object inserted.
const CString& MetaInsertSql(int fields)
{
    thread_local std::vector<CString> made;
    if ((size_t)fields >= made.size())
        made.resize((size_t)fields + 1);
    CString& sql = made[(size_t)fields];
    if (sql.IsEmpty()) {
        sql = "insert into _MapMetaData values (?";
        for (int i = 0; i < fields; ++i)
            sql += ",?";
        sql += ");";
    }
    return sql;
}

// Steps a write that must succeed; a write SQLite refuses throws. The kept
// statement's bindings are cleared by its next use (CLayerStatements::Get).
void StepWrite(CSQLiteDatabase* db, CSQLiteStatement& stmt)
{
    if (stmt.Step() != SQLITE_DONE) {
        const CString message(sqlite3_errmsg(db->GetHandle()));
        stmt.Reset();
        throw CSQLiteException(message);
    }
    stmt.Rewind();
}
}

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
    m_History.ClearUndo();
    m_History.ClearRedo();
}

void CMapLayer::Serialize(CArchive&) {}

void CMapLayer::FinalizeStatements()
{
    m_Statements.FinalizeAll();
    // The shared row statements may hold a statement of this file.
    g_CurrentRowStatement.Finalize();
    if (m_pDatabase && !g_LayerQueryStatement.IsEmpty()
        && sqlite3_db_handle(g_LayerQueryStatement.GetHandle()) == m_pDatabase->GetHandle())
        g_LayerQueryStatement.Finalize();
}

void CMapLayer::CloseDatabase()
{
    if (!m_pDatabase)
        return;
    // No statement of a closed layer file may survive it.
    FinalizeStatements();
    m_pDatabase.reset();
}

void CMapLayer::SetDatabase(CSQLiteDatabase* db)
{
    if (db == m_pDatabase.get())
        return;
    CloseDatabase();
    m_pDatabase.reset(db);
    // Drawing, selections and hit tests read rows all over the file: a page
    // cache of a few tens of megabytes keeps them off the disk reads that the
    // default one of two megabytes leaves to every query.
    if (db)
        db->Execute("PRAGMA cache_size=-32768;");
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

// ---------------------------------------------------------------- factory
CMapObject* CMapLayer::CreateMapObject(int type)
{
    CMapObject* object = CreateObjectOfKind(type);
    if (object)
        object->SetLayer(this);
    return object;
}

// ---------------------------------------------------------------- ids
void CMapLayer::ReadMaxID()
{
    if (m_pDatabase)
        m_nMaxID = m_pDatabase->QueryInt64("Select max(mapeID) from _MapGeoData");
}

void CMapLayer::ReadMinID()
{
    if (m_pDatabase)
        m_nMinID = m_pDatabase->QueryInt64("Select min(mapeID) from _MapGeoData");
}

int CMapLayer::NextObjectID()
{
    // Ids grow from 1; a file whose ids are all negative still gets positive ones.
    const long long next = std::max(m_nMaxID + 1, 1LL);
    if (next <= INT_MAX) {
        m_nMaxID = next;
        return (int)next;
    }
    // Past the largest object id: the smallest positive id that is free.
    if (!m_pDatabase)
        throw CSQLiteException("No object id is free in the layer " + m_strName);
    if (m_pDatabase->QueryInt("select count(*) from _MapGeoData where mapeID=1;") == 0)
        return 1;
    CString sql;
    sql.Format("select min(mapeID)+1 from _MapGeoData a where mapeID>0 and mapeID<%d and not exists "
               "(select 1 from _MapGeoData b where b.mapeID=a.mapeID+1);",
               INT_MAX);
    const long long gap = m_pDatabase->QueryInt64(sql);
    if (gap <= 0 || gap > INT_MAX)
        throw CSQLiteException("No object id is free in the layer " + m_strName);
    return (int)gap;
}

// ---------------------------------------------------------------- adding and storing
void CMapLayer::GiveEmptyValues(CMapObject* object) const
{
    object->RemoveAllAttributes();
    for (const CMapField& field : m_Fields)
        object->AddAttribute(CMapFieldValue(field));
}

void CMapLayer::AddObject(CMapObject* object, BOOL emptyValues)
{
    // An object the index cannot hold would have rows that nothing draws or finds.
    const CDoubleRect& boundary = object->GetBoundary();
    if (!IsPointObjectType(object->GetType())
        && !IsIndexableRect(boundary.left, boundary.top, boundary.right, boundary.bottom))
        throw CSQLiteException("The object cannot be stored in the layer " + m_strName
                               + ": its coordinates are beyond the range a layer holds.");
    object->SetLayer(this);
    if (object->GetMapeID() < 0)
        object->SetMapeID(NextObjectID());
    if (emptyValues)
        GiveEmptyValues(object);
    // The rows first: an object whose rows cannot be written is not taken in.
    InsertObjectRows(object);
    m_nMinID = std::min<long long>(m_nMinID, object->GetMapeID());
    m_nMaxID = std::max<long long>(m_nMaxID, object->GetMapeID());

    // The first object's boundary is the bounds, even a point at (0, 0) whose
    // boundary is all zero: emptiness is what the layer holds, not a value.
    CDoubleRect bounds = m_rcBounds;
    if (GetObjectCount() == 0)
        bounds = object->GetBoundary();
    else
        bounds.Union(object->GetBoundary());
    SetBounds(bounds);
    IndexInsertObject(object);
}

void CMapLayer::BindGeoRow(CSQLiteStatement& stmt, CMapObject* object)
{
    InsertRecords& records = m_InsertRecords;
    stmt.BindInt64(0, object->GetMapeID());
    // Labels are written whenever the layer labels or the object has a label
    // text, so a rewrite, undo or redo in a layer not labelling keeps them.
    const CMapLabel* label = object->GetLabel();
    if (m_nAutoLabel || !label->GetTextRef().IsEmpty()) {
        label->WriteRecord(records.label.data());
        stmt.BindBlob(1, records.label.data(), CMapLabel::kRecordSize, SQLITE_STATIC);
        stmt.BindText(2, label->GetTextRef());
    }
    if (object->WritePropertyColumn(records.property))
        stmt.BindBlob(3, records.property.data(), (int)records.property.size(), SQLITE_STATIC);
    records.boundary = object->GetBoundary().ToRecord();
    stmt.BindBlob(4, records.boundary.data(), CDoubleRect::kRecordSize, SQLITE_STATIC);
    object->BindGeometryColumn(stmt, 5);
    stmt.BindInt64(6, object->GetType());
    stmt.BindInt64(7, object->UsesLayerStyle() ? CMapObject::kUseLayerStyle : 0u);
    stmt.BindInt64(8, object->GetActiveHandle());
}

void CMapLayer::InsertObjectRows(CMapObject* object, CSQLiteDatabase* db)
{
    if (!db)
        db = m_pDatabase.get();
    if (!db)
        return;
    if (object->GetMapeID() < 0)
        object->SetMapeID(NextObjectID());

    // Statements are kept for the layer's own file; another file gets its own.
    CSQLiteStatement local;
    const auto statement = [&](const char* sql) -> CSQLiteStatement& {
        if (db == m_pDatabase.get())
            return m_Statements.Get(db, sql);
        if (db->Prepare(sql, local) != SQLITE_OK || local.IsEmpty())
            throw CSQLiteException(sqlite3_errmsg(db->GetHandle()));
        return local;
    };

    object->AttachGeometry();
    {
        CSQLiteStatement& geo = statement(kInsertGeoRow);
        BindGeoRow(geo, object);
        StepWrite(db, geo);
    }

    // One value per column of the layer: missing values are NULL and values
    // beyond the fields are not stored, so the row always fits the table.
    const int fields = GetFieldCount();
    try {
        CSQLiteStatement& meta = statement(MetaInsertSql(fields));
        meta.BindInt64(0, object->GetMapeID());
        const int values = std::min(fields, object->GetAttributeCount());
        for (int i = 0; i < values; ++i) {
            const CString value = object->GetAttributeText(i);
            if (!value.IsEmpty())
                meta.BindText(i + 1, value);
        }
        StepWrite(db, meta);
    } catch (...) {
        // No geometry row without its attribute row.
        CSQLiteStatement& undo = statement(kDeleteGeoRow);
        undo.BindInt64(0, object->GetMapeID());
        undo.Step();
        undo.Reset();
        object->DetachGeometry();
        throw;
    }
    object->DetachGeometry();
}

void CMapLayer::RewriteObject(CMapObject* object)
{
    if (!m_pDatabase)
        return;
    // The old rows stay when the new ones cannot be written.
    m_pDatabase->ExecuteChecked("SAVEPOINT rewrite;");
    try {
        DeleteObjectRows(object);
        InsertObjectRows(object, m_pDatabase.get());
    } catch (...) {
        m_pDatabase->Execute("ROLLBACK TO rewrite;");
        m_pDatabase->Execute("RELEASE rewrite;");
        throw;
    }
    m_pDatabase->ExecuteChecked("RELEASE rewrite;");
}

// ---------------------------------------------------------------- removing
void CMapLayer::RemoveObject(CMapObject* object)
{
    // Both rows go or neither, and the object leaves the index only with them.
    if (m_pDatabase) {
        m_pDatabase->ExecuteChecked("SAVEPOINT remove;");
        try {
            DeleteObjectRows(object);
        } catch (...) {
            m_pDatabase->Execute("ROLLBACK TO remove;");
            m_pDatabase->Execute("RELEASE remove;");
            throw;
        }
        m_pDatabase->ExecuteChecked("RELEASE remove;");
    }
    IndexRemoveObject(object);
    if (!m_rcBounds.ContainsRect(object->GetBoundary()))
        RecalcBounds();
}

void CMapLayer::DeleteObjectRows(CMapObject* object)
{
    DeleteRows(object->GetMapeID());
}

void CMapLayer::DeleteRows(int id)
{
    if (!m_pDatabase)
        return;
    for (const char* sql : {kDeleteGeoRow, kDeleteMetaRow}) {
        CSQLiteStatement& stmt = m_Statements.Get(m_pDatabase.get(), sql);
        stmt.BindInt64(0, id);
        StepWrite(m_pDatabase.get(), stmt);
    }
    // Ids inside the known range are never read again, so a deleted id is not
    // given to a new object while the layer stays open.
    if (id < m_nMinID)
        ReadMinID();
    if (id > m_nMaxID)
        ReadMaxID();
}

void CMapLayer::ForgetSelected(CMapObject* object)
{
    if (!m_pMap || !object)
        return;
    CList<CMapObject*, CMapObject*>& selected = m_pMap->GetSelectedObjects();
    if (POSITION pos = selected.Find(object)) {
        selected.RemoveAt(pos);
        object->Deselect();
    }
}

// ---------------------------------------------------------------- reading
CMapObject* CMapLayer::LoadObject(int id, BOOL withAttributes)
{
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;) {
        CMapObject* object = m_PointObjects.GetNext(pos);
        if (object->GetMapeID() == id)
            return object;
    }
    return ReadObject(id, FALSE, withAttributes);
}

CMapObject* CMapLayer::ReadObject(int id, BOOL tinyTest, BOOL withAttributes)
{
    if (!m_pDatabase)
        return nullptr;
    CSQLiteStatement* row = nullptr;
    // Outside a loop the row is read by a statement the layer keeps, with the
    // id bound: one prepare per file, not one per object read.
    struct KeptRow {
        CSQLiteStatement* statement = nullptr;
        ~KeptRow()
        {
            g_pObjectRowStatement = nullptr;
            if (statement)
                statement->Rewind();
        }
    } kept;
    if (g_LayerQueryStatement.IsEmpty()) {
        g_CurrentRowStatement.Finalize();
        const bool joined = withAttributes && GetFieldCount() > 0;
        try {
            kept.statement = &m_Statements.Get(m_pDatabase.get(), joined ? kReadJoinedRow : kReadGeoRow);
        } catch (const CSQLiteException&) {
            // A file whose tables do not take the query has no such object.
            return nullptr;
        }
        CSQLiteStatement* stmt = kept.statement;
        stmt->BindInt64(0, id);
        if (joined)
            stmt->BindInt64(1, id);
        if (stmt->Step() != SQLITE_ROW) {
            if (!joined)
                return nullptr;
            // The object stands without its attribute row (a file written
            // elsewhere lost it): it is read alone and gets empty values, so
            // that it can still be hit, edited and undone.
            stmt->Rewind();
            kept.statement = stmt = &m_Statements.Get(m_pDatabase.get(), kReadGeoRow);
            stmt->BindInt64(0, id);
            if (stmt->Step() != SQLITE_ROW)
                return nullptr;
        }
        row = stmt;
    } else {
        // A loop is running: its query returns the wanted id at or after its row.
        while (g_LayerQueryStatement.ColumnInt(COL_ID) != id) {
            if (g_LayerQueryStatement.Step() != SQLITE_ROW)
                return nullptr;
        }
        row = &g_LayerQueryStatement;
    }

    const int type = row->ColumnInt(COL_TYPE);
    if (tinyTest && !IsPointObjectType(type) && m_pMap) {
        CDoubleRect boundary;
        const double zoom = m_pMap->GetZoom();
        if (boundary.ReadRecord(row->ColumnBlob(COL_BOUNDARY), row->ColumnBytes(COL_BOUNDARY))
            && std::abs(boundary.Width()) <= zoom && std::abs(boundary.Height()) <= zoom)
            return nullptr;
    }
    CMapObject* object = CreateMapObject(type);
    if (!object)
        return nullptr;
    if (row == &g_LayerQueryStatement) {
        object->LoadFromRow(row);
        return object;
    }
    GiveEmptyValues(object);
    object->LoadFromRow(row);
    g_pObjectRowStatement = row;
    object->LoadGeometry();
    return object;
}

// ---------------------------------------------------------------- nodes and texts
void CMapLayer::LoadPointObjects()
{
    if (!m_pDatabase)
        return;
    CString sql;
    // Both scans in id order, read side by side: one pass over each table.
    sql.Format("select * from _MapGeoData where mapeObjectType in(%d,%d) order by mapeID;", MAP_OBJECT_NODE,
               MAP_OBJECT_TEXT);
    CSQLiteStatement rows;
    m_pDatabase->Prepare(sql, rows);
    if (rows.IsEmpty())
        return;
    CSQLiteStatement values;
    bool valueRow = false;
    if (!m_Fields.empty()) {
        m_pDatabase->Prepare("select * from _MapMetaData order by mapeID;", values);
        valueRow = !values.IsEmpty() && values.Step() == SQLITE_ROW;
    }
    while (rows.Step() == SQLITE_ROW) {
        CMapObject* object = CreateMapObject(rows.ColumnInt(COL_TYPE));
        if (!object)
            continue;
        object->LoadFromRow(&rows);
        // The values are made from their row (each once, with its text); an
        // object without a row gets empty ones.
        if (valueRow)
            ReadValuesOf(values, valueRow, rows.ColumnInt64(COL_ID), object);
        if (object->GetAttributeCount() == 0)
            GiveEmptyValues(object);
        m_PointObjects.AddTail(object);
        NoteNodeHitChange();
        // Nodes and texts never stay in the index (an empty one has none to drop).
        if (m_Index.Count() > 0)
            IndexRemove(object->GetMapeID(), object->GetBoundary());
    }
}

void CMapLayer::ReadValuesOf(CSQLiteStatement& values, bool& more, long long id, CMapObject* object) const
{
    // The id of each row the query passes is read once.
    long long at = more ? values.ColumnInt64(0) : 0;
    while (more && at < id) {
        more = values.Step() == SQLITE_ROW;
        if (more)
            at = values.ColumnInt64(0);
    }
    if (!more || at != id)
        return;
    const int columns = values.ColumnCount();
    // An object without values gets one per field, each made with its text.
    const bool make = object->GetAttributeCount() == 0;
    const int fields = GetFieldCount();
    CString text;
    for (int i = 1; i < columns && (!make || i <= fields); ++i) {
        // A double field's REAL is written by the field itself where that gives
        // the text SQLite's own rendering would: no text is made twice.
        const bool written = GetFieldType(i - 1) == FIELD_TYPE_DOUBLE && values.ColumnType(i) == SQLITE_FLOAT
                          && CMapFieldValue::DoubleFieldText(values.ColumnDouble(i), text);
        if (!make) {
            object->SetAttributeText(i - 1, written ? text : values.ColumnText(i));
            continue;
        }
        CMapFieldValue value(m_Fields[(size_t)i - 1]);
        value.SetValueText(written ? text : values.ColumnText(i));
        object->AddAttribute(value);
    }
    for (int i = object->GetAttributeCount(); make && i < fields; ++i)
        object->AddAttribute(CMapFieldValue(m_Fields[(size_t)i]));
    object->SetAttributesModified(FALSE);
}

void CMapLayer::ClearPointObjects()
{
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;) {
        CMapObject* object = m_PointObjects.GetNext(pos);
        ForgetSelected(object);
        delete object;
    }
    m_PointObjects.RemoveAll();
    NoteNodeHitChange();
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
    bool first = true;
    const auto add = [&bounds, &first](const CDoubleRect& rect) {
        if (first)
            bounds = rect;
        else
            bounds.Union(rect);
        first = false;
    };
    for (INT_PTR i = 0; i < g_LayerEntryArray.GetSize(); ++i)
        add(g_LayerEntryArray[i].rect);
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;)
        add(m_PointObjects.GetNext(pos)->GetBoundary());
    g_LayerEntryArray.SetSize(0);
    m_rcBounds = bounds;
}

// ---------------------------------------------------------------- spatial index
BOOL CMapLayer::IndexInsert(int id, const CDoubleRect& rect)
{
    if (!IsIndexableRect(rect.left, rect.top, rect.right, rect.bottom))
        return FALSE;
    m_Index.Insert((float)rect.left, (float)rect.bottom, (float)rect.right, (float)rect.top, id);
    return TRUE;
}

void CMapLayer::IndexRemove(int id, const CDoubleRect& rect, bool anywhere)
{
    if (m_Index.Remove((float)rect.left, (float)rect.bottom, (float)rect.right, (float)rect.top, id) || !anywhere)
        return;
    struct Found {
        int id;
        bool found = false;
        CRTree::Rect rect{};
    } found{id};
    m_Index.ForEachEntry(
        [](int entry, const CRTree::Rect& r, void* context) {
            auto* f = static_cast<Found*>(context);
            if (entry != f->id)
                return true;
            f->found = true;
            f->rect = r;
            return false;
        },
        &found);
    if (found.found)
        m_Index.Remove(found.rect.minX, found.rect.minY, found.rect.maxX, found.rect.maxY, id);
}

void CMapLayer::IndexInsertObject(CMapObject* object)
{
    if (IsPointObjectType(object->GetType())) {
        m_PointObjects.AddTail(object);
        NoteNodeHitChange();
    } else {
        IndexInsert(object->GetMapeID(), object->GetBoundary());
    }
}

void CMapLayer::IndexRemoveObject(CMapObject* object)
{
    if (IsPointObjectType(object->GetType())) {
        if (POSITION pos = m_PointObjects.Find(object)) {
            m_PointObjects.RemoveAt(pos);
            NoteNodeHitChange();
        }
    } else {
        IndexRemove(object->GetMapeID(), object->GetBoundary());
    }
}

int CMapLayer::GetObjectCount() const
{
    return m_Index.Count() + (int)m_PointObjects.GetCount();
}
