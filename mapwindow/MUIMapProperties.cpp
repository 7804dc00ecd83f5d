// Object Properties and Label Properties of the map window. A dialog edits the
// objects in place; the window records the undo step, writes the changed
// columns (a text edited in memory only would be lost at the next save) and
// marks the map modified.
#include "mapwindow/MUIMap.h"

#include "core/MapStyle.h"
#include "core/ObjectTypes.h"
#include "mapwindow/MapDialogHooks.h"
#include "mapwindow/MapTool.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "model/objects/MapText.h"
#include "platform/wnd/CCmdTarget.h"

#include <memory>

namespace {

// Hands the undo copy to its layer's history as a change.
void RecordChange(std::unique_ptr<CMapObject> copy)
{
    CList<CMapObject*, CMapObject*> copies;
    copies.AddTail(copy.release());
    CMapTool::RecordEditsByLayer(copies, CMapHistoryEntry::kChanged);
}

} // namespace

BOOL CMUIMap::CanShowObjectProperties()
{
    CMapObject* object = GetSelectedObject();
    if (!object || !CMapObject::IsTypeValid(object->GetType()) || !IsMapLayer(object->GetLayer()))
        return FALSE;
    const CMapDialogHooks& hooks = MapDialogHooks();
    switch (object->GetType()) {
    case MAP_OBJECT_TEXT:
        return hooks.textProperties != nullptr;
    case MAP_OBJECT_IMAGE:
        return FALSE;
    default:
        return hooks.objectProperties != nullptr;
    }
}

void CMUIMap::ShowObjectProperties()
{
    if (!CanShowObjectProperties())
        return;
    CMapObject* object = GetSelectedObject();
    const CMapDialogHooks& hooks = MapDialogHooks();
    // The copy is taken before the dialog: the Data page writes attribute
    // values into the object at its OK, and undo must bring the old ones back.
    std::unique_ptr<CMapObject> copy(CMapTool::CopyForUndo(object));
    InvalidateObject(object);

    if (object->GetType() == MAP_OBJECT_TEXT) {
        auto* text = static_cast<CMapText*>(object);
        BOOL modified = FALSE;
        if (hooks.textProperties(*text, modified, this) != IDOK || !modified)
            return;
        RecordChange(std::move(copy));
        text->SaveChanges();
    } else {
        const CMapStyle before = *object->GetStyle();
        const BOOL usedLayerStyle = object->UsesLayerStyle();
        CMapStyle style = before;
        BOOL dataChanged = FALSE;
        if (hooks.objectProperties(*object, style, dataChanged, this) != IDOK)
            return;
        const BOOL styleChanged = style.IsDifferent(before);
        if (styleChanged || dataChanged)
            RecordChange(std::move(copy));
        else if (object->UsesLayerStyle() == usedLayerStyle)
            return; // nothing changed: the General page saves its own choice
        if (styleChanged)
            object->SetStyle(style);
        if (dataChanged)
            object->SetAttributesModified(TRUE);
        object->SaveChanges();
    }
    NotifyParent(MAPA_OBJECT_CHANGED, object, 0);
    InvalidateMap(nullptr, TRUE);
    SetModified(1);
}

void CMUIMap::OnUpdateObjectPropertiesItem(CCmdUI* ui) { ui->Enable(CanShowObjectProperties()); }

void CMUIMap::OnLabelPropertiesItem()
{
    const CMapDialogHooks& hooks = MapDialogHooks();
    CList<CMapLabel*, CMapLabel*>& selected = m_MapModel.GetSelectedLabels();
    if (!hooks.labelProperties || selected.IsEmpty())
        return;
    std::vector<CMapLabel*> labels;
    for (POSITION pos = selected.GetHeadPosition(); pos;)
        labels.push_back(selected.GetNext(pos));
    if (hooks.labelProperties(labels, this) != IDOK)
        return;
    SetModified(1);
    InvalidateMap(nullptr, FALSE);
}

void CMUIMap::OnUpdateLabelPropertiesItem(CCmdUI* ui)
{
    ui->Enable(MapDialogHooks().labelProperties != nullptr && !m_MapModel.GetSelectedLabels().IsEmpty());
}
