// Date-time pickers. SetFormat takes the Windows picture letters ("MMMM dd, yyyy
// HH:mm:ss"); a change by the user sends DTN_DATETIMECHANGE.
#pragma once

#include "platform/base/Clock.h"
#include "platform/wnd/CWnd.h"
#include "platform/controls/CommCtrl.h"

class CDateTimeCtrl : public CWnd {
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    CDateTimeCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL SetFormat(LPCTSTR pstrFormat);
    // GDT_VALID, or GDT_ERROR.
    DWORD GetTime(CTime& timeDest) const;
    DWORD GetTime(LPSYSTEMTIME pTimeDest) const;
    BOOL SetTime(const CTime* pTimeNew);
    BOOL SetTime(LPSYSTEMTIME pTimeNew = nullptr);
};
