// CDocument (CDocument.h): views, title and path, the modified flag, and saving before closing.
#include "platform/frames/CDocument.h"
#include "platform/frames/CWinApp.h"

#include "platform/base/CArchive.h"
#include "platform/frames/CDocManager.h"
#include "platform/frames/CDocTemplate.h"
#include "platform/base/CFile.h"
#include "platform/frames/CFrameWnd.h"
#include "platform/frames/CView.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/base/Exceptions.h"
#include "platform/frames/FrameInternal.h"
#include "platform/base/MessageBox.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <vector>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    rString = frame::LoadString(nIDS);
    rString.Replace("%1", lpsz1 ? lpsz1 : "");
}

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;) {
        CView* view = m_viewList.GetNext(pos);
        view->m_pDocument = nullptr;
    }
    m_viewList.RemoveAll();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

// ---------------------------------------------------------------- attributes

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    const QString path = QString::fromUtf8(lpszPathName ? lpszPathName : "");
    m_strPathName = path.isEmpty() ? CString() : frame::AbsolutePath(lpszPathName);
    SetTitle(QFileInfo(path).fileName().toUtf8().constData());
    if (bAddToMRU && !m_strPathName.IsEmpty())
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
}

// ---------------------------------------------------------------- views

void CDocument::AddView(CView* pView)
{
    if (!pView || pView->m_pDocument == this)
        return;
    if (pView->m_pDocument)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }

CView* CDocument::GetNextView(POSITION& rPosition) const { return m_viewList.GetNext(rPosition); }

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // A view may go away while it updates: walk a copy and skip views that left.
    std::vector<CView*> views;
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
        views.push_back(m_viewList.GetNext(pos));
    for (CView* view : views)
        if (view != pSender && m_viewList.Find(view))
            view->OnUpdate(pSender, lHint, pHint);
}

void CDocument::OnChangedViewList()
{
    if (m_bAutoDelete && m_viewList.IsEmpty()) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;) {
        CView* view = m_viewList.GetNext(pos);
        if (!view->GetSafeHwnd() || !(view->GetStyle() & WS_VISIBLE))
            continue;
        if (CFrameWnd* frame = view->GetParentFrame())
            if (std::find(frames.begin(), frames.end(), frame) == frames.end())
                frames.push_back(frame);
    }
    int number = 1;
    for (CFrameWnd* frame : frames) {
        frame->m_nWindow = frames.size() > 1 ? number++ : 0;
        frame->OnUpdateFrameTitle(TRUE);
    }
}

// ---------------------------------------------------------------- opening, saving, closing

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    CFileException error;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        ReportSaveLoadException(lpszPathName, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE); // dirty while it is being read
    try {
        CArchive archive(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        if (file.GetLength() != 0)
            Serialize(archive);
        archive.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    // The document is written to a new file beside the old one, which it replaces
    // only once complete: a failed save leaves the old file as it was.
    QString temporary;
    {
        QTemporaryFile probe(QString::fromUtf8(lpszPathName ? lpszPathName : "") + ".XXXXXX");
        probe.setAutoRemove(false);
        if (probe.open())
            temporary = probe.fileName();
    }
    CFile file;
    CFileException error;
    const QByteArray temporaryName = temporary.toUtf8();
    if (temporary.isEmpty() ||
        !file.Open(temporaryName.constData(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive,
                   &error)) {
        if (!temporary.isEmpty())
            QFile::remove(temporary);
        ReportSaveLoadException(lpszPathName, temporary.isEmpty() ? nullptr : &error, TRUE,
                                AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    try {
        CArchive archive(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        Serialize(archive);
        archive.Close();
        file.Close();
        if (std::rename(temporaryName.constData(), lpszPathName) != 0)
            AfxThrowFileException(CFileException::accessDenied, errno, lpszPathName);
    } catch (CException* e) {
        file.Abort();
        QFile::remove(temporary);
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR, CException* e, BOOL, UINT nIDPDefault)
{
    char text[512] = "";
    if (!e || !e->GetErrorMessage(text, sizeof(text)) || !text[0]) {
        const CString prompt = frame::LoadString(nIDPDefault);
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        return;
    }
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument()
{
    // The views' frames go first; the document must outlive them even when it deletes itself.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* view = m_viewList.GetHead();
        CFrameWnd* frame = view->GetParentFrame();
        if (frame) {
            PreCloseFrame(frame);
            frame->DestroyWindow();
        }
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == view) {
            // A view without a frame, or one that survived its frame, leaves the document here.
            if (view->GetSafeHwnd())
                view->DestroyWindow();
            if (!m_viewList.IsEmpty() && m_viewList.GetHead() == view)
                RemoveView(view);
        }
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;) {
        CView* view = m_viewList.GetNext(pos);
        if (view->GetParentFrame() != pFrame)
            return TRUE; // another frame still shows the document
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name;
    if (m_strPathName.IsEmpty()) {
        name = m_strTitle;
        if (name.IsEmpty())
            name = frame::LoadString(AFX_IDS_UNTITLED);
    } else {
        name = QFileInfo(QString::fromUtf8(m_strPathName.GetString())).fileName().toUtf8().constData();
    }
    CString prompt;
    AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    case IDNO:
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave()
{
    const QFileInfo info(QString::fromUtf8(m_strPathName.GetString()));
    if (m_strPathName.IsEmpty() || (info.exists() && !info.isWritable()))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName ? lpszPathName : "";
    if (newName.IsEmpty()) {
        CDocTemplate* tmpl = GetDocTemplate();
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            // The title proposes the name, cut at anything that would make it a path.
            newName = m_strTitle;
            const int bad = newName.FindOneOf(":/\\");
            if (bad >= 0)
                newName = newName.Left(bad);
            CString ext;
            if (tmpl && tmpl->GetDocString(ext, CDocTemplate::filterExt))
                newName += ext;
        }
        if (!AfxGetDocManager()->DoPromptFileName(newName, AFX_IDS_SAVEFILE, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                                                  FALSE, tmpl))
            return FALSE;
    }
    // A failed save removes only a file it created itself, never one that was there before.
    const bool existed = QFileInfo::exists(QString::fromUtf8(newName.GetString()));
    if (!OnSaveDocument(newName)) {
        if (!lpszPathName && !existed) {
            try {
                CFile::Remove(newName);
            } catch (CException* e) {
                e->Delete();
            }
        }
        return FALSE;
    }
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }
