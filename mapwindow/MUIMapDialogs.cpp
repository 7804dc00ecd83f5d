// The map window's commands that open the layer dialogs, through their hooks.
#include "mapwindow/MUIMap.h"
#include "mapwindow/MapDialogHooks.h"
#include "model/MapModel.h"
#include "platform/wnd/CCmdTarget.h"

CMapLayer* CMUIMap::AskAndCreateLayer()
{
    const CMapDialogHooks& hooks = MapDialogHooks();
    if (!hooks.renameLayer)
        return nullptr;
    CString name;
    if (hooks.renameLayer(name, this) != IDOK || name.IsEmpty())
        return nullptr;
    return CreateLayer(name);
}

void CMUIMap::OnNewLayerItem() { AskAndCreateLayer(); }

void CMUIMap::OnUpdateNewLayerItem(CCmdUI* ui) { ui->Enable(MapDialogHooks().renameLayer != nullptr); }

void CMUIMap::OnLayerControlItem()
{
    const CMapDialogHooks& hooks = MapDialogHooks();
    if (hooks.layerControl && hooks.layerControl(*this, this) == IDOK)
        InvalidateMap(nullptr, FALSE);
}

void CMUIMap::OnUpdateLayerControlItem(CCmdUI* ui)
{
    ui->Enable(MapDialogHooks().layerControl != nullptr && GetMapModel()->GetLayerCount() > 0);
}
