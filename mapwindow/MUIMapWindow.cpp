// The map window as a window: its class, creation, and painting through the
// cached picture. Only an invalidation (the dirty flag) or a tool's request
// draws the map model again; every other paint copies the cache, and a paint
// during a pan drag shows the cache shifted by the drag.
#include "mapwindow/MUIMap.h"

#include "mapwindow/MagnifierWnd.h"
#include "mapwindow/MapEFrame.h"
#include "mapwindow/MapEMDIFrame.h"
#include "mapwindow/MapTool.h"
#include "core/ObjectTypes.h"
#include "core/SQLiteException.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "platform/base/Exceptions.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/CWinThread.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <algorithm>
#include <cmath>

BEGIN_MESSAGE_MAP(CMUIMap, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_CHAR()
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENUPOPUP()
    ON_COMMAND_RANGE(ID_MAP_DRAW_ELLIPSE, ID_MAP_DRAW_ROUNDRECT, OnToolItem)
    ON_COMMAND_RANGE(ID_MAP_DRAW_IMAGE, ID_MAP_DRAW_IMAGE, OnToolItem)
    ON_COMMAND_RANGE(ID_MAP_TOOL_MOVE, ID_MAP_TOOL_ZOOM_OUT, OnToolItem)
    ON_COMMAND_RANGE(ID_MAP_TOOL_RECT_SELECT, ID_MAP_TOOL_POLYGON_SELECT, OnToolItem)
    ON_COMMAND_RANGE(ID_MAP_DRAW_TEXT, ID_MAP_DRAW_TEXT, OnToolItem)
    ON_COMMAND_RANGE(ID_MAP_DRAW_ARC, ID_MAP_DRAW_ARC, OnToolItem)
    ON_COMMAND_RANGE(ID_MAP_DRAW_PIE, ID_MAP_DRAW_PIE, OnToolItem)
    ON_COMMAND_RANGE(ID_MAP_DRAW_SPLINE, ID_MAP_DRAW_SPLINE, OnToolItem)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MAP_DRAW_ELLIPSE, ID_MAP_DRAW_ROUNDRECT, OnUpdateToolItem)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MAP_DRAW_IMAGE, ID_MAP_DRAW_IMAGE, OnUpdateToolItem)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MAP_TOOL_MOVE, ID_MAP_TOOL_ZOOM_OUT, OnUpdateToolItem)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MAP_TOOL_RECT_SELECT, ID_MAP_TOOL_POLYGON_SELECT, OnUpdateToolItem)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MAP_DRAW_TEXT, ID_MAP_DRAW_TEXT, OnUpdateToolItem)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MAP_DRAW_ARC, ID_MAP_DRAW_ARC, OnUpdateToolItem)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MAP_DRAW_PIE, ID_MAP_DRAW_PIE, OnUpdateToolItem)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MAP_DRAW_SPLINE, ID_MAP_DRAW_SPLINE, OnUpdateToolItem)
    ON_COMMAND(ID_MAP_CLONE_OBJECTS, OnCloneObjects)
    ON_COMMAND(ID_MAP_DELETE_OBJECTS, OnDeleteObjects)
    ON_COMMAND(ID_MAP_BREAK_POLY, OnBreakPoly)
    ON_COMMAND(ID_MAP_MAKE_POLYGON, OnMakePolygon)
    ON_UPDATE_COMMAND_UI(ID_MAP_CLONE_OBJECTS, OnUpdateObjectSelected)
    ON_UPDATE_COMMAND_UI(ID_MAP_DELETE_OBJECTS, OnUpdateObjectSelected)
    ON_UPDATE_COMMAND_UI(ID_MAP_SELECTED_OBJECT, OnUpdateObjectSelected)
    ON_UPDATE_COMMAND_UI(ID_MAP_ADD_HANDLE, OnUpdateAddHandle)
    ON_UPDATE_COMMAND_UI(ID_MAP_BREAK_POLY, OnUpdateBreakPoly)
    ON_UPDATE_COMMAND_UI(ID_MAP_MAKE_POLYGON, OnUpdateMakePolygon)
    ON_COMMAND(ID_MAP_OBJECT_PROPERTIES, OnObjectPropertiesItem)
    ON_UPDATE_COMMAND_UI(ID_MAP_OBJECT_PROPERTIES, OnUpdateObjectPropertiesItem)
    ON_COMMAND(ID_MAP_LABEL_PROPERTIES, OnLabelPropertiesItem)
    ON_UPDATE_COMMAND_UI(ID_MAP_LABEL_PROPERTIES, OnUpdateLabelPropertiesItem)
    ON_COMMAND(ID_MAP_NEW_LAYER, OnNewLayerItem)
    ON_UPDATE_COMMAND_UI(ID_MAP_NEW_LAYER, OnUpdateNewLayerItem)
    ON_COMMAND(ID_MAP_LAYER_CONTROL, OnLayerControlItem)
    ON_UPDATE_COMMAND_UI(ID_MAP_LAYER_CONTROL, OnUpdateLayerControlItem)
END_MESSAGE_MAP()

LRESULT CMUIMap::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return CWnd::WindowProc(message, wParam, lParam);
    } catch (const CSQLiteException& e) {
        // The step that failed left its own state sound (each write is all or
        // nothing); the user learns why the command stopped.
        ReportCommandError(e.GetMessage());
    }
    return 0;
}

namespace {
// The off-screen context of one paint: the whole client area is drawn into a
// memory bitmap filled with the background colour, then copied to the window
// at once, so a paint never shows a half-drawn map.
class CMemPaintDC : public CDC {
public:
    CMemPaintDC(CDC* paintDC, const CRect& client) : m_pPaintDC(paintDC), m_rcClient(client)
    {
        CreateCompatibleDC(paintDC);
        m_Bitmap.CreateCompatibleBitmap(paintDC, client.Width(), client.Height());
        m_pOldBitmap = SelectObject(&m_Bitmap);
        SetWindowOrg(client.left, client.top);
        FillSolidRect(&m_rcClient, paintDC->GetBkColor());
    }
    ~CMemPaintDC() override
    {
        m_pPaintDC->BitBlt(m_rcClient.left, m_rcClient.top, m_rcClient.Width(), m_rcClient.Height(), this,
                           m_rcClient.left, m_rcClient.top, SRCCOPY);
        SelectObject(m_pOldBitmap);
    }
    CMemPaintDC(const CMemPaintDC&) = delete;
    CMemPaintDC& operator=(const CMemPaintDC&) = delete;

private:
    CDC* m_pPaintDC;
    CRect m_rcClient;
    CBitmap m_Bitmap;
    CBitmap* m_pOldBitmap = nullptr;
};
}

CMUIMap::CMUIMap()
{
    RegisterWindowClass();
    m_MapModel.SetXOffset(0);
    m_MapModel.SetYOffset(0);
    m_MapModel.SetZoom(1.0);
    LoadToolCursors();
    m_nModified = 0;
}

CMUIMap::~CMUIMap()
{
    if (g_lastToolWindow == this)
        g_lastToolWindow = nullptr;
    ClearSelection(0);
    ClearClipboard();
    // The Browse Data bar shows this map's layers: it goes with the map.
    CWnd* main = AfxGetMainWnd();
    if (auto* mdi = dynamic_cast<CMapEMDIFrame*>(main))
        mdi->ShowBrowseDataBar(FALSE);
    else if (auto* sdi = dynamic_cast<CMapEFrame*>(main))
        sdi->ShowBrowseDataBar(FALSE);
    m_pMagnifier.reset();
    if (m_hWnd)
        DestroyWindow();
}

void CMUIMap::RegisterWindowClass()
{
    WNDCLASS probe{};
    if (GetClassInfo(AfxGetInstanceHandle(), kClassName, &probe))
        return;
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
}

BOOL CMUIMap::Create(const RECT& rect, CWnd* parent, UINT id, DWORD style)
{
    if (!CWnd::Create(kClassName, nullptr, style, rect, parent, id))
        return FALSE;
    SetupBalloonTip();
    return TRUE;
}

void CMUIMap::SetupBalloonTip()
{
    CWnd* owner = GetOwner();
    if (!owner)
        owner = GetParent();
    if (!m_BalloonTip.GetSafeHwnd())
        m_BalloonTip.Create(owner);
    m_BalloonTip.AddTool(owner, "...");
}

BOOL CMUIMap::PreTranslateMessage(MSG* msg)
{
    if (m_BalloonTip.GetSafeHwnd())
        m_BalloonTip.RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

void CMUIMap::ShowMagnifier()
{
    if (!m_pMagnifier) {
        m_pMagnifier = std::make_unique<CMagnifierWnd>();
        m_pMagnifier->Create(200, 100, this);
    }
    m_pMagnifier->Show();
}

// ---------------------------------------------------------------- painting
BOOL CMUIMap::OnEraseBkgnd(CDC*)
{
    return TRUE; // the paint covers the whole client area
}

void CMUIMap::OnSize(UINT type, int cx, int cy)
{
    m_bDirty = true;
    CWnd::OnSize(type, cx, cy);
    // The map keeps its bottom-left corner, so every pixel of a resized window
    // changes: all of it is painted again, not only the part a larger size
    // uncovers (the view moves this window without repainting).
    if (cx > 0 && cy > 0 && CSize(cx, cy) != m_LastSize && m_hWnd)
        Invalidate(FALSE);
    m_LastSize = CSize(cx, cy);
    // The map's bottom-left stays in place, except for a fit not yet drawn,
    // which fits the new size (a frame gets its final size only after its
    // view's first update).
    if (m_bFitPending && cx > 0 && cy > 0)
        ZoomToExtent(nullptr);
}

void CMUIMap::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CMemPaintDC dc(&paint, client);
    CMapTool* mover = g_currentTool == TOOL_MOVE ? CMapTool::FindTool(TOOL_MOVE) : nullptr;
    if (mover && mover->IsDraggingView()) {
        m_PaintCache.Blit(&dc, g_curPoint.x - g_downPoint.x, g_curPoint.y - g_downPoint.y);
        mover->ClearDraggingView();
    } else if (m_bDirty || m_nRedrawPending) {
        OnDraw(&dc);
        m_bFitPending = false;
        m_PaintCache.Create(client.Width(), client.Height());
        m_PaintCache.Grab(&dc, client);
        m_bDirty = false;
    } else {
        m_PaintCache.Blit(&dc, 0, 0);
    }
}

void CMUIMap::OnDraw(CDC* dc)
{
    // The whole client area, whatever part is to be updated: the paint cache is
    // grabbed from all of it, and a part drawn alone would leave the rest of the
    // cache blank for every later repaint.
    CRect rect;
    GetClientRect(&rect);
    double x = m_MapModel.GetXOffset(), y = m_MapModel.GetYOffset(), zoom = m_MapModel.GetZoom();
    m_MapModel.Draw(dc, &rect, &x, &y, &zoom);
    DrawHandles(dc);
    m_nRedrawPending = 0;
    g_DefaultViewHeight = m_MapModel.GetViewHeight();
}

void CMUIMap::DrawHandles(CDC* dc)
{
    if (dc->IsPrinting())
        return;
    CRect client;
    GetClientRect(&client);
    double x = m_MapModel.GetXOffset(), y = m_MapModel.GetYOffset(), zoom = m_MapModel.GetZoom();
    CList<CMapObject*, CMapObject*>& selection = m_MapModel.GetSelectedObjects();
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        CMapObject* object = selection.GetNext(pos);
        CMapLayer* layer = object->GetLayer();
        if (object->GetType() == MAP_OBJECT_INVALID || !layer || !IsMapLayer(layer) || !layer->IsVisible())
            continue;
        // An object being drawn is not in its layer yet: it is drawn here. A
        // stored one was drawn with its layer, under the layers above it and in
        // its layer's style; drawing it again would cover those layers, and
        // with the context's default white brush in place of a hollow one.
        if (layer->IsEditable() && object->GetMapeID() < 0)
            object->Draw(dc, &client, &x, &y, &zoom);
        object->DrawSelected(dc, &client, &x, &y, &zoom);
    }
}

void CMUIMap::DrawToDC(CDC* dc, const CDoubleRect& extent, const RECT& deviceRect)
{
    const int oldMode = dc->SetMapMode(MM_LOMETRIC);
    const double width = deviceRect.right - deviceRect.left, height = deviceRect.bottom - deviceRect.top;
    double zoom = 0;
    if (width != 0 && height != 0)
        zoom = std::max(std::abs(extent.Width() / width), std::abs(extent.Height() / height));
    double x = extent.left, y = std::max(extent.top, extent.bottom);
    if (zoom > 0)
        m_MapModel.Draw(dc, &deviceRect, &x, &y, &zoom);
    dc->SetMapMode(oldMode);
}
