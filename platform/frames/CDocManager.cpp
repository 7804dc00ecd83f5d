// The document manager (CDocManager.h): the templates and the file commands across them.
#include "platform/frames/CDocManager.h"

#include "platform/frames/CDocTemplate.h"
#include "platform/frames/CDocument.h"
#include "platform/frames/CFrameWnd.h"
#include "platform/frames/CView.h"
#include "platform/frames/CWinApp.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/frames/FrameInternal.h"

#include <QFileInfo>

#include <vector>

IMPLEMENT_DYNAMIC(CDocManager, CObject)

namespace {
// Not a static object: templates own menus and documents that must not be torn
// down after the window and menu registries at process exit.
CDocManager*& Instance()
{
    static CDocManager* manager = nullptr;
    return manager;
}
} // namespace

CString frame::AbsolutePath(LPCTSTR path)
{
    return QFileInfo(QString::fromUtf8(path ? path : "")).absoluteFilePath().toUtf8().constData();
}

CDocManager* AfxGetDocManager()
{
    if (!Instance())
        Instance() = new CDocManager;
    return Instance();
}

void AfxDestroyDocManager()
{
    delete Instance();
    Instance() = nullptr;
}

CDocManager::CDocManager() = default;

CDocManager::~CDocManager()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
        delete m_templateList.GetNext(pos);
    m_templateList.RemoveAll();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!pTemplate || m_templateList.Find(pTemplate))
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const { return m_templateList.GetNext(pos); }

int CDocManager::GetOpenDocumentCount() const
{
    int count = 0;
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;) {
        CDocTemplate* tmpl = m_templateList.GetNext(pos);
        for (POSITION d = tmpl->GetFirstDocPosition(); d; tmpl->GetNextDoc(d))
            ++count;
    }
    return count;
}

void CDocManager::OnFileNew()
{
    if (m_templateList.IsEmpty())
        return;
    m_templateList.GetHead()->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    CString name;
    if (!DoPromptFileName(name, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    OpenDocumentFile(name);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
    // The filters of the template (or of every template when opening), then all files.
    CString filter;
    CString defaultExt;
    auto addFilter = [&filter, &defaultExt](CDocTemplate* tmpl) {
        CString name, ext;
        if (!tmpl->GetDocString(name, CDocTemplate::filterName) || !tmpl->GetDocString(ext, CDocTemplate::filterExt))
            return;
        filter += name + "|*" + ext + "|";
        if (defaultExt.IsEmpty())
            defaultExt = ext.GetLength() > 0 && ext[0] == '.' ? ext.Mid(1) : ext;
    };
    if (pTemplate) {
        addFilter(pTemplate);
    } else {
        for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
            addFilter(m_templateList.GetNext(pos));
    }
    filter += frame::LoadString(AFX_IDS_ALLFILTER) + "|*.*||";
    if (!bOpenFileDialog)
        lFlags |= OFN_OVERWRITEPROMPT;
    CFileDialog dialog(bOpenFileDialog, defaultExt.IsEmpty() ? nullptr : defaultExt.GetString(), fileName, lFlags,
                       filter, AfxGetMainWnd());
    const CString title = frame::LoadString(nIDSTitle);
    if (!title.IsEmpty())
        dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (!lpszFileName || !*lpszFileName || m_templateList.IsEmpty())
        return nullptr;
    const CString path = frame::AbsolutePath(lpszFileName);
    // A document already open under the path is brought forward instead.
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;) {
        CDocTemplate* tmpl = m_templateList.GetNext(pos);
        for (POSITION d = tmpl->GetFirstDocPosition(); d;) {
            CDocument* doc = tmpl->GetNextDoc(d);
            if (!doc->GetPathName().IsEmpty() && doc->GetPathName() == path) {
                POSITION v = doc->GetFirstViewPosition();
                if (CView* view = v ? doc->GetNextView(v) : nullptr)
                    if (CFrameWnd* frame = view->GetParentFrame())
                        frame->ActivateFrame();
                return doc;
            }
        }
    }
    // The template whose extension matches, else the first.
    CDocTemplate* best = m_templateList.GetHead();
    const CString suffix = QFileInfo(QString::fromUtf8(path.GetString())).suffix().toLower().toUtf8().constData();
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;) {
        CDocTemplate* tmpl = m_templateList.GetNext(pos);
        CString ext;
        if (tmpl->GetDocString(ext, CDocTemplate::filterExt)) {
            ext.MakeLower();
            if (ext == "." + suffix || ext == suffix) {
                best = tmpl;
                break;
            }
        }
    }
    return best->OpenDocumentFile(path);
}

BOOL CDocManager::SaveAllModified()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
        if (!m_templateList.GetNext(pos)->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
        m_templateList.GetNext(pos)->CloseAllDocuments(bEndSession);
}
