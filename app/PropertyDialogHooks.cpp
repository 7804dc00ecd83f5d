#include "app/PropertyDialogHooks.h"

#include "core/MapStyle.h"
#include "dialogs/LabelPropertiesDlg.h"
#include "dialogs/MUIObjectPropertySheet.h"
#include "dialogs/PrefGeneralPage.h"
#include "dialogs/ProjectionDlg.h"
#include "dialogs/TextPropertiesDlg.h"
#include "mapwindow/MapDialogHooks.h"
#include "model/MapText.h"

void InstallPropertyDialogHooks()
{
    CMapDialogHooks& hooks = MapDialogHooks();
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
