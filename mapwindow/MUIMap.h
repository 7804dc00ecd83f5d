// The map window: shows one map and embeds its map model for the whole of its
// life. It keeps the view transform (in the model), draws the map into a cached
// picture that ordinary repaints copy, hands every pointer and key message to the
// current tool, keeps the selection in the model's lists, reports changes to its
// owner as notifications, and reads and writes the workspace database.
#pragma once

#include "platform/wnd/CWnd.h"

#include "core/DoublePoint.h"
#include "core/DoubleRect.h"
#include "core/FloatPoint.h"
#include "mapwindow/BalloonTip.h"
#include "mapwindow/DibCache.h"
#include "model/layers/MapNotify.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapWindowLink.h"

#include <memory>

class CCmdUI;
class CDC;
class CMenu;
class CMapLabel;
class CMapLayer;
class CMapObject;
class CMagnifierWnd;

class CMUIMap : public CWnd, public CMapWindowLink {
    DECLARE_DYNAMIC(CMUIMap)

public:
    // The window class every map window is made of.
    static constexpr const char* kClassName = "CMUIMap";

    CMUIMap();
    ~CMUIMap() override;

    // ---- creation
    // Registers the window class once; a failed registration throws the resource exception.
    static void RegisterWindowClass();
    // Creates the window of class "CMUIMap"; FALSE when that fails.
    virtual BOOL Create(const RECT& rect, CWnd* parent, UINT id, DWORD style);
    using CWnd::Create;
    // Every message goes to the balloon tip first, so that a pointer move hides it.
    BOOL PreTranslateMessage(MSG* msg) override;
    // Every message through the map window's handlers: a file error that a
    // tool or command did not handle is reported and goes no further.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Creates the quick-info tip over the owner (the parent when there is none).
    void SetupBalloonTip();
    CBalloonTip& GetBalloonTip() { return m_BalloonTip; }
    // The description of an object that the quick-info tip shows: its type, label,
    // perimeter and area in the map's area unit, vertex count, and for a GPS
    // track its recording times and mean satellite count. Empty for texts and images.
    CString GetQuickInfoText(CMapObject* object);
    // Starts the magnifier over the screen around the pointer; made on first use.
    void ShowMagnifier();
    CMagnifierWnd* GetMagnifier() const { return m_pMagnifier.get(); }

    CMapModel* GetMapModel() override { return &m_MapModel; }
    CWnd* GetLinkWindow() override { return this; }

    // ---- view transform (kept in the model)
    double GetXOffset() const { return m_MapModel.GetXOffset(); }
    double GetYOffset() const { return m_MapModel.GetYOffset(); }
    double GetZoom() const { return m_MapModel.GetZoom(); }
    int GetViewHeight() const { return m_MapModel.GetViewHeight(); }
    // Client pixel to map point, in doubles without rounding: y counts up from
    // the view height.
    CDoublePoint ScreenToMap(CPoint point) const;
    CFloatPoint ScreenToMapFloat(CPoint point) const;
    // Sets the map point of the bottom-left pixel, notifies MAPA_VIEW_ORIGIN and
    // invalidates the map.
    void SetViewOrigin(double x, double y) override;
    // Moves the view so that the map point under (x1, y1) comes under (x2, y2);
    // with `shiftSelection` the selection's cached device points follow; with
    // `notify` through SetViewOrigin, else silently.
    void PanBy(int x1, int y1, int x2, int y2, BOOL shiftSelection, BOOL notify);
    // Fits the map extent into `rect`, or into the client area (600 x 400 before
    // the window has one) after recomputing the extent. A fit to the client
    // area is made again at every resize until the map is next drawn.
    void ZoomToExtent(const RECT* rect);

    // ---- drawing
    // Marks the cached drawing dirty and invalidates the map rectangle (widened
    // for the handles of an editable selection), or the whole client area
    // without one; then notifies MAPA_MAP_INVALIDATED unless notifications of
    // invalidation are off.
    void InvalidateMap(const CDoubleRect* mapRect, BOOL erase) override;
    // Marks the cache dirty and invalidates the object's screen rectangle.
    void InvalidateObject(CMapObject* object) override;
    void SetRedrawPending(int flag) { m_nRedrawPending = flag; }
    void SetInvalidateNotify(int flag) { m_nNotifyOnInvalidate = flag; }
    BOOL IsDirty() const { return m_bDirty; }
    // The picture of the last drawing, which ordinary repaints copy.
    const CDibCache& GetPaintCache() const { return m_PaintCache; }
    // Draws the map into `dc` for its update rectangle (the client area when
    // empty), then the selected objects' marks.
    virtual void OnDraw(CDC* dc);
    // Renders the whole map into a printer context in MM_LOMETRIC: `extent`
    // fills `deviceRect`.
    void DrawToDC(CDC* dc, const CDoubleRect& extent, const RECT& deviceRect);

    // ---- tools
    // Makes `number` the current tool of every map window; the tool that was
    // current drops an unfinished operation and the shared tool state is reset,
    // so no tool starts from another's half-done work.
    void SetTool(int number);
    int GetTool() const;
    void UpdateToolCursor();
    static void LoadToolCursors();
    // Makes the Select tool current (cursor unchanged) and starts tool `number`
    // at the pixel through its BeginAt.
    void StartToolAt(int x, int y, int number);
    // The first layer, bottom up, that is both editable and visible, or null.
    CMapLayer* GetActiveLayer() const;
    CMapLayer* GetActiveMapLayer() override { return GetActiveLayer(); }
    // The layer-name dialog of the hook table, then CreateLayer.
    CMapLayer* CreateNamedLayer() override;
    // The node tool's placing at a map point (GPS recording).
    CMapObject* PlaceNodeAt(double x, double y, CMapLayer* layer) override;
    BOOL HasActiveLayer() const { return GetActiveLayer() != nullptr; }
    BOOL IsMapLayer(const CMapLayer* layer) const;
    void SetStatusText(const CString& text) { m_strStatusText = text; }
    CString GetStatusText() const { return m_strStatusText; }

    // The object under the pixel in the visible, selectable layers, the top
    // layer first when `topDown` is set: a node or text is its layer's own,
    // any other object was built for the test and belongs to the caller.
    CMapObject* HitTest(int x, int y, BOOL topDown);

    // ---- selection (a click keeps it in one layer; an area selection may span layers)
    // A selected object of an editable layer with a handle under the pixel.
    CMapObject* HitTestSelectedHandle(int x, int y, int& index);
    // Puts the object at the head of the selection. An object is the one
    // already selected when it has the same layer and id: the new copy takes the
    // old one's place. 0 for null, an invalid type, or another layer than the
    // selection's (unless `clearFirst`).
    int SelectObject(CMapObject* object, BOOL clearFirst, BOOL invalidate);
    // Removes one object from the selection and clears its selected flag.
    void DeselectObject(CMapObject* object, int invalidate) override;
    // Empties the selection; the copies other than nodes and texts are deleted.
    void ClearSelection(int invalidate) override;
    // Deselects the objects of `layer` (all with a null layer), deleting the
    // copies other than nodes and texts.
    void DeselectLayerObjects(CMapLayer* layer) override;
    void AddToSelection(CList<CMapObject*, CMapObject*>& objects);
    // Keeps the first entry of each object (same layer and id) in the
    // selection and drops the others, freeing the copies among them.
    void RemoveRepeatedSelections();
    // Undoes the objects a failed command stored so far (each taken out of
    // its layer and freed) and frees their undo copies.
    void TakeBackNewObjects(CList<CMapObject*, CMapObject*>& made, CList<CMapObject*, CMapObject*>& copies);
    // Tells the user why a command did not complete.
    void ReportCommandError(const CString& message);
    void SetActiveHandle(CMapObject* object, int index);
    CMapObject* GetSelectedObject();
    CMapObject* GetFirstSelectedObject() { return GetSelectedObject(); }
    int GetSelectionCount() { return (int)m_MapModel.GetSelectedObjects().GetCount(); }
    CList<CMapObject*, CMapObject*>* GetSelectionList() { return &m_MapModel.GetSelectedObjects(); }
    POSITION GetFirstSelectedPosition() { return m_MapModel.GetSelectedObjects().GetHeadPosition(); }
    CMapObject* GetNextSelected(POSITION& pos) { return m_MapModel.GetSelectedObjects().GetNext(pos); }
    // The selected object of that layer and id, or null.
    CMapObject* FindSelected(const CMapLayer* layer, int id);
    CMapObject* GetTrackingObject() { return m_MapModel.GetToolObject(); }

    // ---- selected labels (the model's overlay list); a label belongs to its object
    // Clears the object selection (and with `deselectLabels` the labels), then
    // adds the label at the head and notifies MAPA_OVERLAY_SELECTION.
    void SelectOverlay(CMapLabel* label, BOOL deselectLabels);
    void DeselectOverlay(CMapLabel* label);
    void ClearOverlaySelection();
    // The first selected label with a corner square under the pixel, its corner in `index`.
    CMapLabel* HitTestOverlayCorner(int x, int y, int& index);
    CMapLabel* GetFirstSelectedOverlay();
    POSITION GetFirstOverlayPosition() { return m_MapModel.GetSelectedLabels().GetHeadPosition(); }
    CMapLabel* GetNextOverlay(POSITION& pos) { return m_MapModel.GetSelectedLabels().GetNext(pos); }
    // Invalidates the label's box widened by 8 pixels; the cached drawing stays.
    void InvalidateOverlay(CMapLabel* label);

    // ---- notifications
    // Sends WM_NOTIFY to the owner (the parent when there is none); 0 when the
    // window or the receiver does not exist.
    LRESULT NotifyParent(int action, void* object, int value) override;

    // ---- commands on the selection and the internal clipboard
    // The clipboard holds copies of objects that belong to no layer; a Paste
    // puts new objects into the active layer, each Paste 6 pixels further right
    // and down than the last, until the next Copy.
    void CopySelection();
    // Replaces the clipboard with copies of `objects`, in order, and resets the paste offset.
    void CopyToClipboard(const CList<CMapObject*, CMapObject*>& objects);
    void CutSelection();
    void PasteClipboard();
    BOOL CanPaste() const { return !m_Clipboard.IsEmpty(); }
    void ClearClipboard();
    int GetPasteOffset() const { return m_nPasteOffset; }
    // New stored copies of the selected objects in their own layers become the selection.
    void CloneSelection();
    // Removes the selected objects of editable layers (with `mapLayersOnly`
    // only of this map's layers); one undo entry per layer holds them.
    void DeleteSelection(BOOL mapLayersOnly);
    // Opens the selected polygon into a polyline at its active handle, or cuts
    // the selected polyline in two there.
    void BreakAtHandle();
    // Every selected polyline of an editable layer becomes a polygon of its vertices.
    void MakePolygon();

    void SetModified(int flag) override { m_nModified = flag; }
    int IsModified() const override { return m_nModified; }

    // ---- layers
    // A new layer on a file the user names (CMapModel::NewLayer): marked as
    // not yet written to the workspace, announced with MAPA_LAYER_CREATED,
    // and the map becomes modified. Null when no layer was made.
    CMapLayer* CreateLayer(const CString& name);
    // Object Properties of the head of the selection: Text Properties for a
    // text, the object property sheet for the other kinds; a change is
    // recorded for undo, written to the layer file and marks the map modified.
    // Nothing without a dialog or a selected object of a layer of this map.
    void ShowObjectProperties();
    BOOL CanShowObjectProperties();

    // ---- workspace
    // Writes a new workspace file at `path` with the map's row and one row per
    // layer (and per kept row), and beside it a copy of every layer's file as
    // the layer is now, in which the layer then goes on; a layer without a
    // file gets an empty one where there is none. The files the map was opened
    // from keep what they last saved. The new files replace the old ones
    // together, the workspace last: FALSE (the user told why, or the user did
    // not let another map's files be replaced; the old files untouched) when
    // anything fails, and a save cut off leaves the old set or, once it has
    // committed, the new one, which the next opening completes.
    BOOL SaveWorkspace(const CString& path);
    // Reads a workspace file into the map model and opens its layers. Rows that
    // cannot be read end the reading silently; the map keeps what was read.
    // The layers whose files are missing or in use are told in one message,
    // and their rows are kept for the next save. The view is the one stored.
    int LoadWorkspace(const CString& path);
    // Whether the view is one a workspace stored (a positive zoom), which the
    // first showing keeps instead of fitting the map's extent.
    bool HasStoredView() const { return m_bStoredView; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT key, UINT repeat, UINT flags);
    afx_msg void OnContextMenu(CWnd* wnd, CPoint point);
    afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    afx_msg void OnToolItem(UINT id);
    afx_msg void OnUpdateToolItem(CCmdUI* ui);
    afx_msg void OnCloneObjects() { CloneSelection(); }
    afx_msg void OnDeleteObjects() { DeleteSelection(TRUE); }
    afx_msg void OnBreakPoly() { BreakAtHandle(); }
    afx_msg void OnMakePolygon() { MakePolygon(); }
    afx_msg void OnUpdateObjectSelected(CCmdUI* ui);
    afx_msg void OnUpdateAddHandle(CCmdUI* ui);
    afx_msg void OnUpdateBreakPoly(CCmdUI* ui);
    afx_msg void OnUpdateMakePolygon(CCmdUI* ui);
    // Object and Label Properties (MUIMapProperties.cpp), through their hooks.
    afx_msg void OnObjectPropertiesItem() { ShowObjectProperties(); }
    afx_msg void OnUpdateObjectPropertiesItem(CCmdUI* ui);
    afx_msg void OnLabelPropertiesItem();
    afx_msg void OnUpdateLabelPropertiesItem(CCmdUI* ui);
    // New layer and Layer Control of the context menu (MUIMapDialogs.cpp).
    afx_msg void OnNewLayerItem();
    afx_msg void OnUpdateNewLayerItem(CCmdUI* ui);
    afx_msg void OnLayerControlItem();
    afx_msg void OnUpdateLayerControlItem(CCmdUI* ui);
    DECLARE_MESSAGE_MAP()

private:
    // Whether the pixel's map point lies in the map area of the last drawing.
    bool IsInView(CPoint point) const;
    // The tool that a button message at `point` reaches, or null.
    class CMapTool* ToolForButton(CPoint point, bool down);
    void DrawHandles(CDC* dc);
    void SetCursorOf(UINT resource);

    // The quick-info tip for the object under `point`, when there is one to show.
    void ShowQuickInfo(CPoint point);

    std::unique_ptr<CMagnifierWnd> m_pMagnifier;
    bool m_bDirty = false;
    // The view is a fit to the client area that has not been drawn yet.
    bool m_bFitPending = false;
    bool m_bStoredView = false;
    // The client size of the last WM_SIZE: a new one repaints the whole window.
    CSize m_LastSize{0, 0};
    CDibCache m_PaintCache;
    CBalloonTip m_BalloonTip;
    CMapModel m_MapModel;
    int m_nModified = 0;
    int m_nNotifyOnInvalidate = 1;
    int m_nRedrawPending = 0;
    CString m_strStatusText;
    CList<CMapObject*, CMapObject*> m_Clipboard;
    int m_nPasteOffset = 0;
};
