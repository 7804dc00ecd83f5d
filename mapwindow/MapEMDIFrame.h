// The map editor's multiple-document main frame: it carries the status bar
// (pane 1 shows the pointer's position), the Standard, Main, Tool and Drawing
// toolbars, the info tool window and the Browse Data bar, and the commands that
// show and hide them. Documents and views reach it through SetStatusPaneText,
// ToggleBrowseDataBar and OnUpdateBrowseDataBar.
#pragma once

#include "mapwindow/BrowseDataBar.h"
#include "mapwindow/InfoToolFrame.h"
#include "platform/frames/CMDIFrameWnd.h"
#include "platform/frames/CStatusBar.h"
#include "platform/frames/CToolBar.h"

#include <memory>

class CMUIMap;

class CMapEMDIFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CMapEMDIFrame)
public:
    CMapEMDIFrame();
    ~CMapEMDIFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Pane `pane` gets the id of the position pane, a normal style, the width of
    // `text` in the bar's font, and the text.
    virtual void SetStatusPaneText(int pane, LPCTSTR text);
    // Shows the Browse Data bar (its tabs refreshed for `map`) when hidden, hides it when shown.
    virtual void ToggleBrowseDataBar(CMUIMap* map);
    // Checked while the Browse Data bar is visible.
    virtual void OnUpdateBrowseDataBar(CCmdUI* pCmdUI);
    void ShowBrowseDataBar(BOOL show);

    CStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CToolBar& GetStandardBar() { return m_wndStandardBar; }
    CToolBar& GetMainBar() { return m_wndMainBar; }
    CToolBar& GetToolBar() { return m_wndToolBar; }
    CToolBar& GetDrawingBar() { return m_wndDrawingBar; }
    CObjectInfoFrame* GetInfoTool() { return m_pInfoTool.get(); }
    CBrowseDataBar& GetBrowseDataBar() { return m_wndBrowseData; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnViewInfoTool();
    afx_msg void OnUpdateViewInfoTool(CCmdUI* pCmdUI);
    afx_msg void OnViewMainBar();
    afx_msg void OnUpdateViewMainBar(CCmdUI* pCmdUI);
    afx_msg void OnViewToolBar();
    afx_msg void OnUpdateViewToolBar(CCmdUI* pCmdUI);
    afx_msg void OnViewDrawingBar();
    afx_msg void OnUpdateViewDrawingBar(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    // A bar's show or hide command, and its check mark while it is visible.
    void ToggleBar(CControlBar& bar);
    static void UpdateBar(CControlBar& bar, CCmdUI* pCmdUI);

    CToolBar m_wndMainBar;
    CToolBar m_wndToolBar;
    CToolBar m_wndDrawingBar;
    CToolBar m_wndStandardBar;
    std::unique_ptr<CObjectInfoFrame> m_pInfoTool;
    CBrowseDataBar m_wndBrowseData;
    CStatusBar m_wndStatusBar;
};
