// The document manager: the application's list of document templates and the
// file commands that work across them (New, Open, opening a path, saving and
// closing everything). The application object forwards its document calls here
// (AfxGetDocManager()).
#pragma once

#include "platform/base/CObject.h"
#include "platform/base/Collections.h"
#include "platform/base/CString.h"

class CDocTemplate;
class CDocument;

class CDocManager : public CObject {
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager();
    ~CDocManager() override; // deletes the templates
    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    // The manager owns the template from now on.
    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    int GetDocTemplateCount() const { return (int)m_templateList.GetCount(); }
    int GetOpenDocumentCount() const;

    // A new document of the first template.
    virtual void OnFileNew();
    // Asks for a file with the file dialog and opens it.
    virtual void OnFileOpen();
    // The file dialog with the templates' filters (pTemplate's alone when given):
    // fileName holds the proposed name and receives the chosen path. FALSE on Cancel.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    // A document already open under the path is activated and returned; otherwise
    // the template whose extension matches (else the first) opens the file.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // FALSE when a document's save question is answered Cancel.
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

private:
    CList<CDocTemplate*, CDocTemplate*> m_templateList;
};

// The process's document manager, made on first use.
CDocManager* AfxGetDocManager();
// Deletes the manager and its templates; the application calls it as it exits
// (the next AfxGetDocManager makes a new, empty one).
void AfxDestroyDocManager();
