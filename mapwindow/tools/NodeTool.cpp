// Nodes and texts made with one click. The layer keeps both kinds in its own
// list, so the selection borrows the stored object itself.
#include "mapwindow/tools/NodeTool.h"

#include "mapwindow/MUIMap.h"
#include "mapwindow/tools/ToolEdits.h"
#include "model/layers/MapLayer.h"
#include "model/objects/MapNode.h"
#include "model/objects/MapText.h"

#include <memory>

namespace {
// Stores `object` and makes it the only selected object, without an active
// handle; the stored object, or null.
CMapObject* StoreAndSelect(CMUIMap* map, CMapLayer* layer, std::unique_ptr<CMapObject> object)
{
    if (!tooledits::AddNewObject(map, layer, object.get()))
        return nullptr;
    CMapObject* stored = object.release(); // the layer's now
    map->SelectObject(stored, TRUE, TRUE);
    map->SetActiveHandle(stored, -1);
    return stored;
}
}

CMapObject* CNodeTool::PlaceNodeAtPoint(CMUIMap* map, double x, double y, CMapLayer* layer)
{
    if (!layer)
        layer = map->GetActiveLayer();
    if (!layer)
        return nullptr;
    auto node = std::make_unique<CMapNode>();
    node->SetPosition(x, y);
    return StoreAndSelect(map, layer, std::move(node));
}

void CNodeTool::PlaceObject(CMUIMap* map, int x, int y)
{
    const CDoublePoint p = map->ScreenToMap(CPoint(x, y));
    PlaceNodeAtPoint(map, p.x, p.y);
}

void CTextTool::PlaceObject(CMUIMap* map, int x, int y)
{
    CMapLayer* layer = map->GetActiveLayer();
    if (!layer)
        return;
    auto text = std::make_unique<CMapText>();
    text->SetText("Text");
    text->SetGeometryModified(FALSE);
    const CDoublePoint p = map->ScreenToMap(CPoint(x, y));
    // The default box grows with the zoom, so a new text looks the same at any scale.
    text->PlaceAt(CDoubleRect(p.x, p.y, p.x, p.y), map->GetZoom());
    StoreAndSelect(map, layer, std::move(text));
}

void CNodeTool::OnLButtonDown(CMUIMap* map, UINT flags, int x, int y)
{
    CMapTool::OnLButtonDown(map, flags, x, y);
    PlaceObject(map, x, y);
}

void CNodeTool::BeginAt(CMUIMap* map, int x, int y)
{
    CMapTool::BeginAt(map, x, y);
    PlaceObject(map, x, y);
}

void CNodeTool::ReturnToSelect(CMUIMap* map)
{
    if (CMapObject* selected = map->GetSelectedObject())
        map->SetActiveHandle(selected, -1);
    g_currentTool = TOOL_SELECT;
    map->UpdateToolCursor();
}

void CNodeTool::OnLButtonUp(CMUIMap* map, UINT, int, int)
{
    ReturnToSelect(map);
    ReleaseCapture();
}

void CNodeTool::EndAt(CMUIMap* map, int, int)
{
    ReturnToSelect(map);
}
