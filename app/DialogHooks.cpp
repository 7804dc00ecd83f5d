#include "app/DialogHooks.h"

#include "dialogs/LayerControlDlg.h"
#include "dialogs/LayerStructureDlg.h"
#include "dialogs/MapPropertyDlg.h"
#include "dialogs/RenameLayerDlg.h"
#include "mapwindow/MUIDoc.h"
#include "mapwindow/MUIMap.h"
#include "mapwindow/MapDialogHooks.h"

void InstallMapDialogHooks()
{
    CMapDialogHooks& hooks = MapDialogHooks();
    hooks.renameLayer = [](CString& name, CWnd* parent) -> INT_PTR {
        CRenameLayerDlg dialog(name, parent);
        const INT_PTR result = dialog.DoModal();
        if (result == IDOK)
            name = dialog.m_strName;
        return result;
    };
    hooks.layerControl = [](CMUIMap& map, CWnd* parent) -> INT_PTR {
        CLayerControlDlg dialog(&map, parent);
        return dialog.DoModal();
    };
    hooks.layerStructure = [](CMUIMap& map, CMapLayer* layer, CWnd* parent) -> INT_PTR {
        CLayerStructureDlg dialog(&map, layer, parent);
        return dialog.DoModal();
    };
    hooks.mapProperty = [](CMUIDoc& doc) -> INT_PTR {
        CMapPropertyDlg dialog(&doc);
        return dialog.DoModal();
    };
}
