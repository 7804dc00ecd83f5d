// CComboBoxEx's members as messages to the extended combo box control (CComboBoxEx.h).
#include "platform/controls/CComboBoxEx.h"

#include "platform/controls/CEdit.h"
#include "platform/controls/CImageList.h"

IMPLEMENT_DYNAMIC(CComboBoxEx, CComboBox)

BOOL CComboBoxEx::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_COMBOBOXEX, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBoxEx::InsertItem(const COMBOBOXEXITEM* pCBItem) { return (int)::SendMessage(m_hWnd, CBEM_INSERTITEM, 0, (LPARAM)pCBItem); }
int CComboBoxEx::DeleteItem(int iIndex) { return (int)::SendMessage(m_hWnd, CBEM_DELETEITEM, (WPARAM)iIndex, 0); }
BOOL CComboBoxEx::GetItem(COMBOBOXEXITEM* pCBItem) { return (BOOL)::SendMessage(m_hWnd, CBEM_GETITEM, 0, (LPARAM)pCBItem); }
BOOL CComboBoxEx::SetItem(const COMBOBOXEXITEM* pCBItem) { return (BOOL)::SendMessage(m_hWnd, CBEM_SETITEM, 0, (LPARAM)pCBItem); }

CImageList* CComboBoxEx::SetImageList(CImageList* pImageList)
{
    const LRESULT old = ::SendMessage(m_hWnd, CBEM_SETIMAGELIST, 0, (LPARAM)(pImageList ? pImageList->GetSafeHandle() : nullptr));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(old));
}

CImageList* CComboBoxEx::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(::SendMessage(m_hWnd, CBEM_GETIMAGELIST, 0, 0)));
}

CComboBox* CComboBoxEx::GetComboBoxCtrl()
{
    return static_cast<CComboBox*>(CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessage(m_hWnd, CBEM_GETCOMBOCONTROL, 0, 0))));
}

CEdit* CComboBoxEx::GetEditCtrl()
{
    return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessage(m_hWnd, CBEM_GETEDITCONTROL, 0, 0))));
}

DWORD CComboBoxEx::GetExtendedStyle() const { return (DWORD)::SendMessage(m_hWnd, CBEM_GETEXTENDEDSTYLE, 0, 0); }
DWORD CComboBoxEx::SetExtendedStyle(DWORD dwExMask, DWORD dwExStyles) { return (DWORD)::SendMessage(m_hWnd, CBEM_SETEXTENDEDSTYLE, dwExMask, (LPARAM)dwExStyles); }
