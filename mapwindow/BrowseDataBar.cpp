// The Browse Data bar's place (BrowseDataBar.h).
#include "mapwindow/BrowseDataBar.h"

IMPLEMENT_DYNAMIC(CBrowseDataBar, CControlBar)

BOOL CBrowseDataBar::Create(LPCTSTR title, CWnd* parent, UINT id, DWORD style)
{
    return CreateBar(BarClassName(), style, parent, id, title);
}

CSize CBrowseDataBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // A docked bar spans the frame's side; its depth holds a few rows of records.
    constexpr int kDepth = 160;
    return bHorz ? CSize(bStretch ? 32767 : 400, kDepth) : CSize(kDepth, bStretch ? 32767 : 300);
}
