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
#include "model/LayerIndexEntry.h"
#include "model/RTree.h"

#include <array>
#include <memory>
#include <vector>

class CArchive;
class CDC;
class CMapModel;
class CMapObject;
class CSQLiteDatabase;

// Results of the layers' index searches, shared by every layer: one search at a
// time, consumed before the next.
extern CArray<int, int> g_LayerIdArray;
extern CArray<LayerIndexEntry, const LayerIndexEntry&> g_LayerEntryArray;

class CMapLayer : public CObject {
    DECLARE_SERIAL(CMapLayer)

public:
    // Saved index out of date: an object's boundary was rewritten since the last save.
    static constexpr DWORD kIndexOutOfDate = 1u << 26;

    CMapLayer();
    // Blanks and hyphens of the name become underscores.
    explicit CMapLayer(const CString& name);
    ~CMapLayer() override;
    CMapLayer(const CMapLayer&) = delete;
    CMapLayer& operator=(const CMapLayer&) = delete;

    void Serialize(CArchive& ar) override;
    // Writes the properties row (the map's view, style, extent, units and
    // projection) and the index row into the layer's file and commits what the
    // layer wrote since its last save; a new transaction begins.
    virtual void SaveProperties();
    // Runs "BEGIN TRANSACTION;" and "COMMIT TRANSACTION;" on `db`.
    virtual void CommitEmptyTransaction(CSQLiteDatabase* db);

    // ---- drawing (device y counts up from the map's view height)
    // The objects inside the map's view, then the nodes and texts on top. The
    // map skips a layer whose Visible flag is clear; the layer does not test it.
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);
    // The same for the overview window, over the given view rectangle.
    void DrawOverview(CDC* pDC, const RECT* client, const CDoubleRect& view, double* originX, double* originY,
                      double* zoom);

    // ---- object factory: null for a type outside 0 to 16; the caller owns the object
    CMapObject* CreateMapObject(int type);

    // ---- adding and storing
    // Gives the object this layer and an id, widens the bounds, keeps a node or
    // text in the node/text list (taking it over) or indexes any other object,
    // and inserts its rows. With `emptyValues` the object first gets one empty
    // value per field.
    void AddObject(CMapObject* object, BOOL emptyValues);
    // One _MapGeoData row and one _MapMetaData row; a null `db` is the layer's.
    void InsertObjectRows(CMapObject* object, CSQLiteDatabase* db = nullptr);

    // ---- nodes and texts (owned)
    // Objects of these types live in the layer's point list, not in its index.
    // The layer owns them: a selection only borrows them, while its other
    // objects are copies built from their rows for the time they are used.
    static bool IsPointObjectType(int type) { return type == MAP_OBJECT_NODE || type == MAP_OBJECT_TEXT; }
    void LoadPointObjects();
    void ClearPointObjects();
    const CList<CMapObject*, CMapObject*>& GetPointObjects() const { return m_PointObjects; }
    void ReadMaxID();
    void ReadMinID();
    int GetMaxID() const { return m_nMaxID; }
    int GetMinID() const { return m_nMinID; }

    // ---- bounds
    // On a change of any edge the map recomputes its extent.
    void SetBounds(const CDoubleRect& bounds);
    CDoubleRect GetBounds() const { return m_rcBounds; }
    // From every index entry and every node and text; stored directly.
    void RecalcBounds();

    // ---- spatial index
    void IndexInsert(int id, const CDoubleRect& rect);
    void IndexRemove(int id, const CDoubleRect& rect);
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

    // ---- identity and owners
    void SetName(const CString& name);
    CString GetName() const { return m_strName; }
    void SetFilePath(const CString& path) { m_strFilePath = path; }
    CString GetFilePath() const { return m_strFilePath; }
    // The layer owns the database it is given.
    void SetDatabase(CSQLiteDatabase* db);
    CSQLiteDatabase* GetDatabase() const { return m_pDatabase.get(); }
    // Closes the database (finalizing the shared row statement first).
    void CloseDatabase();
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
    void SetOverride(int flag) { m_nOverride = flag; }
    void* GetShowTips() const { return m_pShowTips; }
    void SetShowTips(void* flag) { m_pShowTips = flag; }
    void* GetShowArea() const { return m_pShowArea; }
    void SetShowArea(void* flag) { m_pShowArea = flag; }
    int IsModified() const { return m_nModified; }
    void SetModified(int flag) { m_nModified = flag; }

    // ---- labels
    void GetLabelProperties(MapLabelFontBlock& block) const { block = m_LabelProperties; }
    CString GetLabelField() const { return m_strLabelField; }
    // The name of field `index` becomes the label field; nothing out of range.
    void SetLabelFieldIndex(int index);
    // The field whose name equals the label field in any case, or -1.
    int GetLabelFieldIndex() const { return FindField(m_strLabelField); }
    // The stored label field of a workspace row: taken over as it is, so that
    // a workspace saved again keeps it.
    void SetLabelFieldName(const CString& name);

    // ---- attribute fields, in _MapMetaData column order
    int GetFieldCount() const { return (int)m_Fields.size(); }
    // STRING for an index out of range.
    int GetFieldType(int index) const;
    const CMapField& GetField(int index) const { return m_Fields[(size_t)index]; }
    // Walks the fields in order; null after the last.
    POSITION GetFirstFieldPosition() const;
    const CMapField& GetNextField(POSITION& pos) const;
    // Index of the first field whose name equals `name` in upper case, or -1.
    int FindField(const CString& name) const;
    // -1 when a field of that name (in any case) exists; otherwise appends it,
    // gives every node and text an empty value for it and returns its index.
    int AddField(CMapField field);

    // ---- layer file schema
    // "mapeID INTEGER PRIMARY KEY" and one definition per field.
    CString GetMetaDataColumns() const;
    // Makes a field name a safe column name in place; 1 when it had to be
    // renamed away from one of the nine column names of _MapGeoData.
    static int MakeFieldNameSafe(CString& name);
    BOOL NeedsTableUpgrade();
    // Moves the objects of one old table into _MapGeoData and _MapMetaData.
    void UpgradeTables(const CString& oldTable);

private:
    void Init();
    void DrawIndexedObjects(CDC* pDC, const RECT* client, const CDoubleRect& view, double* originX,
                            double* originY, double* zoom);

    CString m_strFilePath;
    CList<CMapObject*, CMapObject*> m_PointObjects;
    DWORD m_dwFlags = 0;
    CRTree m_Index;
    std::unique_ptr<CMapStyle> m_pStyle;
    std::vector<CMapField> m_Fields;
    std::unique_ptr<CSQLiteDatabase> m_pDatabase;
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
    int m_nMaxID = 0;
    int m_nMinID = 0;
    int m_nModified = 0;
};

// The column list of _MapGeoData, in column order.
extern const char* const g_MapGeoDataColumns;
