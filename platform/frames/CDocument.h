// Documents: the data a template opens, shown by one or more views. A document
// knows its views, its title and path, and whether it changed since it was
// loaded or saved. Before it closes it asks "Save changes to %1?" when it was
// modified (SaveModified). With m_bAutoDelete (the default) a document deletes
// itself when its last view goes.
#pragma once

#include "platform/wnd/CCmdTarget.h"
#include "platform/base/Collections.h"
#include "platform/base/CString.h"

class CArchive;
class CDocTemplate;
class CException;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    // ---- attributes
    const CString& GetTitle() const { return m_strTitle; }
    // Updates the titles of the document's frames.
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Also makes the title the file's name (without folder).
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // ---- views
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    // Calls OnUpdate of every view but the sender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // ---- operations the frames, templates and commands call
    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize; reports a failure in a message box.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Writes the file through Serialize; reports a failure in a message box.
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Destroys the frames of the views, empties the document and deletes it (m_bAutoDelete).
    virtual void OnCloseDocument();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // TRUE when the frame may close: another frame still shows the document, or SaveModified agrees.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Asks whether to save a modified document: Yes saves (FALSE when that fails),
    // No goes on without saving, Cancel returns FALSE.
    virtual BOOL SaveModified();
    // Saves under lpszPathName, or under a name asked for when it is null;
    // bReplace makes the new name the document's.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    // Saves under the document's path; a document without one (or read-only) asks for a name.
    virtual BOOL DoFileSave();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    virtual void OnChangedViewList();
    // Numbers the frames showing the document and updates their titles.
    virtual void UpdateFrameCounts();

    // Own map, then the template's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;

protected:
    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CList<CView*, CView*> m_viewList;
    BOOL m_bModified = FALSE;

    friend class CDocTemplate;
};

// The text of string `nIDS` with %1 replaced by `lpsz1` (the class library's own
// prompts have their standard text when the string table lacks them).
void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
