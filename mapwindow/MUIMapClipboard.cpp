// The map window's internal clipboard: copies of objects that belong to no
// layer and carry no id, owned by the list. Copy replaces them and resets the
// paste offset; each Paste adds the copies to the active layer 6 pixels further
// right and down than the Paste before, selects them and records one undo entry.
#include "mapwindow/MUIMap.h"

#include "mapwindow/MapTool.h"
#include "core/ObjectTypes.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "core/SQLiteException.h"

namespace {
constexpr int kPasteStep = 6;
}

void CMUIMap::ClearClipboard()
{
    while (!m_Clipboard.IsEmpty())
        delete m_Clipboard.RemoveHead();
}

void CMUIMap::CopySelection()
{
    CopyToClipboard(m_MapModel.GetSelectedObjects());
}

void CMUIMap::CopyToClipboard(const CList<CMapObject*, CMapObject*>& objects)
{
    ClearClipboard();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CMapObject* object = objects.GetNext(pos);
        if (!CMapObject::IsTypeValid(object->GetType()))
            continue;
        object->LoadGeometry();
        CMapObject* copy = object->Clone(nullptr);
        copy->SetMapeID(-1);
        copy->SetLayer(nullptr);
        copy->Deselect();
        m_Clipboard.AddTail(copy);
    }
    m_nPasteOffset = 0;
}

void CMUIMap::CutSelection()
{
    CopySelection();
    DeleteSelection(TRUE);
}

void CMUIMap::PasteClipboard()
{
    CMapLayer* layer = GetActiveLayer();
    if (!layer || !layer->IsEditable())
        return;
    m_nPasteOffset += kPasteStep;
    const int n = m_nPasteOffset;
    double zoom = GetZoom();
    CList<CMapObject*, CMapObject*> pasted, copies;
    try {
        for (POSITION pos = m_Clipboard.GetHeadPosition(); pos;) {
            CMapObject* clone = m_Clipboard.GetNext(pos)->Clone(layer);
            pasted.AddTail(clone);
            clone->MoveBy(n, n, &zoom);
            clone->SaveChanges();
            copies.AddTail(CMapTool::CopyForUndo(clone));
            clone->Select();
        }
    } catch (const CSQLiteException& e) {
        // All copies or none: those already stored go again.
        TakeBackNewObjects(pasted, copies);
        ReportCommandError(e.GetMessage());
        return;
    }
    ClearSelection(0);
    AddToSelection(pasted);
    for (POSITION pos = GetFirstSelectedPosition(); pos;) {
        CMapObject* clone = GetNextSelected(pos);
        NotifyParent(MAPA_OBJECT_ADDED, clone, 0);
        NotifyParent(MAPA_SELECTION_CHANGED, clone, 0);
        InvalidateObject(clone);
    }
    if (!copies.IsEmpty())
        SetModified(1);
    layer->RecordEdit(copies, 0);
}
