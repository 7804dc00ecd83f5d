// One map: its layers (bottom first), units, extent, the view transform of the
// window that shows it, the default style written with the map, the objects and
// labels the map window holds selected, and the open workspace database. The
// model owns its layers, default style, selected object copies and database.
#pragma once

#include "platform/base/Afx.h"
#include "platform/base/Collections.h"

#include "core/DoubleRect.h"
#include "core/MapStyle.h"
#include "core/MapUnits.h"

#include <memory>
#include <utility>
#include <vector>

class CDC;
class CFileSetCommit;
class CMapLabel;
class CMapLayer;
class CMapObject;
class CSQLiteDatabase;
class CSQLiteStatement;
class CWnd;
enum class LayerFileState;
class OGRCoordinateTransformation;
class OGRSpatialReference;

class CMapModel {
public:
    // The version every writer stores in MapEVersion.
    static constexpr int kFileVersion = 211;

    // Takes the projection of the "Coordination System" preference.
    CMapModel();
    virtual ~CMapModel();
    CMapModel(const CMapModel&) = delete;
    CMapModel& operator=(const CMapModel&) = delete;

    // ---- layers (bottom first)
    // Appends on top, makes this map the layer's owner and recomputes the extent.
    void AddLayer(CMapLayer* layer);
    // The layer is not deleted; one not in the list is ignored.
    void RemoveLayer(CMapLayer* layer);
    int GetLayerCount() const { return (int)m_Layers.GetCount(); }
    int GetLayerIndex(CMapLayer* layer) const;
    CMapLayer* GetLayerAt(int index) const;
    CMapLayer* GetFirstLayer() const { return m_Layers.GetHead(); }
    CMapLayer* GetLastLayer() const { return m_Layers.GetTail(); }
    POSITION GetFirstLayerPosition() const { return m_Layers.GetHeadPosition(); }
    CMapLayer* GetNextLayer(POSITION& pos) const { return m_Layers.GetNext(pos); }
    POSITION GetLastLayerPosition() const { return m_Layers.GetTailPosition(); }
    CMapLayer* GetPrevLayer(POSITION& pos) const { return m_Layers.GetPrev(pos); }
    // Exchanges the drawing places of two layers of this map; FALSE (nothing
    // changed) for null, a layer of another map, or the same layer twice.
    BOOL SwapLayers(CMapLayer* first, CMapLayer* second);

    // ---- extent and view
    // The union of the normalised layer bounds.
    void RecalcExtent();
    CDoubleRect GetExtent() const { return m_rcExtent; }
    void SetExtent(const CDoubleRect& extent) { m_rcExtent = extent; }
    void ClearExtent() { m_rcExtent.SetEmpty(); }
    double GetXOffset() const { return m_dXOff; }
    double GetYOffset() const { return m_dYOff; }
    double GetZoom() const { return m_dZoom; }
    void SetXOffset(double x) { m_dXOff = x; }
    void SetYOffset(double y) { m_dYOff = y; }
    void SetZoom(double zoom) { m_dZoom = zoom; }
    void SetClientRect(const RECT& rect) { m_rcClient = rect; }
    const RECT* GetClientRect() const { return &m_rcClient; }
    RECT* GetClientRect() { return &m_rcClient; }
    // The client height of the last drawing or view rectangle; -1 before the
    // first. Every device transform of the map's objects counts y up from it.
    int GetViewHeight() const { return m_nViewHeight; }
    // The view rectangle under the stored client rectangle, widened by 2 pixels
    // on every side, for the map's zoom and the origin (x0, y0); the view
    // height becomes the client height.
    void UpdateViewRect(double x0, double y0);
    CDoubleRect GetViewRect() const { return m_rcView; }
    // The view rectangle (normalised) and, when `corners` is given, its four
    // corners rotated about the map origin by the map's rotation; with
    // rotation 0 the corners are those of the view rectangle.
    CDoubleRect GetRotatedViewRect(CDoublePoint corners[4] = nullptr) const;
    int GetEditMode() const { return m_nEditableLayers; }
    void SetEditMode(int count) { m_nEditableLayers = count; }
    double GetRotation() const { return m_dRotation; }
    void SetRotation(double rotation) { m_dRotation = rotation; }
    double GetRotationCentreX() const { return m_dRotationX; }
    double GetRotationCentreY() const { return m_dRotationY; }
    void SetRotationCentre(double x, double y) { m_dRotationX = x, m_dRotationY = y; }

    // ---- map properties
    CMapStyle* GetDefaultStyle() const { return m_pDefaultStyle.get(); }
    const CMapUnits& GetUnits() const { return m_Units; }
    void SetUnits(const CMapUnits& units) { m_Units = units; }
    int GetProjectionCode() const { return m_nEPSG; }
    // The map's coordinate system and its geographic counterpart (the system
    // itself when it is geographic); null when the map has none.
    OGRSpatialReference* GetSpatialReference() const { return m_pSpatialReference; }
    OGRSpatialReference* GetGeographicReference() const { return m_pGeographicReference; }
    // The system of catalogue code `code`. -1 does nothing; a code the catalogue
    // lacks changes nothing; a definition that does not import is reported and
    // changes nothing.
    void SetProjection(int code);
    // Takes ownership of `srs` (null does nothing) under `code`; code -1 looks
    // the system up in the catalogue, which may append it. A geographic system
    // turns spherical measuring on; the coordinate unit follows the system.
    void SetSpatialReference(OGRSpatialReference* srs, int code);
    // A transformation from the map's system to its geographic counterpart, for
    // measuring on the sphere; null without a system, for a geographic one, or
    // when spherical measuring is off. The caller owns it.
    OGRCoordinateTransformation* CreateGeographicTransform() const;
    int GetDatabaseVersion() const { return m_nDatabaseVersion; }
    void SetDatabaseVersion(int version) { m_nDatabaseVersion = version; }
    void SetPathName(const CString& name) { m_strPathName = name; }
    CString GetPathName() const { return m_strPathName; }
    // The model owns the workspace database it is given.
    void SetDatabase(CSQLiteDatabase* db);
    CSQLiteDatabase* GetDatabase() const { return m_pDatabase.get(); }

    // ---- selection held by the map window
    CList<CMapObject*, CMapObject*>& GetSelectedObjects() { return m_SelectedObjects; }
    CList<CMapLabel*, CMapLabel*>& GetSelectedLabels() { return m_SelectedLabels; }
    // Deletes the selected copies (nodes and texts belong to their layer) and
    // empties the list; the selected labels stay.
    void ClearOverlays();
    // The base object the tools keep a boundary in; created on first use, owned.
    CMapObject* GetToolObject();
    // Moves the cached device points of the selected objects after a scroll.
    void NotifyOverlays(int dx, int dy);
    // Gives the selected objects a new client height.
    void NotifyOverlaysHeight(int height);

    // ---- drawing
    // Draws the visible layers bottom to top, then the drawable selected labels,
    // into `pDC` whose client area is `client`; the view rectangle and the view
    // height follow that client area. The selected objects are not drawn.
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);
    // The overview: the visible layers' overviews and the selected objects of
    // visible layers; the map's own client rectangle, view rectangle and view
    // height are as they were before.
    void DrawLocator(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);

    // ---- layer files
    // A new layer on a new layer file that the user names in a save dialog
    // (proposed: `name` + ".klz"). The file is made whole and replaces a file
    // of that name only once complete; it is then open in a transaction, the
    // new layer is added on top and is the only editable one. Null, with the
    // map as it was, when the dialog is cancelled, when the path is the file of
    // a layer of this map or of its workspace (a message says so), or when the
    // file cannot be made (a message tells why).
    CMapLayer* NewLayer(CWnd* parent, const CString& name);
    // Creates an empty layer file for `layer` at `path`; 0 when a file of that
    // name exists (it is never overwritten), 1 when it was created. The file is
    // made under a temporary name and renamed: there is a whole file or none.
    // A file that cannot be created throws CSQLiteException.
    int CreateLayerDatabase(const CString& path, CMapLayer* layer);
    // Makes `path` a whole layer file for `layer`: creates a missing one,
    // completes or remakes one whose making was cut off (objects it holds stay),
    // and leaves a complete one, or the layer's own open file, untouched. A
    // file that another connection holds throws CSQLiteException, untouched.
    void EnsureLayerFile(const CString& path, CMapLayer* layer);
    // Writes a whole copy of `layer`'s file at `path` as the layer is now (its
    // rows not yet committed, its properties and index included), replacing a
    // file of that name. Refused (FALSE, a message says why, nothing written)
    // for the file of a layer of this map or of its workspace and for a file
    // another map or program holds. A layer without a file gets an empty one.
    // Failures to write throw CSQLiteException.
    BOOL WriteLayerCopy(CMapLayer* layer, const CString& path);
    // Opens the layer file at `path` into `layer`, or into a new layer added on
    // top when `layer` is null. FALSE when it was refused: a file of another
    // projection than the map's, once the map has layers (a file that records
    // no projection fits any map).
    BOOL OpenLayer(const CString& path, CMapLayer* layer);

    // ---- workspace rows
    // Layer names are file names in the workspace's folder: no folder separator.
    static BOOL IsLayerFileName(const CString& name);
    // FALSE, with a message to the user, for a name that would lead elsewhere.
    static BOOL CheckLayerName(const CString& name);
    BOOL CheckLayerNames() const;
    // Creates _MapProperty in the new file `db` (a workspace or a layer file)
    // with its row 1: the map's view, version, projection code, default style,
    // `bounds` and units. A statement that fails throws CSQLiteException.
    void WriteMapPropertyTable(CSQLiteDatabase* db, const CDoubleRect& bounds);
    // How row 1's projection code is written: signed in a workspace, unsigned
    // (-1 as 4294967295) in a layer file; both read back as -1 in 32 bits.
    enum class ProjectionFormat { Signed, Unsigned };
    // Rewrites row 1 of _MapProperty in `db` with the map's view, projection,
    // default style and units, and `bounds`.
    void UpdateMapPropertyRow(CSQLiteDatabase* db, ProjectionFormat format, const CDoubleRect& bounds);
    // What row 1 of a workspace's _MapProperty held (ReadMapPropertyRow).
    struct StoredMapProperty {
        bool present = false;
        // The view as stored: x and y offset, zoom; `viewSound` when all three
        // are finite and the zoom positive.
        double view[3] = {0, 0, 0};
        bool viewSound = false;
        int version = -1;
    };
    // Reads row 1 of _MapProperty in the workspace `db` into the map: view,
    // version, extent, projection and units. A file without the table or the
    // row reads as nothing; a statement that fails throws CSQLiteException.
    StoredMapProperty ReadMapPropertyRow(CSQLiteDatabase* db);
    // Creates _LayerProperty in the new workspace `db`: one row per layer and
    // per kept row, in the map's order. The layer files are placed beside it
    // by StageLayerFiles.
    void WriteLayerTable(const CString& workspacePath, CSQLiteDatabase* db);
    // Rewrites the map's row (creating the workspace's tables and row where
    // a new, empty workspace file lacks them) and the layer rows of the open
    // workspace database in one transaction: layers added, renamed, removed or
    // reordered since it was written are what it then holds, and kept rows
    // stay. A layer whose file is not the one beside the workspace is first
    // copied there and goes on in the copy; every layer saves its own file
    // last. FALSE without a database, for a layer name that is not a file name
    // (a message says so), or when the user does not let a file beside the
    // workspace be replaced; SQL failures and files in use throw
    // CSQLiteException, the workspace's rows as they were.
    BOOL SaveMapDatabase();
    // Opens every layer's file from `folder` (ending with its separator); only
    // the lowest editable layer stays editable. A layer whose file is refused
    // leaves the map (its file is not touched) and its row is kept. Each such
    // layer is told in a message, or, with `problems`, added to it as one
    // line for the caller to tell. Returns TRUE.
    BOOL OpenLayerByName(const CString& folder, std::vector<CString>* problems = nullptr);

    // ---- layer files beside a workspace
    // Layers whose file a save replaced with a copy, with the copy's path.
    using LayerCopies = std::vector<std::pair<CMapLayer*, CString>>;
    // Stages in `files` the file of every layer beside the workspace at
    // `workspacePath`: a copy of the layer's file as the layer is now (listed
    // in `copies`, for SwitchToCopies once `files` is committed) when that file
    // is elsewhere, or, with `everyLayer`, always; for a layer without a file,
    // an empty one where none is (one that was cut off half-made is completed
    // in place). A file beside the workspace that no layer of the map owns and
    // that the workspace file at `workspacePath` does not list is replaced
    // only when the user agrees: FALSE when not. A file another connection
    // holds throws CSQLiteException, like a failure to write.
    BOOL StageLayerFiles(const CString& workspacePath, bool everyLayer, CFileSetCommit& files,
                         LayerCopies& copies);
    // Every layer goes on in its committed copy.
    void SwitchToCopies(const LayerCopies& copies);

    // ---- kept rows
    // A workspace row whose layer is not in the map, because its file was
    // missing, in use or refused when the workspace was read. It is written
    // back as it was read, so that nothing of the layer is lost while its file
    // is away; a layer of the map of the same name takes its place.
    struct KeptLayerRow {
        CString name;
        std::vector<BYTE> style, bounds;
        int autoLabel = 0, editable = 0, override_ = 0, visible = 0, selectable = 0;
        CString labelField;
        // Its place among the rows of the workspace, layers and kept rows.
        int position = 0;
    };
    void KeepLayerRow(const KeptLayerRow& row);
    const std::vector<KeptLayerRow>& GetKeptLayerRows() const { return m_KeptRows; }

private:
    void InsertMapPropertyRow(CSQLiteDatabase* db, const CDoubleRect& bounds);
    void BindMapRecords(CSQLiteStatement& stmt, const CDoubleRect& bounds) const;
    void InsertLayerRow(CSQLiteDatabase* db, CMapLayer* layer);
    void InsertKeptRow(CSQLiteDatabase* db, const KeptLayerRow& row);
    // The names of the workspace's rows in order: layers and kept rows
    // merged, the kept rows at their places. A kept row that a layer's name
    // has taken over is dropped.
    std::vector<CString> MergedRowNames();
    // Inserts the merged rows into `db`'s _LayerProperty.
    void InsertLayerRows(CSQLiteDatabase* db);
    // Creates what a new, empty workspace file lacks: _MapProperty and its
    // row, and _LayerProperty.
    void CompleteWorkspaceTables(CSQLiteDatabase* db);
    // Fills the new layer file `db` for `layer`: _MapProperty with its row,
    // _MapGeoData and _MapMetaData, committed.
    void FillNewLayerFile(CSQLiteDatabase& db, CMapLayer* layer, const char* metaDataFormat);
    // `metaDataFormat` creates _MapMetaData from the layer's column definitions.
    void WriteNewLayerFile(const CString& path, CMapLayer* layer,
                           const char* metaDataFormat = "create table _MapMetaData (%s);");
    // Whether `path` is the file of a layer of this map or of its workspace.
    bool IsOpenInMap(const CString& path) const;
    void RepairLayerFile(const CString& path, CMapLayer* layer, LayerFileState state);

    std::unique_ptr<CMapObject> m_pToolObject;
    int m_nDatabaseVersion = -1;
    double m_dRotation = 0;
    double m_dRotationX = 0;
    double m_dRotationY = 0;
    OGRSpatialReference* m_pSpatialReference = nullptr;
    OGRSpatialReference* m_pGeographicReference = nullptr;   // owned unless it is m_pSpatialReference
    int m_nEPSG = -1;
    CMapUnits m_Units;
    CList<CMapObject*, CMapObject*> m_SelectedObjects;
    CList<CMapLabel*, CMapLabel*> m_SelectedLabels;
    int m_nEditableLayers = 0;
    CDoubleRect m_rcExtent;
    CList<CMapLayer*, CMapLayer*> m_Layers;
    std::unique_ptr<CSQLiteDatabase> m_pDatabase;
    std::vector<KeptLayerRow> m_KeptRows;   // sorted by position
    CString m_strPathName;
    std::unique_ptr<CMapStyle> m_pDefaultStyle;
    CDoubleRect m_rcView;
    int m_nViewHeight = -1;
    RECT m_rcClient = {};
    double m_dXOff = 0;
    double m_dYOff = 0;
    double m_dZoom = -1;
};
