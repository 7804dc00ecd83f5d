// The map window's context menu and the commands on its selection: tool
// choice, cloning, deleting, breaking a polygon or polyline at its active
// handle and turning polylines into polygons. A selection may span layers (an
// area selection does), so every undo entry goes to the layer that holds its
// objects, and an object that leaves its layer leaves the selection first.
#include "mapwindow/MUIMap.h"

#include "mapwindow/MapTool.h"
#include "core/ObjectTypes.h"
#include "core/SQLiteException.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/CMenu.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <memory>
#include <utility>
#include <vector>

namespace {
// The tool each tool item of the context menu picks; drawing tools need an active layer.
struct ToolItem {
    UINT id;
    int tool;
};
constexpr ToolItem kToolItems[] = {
    {ID_MAP_TOOL_SELECT, TOOL_SELECT},         {ID_MAP_TOOL_RECT_SELECT, TOOL_RECT_SELECT},
    {ID_MAP_TOOL_MARQUEE_SELECT, TOOL_MARQUEE_SELECT}, {ID_MAP_TOOL_POLYGON_SELECT, TOOL_POLYGON_SELECT},
    {ID_MAP_TOOL_ZOOM_IN, TOOL_ZOOM_IN},       {ID_MAP_TOOL_ZOOM_OUT, TOOL_ZOOM_OUT},
    {ID_MAP_TOOL_MOVE, TOOL_MOVE},             {ID_MAP_TOOL_RULE, TOOL_RULE},
    {ID_MAP_DRAW_LINE, TOOL_LINE},             {ID_MAP_DRAW_RECTANGLE, TOOL_RECTANGLE},
    {ID_MAP_DRAW_ROUNDRECT, TOOL_ROUND_RECT},                {ID_MAP_DRAW_POLYGON, TOOL_POLYGON},
    {ID_MAP_DRAW_POLYLINE, TOOL_POLYLINE},                {ID_MAP_DRAW_ELLIPSE, TOOL_ELLIPSE},
    {ID_MAP_DRAW_NODE, TOOL_NODE},             {ID_MAP_DRAW_TEXT, TOOL_TEXT},
    {ID_MAP_DRAW_IMAGE, TOOL_IMAGE},                   {ID_MAP_DRAW_ARC, TOOL_ARC},
    {ID_MAP_DRAW_PIE, TOOL_PIE},                     {ID_MAP_DRAW_SPLINE, TOOL_SPLINE},
};

int ToolOfItem(UINT id)
{
    for (const ToolItem& item : kToolItems)
        if (item.id == id)
            return item.tool;
    return -1;
}

// The head of the selection when it is a valid object of an editable layer of the map.
CMapObject* EditableHead(CMUIMap* map)
{
    CMapObject* head = map->GetSelectedObject();
    if (!head || !CMapObject::IsTypeValid(head->GetType()) || !head->GetLayer() || !head->IsLayerEditable() ||
        !map->IsMapLayer(head->GetLayer()))
        return nullptr;
    return head;
}

std::vector<CMapObject*> SelectionOf(CMUIMap* map)
{
    std::vector<CMapObject*> objects;
    for (POSITION pos = map->GetFirstSelectedPosition(); pos;)
        objects.push_back(map->GetNextSelected(pos));
    return objects;
}
}

// ---------------------------------------------------------------- context menu
void CMUIMap::OnContextMenu(CWnd*, CPoint)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_MAP_CONTEXT_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, this);
}

void CMUIMap::OnInitMenuPopup(CMenu* popup, UINT, BOOL sysMenu)
{
    // Items whose command the window does not carry stay disabled.
    if (!sysMenu && popup)
        AfxUpdateMenuCmdUI(this, popup, TRUE);
}

void CMUIMap::OnToolItem(UINT id)
{
    const int tool = ToolOfItem(id);
    if (tool < 0 || (CMapTool::NeedsActiveLayer(tool) && !HasActiveLayer()))
        return;
    SetTool(tool);
}

void CMUIMap::OnUpdateToolItem(CCmdUI* ui)
{
    const int tool = ToolOfItem(ui->m_nID);
    ui->SetCheck(tool == g_currentTool);
    ui->Enable(!CMapTool::NeedsActiveLayer(tool) || HasActiveLayer());
}

void CMUIMap::OnUpdateObjectSelected(CCmdUI* ui)
{
    ui->Enable(GetSelectedObject() != nullptr);
}

void CMUIMap::OnUpdateAddHandle(CCmdUI* ui)
{
    ui->SetCheck(g_currentTool == TOOL_ADD_HANDLE);
    CMapObject* head = GetSelectedObject();
    const int type = head ? head->GetType() : MAP_OBJECT_INVALID;
    ui->Enable(HasActiveLayer() && type >= MAP_OBJECT_POLYGON && type <= MAP_OBJECT_POLYADVPOLYGON);
}

void CMUIMap::OnUpdateBreakPoly(CCmdUI* ui)
{
    CMapObject* head = EditableHead(this);
    const int type = head ? head->GetType() : MAP_OBJECT_INVALID;
    const bool enable = (type == MAP_OBJECT_POLYGON || type == MAP_OBJECT_POLYLINE) && head->GetActiveHandle() != -1;
    if (enable) {
        head->LoadGeometry();
        CString text;
        text.LoadString(type == MAP_OBJECT_POLYGON ? IDS_BREAK_POLYGON : IDS_BREAK_POLYLINE);
        ui->SetText(text);
    }
    ui->Enable(enable);
}

void CMUIMap::OnUpdateMakePolygon(CCmdUI* ui)
{
    CMapObject* head = EditableHead(this);
    ui->Enable(head && head->GetType() == MAP_OBJECT_POLYLINE);
}

// ---------------------------------------------------------------- clone and delete
void CMUIMap::CloneSelection()
{
    CList<CMapObject*, CMapObject*> clones, copies;
    try {
        for (CMapObject* object : SelectionOf(this)) {
            CMapLayer* layer = object->GetLayer();
            if (!layer || !CMapObject::IsTypeValid(object->GetType()))
                continue;
            object->LoadGeometry();
            CMapObject* clone = object->Clone(layer);
            clones.AddTail(clone);
            copies.AddTail(CMapTool::CopyForUndo(clone));
        }
    } catch (const CSQLiteException& e) {
        // All clones or none: those already stored go again.
        TakeBackNewObjects(clones, copies);
        ReportCommandError(e.GetMessage());
        return;
    }
    ClearSelection(1);
    for (POSITION pos = clones.GetHeadPosition(); pos;)
        clones.GetNext(pos)->Select();
    CMapObject* first = clones.IsEmpty() ? nullptr : clones.GetHead();
    AddToSelection(clones);
    if (first) {
        NotifyParent(MAPA_OBJECT_ADDED, first, 0);
        NotifyParent(MAPA_SELECTION_CHANGED, first, 0);
        for (POSITION pos = GetFirstSelectedPosition(); pos;)
            InvalidateObject(GetNextSelected(pos));
        SetModified(1);
    }
    CMapTool::RecordEditsByLayer(copies, 0);
}

void CMUIMap::TakeBackNewObjects(CList<CMapObject*, CMapObject*>& made, CList<CMapObject*, CMapObject*>& copies)
{
    while (!copies.IsEmpty())
        delete copies.RemoveHead();
    while (!made.IsEmpty()) {
        std::unique_ptr<CMapObject> object(made.RemoveHead());
        CMapLayer* layer = object->GetLayer();
        object->Deselect();
        try {
            if (layer && object->GetMapeID() >= 0)
                layer->RemoveObject(object.get());
        } catch (const CSQLiteException&) {
            // The row stays; the layer no longer lists or indexes it.
        }
        // A node or text belonged to its layer's list until its removal.
    }
}

void CMUIMap::ReportCommandError(const CString& message)
{
    ::MessageBox(GetSafeHwnd(), message, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void CMUIMap::DeleteSelection(BOOL mapLayersOnly)
{
    CList<CMapObject*, CMapObject*> removed;
    try {
        for (CMapObject* object : SelectionOf(this)) {
            CMapLayer* layer = object->GetLayer();
            if (!layer || !layer->IsEditable() || (mapLayersOnly && !IsMapLayer(layer)))
                continue;
            if (!object->IsGeometryLoaded())
                object->LoadGeometry();
            layer->RemoveObject(object);
            removed.AddTail(object);
            DeselectObject(object, 1);
            NotifyParent(MAPA_OBJECT_CHANGED, object, 0);
        }
    } catch (const CSQLiteException& e) {
        // What was removed stays removed and can be undone; the rest stays selected.
        ReportCommandError(e.GetMessage());
    }
    if (!removed.IsEmpty())
        SetModified(1);
    CMapTool::RecordEditsByLayer(removed, 1);
}

// ---------------------------------------------------------------- break and make polygon
namespace {
// A new polyline of `source`'s style holding its vertices `indices`, in order.
std::unique_ptr<CMapPolyline> PolylineOf(CMapPointList* source, const std::vector<int>& indices)
{
    auto line = std::make_unique<CMapPolyline>();
    line->SetStyle(*source->GetOwnStyle());
    for (int i : indices)
        line->AddPoint(source->GetPoint(i));
    return line;
}

// Draws a new object at once and marks its ends, before the map is repainted.
void ShowPiece(CMUIMap* map, CMapPointList* piece)
{
    CClientDC dc(map);
    CRect client;
    map->GetClientRect(&client);
    double x = map->GetXOffset(), y = map->GetYOffset(), zoom = map->GetZoom();
    piece->Draw(&dc, &client, &x, &y, &zoom);
    const int count = piece->GetPointCount();
    if (count == 0)
        return;
    for (int i : {0, count - 1}) {
        const CPoint p = piece->GetPoint(i).ToDevice(x, y, zoom, map->GetViewHeight());
        dc.PatBlt(p.x - 2, p.y - 2, 7, 7, PATINVERT);
    }
}
}

void CMUIMap::BreakAtHandle()
{
    CMapObject* head = EditableHead(this);
    if (!head || (head->GetType() != MAP_OBJECT_POLYGON && head->GetType() != MAP_OBJECT_POLYLINE))
        return;
    auto* source = static_cast<CMapPointList*>(head);
    const int h = source->GetActiveHandle();
    source->LoadGeometry();
    const int n = source->GetPointCount();
    if (h < 0 || h >= n)
        return;
    std::vector<std::unique_ptr<CMapPolyline>> pieces;
    if (source->GetType() == MAP_OBJECT_POLYGON) {
        std::vector<int> ring;
        for (int i = 0; i <= n; ++i)
            ring.push_back((h + i) % n);
        pieces.push_back(PolylineOf(source, ring));
    } else {
        if (h == 0 || h == n - 1)
            return;
        std::vector<int> before, after;
        for (int i = 0; i <= h; ++i)
            before.push_back(i);
        for (int i = h; i < n; ++i)
            after.push_back(i);
        pieces.push_back(PolylineOf(source, before));
        pieces.push_back(PolylineOf(source, after));
    }
    CMapLayer* layer = source->GetLayer();
    for (auto& piece : pieces) {
        layer->AddObject(piece.get(), TRUE);
        NotifyParent(MAPA_OBJECT_ADDED, piece.get(), 0);
    }
    for (auto& piece : pieces)
        ShowPiece(this, piece.get());
    // The source leaves the selection before its layer: nothing keeps pointing at it.
    DeselectObject(source, 0);
    layer->RemoveObject(source);
    NotifyParent(MAPA_OBJECT_CHANGED, source, 0);
    delete source;
    SetModified(1);
    InvalidateMap(nullptr, FALSE);
}

void CMUIMap::MakePolygon()
{
    for (CMapObject* object : SelectionOf(this)) {
        CMapLayer* layer = object->GetLayer();
        if (object->GetType() != MAP_OBJECT_POLYLINE || !layer || !IsMapLayer(layer) || !layer->IsEditable())
            continue;
        auto* line = static_cast<CMapPointList*>(object);
        line->LoadGeometry();
        line->SetActiveHandle(-1);
        if (line->GetPointCount() > 0) {
            auto polygon = std::make_unique<CMapPolygon>();
            polygon->SetStyle(*line->GetOwnStyle());
            for (int i = 0; i < line->GetPointCount(); ++i)
                polygon->AddPoint(line->GetPoint(i));
            layer->AddObject(polygon.get(), TRUE);
            NotifyParent(MAPA_OBJECT_ADDED, polygon.get(), 0);
            ShowPiece(this, polygon.get());
        }
        DeselectObject(line, 0);
        layer->RemoveObject(line);
        NotifyParent(MAPA_OBJECT_CHANGED, line, 0);
        delete line;
        InvalidateMap(nullptr, FALSE);
        SetModified(1);
    }
}
