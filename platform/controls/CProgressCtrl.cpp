// CProgressCtrl's members as messages to the progress bar (CProgressCtrl.h).
#include "platform/controls/CProgressCtrl.h"

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(PROGRESS_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper) { ::SendMessage(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
void CProgressCtrl::SetRange32(int nLower, int nUpper) { ::SendMessage(m_hWnd, PBM_SETRANGE32, (WPARAM)nLower, nUpper); }

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range{};
    ::SendMessage(m_hWnd, PBM_GETRANGE, FALSE, (LPARAM)&range);
    nLower = range.iLow;
    nUpper = range.iHigh;
}

int CProgressCtrl::GetPos() const { return (int)::SendMessage(m_hWnd, PBM_GETPOS, 0, 0); }
int CProgressCtrl::OffsetPos(int nPos) { return (int)::SendMessage(m_hWnd, PBM_DELTAPOS, (WPARAM)nPos, 0); }
int CProgressCtrl::SetPos(int nPos) { return (int)::SendMessage(m_hWnd, PBM_SETPOS, (WPARAM)nPos, 0); }
int CProgressCtrl::SetStep(int nStep) { return (int)::SendMessage(m_hWnd, PBM_SETSTEP, (WPARAM)nStep, 0); }
int CProgressCtrl::StepIt() { return (int)::SendMessage(m_hWnd, PBM_STEPIT, 0, 0); }
COLORREF CProgressCtrl::SetBarColor(COLORREF clrBar) { return (COLORREF)::SendMessage(m_hWnd, PBM_SETBARCOLOR, 0, (LPARAM)clrBar); }
COLORREF CProgressCtrl::SetBkColor(COLORREF clrNew) { return (COLORREF)::SendMessage(m_hWnd, PBM_SETBKCOLOR, 0, (LPARAM)clrNew); }
