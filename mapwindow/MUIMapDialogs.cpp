// The map window's commands that open the layer dialogs, through their hooks.
#include "mapwindow/MUIMap.h"
#include "mapwindow/MapDialogHooks.h"
#include "model/layers/MapModel.h"
#include "platform/wnd/CCmdTarget.h"

void CMUIMap::OnNewLayerItem() { CreateNamedLayer(); }

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
