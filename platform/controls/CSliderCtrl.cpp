// CSliderCtrl's members as messages to the trackbar (CSliderCtrl.h).
#include "platform/controls/CSliderCtrl.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(TRACKBAR_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CSliderCtrl::GetLineSize() const { return (int)::SendMessage(m_hWnd, TBM_GETLINESIZE, 0, 0); }
int CSliderCtrl::SetLineSize(int nSize) { return (int)::SendMessage(m_hWnd, TBM_SETLINESIZE, 0, nSize); }
int CSliderCtrl::GetPageSize() const { return (int)::SendMessage(m_hWnd, TBM_GETPAGESIZE, 0, 0); }
int CSliderCtrl::SetPageSize(int nSize) { return (int)::SendMessage(m_hWnd, TBM_SETPAGESIZE, 0, nSize); }
int CSliderCtrl::GetRangeMax() const { return (int)::SendMessage(m_hWnd, TBM_GETRANGEMAX, 0, 0); }
int CSliderCtrl::GetRangeMin() const { return (int)::SendMessage(m_hWnd, TBM_GETRANGEMIN, 0, 0); }

void CSliderCtrl::GetRange(int& nMin, int& nMax) const
{
    nMin = GetRangeMin();
    nMax = GetRangeMax();
}

void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw) { ::SendMessage(m_hWnd, TBM_SETRANGEMIN, bRedraw, nMin); }
void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw) { ::SendMessage(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax); }

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    // The two ends one at a time: TBM_SETRANGE carries only 16 bits of each.
    SetRangeMin(nMin, FALSE);
    SetRangeMax(nMax, bRedraw);
}

void CSliderCtrl::GetChannelRect(LPRECT lprc) const { ::SendMessage(m_hWnd, TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
void CSliderCtrl::GetThumbRect(LPRECT lprc) const { ::SendMessage(m_hWnd, TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
int CSliderCtrl::GetPos() const { return (int)::SendMessage(m_hWnd, TBM_GETPOS, 0, 0); }
void CSliderCtrl::SetPos(int nPos) { ::SendMessage(m_hWnd, TBM_SETPOS, TRUE, nPos); }
UINT CSliderCtrl::GetNumTics() const { return (UINT)::SendMessage(m_hWnd, TBM_GETNUMTICS, 0, 0); }
int CSliderCtrl::GetTic(int nTic) const { return (int)::SendMessage(m_hWnd, TBM_GETTIC, (WPARAM)nTic, 0); }
int CSliderCtrl::GetTicPos(int nTic) const { return (int)::SendMessage(m_hWnd, TBM_GETTICPOS, (WPARAM)nTic, 0); }
BOOL CSliderCtrl::SetTic(int nTic) { return (BOOL)::SendMessage(m_hWnd, TBM_SETTIC, 0, nTic); }
void CSliderCtrl::SetTicFreq(int nFreq) { ::SendMessage(m_hWnd, TBM_SETTICFREQ, (WPARAM)nFreq, 0); }
void CSliderCtrl::ClearTics(BOOL bRedraw) { ::SendMessage(m_hWnd, TBM_CLEARTICS, bRedraw, 0); }
