// Storing the tools' work: new objects with their undo entries, replacements
// recorded removal first, and the inverted marks and rubber lines the tools
// draw and take away again.
#include "mapwindow/tools/ToolEdits.h"

#include "mapwindow/MUIMap.h"
#include "mapwindow/MapTool.h"
#include "core/SQLiteException.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "platform/base/MessageBox.h"
#include "platform/gdi/CDC.h"

namespace tooledits {

namespace {
void ReportFailure(CMUIMap* map, const CSQLiteException& e)
{
    ::MessageBox(map->GetSafeHwnd(), e.GetMessage(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}
}

bool AddNewObject(CMUIMap* map, CMapLayer* layer, CMapObject* object)
{
    try {
        layer->AddObject(object, TRUE);
    } catch (const CSQLiteException& e) {
        ReportFailure(map, e);
        return false;
    }
    map->InvalidateObject(object);
    map->NotifyParent(MAPA_OBJECT_ADDED, object, 0);
    map->SetModified(1);
    CMapTool::RecordObjectChange(layer, object->Clone(nullptr), 0);
    return true;
}

bool ReplaceObjects(CMUIMap* map, CMapLayer* layer, const std::vector<CMapObject*>& removed,
                    const std::vector<CMapObject*>& added)
{
    CList<CMapObject*, CMapObject*> copies;
    bool ok = true;
    int action = 1; // the copies gathered are of removed objects, then of added ones
    try {
        for (CMapObject* object : removed) {
            object->LoadGeometry();
            CMapObject* copy = object->Clone(nullptr);
            layer->RemoveObject(object);
            copies.AddTail(copy);
            map->NotifyParent(MAPA_OBJECT_CHANGED, object, 0);
        }
        layer->RecordEdit(copies, 1);
        action = 0;
        for (CMapObject* object : added) {
            layer->AddObject(object, TRUE);
            copies.AddTail(object->Clone(nullptr));
            map->NotifyParent(MAPA_OBJECT_ADDED, object, 0);
        }
    } catch (const CSQLiteException& e) {
        ReportFailure(map, e);
        ok = false;
    }
    // What a failure interrupted is recorded all the same: undo matches the layer.
    layer->RecordEdit(copies, action);
    map->SetModified(1);
    return ok;
}

std::unique_ptr<CMapObject> HitActiveLayerObject(CMUIMap* map, int x, int y, int type, int otherType)
{
    CMapLayer* layer = map->GetActiveLayer();
    CMapObject* hit = layer ? map->HitTest(x, y, TRUE) : nullptr;
    if (!hit)
        return nullptr;
    if ((hit->GetType() == type || hit->GetType() == otherType) && hit->GetLayer() == layer &&
        !CMapLayer::IsPointObjectType(hit->GetType()))
        return std::unique_ptr<CMapObject>(hit);
    // A node or text is its layer's own; anything else was built for the test.
    if (!CMapLayer::IsPointObjectType(hit->GetType()))
        delete hit;
    return nullptr;
}

void DrawInvertMark(CDC* dc, int x, int y, int size)
{
    // PATINVERT with the context's default white brush inverts what is under it.
    dc->PatBlt(x - 2, y - 2, size, size, PATINVERT);
}

void CRubberLine::Show(CDC* dc, CPoint from, CPoint to, COLORREF colour)
{
    Hide(dc);
    CMapTool::DrawXorLine(dc, from.x, from.y, to.x, to.y, colour, PS_SOLID);
    m_bShown = true;
    m_From = from;
    m_To = to;
    m_Colour = colour;
}

void CRubberLine::Hide(CDC* dc)
{
    if (!m_bShown)
        return;
    CMapTool::DrawXorLine(dc, m_From.x, m_From.y, m_To.x, m_To.y, m_Colour, PS_SOLID);
    m_bShown = false;
}

}
