// The application's main frame: the map editor's MDI frame with the Main
// toolbar docked on the Tool toolbar's row, just to its right, and the Help
// command (F1), which opens the German manual.
#pragma once

#include "mapwindow/MapEMDIFrame.h"

class CMainFrame : public CMapEMDIFrame {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()
};
