// What the code beside the map window (dialogs, the GPS link) needs of it. The
// map window lives in a folder those cannot include, so it implements this
// interface and hands itself over as one; a dialog that edits a map works
// through these calls only, and tests stand in a window of their own.
#pragma once

#include "platform/base/Afx.h"

class CDoubleRect;
class CMapLayer;
class CMapModel;
class CMapObject;
class CWnd;

class CMapWindowLink {
public:
    virtual ~CMapWindowLink() = default;

    // The window itself, as parent of the dialogs it opens.
    virtual CWnd* GetLinkWindow() = 0;
    // The map the window shows and embeds for its whole life; never null.
    virtual CMapModel* GetMapModel() = 0;
    // Marks the cached drawing dirty and invalidates the map rectangle (the
    // whole client area for null), then notifies that the map was invalidated.
    virtual void InvalidateMap(const CDoubleRect* mapRect, BOOL erase) = 0;
    // Sends the map-window notification (MapNotify.h) to the owner; 0 when the
    // window or the receiver does not exist.
    virtual LRESULT NotifyParent(int action, void* object, int value) = 0;
    // Empties the selection; copies other than nodes and texts are deleted.
    virtual void ClearSelection(int invalidate) = 0;
    // Deselects the objects of `layer` (all for null), deleting loaded copies.
    virtual void DeselectLayerObjects(CMapLayer* layer) = 0;
    virtual void SetModified(int flag) = 0;
    virtual int IsModified() const = 0;

    // ---- what GPS recording needs
    // The first layer, bottom up, that is both visible and editable, or null.
    virtual CMapLayer* GetActiveMapLayer() = 0;
    // Asks the user the name of a new layer (the layer-name dialog) and makes
    // it; null when the name is cancelled or empty or no dialog is available.
    virtual CMapLayer* CreateNamedLayer() = 0;
    // The node tool's click at a map point, without rounding it to a pixel: a
    // node stored there in `layer` (the active layer for null), left the only
    // selected object; null without such a layer or when it could not be stored.
    virtual CMapObject* PlaceNodeAt(double x, double y, CMapLayer* layer) = 0;
    virtual void InvalidateObject(CMapObject* object) = 0;
    virtual void DeselectObject(CMapObject* object, int invalidate) = 0;
    // Makes (x, y) the map point of the bottom-left pixel and redraws.
    virtual void SetViewOrigin(double x, double y) = 0;
};

// The map document as the dialogs that take a document see it.
class CMapDocumentLink {
public:
    virtual ~CMapDocumentLink() = default;
    virtual CMapWindowLink* GetMapWindowLink() = 0;
    virtual CMapModel* GetDocumentMapModel() = 0;
};
