// The application's document: the map document, whose Save and Save As both run
// the map's save (Save As when the map has no workspace yet), and whose closing
// hides the main frame's Browse Data bar.
//
// The GPS Data windows of its views record into its map: a map does not close
// while one of them waits for its device (the window closes first, once its
// wait has ended), a recording ends (its track joining the map) before the map
// asks whether to save, and the journals of the map's recordings go once the
// map was saved or closed.
#pragma once

#include "mapwindow/MUIDoc.h"

class CKolvoDoc : public CMUIDoc {
    DECLARE_DYNCREATE(CKolvoDoc)
public:
    CKolvoDoc();
    ~CKolvoDoc() override;

    void OnCloseDocument() override;
    BOOL SaveModified() override;
    BOOL CanCloseFrame(CFrameWnd* pFrame) override;
    // Asks for a GPS log file and draws its fixes into the map as nodes and a
    // track, in the layer the nodes go to (the first visible and editable
    // one; a new named layer when the map has none).
    void CreateLayerFromGpsLog();

protected:
    afx_msg void OnSave();
    afx_msg void OnJoinPolyline();
    afx_msg void OnSplitPolygon();
    afx_msg void OnDeleteLine();
    afx_msg void OnUpdateEditTool(CCmdUI* pCmdUI);
    // Break polygon is the map window's context-menu command; here it does nothing.
    afx_msg void OnNothing() {}
    DECLARE_MESSAGE_MAP()
};
