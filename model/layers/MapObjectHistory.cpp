// Undo and redo of a layer's edits. An object put back into its layer is
// stored again under the id its copy carries; nodes and texts then belong to
// the layer's list, every other copy is freed once its row is written. A node
// or text taken out of the layer is dropped from the map's selection before it
// is freed or kept in a record, so no selection is left pointing at it.
#include "model/layers/MapObjectHistory.h"

#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"

#include <utility>

namespace {
bool IsPointObject(const CMapObject* object)
{
    return CMapLayer::IsPointObjectType(object->GetType());
}

// A copy put back into the layer: nodes and texts now belong to it.
void FreeUnlessKept(CMapObject* object)
{
    if (!IsPointObject(object))
        delete object;
}

// Takes the stored object `current` out of the layer; the caller owns it then.
void TakeOut(CMapLayer* layer, CMapObject* current)
{
    layer->RemoveObject(current);
    layer->ForgetSelected(current);
}

// What a record keeps of an object that left the layer: the object itself when
// its geometry is in memory, else a full copy (the object is then freed).
CMapObject* Keepable(CMapObject* current)
{
    if (current->IsGeometryLoaded() || IsPointObject(current))
        return current;
    CMapObject* copy = current->Clone(nullptr);
    delete current;
    return copy;
}
}

// ---------------------------------------------------------------- records
CMapHistoryEntry::CMapHistoryEntry(int action, CList<CMapObject*, CMapObject*>& objects) : m_nAction(action)
{
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        m_Objects.AddTail(objects.GetNext(pos));
    objects.RemoveAll();
}

CMapHistoryEntry::CMapHistoryEntry(CMapHistoryEntry&& other) noexcept : m_nAction(other.m_nAction)
{
    *this = std::move(other);
}

CMapHistoryEntry::CMapHistoryEntry(CMapHistoryEntry& other) noexcept : m_nAction(other.m_nAction)
{
    *this = std::move(other);
}

CMapHistoryEntry& CMapHistoryEntry::operator=(CMapHistoryEntry& other) noexcept
{
    return *this = std::move(other);
}

CMapHistoryEntry& CMapHistoryEntry::operator=(CMapHistoryEntry&& other) noexcept
{
    if (this != &other) {
        DeleteObjects();
        m_nAction = other.m_nAction;
        for (POSITION pos = other.m_Objects.GetHeadPosition(); pos;)
            m_Objects.AddTail(other.m_Objects.GetNext(pos));
        other.m_Objects.RemoveAll();
    }
    return *this;
}

CMapHistoryEntry::~CMapHistoryEntry()
{
    DeleteObjects();
}

void CMapHistoryEntry::DeleteObjects()
{
    for (POSITION pos = m_Objects.GetHeadPosition(); pos;)
        delete m_Objects.GetNext(pos);
    m_Objects.RemoveAll();
}

// ---------------------------------------------------------------- stacks
CMapObjectHistory::~CMapObjectHistory()
{
    ClearUndo();
    ClearRedo();
}

void CMapObjectHistory::Record(CMapHistoryEntry entry, CMapLayer* layer)
{
    if (layer) {
        for (POSITION pos = entry.GetObjects().GetHeadPosition(); pos;)
            entry.GetObjects().GetNext(pos)->SetLayer(layer);
    }
    PushUndo(std::move(entry));
    ClearRedo();
}

void CMapObjectHistory::PushUndo(CMapHistoryEntry entry)
{
    if ((int)m_Undo.size() >= kMaxUndo)
        m_Undo.pop_back();
    m_Undo.push_front(std::move(entry));
}

void CMapObjectHistory::PushRedo(CMapHistoryEntry entry)
{
    m_Redo.push_front(std::move(entry));
}

void CMapObjectHistory::Undo(CMapLayer* layer)
{
    if (m_Undo.empty() || !layer)
        return;
    CMapHistoryEntry entry = std::move(m_Undo.front());
    m_Undo.pop_front();
    const int action = entry.GetAction();
    CList<CMapObject*, CMapObject*>& saved = entry.GetObjects();
    CList<CMapObject*, CMapObject*> redo;

    while (!saved.IsEmpty()) {
        CMapObject* copy = saved.RemoveTail();
        switch (action) {
        case CMapHistoryEntry::kAdded:
            if (CMapObject* current = layer->LoadObject(copy->GetMapeID(), TRUE)) {
                TakeOut(layer, current);
                delete current;
            }
            redo.AddHead(copy->Clone(nullptr));
            delete copy;
            break;
        case CMapHistoryEntry::kDeleted:
            redo.AddHead(copy->Clone(nullptr));
            layer->AddObject(copy, FALSE);
            FreeUnlessKept(copy);
            break;
        case CMapHistoryEntry::kChanged: {
            CMapObject* current = layer->LoadObject(copy->GetMapeID(), TRUE);
            if (!current) {
                delete copy;
                break;
            }
            TakeOut(layer, current);
            layer->AddObject(copy, FALSE);
            FreeUnlessKept(copy);
            redo.AddTail(Keepable(current));
            break;
        }
        default:
            delete copy;
            break;
        }
    }
    PushRedo(CMapHistoryEntry(action, redo));
}

void CMapObjectHistory::Redo(CMapLayer* layer)
{
    if (m_Redo.empty() || !layer)
        return;
    CMapHistoryEntry entry = std::move(m_Redo.front());
    m_Redo.pop_front();
    const int action = entry.GetAction();
    CList<CMapObject*, CMapObject*>& saved = entry.GetObjects();
    CList<CMapObject*, CMapObject*> undo;

    while (!saved.IsEmpty()) {
        CMapObject* object = saved.RemoveTail();
        switch (action) {
        case CMapHistoryEntry::kAdded:
            undo.AddHead(object->Clone(nullptr));
            layer->AddObject(object, FALSE);
            FreeUnlessKept(object);
            break;
        case CMapHistoryEntry::kDeleted:
            if (CMapObject* current = layer->LoadObject(object->GetMapeID(), TRUE)) {
                TakeOut(layer, current);
                delete current;
            }
            undo.AddHead(object);
            break;
        case CMapHistoryEntry::kChanged:
            if (CMapObject* current = layer->LoadObject(object->GetMapeID(), TRUE)) {
                TakeOut(layer, current);
                layer->AddObject(object, FALSE);
                undo.AddTail(Keepable(current));
                FreeUnlessKept(object);
            } else {
                delete object;
            }
            break;
        default:
            delete object;
            break;
        }
    }
    PushUndo(CMapHistoryEntry(action, undo));
}
