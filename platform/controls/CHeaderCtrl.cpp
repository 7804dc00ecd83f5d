// CHeaderCtrl's members as messages to the header control (CHeaderCtrl.h).
#include "platform/controls/CHeaderCtrl.h"

#include "platform/controls/CImageList.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_HEADER, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const { return (int)::SendMessage(m_hWnd, HDM_GETITEMCOUNT, 0, 0); }
BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const { return (BOOL)::SendMessage(m_hWnd, HDM_GETITEM, (WPARAM)nPos, (LPARAM)pHeaderItem); }
BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem) { return (BOOL)::SendMessage(m_hWnd, HDM_SETITEM, (WPARAM)nPos, (LPARAM)pHeaderItem); }
BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, HDM_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
int CHeaderCtrl::InsertItem(int nPos, HDITEM* phdi) { return (int)::SendMessage(m_hWnd, HDM_INSERTITEM, (WPARAM)nPos, (LPARAM)phdi); }
BOOL CHeaderCtrl::DeleteItem(int nPos) { return (BOOL)::SendMessage(m_hWnd, HDM_DELETEITEM, (WPARAM)nPos, 0); }
BOOL CHeaderCtrl::Layout(HDLAYOUT* pHeaderLayout) { return (BOOL)::SendMessage(m_hWnd, HDM_LAYOUT, 0, (LPARAM)pHeaderLayout); }
int CHeaderCtrl::HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return (int)::SendMessage(m_hWnd, HDM_HITTEST, 0, (LPARAM)pHeaderHitTestInfo); }

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    const LRESULT old = ::SendMessage(m_hWnd, HDM_SETIMAGELIST, 0, (LPARAM)(pImageList ? pImageList->GetSafeHandle() : nullptr));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(old));
}

CImageList* CHeaderCtrl::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(::SendMessage(m_hWnd, HDM_GETIMAGELIST, 0, 0)));
}
