// The map window's selection: objects of one layer, head first, in the model's
// list. An object is known by its layer and id, not by its address: objects
// other than nodes and texts are built anew from their rows for every hit test,
// so two copies of one stored object must count as one selected object.
#include "mapwindow/MUIMap.h"

#include "core/MapLabel.h"
#include "core/ObjectTypes.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"

#include <cstdint>
#include <set>
#include <utility>

namespace {
bool IsSameObject(const CMapObject* a, const CMapObject* b)
{
    if (a == b)
        return true;
    // An object not stored yet (id -1) is only itself.
    return a->GetMapeID() >= 0 && a->GetMapeID() == b->GetMapeID() && a->GetLayer() == b->GetLayer();
}

// A selected object dropped from the list: nodes and texts stay with their
// layer, every other object was built for the selection and goes with it.
void Release(CMapObject* object)
{
    if (!CMapLayer::IsPointObjectType(object->GetType()))
        delete object;
}
}

CMapObject* CMUIMap::GetSelectedObject()
{
    CList<CMapObject*, CMapObject*>& selection = m_MapModel.GetSelectedObjects();
    return selection.IsEmpty() ? nullptr : selection.GetHead();
}

CMapObject* CMUIMap::FindSelected(const CMapLayer* layer, int id)
{
    CList<CMapObject*, CMapObject*>& selection = m_MapModel.GetSelectedObjects();
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        CMapObject* object = selection.GetNext(pos);
        if (object->GetLayer() == layer && object->GetMapeID() == id)
            return object;
    }
    return nullptr;
}

int CMUIMap::SelectObject(CMapObject* object, BOOL clearFirst, BOOL invalidate)
{
    if (!object || !CMapObject::IsTypeValid(object->GetType()))
        return 0;
    ClearOverlaySelection();
    CList<CMapObject*, CMapObject*>& selection = m_MapModel.GetSelectedObjects();
    if (!selection.IsEmpty() && clearFirst)
        ClearSelection(invalidate);
    if (!selection.IsEmpty() && selection.GetHead()->GetLayer() != object->GetLayer())
        return 0;
    POSITION found = nullptr;
    for (POSITION pos = selection.GetHeadPosition(); pos && !found;) {
        const POSITION current = pos;
        if (IsSameObject(selection.GetNext(pos), object))
            found = current;
    }
    if (found) {
        CMapObject* previous = selection.GetAt(found);
        selection.RemoveAt(found);
        if (previous != object) {
            // The new copy takes the place of the old one, with its handle.
            object->SetActiveHandle(previous->GetActiveHandle());
            previous->Deselect();
            Release(previous);
        }
        object->Select();
        selection.AddHead(object);
    } else {
        object->Select();
        selection.AddHead(object);
        if (invalidate)
            InvalidateObject(object);
    }
    NotifyParent(MAPA_SELECTION_CHANGED, object, 0);
    return 1;
}

void CMUIMap::DeselectObject(CMapObject* object, int invalidate)
{
    if (!object || !CMapObject::IsTypeValid(object->GetType()))
        return;
    CList<CMapObject*, CMapObject*>& selection = m_MapModel.GetSelectedObjects();
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const POSITION current = pos;
        CMapObject* selected = selection.GetNext(pos);
        if (!IsSameObject(selected, object))
            continue;
        selection.RemoveAt(current);
        selected->Deselect();
        object->Deselect();
        if (invalidate)
            InvalidateObject(selected);
        // The caller holds `object`; a different copy of it was the selection's.
        if (selected != object)
            Release(selected);
        return;
    }
}

void CMUIMap::ClearSelection(int invalidate)
{
    CList<CMapObject*, CMapObject*>& selection = m_MapModel.GetSelectedObjects();
    while (!selection.IsEmpty()) {
        CMapObject* object = selection.RemoveHead();
        object->Deselect();
        if (invalidate)
            InvalidateObject(object);
        Release(object);
    }
}

void CMUIMap::DeselectLayerObjects(CMapLayer* layer)
{
    CList<CMapObject*, CMapObject*>& selection = m_MapModel.GetSelectedObjects();
    if (selection.IsEmpty())
        return;
    if (!layer) {
        ClearSelection(1);
        return;
    }
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const POSITION current = pos;
        CMapObject* object = selection.GetNext(pos);
        if (object->GetLayer() != layer)
            continue;
        selection.RemoveAt(current);
        object->Deselect();
        InvalidateObject(object);
        Release(object);
    }
}

void CMUIMap::AddToSelection(CList<CMapObject*, CMapObject*>& objects)
{
    m_MapModel.GetSelectedObjects().AddTail(&objects);
}

void CMUIMap::RemoveRepeatedSelections()
{
    CList<CMapObject*, CMapObject*>& selection = m_MapModel.GetSelectedObjects();
    std::set<const CMapObject*> listed;
    std::set<std::pair<const CMapLayer*, int>> stored;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const POSITION current = pos;
        CMapObject* object = selection.GetNext(pos);
        // The same object listed twice: the first entry keeps it.
        if (!listed.insert(object).second) {
            selection.RemoveAt(current);
            continue;
        }
        // An object not stored yet (id -1) is only itself.
        if (object->GetMapeID() < 0 || stored.insert({object->GetLayer(), object->GetMapeID()}).second)
            continue;
        // A second copy of a stored object already selected.
        selection.RemoveAt(current);
        Release(object);
    }
}

void CMUIMap::SetActiveHandle(CMapObject* object, int index)
{
    if (!object || !CMapObject::IsTypeValid(object->GetType()))
        return;
    if (object->IsSelected()) {
        CList<CMapObject*, CMapObject*>& selection = m_MapModel.GetSelectedObjects();
        for (POSITION pos = selection.GetHeadPosition(); pos;)
            selection.GetNext(pos)->SetActiveHandle(-1);
        object->SetActiveHandle(index);
    } else if (object->GetActiveHandle() != -1) {
        object->SetActiveHandle(-1);
    }
}

// ---------------------------------------------------------------- hit tests
CMapObject* CMUIMap::HitTest(int x, int y, BOOL topDown)
{
    double xOff = m_MapModel.GetXOffset(), yOff = m_MapModel.GetYOffset(), zoom = m_MapModel.GetZoom();
    const int count = m_MapModel.GetLayerCount();
    for (int i = 0; i < count; ++i) {
        CMapLayer* layer = m_MapModel.GetLayerAt(topDown ? count - 1 - i : i);
        if (!layer || !layer->IsVisible() || !layer->IsSelectable())
            continue;
        CMapObject* object = layer->HitTest(x, y, &xOff, &yOff, &zoom, topDown);
        if (!object)
            continue;
        if (CMapObject::IsTypeValid(object->GetType()))
            return object;
        if (!CMapLayer::IsPointObjectType(object->GetType()))
            delete object;
    }
    return nullptr;
}

CMapObject* CMUIMap::HitTestSelectedHandle(int x, int y, int& index)
{
    double xOff = m_MapModel.GetXOffset(), yOff = m_MapModel.GetYOffset(), zoom = m_MapModel.GetZoom();
    CList<CMapObject*, CMapObject*>& selection = m_MapModel.GetSelectedObjects();
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        CMapObject* object = selection.GetNext(pos);
        CMapLayer* layer = object->GetLayer();
        if (!CMapObject::IsTypeValid(object->GetType()) || !layer || !IsMapLayer(layer) || !layer->IsEditable())
            continue;
        index = object->HitTestHandle(x, y, &xOff, &yOff, &zoom);
        if (index != -1)
            return object;
    }
    index = -1;
    return nullptr;
}

// ---------------------------------------------------------------- labels
void CMUIMap::SelectOverlay(CMapLabel* label, BOOL deselectLabels)
{
    ClearSelection(1);
    if (deselectLabels)
        ClearOverlaySelection();
    CList<CMapLabel*, CMapLabel*>& labels = m_MapModel.GetSelectedLabels();
    if (!label || labels.Find(label))
        return;
    label->Select();
    labels.AddHead(label);
    InvalidateOverlay(label);
    NotifyParent(MAPA_OVERLAY_SELECTION, nullptr, (int)(intptr_t)label);
}

// The label stays with the object it belongs to: only its selection ends here.
void CMUIMap::DeselectOverlay(CMapLabel* label)
{
    CList<CMapLabel*, CMapLabel*>& labels = m_MapModel.GetSelectedLabels();
    POSITION pos = label ? labels.Find(label) : nullptr;
    if (!pos)
        return;
    labels.RemoveAt(pos);
    label->Deselect();
    NotifyParent(MAPA_OVERLAY_SELECTION, label, 0);
    InvalidateOverlay(label);
}

void CMUIMap::ClearOverlaySelection()
{
    CList<CMapLabel*, CMapLabel*>& labels = m_MapModel.GetSelectedLabels();
    while (!labels.IsEmpty())
        DeselectOverlay(labels.GetHead());
}

CMapLabel* CMUIMap::HitTestOverlayCorner(int x, int y, int& index)
{
    index = -1;
    CList<CMapLabel*, CMapLabel*>& labels = m_MapModel.GetSelectedLabels();
    for (POSITION pos = labels.GetHeadPosition(); pos;) {
        CMapLabel* label = labels.GetNext(pos);
        const int corner = label->HitTestCorner(CPoint(x, y));
        if (corner != -1) {
            index = corner;
            return label;
        }
    }
    return nullptr;
}

CMapLabel* CMUIMap::GetFirstSelectedOverlay()
{
    CList<CMapLabel*, CMapLabel*>& labels = m_MapModel.GetSelectedLabels();
    return labels.IsEmpty() ? nullptr : labels.GetHead();
}

void CMUIMap::InvalidateOverlay(CMapLabel* label)
{
    if (!label || !GetSafeHwnd())
        return;
    CRect rect(label->GetDeviceBounds());
    rect.InflateRect(8, 8);
    InvalidateRect(&rect, FALSE);
}
