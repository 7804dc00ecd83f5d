// CRichEditCtrl's members as messages to the rich edit control, and its plain-text streaming
// (CRichEditCtrl.h).
#include "platform/controls/CRichEditCtrl.h"

#include <algorithm>
#include <cstring>

BOOL AfxInitRichEdit2()
{
    AfxRegisterControlClasses();
    return TRUE;
}

BOOL AfxInitRichEdit() { return AfxInitRichEdit2(); }

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(RICHEDIT_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CRichEditCtrl::CanUndo() const { return (BOOL)::SendMessage(m_hWnd, EM_CANUNDO, 0, 0); }
BOOL CRichEditCtrl::CanPaste(UINT nFormat) const { return (BOOL)::SendMessage(m_hWnd, EM_CANPASTE, nFormat, 0); }
int CRichEditCtrl::GetLineCount() const { return (int)::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0); }
BOOL CRichEditCtrl::GetModify() const { return (BOOL)::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0); }
void CRichEditCtrl::SetModify(BOOL bModified) { ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0); }
void CRichEditCtrl::GetSel(CHARRANGE& cr) const { ::SendMessage(m_hWnd, EM_EXGETSEL, 0, (LPARAM)&cr); }

void CRichEditCtrl::GetSel(LONG& nStartChar, LONG& nEndChar) const
{
    CHARRANGE cr{};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

void CRichEditCtrl::SetSel(CHARRANGE& cr) { ::SendMessage(m_hWnd, EM_EXSETSEL, 0, (LPARAM)&cr); }

void CRichEditCtrl::SetSel(LONG nStartChar, LONG nEndChar)
{
    CHARRANGE cr{nStartChar, nEndChar};
    SetSel(cr);
}

DWORD CRichEditCtrl::GetEventMask() const { return (DWORD)::SendMessage(m_hWnd, EM_GETEVENTMASK, 0, 0); }
DWORD CRichEditCtrl::SetEventMask(DWORD dwEventMask) { return (DWORD)::SendMessage(m_hWnd, EM_SETEVENTMASK, 0, (LPARAM)dwEventMask); }
int CRichEditCtrl::GetLine(int nIndex, LPTSTR lpszBuffer) const { return (int)::SendMessage(m_hWnd, EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer); }

int CRichEditCtrl::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    const WORD size = (WORD)nMaxLength;
    std::memcpy(lpszBuffer, &size, sizeof size);
    return GetLine(nIndex, lpszBuffer);
}

int CRichEditCtrl::GetFirstVisibleLine() const { return (int)::SendMessage(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0); }
void CRichEditCtrl::LimitText(LONG nChars) { ::SendMessage(m_hWnd, EM_EXLIMITTEXT, 0, nChars); }
LONG CRichEditCtrl::LineFromChar(LONG nIndex) const { return (LONG)::SendMessage(m_hWnd, EM_EXLINEFROMCHAR, 0, nIndex); }
int CRichEditCtrl::LineIndex(int nLine) const { return (int)::SendMessage(m_hWnd, EM_LINEINDEX, (WPARAM)nLine, 0); }
int CRichEditCtrl::LineLength(int nLine) const { return (int)::SendMessage(m_hWnd, EM_LINELENGTH, (WPARAM)nLine, 0); }
void CRichEditCtrl::LineScroll(int nLines, int nChars) { ::SendMessage(m_hWnd, EM_LINESCROLL, (WPARAM)nChars, nLines); }

CPoint CRichEditCtrl::PosFromChar(UINT nChar) const
{
    POINTL pt{0, 0};
    ::SendMessage(m_hWnd, EM_POSFROMCHAR, (WPARAM)&pt, nChar);
    return CPoint(pt.x, pt.y);
}

int CRichEditCtrl::CharFromPos(CPoint pt) const
{
    POINTL p{pt.x, pt.y};
    return (int)::SendMessage(m_hWnd, EM_CHARFROMPOS, 0, (LPARAM)&p);
}

void CRichEditCtrl::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) { ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText); }
LONG CRichEditCtrl::GetSelText(LPSTR lpBuf) const { return (LONG)::SendMessage(m_hWnd, EM_GETSELTEXT, 0, (LPARAM)lpBuf); }

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr{};
    GetSel(cr);
    const int chars = std::max<LONG>(0, cr.cpMax - cr.cpMin);
    std::string buffer((size_t)chars * 4 + 1, '\0');
    const LONG n = GetSelText(buffer.data());
    return CString(buffer.c_str(), (int)n);
}

LONG CRichEditCtrl::GetTextLength() const { return (LONG)::SendMessage(m_hWnd, WM_GETTEXTLENGTH, 0, 0); }

int CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const
{
    const int chars = std::max(0, nLast - nFirst);
    std::string buffer((size_t)chars * 4 + 1, '\0');
    TEXTRANGE tr{{nFirst, nLast}, buffer.data()};
    const int n = (int)::SendMessage(m_hWnd, EM_GETTEXTRANGE, 0, (LPARAM)&tr);
    refString = CString(buffer.c_str(), n);
    return n;
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof cf;
    return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof cf;
    return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf) { return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf); }
BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf) { return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf); }
BOOL CRichEditCtrl::SetReadOnly(BOOL bReadOnly) { return (BOOL)::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr) { return (COLORREF)::SendMessage(m_hWnd, EM_SETBKGNDCOLOR, bSysColor, (LPARAM)cr); }
void CRichEditCtrl::HideSelection(BOOL bHide, BOOL bPerm) { ::SendMessage(m_hWnd, EM_HIDESELECTION, bHide, bPerm); }
LONG CRichEditCtrl::StreamIn(int nFormat, EDITSTREAM& es) { return (LONG)::SendMessage(m_hWnd, EM_STREAMIN, (WPARAM)nFormat, (LPARAM)&es); }
LONG CRichEditCtrl::StreamOut(int nFormat, EDITSTREAM& es) { return (LONG)::SendMessage(m_hWnd, EM_STREAMOUT, (WPARAM)nFormat, (LPARAM)&es); }
BOOL CRichEditCtrl::Undo() { return (BOOL)::SendMessage(m_hWnd, EM_UNDO, 0, 0); }
void CRichEditCtrl::EmptyUndoBuffer() { ::SendMessage(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0); }
void CRichEditCtrl::Clear() { ::SendMessage(m_hWnd, WM_CLEAR, 0, 0); }
void CRichEditCtrl::Copy() { ::SendMessage(m_hWnd, WM_COPY, 0, 0); }
void CRichEditCtrl::Cut() { ::SendMessage(m_hWnd, WM_CUT, 0, 0); }
void CRichEditCtrl::Paste() { ::SendMessage(m_hWnd, WM_PASTE, 0, 0); }
