#include "app/DialogHooks.h"

#include "core/MapStyle.h"
#include "dialogs/LabelPropertiesDlg.h"
#include "dialogs/LayerControlDlg.h"
#include "dialogs/LayerStructureDlg.h"
#include "dialogs/MUIObjectPropertySheet.h"
#include "dialogs/MapPropertyDlg.h"
#include "dialogs/PrefGeneralPage.h"
#include "dialogs/ProjectionDlg.h"
#include "dialogs/RenameLayerDlg.h"
#include "dialogs/TextPropertiesDlg.h"
#include "mapwindow/MUIDoc.h"
#include "mapwindow/MUIMap.h"
#include "mapwindow/MapDialogHooks.h"
#include "model/objects/MapText.h"

void InstallDialogHooks()
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
    hooks.textProperties = [](CMapText& text, BOOL& modified, CWnd* parent) -> INT_PTR {
        CTextPropertiesDlg dialog({&text}, parent);
        const INT_PTR result = dialog.DoModal();
        modified = result == IDOK && dialog.IsModified();
        return result;
    };
    hooks.objectProperties = [](CMapObject& object, CMapStyle& style, BOOL& dataChanged, CWnd*) -> INT_PTR {
        // The sheet has no parent window, as the design shows it.
        CMUIObjectPropertySheet sheet(&object, "Object Properties", nullptr, 0);
        const INT_PTR result = sheet.DoModal();
        if (result == IDOK) {
            style = *sheet.GetStyle();
            dataChanged = sheet.IsDataChanged();
        }
        return result;
    };
    hooks.labelProperties = [](const std::vector<CMapLabel*>& labels, CWnd* parent) -> INT_PTR {
        CLabelPropertiesDlg dialog(labels, parent);
        return dialog.DoModal();
    };
    CPrefGeneralPage::SetProjectionChooser([](int& code, OGRSpatialReference** system, CWnd*) -> INT_PTR {
        CProjectionDlg dialog(system, &code);
        return dialog.DoModal();
    });
}
