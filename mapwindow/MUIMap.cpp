// The map window: invalidation, notifications to its owner, new layers, and the
// workspace file, which a save replaces only once the new one is complete.
#include "mapwindow/MUIMap.h"
#include "mapwindow/MapDialogHooks.h"
#include "mapwindow/tools/NodeTool.h"

#include "model/layers/MapObject.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"
#include "core/Utilities.h"
#include "core/FileSetCommit.h"
#include "core/WholeDatabaseFile.h"
#include "model/layers/LayerFileCheck.h"
#include "model/layers/MapLayer.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

IMPLEMENT_DYNAMIC(CMUIMap, CWnd)


// ---------------------------------------------------------------- invalidation and notifications
void CMUIMap::InvalidateMap(const CDoubleRect* mapRect, BOOL erase)
{
    if (m_hWnd) {
        if (mapRect) {
            CDoubleRect rect = *mapRect;
            CList<CMapObject*, CMapObject*>& selection = m_MapModel.GetSelectedObjects();
            if (!selection.IsEmpty() && selection.GetHead()->IsLayerEditable())
                rect.Inflate(4 * m_MapModel.GetZoom());
            CRect device = rect.ToDeviceRect(m_MapModel.GetXOffset(), m_MapModel.GetYOffset(), m_MapModel.GetZoom(),
                                             m_MapModel.GetViewHeight());
            device.NormalizeRect();
            InvalidateRect(&device, erase);
        } else {
            Invalidate(erase);
        }
    }
    m_bDirty = true;
    if (m_nNotifyOnInvalidate)
        NotifyParent(MAPA_MAP_INVALIDATED, nullptr, 0);
}

void CMUIMap::InvalidateObject(CMapObject* object)
{
    if (!object || !CMapObject::IsTypeValid(object->GetType()))
        return;
    double x = m_MapModel.GetXOffset(), y = m_MapModel.GetYOffset(), zoom = m_MapModel.GetZoom();
    CDoubleRect d = object->GetDeviceBoundary(&x, &y, &zoom);
    d.Inflate(4);
    CRect rect;
    if (d.ExceedsLimit(32767)) {
        CRect client;
        if (m_hWnd)
            GetClientRect(&client);
        rect.left = (LONG)std::max(d.left, (double)client.left);
        rect.top = (LONG)std::max(d.bottom, (double)client.top);
        rect.right = (LONG)std::min(d.right, (double)client.right);
        rect.bottom = (LONG)std::min(d.top, (double)client.bottom);
    } else {
        rect = CRect((int)d.left, (int)d.bottom, (int)d.right, (int)d.top);
    }
    m_bDirty = true;
    if (m_hWnd)
        InvalidateRect(&rect, FALSE);
}

LRESULT CMUIMap::NotifyParent(int action, void* object, int value)
{
    if (!m_hWnd)
        return 0;
    CWnd* receiver = GetOwner();
    if (!receiver || !receiver->GetSafeHwnd())
        return 0;
    MAPNOTIFY block{};
    block.hdr.hwndFrom = m_hWnd;
    block.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    block.hdr.code = MAPN_NOTIFY;
    block.action = action;
    block.object = object;
    block.value = value;
    return receiver->SendMessage(WM_NOTIFY, (WPARAM)GetDlgCtrlID(), (LPARAM)&block);
}

// ---------------------------------------------------------------- layers
CMapLayer* CMUIMap::CreateLayer(const CString& name)
{
    CMapLayer* layer = m_MapModel.NewLayer(this, name);
    if (!layer)
        return nullptr;
    // The layer has no row in the workspace until the next save writes one.
    layer->SetModified(1);
    NotifyParent(MAPA_LAYER_CREATED, layer, 0);
    SetModified(1);
    return layer;
}

CMapLayer* CMUIMap::CreateNamedLayer()
{
    CMapDialogHooks& hooks = MapDialogHooks();
    CString name;
    if (!hooks.renameLayer || hooks.renameLayer(name, nullptr) != IDOK || name.IsEmpty())
        return nullptr;
    return CreateLayer(name);
}

CMapObject* CMUIMap::PlaceNodeAt(double x, double y, CMapLayer* layer)
{
    return CNodeTool::PlaceNodeAtPoint(this, x, y, layer);
}

// ---------------------------------------------------------------- workspace
BOOL CMUIMap::SaveWorkspace(const CString& path)
{
    // The new workspace and its layer files are written beside the old ones
    // and replace them together, the workspace last, once all are complete:
    // a save that fails or is cut off leaves the old set as it was.
    if (!m_MapModel.CheckLayerNames())
        return FALSE;
    try {
        RecoverFileSet(path);
        CFileSetCommit files(path);
        CMapModel::LayerCopies copies;
        if (!m_MapModel.StageLayerFiles(path, true, files, copies))
            return FALSE;
        WriteDatabaseFile(files.Stage(path), [this, &path](CSQLiteDatabase& db) {
            m_MapModel.WriteMapPropertyTable(&db, m_MapModel.GetExtent());
            m_MapModel.WriteLayerTable(path, &db);
        });
        files.Commit();
        m_MapModel.SwitchToCopies(copies);
    } catch (const CSQLiteException& e) {
        ::MessageBox(GetSafeHwnd(), e.GetMessage(), nullptr, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }

    // The new file is the map's workspace from now on: later saves go to it,
    // not to the file the map was opened from (which may just have been replaced).
    auto db = std::make_unique<CSQLiteDatabase>();
    try {
        if (db->Open(path) == SQLITE_OK) {
            m_MapModel.SetDatabase(db.release());
            m_MapModel.SetPathName(GetFileTitleFromPath(path));
        }
    } catch (const CSQLiteException& e) {
        ::MessageBox(GetSafeHwnd(), e.GetMessage(), nullptr, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

int CMUIMap::LoadWorkspace(const CString& path)
{
    const CString folder = GetFolderFromPath(path);
    // A save cut off after it committed is finished before anything is read.
    try {
        RecoverFileSet(path);
    } catch (const CSQLiteException& e) {
        ::MessageBox(GetSafeHwnd(), e.GetMessage(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
    auto db = std::make_unique<CSQLiteDatabase>();
    int version = -1;
    double view[3] = {0, 0, 0};
    bool storedView = false;
    // What could not be opened, told once when all is read.
    std::vector<CString> problems;
    try {
        db->Open(path);
        // A file without the tables (or without a row) reads as an empty map.
        const CMapModel::StoredMapProperty stored = m_MapModel.ReadMapPropertyRow(db.get());
        std::copy(stored.view, stored.view + 3, view);
        storedView = stored.viewSound;
        version = stored.version;
        CSQLiteStatement stmt;
        db->Prepare("select * from _LayerProperty;", stmt);
        for (int row = 0; !stmt.IsEmpty() && stmt.Step() == SQLITE_ROW;) {
            const CString name = stmt.ColumnText(0);
            // A row of a foreign file must not lead the loader out of the folder.
            if (!CMapModel::CheckLayerName(name))
                continue;
            // The layer's own name (blanks and hyphens made underscores) names
            // the file it opens, so it is that file which must be there. A file
            // that would not open as a layer is as good as missing: the other
            // layers still open. Its row is kept for the file to come back.
            auto layer = std::make_unique<CMapLayer>(name);
            const CString file = folder + layer->GetName() + ".klz";
            const LayerFileState state = CheckLayerFile(file);
            if (state != LayerFileState::Complete) {
                problems.push_back(state == LayerFileState::Busy
                                       ? "The layer file " + file + " is in use by another map or program."
                                       : layer->GetName() + ".klz not found.");
                CMapModel::KeptLayerRow kept;
                kept.name = name;
                const auto* style = static_cast<const BYTE*>(stmt.ColumnBlob(1));
                kept.style.assign(style, style + (style ? stmt.ColumnBytes(1) : 0));
                const auto* bounds = static_cast<const BYTE*>(stmt.ColumnBlob(2));
                kept.bounds.assign(bounds, bounds + (bounds ? stmt.ColumnBytes(2) : 0));
                kept.autoLabel = stmt.ColumnInt(3);
                kept.editable = stmt.ColumnInt(4);
                kept.override_ = stmt.ColumnInt(5);
                kept.visible = stmt.ColumnInt(6);
                kept.selectable = stmt.ColumnInt(7);
                kept.labelField = stmt.ColumnText(8);
                kept.position = row++;
                m_MapModel.KeepLayerRow(kept);
                continue;
            }
            if (stmt.ColumnBytes(1) >= CMapStyle::kRecordSize)
                layer->SetStyle(CMapStyle(stmt.ColumnBlob(1), stmt.ColumnBytes(1)));
            CDoubleRect bounds;
            if (bounds.ReadRecord(stmt.ColumnBlob(2), stmt.ColumnBytes(2)))
                layer->SetBounds(bounds);
            layer->SetAutoLabel(stmt.ColumnInt(3));
            layer->SetEditable(stmt.ColumnInt(4));
            layer->SetOverride(stmt.ColumnInt(5));
            layer->SetVisible(stmt.ColumnInt(6));
            layer->SetSelectable(stmt.ColumnInt(7));
            layer->SetLabelFieldName(stmt.ColumnText(8));
            m_MapModel.AddLayer(layer.release());
            ++row;
        }
        stmt.Finalize();
    } catch (const CSQLiteException&) {
        // The map keeps what was read.
    }

    try {
        if (db->GetHandle())
            m_MapModel.SetDatabase(db.release());
        m_MapModel.SetPathName(GetFileTitleFromPath(path));
        m_MapModel.OpenLayerByName(folder, &problems);
        if (version == 200 && m_MapModel.GetDatabase()) {
            CString sql;
            sql.Format("update _MapProperty set MapEVersion=%u where ROWID=1;", 210u);
            m_MapModel.GetDatabase()->Execute(sql);
            m_MapModel.SetDatabaseVersion(210);
        }
    } catch (const CSQLiteException&) {
        // A layer file that cannot be read stops the opening; the map keeps the rest.
    }
    // The workspace's view, not that of the last layer file opened. Without
    // one, the map keeps a view it can draw with until it is fitted.
    m_bStoredView = storedView;
    if (!storedView) {
        view[0] = m_MapModel.GetXOffset();
        view[1] = m_MapModel.GetYOffset();
        view[2] = m_MapModel.GetZoom();
        if (!(std::isfinite(view[0]) && std::isfinite(view[1]) && std::isfinite(view[2]) && view[2] > 0))
            view[0] = 0, view[1] = 0, view[2] = 1.0;
    }
    m_MapModel.SetXOffset(view[0]);
    m_MapModel.SetYOffset(view[1]);
    m_MapModel.SetZoom(view[2]);
    if (!problems.empty()) {
        CString text;
        for (const CString& line : problems)
            text += (text.IsEmpty() ? "" : "\n") + line;
        ::MessageBox(GetSafeHwnd(), text, nullptr, MB_OK);
    }
    return 1;
}
