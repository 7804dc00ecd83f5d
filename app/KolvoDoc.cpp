// The application's document (KolvoDoc.h). Saving onto the workspace the map
// has open rewrites it through its own connection instead of replacing the file
// under it; SQLite failures of a save are reported, never lost.
#include "app/KolvoDoc.h"

#include "app/MainFrm.h"
#include "core/SQLiteException.h"
#include "model/MapLayer.h"
#include "model/MapModel.h"
#include "platform/base/MessageBox.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/frames/CWinApp.h"
#include "resources/resource.h"

#include <QFileInfo>

#include <cstdio>
#include <vector>

IMPLEMENT_DYNCREATE(CKolvoDoc, CDocument)

BEGIN_MESSAGE_MAP(CKolvoDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSave)
END_MESSAGE_MAP()

namespace {

bool SameFile(const CString& a, const CString& b)
{
    const QFileInfo fa(QString::fromUtf8(a.GetString())), fb(QString::fromUtf8(b.GetString()));
    return fa.exists() && fb.exists() ? fa.canonicalFilePath() == fb.canonicalFilePath()
                                      : fa.absoluteFilePath() == fb.absoluteFilePath();
}

long long FileSize(const CString& path)
{
    const QFileInfo info(QString::fromUtf8(path.GetString()));
    return info.exists() ? info.size() : -1;
}

} // namespace

CKolvoDoc::CKolvoDoc() = default;
CKolvoDoc::~CKolvoDoc() = default;

BOOL CKolvoDoc::OnNewDocument() { return CDocument::OnNewDocument(); }

BOOL CKolvoDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    CMUIMap* map = GetMapWnd();
    map->LoadWorkspace(lpszPathName);
    if (GetMapModel()->GetDatabase())
        m_strOpenWorkspace = lpszPathName;
    if (map->GetSafeHwnd())
        map->ZoomToExtent(nullptr);
    map->SetModified(0);
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CKolvoDoc::OnCloseDocument()
{
    if (auto* frame = dynamic_cast<CMapEMDIFrame*>(AfxGetMainWnd()))
        frame->ShowBrowseDataBar(FALSE);
    CDocument::OnCloseDocument();
}

void CKolvoDoc::OnFileSave() { SaveMap(); }

BOOL CKolvoDoc::SaveMap()
{
    CString path = GetPathName();
    if (path.IsEmpty()) {
        CString ext, filter;
        ext.LoadString(IDS_WORKSPACE_EXTENSION);
        filter.LoadString(IDS_WORKSPACE_FILTER);
        CFileDialog dlg(FALSE, ext, "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
        // Cancelled: nothing was saved, so the map stays marked changed.
        if (dlg.DoModal() != IDOK)
            return FALSE;
        path = dlg.GetPathName();
    }
    return SaveMapTo(path);
}

BOOL CKolvoDoc::SaveMapTo(const CString& path)
{
    CMapModel* model = GetMapModel();
    BOOL saved = FALSE;
    try {
        if (!m_strOpenWorkspace.IsEmpty() && model->GetDatabase() && SameFile(path, m_strOpenWorkspace))
            saved = model->SaveMapDatabase();
        else
            saved = GetMapWnd()->SaveWorkspace(path);
    } catch (const CSQLiteException& e) {
        ::MessageBox(nullptr, e.GetMessage(), nullptr, MB_OK | MB_ICONERROR);
        saved = FALSE;
    }
    if (!saved)
        return FALSE;
    GetMapWnd()->SetModified(0);
    SetModifiedFlag(FALSE);
    SetPathName(path);
    return TRUE;
}

BOOL CKolvoDoc::SaveModified()
{
    CMUIMap* map = GetMapWnd();
    CMapModel* model = GetMapModel();
    if (model->GetLayerCount() == 0 || !map->IsModified())
        return CDocument::SaveModified();
    const CString caption = model->GetPathName().IsEmpty() ? CString("UnNamed Map") : model->GetPathName() + ".kwz";
    switch (::MessageBox(nullptr, "The map has changed. Do you want to save the changes?", caption, MB_YESNOCANCEL)) {
    case IDYES:
        // A cancelled or failed save keeps the document open with its changes.
        return SaveMap();
    case IDNO:
        DiscardLayers();
        return TRUE;
    default:
        return FALSE;
    }
}

void CKolvoDoc::DiscardLayers()
{
    CMapModel* model = GetMapModel();
    // Decided first, removed after: the list must not change while it is walked.
    std::vector<CMapLayer*> doomed;
    for (POSITION pos = model->GetFirstLayerPosition(); pos;) {
        CMapLayer* layer = model->GetNextLayer(pos);
        if (::MessageBox(nullptr, "Do you want to save the layer?", layer->GetName() + ".klz", MB_YESNO) == IDYES) {
            try {
                layer->SaveProperties();
            } catch (const CSQLiteException& e) {
                ::MessageBox(nullptr, e.GetMessage(), nullptr, MB_OK | MB_ICONERROR);
            }
        } else if (FileSize(layer->GetFilePath()) == 0) {
            doomed.push_back(layer);
        }
    }
    for (CMapLayer* layer : doomed) {
        const CString path = layer->GetFilePath();
        layer->CloseDatabase();
        GetMapWnd()->DeselectLayerObjects(layer);
        model->RemoveLayer(layer);
        delete layer;
        std::remove(path);
    }
    if (!doomed.empty())
        GetMapWnd()->InvalidateMap(nullptr, 0);
}
