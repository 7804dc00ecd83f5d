// The map window: shows one map and embeds its map model for the whole of its
// life, keeps the selection in the model's lists, reports changes to its owner
// as notifications, and reads and writes the workspace database.
#pragma once

#include "platform/wnd/CWnd.h"

#include "core/DoubleRect.h"
#include "model/MapModel.h"

class CDC;
class CMapLayer;
class CMapObject;

// The notification code of every map-window notification; the action says what happened.
#define MAPN_NOTIFY 100

// The block of a map-window notification, passed as the lParam of WM_NOTIFY.
struct MAPNOTIFY {
    NMHDR hdr;        // hwndFrom: the map window; idFrom: its control id; code: MAPN_NOTIFY
    int action;
    void* object;     // the object, layer, label or window concerned, or null
    int value;
};

// Actions of map-window notifications.
enum MapNotifyAction {
    MAPA_VIEW_ORIGIN = 101,
    MAPA_MOUSE_MOVED = 102,
    MAPA_LAYER_CREATED = 103,
    MAPA_LAYER_REMOVED = 105,
    MAPA_LAYER_ORDER = 107,
    MAPA_LAYER_LOADED = 108,
    MAPA_LAYER_RENAMED = 201,
    MAPA_LAYER_VISIBLE = 202,
    MAPA_LAYER_AUTOLABEL = 203,
    MAPA_LAYER_OVERRIDE = 204,
    MAPA_LAYER_EDITABLE = 205,
    MAPA_LAYER_BUILT = 206,
    MAPA_LAYER_SELECTABLE = 208,
    MAPA_SELECTION_MOVED = 301,
    MAPA_OBJECT_ADDED = 302,
    MAPA_OBJECT_CHANGED = 304,
    MAPA_OBJECT_EXTENDED = 306,
    MAPA_OBJECT_RESIZED = 400,
    MAPA_VERTEX_REMOVED = 401,
    MAPA_VERTEX_ADDED = 402,
    MAPA_OVERLAY_MOVED = 500,
    MAPA_OVERLAY_SELECTION = 501,
    MAPA_SELECTION_CHANGED = 600,
    MAPA_MAP_INVALIDATED = 601,
};

class CMUIMap : public CWnd {
    DECLARE_DYNAMIC(CMUIMap)

public:
    CMUIMap();
    ~CMUIMap() override;

    CMapModel* GetMapModel() { return &m_MapModel; }

    // Marks the cached drawing dirty and invalidates the map rectangle (widened
    // for the handles of an editable selection), or the whole client area
    // without one; then notifies MAPA_MAP_INVALIDATED unless notifications of
    // invalidation are off.
    void InvalidateMap(const CDoubleRect* mapRect, BOOL erase);
    // Marks the cache dirty and invalidates the object's screen rectangle.
    void InvalidateObject(CMapObject* object);
    void SetInvalidateNotify(int flag) { m_nNotifyOnInvalidate = flag; }
    // Sends WM_NOTIFY to the owner (the parent when there is none); 0 when the
    // window or the receiver does not exist.
    LRESULT NotifyParent(int action, void* object, int value);

    // Removes one object from the selection and clears its selected flag.
    void DeselectObject(CMapObject* object, int invalidate);
    // Empties the selection; the copies other than nodes and texts are deleted.
    void ClearSelection(int invalidate);
    // Deselects the objects of `layer` (all with a null layer), deleting the
    // copies other than nodes and texts.
    void DeselectLayerObjects(CMapLayer* layer);

    void SetModified(int flag) { m_nModified = flag; }
    int IsModified() const { return m_nModified; }
    BOOL IsDirty() const { return m_bDirty; }

    // Writes a new workspace file at `path` with the map's row and one row per
    // layer, and an empty layer file beside it for every layer that has none.
    // The new file replaces the old one only once it is complete: FALSE (the
    // user told why, the old file untouched) when anything fails.
    BOOL SaveWorkspace(const CString& path);
    // Reads a workspace file into the map model and opens its layers. Rows that
    // cannot be read end the reading silently; the map keeps what was read.
    int LoadWorkspace(const CString& path);

private:
    bool m_bDirty = false;
    CMapModel m_MapModel;
    int m_nModified = 0;
    int m_nNotifyOnInvalidate = 1;
};
