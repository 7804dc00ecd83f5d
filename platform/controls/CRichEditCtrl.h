// Rich edit controls holding plain text (see platform/controls/CtlRichEdit.cpp): selection,
// replacement, lines, the event mask (EN_CHANGE, EN_SELCHANGE), the character format
// of the control's font, and plain-text streaming with CR LF line breaks.
#pragma once

#include "platform/base/CString.h"
#include "platform/wnd/CWnd.h"
#include "platform/controls/CommCtrl.h"

// Make the rich edit classes available; always TRUE.
BOOL AfxInitRichEdit2();
BOOL AfxInitRichEdit();

class CRichEditCtrl : public CWnd {
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    CRichEditCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL CanUndo() const;
    BOOL CanPaste(UINT nFormat = 0) const;
    int GetLineCount() const;
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    void GetSel(CHARRANGE& cr) const;
    void GetSel(LONG& nStartChar, LONG& nEndChar) const;
    void SetSel(CHARRANGE& cr);
    void SetSel(LONG nStartChar, LONG nEndChar);
    DWORD GetEventMask() const;
    DWORD SetEventMask(DWORD dwEventMask);
    int GetLine(int nIndex, LPTSTR lpszBuffer) const;
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
    int GetFirstVisibleLine() const;
    void LimitText(LONG nChars = 0);
    LONG LineFromChar(LONG nIndex) const;
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    void LineScroll(int nLines, int nChars = 0);
    CPoint PosFromChar(UINT nChar) const;
    int CharFromPos(CPoint pt) const;
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    LONG GetSelText(LPSTR lpBuf) const;
    CString GetSelText() const;
    LONG GetTextLength() const;
    int GetTextRange(int nFirst, int nLast, CString& refString) const;
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
    BOOL SetSelectionCharFormat(CHARFORMAT& cf);
    BOOL SetDefaultCharFormat(CHARFORMAT& cf);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr);
    void HideSelection(BOOL bHide, BOOL bPerm);
    // SF_TEXT: the whole text (or the selection with SFF_SELECTION) from or to the callback.
    LONG StreamIn(int nFormat, EDITSTREAM& es);
    LONG StreamOut(int nFormat, EDITSTREAM& es);
    BOOL Undo();
    void EmptyUndoBuffer();
    void Clear();
    void Copy();
    void Cut();
    void Paste();
};
