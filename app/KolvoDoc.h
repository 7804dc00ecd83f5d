// The application's document: a map document whose map window the view hosts.
// It opens a workspace file into the map, saves it (Save As when the map has no
// workspace yet), and asks before a changed map closes: "Yes" saves, "No" asks
// per layer whether to keep it, "Cancel" keeps the document open.
#pragma once

#include "mapwindow/MUIDoc.h"
#include "platform/frames/CDocument.h"

class CMainFrame;

class CKolvoDoc : public CDocument, public CMUIDoc {
    DECLARE_DYNCREATE(CKolvoDoc)
public:
    CKolvoDoc();
    ~CKolvoDoc() override;

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    void OnCloseDocument() override;
    BOOL SaveModified() override;

    // Writes the map to its workspace, or to one the user names when it has
    // none. FALSE (the map still marked changed) when the user cancels or the
    // writing fails; a failure is reported.
    BOOL SaveMap();

protected:
    afx_msg void OnFileSave();
    DECLARE_MESSAGE_MAP()

private:
    BOOL SaveMapTo(const CString& path);
    // "No" to the map's question: each layer is asked for; a layer said "No" to
    // whose file holds nothing yet leaves the map and its file goes.
    void DiscardLayers();

    // The workspace file the map's database connection has open; empty for none.
    CString m_strOpenWorkspace;
};
