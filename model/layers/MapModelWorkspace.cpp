// The map's rows of the workspace database, the rows it keeps for layers that
// could not be opened, and the layer files beside a workspace. A workspace's
// layer is the file of its name in the workspace's folder: a layer whose file
// lies elsewhere (loaded from another folder, or just written under another
// name) is copied there, as it is now, and goes on in the copy, so that the
// workspace names every file that holds its layers' objects.
#include "model/layers/MapModel.h"

#include "core/FileSetCommit.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"
#include "core/Utilities.h"
#include "core/WholeDatabaseFile.h"
#include "model/layers/LayerFileCheck.h"
#include "model/layers/MapLayer.h"
#include "platform/base/MessageBox.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>

namespace {
const char* const kCreateLayerProperty =
    "create table _LayerProperty(LayerName VARCHAR(255), Property BLOB, Boundary BLOB, AutoLabel BOOL, "
    "Editable BOOL, Override BOOL, Visible BOOL, Selectable BOOL, LabelField VARCHAR(255));";

CString StoredLabelField(const CMapLayer* layer)
{
    CString labelField = layer->GetLabelField();
    labelField.Replace(' ', '_');
    return labelField;
}

unsigned Flag(int value)
{
    return (unsigned)value & 0xFFFF;
}

void BindLayerRecords(CSQLiteStatement& stmt, const CMapLayer* layer)
{
    const CMapStyle::Record style = layer->GetStyle()->ToRecord();
    const CDoubleRect::Record bounds = layer->GetBounds().ToRecord();
    stmt.BindBlob(0, style.data(), CMapStyle::kRecordSize, SQLITE_TRANSIENT);
    stmt.BindBlob(1, bounds.data(), CDoubleRect::kRecordSize, SQLITE_TRANSIENT);
}

// The name a row's LayerName gives its layer, and with it its file: the
// layer turns blanks and hyphens into underscores.
CString LayerNameOfRow(CString name)
{
    name.Replace(' ', '_');
    name.Replace('-', '_');
    return name;
}

CString FileOf(const CString& folder, const CString& layerName)
{
    return folder + layerName + ".klz";
}

bool Exists(const CString& path)
{
    std::error_code error;
    return std::filesystem::exists(path.GetString(), error);
}

// The layer names the workspace file at `path` lists; none when there is no
// such file or it cannot be read.
std::set<CString> ListedLayerNames(const CString& path)
{
    std::set<CString> names;
    if (!Exists(path))
        return names;
    CSQLiteDatabase db;
    if (db.OpenExisting(path, true) != SQLITE_OK)
        return names;
    CSQLiteStatement stmt;
    db.Prepare("select LayerName from _LayerProperty;", stmt);
    while (!stmt.IsEmpty() && stmt.Step() == SQLITE_ROW)
        names.insert(LayerNameOfRow(stmt.ColumnText(0)));
    return names;
}

CString InUseMessage(const CString& path)
{
    return "The layer file " + path + " is in use by another map or program.";
}
}

// ---------------------------------------------------------------- names
BOOL CMapModel::IsLayerFileName(const CString& name)
{
    return !name.IsEmpty() && name.Find('/') < 0 && name.Find('\\') < 0;
}

BOOL CMapModel::CheckLayerName(const CString& name)
{
    if (IsLayerFileName(name))
        return TRUE;
    AfxMessageBox("The layer name \"" + name + "\" does not name a file in the workspace's folder.",
                  MB_OK | MB_ICONEXCLAMATION, 0);
    return FALSE;
}

BOOL CMapModel::CheckLayerNames() const
{
    std::set<CString> names;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;) {
        const CString name = m_Layers.GetNext(pos)->GetName();
        if (!CheckLayerName(name))
            return FALSE;
        // One file per name: two layers of one name would write one file.
        if (!names.insert(name).second) {
            AfxMessageBox("Two layers of the map are named \"" + name +
                              "\", and a workspace keeps one file per name. Rename one of them before saving.",
                          MB_OK | MB_ICONEXCLAMATION, 0);
            return FALSE;
        }
    }
    return TRUE;
}

// ---------------------------------------------------------------- rows
void CMapModel::InsertLayerRow(CSQLiteDatabase* db, CMapLayer* layer)
{
    CString sql;
    sql.Format("insert into _LayerProperty values(%s, ?, ?, %u, %u, %u, %u, %u, %s);",
               SqlText(layer->GetName()).GetString(), Flag(layer->GetAutoLabel()), Flag(layer->IsEditable()),
               Flag(layer->GetOverride()), Flag(layer->IsVisible()), Flag(layer->IsSelectable()),
               SqlText(StoredLabelField(layer)).GetString());
    CSQLiteStatement stmt;
    db->Prepare(sql, stmt);
    BindLayerRecords(stmt, layer);
    db->ExecuteChecked(stmt);
}

void CMapModel::InsertKeptRow(CSQLiteDatabase* db, const KeptLayerRow& row)
{
    CString sql;
    sql.Format("insert into _LayerProperty values(%s, ?, ?, %u, %u, %u, %u, %u, %s);",
               SqlText(row.name).GetString(), Flag(row.autoLabel), Flag(row.editable), Flag(row.override_),
               Flag(row.visible), Flag(row.selectable), SqlText(row.labelField).GetString());
    CSQLiteStatement stmt;
    db->Prepare(sql, stmt);
    // The records as they were read, NULL where there was none.
    if (!row.style.empty())
        stmt.BindBlob(0, row.style.data(), (int)row.style.size(), SQLITE_TRANSIENT);
    if (!row.bounds.empty())
        stmt.BindBlob(1, row.bounds.data(), (int)row.bounds.size(), SQLITE_TRANSIENT);
    db->ExecuteChecked(stmt);
}

void CMapModel::KeepLayerRow(const KeptLayerRow& row)
{
    m_KeptRows.erase(std::remove_if(m_KeptRows.begin(), m_KeptRows.end(),
                                    [&row](const KeptLayerRow& kept) { return kept.name == row.name; }),
                     m_KeptRows.end());
    const auto at = std::upper_bound(m_KeptRows.begin(), m_KeptRows.end(), row,
                                     [](const KeptLayerRow& a, const KeptLayerRow& b) {
                                         return a.position < b.position;
                                     });
    m_KeptRows.insert(at, row);
}

namespace {
// One row of the workspace: a layer of the map or a kept row.
struct RowEntry {
    CMapLayer* layer = nullptr;
    const CMapModel::KeptLayerRow* kept = nullptr;
    CString Name() const { return layer ? layer->GetName() : kept->name; }
};
}

std::vector<CString> CMapModel::MergedRowNames()
{
    std::set<CString> layerNames;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;)
        layerNames.insert(m_Layers.GetNext(pos)->GetName());
    m_KeptRows.erase(std::remove_if(m_KeptRows.begin(), m_KeptRows.end(),
                                    [&layerNames](const KeptLayerRow& kept) {
                                        return layerNames.count(LayerNameOfRow(kept.name)) > 0;
                                    }),
                     m_KeptRows.end());
    std::vector<CString> names;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;)
        names.push_back(m_Layers.GetNext(pos)->GetName());
    for (const KeptLayerRow& kept : m_KeptRows)
        names.insert(names.begin() + std::min<size_t>((size_t)std::max(kept.position, 0), names.size()), kept.name);
    return names;
}

void CMapModel::InsertLayerRows(CSQLiteDatabase* db)
{
    MergedRowNames();
    std::vector<RowEntry> rows;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;)
        rows.push_back({m_Layers.GetNext(pos), nullptr});
    for (const KeptLayerRow& kept : m_KeptRows)
        rows.insert(rows.begin() + std::min<size_t>((size_t)std::max(kept.position, 0), rows.size()),
                    RowEntry{nullptr, &kept});
    for (const RowEntry& row : rows) {
        if (row.kept) {
            InsertKeptRow(db, *row.kept);
            continue;
        }
        InsertLayerRow(db, row.layer);
        row.layer->SetModified(0);
    }
}

void CMapModel::WriteLayerTable(const CString&, CSQLiteDatabase* db)
{
    db->ExecuteChecked(kCreateLayerProperty);
    InsertLayerRows(db);
}

void CMapModel::CompleteWorkspaceTables(CSQLiteDatabase* db)
{
    if (db->QueryInt("select count(*) from sqlite_master where type='table' and name='_MapProperty';") == 0)
        WriteMapPropertyTable(db, m_rcExtent);
    else if (db->QueryInt("select count(*) from _MapProperty where ROWID=1;") == 0)
        InsertMapPropertyRow(db, m_rcExtent);
    if (db->QueryInt("select count(*) from sqlite_master where type='table' and name='_LayerProperty';") == 0)
        db->ExecuteChecked(kCreateLayerProperty);
}

BOOL CMapModel::SaveMapDatabase()
{
    CSQLiteDatabase* db = m_pDatabase.get();
    if (!db || !CheckLayerNames())
        return FALSE;
    const char* file = sqlite3_db_filename(db->GetHandle(), "main");
    const CString path(file ? file : "");

    // The files first: a row is never written for a layer whose file beside
    // the workspace does not hold it.
    {
        CFileSetCommit files(path);
        LayerCopies copies;
        if (!StageLayerFiles(path, false, files, copies))
            return FALSE;
        files.Commit();
        SwitchToCopies(copies);
    }

    db->ExecuteChecked("BEGIN TRANSACTION;");
    try {
        CompleteWorkspaceTables(db);
        // The stored rows in their order; when they name other layers or
        // another order than the map's, they are written again from the map.
        std::vector<CString> stored;
        {
            CSQLiteStatement stmt;
            db->Prepare("select LayerName from _LayerProperty order by ROWID;", stmt);
            while (!stmt.IsEmpty() && stmt.Step() == SQLITE_ROW)
                stored.push_back(stmt.ColumnText(0));
        }
        const bool sameRows = stored == MergedRowNames();
        UpdateMapPropertyRow(db, ProjectionFormat::Signed, m_rcExtent);
        if (!sameRows) {
            db->ExecuteChecked("delete from _LayerProperty;");
            InsertLayerRows(db);
        }
        for (POSITION pos = m_Layers.GetHeadPosition(); pos && sameRows;) {
            CMapLayer* layer = m_Layers.GetNext(pos);
            CString sql;
            sql.Format("update _LayerProperty set Property=?, Boundary=?, AutoLabel=%u, Editable=%u, Override=%u, "
                       "Visible=%u, Selectable=%u, LabelField=%s where LayerName=%s;",
                       Flag(layer->GetAutoLabel()), Flag(layer->IsEditable()), Flag(layer->GetOverride()),
                       Flag(layer->IsVisible()), Flag(layer->IsSelectable()),
                       SqlText(StoredLabelField(layer)).GetString(), SqlText(layer->GetName()).GetString());
            CSQLiteStatement stmt;
            db->Prepare(sql, stmt);
            BindLayerRecords(stmt, layer);
            db->ExecuteChecked(stmt);
        }
        db->ExecuteChecked("COMMIT TRANSACTION;");
    } catch (const CSQLiteException&) {
        db->Execute("ROLLBACK TRANSACTION;");
        throw;
    }

    for (POSITION pos = m_Layers.GetHeadPosition(); pos;)
        m_Layers.GetNext(pos)->SaveProperties();
    return TRUE;
}

// ---------------------------------------------------------------- opening
BOOL CMapModel::OpenLayerByName(const CString& folder, std::vector<CString>* problems)
{
    int editable = 0;
    // A layer's place among all the rows: the kept rows lie between the layers.
    int place = 0;
    size_t nextKept = 0;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos; ++place) {
        while (nextKept < m_KeptRows.size() && m_KeptRows[nextKept].position <= place) {
            ++nextKept;
            ++place;
        }
        const POSITION current = pos;
        CMapLayer* layer = m_Layers.GetNext(pos);
        const CString path = FileOf(folder, layer->GetName());
        CString error;
        const CMapLayer::OpenResult result = layer->OpenFile(path, this, error);
        if (result != CMapLayer::kOpened) {
            if (result == CMapLayer::kFailed) {
                if (problems)
                    problems->push_back(error);
                else
                    AfxMessageBox(error, MB_OK, 0);
            }
            // A half-opened layer would have the map's projection written into
            // its file at the next save: it leaves the map, its row stays.
            KeptLayerRow row;
            row.name = layer->GetName();
            const CMapStyle::Record style = layer->GetStyle()->ToRecord();
            const CDoubleRect::Record bounds = layer->GetBounds().ToRecord();
            row.style.assign(style.begin(), style.end());
            row.bounds.assign(bounds.begin(), bounds.end());
            row.autoLabel = layer->GetAutoLabel();
            row.editable = layer->IsEditable();
            row.override_ = layer->GetOverride();
            row.visible = layer->IsVisible();
            row.selectable = layer->IsSelectable();
            row.labelField = StoredLabelField(layer);
            row.position = place;
            m_Layers.RemoveAt(current);
            layer->ClearMap();
            delete layer;
            KeepLayerRow(row);
            ++nextKept;
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

// ---------------------------------------------------------------- layer files
BOOL CMapModel::StageLayerFiles(const CString& workspacePath, bool everyLayer, CFileSetCommit& files,
                                LayerCopies& copies)
{
    const CString folder = GetFolderFromPath(workspacePath);
    const std::set<CString> listed = ListedLayerNames(workspacePath);
    struct Step {
        CMapLayer* layer;
        CString target;
        enum { Copy, Create, Ensure } kind;
    };
    std::vector<Step> steps;
    CString foreign;
    for (POSITION pos = m_Layers.GetHeadPosition(); pos;) {
        CMapLayer* layer = m_Layers.GetNext(pos);
        const CString target = FileOf(folder, layer->GetName());
        if (!layer->GetDatabase()) {
            steps.push_back({layer, target, Exists(target) ? Step::Ensure : Step::Create});
            continue;
        }
        const bool own = IsDatabaseOfFile(layer->GetDatabase(), target);
        if (own && !everyLayer)
            continue;
        if (!own && Exists(target)) {
            if (IsOpenInMap(target))
                throw CSQLiteException("The layer file " + target + " is the file of another layer of this map.");
            if (IsDatabaseInUse(target))
                throw CSQLiteException(InUseMessage(target));
            // The workspace being replaced lists its own layers' files; any
            // other file of the name is someone else's.
            if (!listed.count(layer->GetName()))
                foreign += (foreign.IsEmpty() ? "" : ", ") + layer->GetName() + ".klz";
        }
        steps.push_back({layer, target, Step::Copy});
    }
    if (!foreign.IsEmpty() &&
        AfxMessageBox("The folder " + folder + " already holds " + foreign +
                          ", which no layer of this map comes from. Replace with the map's layers?",
                      MB_YESNO | MB_ICONQUESTION, 0) != IDYES)
        return FALSE;

    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::Copy:
            // The copy holds the properties and the index of what it holds.
            step.layer->WritePropertyRows();
            WriteDatabaseImage(*step.layer->GetDatabase(), files.Stage(step.target));
            copies.emplace_back(step.layer, step.target);
            break;
        case Step::Create:
            WriteDatabaseFile(files.Stage(step.target), [this, &step](CSQLiteDatabase& db) {
                FillNewLayerFile(db, step.layer, "create table _MapMetaData (%s);");
            });
            break;
        case Step::Ensure:
            EnsureLayerFile(step.target, step.layer);
            break;
        }
    }
    return TRUE;
}

void CMapModel::SwitchToCopies(const LayerCopies& copies)
{
    for (const auto& [layer, path] : copies)
        layer->SwitchFile(path);
}

BOOL CMapModel::WriteLayerCopy(CMapLayer* layer, const CString& path)
{
    // Replacing a file the map has open would cut its layer (or the workspace)
    // off from what it has not saved yet; one held elsewhere is another's.
    if (IsOpenInMap(path)) {
        AfxMessageBox("The file " + path + " is open in this map: the layer cannot be saved over it.",
                      MB_OK | MB_ICONEXCLAMATION, 0);
        return FALSE;
    }
    if (IsDatabaseInUse(path)) {
        AfxMessageBox(InUseMessage(path), MB_OK | MB_ICONEXCLAMATION, 0);
        return FALSE;
    }
    if (!layer->GetDatabase()) {
        WriteNewLayerFile(path, layer);
        return TRUE;
    }
    layer->WritePropertyRows();
    const CString staged = path + ".part";
    WriteDatabaseImage(*layer->GetDatabase(), staged);
    try {
        MoveStagedFile(staged, path);
    } catch (const CSQLiteException&) {
        std::error_code error;
        std::filesystem::remove(staged.GetString(), error);
        throw;
    }
    return TRUE;
}
