// CDateTimeCtrl's members as messages to the date-time picker (CDateTimeCtrl.h).
#include "platform/controls/CDateTimeCtrl.h"

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(DATETIMEPICK_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CDateTimeCtrl::SetFormat(LPCTSTR pstrFormat) { return (BOOL)::SendMessage(m_hWnd, DTM_SETFORMAT, 0, (LPARAM)pstrFormat); }

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const
{
    SYSTEMTIME st{};
    const DWORD r = GetTime(&st);
    if (r == GDT_VALID)
        timeDest = CTime(st);
    return r;
}

DWORD CDateTimeCtrl::GetTime(LPSYSTEMTIME pTimeDest) const
{
    return (DWORD)::SendMessage(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)pTimeDest);
}

BOOL CDateTimeCtrl::SetTime(const CTime* pTimeNew)
{
    if (!pTimeNew)
        return (BOOL)::SendMessage(m_hWnd, DTM_SETSYSTEMTIME, (WPARAM)GDT_NONE, 0);
    SYSTEMTIME st{};
    pTimeNew->GetAsSystemTime(st);
    return (BOOL)::SendMessage(m_hWnd, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
}

BOOL CDateTimeCtrl::SetTime(LPSYSTEMTIME pTimeNew)
{
    return (BOOL)::SendMessage(m_hWnd, DTM_SETSYSTEMTIME, pTimeNew ? GDT_VALID : (WPARAM)GDT_NONE, (LPARAM)pTimeNew);
}
