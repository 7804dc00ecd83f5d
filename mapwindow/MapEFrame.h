// The map editor's single-document frame, twin of CMapEMDIFrame: status bar,
// the Main, Tool and Drawing toolbars (plain, with their command ids as window
// ids), the info tool window and the Browse Data bar. Dynamically creatable;
// the application itself uses the multiple-document frame.
#pragma once

#include "mapwindow/BrowseDataBar.h"
#include "mapwindow/InfoToolFrame.h"
#include "platform/frames/CFrameWnd.h"
#include "platform/frames/CStatusBar.h"
#include "platform/frames/CToolBar.h"

#include <memory>

class CMUIMap;

class CMapEFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMapEFrame)
public:
    CMapEFrame();
    ~CMapEFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void SetStatusPaneText(int pane, LPCTSTR text);
    virtual void ToggleBrowseDataBar(CMUIMap* map);
    virtual void OnUpdateBrowseDataBar(CCmdUI* pCmdUI);
    void ShowBrowseDataBar(BOOL show);

    CStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CObjectInfoFrame* GetInfoTool() { return m_pInfoTool.get(); }
    CBrowseDataBar& GetBrowseDataBar() { return m_wndBrowseData; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnViewInfoTool();
    afx_msg void OnUpdateViewInfoTool(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CToolBar m_wndMainBar;
    CToolBar m_wndToolBar;
    CToolBar m_wndDrawingBar;
    std::unique_ptr<CObjectInfoFrame> m_pInfoTool;
    CBrowseDataBar m_wndBrowseData;
    CStatusBar m_wndStatusBar;
};
