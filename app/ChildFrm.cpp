// The document window's frame (ChildFrm.h).
#include "app/ChildFrm.h"

#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_COMMAND(ID_CHILD_NOTHING, OnNothing)
END_MESSAGE_MAP()

CChildFrame::CChildFrame() = default;
