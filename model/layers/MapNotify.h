// The map window's notifications: one WM_NOTIFY code, and an action that says
// what changed, with the object concerned and a number.
#pragma once

#include "platform/wnd/Messages.h"

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

// The control id of the map window in its view.
#define IDC_MAP_WINDOW 200
