// The document's commands that open the layer and map dialogs, through their
// hooks; a command whose hook is empty stays disabled.
#include "mapwindow/MUIDoc.h"
#include "mapwindow/MapDialogHooks.h"
#include "platform/base/MessageBox.h"
#include "platform/wnd/CCmdTarget.h"

void CMUIDoc::OnLayerControl()
{
    const CMapDialogHooks& hooks = MapDialogHooks();
    if (hooks.layerControl && hooks.layerControl(m_MapWnd, &m_MapWnd) == IDOK)
        m_MapWnd.InvalidateMap(nullptr, FALSE);
}

void CMUIDoc::OnUpdateLayerControl(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MapDialogHooks().layerControl != nullptr && m_MapWnd.GetSafeHwnd() != nullptr);
}

void CMUIDoc::OnNewLayer()
{
    CMapLayer* layer = m_MapWnd.CreateNamedLayer();
    const CMapDialogHooks& hooks = MapDialogHooks();
    if (layer && hooks.layerStructure)
        hooks.layerStructure(m_MapWnd, layer, &m_MapWnd);
}

void CMUIDoc::OnUpdateNewLayer(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MapDialogHooks().renameLayer != nullptr && m_MapWnd.GetSafeHwnd() != nullptr);
}

void CMUIDoc::OnLayerStructure()
{
    const CMapDialogHooks& hooks = MapDialogHooks();
    if (hooks.layerStructure)
        hooks.layerStructure(m_MapWnd, nullptr, &m_MapWnd);
}

void CMUIDoc::OnUpdateLayerStructure(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MapDialogHooks().layerStructure != nullptr && m_MapWnd.GetSafeHwnd() != nullptr);
}

void CMUIDoc::OnMapOption()
{
    const CMapDialogHooks& hooks = MapDialogHooks();
    if (!hooks.mapProperty)
        return;
    // A new system changes how every coordinate is read: edits not saved yet
    // would be saved under it.
    if ((IsModified() || m_MapWnd.IsModified())
        && AfxMessageBox("Save your changes before tranforming", MB_OKCANCEL, 0) == IDCANCEL)
        return;
    if (hooks.mapProperty(*this) == IDOK)
        m_MapWnd.InvalidateMap(nullptr, FALSE);
}

void CMUIDoc::OnUpdateMapOption(CCmdUI* pCmdUI) { pCmdUI->Enable(MapDialogHooks().mapProperty != nullptr); }
