// Pointer and key input of the map window: every message goes to the tool of
// the current tool number. A button message reaches the tool only inside the map
// area of the last drawing, except a button-up while the window holds the
// capture: the tool that captured the pointer always hears the release, so no
// capture, rubber band or suppressed notification stays behind.
#include "mapwindow/MUIMap.h"

#include "mapwindow/MapTool.h"
#include "core/Settings.h"
#include "model/layers/MapLayer.h"
#include "platform/wnd/CWinThread.h"

namespace {
constexpr int kCursorCount = 7;

HCURSOR g_toolCursors[kCursorCount] = {};

UINT CursorOfTool(int tool)
{
    switch (tool) {
    case TOOL_ZOOM_IN:
        return CURSOR_ZOOM_IN;
    case TOOL_ZOOM_OUT:
        return CURSOR_ZOOM_OUT;
    case TOOL_MOVE:
        return CURSOR_MOVE;
    case TOOL_INFO:
        return CURSOR_INFO;
    case TOOL_SELECT:
        return CURSOR_SELECT;
    case TOOL_RECT_SELECT:
    case TOOL_MARQUEE_SELECT:
    case TOOL_POLYGON_SELECT:
        return CURSOR_AREA_SELECT;
    default:
        return CURSOR_DEFAULT;
    }
}
}

void CMUIMap::LoadToolCursors()
{
    for (int i = 0; i < kCursorCount; ++i)
        if (!g_toolCursors[i])
            g_toolCursors[i] = LoadCursor(AfxGetInstanceHandle(), MAKEINTRESOURCE(CURSOR_DEFAULT + i));
}

void CMUIMap::SetCursorOf(UINT resource)
{
    HCURSOR cursor = g_toolCursors[resource - CURSOR_DEFAULT];
    if (!cursor)
        return;
    if (m_hWnd)
        SetClassLongPtr(m_hWnd, GCLP_HCURSOR, (LONG_PTR)cursor);
    ::SetCursor(cursor);
}

void CMUIMap::UpdateToolCursor()
{
    SetCursorOf(CursorOfTool(g_currentTool));
}

void CMUIMap::SetTool(int number)
{
    if (CMapTool* previous = CMapTool::FindTool(g_currentTool))
        previous->Abandon(this);
    if (GetCapture() == this)
        ReleaseCapture();
    g_toolState = 0;
    g_currentTool = number;
    UpdateToolCursor();
}

int CMUIMap::GetTool() const
{
    return g_currentTool;
}

void CMUIMap::StartToolAt(int x, int y, int number)
{
    g_currentTool = TOOL_SELECT;
    if (CMapTool* tool = CMapTool::FindTool(number))
        tool->BeginAt(this, x, y);
}

CMapLayer* CMUIMap::GetActiveLayer() const
{
    for (POSITION pos = m_MapModel.GetFirstLayerPosition(); pos;) {
        CMapLayer* layer = m_MapModel.GetNextLayer(pos);
        if (layer->IsEditable() && layer->IsVisible())
            return layer;
    }
    return nullptr;
}

BOOL CMUIMap::IsMapLayer(const CMapLayer* layer) const
{
    for (POSITION pos = m_MapModel.GetFirstLayerPosition(); pos;)
        if (m_MapModel.GetNextLayer(pos) == layer)
            return TRUE;
    return FALSE;
}

// ---------------------------------------------------------------- pointer
bool CMUIMap::IsInView(CPoint point) const
{
    CDoublePoint corners[4];
    const CDoubleRect view = m_MapModel.GetRotatedViewRect(corners);
    const CDoublePoint p = ScreenToMap(point);
    return p.x >= view.left && p.x <= view.right && p.y >= view.bottom && p.y <= view.top;
}

CMapTool* CMUIMap::ToolForButton(CPoint point, bool down)
{
    CMapTool* tool = CMapTool::FindTool(g_currentTool);
    if (!tool)
        return nullptr;
    const bool captured = GetCapture() == this;
    if (!IsInView(point) && !(captured && !down))
        return nullptr;
    // A drawing tool must not begin an object without a layer to put it in.
    if (down && !captured && CMapTool::NeedsActiveLayer(g_currentTool) && !HasActiveLayer())
        return nullptr;
    return tool;
}

void CMUIMap::OnLButtonDown(UINT flags, CPoint point)
{
    if (CMapTool* tool = ToolForButton(point, true))
        tool->OnLButtonDown(this, flags, point.x, point.y);
    CWnd::OnLButtonDown(flags, point);
}

void CMUIMap::OnLButtonUp(UINT flags, CPoint point)
{
    if (CMapTool* tool = ToolForButton(point, false))
        tool->OnLButtonUp(this, flags, point.x, point.y);
    CWnd::OnLButtonUp(flags, point);
}

void CMUIMap::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (CMapTool* tool = ToolForButton(point, true))
        tool->OnLButtonDblClk(this, flags, point.x, point.y);
    CWnd::OnLButtonDblClk(flags, point);
}

void CMUIMap::OnMouseMove(UINT flags, CPoint point)
{
    if (IsInView(point))
        UpdateToolCursor();
    else
        SetCursorOf(CURSOR_SELECT);
    if (CMapTool* tool = CMapTool::FindTool(g_currentTool)) {
        tool->OnMouseMove(this, flags, point.x, point.y);
        NotifyParent(MAPA_MOUSE_MOVED, nullptr, 0);
        if (g_QuickInfoTool && (flags & (MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL | MK_MBUTTON)) == 0 &&
            g_currentTool == TOOL_SELECT && m_MapModel.GetLayerCount() > 0)
            ShowQuickInfo(point);
    } else {
        // A number without a tool object (Info among them) takes no clicks,
        // but the pointer's position is still reported.
        CMapTool::UpdatePositionText(this, point.x, point.y, nullptr);
        NotifyParent(MAPA_MOUSE_MOVED, nullptr, 0);
    }
    CWnd::OnMouseMove(flags, point);
}

// ---------------------------------------------------------------- keys
void CMUIMap::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (CMapTool* tool = CMapTool::FindTool(g_currentTool))
        tool->OnKeyDown(this, key, repeat, flags);
    CWnd::OnKeyDown(key, repeat, flags);
}

void CMUIMap::OnKeyUp(UINT key, UINT repeat, UINT flags)
{
    if (CMapTool* tool = CMapTool::FindTool(g_currentTool))
        tool->OnKeyUp(this, key, repeat, flags);
    CWnd::OnKeyUp(key, repeat, flags);
}

void CMUIMap::OnChar(UINT key, UINT repeat, UINT flags)
{
    if (CMapTool* tool = CMapTool::FindTool(g_currentTool))
        tool->OnChar(this, key, repeat, flags);
    CWnd::OnChar(key, repeat, flags);
}
