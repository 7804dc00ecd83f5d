// CEdit's members as messages to the edit control (CEdit.h).
#include "platform/controls/CEdit.h"

#include "platform/controls/CtlHost.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_EDIT, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    ctl::CheckSelfPainted(m_hWnd);
}

BOOL CEdit::CanUndo() const { return (BOOL)::SendMessage(m_hWnd, EM_CANUNDO, 0, 0); }
int CEdit::GetLineCount() const { return (int)::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0); }
BOOL CEdit::GetModify() const { return (BOOL)::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0); }
void CEdit::SetModify(BOOL bModified) { ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0); }
void CEdit::GetRect(LPRECT lpRect) const { ::SendMessage(m_hWnd, EM_GETRECT, 0, (LPARAM)lpRect); }
DWORD CEdit::GetSel() const { return (DWORD)::SendMessage(m_hWnd, EM_GETSEL, 0, 0); }

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0, end = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    nStartChar = (int)start;
    nEndChar = (int)end;
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    return (int)::SendMessage(m_hWnd, EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    const WORD size = (WORD)nMaxLength;
    std::memcpy(lpszBuffer, &size, sizeof size);
    return (int)::SendMessage(m_hWnd, EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
}

void CEdit::EmptyUndoBuffer() { ::SendMessage(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0); }
void CEdit::LimitText(int nChars) { ::SendMessage(m_hWnd, EM_LIMITTEXT, (WPARAM)nChars, 0); }
void CEdit::SetLimitText(UINT nMax) { ::SendMessage(m_hWnd, EM_SETLIMITTEXT, nMax, 0); }
UINT CEdit::GetLimitText() const { return (UINT)::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0); }
int CEdit::LineFromChar(int nIndex) const { return (int)::SendMessage(m_hWnd, EM_LINEFROMCHAR, (WPARAM)nIndex, 0); }
int CEdit::LineIndex(int nLine) const { return (int)::SendMessage(m_hWnd, EM_LINEINDEX, (WPARAM)nLine, 0); }
int CEdit::LineLength(int nLine) const { return (int)::SendMessage(m_hWnd, EM_LINELENGTH, (WPARAM)nLine, 0); }
void CEdit::LineScroll(int nLines, int nChars) { ::SendMessage(m_hWnd, EM_LINESCROLL, (WPARAM)nChars, nLines); }

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText);
}

void CEdit::SetPasswordChar(TCHAR ch) { ::SendMessage(m_hWnd, EM_SETPASSWORDCHAR, (WPARAM)(unsigned char)ch, 0); }
TCHAR CEdit::GetPasswordChar() const { return (TCHAR)::SendMessage(m_hWnd, EM_GETPASSWORDCHAR, 0, 0); }

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel((int)(short)LOWORD(dwSelection), (int)(short)HIWORD(dwSelection), bNoScroll);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessage(m_hWnd, EM_SETSEL, (WPARAM)nStartChar, nEndChar);
    if (!bNoScroll)
        ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return (BOOL)::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
int CEdit::GetFirstVisibleLine() const { return (int)::SendMessage(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0); }

CPoint CEdit::PosFromChar(UINT nChar) const
{
    const DWORD r = (DWORD)::SendMessage(m_hWnd, EM_POSFROMCHAR, nChar, 0);
    return CPoint((short)LOWORD(r), (short)HIWORD(r));
}

int CEdit::CharFromPos(CPoint pt) const
{
    return (int)::SendMessage(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y));
}

BOOL CEdit::Undo() { return (BOOL)::SendMessage(m_hWnd, EM_UNDO, 0, 0); }
void CEdit::Clear() { ::SendMessage(m_hWnd, WM_CLEAR, 0, 0); }
void CEdit::Copy() { ::SendMessage(m_hWnd, WM_COPY, 0, 0); }
void CEdit::Cut() { ::SendMessage(m_hWnd, WM_CUT, 0, 0); }
void CEdit::Paste() { ::SendMessage(m_hWnd, WM_PASTE, 0, 0); }
