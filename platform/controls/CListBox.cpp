// CListBox's members as messages to the list box control (CListBox.h).
#include "platform/controls/CListBox.h"

#include "platform/controls/CtlReflect.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_LISTBOX, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const { return (int)::SendMessage(m_hWnd, LB_GETCOUNT, 0, 0); }
int CListBox::GetTopIndex() const { return (int)::SendMessage(m_hWnd, LB_GETTOPINDEX, 0, 0); }
int CListBox::SetTopIndex(int nIndex) { return (int)::SendMessage(m_hWnd, LB_SETTOPINDEX, (WPARAM)nIndex, 0); }
DWORD_PTR CListBox::GetItemData(int nIndex) const { return (DWORD_PTR)::SendMessage(m_hWnd, LB_GETITEMDATA, (WPARAM)nIndex, 0); }
void* CListBox::GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)::SendMessage(m_hWnd, LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
int CListBox::SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const { return (int)::SendMessage(m_hWnd, LB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    const DWORD r = (DWORD)::SendMessage(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(r) != 0;
    return LOWORD(r);
}

int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)::SendMessage(m_hWnd, LB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELPARAM(cyItemHeight, 0)); }
int CListBox::GetItemHeight(int nIndex) const { return (int)::SendMessage(m_hWnd, LB_GETITEMHEIGHT, (WPARAM)nIndex, 0); }
int CListBox::GetSel(int nIndex) const { return (int)::SendMessage(m_hWnd, LB_GETSEL, (WPARAM)nIndex, 0); }
int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const { return (int)::SendMessage(m_hWnd, LB_GETTEXT, (WPARAM)nIndex, (LPARAM)lpszBuffer); }

void CListBox::GetText(int nIndex, CString& rString) const
{
    const int n = GetTextLen(nIndex);
    if (n < 0) {
        rString.Empty();
        return;
    }
    GetText(nIndex, rString.GetBuffer(n + 1));
    rString.ReleaseBuffer(n);
}

int CListBox::GetTextLen(int nIndex) const { return (int)::SendMessage(m_hWnd, LB_GETTEXTLEN, (WPARAM)nIndex, 0); }
int CListBox::GetCurSel() const { return (int)::SendMessage(m_hWnd, LB_GETCURSEL, 0, 0); }
int CListBox::SetCurSel(int nSelect) { return (int)::SendMessage(m_hWnd, LB_SETCURSEL, (WPARAM)nSelect, 0); }
int CListBox::SetSel(int nIndex, BOOL bSelect) { return (int)::SendMessage(m_hWnd, LB_SETSEL, bSelect, nIndex); }
int CListBox::GetSelCount() const { return (int)::SendMessage(m_hWnd, LB_GETSELCOUNT, 0, 0); }
int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const { return (int)::SendMessage(m_hWnd, LB_GETSELITEMS, (WPARAM)nMaxItems, (LPARAM)rgIndex); }

int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
{
    return (int)::SendMessage(m_hWnd, LB_SELITEMRANGE, bSelect, MAKELPARAM(nFirstItem, nLastItem));
}

void CListBox::SetAnchorIndex(int nIndex) { ::SendMessage(m_hWnd, LB_SETANCHORINDEX, (WPARAM)nIndex, 0); }
int CListBox::GetAnchorIndex() const { return (int)::SendMessage(m_hWnd, LB_GETANCHORINDEX, 0, 0); }
int CListBox::GetCaretIndex() const { return (int)::SendMessage(m_hWnd, LB_GETCARETINDEX, 0, 0); }
int CListBox::SetCaretIndex(int nIndex, BOOL bScroll) { return (int)::SendMessage(m_hWnd, LB_SETCARETINDEX, (WPARAM)nIndex, bScroll ? 0 : 1); }
int CListBox::AddString(LPCTSTR lpszItem) { return (int)::SendMessage(m_hWnd, LB_ADDSTRING, 0, (LPARAM)lpszItem); }
int CListBox::DeleteString(UINT nIndex) { return (int)::SendMessage(m_hWnd, LB_DELETESTRING, nIndex, 0); }
int CListBox::InsertString(int nIndex, LPCTSTR lpszItem) { return (int)::SendMessage(m_hWnd, LB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszItem); }
void CListBox::ResetContent() { ::SendMessage(m_hWnd, LB_RESETCONTENT, 0, 0); }
int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const { return (int)::SendMessage(m_hWnd, LB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem); }
int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return (int)::SendMessage(m_hWnd, LB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind); }
int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem) { return (int)::SendMessage(m_hWnd, LB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem); }

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ctl::ReflectOwnerDraw(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
