// Tab controls: a row of tabs over a display area. A user's choice of another tab
// sends TCN_SELCHANGING, which may refuse it, and then TCN_SELCHANGE; SetCurSel
// sends nothing. The first tab inserted into an empty control becomes the selection.
#pragma once

#include "platform/wnd/CWnd.h"
#include "platform/controls/CommCtrl.h"

class CImageList;

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* pImageList);
    int GetItemCount() const;
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    int GetCurSel() const;
    int SetCurSel(int nItem);
    int GetCurFocus() const;
    void SetCurFocus(int nItem);
    int GetRowCount() const;

    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
    LONG InsertItem(int nItem, LPCTSTR lpszItem);
    LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    LONG InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    // bLarger: the window rectangle for a display area; else the display area of a window rectangle.
    void AdjustRect(BOOL bLarger, LPRECT lpRect);
    int HitTest(TCHITTESTINFO* pHitTestInfo) const;
};
