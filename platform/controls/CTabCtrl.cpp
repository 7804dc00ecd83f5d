// CTabCtrl's members as messages to the tab control (CTabCtrl.h).
#include "platform/controls/CTabCtrl.h"

#include "platform/controls/CImageList.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_TABCONTROL, nullptr, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTabCtrl::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(::SendMessage(m_hWnd, TCM_GETIMAGELIST, 0, 0)));
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    const LRESULT old = ::SendMessage(m_hWnd, TCM_SETIMAGELIST, 0, (LPARAM)(pImageList ? pImageList->GetSafeHandle() : nullptr));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(old));
}

int CTabCtrl::GetItemCount() const { return (int)::SendMessage(m_hWnd, TCM_GETITEMCOUNT, 0, 0); }
BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const { return (BOOL)::SendMessage(m_hWnd, TCM_GETITEM, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem) { return (BOOL)::SendMessage(m_hWnd, TCM_SETITEM, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect); }
int CTabCtrl::GetCurSel() const { return (int)::SendMessage(m_hWnd, TCM_GETCURSEL, 0, 0); }
int CTabCtrl::SetCurSel(int nItem) { return (int)::SendMessage(m_hWnd, TCM_SETCURSEL, (WPARAM)nItem, 0); }
int CTabCtrl::GetCurFocus() const { return (int)::SendMessage(m_hWnd, TCM_GETCURFOCUS, 0, 0); }
void CTabCtrl::SetCurFocus(int nItem) { ::SendMessage(m_hWnd, TCM_SETCURFOCUS, (WPARAM)nItem, 0); }
int CTabCtrl::GetRowCount() const { return (int)::SendMessage(m_hWnd, TCM_GETROWCOUNT, 0, 0); }
LONG CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem) { return (LONG)::SendMessage(m_hWnd, TCM_INSERTITEM, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0); }
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) { return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0); }

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEM item{};
    item.mask = nMask;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(nItem, &item);
}

BOOL CTabCtrl::DeleteItem(int nItem) { return (BOOL)::SendMessage(m_hWnd, TCM_DELETEITEM, (WPARAM)nItem, 0); }
BOOL CTabCtrl::DeleteAllItems() { return (BOOL)::SendMessage(m_hWnd, TCM_DELETEALLITEMS, 0, 0); }
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) { ::SendMessage(m_hWnd, TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
int CTabCtrl::HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)::SendMessage(m_hWnd, TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
