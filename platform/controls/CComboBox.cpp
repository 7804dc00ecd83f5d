// CComboBox's members as messages to the combo box control (CComboBox.h).
#include "platform/controls/CComboBox.h"

#include "platform/controls/CtlReflect.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_COMBOBOX, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const { return (int)::SendMessage(m_hWnd, CB_GETCOUNT, 0, 0); }
int CComboBox::GetCurSel() const { return (int)::SendMessage(m_hWnd, CB_GETCURSEL, 0, 0); }
int CComboBox::SetCurSel(int nSelect) { return (int)::SendMessage(m_hWnd, CB_SETCURSEL, (WPARAM)nSelect, 0); }
DWORD CComboBox::GetEditSel() const { return (DWORD)::SendMessage(m_hWnd, CB_GETEDITSEL, 0, 0); }
BOOL CComboBox::LimitText(int nMaxChars) { return (BOOL)::SendMessage(m_hWnd, CB_LIMITTEXT, (WPARAM)nMaxChars, 0); }

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return (BOOL)::SendMessage(m_hWnd, CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const { return (DWORD_PTR)::SendMessage(m_hWnd, CB_GETITEMDATA, (WPARAM)nIndex, 0); }
int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)::SendMessage(m_hWnd, CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
void* CComboBox::GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
int CComboBox::SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const { return (int)::SendMessage(m_hWnd, CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)lpszText); }

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    const int n = GetLBTextLen(nIndex);
    if (n < 0) {
        rString.Empty();
        return;
    }
    GetLBText(nIndex, rString.GetBuffer(n + 1));
    rString.ReleaseBuffer(n);
}

int CComboBox::GetLBTextLen(int nIndex) const { return (int)::SendMessage(m_hWnd, CB_GETLBTEXTLEN, (WPARAM)nIndex, 0); }
int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)::SendMessage(m_hWnd, CB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELPARAM(cyItemHeight, 0)); }
int CComboBox::GetItemHeight(int nIndex) const { return (int)::SendMessage(m_hWnd, CB_GETITEMHEIGHT, (WPARAM)nIndex, 0); }
int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return (int)::SendMessage(m_hWnd, CB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind); }
void CComboBox::GetDroppedControlRect(LPRECT lprect) const { ::SendMessage(m_hWnd, CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)lprect); }
BOOL CComboBox::GetDroppedState() const { return (BOOL)::SendMessage(m_hWnd, CB_GETDROPPEDSTATE, 0, 0); }
void CComboBox::ShowDropDown(BOOL bShowIt) { ::SendMessage(m_hWnd, CB_SHOWDROPDOWN, bShowIt, 0); }
int CComboBox::GetDroppedWidth() const { return (int)::SendMessage(m_hWnd, CB_GETDROPPEDWIDTH, 0, 0); }
int CComboBox::SetDroppedWidth(UINT nWidth) { return (int)::SendMessage(m_hWnd, CB_SETDROPPEDWIDTH, nWidth, 0); }
int CComboBox::GetTopIndex() const { return (int)::SendMessage(m_hWnd, CB_GETTOPINDEX, 0, 0); }
int CComboBox::SetTopIndex(int nIndex) { return (int)::SendMessage(m_hWnd, CB_SETTOPINDEX, (WPARAM)nIndex, 0); }
int CComboBox::AddString(LPCTSTR lpszString) { return (int)::SendMessage(m_hWnd, CB_ADDSTRING, 0, (LPARAM)lpszString); }
int CComboBox::DeleteString(UINT nIndex) { return (int)::SendMessage(m_hWnd, CB_DELETESTRING, nIndex, 0); }
int CComboBox::InsertString(int nIndex, LPCTSTR lpszString) { return (int)::SendMessage(m_hWnd, CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszString); }
void CComboBox::ResetContent() { ::SendMessage(m_hWnd, CB_RESETCONTENT, 0, 0); }
int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const { return (int)::SendMessage(m_hWnd, CB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString); }
int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString) { return (int)::SendMessage(m_hWnd, CB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString); }
void CComboBox::Clear() { ::SendMessage(m_hWnd, WM_CLEAR, 0, 0); }
void CComboBox::Copy() { ::SendMessage(m_hWnd, WM_COPY, 0, 0); }
void CComboBox::Cut() { ::SendMessage(m_hWnd, WM_CUT, 0, 0); }
void CComboBox::Paste() { ::SendMessage(m_hWnd, WM_PASTE, 0, 0); }

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ctl::ReflectOwnerDraw(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
