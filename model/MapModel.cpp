// The map model: layers, projection, extent, the selection copies and the
// layer files and workspace rows it writes and opens.
#include "model/MapModel.h"

#include "core/MapLabel.h"
#include "model/MapObject.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"
#include "core/Utilities.h"
#include "core/Settings.h"
#include "model/MapLayer.h"
#include "model/ProjectionCatalogue.h"
#include "platform/base/MessageBox.h"
#include "resources/resource.h"

#include <cpl_error.h>
#include <ogr_spatialref.h>
#include <sqlite3.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace {
const char* const kCreateMapProperty =
    "create table _MapProperty(dXOff DOUBLE, dYOff DOUBLE, dZoom DOUBLE, MapEVersion INT, SelProperty BLOB, "
    "Boundary BLOB, MapUnits BLOB, ProjectionType INT UNSIGNED);";
const char* const kCreateLayerProperty =
    "create table _LayerProperty(LayerName VARCHAR(255), Property BLOB, Boundary BLOB, AutoLabel BOOL, "
    "Editable BOOL, Override BOOL, Visible BOOL, Selectable BOOL, LabelField VARCHAR(255));";
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

// ---------------------------------------------------------------- extent, database, selection
void CMapModel::RecalcExtent()
{
    m_rcExtent.SetEmpty();
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;) {
        CDoubleRect bounds = m_Layers.GetNext(pos)->GetBounds();
        bounds.Normalize();
        m_rcExtent.UnionOrAssign(bounds);
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
    CString sql;
    sql.Format("insert into _MapProperty values(%.17g, %.17g, %.17g, %i, ?, ?, ?, %u);", m_dXOff, m_dYOff, m_dZoom,
               kFileVersion, (unsigned)m_nEPSG);
    CSQLiteStatement stmt;
    db->Prepare(sql, stmt);
    const CMapStyle::Record style = m_pDefaultStyle->ToRecord();
    const CDoubleRect::Record rect = bounds.ToRecord();
    const CMapUnits::Record units = m_Units.ToRecord();
    stmt.BindBlob(0, style.data(), CMapStyle::kRecordSize, SQLITE_TRANSIENT);
    stmt.BindBlob(1, rect.data(), CDoubleRect::kRecordSize, SQLITE_TRANSIENT);
    stmt.BindBlob(2, units.data(), CMapUnits::kRecordSize, SQLITE_TRANSIENT);
    db->ExecuteChecked(stmt);
}

int CMapModel::CreateLayerDatabase(const CString& path, CMapLayer* layer)
{
    return layer->CreateFile(path, this) ? 1 : 0;
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

// ---------------------------------------------------------------- workspace rows
void CMapModel::WriteLayerTable(const CString& workspacePath, CSQLiteDatabase* db)
{
    db->ExecuteChecked(kCreateLayerProperty);
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;) {
        CMapLayer* layer = m_Layers.GetNext(pos);
        CString labelField = layer->GetLabelField();
        labelField.Replace(' ', '_');
        CString sql;
        sql.Format("insert into _LayerProperty values(%s, ?, ?, %u, %u, %u, %u, %u, %s);",
                   SqlText(layer->GetName()).GetString(), (unsigned)(layer->GetAutoLabel() & 0xFFFF),
                   (unsigned)(layer->IsEditable() & 0xFFFF), (unsigned)(layer->GetOverride() & 0xFFFF),
                   (unsigned)(layer->IsVisible() & 0xFFFF), (unsigned)(layer->IsSelectable() & 0xFFFF),
                   SqlText(labelField).GetString());
        CSQLiteStatement stmt;
        db->Prepare(sql, stmt);
        const CMapStyle::Record style = layer->GetStyle()->ToRecord();
        const CDoubleRect::Record bounds = layer->GetBounds().ToRecord();
        stmt.BindBlob(0, style.data(), CMapStyle::kRecordSize, SQLITE_TRANSIENT);
        stmt.BindBlob(1, bounds.data(), CDoubleRect::kRecordSize, SQLITE_TRANSIENT);
        db->ExecuteChecked(stmt);
        layer->SetModified(0);
    }
    const CString folder = GetFolderFromPath(workspacePath);
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;) {
        CMapLayer* layer = m_Layers.GetNext(pos);
        CreateLayerDatabase(folder + layer->GetName() + ".klz", layer);
    }
}

BOOL CMapModel::OpenLayerByName(const CString& folder)
{
    int editable = 0;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;) {
        const POSITION current = pos;
        CMapLayer* layer = m_Layers.GetNext(pos);
        const CString path = folder + layer->GetName() + ".klz";
        if (!OpenLayer(path, layer)) {
            // A half-opened layer would have the map's projection written into
            // its file at the next save.
            m_Layers.RemoveAt(current);
            layer->ClearMap();
            delete layer;
            continue;
        }
        layer->SetFilePath(path);
        if (layer->IsEditable() && ++editable > 1)
            layer->SetEditable(0);
    }
    if (editable == 0 && !m_Layers.IsEmpty())
        GetLastLayer()->SetEditable(1);
    m_nEditableLayers = editable;
    RecalcExtent();
    const CFloatPoint centre = m_rcExtent.GetCentre();
    m_dRotationX = centre.x;
    m_dRotationY = centre.y;
    return TRUE;
}
