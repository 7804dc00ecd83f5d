// The map document's layer and workspace file commands: load a layer file into
// the map, save one layer as a new layer file (a whole copy of it), save the
// workspace under a new name and open a workspace into a new document.
#include "mapwindow/MUIDoc.h"

#include "mapwindow/LayerChooserDlg.h"
#include "core/SQLiteException.h"
#include "model/layers/MapLayer.h"
#include "platform/base/MessageBox.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/frames/CDocTemplate.h"
#include "platform/frames/CWinApp.h"

#include <filesystem>
#include <system_error>

namespace {
const char* const kLayerFilter = "Terravue Layer(*.klz)|*.klz||";
const char* const kWorkspaceFilter = "Kolvo Workspace(*.kwz)|*.kwz||";

bool HasContent(const CString& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path.GetString(), error);
    return !error && size > 0;
}
}

void CMUIDoc::OnLoadLayer()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_EXPLORER, kLayerFilter);
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    if (!HasContent(path)) {
        AfxMessageBox("Invalid file size.");
        return;
    }
    CMapModel* model = GetMapModel();
    if (!model->OpenLayer(path, nullptr))
        return;
    CMapLayer* layer = model->GetLastLayer();
    m_MapWnd.NotifyParent(MAPA_LAYER_LOADED, layer, 0);
    m_MapWnd.ZoomToExtent(nullptr);
    // At most one layer is editable: the loaded one only when none is yet.
    if (model->GetEditMode() < 1) {
        layer->SetEditable(1);
        model->SetEditMode(1);
    } else {
        layer->SetEditable(0);
    }
}

void CMUIDoc::OnSaveLayerAs()
{
    CLayerChooserDlg chooser(&m_MapWnd);
    if (chooser.DoModal() == IDCANCEL || !chooser.m_pLayer)
        return;
    CMapLayer* layer = chooser.m_pLayer;
    CFileDialog dialog(FALSE, "*.klz", layer->GetName(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kLayerFilter);
    if (dialog.DoModal() != IDOK)
        return;
    // The dialog asked before a file of that name is replaced.
    try {
        GetMapModel()->WriteLayerCopy(layer, dialog.GetPathName());
    } catch (const CSQLiteException& e) {
        AfxMessageBox(e.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
    }
}

void CMUIDoc::OnUpdateSaveLayerAs(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetMapModel()->GetLayerCount() > 0);
}

void CMUIDoc::OnSaveWorkspaceAs()
{
    CFileDialog dialog(FALSE, "*.kwz", GetMapModel()->GetPathName(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kWorkspaceFilter);
    if (dialog.DoModal() == IDOK)
        m_MapWnd.SaveWorkspace(dialog.GetPathName());
}

void CMUIDoc::OnOpenWorkspaceNew()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_EXPLORER, kWorkspaceFilter);
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    CWinApp* app = AfxGetApp();
    POSITION pos = app ? app->GetFirstDocTemplatePosition() : nullptr;
    CDocTemplate* docTemplate = pos ? app->GetNextDocTemplate(pos) : nullptr;
    auto* doc = docTemplate ? dynamic_cast<CMUIDoc*>(docTemplate->OpenDocumentFile(nullptr)) : nullptr;
    if (!doc)
        return;
    CMUIMap* map = doc->GetMapWnd();
    map->LoadWorkspace(path);
    map->InvalidateMap(nullptr, FALSE);
    doc->SetTitle(map->GetMapModel()->GetPathName());
    m_strWorkspacePath = path;
}
