// Document templates: the pairing of a document class with the frame and view
// classes that show it, under one resource id (document strings, menu). Opening
// a document (OpenDocumentFile) creates the document, then a frame with its view
// through the classes' run-time information and a creation context, then reads
// the file or starts a new document, and finally shows the frame.
//
// The resource id's string holds, separated by '\n': window title, document
// name, name for new documents, filter name, filter extension, file type id and
// file type name.
#pragma once

#include "platform/wnd/CCmdTarget.h"
#include "platform/base/Collections.h"
#include "platform/base/CString.h"

class CDocument;
class CFrameWnd;
struct CRuntimeClass;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    ~CDocTemplate() override; // documents still open stay open but lose their template

    // FALSE when the part is absent or empty.
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;
    // Reads the document strings (and, in derived templates, the shared menu).
    virtual void LoadTemplate();

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual CDocument* CreateNewDocument();
    // A frame with its view for the document, or null (the failure already reported).
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // A new document for a null path, else the file opened; null on failure.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    // Asks every modified document; FALSE when one says Cancel.
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    UINT GetResourceID() const { return m_nIDResource; }

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);
};

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                      const CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override; // destroys the shared menu

    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    // The document name and a number ("Map1", "Map2"), or "Untitled".
    void SetDefaultTitle(CDocument* pDocument) override;

    // The menu of the main frame while one of this template's documents is active (owned).
    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;
    CList<CDocument*, CDocument*> m_docList;
    UINT m_nUntitledCount = 0;
};
