// The Browse Data bar's place in the map editor frame: a control bar titled
// "Browse Data", docked at the bottom and hidden until a command shows it. Its
// tabs of attribute records come with the data browser; until then the bar
// keeps the frame's layout and show/hide behaviour.
#pragma once

#include "platform/frames/CControlBar.h"

class CMUIMap;

class CBrowseDataBar : public CControlBar {
    DECLARE_DYNAMIC(CBrowseDataBar)
public:
    BOOL Create(LPCTSTR title, CWnd* parent, UINT id, DWORD style);
    // Brings the tabs up to date for `map` before the bar is shown.
    void RefreshTabs(CMUIMap* map) { m_pMap = map; }
    CMUIMap* GetMap() const { return m_pMap; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override {}

private:
    CMUIMap* m_pMap = nullptr;
};
