// Document templates (CDocTemplate.h): the document strings and opening a document with its frame
// and view.
#include "platform/frames/CDocTemplate.h"

#include "platform/wnd/Accelerators.h"

#include "platform/frames/CDocument.h"
#include "platform/frames/CFrameWnd.h"
#include "platform/wnd/CMenu.h"
#include "platform/frames/CView.h"
#include "platform/wnd/CWinThread.h"
#include "platform/frames/FrameInternal.h"
#include "platform/base/MessageBox.h"

#include <vector>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_nIDResource && m_strDocStrings.IsEmpty())
        m_strDocStrings = frame::LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    rString.Empty();
    return AfxExtractSubString(rString, m_strDocStrings, (int)index, '\n') && !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc)
        pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc && pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return nullptr;
    CDocument* doc = frame::CreateObjectOf<CDocument>(m_pDocClass);
    if (!doc)
        return nullptr;
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (!m_pFrameClass)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CFrameWnd* frame = frame::CreateObjectOf<CFrameWnd>(m_pFrameClass);
    if (!frame)
        return nullptr;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        // A frame whose window came to exist deleted itself; one that never got a window did not.
        if (CFrameWnd::IsLive(frame) && !frame->GetSafeHwnd())
            delete frame;
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    if (pFrame)
        pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        CDocument* doc = GetNextDoc(pos);
        if (!doc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    std::vector<CDocument*> docs;
    for (POSITION pos = GetFirstDocPosition(); pos;)
        docs.push_back(GetNextDoc(pos));
    for (CDocument* doc : docs) {
        // An earlier close may have closed a later document (one view showing two documents never happens,
        // but a document's close may close others through its own code).
        bool stillOpen = false;
        for (POSITION pos = GetFirstDocPosition(); pos && !stillOpen;)
            stillOpen = GetNextDoc(pos) == doc;
        if (stillOpen)
            doc->OnCloseDocument();
    }
}

// ---------------------------------------------------------------- multiple documents

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                     const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    std::vector<CDocument*> docs;
    for (POSITION pos = m_docList.GetHeadPosition(); pos;)
        docs.push_back(m_docList.GetNext(pos));
    for (CDocument* doc : docs)
        RemoveDocument(doc);
    if (m_hMenuShared && ::IsMenu(m_hMenuShared))
        ::DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource && !m_hMenuShared) {
        CMenu menu;
        if (menu.LoadMenu(m_nIDResource))
            m_hMenuShared = menu.Detach();
    }
    if (m_nIDResource && !m_hAccelTable)
        m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(m_nIDResource));
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const { return m_docList.GetNext(rPos); }

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    if (!pDoc || m_docList.Find(pDoc))
        return;
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (POSITION pos = m_docList.Find(pDoc))
        m_docList.RemoveAt(pos);
    CDocTemplate::RemoveDocument(pDoc);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (GetDocString(title, docName))
        title.AppendFormat("%u", m_nUntitledCount + 1);
    else
        title = frame::LoadString(AFX_IDS_UNTITLED);
    pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (!doc) {
        AfxMessageBox(frame::LoadString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
        return nullptr;
    }
    // The document must survive its frame's creation even if a view comes and goes.
    const BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        AfxMessageBox(frame::LoadString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
        delete doc;
        return nullptr;
    }
    if (!lpszPathName) {
        SetDefaultTitle(doc);
        if (!bMakeVisible)
            doc->m_bEmbedded = TRUE;
        if (!doc->OnNewDocument()) {
            frame->DestroyWindow(); // takes the document with its view
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        if (!doc->OnOpenDocument(lpszPathName)) {
            frame->DestroyWindow();
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
