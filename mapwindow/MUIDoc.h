// The map document: one open map, shown by one map window, which it owns as a
// member (the view creates the window). It opens a workspace (kwz) or a single
// layer file (mpl), saves the workspace, asks before a changed map is closed,
// and carries the tool and edit commands.
#pragma once

#include "platform/frames/CDocument.h"

#include "mapwindow/MUIMap.h"

class CCmdUI;
class CMapLayer;
class CMapModel;

class CMUIDoc : public CDocument, public CMapDocumentLink {
    DECLARE_DYNCREATE(CMUIDoc)

public:
    CMUIDoc();
    ~CMUIDoc() override;
    CMUIDoc(const CMUIDoc&) = delete;
    CMUIDoc& operator=(const CMUIDoc&) = delete;

    CMUIMap* GetMapWnd() { return &m_MapWnd; }
    CMapModel* GetMapModel() { return m_MapWnd.GetMapModel(); }
    CMapWindowLink* GetMapWindowLink() override { return &m_MapWnd; }
    CMapModel* GetDocumentMapModel() override { return GetMapModel(); }
    BOOL HasActiveLayer() const { return m_MapWnd.HasActiveLayer(); }
    // The workspace last opened into a new document by this one.
    CString GetWorkspacePath() const { return m_strWorkspacePath; }

    BOOL OnNewDocument() override;
    // By the extension, in any case: "kwz" a workspace, "mpl" a layer file,
    // anything else an empty map.
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // Only a workspace name is accepted ("Only kwz format allowed").
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    // A changed map asks "The map has changed. Do you want to save the changes?";
    // FALSE keeps the document open.
    BOOL SaveModified() override;

    // The map's save: into its open workspace, or through SaveAs when it has
    // none. The map stays modified unless the save succeeded. SQLite failures
    // are told to the user and make it fail.
    BOOL SaveMap();
    // Asks for a workspace name and writes the map there; later saves go to it.
    // The workspace that is open counts as a Save. FALSE when cancelled or failed.
    BOOL SaveMapAs();

protected:
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    afx_msg void OnUpdateFileSave(CCmdUI* pCmdUI);
    afx_msg void OnToolCommand(UINT id);
    afx_msg void OnUpdateToolCommand(CCmdUI* pCmdUI);
    afx_msg void OnViewEntireMap();
    // The edit commands act on the map window's selection and clipboard.
    afx_msg void OnEditCopy() { m_MapWnd.CopySelection(); }
    afx_msg void OnEditCut() { m_MapWnd.CutSelection(); }
    afx_msg void OnEditPaste() { m_MapWnd.PasteClipboard(); }
    afx_msg void OnObjectClone() { m_MapWnd.CloneSelection(); }
    // Removes the selected objects of every editable layer, in the map or not.
    afx_msg void OnObjectDelete() { m_MapWnd.DeleteSelection(FALSE); }
    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnUpdateSelectionNotEmpty(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);
    afx_msg void OnLoadLayer();
    afx_msg void OnSaveLayerAs();
    afx_msg void OnUpdateSaveLayerAs(CCmdUI* pCmdUI);
    afx_msg void OnSaveWorkspaceAs();
    afx_msg void OnOpenWorkspaceNew();
    afx_msg void OnQuickInfo();
    afx_msg void OnUpdateQuickInfo(CCmdUI* pCmdUI);
    afx_msg void OnNothing() {}
    afx_msg void OnUpdateActiveLayer(CCmdUI* pCmdUI);
    afx_msg void OnViewMagnifier() { m_MapWnd.ShowMagnifier(); }
    afx_msg void OnBrowseData();
    afx_msg void OnUpdateBrowseData(CCmdUI* pCmdUI);
    // The layer and map dialogs (MUIDocDialogs.cpp), each reached through its hook.
    afx_msg void OnLayerControl();
    afx_msg void OnUpdateLayerControl(CCmdUI* pCmdUI);
    afx_msg void OnNewLayer();
    afx_msg void OnUpdateNewLayer(CCmdUI* pCmdUI);
    afx_msg void OnLayerStructure();
    afx_msg void OnUpdateLayerStructure(CCmdUI* pCmdUI);
    afx_msg void OnMapOption();
    afx_msg void OnUpdateMapOption(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    // The close question's No: each layer with uncommitted work is offered for
    // keeping; a declined layer whose file holds nothing yet leaves the map and
    // the disk.
    void KeepOrDropUncommittedLayers();
    void KeepOrDropEmptyLayers();
    // Takes the layer out of the map and deletes it and its file.
    void DropLayer(CMapLayer* layer);
    // Undo or Redo (`step`) in the active layer's history.
    void StepHistory(void (CMapLayer::*step)());

    CString m_strWorkspacePath;
    CMUIMap m_MapWnd;
};
