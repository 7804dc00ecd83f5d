// One layer of a map: the in-memory side of one layer file. It owns the open
// database of the file, the spatial index of its objects, the layer style, the
// attribute fields, the label settings and the display flags. It keeps only its
// nodes and texts loaded as objects (and owns them); every other object lives
// as a row and is built by the object factory when it is needed.
#pragma once

#include "platform/base/Afx.h"
#include "platform/base/Collections.h"

#include "core/DoubleRect.h"
#include "core/MapField.h"
#include "core/MapLabel.h"
#include "core/MapStyle.h"
#include "core/ObjectTypes.h"
#include "model/index/LayerIndexEntry.h"
#include "model/layers/LayerStatements.h"
#include "model/layers/MapObjectHistory.h"
#include "model/layers/NodeHitIndex.h"
#include "model/index/RTree.h"

#include <array>
#include <functional>
#include <utility>
#include <memory>
#include <optional>
#include <vector>

class CArchive;
class CDC;
class CMapModel;
class CMapObject;
class CSQLiteDatabase;
class CSQLiteStatement;
struct tagRECT;

// One label drawn by the layer's last drawing: the object and the label box's
// four device corners, in the label's corner order.
struct DrawnLabel {
    int id = 0;
    POINT corners[4] = {};
};

// The line splitter of labels and texts: -1 for an empty text or a start at or
// past its end; else `out` takes the text from `start` up to the separator (or
// the rest) and the result is the position after the separator (or the length).
int ExtractNextToken(CString text, CString& out, int start, CString separator);

// Results of the layers' index searches, shared by every layer: one search at a
// time, consumed before the next.
extern CArray<int, int> g_LayerIdArray;
extern CArray<LayerIndexEntry, const LayerIndexEntry&> g_LayerEntryArray;

class CMapLayer : public CObject {
    DECLARE_SERIAL(CMapLayer)

public:
    // Saved index out of date: an object's boundary was rewritten since the last save.
    static constexpr DWORD kIndexOutOfDate = 1u << 26;
    // Above this many candidates a drawing or selection reads the whole table
    // instead of naming every id in its query.
    static constexpr int kMaxIdsInClause = 20000;
    // The versions of layer files: 211 written by every creation, 200 a file
    // whose objects may still sit in one old table, 210 a 200 file once opened.
    static constexpr int kVersionOld = 200;
    static constexpr int kVersionUpgraded = 210;
    static constexpr int kVersionCurrent = 211;

    CMapLayer();
    // Blanks and hyphens of the name become underscores.
    explicit CMapLayer(const CString& name);
    ~CMapLayer() override;
    CMapLayer(const CMapLayer&) = delete;
    CMapLayer& operator=(const CMapLayer&) = delete;

    void Serialize(CArchive& ar) override;
    // Writes row 1 of _MapProperty (the map's view, style, extent, units and
    // projection) and the index into row 2, then commits the open transaction,
    // compacts the file and opens the next transaction. Nothing without a file.
    virtual void SaveProperties();
    // The two rows of SaveProperties, written into the open transaction
    // without committing it: before the file is copied, so that the copy's
    // properties and index are those of what it holds.
    void WritePropertyRows();
    // Opens the transaction every write of the layer runs in, taking the
    // writer's lock at once and keeping it until the next save: a map or
    // program that opens the file meanwhile finds it in use, instead of
    // holding a lock that makes this layer's next commit fail. False, with a
    // transaction that takes the lock only at the first write, when another
    // connection holds the file beyond the busy timeout.
    bool BeginFileTransaction();
    // Goes on in the file at `path`, a copy of this layer's own file made with
    // the changes not yet committed: the old file's transaction is given up,
    // so that file keeps what it last committed. Throws CSQLiteException, the
    // layer keeping its file, when the copy does not open.
    void SwitchFile(const CString& path);
    // Runs "BEGIN TRANSACTION;" and "COMMIT TRANSACTION;" on `db`.
    virtual void CommitEmptyTransaction(CSQLiteDatabase* db);
    // A new layer with this layer's settings and fields, into which every
    // stored object is cloned; added to `map` when one is given. The clone
    // shares nothing with this layer; it has a file only once it is given one.
    virtual CMapLayer* Clone(CMapModel* map);

    // ---- layer files (model/MapLayerFile.cpp)
    enum OpenResult { kOpened, kRefused, kFailed };
    // Opens the layer file at `path` into this layer, taking the map's view
    // and, for the map's first layer, its projection. kRefused (message shown,
    // layer untouched) for a file of another projection; kFailed with `error`
    // set, nothing on disk changed and the layer untouched, for a path that is
    // missing, not a regular file, unreadable or not a layer file (a workspace
    // or another program's database included). On success the file's
    // transaction is open.
    OpenResult OpenFile(const CString& path, CMapModel* map, CString& error);
    BOOL NeedsTableUpgrade();
    // Moves the objects of one old table into _MapGeoData and _MapMetaData.
    void UpgradeTables(const CString& oldTable);
    // "mapeID INTEGER PRIMARY KEY" and one definition per field.
    CString GetMetaDataColumns() const;
    // The same inside "create table _MapMetaData (%s);".
    CString BuildCreateMetaDataSql() const;
    // Makes a field name a safe column name in place; 1 when it had to be
    // renamed away from one of the nine column names of _MapGeoData.
    static int MakeFieldNameSafe(CString& name);

    // ---- object factory: null for a type without a class; the caller owns the object
    CMapObject* CreateMapObject(int type);

    // ---- adding and storing
    // Gives the object this layer and an id (a new one when it has none),
    // inserts its rows, widens the bounds, and keeps a node or text in the
    // node/text list (taking it over) or indexes any other object. With
    // `emptyValues` the object first gets one empty value per field. When the
    // rows cannot be written the exception passes and the layer is unchanged;
    // an indexed object whose boundary is not finite in the index's float
    // range is refused so (CSQLiteException) before anything is written.
    void AddObject(CMapObject* object, BOOL emptyValues);
    // One _MapGeoData row and one _MapMetaData row, written together or not at
    // all; a null `db` is the layer's.
    void InsertObjectRows(CMapObject* object, CSQLiteDatabase* db = nullptr);
    // Deletes the object's rows and writes them again.
    void RewriteObject(CMapObject* object);

    // ---- removing
    // Deletes the object's rows and takes it out of the list or the index; the
    // object itself is not deleted. When the rows cannot be deleted the
    // exception passes and the layer is unchanged.
    void RemoveObject(CMapObject* object);
    void DeleteObjectRows(CMapObject* object);
    void DeleteRows(int id);
    // Drops a node or text of this layer from the map's selection: it is about
    // to be freed or kept by the history.
    void ForgetSelected(CMapObject* object);

    // ---- reading
    // The node or text of the list with that id (the layer's own), else the
    // object built from its row (the caller owns it); null when absent.
    CMapObject* LoadObject(int id, BOOL withAttributes);
    // The object built from its row; with `tinyTest` null for an object (other
    // than a node or text) no larger than a pixel at the map's zoom.
    CMapObject* ReadObject(int id, BOOL tinyTest, BOOL withAttributes);

    // ---- nodes and texts (owned)
    // Objects of these types live in the layer's point list, not in its index.
    // The layer owns them: a selection only borrows them, while its other
    // objects are copies built from their rows for the time they are used.
    static bool IsPointObjectType(int type) { return type == MAP_OBJECT_NODE || type == MAP_OBJECT_TEXT; }
    // Two table scans (rows and their values), not one query per object.
    void LoadPointObjects();
    // Frees them, after dropping them from the map's selection.
    void ClearPointObjects();
    const CList<CMapObject*, CMapObject*>& GetPointObjects() const { return m_PointObjects; }

    // ---- ids: read and compared in 64 bits; a new id is unused and positive
    void ReadMaxID();
    void ReadMinID();
    long long GetMaxID() const { return m_nMaxID; }
    long long GetMinID() const { return m_nMinID; }
    // The id the next new object gets: above every id known, or, when that
    // leaves the range of object ids, the smallest positive id the file does
    // not use. Throws CSQLiteException when every id is taken.
    int NextObjectID();

    // ---- bounds
    // On a change of any edge the map recomputes its extent.
    void SetBounds(const CDoubleRect& bounds);
    CDoubleRect GetBounds() const { return m_rcBounds; }
    // From every index entry and every node and text; stored directly.
    void RecalcBounds();

    // ---- spatial index (model/MapLayerSearch.cpp for the searches)
    // FALSE, nothing inserted, for a rectangle not finite in the index's float
    // range: such an entry would corrupt the boxes above it.
    BOOL IndexInsert(int id, const CDoubleRect& rect);
    // With `anywhere`, an entry not found under `rect` is looked for by id in
    // the whole index (an object whose boundary and index entry disagree).
    void IndexRemove(int id, const CDoubleRect& rect, bool anywhere = false);
    // Nodes and texts go to the node/text list instead.
    void IndexInsertObject(CMapObject* object);
    void IndexRemoveObject(CMapObject* object);
    // Empties g_LayerEntryArray and fills it with every entry.
    void CollectAllEntries();
    // The ids of the entries overlapping the view, sorted ascending, in
    // g_LayerIdArray; with size > 0 only those at least `size` wide or high.
    void CollectVisibleIds(const CDoubleRect& view, double size);
    // The ids of the entries lying wholly inside, unsorted, in g_LayerIdArray.
    void CollectContainedIds(const CDoubleRect& rect);
    // The entries overlapping the view whose width or height lies within
    // [size / 2, size], in g_LayerEntryArray.
    void CollectSmallEntries(const CDoubleRect& view, double size);
    // Every indexed id (tree order), then every node and text (list order);
    // sorted ascending on request. Returns the count.
    int GetAllIDs(CArray<int, int>& ids, bool sort);
    int GetObjectCount() const;
    const CRTree& GetIndex() const { return m_Index; }

    // ---- drawing and queries (model/MapLayerDraw.cpp)
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);
    void DrawOverview(CDC* pDC, const RECT* client, const CDoubleRect& view, double* originX, double* originY,
                      double* zoom);
    // The object under the pixel or null: a node or text of the list (the
    // layer's own), else an object built from its row (the caller owns it).
    CMapObject* HitTest(int x, int y, double* originX, double* originY, double* zoom, BOOL topFirst);
    // Each puts the selected objects at the head of the map's selection.
    void SelectInRect(const CDoubleRect& rect, const RECT& device);
    void SelectInCircle(const CDoubleRect& rect, const RECT& device, CPoint centre, double radius);
    // The same searches under the names the map window's tools use: the
    // rectangle (Rectangle Select) and the device circle (Marquee Select).
    void SelectInDeviceRect(const CDoubleRect& rect, const RECT& device) { SelectInRect(rect, device); }
    void SelectInRect(const CDoubleRect& rect, const RECT& device, CPoint centre, double radius)
    {
        SelectInCircle(rect, device, centre, radius);
    }
    void SelectInPolygon(const CDoubleRect& rect, const CFloatPoint* points, int count);
    void SelectIDs(CArray<int, int>& ids);
    // The where clause for the sorted g_LayerIdArray; empty above 20000 ids.
    static CString BuildIdWhereClause();
    void CollectPointObjectsInRect(const RECT& device);
    void DrawAreaLabel(CMapObject* object, CDC* pDC, const RECT* client, double* originX, double* originY,
                       double* zoom);
    const std::vector<DrawnLabel>& GetDrawnLabels() const { return m_DrawnLabels; }

    // ---- identity and owners
    void SetName(const CString& name);
    CString GetName() const { return m_strName; }
    void SetFilePath(const CString& path) { m_strFilePath = path; }
    CString GetFilePath() const { return m_strFilePath; }
    // The layer owns the database it is given.
    void SetDatabase(CSQLiteDatabase* db);
    CSQLiteDatabase* GetDatabase() const { return m_pDatabase.get(); }
    // Closes the database (finalizing every statement of it first).
    void CloseDatabase();
    // Finalizes every statement the layer keeps on its file, and the shared
    // row statements: before VACUUM, schema changes and closing.
    void FinalizeStatements();
    void SetMap(CMapModel* map) { m_pMap = map; }
    void ClearMap() { m_pMap = nullptr; }
    CMapModel* GetMap() const { return m_pMap; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD flags) { m_dwFlags = flags; }

    // ---- settings: setters store what they get, without marking anything
    CMapStyle* GetStyle() const { return m_pStyle.get(); }
    void SetStyle(CMapStyle style) { *m_pStyle = style; }
    int GetAutoLabel() const { return m_nAutoLabel; }
    void SetAutoLabel(int flag) { m_nAutoLabel = flag; }
    int IsEditable() const { return m_nEditable; }
    void SetEditable(int flag) { m_nEditable = flag; }
    int IsVisible() const { return m_nVisible; }
    void SetVisible(int flag) { m_nVisible = flag; }
    int IsSelectable() const { return m_nSelectable; }
    void SetSelectable(int flag) { m_nSelectable = flag; }
    int GetOverride() const { return m_nOverride; }
    void SetOverride(int flag)
    {
        m_nOverride = flag;
        NoteNodeHitChange();   // nodes take the layer's symbol size from now on, or stop
    }
    void* GetShowTips() const { return m_pShowTips; }
    void SetShowTips(void* flag) { m_pShowTips = flag; }
    void* GetShowArea() const { return m_pShowArea; }
    void SetShowArea(void* flag) { m_pShowArea = flag; }
    int IsModified() const { return m_nModified; }
    void SetModified(int flag) { m_nModified = flag; }

    // ---- labels (model/MapLayerSettings.cpp)
    void GetLabelProperties(MapLabelFontBlock& block) const { block = m_LabelProperties; }
    // The same as the block's 116 stored bytes (font, colours, flags, reserved word).
    void GetLabelProperties(BYTE* buffer) const { m_LabelProperties.Write(buffer); }
    // Keeps the block and writes it, with an anchor not placed yet, as the
    // label record of every row; loaded nodes and texts keep theirs.
    void SetLabelPropertiesForAll(MapLabelFontBlock block);
    CString GetLabelField() const { return m_strLabelField; }
    // The name of field `index` becomes the label field; nothing out of range.
    void SetLabelFieldIndex(int index);
    // The field whose name equals the label field in any case, or -1.
    int GetLabelFieldIndex() const { return FindField(m_strLabelField); }
    // The stored label field of a workspace row: taken over as it is, so that
    // a workspace saved again keeps it.
    void SetLabelFieldName(const CString& name);
    // Every row's label text from the label field's value; nodes and texts are
    // loaded again to show them.
    void UpdateLabelTexts();

    // ---- edit history
    // Records the copies in `objects` (the list is emptied) under `action`;
    // an empty list records nothing.
    void RecordEdit(CList<CMapObject*, CMapObject*>& objects, int action);
    void Undo() { m_History.Undo(this); }
    void Redo() { m_History.Redo(this); }
    CMapObjectHistory& GetHistory() { return m_History; }

    // ---- attribute fields, in _MapMetaData column order (model/MapLayerFields.cpp)
    int GetFieldCount() const { return (int)m_Fields.size(); }
    // STRING for an index out of range.
    int GetFieldType(int index) const;
    const CMapField& GetField(int index) const { return m_Fields[(size_t)index]; }
    // Walks the fields in order; null after the last.
    POSITION GetFirstFieldPosition() const;
    const CMapField& GetNextField(POSITION& pos) const;
    // Index of the first field whose name equals `name` in upper case, or -1.
    int FindField(const CString& name) const;
    // A field equal to `field` (name in the same case, width and type).
    BOOL HasField(const CMapField& field) const;
    // -1 when a field of that name (in any case) exists, or (with a message)
    // when its column name made safe is one an existing field's column has;
    // otherwise appends it, gives every node and text an empty value for it
    // and returns its index.
    int AddField(CMapField field);
    // Removes field `index` and every node's and text's value of it; an index
    // out of range does nothing. The file's table is not changed here.
    void RemoveField(int index);
    // Fields change by removing and adding them: these take their arguments
    // and change nothing.
    void SetFieldName(int index, const CString& name);
    void SetFieldTypeName(int index, const CString& typeName);
    // Rebuilds _MapMetaData with `newColumns`, keeping the values of
    // `keptColumns` (comma-separated column names); nothing when the old and
    // new definitions are the same text. The history is cleared: its copies
    // carry the old attribute layout. All or nothing: when a step fails the
    // table, the field list and the nodes' and texts' values are as they were
    // before the fields were changed, and CSQLiteException is thrown.
    void RebuildMetaDataTable(const CString& oldColumns, const CString& keptColumns, const CString& newColumns);

private:
    void Init();
    // The drawing and overview steps shared by both: single pixels for the
    // small objects and every candidate drawn from one row query. With
    // `labels` the candidates' labels are kept (drawn later, above every
    // object) and area labels are drawn.
    void DrawIndexedObjects(CDC* pDC, const RECT* client, const CDoubleRect& view, double* originX,
                            double* originY, double* zoom,
                            std::vector<std::pair<int, std::unique_ptr<CMapLabel>>>* labels);
    // The selections' loop over the rows of `ids` (`clause` names them, or is
    // empty and the rows are looked up in the sorted `ids`), with the
    // attribute rows read alongside for an editable layer. An object that
    // `accept` admits goes to the head of the map's selection.
    void SelectRows(const CArray<int, int>& ids, const CString& clause, bool loopStatement, bool counted,
                    const std::function<bool(CMapObject*)>& accept);
    // The client height the layer's objects draw with.
    int ViewHeight() const;
    // The field list read from a file's _MapMetaData (its first row's storage
    // classes, the declared types where that row has no value).
    void ReadFieldsFromFile();
    void AppendField(const CMapField& field);
    // After a rebuild that failed: the fields that match `columns` (the table's
    // definitions) again, and the nodes' and texts' values read anew.
    void RestoreTableFields(const CString& columns);
    // The saved index (or one rebuilt from the rows), the id counters, the
    // nodes and texts, and the bounds: `given` when not null, else those of
    // what the layer holds.
    void ReadIndexFromFile(const CDoubleRect& given);
    // The indexed rows whose boundary and geometry pass their kind's check, in
    // id order; the others are named to the user in one message
    // (model/LayerRowCheck.cpp).
    std::vector<LayerIndexEntry> CheckStoredRows();
    // The values of row `id` from `values`, a query of _MapMetaData in id
    // order already stepped to its first row (`more` false once it ended);
    // an id without a row leaves the object's values as they are. An object
    // without values gets one per field from the row.
    void ReadValuesOf(CSQLiteStatement& values, bool& more, long long id, CMapObject* object) const;
    // Gives `object` one empty value per field, replacing any it had.
    void GiveEmptyValues(CMapObject* object) const;
    // Binds the object's _MapGeoData row to the insert; its records are bound
    // from m_InsertRecords without copies, so they must stay until the step.
    void BindGeoRow(CSQLiteStatement& stmt, CMapObject* object);

    CMapObjectHistory m_History;
    CString m_strFilePath;
    CList<CMapObject*, CMapObject*> m_PointObjects;
    CNodeHitIndex m_NodeHits;   // built by the hit test when stale
    // About the rows of _MapGeoData: the indexed objects and the nodes and texts.
    long long TableRowCount() const;
    DWORD m_dwFlags = 0;
    CRTree m_Index;
    std::unique_ptr<CMapStyle> m_pStyle;
    std::vector<CMapField> m_Fields;
    // The field list as the file's table has it, kept from the first change
    // of the list until the table is rebuilt, so that a failed rebuild can
    // put the list back.
    std::optional<std::vector<CMapField>> m_TableFields;
    std::vector<DrawnLabel> m_DrawnLabels;
    std::unique_ptr<CSQLiteDatabase> m_pDatabase;
    CLayerStatements m_Statements;
    // The records of the row being inserted, kept from its binding to its step
    // (and reused, so that an insert allocates nothing for them).
    struct InsertRecords {
        CMapLabel::Record label;
        std::vector<BYTE> property;
        CDoubleRect::Record boundary;
    } m_InsertRecords;
    CMapModel* m_pMap = nullptr;
    CDoubleRect m_rcBounds;
    CString m_strLabelField;
    CString m_strName;
    int m_nAutoLabel = 0;
    int m_nEditable = 1;
    int m_nVisible = 1;
    int m_nSelectable = 1;
    int m_nOverride = 0;
    void* m_pShowTips = nullptr;
    void* m_pShowArea = nullptr;
    MapLabelFontBlock m_LabelProperties;
    long long m_nMaxID = 0;
    long long m_nMinID = 0;
    int m_nModified = 0;
};

// " where mapeID in(...)" for a caller's ids, sorted ascending in place; no
// limit on their number. Empty for no ids.
CString BuildWhereClauseForIds(CArray<int, int>& ids);

// The column list of _MapGeoData, in column order.
extern const char* const g_MapGeoDataColumns;
