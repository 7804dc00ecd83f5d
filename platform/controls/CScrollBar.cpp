// CScrollBar's members as messages to the scroll bar control (CScrollBar.h).
#include "platform/controls/CScrollBar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_SCROLLBAR, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollPos() const { return (int)::SendMessage(m_hWnd, SBM_GETPOS, 0, 0); }
int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) { return (int)::SendMessage(m_hWnd, SBM_SETPOS, (WPARAM)nPos, bRedraw); }
void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const { ::SendMessage(m_hWnd, SBM_GETRANGE, (WPARAM)lpMinPos, (LPARAM)lpMaxPos); }

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, bRedraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, (WPARAM)nMinPos, nMaxPos);
}

void CScrollBar::ShowScrollBar(BOOL bShow) { ::ShowWindow(m_hWnd, bShow ? SW_SHOW : SW_HIDE); }
BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags) { return (BOOL)::SendMessage(m_hWnd, SBM_ENABLE_ARROWS, nArrowFlags, 0); }

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, SBM_SETSCROLLINFO, bRedraw, (LPARAM)lpScrollInfo);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return (BOOL)::SendMessage(m_hWnd, SBM_GETSCROLLINFO, 0, (LPARAM)lpScrollInfo);
}

int CScrollBar::GetScrollLimit()
{
    SCROLLINFO si{};
    GetScrollInfo(&si, SIF_RANGE | SIF_PAGE);
    return std::max(si.nMin, si.nMax - std::max((int)si.nPage - 1, 0));
}
