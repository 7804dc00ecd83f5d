// Vertex insertion into the selected object. Only an object of an editable
// layer of the map is changed: a selection may hold objects of a layer the
// user has locked.
#include "mapwindow/tools/AddHandleTool.h"

#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"

void CAddHandleTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    CMapTool::OnLButtonDown(map, flags, x, y);
    CMapObject* object = map->GetSelectedObject();
    if (!object) {
        g_currentTool = TOOL_SELECT;
        map->UpdateToolCursor();
        return;
    }
    CMapLayer* layer = object->GetLayer();
    if (!layer || !map->IsMapLayer(layer) || !layer->IsEditable())
        return;
    object->LoadGeometry();
    CMapObject* copy = object->Clone(nullptr);
    double xOff = map->GetXOffset(), yOff = map->GetYOffset(), zoom = map->GetZoom();
    if (!object->InsertVertex(x, y, &xOff, &yOff, &zoom)) {
        delete copy;
        return;
    }
    map->NotifyParent(MAPA_VERTEX_ADDED, object, 0);
    map->SetModified(1);
    // Selected again, so that its handles are drawn anew.
    map->DeselectObject(object, TRUE);
    map->SelectObject(object, FALSE, TRUE);
    object->SaveChanges();
    RecordObjectChange(layer, copy, 2);
}
