// The map model: layers, projection, extent, the selection copies and the
// layer files and workspace rows it writes and opens.
#include "model/layers/MapModel.h"

#include "core/MapLabel.h"
#include "model/layers/MapObject.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"
#include "core/Utilities.h"
#include "core/WholeDatabaseFile.h"
#include "core/Settings.h"
#include "model/layers/LayerFileCheck.h"
#include "model/layers/MapLayer.h"
#include "model/projections/ProjectionCatalogue.h"
#include "platform/base/MessageBox.h"
#include "platform/dialogs/CommonDialogs.h"
#include "resources/resource.h"

#include <cpl_error.h>
#include <ogr_spatialref.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {
const char* const kCreateMapProperty =
    "create table _MapProperty(dXOff DOUBLE, dYOff DOUBLE, dZoom DOUBLE, MapEVersion INT, SelProperty BLOB, "
    "Boundary BLOB, MapUnits BLOB, ProjectionType INT UNSIGNED);";
}

CMapModel::CMapModel() : m_pDefaultStyle(std::make_unique<CMapStyle>())
{
    // The selection style of a map: constants of the map, not preferences.
    CMapStyle& style = *m_pDefaultStyle;
    style.SetBkOpaque(0);
    style.SetBrushColor(255);
    style.SetBkColor(16777215);
    style.SetBrushStyle(3);
    style.SetPenColor(255);
    style.SetPenStyle(3);
    style.SetBeginArrowStyle(0);
    style.SetEndArrowStyle(0);
    style.SetPenWidth(1.0f);
    SetProjection(g_CoordinationSystem);
}

CMapModel::~CMapModel()
{
    m_pDefaultStyle.reset();
    ClearOverlays();
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;)
        delete m_Layers.GetNext(pos);
    m_Layers.RemoveAll();
    m_pToolObject.reset();
    if (m_pGeographicReference != m_pSpatialReference)
        delete m_pGeographicReference;
    delete m_pSpatialReference;
    m_pDatabase.reset();
    m_dZoom = -1;
}

// ---------------------------------------------------------------- layers
void CMapModel::AddLayer(CMapLayer* layer)
{
    m_Layers.AddTail(layer);
    layer->SetMap(this);
    RecalcExtent();
}

void CMapModel::RemoveLayer(CMapLayer* layer)
{
    POSITION pos = m_Layers.Find(layer);
    if (!pos)
        return;
    layer->ClearMap();
    m_Layers.RemoveAt(pos);
    if (m_Layers.IsEmpty())
        ClearExtent();
    RecalcExtent();
}

BOOL CMapModel::SwapLayers(CMapLayer* first, CMapLayer* second)
{
    if (!first || !second || first == second)
        return FALSE;
    const POSITION a = m_Layers.Find(first);
    const POSITION b = m_Layers.Find(second);
    if (!a || !b)
        return FALSE;
    m_Layers.SetAt(a, second);
    m_Layers.SetAt(b, first);
    return TRUE;
}

int CMapModel::GetLayerIndex(CMapLayer* layer) const
{
    int index = 0;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos; ++index) {
        if (m_Layers.GetNext(pos) == layer)
            return index;
    }
    return -1;
}

CMapLayer* CMapModel::GetLayerAt(int index) const
{
    if (index < 0 || index >= GetLayerCount())
        return nullptr;
    return m_Layers.GetAt(m_Layers.FindIndex(index));
}

// ---------------------------------------------------------------- projection
void CMapModel::SetProjection(int code)
{
    if (code == -1)
        return;
    CProjectionCatalogue::LineBuffer definition = {};
    if (!CProjectionCatalogue::GetDefinition(code, definition))
        return;
    auto srs = std::make_unique<OGRSpatialReference>();
    // The message box is the report; GDAL is not to write its own to stderr.
    CPLPushErrorHandler(CPLQuietErrorHandler);
    const OGRErr imported = srs->importFromWkt(definition);
    CPLPopErrorHandler();
    if (imported != OGRERR_NONE) {
        AfxMessageBox("Fail to set projection", MB_OK, 0);
        return;
    }
    SetSpatialReference(srs.release(), code);
}

void CMapModel::SetSpatialReference(OGRSpatialReference* srs, int code)
{
    if (!srs)
        return;
    if (m_pGeographicReference != m_pSpatialReference && m_pGeographicReference != srs)
        delete m_pGeographicReference;
    if (m_pSpatialReference != srs)
        delete m_pSpatialReference;
    m_pGeographicReference = nullptr;
    m_pSpatialReference = srs;
    // x is the easting or longitude in every map coordinate.
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (code == -1)
        code = CProjectionCatalogue::FindCode(srs);
    m_nEPSG = code;
    if (srs->IsGeographic()) {
        m_pGeographicReference = srs;
        m_Units.SetUseSpherical(1);
    } else if (srs->IsProjected()) {
        m_pGeographicReference = srs->CloneGeogCS();
        if (m_pGeographicReference)
            m_pGeographicReference->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    } else {
        m_Units.SetUseSpherical(0);
    }
    m_Units.SetCoordUnitCode(GuessUnitCode(srs));
}

OGRCoordinateTransformation* CMapModel::CreateGeographicTransform() const
{
    if (!m_Units.GetUseSpherical() || !m_pSpatialReference || m_pSpatialReference->IsGeographic() ||
        !m_pGeographicReference)
        return nullptr;
    return OGRCreateCoordinateTransformation(m_pSpatialReference, m_pGeographicReference);
}

// ---------------------------------------------------------------- view and drawing
namespace {
// The map rectangle under `client` widened by 2 pixels on every side.
CDoubleRect ViewRectOf(const RECT& client, double zoom, double x0, double y0)
{
    return CDoubleRect((client.left - 2) * zoom + x0, (client.top - 2) * zoom + y0, (client.right + 2) * zoom + x0,
                       (client.bottom + 2) * zoom + y0);
}
}

void CMapModel::UpdateViewRect(double x0, double y0)
{
    m_rcView = ViewRectOf(m_rcClient, m_dZoom, x0, y0);
    // The device transforms of the map's objects count y up from this height:
    // it must be the height of the area the view rectangle was taken from.
    m_nViewHeight = m_rcClient.bottom - m_rcClient.top;
}

CDoubleRect CMapModel::GetRotatedViewRect(CDoublePoint corners[4]) const
{
    CDoubleRect view = m_rcView;
    view.Normalize();
    const double c = std::cos(m_dRotation), s = std::sin(m_dRotation);
    const CDoublePoint unrotated[4] = {{view.left, view.bottom}, {view.right, view.bottom},
                                       {view.right, view.top}, {view.left, view.top}};
    // The turned area reaches the index searches too: the result bounds the
    // view together with its rotated corners.
    CDoubleRect bounds = view;
    for (int i = 0; i < 4; ++i) {
        const CDoublePoint& p = unrotated[i];
        const CDoublePoint turned(p.x * c - p.y * s, p.x * s + p.y * c);
        if (corners)
            corners[i] = turned;
        bounds.left = std::min(bounds.left, turned.x);
        bounds.right = std::max(bounds.right, turned.x);
        bounds.bottom = std::min(bounds.bottom, turned.y);
        bounds.top = std::max(bounds.top, turned.y);
    }
    return bounds;
}

void CMapModel::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    m_rcClient = *client;
    const int height = client->bottom - client->top;
    if (m_nViewHeight != -1 && m_nViewHeight != height)
        NotifyOverlaysHeight(height);
    m_rcView = ViewRectOf(*client, *zoom, *originX, *originY);
    m_nViewHeight = height;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;) {
        CMapLayer* layer = m_Layers.GetNext(pos);
        if (layer->IsVisible())
            layer->Draw(pDC, client, originX, originY, zoom);
    }
    for (POSITION pos = m_SelectedLabels.GetHeadPosition(); pos;) {
        CMapLabel* label = m_SelectedLabels.GetNext(pos);
        if (label->IsDrawable())
            label->Draw(pDC, *client, originX, originY, zoom);
    }
}

void CMapModel::DrawLocator(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    const RECT keptClient = m_rcClient;
    const int keptHeight = m_nViewHeight;
    m_rcClient = *client;
    const int height = client->bottom - client->top;
    if (m_nViewHeight != -1 && m_nViewHeight != height)
        NotifyOverlaysHeight(height);
    const CDoubleRect view = ViewRectOf(*client, *zoom, *originX, *originY);
    m_nViewHeight = height;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;) {
        CMapLayer* layer = m_Layers.GetNext(pos);
        if (layer->IsVisible())
            layer->DrawOverview(pDC, client, view, originX, originY, zoom);
    }
    for (POSITION pos = m_SelectedObjects.GetHeadPosition(); pos;) {
        CMapObject* object = m_SelectedObjects.GetNext(pos);
        CMapLayer* layer = object->GetLayer();
        if (object->GetType() != MAP_OBJECT_INVALID && layer && layer->IsVisible())
            object->Draw(pDC, client, originX, originY, zoom);
    }
    // The map window's view is the map's again; its objects go back to its height.
    m_rcClient = keptClient;
    if (keptHeight != -1 && keptHeight != height)
        NotifyOverlaysHeight(keptHeight);
    m_nViewHeight = keptHeight;
}

// ---------------------------------------------------------------- extent, database, selection
void CMapModel::RecalcExtent()
{
    // A layer that holds objects counts even with bounds all zero (a point at
    // the origin); one that holds none counts only once the extent has begun.
    m_rcExtent.SetEmpty();
    bool begun = false;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;) {
        const CMapLayer* layer = m_Layers.GetNext(pos);
        CDoubleRect bounds = layer->GetBounds();
        bounds.Normalize();
        if (begun) {
            m_rcExtent.Union(bounds);
        } else if (layer->GetObjectCount() > 0 || !bounds.IsNull()) {
            m_rcExtent = bounds;
            begun = true;
        }
    }
}

void CMapModel::SetDatabase(CSQLiteDatabase* db)
{
    if (db != m_pDatabase.get())
        m_pDatabase.reset(db);
}

void CMapModel::ClearOverlays()
{
    for (POSITION pos = m_SelectedObjects.GetHeadPosition(); pos;) {
        CMapObject* object = m_SelectedObjects.GetNext(pos);
        if (!CMapLayer::IsPointObjectType(object->GetType()))
            delete object;
    }
    m_SelectedObjects.RemoveAll();
}

void CMapModel::NotifyOverlays(int dx, int dy)
{
    for (POSITION pos = m_SelectedObjects.GetHeadPosition(); pos;)
        m_SelectedObjects.GetNext(pos)->ShiftDevicePoints(dx, dy);
}

void CMapModel::NotifyOverlaysHeight(int height)
{
    for (POSITION pos = m_SelectedObjects.GetHeadPosition(); pos;)
        m_SelectedObjects.GetNext(pos)->AdjustDeviceHeight(height);
}

CMapObject* CMapModel::GetToolObject()
{
    if (!m_pToolObject)
        m_pToolObject = std::make_unique<CMapObject>();
    return m_pToolObject.get();
}

// ---------------------------------------------------------------- layer files
// Doubles are written with every digit, so that the view comes back where it was.
void CMapModel::WriteMapPropertyTable(CSQLiteDatabase* db, const CDoubleRect& bounds)
{
    db->ExecuteChecked(kCreateMapProperty);
    InsertMapPropertyRow(db, bounds);
}

void CMapModel::InsertMapPropertyRow(CSQLiteDatabase* db, const CDoubleRect& bounds)
{
    CString sql;
    sql.Format("insert into _MapProperty values(%.17g, %.17g, %.17g, %i, ?, ?, ?, %u);", m_dXOff, m_dYOff, m_dZoom,
               kFileVersion, (unsigned)m_nEPSG);
    CSQLiteStatement stmt;
    db->Prepare(sql, stmt);
    BindMapRecords(stmt, bounds);
    db->ExecuteChecked(stmt);
}

void CMapModel::UpdateMapPropertyRow(CSQLiteDatabase* db, ProjectionFormat format, const CDoubleRect& bounds)
{
    CString sql;
    sql.Format(format == ProjectionFormat::Signed
                   ? "update _MapProperty set dXOff=%.17g, dYOff=%.17g, dZoom=%.17g, SelProperty=?, Boundary=?, "
                     "MapUnits=?, ProjectionType=%i where ROWID=1;"
                   : "update _MapProperty set dXOff=%.17g, dYOff=%.17g, dZoom=%.17g, SelProperty=?, Boundary=?, "
                     "MapUnits=?, ProjectionType=%u where ROWID=1;",
               m_dXOff, m_dYOff, m_dZoom, m_nEPSG);
    CSQLiteStatement stmt;
    db->Prepare(sql, stmt);
    BindMapRecords(stmt, bounds);
    db->ExecuteChecked(stmt);
}

CMapModel::StoredMapProperty CMapModel::ReadMapPropertyRow(CSQLiteDatabase* db)
{
    StoredMapProperty stored;
    CSQLiteStatement stmt;
    db->Prepare("select * from _MapProperty;", stmt);
    if (stmt.IsEmpty() || stmt.Step() != SQLITE_ROW)
        return stored;
    stored.present = true;
    double* view = stored.view;
    for (int i = 0; i < 3; ++i)
        view[i] = stmt.ColumnDouble(i);
    stored.viewSound = std::isfinite(view[0]) && std::isfinite(view[1]) && std::isfinite(view[2]) && view[2] > 0;
    SetXOffset(view[0]);
    SetYOffset(view[1]);
    SetZoom(view[2]);
    stored.version = stmt.ColumnInt(3);
    SetDatabaseVersion(stored.version);
    CDoubleRect extent;
    if (extent.ReadRecord(stmt.ColumnBlob(5), stmt.ColumnBytes(5)))
        SetExtent(extent);
    // Before the units: a projection sets the coordinate unit and the
    // spherical flag, and the stored units are what the user chose.
    // Read in 32 bits, so that the stored -1 (4294967295) stays -1.
    SetProjection(stmt.ColumnInt(7));
    CMapUnits units = GetUnits();
    if (units.ReadRecord(stmt.ColumnBlob(6), stmt.ColumnBytes(6)))
        SetUnits(units);
    return stored;
}

// Parameters 1 to 3 of the map's row: default style, `bounds` and units.
void CMapModel::BindMapRecords(CSQLiteStatement& stmt, const CDoubleRect& bounds) const
{
    const CMapStyle::Record style = m_pDefaultStyle->ToRecord();
    const CDoubleRect::Record rect = bounds.ToRecord();
    const CMapUnits::Record units = m_Units.ToRecord();
    stmt.BindBlob(0, style.data(), CMapStyle::kRecordSize, SQLITE_TRANSIENT);
    stmt.BindBlob(1, rect.data(), CDoubleRect::kRecordSize, SQLITE_TRANSIENT);
    stmt.BindBlob(2, units.data(), CMapUnits::kRecordSize, SQLITE_TRANSIENT);
}

int CMapModel::CreateLayerDatabase(const CString& path, CMapLayer* layer)
{
    std::error_code error;
    if (std::filesystem::exists(path.GetString(), error))
        return 0;
    WriteNewLayerFile(path, layer);
    return 1;
}

// The file is made whole under a temporary name and then renamed to its own, so
// that a process ended half-way leaves no layer file rather than half of one.
void CMapModel::WriteNewLayerFile(const CString& path, CMapLayer* layer, const char* metaDataFormat)
{
    WriteWholeDatabaseFile(path, ".part", [this, layer, metaDataFormat](CSQLiteDatabase& db) {
        FillNewLayerFile(db, layer, metaDataFormat);
    });
}

void CMapModel::FillNewLayerFile(CSQLiteDatabase& db, CMapLayer* layer, const char* metaDataFormat)
{
    WriteMapPropertyTable(&db, layer->GetBounds());
    CString sql;
    sql.Format("create table _MapGeoData(%s)", g_MapGeoDataColumns);
    db.ExecuteChecked(sql);
    sql.Format(metaDataFormat, layer->GetMetaDataColumns().GetString());
    db.ExecuteChecked(sql);
    layer->CommitEmptyTransaction(&db);
}

bool CMapModel::IsOpenInMap(const CString& path) const
{
    if (IsDatabaseOfFile(m_pDatabase.get(), path))
        return true;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;) {
        if (IsDatabaseOfFile(m_Layers.GetNext(pos)->GetDatabase(), path))
            return true;
    }
    return false;
}

CMapLayer* CMapModel::NewLayer(CWnd* parent, const CString& name)
{
    auto layer = std::make_unique<CMapLayer>(name);
    layer->SetEditable(1);
    CFileDialog dialog(FALSE, nullptr, name + ".klz", OFN_EXPLORER | OFN_OVERWRITEPROMPT,
                       "Terravue Layer(*.klz)|*.klz||", parent);
    // A cancelled dialog leaves the map as it was, its editable layer included.
    if (dialog.DoModal() != IDOK)
        return nullptr;
    const CString path = dialog.GetPathName();
    // Replacing a file the map has open would cut its layer (or the workspace)
    // off from the data it has not saved yet.
    if (IsOpenInMap(path)) {
        AfxMessageBox("The file " + path + " is open in this map: a new layer cannot replace it.",
                      MB_OK | MB_ICONEXCLAMATION, 0);
        return nullptr;
    }
    // Nor one that another map or program holds, which would go on writing a
    // file no longer under its name.
    if (IsDatabaseInUse(path)) {
        AfxMessageBox("The layer file " + path +
                          " is in use by another map or program: a new layer cannot replace it.",
                      MB_OK | MB_ICONEXCLAMATION, 0);
        return nullptr;
    }
    try {
        // An existing file of that name is replaced only by a whole new one.
        WriteNewLayerFile(path, layer.get(), "create table _MapMetaData(%s)");
        auto db = std::make_unique<CSQLiteDatabase>();
        if (db->OpenExisting(path) != SQLITE_OK)
            throw CSQLiteException(CString("cannot open ") + path);
        layer->SetDatabase(db.release());
        layer->BeginFileTransaction();
    } catch (const CSQLiteException& e) {
        AfxMessageBox("The layer file " + path + " cannot be created: " + e.GetMessage(), MB_OK | MB_ICONEXCLAMATION,
                      0);
        return nullptr;
    }
    layer->SetFilePath(path);
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;)
        m_Layers.GetNext(pos)->SetEditable(0);
    CMapLayer* added = layer.release();
    AddLayer(added);
    return added;
}

// A file left incomplete by a save that was cut off. One that holds objects is
// completed in place in one transaction (the objects stay); any other is made
// anew. A file that is no database at all is kept beside, not overwritten.
void CMapModel::RepairLayerFile(const CString& path, CMapLayer* layer, LayerFileState state)
{
    std::error_code error;
    if (state == LayerFileState::Unreadable) {
        std::filesystem::rename(path.GetString(), (path + ".unreadable").GetString(), error);
        if (error)
            throw CSQLiteException(CString("cannot replace ") + path);
    }
    if (state != LayerFileState::Incomplete || CountStoredObjects(path) == 0) {
        WriteNewLayerFile(path, layer);
        return;
    }
    CSQLiteDatabase db;
    if (db.Open(path) != SQLITE_OK)
        throw CSQLiteException(sqlite3_errmsg(db.GetHandle()));
    db.ExecuteChecked("BEGIN TRANSACTION;");
    try {
        if (db.QueryInt("select count(*) from sqlite_master where type='table' and name='_MapProperty';") == 0) {
            WriteMapPropertyTable(&db, layer->GetBounds());
        } else if (db.QueryInt("select count(*) from _MapProperty where ROWID=1;") == 0) {
            db.ExecuteChecked("delete from _MapProperty;");
            InsertMapPropertyRow(&db, layer->GetBounds());
        }
        if (db.QueryInt("select count(*) from sqlite_master where type='table' and name='_MapMetaData';") == 0) {
            CString sql;
            sql.Format("create table _MapMetaData (%s);", layer->GetMetaDataColumns().GetString());
            db.ExecuteChecked(sql);
        }
        // Every object has its attribute row.
        db.ExecuteChecked("insert into _MapMetaData(mapeID) select mapeID from _MapGeoData where mapeID not in "
                          "(select mapeID from _MapMetaData);");
        db.ExecuteChecked("COMMIT TRANSACTION;");
    } catch (const CSQLiteException&) {
        db.Execute("ROLLBACK TRANSACTION;");
        throw;
    }
}

void CMapModel::EnsureLayerFile(const CString& path, CMapLayer* layer)
{
    // The layer's own open file is its to keep; its save writes it.
    if (IsDatabaseOfFile(layer->GetDatabase(), path))
        return;
    const LayerFileState state = CheckLayerFile(path);
    // A file in use is another's to change: neither remade nor completed.
    if (state == LayerFileState::Busy || (state != LayerFileState::Complete && IsDatabaseInUse(path)))
        throw CSQLiteException("The layer file " + path + " is in use by another map or program.");
    if (state == LayerFileState::Missing)
        WriteNewLayerFile(path, layer);
    else if (state != LayerFileState::Complete)
        RepairLayerFile(path, layer, state);
}

BOOL CMapModel::OpenLayer(const CString& path, CMapLayer* layer)
{
    std::unique_ptr<CMapLayer> created;
    if (!layer) {
        created = std::make_unique<CMapLayer>(GetFileTitleFromPath(path));
        layer = created.get();
    }
    CString error;
    const CMapLayer::OpenResult result = layer->OpenFile(path, this, error);
    if (result == CMapLayer::kFailed)
        AfxMessageBox(error, MB_OK, 0);
    if (result != CMapLayer::kOpened)
        return FALSE;
    if (created)
        AddLayer(created.release());
    return TRUE;
}
