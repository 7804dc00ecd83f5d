// Static controls: text, frames and rectangles, owner-drawn statics. A static
// passes mouse input to its parent unless it has SS_NOTIFY, which makes it report
// STN_CLICKED and STN_DBLCLK.
#pragma once

#include "platform/wnd/CWnd.h"
#include "platform/controls/CommCtrl.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic() = default;
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);

    // SS_OWNERDRAW: called through reflection of WM_DRAWITEM; draws nothing by default.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
