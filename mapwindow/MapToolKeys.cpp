// The keys every tool shares: the arrow keys nudge the selected objects of
// editable layers by the "Snap Points" distance, Delete removes the active
// vertex of the first such object or, after the user's Yes, the selected
// objects themselves. Each key press is recorded at once, one undo entry per
// layer: the key-up may never come (a message box can swallow it), and an area
// selection may span layers whose files must each get their objects back.
#include "mapwindow/MapTool.h"

#include "mapwindow/MUIMap.h"
#include "core/ObjectTypes.h"
#include "core/Settings.h"
#include "core/Utilities.h"
#include "model/layers/MapLayer.h"
#include "model/polygons/MapAdvPolygon.h"
#include "model/layers/MapObject.h"
#include "model/polygons/MapPartList.h"
#include "model/polygons/MapPointList.h"
#include "model/objects/MapSpline.h"

#include <vector>

namespace {
constexpr UINT kDeleteEntireObject = 25307;
constexpr UINT kDeleteSelectedObjects = 25323;

// The selected objects the keys act on: valid, in an editable layer of the map.
std::vector<CMapObject*> EditableSelection(CMUIMap* map)
{
    std::vector<CMapObject*> objects;
    for (POSITION pos = map->GetFirstSelectedPosition(); pos;) {
        CMapObject* object = map->GetNextSelected(pos);
        CMapLayer* layer = object->GetLayer();
        if (CMapObject::IsTypeValid(object->GetType()) && layer && layer->IsEditable() && map->IsMapLayer(layer))
            objects.push_back(object);
    }
    return objects;
}

// What a Delete on the active vertex does with an object of this kind.
enum class VertexDelete { Vertex, WholeObject, Nothing };

VertexDelete ClassifyVertexDelete(CMapObject* object, int handle)
{
    switch (object->GetType()) {
    case MAP_OBJECT_POLYGON:
        return object->GetPointCount() > 3 ? VertexDelete::Vertex : VertexDelete::WholeObject;
    case MAP_OBJECT_POLYLINE:
        return object->GetPointCount() >= 3 ? VertexDelete::Vertex : VertexDelete::WholeObject;
    case MAP_OBJECT_SPLINE: {
        const int count = (int)static_cast<CMapSpline*>(object)->GetControlPoints().GetSize();
        if (count <= 3)
            return VertexDelete::WholeObject;
        return handle >= 0 && handle < count ? VertexDelete::Vertex : VertexDelete::Nothing;
    }
    case MAP_OBJECT_POLYPOLYGON:
    case MAP_OBJECT_POLYPOLYLINE:
    case MAP_OBJECT_ADVPOLYGON:
    case MAP_OBJECT_POLYADVPOLYGON:
        // These kinds decide by their own deletion; a refusal is judged after it.
        return VertexDelete::Vertex;
    default:
        // Nodes, texts, images, chords and pies have no vertex to remove.
        return VertexDelete::Nothing;
    }
}

// After a multi-part kind refused to remove the vertex: whether the object goes
// as a whole (its last part, or a ring already at its minimum) or stays.
VertexDelete RefusedVertexDelete(CMapObject* object)
{
    switch (object->GetType()) {
    case MAP_OBJECT_POLYPOLYGON:
    case MAP_OBJECT_POLYPOLYLINE:
        return static_cast<CMapPartList*>(object)->GetPartCount() == 1 ? VertexDelete::WholeObject
                                                                       : VertexDelete::Nothing;
    case MAP_OBJECT_ADVPOLYGON:
        return static_cast<CMapAdvPolygon*>(object)->GetOuterPointCount() <= 3 ? VertexDelete::WholeObject
                                                                               : VertexDelete::Nothing;
    case MAP_OBJECT_POLYADVPOLYGON:
        return static_cast<CMapPartList*>(object)->GetPartCount() < 2 ? VertexDelete::WholeObject
                                                                      : VertexDelete::Nothing;
    default:
        return VertexDelete::Nothing;
    }
}

// The notification of a removed vertex: the multi-part polygons report a changed object.
int VertexRemovedAction(int type)
{
    return type == MAP_OBJECT_POLYPOLYGON || type == MAP_OBJECT_POLYADVPOLYGON ? MAPA_OBJECT_CHANGED
                                                                               : MAPA_VERTEX_REMOVED;
}

BOOL DeleteVertex(CMapObject* object, int handle)
{
    if (object->GetType() == MAP_OBJECT_SPLINE) {
        auto* spline = static_cast<CMapSpline*>(object);
        std::vector<CFloatPoint> points;
        for (INT_PTR i = 0; i < spline->GetControlPoints().GetSize(); ++i)
            if (i != handle)
                points.push_back(spline->GetControlPoints()[i]);
        spline->SetIndexStale(TRUE);
        spline->SetControlPoints(points);
        spline->SetGeometryModified(TRUE);
        return TRUE;
    }
    switch (object->GetType()) {
    case MAP_OBJECT_POLYPOLYGON:
    case MAP_OBJECT_POLYPOLYLINE:
    case MAP_OBJECT_POLYADVPOLYGON:
        return static_cast<CMapPartList*>(object)->DeleteVertex(handle);
    case MAP_OBJECT_ADVPOLYGON:
        return static_cast<CMapAdvPolygon*>(object)->DeleteVertex(handle);
    default:
        return static_cast<CMapPointList*>(object)->DeletePoint(handle);
    }
}
}

void CMapTool::OnKeyDown(CMUIMap* map, UINT key, UINT, UINT)
{
    const bool arrow = key >= VK_LEFT && key <= VK_DOWN;
    if ((!arrow && key != VK_DELETE) || CWnd::GetCapture())
        return;
    const std::vector<CMapObject*> objects = EditableSelection(map);
    if (objects.empty())
        return;

    if (arrow) {
        const int s = g_SnapPoints;
        const int dx = key == VK_LEFT ? -s : key == VK_RIGHT ? s : 0;
        const int dy = key == VK_UP ? -s : key == VK_DOWN ? s : 0;
        double zoom = map->GetZoom();
        m_pendingAction = 2;
        for (CMapObject* object : objects) {
            object->LoadGeometry();
            m_pendingEdits.AddTail(CopyForUndo(object));
            map->InvalidateObject(object);
            object->MoveBy(dx, dy, &zoom);
            // A node moves in memory only; its row is written here.
            object->SaveChanges();
            map->InvalidateObject(object);
            map->NotifyParent(MAPA_SELECTION_MOVED, object, 0);
            map->SetModified(1);
        }
        RecordEditsByLayer(m_pendingEdits, m_pendingAction);
        return;
    }

    CMapObject* first = objects.front();
    const int type = first->GetType(), handle = first->GetActiveHandle();
    if (handle != -1 && type > MAP_OBJECT_LINE) {
        first->LoadGeometry();
        switch (ClassifyVertexDelete(first, handle)) {
        case VertexDelete::Nothing:
            return;
        case VertexDelete::WholeObject:
            map->SetActiveHandle(first, -1);
            break;
        case VertexDelete::Vertex: {
            CMapObject* copy = CopyForUndo(first);
            if (!DeleteVertex(first, handle)) {
                delete copy;
                if (RefusedVertexDelete(first) != VertexDelete::WholeObject)
                    return;
                map->SetActiveHandle(first, -1);
                break;
            }
            m_pendingAction = 2;
            m_pendingEdits.AddTail(copy);
            map->InvalidateMap(nullptr, FALSE);
            map->SetActiveHandle(first, -1);
            map->NotifyParent(VertexRemovedAction(type), first, 0);
            first->InvalidateDevicePoints();
            first->SaveChanges();
            map->SetModified(1);
            RecordEditsByLayer(m_pendingEdits, m_pendingAction);
            return;
        }
        }
    }

    // The whole selection, after the user's Yes.
    const UINT question = map->GetSelectionCount() == 1 ? kDeleteEntireObject : kDeleteSelectedObjects;
    if (AskYesNoFromId(question) != IDYES)
        return;
    m_pendingAction = 1;
    for (CMapObject* object : EditableSelection(map)) {
        if (!object->IsGeometryLoaded())
            object->LoadGeometry();
        m_pendingEdits.AddTail(object);
        map->DeselectObject(object, 1);
        object->GetLayer()->RemoveObject(object);
    }
    map->SetModified(1);
    if (!m_pendingEdits.IsEmpty())
        map->NotifyParent(MAPA_OBJECT_CHANGED, m_pendingEdits.GetTail(), 0);
    RecordEditsByLayer(m_pendingEdits, m_pendingAction);
}
