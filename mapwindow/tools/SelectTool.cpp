// The Select tool. The selection a click makes lies in one layer; an area
// selection may span layers, so a move touches only objects of editable layers
// and its undo entries go to each object's own layer. The release repaints the
// old and the new place of every moved object.
#include "mapwindow/tools/SelectTool.h"

#include "mapwindow/MUIMap.h"
#include "core/ObjectTypes.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "platform/wnd/WindowDC.h"

namespace {
// An object the Select tool may move or reshape: valid, in an editable layer of this map.
bool IsMovable(CMUIMap* map, CMapObject* object)
{
    CMapLayer* layer = object ? object->GetLayer() : nullptr;
    return object && CMapObject::IsTypeValid(object->GetType()) && layer && layer->IsEditable() &&
           map->IsMapLayer(layer);
}

bool Unite(CDoubleRect& area, bool has, const CDoubleRect& rect)
{
    CDoubleRect r = rect;
    r.Normalize();
    area = has ? area.Union(r) : r;
    return true;
}
}

CSelectTool::~CSelectTool()
{
    DropCopies();
}

void CSelectTool::DropCopies()
{
    while (!m_dragCopies.IsEmpty())
        delete m_dragCopies.RemoveHead();
}

void CSelectTool::Reset()
{
    DropCopies();
    m_firstMove = 0;
}

void CSelectTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    CMapTool::OnLButtonDown(map, flags, x, y);
    m_firstMove = 1;
    g_toolState = 0;
    DropCopies();
    map->ClearOverlaySelection();
    const bool shift = (flags & MK_SHIFT) != 0;
    double xOff = map->GetXOffset(), yOff = map->GetYOffset(), zoom = map->GetZoom();
    CRect client;
    map->GetClientRect(&client);

    // Without Shift the selection is about to change: a single selected object
    // takes its marks off the window at once, several are repainted.
    bool invalidateAll = false;
    if (!shift) {
        for (POSITION pos = map->GetFirstSelectedPosition(); pos;) {
            CMapObject* object = map->GetNextSelected(pos);
            if (!IsMovable(map, object))
                continue;
            if (pos) {
                invalidateAll = true;
            } else {
                CClientDC dc(map);
                object->DrawSelected(&dc, &client, &xOff, &yOff, &zoom);
                object->DrawLabel(&dc, &client, &xOff, &yOff, &zoom);
            }
            break;
        }
    }

    int handle = -1;
    CMapObject* target = map->HitTestSelectedHandle(x, y, handle);
    if (target) {
        map->SelectObject(target, FALSE, FALSE);
        map->SetActiveHandle(target, handle);
    } else {
        if (!shift) {
            CMapObject* first = map->GetSelectedObject();
            map->ClearSelection(first && !first->IsLayerEditable());
        }
        target = map->HitTest(x, y, TRUE);
        if (target && map->IsMapLayer(target->GetLayer())) {
            const BOOL editable = target->IsLayerEditable();
            if (editable && target->IsSelected()) {
                map->SetActiveHandle(target, target->HitTestHandle(x, y, &xOff, &yOff, &zoom));
            }
            if (!map->SelectObject(target, !shift, !editable)) {
                // Another layer's object under Shift: the selection stays as it is.
                if (!CMapLayer::IsPointObjectType(target->GetType()))
                    delete target;
                target = nullptr;
            }
        } else {
            if (target && !CMapLayer::IsPointObjectType(target->GetType()))
                delete target;
            target = nullptr;
            g_toolState = 0;
            map->NotifyParent(MAPA_SELECTION_CHANGED, nullptr, 0);
        }
    }

    if (target && IsMovable(map, target)) {
        if (target->GetActiveHandle() == -1) {
            g_toolState = 1;
        } else {
            target->LoadGeometry();
            m_dragCopies.AddTail(CopyForUndo(target));
            g_toolState = 2;
        }
    } else {
        if (target)
            map->SetActiveHandle(target, -1);
        g_toolState = 0;
    }

    if (invalidateAll)
        map->InvalidateMap(nullptr, FALSE);
    else
        map->SetRedrawPending(1);
}

void CSelectTool::DrawMoveOutlines(CMUIMap* map, const CPoint* erase, const CPoint* draw)
{
    CClientDC dc(map);
    CRect client;
    map->GetClientRect(&client);
    double xOff = map->GetXOffset(), yOff = map->GetYOffset(), zoom = map->GetZoom();
    // The outline routine of each object is reused unchanged: the viewport
    // origin carries the drag.
    const CPoint oldOrigin = dc.GetViewportOrg();
    for (const CPoint* offset : {erase, draw}) {
        if (!offset)
            continue;
        dc.SetViewportOrg(offset->x, offset->y);
        for (POSITION pos = map->GetFirstSelectedPosition(); pos;) {
            CMapObject* object = map->GetNextSelected(pos);
            if (IsMovable(map, object))
                object->DrawTracking(&dc, &client, &xOff, &yOff, &zoom);
        }
    }
    dc.SetViewportOrg(oldOrigin.x, oldOrigin.y);
}

void CSelectTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    const CPoint previous = g_curPoint;
    CMapTool::OnMouseMove(map, flags, x, y);
    if (!(flags & MK_LBUTTON) || CPoint(x, y) == previous)
        return;
    CMapObject* head = map->GetSelectedObject();
    if (!head || !IsMovable(map, head))
        return;
    if (m_firstMove) {
        map->GetTrackingObject()->SetBoundary(head->GetBoundary());
        map->SetRedrawPending(0);
    }
    if (g_toolState == 1) {
        const CPoint before = previous - g_downPoint, now = CPoint(x, y) - g_downPoint;
        DrawMoveOutlines(map, m_firstMove ? nullptr : &before, &now);
        m_firstMove = 0;
        for (POSITION pos = map->GetFirstSelectedPosition(); pos;) {
            CMapObject* object = map->GetNextSelected(pos);
            if (IsMovable(map, object))
                map->NotifyParent(MAPA_SELECTION_MOVED, object, 0);
        }
    } else if (g_toolState == 2) {
        CClientDC dc(map);
        double xOff = map->GetXOffset(), yOff = map->GetYOffset(), zoom = map->GetZoom();
        head->MoveHandle(&dc, head->GetActiveHandle(), g_curPoint.x, g_curPoint.y, &xOff, &yOff, &zoom);
        map->NotifyParent(MAPA_OBJECT_RESIZED, head, 0);
        map->SetModified(1);
        m_firstMove = 0;
    }
}

void CSelectTool::CommitMove(CMUIMap* map, CDoubleRect& area)
{
    const CPoint by = g_curPoint - g_downPoint;
    double zoom = map->GetZoom();
    bool has = false;
    CList<CMapObject*, CMapObject*> copies;
    for (POSITION pos = map->GetFirstSelectedPosition(); pos;) {
        CMapObject* object = map->GetNextSelected(pos);
        if (!IsMovable(map, object))
            continue;
        object->LoadGeometry();
        copies.AddTail(CopyForUndo(object));
        has = Unite(area, has, object->GetBoundary());
        object->MoveBy(by.x, by.y, &zoom);
        // A node moves in memory only; its row is written here.
        object->SaveChanges();
        has = Unite(area, has, object->GetBoundary());
    }
    if (!copies.IsEmpty())
        map->SetModified(1);
    RecordEditsByLayer(copies, 2);
}

void CSelectTool::OnLButtonUp(CMUIMap* map, UINT flags, int x, int y)
{
    if (CMapLayer* active = map->GetActiveLayer(); active && active->GetShowArea())
        map->InvalidateMap(nullptr, FALSE);
    const bool moved = g_curPoint != g_downPoint;
    CMapObject* head = map->GetSelectedObject();
    CDoubleRect area = map->GetTrackingObject()->GetBoundary();
    area.Normalize();
    if (g_toolState == 2) {
        if (moved && head) {
            RecordEditsByLayer(m_dragCopies, 2);
            for (POSITION pos = map->GetFirstSelectedPosition(); pos;) {
                CMapObject* object = map->GetNextSelected(pos);
                if (IsMovable(map, object))
                    object->SaveChanges();
            }
        }
        DropCopies();
    } else if (g_toolState == 1 && moved) {
        CommitMove(map, area);
    } else if (g_toolState == 1 && !m_firstMove) {
        // Dragged back to the start: the outlines shown there go, nothing moved.
        const CPoint start(0, 0);
        DrawMoveOutlines(map, &start, nullptr);
    }

    if (g_toolState != 0) {
        const int headType = head ? head->GetType() : MAP_OBJECT_INVALID;
        if ((flags & MK_SHIFT) || !head || headType == MAP_OBJECT_IMAGE || headType == MAP_OBJECT_TEXT ||
            headType == MAP_OBJECT_NODE) {
            map->InvalidateMap(nullptr, FALSE);
        } else {
            CDoubleRect now = head->GetBoundary();
            now.Normalize();
            if (!(g_toolState == 1 && moved) && m_firstMove)
                area = now; // a click: nothing moved, the head is where it was
            const CDoubleRect both = area.Union(now);
            map->InvalidateMap(&both, FALSE);
        }
    }
    CMapTool::OnLButtonUp(map, flags, x, y);
}
