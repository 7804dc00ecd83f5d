// The frame of one document window inside the main frame; its one command does nothing.
#pragma once

#include "platform/frames/CMDIChildWnd.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();

protected:
    afx_msg void OnNothing() {}
    DECLARE_MESSAGE_MAP()
};
